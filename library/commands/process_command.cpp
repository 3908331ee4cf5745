#include "library/commands/process_command.h"

#include "engine/io/file_names.h"
#include "engine/io/files.h"
#include "engine/processing.h"

namespace tavrel {

void ProcessNoteInputFile(CommandServices& services) {
    const auto inputPath =
        services.prompts.ChooseFile(NoteInputFileDialog("INP Files - Open", true));
    if (!inputPath) {
        return;
    }
    if (!NoteInputFileExists(*inputPath)) {
        services.prompts.ShowCritical(std::string(kInputMissingMessage));
        return;
    }
    const std::string outputPath = CadTextPathFor(*inputPath);
    if (IsSameFile(*inputPath, outputPath)) {
        services.prompts.ShowCritical(std::string(kOutputIsInputMessage));
        return;
    }
    if (NoteInputFileExists(outputPath) &&
        !services.prompts.AskOkCancel("Output file " + outputPath + " exists..overwrite?")) {
        return;
    }
    const ProcessOutcome outcome = ProcessNoteInputFileTo(
        *inputPath, outputPath, [&services](const RuntimeFailure& failure, std::int64_t) {
            services.errors.Report(failure);
        });
    switch (outcome.status) {
        case ProcessStatus::kDone:
            if (const auto failure = services.editor.ViewInEditor(outputPath)) {
                services.errors.Report(*failure);
            }
            return;
        case ProcessStatus::kInputMissing:
        case ProcessStatus::kEmpty:
        case ProcessStatus::kInvalid:
            services.prompts.ShowCritical(outcome.message);
            return;
        case ProcessStatus::kIoFailure:
            services.errors.Report(outcome.failure);
            return;
    }
}

}  // namespace tavrel
