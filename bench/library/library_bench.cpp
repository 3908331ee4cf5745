#include <benchmark/benchmark.h>

#include <string>

#include "bench/library/full_library.h"
#include "engine/io/atomic_file.h"
#include "library/keeping/note_save.h"
#include "library/location/library_location.h"
#include "library/notes/library_check.h"
#include "library/sheet/note_workspace.h"
#include "library/sheet/sheet_identification.h"
#include "library/sheet/sheet_preview.h"

namespace tavrel {
namespace {

class SilentReporter : public ErrorReporter {
  public:
    void ShowErrorBox(std::int32_t, const std::string&) override {}
};

// Reads the bundled English library, lists it, ticks every note and composes the file: the
// whole road from unit selection to the saved bytes.
void LoadAndComposeEveryNote(benchmark::State& state, const std::string& libraryRoot) {
    SilentReporter errors;
    std::size_t bytes = 0;
    for (auto _ : state) {
        NoteWorkspace workspace(libraryRoot);
        if (!workspace.SelectUnits(UnitSystem::English, errors).allRead) {
            state.SkipWithError("library not readable");
            return;
        }
        TickEverything(workspace.lists());
        const std::string file = workspace.ComposeNoteInputFile();
        bytes = file.size();
        benchmark::DoNotOptimize(file.data());
    }
    state.counters["inp_bytes"] = static_cast<double>(bytes);
}

void BM_BundledLoadAndComposeEveryNote(benchmark::State& state) {
    LoadAndComposeEveryNote(state, TAVREL_BUILD_LIBRARY_DIR);
}
BENCHMARK(BM_BundledLoadAndComposeEveryNote)->Unit(benchmark::kMicrosecond);

void BM_FullLibraryLoadAndComposeEveryNote(benchmark::State& state) {
    const FullLibrary library;
    LoadAndComposeEveryNote(state, library.root());
}
BENCHMARK(BM_FullLibraryLoadAndComposeEveryNote)->Unit(benchmark::kMicrosecond);

// The "Show Note Numbers" toggle on a full library: save ticks, empty, refill, restore.
void BM_FullLibraryRebuildKeepingTicks(benchmark::State& state) {
    const FullLibrary library;
    SilentReporter errors;
    NoteWorkspace workspace(library.root());
    workspace.SelectUnits(UnitSystem::English, errors);
    TickEverything(workspace.lists());
    bool show = false;
    for (auto _ : state) {
        show = !show;
        workspace.ShowNoteNumbers(show);
        benchmark::DoNotOptimize(workspace.lists().Entries(5).data());
    }
}
BENCHMARK(BM_FullLibraryRebuildKeepingTicks)->Unit(benchmark::kMicrosecond);

// The sheet pane's refresh on a full library with every note ticked: compose the note input
// file with its blocks, process it in memory with the item origins, lay the lines out, in the
// room of the sheet made before, as the pane does.
void BM_FullLibrarySheetRefresh(benchmark::State& state) {
    const FullLibrary library;
    SilentReporter errors;
    NoteWorkspace workspace(library.root());
    workspace.SelectUnits(UnitSystem::English, errors);
    TickEverything(workspace.lists());
    workspace.SetProjectLine(0, "Route 9 over Elm Creek");
    SheetPreview sheet;
    for (auto _ : state) {
        sheet.Make(workspace.tables(), workspace.lists(), workspace.projectLines());
        benchmark::DoNotOptimize(sheet.text().data());
    }
    state.counters["sheet_lines"] = static_cast<double>(sheet.lineCount());
}
BENCHMARK(BM_FullLibrarySheetRefresh)->Unit(benchmark::kMicrosecond);

// Every note ticked and saved: the sheet identify reads, and the notes it should find.
std::string SheetWithEveryNote(const std::string& libraryRoot, std::size_t& notes) {
    SilentReporter errors;
    NoteWorkspace workspace(libraryRoot);
    workspace.SelectUnits(UnitSystem::English, errors);
    TickEverything(workspace.lists());
    notes = static_cast<std::size_t>(workspace.TickedCount());
    return workspace.ComposeNoteInputFile();
}

// What `tavrel identify` does once the sheet is read: take its units, read the library of those
// units and recognise every note. `editEveryOtherNote` changes one line of every second note, so
// that each of those is a block compared with all the notes of its section.
void IdentifyEveryNote(benchmark::State& state, bool editEveryOtherNote) {
    const FullLibrary library;
    std::size_t ticked = 0;
    std::string sheet = SheetWithEveryNote(library.root(), ticked);
    bool edit = true;
    for (auto at = sheet.find(" for line 7 "); editEveryOtherNote && at != std::string::npos;
         at = sheet.find(" for line 7 ", at + 1)) {
        sheet[at + 1] = edit ? 'F' : 'f';
        edit = !edit;
    }
    SilentReporter errors;
    std::size_t found = 0;
    for (auto _ : state) {
        NoteTables tables;
        LoadUnitSystem(tables, ReadSheetUnits(sheet).units, library.root(), errors);
        const SheetIdentification identified = IdentifySheet(sheet, tables);
        found = identified.notes.size() + identified.unrecognised.size();
        benchmark::DoNotOptimize(identified.notes.data());
    }
    if (found != ticked) {
        state.SkipWithError("not every note was found");
    }
    state.counters["notes"] = static_cast<double>(found);
    state.counters["inp_bytes"] = static_cast<double>(sheet.size());
}

void BM_FullLibraryIdentifyEveryNote(benchmark::State& state) {
    IdentifyEveryNote(state, false);
}
BENCHMARK(BM_FullLibraryIdentifyEveryNote)->Unit(benchmark::kMicrosecond);

void BM_FullLibraryIdentifyHalfTheNotesEdited(benchmark::State& state) {
    IdentifyEveryNote(state, true);
}
BENCHMARK(BM_FullLibraryIdentifyHalfTheNotesEdited)->Unit(benchmark::kMicrosecond);

// What `tavrel lint` does: read and check the three reference files.
void BM_FullLibraryLint(benchmark::State& state) {
    const FullLibrary library;
    std::size_t findings = 0;
    for (auto _ : state) {
        const LibraryCheck check = CheckLibrary(library.root(), UnitSystem::English);
        findings = check.findings.size();
        benchmark::DoNotOptimize(check.findings.data());
    }
    if (findings != 0) {
        state.SkipWithError("the generated library should check clean");
    }
}
BENCHMARK(BM_FullLibraryLint)->Unit(benchmark::kMicrosecond);

// A keeper's save of the full bridge file while another keeper saved a change to another note
// since it was read: lock, re-read, merge by note, check the changed note, replace the file
// (synced to disk) through the atomic writer. Each round first puts the other keeper's version
// on disk, untimed.
void BM_FullFileSaveWithMerge(benchmark::State& state) {
    const FullLibrary library;
    const std::string path =
        ReferenceFilePath(library.root(), UnitSystem::English, NoteCategory::Bridge);
    ReadReferenceFile base;
    if (ReadForKeeping(path, NoteCategory::Bridge, base)) {
        state.SkipWithError("full library not readable");
        return;
    }
    const auto changed = [&base](std::size_t note, const char* text) {
        ReferenceFile file = base.file;
        file.notes[note] = MakeReferenceNote(file.notes[note].markerLine, text, file.lineEnd);
        return file;
    };
    const ReferenceFile mine = changed(74, "[WORD WRAP]\rChanged here.\r[END WORD WRAP]\r");
    const std::string theirs =
        ReferenceFileBytes(changed(20, "[WORD WRAP]\rChanged on disk.\r[END WORD WRAP]\r"));
    for (auto _ : state) {
        state.PauseTiming();
        AtomicFileWriter other(path);
        other.Open();
        other.Write(theirs);
        other.Commit();
        state.ResumeTiming();
        const SaveOutcome outcome = SaveReferenceChanges(base, mine, false);
        if (outcome.status != SaveStatus::kSaved) {
            state.SkipWithError("the save did not merge");
            return;
        }
    }
    state.counters["file_bytes"] = static_cast<double>(base.bytes.size());
}
BENCHMARK(BM_FullFileSaveWithMerge)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tavrel
