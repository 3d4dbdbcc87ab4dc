#include "quillon/DatenStruktur.h"

#include "vcl/StringList.h"

#include <array>
#include <cstddef>
#include <limits>
#include <ostream>
#include <utility>
#include <vector>

namespace {

using TIntFeld = int32_t TDatenStruktur::*;
using TBoolFeld = bool TDatenStruktur::*;
using TTextFeld = std::string TDatenStruktur::*;

constexpr std::array<TIntFeld, TDatenStruktur::kParamCount> kParams = {
    &TDatenStruktur::Param1,  &TDatenStruktur::Param2,  &TDatenStruktur::Param3,
    &TDatenStruktur::Param4,  &TDatenStruktur::Param5,  &TDatenStruktur::Param6,
    &TDatenStruktur::Param7,  &TDatenStruktur::Param8,  &TDatenStruktur::Param9,
    &TDatenStruktur::Param10, &TDatenStruktur::Param11, &TDatenStruktur::Param12,
    &TDatenStruktur::Param13, &TDatenStruktur::Param14, &TDatenStruktur::Param15,
    &TDatenStruktur::Param16, &TDatenStruktur::Param17, &TDatenStruktur::Param18,
    &TDatenStruktur::Param19,
};

constexpr std::array<TBoolFeld, TDatenStruktur::kBoolCount> kBools = {
    &TDatenStruktur::Bool1, &TDatenStruktur::Bool2, &TDatenStruktur::Bool3,
    &TDatenStruktur::Bool4, &TDatenStruktur::Bool5, &TDatenStruktur::Bool6,
    &TDatenStruktur::Bool7, &TDatenStruktur::Bool8, &TDatenStruktur::Bool9,
    &TDatenStruktur::Bool10,
};

constexpr std::array<TTextFeld, TDatenStruktur::kStringCount> kStrings = {
    &TDatenStruktur::String1, &TDatenStruktur::String2, &TDatenStruktur::String3,
    &TDatenStruktur::String4, &TDatenStruktur::String5,
};

template <class Member> struct TBenannt {
    std::string name;
    Member member;
};

// The 32-bit integer fields a matcher or sort accepts by name (Typ, being 16 bits, apart).
const std::vector<TBenannt<TIntFeld>>& intFelder()
{
    static const std::vector<TBenannt<TIntFeld>> felder = [] {
        std::vector<TBenannt<TIntFeld>> v = {
            {"Handle", &TDatenStruktur::Handle},
            {"Parent", &TDatenStruktur::Parent},
            {"System", &TDatenStruktur::System},
            {"Next", &TDatenStruktur::Next},
        };
        for (std::size_t i = 0; i < kParams.size(); ++i)
            v.push_back({"Param" + std::to_string(i + 1), kParams[i]});
        return v;
    }();
    return felder;
}

// "Name", "String1".."String4": String5 is not matched or sorted by name.
const std::vector<TBenannt<TTextFeld>>& textFelder()
{
    static const std::vector<TBenannt<TTextFeld>> felder = [] {
        std::vector<TBenannt<TTextFeld>> v = {{"Name", &TDatenStruktur::Name}};
        for (std::size_t i = 0; i + 1 < kStrings.size(); ++i)
            v.push_back({"String" + std::to_string(i + 1), kStrings[i]});
        return v;
    }();
    return felder;
}

const std::vector<TBenannt<TBoolFeld>>& boolFelder()
{
    static const std::vector<TBenannt<TBoolFeld>> felder = [] {
        std::vector<TBenannt<TBoolFeld>> v;
        for (std::size_t i = 0; i < kBools.size(); ++i)
            v.push_back({"Bool" + std::to_string(i + 1), kBools[i]});
        return v;
    }();
    return felder;
}

template <class Member>
const Member* suche(const std::vector<TBenannt<Member>>& felder, const std::string& name)
{
    for (const auto& feld : felder) {
        if (feld.name == name)
            return &feld.member;
    }
    return nullptr;
}

[[noreturn]] void feldNichtVorhanden(const std::string& name)
{
    throw E_DatenStruktur("Feld nicht vorhanden: " + name);
}

// Sign and decimal digits only, within int32; anything else is 0.
int32_t leseInt(const std::string& text)
{
    std::size_t i = 0;
    bool negativ = false;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        negativ = text[0] == '-';
        i = 1;
    }
    if (i == text.size())
        return 0;
    // One past the int32 magnitude limit keeps the accumulator far from overflow.
    constexpr int64_t kGrenze = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    int64_t betrag = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            return 0;
        betrag = betrag * 10 + (c - '0');
        if (betrag > kGrenze)
            return 0;
    }
    const int64_t wert = negativ ? -betrag : betrag;
    if (wert > std::numeric_limits<int32_t>::max())
        return 0;
    return static_cast<int32_t>(wert);
}

bool leseBool(const std::string& text)
{
    return text == "true" || text == "TRUE";
}

int16_t low16(int32_t wert)
{
    return static_cast<int16_t>(static_cast<uint16_t>(static_cast<uint32_t>(wert) & 0xFFFFu));
}

template <class Array>
auto& feldNr(Array& felder, int n, const char* name)
{
    if (n < 1 || n > static_cast<int>(felder.size()))
        feldNichtVorhanden(name + std::to_string(n));
    return felder[static_cast<std::size_t>(n - 1)];
}

} // namespace

E_DatenStruktur::E_DatenStruktur(std::string message) : m_message(std::move(message)) {}

bool TDatenStruktur::MatchText(const std::string& feld, const std::string& wert) const
{
    if (const auto* member = suche(textFelder(), feld))
        return this->*(*member) == wert;
    feldNichtVorhanden(feld);
}

bool TDatenStruktur::MatchInt(const std::string& feld, int32_t wert) const
{
    if (feld == "Typ")
        return int32_t{Typ} == wert;
    if (const auto* member = suche(intFelder(), feld))
        return this->*(*member) == wert;
    feldNichtVorhanden(feld);
}

bool TDatenStruktur::MatchTyp(const std::string& feld, int32_t wert) const
{
    if (feld == "Typ")
        return Typ == low16(wert);
    feldNichtVorhanden(feld);
}

bool TDatenStruktur::MatchBool(const std::string& feld, bool wert) const
{
    if (const auto* member = suche(boolFelder(), feld))
        return this->*(*member) == wert;
    feldNichtVorhanden(feld);
}

void TDatenStruktur::Fill(const std::string& datensatz)
{
    TStringList werte;
    werte.SetCommaText(datensatz);
    if (werte.Count() < kMinWerte) {
        std::string message;
        if (werte.Count() >= 1)
            message = "TDatenStruktur::Fill(String Datensatz)\nHandle: " + werte[0];
        if (werte.Count() >= 2)
            message += "\nName  : " + werte[1];
        throw E_DatenStruktur(message);
    }

    int i = 0;
    Handle = leseInt(werte[i++]);
    Name = werte[i++];
    Typ = low16(leseInt(werte[i++]));
    Parent = leseInt(werte[i++]);
    System = leseInt(werte[i++]);
    Next = leseInt(werte[i++]);
    for (auto member : kParams)
        this->*member = leseInt(werte[i++]);
    for (auto member : kBools)
        this->*member = leseBool(werte[i++]);
    for (auto member : kStrings)
        this->*member = werte[i++];
    // Value 41, the end marker, and anything after it is not looked at.
}

std::string TDatenStruktur::GetDatensatzZeile() const
{
    // The values as a TStringList's CommaText writes them, written at once.
    std::string zeile;
    zeile.reserve(160 + Name.size());
    bool erster = true;
    auto wert = [&zeile, &erster](const std::string& text) {
        if (!erster)
            zeile += ',';
        erster = false;
        TStringList::AppendCommaValue(zeile, text);
    };
    wert(std::to_string(Handle));
    // Stored lines rely on the empty name being written as the text "".
    wert(Name.empty() ? std::string("\"\"") : Name);
    wert(std::to_string(Typ));
    wert(std::to_string(Parent));
    wert(std::to_string(System));
    wert(std::to_string(Next));
    for (auto member : kParams)
        wert(std::to_string(this->*member));
    static const std::string ja = "true";
    static const std::string nein = "false";
    for (auto member : kBools)
        wert(this->*member ? ja : nein);
    for (auto member : kStrings)
        wert(this->*member);
    wert("Ende");
    return zeile;
}

std::string TDatenStruktur::GetKopfZeile() const
{
    TStringList namen;
    for (const char* name : {"#Handle", "Name", "Typ", "Parent", "System", "Next"})
        namen.Add(name);
    for (int n = 1; n <= kParamCount; ++n)
        namen.Add("Param" + std::to_string(n));
    for (int n = 1; n <= kBoolCount; ++n)
        namen.Add("Bool" + std::to_string(n));
    for (int n = 1; n <= kStringCount; ++n)
        namen.Add("String" + std::to_string(n));
    namen.Add("Endekennung");
    return namen.CommaText();
}

std::string TDatenStruktur::GetDateiKennung() const
{
    return "#Norvik";
}

int32_t& TDatenStruktur::Param(int n)
{
    return this->*feldNr(kParams, n, "Param");
}

int32_t TDatenStruktur::Param(int n) const
{
    return this->*feldNr(kParams, n, "Param");
}

bool& TDatenStruktur::Bool(int n)
{
    return this->*feldNr(kBools, n, "Bool");
}

bool TDatenStruktur::Bool(int n) const
{
    return this->*feldNr(kBools, n, "Bool");
}

std::string& TDatenStruktur::String(int n)
{
    return this->*feldNr(kStrings, n, "String");
}

const std::string& TDatenStruktur::String(int n) const
{
    return this->*feldNr(kStrings, n, "String");
}

TDatenStruktur::TFeldLess TDatenStruktur::FeldLess(const std::string& feld)
{
    if (feld == "Typ")
        return [](const TDatenStruktur& a, const TDatenStruktur& b) { return a.Typ < b.Typ; };
    if (const auto* member = suche(intFelder(), feld)) {
        return [m = *member](const TDatenStruktur& a, const TDatenStruktur& b) {
            return a.*m < b.*m;
        };
    }
    if (const auto* member = suche(textFelder(), feld)) {
        return [m = *member](const TDatenStruktur& a, const TDatenStruktur& b) {
            return a.*m < b.*m;
        };
    }
    feldNichtVorhanden(feld);
}

std::ostream& operator<<(std::ostream& out, const TDatenStruktur& record)
{
    return out << record.GetDatensatzZeile();
}
