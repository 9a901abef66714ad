#include "toolkit/colour_ramp.h"

#include "platform/screen/framebuffer.h"
#include "report/plot_state.h"

#include <gtest/gtest.h>

namespace {

struct RGB {
    int r, g, b;
    bool operator==(const RGB&) const = default;
};

RGB Lightened(RGB c, double percent)
{
    Lighten_RGB(&c.r, &c.g, &c.b, percent);
    return c;
}

RGB Plot_Lightened(RGB c, double percent)
{
    RGB out{};
    Plot_Lighten_RGB(c.r, c.g, c.b, percent, &out.r, &out.g, &out.b);
    return out;
}

TEST(ColourRamp, TheProgressBarsRampMatchesTheReportGraphicsLightening)
{
    const RGB bar{0, 88, 176};
    // Hand-computed ends of the ramp: the lightness 0.345 grows to 0.380 and 0.552.
    EXPECT_EQ(Lightened(bar, 10), (RGB{0, 97, 194}));
    EXPECT_EQ(Lightened(bar, 60), (RGB{27, 141, 255}));
    for (int k = 0; k <= 6; ++k) {
        EXPECT_EQ(Lightened(bar, 10.0 * k), Plot_Lightened(bar, 10.0 * k)) << k;
        const int index = Lighten_Colour_Index(Nearest_RGB_Color(0, 88, 176), 10.0 * k);
        const RGB p = Plot_Lightened(bar, 10.0 * k);
        EXPECT_EQ(index, Nearest_RGB_Color(p.r, p.g, p.b)) << k;
    }
    EXPECT_EQ(Lightened(bar, 0), bar);
}

TEST(ColourRamp, GreysBlackPureRedsAndStrongLighteningStayInRange)
{
    EXPECT_EQ(Lighten_Colour_Index(Nearest_RGB_Color(128, 128, 128), 0), Nearest_RGB_Color(128, 128, 128));
    EXPECT_EQ(Lightened({0, 0, 0}, 50), (RGB{0, 0, 0}));
    EXPECT_EQ(Lightened({200, 10, 10}, -100), (RGB{0, 0, 0}));
    EXPECT_EQ(Lightened({255, 0, 0}, 0), (RGB{255, 0, 0}));      // hue of a whole turn
    EXPECT_EQ(Lightened({255, 255, 255}, 60), (RGB{255, 255, 255}));
    // A spread of colours and percents: the same numbers as the report graphics.
    for (int r = 0; r <= 255; r += 51)
        for (int g = 0; g <= 255; g += 51)
            for (int b = 0; b <= 255; b += 85)
                for (double p : {-40.0, 15.0, 80.0})
                    EXPECT_EQ(Lightened({r, g, b}, p), Plot_Lightened({r, g, b}, p)) << r << " " << g << " " << b;
}

} // namespace
