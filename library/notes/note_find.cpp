#include "library/notes/note_find.h"

#include <algorithm>

namespace tavrel {
namespace {

// Windows-1252 lower case of every byte: A-Z, À-Þ but ×, and Š Œ Ž Ÿ.
constexpr std::array<char, 256> kLowerCase = [] {
    std::array<char, 256> lower{};
    for (int byte = 0; byte < 256; ++byte) {
        int folded = byte;
        if ((byte >= 'A' && byte <= 'Z') || (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7)) {
            folded = byte + 0x20;
        } else if (byte == 0x8A || byte == 0x8C || byte == 0x8E) {
            folded = byte + 0x10;
        } else if (byte == 0x9F) {
            folded = 0xFF;
        }
        lower[static_cast<std::size_t>(byte)] = static_cast<char>(folded);
    }
    return lower;
}();

void AppendLowerCase(std::string_view text, std::string& out) {
    for (const char byte : text) {
        out += kLowerCase[static_cast<unsigned char>(byte)];
    }
}

std::vector<std::string> LowerCaseWords(std::string_view text) {
    std::vector<std::string> words;
    std::string word;
    for (const char byte : text) {
        if (byte == ' ' || byte == '\t') {
            if (!word.empty()) {
                words.push_back(std::exchange(word, {}));
            }
        } else {
            word += kLowerCase[static_cast<unsigned char>(byte)];
        }
    }
    if (!word.empty()) {
        words.push_back(word);
    }
    return words;
}

}  // namespace

FindWords::FindWords(std::string_view findText) : words_(LowerCaseWords(findText)) {}

bool FindWords::MatchedBy(std::initializer_list<std::string_view> fields) const {
    haystack_.clear();
    for (const std::string_view field : fields) {
        AppendLowerCase(field, haystack_);
        haystack_ += '\n';  // fields apart, so that no word spans two of them
    }
    return std::all_of(words_.begin(), words_.end(), [this](const std::string& word) {
        return haystack_.find(word) != std::string::npos;
    });
}

NoteMatches::NoteMatches(const NoteTables& tables, const NoteLists& lists,
                         std::string_view findText)
    : firstListView_(lists.firstListView()), lastListView_(lists.lastListView()) {
    const FindWords words(findText);
    everything_ = words.empty();
    for (int listView = firstListView_; listView <= lastListView_; ++listView) {
        const NoteCategory category = CategoryOfListView(listView);
        for (const NoteEntry& entry : lists.Entries(listView)) {
            const std::string text = tables.FindNote(category, entry.key).value_or("");
            matches_[listView].push_back(words.MatchedBy({entry.key, entry.text, text}));
        }
    }
}

NoteMatches NoteMatches::None(const NoteLists& lists) {
    NoteMatches none;
    none.everything_ = false;
    none.firstListView_ = lists.firstListView();
    none.lastListView_ = lists.lastListView();
    for (int listView = none.firstListView_; listView <= none.lastListView_; ++listView) {
        none.matches_[listView].assign(lists.Entries(listView).size(), false);
    }
    return none;
}

bool NoteMatches::Matches(int listView, std::size_t entry) const {
    const std::vector<bool>& list = matches_.at(static_cast<std::size_t>(listView));
    return everything_ || (entry < list.size() && list[entry]);
}

int NoteMatches::Count(int listView) const {
    const std::vector<bool>& list = matches_.at(static_cast<std::size_t>(listView));
    return static_cast<int>(std::count(list.begin(), list.end(), true));
}

std::optional<std::pair<int, std::size_t>> NoteMatches::First(int from) const {
    const int listCount = lastListView_ - firstListView_ + 1;
    const int start = std::clamp(from, firstListView_, lastListView_) - firstListView_;
    for (int step = 0; step < listCount; ++step) {
        const int listView = firstListView_ + (start + step) % listCount;
        const std::vector<bool>& list = matches_[static_cast<std::size_t>(listView)];
        const auto match = std::find(list.begin(), list.end(), true);
        if (match != list.end()) {
            return std::pair(listView, static_cast<std::size_t>(match - list.begin()));
        }
    }
    return std::nullopt;
}

}  // namespace tavrel
