#pragma once
// The classes CoCreateInstance knows from the start.

#include <utility>
#include <vector>

#include "platform/media/com/Runtime.h"

namespace media {

std::vector<std::pair<CLSID, ClassFactory>> BuiltinClasses();

}  // namespace media
