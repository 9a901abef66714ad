#pragma once
// Versioned data files and the temporary backup of a position.
//
// A versioned data file stores records field by field. The file and every structure in
// it carry a version number, so that a newer program reads an older file and supplies
// defaults for the fields added since:
//
//   " %lf  # Datenversionsnummer"        file version (once, first)
//   " %lf # Strukturversionsnummer"      version of one structure, then its fields,
//   fields ...                           then a line end
//
// Fields by type letter: 'c' one character " %c ", 'd' a double " %e ", 'i' an int
// " %d ", 's' and 't' a text " %s " (at most 255 characters; blanks written as the byte
// 0x8C, an empty text as Data_Empty_Marker). A long text is its length as an 'i' field,
// a blank, its bytes and a line end. Lines beginning with '#' (after white space) and the
// rest of a line from a '#' before an item are comments.
//
// The module holds one stream for writing and one for reading (set by the Begin_ calls)
// and a stack of the versions of the structures being read. Results are 0 on success and
// 1 on an error unless said otherwise.
//
// The temporary backup keeps a copy of a position's data while it is edited, through a
// read and a write function given by its user, and offers it again after the program
// ended irregularly.
#include <cstdio>
#include <string>

// Written for an empty text: '!', 0xA7, "$%&/()=?" (ten bytes).
extern const char Data_Empty_Marker[11];

// Longest text of an 's' or 't' field; a target of these types holds DATA_TEXT_MAX + 1
// bytes.
constexpr int DATA_TEXT_MAX = 255;
// Longest long text that is read.
constexpr int DATA_LONG_TEXT_MAX = 0x100000;

// --- reading ---
// Sets the read stream and reads the file version: 0, -1 when the version is -1, 1 when
// none can be read, 2 (after "Alte Programmversion -> kann Daten nicht lesen!") when it
// is above the program's version. The structure stack is emptied.
int Begin_Data_File_Read(FILE* stream, double program_version);
// The file version read by Begin_Data_File_Read.
double Get_Data_File_Version();
// Reads the next structure version onto the stack: 0, 1 when none can be read, 2 (with
// the message) when it is above the program's version.
int Begin_Data_Struct_Read(double program_version);
// Leaves the structure; 1 when none is open.
int End_Data_Struct_Read();
// The version of the innermost open structure (the file version when none is open).
double Get_Data_Struct_Version();
void Set_Data_Struct_Version(double version);
// Reads one field of the type into the target (char, double, int, or a text of
// DATA_TEXT_MAX + 1 bytes). When the structure is older than since_version the target
// gets the default instead ('i' rounded half away from zero, 'd' as it is, 'c' 0,
// texts empty) and nothing is read.
int Read_Data_Field(void* target, char type, double since_version, double default_value);
// Reads and drops one field of the type.
int Skip_Data_Field(char type);
// A text field of any length; the default text (null: empty) when the structure is
// older than since_version.
int Read_Data_Text(std::string* target, double since_version, const char* default_text);
// A long text field into a new heap text (freed with MEM_FREE; null for an empty one);
// the default text copied when the structure is older. 1 for a length below 0 or above
// DATA_LONG_TEXT_MAX, or when the file ends before the text does (*target then null).
int Read_Data_Long_Text(char** target, double since_version, const char* default_text);
// An int field, or the default rounded half away from zero when the structure is older
// (also when the field cannot be read).
int Read_Data_Int_Since(double since_version, double default_value);
// An int field; 1 when it cannot be read.
int Read_Data_Int(int* target);
// Position of the read stream (-1 without one) and seeking from its start.
long Get_Data_Read_Pos();
int Set_Data_Read_Pos(long position);

// --- writing ---
// Sets the write stream and writes the file version line.
int Begin_Data_File_Write(FILE* stream, double data_version);
int Write_Data_Struct_Version(double version);
int Write_Data_Comment(const char* text);  // "# %s" on a line of its own
// One field of the type from the value (char, double, int, or a text).
int Write_Data_Field(const void* value, char type);
// The default of a type: 'c' "*", 'd' -1.0, 'i' 0, texts "***".
int Write_Data_Default_Field(char type);
int Write_Data_Long_Text(const char* text);
int End_Data_Struct_Write();  // the line end of the structure

// --- temporary backup ---
// Functions of the facility's user; each answers 0 on success.
using Backup_Read_Fct = int (*)(FILE* stream);
using Backup_Write_Fct = int (*)(FILE* stream);

// Sets the two functions and builds the names "<directory><stem>.bak" (temporary backup),
// ".clcbak" (second copy) and ".cmp" (comparison file); the further name is a path kept
// as given (null: none). The facility is switched on.
void Init_Temp_Backup(Backup_Read_Fct read_function, Backup_Write_Fct write_function,
                      const char* directory, const char* stem, const char* further_name);
void Disable_Temp_Backup();

// Let the write function fill the temporary backup, the second copy or the named file.
// 1 when switched off, without a write function, when the file cannot be opened or the
// data could not be written whole.
int Write_Temp_Backup();
int Write_Second_Copy();
int Write_Backup_To(const char* path);

// The file open for reading when the facility is on and the file exists; else null.
FILE* Open_Temp_Backup_For_Read();
FILE* Open_Second_Copy_For_Read();
FILE* Open_Backup_For_Read(const char* path);

// 0 when both files exist and are equal byte for byte, else 1 (also when switched off).
int Compare_Files(const char* path_a, const char* path_b);
// 1 when the further name is set but its file does not exist; otherwise the current data
// are written into the comparison file and compared with the second copy: 1 when they
// differ.
int Has_Data_Changed();

int Remove_Temp_Backup();
int Remove_Second_Copy();
int Remove_All_Backups();  // the two copies and the comparison file

// After an irregular end: offers the temporary backup when it holds other data than the
// current ones. 1 when the user took it and it could not be read, else 0. The backup
// files are removed, unless the question was closed with Esc: "Nein" would drop the
// backup's newer data, so they stay to be offered at the next start.
int Offer_Temp_Backup();

int Temp_Backup_Exists();
int File_Exists(const char* path);
// Byte-by-byte copy: 0, or 1 when one of the two files cannot be opened or the copy
// could not be written whole.
int Copy_File(const char* source_path, const char* destination_path);
// The same for two files of the component, named by their suffixes.
int Copy_Component_File_To(const char* source_suffix, const char* destination_suffix);

// Names in use (for tests and callers that show them).
const std::string& Temp_Backup_Name();
const std::string& Second_Copy_Name();
const std::string& Compare_File_Name();
