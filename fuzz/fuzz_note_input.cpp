// Feeds arbitrary bytes as a note input file to every reader of one: processing in the engine and
// on the command line (they must agree, and a refusal names a line of the file or the one after
// it), and identification of a saved sheet (every part it reports stands where it says). Each
// statement rule itself is a generated case of tests/cases/statement-rules.tsv.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli_commands.h"
#include "engine/processing.h"
#include "fuzz/fuzz_support.h"
#include "library/sheet/sheet_identification.h"

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

// The engine and the command line on the same bytes: the same output, or the same refusal and
// nothing written.
void CheckProcessing(const std::string& bytes, std::size_t lineCount) {
    std::string output;
    const tavrel::ProcessOutcome outcome = tavrel::ProcessNoteInput(
        tavrel::InputBytes{bytes}, &output, [](const tavrel::RuntimeFailure&, std::int64_t) {});
    std::istringstream in(bytes);
    std::ostringstream out, err;
    const int status = tavrel::cli::RunCommandLine({"process", "-o", "-", "-"}, {in, out, err});
    if (outcome.status == tavrel::ProcessStatus::kDone) {
        TAVREL_FUZZ_CHECK(status == tavrel::cli::kExitDone && out.str() == output,
                          Printable(err.str()));
        // Items are ended by CR LF and hold no LF of their own.
        TAVREL_FUZZ_CHECK(output.empty() || output.ends_with("\r\n"), Printable(output));
        for (auto at = output.find('\n'); at != std::string::npos; at = output.find('\n', at + 1)) {
            TAVREL_FUZZ_CHECK(at > 0 && output[at - 1] == '\r', Printable(output));
        }
        return;
    }
    const std::size_t at = outcome.message.rfind("..Line:  ");
    TAVREL_FUZZ_CHECK(
        bytes.empty() || (at != std::string::npos &&
                          std::stoul(outcome.message.substr(at + 9)) <= lineCount + 1),
        Printable(outcome.message));
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
    CheckProcessing(bytes, lines.size());
    CheckIdentification(bytes, lines);
    return 0;
}
