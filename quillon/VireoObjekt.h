#pragma once
// A communication object of the device itself rather than of an ETS device object (type
// 807). It has no ETS keys and sends no flag or sending-mark messages; it asks the editor
// for its default name and keeps its links sorted with the sending link first. It stores
// nothing beyond what TObjektBasis stores.

#include "quillon/ObjektBasis.h"
#include "quillon/QuillonExport.h"

#include <cstdint>
#include <string>

class QUILLON_EXPORT TVireoObjekt : public TObjektBasis {
public:
    static constexpr int kTyp = 807;

    // owner, system, parent, name, number, the two carried values, object type, identifier
    // and art go to TObjektBasis. The six bools are the flags in the order transmit,
    // communication, read, write, update, status; IoTyp follows from them.
    TVireoObjekt(HWND owner, int32_t system, int32_t parent, std::string name, bool uebertragen,
                 bool kommunikation, bool lesen, bool schreiben, bool aktualisieren, bool status,
                 int32_t number, int32_t wert1, int32_t wert2, TEnumObjectType objektTyp,
                 int32_t identifier, int32_t art);
    ~TVireoObjekt() override;

    std::string GetName(bool mitPosition) const override;
    int GetTyp() override;
    // By links (any sub-group or internal link) and IoTyp: 0 → 16/15, 1 → 14/13,
    // 2 → 18/17, 3 → 20/19 (without/with links); -1 for any other IoTyp.
    int GetIcon() override;
    void Write(TDatenStruktur& record) override;
    // The default-name request (Wert5 the identifier); always true. Nothing is compared and
    // the record is not written.
    bool DatenAbgleich(bool, bool) override;
    void InitFromDB(TDatenStruktur& record) override;
    // Makes the link with that address word the sending one (bit 15: an internal address)
    // and re-sorts both lists; nothing goes to ETS.
    void SetGrpAdrSend(int address) override;
};
