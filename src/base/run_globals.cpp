#include "base/run_globals.h"

std::string component_id;
int file_id = 0;
int refresh_mode = 0;
std::string inp_file_name;
std::string oli_file_name;
std::string txt_file_name;
std::string spf_file_name;
std::string position_number;
std::string position_title;
std::string private_data_path;
