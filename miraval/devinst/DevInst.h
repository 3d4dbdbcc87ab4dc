#pragma once
// TDeviceInstanz: one ETS device's configuration in memory. It holds the device's flat
// records (TDatenStruktur) in the System map, the live tree nodes by handle (the registry,
// which owns them), the stored container (blob and CompData), the handle source, the device
// node, and the device's view of the ETS group addresses. The alarm-centre instance
// TDeviceInstanzAz derives from it; the main window keeps one instance per ETS device.
//
// Nodes never call the instance: they send window messages to the main window, whose
// dispatcher (DevInstMessage.h for the messages of the instance) calls the operations below.
//
// The interface of 37 virtual operations: where this base has nothing to do for a device
// kind it answers neutrally (false, 0, nothing) and the device kind overrides. The units:
//   DevInst.cpp          construction, interface defaults, records, node registry
//   DevInstContainer.cpp the stored container in ETS (blob, version, CompData)
//   DevInstGrpAdr.cpp    the group addresses of the ETS project, device parameters,
//                        physical address
//
// Records: the System map holds every record of the device, grouped by System handle and,
// within a System, ordered by Parent handle, records of equal Parent in the order they came
// in. That is also the order the container stores them in. Pointers handed out to records
// stay valid until the record is deleted or the maps are cleared.
//
// Main thread only.

#include "miraval/devinst/DatenContainer.h"
#include "kestrin/Dal.h"
#include "pellam/Basis.h"
#include "quillon/DatenManager.h"
#include "quillon/DatenStruktur.h"
#include "quillon/UserMessages.h"

#include <cstdint>
#include <list>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class TDataBasis;
class TEditorHost;
class TEibHandle;
class TEts2Cdi;
class TEtsDeviceParam;
class TEtsGruppenAdressen;
class TEtsMainGroup;
class TEtsMiddleGroup;
class TEtsSubGroup;
class TFormVerw;
class TGrpAdrOrdner;
struct TObjektInfo;
class TObjektBasis;
class TStringList;
class TVireoGrpAdrBasis;
class TVireoGrpAdrMain;
class TVireoGrpAdrMiddle;
class TVireoGrpAdrSub;

// A structural fault of the device instance. Codes:
//   2 InitData ran out of memory
//   4 a System handle without an entry in the System map
//   5 GetChildIteratorPair given no node
//   6 SetPointer2List given no node
class E_InstVerw : public E_Basis {
public:
    enum TCode { kRamAllocation = 2, kUnknownSystem = 4, kNoDataPointer = 5, kInvalidPointer = 6 };

    // quelle is the error-source text of the instance; datei and zeile where it was raised.
    E_InstVerw(int code, int zeile, std::string datei, std::string quelle, std::string message);

    int GetCode() const { return m_code; }

private:
    int m_code;
};

class TDeviceInstanz {
public:
    // Records of one System, keyed by Parent handle (equal keys in insertion order).
    using TDatenMap = std::multimap<int32_t, TDatenStruktur>;
    using TSystemMap = std::map<int32_t, TDatenMap>;
    // The node registry: every live tree node by handle, owned.
    using TKnotenMap = std::map<int32_t, std::unique_ptr<TDataBasis>>;
    // The group-address nodes by the ETS id of their group, one map per level: the project
    // store numbers main, middle and sub groups separately, so their ids may coincide.
    using TMainGroupMap = std::map<int32_t, std::unique_ptr<TVireoGrpAdrMain>>;
    using TMiddleGroupMap = std::map<int32_t, std::unique_ptr<TVireoGrpAdrMiddle>>;
    using TSubGroupMap = std::map<int32_t, std::unique_ptr<TVireoGrpAdrSub>>;

    // host: the editor around the instance (outlives it). device: the ETS device record,
    // copied. formVerw: the current project window, may be null.
    TDeviceInstanz(TEditorHost& host, const DAL_DEVICE& device, TFormVerw* formVerw);
    TDeviceInstanz(const TDeviceInstanz&) = delete;
    TDeviceInstanz& operator=(const TDeviceInstanz&) = delete;

    // ---- The 37 virtual operations, in slot order ---------------------------------------------
    // Resource check before a group address is linked (new ETS sub-group id, show message);
    // true allows the link. Base: true.
    virtual bool DeviceRessourceCheckVerbindungen(int32_t neueId, bool zeigen);
    // Not called; true.
    virtual bool ReservedCheck(bool);
    // Destroys the nodes, the group-address nodes and every record.
    virtual ~TDeviceInstanz();
    // Builds the default configuration of a new device. Base: false (no device kind).
    virtual bool CreateNewDevice(HWND owner);
    // The nodes' requests (UM_UserDeviceMessage and UM_UserObjectMessage); the answer is the
    // message result. Base: 0 (no case).
    virtual LRESULT UserDeviceMessage(HWND owner, TUserDeviceRequest* request);
    virtual LRESULT UserDeviceMessage(TUserDeviceRequest* request);
    // The version line of the stored configuration. Base: empty.
    virtual std::string GetVersion();
    // Checks a stored version line; on refusal shows why when zeigen. Base: refuses silently.
    virtual bool VersionCheck(const std::string& version, bool zeigen);
    // Copy and paste of a node's records as lines. Base: false.
    virtual bool GetCopyData(TDataBasis* node, TStringList& zeilen);
    // Makes the node tree from the loaded records (after InitData). Base: nothing.
    virtual void InitDataMainStruktur();
    virtual bool Einfuegen(TDataBasis* ziel, TStringList& zeilen);
    // Checks the version of the blob and fills the record maps from it; handles receives the
    // handle of every record loaded. False when nothing was loaded (the maps are as before).
    virtual bool CopyDBDatenToStruktur(std::vector<int32_t>& handles);
    // Copies every record, in container order, into the store (when given; its records are
    // deleted first, the copies are keyed 0, 1, 2 ...) and writes the container into the
    // stream (when given). Fails, writing nothing, when the container cannot hold a text.
    [[nodiscard]] virtual DatenContainer::TContainerStatus
    CopyStrukturDatenToDB(TDatenManager<TDatenStruktur>* store, std::string* stream);
    // Base: false.
    virtual bool CheckForDeleteGlobalDeviceObjects(int32_t, bool);
    // Starts over with a new device structure. Base: false.
    virtual bool Reset(bool zeigeFortschritt);
    // Brings the loaded nodes in line with ETS and fills the instance's lists. Base: true.
    virtual bool DatenAbgleich(bool a, bool b);
    // Writes every registered node back into its record. Base: nothing.
    virtual void ImportAbgleichDB();
    // Bus access to the device. Base: false.
    virtual bool EreignisspeicherAuslesen();
    virtual bool DownloadAzHwDateTime();
    // Adding and deleting detectors. Base: false.
    virtual bool MelderHinzufuegen();
    virtual bool MelderLoeschen();
    // The group addresses (ETS sub-group ids) used by detectors. Base: none kept.
    virtual void GetGrpAdrUsedFromMelder(std::list<int32_t>& out);
    virtual bool ClearMelderGrpAdrFromList(int32_t grpAdr);
    virtual bool SetMelderGrpAdrToList(int32_t grpAdr);
    // Stops a run of adding detectors. Base: nothing.
    virtual void SetMelderHinzufuegenAbbrechen();
    // A message with no sender; 0.
    virtual int ProcessDeviceMessage(int, int);
    // A conversion of a foreign stored version; false (none).
    virtual bool AcceptForeignVersion(const std::string& blob, const std::string& version);
    // Not called; nothing.
    virtual void ReservedHook(int);
    // Close checks of the communication objects. Base: true (nothing to check).
    virtual bool CheckObjektAlarmReset();
    virtual bool CheckObjekteMelder();
    virtual bool CheckObjektMeldertest();
    virtual bool CheckObjekteScharfschaltEingang();
    // Whether the group address in the text is linked to a detector. Base: false.
    virtual bool CheckGrpAddrUsedFromMelder(const std::string& text, int ebenen);
    // Writes the nodes' ETS device parameters. Base: true (nothing to write).
    virtual bool WriteDataToDb();
    // Links / unlinks a communication object and an ETS group address. Base: false.
    virtual bool LinkToSubGroup(int32_t subGroupId, int32_t objektHandle, bool inEts);
    virtual bool UnLinkFromSubGroup(int32_t subGroupId, int32_t deviceObjectId);
    // Replaces the configuration by a stored container. Base: false.
    virtual bool VireoImport(const std::string& stream, bool grpAdrVerknuepfen);

    // ---- Device node and identity ----------------------------------------------------------------
    void SetDevice(TDataBasis* node) { m_device = node; }
    TDataBasis* GetDevice() const { return m_device; }
    int32_t GetEtsDeviceId() const { return m_etsDeviceId; }
    int32_t GetCreationMarker() const { return m_creationMarker; }
    void SetCreationMarker(int32_t marker) { m_creationMarker = marker; }
    // The text the ETS device record carries after its identification fields.
    const std::string& GetDeviceText() const { return m_deviceText; }
    const DAL_DEVICE& GetDeviceRecord() const { return m_dalDevice; }
    TEditorHost& GetHost() const { return m_host; }
    TFormVerw* GetFormVerw() const { return m_formVerw; }
    void SetFormVerw(TFormVerw* formVerw) { m_formVerw = formVerw; }
    const std::string& GetSicherungsPfad() const { return m_sicherungsPfad; }
    const std::string& GetSicherungsOrdner() const { return m_sicherungsOrdner; }
    bool GetResetFlag() const { return m_reset; }
    void SetResetFlag(bool reset) { m_reset = reset; }
    bool GetImportFlag() const { return m_import; }
    void SetImportFlag(bool import) { m_import = import; }

    // ---- Records ---------------------------------------------------------------------------------
    // Empties the load-time maps, destroys every registered node, empties the System map;
    // the device node is none afterwards.
    virtual void ClearDataMaps();
    // Enters a loaded record: ignored when its handle was loaded already.
    void FillDataMaps(const TDatenStruktur& record);
    // The record with that handle among the System's records under that Parent (any Parent
    // when negative); made with default contents when missing (stored under Parent as
    // given). Never null.
    TDatenStruktur* GetDatenSatz(int32_t system, int32_t parent, int32_t handle);
    // The same with the node's System, Parent and handle; null for no node.
    TDatenStruktur* GetDatenSatz(TDataBasis* node);
    // A plain look-up by the same rule; null when missing. Never makes a record.
    TDatenStruktur* FindDatenSatz(int32_t system, int32_t parent, int32_t handle);
    // Removes the record (found by its System, Parent and handle). A System without entry
    // raises E_InstVerw code 4; a record not found is no error.
    void DeleteDatensatz(const TDatenStruktur& record);
    // Removes a record and the continuation records reached through Next, looked up with the
    // same System and Parent. A handle met a second time ends the chain.
    void DeleteNextDatenSatz(int32_t system, int32_t parent, int32_t handle);
    // Removes the node's record and its continuation chain (whose Parent is the record's
    // handle). Nothing for no node.
    void DeleteDatenSatzAndNext(TDataBasis* node);
    void DeleteDatenSatzAndNext(int32_t system, int32_t parent, int32_t handle);
    // The records whose Parent is the node's handle, within the node's System. No node:
    // E_InstVerw code 5; System without entry: code 4.
    std::pair<TDatenMap::iterator, TDatenMap::iterator> GetChildIteratorPair(TDataBasis* node);
    // The handle of the node's first child record that is no continuation record (Typ 2); 0
    // when none or for no node. A node of type 3 searches every System.
    int32_t GetFirstChild(TDataBasis* node);
    const TSystemMap& GetSystemMap() const { return m_systemMap; }
    // How many records the System map holds.
    std::size_t GetDatenSatzAnzahl() const;

    // ---- Node registry ---------------------------------------------------------------------------
    // Registers the node under its handle and takes ownership (a handle registered already
    // keeps its node, and the new one is destroyed). No node: E_InstVerw code 6.
    void SetPointer2List(std::unique_ptr<TDataBasis> node);
    // Destroys the registered node; false when it is not registered.
    bool DeletePointerFromList(TDataBasis* node);
    TDataBasis* FindHandle(int32_t handle) const;
    bool GetDataPointer(int32_t handle, TDataBasis*& out) const;
    const TKnotenMap& GetKnoten() const { return m_knoten; }
    // The first communication object (type 806) in handle order with that object number or
    // device object id; null when none has it.
    TObjektBasis* GetObjectFromObjectNr(int32_t nummer) const;
    TObjektBasis* GetObjectFromDeviceObjectId(int32_t deviceObjectId) const;
    // The handle source of new records: empty until the first load, then rebuilt by each.
    TEibHandle* GetEibHandle() const { return m_eibHandle.get(); }

    // ---- The stored container (DevInstContainer.cpp) ------------------------------------------
    // Reads the device's blob from ETS and loads it; an empty blob gets a new device
    // structure first, which is stored before it is loaded. refresh: rebuild the project
    // windows afterwards. False, with the reason shown, when nothing was loaded.
    bool GetDataFromServer(HWND owner, bool refresh);
    // Stores the configuration in ETS; false (shown) when it could not be stored.
    bool WriteBlob();
    bool ClearDatenStream();
    // Loads the blob into records, handle source and node tree.
    bool InitData();
    const std::string& GetBlob() const { return m_blob; }
    void SetBlob(std::string blob) { m_blob = std::move(blob); }
    const std::string& GetCompData() const { return m_compData; }
    void SetCompData(std::string compData) { m_compData = std::move(compData); }
    uint8_t GetDataSrc() const { return m_dataSrc; }
    void SetDataSrc(uint8_t dataSrc) { m_dataSrc = dataSrc; }

    // ---- ETS group addresses, device parameters (DevInstGrpAdr.cpp) ----------------------------
    // Reads the whole group-address tree of the project again.
    void GetGrpAdrFromServer();
    // Makes the middle and sub group nodes under the known main groups (existing ones stay).
    void MakeMidSubAdrGrp();
    // The reader, read and built on first use; null only when it cannot be made.
    TEtsGruppenAdressen* GetEtsGruppenAdressen();
    // The device-parameter access, made on first use.
    TEtsDeviceParam* GetEtsDeviceParam();
    // "1/2/5" (three levels) or "1/517" (two levels).
    static std::string GetGroupAddressString(uint16_t wort, bool dreiEbenen);
    // Makes the group address in ETS and its nodes; the sub node, or null (a message only
    // when the nodes could not be made).
    TVireoGrpAdrSub* CreateGrpAddr(int16_t main, int16_t middle, int16_t sub, const std::string& name);
    // Makes the nodes of an ETS group address that now exists; either group may be null and
    // is then searched. InsertGrpAddr adds them to every project window, InsertGrpAdr to the
    // current one.
    bool InsertGrpAddr(uint16_t wort, TEtsMainGroup* main, TEtsSubGroup* sub, TEtsMiddleGroup* middle);
    bool InsertGrpAdr(uint16_t wort, TEtsMainGroup* main, TEtsSubGroup* sub, TEtsMiddleGroup* middle);
    // Makes the group address in ETS and its nodes in the current project window; with an
    // object, links it (LinkToSubGroup) unless linked already, writes the object's record and
    // has the views refreshed. Nothing when ETS refuses the address.
    void CreateGrpAdr(TObjektBasis* objekt, int16_t main, int16_t middle, int16_t sub, const std::string& name);
    // Refreshes the address words of every communication object's links from the group
    // addresses and writes the objects' records. False, after a detail message naming the
    // links whose group address is gone, when there were such links.
    bool UpdateGroupAddressFromId();
    // The group-address node of that ETS sub-group id (or, when no sub group has it, of that
    // middle-group id); the tree is read on first use.
    bool GetGrpAdrDataPointer(int32_t etsId, TDataBasis*& out);
    // The text ("1/2/5") or word of the group address of an ETS sub-group id; false, out
    // untouched, for an id that is no group address of the project.
    bool GetGrpAdrNr(int32_t subGroupId, std::string* out);
    bool GetGrpAdrNrAsZahl(int32_t subGroupId, uint16_t* out);
    // The text of a proposed free group address (empty when none is free); dreiEbenen out.
    std::string GetNextHighestAndFreeGrpAdr(bool* dreiEbenen, std::string& text);
    bool IsDreiEbenen() const;
    const TMainGroupMap& GetMainGroupMap() const { return m_mainGroups; }
    const TMiddleGroupMap& GetMiddleGroupMap() const { return m_middleGroups; }
    const TSubGroupMap& GetSubGroupMap() const { return m_subGroups; }
    TGrpAdrOrdner* GetGrpAdrOrdner() const { return m_grpAdrOrdner.get(); }
    // The physical address of an ETS device as "01.02.003"; empty when it cannot be read.
    std::string GetPhysAdr(int32_t deviceId) const;

    // ---- Communication objects from ETS (answer false until built) ---------------------------
    // Will fill the rows with the device objects of the project linked to the group address.
    virtual bool GetObjektDataFromSubGroup(TVireoGrpAdrSub* node, std::list<TObjektInfo>& zeilen);
    // Will set the display-order parameter and make the objects it then shows under parent.
    virtual bool AddEtsObjectByDisplayOrder(int16_t parameter, int32_t wert, int32_t offset, TDataBasis* parent,
                                            bool askBeforeDelete);
    // Will list the instance's objects that the display-order parameter shows for *wert.
    virtual bool GetEtsObjectByDisplayOrder(int16_t parameter, int32_t* wert, std::list<TObjektBasis*>& out);

    // ---- Object links and flags in ETS (answer false until built) ------------------------------
    // Will mark or unmark the object's link to the sub group as its sending link.
    virtual bool GrpAdrSendend(int32_t deviceObjectId, int32_t subGroupId, bool ein);
    // Will write (Change) or compare with ETS (Check) the object flag the request names.
    virtual bool ChangeObjektFlag(TUserDeviceRequest* request);
    virtual bool CheckObjektFlag(TUserDeviceRequest* request);
    // Will let the user pick the object's group addresses in the selection dialog.
    virtual bool OpenDlgGrpAdrToObject(TObjektBasis* objekt);
    // Will hand the value to the node of that handle.
    virtual bool SetObjFktToData(int32_t handle, char wert);
    // Will check the device's communication objects against ETS.
    virtual bool EtsObjektCheck();

protected:
    // Called right before a registered node is destroyed: pointers to it are dropped.
    virtual void KnotenEntfernt(const TDataBasis& node);
    // The load-time maps that InitDataMainStruktur walks.
    const std::multimap<int32_t, TDatenStruktur>& GetTypMap() const { return m_typMap; }
    // Empties the three load-time maps (after the tree is built).
    void ClearLadeMaps();
    // Shows a message box owned by the main window; its answer.
    int Meldung(const std::string& text, const std::string& caption, UINT flags) const;
    // The ETS device interface of the host (may be null).
    TEts2Cdi* GetEts() const;

private:
    TDatenMap* FindSystem(int32_t system);
    void DeleteChain(int32_t system, int32_t parent, int32_t handle, std::vector<int32_t>& gesehen);
    void DebugKopie(bool lesen) const;
    TVireoGrpAdrMain* MainNode(TEtsMainGroup* group, bool& neu);
    TVireoGrpAdrMiddle* MiddleNode(TEtsMiddleGroup* group, bool& neu);
    TVireoGrpAdrSub* SubNode(TEtsSubGroup* group, bool& neu);
    bool InsertGrpAdrNodes(uint16_t wort, TEtsMainGroup* main, TEtsSubGroup* sub, TEtsMiddleGroup* middle,
                           bool allenFenstern);

    TEditorHost& m_host;
    uint8_t m_dataSrc = 1;
    std::unique_ptr<TEibHandle> m_eibHandle;
    TSystemMap m_systemMap;
    std::multimap<int32_t, TDatenStruktur> m_parentMap;
    std::map<int32_t, TDatenStruktur> m_handleMap;
    std::multimap<int32_t, TDatenStruktur> m_typMap;
    std::unique_ptr<TEtsDeviceParam> m_deviceParam;
    bool m_reset = false;
    bool m_import = true;
    TKnotenMap m_knoten;
    int32_t m_etsDeviceId;
    int32_t m_creationMarker = -1;
    std::string m_fehlerQuelle = "0";
    std::string m_dateiName = "0";
    std::string m_deviceText;
    TDataBasis* m_device = nullptr;
    TFormVerw* m_formVerw;
    DAL_DEVICE m_dalDevice;
    std::unique_ptr<TEtsGruppenAdressen> m_grpAdrReader;
    TMainGroupMap m_mainGroups;
    TMiddleGroupMap m_middleGroups;
    TSubGroupMap m_subGroups;
    std::unique_ptr<TGrpAdrOrdner> m_grpAdrOrdner;
    bool m_ebenenGebaut = false;
    std::string m_blob;     // the stored container as read from or written to ETS (bytes)
    std::string m_compData; // the CompData section, carried through unchanged (bytes)
    std::string m_sicherungsOrdner;
    std::string m_sicherungsPfad;
};
