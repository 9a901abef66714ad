#include "core/position_file.h"

#include "annex/nad_choice.h"
#include "annex/nad_legacy.h"
#include "base/alloc.h"
#include "base/component_files.h"
#include "core/corbel_model.h"
#include "core/startup.h"
#include "platform/messages.h"
#include "report/position_title.h"
#include "file_size_limit.h"
#include "test_support.h"

#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <unistd.h>
#include <vector>

namespace {

// A name of a load row as the file keeps it: 40 characters, blanks as '~'.
std::string Name_Line(std::string name)
{
    name.resize(40, ' ');
    for (char& c : name)
        if (c == ' ') c = '~';
    return " " + name + "\n";
}

// A position file of the given version in which every stored value is distinct. The
// values pass the data check unchanged: a user-defined concrete and steel, the position's
// own partial factors ("frei"), no chosen reinforcement, a geometry inside every clamp.
std::string Sample_File(int version)
{
    std::string s = " " + std::to_string(version) + "\n";
    s += " 4 0 3 0\n";
    s += " 0\n 4 0 1.400000 1.100000 1.050000 1.020000 1.300000 1.120000\n";
    s += " 1 3 4 5 6 7 8\n";
    s += " 0\n 40\n";
    s += " 31.000000 2.100000 3.400000 1.800000 2.700000 39.000000 33500.000000 2400.000000"
         " 2.200000 3.300000 1.750000 3.450000\n";
    s += " 15 510.000000 545.000000 50.000000 201000.000000 7.000000\n";
    s += " 15 510.000000 545.000000 50.000000 201000.000000 7.000000\n";
    s += version >= 3 ? " 1 0 1\n" : " 1 0\n";
    s += " 40.000000 50.000000 110.000000 6.500000 11.000000 35.000000 45.000000 20.000000"
         " 5.500000 12.000000 25.000000\n";
    s += " 0 2 0.550000 50.000000 17.000000 2.500000 1 1 35.000000 1 80.000000 0.250000 14.000000\n";
    s += version >= 1 ? " 0 2 3.500000 4.000000 3 1 2\n" : " 2 3.500000 4.000000 3 1 2\n";
    s += " 2 7 3 8 1 9\n";
    s += " 3 1 2 4 2 1 5 3 2 6 4 1 0 7 5 2 8 6 1 9 10 7 8";
    s += version >= 2 ? " 11 12 9 10\n" : "\n";
    s += " 15.000000 20.000000 7.500000 8.500000";
    if (version <= 0) s += " 1.0 2.0 3.0 4.0 5.0";
    if (version >= 3) s += " 0.000000 0.000000";
    s += "\n";
    if (version >= 4)
        s += " 41.000000 42.000000 43.000000 44.000000 45.000000 46.000000 47.000000 48.000000 49.000000\n";
    s += " 0\n 1 0 1 1 5 25.000000 0 1 1 0 1 -2 1 0\n 15 Konsole~B/3\nneu\n";
    s += " 0\n 1 2\n" + Name_Line("Lk 1 Wind") + " 50000.000000 250000.000000\n" + Name_Line("Anprall") +
         " -12000.500000 0.000000\n";
    s += " 1\n" + Name_Line("Oberlast") + " 30000.000000 150000.000000\n";
    return s;
}

std::string Annex_Block(const std::string& name) { return "\n\nACTIV_NADNAME\n" + In_Guillemets(name) + "\n"; }

std::string Written(Corbel_Model* m)
{
    File_Stream out;
    EXPECT_EQ(Write_Corbel_Model(out.get(), m), 0);
    return out.bytes();
}

int Read_Text(const std::string& text, Corbel_Model* m)
{
    File_Stream in(text);
    return Read_Corbel_Model(in.get(), m);
}

const char* const newer_input_text =
    "!! ACHTUNG !!\nDie Eingabedatei ist aktueller als die Programmversion\nBitte aktualisieren Sie das Programm.";
const char* const newer_import_text =
    "!! ACHTUNG !!\nDie Importdatei ist aktueller als die Programmversion\nBitte fordern Sie eine neue "
    "Programmversion an.";

// Every test leaves the shared state (annex choice, messages, flags, paths) as a new run
// has it.
class PositionFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::setenv("DRAM", dram_.path().c_str(), 1);
        refresh_mode = 0;
        import_in_progress = 0;
        Clear_Shown_Messages();
        Set_Message_Answer(0);
    }
    void TearDown() override
    {
        import_in_progress = 0;
        Clear_Shown_Messages();
        Set_Component_Path("");
        NAD_Legacy_Free_List();
        NAD_Forget_Choice();
        ::unsetenv("DRAM");
        ::unsetenv("TEMP");
        // What the tests made in their own model.
        for (int k = 0; k < 2; ++k) MEM_FREE(model_.load_table[k]);
        MEM_FREE(model_.results);
        MEM_FREE(model_.print_options.remarks);
    }

    Temp_Dir dram_;
    Corbel_Model model_{};
};

} // namespace

// The file's order of items and fields, checked on a file in which every value differs.
TEST_F(PositionFile, LayoutOfTheCurrentVersionReadsIntoTheRightFieldsAndBack)
{
    Corbel_Model& m = model_;
    ASSERT_EQ(Read_Text(Sample_File(4), &m), 0);
    using Ints = std::vector<int>;
    using Reals = std::vector<double>;
    const NAD_Safety_Factors& f = m.safety_factors;
    const Corbel_Rebar_Choice& r = m.rebar;
    const Bar_Group* g = r.group;

    EXPECT_EQ((Ints{m.norm_code, m.online_calculation, m.design_situation, m.rebar_chosen, f.from_annex}),
              (Ints{4, 0, 3, 0, 0}));
    EXPECT_EQ((Reals{f.gamma_c, f.gamma_s, f.gamma_c_sls, f.gamma_s_sls, f.gamma_c_fat, f.gamma_s_fat}),
              (Reals{1.4, 1.1, 1.05, 1.02, 1.3, 1.12}));
    EXPECT_EQ((Ints{m.cover_from_exposure, m.exposure_first[0], m.exposure_first[1], m.exposure_first[2],
                    m.exposure_second[0], m.exposure_second[1], m.exposure_second[2], m.system, m.concrete_class}),
              (Ints{1, 3, 4, 5, 6, 7, 8, 0, 40}));
    // The file keeps the concrete values and the geometry in orders of its own.
    EXPECT_EQ((Reals{m.fck, m.eps_c2, m.eps_cu2, m.n_parabola, m.fctm, m.fcm, m.Ecm, m.density, m.eps_c1,
                     m.eps_cu1, m.eps_c3, m.eps_cu3}),
              (Reals{31, 2.1, 3.4, 1.8, 2.7, 39, 33500, 2400, 2.2, 3.3, 1.75, 3.45}));
    EXPECT_EQ(m.steel_class[0], 15);
    EXPECT_EQ((Reals{m.fyk[0], m.ftk[0], m.euk[0], m.Es[0], m.steel_fifth[0]}), (Reals{510, 545, 50, 201000, 7}));
    EXPECT_EQ((Ints{m.connection, m.execution, m.at_slab}), (Ints{1, 0, 1}));
    EXPECT_EQ((Reals{m.b, m.h, m.beam_height, m.d1, m.e1, m.lk, m.hk, m.hk_end, m.d1k, m.lp, m.bp}),
              (Reals{40, 50, 110, 6.5, 11, 35, 45, 20, 5.5, 12, 25}));
    EXPECT_EQ((Ints{m.load_transfer, m.method, m.bed_joint, m.strut_angle_mode, m.fatigue_check}),
              (Ints{0, 2, 1, 1, 1}));
    EXPECT_EQ((Reals{m.load_share, m.inclination, m.load_a, m.load_height, m.strut_angle, m.stress_range,
                     m.fatigue_value, m.first_loading}),
              (Reals{0.55, 50, 17, 2.5, 35, 80, 0.25, 14}));

    EXPECT_EQ((Ints{r.compute_anchorage, r.bond_conditions, r.layers, r.loops, r.beam_end_legs}),
              (Ints{0, 2, 3, 1, 2}));
    EXPECT_EQ((Reals{r.cover_v, r.cover_h}), (Reals{3.5, 4.0}));
    EXPECT_EQ((Ints{r.layer_bars[0], r.layer_diameter[0], r.layer_bars[1], r.layer_diameter[1], r.layer_bars[2],
                    r.layer_diameter[2]}),
              (Ints{2, 7, 3, 8, 1, 9}));
    // Group 6 stands before group 5 in the file.
    EXPECT_EQ((Ints{g[0].count, g[0].diameter, g[0].legs, g[1].count, g[1].diameter, g[1].legs, g[2].count,
                    g[2].diameter, g[2].legs, g[3].count, g[3].diameter, g[3].legs, r.inclined_loops,
                    g[5].count, g[5].diameter, g[5].legs, g[4].count, g[4].diameter, g[4].legs}),
              (Ints{3, 1, 2, 4, 2, 1, 5, 3, 2, 6, 4, 1, 0, 7, 5, 2, 8, 6, 1}));
    EXPECT_EQ((Ints{r.member_count[0], r.member_count[1], r.member_diameter[0], r.member_diameter[1],
                    r.end_count[0], r.end_count[1], r.end_diameter[0], r.end_diameter[1]}),
              (Ints{9, 10, 7, 8, 11, 12, 9, 10}));
    EXPECT_EQ((Reals{r.spacing[0], r.spacing[1], r.spacing[2], r.spacing[3], r.anchorage[0], r.anchorage[8]}),
              (Reals{15, 20, 7.5, 8.5, 41, 49}));

    EXPECT_EQ((Ints{m.print_options.switches[9], m.print_options.switches[10], m.unit_switch, m.load_count[0],
                    m.load_count[1]}),
              (Ints{5, -2, 1, 2, 1}));
    EXPECT_EQ(m.print_options.scale, 25.0);
    ASSERT_NE(m.print_options.remarks, nullptr);
    EXPECT_STREQ(m.print_options.remarks, "Konsole B/3\nneu");
    EXPECT_STREQ(m.load_table[0][0].name, "Lk 1 Wind");
    EXPECT_EQ((Reals{m.load_table[0][0].H, m.load_table[0][0].A, m.load_table[0][1].H}),
              (Reals{50000, 250000, -12000.5}));
    EXPECT_STREQ(m.load_table[1][0].name, "Oberlast");
    // The results follow the rows read.
    ASSERT_NE(m.results, nullptr);
    EXPECT_EQ(m.summary.governing_case, -1);

    // Written back, the file is the same bytes.
    EXPECT_EQ(Written(&m), Sample_File(4));
    EXPECT_TRUE(Shown_Messages().empty());
}

TEST_F(PositionFile, OlderVersionsSupplyWhatTheyDidNotStore)
{
    Corbel_Model& m = model_;

    using Ints = std::vector<int>;
    const Corbel_Rebar_Choice& r = m.rebar;
    // at slab, anchorage switch, groups 9 and 10, anchorage values (as ints), layers
    auto stored = [&] {
        return Ints{m.at_slab, r.compute_anchorage, r.end_count[0], r.end_diameter[1], int(r.anchorage[0]),
                    int(r.anchorage[8]), r.layers, r.member_diameter[1], m.load_count[1]};
    };
    ASSERT_EQ(Read_Text(Sample_File(3), &m), 0);  // without the anchorage values
    EXPECT_EQ(stored(), (Ints{1, 0, 11, 10, 0, 0, 3, 8, 1}));
    ASSERT_EQ(Read_Text(Sample_File(2), &m), 0);  // nor the at-slab flag and the two zeros
    EXPECT_EQ(stored(), (Ints{0, 0, 11, 10, 0, 0, 3, 8, 1}));
    EXPECT_EQ(r.spacing[3], 8.5);
    ASSERT_EQ(Read_Text(Sample_File(1), &m), 0);  // nor groups 9 and 10
    EXPECT_EQ(stored(), (Ints{0, 0, 0, 0, 0, 0, 3, 8, 1}));
    ASSERT_EQ(Read_Text(Sample_File(0), &m), 0);  // nor the switch; five dropped reals
    EXPECT_EQ(stored(), (Ints{0, 1, 0, 0, 0, 0, 3, 8, 1}));
    EXPECT_EQ(r.bond_conditions, 2);
    EXPECT_EQ(r.spacing[0], 15.0);
    EXPECT_STREQ(m.print_options.remarks, "Konsole B/3\nneu");

    // Numbers from 9999 on are never newer: read as the current version.
    std::string text = Sample_File(4);
    ASSERT_EQ(Read_Text(" 9999" + text.substr(2), &m), 0);
    EXPECT_EQ(m.rebar.anchorage[8], 49.0);
    EXPECT_EQ(Written(&m), text);
    EXPECT_TRUE(Shown_Messages().empty());
}

TEST_F(PositionFile, NewerNegativeAndBrokenVersions)
{
    Corbel_Model& m = model_;
    const std::string body = Sample_File(4).substr(2);

    // A negative version asks for the defaults.
    EXPECT_EQ(Read_Text(" -1" + body, &m), 2);
    EXPECT_EQ(m.method, 2);
    EXPECT_EQ(m.b, 30.0);
    EXPECT_EQ(m.rebar_chosen, 1);
    EXPECT_TRUE(Shown_Messages().empty());

    // A newer one is refused with the wording of the input file, or of the import file.
    EXPECT_EQ(Read_Text(" 5" + body, &m), 1);
    ASSERT_EQ(Shown_Messages().size(), 1u);
    EXPECT_EQ(Shown_Messages()[0].text, newer_input_text);
    import_in_progress = 1;
    EXPECT_EQ(Read_Text(" 9998" + body, &m), 1);
    ASSERT_EQ(Shown_Messages().size(), 2u);
    EXPECT_EQ(Shown_Messages()[1].text, newer_import_text);
    import_in_progress = 0;
    // In a refresh run without a word.
    refresh_mode = 1;
    EXPECT_EQ(Read_Text(" 5" + body, &m), 1);
    EXPECT_EQ(Shown_Messages().size(), 2u);
    refresh_mode = 0;

    EXPECT_EQ(Read_Text("", &m), 1);
    EXPECT_EQ(Read_Text("vier\n", &m), 1);
    EXPECT_EQ(Read_Corbel_Model(nullptr, &m), 1);
    EXPECT_EQ(Write_Corbel_Model(nullptr, &m), 1);
}

// Every file that ends before its last item is a read error, and whatever was read up to
// there leaves the model whole (tables and results agree).
TEST_F(PositionFile, EveryCutFileIsAReadError)
{
    Corbel_Model& m = model_;
    const std::string text = Sample_File(4);
    int cuts = 0;
    for (size_t p = text.find('\n'); p + 1 < text.size(); p = text.find('\n', p + 1)) {
        EXPECT_EQ(Read_Text(text.substr(0, p + 1), &m), 1) << text.substr(0, p + 1);
        EXPECT_GE(m.load_count[0], 1);
        EXPECT_NE(m.results, nullptr);
        ++cuts;
    }
    EXPECT_GE(cuts, 30);
    // A value that is not a number.
    std::string broken = text;
    broken.replace(broken.find("35.000000 45.000000"), 9, "35,5");
    EXPECT_EQ(Read_Text(broken, &m), 1);
}

// The conversions read "nan" and "inf", which no writer writes: in any real of the body
// or of its blocks they are damage, in the position file as in the export file.
TEST_F(PositionFile, ValuesThatAreNoNumbersAreDamage)
{
    const std::string text = Sample_File(4);
    for (const char* place : {"45.000000 20.000000", "1.400000 1.100000", "25.000000 0 1 1",
                              "50000.000000 250000.000000", "150000.000000"}) {
        for (const char* value : {"nan", "-inf", "INF", "infinity", "NAN(1)"}) {
            std::string damaged = text;
            const size_t at = damaged.find(place);
            ASSERT_NE(at, std::string::npos) << place;
            const std::string first = std::string(place).substr(0, std::string(place).find(' '));
            damaged.replace(at, first.size(), value);
            EXPECT_EQ(Read_Text(damaged, &model_), 1) << place << " " << value;
        }
    }
}

// An integer beyond the range of an int is damage in every block of the file: read with
// "%d" it would wrap, here to the very value the sample holds.
TEST_F(PositionFile, IntegersBeyondTheirRangeAreDamage)
{
    const std::string text = Sample_File(4);
    ASSERT_EQ(Read_Text(text, &model_), 0);
    const std::pair<const char*, const char*> cases[] = {
        {" 4\n 4 0 3 0\n", " 4294967300\n 4 0 3 0\n"},          // version
        {" 4 0 3 0\n", " 4 0 4294967299 0\n"},                    // design situation
        {" 0\n 4 0 1.400000", " 0\n 4 0 -4294967296 1.400000"},  // from-annex flag
        {" 0\n 40\n", " 0\n 4294967336\n"},                       // concrete class
        {" 3 1 2 4 2 1 5", " 4294967299 1 2 4 2 1 5"},             // a bar count
        {" 0\n 1 0 1 1 5 25.0", " 0\n 1 0 1 1 4294967301 25.0"}, // a print switch
        {" 0\n 1 2\n", " 0\n 1 4294967298\n"},                   // a load table's rows
    };
    for (const auto& [sound, damaged] : cases) {
        std::string t = text;
        const size_t at = t.find(sound);
        ASSERT_NE(at, std::string::npos) << sound;
        t.replace(at, std::strlen(sound), damaged);
        EXPECT_EQ(Read_Text(t, &model_), 1) << damaged;
    }
}

// The model holds ten layers: a file announcing more, or a negative count, is damaged.
TEST_F(PositionFile, LayerCountOutsideTheModelIsAReadError)
{
    Corbel_Model& m = model_;
    const std::string text = Sample_File(4);
    const std::string layer_part = " 0 2 3.500000 4.000000 3 1 2\n 2 7 3 8 1 9\n";
    ASSERT_NE(text.find(layer_part), std::string::npos);
    auto with_layers = [&](int count, int pairs) {
        std::string part = " 0 2 3.500000 4.000000 " + std::to_string(count) + " 1 2\n";
        for (int i = 0; i < pairs; ++i) part += " 1 5";
        if (pairs > 0) part += "\n";
        std::string t = text;
        t.replace(t.find(layer_part), layer_part.size(), part);
        return t;
    };

    EXPECT_EQ(Read_Text(with_layers(11, 11), &m), 1);
    EXPECT_EQ(m.rebar.layers, 0);
    EXPECT_EQ(Read_Text(with_layers(2147483647, 0), &m), 1);
    EXPECT_EQ(Read_Text(with_layers(-1, 0), &m), 1);
    EXPECT_EQ(m.rebar.layers, 0);

    ASSERT_EQ(Read_Text(with_layers(10, 10), &m), 0);
    EXPECT_EQ(m.rebar.layers, 10);
    EXPECT_EQ(m.rebar.layer_diameter[9], 5);
    EXPECT_EQ(Written(&m), with_layers(10, 10));

    // No layers: no layer line at all, neither written nor read.
    ASSERT_EQ(Read_Text(with_layers(0, 0), &m), 0);
    EXPECT_EQ(m.rebar.layers, 0);
    EXPECT_EQ(Written(&m), with_layers(0, 0));

    // The writer never makes a file its reader refuses.
    ASSERT_EQ(Read_Text(with_layers(10, 10), &m), 0);
    m.rebar.layers = 12;
    EXPECT_EQ(Written(&m), with_layers(10, 10));
    m.rebar.layers = -3;
    EXPECT_EQ(Written(&m), with_layers(0, 0));
}

TEST_F(PositionFile, CrLfFilesNamesAndRemarks)
{
    Corbel_Model& m = model_;
    // A file that went through a Windows editor reads the same and is written back in LF.
    ASSERT_EQ(Read_Text(To_CRLF(Sample_File(4)), &m), 0);
    EXPECT_STREQ(m.print_options.remarks, "Konsole B/3\nneu");
    EXPECT_STREQ(m.load_table[1][0].name, "Oberlast");
    EXPECT_EQ(Written(&m), Sample_File(4));

    // Names with blanks, a tab and more than 40 characters: one word in the file, cut to
    // 40 characters, read back with blanks.
    std::snprintf(m.load_table[0][0].name, sizeof m.load_table[0][0].name, "%s", "Wind\tvon links");
    std::snprintf(m.load_table[0][1].name, sizeof m.load_table[0][1].name, "%s",
                  "Anprall an der Stuetze mit sehr langem Namen");
    MEM_FREE(m.print_options.remarks);
    m.print_options.remarks = MEM_STRDUP("Erste Zeile mit ~ Tilde\nzweite Zeile");
    const std::string text = Written(&m);
    EXPECT_NE(text.find(" Wind~von~links~"), std::string::npos);
    EXPECT_NE(text.find(" 36 Erste~Zeile~mit~~~Tilde\nzweite~Zeile\n"), std::string::npos);
    ASSERT_EQ(Read_Text(text, &m), 0);
    EXPECT_STREQ(m.load_table[0][0].name, "Wind von links");
    EXPECT_STREQ(m.load_table[0][1].name, "Anprall an der Stuetze mit sehr langem N");
    EXPECT_STREQ(m.print_options.remarks, "Erste Zeile mit   Tilde\nzweite Zeile");
    EXPECT_EQ(m.load_table[0][1].H, -12000.5);
}

TEST_F(PositionFile, AFailedWriteIsReported)
{
    FILE* full = std::fopen("/dev/full", "w");
    if (!full) GTEST_SKIP() << "no /dev/full";
    std::setvbuf(full, nullptr, _IONBF, 0);
    ASSERT_EQ(Read_Text(Sample_File(4), &model_), 0);
    EXPECT_EQ(Write_Corbel_Model(full, &model_), 1);
    std::fclose(full);

    // A medium that takes the text only up to some byte: the writer reports the failure
    // wherever it happens (and only then), with the result 1.
    File_Stream whole;
    ASSERT_EQ(Write_Corbel_Model(whole.get(), &model_), 0);
    const size_t size = whole.bytes().size();
    std::vector<char> buffer(size);
    for (size_t room = 1; room <= size; ++room) {
        FILE* f = fmemopen(buffer.data(), room, "w");
        ASSERT_NE(f, nullptr);
        std::setvbuf(f, nullptr, _IONBF, 0);
        EXPECT_EQ(Write_Corbel_Model(f, &model_), room < size ? 1 : 0) << room << " of " << size;
        std::fclose(f);
    }
}

// The start-up read of the position through the component path.
class PositionInput : public PositionFile {
protected:
    void SetUp() override
    {
        PositionFile::SetUp();
        saved_file_id_ = file_id;
        saved_inp_ = inp_file_name;
        file_id = 1;
        inp_file_name = "_01.INP";
        Set_Component_Path((dir_.path() + "\\B1").c_str());
    }
    void TearDown() override
    {
        file_id = saved_file_id_;
        inp_file_name = saved_inp_;
        PositionFile::TearDown();
    }

    Temp_Dir dir_;
    int saved_file_id_ = 0;
    std::string saved_inp_;
};

TEST_F(PositionInput, MissingReadDamagedNegativeAndNewerFiles)
{
    // No file: in the editor a new position with the defaults (the annex's factors, online
    // calculation on), no message; a refresh run reports the empty position.
    corbel_model.input_read_failed = 1;
    Read_Position_Input();
    EXPECT_EQ(corbel_model.method, 2);
    EXPECT_EQ(corbel_model.b, 30.0);
    EXPECT_EQ(corbel_model.online_calculation, 1);
    EXPECT_EQ(corbel_model.safety_factors.gamma_c, 1.5);
    EXPECT_EQ(corbel_model.input_read_failed, 0);
    EXPECT_TRUE(Shown_Messages().empty());
    refresh_mode = 1;
    Read_Position_Input();
    refresh_mode = 0;
    EXPECT_EQ(corbel_model.norm_code, 4);
    EXPECT_EQ(corbel_model.method, 0);
    EXPECT_EQ(corbel_model.online_calculation, 0);
    EXPECT_EQ(corbel_model.b, 0.0);

    // A good file: read, its import protocol kept as "_TMP.EXP", its annex chosen.
    const std::string inp = dir_.file("B1_01.INP");
    const std::string tmp_exp = dir_.file("B1_01_TMP.EXP");
    ASSERT_TRUE(Write_File_Bytes(dir_.file("B1_01.EXP"), "Import aus Position 3\r\n"));
    ASSERT_TRUE(Write_File_Bytes(inp, Sample_File(4) + Annex_Block("EC-Standardparameter")));
    Read_Position_Input();
    EXPECT_EQ(corbel_model.lk, 35.0);
    EXPECT_EQ(corbel_model.load_count[0], 2);
    EXPECT_EQ(corbel_model.input_read_failed, 0);
    EXPECT_EQ(Read_File_Bytes(tmp_exp), "Import aus Position 3\r\n");
    EXPECT_STREQ(NAD_Get_Active_Name(), "EC-Standardparameter");
    EXPECT_TRUE(Shown_Messages().empty());

    // A damaged file: told, the defaults, and remembered so that a save asks first. The
    // annex is still taken from the file.
    NAD_Forget_Choice();
    std::remove(tmp_exp.c_str());
    ASSERT_TRUE(Write_File_Bytes(inp, Sample_File(4).substr(0, 200) + Annex_Block("EC-Standardparameter")));
    Read_Position_Input();
    ASSERT_EQ(Shown_Messages().size(), 1u);
    EXPECT_EQ(Shown_Messages()[0].title, "Lesefehler");
    EXPECT_EQ(Shown_Messages()[0].text,
              "Die Eingabedaten k\xF6nnen nicht gelesen werden!\nDer Datenzustand wird auf\n"
              "voreingestellte Werte gesetzt!");
    EXPECT_EQ(corbel_model.method, 2);
    EXPECT_EQ(corbel_model.lk, 30.0);
    EXPECT_EQ(corbel_model.input_read_failed, 1);
    EXPECT_TRUE(File_Exists(tmp_exp));
    EXPECT_STREQ(NAD_Get_Active_Name(), "EC-Standardparameter");

    // A file asking for the defaults: no message, no copy of the protocol, nothing failed.
    Clear_Shown_Messages();
    std::remove(tmp_exp.c_str());
    ASSERT_TRUE(Write_File_Bytes(inp, " -1\n"));
    Read_Position_Input();
    EXPECT_TRUE(Shown_Messages().empty());
    EXPECT_FALSE(File_Exists(tmp_exp));
    EXPECT_EQ(corbel_model.method, 2);
    EXPECT_EQ(corbel_model.input_read_failed, 0);
    EXPECT_STREQ(NAD_Get_Active_Name(), "Deutschland");

    // A file of a newer program: refused, then handled like any read error.
    ASSERT_TRUE(Write_File_Bytes(inp, " 5" + Sample_File(4).substr(2)));
    Read_Position_Input();
    ASSERT_EQ(Shown_Messages().size(), 2u);
    EXPECT_EQ(Shown_Messages()[0].text, newer_input_text);
    EXPECT_EQ(Shown_Messages()[1].title, "Lesefehler");
    EXPECT_EQ(corbel_model.input_read_failed, 1);
}

// Saving writes exactly what the reader takes; a save that fails keeps the old file whole.
TEST_F(PositionInput, SaveReplacesTheFileOnlyWhenWrittenWhole)
{
    const std::string inp = dir_.file("B1_01.INP");
    ASSERT_EQ(Read_Text(Sample_File(4), &corbel_model), 0);
    EXPECT_EQ(Save_Position_Input(), 0);
    EXPECT_EQ(Read_File_Bytes(inp), Sample_File(4) + Annex_Block("Deutschland"));
    EXPECT_TRUE(Shown_Messages().empty());

    const std::string older = Sample_File(2) + Annex_Block("EC-Standardparameter");
    ASSERT_TRUE(Write_File_Bytes(inp, older));
    const int child = Run_With_File_Size_Limit(100, [] {
        const int r = Save_Position_Input();
        // The box names the file and the reason.
        const bool told = Shown_Messages().size() == 1 &&
                          Shown_Messages()[0].text.starts_with("Die Eingabedaten k\xF6nnen nicht gespeichert werden!\n") &&
                          Shown_Messages()[0].text.ends_with("B1_01.INP\nGrund: die Datei wird zu gro\xDF");
        return r * 10 + (told ? 1 : 0);
    });
    EXPECT_EQ(child, 11);
    EXPECT_EQ(Read_File_Bytes(inp), older);
    EXPECT_EQ(Folder_Names(dir_.path()), std::set<std::string>{"B1_01.INP"});
}

// The example position shipped with the program is what its writer makes, and reads.
TEST_F(PositionInput, ShippedExampleReadsWithoutError)
{
    const std::string source = CORBEL_SOURCE_DIR "/examples/B1_01.INP";
    const std::string bytes = Read_File_Bytes(source);
    ASSERT_FALSE(bytes.empty()) << source;
    ASSERT_TRUE(Write_File_Bytes(dir_.file("B1_01.INP"), bytes));
    Read_Position_Input();
    EXPECT_TRUE(Shown_Messages().empty());
    EXPECT_EQ(corbel_model.input_read_failed, 0);
    EXPECT_GE(corbel_model.load_count[0], 3);
    EXPECT_EQ(Check_Corbel_Model(&corbel_model, nullptr, 0, 0), 0);

    const size_t annex = bytes.find("\n\nACTIV_NADNAME\n");
    ASSERT_NE(annex, std::string::npos);
    EXPECT_EQ(bytes.substr(annex), Annex_Block("Deutschland"));
    EXPECT_EQ(Written(&corbel_model), bytes.substr(0, annex));

    EXPECT_EQ(Read_Position_Title(CORBEL_SOURCE_DIR "/examples/B1_01.TXT"), 0);
    EXPECT_FALSE(position_number.empty());
    EXPECT_FALSE(position_title.empty());
    position_number.clear();
    position_title.clear();
}

namespace {

// The sample with the given strut angle (the sample's angle lies inside every limit).
std::string With_Strut_Angle(const std::string& file, const char* angle)
{
    std::string s = file;
    const std::string given = " 1 1 35.000000 ";
    const size_t at = s.find(given);
    EXPECT_NE(at, std::string::npos);
    if (at != std::string::npos) s.replace(at, given.size(), std::string(" 1 1 ") + angle + " ");
    return s;
}

constexpr double kThetaCot3 = 18.43494882292201;   // the German annex's limit
constexpr double kThetaCot25 = 21.80140948635181;  // the limit of the standard values

} // namespace

// The data check limits the strut angle by the annex in force. The annex a position names
// must be the one its data are checked under, whatever annex the run had before; else the
// position's angle changes when it is read, and again when it is saved and read back.
TEST_F(PositionInput, ThePositionsOwnAnnexLimitsItsStrutAngle)
{
    const std::string inp = dir_.file("B1_01.INP");

    // A German position, read while the standard values were in force: its angle of the
    // German limit stays.
    NAD_Select_By_Name("EC-Standardparameter");
    ASSERT_TRUE(Write_File_Bytes(inp, With_Strut_Angle(Sample_File(4), "18.434949") + Annex_Block("Deutschland")));
    Read_Position_Input();
    EXPECT_STREQ(NAD_Get_Active_Name(), "Deutschland");
    EXPECT_EQ(corbel_model.strut_angle, 18.434949);
    EXPECT_EQ(Written(&corbel_model), With_Strut_Angle(Sample_File(4), "18.434949"));

    // A position of the standard values read while the German annex was in force: an
    // angle beyond both limits takes the standard values' limit at once, and saving and
    // reading it again changes nothing.
    ASSERT_TRUE(Write_File_Bytes(inp, With_Strut_Angle(Sample_File(4), "10.000000") +
                                          Annex_Block("EC-Standardparameter")));
    Read_Position_Input();
    EXPECT_STREQ(NAD_Get_Active_Name(), "EC-Standardparameter");
    EXPECT_DOUBLE_EQ(corbel_model.strut_angle, kThetaCot25);
    ASSERT_EQ(Save_Position_Input(), 0);
    const std::string saved = Read_File_Bytes(inp);
    NAD_Select_By_Name("Deutschland");
    Read_Position_Input();
    ASSERT_EQ(Save_Position_Input(), 0);
    EXPECT_EQ(Read_File_Bytes(inp), saved);
    EXPECT_TRUE(Shown_Messages().empty());
}

namespace {

// The export's result times ten plus 1 when its one message says it failed to write.
int Export_And_Message_Code()
{
    const int r = Export_Corbel_Data();
    const bool told = Shown_Messages().size() == 1 &&
                      Shown_Messages()[0].text == "Die Daten k\xF6nnen nicht exportiert werden!";
    return r * 10 + (told ? 1 : 0);
}

} // namespace

// Export and import through the directory of "TEMP".
class ExportImport : public PositionFile {
protected:
    void SetUp() override
    {
        PositionFile::SetUp();
        ::setenv("TEMP", temp_.path().c_str(), 1);
        export_file_ = temp_.file("Q7-DI2ZE#export.dat");
    }
    Temp_Dir temp_;
    std::string export_file_;
};

TEST_F(ExportImport, ThereAndBackWithTheAnnex)
{
    ASSERT_EQ(Read_Text(Sample_File(4), &corbel_model), 0);
    EXPECT_EQ(Export_Corbel_Data(), 0);
    ASSERT_EQ(Shown_Messages().size(), 1u);
    EXPECT_EQ(Shown_Messages()[0].text, "Die Daten wurden erfolgreich exportiert.\nDatei: " + export_file_);
    EXPECT_EQ(Read_File_Bytes(export_file_), Sample_File(4) + Annex_Block("Deutschland"));

    Set_Corbel_Defaults(&corbel_model);
    EXPECT_EQ(Import_Corbel_Data(), 0);
    EXPECT_EQ(import_in_progress, 1);
    ASSERT_EQ(Shown_Messages().size(), 2u);
    EXPECT_EQ(Shown_Messages()[1].text, "Die Daten wurden erfolgreich importiert.");
    EXPECT_EQ(Written(&corbel_model), Sample_File(4));
    EXPECT_STREQ(NAD_Get_Active_Name(), "Deutschland");

    // A file asking for the defaults is a successful import of the defaults.
    Clear_Shown_Messages();
    ASSERT_TRUE(Write_File_Bytes(export_file_, " -1\n" + Annex_Block("EC-Standardparameter")));
    EXPECT_EQ(Import_Corbel_Data(), 0);
    ASSERT_EQ(Shown_Messages().size(), 1u);
    EXPECT_EQ(Shown_Messages()[0].text, "Die Daten wurden erfolgreich importiert.");
    EXPECT_EQ(corbel_model.method, 2);
    EXPECT_STREQ(NAD_Get_Active_Name(), "EC-Standardparameter");
}

// An import takes the exported position with its annex: the angle the German annex allows
// stays, though the importing position had the standard values in force.
TEST_F(ExportImport, TheImportChecksUnderTheExportedAnnex)
{
    const std::string german = With_Strut_Angle(Sample_File(4), "18.434949");
    ASSERT_TRUE(Write_File_Bytes(export_file_, german + Annex_Block("Deutschland")));
    NAD_Select_By_Name("EC-Standardparameter");
    EXPECT_EQ(Import_Corbel_Data(), 0);
    EXPECT_STREQ(NAD_Get_Active_Name(), "Deutschland");
    EXPECT_EQ(Written(&corbel_model), german);
    EXPECT_NEAR(corbel_model.strut_angle, kThetaCot3, 1e-6);
}

TEST_F(ExportImport, FailuresAreToldNeverReportedAsSuccess)
{
    ASSERT_EQ(Read_Text(Sample_File(4), &corbel_model), 0);

    // No "TEMP".
    ::unsetenv("TEMP");
    EXPECT_EQ(Export_Corbel_Data(), 1);
    EXPECT_EQ(Import_Corbel_Data(), 1);
    ASSERT_EQ(Shown_Messages().size(), 2u);
    EXPECT_EQ(Shown_Messages()[0].text, "Die Daten k\xF6nnen nicht exportiert werden!");
    EXPECT_EQ(Shown_Messages()[1].text, "Die Daten k\xF6nnen nicht importiert werden!");

    // A "TEMP" whose path would not fit the environment's limit is refused before any
    // file is opened.
    std::string path;
    EXPECT_TRUE(Make_Export_Path(std::string(240, 'T').c_str(), &path));
    EXPECT_EQ(path.size(), 260u);
    EXPECT_FALSE(Make_Export_Path(std::string(241, 'T').c_str(), &path));
    EXPECT_FALSE(Make_Export_Path(nullptr, &path));
    Clear_Shown_Messages();
    ::setenv("TEMP", (temp_.path() + std::string(5000, 'x')).c_str(), 1);
    EXPECT_EQ(Export_Corbel_Data(), 1);
    EXPECT_EQ(Import_Corbel_Data(), 1);
    ASSERT_EQ(Shown_Messages().size(), 2u);
    EXPECT_EQ(Shown_Messages()[0].text, "Fehler bei der Datei\xF6"
                                        "ffnung\nDie Daten k\xF6nnen nicht exportiert werden!");
    EXPECT_EQ(Shown_Messages()[1].text, "Fehler bei der Datei\xF6"
                                        "ffnung\nDie Daten k\xF6nnen nicht importiert werden!");
    EXPECT_EQ(corbel_model.lk, 35.0);  // the model is left as it was

    // A write that fails half way: told, and the older export file stays whole.
    Clear_Shown_Messages();
    ::setenv("TEMP", temp_.path().c_str(), 1);
    const std::string older = Sample_File(3) + Annex_Block("EC-Standardparameter");
    ASSERT_TRUE(Write_File_Bytes(export_file_, older));
    EXPECT_EQ(Run_With_File_Size_Limit(100, [] { return Export_And_Message_Code(); }), 11);
    EXPECT_EQ(Read_File_Bytes(export_file_), older);
    EXPECT_EQ(Folder_Names(temp_.path()), std::set<std::string>{"Q7-DI2ZE#export.dat"});

    // A damaged export file: told, and the defaults.
    Clear_Shown_Messages();
    ASSERT_TRUE(Write_File_Bytes(export_file_, Sample_File(4).substr(0, 300)));
    EXPECT_EQ(Import_Corbel_Data(), 2);
    ASSERT_EQ(Shown_Messages().size(), 1u);
    EXPECT_EQ(Shown_Messages()[0].title, "Lesefehler");
    EXPECT_EQ(Shown_Messages()[0].text,
              "Die Daten k\xF6nnen nicht gelesen werden!\nDer Datenzustand wird auf\nvoreingestellte Werte gesetzt!");
    EXPECT_EQ(corbel_model.lk, 30.0);

    // A value that is no number is damage in the export file too.
    Clear_Shown_Messages();
    std::string nan_file = Sample_File(4);
    nan_file.replace(nan_file.find("45.000000"), 9, "nan");
    ASSERT_TRUE(Write_File_Bytes(export_file_, nan_file));
    EXPECT_EQ(Import_Corbel_Data(), 2);
    ASSERT_EQ(Shown_Messages().size(), 1u);
    EXPECT_EQ(Shown_Messages()[0].title, "Lesefehler");

    // A newer export file names the import file.
    Clear_Shown_Messages();
    ASSERT_TRUE(Write_File_Bytes(export_file_, " 7" + Sample_File(4).substr(2)));
    EXPECT_EQ(Import_Corbel_Data(), 2);
    ASSERT_EQ(Shown_Messages().size(), 2u);
    EXPECT_EQ(Shown_Messages()[0].text, newer_import_text);
}

// A file cut off anywhere before its last value is a read error, never a position read
// with some values missing.
TEST_F(PositionFile, AFileCutShortIsAReadError)
{
    ASSERT_EQ(Read_Text(Sample_File(4), &model_), 0);
    const std::string whole = Written(&model_);
    // The last value written: the end of the text without its trailing white space.
    size_t end = whole.find_last_not_of(" \n");
    ASSERT_NE(end, std::string::npos);
    int cuts = 0;
    for (size_t cut = 0; cut <= end; ++cut) {
        if (cut > 0 && whole[cut - 1] != ' ' && whole[cut - 1] != '\n') continue;  // cut between values
        Corbel_Model m{};
        EXPECT_EQ(Read_Text(whole.substr(0, cut), &m), 1) << "cut at " << cut << " of " << whole.size();
        for (int k = 0; k < 2; ++k) MEM_FREE(m.load_table[k]);
        MEM_FREE(m.results);
        MEM_FREE(m.print_options.remarks);
        ++cuts;
    }
    EXPECT_GT(cuts, 100);
}
