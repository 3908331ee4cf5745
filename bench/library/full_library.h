#pragma once

#include <filesystem>
#include <string>

#include "library/sheet/note_lists.h"

namespace tavrel {

// A library filled to the row limits (150 bridge, 100 hydraulic, 100 wall notes of 20 lines),
// the largest the format allows, each note with text of its own as in a real library, in a
// temporary folder removed with it.
class FullLibrary {
  public:
    FullLibrary();
    ~FullLibrary();
    FullLibrary(const FullLibrary&) = delete;
    FullLibrary& operator=(const FullLibrary&) = delete;

    std::string root() const { return root_.string(); }

  private:
    std::filesystem::path root_;
};

// Ticks every note of the lists in use.
void TickEverything(NoteLists& lists);

}  // namespace tavrel
