#include "engine/processing.h"

#include <optional>
#include <variant>

#include "engine/io/atomic_file.h"
#include "engine/statements/format_keywords.h"
#include "engine/io/files.h"
#include "engine/layout/block_layout.h"
#include "engine/text/text_utils.h"

namespace tavrel {
namespace {

using namespace keywords;

// The settings every run starts from; every note input file states them in its first lines.
void SetStartSettings(clsTextParse& layout) {
    layout.setIndentFirstLine(1);
    layout.setIndentBody(5);
    layout.setLeftMargin(1);
    layout.setRightMargin(80);
    layout.setLineSpacing(1);
}

// Applies a setting statement; any other keyword changes nothing.
void ApplySetting(std::string_view keyword, std::int16_t value, clsTextParse& layout) {
    if (keyword == kIndentFirstLine) {
        layout.setIndentFirstLine(value);
    } else if (keyword == kIndentBody) {
        layout.setIndentBody(value);
    } else if (keyword == kLeftMargin) {
        layout.setLeftMargin(value);
    } else if (keyword == kRightMargin) {
        layout.setRightMargin(value);
    } else if (keyword == kLineSpacing) {
        layout.setLineSpacing(value);
    }
}

ProcessOutcome Stopped(ProcessStatus status, std::string_view message, std::int64_t line = 0) {
    ProcessOutcome outcome;
    outcome.status = status;
    outcome.message = message;
    outcome.line = line;
    return outcome;
}

ProcessOutcome IoFailure(const RuntimeFailure& failure) {
    ProcessOutcome outcome;
    outcome.status = ProcessStatus::kIoFailure;
    outcome.failure = failure;
    return outcome;
}

// Reads and validates; on kDone `processing` is ready to walk the statements.
ProcessOutcome ReadAndValidate(const std::string& inputPath, const FailureSink& onFailure,
                               std::optional<NoteInputProcessing>& processing) {
    if (!NoteInputFileExists(inputPath)) {
        return Stopped(ProcessStatus::kInputMissing, kInputMissingMessage);
    }
    auto loaded = LoadNoteInputBytes(inputPath);
    if (const auto* failure = std::get_if<RuntimeFailure>(&loaded)) {
        return IoFailure(*failure);
    }
    processing.emplace(std::move(std::get<NoteInputBytes>(loaded)), onFailure);
    const ProcessOutcome outcome = processing->Validate();
    if (const auto changed = processing->InputChanged()) {
        return IoFailure(*changed);
    }
    return outcome;
}

}  // namespace

void NoteInputProcessing::LineTaggingReporter::ShowErrorBox(std::int32_t number,
                                                            const std::string& description) {
    if (sink_) {
        sink_({number, description}, scanner_.CurrentLine());
    }
}

NoteInputProcessing::NoteInputProcessing(std::string wholeText, FailureSink onFailure)
    : reporter_(std::move(onFailure), scanner_), scanner_(reporter_) {
    scanner_.setText(std::move(wholeText));
}

NoteInputProcessing::NoteInputProcessing(NoteInputBytes fileBytes, FailureSink onFailure)
    : fileBytes_(std::move(fileBytes)),
      reporter_(std::move(onFailure), scanner_),
      scanner_(reporter_) {
    scanner_.setFileBytes(fileBytes_->bytes());
}

std::optional<RuntimeFailure> NoteInputProcessing::InputChanged() const {
    return fileBytes_ ? fileBytes_->ChangedSinceLoaded() : std::nullopt;
}

ProcessOutcome NoteInputProcessing::Validate() {
    if (scanner_.ScannedBytes().empty()) {
        return Stopped(ProcessStatus::kEmpty, kEmptyInputMessage);
    }
    if (scanner_.IsValidFormatFlags()) {
        return {};
    }
    if (scanner_.FormatStatementError().empty()) {
        // Validation itself failed; the reporter has already said why.
        return IoFailure(failures::OutOfMemory());
    }
    return Stopped(ProcessStatus::kInvalid, scanner_.FormatStatementError(), scanner_.ErrorLine());
}

void NoteInputProcessing::WriteItems(const ByteSink& sink) {
    clsTextParse layout(reporter_);
    SetStartSettings(layout);
    // Items are gathered and handed on in large pieces: a call per item would cost more than
    // laying the item out.
    std::string output;
    output.reserve(kOutputPiece + kOutputPiece / 4);
    while (scanner_.GetNextFlag()) {
        AppendItem(layout, output);
        if (output.size() >= kOutputPiece) {
            sink(output);
            output.clear();
        }
    }
    if (!output.empty()) {
        sink(output);
    }
}

void NoteInputProcessing::AppendItem(clsTextParse& layout, std::string& output) const {
    const std::string& keyword = scanner_.FlagType();
    const std::size_t itemStart = output.size();
    bool space = false;
    if (keyword == kLiteral || keyword == kDotLine) {
        output += scanner_.BlockTextView();
    } else if (keyword == kWordWrap) {
        layout.AppendWrappedText(scanner_.BlockTextView(), scanner_.BlockLineBreaks(), output);
    } else if (keyword == kCenter || keyword == kCenterHeader) {
        layout.setText(scanner_.BlockTextView());
        output += layout.CenterText(keyword == kCenterHeader);
    } else if (keyword == kSpace) {
        space = true;
    } else {
        ApplySetting(keyword, scanner_.FlagNumber(), layout);
    }
    if (space || !TrimSpaces(std::string_view(output).substr(itemStart)).empty()) {
        output += kItemEnd;
    } else {
        output.resize(itemStart);
    }
}

ProcessOutcome ProcessNoteInputFileTo(const std::string& inputPath, const std::string& outputPath,
                                      const FailureSink& onFailure) {
    std::optional<NoteInputProcessing> processing;
    ProcessOutcome outcome = ReadAndValidate(inputPath, onFailure, processing);
    if (outcome.status != ProcessStatus::kDone) {
        return outcome;
    }
    AtomicFileWriter writer(outputPath);
    if (const auto failure = writer.Open()) {
        return IoFailure(*failure);
    }
    processing->WriteItems([&writer](std::string_view bytes) { writer.Write(bytes); });
    if (const auto changed = processing->InputChanged()) {
        return IoFailure(*changed);  // the temporary file goes with the writer
    }
    if (const auto failure = writer.Commit()) {
        return IoFailure(*failure);
    }
    return outcome;
}

ProcessOutcome CheckNoteInputFile(const std::string& inputPath, const FailureSink& onFailure) {
    std::optional<NoteInputProcessing> processing;
    return ReadAndValidate(inputPath, onFailure, processing);
}

}  // namespace tavrel
