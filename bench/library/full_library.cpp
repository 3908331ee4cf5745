#include "bench/library/full_library.h"

#include <unistd.h>
#include <fstream>

#include "library/location/library_location.h"

namespace tavrel {
namespace {

std::string FullReferenceFile(const char* const codes[], int codeCount, int notes) {
    std::string bytes = "Reference notes\r\n";
    for (int note = 0; note < notes; ++note) {
        bytes += "$$" + std::string(codes[note % codeCount]) + std::to_string(note + 1) +
                 " Note title number " + std::to_string(note + 1) + "\r\n[WORD WRAP]\r\n";
        for (int line = 0; line < 20; ++line) {
            bytes += "The contractor shall furnish all labor, materials and equipment for line " +
                     std::to_string(line) + " of note " + std::to_string(note + 1) + ".\r\n";
        }
        bytes += "[END WORD WRAP]\r\n";
    }
    return bytes + "$$\r\n";
}

void Write(const std::filesystem::path& root, NoteCategory category, const std::string& bytes) {
    const std::filesystem::path path =
        ReferenceFilePath(root.string(), UnitSystem::English, category);
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

}  // namespace

FullLibrary::FullLibrary()
    : root_(std::filesystem::temp_directory_path() /
            ("tavrel-full-library-" + std::to_string(getpid()))) {
    const char* const bridge[] = {"B", "DR", "SE", "T", "U", "G", "DE", "S"};
    const char* const hydraulic[] = {"B", "DR", "SE", "T", "U", "G", "DE", "SU"};
    const char* const wall[] = {"W"};
    Write(root_, NoteCategory::Bridge, FullReferenceFile(bridge, 8, kBridgeTableRows));
    Write(root_, NoteCategory::Hydraulic, FullReferenceFile(hydraulic, 8, kHydraulicTableRows));
    Write(root_, NoteCategory::Wall, FullReferenceFile(wall, 1, kWallTableRows));
}

FullLibrary::~FullLibrary() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

void TickEverything(NoteLists& lists) {
    for (int listView = lists.firstListView(); listView <= lists.lastListView(); ++listView) {
        for (std::size_t entry = 0; entry < lists.Entries(listView).size(); ++entry) {
            lists.SetTicked(listView, entry, true);
        }
    }
}

}  // namespace tavrel
