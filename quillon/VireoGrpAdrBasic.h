#pragma once
// The abstract group-address node: the common base of the main, middle and sub group nodes
// of the ETS group-address tree and of the device's internal group addresses. Group-address
// nodes wrap what ETS (or the device) holds; the ETS ones are never stored in records.
//
// Address words: the full 16-bit group address. Slot 47 answers it as a short in which -1
// means "cannot be had" for the ETS levels; ETS words never have bit 15 set, so that -1 is
// unambiguous there. An internal address always has bit 15 set and has no "none" value:
// callers take its answer as uint16_t and never test it for -1. Compare and sort words as
// uint16_t.

#include "quillon/QuillonExport.h"
#include "quillon/ObjektInfo.h"
#include "pellam/DataBasis.h"

#include <cstdint>
#include <string>

class QUILLON_EXPORT TVireoGrpAdrBasis : public TDataBasis {
public:
    // The arguments are those of TDataBasis; the editor gives (main window, 0, 0, "", 1).
    TVireoGrpAdrBasis(HWND owner, int32_t system, int32_t parent, std::string name,
                      int32_t art);
    ~TVireoGrpAdrBasis() override;

    // With mitPosition and a position of 0 or more: "[" position "] " name; else the name.
    std::string GetName(bool mitPosition) const override;

    // slot 46: the group's number within its level; -1 without a group.
    virtual int16_t GetGrpAddr() const = 0;
    // slot 47: the full address word (see above); -1 when it cannot be had (ETS levels only).
    virtual int16_t GetKomplettGrpAdr(int32_t wert = 0) = 0;
    // slot 48: the full address as text.
    virtual std::string GetKomplettGrpAdrString(int32_t wert = 0) = 0;
    // slot 49: the group's ETS id, 0 without a group (an internal address: its own handle).
    virtual int GetEtsId() = 0;

    // The text of a size code: -1 "Frei", 0-15 "1 Bit" to "VARDATA" (the object value sizes),
    // any other "unbekannter Objekttyp".
    static std::string GetSizeText(int32_t code);

protected:
    // The word of slot 47 as unsigned decimal text (-1 gives "65535").
    static std::string WortAlsText(int16_t wort);

    // Whether a dragged node is a communication object (type 806 or 807), the only kind that
    // may be dropped on a group address.
    static bool IstKommunikationsObjekt(TDataBasis* source);

    // Fills the list view with the communication objects linked to this group: asks the
    // editor with UM_UserObjectMessage (request `code`, Wert3 an empty TObjektInfoListe),
    // then shows the nine columns and one item per entry. The list view ends shown and the
    // grid hidden; with a zero answer the list stays empty (columns as they were). Nothing
    // happens without a list view. The hour-glass shows meanwhile.
    void BuildObjektListe(TDrawGridSE* grid, TListView* view, uint8_t code);
};
