#pragma once

#include <string_view>

namespace tavrel::keywords {

// The statement keywords, always in upper case, and "." for a dot line.
inline constexpr std::string_view kLiteral = "LITERAL";
inline constexpr std::string_view kEndLiteral = "END LITERAL";
inline constexpr std::string_view kWordWrap = "WORD WRAP";
inline constexpr std::string_view kEndWordWrap = "END WORD WRAP";
inline constexpr std::string_view kIndentFirstLine = "INDENT FIRST LINE";
inline constexpr std::string_view kIndentBody = "INDENT BODY";
inline constexpr std::string_view kLeftMargin = "LEFT MARGIN";
inline constexpr std::string_view kRightMargin = "RIGHT MARGIN";
inline constexpr std::string_view kLineSpacing = "LINE SPACING";
inline constexpr std::string_view kCenter = "CENTER";
inline constexpr std::string_view kCenterHeader = "CENTER HEADER";
inline constexpr std::string_view kSpace = "SPACE";
inline constexpr std::string_view kDotLine = ".";

}  // namespace tavrel::keywords
