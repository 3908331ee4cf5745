#pragma once

#include "library/commands/command_services.h"

namespace tavrel {

// The "Process Input File" command: asks for a note input file, derives the CAD text file's
// name, asks before replacing it, validates and processes, reports and opens the result in the
// editor. All user interaction goes through the services. The CAD text file's path, if it was
// written.
std::optional<std::string> ProcessNoteInputFile(CommandServices& services);

}  // namespace tavrel
