// The screen's picture reader: a BMP decoded from its bytes; a picture it takes is written
// again by the encoder and must decode to the same pixels.
#include "fuzz_support.h"

#include "platform/screen/bitmaps.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    Screen_Image image;
    if (!Decode_Bmp(bytes, image)) return 0;
    Screen_Image again;
    if (!Decode_Bmp(Encode_Bmp(image), again) || again.width != image.width || again.height != image.height ||
        again.pixels != image.pixels)
        Fuzz_Fail("fuzz_bitmaps", "a picture written again decodes to other pixels",
                  std::to_string(image.width) + "x" + std::to_string(image.height),
                  std::to_string(again.width) + "x" + std::to_string(again.height));
    return 0;
}
