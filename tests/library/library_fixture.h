#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <unistd.h>

#include "engine/runtime_failure.h"

namespace tavrel::testing {

// A folder of its own for one test, removed with everything in it afterwards.
class TempDir {
  public:
    TempDir() {
        static std::atomic<int> counter{0};
        path_ = std::filesystem::temp_directory_path() /
                ("tavrel-library-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string File(std::string_view name) const { return (path_ / name).string(); }

  private:
    std::filesystem::path path_;
};

// Reference file bytes: the lines, each ended by CR LF as the bundled files are.
inline std::string CrLfLines(std::initializer_list<std::string_view> lines) {
    std::string bytes;
    for (std::string_view line : lines) {
        bytes.append(line);
        bytes.append("\r\n");
    }
    return bytes;
}

inline void WriteBytes(const std::filesystem::path& path, std::string_view bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A library folder with the given reference files (empty content: the file is left out).
struct LibraryFiles {
    std::string englishBridge;
    std::string englishHydraulic;
    std::string englishWall;
    std::string metricBridge;
};

inline void WriteLibrary(const std::filesystem::path& root, const LibraryFiles& files) {
    const std::pair<const char*, const std::string*> layout[] = {
        {"English/Bridge/TavrelReference.txt", &files.englishBridge},
        {"English/Hydraulic/HydraulicNotesReference.txt", &files.englishHydraulic},
        {"English/Wall/WallNotesReference.txt", &files.englishWall},
        {"Metric/Bridge/TavrelReference.txt", &files.metricBridge},
    };
    for (const auto& [name, content] : layout) {
        if (!content->empty()) {
            WriteBytes(root / name, *content);
        }
    }
}

// A small English and Metric library: bridge notes in three sections, one hydraulic and one
// wall note.
inline LibraryFiles SampleLibrary() {
    return {
        CrLfLines({"Bridge reference notes", "$$B1 Bridge consists of", "Two spans.",
                   "$$G1 Deck drains", "[WORD WRAP]", "Drains at 10 ft.", "", "$$G2 Railing",
                   "Steel railing.", "$$DE1 Design live loads", "HL-93.", "$$"}),
        CrLfLines({"$$SU1 Hydraulic data table", "Q100 = 500 cfs.", "$$"}),
        CrLfLines({"$$W1 Cantilever wall", "Wall text.", "$$"}),
        CrLfLines({"$$B1 Metric bridge", "Two spans, metric.", "$$G1 Metric drains",
                   "Drains at 3 m.", "$$"}),
    };
}

// Records what the shared error box would have shown.
class RecordingReporter : public ErrorReporter {
  public:
    void ShowErrorBox(std::int32_t number, const std::string& description) override {
        shown.push_back({number, description});
    }
    std::vector<RuntimeFailure> shown;
};

}  // namespace tavrel::testing
