#pragma once
// An internal group address: a group address that exists only in the device's own
// configuration (type 5006, under the folder of internal group addresses). Communication
// objects link to it by its handle beside their ETS links and may send on it.
//
// Address word: bit 15 always set (what tells it from an ETS word), bits 0-14 the internal
// number 0-32767. Matching and sorting use the full word (GetKomplettGrpAdr, taken as
// uint16_t; it has no "none" value). What is shown (GetGrpAddr, the "int/" text) is the word's
// low 12 bits, so numbers of 4096 and above show modulo 4096.
//
// Record: Param10 the address word (zero-extended, 32768-65535), Param11 the group type.

#include "quillon/VireoGrpAdrBasic.h"

class QUILLON_EXPORT TVireoInternGrpSub : public TVireoGrpAdrBasis {
public:
    static constexpr uint16_t kInternBit = 0x8000;
    static constexpr uint16_t kMaxNummer = 32767;

    // owner, system, parent, name and art go to TVireoGrpAdrBasis. A number above 32767
    // throws Exception "max. internal GroupAddress: 32767" and makes no node; else the word
    // is number + 32768 and the group type -1 (free).
    TVireoInternGrpSub(HWND owner, int32_t system, int32_t parent, std::string name,
                       uint16_t nummer, int32_t art);
    ~TVireoInternGrpSub() override;

    int GetTyp() override;             // 5006
    int ListStyle() override;          // 1: the node fills the right-hand side itself
    int GetIcon() override;            // 22
    bool AllowChild(int typ) override; // false
    // The base's fields, then Param10 := address word, Param11 := group type.
    void Write(TDatenStruktur& record) override;
    // True exactly for a communication object (type 806 or 807).
    bool AllowDrop(TDataBasis* source) override;
    // Asks the editor to link a dropped communication object to this address
    // (UM_LinkToInternGroup, wParam this handle, lParam the object's handle; the node links
    // nothing itself), then posts UM_AktualisiereKnoten (wParam the object, lParam 0). A null
    // source, this node or any other type does nothing.
    void Drop(TDataBasis* source) override;
    // With the node's flag set: one grid row "Adresse" with the "int/" text (the bool goes to
    // the row); nothing without a grid. With the flag clear: the list of linked objects
    // (request code 13), as the sub group node builds it; nothing without a list view.
    void BuildInfoWindow(TDrawGridSE* grid, TListView* view, bool first, int column,
                         int row) override;
    // The base's fields, then the word from the low 16 bits of Param10 (taken as stored) and
    // the group type from Param11.
    void InitFromDB(TDatenStruktur& record) override;

    // The word's low 12 bits (0-4095).
    int16_t GetGrpAddr() const override;
    // The full word, bit 15 included; the argument is not used.
    int16_t GetKomplettGrpAdr(int32_t wert = 0) override;
    // "int/" and the low 12 bits of the word in decimal.
    std::string GetKomplettGrpAdrString(int32_t wert = 0) override;
    // The node's own handle: what communication objects keep in their internal links.
    int GetEtsId() override;

    // The full word as the unsigned value it is.
    uint16_t GetAdrWort() const { return m_adrWort; }

    // Size type of the address: -1 free, 0-15 the object value size codes.
    void SetGroupTyp(int typ);
    int GetGroupTyp() const { return m_groupTyp; }
    std::string GetSubAdrTypString() const;

private:
    uint16_t m_adrWort;
    int32_t m_groupTyp = -1;
};
