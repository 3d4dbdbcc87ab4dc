#pragma once
// The group address as the user types it in the address dialogs, and the one parser behind
// them. Accepted: main, middle and sub (three levels) or main and sub (two levels) as decimal
// digits, separated by any of the five characters "/ .,-", mixed at will ("1.2/3"). Blanks
// and control characters around the text are ignored; a blank inside counts as a separator.
//
// Ranges: main 0-15; three levels middle 0-7 and sub 0-255; two levels sub 0-2047. Both
// styles give the same triple (a two-level sub is split into middle = sub >> 8 and
// sub & 0xFF), so the address word is main << 11 | middle << 8 | sub.
//
// Level style: 3 is three levels; the parser takes every other value as two levels, the
// search text knows only 2 and 3.
//
// No display needed: the parser's one message goes through the MessageBox hook.

#include "win32/Windows.h"

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

namespace GrpAdrText {

// The characters that separate the parts of a typed address.
inline constexpr const char* kTrenner = "/ .,-";

// A parsed address: main 0-15, middle 0-7, sub 0-255.
struct TGrpAdrTeile {
    uint16_t Main = 0;
    uint16_t Middle = 0;
    uint16_t Sub = 0;

    uint16_t Wort() const { return static_cast<uint16_t>(Main << 11 | Middle << 8 | Sub); }
    bool operator==(const TGrpAdrTeile&) const = default;
};
std::ostream& operator<<(std::ostream& out, const TGrpAdrTeile& teile);

// The text without the bytes up to 0x20 at either end.
std::string Trim(const std::string& text);

// The address in the text, or none (no message). Empty and blank texts are none, as is any
// part that is not a plain decimal number ("+1", "0x1", "1e2" are not) or out of range.
std::optional<TGrpAdrTeile> Parse(const std::string& text, int ebenen);

// Parse with the user told: a text that is neither empty nor blank and does not parse shows
// "Ungültige Gruppenadresse" / "Fehler" (plain OK box) and answers false. The outputs are
// written only when the answer is true.
bool StringToGrpAddr(const std::string& text, int ebenen, uint16_t& main, uint16_t& middle, uint16_t& sub,
                     HWND owner = nullptr);

// The text rebuilt with one separator: its parts as typed (no conversion, no range check),
// so "1.2 3" gives "1/2/3" and "01/2/3" stays "01/2/3" (three levels, trenner "/"). "" for
// an empty or blank text and for a level style other than 2 and 3. Meant for texts that
// parsed; the dialogs show it in their messages.
std::string StringToSearchGrpAddr(const std::string& text, const std::string& trenner, int ebenen);

// The key filter of the address edits, for one typed character: digits, the separators,
// Backspace (8) and Enter (13, which the dialog acts on) pass; every other character is
// swallowed (0).
char FilterTaste(char taste);

// Whether the address edits swallow a typed character: a printable one that FilterTaste does
// not keep. Control characters are the edit's own keys and pass (X11 sends Delete as 127 and
// Ctrl+A, Ctrl+C, Ctrl+V, Ctrl+X as 1, 3, 22, 24).
bool Verschluckt(char32_t zeichen);

} // namespace GrpAdrText
