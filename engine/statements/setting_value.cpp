#include "engine/statements/setting_value.h"

#include <cstdint>
#include <string_view>

#include "engine/text/text_utils.h"

namespace tavrel {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool AllDigits(std::string_view text) {
    for (char c : text) {
        if (!IsDigit(c)) {
            return false;
        }
    }
    return true;
}

// Whether the fraction's digits push the magnitude up: above one half always, exactly one half
// only when the whole part is odd.
bool RoundsUp(std::string_view fraction, bool wholePartOdd) {
    if (fraction.empty() || fraction.front() < '5') {
        return false;
    }
    if (fraction.front() > '5') {
        return true;
    }
    if (fraction.substr(1).find_first_not_of('0') != std::string_view::npos) {
        return true;
    }
    return wholePartOdd;
}

}  // namespace

std::variant<std::int16_t, SettingValueFault> ReadSettingValue(std::string_view text) {
    text = TrimSpaces(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    const auto point = text.find('.');
    std::string_view whole = text.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view{} : text.substr(point + 1);
    if ((whole.empty() && fraction.empty()) || !AllDigits(whole) || !AllDigits(fraction)) {
        return SettingValueFault::kNotNumeric;
    }

    const auto firstSignificant = whole.find_first_not_of('0');
    whole = firstSignificant == std::string_view::npos ? std::string_view{}
                                                       : whole.substr(firstSignificant);
    // Six digits already exceed the 16-bit range, whatever the fraction does.
    if (whole.size() > 6) {
        return SettingValueFault::kOverflow;
    }
    std::int64_t magnitude = 0;
    for (char c : whole) {
        magnitude = magnitude * 10 + (c - '0');
    }
    if (RoundsUp(fraction, magnitude % 2 == 1)) {
        ++magnitude;
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value < INT16_MIN || value > INT16_MAX) {
        return SettingValueFault::kOverflow;
    }
    return static_cast<std::int16_t>(value);
}

}  // namespace tavrel
