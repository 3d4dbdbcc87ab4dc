#pragma once
// The abstract root node of one device: its ETS device id, a second ETS value carried along,
// the count of its communication objects and its physical address as text. The concrete
// device class (the alarm-centre system node) gives the type, list style, icon, child rule
// and quick-help offset.
//
// Record: Param4 device id, Param5 device value, Param6 object count, String2 the physical
// address (written for readers of the stored configuration; on load the address comes from
// the editor, never from String2).

#include "quillon/QuillonExport.h"
#include "pellam/System.h"

#include <cstdint>
#include <map>
#include <string>

class QUILLON_EXPORT TVireoEtsDevice : public TSystem {
public:
    // owner, system, parent, name and art go to TSystem (with true as its device flag); the
    // device id and value are stored, the object count is 0 and the address empty.
    TVireoEtsDevice(HWND owner, int32_t system, int32_t parent, std::string name,
                    int32_t deviceId, int32_t deviceValue, int32_t art);
    ~TVireoEtsDevice() override;

    // Left to the concrete device class.
    int GetQuickHelpIndexOffset() const override = 0;

    // The node base's name, then " [", the physical address and "]".
    std::string GetName(bool mitPosition) const override;
    // The base's fields, then Param4, Param5, Param6 and String2 (see above).
    void Write(TDatenStruktur& record) override;
    // The base's fields, device id, value and object count from Param4-6; then the physical
    // address is asked of the editor (UM_GetPhysAdr, wParam the device id, lParam the text);
    // when the editor writes nothing the text keeps its previous value.
    void InitFromDB(TDatenStruktur& record) override;
    // Takes pasted records: the first record (in key order) of the node's own type is the
    // device's. Without one, or when the base refuses, false and nothing changes; else the
    // object count is taken from its Param6 (device id, value and address stay) and true.
    bool Einfuegen(std::map<int, TDatenStruktur>& records) override;
    // As Einfuegen, for the import of a stored configuration.
    bool VireoImport(std::map<int, TDatenStruktur>& records, bool flag) override;
    // The base's Reset; its result.
    bool Reset(std::string& message) override;
    // The base's Import with the same arguments; its result.
    bool Import(TDatenManager<TDatenStruktur>* records, bool a, bool b, std::string& message,
                int c) override;

    // --- After the node interface ------------------------------------------------------------
    // Builds the device's folders into the node map; this base has none.
    virtual void BuildOrdner(std::map<int, TDataBasis*>& nodes);
    // The most communication objects the device may have; -1: no limit known.
    virtual int GetMaxObjekte();
    // Raise / lower the object count by one and answer the new count (no bounds).
    virtual int ObjektCountIncr();
    virtual int ObjektCountDecr();

    int32_t GetDeviceId() const { return m_deviceId; }
    void SetDeviceId(int32_t deviceId) { m_deviceId = deviceId; }
    int32_t GetDeviceValue() const { return m_deviceValue; }
    int32_t GetObjektCount() const { return m_objektCount; }
    void SetPhysAdr(std::string physAdr);
    std::string GetPhysAdr() const;

private:
    // The device's record among pasted or imported records, or null.
    TDatenStruktur* FindeEigenenDatensatz(std::map<int, TDatenStruktur>& records);

    int32_t m_deviceId;
    int32_t m_deviceValue;
    int32_t m_objektCount = 0;
    std::string m_physAdr;
};
