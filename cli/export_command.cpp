#include "cli/export_command.h"

#include <algorithm>
#include <filesystem>
#include <ostream>

#include "cli/cli_commands.h"
#include "engine/io/atomic_file.h"
#include "engine/io/file_names.h"
#include "engine/io/files.h"
#include "engine/processing.h"
#include "library/export/dxf_drawing.h"
#include "library/formats/note_input_file.h"
#include "library/location/library_location.h"

namespace tavrel::cli {
namespace {

PdfRenderer pdfRenderer = nullptr;

constexpr const char* kStandardStream = "-";

struct Export {
    std::string format;  // "pdf" or "dxf"
    std::string chartPath;
};

std::string ExportPathFor(const std::string& input, const std::string& format) {
    std::string path = CadTextPathFor(input);
    return path.substr(0, path.size() - 3) + format;
}

// The symbol chart of the sheet's font in the library in use.
std::string ChartPathFor(std::string_view cadText, const CommandOptions& options) {
    const std::optional<std::string> library =
        FindLibraryDir(DefaultLibrarySearch(options.libraryDir));
    if (!library) {
        return {};
    }
    const bool metric = cadText.find(kMetricFontLine) != std::string_view::npos;
    return (std::filesystem::path(*library) / "Help" /
            (metric ? "SymbolsMetric.txt" : "SymbolsEnglish.txt"))
        .string();
}

ProcessOutcome Refused(ProcessStatus status, std::string message, std::string file) {
    ProcessOutcome outcome;
    outcome.status = status;
    outcome.message = std::move(message);
    outcome.file = std::move(file);
    return outcome;
}

// The output may be neither the input nor, without --force, a file that is there.
std::optional<ProcessOutcome> RefusedTarget(const std::string& input, const std::string& target,
                                            bool force) {
    if (target == kStandardStream || !FileExists(target)) {
        return std::nullopt;
    }
    if (IsSameFile(input, target)) {
        return Refused(ProcessStatus::kOutputIsInput, std::string(kOutputIsInputMessage), target);
    }
    if (!force) {
        return Refused(ProcessStatus::kOutputExists, {}, target);
    }
    return std::nullopt;
}

int Render(const Export& format, const std::string& input, const std::string& cadText,
           std::string& bytes, Streams streams) {
    if (format.format == "dxf") {
        bytes = DxfDrawing(ReadSheetText(cadText));
        return kExitDone;
    }
    std::string error = "PDF export needs the desktop program, which is not built";
    if (pdfRenderer == nullptr ||
        !pdfRenderer(cadText, std::filesystem::path(input).filename().string(), format.chartPath,
                     bytes, error)) {
        streams.err << "tavrel: " << input << ": " << error << '\n';
        return kExitUsageOrIo;
    }
    return kExitDone;
}

int Write(const std::string& target, const std::string& bytes, Streams streams) {
    if (target == kStandardStream) {
        streams.out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        streams.out.flush();
        if (!streams.out) {
            streams.err << "tavrel: <stdout>: cannot write\n";
            return kExitUsageOrIo;
        }
        return kExitDone;
    }
    AtomicFileWriter writer(target);
    std::optional<RuntimeFailure> failure = writer.Open();
    if (!failure) {
        writer.Write(bytes);
        failure = writer.Commit();
    }
    if (failure) {
        ProcessOutcome outcome = Refused(ProcessStatus::kIoFailure, {}, target);
        outcome.failure = *failure;
        return ReportOutcome(outcome, target, streams.err);
    }
    return kExitDone;
}

int ExportOne(Export format, const std::string& input, const CommandOptions& options,
              Streams streams) {
    const std::string target = options.output.value_or(ExportPathFor(input, format.format));
    std::string cadText;
    ProcessOutcome outcome = ProcessNoteInput(InputFile{input}, &cadText);
    if (outcome.status == ProcessStatus::kDone) {
        if (auto refused = RefusedTarget(input, target, options.force)) {
            outcome = std::move(*refused);
        }
    }
    if (outcome.status != ProcessStatus::kDone) {
        return ReportOutcome(outcome, input, streams.err);
    }
    if (format.format == "pdf") {
        format.chartPath = ChartPathFor(cadText, options);
    }
    std::string bytes;
    const int rendered = Render(format, input, cadText, bytes, streams);
    return rendered != kExitDone ? rendered : Write(target, bytes, streams);
}

}  // namespace

void SetPdfRenderer(PdfRenderer renderer) {
    pdfRenderer = renderer;
}

int RunExport(const CommandOptions& options, Streams streams) {
    if (options.exportFormat != "pdf" && options.exportFormat != "dxf") {
        return UsageError(
            streams, "export",
            options.exportFormat.empty()
                ? "--to is required (pdf or dxf)"
                : "invalid argument '" + options.exportFormat + "' for '--to' (pdf or dxf)");
    }
    if (options.operands.empty()) {
        return UsageError(streams, "export", "no note input file given");
    }
    if (options.output && options.operands.size() > 1) {
        return UsageError(streams, "export", "--output takes exactly one note input file");
    }
    int worst = kExitDone;
    for (const std::string& input : options.operands) {
        worst = std::max(worst, ExportOne({options.exportFormat, {}}, input, options, streams));
    }
    return worst;
}

}  // namespace tavrel::cli
