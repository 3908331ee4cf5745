#include <type_traits>

#include "app/output/sheet_print.h"
#include "cli/clean_stop.h"
#include "cli/desktop_module.h"

extern "C" __attribute__((visibility("default"))) int tavrel_run_desktop(
    char* programName, const tavrel::DesktopOptions* options) {
    // The module holds its own copy of the list of files being written, so a stop must clean
    // that one.
    tavrel::cli::InstallCleanStop();
    return tavrel::RunDesktop(programName, *options);
}
static_assert(std::is_same_v<decltype(&tavrel_run_desktop), tavrel::cli::DesktopEntry>);

extern "C" __attribute__((visibility("default"))) bool tavrel_sheet_pdf(
    std::string_view cadText, const std::string& title, const std::string& chartPath,
    std::string& pdf, std::string& error) {
    return tavrel::CadTextPdf(cadText, title, chartPath, pdf, error);
}
static_assert(std::is_same_v<decltype(&tavrel_sheet_pdf), tavrel::cli::PdfRenderer>);
