#pragma once
// File names reach us in the environment's Windows form ("C:\\Pos\\B1_01.INP",
// "Buttons.bmp" where the file is "buttons.bmp"). Every file the system opens by a
// composed name goes through here: '\\' becomes '/', and each component that does not
// exist as spelled is looked up case-insensitively in its directory.
#include <cstdio>
#include <string>

// The POSIX path for a Windows-style path. Components that cannot be found keep the
// spelling given (so a new file is created under the name the caller chose).
std::string Map_Path(const std::string& path);

// fopen on the mapped path.
FILE* Fopen_Mapped(const char* path, const char* mode);
