// The sheet pane on a full library with every note ticked: the whole refresh after a change (make
// the sheet, show it) and the showing alone, offscreen.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "app/main_window/sheet_pane.h"
#include "bench/library/full_library.h"
#include "library/sheet/note_workspace.h"

namespace tavrel {
namespace {

class SilentReporter : public ErrorReporter {
  public:
    void ShowErrorBox(std::int32_t, const std::string&) override {}
};

// A full library with every note ticked, in a shown pane.
struct FullSheet {
    FullLibrary library;
    SilentReporter errors;
    NoteWorkspace workspace{library.root()};
    SheetPane pane;

    FullSheet() {
        workspace.SelectUnits(UnitSystem::English, errors);
        TickEverything(workspace.lists());
        pane.resize(700, 900);
        pane.show();
        Refresh();
    }
    void Refresh() {
        pane.Refresh(workspace.tables(), workspace.lists(), workspace.projectLines());
        QApplication::processEvents();  // the repaint
    }
};

// Each round a project line changes, as when typing.
void BM_FullSheetRefreshAfterTyping(benchmark::State& state) {
    FullSheet full;
    int round = 0;
    for (auto _ : state) {
        full.workspace.SetProjectLine(0, "Route " + std::to_string(++round));
        full.Refresh();
    }
    state.counters["lines"] = static_cast<double>(full.pane.sheet().lineCount());
}
BENCHMARK(BM_FullSheetRefreshAfterTyping)->Unit(benchmark::kMillisecond);

// Each round a note in the middle of the sheet is unticked or ticked again.
void BM_FullSheetRefreshAfterTick(benchmark::State& state) {
    FullSheet full;
    bool ticked = true;
    for (auto _ : state) {
        ticked = !ticked;
        full.workspace.SetTicked(kBridgeGeneralNotesListView, 3, ticked);
        full.Refresh();
    }
}
BENCHMARK(BM_FullSheetRefreshAfterTick)->Unit(benchmark::kMillisecond);

// A change that leaves the text as it was ("Show Note Numbers").
void BM_FullSheetRefreshUnchanged(benchmark::State& state) {
    FullSheet full;
    for (auto _ : state) {
        full.Refresh();
    }
}
BENCHMARK(BM_FullSheetRefreshUnchanged)->Unit(benchmark::kMillisecond);

// Every note ticked at once, or all of them cleared: the whole text is replaced.
void BM_FullSheetRefreshAfterAllOrNothing(benchmark::State& state) {
    FullSheet full;
    bool ticked = true;
    for (auto _ : state) {
        ticked = !ticked;
        ticked ? TickEverything(full.workspace.lists()) : full.workspace.lists().UntickAll();
        full.Refresh();
    }
}
BENCHMARK(BM_FullSheetRefreshAfterAllOrNothing)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavrel
