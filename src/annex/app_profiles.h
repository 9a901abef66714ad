#pragma once
// Application display profiles: which Eurocode parts and which rules (rows of the part
// sheets and reports) matter to the running program.
//
// A program directory below the installation directory ("EXEC") may hold a profile
// "APP<number>.DEF":
//   #NADS <n>      n > 0: the parts mask itself (bit k: EN 199k concerns the program);
//                  n < 0: ten words follow, one rule string per part index 0 to 9
//                  (a word of fewer than two characters other than "1" gives none);
//                  missing or 0: the file is not taken
//   #NAME          then the profile name between 0xAE and 0xAF
//   #SERVICE       then the service text between 0xAE and 0xAF
//   #GROUP         the service text between 0xAE and 0xAF on the next line
// Keywords are searched from the file's start, so their order is free.
#include <array>
#include <string>
#include <vector>

struct NAD_App_Profile {
    std::string name;      // from "#NAME", else the directory's name; upper-cased
    std::string service;   // from "#SERVICE" or "#GROUP", else "Bauteil"
    // One string of '0' and '1' per part index (the Eurocode number); empty: none.
    std::array<std::string, 10> rule_strings;
    int parts_mask = 0;
    int application_number = 0;  // the number in the file name
    int rule_strings_flag = 0;   // 1 when the profile gives rule strings
};

// Every profile found (the table grows as needed).
extern std::vector<NAD_App_Profile> nad_app_profiles;
extern int nad_profile_index;         // the current profile's index
extern int nad_profile_current;       // 1 while a profile is current
extern int nad_profile_mask;          // the current parts mask
extern int nad_no_profile;            // 1 when no profile applies (every rule shown)

// The parts mask of "every part": EN 1990, 1991, 1992, 1993, 1995, 1996, 1999.
constexpr int NAD_ALL_PARTS_MASK = 623;

// Reads every profile on the first call (with "EXEC" set), then picks the current one.
void NAD_Scan_App_Profiles();
// Picks (once) and answers the application number of the current profile; 0 when no
// profile is current.
int NAD_Get_Current_App();
// 1 when the rule of the part is to be shown: no profile current, part index above 9,
// no string for the part, or the string's character at the rule index is not '0'.
// 0 beyond the string's end or for a '0'.
int NAD_Rule_Visible(int part_index, int rule_index);
// 1 when no profile is current, else whether the current profile gives rule strings.
int NAD_Use_Rule_Strings();

// Makes the choice of the display-options sheet the one in force: with
// nad_profile_current 0 (or an index that names no profile) every rule is shown (mask of
// all parts, application number 0); else the profile at nad_profile_index gives mask and
// application number. nad_no_profile follows.
void NAD_Apply_Display_Choice();

// Forgets the profiles, so that the next scan reads them again. For tests.
void NAD_Forget_App_Profiles();
