#include "library/formats/reference_file.h"

#include <algorithm>
#include <charconv>

#include "engine/text/line_splitter.h"
#include "engine/text/text_utils.h"
#include "library/notes/note_names.h"
#include "library/notes/sections.h"

namespace tavrel {
namespace {

// Hands out the lines of a file with their numbers and where each starts.
class NumberedLines {
  public:
    explicit NumberedLines(std::string_view bytes) : lines_(bytes) {}
    std::optional<std::string_view> Next() {
        start_ = lines_.NextLineStart();
        const auto line = lines_.Next();
        number_ += line ? 1 : 0;
        return line;
    }
    std::int64_t number() const { return number_; }
    std::size_t start() const { return start_; }  // of the line handed out last
    bool AtEnd() const { return lines_.AtEnd(); }

  private:
    LineSplitter lines_;
    std::int64_t number_ = 0;
    std::size_t start_ = 0;
};

std::string_view FirstLineEnd(std::string_view bytes) {
    const std::size_t end = bytes.find_first_of("\r\n");
    if (end == std::string_view::npos) {
        return kDefaultLineEnd;
    }
    return bytes.substr(end, bytes[end] == '\r' && bytes.substr(end + 1, 1) == "\n" ? 2 : 1);
}

// Reads the body of the note whose marker line was just read, up to the next marker line, which
// is handed back unless it is the file's last line.
void ReadBody(NumberedLines& lines, ReferenceNote& note, std::optional<std::string_view>& next) {
    bool bodyStarted = false;
    next.reset();
    while (const auto line = lines.Next()) {
        if (IsMarkerLine(*line)) {
            next = line;
            return;
        }
        if (!bodyStarted && TrimSpaces(*line).empty()) {
            continue;
        }
        if (!bodyStarted) {
            note.firstBodyLineNumber = lines.number();
            bodyStarted = true;
        }
        note.text.append(*line);
        note.text += CarriageReturn;
    }
}

bool EndsLine(std::string_view bytes) {
    return !bytes.empty() && (bytes.back() == '\r' || bytes.back() == '\n');
}

void Append(std::string& out, std::string_view part, std::string_view lineEnd) {
    if (!out.empty() && !EndsLine(out) && !part.empty()) {
        out += lineEnd;
    }
    out += part;
}

// Where the note's section stands among the sections, in the lists' order; past them all for a
// section code no list has.
std::size_t SectionRank(const ReferenceNote& note) {
    const std::string code = GetSectionCode(GetNoteName(note.markerLine));
    const auto& sections = SectionTable();
    const auto found =
        std::find_if(sections.begin(), sections.end(),
                     [&code](const Section& section) { return section.code == code; });
    return static_cast<std::size_t>(found - sections.begin());
}

}  // namespace

ReferenceFile ParseReferenceFile(std::string_view bytes) {
    ReferenceFile file;
    file.lineEnd = FirstLineEnd(bytes);
    NumberedLines lines(bytes);
    std::optional<std::string_view> marker;
    while ((marker = lines.Next()) && !IsMarkerLine(*marker)) {
    }
    if (!marker) {
        file.heading = bytes;
        return file;
    }
    file.heading = bytes.substr(0, lines.start());
    while (marker) {
        const std::int64_t markerLineNumber = lines.number();
        const std::size_t start = lines.start();
        ReferenceNote& note = file.notes.emplace_back(ReferenceNote{
            std::string(TrimSpaces(*marker)), markerLineNumber, {}, markerLineNumber + 1, {}});
        ReadBody(lines, note, marker);
        const std::size_t end = marker ? lines.start() : bytes.size();
        note.bytes = bytes.substr(start, end - start);
        if (marker && lines.AtEnd()) {
            file.closing = bytes.substr(end);
            marker.reset();
        }
    }
    return file;
}

std::string ReferenceFileBytes(const ReferenceFile& file) {
    std::size_t size = file.heading.size() + file.closing.size() + file.lineEnd.size();
    for (const ReferenceNote& note : file.notes) {
        size += note.bytes.size() + file.lineEnd.size();
    }
    std::string out;
    out.reserve(size);
    out += file.heading;
    for (const ReferenceNote& note : file.notes) {
        Append(out, note.bytes, file.lineEnd);
    }
    Append(out, file.closing, file.lineEnd);
    return out;
}

ReferenceNote MakeReferenceNote(std::string markerLine, std::string text,
                                std::string_view lineEnd) {
    std::string bytes = markerLine;
    bytes += lineEnd;
    for (const char c : text) {
        if (c == CarriageReturn) {
            bytes += lineEnd;
        } else {
            bytes += c;
        }
    }
    return ReferenceNote{std::move(markerLine), 0, std::move(text), 0, std::move(bytes)};
}

std::string MarkerLineFor(std::string_view name, std::string_view title) {
    std::string line(kNoteMarker);
    line += name;
    if (!title.empty()) {
        line += ' ';
        line += title;
    }
    return line;
}

std::optional<std::size_t> FindReferenceNote(const ReferenceFile& file, std::string_view name) {
    const std::string wanted = ToUpperAscii(name);
    for (std::size_t index = 0; index < file.notes.size(); ++index) {
        if (GetNoteName(file.notes[index].markerLine) == wanted) {
            return index;
        }
    }
    return std::nullopt;
}

void AddToSection(ReferenceFile& file, ReferenceNote note) {
    const std::size_t rank = SectionRank(note);
    auto at = file.notes.end();
    for (auto it = file.notes.rbegin(); it != file.notes.rend(); ++it) {
        const std::size_t itsRank = SectionRank(*it);
        if (itsRank <= rank) {
            break;
        }
        at = std::prev(it.base());
    }
    file.notes.insert(at, std::move(note));
    if (file.closing.empty()) {
        file.closing = std::string(kClosingLine) + file.lineEnd;
    }
}

std::string NextFreeName(const ReferenceFile& file, std::string_view sectionCode) {
    const std::string code = ToUpperAscii(sectionCode);
    long highest = 0;
    for (const ReferenceNote& note : file.notes) {
        const std::string name = GetNoteName(note.markerLine);
        if (name.size() <= code.size() || !name.starts_with(code)) {
            continue;
        }
        long number = 0;
        const char* end = name.data() + name.size();
        const auto [stop, error] = std::from_chars(name.data() + code.size(), end, number);
        if (error == std::errc() && stop == end) {
            highest = std::max(highest, number);
        }
    }
    return code + std::to_string(highest + 1);
}

}  // namespace tavrel
