#include "core/position_file.h"
#include "core/edit_buffer_hooks.h"

#include "annex/nad_choice.h"
#include "annex/nad_legacy.h"
#include "base/component_files.h"
#include "core/corbel_model.h"
#include "core/load_tables.h"
#include "core/print_options_ec2.h"
#include "core/safety_factors.h"
#include "core/startup.h"
#include "platform/environment.h"
#include "platform/error_text.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "platform/atomic_file.h"
#include "report/page_head.h"
#include "report/text_utils.h"

#include <cerrno>
#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>

const char* const EXPORT_FILE_NAME = "\\Q7-DI2ZE#export.dat";

int import_in_progress = 0;

void Tell_Input_Problem(const char* problem, const char* reason)
{
    // A name too long for the environment is still named as the user gave it.
    const char* name = Get_Component_File_Name(inp_file_name.c_str());
    Tell_File_Problem("Die Eingabedatei", name ? name : (component_id + inp_file_name).c_str(), problem, reason);
}

namespace {

// Whether the input's name is in the folder: also as a link that leads nowhere or in a
// circle, which names a position that cannot be read, not an empty one.
bool Input_Name_Taken(bool* is_link)
{
    const char* name = Get_Component_File_Name(inp_file_name.c_str());
    struct stat info;
    if (!name || ::lstat(Map_Path(name).c_str(), &info) != 0) return false;
    *is_link = S_ISLNK(info.st_mode);
    return true;
}

// Screen texts (code page 1252).
const char* const TEXT_EXPORT_FAILED = "Die Daten k\xF6nnen nicht exportiert werden!";
const char* const TEXT_EXPORT_OPEN_FAILED =
    "Fehler bei der Datei\xF6"
    "ffnung\nDie Daten k\xF6nnen nicht exportiert werden!";
const char* const TEXT_EXPORT_DONE = "Die Daten wurden erfolgreich exportiert.";
const char* const TEXT_SAVE_FAILED = "Die Eingabedaten k\xF6nnen nicht gespeichert werden!";
const char* const TEXT_IMPORT_FAILED = "Die Daten k\xF6nnen nicht importiert werden!";
const char* const TEXT_IMPORT_OPEN_FAILED =
    "Fehler bei der Datei\xF6"
    "ffnung\nDie Daten k\xF6nnen nicht importiert werden!";
const char* const TEXT_IMPORT_DONE = "Die Daten wurden erfolgreich importiert.";


// Why the position file could not be read, as far as the stream tells it.
const char* Read_Failure_Reason(FILE* f)
{
    if (const int error = Input_Stream_Error(f)) return German_Error_Text(error);
    if (std::ferror(f)) return German_Error_Text(EIO);
    std::rewind(f);
    int version = 0;
    if (Scan_Int(f, &version) && version > CORBEL_FILE_VERSION && version < 9999)
        return "sie stammt von einer neueren Programmversion";
    return "sie ist unvollst\xE4ndig, besch\xE4" "digt oder stammt von einer neueren Programmversion";
}

// One group of values, its format a row of "%d" and "%lf"; true when all `expected` were
// converted. An integer beyond the range of an int is no value of the group: the file is
// damaged (a wrapped number would reach the design as some other one).
bool Scan_Group(FILE* stream, int expected, const char* format, ...) __attribute__((format(scanf, 3, 4)));
bool Scan_Group(FILE* stream, int expected, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    int n = 0;
    for (const char* p = format; *p; ++n) {
        bool read = false;
        if (std::strncmp(p, "%d", 2) == 0) {
            read = Scan_Int(stream, va_arg(args, int*));
            p += 2;
        } else if (std::strncmp(p, "%lf", 3) == 0) {
            read = std::fscanf(stream, "%lf", va_arg(args, double*)) == 1;
            p += 3;
        }
        if (!read) break;
    }
    va_end(args);
    return n == expected;
}

// The "Lesefehler" box followed by the defaults of a new position.
void Tell_Read_Error_And_Set_Defaults(const char* first_line)
{
    Init_Message();
    Set_Message_Title("Lesefehler");
    Fill_Message(first_line);
    Fill_Message("Der Datenzustand wird auf");
    Fill_Message("voreingestellte Werte gesetzt!");
    Draw_Message();
    Set_Corbel_Defaults(&corbel_model);
}

// Chooses the annex that the file names: an older "ACTIV_NAD_EC2" block first, else the
// "ACTIV_NADNAME" block (without one: "Deutschland"). Both look from the file's start
// for the block behind the body, so the annex of a file whose body cannot be read is
// still taken.
void Choose_Annex_Of_File(FILE* stream)
{
    if (NAD_Read_Legacy_Choice(stream))
        NAD_Select_By_Name(NAD_Get_Legacy_Name());
    else
        NAD_Read_Active_Name(stream);
}

// The body after the version. Items are read in the writer's order; the version decides
// which of the later additions the file holds.
int Read_Body(FILE* f, Corbel_Model* m, int version)
{
    Corbel_Rebar_Choice& r = m->rebar;

    if (!Scan_Group(f, 4, "%d%d%d%d", &m->norm_code, &m->online_calculation, &m->design_situation,
                    &m->rebar_chosen))
        return 1;
    if (Read_NAD_Safety_Factors(f, &m->safety_factors) != 0) return 1;
    if (!Scan_Group(f, 7, "%d%d%d%d%d%d%d", &m->cover_from_exposure, &m->exposure_first[0],
                    &m->exposure_first[1], &m->exposure_first[2], &m->exposure_second[0],
                    &m->exposure_second[1], &m->exposure_second[2]))
        return 1;
    if (!Scan_Group(f, 1, "%d", &m->system)) return 1;
    if (!Scan_Group(f, 1, "%d", &m->concrete_class)) return 1;
    // The file keeps the concrete values in an order of its own.
    if (!Scan_Group(f, 12, "%lf%lf%lf%lf%lf%lf%lf%lf%lf%lf%lf%lf", &m->fck, &m->eps_c2, &m->eps_cu2,
                    &m->n_parabola, &m->fctm, &m->fcm, &m->Ecm, &m->density, &m->eps_c1, &m->eps_cu1,
                    &m->eps_c3, &m->eps_cu3))
        return 1;
    for (int s = 0; s < 2; ++s) {
        if (!Scan_Group(f, 6, "%d%lf%lf%lf%lf%lf", &m->steel_class[s], &m->fyk[s], &m->ftk[s], &m->euk[s],
                        &m->Es[s], &m->steel_fifth[s]))
            return 1;
    }
    if (!Scan_Group(f, 2, "%d%d", &m->connection, &m->execution)) return 1;
    if (version >= 3 && !Scan_Group(f, 1, "%d", &m->at_slab)) return 1;
    if (!Scan_Group(f, 11, "%lf%lf%lf%lf%lf%lf%lf%lf%lf%lf%lf", &m->b, &m->h, &m->beam_height, &m->d1,
                    &m->e1, &m->lk, &m->hk, &m->hk_end, &m->d1k, &m->lp, &m->bp))
        return 1;
    if (!Scan_Group(f, 13, "%d%d%lf%lf%lf%lf%d%d%lf%d%lf%lf%lf", &m->load_transfer, &m->method,
                    &m->load_share, &m->inclination, &m->load_a, &m->load_height, &m->bed_joint,
                    &m->strut_angle_mode, &m->strut_angle, &m->fatigue_check, &m->stress_range,
                    &m->fatigue_value, &m->first_loading))
        return 1;

    // The layer count decides how many pairs follow and indexes the model's ten layers:
    // it is taken only when it fits.
    int layers = 0;
    if (version >= 1) {
        if (!Scan_Group(f, 7, "%d%d%lf%lf%d%d%d", &r.compute_anchorage, &r.bond_conditions, &r.cover_v,
                        &r.cover_h, &layers, &r.loops, &r.beam_end_legs))
            return 1;
    } else {
        r.compute_anchorage = 1;
        if (!Scan_Group(f, 6, "%d%lf%lf%d%d%d", &r.bond_conditions, &r.cover_v, &r.cover_h, &layers,
                        &r.loops, &r.beam_end_legs))
            return 1;
    }
    if (layers < 0 || layers > CORBEL_MAX_LAYERS) return 1;
    r.layers = layers;
    for (int i = 0; i < layers; ++i) {
        if (!Scan_Group(f, 2, "%d%d", &r.layer_bars[i], &r.layer_diameter[i])) return 1;
    }

    Bar_Group* g = r.group;
    if (!Scan_Group(f, 13, "%d%d%d%d%d%d%d%d%d%d%d%d%d", &g[0].count, &g[0].diameter, &g[0].legs,
                    &g[1].count, &g[1].diameter, &g[1].legs, &g[2].count, &g[2].diameter, &g[2].legs,
                    &g[3].count, &g[3].diameter, &g[3].legs, &r.inclined_loops))
        return 1;
    // Group 6 stands before group 5.
    if (!Scan_Group(f, 10, "%d%d%d%d%d%d%d%d%d%d", &g[5].count, &g[5].diameter, &g[5].legs, &g[4].count,
                    &g[4].diameter, &g[4].legs, &r.member_count[0], &r.member_count[1],
                    &r.member_diameter[0], &r.member_diameter[1]))
        return 1;
    if (version >= 2 && !Scan_Group(f, 4, "%d%d%d%d", &r.end_count[0], &r.end_count[1], &r.end_diameter[0],
                                    &r.end_diameter[1]))
        return 1;

    if (!Scan_Group(f, 4, "%lf%lf%lf%lf", &r.spacing[0], &r.spacing[1], &r.spacing[2], &r.spacing[3]))
        return 1;
    double dropped[5];
    if (version <= 0 &&
        !Scan_Group(f, 5, "%lf%lf%lf%lf%lf", &dropped[0], &dropped[1], &dropped[2], &dropped[3], &dropped[4]))
        return 1;
    if (version >= 3 && !Scan_Group(f, 2, "%lf%lf", &dropped[0], &dropped[1])) return 1;
    if (version >= 4) {
        double* a = r.anchorage;
        if (!Scan_Group(f, 9, "%lf%lf%lf%lf%lf%lf%lf%lf%lf", &a[0], &a[1], &a[2], &a[3], &a[4], &a[5], &a[6],
                        &a[7], &a[8]))
            return 1;
    }

    if (Read_EC2_Print_Options(f, &m->print_options) != 0) return 1;
    if (Read_Load_Tables(f, m) != 0) return 1;
    return 0;
}

// The layer count as it can be read back: the model holds ten layers, and a negative
// count means none.
int Layers_To_Write(int layers)
{
    if (layers < 0) return 0;
    return layers > CORBEL_MAX_LAYERS ? CORBEL_MAX_LAYERS : layers;
}

// The suffix "_NN" of the position's files followed by the rest.
std::string Position_Suffix(const char* rest)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "_%02d", file_id);
    return std::string(buf) + rest;
}

// The full name of a component file, or "" when it is too long.
std::string Component_Name(const std::string& suffix)
{
    const char* name = Get_Component_File_Name(suffix.c_str());
    return name ? std::string(name) : std::string();
}

// Writes `corbel_model` and the block naming the annex into a file that takes the place
// of the one at the path only when it was written whole. 0 written; 1 the file could not
// be opened; 2 a write failed. On 1 and 2 the old file is as it was, and *error (when
// given) holds the errno of the step that failed.
int Write_Model_File(const std::string& path, int* error = nullptr)
{
    if (path.empty()) return 1;
    Atomic_File file(path.c_str());
    int r = 1;
    if (file.Stream()) r = Write_Position_Content(file.Stream()) == 0 && file.Commit() ? 0 : 2;
    if (error) *error = r == 0 ? 0 : file.Error() != 0 ? file.Error() : errno;
    return r;
}

} // namespace

int Write_Corbel_Model(FILE* f, Corbel_Model* m)
{
    if (!f || !m) return 1;
    const Corbel_Rebar_Choice& r = m->rebar;

    if (std::fprintf(f, " %d\n", CORBEL_FILE_VERSION) < 0) return 1;
    if (std::fprintf(f, " %d %d %d %d\n", m->norm_code, m->online_calculation, m->design_situation,
                     m->rebar_chosen) < 0)
        return 1;
    if (Write_NAD_Safety_Factors(f, &m->safety_factors) != 0) return 1;
    if (std::fprintf(f, " %d %d %d %d %d %d %d\n", m->cover_from_exposure, m->exposure_first[0],
                     m->exposure_first[1], m->exposure_first[2], m->exposure_second[0], m->exposure_second[1],
                     m->exposure_second[2]) < 0)
        return 1;
    if (std::fprintf(f, " %d\n %d\n", m->system, m->concrete_class) < 0) return 1;
    if (std::fprintf(f, " %lf %lf %lf %lf %lf %lf %lf %lf %lf %lf %lf %lf\n", m->fck, m->eps_c2, m->eps_cu2,
                     m->n_parabola, m->fctm, m->fcm, m->Ecm, m->density, m->eps_c1, m->eps_cu1, m->eps_c3,
                     m->eps_cu3) < 0)
        return 1;
    for (int s = 0; s < 2; ++s) {
        if (std::fprintf(f, " %d %lf %lf %lf %lf %lf\n", m->steel_class[s], m->fyk[s], m->ftk[s], m->euk[s],
                         m->Es[s], m->steel_fifth[s]) < 0)
            return 1;
    }
    if (std::fprintf(f, " %d %d %d\n", m->connection, m->execution, m->at_slab) < 0) return 1;
    if (std::fprintf(f, " %lf %lf %lf %lf %lf %lf %lf %lf %lf %lf %lf\n", m->b, m->h, m->beam_height, m->d1,
                     m->e1, m->lk, m->hk, m->hk_end, m->d1k, m->lp, m->bp) < 0)
        return 1;
    if (std::fprintf(f, " %d %d %lf %lf %lf %lf %d %d %lf", m->load_transfer, m->method, m->load_share,
                     m->inclination, m->load_a, m->load_height, m->bed_joint, m->strut_angle_mode,
                     m->strut_angle) < 0)
        return 1;
    if (std::fprintf(f, " %d %lf %lf %lf\n", m->fatigue_check, m->stress_range, m->fatigue_value,
                     m->first_loading) < 0)
        return 1;

    const int layers = Layers_To_Write(r.layers);
    if (std::fprintf(f, " %d %d %lf %lf %d %d %d\n", r.compute_anchorage, r.bond_conditions, r.cover_v,
                     r.cover_h, layers, r.loops, r.beam_end_legs) < 0)
        return 1;
    if (layers > 0) {
        for (int i = 0; i < layers; ++i) {
            if (std::fprintf(f, " %d %d", r.layer_bars[i], r.layer_diameter[i]) < 0) return 1;
        }
        if (std::fprintf(f, "\n") < 0) return 1;
    }

    const Bar_Group* g = r.group;
    if (std::fprintf(f, " %d %d %d %d %d %d %d %d %d %d %d %d %d", g[0].count, g[0].diameter, g[0].legs,
                     g[1].count, g[1].diameter, g[1].legs, g[2].count, g[2].diameter, g[2].legs, g[3].count,
                     g[3].diameter, g[3].legs, r.inclined_loops) < 0)
        return 1;
    if (std::fprintf(f, " %d %d %d %d %d %d %d %d %d %d %d %d %d %d\n", g[5].count, g[5].diameter, g[5].legs,
                     g[4].count, g[4].diameter, g[4].legs, r.member_count[0], r.member_count[1],
                     r.member_diameter[0], r.member_diameter[1], r.end_count[0], r.end_count[1],
                     r.end_diameter[0], r.end_diameter[1]) < 0)
        return 1;
    if (std::fprintf(f, " %lf %lf %lf %lf %lf %lf\n", r.spacing[0], r.spacing[1], r.spacing[2], r.spacing[3],
                     0.0, 0.0) < 0)
        return 1;
    const double* a = r.anchorage;
    if (std::fprintf(f, " %lf %lf %lf %lf %lf %lf %lf %lf %lf\n", a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7],
                     a[8]) < 0)
        return 1;

    if (Write_EC2_Print_Options(f, &m->print_options) != 0) return 1;
    if (Write_Load_Tables(f, m) != 0) return 1;
    return 0;
}

int Read_Corbel_Model(FILE* f, Corbel_Model* m)
{
    if (!m) return 1;
    Clear_Corbel_Model(m);
    if (!f) return 1;

    int version = 0;
    if (!Scan_Int(f, &version)) return 1;
    if (version < 0) {
        Set_Corbel_Defaults(m);
        return 2;
    }
    if (!Check_File_Version(version, CORBEL_FILE_VERSION, import_in_progress)) return 1;
    // Numbers from 9999 on are never newer: such a file is read as a current one.
    if (version > CORBEL_FILE_VERSION) version = CORBEL_FILE_VERSION;

    const int r = Read_Body(f, m, version);
    // The result array follows the row count of table 0, whatever the tables' block left.
    Alloc_Load_Case_Results(m);
    if (r != 0) return 1;
    // The conversions take "nan" and "inf"; no writer writes them: a damaged file.
    if (!Corbel_Values_Finite(*m)) return 1;
    Check_Corbel_Model(m, nullptr, 0, 0);
    return 0;
}

int Read_Corbel_File(FILE* f, Corbel_Model* m)
{
    // The data check clamps by the annex in force (the strut angle's limit, the bridge
    // rules) and takes its partial factors from it. Checked under the annex that happened
    // to be in force before, a position would lose what its own annex allows, and would
    // change every time it is saved and read again.
    if (f) {
        Choose_Annex_Of_File(f);
        std::rewind(f);
    }
    return Read_Corbel_Model(f, m);
}

namespace {
// The sheets' copy is filled from the model the start-up read leaves, in whatever way
// the read ends (none exists in a refresh run).
struct Fill_When_Done {
    ~Fill_When_Done() { if (!refresh_mode) Fill_Edit_Buffer_Hook(&corbel_model); }
};
} // namespace

bool Read_Position_Input()
{
    Fill_When_Done fill_when_done;
    errno = 0;
    FILE* f = Open_Component_File(inp_file_name.c_str(), "r");
    if (!f) {
        // A name the environment or the file system cannot take names no file: neither
        // the input nor the report beside it.
        const int error = Get_Component_File_Name(inp_file_name.c_str()) ? errno : ENAMETOOLONG;
        if (error == ENAMETOOLONG && refresh_mode) {
            Tell_Input_Problem("kann nicht gelesen werden", German_Error_Text(error));
            return false;
        }
        // No file: the position starts empty. A file that is there but cannot be opened
        // must not be overwritten unasked later, nor be reported as an empty position.
        bool is_link = false;
        const bool exists = Input_Name_Taken(&is_link);
        if (exists && refresh_mode) {
            // A folder, a pipe or a device in the file's place, or a file far too long,
            // is there but holds no position.
            const bool no_position = error == EISDIR || error == ENODEV || error == EOVERFLOW;
            Tell_Input_Problem(no_position ? "kann nicht gelesen werden" : "kann nicht ge\xF6" "ffnet werden",
                               is_link && error == ENOENT ? "sie ist ein Verweis auf eine Datei, die nicht vorhanden ist"
                                                          : German_Error_Text(error));
            return false;
        }
        // The report of an empty position is about to replace the old one: not without a word.
        if (!exists && refresh_mode)
            Tell_Input_Problem("ist nicht vorhanden", "der Bericht einer leeren Position wird geschrieben");
        // A new position in the editor starts from the defaults (the annex's partial factors,
        // the online calculation on), as after a read error: the empty record's zero factors
        // and outdated classes are no values to start designing from. The refresh run's
        // report says that it is of an empty position.
        if (refresh_mode)
            Clear_Corbel_Model(&corbel_model);
        else
            Set_Corbel_Defaults(&corbel_model);
        corbel_model.input_read_failed = exists ? 1 : 0;
        return true;
    }

    const int r = Read_Corbel_File(f, &corbel_model);
    if (r != 2) {
        // Keep a copy of the position's import protocol as it stood at this read.
        const std::string source = Component_Name(Position_Suffix(".EXP"));
        const std::string destination = Component_Name(Position_Suffix("_TMP.EXP"));
        if (!source.empty() && !destination.empty()) {
            // A copy that a killed run left half-made under a temporary name goes first.
            Remove_Leftover_Temporaries(destination.c_str());
            Copy_File_If_Exists(source.c_str(), destination.c_str());
        }
    }
    corbel_model.input_read_failed = 0;
    if (r == 1) {
        if (refresh_mode) {
            const char* reason = Read_Failure_Reason(f);
            std::fclose(f);
            Tell_Input_Problem("kann nicht gelesen werden", reason);
            return false;
        }
        Tell_Read_Error_And_Set_Defaults("Die Eingabedaten k\xF6nnen nicht gelesen werden!");
        corbel_model.input_read_failed = 1;
    }
    std::fclose(f);
    return true;
}

int Write_Position_Content(FILE* stream)
{
    if (Write_Corbel_Model(stream, &corbel_model) != 0) return 1;
    NAD_Write_Active_Name(stream);
    return 0;
}

void Tell_Input_Not_Saved(int error)
{
    PrintMessage(File_Failure_Message(TEXT_SAVE_FAILED, Component_Name(inp_file_name), error).c_str());
}

int Save_Position_Input()
{
    const std::string path = Component_Name(inp_file_name);
    int error = 0;
    if (Write_Model_File(path, &error) == 0) return 0;
    Tell_Input_Not_Saved(error);
    return 1;
}

bool Make_Export_Path(const char* temp_directory, std::string* path)
{
    if (!temp_directory || !path) return false;
    std::string p = std::string(temp_directory) + EXPORT_FILE_NAME;
    if (p.size() > static_cast<size_t>(EXPORT_PATH_MAX)) return false;
    *path = std::move(p);
    return true;
}

int Export_Corbel_Data()
{
    Apply_Edit_Buffer_Hook(&corbel_model);
    Fill_When_Done fill_when_done;
    const char* temp = ZAVGetEnv("TEMP");
    if (!temp) {
        PrintMessage(TEXT_EXPORT_FAILED);
        return 1;
    }
    std::string path;
    if (!Make_Export_Path(temp, &path)) {
        PrintMessage(TEXT_EXPORT_OPEN_FAILED);
        return 1;
    }
    const int r = Write_Model_File(path);
    if (r != 0) {
        PrintMessage(r == 1 ? TEXT_EXPORT_OPEN_FAILED : TEXT_EXPORT_FAILED);
        return 1;
    }
    // Said with the file, so that it can be found (and taken along) outside the program.
    PrintMessage((std::string(TEXT_EXPORT_DONE) + "\nDatei: " + Map_Path(path)).c_str());
    return 0;
}

int Import_Corbel_Data()
{
    Apply_Edit_Buffer_Hook(&corbel_model);
    Fill_When_Done fill_when_done;
    const char* temp = ZAVGetEnv("TEMP");
    if (!temp) {
        PrintMessage(TEXT_IMPORT_FAILED);
        return 1;
    }
    std::string path;
    FILE* f = Make_Export_Path(temp, &path) ? Fopen_Mapped(path.c_str(), "r") : nullptr;
    if (!f) {
        PrintMessage(TEXT_IMPORT_OPEN_FAILED);
        return 1;
    }
    import_in_progress = 1;
    const int r = Read_Corbel_File(f, &corbel_model);
    if (r == 1) {
        Tell_Read_Error_And_Set_Defaults("Die Daten k\xF6nnen nicht gelesen werden!");
    } else {
        Check_Corbel_Model(&corbel_model, nullptr, 0, 0);
        PrintMessage(TEXT_IMPORT_DONE);
    }
    std::fclose(f);
    return r == 1 ? 2 : 0;
}
