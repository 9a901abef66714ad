#pragma once
// The type faces of the viewer: the DejaVu faces of the font layer (platform/fonts.h),
// loaded here once more with FreeType for exact advances and handed to cairo as FreeType
// font faces. Monospaced faces carry the report text (its widths are character
// positions), proportional ones the texts of graphics and drawings.
//
// A face that cannot be loaded is reported once on standard error (naming the Debian
// package); its texts are then measured with the fixed-pitch advance and drawn with
// cairo's default face, so that a page is still written.
#include <cairo.h>

#include <string_view>

enum class Face_Family { Mono, Sans };

struct Face_Key {
    Face_Family family = Face_Family::Mono;
    bool bold = false;
    bool italic = false;
};

// Advance of every glyph of the monospaced faces, in em (1233 of 2048 design units).
constexpr double MONO_ADVANCE_EM = 1233.0 / 2048.0;
// Height of the capital letters of the proportional face, in em (1493 of 2048).
constexpr double SANS_CAP_HEIGHT_EM = 1493.0 / 2048.0;

// Width of a UTF-8 text in em: the sum of its glyph advances (no kerning).
double Text_Advance_Em(Face_Key key, std::string_view utf8);

// The cairo face (owned here, alive for the run); null when neither the face nor a
// fallback could be made.
cairo_font_face_t* Cairo_Face(Face_Key key);
