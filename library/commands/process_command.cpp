#include "library/commands/process_command.h"

#include "engine/io/file_names.h"
#include "engine/processing.h"
#include "library/commands/recent_files.h"

namespace tavrel {

std::optional<std::string> ProcessNoteInputFile(CommandServices& services) {
    const auto inputPath =
        services.prompts.ChooseFile(services.recent.Request(NoteFileDialog::kProcess));
    if (!inputPath) {
        return std::nullopt;
    }
    services.recent.Chosen(NoteFileDialog::kProcess, *inputPath);
    const std::string outputPath = CadTextPathFor(*inputPath);
    const FailureSink toErrorBox = [&](const RuntimeFailure& failure, std::int64_t) {
        services.errors.Report(NamingFile(failure, *inputPath));
    };
    ProcessOutcome outcome =
        ProcessNoteInput(InputFile{*inputPath}, OutputFile{outputPath}, toErrorBox);
    if (outcome.status == ProcessStatus::kOutputExists) {
        if (!services.prompts.AskOkCancel("Output file " + outputPath + " exists..overwrite?")) {
            return std::nullopt;
        }
        outcome = ProcessNoteInput(InputFile{*inputPath},
                                   OutputFile{outputPath, ExistingOutput::kReplace}, toErrorBox);
    }
    switch (outcome.status) {
        case ProcessStatus::kDone:
            if (outcome.noStatement) {
                services.prompts.ShowInformation(*inputPath + ": " +
                                                 std::string(kNoStatementMessage));
            }
            services.recent.lastNoteInputFile = *inputPath;
            ShowInEditor(services, outputPath, true);
            return outputPath;
        case ProcessStatus::kInvalid:
            services.prompts.ShowCritical(outcome.message);
            return std::nullopt;
        case ProcessStatus::kEmpty:
        case ProcessStatus::kInputMissing:
        case ProcessStatus::kOutputIsInput:
            // The message is the same for every file; the file it concerns goes below it.
            services.prompts.ShowCritical(outcome.message + "\n\n" +
                                          (outcome.file.empty() ? *inputPath : outcome.file));
            return std::nullopt;
        case ProcessStatus::kOutputExists:  // asked and answered above
            return std::nullopt;
        case ProcessStatus::kIoFailure:
            services.errors.Report(NamingFile(outcome.failure, outcome.file));
            return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace tavrel
