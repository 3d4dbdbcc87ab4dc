#pragma once
// The device's fixed display texts: the 50 short texts the alarm centre shows for its states
// and events ("Sabotage", "Netzausfall", "Bereit zum" / "Scharfschalten" ...). The node is
// hidden in the tree, draws no rows and stores nothing of its own; when the configuration is
// stored in ETS it packs each text into four device parameters.
//
// The texts are the language texts of ids 10368..10417 in id order, read when they are
// written (not copied into the node). Text k (0..49) goes to parameters 12621 + 5k to
// 12624 + 5k; the fifth number of each group is not written.

#include "pellam/DataBasis.h"
#include "tessarin/TessarinExport.h"

#include <array>
#include <cstdint>
#include <map>
#include <string>

class TObject;
class TStringList;

class TESSARIN_EXPORT TAzEditierbareTexte : public TDataBasis {
public:
    static constexpr int kTyp = 6121;
    static constexpr int kIcon = 30;
    static constexpr int kQuickHelpIndex = 30;
    static constexpr int kTextCount = 50;
    static constexpr int kFirstTextId = 10368;
    static constexpr int kFirstParam = 12621;
    static constexpr int kParamStep = 5;

    // The arguments go to TDataBasis unchanged.
    TAzEditierbareTexte(HWND owner, int32_t system, int32_t parent, std::string name, int32_t art);
    ~TAzEditierbareTexte() override;

    int GetQuickHelpIndexOffset() const override;
    // The base's name, whatever the flag.
    std::string GetName(bool mitPosition) const override;
    int GetTyp() override;
    int ListStyle() override;
    int GetIcon() override;
    bool AllowChild(int typ) override;
    // false: the tree does not show the node.
    bool IsVisible() override;
    // The base's Write; a continuation link (Next > 0) the record held before is kept.
    void Write(TDatenStruktur& record) override;
    bool AllowDrop(TDataBasis* source) override;
    void Drop(TDataBasis* source) override;
    // Binds the handlers and activates the cell again, but adds no row.
    void BuildInfoWindow(TDrawGridSE* grid, TListView* list, bool first, int column,
                         int row) override;
    void InitFromDB(TDatenStruktur& record) override;
    bool Einfuegen(std::map<int, TDatenStruktur>& records) override;

    // Writes the 50 texts (SetHardwareTexteToDb).
    void WriteDataToDb();
    // Packs text k into parameters 12621 + 5k .. 12624 + 5k, for k = 0 .. 49. Each text
    // obtains the parameter access anew: without ETS every text shows the error box once.
    void SetHardwareTexteToDb();
    // Text k (0..49) as it is written; the empty text for any other k.
    static const std::string& GetHardwareText(int k);

    // The node keeps no detector texts: the list is left as it is.
    void GetMelderTextListe(TStringList* liste);
    // The node's arming-area text n (1..4); they start empty and no row edits them. The empty
    // text for any other n.
    std::string GetTextSsb(int n) const;
    // Cuts the text to its first `max` characters when it is longer (characters, not bytes:
    // a cut never splits a character); a negative max counts as 0.
    static void SetLengthTexte(std::string& text, int max);

    // The text packing of the device texts (AzKnoten): up to 14 characters into
    // number .. number+3. False when nothing was written.
    bool SetStringToDeviceParamData(int16_t number, const std::string& text);
    static uint32_t SwapDword(uint32_t value);

    // Grid handlers: the node has no rows, so none of them changes anything.
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
    std::array<std::string, 4> m_textSsb;
};
