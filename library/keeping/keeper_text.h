#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "library/formats/reference_file.h"

namespace tavrel {

// A note as a keeper writes it in a text editor: UTF-8 with LF line ends, its marker line first.
std::string NoteAsEditText(std::string_view markerLine, std::string_view text);

// UTF-8 lines (LF or CR LF, the last line end optional) as a note's text: Windows-1252, each
// line followed by CR. Nothing when a line cannot be stored, `why` then saying where and why: a
// byte that is no UTF-8, a character Windows-1252 lacks, the sentence-space mark, a marker.
std::optional<std::string> NoteTextFromUtf8(std::string_view utf8, std::string& why,
                                            int firstLine = 1);

struct EditedNote {
    std::string markerLine;
    std::string text;  // lines each followed by CR
};

// What NoteAsEditText gave, after an edit: its first line must be a marker line with a name.
std::optional<EditedNote> NoteFromEditText(std::string_view utf8, std::string& why);

}  // namespace tavrel
