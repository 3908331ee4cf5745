#include "library/keeping/keeper_text.h"

#include "engine/text/text_utils.h"
#include "engine/text/utf8.h"
#include "engine/text/windows1252.h"
#include "library/notes/note_names.h"

namespace tavrel {
namespace {

// The layout takes this byte for the second blank after a full stop, so a sheet would show
// a blank where the text has it.
constexpr unsigned char kSentenceSpaceMark = 0xAE;

// One line as Windows-1252 bytes; nothing with `why` when it cannot be.
std::optional<std::string> LineFromUtf8(std::string_view line, std::string& why) {
    std::string bytes;
    bytes.reserve(line.size());
    for (std::size_t at = 0; at < line.size();) {
        std::size_t length = 0;
        const std::optional<char32_t> c = DecodeUtf8(line, at, length);
        if (!c) {
            why = "byte 0x" + HexDigits(static_cast<unsigned char>(line[at]), 2) +
                  " is not UTF-8 text";
            return std::nullopt;
        }
        const std::optional<unsigned char> byte = ByteOfCodePoint(*c);
        if (!byte) {
            why = "'" + std::string(line.substr(at, length)) + "' (U+" + HexDigits(*c, 4) +
                  ") is not a Windows-1252 character, which the reference files hold";
            return std::nullopt;
        }
        if (*byte == kSentenceSpaceMark) {
            why =
                "'\u00AE' (byte 0xAE) is taken by the layout for the second blank after a full "
                "stop, so a sheet would show a blank in its place";
            return std::nullopt;
        }
        bytes += static_cast<char>(*byte);
        at += length;
    }
    return bytes;
}

}  // namespace

std::string NoteAsEditText(std::string_view markerLine, std::string_view text) {
    std::string utf8;
    const auto add = [&utf8](std::string_view bytes) {
        for (const char byte : bytes) {
            AppendUtf8(utf8, CodePointOfByte(static_cast<unsigned char>(byte)));
        }
    };
    add(markerLine);
    utf8 += '\n';
    for (std::size_t from = 0; from < text.size();) {
        const std::size_t end = text.find(CarriageReturn, from);
        add(text.substr(from, end - from));
        utf8 += '\n';
        from = end == std::string_view::npos ? text.size() : end + 1;
    }
    return utf8;
}

std::optional<std::string> NoteTextFromUtf8(std::string_view utf8, std::string& why,
                                            int firstLine) {
    std::string text;
    int number = firstLine;
    for (std::size_t from = 0; from < utf8.size(); ++number) {
        std::size_t end = utf8.find('\n', from);
        end = end == std::string_view::npos ? utf8.size() : end;
        std::string_view line = utf8.substr(from, end - from);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        from = end + 1;
        std::string lineWhy;
        const std::optional<std::string> bytes = LineFromUtf8(line, lineWhy);
        if (!bytes || IsMarkerLine(*bytes) || bytes->find('\r') != std::string::npos) {
            why = "line " + std::to_string(number) + ": " +
                  (!bytes                 ? lineWhy
                   : IsMarkerLine(*bytes) ? "'$$' in a text line would start a new note there"
                                          : "a lone carriage return would split the line");
            return std::nullopt;
        }
        text += *bytes;
        text += CarriageReturn;
    }
    return text;
}

std::optional<EditedNote> NoteFromEditText(std::string_view utf8, std::string& why) {
    const std::size_t end = std::min(utf8.find('\n'), utf8.size());
    std::string_view first = utf8.substr(0, end);
    if (first.ends_with('\r')) {
        first.remove_suffix(1);
    }
    std::string lineWhy;
    const std::optional<std::string> marker = LineFromUtf8(first, lineWhy);
    if (!marker) {
        why = "line 1: " + lineWhy;
        return std::nullopt;
    }
    if (!IsMarkerLine(*marker) || GetNoteName(*marker) == kInvalidNoteField) {
        why =
            "line 1: the first line must be the note's marker line, such as "
            "'$$G12 Removal of existing structure'";
        return std::nullopt;
    }
    std::optional<std::string> text =
        NoteTextFromUtf8(utf8.substr(std::min(end + 1, utf8.size())), why, 2);
    if (!text) {
        return std::nullopt;
    }
    return EditedNote{std::string(TrimSpaces(*marker)), std::move(*text)};
}

}  // namespace tavrel
