#pragma once

#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace tavrel::testing {

// The same lines with every line end (CR LF, a lone LF or a lone CR) made a single CR.
inline std::string JoinedByCr(std::string_view bytes) {
    std::string text;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\n' || i == 0 || bytes[i - 1] != '\r') {
            text += bytes[i] == '\n' ? '\r' : bytes[i];
        }
    }
    return text;
}

// Note input file bytes whose lines end in every way a file may hold: CR, CR LF, a lone LF, and
// the pairs that make two line ends (LF CR, CR CR LF); the last line with or without an end.
// The lines are statements, dot lines and block lines of words, full stops, blanks, tabs and
// marker bytes in every order, so periods and blanks meet the line ends on both sides.
class MixedLineEnds {
  public:
    explicit MixedLineEnds(unsigned seed) : random_(seed) {}

    std::string NoteInput() {
        std::vector<std::string> lines;
        for (int i = Below(14); i > 0; --i) {
            AddPiece(lines);
        }
        const bool oneEndForAll = Below(3) == 0;
        const std::string fileEnd = Pick(kEnds);
        std::string bytes;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            bytes += lines[i];
            const bool last = i + 1 == lines.size();
            if (last && Below(3) == 0) {
                bytes += Pick({"", "\r", "\n", "\r\n\r\n", " "});
            } else {
                bytes += oneEndForAll ? fileEnd : Pick(kEnds);
            }
        }
        return bytes;
    }

  private:
    inline static const std::vector<std::string> kEnds = {"\r", "\r\n", "\n", "\n\r", "\r\r\n"};

    int Below(int n) { return static_cast<int>(random_() % static_cast<unsigned>(n)); }
    std::string Pick(const std::vector<std::string>& choices) {
        return choices[static_cast<std::size_t>(Below(static_cast<int>(choices.size())))];
    }

    std::string Statement(const std::string& keyword) {
        return std::string(static_cast<std::size_t>(Below(3)), ' ') + "[" + keyword + "]" +
               (Below(4) == 0 ? " " : "");
    }

    std::string WordsLine() {
        static const std::vector<std::string> kPieces = {
            "A.", "B", "WORD", ".", "..", "...", " ", "  ", "A. .", "X.Y", "\t", "\xAE", "END."};
        std::string line(static_cast<std::size_t>(Below(5) == 0 ? Below(4) : 0), ' ');
        for (int i = Below(8); i > 0; --i) {
            line += Pick(kPieces) + std::string(static_cast<std::size_t>(Below(3)), ' ');
        }
        return line;
    }

    void AddPiece(std::vector<std::string>& lines) {
        switch (Below(9)) {
            case 0:
            case 1:
            case 2:
                lines.push_back(Statement(Below(2) == 0 ? "WORD WRAP" : "word wrap"));
                for (int i = Below(6); i > 0; --i) {
                    lines.push_back(WordsLine());
                }
                lines.push_back(Statement("END WORD WRAP"));
                break;
            case 3:
            case 4:
                lines.push_back(Statement("LITERAL"));
                for (int i = Below(5); i > 0; --i) {
                    lines.push_back(Pick({"", "  ", "  TABLE | 1", ".DOT", "ROW\t3"}) +
                                    (Below(2) == 0 ? WordsLine() : ""));
                }
                for (int i = Below(3); i > 0; --i) {
                    lines.push_back(Pick({"", " "}));  // trailing empty or blank lines
                }
                lines.push_back(Statement("END LITERAL"));
                break;
            case 5:
                lines.push_back("  . DOT " + WordsLine());
                break;
            case 6:
                lines.push_back(Statement(Pick({"CENTER", "CENTER HEADER", "SPACE"})) +
                                WordsLine());
                break;
            case 7:
                lines.push_back(
                    Statement(Pick({"RIGHT MARGIN=45", "LINE SPACING=2", "INDENT BODY = 3"})));
                break;
            default:
                lines.push_back(Below(2) == 0 ? WordsLine() : "");
                if (Below(12) == 0) {
                    lines.push_back(Pick({"[WORD WRAP]", "[BOGUS STATEMENT]", "[END LITERAL]"}));
                }
        }
    }

    std::mt19937 random_;
};

}  // namespace tavrel::testing
