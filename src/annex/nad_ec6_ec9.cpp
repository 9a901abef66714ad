#include "annex/nad_ec6_ec9.h"

#include "annex/nad_sections.h"

#include <cmath>

namespace {

// Two factors that differ by no more than this are the same annex value (the files keep
// six decimals).
constexpr double kFactorTolerance = 0.0001;

bool Same_Factor(double a, double b)
{
    return std::fabs(a - b) <= kFactorTolerance;
}

void Note_Failure(const char* reader, const char* part)
{
    if (nad_trace) std::printf("%s: Lesefehler\n", reader);
    NAD_Note_Read_Failure(part);
}

} // namespace

// ---------------------------------------------------------------- EN 1996

void NAD_EC6_Defaults(NAD_EC6_Params* record)
{
    if (!record) return;
    record->na_de_flag = 0;
    record->gamma_M = 1.5;
    record->gamma_M_accidental = 1.5;
    record->gamma_M_seismic = 1.5;
    record->gamma_M_ser = 1.0;
}

NAD_EC6_Params* NAD_EC6_Defaults_NA_DE(NAD_EC6_Params* record)
{
    if (!record) return record;
    record->na_de_flag = 1;
    record->gamma_M = 1.5;
    record->gamma_M_accidental = 1.3;
    record->gamma_M_seismic = 1.2;
    record->gamma_M_ser = 1.0;
    return record;
}

void NAD_EC6_Set_NA_DE_Flag(NAD_EC6_Params* record, int flag)
{
    if (record) record->na_de_flag = flag;
}

void NAD_EC6_Write(FILE* stream, const NAD_EC6_Params* record)
{
    if (!stream || !record) return;
    if (std::fprintf(stream, " %d\n", 1) < 0) return;
    if (std::fprintf(stream, " %d\n", record->na_de_flag) < 0) return;
    if (std::fprintf(stream, " %lf", record->gamma_M) < 0) return;
    if (std::fprintf(stream, " %lf", record->gamma_M_accidental) < 0) return;
    if (std::fprintf(stream, " %lf", record->gamma_M_seismic) < 0) return;
    std::fprintf(stream, " %lf\n", record->gamma_M_ser);
}

void NAD_EC6_Read(FILE* stream, NAD_EC6_Params* record)
{
    if (!stream || !record) return;
    // Start from the built-in values, so that a block that breaks off never leaves a
    // partial factor of 0 behind.
    NAD_EC6_Defaults(record);

    int version = 0;
    int flag = 0;
    if (std::fscanf(stream, "%d", &version) != 1 || std::fscanf(stream, "%d", &flag) != 1) {
        Note_Failure("NAD_EC6_Read", "EC6");
        return;
    }
    record->na_de_flag = flag;
    if (nad_trace) std::printf("NAD_EC6_Read: Version %d\n", version);
    if (version < 1) {
        Note_Failure("NAD_EC6_Read", "EC6");
        return;
    }
    double* const fields[] = {&record->gamma_M, &record->gamma_M_accidental,
                              &record->gamma_M_seismic, &record->gamma_M_ser};
    for (double* field : fields) {
        double value = 0.0;
        if (std::fscanf(stream, "%lf", &value) != 1) {
            Note_Failure("NAD_EC6_Read", "EC6");
            return;
        }
        *field = value;
    }
}

int NAD_EC6_Equal(const NAD_EC6_Params* a, const NAD_EC6_Params* b)
{
    if (!a || !b) return 0;
    if (a->na_de_flag != b->na_de_flag) return 0;
    return Same_Factor(a->gamma_M, b->gamma_M) &&
           Same_Factor(a->gamma_M_accidental, b->gamma_M_accidental) &&
           Same_Factor(a->gamma_M_seismic, b->gamma_M_seismic) &&
           Same_Factor(a->gamma_M_ser, b->gamma_M_ser);
}

void NAD_EC6_Copy(NAD_EC6_Params* destination, const NAD_EC6_Params* source)
{
    if (!destination || !source) return;
    *destination = *source;
}

// ---------------------------------------------------------------- EN 1999

void NAD_EC9_Defaults(NAD_EC9_Params* record)
{
    if (!record) return;
    record->na_de_flag = 0;
    record->version = 5;
    record->gamma_M0 = 1.10;
    record->gamma_M1 = 1.10;
    record->gamma_M2 = 1.25;
    record->gamma_Mp = 1.25;
    record->gamma_Mw = 1.25;
    record->gamma_Ms_ser = 1.10;
    record->gamma_Ms_ult = 1.25;
    record->gamma_Ma = 3.00;
    record->gamma_Mp_ser = 1.00;
    record->C = 1.20;
}

NAD_EC9_Params* NAD_EC9_Defaults_NA_DE(NAD_EC9_Params* record)
{
    if (!record) return record;
    NAD_EC9_Defaults(record);
    record->na_de_flag = 1;
    return record;
}

void NAD_EC9_Set_NA_DE_Flag(NAD_EC9_Params* record, int flag)
{
    if (record) record->na_de_flag = flag;
}

void NAD_EC9_Write(FILE* stream, const NAD_EC9_Params* record)
{
    if (!stream || !record) return;
    if (std::fprintf(stream, " %d\n", 5) < 0) return;
    if (std::fprintf(stream, " %d\n", record->na_de_flag) < 0) return;
    if (std::fprintf(stream, " %lf %lf", record->gamma_M0, record->gamma_M2) < 0) return;
    const double middle[] = {record->gamma_Mp,     record->gamma_Mw, record->gamma_Ms_ser,
                             record->gamma_Ms_ult, record->gamma_Ma, record->gamma_Mp_ser,
                             record->C};
    for (double value : middle) {
        if (std::fprintf(stream, " %lf", value) < 0) return;
    }
    std::fprintf(stream, " %lf\n", record->gamma_M1);
}

void NAD_EC9_Read(FILE* stream, NAD_EC9_Params* record)
{
    if (!stream || !record) return;
    NAD_EC9_Defaults(record);

    // Reads the next factor; false (failure noted) when it does not convert.
    auto read = [stream](double* field) {
        double value = 0.0;
        if (std::fscanf(stream, "%lf", &value) != 1) {
            Note_Failure("NAD_EC9_Read", "EC9");
            return false;
        }
        *field = value;
        return true;
    };

    int version = 0;
    int flag = 0;
    if (std::fscanf(stream, "%d", &version) != 1 || std::fscanf(stream, "%d", &flag) != 1) {
        Note_Failure("NAD_EC9_Read", "EC9");
        return;
    }
    record->version = version;
    record->na_de_flag = flag;
    if (nad_trace) std::printf("NAD_EC9_Read: Version %d\n", version);
    if (version < 1) {
        Note_Failure("NAD_EC9_Read", "EC9");
        return;
    }

    // Version 4 held gamma_M1 second in the line, version 5 holds it last; older blocks
    // have none and take gamma_M0.
    if (!read(&record->gamma_M0)) return;
    if (version == 4) {
        if (!read(&record->gamma_M1)) return;
    } else {
        record->gamma_M1 = record->gamma_M0;
    }
    if (!read(&record->gamma_M2) || !read(&record->gamma_Mp)) return;
    if (version >= 2) {
        double* const connections[] = {&record->gamma_Mw, &record->gamma_Ms_ser,
                                       &record->gamma_Ms_ult, &record->gamma_Ma,
                                       &record->gamma_Mp_ser};
        for (double* field : connections) {
            if (!read(field)) return;
        }
    }
    if (version >= 3 && !read(&record->C)) return;
    if (version >= 5) read(&record->gamma_M1);
}

int NAD_EC9_Equal(const NAD_EC9_Params* a, const NAD_EC9_Params* b)
{
    if (!a || !b) return 0;
    if (a->na_de_flag != b->na_de_flag) return 0;
    return Same_Factor(a->gamma_M0, b->gamma_M0) && Same_Factor(a->gamma_M1, b->gamma_M1) &&
           Same_Factor(a->gamma_M2, b->gamma_M2) && Same_Factor(a->gamma_Mp, b->gamma_Mp) &&
           Same_Factor(a->gamma_Mw, b->gamma_Mw) &&
           Same_Factor(a->gamma_Ms_ser, b->gamma_Ms_ser) &&
           Same_Factor(a->gamma_Ms_ult, b->gamma_Ms_ult) &&
           Same_Factor(a->gamma_Ma, b->gamma_Ma) &&
           Same_Factor(a->gamma_Mp_ser, b->gamma_Mp_ser) && Same_Factor(a->C, b->C);
}

void NAD_EC9_Copy(NAD_EC9_Params* destination, const NAD_EC9_Params* source)
{
    if (!destination || !source) return;
    const int version = destination->version;
    *destination = *source;
    destination->version = version;
}
