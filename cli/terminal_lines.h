#pragma once

#include <string>
#include <string_view>

#include "cli/cli_commands.h"
#include "engine/processing.h"

namespace tavrel::cli {

// A CAD text file ends the lines of a wrapped block in a lone CR, as the CAD import expects,
// and every item in CR LF; a terminal would print such lines over each other. Text for a
// terminal gets the terminal's line end (LF) for both; text for a file or a pipe is left as it
// is. Pieces may split a CR LF.
class TerminalLines {
  public:
    std::string Convert(std::string_view bytes);

  private:
    bool afterCarriageReturn_ = false;
};

// Where the bytes of a file go when standard output is named: as they are, or with the
// terminal's line ends when standard output is a terminal.
ByteSink StandardOutputSink(Streams streams);

}  // namespace tavrel::cli
