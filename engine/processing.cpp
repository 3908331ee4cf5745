#include "engine/processing.h"

#include <new>
#include <optional>
#include <stdexcept>

#include "engine/huge_pages.h"
#include "engine/io/atomic_file.h"
#include "engine/io/files.h"
#include "engine/layout/block_layout.h"
#include "engine/statements/statement_scanner.h"
#include "engine/text/line_splitter.h"
#include "engine/text/text_utils.h"

namespace tavrel {
namespace {

using enum StatementKind;

// Items are handed on in pieces this large: a call per item would cost more than laying it out.
constexpr std::size_t kOutputPiece = std::size_t{1} << 18;

ProcessOutcome Stopped(ProcessStatus status, std::string_view message = {}, std::string file = {}) {
    ProcessOutcome outcome;
    outcome.status = status;
    outcome.message = message;
    outcome.file = std::move(file);
    return outcome;
}

ProcessOutcome IoFailure(const RuntimeFailure& failure, std::string file) {
    ProcessOutcome outcome = Stopped(ProcessStatus::kIoFailure, {}, std::move(file));
    outcome.failure = failure;
    return outcome;
}

// Whether the files allow the run: the input is there, and the output neither is the input nor
// exists when it may not be replaced.
std::optional<ProcessOutcome> RefusedFiles(const InputFile* input, const CadTextOutput& output) {
    if (input != nullptr && !FileExists(input->path)) {
        return Stopped(ProcessStatus::kInputMissing, kInputMissingMessage);
    }
    const auto* target = std::get_if<OutputFile>(&output);
    if (target == nullptr || !FileExists(target->path)) {
        return std::nullopt;
    }
    if (input != nullptr && IsSameFile(input->path, target->path)) {
        return Stopped(ProcessStatus::kOutputIsInput, kOutputIsInputMessage, target->path);
    }
    if (target->existing == ExistingOutput::kRefuse) {
        return Stopped(ProcessStatus::kOutputExists, {}, target->path);
    }
    return std::nullopt;
}

// A literal block's lines as written, separated by single CRs.
void AppendLiteral(std::string_view block, std::string& out) {
    if (block.find('\n') == std::string_view::npos) {
        out += block;  // its lines end in CRs already
        return;
    }
    LineSplitter lines(block);
    for (bool first = true; const auto line = lines.Next(); first = false) {
        if (!first) {
            out += CarriageReturn;
        }
        out += *line;
    }
}

// Appends the statement's item, followed by CR LF, when it has one; a setting changes the
// layout of the blocks that follow.
void AppendItem(const Statement& statement, BlockLayout& layout, std::string& out) {
    LayoutSettings& settings = layout.settings();
    const std::size_t itemStart = out.size();
    switch (statement.kind) {
        case kLiteral:
            AppendLiteral(statement.text, out);
            break;
        case kDotLine:
            out += statement.text;
            break;
        case kWordWrap:
            layout.Wrap(statement.text, out);
            break;
        case kCenter:
        case kCenterHeader:
            layout.Center(statement.text, statement.kind == kCenterHeader, out);
            break;
        case kSpace:
            out += kItemEnd;  // the one statement whose empty item is written
            return;
        case kIndentFirstLine:
            settings.indentFirstLine = statement.value;
            return;
        case kIndentBody:
            settings.indentBody = statement.value;
            return;
        case kLeftMargin:
            settings.leftMargin = statement.value;
            return;
        case kRightMargin:
            settings.rightMargin = statement.value;
            return;
        case kLineSpacing:
            settings.lineSpacing = statement.value;
            return;
        case kEndLiteral:
        case kEndWordWrap:
            return;
    }
    // An item of nothing but blanks is not written.
    if (TrimSpaces(std::string_view(out).substr(itemStart)).empty()) {
        out.resize(itemStart);
    } else {
        out += kItemEnd;
    }
}

// Walks the validated statements, laying out each block with the settings that the statements
// before it set, and appends the items to `out`; a sink takes them over in large pieces.
void WriteItems(StatementScanner& scanner, std::string& out, const ByteSink* sink,
                std::vector<ItemOrigin>* origins) {
    BlockLayout layout;
    if (sink != nullptr) {
        out.reserve(kOutputPiece + kOutputPiece / 4);
    }
    std::size_t handedOn = 0;  // bytes already taken over by the sink
    while (const auto statement = scanner.Next()) {
        const std::size_t itemStart = out.size();
        AppendItem(*statement, layout, out);
        if (origins != nullptr && out.size() != itemStart) {
            origins->push_back(
                {handedOn + itemStart, statement->line, layout.settings().rightMargin});
        }
        if (sink != nullptr && out.size() >= kOutputPiece) {
            (*sink)(out);
            handedOn += out.size();
            out.clear();
        }
    }
    if (sink != nullptr && !out.empty()) {
        (*sink)(out);
    }
}

ProcessOutcome WriteCadText(StatementScanner& scanner, std::size_t inputSize,
                            const CadTextOutput& output, std::vector<ItemOrigin>* origins) {
    if (const auto* target = std::get_if<OutputFile>(&output)) {
        AtomicFileWriter writer(target->path, target->existing == ExistingOutput::kReplace
                                                  ? AtomicFileWriter::Existing::kReplace
                                                  : AtomicFileWriter::Existing::kKeep);
        if (const auto failure = writer.Open()) {
            return IoFailure(*failure, target->path);
        }
        const ByteSink toFile = [&writer](std::string_view bytes) { writer.Write(bytes); };
        std::string piece;
        WriteItems(scanner, piece, &toFile, origins);
        if (const auto failure = writer.Commit()) {
            // Another program made the file while this one wrote it.
            if (writer.targetAppeared()) {
                return Stopped(ProcessStatus::kOutputExists, {}, target->path);
            }
            return IoFailure(*failure, target->path);
        }
    } else if (const auto* sink = std::get_if<ByteSink>(&output)) {
        std::string piece;
        WriteItems(scanner, piece, sink, origins);
    } else if (std::string* const* text = std::get_if<std::string*>(&output)) {
        std::string written;
        written.reserve(inputSize);  // about the size of the CAD text, so it seldom moves
        OfferHugePages(written.data(), written.capacity());
        WriteItems(scanner, written, nullptr, origins);
        **text = std::move(written);
    }
    return {};
}

ProcessOutcome Process(const NoteInput& input, const CadTextOutput& output,
                       const FailureSink& onFailure, std::vector<ItemOrigin>* origins) {
    const auto* file = std::get_if<InputFile>(&input);
    if (auto refused = RefusedFiles(file, output)) {
        return *refused;
    }
    std::string read;
    if (file != nullptr) {
        if (const auto failure = ReadWholeFile(file->path, read)) {
            return IoFailure(*failure, file->path);
        }
    }
    const std::string_view bytes = file != nullptr ? read : std::get<InputBytes>(input).bytes;
    if (bytes.empty()) {
        return Stopped(ProcessStatus::kEmpty, kEmptyInputMessage);
    }
    StatementScanner scanner(bytes);
    if (const auto error = scanner.Validate()) {
        if (error->failure && onFailure) {
            onFailure(*error->failure, error->line);
        }
        ProcessOutcome invalid = Stopped(ProcessStatus::kInvalid, error->message);
        invalid.line = error->line;
        return invalid;
    }
    ProcessOutcome outcome = WriteCadText(scanner, bytes.size(), output, origins);
    outcome.noStatement = outcome.status == ProcessStatus::kDone && !scanner.HasStatementLines();
    return outcome;
}

// Nothing was put in place: the output file is written whole or not at all.
ProcessOutcome OutOfMemory(const NoteInput& input) {
    const auto* file = std::get_if<InputFile>(&input);
    return IoFailure(failures::OutOfMemory(), file != nullptr ? file->path : std::string());
}

}  // namespace

ProcessOutcome ProcessNoteInput(const NoteInput& input, const CadTextOutput& output,
                                const FailureSink& onFailure, std::vector<ItemOrigin>* origins) {
    if (origins != nullptr) {
        origins->clear();
    }
    ProcessOutcome outcome;
    try {
        outcome = Process(input, output, onFailure, origins);
    } catch (const std::bad_alloc&) {
        outcome = OutOfMemory(input);
    } catch (const std::length_error&) {
        outcome = OutOfMemory(input);
    }
    if (origins != nullptr && outcome.status != ProcessStatus::kDone) {
        origins->clear();  // nothing was written
    }
    return outcome;
}

}  // namespace tavrel
