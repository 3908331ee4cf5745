#include <benchmark/benchmark.h>

#include <string>

#include "bench/library/full_library.h"
#include "library/library_location.h"
#include "library/note_workspace.h"
#include "library/sheet_preview.h"

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

}  // namespace
}  // namespace tavrel
