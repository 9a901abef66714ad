#pragma once
// The viewer's own symbol set: what the reports ask of the environment's symbol font
// (record 27, "%FONT%\<name>") drawn from a few lines, arrow heads and letters.
//
// A symbol has a natural size in cm and hangs from its point: the record's point is the
// symbol's top left corner (the glyph graphics give x 0 and their height, the top left of
// their window). Known names, compared without case and without the extension ".ocm":
//   schnittgroessen  the sign sketch of the design forces, 3.0 x 2.5 cm: a corbel on its
//                    column, A pointing down onto it and H pointing away from the column
//   durchm           the diameter sign, 0.25 x 0.25 cm
#include "viewer/page_model.h"

#include <string>
#include <vector>

struct Symbol_Shape {
    double width = 0.0, height = 0.0;           // cm
    // Coordinates in cm from the symbol's bottom left corner, y upwards.
    std::vector<std::vector<Page_Point>> lines;  // open polylines
    std::vector<std::vector<Page_Point>> fills;  // filled polygons (arrow heads)
    struct Label {
        Page_Point at;                           // bottom left of the letter
        double cap = 0.3;                        // capital height
        std::string utf8;
    };
    std::vector<Label> labels;
};

// The symbol a font reference names ("%FONT%\schnittgroessen.ocm"); null when the set has
// no such symbol.
const Symbol_Shape* Find_Symbol(const std::string& font_reference);
