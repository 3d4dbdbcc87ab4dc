#pragma once
// One display unit of the alarm centre (display 1 to 4, numbers 0 to 3): its name, whether it
// is present, and the areas whose state it shows as a 6-bit area mask (bits 0-3 arming areas
// SSB1-SSB4, bit 4 fire, bit 5 hold-up; 63 shows every area). The displays hang under
// TAzOrdnerAnzeige, which keeps their masks and writes the union.
//
// Only arming areas that the configuration variant has can be shown: the variant's bytes,
// from the most significant down, stand for SSB1 to SSB4 (nonzero: the area exists).
//
// Record: Param3 the area mask, Param4 the display number (sign-extended; read back as its
// low byte), Bool3 the present flag, String2 the name. The variant and the parameter number
// are not stored: the editor sets them again after loading (SetVarianteAz, InitAnzeige).
//
// Device parameter: the area mask to 14010, 14020, 14030 or 14040 for display 0 to 3, also
// while the display is absent. A display whose number lies outside 0-3 keeps the number it
// had (14010 after construction).

#include "pellam/DataBasis.h"
#include "tessarin/TessarinExport.h"

#include <cstdint>
#include <map>
#include <string>

class TObject;

struct T_DB_EnumAzAnzeige {
    // The display number; stored as a signed byte.
    enum TEnumAnzeigeNr : int8_t {
        anAnzeige1 = 0,
        anAnzeige2 = 1,
        anAnzeige3 = 2,
        anAnzeige4 = 3,
    };
};

class TESSARIN_EXPORT TAzAnzeige : public TDataBasis {
public:
    using TEnumAnzeigeNr = T_DB_EnumAzAnzeige::TEnumAnzeigeNr;

    // Row numbers of the property grid.
    enum : int {
        kRowBezeichnung = 1, // the name
        kRowVorhanden = 2,   // present yes/no
        kRowBereiche = 3,    // the shown areas (ellipsis); only while present
    };

    // Bits of the area mask.
    static constexpr int32_t kMaskSsb1 = 0x01;
    static constexpr int32_t kMaskSsb2 = 0x02;
    static constexpr int32_t kMaskSsb3 = 0x04;
    static constexpr int32_t kMaskSsb4 = 0x08;
    static constexpr int32_t kMaskFeuer = 0x10;
    static constexpr int32_t kMaskUeberfall = 0x20;
    static constexpr int32_t kMaskAlle = 0x3F;

    // Name "Anzeige", present, display 0, mask 63, variant 0x113344CC (all four arming areas),
    // parameter 14010.
    TAzAnzeige(HWND owner, int32_t system, int32_t parent, std::string name, int32_t art);
    ~TAzAnzeige() override;

    int GetQuickHelpIndexOffset() const override;
    // The display's own name, whatever the flag (not the base's name).
    std::string GetName(bool mitPosition) const override;
    int GetTyp() override;
    int ListStyle() override;
    // 52 to 55 for display 0 to 3; 51 for any other number.
    int GetIcon() override;
    bool AllowChild(int typ) override;
    void Write(TDatenStruktur& record) override;
    bool AllowDrop(TDataBasis* source) override;
    void Drop(TDataBasis* source) override;
    // Rows 1 (name), 2 (present) and, while present, 3 (areas). An absent display's mask
    // becomes 0 here (in memory only).
    void BuildInfoWindow(TDrawGridSE* grid, TListView* list, bool first, int column,
                         int row) override;
    void InitFromDB(TDatenStruktur& record) override;
    bool Einfuegen(std::map<int, TDatenStruktur>& records) override;

    // The name; the record is not written.
    void SetDefaultName(std::string name);
    // Stores the number; for 0-3 the parameter number follows it, any other number keeps the
    // parameter number. Always true.
    bool SetAnzeigeNr(TEnumAnzeigeNr nummer);
    // SetAnzeigeNr with the stored number (after loading).
    void InitAnzeige();
    void GetAnzeigeNr(TEnumAnzeigeNr& nummer) const;
    // True exactly when the present flag is 1.
    bool GetStatusAnzeigeVorhanden() const;
    int GetAnzeigeSsb() const;
    // The area mask; nothing else (no record write, no request).
    void SetAnzeigeSsb(int maske);
    // The variant; nothing else.
    void SetVarianteAz(uint32_t variante);
    // Stores the variant, clears the mask bits of the arming areas it lacks (the clearing
    // keeps only the low 8 bits of the mask; fire and hold-up stay) and writes the record.
    void ModifyAnzeigeSsb(uint32_t variante);

    // Whether arming area 1..4 exists in the variant: byte 3, 2, 1, 0 is nonzero.
    static bool Exist_SSB1(uint32_t variante);
    static bool Exist_SSB2(uint32_t variante);
    static bool Exist_SSB3(uint32_t variante);
    static bool Exist_SSB4(uint32_t variante);
    // Whether the mask shows the area: bit 0..5.
    static bool Anzeige_Ssb1(int maske);
    static bool Anzeige_Ssb2(int maske);
    static bool Anzeige_Ssb3(int maske);
    static bool Anzeige_Ssb4(int maske);
    static bool Anzeige_Feuer(int maske);
    static bool Anzeige_Ueberfall(int maske);
    // The areas of the mask, bits 0 to 5 in order, joined by ", "; empty for none.
    static std::string GetTextAnzeigeSsb(int maske);

    // The area mask to the display's parameter. The parameter follows the stored number
    // whenever that is 0-3, also when the editor did not call InitAnzeige after loading.
    void WriteDataToDb();

    // Grid handlers (bound by BuildInfoWindow).
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

private:
    static bool IstGueltigeNr(TEnumAnzeigeNr nummer);

    int32_t m_quickHelpIndex;
    std::string m_name;
    int8_t m_vorhanden = 1;  // 0 or 1
    TEnumAnzeigeNr m_anzeigeNr = T_DB_EnumAzAnzeige::anAnzeige1;
    int32_t m_anzeigeSsb = kMaskAlle;
    uint32_t m_varianteAz = 0x113344CCu;
    int16_t m_paramNr = 14010;
};
