#include "annex/nad_ec3.h"

#include "annex/nad_sections.h"

#include <cmath>

namespace {

// Values that differ by no more than this are the same annex value (the files keep six
// decimals).
constexpr double kTolerance = 1e-4;

bool Differ(double a, double b)
{
    return std::fabs(a - b) > kTolerance;
}

bool Differ(const double* a, const double* b, int n)
{
    for (int i = 0; i < n; ++i) {
        if (Differ(a[i], b[i])) return true;
    }
    return false;
}

bool Read_Int(FILE* stream, int* target)
{
    int value = 0;
    if (std::fscanf(stream, "%d", &value) != 1) return false;
    *target = value;
    return true;
}

bool Read_Double(FILE* stream, double* target)
{
    double value = 0.0;
    if (std::fscanf(stream, "%lf", &value) != 1) return false;
    *target = value;
    return true;
}

bool Read_Doubles(FILE* stream, double* target, int n)
{
    for (int i = 0; i < n; ++i) {
        if (!Read_Double(stream, &target[i])) return false;
    }
    return true;
}

void Fill(double* target, int n, const double* values)
{
    for (int i = 0; i < n; ++i) target[i] = values[i];
}

// A section that is missing or breaks off inside a sub-record.
void Note_Failure()
{
    if (nad_trace) std::printf("NAD_EC3_Read: Lesefehler\n");
    NAD_Note_Read_Failure("EC3");
}

const char* const kStopTag = "#NAD";

} // namespace

// ---------------------------------------------------------------- EN 1993-1-1 / 1-2

void NAD_EC3_1_Defaults(NAD_EC3_1_Params* record)
{
    if (!record) return;
    static const double persistent[3] = {1.0, 1.0, 1.25};
    static const double accidental[3] = {1.0, 1.0, 1.25};
    static const double elastic[5] = {350.0, 300.0, 250.0, 200.0, 150.0};
    static const double plastic[5] = {300.0, 250.0, 200.0, 150.0, 100.0};
    record->version = 5;
    Fill(record->gamma_M, 3, persistent);
    Fill(record->gamma_M_accidental, 3, accidental);
    record->f_modification_flag = 0;
    record->gamma_M_fi = 1.0;
    record->lambda_LT0 = 0.4;
    record->beta = 0.75;
    record->kc_flag = 0;
    record->kc = 1.0;
    record->f_flag = 1;
    record->f = 1.0;
    Fill(record->e0_elastic, 5, elastic);
    Fill(record->e0_plastic, 5, plastic);
}

// The German annex differs from the recommended values in gamma_M1, the accidental
// gamma_M2, the modification factor f and the bow imperfections.
void NAD_EC3_1_Defaults_NA_DE(NAD_EC3_1_Params* record)
{
    if (!record) return;
    static const double persistent[3] = {1.0, 1.1, 1.25};
    static const double accidental[3] = {1.0, 1.0, 1.15};
    static const double bow[5] = {600.0, 550.0, 350.0, 250.0, 150.0};
    NAD_EC3_1_Defaults(record);
    Fill(record->gamma_M, 3, persistent);
    Fill(record->gamma_M_accidental, 3, accidental);
    record->f_modification_flag = 1;
    Fill(record->e0_elastic, 5, bow);
    Fill(record->e0_plastic, 5, bow);
}

void NAD_EC3_1_Write(FILE* stream, const NAD_EC3_1_Params* record)
{
    if (!stream || !record) return;
    std::fprintf(stream, " %d", 5);
    for (double value : record->gamma_M) std::fprintf(stream, " %lf", value);
    for (double value : record->gamma_M_accidental) std::fprintf(stream, " %lf", value);
    std::fprintf(stream, " %d", record->f_modification_flag);
    std::fprintf(stream, " %lf", record->gamma_M_fi);
    std::fprintf(stream, "\n");
    std::fprintf(stream, " %lf %lf %d %lf %d %lf\n", record->lambda_LT0, record->beta,
                 record->kc_flag, record->kc, record->f_flag, record->f);
    for (double value : record->e0_elastic) std::fprintf(stream, " %lf", value);
    for (double value : record->e0_plastic) std::fprintf(stream, " %lf", value);
    std::fprintf(stream, "\n");
}

int NAD_EC3_1_Read(FILE* stream, NAD_EC3_1_Params* record)
{
    if (!stream || !record) return 1;
    NAD_EC3_1_Defaults(record);
    record->version = 0;

    int version = 0;
    if (!Read_Int(stream, &version)) return 1;
    record->version = version;
    if (nad_trace) std::printf("NAD_EC3_1_Read: Version %d\n", version);

    if (!Read_Doubles(stream, record->gamma_M, 3)) return 1;
    if (version > 0 && !Read_Doubles(stream, record->gamma_M_accidental, 3)) return 1;
    if (version > 1 && !Read_Int(stream, &record->f_modification_flag)) return 1;
    if (version > 2 && !Read_Double(stream, &record->gamma_M_fi)) return 1;
    if (version > 3) {
        if (!Read_Double(stream, &record->lambda_LT0) || !Read_Double(stream, &record->beta) ||
            !Read_Int(stream, &record->kc_flag) || !Read_Double(stream, &record->kc) ||
            !Read_Int(stream, &record->f_flag) || !Read_Double(stream, &record->f)) {
            return 1;
        }
    }
    if (version > 4) {
        if (!Read_Doubles(stream, record->e0_elastic, 5) ||
            !Read_Doubles(stream, record->e0_plastic, 5)) {
            return 1;
        }
    }
    return 0;
}

int NAD_EC3_1_Compare(const NAD_EC3_1_Params* a, const NAD_EC3_1_Params* b)
{
    if (!a || !b) return a != b;
    // A record below version 2 was not read (or comes from the oldest files): it stands
    // for whatever the other one holds.
    if (a->version < 2 || b->version < 2) return 0;
    if (a->f_modification_flag != b->f_modification_flag || a->kc_flag != b->kc_flag ||
        a->f_flag != b->f_flag) {
        return 1;
    }
    if (Differ(a->gamma_M, b->gamma_M, 3) ||
        Differ(a->gamma_M_accidental, b->gamma_M_accidental, 3) ||
        Differ(a->gamma_M_fi, b->gamma_M_fi) || Differ(a->lambda_LT0, b->lambda_LT0) ||
        Differ(a->beta, b->beta) || Differ(a->kc, b->kc) || Differ(a->f, b->f) ||
        Differ(a->e0_elastic, b->e0_elastic, 5) || Differ(a->e0_plastic, b->e0_plastic, 5)) {
        return 1;
    }
    return 0;
}

void NAD_EC3_1_Copy(NAD_EC3_1_Params* destination, const NAD_EC3_1_Params* source)
{
    if (destination && source) *destination = *source;
}

// ---------------------------------------------------------------- EN 1993-1-8, 1-5, 1-9, 6

void NAD_EC3_8_Defaults(NAD_EC3_8_Params* record)
{
    if (!record) return;
    static const double connection[6] = {1.25, 1.0, 1.0, 1.0, 1.1, 1.1};
    static const double fatigue[4] = {1.0, 1.15, 1.15, 1.35};
    record->version = 5;
    Fill(record->gamma_M_connection, 6, connection);
    record->shear_lag_note = 3;
    record->eta = 1.2;
    Fill(record->gamma_Mf, 4, fatigue);
    record->gamma_M_ser = 1.0;
    record->last_factor = 1.1;
}

void NAD_EC3_8_Write(FILE* stream, const NAD_EC3_8_Params* record)
{
    if (!stream || !record) return;
    std::fprintf(stream, " %d", 5);
    for (double value : record->gamma_M_connection) std::fprintf(stream, " %lf", value);
    std::fprintf(stream, "\n");
    std::fprintf(stream, " %d %lf\n", record->shear_lag_note, record->eta);
    for (double value : record->gamma_Mf) std::fprintf(stream, " %lf", value);
    std::fprintf(stream, "\n");
    std::fprintf(stream, " %lf %lf\n", record->gamma_M_ser, record->last_factor);
}

int NAD_EC3_8_Read(FILE* stream, NAD_EC3_8_Params* record)
{
    if (!stream || !record) return 1;
    NAD_EC3_8_Defaults(record);
    // The version is stored once the record has been read: one that breaks off keeps 0,
    // as a sub-record that was not read.
    record->version = 0;

    int version = 0;
    if (!Read_Int(stream, &version)) return 1;
    if (nad_trace) std::printf("NAD_EC3_8_Read: Version %d\n", version);
    if (!Read_Doubles(stream, record->gamma_M_connection, 6)) return 1;
    if (version > 1 &&
        (!Read_Int(stream, &record->shear_lag_note) || !Read_Double(stream, &record->eta))) {
        return 1;
    }
    if (version > 2 && !Read_Doubles(stream, record->gamma_Mf, 4)) return 1;
    if (version > 3 && !Read_Double(stream, &record->gamma_M_ser)) return 1;
    if (version > 4 && !Read_Double(stream, &record->last_factor)) return 1;
    record->version = version;
    return 0;
}

int NAD_EC3_8_Compare(const NAD_EC3_8_Params* a, const NAD_EC3_8_Params* b)
{
    if (!a || !b) return a != b;
    if (a->version < 2 || b->version < 2) return 0;
    if (a->shear_lag_note != b->shear_lag_note) return 1;
    if (Differ(a->gamma_M_connection, b->gamma_M_connection, 6) || Differ(a->eta, b->eta) ||
        Differ(a->gamma_Mf, b->gamma_Mf, 4) || Differ(a->gamma_M_ser, b->gamma_M_ser) ||
        Differ(a->last_factor, b->last_factor)) {
        return 1;
    }
    return 0;
}

void NAD_EC3_8_Copy(NAD_EC3_8_Params* destination, const NAD_EC3_8_Params* source)
{
    if (destination && source) *destination = *source;
}

// ---------------------------------------------------------------- whole part

void NAD_EC3_Defaults(NAD_EC3_Params* part)
{
    if (!part) return;
    part->na_de_flag = 0;
    NAD_EC3_1_Defaults(&part->ec3_1);
    NAD_EC3_8_Defaults(&part->ec3_8);
}

void NAD_EC3_Defaults_NA_DE(NAD_EC3_Params* part)
{
    if (!part) return;
    part->na_de_flag = 1;
    NAD_EC3_1_Defaults_NA_DE(&part->ec3_1);
    NAD_EC3_8_Defaults(&part->ec3_8);
}

void NAD_EC3_Write(FILE* stream, const NAD_EC3_Params* part)
{
    if (!stream || !part) return;
    std::fprintf(stream, " EC3-1 Parameter\n");
    NAD_EC3_1_Write(stream, &part->ec3_1);
    std::fprintf(stream, " EC3-8 Parameter\n");
    NAD_EC3_8_Write(stream, &part->ec3_8);
}

void NAD_EC3_Read(FILE* stream, NAD_EC3_Params* part, int in_set_file)
{
    if (!stream || !part) return;
    NAD_EC3_Defaults(part);
    part->ec3_1.version = 0;
    part->ec3_8.version = 0;

    if (!in_set_file) {
        // Older files: " EC3 Parameter" with the NA-DE flag ahead of the newer sections,
        // or, older still, " EC3-8 Parameter" holding the flag, the first sub-record and
        // the six connection factors.
        if (NAD_Find_Section(stream, " EC3 Parameter", kStopTag, nullptr) == 1) {
            if (!Read_Int(stream, &part->na_de_flag)) {
                Note_Failure();
                return;
            }
        } else {
            if (NAD_Find_Section(stream, " EC3-8 Parameter", kStopTag, nullptr) != 1) return;
            if (!Read_Int(stream, &part->na_de_flag) ||
                NAD_EC3_1_Read(stream, &part->ec3_1) != 0 ||
                !Read_Doubles(stream, part->ec3_8.gamma_M_connection, 6)) {
                Note_Failure();
            }
            return;
        }
    }

    if (NAD_Find_Section(stream, " EC3-1 Parameter", kStopTag, nullptr) != 1 ||
        NAD_EC3_1_Read(stream, &part->ec3_1) != 0 ||
        NAD_Find_Section(stream, " EC3-8 Parameter", kStopTag, nullptr) != 1 ||
        NAD_EC3_8_Read(stream, &part->ec3_8) != 0) {
        Note_Failure();
    }
}

void NAD_EC3_Set_NA_DE_Flag(NAD_EC3_Params* part, int flag)
{
    if (part) part->na_de_flag = flag;
}

int NAD_EC3_Compare(const NAD_EC3_Params* a, const NAD_EC3_Params* b)
{
    if (!a || !b) return a != b;
    if (a->na_de_flag != b->na_de_flag) return 1;
    if (NAD_EC3_1_Compare(&a->ec3_1, &b->ec3_1) || NAD_EC3_8_Compare(&a->ec3_8, &b->ec3_8)) {
        return 1;
    }
    return 0;
}

void NAD_EC3_Copy(NAD_EC3_Params* destination, const NAD_EC3_Params* source)
{
    if (!destination || !source) return;
    destination->ec3_1 = source->ec3_1;
    destination->ec3_8 = source->ec3_8;
}
