#pragma once
// The centre's own wired tamper contact input (type 6126). The user chooses only the
// end-of-line resistor; the node writes that choice and a parameter block laid out like a
// detector input's block as two device parameters.
//
// Record: Param3 resistor, Param4 input type, Param5 area, Param6 text index, Param7 detector
// type, Bool3 active level. The block fields other than the resistor come only from the
// constructor or the record and are written back unchanged.

#include "tessarin/TessarinExport.h"
#include "pellam/DataBasis.h"

#include <cstdint>
#include <map>
#include <string>

class TObject;

class TESSARIN_EXPORT TAzSabotageKontakt : public TDataBasis {
public:
    // End-of-line resistor of the contact (parameter 4630).
    enum TEnumWiderstand : int8_t {
        ewOhm0 = 0,   // "0 Ohm"
        ewKOhm12 = 1, // "12 KOhm"
        ewKOhm47 = 2, // "47 KOhm"
    };

    static constexpr int kTyp = 6126;
    static constexpr int kRowWiderstand = 2;
    static constexpr int kParamWiderstand = 4630;
    static constexpr int kParamBlock = 4610;

    // The common node constructor; then resistor 0 Ohm, input type 1, area 7, text index 0,
    // detector type 0, active level true.
    TAzSabotageKontakt(HWND owner, int32_t system, int32_t parent, std::string name,
                       int32_t art);
    ~TAzSabotageKontakt() override;

    int GetQuickHelpIndexOffset() const override;
    std::string GetName(bool mitPosition) const override;
    int GetTyp() override;
    int ListStyle() override;
    int GetIcon() override;
    bool AllowChild(int typ) override;
    bool AllowDrop(TDataBasis* source) override;
    void Drop(TDataBasis* source) override;
    void Write(TDatenStruktur& record) override;
    void InitFromDB(TDatenStruktur& record) override;
    void BuildInfoWindow(TDrawGridSE* grid, TListView* list, bool first, int column,
                         int row) override;
    bool Einfuegen(std::map<int, TDatenStruktur>& records) override;

    // The detector inputs' block layout (TAzMelder::MelderParameterblock): bits 0-2 input
    // type, 3-5 area, 6-12 text index, 13-14 detector type, 15 active level, each field
    // masked to its width, so a damaged record cannot spill into its neighbours. Defaults:
    // 32825.
    int32_t GetMelderParameterblock() const;

    // Parameter 4630 the resistor, then 4610 the block; with ETS not reachable one box and
    // nothing written.
    void WriteDataToDb();

    int8_t GetWiderstand() const { return m_widerstand; }

    // --- Grid handlers (bound by BuildInfoWindow) ------------------------------------------
    // Row 2: the chosen position becomes the resistor; a change writes the record and posts
    // UM_AktualisiereAndereAnsichten. No selection (-1) changes nothing.
    void GridComboBoxChange(TObject* sender, TCell& cell, int column, int row);
    // The other handlers have no row to serve: nothing.
    void GridEditChange(TObject* sender, TCell& cell, int column, int row);
    void GridSpinEditChange(TObject* sender, TCell& cell, int column, int row);
    void GridSpinEditOverflow(TDrawGridSE* grid, TObject* sender, TCell& cell, int column,
                              int row, double value);
    void GridSpinEditUnderflow(TDrawGridSE* grid, TObject* sender, TCell& cell, int column,
                               int row, double value);
    void GridExitCell(TDrawGridSE* grid, TObject* sender, TCell& cell, int column, int row);
    void GridExit(TDrawGridSE* grid, TObject* sender, TCell& cell, int column, int row);
    void GridEllipseClick(TObject* sender, TCell& cell, int column, int row);

private:
    int32_t m_quickHelpIndex;
    int8_t m_widerstand = ewOhm0;
    int8_t m_melderArt = 1;
    int8_t m_sicherungsBereichMelder = 7;
    int32_t m_indexMelderText = 0;
    int8_t m_melderTyp = 0;
    bool m_aktivBei = true;
};
