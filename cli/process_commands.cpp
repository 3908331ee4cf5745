#include <filesystem>
#include <istream>
#include <optional>
#include <ostream>
#include <variant>

#include "cli/cli_commands.h"
#include "engine/io/atomic_file.h"
#include "engine/io/file_names.h"
#include "engine/io/files.h"
#include "engine/processing.h"

namespace tavrel::cli {
namespace {

constexpr const char* kStandardStream = "-";
constexpr const char* kStandardInputName = "<stdin>";

struct ProcessOptions {
    bool force = false;
    std::optional<std::string> output;
    std::vector<std::string> inputs;
};

bool IsStandardStream(const std::string& path) {
    return path == kStandardStream;
}

std::string DisplayName(const std::string& input) {
    return IsStandardStream(input) ? kStandardInputName : input;
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

// Prints what went wrong, if anything, and gives the exit status.
int ReportOutcome(const ProcessOutcome& outcome, const std::string& name, std::ostream& err) {
    switch (outcome.status) {
        case ProcessStatus::kDone:
            return kExitDone;
        case ProcessStatus::kInputMissing:
            err << "tavrel: " << name << ": " << outcome.message << '\n';
            return kExitUsageOrIo;
        case ProcessStatus::kEmpty:
            err << name << ": " << outcome.message << '\n';
            return kExitInvalidInput;
        case ProcessStatus::kInvalid:
            err << name << ':' << outcome.line << ": " << outcome.message << '\n';
            return kExitInvalidInput;
        case ProcessStatus::kIoFailure:
            err << "tavrel: " << name << ": Error: " << outcome.failure.number << ". "
                << outcome.failure.description << '\n';
            return kExitUsageOrIo;
    }
    return kExitUsageOrIo;
}

std::string ReadAll(std::istream& in) {
    std::string bytes;
    char chunk[1 << 16];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
        bytes.append(chunk, static_cast<std::size_t>(in.gcount()));
    }
    return bytes;
}

// The bytes of a note input file or of standard input, line ends as they came.
std::variant<NoteInputBytes, ProcessOutcome> LoadInput(const std::string& input, Streams streams) {
    ProcessOutcome outcome;
    if (IsStandardStream(input)) {
        std::string bytes = ReadAll(streams.in);
        // A failed read is no end of input: a shortened file must not pass for the whole one.
        if (streams.in.bad()) {
            outcome.status = ProcessStatus::kIoFailure;
            outcome.failure = failures::FromErrno(EIO);
            return outcome;
        }
        return NoteInputBytes(std::move(bytes));
    }
    if (!NoteInputFileExists(input)) {
        outcome.status = ProcessStatus::kInputMissing;
        outcome.message = kInputMissingMessage;
        return outcome;
    }
    auto loaded = LoadNoteInputBytes(input);
    if (auto* failure = std::get_if<RuntimeFailure>(&loaded)) {
        outcome.status = ProcessStatus::kIoFailure;
        outcome.failure = *failure;
        return outcome;
    }
    return std::move(std::get<NoteInputBytes>(loaded));
}

// Why the CAD text file may not be written to the target, if it may not.
std::optional<std::string> RefusedTarget(const std::string& input, const std::string& target,
                                         bool force) {
    std::error_code error;
    if (!std::filesystem::exists(target, error)) {
        return std::nullopt;
    }
    if (!IsStandardStream(input) && IsSameFile(input, target)) {
        return target + ": " + std::string(kOutputIsInputMessage);
    }
    if (!force) {
        return target + " exists; use --force to overwrite it";
    }
    return std::nullopt;
}

std::optional<RuntimeFailure> WriteCadText(NoteInputProcessing& processing,
                                           const std::string& target, std::ostream& out) {
    if (IsStandardStream(target)) {
        processing.WriteItems([&out](std::string_view bytes) {
            out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        });
        out.flush();
        if (!out) {
            return failures::FromErrno(EIO);
        }
        return processing.InputChanged();
    }
    AtomicFileWriter writer(target);
    if (auto failure = writer.Open()) {
        return failure;
    }
    processing.WriteItems([&writer](std::string_view bytes) { writer.Write(bytes); });
    if (auto changed = processing.InputChanged()) {
        return changed;  // the temporary file goes with the writer
    }
    return writer.Commit();
}

int ProcessOne(const std::string& input, const ProcessOptions& options, Streams streams) {
    const std::string name = DisplayName(input);
    std::string target = options.output.value_or(
        IsStandardStream(input) ? std::string(kStandardStream) : CadTextPathFor(input));
    if (!IsStandardStream(input) && !NoteInputFileExists(input)) {
        streams.err << "tavrel: " << name << ": " << kInputMissingMessage << '\n';
        return kExitUsageOrIo;
    }
    if (!IsStandardStream(target)) {
        if (const auto refusal = RefusedTarget(input, target, options.force)) {
            streams.err << "tavrel: " << *refusal << '\n';
            return kExitUsageOrIo;
        }
    }
    auto loaded = LoadInput(input, streams);
    if (const auto* outcome = std::get_if<ProcessOutcome>(&loaded)) {
        return ReportOutcome(*outcome, name, streams.err);
    }
    NoteInputProcessing processing(std::move(std::get<NoteInputBytes>(loaded)),
                                   WarningsTo(streams.err, name));
    const ProcessOutcome validated = processing.Validate();
    if (validated.status != ProcessStatus::kDone) {
        return ReportOutcome(validated, name, streams.err);
    }
    if (const auto failure = WriteCadText(processing, target, streams.out)) {
        ProcessOutcome written;
        written.status = ProcessStatus::kIoFailure;
        written.failure = *failure;
        return ReportOutcome(written, IsStandardStream(target) ? "<stdout>" : target, streams.err);
    }
    return kExitDone;
}

int CheckOne(const std::string& input, Streams streams) {
    const std::string name = DisplayName(input);
    auto loaded = LoadInput(input, streams);
    if (const auto* outcome = std::get_if<ProcessOutcome>(&loaded)) {
        return ReportOutcome(*outcome, name, streams.err);
    }
    NoteInputProcessing processing(std::move(std::get<NoteInputBytes>(loaded)),
                                   WarningsTo(streams.err, name));
    return ReportOutcome(processing.Validate(), name, streams.err);
}

}  // namespace

int RunProcess(const std::vector<std::string>& args, Streams streams) {
    const auto options = ParseArguments("process", args, true, streams.err);
    if (!options) {
        return kExitUsageOrIo;
    }
    int worst = kExitDone;
    for (const std::string& input : options->inputs) {
        worst = std::max(worst, ProcessOne(input, *options, streams));
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
        worst = std::max(worst, CheckOne(input, streams));
    }
    return worst;
}

}  // namespace tavrel::cli
