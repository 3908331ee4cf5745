#include "library/sheet/note_input_writer.h"

#include <optional>
#include <unordered_map>

#include "engine/text/line_splitter.h"
#include "engine/text/text_utils.h"
#include "library/formats/note_input_file.h"
#include "library/notes/note_names.h"

namespace tavrel {
namespace {

// The texts of the notes by name: the lookup of NoteTables::FindNote (the first note of a name,
// in any letter case), with each table's names read once rather than once per ticked note.
class NoteTexts {
  public:
    explicit NoteTexts(const NoteTables& tables) : tables_(tables) {}

    const std::string* Find(NoteCategory category, const std::string& noteName) {
        auto& byName = byName_[static_cast<std::size_t>(category)];
        if (!byName) {
            byName.emplace();
            for (const NoteRow& row : tables_.Rows(category)) {
                if (!row.markerLine.empty()) {
                    byName->emplace(GetNoteName(row.markerLine), &row.noteText);
                }
            }
        }
        const auto found = byName->find(ToUpperAscii(noteName));
        return found == byName->end() ? nullptr : found->second;
    }

  private:
    const NoteTables& tables_;
    std::array<std::optional<std::unordered_map<std::string, const std::string*>>, kCategoryCount>
        byName_;
};

// Room for the whole file: the preamble and headers, and every note at most once.
std::size_t RoomNeeded(const NoteTables& tables) {
    std::size_t room = 4096;
    for (const NoteCategory category :
         {NoteCategory::Bridge, NoteCategory::Hydraulic, NoteCategory::Wall}) {
        for (const NoteRow& row : tables.Rows(category)) {
            room += row.noteText.size() + 128;
        }
    }
    return room;
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

std::string ComposeNoteInputFile(const NoteTables& tables, const NoteLists& lists,
                                 const ProjectLines& projectLines,
                                 std::vector<ComposedBlock>* blocks) {
    std::string file;
    ComposeNoteInputFile(tables, lists, projectLines, file, blocks);
    return file;
}

void ComposeNoteInputFile(const NoteTables& tables, const NoteLists& lists,
                          const ProjectLines& projectLines, std::string& file,
                          std::vector<ComposedBlock>* blocks) {
    using enum ComposedBlockKind;
    file.clear();
    file.reserve(RoomNeeded(tables));
    BlockWriter writer(file, blocks);
    NoteTexts texts(tables);
    writer.Write(DefaultStatements(), kPreamble);
    writer.Write(CadHeader(lists.units()), kPreamble);
    const std::string projectBlock = ProjectBlock(projectLines);
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
            const std::string* text = texts.Find(category, entry.key);
            if (text == nullptr || TrimSpaces(*text).empty()) {
                writer.Write(FailedNoteLine(entry.key), kMissingNote, listView, entry.key);
                continue;
            }
            if (listView != previousListView) {
                writer.Write(SectionHeaderBlock(SectionTable()[listView].header, nothingWrittenYet),
                             kSectionHeader, listView);
                nothingWrittenYet = false;
            }
            previousListView = listView;
            writer.Write(StripTrailingBreaks(*text), kNote, listView, entry.key);
        }
    }
}

}  // namespace tavrel
