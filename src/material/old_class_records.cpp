#include "material/old_class_records.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

#include "annex/nad_choice.h"
#include "annex/nad_ec2.h"
#include "base/utilities.h"

namespace {

// ---------------------------------------------------------------------------------------
// Class tables (index 0..14: C12/15 ... C100/115)

constexpr int kClassCount = 15;
constexpr int kLightweightCount = 11;

const char* const kConcreteNames[kClassCount] = {
    "C12/15", "C16/20", "C20/25", "C25/30", "C30/37", "C35/45", "C40/50", "C45/55",
    "C50/60", "C55/67", "C60/75", "C70/85", "C80/95", "C90/105", "C100/115",
};
const char* const kLightweightNames[kLightweightCount] = {
    "LC12/13", "LC16/18", "LC20/22", "LC25/28", "LC30/33", "LC35/38",
    "LC40/44", "LC45/50", "LC50/55", "LC55/60", "LC60/66",
};
constexpr double kFck[kClassCount] = {
    12000, 16000, 20000, 25000, 30000, 35000, 40000, 45000,
    50000, 55000, 60000, 70000, 80000, 90000, 100000,
};
constexpr double kEpsC1[kClassCount] = {
    -0.0018, -0.0019, -0.0021, -0.0022, -0.0023, -0.0024, -0.0025, -0.00255,
    -0.0026, -0.00265, -0.0027, -0.0028, -0.0029, -0.00295, -0.003,
};
constexpr double kEpsC1u[kClassCount] = {
    -0.0035, -0.0035, -0.0035, -0.0035, -0.0035, -0.0035, -0.0035, -0.0035,
    -0.0035, -0.0034, -0.0033, -0.0032, -0.0031, -0.003, -0.003,
};
constexpr double kEpsC2[kClassCount] = {
    -0.002, -0.002, -0.002, -0.002, -0.002, -0.002, -0.002, -0.002,
    -0.002, -0.00203, -0.00206, -0.0021, -0.00214, -0.00217, -0.0022,
};
constexpr double kEpsC2u[kClassCount] = {
    -0.0035, -0.0035, -0.0035, -0.0035, -0.0035, -0.0035, -0.0035, -0.0035,
    -0.0035, -0.0031, -0.0027, -0.0025, -0.0024, -0.0023, -0.0022,
};
constexpr double kExponentN[kClassCount] = {
    2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 1.9, 1.8, 1.7, 1.6, 1.55,
};

// DIN 1045 (7.88) grades B15 ... B55.
constexpr int kGradeCount = 5;
const char* const kGradeNames[kGradeCount] = {"B15", "B25", "B35", "B45", "B55"};
constexpr double kGradeValues[kGradeCount][8] = {
    // beta_wn, beta_r, stress_1..stress_5, modulus
    {15000, 10500, 250, 350, 1200, 1400, 700, 2.6e7},
    {25000, 17500, 350, 500, 1800, 1800, 900, 3.0e7},
    {35000, 23000, 400, 600, 2400, 2200, 1100, 3.4e7},
    {45000, 27000, 500, 700, 2700, 2600, 1300, 3.7e7},
    {55000, 30000, 550, 800, 3000, 3000, 1500, 3.9e7},
};

// DIN 1045 (7.88) steels.
constexpr int kOldSteelCount = 3;
const char* const kOldSteelNames[kOldSteelCount] = {"BSt 220/340", "BSt 420 S", "BSt 500 S"};
constexpr double kOldSteelFyk[kOldSteelCount] = {220000, 420000, 500000};
constexpr double kOldSteelFtk[kOldSteelCount] = {340000, 420000, 500000};
constexpr double kOldSteelFactor[kOldSteelCount] = {1.01, 1.3, 1.4};
constexpr double kOldSteelStrain = 0.005;
constexpr double kOldSteelEs = 2.1e8;

constexpr const char* kObsoleteFormat = "%s (nicht mehr genormt!)";
constexpr const char* kOldNormName = "DIN 1045 (7.88)";

constexpr double kConcreteVersion = 1.2;
constexpr double kSteelVersion = 1.0;

template <size_t N>
void Set_Name(char (&name)[N], const std::string& text)
{
    Copy_String_Zero_Fill(name, text.c_str(), N);
}

std::string Obsolete_Name(const char* name)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, kObsoleteFormat, name);
    return buffer;
}

int Clamp_Index(int index, int count) { return std::clamp(index, 0, count - 1); }

double Mean_Strength_N(double fck) { return 0.001 * fck + 8.0; }

// Density factor of the modulus of lightweight concrete.
double Density_Factor(double density)
{
    const double r = density / 2200.0;
    return r * r;
}

bool Lightweight_Usable(int class_index, int lightweight, double density)
{
    if (class_index < 0 || class_index >= kClassCount) return false;
    if (!lightweight) return true;
    return class_index < kLightweightCount && density > 0.0 && std::isfinite(density);
}

// Name, fck, alpha, density and flags shared by both forms of the class initialiser.
void Init_Class_Common(Concrete_Class_Data* rec, int class_index, int lightweight, double density)
{
    Set_Name(rec->name, lightweight ? kLightweightNames[class_index] : kConcreteNames[class_index]);
    rec->fck = kFck[class_index];
    rec->alpha = lightweight ? 0.8 : 0.85;
    rec->lightweight = lightweight ? 1 : 0;
    rec->density = lightweight ? density : 2200.0;
    rec->law_flag = 1;
}

// Lightweight concrete: a softer modulus and the nonlinear law's strains from it.
void Apply_Lightweight_Modulus(Concrete_Class_Data* rec)
{
    if (!rec->lightweight) return;
    rec->ecm *= Density_Factor(rec->density);
    rec->eps_c1 = -(Mean_Strength_N(rec->fck) * 1000.0) / rec->ecm;
    rec->eps_c1u = rec->eps_c1;
}

// ---------------------------------------------------------------------------------------
// Versioned data-file items

// The ten bytes that stand for an empty text.
const char kEmptyMarker[] = "\x21\xA7$%&/()=?";
constexpr unsigned char kBlankByte = 0x8C;  // a blank inside a text field
constexpr size_t kTextLimit = 255;
constexpr size_t kItemLimit = 4096;

bool Is_Space(int ch) { return ch != EOF && std::isspace(static_cast<unsigned char>(ch)); }

// Next item: white space and comment lines ("#" to the end of the line) are skipped.
bool Read_Item(FILE* stream, std::string& item)
{
    int ch = std::fgetc(stream);
    for (;;) {
        while (Is_Space(ch)) ch = std::fgetc(stream);
        if (ch != '#') break;
        while (ch != EOF && ch != '\n') ch = std::fgetc(stream);
    }
    if (ch == EOF) return false;
    item.clear();
    while (ch != EOF && !Is_Space(ch)) {
        if (item.size() < kItemLimit) item.push_back(static_cast<char>(ch));
        ch = std::fgetc(stream);
    }
    if (ch != EOF) std::ungetc(ch, stream);
    return true;
}

bool Read_Double(FILE* stream, double& value)
{
    std::string item;
    if (!Read_Item(stream, item)) return false;
    char* end = nullptr;
    errno = 0;
    const double v = std::strtod(item.c_str(), &end);
    if (end == item.c_str() || *end != '\0' || errno == ERANGE) return false;
    value = v;
    return true;
}

bool Read_Int(FILE* stream, int& value)
{
    std::string item;
    if (!Read_Item(stream, item)) return false;
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(item.c_str(), &end, 10);
    if (end == item.c_str() || *end != '\0' || errno == ERANGE || v < INT_MIN || v > INT_MAX)
        return false;
    value = static_cast<int>(v);
    return true;
}

std::string Decode_Text(const std::string& item)
{
    if (item == kEmptyMarker) return std::string();
    std::string text = item;
    for (char& ch : text)
        if (static_cast<unsigned char>(ch) == kBlankByte) ch = ' ';
    return text;
}

// The structure's leading item: its version when it begins with a digit (then the name
// follows), else the name of a record of the older form without a version.
// False when nothing can be read or the version is newer than the reader's.
bool Read_Version_And_Name(FILE* stream, double reader_version, std::string& name)
{
    std::string item;
    if (!Read_Item(stream, item)) return false;
    if (std::isdigit(static_cast<unsigned char>(item[0]))) {
        char* end = nullptr;
        const double version = std::strtod(item.c_str(), &end);
        if (*end != '\0' || version > reader_version + 1e-9) return false;
        if (!Read_Item(stream, item)) return false;
    }
    name = Decode_Text(item);
    return true;
}

bool Write_Version(FILE* stream, double version)
{
    return std::fprintf(stream, " %lf # Strukturversionsnummer\n", version) >= 0;
}

bool Write_Text(FILE* stream, const char* text, size_t size)
{
    std::string field(text, strnlen(text, size));
    if (field.size() > kTextLimit) field.resize(kTextLimit);
    for (char& ch : field)
        if (ch == ' ') ch = static_cast<char>(kBlankByte);
    if (field.empty()) field = kEmptyMarker;
    return std::fprintf(stream, " %s ", field.c_str()) >= 0;
}

bool Write_Double(FILE* stream, double value) { return std::fprintf(stream, " %e ", value) >= 0; }
bool Write_Int(FILE* stream, int value) { return std::fprintf(stream, " %d ", value) >= 0; }
bool End_Struct(FILE* stream) { return std::fputc('\n', stream) != EOF; }

// ---------------------------------------------------------------------------------------
// Annex factor cache

Annex_Factor_Block Load_Annex_Factors()
{
    Annex_Factor_Block block{};
    const NAD_EC2_Params* params = NAD_Get_EC2_Params();
    NAD_EC2_Params defaults{};
    if (!params) {
        NAD_EC2_Defaults(&defaults);
        params = &defaults;
    }
    block.na_de_flag = params->na_de_flag;
    for (int k = 0; k < 4; ++k) {
        block.gamma_c[k] = params->gamma_c[k];
        block.gamma_s[k] = params->gamma_s[k];
    }
    block.gamma_c[4] = params->gamma_c_sls;
    block.gamma_s[4] = params->gamma_s_sls;
    block.alpha_cc = params->alpha_cc;
    return block;
}

}  // namespace

// ---------------------------------------------------------------------------------------
// Initialisers

void Init_Concrete_Class_Record(Concrete_Class_Data* rec, int class_index, int lightweight,
                                double density)
{
    if (!rec || !Lightweight_Usable(class_index, lightweight, density)) return;
    Init_Class_Common(rec, class_index, lightweight, density);
    rec->eps_c1 = kEpsC1[class_index];
    rec->eps_c1u = kEpsC1u[class_index];
    rec->eps_c2 = kEpsC2[class_index];
    rec->eps_c2u = kEpsC2u[class_index];
    rec->n = kExponentN[class_index];
    rec->ecm = Calc_Concrete_Ecm_kN(rec->fck);
    Apply_Lightweight_Modulus(rec);
}

void Init_Concrete_Class_Record_EN(Concrete_Class_Data* rec, int class_index, int lightweight,
                                   double density)
{
    if (!rec || !Lightweight_Usable(class_index, lightweight, density)) return;
    Init_Class_Common(rec, class_index, lightweight, density);
    const double f = 0.001 * rec->fck;  // N/mm²
    const double fcm = Mean_Strength_N(rec->fck);
    rec->eps_c1 = -0.001 * std::min(0.7 * std::pow(fcm, 0.31), 2.8);
    if (f <= 50.0) {
        rec->eps_c1u = -0.0035;
        rec->eps_c2 = -0.002;
        rec->eps_c2u = -0.0035;
        rec->n = 2.0;
    } else {
        const double q1 = (98.0 - fcm) / 100.0;
        const double q2 = (90.0 - f) / 100.0;
        rec->eps_c1u = -0.001 * (2.8 + 27.0 * q1 * q1 * q1 * q1);
        rec->eps_c2 = -0.001 * std::min(2.0 + 0.085 * std::pow(f - 50.0, 0.53), 2.6);
        rec->eps_c2u = -0.001 * (2.6 + 35.0 * q2 * q2 * q2 * q2);
        rec->eps_c2u = std::min(rec->eps_c2u, rec->eps_c2);  // never short of the peak
        rec->n = 1.4 + 23.4 * q2 * q2 * q2 * q2;
    }
    rec->ecm = Calc_Concrete_Ecm_EN_kN(rec->fck);
    Apply_Lightweight_Modulus(rec);
}

int Init_DIN1045_Grade(DIN1045_Grade_Data* grade_data, int grade)
{
    grade = Clamp_Index(grade, kGradeCount);
    if (grade_data) {
        const double* v = kGradeValues[grade];
        Set_Name(grade_data->name, kGradeNames[grade]);
        grade_data->beta_wn = v[0];
        grade_data->beta_r = v[1];
        grade_data->stress_1 = v[2];
        grade_data->stress_2 = v[3];
        grade_data->stress_3 = v[4];
        grade_data->stress_4 = v[5];
        grade_data->stress_5 = v[6];
        grade_data->modulus = v[7];
    }
    return grade + 5;
}

void Init_Obsolete_DIN1045_Concrete(Concrete_Class_Data* rec, int grade)
{
    if (!rec) return;
    grade = Clamp_Index(grade, kGradeCount);
    Set_Name(rec->name, Obsolete_Name(kGradeNames[grade]));
    rec->alpha = 0.85;
    rec->fck = kGradeValues[grade][0];  // the nominal strength stands in for fck
    Interpolate_Nonlinear_Strains(&rec->eps_c1, &rec->eps_c1u, rec->fck);
    rec->eps_c2 = -0.002;
    rec->eps_c2u = -0.0035;
    rec->n = 2.0;
    rec->lightweight = 0;
    rec->density = 2200.0;
    rec->law_flag = 1;
    rec->ecm = kGradeValues[grade][7];
}

void Init_Free_DIN1045_Concrete(DIN1045_Grade_Data* grade_data)
{
    std::printf("Freie Betondef. f\x81r %s nicht m\x94glich!\nIntialiesierung mit %s.", kOldNormName,
                "B25");
    std::fflush(stdout);
    Init_DIN1045_Grade(grade_data, 1);
}

void Init_DIN1045_Steel(DIN1045_Steel_Data* steel, int index)
{
    if (!steel) return;
    index = Clamp_Index(index, kOldSteelCount);
    Set_Name(steel->name, kOldSteelNames[index]);
    steel->fyk = kOldSteelFyk[index];
    steel->strain = kOldSteelStrain;
    steel->factor = kOldSteelFactor[index];
    steel->es = kOldSteelEs;
}

void Init_Obsolete_DIN1045_Steel(Steel_Class_Data* steel, int index)
{
    if (!steel) return;
    index = Clamp_Index(index, kOldSteelCount);
    Set_Name(steel->name, Obsolete_Name(kOldSteelNames[index]));
    steel->fyk = kOldSteelFyk[index];
    steel->ftk = kOldSteelFtk[index];
    steel->eps_uk = kOldSteelStrain;
    steel->es = kOldSteelEs;
}

void Init_Free_DIN1045_Steel(DIN1045_Steel_Data* steel)
{
    std::printf("Freie Stahldef. f\x81r %s nicht m\x94glich!\nIntialiesierung mit %s.", kOldNormName,
                "BSt 500 S");
    std::fflush(stdout);
    Init_DIN1045_Steel(steel, 2);
}

namespace {
void Init_500_Steel(Steel_Class_Data* steel, const char* name)
{
    if (!steel) return;
    Set_Name(steel->name, name);
    steel->fyk = 500000.0;
    steel->ftk = 1.05 * 500000.0;
    steel->eps_uk = 0.025;
    steel->es = 2e8;
}
}  // namespace

void Init_BSt500_Steel_Record(Steel_Class_Data* steel, int kind)
{
    Init_500_Steel(steel, kind == 0 ? "BSt 500 (A)" : "BSt 500 (B)");
}

void Init_B500_Steel_Record(Steel_Class_Data* steel, int kind)
{
    Init_500_Steel(steel, kind == 0 ? "B500A" : "B500B");
}

void Copy_Concrete_Class_Data(Concrete_Class_Data* dst, const Concrete_Class_Data* src)
{
    if (!dst || !src || dst == src) return;
    const std::string name(src->name, strnlen(src->name, 50));
    Set_Name(dst->name, name);
    dst->fck = src->fck;
    dst->alpha = src->alpha;
    dst->eps_c1 = src->eps_c1;
    dst->eps_c1u = src->eps_c1u;
    dst->eps_c2 = src->eps_c2;
    dst->eps_c2u = src->eps_c2u;
    dst->n = src->n;
    dst->lightweight = src->lightweight;
    dst->density = src->density;
    dst->law_flag = src->law_flag;
    dst->ecm = src->ecm;
}

void Interpolate_Nonlinear_Strains(double* eps_c1, double* eps_c1u, double fck)
{
    double e1 = kEpsC1[0], e1u = kEpsC1u[0];
    if (fck > kFck[kClassCount - 1]) {
        e1 = -0.003;
        e1u = -0.003;
    } else if (fck > kFck[0]) {
        int k = 0;
        while (fck > kFck[k + 1]) ++k;
        const double share = (fck - kFck[k]) / (kFck[k + 1] - kFck[k]);
        // Weighted so that a strength on a table row gives that row's values exactly.
        e1 = (1.0 - share) * kEpsC1[k] + share * kEpsC1[k + 1];
        e1u = (1.0 - share) * kEpsC1u[k] + share * kEpsC1u[k + 1];
    }
    if (eps_c1) *eps_c1 = e1;
    if (eps_c1u) *eps_c1u = e1u;
}

// ---------------------------------------------------------------------------------------
// File form

int Write_Concrete_Class_Data(FILE* stream, const Concrete_Class_Data* rec)
{
    if (!stream || !rec) return 1;
    const bool ok = Write_Version(stream, kConcreteVersion) &&
                    Write_Text(stream, rec->name, sizeof rec->name) &&
                    Write_Double(stream, rec->fck) && Write_Double(stream, rec->alpha) &&
                    Write_Double(stream, rec->eps_c2) && Write_Double(stream, rec->eps_c2u) &&
                    Write_Double(stream, rec->n) && Write_Int(stream, rec->lightweight) &&
                    Write_Double(stream, rec->density) && Write_Double(stream, 0.0) &&
                    Write_Int(stream, rec->law_flag) && End_Struct(stream);
    return ok ? 0 : 1;
}

int Read_Concrete_Class_Data(FILE* stream, Concrete_Class_Data* rec)
{
    if (!stream || !rec) return 1;
    Concrete_Class_Data in = *rec;
    std::string name;
    double unused = 0.0;
    if (!Read_Version_And_Name(stream, kConcreteVersion, name) || !Read_Double(stream, in.fck) ||
        !Read_Double(stream, in.alpha) || !Read_Double(stream, in.eps_c2) ||
        !Read_Double(stream, in.eps_c2u) || !Read_Double(stream, in.n) ||
        !Read_Int(stream, in.lightweight) || !Read_Double(stream, in.density) ||
        !Read_Double(stream, unused) || !Read_Int(stream, in.law_flag))
        return 1;
    Set_Name(in.name, name);
    // A lightweight record keeps its own density; normal weight is 2200 by definition.
    if (!in.lightweight) in.density = 2200.0;
    in.ecm = Calc_Concrete_Ecm_kN(in.fck);
    if (in.lightweight) in.ecm *= Density_Factor(in.density);
    *rec = in;
    return 0;
}

int Write_Steel_Class_Data(FILE* stream, const Steel_Class_Data* steel)
{
    if (!stream || !steel) return 1;
    const bool ok = Write_Version(stream, kSteelVersion) &&
                    Write_Text(stream, steel->name, sizeof steel->name) &&
                    Write_Double(stream, steel->fyk) && Write_Double(stream, steel->ftk) &&
                    Write_Double(stream, steel->eps_uk) && Write_Double(stream, steel->es) &&
                    End_Struct(stream);
    return ok ? 0 : 1;
}

int Read_Steel_Class_Data(FILE* stream, Steel_Class_Data* steel)
{
    if (!stream || !steel) return 1;
    Steel_Class_Data in = *steel;
    std::string name;
    if (!Read_Version_And_Name(stream, kSteelVersion, name) || !Read_Double(stream, in.fyk) ||
        !Read_Double(stream, in.ftk) || !Read_Double(stream, in.eps_uk) ||
        !Read_Double(stream, in.es))
        return 1;
    Set_Name(in.name, name);
    *steel = in;
    return 0;
}

// ---------------------------------------------------------------------------------------
// Single values

double Calc_Lightweight_Factor(double density) { return 0.4 + 0.6 * density / 2200.0; }

namespace {
double Tensile_Strength_N(double fck)
{
    const double f = 0.001 * fck;
    if (!(f > 0.0)) return 0.0;
    if (f < 55.0) return 0.3 * std::pow(f, 2.0 / 3.0);
    return 2.12 * std::log(1.0 + (f + 8.0) / 10.0);
}
}  // namespace

double Calc_Fctm_kN(double fck, double density)
{
    return Tensile_Strength_N(fck) * Calc_Lightweight_Factor(density) * 1000.0;
}

double Calc_Fctk_kN(double fck, double density)
{
    return Tensile_Strength_N(fck) * Calc_Lightweight_Factor(density) * 700.0;
}

double Calc_Concrete_Ec0_kN(double fck) { return 9.5e6 * std::cbrt(Mean_Strength_N(fck)); }

double Calc_Concrete_Ecm_kN(double fck)
{
    const double fcm = Mean_Strength_N(fck);
    const double alpha_i = (fck < 80000.0) ? 0.8 + fcm / 440.0 : 1.0;
    return 9.5e6 * alpha_i * std::cbrt(fcm);
}

double Calc_Concrete_Ecm_EN_kN(double fck)
{
    return 2.2e7 * std::pow(Mean_Strength_N(fck) / 10.0, 0.3);
}

double Get_Concrete_Gamma_C_kN(double fck, int situation)
{
    const double base = (situation == 1) ? 1.3 : (situation == 4) ? 1.0 : 1.5;
    const double kappa = 1.1 - 2e-6 * fck;
    // Beyond any real strength the reduction would divide by zero or turn negative.
    if (!(kappa > 0.0)) return base;
    return base * std::max(1.0 / kappa, 1.0);
}

double Get_Steel_Gamma_S(int situation) { return situation == 1 ? 1.0 : 1.15; }

double Calc_Strength_Development(int cement_class, double t)
{
    if (!(t > 0.0 && t < 28.0)) return 1.0;
    const double s = (cement_class == 1) ? 0.38 : (cement_class == 2) ? 0.25
                   : (cement_class == 3) ? 0.20 : 0.21;
    return std::exp(s * (1.0 - std::sqrt(28.0 / t)));
}

double Calc_Ratio_Guarded(double a, double b, double c)
{
    if (std::fabs(c) <= 1e-5) return 0.0;
    return -b * a / c;
}

// ---------------------------------------------------------------------------------------
// Annex factor cache

const Annex_Factor_Block* Get_Annex_Factor_Block()
{
    static const Annex_Factor_Block block = Load_Annex_Factors();
    return &block;
}

int Get_Annex_Factor_Flag() { return Get_Annex_Factor_Block()->na_de_flag; }

double Get_Annex_Gamma_C(int index)
{
    if (index < 0 || index > 4) return 1.0;
    return Get_Annex_Factor_Block()->gamma_c[index];
}

double Get_Annex_Gamma_S(int index)
{
    if (index < 0 || index > 4) return 1.0;
    return Get_Annex_Factor_Block()->gamma_s[index];
}

double Get_Annex_Design_Strength(double value, int situation)
{
    double gamma = Get_Annex_Gamma_C(situation);
    if (!(gamma > 0.001)) gamma = 1.0;
    return value * Get_Annex_Factor_Block()->alpha_cc / gamma;
}
