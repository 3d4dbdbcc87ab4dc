#pragma once
// Date and time: whether the device has a system clock, and the clock's summer/winter-time
// settings. One row (the clock), four device parameters.
//
// Members and where they go (all 8 bits, written sign-extended):
//   clock present               default 1   Bool3    parameter 10050
//   automatic summer/winter     default 1   Bool4    parameter 10020
//   month of winter time        default 10  Param3   parameter 10030
//   month of summer time        default 3   Param4   parameter 10040
// Only the clock has a row; the other three keep their defaults unless a record brings
// other values.

#include "pellam/DataBasis.h"
#include "tessarin/TessarinExport.h"

#include <cstdint>
#include <map>
#include <string>

class TObject;

class TESSARIN_EXPORT TAzDatumUhrzeit : public TDataBasis {
public:
    static constexpr int kTyp = 6147;
    static constexpr int kIcon = 59;
    static constexpr int kQuickHelpIndex = 226;

    // Row number of the clock row.
    static constexpr int kRowSystemUhr = 1;

    static constexpr int16_t kParamSystemUhr = 10050;
    static constexpr int16_t kParamAutoUmschaltung = 10020;
    static constexpr int16_t kParamMonatWinterzeit = 10030;
    static constexpr int16_t kParamMonatSommerzeit = 10040;

    // The arguments go to TDataBasis unchanged; the members get their defaults.
    TAzDatumUhrzeit(HWND owner, int32_t system, int32_t parent, std::string name, int32_t art);
    ~TAzDatumUhrzeit() override;

    int GetQuickHelpIndexOffset() const override;
    // The base's name, whatever the flag.
    std::string GetName(bool mitPosition) const override;
    int GetTyp() override;
    int ListStyle() override;
    int GetIcon() override;
    bool AllowChild(int typ) override;
    void Write(TDatenStruktur& record) override;
    bool AllowDrop(TDataBasis* source) override;
    void Drop(TDataBasis* source) override;
    void BuildInfoWindow(TDrawGridSE* grid, TListView* list, bool first, int column,
                         int row) override;
    // The months are taken as the low byte of their Param slots.
    void InitFromDB(TDatenStruktur& record) override;
    bool Einfuegen(std::map<int, TDatenStruktur>& records) override;

    // Writes 10050, 10020, 10030, 10040 in this order.
    void WriteDataToDb();

    // True exactly when the clock-present member is 1.
    bool GetStatusSystemUhrVorhanden() const;

    // Grid handlers: only GridComboBoxChange on the clock row acts (record written and the
    // view refreshed when the choice changed).
    void GridComboBoxChange(TObject* sender, TCell& cell, int column, int row);
    void GridEditChange(TObject* sender, TCell& cell, int column, int row);
    void GridSpinEditChange(TObject* sender, TCell& cell, int column, int row);
    void GridSpinEditOverflow(TDrawGridSE* grid, TObject* sender, TCell& cell, int column, int row,
                              double value);
    void GridSpinEditUnderflow(TDrawGridSE* grid, TObject* sender, TCell& cell, int column, int row,
                               double value);
    void GridExitCell(TDrawGridSE* grid, TObject* sender, TCell& cell, int column, int row);
    void GridExit(TDrawGridSE* grid, TObject* sender, TCell& cell, int column, int row);
    void GridEllipseClick(TObject* sender, TCell& cell, int column, int row);

private:
    int32_t m_quickHelpIndex;
    int8_t m_systemUhrVorhanden;
    int8_t m_autoUmschaltung;
    int8_t m_monatWinterzeit;
    int8_t m_monatSommerzeit;
};
