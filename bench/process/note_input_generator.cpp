#include "note_input_generator.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace tavrel::bench {
namespace {

constexpr std::array<std::string_view, 48> kWords{
    "ALL",        "CONCRETE", "SHALL",      "BE",       "CLASS",     "AA",        "REINFORCING",
    "STEEL",      "GRADE",    "60",         "UNLESS",   "NOTED",     "OTHERWISE", "THE",
    "CONTRACTOR", "VERIFY",   "DIMENSIONS", "IN",       "FIELD",     "BEFORE",    "ORDERING",
    "MATERIALS",  "BEARING",  "PADS",       "CONFORM",  "TO",        "SECTION",   "NO.",
    "5.5",        "PAINT",    "EXPOSED",    "SURFACES", "WITH",      "SYSTEM",    "SEE",
    "SHEET",      "FOR",      "DETAILS",    "OF",       "EXPANSION", "JOINTS",    "DECK",
    "ABUTMENT",   "PIER",     "PILING",     "CAP",      "WINGWALL",  "ELEVATION"};

// A small deterministic generator, so every run measures the same text.
class Random {
  public:
    std::uint32_t Next(std::uint32_t bound) {
        state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<std::uint32_t>(state_ >> 33) % bound;
    }

  private:
    std::uint64_t state_ = 42;
};

void AddLine(std::string& text, std::string_view line) {
    text += line;
    text += "\r\n";
}

// A note paragraph of a few source lines of about 70 columns, sentences ended by full stops.
void AddWrapBlock(Random& random, GeneratedNoteInput& out) {
    AddLine(out.noteInput, "[WORD WRAP]");
    const std::uint32_t lines = 2 + random.Next(7);
    for (std::uint32_t i = 0; i < lines; ++i) {
        std::string line;
        while (line.size() < 66) {
            line += kWords[random.Next(kWords.size())];
            line += random.Next(9) == 0 ? ".  " : " ";
        }
        line.pop_back();
        AddLine(out.noteInput, line);
        out.paragraphs += line;
        out.paragraphs += '\n';
    }
    out.paragraphs += '\n';
    AddLine(out.noteInput, "[END WORD WRAP]");
}

void AddLiteralTable(Random& random, std::string& text) {
    AddLine(text, "[LITERAL]");
    AddLine(text, "  ITEM   DESCRIPTION                          UNIT      QUANTITY");
    const std::uint32_t rows = 2 + random.Next(6);
    for (std::uint32_t i = 0; i < rows; ++i) {
        std::string row = "  " + std::to_string(1000 + random.Next(9000)) + "   ";
        row += kWords[random.Next(kWords.size())];
        row.resize(45, ' ');
        row += "EA        " + std::to_string(random.Next(100000));
        AddLine(text, row);
    }
    AddLine(text, "[END LITERAL]");
}

void AddSettingChange(Random& random, std::string& text) {
    switch (random.Next(4)) {
        case 0:
            AddLine(text, "[INDENT FIRST LINE = " + std::to_string(random.Next(6)) + "]");
            break;
        case 1:
            AddLine(text, "[INDENT BODY = " + std::to_string(random.Next(9)) + "]");
            break;
        case 2:
            AddLine(text, "[RIGHT MARGIN = " + std::to_string(70 + random.Next(60)) + "]");
            break;
        default:
            AddLine(text, "[LINE SPACING = " + std::to_string(1 + random.Next(2)) + "]");
            break;
    }
}

}  // namespace

GeneratedNoteInput GenerateNoteInput(std::size_t targetBytes) {
    GeneratedNoteInput out;
    out.noteInput.reserve(targetBytes + 4096);
    Random random;
    AddLine(out.noteInput,
            "[INDENT FIRST LINE = 1]\r\n[INDENT BODY = 5]\r\n[LEFT MARGIN = 1]\r\n"
            "[RIGHT MARGIN = 80]\r\n[LINE SPACING = 1]");
    AddLine(out.noteInput, ".LV=8\r\n.CO=3\r\n.LC=0\r\n.WT=2\r\n.FT=49");
    for (int section = 1; out.noteInput.size() < targetBytes; ++section) {
        AddLine(out.noteInput, "[SPACE]\r\n[SPACE]\r\n.NEWGG");
        AddLine(out.noteInput, "[CENTER]SECTION " + std::to_string(section) + " NOTES");
        AddLine(out.noteInput, "[SPACE]");
        for (int note = 0; note < 12; ++note) {
            AddLine(out.noteInput, "GN" + std::to_string(note + 1));
            if (random.Next(3) == 0) {
                AddSettingChange(random, out.noteInput);
            }
            if (random.Next(5) == 0) {
                AddLiteralTable(random, out.noteInput);
            } else {
                AddWrapBlock(random, out);
            }
        }
    }
    return out;
}

}  // namespace tavrel::bench
