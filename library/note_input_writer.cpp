#include "library/note_input_writer.h"

#include "engine/note_input_blocks.h"
#include "engine/text/text_utils.h"

namespace tavrel {
namespace {

// Each block is one write: its lines joined by CR, then CR LF.
void WriteBlock(std::string& file, std::string_view block) {
    file.append(block);
    file.append(kItemEnd);
}

std::string FailedNoteLine(const std::string& noteName) {
    return "=============Failed to find note " + noteName + "=============" + CarriageReturn;
}

}  // namespace

std::string ComposeNoteInputFile(const NoteTables& tables, const NoteListModel& lists,
                                 const ProjectLines& projectLines) {
    std::string file;
    WriteBlock(file, BuildDefaultStatements());
    WriteBlock(file, BuildCadHeader(IsEnglish(lists.units())));
    const std::string projectBlock = BuildProjectBlock(projectLines);
    bool nothingWrittenYet = projectBlock.empty();
    if (!nothingWrittenYet) {
        WriteBlock(file, projectBlock);
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
                WriteBlock(file, FailedNoteLine(entry.key));
                continue;
            }
            if (listView != previousListView) {
                const std::string header(SectionTable()[listView].header);
                WriteBlock(file, BuildSectionHeader(header, nothingWrittenYet));
                nothingWrittenYet = false;
            }
            previousListView = listView;
            WriteBlock(file, StripTrailingBreaks(*text));
        }
    }
    return file;
}

}  // namespace tavrel
