#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "engine/statements/statement_scanner.h"
#include "engine/io/files.h"
#include "engine/runtime_failure.h"

namespace tavrel {

class clsTextParse;

inline constexpr std::string_view kEmptyInputMessage = "Error..Note input file is empty.";
inline constexpr std::string_view kInputMissingMessage = "Error...file not found...terminating";
// A note input file named *.txt would be replaced by its own CAD text file.
inline constexpr std::string_view kOutputIsInputMessage =
    "Error...output file is the note input file itself...terminating";

enum class ProcessStatus {
    kDone,
    kInputMissing,
    kEmpty,      // message: kEmptyInputMessage
    kInvalid,    // message: the scanner's FormatStatementError; line: where it was found
    kIoFailure,  // failure: what could not be read or written
};

struct ProcessOutcome {
    ProcessStatus status = ProcessStatus::kDone;
    std::string message;
    std::int64_t line = 0;
    RuntimeFailure failure;
};

// Receives the engine's unexpected failures (an overflowing setting value, say) with the line
// of the note input file they concern, or 0.
using FailureSink = std::function<void(const RuntimeFailure& failure, std::int64_t line)>;
// Receives the bytes of the CAD text file in order.
using ByteSink = std::function<void(std::string_view bytes)>;

// Processing of one note input file's whole text without any user interface: validate first,
// then walk the statements and write one item (followed by CR LF) per statement that produces
// output.
class NoteInputProcessing {
  public:
    NoteInputProcessing(std::string wholeText, FailureSink onFailure);
    // Processes a file's bytes where they lie, line ends as read.
    NoteInputProcessing(NoteInputBytes fileBytes, FailureSink onFailure);
    NoteInputProcessing(const NoteInputProcessing&) = delete;
    NoteInputProcessing& operator=(const NoteInputProcessing&) = delete;

    // kDone, kEmpty or kInvalid.
    ProcessOutcome Validate();
    // Writes the CAD text file's items; only after Validate() gave kDone.
    void WriteItems(const ByteSink& sink);
    // The failure to report when the file's bytes changed since they were loaded: the results
    // of Validate and WriteItems may then rest on a mix of old and new bytes.
    std::optional<RuntimeFailure> InputChanged() const;

  private:
    static constexpr std::size_t kOutputPiece = 1 << 18;

    // Appends the item of the statement just read, followed by CR LF, when it has one.
    void AppendItem(clsTextParse& layout, std::string& output) const;

    // Hands the scanner's and the layout engine's failures on with the line being handled.
    class LineTaggingReporter : public ErrorReporter {
      public:
        LineTaggingReporter(FailureSink sink, const clsFormatBlocks& scanner)
            : sink_(std::move(sink)), scanner_(scanner) {}
        void ShowErrorBox(std::int32_t number, const std::string& description) override;

      private:
        FailureSink sink_;
        const clsFormatBlocks& scanner_;
    };

    std::optional<NoteInputBytes> fileBytes_;  // outlives the scanner, which looks into it
    LineTaggingReporter reporter_;
    clsFormatBlocks scanner_;
};

// Processes a note input file into a CAD text file. Nothing is created before the input has
// passed validation, and the output is written to a temporary file that replaces the target
// only when complete, so a failed run leaves an existing output file as it was.
ProcessOutcome ProcessNoteInputFileTo(const std::string& inputPath, const std::string& outputPath,
                                      const FailureSink& onFailure);

// Reads and validates a note input file without writing anything.
ProcessOutcome CheckNoteInputFile(const std::string& inputPath, const FailureSink& onFailure);

}  // namespace tavrel
