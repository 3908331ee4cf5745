// The library window on a full library, offscreen: opening it, and a keystroke in a note's text
// to the note laid out and checked again and the window repainted.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>

#include "app/library_editor/library_window.h"
#include "bench/library/full_library.h"

namespace tavrel {
namespace {

class SilentKeeper : public KeeperPrompts {
  public:
    int Choose(const std::string&, const std::string&, const std::vector<std::string>&) override {
        return -1;
    }
    std::optional<std::string> Resolve(const std::string&, const std::string&,
                                       const std::string&) override {
        return std::nullopt;
    }
};

void BM_OpenLibraryWindowOnFullLibrary(benchmark::State& state) {
    FullLibrary library;
    SilentKeeper keeper;
    for (auto _ : state) {
        LibraryWindow window(library.root(), &keeper);
        window.show();
        QApplication::processEvents();  // the first paint
    }
}
BENCHMARK(BM_OpenLibraryWindowOnFullLibrary)->Unit(benchmark::kMillisecond);

// Each round a character typed at the end of a bridge note of 20 lines, or taken away again.
void BM_KeystrokeToLaidOutNoteAndFindings(benchmark::State& state) {
    FullLibrary library;
    SilentKeeper keeper;
    LibraryWindow window(library.root(), &keeper);
    window.show();
    window.SelectNote({0, 75});
    auto* editor = window.findChild<QPlainTextEdit*>(QStringLiteral("noteText"));
    editor->moveCursor(QTextCursor::End);
    QApplication::processEvents();
    bool typed = false;
    for (auto _ : state) {
        typed = !typed;
        QKeyEvent key(QEvent::KeyPress, typed ? Qt::Key_X : Qt::Key_Backspace, Qt::NoModifier,
                      typed ? QStringLiteral("x") : QString());
        QApplication::sendEvent(editor, &key);
        QApplication::processEvents();  // the repaint
    }
    state.counters["steps"] = static_cast<double>(window.undoStack().count());
}
BENCHMARK(BM_KeystrokeToLaidOutNoteAndFindings)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavrel
