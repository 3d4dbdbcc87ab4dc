#pragma once
// The one flat record in which every node of the configuration tree stores itself, and its
// one-line text form.
//
// A record line is the comma text (TStringList) of 41 values in field order: Handle, Name,
// Typ, Parent, System, Next, Param1..Param19, Bool1..Bool10 ("true"/"false"),
// String1..String5, and the end marker "Ende". Stored configurations hold such lines, so the
// form must stay byte for byte as it is:
// - an empty Name is written as the two-character text "" (quoted: six double quotes) and
//   reads back as that text, not as an empty name;
// - reading needs at least 40 values and never looks at the 41st; integers read as signed
//   decimal (sign and digits only, int32 range), anything else as 0; Typ keeps the low 16
//   bits; a bool is true only for "true" or "TRUE".

#include "quillon/QuillonExport.h"

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <string>

// Every failure of the record type: no base class, one message text.
class QUILLON_EXPORT E_DatenStruktur {
public:
    explicit E_DatenStruktur(std::string message);

    const std::string& Message() const { return m_message; }

private:
    std::string m_message;
};

// The record's operations by field name, in this order. A record is destroyed by its static
// type, never through this base.
class QUILLON_EXPORT TDatenStrukturBasis {
public:
    // The base holds nothing; lets the record compare all its fields by default.
    bool operator==(const TDatenStrukturBasis&) const = default;

    virtual bool MatchText(const std::string& feld, const std::string& wert) const = 0;
    virtual bool MatchInt(const std::string& feld, int32_t wert) const = 0;
    virtual bool MatchTyp(const std::string& feld, int32_t wert) const = 0;
    virtual bool MatchBool(const std::string& feld, bool wert) const = 0;
    virtual void Fill(const std::string& datensatz) = 0;
    virtual std::string GetDatensatzZeile() const = 0;

protected:
    TDatenStrukturBasis() = default;
    TDatenStrukturBasis(const TDatenStrukturBasis&) = default;
    TDatenStrukturBasis& operator=(const TDatenStrukturBasis&) = default;
    ~TDatenStrukturBasis() = default;
};

// A plain value: constructed with every field at its default (0, empty, false); copying and
// assignment copy every field.
class QUILLON_EXPORT TDatenStruktur final : public TDatenStrukturBasis {
public:
    static constexpr int kParamCount = 19;
    static constexpr int kBoolCount = 10;
    static constexpr int kStringCount = 5;
    // Values of a record line as written; Fill needs at least kMinWerte.
    static constexpr int kWerte = 41;
    static constexpr int kMinWerte = 40;

    // Field names compare exactly. A name not accepted throws E_DatenStruktur
    // "Feld nicht vorhanden: " + name.
    // "Name", "String1".."String4" (not "String5").
    bool MatchText(const std::string& feld, const std::string& wert) const override;
    // "Handle", "Parent", "Typ", "System", "Next", "Param1".."Param19"; Typ is compared
    // sign-extended, so Typ -1 matches -1 and not 65535.
    bool MatchInt(const std::string& feld, int32_t wert) const override;
    // "Typ" only; compares the low 16 bits of the value, so Typ -1 matches 65535.
    bool MatchTyp(const std::string& feld, int32_t wert) const override;
    // "Bool1".."Bool10".
    bool MatchBool(const std::string& feld, bool wert) const override;

    // Reads a record line. Fewer than 40 values throws E_DatenStruktur naming the first two
    // values and leaves the record as it was.
    void Fill(const std::string& datensatz) override;
    // The record line (no line end).
    std::string GetDatensatzZeile() const override;
    // The column-name line: "#Handle", the field names, "Endekennung".
    virtual std::string GetKopfZeile() const;
    // The identification line "#Norvik".
    virtual std::string GetDateiKennung() const;

    // Param(1..19), Bool(1..10), String(1..5); another number throws E_DatenStruktur
    // "Feld nicht vorhanden: " + the field name it would be.
    int32_t& Param(int n);
    int32_t Param(int n) const;
    bool& Bool(int n);
    bool Bool(int n) const;
    std::string& String(int n);
    const std::string& String(int n) const;

    // Ordering by a field for sorting a store: "Handle", "Parent", "Typ", "System", "Next",
    // "Param1".."Param19" as signed integers; "Name", "String1".."String4" as texts (bytewise).
    // Any other name throws E_DatenStruktur "Feld nicht vorhanden: " + name, at this call.
    using TFeldLess = std::function<bool(const TDatenStruktur&, const TDatenStruktur&)>;
    static TFeldLess FeldLess(const std::string& feld);

    // Every field equal.
    bool operator==(const TDatenStruktur&) const = default;

    int32_t Handle = 0;
    std::string Name;
    int16_t Typ = 0;
    int32_t Parent = 0;
    int32_t System = 0;
    int32_t Next = 0;
    int32_t Param1 = 0;
    int32_t Param2 = 0;
    int32_t Param3 = 0;
    int32_t Param4 = 0;
    int32_t Param5 = 0;
    int32_t Param6 = 0;
    int32_t Param7 = 0;
    int32_t Param8 = 0;
    int32_t Param9 = 0;
    int32_t Param10 = 0;
    int32_t Param11 = 0;
    int32_t Param12 = 0;
    int32_t Param13 = 0;
    int32_t Param14 = 0;
    int32_t Param15 = 0;
    int32_t Param16 = 0;
    int32_t Param17 = 0;
    int32_t Param18 = 0;
    int32_t Param19 = 0;
    bool Bool1 = false;
    bool Bool2 = false;
    bool Bool3 = false;
    bool Bool4 = false;
    bool Bool5 = false;
    bool Bool6 = false;
    bool Bool7 = false;
    bool Bool8 = false;
    bool Bool9 = false;
    bool Bool10 = false;
    std::string String1;
    std::string String2;
    std::string String3;
    std::string String4;
    std::string String5;
};

// Prints the record line (for test messages and the trace log).
QUILLON_EXPORT std::ostream& operator<<(std::ostream& out, const TDatenStruktur& record);
