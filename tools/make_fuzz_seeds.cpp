// Writes the seed inputs of the fuzz targets (fuzz/) into a directory, one folder per
// target: files made by the program's own writers, and the shipped example position and
// annex files of the source tree.
//
//   make_fuzz_seeds <output directory> [<source directory>]
#include "annex/nad_choice.h"
#include "annex/nad_ec2.h"
#include "annex/nad_ec3.h"
#include "annex/nad_ec5.h"
#include "annex/nad_file.h"
#include "annex/nad_legacy.h"
#include "annex/nad_set.h"
#include "base/alloc.h"
#include "base/exchange_objects.h"
#include "base/exchange_params.h"
#include "base/guillemet.h"
#include "base/keyword_files.h"
#include "base/versioned_files.h"
#include "core/corbel_model.h"
#include "core/load_tables.h"
#include "core/position_file.h"
#include "core/print_options_ec2.h"
#include "core/safety_factors.h"
#include "material/masonry.h"
#include "material/material_file.h"
#include "material/material_set.h"
#include "material/old_class_records.h"
#include "report/drawing_file.h"
#include "report/graphic_block.h"
#include "report/print_options.h"
#include "base/text_blocks.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <system_error>

namespace fs = std::filesystem;

namespace {

fs::path output;
bool failed = false;

// What a writer puts into a stream.
std::string Written(const std::function<void(FILE*)>& write)
{
    char* buffer = nullptr;
    size_t size = 0;
    FILE* stream = open_memstream(&buffer, &size);
    if (!stream) std::abort();
    write(stream);
    std::fclose(stream);
    std::string bytes(buffer ? buffer : "", size);
    std::free(buffer);
    return bytes;
}

void Seed(const char* target, const std::string& name, const std::string& bytes)
{
    const fs::path dir = output / target;
    std::error_code ec;
    fs::create_directories(dir, ec);
    FILE* f = std::fopen((dir / name).c_str(), "wb");
    bool ok = f && std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    if (f && std::fclose(f) != 0) ok = false;
    if (!ok) {
        std::fprintf(stderr, "make_fuzz_seeds: cannot write %s\n", (dir / name).c_str());
        failed = true;
    }
}

// A file of the source tree as a seed; a missing one is skipped.
void Seed_From(const char* target, const fs::path& file)
{
    std::error_code ec;
    if (!fs::is_regular_file(file, ec)) return;
    fs::create_directories(output / target, ec);
    fs::copy_file(file, output / target / ("src-" + file.filename().string()),
                  fs::copy_options::overwrite_existing, ec);
    if (ec) failed = true;
}

std::string To_CRLF(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

// The annex parameters as an older file keeps them: the EC2 values given, the EC3 and EC5
// defaults.
void Write_Annex_Parameters(FILE* f, const NAD_EC2_Params& ec2)
{
    NAD_EC2_Write(f, &ec2);
    NAD_EC3_Params ec3;
    NAD_EC3_Defaults(&ec3);
    NAD_EC3_Write(f, &ec3);
    NAD_EC5_Params ec5;
    NAD_EC5_Defaults(&ec5);
    std::fputs(" EC5 Parameter\n", f);
    NAD_EC5_Write(f, &ec5);
}

// ---------------------------------------------------------------- the corbel position

void Fill_Table(int k, int rows)
{
    Alloc_Load_Table(&corbel_model, rows, k);
    for (int i = 0; i < rows; ++i) {
        Load_Combination& row = corbel_model.load_table[k][i];
        std::snprintf(row.name, sizeof row.name, "LK %d Eigengewicht + Nutzlast", i + 1);
        row.A = 300000.0 + 12345.678 * i;
        row.H = 60000.0 - 2500.5 * i;
    }
}

std::string Position_File()
{
    return Written([](FILE* f) {
        Write_Corbel_Model(f, &corbel_model);
        NAD_Write_Active_Name(f);
    });
}

void Position_Seeds()
{
    Set_Corbel_Defaults(&corbel_model);
    Fill_Table(0, 3);
    Fill_Table(1, 2);
    const std::string plain = Position_File();
    Seed("fuzz_position_file", "defaults.INP", plain);
    Seed("fuzz_refresh_run", "defaults.INP", plain);
    Seed("fuzz_position_file", "defaults-crlf.INP", To_CRLF(plain));
    Seed("fuzz_export_file", "defaults.dat", plain);
    Seed("fuzz_load_tables", "three-and-two.txt", Written([](FILE* f) { Write_Load_Tables(f, &corbel_model); }));

    // A bridge corbel on a beam with layers, remarks and the user's own partial factors.
    corbel_model.norm_code = 21;
    corbel_model.system = 1;
    corbel_model.rebar.layers = 3;
    for (int i = 0; i < 3; ++i) {
        corbel_model.rebar.layer_bars[i] = 2 + i;
        corbel_model.rebar.layer_diameter[i] = 3 + i;
    }
    corbel_model.safety_factors.from_annex = 0;
    corbel_model.safety_factors.gamma_c = 1.6;
    corbel_model.print_options.remarks = MEM_STRDUP("Vorbemerkung zur Konsole\nzweite Zeile");
    Fill_Table(0, 25);
    const std::string bridge = Position_File();
    Seed("fuzz_position_file", "bridge-layers-remarks.INP", bridge);
    Seed("fuzz_refresh_run", "bridge-layers-remarks.INP", bridge);
    Seed("fuzz_export_file", "bridge-layers-remarks.dat", bridge);
    Seed("fuzz_load_tables", "twenty-five.txt", Written([](FILE* f) { Write_Load_Tables(f, &corbel_model); }));
    Seed("fuzz_print_options", "corbel-remarks.txt",
         Written([](FILE* f) { Write_EC2_Print_Options(f, &corbel_model.print_options); }));
    Seed("fuzz_print_options", "factors-own.txt",
         Written([](FILE* f) { Write_NAD_Safety_Factors(f, &corbel_model.safety_factors); }));

    // An older position that keeps its annex parameters itself.
    std::string older = plain.substr(0, plain.find("ACTIV_NADNAME"));
    older += "ACTIV_NAD_EC2\n" + Written([](FILE* f) {
        NAD_EC2_Params ec2;
        NAD_EC2_Defaults(&ec2);
        Write_Annex_Parameters(f, ec2);
    });
    Seed("fuzz_position_file", "older-activ-nad-ec2.INP", older);
}

// ---------------------------------------------------------------- annex files

std::string Load_Factor_Block()
{
    NAD_Legacy_Load_Factors factors;
    NAD_Legacy_Default_Load_Factors(&factors);
    std::string text = "Lastfaktoren 1\n";
    char line[128];
    for (auto& group : factors.pairs)
        for (auto& pair : group) {
            std::snprintf(line, sizeof line, " %.2f %.2f\n", pair[0], pair[1]);
            text += line;
        }
    for (auto& triple : factors.triples) {
        std::snprintf(line, sizeof line, " %.2f %.2f %.2f\n", triple[0], triple[1], triple[2]);
        text += line;
    }
    return text;
}

void Annex_Seeds()
{
    for (const char* name : {NAD_FILE_STANDARD, NAD_FILE_GERMANY}) {
        std::string text;
        if (NAD_Builtin_File_Text(name, text)) Seed("fuzz_nad_file", std::string(name) + ".NAD", text);
    }
    NAD_Set set;
    NAD_Build_Builtin_Set(NAD_FILE_GERMANY, &set);
    set.code = 3;
    set.name = "Nord \xAE mit Zeichen";
    set.ec2.gamma_c[0] = 1.45;
    const std::string user = Written([&](FILE* f) { NAD_Write_Set(f, &set); });
    Seed("fuzz_nad_file", "user-crlf.NAD", To_CRLF(user));

    // The older annex list: two blocks.
    std::string list;
    for (int k = 0; k < 2; ++k) {
        list += k == 0 ? "#NAD\n 18 \xAE" "Deutschland\xAF\n" : "#NAD\n 5 \xAE" "Eigenes\xAF\n";
        list += Written([k](FILE* f) {
            NAD_EC2_Params ec2;
            if (k == 0)
                NAD_EC2_Defaults_NA_DE(&ec2);
            else
                NAD_EC2_Defaults(&ec2);
            Write_Annex_Parameters(f, ec2);
        });
        list += Load_Factor_Block();
    }
    Seed("fuzz_nad_legacy", "two-blocks.DEF", list);
    Seed("fuzz_nad_legacy", "activ-block.txt", "ACTIV_NAD_EC2\n" + list.substr(list.find('\n', 6) + 1));

    Seed("fuzz_app_profiles", "mask.DEF", "#NADS 4\n#NAME\n\xAEKonsole\xAF\n#SERVICE\n\xAE" "Bauteil\xAF\n");
    Seed("fuzz_app_profiles", "rules.DEF",
         "#NADS -1\r\n 1 0 0110101 1 11111111111 0 0 0 0 1\r\n#GROUP\r\n\xAEStahlbeton\xAF\r\n#NAME \xAEkb\xAF\r\n");

    const std::string definitions =
        "#TAB1\nSchneelast\nZone\n 1 2 3 4\n 5 6 7 8\n 3 2 kN\n"
        "#TAB8\nWindlast\nH\xEF" "he\n 0 0 1 1\n 2 2 3 3\n 2 1 m\n"
        "#TAB9\nTabelle 9\n\n 1 1 1 1\n 1 1 1 1\n 1 1 -\n";
    const std::string values =
        "#NAD\nEC-Standardparameter\n1\n~DATA\n1 2 2\n\n~TAB1\nWerte\n 0.100 0.200 0.300\n 0.400 0.500 0.600\n\n"
        "~TAB8\nWind\n 1.0 2.0\n~TAB99\n 10 0 1 0 0 0 0 0 0 0 0 1\n\n"
        "#NAD\nDeutschland\n2\n~DATA\n1 2 2\n~TAB9\nx\n 4.5\n~TAB99\n 3 0 1 2 3\n";
    Seed("fuzz_ec1_tables", "definitions-and-values.txt", definitions + values);
    Seed("fuzz_ec1_tables", "values-crlf.txt", To_CRLF(values + definitions));
}

// ---------------------------------------------------------------- base readers

void Base_Seeds()
{
    Seed("fuzz_guillemet", "texts.txt", Written([](FILE* f) {
        ZXP_Write_String(f, "Deutschland");
        std::fputs("\n  \t", f);
        ZXP_Write_String(f, "");
        std::fputs("\r\n", f);
        ZXP_Write_String(f, std::string(120, 'x').c_str());
        ZXP_Write_String(f, std::string(300, 'y').c_str());
        ZXP_Write_Delimited(f, "in Anf\x81hrungszeichen", '"', '"');
        std::fputs(" 17 \xAE" "offen bis zum Ende", f);
    }));

    Seed("fuzz_report_view", "report.OLI",
         "#CONTENTS\n POS. 1: Konsole\n#OLI_RESERVE 3\n#OLI_BOOKMARK 16 \xAE\xCE@1. Eingabe\xAF\n\n#SHOWPARA\n0x40\n4\n"
         "0x0 1\n2 4\n-1\n \xCE@1. Eingabe\n \xCE_Biegerollendurchmesser\xCEr\n \xCEtD = 5.6 cm  \x88 ok\n"
         "#END_OF_TEXT\n0x1004\n2 0.3\n0x0\n4\n-1\n weiter\n#END_OF_TEXT\n0x0\n-1\n"
         "#SHOWTABLE\n1 0 0\n Titel\n1 0 -1 -1 2\n 3 9\n Lk  A\n 1  2.0\n#END_OF_TEXT\n"
         "#SHOWGRAFIC\n 0 0 0\n 0 0 0\n-1\n0 3 0 2.5\n27 0 2.5 %FONT%\\schnittgroessen.ocm\n"
         " 1 0 0 3 2.5\n 13 0.2\n 14 90 0\n 10 1 1 1 1 210 \xAE" "40\xAF\n{\n ff\n}\n -1\n#NEWPAGE\n");
    Seed("fuzz_report_view", "drawing.SPF", std::string(PLOT_FILE_MAGIC) +
         "\nT\n1 1\n0\n\n*TABLES\n-fonts 1\n 0 \xAE" "a\xAF 0 0 1.8 0.7 3 0 1\n*EOT\n\n*ENTITIES\n"
         "-line @1 ( @2 0 0 ) #3 0 0 1 0.0\n-point @3 10 5\n-text / 1 3 0 2 1 7 1 1 0 1.2 0. 0.\n    \xAE" "ab\xAF\n*EOI\n");

    Seed("fuzz_keyword_files", "forces.txt",
         "\xEF\xBB\xBF# Schnittgr\xC3\xB6\xC3\x9F" "en\r\n#S\r\n200 20 Gr\xC3\xB6\xC3\x9F" "e\r\n1000;0,5 Lk 2\r\n"
         "5 1e300 zu gro\xDF\r\n#P\n1 2 3 4 5 6\n");
    Seed("fuzz_keyword_files", "written.txt", Written([](FILE* f) {
        const double x[3] = {1.0, 2.5, -3.0}, y[3] = {0.0, 4.0, 5.0}, z[3] = {7.0, 8.0, 9.0};
        Write_Keyword_Block(f, x, y, nullptr, 2, 3, "#S");
        Write_Keyword_Block(f, x, y, z, 3, 3, "#P");
        Write_Section_Template_To(f, 30.0, 10.0, 4.0, 4.0, 1, 8);
    }));

    Seed("fuzz_text_blocks", "blocks.txt", Written([](FILE* f) {
        Write_Text_Block(f, "eine Zeile");
        Write_Text_Block(f, "zwei\nZeilen\n");
        Write_Text_Block(f, std::string(250, 'z').c_str());
        Write_Text_Block(f, "");
    }));

    Seed("fuzz_exchange", "objects.txt", Written([](FILE* f) {
        ZXP_Write_Block_Name(f, 3);
        ZXP_Object* plain = ZXP_Create_Object(3, 1, 7, "Stab 1", 0, nullptr);
        ZXP_Object* bar = ZXP_Create_Object(3, 2, 8, "Stab 2", 1, nullptr);
        if (plain && bar) {
            const int32_t ints[5] = {1, 2, 3, 4, 5};
            const double dbls[8] = {0.0, 1.5, -2.25, 3.0, 1e-3, 2e5, 0.5, 45.0};
            ZXP_Set_Bar_Record(bar, ints, dbls, "Querschnitt");
            ZXP_Set_Object_Text(bar, "Text\nin zwei Zeilen");
            ZXP_Set_Param_Comment(MEM_STRDUP("Kommentar"), &plain->header);
            ZXP_Write_Object(f, plain);
            ZXP_Write_Object(f, bar);
        }
        ZXP_Destroy_Object(plain);
        ZXP_Destroy_Object(bar);
        ZXP_Write_Block_End(f, 3);
        ZXP_Result_Record* record = ZXP_Create_Result_Record(nullptr);
        if (record) {
            record->keys[0] = 1;
            record->keys[6] = 0;
            ZXP_Resize_Param_List(&record->list, 1, 6, 1);
            for (int i = 0; i < 6; ++i) record->list.dbls[i] = 1.5 * i;
            ZXP_Write_Result_Record(f, record);
            ZXP_Free_Result_Record(record);
        }
    }));
    Seed("fuzz_exchange", "header.txt", Written([](FILE* f) {
        ZXP_Write_Block_Name(f, 1);
        ZXP_Write_Header_Object(f, nullptr);
    }));

    Seed("fuzz_versioned_files", "fields.txt", Written([](FILE* f) {
        Begin_Data_File_Write(f, 2.0);
        Write_Data_Struct_Version(1.2);
        const char c = 'x';
        const double d = -12.5;
        const int i = 42;
        Write_Data_Field(&c, 'c');
        Write_Data_Field(&d, 'd');
        Write_Data_Field(&i, 'i');
        Write_Data_Field("mit Leerzeichen", 's');
        Write_Data_Field("", 't');
        Write_Data_Comment("Kommentar");
        Write_Data_Long_Text("langer Text\nmit Zeilen");
        Write_Data_Default_Field('d');
        End_Data_Struct_Write();
        Concrete_Class_Data concrete;
        Init_Concrete_Class_Record(&concrete, 5, 0, 2200.0);
        Write_Concrete_Class_Data(f, &concrete);
    }));

    Seed("fuzz_position_title", "one-line.TXT", "1.01:Konsole an Achse B\r\n");
    Seed("fuzz_position_title", "three-lines.TXT", "Kopf\n12a\nTitel der Position mit mehr als f\x81nfzig Zeichen bis hierher\n");
    Seed("fuzz_position_title", "picture-info.txt", Written([](FILE* f) {
        OLI_GRAPHIC_Picture_Info info = OLI_DEFAULT_PICTURE_INFO;
        std::snprintf(info.file_name, sizeof info.file_name, "bild.bmp");
        info.pixels_x = 640;
        info.pixels_y = 480;
        info.width = 16.93;
        info.height = 12.7;
        OLI_Write_Picture_Info(f, &info);
        std::fputs("#NAD 3\n 1 2.5 -3e4 x 7\n#EC2 1\n#EC3\n<ZXP\n 12|3|-1\n", f);
    }));
}

// ---------------------------------------------------------------- material and print options

void Material_Seeds()
{
    Material_Set set{};
    Clear_Material_Set(&set);
    if (Alloc_Material_Set(&set, 1, 2) == 0) {
        set.new_standard = set.en1992_1_1 = 1;
        set.situation_code = 2;
        set.gamma_c = 1.5;
        set.gamma_s = 1.15;
        set.law_choice = 1;
        set.modular_ratio = 10.0;
        Concrete_Record& c = set.concrete[0];
        c.class_index = CONCRETE_FREE;
        c.density = 2200.0;
        c.fck = 35.0;
        c.value_2 = c.alpha_cc = 0.85;
        c.eps_c2 = -2.0, c.eps_cu = -3.5, c.n_exp = 2.0, c.e_modulus = 33000.0, c.fctm = 3.2;
        set.steel[0].steel_index = STEEL_GLASS_FIBRE;
        set.steel[1].steel_index = STEEL_FREE;
        set.steel[1].fyk = 450.0, set.steel[1].ftk = 480.0, set.steel[1].eps_uk = 40.0;
        set.steel[1].es = 190000.0;
        Calc_Material_Set(&set, 1);
        Seed("fuzz_material_file", "free-concrete.txt", Written([&](FILE* f) { Write_Material_Set(f, &set); }));
        set.new_standard = 0;
        set.concrete[0].class_index = 3;
        Seed("fuzz_material_file", "old-standard.txt", Written([&](FILE* f) { Write_Material_Set(f, &set); }));
    }
    Free_Material_Set(&set);

    Masonry_Record masonry;
    Reset_Masonry_Record(&masonry);
    masonry.strength_class = 5;
    masonry.mortar_group = 3;
    Calc_Masonry_Record(&masonry);
    Seed("fuzz_material_file", "masonry.txt", Written([&](FILE* f) { Write_Masonry_Record(f, &masonry); }));
    Seed("fuzz_material_file", "class-records.txt", Written([](FILE* f) {
        Concrete_Class_Data concrete;
        Init_Concrete_Class_Record(&concrete, 10, 1, 1600.0);
        Write_Concrete_Class_Data(f, &concrete);
        Steel_Class_Data steel;
        Init_B500_Steel_Record(&steel, 1);
        Write_Steel_Class_Data(f, &steel);
    }));

    EC2_Print_Options corbel{};
    Init_EC2_Print_Options(&corbel);
    Seed("fuzz_print_options", "corbel-defaults.txt", Written([&](FILE* f) { Write_EC2_Print_Options(f, &corbel); }));
    Steel_Print_Options steel{};
    Init_Steel_Print_Options(&steel);
    steel.tolerance = 2.5;
    steel.remarks = MEM_STRDUP("Bemerkung mit Leerzeichen\nund Zeile");
    Seed("fuzz_print_options", "steel-remarks.txt", Written([&](FILE* f) { Write_Steel_Print_Options(f, &steel); }));
    Init_Steel_Print_Options(&steel);
    NAD_Safety_Factors factors;
    Init_NAD_Safety_Factors(&factors);
    Fill_NAD_Safety_Factors(&factors, 0);
    Seed("fuzz_print_options", "factors-annex.txt", Written([&](FILE* f) { Write_NAD_Safety_Factors(f, &factors); }));
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <output directory> [<source directory>]\n", argv[0]);
        return 2;
    }
    output = argv[1];
    std::error_code ec;
    fs::create_directories(output, ec);
    // The writers of the annex choice look at DATA and DRAM: give them a scratch place.
    const fs::path scratch = output / ".scratch";
    fs::remove_all(scratch, ec);
    fs::create_directories(scratch / "data" / "NAD", ec);
    fs::create_directories(scratch / "dram", ec);
    ::setenv("DATA", (scratch / "data").c_str(), 1);
    ::setenv("DRAM", (scratch / "dram").c_str(), 1);
    ::setenv("TEMP", (scratch / "dram").c_str(), 1);

    Position_Seeds();
    Annex_Seeds();
    Base_Seeds();
    Material_Seeds();

    if (argc >= 3) {
        const fs::path source = argv[2];
        Seed_From("fuzz_position_file", source / "examples" / "B1_01.INP");
        Seed_From("fuzz_export_file", source / "examples" / "B1_01.INP");
        // The example positions: each design procedure, the fatigue check, a refused one.
        for (const char* example : {"B1_01.INP", "B1_02.INP", "B1_03.INP", "B1_04.INP", "B1_05.INP"})
            Seed_From("fuzz_refresh_run", source / "examples" / example);
        Seed_From("fuzz_position_title", source / "examples" / "B1_01.TXT");
        Seed_From("fuzz_nad_file", source / "data" / "NAD" / "Standard.NAD");
        Seed_From("fuzz_nad_file", source / "data" / "NAD" / "Deutschland.NAD");
        Seed_From("fuzz_versioned_files", source / "data" / "Q7-EC203" / "VERSION");
        Seed_From("fuzz_position_title", source / "data" / "Q7-EC203" / "VERSION");
        // Small pictures of the installation.
        for (const char* picture : {"act_but.bmp", "updown_but.bmp"}) Seed_From("fuzz_bitmaps", source / "data" / picture);
    }
    fs::remove_all(scratch, ec);
    return failed ? 1 : 0;
}
