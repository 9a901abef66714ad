#pragma once
// Stand-in for the environment's process and current-object services.
//
// The environment normally tells the program about the "current object" it was
// started for. Here those values come from environment variables:
//   ZAV_PRIVAT_DATAPATH     private data path of the current object
//                           (default: the folder "privat" under $EXEC)
//   ZAV_APPLICATION_NUMBER  application number of the current object (default 127)

struct ZAV_Stdio_Table;

// Value of an environment variable, or null when it is not set.
const char* ZAVGetEnv(const char* name);

// Private data path of the current object, or null when the environment gives none.
const char* CurOb_Privat_Datapath();
// The application number; 0 when ZAV_APPLICATION_NUMBER is no usable number.
int CurOb_Application_Number();

// The stdio function table handed over at start-up; null until then.
extern const ZAV_Stdio_Table* ZAV_STDIO_FCT;
void ZAVSetStdioFctPtr(const ZAV_Stdio_Table* table);

// Switches the mouse wheel on or off; answers the setting it had before.
int Set_MouseWheel_Activity(int on);
int Get_MouseWheel_Activity();

// The callback the environment calls when the user closes the frame window;
// a result of 32768 lets the frame close.
using ZAV_Close_Fct = int (*)();
void ZAVSetCloseFct(ZAV_Close_Fct callback);
ZAV_Close_Fct ZAVGetCloseFct();
