#include <algorithm>
#include <istream>
#include <optional>
#include <ostream>

#include "cli/cli_commands.h"
#include "cli/messages.h"
#include "cli/terminal_lines.h"
#include "engine/io/file_names.h"
#include "engine/io/files.h"
#include "engine/processing.h"

namespace tavrel::cli {
namespace {

constexpr const char* kStandardStream = "-";

bool IsStandardStream(const std::string& path) {
    return path == kStandardStream;
}

// Whether the note input files named suit the command; says why not.
bool CheckInputs(const CommandOptions& options, std::string_view command, Streams streams) {
    if (options.operands.empty()) {
        UsageError(streams, command, "no note input file given");
        return false;
    }
    if (options.output && options.operands.size() > 1) {
        UsageError(streams, command, "--output takes exactly one note input file");
        return false;
    }
    return true;
}

FailureSink WarningsTo(std::ostream& err, const std::string& name) {
    return [&err, name](const RuntimeFailure& failure, std::int64_t line) {
        err << "tavrel: warning: " << name;
        if (line > 0) {
            err << ':' << line;
        }
        err << ": " << FailureReason(failure) << '\n';
    };
}

ProcessOutcome IoFailure(const RuntimeFailure& failure, std::string file) {
    ProcessOutcome outcome;
    outcome.status = ProcessStatus::kIoFailure;
    outcome.failure = failure;
    outcome.file = std::move(file);
    return outcome;
}

}  // namespace

int ReportOutcome(const ProcessOutcome& outcome, const std::string& name, std::ostream& err) {
    switch (outcome.status) {
        case ProcessStatus::kDone:
            if (outcome.noStatement) {
                err << name << ": " << kNoStatementMessage << '\n';
            }
            return kExitDone;
        case ProcessStatus::kInputMissing:
            return FileFailure(err, name, UnreadableReason(name));
        case ProcessStatus::kOutputIsInput:
            return FileFailure(err, outcome.file, "output file is the note input file itself");
        case ProcessStatus::kOutputExists:
            return FileFailure(err, outcome.file, kExistsReason);
        case ProcessStatus::kEmpty:
            err << name << ": " << outcome.message << '\n';
            return kExitInvalidInput;
        case ProcessStatus::kInvalid:
            err << name << ':' << outcome.line << ": " << outcome.message << '\n';
            return kExitInvalidInput;
        case ProcessStatus::kIoFailure:
            return FileFailure(err, outcome.file.empty() ? name : outcome.file,
                               FailureReason(outcome.failure));
    }
    return kExitUsageOrIo;
}

namespace {

// Processes or checks one note input file (standard input for "-"), writing to `output`, and
// reports the outcome.
int RunOne(const std::string& input, const CadTextOutput& output, Streams streams) {
    const std::string name = IsStandardStream(input) ? std::string(kStandardInputName) : input;
    std::string standardInput;
    if (IsStandardStream(input)) {
        if (const auto failure = ReadWholeStream(streams.in, standardInput)) {
            return ReportOutcome(IoFailure(*failure, name), name, streams.err);
        }
    }
    const NoteInput noteInput = IsStandardStream(input) ? NoteInput(InputBytes{standardInput})
                                                        : NoteInput(InputFile{input});
    const ProcessOutcome outcome =
        ProcessNoteInput(noteInput, output, WarningsTo(streams.err, name));
    const int status = ReportOutcome(outcome, name, streams.err);
    if (status == kExitDone && std::holds_alternative<ByteSink>(output) && !Flushed(streams)) {
        return kExitUsageOrIo;
    }
    return status;
}

CadTextOutput OutputFor(const std::string& input, const CommandOptions& options, Streams streams) {
    const std::string target = options.output.value_or(
        IsStandardStream(input) ? std::string(kStandardStream) : CadTextPathFor(input));
    if (IsStandardStream(target)) {
        return StandardOutputSink(streams);
    }
    return OutputFile{target, options.force ? ExistingOutput::kReplace : ExistingOutput::kRefuse};
}

}  // namespace

int RunProcess(const CommandOptions& options, Streams streams) {
    if (!CheckInputs(options, "process", streams)) {
        return kExitUsageOrIo;
    }
    int worst = kExitDone;
    for (const std::string& input : options.operands) {
        worst = std::max(worst, RunOne(input, OutputFor(input, options, streams), streams));
    }
    return worst;
}

int RunCheck(const CommandOptions& options, Streams streams) {
    if (!CheckInputs(options, "check", streams)) {
        return kExitUsageOrIo;
    }
    int worst = kExitDone;
    for (const std::string& input : options.operands) {
        worst = std::max(worst, RunOne(input, CheckOnly{}, streams));
    }
    return worst;
}

}  // namespace tavrel::cli
