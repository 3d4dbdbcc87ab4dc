#pragma once
// The one codec between the program's UTF-8 texts and the Windows-1252 bytes of the stored
// forms (configuration container, safety copy, export and template files, clipboard data,
// device texts in device parameters, texts read from device memory).
//
// Invariants:
//  - Decoding is total and lossless: every byte 0..255 has a character. The five bytes that
//    Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) decode to the C1 control
//    of the same number (U+0081 ...), and encode back to that byte, so any byte string
//    survives decode + encode unchanged.
//  - Encoding never changes a text silently: a character that Windows-1252 cannot hold, or
//    input that is not well-formed UTF-8 (stray or missing continuation bytes, overlong
//    forms, surrogates, values above U+10FFFF), is refused and named.
//  - Limits such as "14 characters" count characters, not bytes.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Why a UTF-8 text cannot be stored as Windows-1252: the first offending place.
struct TCodePageError {
    enum class TKind { NotInCodePage, InvalidUtf8 };

    TKind kind = TKind::InvalidUtf8;
    std::size_t byteOffset = 0; // of the offending character or byte in the UTF-8 text
    std::size_t charIndex = 0;  // how many whole characters precede it
    char32_t character = 0;     // NotInCodePage: the refused character; InvalidUtf8: 0

    // NotInCodePage: the refused character as UTF-8, to show it to the user; else empty.
    std::string CharacterText() const;
    // For logs and test messages, e.g. "U+20BD '₽' at character 3 is not in Windows-1252".
    std::string ToString() const;

    bool operator==(const TCodePageError&) const = default;
};

struct TCp1252Result {
    std::string bytes;                   // the Windows-1252 bytes; empty on failure
    std::optional<TCodePageError> error; // set when the text was refused
    explicit operator bool() const { return !error; }
};

// UTF-8 -> Windows-1252, or the first character that cannot be converted.
[[nodiscard]] TCp1252Result Utf8ToCp1252(std::string_view utf8);

// Windows-1252 -> UTF-8; total (see the invariants above).
[[nodiscard]] std::string Cp1252ToUtf8(std::string_view cp1252);

// The first place that keeps the text from being stored as Windows-1252, or nothing.
[[nodiscard]] std::optional<TCodePageError> FindNotInCp1252(std::string_view utf8);
// True when Utf8ToCp1252 would accept the text.
[[nodiscard]] bool IsCp1252Representable(std::string_view utf8);

[[nodiscard]] bool IsValidUtf8(std::string_view text);

// Counting and cutting by characters. Both are safe on malformed input: a byte that does not
// start a well-formed sequence counts as one character of its own, and a cut never splits a
// well-formed character.
[[nodiscard]] std::size_t Utf8CharCount(std::string_view utf8);
// The first `count` characters (the whole text when it is not longer).
[[nodiscard]] std::string Utf8Left(std::string_view utf8, std::size_t count);
