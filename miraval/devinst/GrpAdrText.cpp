#include "miraval/devinst/GrpAdrText.h"

#include "miraval/dienste/Spredit.h"
#include "tamsel/Tamsel.h"
#include "win32/MessageBox.h"

#include <cstring>
#include <limits>

namespace GrpAdrText {

namespace {

bool IstTrenner(char c)
{
    return c != '\0' && std::strchr(kTrenner, c) != nullptr;
}

// The position of the last separator; npos for none.
std::size_t LetzterTrenner(const std::string& text)
{
    for (std::size_t i = text.size(); i-- > 0;)
        if (IstTrenner(text[i]))
            return i;
    return std::string::npos;
}

// A plain decimal number within int; -1 for anything else (also for the empty text).
int Zahl(const std::string& text)
{
    if (text.empty())
        return -1;
    long long wert = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return -1;
        wert = wert * 10 + (c - '0');
        if (wert > std::numeric_limits<int>::max())
            return -1;
    }
    return static_cast<int>(wert);
}

// Splits the part after the last separator off the text; false when there is no separator.
bool TeilAbtrennen(std::string& text, std::string& teil)
{
    const std::size_t pos = LetzterTrenner(text);
    if (pos == std::string::npos)
        return false;
    teil = text.substr(pos + 1);
    text.resize(pos);
    return true;
}

} // namespace

std::ostream& operator<<(std::ostream& out, const TGrpAdrTeile& teile)
{
    return out << teile.Main << "/" << teile.Middle << "/" << teile.Sub;
}

std::string Trim(const std::string& text)
{
    std::size_t anfang = 0;
    std::size_t ende = text.size();
    while (anfang < ende && static_cast<unsigned char>(text[anfang]) <= 0x20)
        ++anfang;
    while (ende > anfang && static_cast<unsigned char>(text[ende - 1]) <= 0x20)
        --ende;
    return text.substr(anfang, ende - anfang);
}

std::optional<TGrpAdrTeile> Parse(const std::string& text, int ebenen)
{
    std::string rest = Trim(text);
    if (rest.empty())
        return std::nullopt;
    const bool drei = ebenen == 3;
    std::string teil;
    if (!TeilAbtrennen(rest, teil))
        return std::nullopt;
    const int sub = Zahl(teil);
    int middle = 0;
    if (drei) {
        if (!TeilAbtrennen(rest, teil))
            return std::nullopt;
        middle = Zahl(teil);
    }
    const int main = Zahl(rest);
    if (sub < 0 || middle < 0 || main < 0 || main > 15)
        return std::nullopt;
    if (drei) {
        if (middle > 7 || sub > 255)
            return std::nullopt;
        return TGrpAdrTeile{static_cast<uint16_t>(main), static_cast<uint16_t>(middle), static_cast<uint16_t>(sub)};
    }
    if (sub > 2047)
        return std::nullopt;
    return TGrpAdrTeile{static_cast<uint16_t>(main), static_cast<uint16_t>(sub >> 8),
                        static_cast<uint16_t>(sub & 0xFF)};
}

bool StringToGrpAddr(const std::string& text, int ebenen, uint16_t& main, uint16_t& middle, uint16_t& sub,
                     HWND owner)
{
    LOG_FKT("GrpAdrText::StringToGrpAddr");
    if (Trim(text).empty())
        return false;
    const std::optional<TGrpAdrTeile> teile = Parse(text, ebenen);
    if (!teile) {
        MessageBox(owner, Spredit::Txt9178, Spredit::Txt9179, MB_OK);
        return false;
    }
    main = teile->Main;
    middle = teile->Middle;
    sub = teile->Sub;
    return true;
}

std::string StringToSearchGrpAddr(const std::string& text, const std::string& trenner, int ebenen)
{
    std::string rest = Trim(text);
    if (rest.empty() || (ebenen != 2 && ebenen != 3))
        return "";
    std::string sub;
    if (!TeilAbtrennen(rest, sub)) {
        sub = rest;
        rest.clear();
    }
    std::string middle;
    if (ebenen == 3 && !TeilAbtrennen(rest, middle)) {
        middle = rest;
        rest.clear();
    }
    if (ebenen == 2)
        return rest + trenner + sub;
    return rest + trenner + middle + trenner + sub;
}

char FilterTaste(char taste)
{
    if (taste == '\r' || taste == '\b' || (taste >= '0' && taste <= '9') || IstTrenner(taste))
        return taste;
    return '\0';
}

bool Verschluckt(char32_t zeichen)
{
    const bool steuerzeichen = zeichen < 0x20 || (zeichen >= 0x7F && zeichen < 0xA0);
    if (steuerzeichen)
        return false;
    return zeichen >= 0x80 || FilterTaste(static_cast<char>(zeichen)) == '\0';
}

} // namespace GrpAdrText
