#include "viewer/symbol_glyphs.h"

#include <cmath>

namespace {

constexpr double PI = 3.14159265358979323846;
constexpr double HEAD_LENGTH = 0.22;
constexpr double HEAD_HALF_WIDTH = 0.07;

// An arrow from tail to tip: its shaft and a filled head at the tip.
void Arrow(Symbol_Shape& s, Page_Point tail, Page_Point tip)
{
    const double dx = tip.x - tail.x, dy = tip.y - tail.y, length = std::hypot(dx, dy);
    const double ux = dx / length, uy = dy / length;
    const Page_Point base{tip.x - ux * HEAD_LENGTH, tip.y - uy * HEAD_LENGTH};
    s.lines.push_back({tail, base});
    s.fills.push_back({tip,
                       {base.x - uy * HEAD_HALF_WIDTH, base.y + ux * HEAD_HALF_WIDTH},
                       {base.x + uy * HEAD_HALF_WIDTH, base.y - ux * HEAD_HALF_WIDTH}});
}

// The signs of the design forces: A downward onto the bearing plate, H from the plate
// horizontally away from the column.
Symbol_Shape Sign_Sketch()
{
    Symbol_Shape s;
    s.width = 3.0;
    s.height = 2.5;
    s.lines.push_back({{0.3, 0.1}, {0.3, 2.4}});                                 // column, far face
    s.lines.push_back({{0.9, 0.1}, {0.9, 0.7}, {2.0, 1.15}, {2.0, 1.5}, {0.9, 1.5}, {0.9, 2.4}});
    s.lines.push_back({{1.55, 1.5}, {1.55, 1.6}, {1.85, 1.6}, {1.85, 1.5}});       // bearing plate
    Arrow(s, {1.7, 2.35}, {1.7, 1.6});
    Arrow(s, {1.7, 1.6}, {2.6, 1.6});
    s.labels.push_back({{1.40, 1.9}, 0.25, "A"});
    s.labels.push_back({{2.22, 1.73}, 0.25, "H"});
    return s;
}

Symbol_Shape Diameter_Sign()
{
    Symbol_Shape s;
    s.width = s.height = 0.25;
    std::vector<Page_Point> circle;
    for (int k = 0; k <= 24; ++k)
        circle.push_back({0.125 + 0.09 * std::cos(k * PI / 12.0), 0.125 + 0.09 * std::sin(k * PI / 12.0)});
    s.lines.push_back(std::move(circle));
    s.lines.push_back({{0.02, 0.02}, {0.23, 0.23}});
    return s;
}

std::string Symbol_Name(const std::string& reference)
{
    const size_t cut = reference.find_last_of("\\/");
    std::string name = cut == std::string::npos ? reference : reference.substr(cut + 1);
    while (!name.empty() && (name.back() == ' ' || name.back() == '\t')) name.pop_back();
    for (char& c : name)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (name.size() > 4 && name.compare(name.size() - 4, 4, ".ocm") == 0) name.resize(name.size() - 4);
    return name;
}

} // namespace

const Symbol_Shape* Find_Symbol(const std::string& font_reference)
{
    static const Symbol_Shape sign_sketch = Sign_Sketch();
    static const Symbol_Shape diameter = Diameter_Sign();
    const std::string name = Symbol_Name(font_reference);
    if (name == "schnittgroessen") return &sign_sketch;
    if (name == "durchm") return &diameter;
    return nullptr;
}
