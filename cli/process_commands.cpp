#include <algorithm>
#include <cerrno>
#include <istream>
#include <optional>
#include <ostream>

#include "cli/cli_commands.h"
#include "engine/io/file_names.h"
#include "engine/io/files.h"
#include "engine/processing.h"

namespace tavrel::cli {
namespace {

constexpr const char* kStandardStream = "-";
constexpr const char* kStandardInputName = "<stdin>";
constexpr const char* kStandardOutputName = "<stdout>";

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
        err << ": Error: " << failure.number << ". " << failure.description << '\n';
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
            return kExitDone;
        case ProcessStatus::kInputMissing:
            err << "tavrel: " << name << ": " << outcome.message << '\n';
            return kExitUsageOrIo;
        case ProcessStatus::kOutputIsInput:
            err << "tavrel: " << outcome.file << ": " << outcome.message << '\n';
            return kExitUsageOrIo;
        case ProcessStatus::kOutputExists:
            err << "tavrel: " << outcome.file << " exists; use --force to overwrite it\n";
            return kExitUsageOrIo;
        case ProcessStatus::kEmpty:
            err << name << ": " << outcome.message << '\n';
            return kExitInvalidInput;
        case ProcessStatus::kInvalid:
            err << name << ':' << outcome.line << ": " << outcome.message << '\n';
            return kExitInvalidInput;
        case ProcessStatus::kIoFailure:
            err << "tavrel: " << (outcome.file.empty() ? name : outcome.file)
                << ": Error: " << outcome.failure.number << ". " << outcome.failure.description
                << '\n';
            return kExitUsageOrIo;
    }
    return kExitUsageOrIo;
}

namespace {

// Processes or checks one note input file (standard input for "-"), writing to `output`, and
// reports the outcome.
int RunOne(const std::string& input, const CadTextOutput& output, Streams streams) {
    const std::string name = IsStandardStream(input) ? kStandardInputName : input;
    std::string standardInput;
    if (IsStandardStream(input)) {
        if (const auto failure = ReadWholeStream(streams.in, standardInput)) {
            return ReportOutcome(IoFailure(*failure, name), name, streams.err);
        }
    }
    const NoteInput noteInput = IsStandardStream(input) ? NoteInput(InputBytes{standardInput})
                                                        : NoteInput(InputFile{input});
    ProcessOutcome outcome = ProcessNoteInput(noteInput, output, WarningsTo(streams.err, name));
    if (outcome.status == ProcessStatus::kDone && std::holds_alternative<ByteSink>(output)) {
        // A full disk or a closed pipe must not pass for success.
        streams.out.flush();
        if (!streams.out) {
            outcome = IoFailure(failures::FromErrno(EIO), kStandardOutputName);
        }
    }
    return ReportOutcome(outcome, name, streams.err);
}

CadTextOutput OutputFor(const std::string& input, const CommandOptions& options,
                        std::ostream& out) {
    const std::string target = options.output.value_or(
        IsStandardStream(input) ? std::string(kStandardStream) : CadTextPathFor(input));
    if (IsStandardStream(target)) {
        return ByteSink([&out](std::string_view bytes) {
            out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        });
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
        worst = std::max(worst, RunOne(input, OutputFor(input, options, streams.out), streams));
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
