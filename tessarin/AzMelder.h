#pragma once
// A detector input of the alarm centre ("Eingang"): a bus detector input with its detector
// number, or the one wired input of the centre itself (area kind 2). The editor creates one
// per detector record (type 6124), gives it the alarm-centre variant code, its area kind and
// its number; the node shows its settings on the property grid and writes a 16-bit parameter
// block and a 14-character text as ETS device parameters.
//
// Record slots (after the base's): Param3 MelderArt, Param4 SicherungsBereichMelder,
// Param5 IndexMelderText, Param6 MelderTyp, Param7 MelderReserve, Param8 MelderBereich,
// Param9 MelderNr, Bool3 AktivBei, String4 MelderText. Byte members read back as the low byte.
//
// Device parameters: the wired input writes its block to 4620 and its text to 12611..12614
// whatever its number; a bus detector writes 3000 + 10 * nr and 11001 + 10 * nr .. +3, and
// only for numbers 0..160 (above, the numbers would run into the tamper contact's, the wired
// input's and the editable texts' parameters).

#include "pellam/DataBasis.h"
#include "tessarin/TessarinExport.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>

class TObject;
class TStringList;

struct TESSARIN_EXPORT T_DB_EnumAzMelder {
    // Area kind of a detector input: 0 fire detector, 1 hold-up detector, 2 the wired input
    // of the centre, 3..6 detector of SB 1..SB 4. The values have no names of their own.
    enum TEnumMelder : int32_t {};
};

class TESSARIN_EXPORT TAzMelder : public TDataBasis {
public:
    static constexpr int kTyp = 6124;
    static constexpr int kIcon = 33;
    static constexpr int kQuickHelpIndex = 104;
    // Longest text the device holds; the grid refuses longer ones.
    static constexpr int kMaxTextLaenge = 14;
    // Bus detector numbers that have device parameters of their own.
    static constexpr int32_t kMinMelderNr = 0;
    static constexpr int32_t kMaxMelderNr = 160;

    // The arguments go to TDataBasis unchanged. Defaults: area kind 3 (SB 1), input type 1
    // ("Melder sofort"), detector type 0, active level 1, number 0, text "Neuer Eingang",
    // variant 0x11330000 (the variant of a new alarm centre, until the editor gives one).
    TAzMelder(HWND owner, int32_t system, int32_t parent, std::string name, int32_t art);
    ~TAzMelder() override;

    // --- Node interface --------------------------------------------------------------------
    int GetQuickHelpIndexOffset() const override;
    // Wired input: "<text> - <base name>"; any other: "<text> - (Eingang <nr> <base name>)".
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
    void InitFromDB(TDatenStruktur& record) override;
    bool Einfuegen(std::map<int, TDatenStruktur>& records) override;
    // Takes input type, text index, detector type, active level, reserve and text of the
    // first record of type 6124 among the records; number, area kind and security area stay.
    // No such record: E_DataBasis (severity 3), this node unchanged. The node's record is not
    // written; the caller stores the node.
    bool Paste(TDatenManager<TDatenStruktur>* records, std::string& message) override;

    // --- Data ------------------------------------------------------------------------------
    int GetMelderNr() const { return m_melderNr; }
    void SetMelderNr(int nr) { m_melderNr = nr; }
    T_DB_EnumAzMelder::TEnumMelder GetMelderBereich() const;
    // Stores the low byte of the kind. For kinds 0..6 sets the security area (fire 5,
    // hold-up 6, wired input 1 when the variant has SB 1 else 6, SB n for kind n + 2) and
    // resets input type 1, reserve 0, text index 0, detector type 0, active level 1: true.
    // Any other kind: false, the other fields unchanged.
    bool SetMelderBereich(T_DB_EnumAzMelder::TEnumMelder bereich);
    int8_t GetSicherungsBereichMelder() const { return m_sicherungsBereichMelder; }
    int8_t GetMelderArt() const { return m_melderArt; }
    int8_t GetMelderTyp() const { return m_melderTyp; }
    bool GetAktivBei() const { return m_aktivBei; }
    int32_t GetMelderReserve() const { return m_melderReserve; }
    int GetIndexMelderText() const { return m_indexMelderText; }
    bool MelderTextUsed(int index) const { return index == m_indexMelderText; }
    std::string GetMelderText() const { return m_melderText; }
    uint32_t GetVarianteAz() const { return m_varianteAz; }
    // Stores the variant code, nothing else.
    void SetVarianteAz(uint32_t variante) { m_varianteAz = variante; }
    // The wired input follows a new variant: when its security area is one the variant no
    // longer has, it moves (from SB 1 to SB 2, from SB 2..4 to SB 1) with a warning box;
    // then the record is written, changed or not: true. An input of the fire or hold-up
    // area: false, nothing changed or written.
    bool ChangeVarianteAz(uint32_t variante);

    // Whether the variant code has SB 1 (bits 24-31 not zero) ... SB 4 (bits 0-7).
    static bool Exist_SB1(uint32_t variante) { return (variante & 0xFF000000u) != 0; }
    static bool Exist_SB2(uint32_t variante) { return (variante & 0x00FF0000u) != 0; }
    static bool Exist_SB3(uint32_t variante) { return (variante & 0x0000FF00u) != 0; }
    static bool Exist_SB4(uint32_t variante) { return (variante & 0x000000FFu) != 0; }

    // Rebuilds the choices of the "Melder-Text" row: the 20 room texts and the node's own
    // text, sorted without regard to case (the own text may stand twice); index receives the
    // position of the first entry equal to the node's text.
    void SetMelderTextListe(int& index);
    // Does nothing: the node's list is its own.
    void SetMelderTextListe(TStringList* liste);
    const TStringList& GetMelderTextListe() const { return *m_melderTextListe; }
    // Cuts the text to n characters when it is longer.
    static void SetLengthTexte(std::string& text, int n);
    // Adds one empty text to the list (none when the list is null): true.
    bool GetPhysAdrSe(T_DB_EnumAzMelder::TEnumMelder bereich, TStringList* liste);

    // --- Device parameters -----------------------------------------------------------------
    // Bits 0-2 input type, 3-5 security area, 6-12 text index, 13-14 detector type, 15 active
    // level; each field masked to its width, so a damaged value cannot spill into another.
    int32_t GetMelderParameterblock() const;
    // The block of that layout; the tamper contact builds its block with it too.
    static int32_t MelderParameterblock(int32_t melderArt, int32_t sicherungsBereich,
                                        int32_t indexMelderText, int32_t melderTyp,
                                        bool aktivBei);
    // The block number and the first text number of this input; false for a bus detector
    // whose number has no parameters (outside 0..160).
    bool GetParameterNummern(int& block, int& text) const;
    // Writes the block, then the text. Without ETS one box; a bus detector numbered outside
    // 0..160 writes nothing.
    void WriteDataToDb();
    // As WriteDataToDb with block 0 and an empty text (the input is being deleted).
    void ClearDbParameter();
    void SetStringToDeviceParamData(short number, const std::string& text);
    static uint32_t SwapDword(uint32_t value);

    // --- Grid ------------------------------------------------------------------------------
    // An editable combo row: the entries of the list (entry i stands for i), `selected` the
    // chosen position, `style` the combo style; help is `help` when above 0, else
    // GetQuickHelpIndexOffset() + row. `append` adds a grid row first.
    void AddRowComboBoxStyle(TDrawGridSE* grid, const std::string& caption, int row,
                             const TStringList* entries, int selected, TComboBoxStyle style,
                             bool flag, int help, bool append);

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

    // Row numbers of the grid.
    enum TRow {
        rowSicherungsBereich = 1,
        rowMelderArt = 2,
        rowMelderText = 4,
        rowMelderTyp = 5,
        rowAktivBei = 6,
    };

private:
    bool IstVerdrahtet() const;
    // The input type is fixed (a wired fire or hold-up input reacts at once), the detector
    // kind (a sabotage or lock input has none): the page shows no row for it.
    bool ArtFest() const;
    bool TypFest() const;
    // Sets the values the area and type leave no choice in, as the page shows them: after a
    // change of the input, never by drawing its page.
    void FesteWerte();
    void WriteParameter(int32_t block, const std::string& text);
    // Row 2 changed from `alt`: withdraws or registers the number as a sabotage input of
    // the arming area (requests 10, 8, 7). False when the user keeps the old input type.
    bool SaboSeAbgleich(int8_t alt);

    int32_t m_quickHelpIndex = kQuickHelpIndex;
    int8_t m_melderBereich = 3;
    int8_t m_sicherungsBereichMelder = 1;
    int8_t m_melderArt = 1;
    int32_t m_melderReserve = 0;
    int32_t m_indexMelderText = 0;
    int8_t m_melderTyp = 0;
    bool m_aktivBei = true;
    int32_t m_melderNr = 0;
    uint32_t m_varianteAz = 0x11330000u;
    std::string m_melderText;
    std::unique_ptr<TStringList> m_melderTextListe;
};
