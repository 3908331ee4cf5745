#include "library/sheet/sheet_preview.h"

#include <algorithm>

#include "engine/layout/block_layout.h"
#include "engine/text/line_splitter.h"
#include "engine/text/text_utils.h"
#include "library/formats/note_input_file.h"

namespace tavrel {
namespace {

// The list as the user finds it: its caption, with the category where two tabs share it.
std::string ListName(int listView) {
    const Section& section = SectionTable()[static_cast<std::size_t>(listView)];
    const std::string label(section.label);
    return section.category == NoteCategory::Hydraulic ? "Hydraulic " + label : label;
}

// The statement fault without its "..Line:  N" tail: the place is named before it.
std::string_view WithoutLineNumber(std::string_view message) {
    const std::size_t tail = message.rfind("..Line:  ");
    return tail == std::string_view::npos ? message : message.substr(0, tail);
}

// The line of a note's text that opens the block it leaves open: the last opening statement
// not followed by its end.
std::int64_t OpeningLine(std::string_view text) {
    LineSplitter lines(text);
    std::int64_t opening = 1;
    std::string_view end;
    for (std::int64_t at = 1; const auto line = lines.Next(); ++at) {
        const std::string statement = ToUpperAscii(TrimSpaces(*line));
        if (end.empty() && (statement == "[WORD WRAP]" || statement == "[LITERAL]")) {
            opening = at;
            end = statement == "[LITERAL]" ? "[END LITERAL]" : "[END WORD WRAP]";
        } else if (!end.empty() && statement == end) {
            end = {};
        }
    }
    return opening;
}

SheetFault DescribeFault(const ComposedBlock& block, std::int64_t lineInBlock,
                         const ProjectLines& projectLines, std::string_view message) {
    const std::string what = std::string(WithoutLineNumber(message));
    const std::string at = ", line " + std::to_string(lineInBlock) + ": " + what;
    SheetFault fault;
    switch (block.kind) {
        case ComposedBlockKind::kNote:
        case ComposedBlockKind::kMissingNote:
            fault.listView = block.listView;
            fault.noteName = block.noteName;
            fault.description = ListName(block.listView) + ", " + block.noteName + at;
            break;
        case ComposedBlockKind::kProjectLines:
            fault.projectLine = ProjectLineOfBlockLine(projectLines, lineInBlock);
            fault.description =
                fault.projectLine < 0
                    ? "Project lines" + at
                    : "Project line " + std::to_string(fault.projectLine + 1) + ": " + what;
            break;
        case ComposedBlockKind::kSectionHeader:
            fault.description = ListName(block.listView) + " section header" + at;
            break;
        case ComposedBlockKind::kPreamble:
            fault.description = "Sheet preamble" + at;
            break;
    }
    return fault;
}

}  // namespace

void SheetPreview::Make(const NoteTables& tables, const NoteLists& lists,
                        const ProjectLines& projectLines) {
    ComposeNoteInputFile(tables, lists, projectLines, noteInput_, &blocks_);
    cadText_.clear();
    cadText_.reserve(noteInput_.size() * 2);  // laid out, a sheet seldom grows more
    const ByteSink toCadText = [this](std::string_view bytes) { cadText_.append(bytes); };
    const ProcessOutcome outcome =
        ProcessNoteInput(InputBytes{noteInput_}, toCadText, {}, &origins_);
    items_.clear();
    text_.clear();
    lineCount_ = 0;
    fault_.reset();
    if (outcome.status == ProcessStatus::kDone) {
        TakeItems();
    } else if (outcome.status == ProcessStatus::kInvalid) {
        fault_ = PlaceFault(tables, outcome, projectLines);
    } else {
        fault_.emplace();
        fault_->description =
            outcome.message.empty() ? outcome.failure.description : outcome.message;
    }
}

// A note's own fault, when its text fails validation by itself.
std::optional<ProcessOutcome> SheetPreview::OwnFault(const NoteTables& tables,
                                                     const ComposedBlock& block) {
    if (block.kind != ComposedBlockKind::kNote) {
        return std::nullopt;
    }
    const std::string text =
        tables.FindNote(CategoryOfListView(block.listView), block.noteName).value_or("");
    ProcessOutcome alone = ProcessNoteInput(InputBytes{text}, CheckOnly{});
    return alone.status == ProcessStatus::kInvalid ? std::optional(std::move(alone)) : std::nullopt;
}

// The fault lies in the block that holds its line (the last one when it lies past the end, a
// block left open). When that block is sound by itself, an earlier note left a block open:
// the nearest note that fails by itself is named. A block left open is named at the line that
// opens it, with the fault and line processing reports, which lie further on.
SheetFault SheetPreview::PlaceFault(const NoteTables& tables, const ProcessOutcome& outcome,
                                    const ProjectLines& projectLines) const {
    const auto after = std::upper_bound(
        blocks_.begin(), blocks_.end(), outcome.line,
        [](std::int64_t line, const ComposedBlock& block) { return line < block.firstLine; });
    const std::size_t at = static_cast<std::size_t>(after - blocks_.begin()) - 1;
    std::optional<ProcessOutcome> own = OwnFault(tables, blocks_[at]);
    std::size_t culprit = at;
    if (blocks_[at].kind != ComposedBlockKind::kProjectLines && !own) {
        while (culprit-- > 0 && !(own = OwnFault(tables, blocks_[culprit]))) {
        }
    }
    if (!own) {
        return DescribeFault(blocks_[at], outcome.line - blocks_[at].firstLine + 1, projectLines,
                             outcome.message);
    }
    const ComposedBlock& note = blocks_[culprit];
    if (own->line <= note.lineCount) {
        return DescribeFault(note, own->line, projectLines, own->message);
    }
    const std::string text =
        tables.FindNote(CategoryOfListView(note.listView), note.noteName).value_or("");
    return DescribeFault(note, OpeningLine(text), projectLines,
                         "block left open; processing stops at line " +
                             std::to_string(outcome.line) + ": " +
                             std::string(WithoutLineNumber(outcome.message)));
}

// Lays the items out as lines, each item taking the block that holds its statement line.
void SheetPreview::TakeItems() {
    const std::string_view cadText = cadText_;
    const std::vector<ItemOrigin>& origins = origins_;
    text_.reserve(cadText.size());
    items_.reserve(origins.size());
    std::size_t block = 0;
    for (std::size_t i = 0; i < origins.size(); ++i) {
        const ItemOrigin& origin = origins[i];
        while (block + 1 < blocks_.size() && blocks_[block + 1].firstLine <= origin.inputLine) {
            ++block;
        }
        items_.push_back({lineCount_, origin.rightMargin, block});
        const std::size_t end =
            i + 1 < origins.size() ? origins[i + 1].outputOffset : cadText.size();
        LineSplitter lines(cadText.substr(origin.outputOffset, end - origin.outputOffset));
        while (const auto line = lines.Next()) {
            if (lineCount_++ > 0) {
                text_ += '\n';
            }
            text_ += *line;
        }
    }
}

const SheetPreview::Item* SheetPreview::ItemAtLine(std::size_t line) const {
    if (line >= lineCount_) {
        return nullptr;
    }
    const auto after = std::upper_bound(
        items_.begin(), items_.end(), line,
        [](std::size_t wanted, const Item& item) { return wanted < item.firstLine; });
    return &*(after - 1);  // the first item starts at line 0
}

const ComposedBlock* SheetPreview::BlockAtLine(std::size_t line) const {
    const Item* item = ItemAtLine(line);
    return item == nullptr ? nullptr : &blocks_[item->block];
}

std::optional<SheetLines> SheetPreview::LinesOf(int listView, std::string_view noteName) const {
    const auto isNote = [&](const Item& item) {
        const ComposedBlock& block = blocks_[item.block];
        return block.listView == listView && block.noteName == noteName;
    };
    const auto first = std::find_if(items_.begin(), items_.end(), isNote);
    if (first == items_.end()) {
        return std::nullopt;
    }
    const auto after = std::find_if(first, items_.end(),
                                    [&](const Item& item) { return item.block != first->block; });
    const std::size_t end = after == items_.end() ? lineCount_ : after->firstLine;
    return SheetLines{first->firstLine, end - first->firstLine};
}

std::int16_t SheetPreview::RightMarginAtLine(std::size_t line) const {
    const Item* item = ItemAtLine(line);
    return item == nullptr ? LayoutSettings{}.rightMargin : item->rightMargin;
}

}  // namespace tavrel
