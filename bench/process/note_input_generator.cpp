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

// Words and abbreviations whose periods are no sentence ends, or only look like them.
constexpr std::array<std::string_view, 8> kAbbreviations{
    "NO. 5", "0.5 IN.", "A.B", "APPROX.", "MIN.", "6 IN. O.C.", "SECT. 4.2", "U.S."};

// A note paragraph of source lines of about 70 columns. A sentence ends after one word in
// `sentenceEvery` on average; one word in `abbreviationEvery` is an abbreviation (0: none).
void AddWrapBlock(Random& random, std::uint32_t lines, std::uint32_t sentenceEvery,
                  std::uint32_t abbreviationEvery, GeneratedNoteInput& out) {
    AddLine(out.noteInput, "[WORD WRAP]");
    for (std::uint32_t i = 0; i < lines; ++i) {
        std::string line;
        while (line.size() < 66) {
            const bool abbreviation = abbreviationEvery != 0 && random.Next(abbreviationEvery) == 0;
            line += abbreviation ? kAbbreviations[random.Next(kAbbreviations.size())]
                                 : kWords[random.Next(kWords.size())];
            line += random.Next(sentenceEvery) == 0 ? ".  " : " ";
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

void AddPreamble(std::string& text) {
    AddLine(text,
            "[INDENT FIRST LINE = 1]\r\n[INDENT BODY = 5]\r\n[LEFT MARGIN = 1]\r\n"
            "[RIGHT MARGIN = 80]\r\n[LINE SPACING = 1]");
    AddLine(text, ".LV=8\r\n.CO=3\r\n.LC=0\r\n.WT=2\r\n.FT=49");
}

void AddSectionHeader(int section, std::string& text) {
    AddLine(text, "[SPACE]\r\n[SPACE]\r\n.NEWGG");
    AddLine(text, "[CENTER]SECTION " + std::to_string(section) + " NOTES");
    AddLine(text, "[SPACE]");
}

void GenerateSheet(std::size_t targetBytes, GeneratedNoteInput& out) {
    Random random;
    for (int section = 1; out.noteInput.size() < targetBytes; ++section) {
        AddSectionHeader(section, out.noteInput);
        for (int note = 0; note < 12; ++note) {
            AddLine(out.noteInput, "GN" + std::to_string(note + 1));
            if (random.Next(3) == 0) {
                AddSettingChange(random, out.noteInput);
            }
            if (random.Next(5) == 0) {
                AddLiteralTable(random, out.noteInput);
            } else {
                AddWrapBlock(random, 2 + random.Next(7), 9, 0, out);
            }
        }
    }
}

void GenerateShortNotes(std::size_t targetBytes, GeneratedNoteInput& out) {
    Random random;
    std::uint32_t nextTable = 24 + random.Next(24);
    for (std::uint32_t block = 0; out.noteInput.size() < targetBytes; ++block) {
        if (block % 100 == 0) {
            AddSectionHeader(static_cast<int>(block / 100 + 1), out.noteInput);
        }
        if (block == nextTable) {
            AddLiteralTable(random, out.noteInput);
            nextTable += 24 + random.Next(24);
        } else {
            AddWrapBlock(random, 1 + random.Next(6), 4, 5, out);
        }
    }
}

}  // namespace

GeneratedNoteInput GenerateNoteInput(std::size_t targetBytes, NoteInputShape shape) {
    GeneratedNoteInput out;
    out.noteInput.reserve(targetBytes + 4096);
    AddPreamble(out.noteInput);
    if (shape == NoteInputShape::kSheet) {
        GenerateSheet(targetBytes, out);
    } else {
        GenerateShortNotes(targetBytes, out);
    }
    return out;
}

}  // namespace tavrel::bench
