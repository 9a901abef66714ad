#pragma once
// The two load-combination tables of a corbel position: table 0 holds the design forces
// of the ultimate limit state, table 1 the forces of the fatigue and serviceability
// checks. Forces are always kept in N; the unit switch only changes how they are shown.
#include <cstdio>

struct Corbel_Model;

// One row of a load table (64 bytes; the rows of a table are contiguous).
struct Load_Combination {
    char name[48];  // label; the position file keeps at most 40 characters; unnamed: " "
    double A;       // vertical force, N
    double H;       // horizontal force, N
};
static_assert(sizeof(Load_Combination) == 64, "a load row is 64 bytes");

// Unit switch of the tables (shared with the load editor).
enum Load_Unit_Switch {
    LOAD_UNIT_KN_KNM = 0,   // "kN / kNm "
    LOAD_UNIT_KN_KNCM = 1,  // "kN / kNcm"
    LOAD_UNIT_N_NM = 2      // "N / Nm   "
};

// The largest row count a position file may announce for one table; a larger count is
// taken as a damaged file rather than as a request for memory.
constexpr int LOAD_TABLE_MAX_ROWS = 100000;

// Makes table k (0 or 1) an array of count zeroed rows, each named " ". Table 0 always
// gets at least one row; table 1 with a count below 1 has no array. Null model: nothing.
// Running out of memory ends the run.
void Alloc_Load_Table(Corbel_Model* model, int count, int k);

// Copies name, H and A; either pointer null: nothing.
void Copy_Load_Combination(const Load_Combination* source, Load_Combination* destination);

// Writes the tables' block of the position file. 0 ok, 1 on a null argument or a failed
// write. Names are cut to 40 characters and trimmed in memory as a side effect.
int Write_Load_Tables(FILE* stream, Corbel_Model* model);

// Reads the tables' block. 0 ok, 1 on a newer block version, an impossible row count or
// any failed conversion; the rows already read stay in the model.
int Read_Load_Tables(FILE* stream, Corbel_Model* model);

// 1 when table k holds usable data: table 0 a significant row, table 1 more than one row.
int Load_Table_In_Use(const Corbel_Model* model, int k);

// The report section "Bemessungsgrößen" of the input echo. No stream: nothing.
void Report_Load_Tables(Corbel_Model* model, FILE* stream);
