#pragma once
// Security of the bus alarm system: how often the detectors are polled, whether the function
// monitoring (a periodic sign of life on the bus) is on, its interval, and how a missing sign
// of life is reported. Up to four rows; switching the monitoring on or off is told to the
// editor (request code 15), which adds or removes the monitoring's bus objects.
//
// Members and where they go:
//   poll interval [s]        32 bits, 2..255, default 10   Param3   parameter 10090
//   monitoring on            8 bits, 0/1, default 0        Bool4    (none)
//   monitoring interval [s]  32 bits, 2..255, default 0    Param4   parameter 10080
//   reaction to a missing    8 bits, default 0             Bool3    parameter 7160
//     sign of life             (0 "Wie Sabotage", 1 "ÜG 'Störung'")
// While the monitoring is off the interval is 0, so parameter 10080 carries 0: switching it
// off and drawing the rows while it is off set the interval (and the reaction) to 0. A
// loaded record keeps its values until the rows are drawn.

#include "pellam/DataBasis.h"
#include "tessarin/TessarinExport.h"

#include <cstdint>
#include <map>
#include <string>

class TObject;

class TESSARIN_EXPORT TAzEibAlarmSystemSicherheit : public TDataBasis {
public:
    static constexpr int kTyp = 6145;
    static constexpr int kIcon = 57;
    static constexpr int kQuickHelpIndex = 212;

    // Row numbers.
    static constexpr int kRowAbfrageIntervall = 1;
    static constexpr int kRowUeberwachung = 2;
    static constexpr int kRowUeberwachungsIntervall = 3;
    static constexpr int kRowReaktion = 4;

    static constexpr int16_t kParamAbfrageIntervall = 10090;
    static constexpr int16_t kParamUeberwachungsIntervall = 10080;
    static constexpr int16_t kParamReaktion = 7160;

    // The request that tells the editor the monitoring was switched on (Wert4 1) or off (0).
    static constexpr uint8_t kCodeUeberwachung = 15;
    // The monitoring interval a newly switched-on monitoring starts with.
    static constexpr int32_t kUeberwachungsIntervallNeu = 30;

    // The arguments go to TDataBasis unchanged; the members get their defaults.
    TAzEibAlarmSystemSicherheit(HWND owner, int32_t system, int32_t parent, std::string name,
                                int32_t art);
    ~TAzEibAlarmSystemSicherheit() override;

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
    // Rows 1 and 2 always; rows 3 and 4 only while the monitoring is 1. Otherwise the
    // monitoring interval and the reaction become 0 (in the node; the record follows at the
    // next write).
    void BuildInfoWindow(TDrawGridSE* grid, TListView* list, bool first, int column,
                         int row) override;
    void InitFromDB(TDatenStruktur& record) override;
    bool Einfuegen(std::map<int, TDatenStruktur>& records) override;

    // Writes 10090, 10080, 7160 in this order.
    void WriteDataToDb();

    // True exactly when the monitoring member is 1.
    bool GetStatusHeartBeatUeberwachung() const;

    // Grid handlers (flags and their order: AzKnoten::FinishGridEdit):
    //  - GridExitCell, spin editor, rows 1 and 3: the interval; record written, other views.
    //  - GridComboBoxChange row 4: the reaction, when it changed; record, other views.
    //  - GridComboBoxChange row 2, when the choice changed: on sets the interval to 30 and the
    //    reaction to 0 and tells the editor; off asks first (No keeps it on, nothing told),
    //    on Yes the interval becomes 0 and the editor is told. Either way the record is
    //    written and the view rebuilt.
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
    // Switches the monitoring to the chosen value (row 2).
    void ChangeUeberwachung(int32_t neu);
    // Request code 15 with Wert4 = the monitoring member; the answer is not looked at.
    void MeldeUeberwachung();

    int32_t m_quickHelpIndex;
    int32_t m_abfrageIntervall;
    int32_t m_abfrageIntervallMax;
    int32_t m_abfrageIntervallMin;
    int32_t m_abfrageIntervallStep;
    int8_t m_ueberwachung;
    int32_t m_ueberwachungsIntervall;
    int32_t m_ueberwachungsIntervallMax;
    int32_t m_ueberwachungsIntervallMin;
    int32_t m_ueberwachungsIntervallStep;
    int8_t m_reaktion;
};
