#pragma once
// The sheets keep an editing copy of some model values (sheets/edit_buffer.h), a layer
// above this one. Core code that reads or writes the model while a page may hold edits
// (the start-up read, the report writer, export, import, the results views, the main
// loop) goes through these two hooks; the interactive start registers the sheets'
// functions, and in a refresh run they stay unset and do nothing.
struct Corbel_Model;

struct Edit_Buffer_Hooks {
    void (*fill)(Corbel_Model* model) = nullptr;
    void (*apply)(Corbel_Model* model) = nullptr;
};
extern Edit_Buffer_Hooks edit_buffer_hooks;

// Call the hooks (nothing when unset).
void Fill_Edit_Buffer_Hook(Corbel_Model* model);
void Apply_Edit_Buffer_Hook(Corbel_Model* model);

// Raised by every read, import, clearing and setting of defaults of a model, so that the
// sheets can tell a newly loaded model from the one they last showed.
extern unsigned corbel_load_generation;
