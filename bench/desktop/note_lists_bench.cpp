// The main window's note lists on a full library with every note ticked, offscreen, the bridge
// tab in sight: a keystroke in the find box to the lists filtered, counted and repainted, and a
// refresh of every list from the workspace ("Show Note Numbers").
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QTabWidget>

#include "app/main_window/note_tabs.h"
#include "bench/library/full_library.h"
#include "library/sheet/note_workspace.h"

namespace tavrel {
namespace {

class SilentReporter : public ErrorReporter {
  public:
    void ShowErrorBox(std::int32_t, const std::string&) override {}
};

struct FullLists {
    FullLibrary library;
    SilentReporter errors;
    NoteWorkspace workspace{library.root()};
    NoteTabs tabs{workspace, new QWidget};

    FullLists() {
        workspace.SelectUnits(UnitSystem::English, errors);
        TickEverything(workspace.lists());
        tabs.MakeNoteLists();
        tabs.RefreshLists();
        tabs.EnableTabsOf(UnitSystem::English);
        tabs.findChild<QTabWidget*>(QStringLiteral("noteTabs"))->setCurrentIndex(1);
        tabs.resize(1200, 800);
        tabs.show();
        QApplication::processEvents();
    }
};

// Each round the find text grows by a digit or loses it again: "number 1" and "number 12" keep
// different notes of every list.
void BM_FindKeystrokeFiltersEveryList(benchmark::State& state) {
    FullLists full;
    auto* find = full.tabs.findChild<QLineEdit*>(QStringLiteral("findBox"));
    bool longer = false;
    for (auto _ : state) {
        longer = !longer;
        find->setText(longer ? QStringLiteral("number 12") : QStringLiteral("number 1"));
        QApplication::processEvents();  // the repaint
    }
}
BENCHMARK(BM_FindKeystrokeFiltersEveryList)->Unit(benchmark::kMillisecond);

// Each round the lists are rebuilt with or without note numbers and every list refreshed.
void BM_RefreshEveryList(benchmark::State& state) {
    FullLists full;
    bool numbers = false;
    for (auto _ : state) {
        numbers = !numbers;
        full.workspace.ShowNoteNumbers(numbers);
        full.tabs.RefreshLists();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_RefreshEveryList)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavrel
