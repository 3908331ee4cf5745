// Feeds arbitrary bytes as a note input file to every reader of one: validation against a model
// written from the statement rules (same verdict, message and line), processing in the engine and
// on the command line (they must agree), and identification of a saved sheet (every part it
// reports stands where it says).
#include <cstddef>
#include <cstdint>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "cli/cli_commands.h"
#include "engine/processing.h"
#include "engine/statements/setting_value.h"
#include "engine/text/text_utils.h"
#include "fuzz/fuzz_support.h"
#include "library/sheet_identification.h"

namespace {

using tavrel::fuzz::Printable;

// The file's lines as processing reads them: a line ends at CR, CR LF or a lone LF.
std::vector<std::string_view> SplitLines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    for (std::size_t start = 0; start < bytes.size();) {
        const std::size_t end = std::min(bytes.find_first_of("\r\n", start), bytes.size());
        lines.push_back(bytes.substr(start, end - start));
        start = end + 1;
        if (end < bytes.size() && bytes[end] == '\r' && start < bytes.size() &&
            bytes[start] == '\n') {
            ++start;
        }
    }
    return lines;
}

char FirstNonBlank(std::string_view line) {
    const std::string_view trimmed = tavrel::TrimSpaces(line);
    return trimmed.empty() ? '\0' : trimmed.front();
}

const std::set<std::string_view> kPlainKeywords = {
    "LITERAL", "END LITERAL", "WORD WRAP", "END WORD WRAP", "CENTER", "CENTER HEADER", "SPACE"};

struct Setting {
    std::string_view keyword;
    int low, high;
    std::string_view message;
};
constexpr Setting kSettings[] = {
    {"INDENT FIRST LINE", 0, 20, "Error..[Indent First Line] value out of range (0-20)."},
    {"INDENT BODY", 0, 20, "Error..[Indent Body] value out of range (0-20)."},
    {"LEFT MARGIN", 1, 20, "Error..[Left Margin] value out of range (1-20)."},
    {"RIGHT MARGIN", 40, 150, "Error..[Right Margin] value out of range (40-150)."},
    {"LINE SPACING", 1, 2, "Error..[Line Spacing] value out of range (1/2)."}};

// The keyword of a statement line (its first character "["), or the message of its fault.
std::pair<std::string, std::string> ModelParse(std::string_view line) {
    const std::string s = tavrel::ToUpperAscii(tavrel::TrimSpaces(line));
    const auto close = s.find(']');
    if (close == std::string::npos) {
        return {"", "Error..End format statement character ']' not found."};
    }
    if (close < 6 || close > 26) {
        return {"", "Error..format flag statement length out of range (5-25)."};
    }
    const std::string content = s.substr(1, close - 1);
    for (const Setting& setting : kSettings) {
        if (s.find(setting.keyword) == std::string::npos) {
            continue;
        }
        const auto equals = content.find('=');
        if (equals == std::string::npos) {
            return {"", "Error..Unrecognized format statement."};
        }
        const auto value = tavrel::ReadSettingValue(content.substr(equals + 1));
        if (!std::holds_alternative<std::int16_t>(value)) {
            return {"", "Error..Unrecognized format statement."};
        }
        const int number = std::get<std::int16_t>(value);
        if (number < setting.low || number > setting.high) {
            return {"", std::string(setting.message)};
        }
        return {std::string(setting.keyword), ""};
    }
    if (kPlainKeywords.count(content) == 0) {
        return {"", "Error..Unrecognized format statement."};
    }
    return {content, ""};
}

// The nesting fault of a recognised statement, if any; opens or closes the block.
std::string ModelNesting(const std::string& keyword, bool& literalOpen, bool& wrapOpen) {
    const bool open = literalOpen || wrapOpen;
    if (keyword == "LITERAL" || keyword == "WORD WRAP") {
        (keyword == "LITERAL" ? literalOpen : wrapOpen) = true;
        return open ? "Error..Missing previous [END WORD WRAP] or [END LITERAL] format statement."
                    : "";
    }
    if (keyword == "END LITERAL" || keyword == "END WORD WRAP") {
        bool& closed = keyword == "END LITERAL" ? literalOpen : wrapOpen;
        return std::exchange(closed, false)
                   ? ""
                   : "Error..Missing previous [" + keyword.substr(4) + "] format statement.";
    }
    if (!open) {
        return "";
    }
    if (keyword.starts_with("CENTER") || keyword == "SPACE") {
        return "Error..[CENTER] OR [SPACE] format statements can not be inside [LITERAL] OR "
               "[WORD WRAP].";
    }
    return "Error..[" + keyword + "] format statement can not be inside [LITERAL] OR [WORD WRAP].";
}

// The message with its "..Line:  " suffix, or nothing for a valid file.
std::string ModelValidate(const std::vector<std::string_view>& lines) {
    bool literalOpen = false;
    bool wrapOpen = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (FirstNonBlank(lines[i]) != '[') {
            continue;
        }
        const auto [keyword, fault] = ModelParse(lines[i]);
        const std::string error =
            fault.empty() ? ModelNesting(keyword, literalOpen, wrapOpen) : fault;
        if (!error.empty()) {
            return error + "..Line:  " + std::to_string(i + 1);
        }
    }
    if (wrapOpen || literalOpen) {
        return "Error..Missing [END " + std::string(wrapOpen ? "WORD WRAP" : "LITERAL") +
               "] format statement at end of file...Line:  " + std::to_string(lines.size() + 1);
    }
    return "";
}

// The engine and the command line on the same bytes: the same output, or the same refusal and
// nothing written.
void CheckProcessing(const std::string& bytes, const std::string& expectedError) {
    std::string output;
    const tavrel::ProcessOutcome outcome = tavrel::ProcessNoteInput(
        tavrel::InputBytes{bytes}, &output, [](const tavrel::RuntimeFailure&, std::int64_t) {});
    std::istringstream in(bytes);
    std::ostringstream out, err;
    const int status = tavrel::cli::RunCommandLine({"process", "-o", "-", "-"}, {in, out, err});
    if (outcome.status == tavrel::ProcessStatus::kDone) {
        TAVREL_FUZZ_CHECK(expectedError.empty(), Printable(expectedError));
        TAVREL_FUZZ_CHECK(status == tavrel::cli::kExitDone && out.str() == output,
                          Printable(err.str()));
        // Items are ended by CR LF and hold no LF of their own.
        TAVREL_FUZZ_CHECK(output.empty() || output.ends_with("\r\n"), Printable(output));
        for (auto at = output.find('\n'); at != std::string::npos; at = output.find('\n', at + 1)) {
            TAVREL_FUZZ_CHECK(at > 0 && output[at - 1] == '\r', Printable(output));
        }
        return;
    }
    TAVREL_FUZZ_CHECK(bytes.empty() || outcome.message == expectedError,
                      Printable(outcome.message) + " model: " + Printable(expectedError));
    TAVREL_FUZZ_CHECK(output.empty() && out.str().empty(), "a refused file wrote output");
    TAVREL_FUZZ_CHECK(status == tavrel::cli::kExitInvalidInput &&
                          err.str().find(outcome.message) != std::string::npos,
                      Printable(err.str()));
}

const tavrel::NoteTables& SmallLibrary() {
    static const tavrel::NoteTables tables = [] {
        tavrel::NoteTables loaded;
        tavrel::fuzz::CountingErrors errors;
        loaded.ReadReferenceText(tavrel::NoteCategory::Bridge,
                                 "$$G1 A\rRailing.\r$$G2 B\rRailing.\rSteel posts.\r\r$$B1 C\r"
                                 "[WORD WRAP]\rTwo spans.\r[END WORD WRAP]\r$$",
                                 "bridge", errors);
        loaded.ReadReferenceText(tavrel::NoteCategory::Hydraulic, "$$G1 D\rScour.\r$$", "hydraulic",
                                 errors);
        loaded.ReadReferenceText(tavrel::NoteCategory::Wall, "$$W1 E\rWall.\r$$", "wall", errors);
        return loaded;
    }();
    return tables;
}

// Every note found stands where it says with that note's text; no line is claimed twice.
void CheckIdentification(std::string_view bytes, const std::vector<std::string_view>& lines) {
    const tavrel::SheetIdentification sheet = tavrel::IdentifySheet(bytes, SmallLibrary());
    std::vector<bool> claimed(lines.size(), false);
    const auto claim = [&claimed](std::int64_t line, std::int64_t count) {
        TAVREL_FUZZ_CHECK(line >= 1 && count >= 1 && line - 1 + count <= std::ssize(claimed),
                          std::to_string(line) + "+" + std::to_string(count));
        for (std::int64_t at = line - 1; at < line - 1 + count; ++at) {
            TAVREL_FUZZ_CHECK(!claimed[at], "line " + std::to_string(at + 1) + " claimed twice");
            claimed[at] = true;
        }
    };
    for (const tavrel::IdentifiedNote& note : sheet.notes) {
        claim(note.line, note.lineCount);
        const std::string text =
            *SmallLibrary().FindNote(tavrel::CategoryOfListView(note.listView), note.name);
        std::string written;
        for (std::int64_t at = note.line - 1; at < note.line - 1 + note.lineCount; ++at) {
            written.append(lines[at]).append("\r");
        }
        TAVREL_FUZZ_CHECK(text.starts_with(written) &&
                              text.find_first_not_of('\r', written.size()) == std::string::npos,
                          note.name + ": " + Printable(written));
    }
    for (const tavrel::UnrecognisedBlock& block : sheet.unrecognised) {
        claim(block.line, block.lineCount);
        TAVREL_FUZZ_CHECK(lines[block.line - 1].find_first_not_of(' ') != std::string_view::npos,
                          "block starts blank at " + std::to_string(block.line));
    }
    for (const tavrel::MissingNoteLine& missing : sheet.missingNotes) {
        claim(missing.line, 1);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string_view> lines = SplitLines(bytes);
    CheckProcessing(bytes, ModelValidate(lines));
    CheckIdentification(bytes, lines);
    return 0;
}
