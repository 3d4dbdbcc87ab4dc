#pragma once
// Security areas SB 1 to SB 4 ("Sicherungs-Bereich"). Every area the alarm-centre variant
// has is one node under the folder of security areas; the editor creates and removes them
// with the variant. An area's one setting is its text, the designation the user gives it:
// the tree shows it followed by the short name ("Sicherungs-Bereich 1 (SB 1)"), the record
// keeps it in String4. A security area writes no device parameters.
//
// TAzSicherungsBereich holds all the behaviour; the four numbered classes add only their
// type, image, quick-help index, short name and default text. The base name given to the
// constructor stays the record's Name; the tree shows the area text instead.

#include "pellam/DataBasis.h"
#include "tessarin/TessarinExport.h"

#include <cstdint>
#include <map>
#include <string>

class TObject;

class TESSARIN_EXPORT TAzSicherungsBereich : public TDataBasis {
public:
    static constexpr int kQuickHelpIndex = 116;

    // Row number of the area text.
    enum TRow {
        rowBezeichnung = 1,
    };

    // The arguments go to TDataBasis unchanged. The area text starts as "Sicherungs-Bereich";
    // the numbered classes give their own default.
    TAzSicherungsBereich(HWND owner, int32_t system, int32_t parent, std::string name,
                         int32_t art);
    ~TAzSicherungsBereich() override;

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
    // One row: the area text, without a length limit. The grid's Tag becomes -1 while the
    // node's flag is set.
    void BuildInfoWindow(TDrawGridSE* grid, TListView* list, bool first, int column,
                         int row) override;
    // The base's fields, then area text := String4, taken whole.
    void InitFromDB(TDatenStruktur& record) override;
    bool Einfuegen(std::map<int, TDatenStruktur>& records) override;

    // --- Data ------------------------------------------------------------------------------
    // Sets the area text: no check, no record write, no message.
    void SetDefaultName(std::string text);

    // --- Grid ------------------------------------------------------------------------------
    // Only GridExitCell has an effect: leaving the text cell with a changed text (compared
    // byte for byte) stores it, writes the record and has the other views and the tree
    // refreshed.
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

class TESSARIN_EXPORT TAzSicherungsBereich1 : public TAzSicherungsBereich {
public:
    static constexpr int kTyp = 6127;
    static constexpr int kIcon = 36;

    // Area text "Sicherungs-Bereich 1".
    TAzSicherungsBereich1(HWND owner, int32_t system, int32_t parent, std::string name,
                          int32_t art);
    ~TAzSicherungsBereich1() override;

    int GetQuickHelpIndexOffset() const override;
    // "<area text> (SB 1)".
    std::string GetName(bool mitPosition) const override;
    int GetTyp() override;
    int GetIcon() override;

private:
    int32_t m_quickHelpIndex = kQuickHelpIndex;
};

class TESSARIN_EXPORT TAzSicherungsBereich2 : public TAzSicherungsBereich {
public:
    static constexpr int kTyp = 6128;
    static constexpr int kIcon = 37;

    // Area text "Sicherungs-Bereich 2".
    TAzSicherungsBereich2(HWND owner, int32_t system, int32_t parent, std::string name,
                          int32_t art);
    ~TAzSicherungsBereich2() override;

    int GetQuickHelpIndexOffset() const override;
    // "<area text> (SB 2)".
    std::string GetName(bool mitPosition) const override;
    int GetTyp() override;
    int GetIcon() override;

private:
    int32_t m_quickHelpIndex = kQuickHelpIndex;
};

class TESSARIN_EXPORT TAzSicherungsBereich3 : public TAzSicherungsBereich {
public:
    static constexpr int kTyp = 6129;
    static constexpr int kIcon = 38;

    // Area text "Sicherungs-Bereich 3".
    TAzSicherungsBereich3(HWND owner, int32_t system, int32_t parent, std::string name,
                          int32_t art);
    ~TAzSicherungsBereich3() override;

    int GetQuickHelpIndexOffset() const override;
    // "<area text> (SB 3)".
    std::string GetName(bool mitPosition) const override;
    int GetTyp() override;
    int GetIcon() override;

private:
    int32_t m_quickHelpIndex = kQuickHelpIndex;
};

class TESSARIN_EXPORT TAzSicherungsBereich4 : public TAzSicherungsBereich {
public:
    static constexpr int kTyp = 6130;
    static constexpr int kIcon = 39;

    // Area text "Sicherungs-Bereich 4".
    TAzSicherungsBereich4(HWND owner, int32_t system, int32_t parent, std::string name,
                          int32_t art);
    ~TAzSicherungsBereich4() override;

    int GetQuickHelpIndexOffset() const override;
    // "<area text> (SB 4)".
    std::string GetName(bool mitPosition) const override;
    int GetTyp() override;
    int GetIcon() override;

private:
    int32_t m_quickHelpIndex = kQuickHelpIndex;
};
