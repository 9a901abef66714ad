// Writes the pictures that the screen library draws in code (platform/screen/images.h)
// as bitmap files into a directory (default: data/ of the source tree, where they are
// kept under version control).
//
// Usage: make_bitmaps [DIRECTORY]
#include "platform/screen/images.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    const std::string dir = argc > 1 ? argv[1] : "data";
    int failures = 0;
    for (const std::string& name : Library_Bitmap_Names()) {
        Screen_Image image;
        Make_Library_Bitmap(name, image);
        const std::string bytes = Encode_Bmp(image);
        const std::string path = dir + "/" + name;
        FILE* f = std::fopen(path.c_str(), "wb");
        if (!f || std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size()) {
            std::fprintf(stderr, "make_bitmaps: %s not written\n", path.c_str());
            ++failures;
        } else {
            std::printf("%s (%d x %d)\n", path.c_str(), image.width, image.height);
        }
        if (f) std::fclose(f);
    }
    return failures ? 1 : 0;
}
