#include "win32/CodePage1252.h"

#include <array>
#include <cstdint>
#include <cstdio>

namespace {

// Characters of the bytes 0x80..0x9F. The undefined bytes keep their own number.
constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98-9F
};

char32_t byteToChar(unsigned char b)
{
    return (b >= 0x80 && b <= 0x9F) ? kHigh[b - 0x80] : static_cast<char32_t>(b);
}

std::optional<unsigned char> charToByte(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<unsigned char>(c);
    for (std::size_t i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] == c)
            return static_cast<unsigned char>(0x80 + i);
    return std::nullopt;
}

void appendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

struct TDecoded {
    char32_t character;
    std::size_t length; // bytes of the sequence
};

// The well-formed sequence at `pos` (pos < text.size()), or nothing.
std::optional<TDecoded> decodeAt(std::string_view text, std::size_t pos)
{
    auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(pos);
    if (lead < 0x80)
        return TDecoded{lead, 1};

    std::size_t length;
    char32_t c;
    char32_t minimum;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        c = lead & 0x1F;
        minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        c = lead & 0x0F;
        minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        c = lead & 0x07;
        minimum = 0x10000;
    } else {
        return std::nullopt; // continuation byte, C0/C1 (always overlong) or F5..FF
    }
    if (text.size() - pos < length)
        return std::nullopt;
    for (std::size_t i = 1; i < length; ++i) {
        const unsigned char b = byte(pos + i);
        if ((b & 0xC0) != 0x80)
            return std::nullopt;
        c = (c << 6) | (b & 0x3F);
    }
    if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return std::nullopt;
    return TDecoded{c, length};
}

// Walks the text once: encodes into `out` when given, stops at the first offending place.
std::optional<TCodePageError> encode(std::string_view utf8, std::string* out)
{
    std::size_t pos = 0;
    std::size_t index = 0;
    while (pos < utf8.size()) {
        auto decoded = decodeAt(utf8, pos);
        if (!decoded)
            return TCodePageError{TCodePageError::TKind::InvalidUtf8, pos, index, 0};
        auto b = charToByte(decoded->character);
        if (!b)
            return TCodePageError{TCodePageError::TKind::NotInCodePage, pos, index,
                                  decoded->character};
        if (out)
            *out += static_cast<char>(*b);
        pos += decoded->length;
        ++index;
    }
    return std::nullopt;
}

// Bytes of the character at `pos`, counting a malformed byte as a character of one byte.
std::size_t charLength(std::string_view text, std::size_t pos)
{
    auto decoded = decodeAt(text, pos);
    return decoded ? decoded->length : 1;
}

} // namespace

std::string TCodePageError::CharacterText() const
{
    std::string text;
    if (kind == TKind::NotInCodePage)
        appendUtf8(text, character);
    return text;
}

std::string TCodePageError::ToString() const
{
    char buffer[120];
    if (kind == TKind::InvalidUtf8) {
        std::snprintf(buffer, sizeof buffer, "malformed UTF-8 at byte %zu (character %zu)",
                      byteOffset, charIndex);
        return buffer;
    }
    std::snprintf(buffer, sizeof buffer, "U+%04X '%s' at character %zu is not in Windows-1252",
                  static_cast<unsigned>(character), CharacterText().c_str(), charIndex);
    return buffer;
}

TCp1252Result Utf8ToCp1252(std::string_view utf8)
{
    TCp1252Result result;
    result.bytes.reserve(utf8.size());
    result.error = encode(utf8, &result.bytes);
    if (result.error)
        result.bytes.clear();
    return result;
}

std::string Cp1252ToUtf8(std::string_view cp1252)
{
    std::string out;
    out.reserve(cp1252.size() + cp1252.size() / 4);
    for (char c : cp1252)
        appendUtf8(out, byteToChar(static_cast<unsigned char>(c)));
    return out;
}

std::optional<TCodePageError> FindNotInCp1252(std::string_view utf8)
{
    return encode(utf8, nullptr);
}

bool IsCp1252Representable(std::string_view utf8)
{
    return !encode(utf8, nullptr);
}

bool IsValidUtf8(std::string_view text)
{
    for (std::size_t pos = 0; pos < text.size();) {
        auto decoded = decodeAt(text, pos);
        if (!decoded)
            return false;
        pos += decoded->length;
    }
    return true;
}

std::size_t Utf8CharCount(std::string_view utf8)
{
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < utf8.size(); pos += charLength(utf8, pos))
        ++count;
    return count;
}

std::string Utf8Left(std::string_view utf8, std::size_t count)
{
    std::size_t pos = 0;
    for (std::size_t n = 0; n < count && pos < utf8.size(); ++n)
        pos += charLength(utf8, pos);
    return std::string(utf8.substr(0, pos));
}
