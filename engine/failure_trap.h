#pragma once

#include <exception>
#include <new>
#include <stdexcept>
#include <utility>

#include "engine/runtime_failure.h"

namespace tavrel {

// Runs the body of an engine routine under the failure convention: an unexpected failure is
// shown in the error box and the routine hands back `fallback` instead of failing its caller.
template <typename Result, typename Body>
Result RunTrapped(ErrorReporter& errors, Result fallback, Body&& body) {
    try {
        return std::forward<Body>(body)();
    } catch (const std::bad_alloc&) {
        errors.Report(failures::OutOfMemory());
    } catch (const std::length_error&) {
        errors.Report(failures::OutOfMemory());
    }
    return fallback;
}

}  // namespace tavrel
