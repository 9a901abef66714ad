#pragma once
// The export and import requests of the main sheet ("Daten exportieren", "Daten
// importieren") as the main loop carries them out: what the user typed on the pages goes
// into the model first, and the pages show the model afterwards.

// Applies the edit buffer, writes the export file (telling the outcome), fills the edit
// buffer again. 0 when the file was written whole, else 1.
int Serve_Export_Request();

// Applies the edit buffer, reads the export file into `corbel_model` with its annex
// (telling the outcome), fills the edit buffer again. The result of Import_Corbel_Data:
// 0 taken, 1 no file (model unchanged), 2 read error (defaults). After 0 and 2 the model
// is a new one: results computed before no longer belong to it.
int Serve_Import_Request();
