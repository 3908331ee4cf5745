#pragma once

#include <vector>

#include "engine/runtime_failure.h"

namespace tavrel::testing {

// Collects what the engine would show in the error box.
class RecordingReporter : public ErrorReporter {
  public:
    void ShowErrorBox(std::int32_t number, const std::string& description) override {
        reported.push_back({number, description});
    }
    std::vector<RuntimeFailure> reported;
};

}  // namespace tavrel::testing
