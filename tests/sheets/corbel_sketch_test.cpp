#include "sheets/corbel_sketch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "annex/nad_choice.h"
#include "annex/nad_ec2.h"
#include "core/corbel_model.h"
#include "platform/screen/screen.h"
#include "sheets/edit_buffer.h"
#include "core/rebar_layers.h"
#include "sheets/sketch_screen.h"

namespace {

constexpr double kPi = 3.141592653589793;

Corbel_Model Column_Corbel(double m1, double lk, double hk, double lh)
{
    Corbel_Model m{};
    m.system = SYSTEM_LOAD_CORBEL;
    m.connection = CONNECTION_COLUMN;
    m.h = m1;
    m.b = 30.0;
    m.lk = lk;
    m.hk = hk;
    m.load_height = lh;
    m.load_a = 20.0;
    m.d1k = 5.0;
    m.d1 = 5.0;
    m.e1 = 5.0;
    m.inclination = 45.0;
    return m;
}

uint32_t Rgb(int r, int g, int b)
{
    return (static_cast<uint32_t>(r) << 16) | (static_cast<uint32_t>(g) << 8) | static_cast<uint32_t>(b);
}

}  // namespace

TEST(CorbelSketch, ScaleAndHeightFollowTheExtents)
{
    Corbel_Model m = Column_Corbel(40, 40, 60, 0);  // 80 x 120 cm
    double s = -1.0;
    EXPECT_EQ(Compute_Sketch_Layout(&m, 0, &s), 300);
    EXPECT_DOUBLE_EQ(s, 2.0);
    m.load_height = 10.0;  // 80 x 130: the height governs
    EXPECT_EQ(Compute_Sketch_Layout(&m, 0, &s), 300);
    EXPECT_DOUBLE_EQ(s, 240.0 / 130.0);
    m.lk = 0.0;
    m.h = 0.0;  // no width: no sketch
    EXPECT_EQ(Compute_Sketch_Layout(&m, 0, &s), 0);
    EXPECT_EQ(s, 0.0);
}

TEST(SketchShapes, ArrowsArcsPolygonsAndPlates)
{
    // Half a turn with the other head is the same arrow, label place included.
    const Arrow_Shape a = Compute_Arrow(100, 100, 32, 0, "A", kPi);
    const Arrow_Shape b = Compute_Arrow(100, 100, 32, 1, "A", 0.0);
    EXPECT_EQ(a.x1, b.x1); EXPECT_EQ(a.y1, b.y1); EXPECT_EQ(a.x2, b.x2); EXPECT_EQ(a.y2, b.y2);
    EXPECT_EQ(a.tx, b.tx); EXPECT_EQ(a.ty, b.ty);
    EXPECT_EQ(a.bx1, b.bx1); EXPECT_EQ(a.by1, b.by1); EXPECT_EQ(a.bx2, b.bx2); EXPECT_EQ(a.by2, b.by2);
    EXPECT_EQ(a.label_x, b.label_x); EXPECT_EQ(a.label_y, b.label_y);
    // Pointing right: the tip 5 pixels beyond the line, a head 15 long and 10 wide.
    const Arrow_Shape r = Compute_Arrow(100, 100, 32, 0, nullptr, 0.0);
    EXPECT_EQ(r.x1, 84); EXPECT_EQ(r.x2, 116); EXPECT_EQ(r.y1, 100);
    EXPECT_EQ(r.tx, 121); EXPECT_EQ(r.ty, 100);
    EXPECT_EQ(r.bx1, 106); EXPECT_EQ(r.by1, 105); EXPECT_EQ(r.bx2, 106); EXPECT_EQ(r.by2, 95);
    // Pointing up with the head at the other end: the tip below.
    const Arrow_Shape d = Compute_Arrow(50, 50, 32, 1, nullptr, kPi / 2.0);
    EXPECT_EQ(d.x1, 50); EXPECT_EQ(d.y1, 66); EXPECT_EQ(d.tx, 50); EXPECT_EQ(d.ty, 71);

    int px[ARC_BAND_MAX_POINTS], py[ARC_BAND_MAX_POINTS];
    ASSERT_EQ(Compute_Arc_Band(100, 100, 20, 0.0, 90.0, px, py), 9);
    EXPECT_EQ(px[0], 80); EXPECT_EQ(py[0], 100);   // angle 0 left of the centre
    EXPECT_EQ(px[8], 100); EXPECT_EQ(py[8], 120);
    EXPECT_EQ(Compute_Arc_Band(100, 100, 20, 0.0, 360.0, px, py), 33);
    EXPECT_EQ(Compute_Arc_Band(100, 100, 20, 0.0, 720.0, px, py), 33);  // never beyond the list
    EXPECT_EQ(Compute_Arc_Band(100, 100, 20, 10.0, 0.0005, px, py), 0);

    int cx[64], cy[64];
    ASSERT_EQ(Compute_Regular_Polygon(100, 100, 10, 6, cx, cy), 6);
    EXPECT_EQ(cx[0], 110); EXPECT_EQ(cy[0], 100);
    EXPECT_EQ(Compute_Regular_Polygon(100, 100, 10, 65, cx, cy), 0);
    EXPECT_EQ(Compute_Regular_Polygon(100, 100, 10, 0, cx, cy), 0);

    // A plate of 5 pixels is drawn 2 thick, one of 6 pixels 1 thick.
    EXPECT_EQ(Bearing_Plate_Depth_Px(5), 2);
    EXPECT_EQ(Bearing_Plate_Depth_Px(6), 1);
    EXPECT_EQ(Bearing_Plate_Depth_Px(20), 15);
}

TEST(SketchRebar, LayersSumThePitchesOfTheirPairs)
{
    Corbel_Model m = Column_Corbel(40, 30, 50, 0);
    m.rebar.cover_v = 3.0;
    m.rebar.layers = 3;
    const int d16 = 7, d20 = 8;
    m.rebar.layer_bars[0] = m.rebar.layer_bars[1] = m.rebar.layer_bars[2] = 2;
    m.rebar.layer_diameter[0] = d16;
    m.rebar.layer_diameter[1] = d16;
    m.rebar.layer_diameter[2] = d20;
    // A given spacing: layer k lies k spacings below layer 0.
    m.rebar.spacing[2] = 5.0;
    EXPECT_DOUBLE_EQ(Sketch_Layer_Depth_Cm(&m, 0), 3.8);
    EXPECT_DOUBLE_EQ(Sketch_Layer_Depth_Cm(&m, 2), 3.0 + 1.0 + 10.0);
    // Computed: the least spacing of each pair, max(k d, 2) + (d1 + d2) / 2.
    m.rebar.spacing[2] = 0.0;
    ASSERT_LE(NAD_Get_EC2_Params()->k1_bar_spacing * 2.0, 2.0);
    EXPECT_EQ(Main_Tie_Layer_Offset(&m.rebar, 0, NAD_Get_EC2_Params()), 0.0);
    EXPECT_NEAR(Sketch_Layer_Depth_Cm(&m, 1), 3.0 + 0.8 + 3.6, 1e-12);
    EXPECT_NEAR(Sketch_Layer_Depth_Cm(&m, 2), 3.0 + 1.0 + 3.6 + 3.8, 1e-12);
    // Vertical stirrups of a column corbel enclose the tie.
    m.rebar.group[0] = Bar_Group{2, 4, 2};  // 10 mm
    EXPECT_NEAR(Sketch_Layer_Depth_Cm(&m, 0), 3.0 + 0.8 + 1.0, 1e-12);
}

TEST(SketchRebar, VerticalSplittingStirrupsRunFromThePlateToTheFace)
{
    Corbel_Model m = Column_Corbel(40, 30, 50, 0);
    m.lp = 10.0;
    m.load_a = 20.0;
    m.rebar.group[0] = Bar_Group{3, 4, 2};  // three 10 mm stirrups
    double x[8];
    ASSERT_EQ(Sketch_Split_Stirrup_Positions(&m, x, 8), 3);
    EXPECT_DOUBLE_EQ(x[0], 25.0);
    EXPECT_DOUBLE_EQ(x[2], 2.0 + 0.5);
    EXPECT_DOUBLE_EQ(x[1], (25.0 + 2.5) / 2.0);
    // Without a plate the first stands at the free end less the cover and the tie.
    m.lp = 0.0;
    m.rebar.cover_h = 3.0;
    m.rebar.layers = 1;
    m.rebar.layer_diameter[0] = 8;  // 20 mm
    ASSERT_EQ(Sketch_Split_Stirrup_Positions(&m, x, 8), 3);
    EXPECT_DOUBLE_EQ(x[0], 30.0 - 3.0 - 2.0 - 0.5);
    // One leg halves the load distance; legs 0 draw nothing.
    m.rebar.group[0] = Bar_Group{1, 4, 2};
    ASSERT_EQ(Sketch_Split_Stirrup_Positions(&m, x, 8), 1);
    EXPECT_DOUBLE_EQ(x[0], 10.0);
    m.rebar.group[0] = Bar_Group{3, 4, 0};
    EXPECT_EQ(Sketch_Split_Stirrup_Positions(&m, x, 8), 0);
}

TEST(CorbelSketchScreen, ConcreteAndLoadArrowOnScreen)
{
    Screen_Start_For_Tests("", 640, 480);
    Init_Screen_Palette();
    Corbel_Model m = Column_Corbel(40, 40, 60, 0);
    m.lp = 10.0;
    double s = 0.0;
    const int height = Compute_Sketch_Layout(&m, 0, &s);
    corbel_edit_buffer.sketch_scale_x = corbel_edit_buffer.sketch_scale_y = s;
    Draw_Corbel_Sketch(0, 0, 429, height - 1, &m, 0);
    // The face stands mid-span at 214; the corbel runs 80 pixels right of it from y 70.
    EXPECT_EQ(Screen_Pixel_For_Tests(214 + 40, 70 + 60), Rgb(233, 233, 233));
    // The vertical load at la = 20 cm (40 px) right of the face, above the plate.
    EXPECT_EQ(Screen_Pixel_For_Tests(214 + 40, 70 - 20), Rgb(177, 0, 0));
    // An inclination of 0 degrees must not break the drawing of an indirect load.
    m.load_transfer = LOAD_TRANSFER_INDIRECT;
    m.inclination = 0.0;
    Draw_Corbel_Sketch(0, 0, 429, height - 1, &m, 0);
    m.system = SYSTEM_SUPPORT_CORBEL;
    Draw_Corbel_Sketch(0, 0, 429, height - 1, &m, 1);
    Screen_Reset_For_Tests();
}

// Every layout in both modes, with values a user may type before the data check clamps
// them: the drawing stays inside its arithmetic and finishes.
TEST(CorbelSketchScreen, AnyInputDrawsWithoutFault)
{
    Screen_Start_For_Tests("", 640, 480);
    Init_Screen_Palette();
    const double odd[] = {0.0, -5.0, 1e9, 0.0004};
    for (int system = 0; system <= 2; ++system)
        for (int kind = 0; kind < 16; ++kind)
            for (double v : odd) {
                Corbel_Model m = Column_Corbel(40, 30, 50, 5);
                m.system = system;
                m.execution = kind & 1;
                m.connection = (kind >> 1) & 1;
                m.at_slab = (kind >> 2) & 1;
                m.load_transfer = (kind >> 3) & 1;
                m.beam_height = 40.0;
                m.method = 3;
                m.strut_angle = 89.9999;
                m.rebar_chosen = 1;
                m.lp = 10.0;
                m.hk_end = 10.0;
                m.load_a = v == 0.0 ? 20.0 : v;
                m.inclination = v;
                m.e1 = v;
                m.rebar.layers = 3;
                m.rebar.layer_diameter[0] = 7;
                m.rebar.layer_diameter[1] = 12;
                m.rebar.layer_diameter[2] = 99;
                m.rebar.layer_bars[0] = 2;
                for (Bar_Group& g : m.rebar.group) g = Bar_Group{2000000000, 5, 3};
                m.rebar.member_count[0] = m.rebar.member_count[1] = 2000000000;
                m.rebar.end_count[0] = 3;
                m.rebar.spacing[0] = m.rebar.spacing[1] = 10.0;
                m.rebar.beam_end_legs = 2000000000;
                m.rebar.anchorage[0] = v;
                m.rebar.member_axis_given = 12.0;
                m.summary.z3 = v;
                m.summary.short_main = m.summary.short_incl = 1;
                for (int mode = 0; mode <= 1; ++mode) {
                    double s = 0.0;
                    const int height = Compute_Sketch_Layout(&m, mode, &s);
                    corbel_edit_buffer.sketch_scale_x = s;
                    Draw_Corbel_Sketch(0, 0, 429, std::max(height, 60) - 1, &m, mode);
                }
            }
    Screen_Reset_For_Tests();
}

TEST(CorbelSketchScreen, SupportCorbelRunsOnAndBeamEndCorbelsCentre)
{
    Screen_Start_For_Tests("", 640, 480);
    Init_Screen_Palette();
    const uint32_t concrete = Rgb(233, 233, 233);
    Corbel_Model m = Column_Corbel(40, 30, 20, 0);
    m.system = SYSTEM_SUPPORT_CORBEL;
    corbel_edit_buffer.sketch_scale_x = 2.0;
    Draw_Corbel_Sketch(0, 0, 429, 299, &m, 0);
    // Face at 50 + 60; the corbel is 40 pixels deep from y 10, the member 80.
    EXPECT_EQ(Screen_Pixel_For_Tests(80, 30), concrete);        // the nib
    EXPECT_NE(Screen_Pixel_For_Tests(80, 60), concrete);        // below the nib
    EXPECT_EQ(Screen_Pixel_For_Tests(130, 70), concrete);       // the member
    EXPECT_EQ(Screen_Pixel_For_Tests(418, 30), concrete);       // runs on to the margin...
    EXPECT_NE(Screen_Pixel_For_Tests(420, 30), Rgb(0, 0, 0));   // ...without an edge line

    // A beam-end corbel whose beam and nib fit into half the span is centred.
    m.execution = EXECUTION_BEAM_END;
    m.beam_height = 30.0;
    Draw_Corbel_Sketch(0, 0, 429, 299, &m, 0);
    const int face = (50 + 419) / 2;
    EXPECT_EQ(Screen_Pixel_For_Tests(face - 30, 30), concrete);
    EXPECT_NE(Screen_Pixel_For_Tests(face - 70, 30), concrete);
    EXPECT_EQ(Screen_Pixel_For_Tests(face + 50, 80), concrete);
    EXPECT_NE(Screen_Pixel_For_Tests(face + 70, 80), concrete);
    Screen_Reset_For_Tests();
}

// The drawn reinforcement dimensions the tie's node distance in a row of its own below the
// chain of the column's width and the corbel's length, the sketch 20 pixels taller for it.
TEST(CorbelSketchScreen, NodeDistanceStandsBelowTheWidthChain)
{
    Screen_Start_For_Tests("", 640, 480);
    Init_Screen_Palette();
    Corbel_Model m = Column_Corbel(36, 30, 45, 3);
    m.rebar_chosen = 1;
    m.rebar.member_axis_given = 12.0;
    double s = 0.0;
    const int plain = Compute_Sketch_Layout(&m, 0, &s);
    const int height = Compute_Sketch_Layout(&m, 1, &s);
    EXPECT_EQ(height, plain + 20);
    corbel_edit_buffer.sketch_scale_x = s;
    Draw_Corbel_Sketch(0, 0, 429, height - 1, &m, 1);
    int lowest = 0, in_lowest = 0;
    for (const Sketch_Box& t : Sketch_Texts()) lowest = std::max(lowest, t.y2);
    for (const Sketch_Box& t : Sketch_Texts()) in_lowest += t.y2 == lowest;
    EXPECT_EQ(lowest, height - 1 - 20 + 3);
    EXPECT_EQ(in_lowest, 1);
    Screen_Reset_For_Tests();
}

// A corbel deeper than its beam (B1_03) and a shallow one on a column: the rectangle the
// sheets give the sketch holds the corbel's top, the load arrow and the plate's dimension.
TEST(CorbelSketchScreen, EverythingAboveTheCorbelStaysInsideTheFrame)
{
    Screen_Start_For_Tests("", 640, 600);
    Init_Screen_Palette();
    Corbel_Model beam_end = Column_Corbel(60, 20, 30, 0);
    beam_end.execution = EXECUTION_BEAM_END;
    beam_end.at_slab = 1;
    beam_end.beam_height = 24.0;
    beam_end.lp = 10.0;
    Corbel_Model shallow = Column_Corbel(40, 30, 15, 5);
    shallow.lp = 15.0;
    for (const Corbel_Model& m : {beam_end, shallow}) {
        double s = 0.0;
        const int height = Compute_Sketch_Layout(&m, 0, &s) + Sketch_Top_Overflow(&m, s);
        corbel_edit_buffer.sketch_scale_x = s;
        pxFgc(Nearest_RGB_Color(1, 2, 3));
        pxRect(0, 0, 639, 599);
        Draw_Corbel_Sketch(0, 100, 429, 100 + height - 1, &m, 0);
        int above = 0;
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 640; ++x) above += Screen_Pixel_For_Tests(x, y) != Rgb(1, 2, 3);
        EXPECT_EQ(above, 0);
        for (const Sketch_Box& t : Sketch_Texts()) EXPECT_GE(t.y1, 100);
    }
    Screen_Reset_For_Tests();
}

static bool Overlap(const Sketch_Box& a, const Sketch_Box& b)
{
    return a.x1 <= b.x2 && a.x2 >= b.x1 && a.y1 <= b.y2 && a.y2 >= b.y1;
}

// Lays the sketch out at its own scale and draws it at the screen's origin.
static void Draw_At_Own_Scale(const Corbel_Model& m, int mode)
{
    double s = 0.0;
    const int height = Compute_Sketch_Layout(&m, mode, &s);
    corbel_edit_buffer.sketch_scale_x = corbel_edit_buffer.sketch_scale_y = s;
    Draw_Corbel_Sketch(0, 0, 429, height - 1, &m, mode);
}

// A chamfered corbel whose free end (10 cm) is barely deeper than d1k (6 cm): no
// dimension's extension line strikes a label through, with or without the reinforcement.
TEST(CorbelSketchScreen, LabelsOfAChamferedCorbelStayClearOfExtensionLines)
{
    Screen_Start_For_Tests("", 640, 480);
    Init_Screen_Palette();
    Corbel_Model m = Column_Corbel(36, 30, 40, 3);
    m.hk_end = 30.0;
    m.d1k = 6.0;
    m.lp = 15.0;
    for (int mode : {0, 1}) {
        Draw_At_Own_Scale(m, mode);
        ASSERT_FALSE(Sketch_Texts().empty());
        for (const Sketch_Box& t : Sketch_Texts())
            for (const Sketch_Box& k : Sketch_Strokes())
                EXPECT_FALSE(Overlap(k, t))
                    << "mode " << mode << ": label " << t.x1 << "," << t.y1 << "-" << t.x2 << "," << t.y2
                    << " stroke " << k.x1 << "," << k.y1 << "-" << k.x2 << "," << k.y2;
    }
    Screen_Reset_For_Tests();
}

// A support corbel nearly as deep as its member (hk 50, h 60): the short d1k's label and
// the plate's meet low at the left, and the load's "A" stands on the load distance's row.
// No label covers another, and no black line runs through the red "A" or "H".
TEST(CorbelSketchScreen, LabelsOfACrampedSupportCorbelKeepClearOfEachOther)
{
    Screen_Start_For_Tests("", 640, 480);
    Init_Screen_Palette();
    Corbel_Model m = Column_Corbel(60, 25, 50, 0);
    m.system = SYSTEM_SUPPORT_CORBEL;
    m.connection = CONNECTION_BEAM;
    m.beam_height = 120.0;
    m.e1 = 12.0;
    m.lp = 10.0;
    m.load_a = 12.5;
    Draw_At_Own_Scale(m, 0);
    const std::vector<Sketch_Box>& texts = Sketch_Texts();
    ASSERT_GE(texts.size(), 9u);
    for (size_t i = 0; i < texts.size(); ++i) {
        const Sketch_Box& a = texts[i];
        for (size_t j = i + 1; j < texts.size(); ++j) {
            const Sketch_Box& b = texts[j];
            EXPECT_FALSE(Overlap(a, b))
                << a.x1 << "," << a.y1 << " on " << b.x1 << "," << b.y1;
        }
        int red = 0, black = 0;
        for (int y = a.y1; y <= a.y2; ++y)
            for (int x = a.x1; x <= a.x2; ++x) {
                const uint32_t p = Screen_Pixel_For_Tests(x, y);  // glyphs are smoothed
                red += (p >> 16) > 100 && ((p >> 8) & 0xFF) < 80 && (p & 0xFF) < 80;
                black += p == Rgb(0, 0, 0);
            }
        if (red > 0) {
            EXPECT_EQ(black, 0) << "load letter at " << a.x1 << "," << a.y1;
        }
    }
    Screen_Reset_For_Tests();
}
