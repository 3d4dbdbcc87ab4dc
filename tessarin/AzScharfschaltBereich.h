#pragma once
// Arming areas SSB 1 to SSB 4 ("Scharfschalt-Bereich"). Every area the alarm-centre variant
// has is one node under the arming folder; the editor creates and removes them with the
// variant and hangs the area's arming and acknowledgement nodes below. An area's one
// setting is its text of up to 14 characters: the tree shows it followed by the short name
// ("SSB 1 (SSB 1)"), the record keeps it in String4, and WriteDataToDb packs it into the
// area's four device parameters (19101..19104 for SSB 1, 19201.. for SSB 2, ...). The
// editor also names the arming area of an event-memory entry by this text.
//
// TAzScharfschaltBereich holds all the behaviour; the four numbered classes add their type,
// image, quick-help index, short name, default text and parameter numbers. The editor calls
// GetTextScharfschaltBereich and WriteDataToDb on the numbered class of the node's type.
//
// The text row limits typing to 14 characters; a longer text from a record stays whole in
// the node and its record, and only its first 14 characters reach the device.

#include "pellam/DataBasis.h"
#include "tessarin/TessarinExport.h"

#include <cstdint>
#include <map>
#include <string>

class TObject;

class TESSARIN_EXPORT TAzScharfschaltBereich : public TDataBasis {
public:
    static constexpr int kQuickHelpIndex = 124;
    // Characters of the text the device holds.
    static constexpr int kMaxTextLaenge = 14;

    // Row number of the area text.
    enum TRow {
        rowText = 1,
    };

    // The arguments go to TDataBasis unchanged. The area text starts as "SSB"; the numbered
    // classes give their own default.
    TAzScharfschaltBereich(HWND owner, int32_t system, int32_t parent, std::string name,
                           int32_t art);
    ~TAzScharfschaltBereich() override;

    // --- Node interface --------------------------------------------------------------------
    int GetQuickHelpIndexOffset() const override;
    // The area text itself, whatever the argument (the numbered classes add the short name).
    std::string GetName(bool mitPosition) const override;
    int GetTyp() override = 0;
    int ListStyle() override;
    int GetIcon() override = 0;
    bool AllowChild(int typ) override;
    // The base's fields, then String4 := area text.
    void Write(TDatenStruktur& record) override;
    bool AllowDrop(TDataBasis* source) override;
    void Drop(TDataBasis* source) override;
    // One row: the area text, limited to 14 characters. The grid's Tag becomes -1 while the
    // node's flag is set.
    void BuildInfoWindow(TDrawGridSE* grid, TListView* list, bool first, int column,
                         int row) override;
    // The base's fields, then area text := String4, taken whole (not cut).
    void InitFromDB(TDatenStruktur& record) override;
    bool Einfuegen(std::map<int, TDatenStruktur>& records) override;

    // --- Data ------------------------------------------------------------------------------
    // Sets the area text: no cut, no record write, no message.
    void SetDefaultName(std::string text);
    // Cuts the text to its first `length` characters when it is longer.
    static void SetLengthTexte(std::string& text, int length);

    // --- Device parameters -----------------------------------------------------------------
    // Packs the area text into the parameters number .. number+3 (numbers travel as 16-bit
    // values). Without ETS one box, nothing written. True when written.
    [[nodiscard]] bool WriteTextSsbToDb(int number);
    // The text packing shared by every class that writes a device text: the first 14
    // characters, character 1 in the top byte of the first value. Obtains the parameter
    // access itself (one box per call without ETS). True when written.
    [[nodiscard]] bool SetStringToDeviceParamData(int16_t number, const std::string& text);
    static uint32_t SwapDword(uint32_t value);

    // --- Grid ------------------------------------------------------------------------------
    // Only GridExitCell has an effect: leaving the text cell with a changed text (compared
    // byte for byte) stores it, writes the record and has the other views and the tree
    // refreshed. Device parameters are written only by WriteDataToDb.
    void GridComboBoxChange(TObject* sender, TCell& cell, int column, int row);
    void GridEditChange(TObject* sender, TCell& cell, int column, int row);
    void GridSpinEditChange(TObject* sender, TCell& cell, int column, int row);
    void GridSpinEditOverflow(TDrawGridSE* grid, TObject* sender, TCell& cell, int column,
                              int row, double value);
    void GridSpinEditUnderflow(TDrawGridSE* grid, TObject* sender, TCell& cell, int column,
                               int row, double value);
    void GridExitCell(TDrawGridSE* grid, TObject* sender, TCell& cell, int column, int row);
    void GridExit(TDrawGridSE* grid, TObject* sender, TCell& cell, int column, int row);
    void GridEllipseClick(TObject* sender, TCell& cell, int column, int row);

protected:
    const std::string& BereichText() const { return m_text; }
    // "<area text> (<short name>)": the tree text of a numbered area.
    std::string NameMitKurzname(const std::string& kurzname) const;

private:
    int32_t m_quickHelpIndex = kQuickHelpIndex;
    std::string m_text;
};

class TESSARIN_EXPORT TAzScharfschaltBereich1 : public TAzScharfschaltBereich {
public:
    static constexpr int kTyp = 6132;
    static constexpr int kIcon = 41;
    static constexpr int kQuickHelpIndex = 124;
    static constexpr int kParamText = 19101;

    // Area text "SSB 1".
    TAzScharfschaltBereich1(HWND owner, int32_t system, int32_t parent, std::string name,
                            int32_t art);
    ~TAzScharfschaltBereich1() override;

    int GetQuickHelpIndexOffset() const override;
    // "<area text> (SSB 1)".
    std::string GetName(bool mitPosition) const override;
    int GetTyp() override;
    int GetIcon() override;

    // The area text, whole, without the short name.
    std::string GetTextScharfschaltBereich() const;
    // The area text to 19101..19104.
    void WriteDataToDb();

private:
    int32_t m_quickHelpIndex = kQuickHelpIndex;
};

class TESSARIN_EXPORT TAzScharfschaltBereich2 : public TAzScharfschaltBereich {
public:
    static constexpr int kTyp = 6133;
    static constexpr int kIcon = 42;
    static constexpr int kQuickHelpIndex = 126;
    static constexpr int kParamText = 19201;

    // Area text "SSB 2".
    TAzScharfschaltBereich2(HWND owner, int32_t system, int32_t parent, std::string name,
                            int32_t art);
    ~TAzScharfschaltBereich2() override;

    int GetQuickHelpIndexOffset() const override;
    // "<area text> (SSB 2)".
    std::string GetName(bool mitPosition) const override;
    int GetTyp() override;
    int GetIcon() override;

    // The area text, whole, without the short name.
    std::string GetTextScharfschaltBereich() const;
    // The area text to 19201..19204.
    void WriteDataToDb();

private:
    int32_t m_quickHelpIndex = kQuickHelpIndex;
};

class TESSARIN_EXPORT TAzScharfschaltBereich3 : public TAzScharfschaltBereich {
public:
    static constexpr int kTyp = 6134;
    static constexpr int kIcon = 43;
    static constexpr int kQuickHelpIndex = 128;
    static constexpr int kParamText = 19301;

    // Area text "SSB 3".
    TAzScharfschaltBereich3(HWND owner, int32_t system, int32_t parent, std::string name,
                            int32_t art);
    ~TAzScharfschaltBereich3() override;

    int GetQuickHelpIndexOffset() const override;
    // "<area text> (SSB 3)".
    std::string GetName(bool mitPosition) const override;
    int GetTyp() override;
    int GetIcon() override;

    // The area text, whole, without the short name.
    std::string GetTextScharfschaltBereich() const;
    // The area text to 19301..19304.
    void WriteDataToDb();

private:
    int32_t m_quickHelpIndex = kQuickHelpIndex;
};

class TESSARIN_EXPORT TAzScharfschaltBereich4 : public TAzScharfschaltBereich {
public:
    static constexpr int kTyp = 6135;
    static constexpr int kIcon = 44;
    static constexpr int kQuickHelpIndex = 130;
    static constexpr int kParamText = 19401;

    // Area text "SSB 4".
    TAzScharfschaltBereich4(HWND owner, int32_t system, int32_t parent, std::string name,
                            int32_t art);
    ~TAzScharfschaltBereich4() override;

    int GetQuickHelpIndexOffset() const override;
    // "<area text> (SSB 4)".
    std::string GetName(bool mitPosition) const override;
    int GetTyp() override;
    int GetIcon() override;

    // The area text, whole, without the short name.
    std::string GetTextScharfschaltBereich() const;
    // The area text to 19401..19404.
    void WriteDataToDb();

private:
    int32_t m_quickHelpIndex = kQuickHelpIndex;
};
