// Makes the program's pictures into the folder given as the only argument
// (res/images of the source tree). The files it writes are kept with the
// sources; the build never runs this.

#include "Bmp.h"
#include "Pictures.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    using namespace pictures;
    struct Picture {
        const char* name;
        cv::Mat (*make)();
    };
    const Picture colour[] = {
        {"icon128.bmp", MakeIcon},
        {"bitmap133.bmp", MakeEmblem},
        {"bitmap134.bmp", MakeTitleBanner},
        {"bitmap136.bmp", MakeFilmBanner},
    };
    bool ok = WriteBmp4(folder + "/bitmap131.bmp", MakeIndicator(), StandardPalette());
    for (const Picture& p : colour) {
        ok = WriteBmp24(folder + "/" + p.name, p.make()) && ok;
    }
    if (!ok) {
        std::fprintf(stderr, "could not write every picture into %s\n", folder.c_str());
        return 1;
    }
    return 0;
}
