#include "library/export/dxf_drawing.h"

#include <cstdio>

namespace tavrel {
namespace {

constexpr const char* kStyle = "NOTES";
constexpr const char* kLayer = "NOTES";
// Courier New: fixed pitch, and on every system a CAD program runs on.
constexpr const char* kFixedPitchFont = "cour.ttf";

class DxfOut {
  public:
    void Group(int code, std::string_view value) {
        text_ += std::to_string(code);
        text_ += "\r\n";
        text_ += value;
        text_ += "\r\n";
    }
    void Group(int code, double value) {
        char number[32];
        std::snprintf(number, sizeof number, "%.6f", value);
        Group(code, std::string_view(number));
    }
    void Group(int code, int value) { Group(code, std::string_view(std::to_string(value))); }
    std::string Take() { return std::move(text_); }

  private:
    std::string text_;
};

// A control character is written as "^" and the character 64 places on, a caret as "^ ".
std::string GroupText(std::string_view line) {
    std::string text;
    text.reserve(line.size());
    for (const char c : line) {
        if (static_cast<unsigned char>(c) < 0x20) {
            text += '^';
            text += static_cast<char>(c + 0x40);
        } else {
            text += c;
            if (c == '^') {
                text += ' ';
            }
        }
    }
    return text;
}

void Header(DxfOut& out) {
    out.Group(0, "SECTION");
    out.Group(2, "HEADER");
    out.Group(9, "$ACADVER");
    out.Group(1, "AC1009");
    out.Group(9, "$DWGCODEPAGE");
    out.Group(3, "ANSI_1252");
    out.Group(9, "$INSUNITS");
    out.Group(70, 1);  // inches
    out.Group(0, "ENDSEC");
}

void Tables(DxfOut& out, const SheetText& sheet) {
    out.Group(0, "SECTION");
    out.Group(2, "TABLES");
    out.Group(0, "TABLE");
    out.Group(2, "LAYER");
    out.Group(70, 1);
    out.Group(0, "LAYER");
    out.Group(2, kLayer);
    out.Group(70, 0);
    out.Group(62, 7);
    out.Group(6, "CONTINUOUS");
    out.Group(0, "ENDTAB");
    out.Group(0, "TABLE");
    out.Group(2, "STYLE");
    out.Group(70, 1);
    out.Group(0, "STYLE");
    out.Group(2, kStyle);
    out.Group(70, 0);
    out.Group(40, sheet.height);
    out.Group(41, sheet.width / sheet.height);
    out.Group(50, 0.0);
    out.Group(71, 0);
    out.Group(42, sheet.height);
    out.Group(3, kFixedPitchFont);
    out.Group(4, "");
    out.Group(0, "ENDTAB");
    out.Group(0, "ENDSEC");
}

void Entities(DxfOut& out, const SheetText& sheet) {
    out.Group(0, "SECTION");
    out.Group(2, "ENTITIES");
    for (std::size_t row = 0; row < sheet.lines.size(); ++row) {
        const std::string& line = sheet.lines[row];
        if (line.find_first_not_of(' ') == std::string::npos) {
            continue;
        }
        // The first line's top at the origin; each baseline a text height below its top.
        const double baseline = -(static_cast<double>(row) * sheet.pitch() + sheet.height);
        out.Group(0, "TEXT");
        out.Group(8, kLayer);
        out.Group(10, 0.0);
        out.Group(20, baseline);
        out.Group(30, 0.0);
        out.Group(40, sheet.height);
        out.Group(1, GroupText(line));
        out.Group(41, sheet.width / sheet.height);
        out.Group(7, kStyle);
    }
    out.Group(0, "ENDSEC");
}

}  // namespace

std::string DxfDrawing(const SheetText& sheet) {
    DxfOut out;
    Header(out);
    Tables(out, sheet);
    Entities(out, sheet);
    out.Group(0, "EOF");
    return out.Take();
}

}  // namespace tavrel
