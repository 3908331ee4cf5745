#pragma once

#include <cstdint>
#include <string>

namespace tavrel {

// An unexpected failure as the user sees it in the shared error box: a number and a description.
struct RuntimeFailure {
    std::int32_t number = 0;
    std::string description;
    int systemError = 0;  // the errno behind a failed file operation; 0 for others
};

// The failure as the command line tells it: the system's own words for a failed file operation
// ("No space left on device"), else the description.
std::string FailureReason(const RuntimeFailure& failure);

// The failures this program's own runtime can raise, with stable numbers and texts.
namespace failures {
inline constexpr std::int32_t kOverflow = 6;
inline constexpr std::int32_t kOutOfMemory = 7;
inline constexpr std::int32_t kSubscriptOutOfRange = 9;
inline constexpr std::int32_t kFileNotFound = 53;
inline constexpr std::int32_t kFileAlreadyOpen = 55;
inline constexpr std::int32_t kDiskFull = 61;
inline constexpr std::int32_t kPermissionDenied = 70;
inline constexpr std::int32_t kPathFileAccessError = 75;
inline constexpr std::int32_t kPathNotFound = 76;
// The platform's "unspecified failure"; the error box shows it as a missing file.
inline constexpr std::int32_t kUnspecified = -2147467259;

RuntimeFailure Overflow();
RuntimeFailure OutOfMemory();
RuntimeFailure SubscriptOutOfRange();
// Maps an errno value from a failed file operation to the failure a user is shown.
RuntimeFailure FromErrno(int errorNumber);
}  // namespace failures

// The shared error box: every command and every engine routine reports unexpected failures here
// and then goes on with what it holds.
class ErrorReporter {
  public:
    virtual ~ErrorReporter() = default;
    virtual void ShowErrorBox(std::int32_t number, const std::string& description) = 0;
    void Report(const RuntimeFailure& failure) {
        ShowErrorBox(failure.number, failure.description);
    }
};

// The text of the shared error box, and whether it carries the critical icon and program title
// (only for kUnspecified) or no icon under the title "VB Error".
struct ErrorBoxText {
    std::string title;
    std::string message;
    bool critical = false;
};
ErrorBoxText FormatErrorBox(std::int32_t number, const std::string& description,
                            const std::string& programTitle);

}  // namespace tavrel
