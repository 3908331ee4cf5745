// Identifies arbitrary bytes as a saved note input file against a small library and checks
// that what it reports stands where it says: each note's lines are that note's text, no line is
// claimed twice, and every block begins with a line that is not blank.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/text/line_splitter.h"
#include "fuzz/fuzz_support.h"
#include "library/sheet_identification.h"

namespace {

using tavrel::NoteCategory;

const tavrel::NoteTables& Library() {
    static const tavrel::NoteTables tables = [] {
        tavrel::NoteTables loaded;
        tavrel::fuzz::CountingErrors errors;
        loaded.ReadReferenceText(NoteCategory::Bridge,
                                 "$$G1 A\rRailing.\r$$G2 B\rRailing.\rSteel posts.\r\r$$B1 C\r"
                                 "[WORD WRAP]\rTwo spans.\r[END WORD WRAP]\r$$",
                                 "bridge", errors);
        loaded.ReadReferenceText(NoteCategory::Hydraulic, "$$G1 D\rScour.\r$$", "hydraulic",
                                 errors);
        loaded.ReadReferenceText(NoteCategory::Wall, "$$W1 E\rWall.\r$$", "wall", errors);
        return loaded;
    }();
    return tables;
}

std::vector<std::string_view> Lines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    tavrel::LineSplitter splitter(bytes);
    while (const auto line = splitter.Next()) {
        lines.push_back(*line);
    }
    return lines;
}

// Marks the lines of one item as claimed; none may be claimed twice or lie past the end.
void Claim(std::vector<bool>& claimed, std::int64_t line, std::int64_t count) {
    TAVREL_FUZZ_CHECK(line >= 1 && count >= 1 && line - 1 + count <= std::ssize(claimed),
                      std::to_string(line) + "+" + std::to_string(count));
    for (std::int64_t at = line - 1; at < line - 1 + count; ++at) {
        TAVREL_FUZZ_CHECK(!claimed[at], "line " + std::to_string(at + 1) + " claimed twice");
        claimed[at] = true;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const tavrel::SheetIdentification sheet = tavrel::IdentifySheet(bytes, Library());
    const std::vector<std::string_view> lines = Lines(bytes);
    std::vector<bool> claimed(lines.size(), false);
    for (const tavrel::IdentifiedNote& note : sheet.notes) {
        Claim(claimed, note.line, note.lineCount);
        std::string text =
            *Library().FindNote(tavrel::CategoryOfListView(note.listView), note.name);
        std::string written;
        for (std::int64_t at = note.line - 1; at < note.line - 1 + note.lineCount; ++at) {
            written.append(lines[at]).append("\r");
        }
        TAVREL_FUZZ_CHECK(text.starts_with(written) &&
                              text.find_first_not_of('\r', written.size()) == std::string::npos,
                          note.name + ": " + tavrel::fuzz::Printable(written));
    }
    for (const tavrel::UnrecognisedBlock& block : sheet.unrecognised) {
        Claim(claimed, block.line, block.lineCount);
        TAVREL_FUZZ_CHECK(lines[block.line - 1].find_first_not_of(' ') != std::string_view::npos,
                          "block starts blank at " + std::to_string(block.line));
        if (block.closest && !block.closest->differences.empty()) {
            TAVREL_FUZZ_CHECK(
                std::ssize(block.closest->differences) == block.closest->differingLineCount,
                block.closest->name);
        }
    }
    for (const tavrel::MissingNoteLine& missing : sheet.missingNotes) {
        Claim(claimed, missing.line, 1);
    }
    return 0;
}
