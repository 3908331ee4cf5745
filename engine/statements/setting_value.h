#pragma once

#include <cstdint>
#include <string_view>
#include <variant>

namespace tavrel {

// Why a setting value could not be read.
enum class SettingValueFault {
    kNotNumeric,  // not: optional sign, digits with an optional decimal fraction
    kOverflow,    // numeric, but the rounded value lies outside -32768..32767
};

// Reads a setting value such as "3", "+4", "-.5" or "1.6" (surrounding blanks allowed) and
// rounds it to a whole number, an exact half going to the even neighbour. Works on the digits
// themselves, so a value of any length is read exactly.
std::variant<std::int16_t, SettingValueFault> ReadSettingValue(std::string_view text);

}  // namespace tavrel
