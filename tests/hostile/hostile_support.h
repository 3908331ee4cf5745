#pragma once

#include <string>
#include <vector>

#include "tests/support/cli_run.h"
#include "tests/support/scripted_services.h"
#include "tests/support/test_files.h"

namespace tavrel::hostile {

using testing::CliRun;
using testing::ReadBytes;
using testing::RunCli;
using testing::ScriptedServices;
using testing::Snapshot;
using testing::TempDir;
using testing::WriteBytes;

// A note input file of the default statements and header lines around the given body lines,
// each line ended by CR LF.
inline std::string NoteInputFile(const std::vector<std::string>& bodyLines) {
    std::string file =
        "[INDENT FIRST LINE = 1]\r\n[INDENT BODY = 5]\r\n[LEFT MARGIN = 1]\r\n"
        "[RIGHT MARGIN = 80]\r\n[LINE SPACING = 1]\r\n";
    for (const std::string& line : bodyLines) {
        file += line + "\r\n";
    }
    return file;
}

}  // namespace tavrel::hostile
