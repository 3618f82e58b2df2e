#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <cstdint>

// Text and number helpers shared by the scan list, the image builders and the decoders.
namespace brisa::compiler {

// The numeric value at the start of a field's text, as the configurator has always read block
// numbers and priority fields: blanks are skipped, an optional sign, digits, an optional "."
// and more digits; reading stops at the first other character. No digits give 0. The result
// never depends on the user's locale.
double textValue(QStringView text);

// The same value as a whole number (rounded to the nearest).
int textInt(QStringView text);

// The text without leading and trailing spaces (only U+0020: tabs and line ends are kept).
QString trimSpaces(QStringView text);

// True when the text holds nothing but spaces.
inline bool isBlank(QStringView text) { return trimSpaces(text).isEmpty(); }

// True when every character is an ASCII letter or digit (an empty text too).
bool isAsciiAlphanumeric(QStringView text);

// One byte per character in the Windows-1252 code page; a character that the code page lacks
// becomes "?" (a character outside the 16-bit range counts as one character).
QByteArray toWindows1252(QStringView text);

// A 16-bit value split into its two bytes. Any int is reduced to its 16-bit pattern, so signed
// (-32768..32767) and unsigned (0..65535) fields share it.
struct WordBytes {
    std::uint8_t low;
    std::uint8_t high;
};
constexpr WordBytes wordToBytes(int value) {
    const auto pattern = static_cast<std::uint16_t>(value);
    return {static_cast<std::uint8_t>(pattern & 0xFF), static_cast<std::uint8_t>(pattern >> 8)};
}

// Two bytes as a signed 16-bit value (high 255, low 255 give -1).
constexpr std::int16_t bytesToWord(std::uint8_t high, std::uint8_t low) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>((high << 8) | low));
}

// Two bytes as an unsigned 16-bit value.
constexpr std::uint16_t bytesToUWord(std::uint8_t high, std::uint8_t low) {
    return static_cast<std::uint16_t>((high << 8) | low);
}

}  // namespace brisa::compiler
