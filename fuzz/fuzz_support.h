#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/runtime_failure.h"
#include "engine/user_interface.h"

namespace tavrel::fuzz {

// Stops the run and prints why; libFuzzer then keeps the input that broke the invariant.
[[noreturn]] void InvariantFailed(const char* condition, const char* file, int line,
                                  std::string_view detail);

#define TAVREL_FUZZ_CHECK(condition, detail)                                           \
    do {                                                                               \
        if (!(condition)) {                                                            \
            ::tavrel::fuzz::InvariantFailed(#condition, __FILE__, __LINE__, (detail)); \
        }                                                                              \
    } while (false)

// Shows the error text escaped, so a failing input can be read in the crash report.
std::string Printable(std::string_view bytes, std::size_t limit = 200);

// Counts the failures a routine reports instead of showing a box.
class CountingErrors : public ErrorReporter {
  public:
    void ShowErrorBox(std::int32_t number, const std::string& description) override;
    int count = 0;
    std::int32_t lastNumber = 0;
    std::string lastDescription;
};

// Answers every file dialog with one path and every question with one answer; records the
// messages shown.
class ScriptedPrompts : public UserPrompts {
  public:
    explicit ScriptedPrompts(std::string chosenPath) : chosenPath_(std::move(chosenPath)) {}
    std::optional<std::string> ChooseFile(const FileDialogRequest& request) override;
    bool AskOkCancel(const std::string& message) override;
    void ShowCritical(const std::string& message) override;
    void ShowInformation(const std::string& message) override;

    std::string lastCritical;
    int criticalCount = 0;

  private:
    std::string chosenPath_;
};

// Never starts anything; counts the requests.
class IdleEditor : public EditorLauncher {
  public:
    std::optional<RuntimeFailure> ViewInEditor(const std::string& path) override;
    int launches = 0;
};

// The line count of a text read as processing reads it: a line ends at CR or CR LF.
std::size_t CountReadLines(std::string_view bytes);

}  // namespace tavrel::fuzz
