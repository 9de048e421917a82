#!/usr/bin/env bash
# Builds the picture generator (res/tools) on its own and writes the
# program's pictures anew into res/images. The normal build never does this:
# the pictures kept with the sources are the ones the program uses.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build-pictures
cmake -S res/tools -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target morvane_make_pictures
"$build/morvane_make_pictures" res/images
echo "pictures written to res/images"
