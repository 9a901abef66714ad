#pragma once
// Report bytes of the two corbel design texts (code page 850 as the report font prints
// them), spliced into the string literals of the report lines.
#define UML_ae "\x84"
#define UML_oe "\x94"
#define UML_ue "\x81"
#define UML_ss "\xE1"
#define ARROW "\x88"
#define DELTA "\xA3"
#define THETA "\xB0"
#define LESS_EQ "\xF3"
#define BETA "\xBB"
#define SQUARE "\xFD"
#define DEGREE "\xF8"
#define GREATER_EQ "\xF2"
