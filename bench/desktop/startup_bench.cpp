// How long the main window takes to appear, against a bare main window of the same size, in one
// run, offscreen. Each start is a fresh process (the same program, told which window to show)
// that makes its application, constructs the window, shows it, and says so as soon as its first
// frame has been painted; the time runs from starting the process to that word, as a user waits
// from launch to window. What the window leaves for after its first frame is not counted. The two
// are started in turn, after a warm-up of each, and the medians compared. The window's own part, a
// second window in a warm process, is measured too.
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QSettings>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "app/main_window/main_window.h"
#include "app/main_window/sheet_pane.h"

extern char** environ;

namespace tavrel {
namespace {

// Nobody answers: the benchmark asks nothing.
class NoPrompts : public WindowPrompts {
  public:
    std::optional<std::string> ChooseFile(const FileDialogRequest&) override { return {}; }
    bool AskOkCancel(const std::string&) override { return false; }
    void ShowCritical(const std::string&) override {}
    void ShowInformation(const std::string&) override {}
    bool AskYesNo(const std::string&, const std::string&) override { return false; }
    void ShowMessage(const std::string&) override {}
    std::optional<std::string> ChooseFolder(const std::string&, const std::string&) override {
        return {};
    }
    std::size_t AskChoice(const std::string&, const std::string&,
                          const std::vector<std::string>& buttons) override {
        return buttons.size() - 1;
    }
};
class NoEditor : public EditorLauncher {
  public:
    std::optional<RuntimeFailure> ViewInEditor(const std::string&) override { return {}; }
};
class NoViewer : public DocumentViewer {
  public:
    bool OpenDocument(const std::string&) override { return true; }
};
class NoErrors : public ErrorReporter {
  public:
    void ShowErrorBox(std::int32_t, const std::string&) override {}
};

// Notes the first paint of the window it watches.
class PaintWatch : public QObject {
  public:
    bool painted = false;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        painted = painted || event->type() == QEvent::Paint;
        return false;
    }
};

// Milliseconds from construction until the window has been painted.
double TimeToFirstPaint(const std::function<std::unique_ptr<QMainWindow>()>& make) {
    QElapsedTimer clock;
    clock.start();
    std::unique_ptr<QMainWindow> window = make();
    PaintWatch watch;
    window->installEventFilter(&watch);
    window->show();
    while (!watch.painted) {
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    const double elapsed = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    window.reset();
    QApplication::processEvents();
    return elapsed;
}

double Median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

struct Windows {
    NoPrompts prompts;
    NoEditor editor;
    NoErrors errors;
    NoViewer viewer;

    static std::unique_ptr<QMainWindow> Bare() {
        auto window = std::make_unique<QMainWindow>();
        window->resize(825, 700);
        return window;
    }
    // The frame the main window cannot do without, none of its own work: a menu bar, a toolbar,
    // tabs with three line edits on the first, a status bar. What such a frame costs over a bare
    // window bounds what the main window can reach.
    static std::unique_ptr<QMainWindow> Frame() {
        auto window = Bare();
        for (const char* menu : {"&File", "&Edit", "&View", "&Help"}) {
            window->menuBar()
                ->addMenu(QString::fromLatin1(menu))
                ->addAction(QStringLiteral("Item"));
        }
        QToolBar* tools = window->addToolBar(QStringLiteral("Commands"));
        for (int i = 0; i < 7; ++i) {
            tools->addAction(QStringLiteral("Command"));
        }
        auto* tabs = new QTabWidget;
        auto* project = new QWidget;
        auto* lines = new QVBoxLayout(project);
        for (int i = 0; i < 3; ++i) {
            lines->addWidget(new QLineEdit);
        }
        tabs->addTab(project, QStringLiteral("Project"));
        for (const char* tab : {"Bridge", "Hydraulic", "Wall", "Sheet"}) {
            tabs->addTab(new QLabel(QString::fromLatin1(tab)), QString::fromLatin1(tab));
        }
        window->setCentralWidget(tabs);
        window->statusBar()->showMessage(QStringLiteral("Ready"));
        return window;
    }
    std::unique_ptr<QMainWindow> Program(bool withSheet,
                                         NoteListStart lists = NoteListStart::AfterFirstPaint) {
        auto window = std::make_unique<MainWindow>(DesktopServices{prompts, editor, errors, viewer},
                                                   TAVREL_BUILD_LIBRARY_DIR, nullptr, lists);
        // As on a screen wide enough for the sheet pane, or with the pane closed.
        window->sheetPane()->setVisible(withSheet);
        return window;
    }
};

constexpr const char* kKinds[] = {"bare", "program", "program-without-sheet",
                                  "program-lists-at-once", "frame-only"};

std::unique_ptr<QMainWindow> MakeWindow(Windows& windows, std::size_t kind) {
    switch (kind) {
        case 0:
            return Windows::Bare();
        case 3:
            return windows.Program(true, NoteListStart::WithWindow);
        case 4:
            return Windows::Frame();
        default:
            return windows.Program(kind == 1);
    }
}

// Says so and ends once the main window's first frame is painted and flushed: the expose event
// that painted it has been handled.
class FirstFrameApplication : public QApplication {
  public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override {
        const bool handled = QApplication::notify(receiver, event);
        if (event->type() == QEvent::Paint && qobject_cast<QMainWindow*>(receiver) != nullptr) {
            windowPainted_ = true;
        } else if (event->type() == QEvent::Expose && windowPainted_) {
            std::puts("painted");
            std::fflush(stdout);
            std::_Exit(0);  // the wait ends with the window; tearing down is not part of it
        }
        return handled;
    }

  private:
    bool windowPainted_ = false;
};

// A child: shows one window of a kind, writes a line once it is painted, and ends.
int ShowOneWindow(int argc, char** argv, std::size_t kind) {
    FirstFrameApplication application(argc, argv);
    Windows windows;
    const std::unique_ptr<QMainWindow> window = MakeWindow(windows, kind);
    window->show();
    return QApplication::exec();
}

// Milliseconds from starting a child until it says its window is painted.
double TimeToAppear(const char* self, const char* which) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        std::perror("pipe");
        std::exit(2);
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    const char* const arguments[] = {self, which, nullptr};
    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    if (posix_spawn(&child, self, &actions, nullptr, const_cast<char* const*>(arguments),
                    environ) != 0) {
        std::perror("posix_spawn");
        std::exit(2);
    }
    close(pipeEnds[1]);
    char said[16] = {};
    const ssize_t got = read(pipeEnds[0], said, sizeof said - 1);
    const auto end = std::chrono::steady_clock::now();
    close(pipeEnds[0]);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    waitpid(child, &status, 0);
    if (got <= 0 || std::strncmp(said, "painted", 7) != 0) {
        std::fprintf(stderr, "%s: the %s window did not appear\n", self, which);
        std::exit(2);
    }
    return std::chrono::duration<double, std::milli>(end - start).count();
}

}  // namespace
}  // namespace tavrel

int main(int argc, char** argv) {
    using namespace tavrel;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir settings;  // nothing remembered from the user's own runs
    qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
    if (argc == 2) {
        const auto kind = std::find(std::begin(kKinds), std::end(kKinds), std::string(argv[1]));
        return ShowOneWindow(argc, argv, static_cast<std::size_t>(kind - std::begin(kKinds)));
    }
    constexpr int kWarmUp = 2;
    constexpr int kRepetitions = 15;
    std::vector<std::vector<double>> times(std::size(kKinds));
    for (int i = 0; i < kWarmUp + kRepetitions; ++i) {
        for (std::size_t kind = 0; kind < std::size(kKinds); ++kind) {
            const double time = TimeToAppear(argv[0], kKinds[kind]);
            if (i >= kWarmUp) {
                times[kind].push_back(time);
            }
        }
    }
    std::printf("From launch to painted, medians of %d starts of each:\n", kRepetitions);
    for (std::size_t kind = 0; kind < std::size(kKinds); ++kind) {
        std::printf("  %-22s %7.1f ms  %5.2fx\n", kKinds[kind], Median(times[kind]),
                    Median(times[kind]) / Median(times[0]));
    }

    // The windows' own part: construct to painted in a warm process.
    QApplication application(argc, argv);
    Windows windows;
    for (auto& kindTimes : times) {
        kindTimes.clear();
    }
    for (int i = 0; i < kWarmUp + kRepetitions; ++i) {
        for (std::size_t kind = 0; kind < std::size(kKinds); ++kind) {
            const double time = TimeToFirstPaint([&] { return MakeWindow(windows, kind); });
            if (i >= kWarmUp) {
                times[kind].push_back(time);
            }
        }
    }
    std::printf("In a warm process, construct to painted, medians:\n");
    for (std::size_t kind = 0; kind < std::size(kKinds); ++kind) {
        std::printf("  %-22s %7.1f ms\n", kKinds[kind], Median(times[kind]));
    }
    return 0;
}
