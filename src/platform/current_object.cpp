#include "platform/current_object.h"

#include <cstdlib>

namespace {

const char* Text_Of(const char* name)
{
    const char* v = std::getenv(name);
    return v ? v : "";
}

} // namespace

int CurOb_Object_Id()
{
    const char* v = std::getenv("ZAV_OBJECT_ID");
    return v ? static_cast<int>(std::strtol(v, nullptr, 10)) : 0;
}

const char* CurOb_Filername() { return Text_Of("ZAV_FILERNAME"); }
const char* CurOb_Basicname() { return Text_Of("ZAV_BASICNAME"); }
const char* CurOb_Suffixname() { return Text_Of("ZAV_SUFFIXNAME"); }
const char* CurOb_Programname() { return Text_Of("ZAV_PROGRAMNAME"); }
const char* CurOb_Programstring() { return Text_Of("ZAV_PROGRAMSTRING"); }
const char* CurOb_Versionstring() { return Text_Of("ZAV_VERSIONSTRING"); }
