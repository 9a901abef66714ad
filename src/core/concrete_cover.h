#pragma once
// Durability of a corbel: the nominal concrete cover from the exposure classes and the bar
// diameters (EN 1992-1-1, 4.4.1, with the values of the active annex), the least concrete
// strength class the exposure classes demand and the least axis distance of the main tie.
#include <cstdio>

// Exposure classes for reinforcement corrosion: indices into the annex's 12 class names
// (0 none "---", 1 "X0 ", 2 "XC1", 3 "XC2", 4 "XC3", 5 "XC4", 6 "XD1", 7 "XD2", 8 "XD3",
// 9 "XS1", 10 "XS2", 11 "XS3").
constexpr int CORROSION_CLASS_COUNT = 12;
// Exposure classes for concrete attack: 0 none "---", 1 "XF1", 2 "XF2", 3 "XF3", 4 "XF4",
// 5 "XA1", 6 "XA2", 7 "XA3".
constexpr int ATTACK_CLASS_COUNT = 8;
extern const char* const attack_class_names[ATTACK_CLASS_COUNT];

// The least strength class (0 " C12/15" .. 5 " C35/45" of the current concrete classes)
// that an exposure class demands; 0 for a class out of range.
int Get_Least_Class_Corrosion(int corrosion_class);
int Get_Least_Class_Attack(int attack_class);

// Nominal cover cnom in cm for the exposure classes and the bars:
//   corrosion_class, attack_class  see above (0 = none)
//   second_layer   non-zero: the main tie has a second layer (adds phi_s to min d)
//   phi_s, phi_sb  longitudinal bar and stirrup diameters, cm (0: none)
//   d              axis distance provided, cm (0: not checked)
//   fck            fck of the chosen concrete, N/mm² (0: not checked)
//   cv             cover laid down by the user, cm (0: none; else it is the cover used)
//   label          written before the heading when it has two or more characters
//   report         report stream, or null to compute silently
//   detail_level   0 minimal, 1 standard, 2 and above detailed
// Returns cnom in cm; 0.0 when both classes are 0; -1.0 when the provided axis distance or
// the concrete's strength is too small for the exposure classes, and also for a class
// index out of range (a damaged input that must not pass as durable).
double Check_Concrete_Cover(int corrosion_class, int attack_class, int second_layer, double phi_s,
                            double phi_sb, double d, double fck, double cv, const char* label,
                            FILE* report, int detail_level);
