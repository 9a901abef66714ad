// Writes the pictures drawn in code - the screen library's (platform/screen/images.h) and
// the corbel sheets' (platform/screen/sheet_images.h) - as bitmap files into a directory
// (default: data/ of the source tree, where they are kept under version control).
//
// Usage: make_bitmaps [DIRECTORY]
#include "platform/screen/images.h"
#include "platform/screen/nad_sheet_images.h"
#include "platform/screen/sheet_images.h"

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

int Write(const std::string& dir, const std::string& name, const Screen_Image& image)
{
    const std::string bytes = Encode_Bmp(image);
    const std::filesystem::path path = std::filesystem::path(dir) / name;
    std::error_code ignored;
    std::filesystem::create_directories(path.parent_path(), ignored);
    FILE* f = std::fopen(path.c_str(), "wb");
    const bool ok = f && std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    if (f && std::fclose(f) != 0) return 1;
    if (!ok) {
        std::fprintf(stderr, "make_bitmaps: %s not written\n", path.c_str());
        return 1;
    }
    std::printf("%s (%d x %d)\n", path.c_str(), image.width, image.height);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string dir = argc > 1 ? argv[1] : "data";
    int failures = 0;
    for (const std::string& name : Library_Bitmap_Names()) {
        Screen_Image image;
        Make_Library_Bitmap(name, image);
        failures += Write(dir, name, image);
    }
    for (const std::string& name : Sheet_Bitmap_Names()) {
        Screen_Image image;
        Make_Sheet_Bitmap(name, image);
        failures += Write(dir, name, image);
    }
    // The annex part pages' pictures.
    for (const std::string& name : Nad_Sheet_Bitmap_Names()) {
        Screen_Image image;
        Make_Nad_Sheet_Bitmap(name, image);
        failures += Write(dir, name, image);
    }
    return failures ? 1 : 0;
}
