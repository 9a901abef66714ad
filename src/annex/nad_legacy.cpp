#include "annex/nad_legacy.h"

#include "base/guillemet.h"
#include "base/keyword_lines.h"
#include "base/text_lines.h"
#include "platform/environment.h"
#include "platform/paths.h"

#include <cmath>
#include <cstring>
#include <new>
#include <string>

NAD_Legacy_List legacy_nad_list = {nullptr, nullptr, 0, 0, nullptr};

namespace {

constexpr double LOAD_FACTOR_TOLERANCE = 1e-4;

void Set_Name(NAD_Legacy_Node* node, const char* name)
{
    std::strncpy(node->name, name, NAD_LEGACY_NAME_MAX);
    node->name[NAD_LEGACY_NAME_MAX] = '\0';
}

void Unlink(NAD_Legacy_Node* node)
{
    NAD_Legacy_List& list = legacy_nad_list;
    if (node->previous)
        node->previous->next = node->next;
    else
        list.head = node->next;
    if (node->next)
        node->next->previous = node->previous;
    else
        list.tail = node->previous;
    if (list.active == node) list.active = nullptr;
    --list.count;
    delete node;
}

bool Load_Factors_Equal(const NAD_Legacy_Load_Factors& a, const NAD_Legacy_Load_Factors& b)
{
    for (int g = 0; g < 4; ++g)
        for (int i = 0; i < 7; ++i)
            for (int k = 0; k < 2; ++k)
                if (std::fabs(a.pairs[g][i][k] - b.pairs[g][i][k]) > LOAD_FACTOR_TOLERANCE)
                    return false;
    for (int i = 0; i < 12; ++i)
        for (int k = 0; k < 3; ++k)
            if (std::fabs(a.triples[i][k] - b.triples[i][k]) > LOAD_FACTOR_TOLERANCE) return false;
    return true;
}

// Whether a list node stands for the parameters stored with a position.
bool Matches(const NAD_Legacy_Node& node, const NAD_Legacy_Node& stored)
{
    if (node.ec2.na_de_flag && stored.ec2.na_de_flag) return true;
    if (node.ec3.na_de_flag && stored.ec3.na_de_flag) return true;
    if (node.ec5.na_de_flag && stored.ec5.na_de_flag) return true;
    return NAD_EC2_Compare(&node.ec2, &stored.ec2) == 0 &&
           NAD_EC3_Compare(&node.ec3, &stored.ec3) == 0 &&
           NAD_EC5_Compare(&node.ec5, &stored.ec5) == 0 &&
           Load_Factors_Equal(node.load_factors, stored.load_factors);
}

// Items 3 to 6 of a list block: the three parts and the load-factor block.
void Read_Parameters(FILE* stream, NAD_Legacy_Node* node)
{
    NAD_EC2_Defaults(&node->ec2);
    NAD_EC3_Defaults(&node->ec3);
    NAD_EC5_Defaults(&node->ec5);
    NAD_EC2_Read(stream, &node->ec2);
    NAD_EC3_Read(stream, &node->ec3, 0);
    NAD_EC5_Read(stream, &node->ec5, 0);
    NAD_Legacy_Read_Load_Factors(stream, &node->load_factors);
}

} // namespace

void NAD_Legacy_Default_Load_Factors(NAD_Legacy_Load_Factors* factors)
{
    if (!factors) return;
    static const double pairs[4][7][2] = {
        {{1.35, 1.0}, {1.5, 0}, {1.35, 0}, {1.0, 0}, {1.0, 1.0}, {0, 0}, {0, 0}},
        {{1.0, 1.0}, {1.0, 0}, {1.0, 0}, {1.0, 0}, {1.0, 1.0}, {1.0, 1.0}, {0, 0}},
        {{1.0, 1.0}, {1.0, 0}, {1.0, 0}, {1.0, 0}, {1.0, 1.0}, {0, 0}, {1.0, 1.0}},
        {{1.0, 1.0}, {1.0, 0}, {1.0, 0}, {1.0, 0}, {1.0, 1.0}, {0, 0}, {0, 0}},
    };
    static const double triples[12][3] = {
        {0.7, 0.5, 0.3}, {0.7, 0.7, 0.6}, {1.0, 0.9, 0.8}, {0.7, 0.7, 0.6},
        {0.7, 0.5, 0.3}, {0, 0, 0},       {0.5, 0.2, 0},   {0.7, 0.5, 0.2},
        {0.6, 0.2, 0},   {0.6, 0.5, 0},   {1.0, 1.0, 1.0}, {0.8, 0.7, 0.5},
    };
    std::memcpy(factors->pairs, pairs, sizeof pairs);
    std::memcpy(factors->triples, triples, sizeof triples);
}

NAD_Legacy_Node* NAD_Legacy_New_Node()
{
    NAD_Legacy_Node* node = new (std::nothrow) NAD_Legacy_Node{};
    if (!node) return nullptr;
    node->code = 19;
    node->origin = NAD_LEGACY_FILE;
    Set_Name(node, "EC-Standardparameter");
    NAD_EC2_Defaults(&node->ec2);
    NAD_EC3_Defaults(&node->ec3);
    NAD_EC5_Defaults(&node->ec5);
    NAD_Legacy_Default_Load_Factors(&node->load_factors);

    NAD_Legacy_List& list = legacy_nad_list;
    node->previous = list.tail;
    node->next = nullptr;
    if (list.tail)
        list.tail->next = node;
    else
        list.head = node;
    list.tail = node;
    ++list.count;
    list.active = node;
    return node;
}

void NAD_Legacy_Read_Load_Factors(FILE* stream, NAD_Legacy_Load_Factors* factors)
{
    if (!stream || !factors) return;
    char word[64] = {};
    if (std::fscanf(stream, "%63s", word) != 1 || std::strcmp(word, "Lastfaktoren") != 0) return;
    int version = 0;
    if (std::fscanf(stream, "%d", &version) != 1) return;
    // A block of version 0 holds the first situation only.
    const int groups = version >= 1 ? 4 : 1;
    for (int g = 0; g < groups; ++g)
        for (int i = 0; i < 7; ++i) {
            double sup = 0.0, inf = 0.0;
            if (std::fscanf(stream, "%lf%lf", &sup, &inf) != 2) return;
            factors->pairs[g][i][0] = sup;
            factors->pairs[g][i][1] = inf;
        }
    for (int i = 0; i < 12; ++i) {
        double psi[3] = {};
        if (std::fscanf(stream, "%lf%lf%lf", &psi[0], &psi[1], &psi[2]) != 3) return;
        for (int k = 0; k < 3; ++k) factors->triples[i][k] = psi[k];
    }
}

void NAD_Legacy_Load_List()
{
    if (NAD_Legacy_Node* builtin = NAD_Legacy_New_Node()) builtin->origin = NAD_LEGACY_BUILTIN;

    const char* dram = ZAVGetEnv("DRAM");
    FILE* stream = (dram && *dram)
                       ? Fopen_Mapped((std::string(dram) + "\\NADs-EC2.DEF").c_str(), "r")
                       : nullptr;
    if (stream) {
        std::string line;
        while (Read_Whole_Line(stream, line)) {
            if (line.compare(0, 4, "#NAD") != 0) continue;
            NAD_Legacy_Node* node = NAD_Legacy_New_Node();
            if (!node) break;
            int code = 0;
            if (std::fscanf(stream, " %d", &code) == 1) node->code = code;
            char name[ZXP_STRING_SIZE] = {};
            ZXP_Read_String(stream, name);
            Set_Name(node, name);
            Read_Parameters(stream, node);
        }
        std::fclose(stream);
    }

    NAD_Legacy_List& list = legacy_nad_list;
    list.active = list.head;
    for (NAD_Legacy_Node* node = list.head; node; node = node->next)
        if (node->code == 18) {
            list.active = node;
            break;
        }
    list.loaded = 1;
}

int NAD_Legacy_Activate(FILE* stream)
{
    NAD_Legacy_Node* stored = NAD_Legacy_New_Node();
    if (!stored) return 1;
    stored->code = 17;
    stored->origin = NAD_LEGACY_LOCAL;
    Set_Name(stored, "lokale Definitionen");
    if (stream) Read_Parameters(stream, stored);

    NAD_Legacy_List& list = legacy_nad_list;
    list.active = stored;
    if (list.count == 1) return 1;
    for (NAD_Legacy_Node* node = list.head; node && node != stored; node = node->next) {
        if (!Matches(*node, *stored)) continue;
        Unlink(stored);
        list.active = node;
        return 1;
    }
    return 1;
}

int NAD_Read_Legacy_Choice(FILE* stream)
{
    if (!legacy_nad_list.loaded) NAD_Legacy_Load_List();
    if (stream && Find_Keyword_Line("ACTIV_NAD_EC2", stream, nullptr))
        return NAD_Legacy_Activate(stream);
    return 0;
}

const char* NAD_Get_Legacy_Name()
{
    return legacy_nad_list.active ? legacy_nad_list.active->name : "*** unbekannt ***";
}

void NAD_Legacy_Free_List()
{
    NAD_Legacy_Node* node = legacy_nad_list.head;
    while (node) {
        NAD_Legacy_Node* next = node->next;
        delete node;
        node = next;
    }
    legacy_nad_list = NAD_Legacy_List{nullptr, nullptr, 0, 0, nullptr};
}
