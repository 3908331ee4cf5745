#include "engine/runtime_failure.h"

#include <cerrno>
#include <cstring>

namespace tavrel {
namespace failures {

RuntimeFailure Overflow() {
    return {kOverflow, "Overflow"};
}

RuntimeFailure OutOfMemory() {
    return {kOutOfMemory, "Out of memory"};
}

RuntimeFailure SubscriptOutOfRange() {
    return {kSubscriptOutOfRange, "Subscript out of range"};
}

namespace {

// The error box's number and words for a failed file operation.
RuntimeFailure BoxFailure(int errorNumber) {
    switch (errorNumber) {
        case ENOENT:
            return {kFileNotFound, "File not found"};
        case ENOTDIR:
            return {kPathNotFound, "Path not found"};
        case EACCES:
        case EPERM:
        case EROFS:
            return {kPermissionDenied, "Permission denied"};
        case ENOSPC:
#ifdef EDQUOT  // a quota is a full disk to the user; Windows has no such error number
        case EDQUOT:
#endif
            return {kDiskFull, "Disk full"};
        case EBUSY:
        case ETXTBSY:
            return {kFileAlreadyOpen, "File already open"};
        default:
            return {kPathFileAccessError,
                    std::string("Path/File access error (") + std::strerror(errorNumber) + ")"};
    }
}

}  // namespace

RuntimeFailure FromErrno(int errorNumber) {
    RuntimeFailure failure = BoxFailure(errorNumber);
    failure.systemError = errorNumber;
    return failure;
}

}  // namespace failures

std::string FailureReason(const RuntimeFailure& failure) {
    return failure.systemError != 0 ? std::strerror(failure.systemError) : failure.description;
}

ErrorBoxText FormatErrorBox(std::int32_t number, const std::string& description,
                            const std::string& programTitle) {
    if (number == failures::kUnspecified) {
        return {programTitle, "File not found..terminating", true};
    }
    return {"VB Error",
            "Error: " + std::to_string(number) + ". " + description + "...terminating command",
            false};
}

}  // namespace tavrel
