#include "engine/layout/wrap_words.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "mixed_line_ends.h"
#include "notation.h"

namespace tavrel {
namespace {

using testing::FromNotation;

constexpr char kMarker = '\xAE';

// Each word as the filling sees it: its bytes, then a marker when a sentence gap follows.
std::vector<std::string> Split(const std::string& text) {
    std::vector<WrapWord> words;
    SplitWrapWords(text, words);
    std::vector<std::string> shown;
    for (const WrapWord& word : words) {
        shown.push_back(std::string(word.text) + (word.sentenceGap ? "\xAE" : ""));
        EXPECT_EQ(shown.back().size(), word.Columns());
    }
    return shown;
}

std::string TrimBlanks(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    return first == std::string::npos ? ""
                                      : text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The layout's steps taken one at a time, as written: join the lines (each ended by one CR),
// space the sentences, protect the sentence spaces, collapse the blanks, cut into words.
std::vector<std::string> SplitStepByStep(const std::string& bytes) {
    std::string paragraph;
    std::string segment;
    for (const char c : testing::JoinedByCr(bytes)) {
        if (c == '\r' || c == '\n') {
            paragraph += TrimBlanks(segment) + ' ';
            segment.clear();
        } else {
            segment += c;
        }
    }
    paragraph += TrimBlanks(segment);

    const std::string trimmed = TrimBlanks(paragraph);
    std::string spaced;
    for (std::size_t i = 0; i < trimmed.size(); ++i) {
        spaced += trimmed[i];
        if (trimmed[i] != '.' || i + 1 == trimmed.size()) {
            continue;
        }
        if (trimmed[++i] != ' ') {
            spaced += trimmed[i];
            continue;
        }
        spaced += "  ";
        while (trimmed[i] == ' ') {
            ++i;
        }
        spaced += trimmed[i];
    }

    std::string protectedText;
    for (std::size_t i = 0; i < spaced.size(); ++i) {
        if (spaced.compare(i, 3, ".  ") == 0) {
            protectedText += ".\xAE ";
            i += 2;
        } else {
            protectedText += spaced[i];
        }
    }

    std::vector<std::string> words;
    std::string word;
    for (const char c : protectedText + ' ') {
        if (c != ' ') {
            word += c;
        } else if (!word.empty()) {
            words.push_back(word);
            word.clear();
        }
    }
    return words;
}

TEST(SplitWrapWords, SentenceGapsFollowTheSpacingRules) {
    const struct {
        const char* text;
        std::vector<std::string> words;  // · for a blank, ® for a sentence gap
    } cases[] = {
        {"", {}},
        {"··¶·¶", {}},
        {"A", {"A"}},
        {"··ONE···TWO··", {"ONE", "TWO"}},
        {"END.·NEXT", {"END.®", "NEXT"}},
        {"END.", {"END."}},
        {"0.5·A.B", {"0.5", "A.B"}},
        {"WHY?···NOT", {"WHY?", "NOT"}},
        {"END.¶NEXT", {"END.®", "NEXT"}},
        {"END.··¶··NEXT", {"END.®", "NEXT"}},
        // The second period was only looked at: one blank stays one, two make a gap.
        {"A..·B", {"A..", "B"}},
        {"A..··B", {"A..®", "B"}},
        {"A..¶B", {"A..", "B"}},
        {"A..¶¶B", {"A..®", "B"}},
        {"A..·¶·B", {"A..", "B"}},
        {"A...·B", {"A...®", "B"}},
        // A period standing alone after a full stop is looked at, not examined.
        {"A.·.·B", {"A.®", ".", "B"}},
        {"A.·.··B", {"A.®", ".®", "B"}},
        {"A.·..·B", {"A.®", "..®", "B"}},
        {"SHALL.·.·.·", {"SHALL.®", ".", "."}},
        {"X.\xAE·Y", {"X.\xAE", "Y"}},
        {"TAB\t.·X", {"TAB\t.®", "X"}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> expected;
        for (const std::string& word : c.words) {
            std::string bytes = FromNotation(word);
            if (const auto at = bytes.find("\xC2\xAE"); at != std::string::npos) {
                bytes.replace(at, 2, 1, kMarker);
            }
            expected.push_back(bytes);
        }
        EXPECT_EQ(Split(FromNotation(c.text)), expected) << c.text;
        EXPECT_EQ(SplitStepByStep(FromNotation(c.text)), expected) << c.text;
    }
}

TEST(SplitWrapWords, WordsAcrossChunkEdgesAndAtTheEnd) {
    // Words ending, starting and running on at every position around the 64-byte chunks.
    for (std::size_t lead = 0; lead < 70; ++lead) {
        for (const char* tail : {"WORD", "WORD.", "A.  B", "LONGERWORDTHANEIGHT. X", ""}) {
            const std::string text = std::string(lead, ' ') + "X" + std::string(lead % 3, ' ') +
                                     std::string(lead, 'Y') + " " + tail;
            EXPECT_EQ(Split(text), SplitStepByStep(text)) << lead << " " << tail;
        }
    }
}

TEST(SplitWrapWords, AgreesWithTheStepsOnRandomText) {
    const std::string pieces[] = {"A",    "BC",   ".",  ".",   " ",   " ", "  ",   "\r",   "\n",
                                  "\r\n", "\xAE", "\t", "NO.", "5.5", "?", "\xA0", "\x8D", "\x8A"};
    std::mt19937 random(20240611);
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        const int count = static_cast<int>(random() % 60);
        for (int i = 0; i < count; ++i) {
            text += pieces[random() % std::size(pieces)];
        }
        ASSERT_EQ(Split(text), SplitStepByStep(text)) << round;
    }
}

TEST(SplitWrapWords, LineEndsCountAsTheBreaksTheyStandFor) {
    // After a period that was only looked at, two breaks make a sentence gap and one does not;
    // a CR LF pair is one break.
    EXPECT_EQ(Split("A..\r\nB"), (std::vector<std::string>{"A..", "B"}));
    EXPECT_EQ(Split("A..\n\rB"), (std::vector<std::string>{"A..\xAE", "B"}));
    const std::string cases[] = {
        "A..\r\r\nB",  "A..\nB",       "A.. \r\n B",     "A..\r\n\r\nB", "A. .\r\nB",
        "A.\r\nB",     "A. \r\n B",    "X..\r\n \nY",    "\r\nA..\r\n",  "..\r\n..\r\n.",
        "A.\r\n\r\nB", "A..  \r\n  B", "A..\r\n\n\r\nB",
    };
    for (const std::string& text : cases) {
        EXPECT_EQ(Split(text), SplitStepByStep(text)) << ::testing::PrintToString(text);
    }
}

}  // namespace
}  // namespace tavrel
