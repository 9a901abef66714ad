#pragma once
// Whether the environment's tool for selecting internal forces is installed: 1 when its
// program file "Tramovik.exe" exists in the installation directory (EXEC), else 0.
int Check_Force_Selection_Tool();
