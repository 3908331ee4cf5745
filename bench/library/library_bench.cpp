#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "library/library_location.h"
#include "library/note_workspace.h"

namespace tavrel {
namespace {

class SilentReporter : public ErrorReporter {
  public:
    void ShowErrorBox(std::int32_t, const std::string&) override {}
};

void TickEverything(NoteListModel& lists) {
    for (int listView = lists.firstListView(); listView <= lists.lastListView(); ++listView) {
        for (std::size_t entry = 0; entry < lists.Entries(listView).size(); ++entry) {
            lists.SetTicked(listView, entry, true);
        }
    }
}

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

// A library filled to the row limits (150 bridge, 100 hydraulic, 100 wall notes of 20 lines),
// the largest the format allows.
std::string FullReferenceFile(const char* codes[], int codeCount, int notes) {
    std::string bytes = "Reference notes\r\n";
    for (int note = 0; note < notes; ++note) {
        bytes += "$$" + std::string(codes[note % codeCount]) + std::to_string(note + 1) +
                 " Note title number " + std::to_string(note + 1) + "\r\n[WORD WRAP]\r\n";
        for (int line = 0; line < 20; ++line) {
            bytes += "The contractor shall furnish all labor, materials and equipment for line " +
                     std::to_string(line) + ".\r\n";
        }
    }
    return bytes + "$$\r\n";
}

class FullLibrary {
  public:
    FullLibrary() {
        const char* bridge[] = {"B", "DR", "SE", "T", "U", "G", "DE", "S"};
        const char* hydraulic[] = {"B", "DR", "SE", "T", "U", "G", "DE", "SU"};
        const char* wall[] = {"W"};
        root_ = std::filesystem::temp_directory_path() / "tavrel-library-bench";
        Write(NoteCategory::Bridge, FullReferenceFile(bridge, 8, 150));
        Write(NoteCategory::Hydraulic, FullReferenceFile(hydraulic, 8, 100));
        Write(NoteCategory::Wall, FullReferenceFile(wall, 1, 100));
    }
    ~FullLibrary() {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    std::string root() const { return root_.string(); }

  private:
    void Write(NoteCategory category, const std::string& bytes) {
        const std::filesystem::path path =
            ReferenceFilePath(root_.string(), UnitSystem::English, category);
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
    }
    std::filesystem::path root_;
};

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

}  // namespace
}  // namespace tavrel
