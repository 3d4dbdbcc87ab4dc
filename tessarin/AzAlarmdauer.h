#pragma once
// How long the alarm centre's four alarm outputs stay on when an alarm is signalled: flash
// light, outdoor siren, indoor siren and relay, always in this order. Per output the user
// picks "Immer-Ein" (mode 0) or "Zeit" (mode 1) and, for a set time, the duration; one
// device parameter per output carries the duration, 255 standing for "Immer-Ein" (the modes
// themselves are not written).
//
// A timed duration lies in 2..254: seconds for flash and sirens, units of 10 seconds for the
// relay. Changing a mode in the grid resets the duration (mode 1: the output's time default,
// mode 0: 255); a loaded mode and duration that disagree are kept as they are.
//
// Record: durations in Param3..Param6, modes in Bool3..Bool6 (output order). Parameters
// 15010, 15020, 15030, 15040 (output order).

#include "pellam/DataBasis.h"
#include "tessarin/TessarinExport.h"

#include <array>
#include <cstdint>
#include <map>
#include <string>

class TObject;

class TESSARIN_EXPORT TAzAlarmdauer : public TDataBasis {
public:
    static constexpr int kTyp = 6140;
    static constexpr int kIcon = 49;
    static constexpr int kQuickHelpIndex = 170;

    // The outputs, in the order of rows, record slots and parameters.
    enum TAusgang { aBlitz = 0, aAussenSirene = 1, aInnenSirene = 2, aRelais = 3 };
    static constexpr int kAusgangCount = 4;

    // Modes: the index of the entry in the mode combo box.
    static constexpr int8_t kModusImmerEin = 0;
    static constexpr int8_t kModusZeit = 1;
    // The duration that stands for "Immer-Ein".
    static constexpr int32_t kDauerImmerEin = 255;
    // Limits of every duration row.
    static constexpr int32_t kDauerMax = 254;
    static constexpr int32_t kDauerMin = 2;
    static constexpr int32_t kDauerStep = 1;

    // Row numbers of output a: mode row 2a + 1, duration row 2a + 2.
    static constexpr int RowModus(int ausgang) { return 2 * ausgang + 1; }
    static constexpr int RowDauer(int ausgang) { return 2 * ausgang + 2; }

    // Parameter of output a: 15010 + 10a.
    static constexpr int16_t ParamDauer(int ausgang)
    {
        return static_cast<int16_t>(15010 + 10 * ausgang);
    }
    // The duration a newly chosen "Zeit" starts with: 254 flash, 180 sirens, 254 relay.
    static int32_t ZeitDefault(int ausgang);

    // The arguments go to TDataBasis unchanged. Default modes: flash and relay "Immer-Ein",
    // the sirens "Zeit"; the durations follow from them (255, 180, 180, 255).
    TAzAlarmdauer(HWND owner, int32_t system, int32_t parent, std::string name, int32_t art);
    ~TAzAlarmdauer() override;

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
    // Per output its mode row, and its duration row while the mode is "Zeit".
    void BuildInfoWindow(TDrawGridSE* grid, TListView* list, bool first, int column,
                         int row) override;
    void InitFromDB(TDatenStruktur& record) override;
    bool Einfuegen(std::map<int, TDatenStruktur>& records) override;

    // Writes the four durations to 15010, 15020, 15030, 15040.
    void WriteDataToDb();

    // The output's duration and mode (for an output outside 0..3: 0).
    int32_t GetDauer(int ausgang) const;
    int8_t GetModus(int ausgang) const;

    // Grid handlers (flags and their order: AzKnoten::FinishGridEdit):
    //  - GridComboBoxChange, mode rows: a changed mode resets the duration; record written,
    //    view rebuilt (the duration row comes or goes).
    //  - GridExitCell, spin editor, duration rows: a changed duration; record, other views.
    // The others do nothing; the overflow and underflow handlers leave the spin editor alone.
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
    // A duration and the limits its spin row is drawn with.
    struct TDauer {
        int32_t wert;
        int32_t max;
        int32_t min;
        int32_t step;
    };

    int32_t m_quickHelpIndex;
    std::array<TDauer, kAusgangCount> m_dauer;
    std::array<int8_t, kAusgangCount> m_modus;
};
