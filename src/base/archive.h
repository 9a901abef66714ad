#pragma once
// Unpacking one member of a component's exchange archive with the environment's
// archive extractor 7za (in the installation directory "EXEC").

// Extracts the member of the archive into the target directory, overwriting a file of
// the same name; the extractor's output goes to "7zprot.txt" in the temporary directory
// ("TEMP"). Returns 0 on success; 1 archive not readable, 2 target directory not
// writable, 3 "EXEC" not set, 4 "TEMP" not set, 5 the extractor failed or could not be
// started.
int Extract_Archive_Member(const char* archive, const char* member, const char* target_directory);
