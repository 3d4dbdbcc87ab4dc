#pragma once
// A communication object of the device as the ETS project knows it (type 806): one node per
// device object, a leaf under the device node. It keeps ETS in step with the object: it
// writes and checks the ETS flags, asks for its default name and moves the sending mark of
// its group-address links, every ETS access being a window message to the editor.
//
// Record slots beyond TObjektBasis's: Param3 object id, Param5 ETS value, Param7 object kind
// (sign-extended), Param10 device object id, Bool9 hidden.

#include "quillon/ObjektBasis.h"
#include "quillon/QuillonExport.h"

#include <cstdint>
#include <string>

struct T_DB_EnumEtsObjekt {
    // Only carried in the record; 0 is the only kind seen.
    enum TEnumEtsObjektArt : int8_t {
        eoaStandard = 0,
    };
};

class QUILLON_EXPORT TEtsObjekt : public TObjektBasis {
public:
    static constexpr int kTyp = 806;

    // owner, system, parent, name, number, the two carried values, object type, identifier
    // and art go to TObjektBasis. objectId, deviceObjectId: the ETS keys of the object;
    // etsWert: an ETS value only carried in the record (the editor keeps the id of the
    // device parameter that shows the object there). The IoTyp argument is not used: the
    // object starts with IoTyp 3 until its flags are set. A new object has every id -1.
    TEtsObjekt(HWND owner, int32_t system, int32_t parent, std::string name, int32_t objectId,
               int32_t deviceObjectId, int32_t number, int32_t etsWert, int32_t wert1,
               int32_t wert2, T_DB_EnumEtsObjekt::TEnumEtsObjektArt art,
               TEnumObjectType objektTyp, T_DB_EnumObjektBasis::TEnumIOTyp ioTyp,
               int32_t identifier, int32_t basisArt);
    ~TEtsObjekt() override;

    // The name, whatever the argument.
    std::string GetName(bool mitPosition) const override;
    int GetTyp() override;
    // By links (any sub-group or internal link) and IoTyp: 0 → 4/3, 1 → 2/1, 2 → 6/5,
    // 3 → 12/11 (without/with links); -1 for any other IoTyp.
    int GetIcon() override;
    bool AllowChild(int typ) override;
    // Not while hidden.
    bool IsVisible() override;
    void Write(TDatenStruktur& record) override;
    // (true, true): writes flags 0-4 into ETS, false at the first refusal.
    // (true, false): checks flags 0-4 against ETS and takes over each flag that differs
    //   there; a flag whose ETS read failed (the editor marks the request with Wert1 = -1)
    //   is left as it is. The record is rewritten when a flag was taken over.
    // (false, either): checks flags 0-4, false at the first difference.
    // After a pass that did not stop: IoTyp, the default-name request, true. An Exception on
    // the way answers false (nothing is rolled back).
    bool DatenAbgleich(bool erster, bool zweiter) override;
    void InitFromDB(TDatenStruktur& record) override;
    // Makes the link with that address word the sending one (bit 15: an internal address),
    // re-sorts both lists and, while the sending link is a sub-group link, moves the sending
    // mark in ETS (UM_GrpAdrSendendAus for the old one, then, when that succeeded,
    // UM_GrpAdrSendendEin for the new one; -1 for none). The record is not written.
    void SetGrpAdrSend(int address) override;
    // Writes the flag into ETS first (UM_ObjektFlag, wParam 0); refused: false and nothing
    // changes (the caller sets the flag back).
    bool ChangeFlag(TEnumObjektFlag flag, bool value) override;
    // TObjektBasis::SetFlags, then the flags into ETS (DatenAbgleich(true, true)).
    bool SetFlags(bool kommunikation, bool lesen, bool schreiben, bool uebertragen,
                  bool aktualisieren, bool status, bool) override;
    // The device object id.
    int32_t GetEtsObjektId() const override;

    // Own slot: stores the object kind.
    virtual void SetEtsObjektArt(T_DB_EnumEtsObjekt::TEnumEtsObjektArt art);

    // Makes the sub-group link with that id the first (sending) one by exchanging the two;
    // an id not linked changes nothing. No message is sent.
    void SetGrpAdrSendId(int32_t subGroupId);

    int32_t GetObjectId() const { return m_objectId; }
    int32_t GetDeviceObjectId() const { return m_deviceObjectId; }
    int32_t GetParameterId() const { return m_etsWert; }
    void SetObjectId(int32_t id) { m_objectId = id; }
    void SetDeviceObjectId(int32_t id) { m_deviceObjectId = id; }
    void SetParameterId(int32_t id) { m_etsWert = id; }
    T_DB_EnumEtsObjekt::TEnumEtsObjektArt GetEtsObjektArt() const { return m_art; }
    bool IsHidden() const { return m_hidden; }

private:
    // One flag request (UM_ObjektFlag, Code 5) with the object's current value of the flag;
    // wParam 0 writes it into ETS, 1 checks it. `leseFehler` tells a failed read.
    LRESULT FlagAnfrage(WPARAM modus, TEnumObjektFlag flag, bool wert, bool* leseFehler);

    int32_t m_objectId;
    int32_t m_deviceObjectId;
    int32_t m_etsWert;
    bool m_hidden = false;
    T_DB_EnumEtsObjekt::TEnumEtsObjektArt m_art;
};
