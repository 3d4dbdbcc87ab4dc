#pragma once
// The sections of the quick-help file. A section starts with a key line "#id<number>" and
// runs up to the next "#id" or the end of the file. Two forms: plain text (".txt") and RTF
// (".rtf"); the extension decides (after the last point, compared exactly), any other
// extension loads nothing.
//
// A key matches only where the character after it is not a digit: "#id1" never finds the
// start of "#id12". Keys compare without case in both forms.

#include "miraval/ui/RtfReader.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class TMeldeHilfe {
public:
    enum class TArt { Keine, Text, Rtf };

    // "#id" followed by the id in decimal.
    static std::string Schluessel(int id);
    static TArt ArtDerDatei(const std::string& datei);
    // The first place at or after von where key stands (without case) and is not followed by
    // a digit; npos when none.
    static std::size_t FindeSchluessel(std::u32string_view text, std::u32string_view key,
                                       std::size_t von = 0);
    // Plain text: the lines after the first line equal to the key (without case) up to the
    // next line starting with "#id" (any case). Empty when the key is missing.
    static std::vector<std::string> TextAbschnitt(const std::vector<std::string>& zeilen, int id);
    // RTF: the text after the key and its paragraph break up to the next "#id"; empty when the
    // key is missing.
    static TRtfDokument RtfAbschnitt(const TRtfDokument& dokument, int id);
    // Reads the file's section of the id; false when the file cannot be read or its kind is
    // not known (the pane is then left as it is).
    static bool LadeAbschnitt(const std::string& datei, int id, TRtfDokument& abschnitt);
};
