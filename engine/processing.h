#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "engine/runtime_failure.h"

namespace tavrel {

inline constexpr std::string_view kEmptyInputMessage = "Error..Note input file is empty.";
inline constexpr std::string_view kInputMissingMessage = "Error...file not found...terminating";
// A note input file named *.txt would be replaced by its own CAD text file.
inline constexpr std::string_view kOutputIsInputMessage =
    "Error...output file is the note input file itself...terminating";

// Told, beside the file's name, when a file holds neither a format statement nor a dot line.
inline constexpr std::string_view kNoStatementMessage =
    "no format statement found; is this a note input file?";

// The note input file to process: a file, read whole once...
struct InputFile {
    std::string path;
};
// ...or bytes already in memory (standard input, a file composed in memory), used where they
// lie for the length of the call.
struct InputBytes {
    std::string_view bytes;
};
using NoteInput = std::variant<InputFile, InputBytes>;

enum class ExistingOutput { kRefuse, kReplace };
// The CAD text file to write. It is written whole to a temporary file beside it and put in
// place only when complete, so no failure leaves a half-written file or destroys an old one.
struct OutputFile {
    std::string path;
    ExistingOutput existing = ExistingOutput::kRefuse;
};
// Receives the CAD text file's bytes in order, in large pieces.
using ByteSink = std::function<void(std::string_view bytes)>;
// No output: validate only.
struct CheckOnly {};
// A file, a sink, a string that is set to the CAD text file's bytes (and left as it was by any
// outcome but kDone), or nothing.
using CadTextOutput = std::variant<OutputFile, ByteSink, std::string*, CheckOnly>;

enum class ProcessStatus {
    kDone,
    kInvalid,        // message: the statement fault, ending in "..Line:  " and `line`
    kEmpty,          // message: kEmptyInputMessage
    kInputMissing,   // message: kInputMissingMessage
    kOutputIsInput,  // message: kOutputIsInputMessage; file: the output file
    kOutputExists,   // the output file exists and may not be replaced; file: the output file
    kIoFailure,      // failure: what went wrong; file: the file it concerns, if a file
};

struct ProcessOutcome {
    ProcessStatus status = ProcessStatus::kDone;
    std::string message;
    std::int64_t line = 0;
    RuntimeFailure failure;
    std::string file;
    // kDone, though the file held neither a format statement nor a dot line (kNoStatementMessage).
    bool noStatement = false;
};

// Receives the unexpected failures behind a fault, such as a setting value too large for a
// number, with the line of the note input file they concern.
using FailureSink = std::function<void(const RuntimeFailure& failure, std::int64_t line)>;

// Where one item of the CAD text came from: its first byte in the CAD text, the line of the note
// input file holding the statement that made it, and the right margin in force for it.
struct ItemOrigin {
    std::size_t outputOffset;
    std::int64_t inputLine;
    std::int16_t rightMargin;
};

// Processes a note input file into a CAD text file: read, validate every statement, walk the
// statements laying out their blocks, write one item (followed by CR LF) for each statement
// that produces output. Nothing is written unless the whole file is valid. When `origins` is
// given, it is set to the origin of every item written, in output order.
ProcessOutcome ProcessNoteInput(const NoteInput& input, const CadTextOutput& output,
                                const FailureSink& onFailure = {},
                                std::vector<ItemOrigin>* origins = nullptr);

}  // namespace tavrel
