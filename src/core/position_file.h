#pragma once
// The position input file "_NN.INP" and the export file through which a corbel passes
// from one position to another: one text format, written by Write_Corbel_Model and read
// by Read_Corbel_Model, followed in both files by the block naming the national annex.
#include <cstdio>
#include <string>

struct Corbel_Model;

// Version of the body this program writes; files up to it (and from 9999 on) are read.
constexpr int CORBEL_FILE_VERSION = 4;

// Longest usable path of the export file (the environment's limit).
constexpr int EXPORT_PATH_MAX = 260;

// Name of the export file in the directory of the environment variable "TEMP".
extern const char* const EXPORT_FILE_NAME;  // "\\Q7-DI2ZE#export.dat"

// 1 while an import reads the export file: a refusal of a newer file then names the
// import file. Set by the import and left set.
extern int import_in_progress;

// Writes the body of the position file. 0, or 1 as soon as writing a value (or one of the
// blocks of the partial factors, print options or load tables) fails.
int Write_Corbel_Model(FILE* stream, Corbel_Model* model);

// Reads the body. 0 read and checked, 1 read error (a newer version, a short or broken
// file, a layer count outside 0..10), 2 the file asks for the defaults (negative
// version; the model holds them now). The model is emptied first; on 1 it keeps what was
// read up to the error. A file of a newer version is refused with the "!! ACHTUNG !!"
// message (naming the import file while import_in_progress is set; none in a refresh run).
int Read_Corbel_Model(FILE* stream, Corbel_Model* model);

// Reads a position or export file: first chooses the annex the file names (without a
// name "Deutschland"), then reads the body from the file's start as Read_Corbel_Model
// does, so that its data check (and the defaults of a file asking for them) work with
// the position's own annex. The annex is chosen also when the body is a read error.
// Answers as Read_Corbel_Model.
int Read_Corbel_File(FILE* stream, Corbel_Model* model);

// The start-up read of the position into `corbel_model` (by Read_Corbel_File): a missing
// file gives the defaults in the editor and the empty model in a refresh run; a read error of a refresh run is said on standard error and
// answers false (the run ends without a report), otherwise it is told and the model takes
// the defaults. True in every other case.
// `corbel_model.input_read_failed` becomes 1 after a read error (also a file of a newer
// program version), 0 otherwise, so that the end of the editing asks before a save
// overwrites the unread file.
bool Read_Position_Input();

// What befalls the position's input file, told on standard error (a refresh run shows
// nothing): "Die Eingabedatei <path> <problem>: <reason>."
void Tell_Input_Problem(const char* problem, const char* reason);

// The content of a position file: `corbel_model` and the block naming the annex in force.
// 0, or 1 when writing the body failed.
int Write_Position_Content(FILE* stream);

// Tells the user that the position's input could not be saved: its path and the reason.
void Tell_Input_Not_Saved(int error);

// Saves `corbel_model` and the name of the annex in force as the position's input file,
// replacing the old file only when the new one was written whole. 0 saved; 1 otherwise,
// after telling the user: the old file is then as it was.
int Save_Position_Input();

// The full path of the export file from the value of "TEMP" (null: none). False when
// "TEMP" is missing or the path would exceed EXPORT_PATH_MAX characters.
bool Make_Export_Path(const char* temp_directory, std::string* path);

// The export request: writes `corbel_model` and the annex name into the export file and
// tells the user the outcome. 0 when the file was written whole, else 1 (an older export
// file then stays as it was).
int Export_Corbel_Data();

// The import request: reads the export file into `corbel_model` by Read_Corbel_File
// (the annex named in it chosen first); every outcome is told. 0 when the data were
// taken (also a file asking for the defaults), 1 when the file was missing (model
// unchanged) and 2 after a read error (model at the defaults).
int Import_Corbel_Data();
