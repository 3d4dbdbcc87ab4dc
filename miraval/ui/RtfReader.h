#pragma once
// A reader for the small RTF subset of the quick-help file: paragraphs (\par), line breaks
// (\line), tabs, bold, italic, underline, font size (\fs, half points), \plain, groups that
// scope the character format, the escapes \\ \{ \} \~ \- \_, code-page escapes \'xx in
// Windows-1252 and \uN with its \ucN fallback. Destinations (font and colour tables, style
// sheet, info, \* groups, pictures, headers and footers) are skipped. Other control words
// are ignored.
//
// The document is a sequence of runs of equally formatted text (UTF-8). A paragraph break is
// the two characters "\r\n" in the text, so offsets in the text count it as two.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

struct TRtfFormat {
    bool Fett = false;
    bool Kursiv = false;
    bool Unterstrichen = false;
    int Groesse = 24; // half points
    bool operator==(const TRtfFormat&) const = default;
};

struct TRtfLauf {
    std::string Text; // UTF-8
    TRtfFormat Format;
    bool operator==(const TRtfLauf&) const = default;
};

class TRtfDokument {
public:
    // Appends text in the format (merged into the last run when the format is the same).
    void Anhaengen(std::string_view text, const TRtfFormat& format);
    const std::vector<TRtfLauf>& Laeufe() const { return m_laeufe; }
    // The whole text (UTF-8).
    std::string Text() const;
    // The length in characters.
    std::size_t Laenge() const;
    // The part from character von up to (not including) character bis, formats kept.
    TRtfDokument Ausschnitt(std::size_t von, std::size_t bis) const;
    bool Leer() const { return m_laeufe.empty(); }

private:
    std::vector<TRtfLauf> m_laeufe;
};

class TRtfReader {
public:
    // Never fails: what it does not understand it skips; unbalanced braces are tolerated.
    static TRtfDokument Lese(std::string_view rtf);
};
