#include "library/commands/process_command.h"

#include "engine/io/file_names.h"
#include "engine/processing.h"

namespace tavrel {

void ProcessNoteInputFile(CommandServices& services) {
    const auto inputPath = services.prompts.ChooseFile(
        NoteInputFileDialog("INP Files - Open", FileDialogRequest::Purpose::kOpen));
    if (!inputPath) {
        return;
    }
    const std::string outputPath = CadTextPathFor(*inputPath);
    const FailureSink toErrorBox = [&services](const RuntimeFailure& failure, std::int64_t) {
        services.errors.Report(failure);
    };
    ProcessOutcome outcome =
        ProcessNoteInput(InputFile{*inputPath}, OutputFile{outputPath}, toErrorBox);
    if (outcome.status == ProcessStatus::kOutputExists) {
        if (!services.prompts.AskOkCancel("Output file " + outputPath + " exists..overwrite?")) {
            return;
        }
        outcome = ProcessNoteInput(InputFile{*inputPath},
                                   OutputFile{outputPath, ExistingOutput::kReplace}, toErrorBox);
    }
    switch (outcome.status) {
        case ProcessStatus::kDone:
            if (const auto failure = services.editor.ViewInEditor(outputPath)) {
                services.errors.Report(*failure);
            }
            return;
        case ProcessStatus::kInvalid:
        case ProcessStatus::kEmpty:
        case ProcessStatus::kInputMissing:
        case ProcessStatus::kOutputIsInput:
            services.prompts.ShowCritical(outcome.message);
            return;
        case ProcessStatus::kOutputExists:  // asked and answered above
            return;
        case ProcessStatus::kIoFailure:
            services.errors.Report(
                {outcome.failure.number, outcome.failure.description + ": " + outcome.file});
            return;
    }
}

}  // namespace tavrel
