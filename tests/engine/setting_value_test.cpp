#include "engine/statements/setting_value.h"

#include <gtest/gtest.h>

namespace tavrel {
namespace {

TEST(ReadSettingValue, RoundsHalvesToEvenAndRejectsOtherForms) {
    const struct {
        const char* text;
        int value;
    } numbers[] = {
        {"3", 3},           {" +4 ", 4},
        {"-7", -7},         {"2.5", 2},
        {"3.5", 4},         {"1.6", 2},
        {".5", 0},          {"5.", 5},
        {"-2.5", -2},       {"-3.5", -4},
        {"2.50001", 3},     {"0007", 7},
        {"-0", 0},          {"32767", 32767},
        {"-32768", -32768}, {"-32768.5", -32768},
        {"32766.5", 32766}, {"0.0000000000000000000000000000000000000001", 0},
    };
    for (const auto& n : numbers) {
        const auto read = ReadSettingValue(n.text);
        ASSERT_TRUE(std::holds_alternative<std::int16_t>(read)) << n.text;
        EXPECT_EQ(std::get<std::int16_t>(read), n.value) << n.text;
    }
    for (const char* text :
         {"", " ", "+", "-", ".", "x", "1e3", "1,000", "- 5", "1.2.3", "0x10", "5 5", "\t5"}) {
        EXPECT_EQ(ReadSettingValue(text),
                  (std::variant<std::int16_t, SettingValueFault>(SettingValueFault::kNotNumeric)))
            << text;
    }
    for (const char* text :
         {"32768", "-32769", "32767.5", "70000", "1234567890123456789012345678901234567890"}) {
        EXPECT_EQ(ReadSettingValue(text),
                  (std::variant<std::int16_t, SettingValueFault>(SettingValueFault::kOverflow)))
            << text;
    }
}

}  // namespace
}  // namespace tavrel
