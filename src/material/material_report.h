#pragma once
// The concrete and reinforcement data of a material set as tables of a design report
// (code page 850), with legends that explain the symbols and notes on the glass-fibre bar
// and the lattice-girder steel when the set holds them.
#include <cstdio>

struct Material_Set;

// Writes, into the open report stream:
//   1. the concrete table (DIN 1045 (1988): βWN, βR, εb1, n, Eb; newer standards: fck,
//      fcm and εc1/εc1u for a nonlinear law, else fcd (ÖNORM: τd) and εc2/εc2u, then n,
//      the density where a lightweight concrete is listed, Ecm and fctm) and its legend;
//   2. the reinforcement table (one row per distinct steel) and its legend;
//   3. the notes on the glass-fibre bar and the lattice-girder steel, when present.
// Switches:
//   no_legends       non-zero: the tables without legends
//   keep_y_position  non-zero: the vertical position is stored before the tables and
//                    restored after them (slot 1 of the report layout)
//   first, last      index range of the concrete and steel records listed (last below 0:
//                    up to the last record); indices outside the arrays are skipped
//   left_margin      left margin of the tables in characters (0 and above), set before and
//                    taken back after them
// Returns 0; 1 for a null stream or set, or when a write failed.
int Write_Material_Report_Tables(FILE* stream, const Material_Set* set, int no_legends,
                                 int keep_y_position, int first, int last, int left_margin);

// A table cell of six characters: "  --- " for a negative value, " Block" for 100 or more
// (the stress block), otherwise the value with width 6 and 2 decimals. The text lives in a
// static buffer that the next call overwrites.
char* Format_Material_Value(double value);

// Fills a free material of the set from seven values a..g:
//   kind 0: concrete record 0: fck = a, alpha_cc = b/a (0 when a is below 0.001: taken
//           from the annex), eps_c2 = c, eps_cu = d, n_exp = e, e_modulus = f, fctm = g;
//           fcd and fcm are cleared so that the computation derives them. The entered
//           alpha is kept in value_2 as well, where the material file finds it.
//   kind 1: steel record `index`: fyk_c = fyk = a, ftk = b, eps_uk = d, es = e (c, f and g
//           are not used); value_4, fyd and ftd are cleared.
// Nothing happens for a null set, an unknown kind or a record that the set does not hold.
void Set_Free_Material_Values(Material_Set* set, int kind, int index, double a, double b,
                              double c, double d, double e, double f, double g);
