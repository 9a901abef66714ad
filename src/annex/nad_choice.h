#pragma once
// The annex list, the choice of the annex in force by name, the block "ACTIV_NADNAME"
// of a position file and the getters through which the design code reads the set in
// force.
//
// None of the getters fails or returns null: the first one used chooses the annex
// "Deutschland", resets the set in force to the built-in standard values and loads the
// annex file over them. The pointers they hand out point into `active_nad_set`, which
// never moves, so a caller may keep them for the run; after another choice they show
// the new annex's values.
#include <cstdio>
#include <string>
#include <vector>

struct NAD_EC0_Params;
struct NAD_EC1_Tables;
struct NAD_EC2_Params;
struct NAD_EC3_Params;
struct NAD_EC5_Params;
struct NAD_EC6_Params;
struct NAD_EC9_Params;

// The annex list, in four parallel globals. Entry 0 is "EC-Standardparameter" (code 19),
// entry 1 "Deutschland" (code 18), both built in (file number 0); the user annexes follow
// in ascending file number. The list grows as needed.
extern std::vector<std::string> nad_list_names;
extern std::vector<int> nad_list_codes;
extern std::vector<int> nad_list_file_numbers;  // 0 built in, n for %DRAM%\NADS\<n>.NAD
extern int nad_list_count;
// User annex files whose name an annex listed before them has already (a built-in one, or
// a file of a lower number), in ascending file number. They are not in the list: a name
// stands for one annex, the first. The selection sheet shows them as duplicates.
struct NAD_List_Duplicate {
    std::string name;
    int code;
    int file_number;
};
extern std::vector<NAD_List_Duplicate> nad_list_duplicates;

// The choice: the chosen name (empty until the first choice; any length) and the code of
// the list entry that was applied.
extern std::string active_nad_name;
extern int active_nad_code;

// Names with a meaning of their own (compared as bytes, case-sensitive).
extern const char* const NAD_NAME_STANDARD;  // "EC-Standardparameter"
extern const char* const NAD_NAME_GERMANY;   // "Deutschland"
extern const char* const NAD_NAME_LOCAL;     // "lokale Definitionen"

// (Re)builds the list: runs the first-start migration, then lists the two built-in
// annexes and every numbered user file of %DRAM%\NADS in ascending number (a missing
// number hides nothing behind it). Without "DRAM" only the built-in entries. A user
// file whose header cannot be read (see NAD_Read_File_Header) is left out, and one whose
// name is listed already goes to `nad_list_duplicates`.
void NAD_Build_List();
// Says the files that the last list build left out, each file with its problem once per
// run (NAD_Tell): where the list is shown, and when a position's annex is not found.
void NAD_Tell_Left_Out_Files();

// The entry of a name in the list, -1 when it is not listed.
int NAD_List_Index(const std::string& name);
// The file number of a name's entry (0 for a built-in annex), -1 when it is not listed.
int NAD_List_File_Number(const std::string& name);
// After the list was built again: a user annex that was listed with that file number
// (NAD_List_File_Number) before takes the name its file is listed with now (it may have
// been renamed); any other name, and one whose file is listed no more, stays.
void NAD_Follow_List_Entry(std::string& name, int file_number);
// The number for a new user annex file: one that no file of %DRAM%\NADS uses, listed or
// not (above all of them); 0 without "DRAM".
int NAD_New_User_File_Number();

// Makes `active_nad_name` the set in force: resets `active_nad_set` to the built-in values
// and loads the entry's annex file over them. A name not in the list becomes
// "Deutschland". A user annex whose file is refused (unreadable, damaged, see
// NAD_Load_Set) stays chosen, but the built-in annex it was based on stands in for it
// ("Deutschland", or "EC-Standardparameter" when the file's header says the German rules
// do not apply): its values, its code, and its name in NAD_Get_Display_Name; the user is
// told the file, what is wrong with it and whose values apply (NAD_Tell).
void NAD_Apply_Active();

// Chooses a name stored with a position (null: "Deutschland"; "lokale Definitionen":
// "Deutschland" without a warning). A name that is not in the list is replaced by
// "Deutschland" and the warning hook is called; in a refresh run nothing is shown (one
// line on standard error says which annex is used instead).
void NAD_Select_By_Name(const char* name);

// Reads the block "ACTIV_NADNAME" (searched from the start of the stream) and chooses its
// name; without the block, or with an empty name, chooses "Deutschland" without warning.
void NAD_Read_Active_Name(FILE* stream);
// Writes "\n\nACTIV_NADNAME\n", the chosen name between 0xAE and 0xAF, and "\n"
// (choosing "Deutschland" first when nothing is chosen yet).
void NAD_Write_Active_Name(FILE* stream);
// The corbel program's entry for saving: exactly NAD_Write_Active_Name (the int is unused).
void NAD_Save_Choice(FILE* stream, int unused);

// The corbel program's entry for the annex button: runs the selection sheet (through the
// hook below); afterwards the chosen annex is in force.
void NAD_Open_Selection_Sheet();

// The name of the annex whose values are in force (after making sure a choice exists):
// the chosen name, or the built-in annex that stands in for a chosen user annex whose file
// was refused. Reports, their literature and the screens name the annex by it; the chosen
// name itself (`active_nad_name`) is what a position saves.
const char* NAD_Get_Active_Name();
// The same for reports: "Deutschland" and "EC-Standardparameter" as they are, any other
// name followed by " (benutzerdefiniert)". The text stays valid until the next call.
const char* NAD_Get_Display_Name();
int NAD_Get_Active_Code();

NAD_EC0_Params* NAD_Get_EC0_Params();
NAD_EC1_Tables* NAD_Get_EC1_Tables();
NAD_EC2_Params* NAD_Get_EC2_Params();
NAD_EC3_Params* NAD_Get_EC3_Params();
NAD_EC5_Params* NAD_Get_EC5_Params();
NAD_EC6_Params* NAD_Get_EC6_Params();
NAD_EC9_Params* NAD_Get_EC9_Params();
// The NA-DE flag of the set in force (1: the rules of the German national annex apply).
int NAD_Get_NA_DE_Flag();

// Screen hooks. The sheets of the annex choice are drawn elsewhere; until they are
// registered, headless stand-ins are used.
//
// Warning when a position names an annex that is no longer in the list: gets the stored
// name and the name now in force; answers non-zero when the user asks for the selection
// sheet. Never called in a refresh run. The stand-in shows the warning's text in a message
// box and answers 0.
using NAD_Warning_Hook = int (*)(const char* stored_name, const char* name_in_force);
// The selection sheet: on return the chosen (or the previous) annex is in force. The
// stand-in rebuilds the list and applies the chosen name again, as a cancelled sheet does.
using NAD_Selection_Hook = void (*)();
// Null restores the stand-in.
void NAD_Set_Warning_Hook(NAD_Warning_Hook hook);
void NAD_Set_Selection_Hook(NAD_Selection_Hook hook);

// The warning stand-in (title "Warnung", the texts of the warning sheet).
int NAD_Show_Name_Warning(const char* stored_name, const char* name_in_force);

// Forgets the list and the choice, so that the next getter starts as in a new run.
// For tests; a run never needs it.
void NAD_Forget_Choice();
