#pragma once
// Start-up of the program: the command line, the position's file names and the
// globals that every later step reads.
#include <string>

extern std::string component_id;      // first argument, the component identifier
extern int file_id;                   // File-Id: numbers the position files
extern int refresh_mode;              // 1 in a "-refresh" run: nothing shown, nothing asked
extern std::string inp_file_name;     // "_NN.INP", behind the component path
extern std::string oli_file_name;     // "_NN.OLI"
extern std::string txt_file_name;     // "_NN.TXT"
extern std::string spf_file_name;     // component id + Pos-Id, "%s%04d.SPF"
extern std::string position_number;   // at most 6 characters, from the position text
extern std::string position_title;    // at most 50 characters, from the position text
extern std::string private_data_path; // the environment's private data path

// The whole start-up of the program; the result is the exit code.
int Corbel_Main(int argc, char** argv);

// Close callback of the frame window: 32768 lets it close, 0 goes on.
int Confirm_Close();
