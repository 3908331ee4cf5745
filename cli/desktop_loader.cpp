#include "cli/desktop_loader.h"

#include <dlfcn.h>

#include <filesystem>
#include <ostream>

#include "cli/cli_commands.h"
#include "cli/desktop_module.h"
#include "engine/io/system_files.h"

namespace tavrel::cli {
namespace {

namespace fs = std::filesystem;

// The module's path: TAVREL_DESKTOP_MODULE is relative to the program's folder, the same in the
// build tree as in an installation, so no build folder is compiled in.
fs::path DesktopModulePath() {
    return (fs::path(ProgramFolder()) / TAVREL_DESKTOP_MODULE).lexically_normal();
}

}  // namespace

int RunDesktopModule(char* programName, const DesktopOptions& options, std::ostream& err) {
    const fs::path module = DesktopModulePath();
    void* handle = ::dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
    const auto entry = handle != nullptr
                           ? reinterpret_cast<DesktopEntry>(::dlsym(handle, kDesktopEntryName))
                           : nullptr;
    if (entry == nullptr) {
        err << "tavrel: cannot load the desktop program: " << ::dlerror() << '\n';
        return kExitUsageOrIo;
    }
    return entry(programName, &options);
}

}  // namespace tavrel::cli
