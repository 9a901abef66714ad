#include "core/safety_factors.h"

#include "annex/nad_choice.h"
#include "annex/nad_ec2.h"
#include "base/component_files.h"
#include "report/text_utils.h"

#include <cmath>

namespace {

constexpr int NORM_EN1992_1_1 = 4;
constexpr int NORM_EN1992_2 = 21;

// Annex column of the fatigue pair ("Ermüdung").
constexpr int FATIGUE_COLUMN = 1;

bool Near(double a, double b) { return std::fabs(a - b) <= 0.01; }

} // namespace

void Fill_NAD_Safety_Factors(NAD_Safety_Factors* record, int k)
{
    if (!record || k < 0 || k > 3 || record->from_annex == 0) return;
    const NAD_EC2_Params* p = NAD_Get_EC2_Params();
    const int norm = record->norm_code;
    const bool known_norm = norm == NORM_EN1992_1_1 || norm == NORM_EN1992_2;

    // The situation's own pair; column 1 is the fatigue column and leaves it alone.
    if (k != FATIGUE_COLUMN) {
        record->gamma_c = 0.0;
        record->gamma_s = 0.0;
        if (p && norm == NORM_EN1992_1_1) {
            record->gamma_c = p->gamma_c[k];
            record->gamma_s = p->gamma_s[k];
        } else if (p && norm == NORM_EN1992_2) {
            record->gamma_c = p->bridge_gamma_c[k];
            record->gamma_s = p->bridge_gamma_s[k];
        }
    }

    // Serviceability: one pair for both standards.
    record->gamma_c_sls = 0.0;
    record->gamma_s_sls = 0.0;
    if (p && known_norm) {
        record->gamma_c_sls = p->gamma_c_sls;
        record->gamma_s_sls = p->gamma_s_sls;
    }

    record->gamma_c_fat = 0.0;
    record->gamma_s_fat = 0.0;
    if (p && norm == NORM_EN1992_1_1) {
        record->gamma_c_fat = p->gamma_c[FATIGUE_COLUMN];
        record->gamma_s_fat = p->gamma_s[FATIGUE_COLUMN];
    } else if (p && norm == NORM_EN1992_2) {
        record->gamma_c_fat = p->bridge_gamma_c[FATIGUE_COLUMN];
        record->gamma_s_fat = p->bridge_gamma_s[FATIGUE_COLUMN];
    }
}

NAD_Safety_Factors* Init_NAD_Safety_Factors(NAD_Safety_Factors* record)
{
    if (!record) return nullptr;
    *record = NAD_Safety_Factors{};
    return record;
}

void Copy_NAD_Safety_Factors(const NAD_Safety_Factors* source, NAD_Safety_Factors* destination)
{
    if (!destination) return;
    const NAD_Safety_Factors copy = source ? *source : NAD_Safety_Factors{};
    Init_NAD_Safety_Factors(destination);
    if (source) *destination = copy;
}

int Compare_NAD_Safety_Factors(const NAD_Safety_Factors* a, const NAD_Safety_Factors* b)
{
    if (!a || !b) return 0;
    if (a->from_annex != b->from_annex || a->norm_code != b->norm_code) return 0;
    return Near(a->gamma_c, b->gamma_c) && Near(a->gamma_s, b->gamma_s) && Near(a->gamma_c_sls, b->gamma_c_sls) &&
                   Near(a->gamma_s_sls, b->gamma_s_sls) && Near(a->gamma_c_fat, b->gamma_c_fat) &&
                   Near(a->gamma_s_fat, b->gamma_s_fat)
               ? 1
               : 0;
}

int Write_NAD_Safety_Factors(FILE* stream, const NAD_Safety_Factors* record)
{
    if (!stream || !record) return 1;
    if (std::fprintf(stream, " %d\n", NAD_SAFETY_FACTORS_VERSION) < 0) return 1;
    if (std::fprintf(stream, " %d %d", record->norm_code, record->from_annex) < 0) return 1;
    if (std::fprintf(stream, " %lf %lf", record->gamma_c, record->gamma_s) < 0) return 1;
    if (std::fprintf(stream, " %lf %lf", record->gamma_c_sls, record->gamma_s_sls) < 0) return 1;
    if (std::fprintf(stream, " %lf %lf", record->gamma_c_fat, record->gamma_s_fat) < 0) return 1;
    std::fprintf(stream, "\n");
    // A stream that failed on the way (even on the last line end) has not saved the block.
    return std::ferror(stream) ? 1 : 0;
}

int Read_NAD_Safety_Factors(FILE* stream, NAD_Safety_Factors* record)
{
    if (!stream || !record) return 1;
    Init_NAD_Safety_Factors(record);
    int version = 0;
    if (!Scan_Int(stream, &version)) return 1;
    if (!Check_File_Version(version, NAD_SAFETY_FACTORS_VERSION, 0)) return 1;
    // Straight into the record, so that what was read before a failure stays.
    if (!Scan_Int(stream, &record->norm_code) || !Scan_Int(stream, &record->from_annex)) return 1;
    if (std::fscanf(stream, "%lf%lf", &record->gamma_c, &record->gamma_s) != 2) return 1;
    if (std::fscanf(stream, "%lf%lf", &record->gamma_c_sls, &record->gamma_s_sls) != 2) return 1;
    if (std::fscanf(stream, "%lf%lf", &record->gamma_c_fat, &record->gamma_s_fat) != 2) return 1;
    return 0;
}
