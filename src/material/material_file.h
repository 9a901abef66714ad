#pragma once
// The material block and the masonry block inside a host program's input file.
//
// The material block stores one material set (one concrete, two reinforcing steels:
// record 0 the bottom, record 1 the top reinforcement, the design standard and its
// options) as text at the current position of an open stream, and reads it back from the
// current position, every older layout included (down to a block without a version
// number). The host opens and closes the file. Numbers are written in the "C" locale, each
// value led by a blank where the layout says so, lines ended with LF; the reader skips
// white space (CR LF and LF alike) between values.
//
// The set's fields that the block carries, besides the norm flags and factors:
//   din_2008_rules      the standard flag stored in the second place of the flags
//   situation_code      design situation (0 basic, 1 accidental, 2 user-defined factors)
//   stored_int_a        exposure class (0 none, 1..11 the annex's list position + 1)
//   stored_int_b        steel-in-concrete flag (always read back as 0)
//   law_choice, modular_ratio
//   concrete record 0:  class index, lightweight flag, density, creep coefficient,
//                       shrinkage strain, int_a/int_b/int_c (compute creep, compute
//                       shrinkage, cement class), the creep inputs in tension_values (see
//                       below), and the law of a free concrete (fck, the entered long-term
//                       factor alpha, eps_c2, eps_cu, n_exp, e_modulus, fctm)
//   steel records 0, 1: class index, fyd, ftd, eps_uk, es and fyk_c
// The entered alpha (0: from the annex) is value_2; alpha_cc is the factor in use, which
// the reader sets equal to it.
#include <cstdio>

struct Material_Set;
struct Masonry_Record;

// Places of the creep and shrinkage inputs in a concrete record's tension_values.
enum : int {
    CREEP_INPUT_RH = 0,          // relative humidity [%]
    CREEP_INPUT_AC = 1,          // cross-section area Ac
    CREEP_INPUT_U = 2,           // perimeter u
    CREEP_INPUT_H0 = 3,          // notional size h0
    CREEP_INPUT_T0 = 4,          // age at loading t0 [days]
    CREEP_INPUT_FACTOR = 5,      // creep factor
};

// Newest layout of the material block; blocks from 9999 on are read as current.
constexpr int MATERIAL_FILE_VERSION = 20;

// Appends the material block. A set with fewer than two steel records is given two, both
// copies of its first (the set keeps them); the steel numbers the file uses for the
// glass-fibre bar (105) and the lattice-girder steel (106) are written without touching
// the set's records. 0 on success; 1 for a null stream or set, a set without a concrete
// record, a failed write or no memory.
int Write_Material_Set(FILE* stream, Material_Set* set);

// Rebuilds the set (one concrete, two steels) from the block at the stream's position and
// recomputes it with the annex in force. Side effects, as for the host's whole input:
// blocks from version 14 on set the DIN 1045-1 edition switch, blocks from version 12 on
// choose the annex stored with them. A block newer than MATERIAL_FILE_VERSION is refused
// with the message "!! ACHTUNG !!\nEingabedatei aktueller als Programmversion" (silently
// in a refresh run). 0 on success; 1 on any failure (the set then holds what was read).
int Read_Material_Set(FILE* stream, Material_Set* set);

// The masonry block: version 0, the unit strength class and mortar group indices, eight
// of the record's values and the mode (0 tables, 1 user-defined strengths). The unit
// material and shape are not stored. 0 on success; 1 for a null stream or record, or when
// a write failed.
int Write_Masonry_Record(FILE* stream, const Masonry_Record* record);
// Resets the record, reads the block and recomputes the record. 0 on success; 1 when the
// version is newer than 0, a value cannot be read or the record cannot be computed.
int Read_Masonry_Record(FILE* stream, Masonry_Record* record);
