#include "cli/terminal_lines.h"

#include <ostream>

namespace tavrel::cli {

std::string TerminalLines::Convert(std::string_view bytes) {
    std::string lines;
    lines.reserve(bytes.size());
    for (const char c : bytes) {
        if (c == '\r') {
            lines += '\n';
        } else if (c != '\n' || !afterCarriageReturn_) {
            lines += c;
        }
        afterCarriageReturn_ = c == '\r';
    }
    return lines;
}

ByteSink StandardOutputSink(Streams streams) {
    std::ostream& out = streams.out;
    if (!streams.outIsTerminal) {
        return [&out](std::string_view bytes) {
            out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        };
    }
    return [&out, lines = TerminalLines()](std::string_view bytes) mutable {
        const std::string shown = lines.Convert(bytes);
        out.write(shown.data(), static_cast<std::streamsize>(shown.size()));
    };
}

}  // namespace tavrel::cli
