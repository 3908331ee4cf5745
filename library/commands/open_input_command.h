#pragma once

#include "library/commands/command_services.h"

namespace tavrel {

// The "Open Input File" command: asks for a note input file and opens it in the editor.
// Cancelling, or naming a file that does not exist, ends it without a word.
void OpenInputFile(CommandServices& services);

}  // namespace tavrel
