#include "platform/screen/bitmaps.h"

#include "platform/paths.h"
#include "platform/screen/framebuffer.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <set>
#include <strings.h>

namespace {

// Bitmaps beyond these sizes are taken as damaged.
constexpr long MAX_SIDE = 16384;
constexpr long MAX_PIXELS = 32L * 1024 * 1024;
// Bytes of a picture file: the installation's largest is about 1 MB.
constexpr long long BMP_FILE_MAX = 32LL * 1024 * 1024;

uint32_t U16(const std::string& b, size_t at)
{
    return static_cast<unsigned char>(b[at]) | (static_cast<unsigned char>(b[at + 1]) << 8);
}

uint32_t U32(const std::string& b, size_t at)
{
    return U16(b, at) | (U16(b, at + 2) << 16);
}

int32_t S32(const std::string& b, size_t at) { return static_cast<int32_t>(U32(b, at)); }

std::map<std::string, std::unique_ptr<Screen_Image>>& Cache()
{
    static std::map<std::string, std::unique_ptr<Screen_Image>> cache;
    return cache;
}

std::set<std::string>& Reported()
{
    static std::set<std::string> reported;
    return reported;
}

// The pictures are read as the other files from outside: a regular file alone, opened
// without waiting (a pipe in its place would hang the start), and at most BMP_FILE_MAX
// bytes (a link to an endless device would fill the memory). A file refused so counts as
// missing.
FILE* Open_Picture(const std::string& path) { return Fopen_Input_Up_To(path, "rb", BMP_FILE_MAX); }

bool Read_File(const std::string& path, std::string& bytes)
{
    FILE* in = Open_Picture(path);
    if (!in) return false;
    std::string read;
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, in)) > 0) read.append(buffer, n);
    const bool whole = !std::ferror(in);
    std::fclose(in);
    if (whole) bytes = std::move(read);
    return whole;
}

bool File_Exists(const std::string& path)
{
    FILE* in = Open_Picture(path);
    if (in) std::fclose(in);
    return in != nullptr;
}

void Order(int& a, int& b)
{
    if (a > b) std::swap(a, b);
}

} // namespace

bool Decode_Bmp(const std::string& b, Screen_Image& image)
{
    image = Screen_Image{};
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') return false;
    const uint32_t offset = U32(b, 10);
    const uint32_t header_size = U32(b, 14);
    if (header_size < 40 || header_size > 1024 || 14 + static_cast<size_t>(header_size) > b.size()) return false;
    const int32_t width = S32(b, 18);
    const int32_t raw_height = S32(b, 22);
    const uint32_t planes = U16(b, 26);
    const uint32_t bits = U16(b, 28);
    const uint32_t compression = U32(b, 30);
    uint32_t colours = U32(b, 46);
    if (planes != 1 || compression != 0) return false;
    if (bits != 8 && bits != 24 && bits != 32) return false;
    if (raw_height == INT32_MIN) return false;
    const long height = raw_height < 0 ? -static_cast<long>(raw_height) : raw_height;
    if (width <= 0 || height <= 0 || width > MAX_SIDE || height > MAX_SIDE || width * height > MAX_PIXELS)
        return false;
    const bool top_down = raw_height < 0;

    std::vector<uint32_t> palette;
    if (bits == 8) {
        if (colours == 0) colours = 256;
        if (colours > 256) return false;
        const size_t palette_at = 14 + static_cast<size_t>(header_size);
        if (palette_at + 4 * static_cast<size_t>(colours) > b.size() || palette_at + 4 * colours > offset)
            return false;
        for (uint32_t i = 0; i < colours; ++i) {
            const size_t at = palette_at + 4 * i;
            palette.push_back((static_cast<unsigned char>(b[at + 2]) << 16) |
                              (static_cast<unsigned char>(b[at + 1]) << 8) | static_cast<unsigned char>(b[at]));
        }
    }
    const size_t stride = ((static_cast<size_t>(width) * bits + 31) / 32) * 4;
    if (offset < 14 + header_size || offset > b.size() || stride * static_cast<size_t>(height) > b.size() - offset)
        return false;

    Screen_Image out;
    out.width = width;
    out.height = static_cast<int>(height);
    out.pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (long row = 0; row < height; ++row) {
        const size_t line = offset + stride * static_cast<size_t>(top_down ? row : height - 1 - row);
        for (long x = 0; x < width; ++x) {
            uint32_t rgb;
            if (bits == 8) {
                const unsigned index = static_cast<unsigned char>(b[line + x]);
                if (index >= palette.size()) return false;
                rgb = palette[index];
            } else {
                const size_t at = line + static_cast<size_t>(x) * (bits / 8);
                rgb = (static_cast<unsigned char>(b[at + 2]) << 16) | (static_cast<unsigned char>(b[at + 1]) << 8) |
                      static_cast<unsigned char>(b[at]);
            }
            out.pixels[static_cast<size_t>(row) * width + x] = rgb;
        }
    }
    image = std::move(out);
    return true;
}

std::string Encode_Bmp(const Screen_Image& image)
{
    const size_t stride = ((static_cast<size_t>(image.width) * 24 + 31) / 32) * 4;
    const size_t data_size = stride * static_cast<size_t>(image.height);
    std::string b(54 + data_size, '\0');
    auto put16 = [&](size_t at, uint32_t v) {
        b[at] = static_cast<char>(v & 0xFF);
        b[at + 1] = static_cast<char>((v >> 8) & 0xFF);
    };
    auto put32 = [&](size_t at, uint32_t v) {
        put16(at, v & 0xFFFF);
        put16(at + 2, v >> 16);
    };
    b[0] = 'B';
    b[1] = 'M';
    put32(2, static_cast<uint32_t>(b.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(image.width));
    put32(22, static_cast<uint32_t>(image.height));
    put16(26, 1);
    put16(28, 24);
    put32(34, static_cast<uint32_t>(data_size));
    put32(38, 2835);  // 72 dots an inch
    put32(42, 2835);
    for (int row = 0; row < image.height; ++row) {
        const size_t line = 54 + stride * static_cast<size_t>(image.height - 1 - row);
        for (int x = 0; x < image.width; ++x) {
            const uint32_t rgb = image.At(x, row);
            b[line + 3 * x] = static_cast<char>(rgb & 0xFF);
            b[line + 3 * x + 1] = static_cast<char>((rgb >> 8) & 0xFF);
            b[line + 3 * x + 2] = static_cast<char>((rgb >> 16) & 0xFF);
        }
    }
    return b;
}

std::string Bitmap_Path(const char* name)
{
    if (!name || !*name) return {};
    std::string n = name;
    for (char& c : n)
        if (c == '\\') c = '/';
    if (n[0] == '/') return Map_Path(n);
    if (::strncasecmp(n.c_str(), "NAD/", 4) == 0) {
        for (const char* var : {"DATA", "DRAM"}) {
            const char* dir = std::getenv(var);
            if (!dir || !*dir) continue;
            const std::string path = Map_Path(std::string(dir) + "/" + n);
            if (File_Exists(path)) return path;
        }
        const char* data = std::getenv("DATA");
        return data && *data ? Map_Path(std::string(data) + "/" + n) : std::string();
    }
    const char* exec = std::getenv("EXEC");
    if (!exec || !*exec) return {};
    return Map_Path(std::string(exec) + "/" + n);
}

const Screen_Image* Load_Bitmap(const char* name)
{
    if (!name) return nullptr;
    const std::string path = Bitmap_Path(name);
    const std::string key = path.empty() ? std::string("?") + name : path;
    auto& cache = Cache();
    auto it = cache.find(key);
    if (it != cache.end()) return it->second.get();
    std::unique_ptr<Screen_Image> image;
    std::string bytes;
    const char* problem = nullptr;
    if (path.empty() || !Read_File(path, bytes)) {
        problem = "nicht gefunden";
    } else {
        image = std::make_unique<Screen_Image>();
        if (!Decode_Bmp(bytes, *image)) {
            image.reset();
            problem = "besch\xC3\xA4" "digt";
        }
    }
    if (problem && Reported().insert(key).second)
        std::fprintf(stderr, "corbel: Bild %s (%s) %s, es wird nicht gezeichnet.\n", name,
                     path.empty() ? "kein Verzeichnis" : path.c_str(), problem);
    const Screen_Image* result = image.get();
    cache[key] = std::move(image);
    return result;
}

std::string First_Missing_Bitmap(const std::vector<std::string>& names)
{
    for (const std::string& name : names) {
        const std::string path = Bitmap_Path(name.c_str());
        if (path.empty() || !File_Exists(path)) return name;
    }
    return {};
}

void Forget_Bitmaps()
{
    Cache().clear();
    Reported().clear();
}

void pxDrawPartialTransparentDIB(const char* file, int sx1, int sy1, int sx2, int sy2, int dx1, int dy1,
                                 int dx2, int dy2, int /*mode*/, int /*flag*/, int red, int green, int blue)
{
    if (!screen::Framebuffer_Ready()) return;
    const Screen_Image* image = Load_Bitmap(file);
    if (!image) return;
    Order(sx1, sx2);
    Order(sy1, sy2);
    Order(dx1, dx2);
    Order(dy1, dy2);
    const bool keyed = red >= 0 && green >= 0 && blue >= 0 && red <= 255 && green <= 255 && blue <= 255;
    const uint32_t key = keyed ? static_cast<uint32_t>(Nearest_RGB_Color(red, green, blue)) : 0;
    const long sw = static_cast<long>(sx2) - sx1 + 1, sh = static_cast<long>(sy2) - sy1 + 1;
    const long dw = static_cast<long>(dx2) - dx1 + 1, dh = static_cast<long>(dy2) - dy1 + 1;
    const bool one_to_one = std::labs(sw - dw) <= 1 && std::labs(sh - dh) <= 1;
    const long w = one_to_one ? std::min(sw, dw) : dw, h = one_to_one ? std::min(sh, dh) : dh;
    // Only the part of the destination that can be seen is walked.
    int vx1, vy1, vx2, vy2;
    pxQVwp(&vx1, &vy1, &vx2, &vy2);
    const long y_from = std::max<long>({0, vy1 - static_cast<long>(dy1), -static_cast<long>(dy1)});
    const long y_to = std::min<long>({h - 1, vy2 - static_cast<long>(dy1), NPIXEL_Y - 1L - dy1});
    const long x_from = std::max<long>({0, vx1 - static_cast<long>(dx1), -static_cast<long>(dx1)});
    const long x_to = std::min<long>({w - 1, vx2 - static_cast<long>(dx1), NPIXEL_X - 1L - dx1});
    const int saved_mode = pxQBop();
    pxSBop(0);
    for (long y = y_from; y <= y_to; ++y) {
        const long src_y = sy1 + (one_to_one ? y : (2 * y + 1) * sh / (2 * dh));
        if (src_y < 0 || src_y >= image->height) continue;
        for (long x = x_from; x <= x_to; ++x) {
            const long src_x = sx1 + (one_to_one ? x : (2 * x + 1) * sw / (2 * dw));
            if (src_x < 0 || src_x >= image->width) continue;
            const uint32_t rgb = image->At(static_cast<int>(src_x), static_cast<int>(src_y));
            if (keyed && rgb == key) continue;
            screen::Put_Pixel(static_cast<int>(dx1 + x), static_cast<int>(dy1 + y), rgb);
        }
    }
    pxSBop(saved_mode);
}

void pxDrawTransparentDIB(const char* file, int x1, int y1, int x2, int y2, int mode, int flag, int red,
                          int green, int blue)
{
    if (!screen::Framebuffer_Ready()) return;
    const Screen_Image* image = Load_Bitmap(file);
    if (!image) return;
    pxDrawPartialTransparentDIB(file, 0, 0, image->width - 1, image->height - 1, x1, y1, x2, y2, mode, flag,
                                red, green, blue);
}

void Draw_TreeViewImage(const void* image, int x, int y, int colour)
{
    if (!image || !screen::Framebuffer_Ready()) return;
    const auto* tv = static_cast<const ZAV_TreeView_Image*>(image);
    if (tv->width <= 0 || tv->height <= 0 || !tv->pixels) return;
    const int left = x - tv->width / 2, top = y - tv->height / 2;
    const int saved_mode = pxQBop();
    pxSBop(0);
    for (int row = 0; row < tv->height; ++row)
        for (int col = 0; col < tv->width; ++col) {
            const int index = tv->pixels[row * tv->width + col];
            if (index == 0) continue;
            uint32_t rgb;
            if (colour != -1) {
                rgb = Resolve_Colour(colour);
            } else {
                if (!tv->palette || index >= tv->palette_size) continue;
                rgb = Resolve_Colour(tv->palette[index]);
            }
            screen::Put_Pixel(left + col, top + row, rgb);
        }
    pxSBop(saved_mode);
}
