#pragma once
// Stand-in for the environment's further current-object services (what the
// exchange files record about the object that wrote them). The environment normally
// knows the object it started the program for; here the values come from environment
// variables, each empty (or 0) when not set:
//   ZAV_OBJECT_ID, ZAV_FILERNAME, ZAV_BASICNAME, ZAV_SUFFIXNAME,
//   ZAV_PROGRAMNAME, ZAV_PROGRAMSTRING, ZAV_VERSIONSTRING
// The application number and the private data path are in platform/environment.h.

int CurOb_Object_Id();
const char* CurOb_Filername();
const char* CurOb_Basicname();
const char* CurOb_Suffixname();
const char* CurOb_Programname();
const char* CurOb_Programstring();
const char* CurOb_Versionstring();
