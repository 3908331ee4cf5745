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

struct ProcessOptions {
    bool force = false;
    std::optional<std::string> output;
    std::vector<std::string> inputs;
};

bool IsStandardStream(const std::string& path) {
    return path == kStandardStream;
}

// Reads `[--force] [-o OUT] FILE...`; the options other than "--" only where the command has
// them. Nothing when the arguments are wrong, after saying why.
std::optional<ProcessOptions> ParseArguments(const std::string& command,
                                             const std::vector<std::string>& args,
                                             bool writesOutput, std::ostream& err) {
    ProcessOptions options;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.empty() || arg[0] != '-' || IsStandardStream(arg)) {
            options.inputs.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (writesOutput && arg == "--force") {
            options.force = true;
        } else if (writesOutput && arg == "-o" && i + 1 < args.size()) {
            options.output = args[++i];
        } else {
            err << "tavrel: " << command << ": unknown option or missing value '" << arg << "'\n";
            return std::nullopt;
        }
    }
    if (options.inputs.empty()) {
        err << "tavrel: " << command << ": no note input file given\n";
        return std::nullopt;
    }
    if (options.output && options.inputs.size() > 1) {
        err << "tavrel: " << command << ": -o takes exactly one note input file\n";
        return std::nullopt;
    }
    return options;
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

// Prints what went wrong, if anything, and gives the exit status. `name` is the note input
// file's.
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

CadTextOutput OutputFor(const std::string& input, const ProcessOptions& options,
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

int RunProcess(const std::vector<std::string>& args, Streams streams) {
    const auto options = ParseArguments("process", args, true, streams.err);
    if (!options) {
        return kExitUsageOrIo;
    }
    int worst = kExitDone;
    for (const std::string& input : options->inputs) {
        worst = std::max(worst, RunOne(input, OutputFor(input, *options, streams.out), streams));
    }
    return worst;
}

int RunCheck(const std::vector<std::string>& args, Streams streams) {
    const auto options = ParseArguments("check", args, false, streams.err);
    if (!options) {
        return kExitUsageOrIo;
    }
    int worst = kExitDone;
    for (const std::string& input : options->inputs) {
        worst = std::max(worst, RunOne(input, CheckOnly{}, streams));
    }
    return worst;
}

}  // namespace tavrel::cli
