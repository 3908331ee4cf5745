#pragma once

#include <array>
#include <cstddef>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "library/notes/note_tables.h"
#include "library/sheet/note_lists.h"

namespace tavrel {

// The words of a find text and the one rule both windows find notes by: a note matches when
// each word stands within one of its fields (a word never spans two), letter case ignored
// (Windows-1252 letters such as É and é alike).
class FindWords {
  public:
    explicit FindWords(std::string_view findText);

    bool empty() const { return words_.empty(); }
    bool MatchedBy(std::initializer_list<std::string_view> fields) const;

  private:
    std::vector<std::string> words_;
    mutable std::string haystack_;  // room used again from note to note
};

// The notes of the lists in use that hold every word of a find text in their name, list text or
// note text. Lists outside the unit system's range match nothing.
class NoteMatches {
  public:
    NoteMatches() = default;
    NoteMatches(const NoteTables& tables, const NoteLists& lists, std::string_view findText);
    // Matches no note: a find text with a character no note can hold.
    static NoteMatches None(const NoteLists& lists);

    // No words were typed: every note is shown.
    bool everything() const { return everything_; }
    bool Matches(int listView, std::size_t entry) const;
    int Count(int listView) const;
    // The first match from list view `from` on, going round the lists in use.
    std::optional<std::pair<int, std::size_t>> First(int from) const;

  private:
    bool everything_ = true;
    int firstListView_ = 0;
    int lastListView_ = kListViewCount - 1;
    std::array<std::vector<bool>, kListViewCount> matches_;
};

}  // namespace tavrel
