#pragma once
// The run's globals: what the start-up learns from the command line and the position
// text, read by every later step. Set once at start-up (core/startup.h), before any
// file is read or written.
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
