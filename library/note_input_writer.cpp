#include "library/note_input_writer.h"

#include "engine/note_input_blocks.h"
#include "engine/text/line_splitter.h"
#include "engine/text/text_utils.h"

namespace tavrel {
namespace {

std::string FailedNoteLine(const std::string& noteName) {
    return "=============Failed to find note " + noteName + "=============" + CarriageReturn;
}

// Appends blocks to the file and, when asked, notes where each one stands.
class BlockWriter {
  public:
    BlockWriter(std::string& file, std::vector<ComposedBlock>* blocks)
        : file_(file), blocks_(blocks) {
        if (blocks_ != nullptr) {
            blocks_->clear();
        }
    }

    // Each block is one write: its lines joined by CR, then CR LF.
    void Write(std::string_view block, ComposedBlockKind kind, int listView = -1,
               const std::string& noteName = {}) {
        const std::size_t start = file_.size();
        file_.append(block);
        file_.append(kItemEnd);
        if (blocks_ == nullptr) {
            return;
        }
        std::int64_t lineCount = 0;
        for (LineSplitter lines(std::string_view(file_).substr(start)); lines.Next();) {
            ++lineCount;
        }
        blocks_->push_back({kind, nextLine_, lineCount, listView, noteName});
        nextLine_ += lineCount;
    }

  private:
    std::string& file_;
    std::vector<ComposedBlock>* blocks_;
    std::int64_t nextLine_ = 1;
};

}  // namespace

std::string ComposeNoteInputFile(const NoteTables& tables, const NoteListModel& lists,
                                 const ProjectLines& projectLines,
                                 std::vector<ComposedBlock>* blocks) {
    using enum ComposedBlockKind;
    std::string file;
    BlockWriter writer(file, blocks);
    writer.Write(BuildDefaultStatements(), kPreamble);
    writer.Write(BuildCadHeader(IsEnglish(lists.units())), kPreamble);
    const std::string projectBlock = BuildProjectBlock(projectLines);
    bool nothingWrittenYet = projectBlock.empty();
    if (!nothingWrittenYet) {
        writer.Write(projectBlock, kProjectLines);
    }
    int previousListView = -1;
    for (int listView = lists.firstListView(); listView <= lists.lastListView(); ++listView) {
        const NoteCategory category = CategoryOfListView(listView);
        for (const NoteEntry& entry : lists.Entries(listView)) {
            if (!entry.ticked) {
                continue;
            }
            const std::optional<std::string> text = tables.FindNote(category, entry.key);
            if (!text || TrimSpaces(*text).empty()) {
                writer.Write(FailedNoteLine(entry.key), kMissingNote, listView, entry.key);
                continue;
            }
            if (listView != previousListView) {
                const std::string header(SectionTable()[listView].header);
                writer.Write(BuildSectionHeader(header, nothingWrittenYet), kSectionHeader,
                             listView);
                nothingWrittenYet = false;
            }
            previousListView = listView;
            writer.Write(StripTrailingBreaks(*text), kNote, listView, entry.key);
        }
    }
    return file;
}

}  // namespace tavrel
