#include "app/shell/text_encoding.h"

#include <QList>

#include "engine/text/windows1252.h"

namespace tavrel {

QString FromWindows1252(std::string_view bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (const char byte : bytes) {
        // Every character of the code page lies in the Basic Multilingual Plane.
        text += QChar(static_cast<char16_t>(CodePointOfByte(static_cast<unsigned char>(byte))));
    }
    return text;
}

std::string ToWindows1252(const QString& text) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (const uint codePoint : text.toUcs4()) {
        bytes += static_cast<char>(ByteOfCodePoint(char32_t{codePoint}).value_or('?'));
    }
    return bytes;
}

std::optional<std::string> ToWindows1252Exactly(const QString& text) {
    std::string bytes = ToWindows1252(text);
    if (FromWindows1252(bytes) != text) {
        return std::nullopt;
    }
    return bytes;
}

QString NoteTextForDisplay(const std::string& bytes) {
    QString text = FromWindows1252(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

}  // namespace tavrel
