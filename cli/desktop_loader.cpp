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

// The module's function of that name; nothing when it cannot be loaded (dlerror says why).
void* ModuleEntry(const char* name) {
    void* handle = ::dlopen(DesktopModulePath().c_str(), RTLD_NOW | RTLD_LOCAL);
    return handle != nullptr ? ::dlsym(handle, name) : nullptr;
}

}  // namespace

int RunDesktopModule(char* programName, const DesktopOptions& options, std::ostream& err) {
    const auto entry = reinterpret_cast<DesktopEntry>(ModuleEntry(kDesktopEntryName));
    if (entry == nullptr) {
        err << "tavrel: cannot load the desktop program: " << ::dlerror() << '\n';
        return kExitUsageOrIo;
    }
    return entry(programName, &options);
}

bool RenderPdfInModule(std::string_view cadText, const std::string& title,
                       const std::string& chartPath, std::string& pdf, std::string& error) {
    const auto entry = reinterpret_cast<PdfRenderer>(ModuleEntry(kPdfEntryName));
    if (entry == nullptr) {
        error = std::string("cannot load the desktop program: ") + ::dlerror();
        return false;
    }
    return entry(cadText, title, chartPath, pdf, error);
}

}  // namespace tavrel::cli
