#pragma once
// The root node of the alarm-centre configuration: the device itself (type 105). It holds
// the variant of the security areas, the arm/disarm pulse and acknowledgement times, the
// behaviour on bus-voltage return and the depth of the event memory, shows them on the
// property grid and writes them as ETS device parameters.
//
// Record (after the device base's Param4-Param6 and String2): Param7 variant code, Bool3 the
// flag without a row, Param9 pulse, Param10 arm and Param11 disarm acknowledgement time,
// Bool4 bus-voltage behaviour, Param12 event-memory depth (its low byte).
//
// Variant code: four bytes, from the most significant down, for security areas 1 to 4; a
// byte of 0 means the area does not exist.

#include "tessarin/TessarinExport.h"
#include "quillon/VireoEtsDevice.h"

#include <cstdint>
#include <map>
#include <string>

class TObject;

class TESSARIN_EXPORT TAzSystem : public TVireoEtsDevice {
public:
    // Behaviour on bus-voltage return (parameter 10010).
    enum TEnumBusspannung : int8_t {
        ebLetzterZustand = 0,   // "Letzter Zustand"
        ebAlleSsbUnscharf = 1,  // "Alle SSB unscharf"
    };

    static constexpr int kTyp = 105;
    static constexpr uint32_t kVarianteDefault = 0x11330000u;

    // Row numbers of the grid (there is no row 2).
    static constexpr int kRowVariante = 1;
    static constexpr int kRowImpuls = 3;
    static constexpr int kRowScharfQuittierung = 4;
    static constexpr int kRowUnscharfQuittierung = 5;
    static constexpr int kRowBusspannung = 6;

    // The three times are seconds within these limits.
    static constexpr int32_t kZeitMin = 2;
    static constexpr int32_t kZeitMax = 255;
    static constexpr int32_t kZeitStep = 1;

    // Request codes of the variant change (UM_UserDeviceMessage).
    static constexpr uint8_t kCodeVarianteDialog = 0;
    static constexpr uint8_t kCodeVarianteAendern = 4;

    // owner, system, parent, name, the ETS device id, the device value and art go to
    // TVireoEtsDevice; then variant 0x11330000, pulse 5 s, arm acknowledgement 5 s, disarm
    // acknowledgement 10 s, last state on bus-voltage return, depth 160, the flag 0.
    TAzSystem(HWND owner, int32_t system, int32_t parent, std::string name, int32_t deviceId,
              int32_t deviceValue, int32_t art);
    ~TAzSystem() override;

    int GetQuickHelpIndexOffset() const override;
    // The device base's name (name, " [", physical address, "]").
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

    // --- Called by the editor --------------------------------------------------------------
    uint32_t GetParamVarianteAz() const { return m_varianteAz; }
    // Stores the code as given: no check against the known codes, no record write.
    void SetParamVarianteAz(uint32_t variante);
    // The text of one of the 15 known codes ("Konfiguration 1" ... "Konfiguration 7.2");
    // empty for any other code.
    static std::string GetTextVarianteAz(uint32_t variante);
    // The event-memory depth for the number of security areas of the variant: 1 → 255,
    // 2 → 160, 3 → 106, 4 → 80; any other number leaves the depth as it is.
    void SetEreignisspeichertiefe(int bereiche);
    // The stored depth (0-255).
    int GetEreignisspeichertiefe() const { return m_ereignisspeichertiefe; }
    // The seven parameters: 10070 variant, 10060 flag, 10110 pulse, 10120 arm and 10130
    // disarm acknowledgement time, 10010 bus-voltage behaviour, 10140 depth. With ETS not
    // reachable one box and nothing written.
    void WriteDataToDb();

    int32_t GetImpuls() const { return m_impuls; }
    int32_t GetScharfQuittierungszeit() const { return m_scharfQuittierung; }
    int32_t GetUnscharfQuittierungszeit() const { return m_unscharfQuittierung; }
    int8_t GetBusspannungswiederkehr() const { return m_busspannung; }

    // --- Grid handlers (bound by BuildInfoWindow) ------------------------------------------
    // Row 6: the chosen position becomes the bus-voltage behaviour; a change writes the
    // record and posts UM_AktualisiereAndereAnsichten. No selection (-1) changes nothing.
    void GridComboBoxChange(TObject* sender, TCell& cell, int column, int row);
    // Nothing: the times are taken when the cell is left.
    void GridEditChange(TObject* sender, TCell& cell, int column, int row);
    void GridSpinEditChange(TObject* sender, TCell& cell, int column, int row);
    // A value typed beyond the limits: the spin editor's position goes to its maximum
    // (overflow) or minimum (underflow) and its value is taken back from the position. The
    // member, the record and the windows are not touched (the cell is committed on leaving).
    void GridSpinEditOverflow(TDrawGridSE* grid, TObject* sender, TCell& cell, int column,
                              int row, double value);
    void GridSpinEditUnderflow(TDrawGridSE* grid, TObject* sender, TCell& cell, int column,
                               int row, double value);
    // Rows 3, 4, 5 with the spin editor: its value becomes the pulse, the arm or the disarm
    // acknowledgement time; the record is written, UM_AktualisiereAndereAnsichten posted.
    void GridExitCell(TDrawGridSE* grid, TObject* sender, TCell& cell, int column, int row);
    void GridExit(TDrawGridSE* grid, TObject* sender, TCell& cell, int column, int row);
    // Row 1: the variant change with the editor (request code 0: its variant dialog; on a
    // new code, after the user's yes, code 4 with Wert8 the new code). Done: the depth
    // follows the number of areas the editor answers in Wert4, the record is written and
    // UM_AbgleichFormVerw and UM_AktualisiereAnsicht are posted. The user's no puts the old
    // code back; the editor's refusal shows an error box and keeps the new code in memory
    // only (the record keeps the old one until the node is written next).
    void GridEllipseClick(TObject* sender, TCell& cell, int column, int row);

private:
    int32_t m_quickHelpIndex;
    uint32_t m_varianteAz = kVarianteDefault;
    int8_t m_flag = 0; // no row sets it; only loaded, stored and written
    int32_t m_impuls = 5;
    int32_t m_impulsMax = kZeitMax;
    int32_t m_impulsMin = kZeitMin;
    int32_t m_impulsStep = kZeitStep;
    int32_t m_scharfQuittierung = 5;
    int32_t m_scharfQuittierungMax = kZeitMax;
    int32_t m_scharfQuittierungMin = kZeitMin;
    int32_t m_scharfQuittierungStep = kZeitStep;
    int32_t m_unscharfQuittierung = 10;
    int32_t m_unscharfQuittierungMax = kZeitMax;
    int32_t m_unscharfQuittierungMin = kZeitMin;
    int32_t m_unscharfQuittierungStep = kZeitStep;
    int8_t m_busspannung = ebLetzterZustand;
    uint8_t m_ereignisspeichertiefe = 160;
};
