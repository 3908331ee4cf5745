// Processes arbitrary bytes as a note input file, from the bytes read to the CAD text file, and
// checks that a rejected file writes nothing and names a line of the file, and that a valid one
// gives well-formed output that the command line agrees with.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>

#include "cli/cli_commands.h"
#include "engine/processing.h"
#include "engine/statements/statement_scanner.h"
#include "fuzz/fuzz_support.h"

namespace {

using tavrel::fuzz::Printable;

struct Run {
    tavrel::ProcessOutcome outcome;
    std::string output;
    int failures = 0;
};

Run Process(const std::string& bytes) {
    Run run;
    run.outcome = tavrel::ProcessNoteInput(
        tavrel::InputBytes{bytes}, &run.output,
        [&run](const tavrel::RuntimeFailure&, std::int64_t) { ++run.failures; });
    return run;
}

std::size_t Count(std::string_view text, std::string_view what) {
    std::size_t count = 0;
    for (auto at = text.find(what); at != std::string_view::npos; at = text.find(what, at + 1)) {
        ++count;
    }
    return count;
}

// Statements the scanner hands out, and those of them that always write an item.
struct StatementCounts {
    std::size_t all = 0;
    std::size_t alwaysWritten = 0;
};

StatementCounts CountStatements(const std::string& bytes) {
    tavrel::StatementScanner scanner(bytes);
    StatementCounts counts;
    while (const auto statement = scanner.Next()) {
        ++counts.all;
        const tavrel::StatementKind kind = statement->kind;
        counts.alwaysWritten +=
            kind == tavrel::StatementKind::kSpace || kind == tavrel::StatementKind::kDotLine;
    }
    return counts;
}

// Lines end at a CR, a CR LF pair or a lone LF; a last line without an end counts.
std::size_t CountLines(std::string_view bytes) {
    std::size_t lines = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        lines += bytes[i] == '\r' || (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r'));
    }
    return lines + (!bytes.empty() && bytes.back() != '\r' && bytes.back() != '\n');
}

// The command line's answer for the same bytes on standard input must agree with the engine's.
void CheckCommandLine(const std::string& bytes, const Run& run) {
    std::istringstream in(bytes);
    std::ostringstream out;
    std::ostringstream err;
    const int status = tavrel::cli::RunCommandLine({"process", "-o", "-", "-"}, {in, out, err});
    switch (run.outcome.status) {
        case tavrel::ProcessStatus::kDone:
            TAVREL_FUZZ_CHECK(status == tavrel::cli::kExitDone && out.str() == run.output,
                              Printable(err.str()));
            break;
        case tavrel::ProcessStatus::kEmpty:
        case tavrel::ProcessStatus::kInvalid:
            TAVREL_FUZZ_CHECK(status == tavrel::cli::kExitInvalidInput && out.str().empty(),
                              Printable(err.str()));
            TAVREL_FUZZ_CHECK(err.str().find(run.outcome.message) != std::string::npos,
                              Printable(err.str()));
            break;
        default:
            TAVREL_FUZZ_CHECK(false, "unexpected outcome");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const Run run = Process(bytes);
    CheckCommandLine(bytes, run);
    const tavrel::ProcessOutcome& outcome = run.outcome;
    if (bytes.empty()) {
        TAVREL_FUZZ_CHECK(outcome.status == tavrel::ProcessStatus::kEmpty, "empty file");
        return 0;
    }
    const std::size_t lineCount = CountLines(bytes);
    if (outcome.status == tavrel::ProcessStatus::kInvalid) {
        const std::string suffix = "..Line:  " + std::to_string(outcome.line);
        TAVREL_FUZZ_CHECK(outcome.message.size() > suffix.size() &&
                              outcome.message.compare(outcome.message.size() - suffix.size(),
                                                      suffix.size(), suffix) == 0,
                          Printable(outcome.message));
        TAVREL_FUZZ_CHECK(
            outcome.line >= 1 && outcome.line <= static_cast<std::int64_t>(lineCount) + 1,
            Printable(outcome.message));
        TAVREL_FUZZ_CHECK(run.output.empty(), "a rejected file wrote output");
        return 0;
    }
    TAVREL_FUZZ_CHECK(outcome.status == tavrel::ProcessStatus::kDone,
                      "status " + std::to_string(static_cast<int>(outcome.status)));

    // Items are separated by CR LF and hold no LF of their own; statements that produce nothing
    // write nothing, SPACE and dot lines always write.
    const std::string& output = run.output;
    TAVREL_FUZZ_CHECK(output.empty() || output.size() >= 2, Printable(output));
    TAVREL_FUZZ_CHECK(output.empty() || output.compare(output.size() - 2, 2, "\r\n") == 0,
                      Printable(output));
    const std::size_t items = Count(output, "\r\n");
    TAVREL_FUZZ_CHECK(Count(output, "\n") == items, Printable(output));
    const StatementCounts statements = CountStatements(bytes);
    TAVREL_FUZZ_CHECK(
        items <= statements.all && items >= statements.alwaysWritten,
        std::to_string(items) + " items from " + std::to_string(statements.all) + " statements");
    TAVREL_FUZZ_CHECK(output.size() <= 2 * items + 200 * bytes.size(), "output out of proportion");

    return 0;
}
