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
//   DevInstLinks.cpp     links of communication objects to group addresses, object flags
//                        and the sending mark in ETS
//   DevInstEtsImport.cpp a device ETS imported or copied: its configuration with the ETS
//                        ids converted to the new device's
//   DevInstObjekte.cpp   the communication objects that display-order parameters show in ETS
//
// Records: the System map holds every record of the device, grouped by System handle and,
// within a System, ordered by Parent handle, records of equal Parent in the order they came
// in. That is also the order the container stores them in. Pointers handed out to records
// stay valid until the record is deleted or the maps are cleared. A map by handle finds a
// record without walking its System; handles are unique within a System.
//
// Main thread only.

#include "miraval/devinst/DatenContainer.h"
#include "miraval/devinst/GrpAdrKnotenMap.h"
#include "kestrin/Dal.h"
#include "pellam/Basis.h"
#include "quillon/DatenManager.h"
#include "quillon/DatenStruktur.h"
#include "quillon/ObjektBasis.h"
#include "quillon/UserMessages.h"

#include <cstdint>
#include <functional>
#include <list>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

class TDataBasis;
class TEditorHost;
class TEibHandle;
class TEts2Cdi;
class TEtsProgressDialog;
class TEtsDeviceParam;
class TEtsGruppenAdressen;
class TEtsMainGroup;
class TEtsMiddleGroup;
class TEtsSubGroup;
class TFormVerw;
class TGrpAdrOrdner;
struct TObjektInfo;
class TStringList;
class TVireoGrpAdrBasis;
class TVireoGrpAdrMain;
class TVireoGrpAdrMiddle;
class TVireoGrpAdrSub;

// The ETS data of the edited device; a text that cannot be read stays empty.
struct TDeviceEtsInfo {
    std::string GeraeteName; // the name the user gave the device in ETS
    std::string ZusatzText;  // the device's further ETS text (its product's)
    std::string ProjektName;
    std::string PhysAdr;     // "01.02.003"
};

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
    using TMainGroupMap = TGrpAdrKnotenMap<TVireoGrpAdrMain>;
    using TMiddleGroupMap = TGrpAdrKnotenMap<TVireoGrpAdrMiddle>;
    using TSubGroupMap = TGrpAdrKnotenMap<TVireoGrpAdrSub>;

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
    // How many boxes Meldung has shown: a caller whose call failed tells the person only when
    // the instance has not told them already.
    int AnzahlMeldungen() const { return m_meldungen; }
    // Checks the version of the blob and fills the record maps from it; handles receives the
    // handle of every record loaded. False when nothing was loaded (the maps are as before).
    virtual bool CopyDBDatenToStruktur(std::vector<int32_t>& handles);
    // Copies every record, in container order, into the store (when given; its records are
    // deleted first, the copies are keyed 0, 1, 2 ...) and writes the container into the
    // stream (when given). Fails, writing nothing, when the container cannot hold a text.
    [[nodiscard]] virtual DatenContainer::TContainerStatus
    CopyStrukturDatenToDB(TDatenManager<TDatenStruktur>* store, std::string* stream);
    // CopyStrukturDatenToDB as ETS stores the container: the data source is ETS's (kind 1) for
    // the copy and is put back afterwards.
    [[nodiscard]] DatenContainer::TContainerStatus CopyStrukturDatenAlsEts(TDatenManager<TDatenStruktur>* store,
                                                                           std::string* stream);
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
    // Links the communication object of that handle to the ETS sub group: in ETS too when
    // inEts, then in the object's links and record. False, after a message, when the object
    // or the group address is unknown, the object is linked to it already, the resource
    // check refuses or ETS refuses the link.
    virtual bool LinkToSubGroup(int32_t subGroupId, int32_t objektHandle, bool inEts);
    // Unlinks the device object from the sub group in ETS; the object's link goes in every
    // case. True also when ETS had no such link; false when ETS refuses or cannot be read.
    virtual bool UnLinkFromSubGroup(int32_t subGroupId, int32_t deviceObjectId);
    // Replaces the configuration by a stored container. Base: false.
    virtual bool VireoImport(const std::string& stream, bool grpAdrVerknuepfen);

    // ---- The gate of stored configurations from outside ------------------------------------------
    // Who reads a stored configuration: a template or safety copy (its version must be this
    // editor's), a device file or another device's configuration taken over by ETS, or this
    // device's own configuration when it is opened (its version is the loader's to judge; ETS
    // is not asked, the objects are aligned after the load).
    enum class TKonfigLeser { Datei, Ets, Laden };
    // Whether the container may be read, judged before anything changes: it is refused whole
    // or it is what this editor itself would have written for this device. Refused: the reason
    // as Text (empty when a message was shown already). Base: every container.
    // gelesen, when given, receives the records as the gate read them (untouched when the gate
    // reads none of its own).
    [[nodiscard]] virtual DatenContainer::TContainerStatus
    KonfigurationPruefen(const std::string& stream, TKonfigLeser leser, std::vector<TDatenStruktur>* gelesen);
    // The gate, and what passes becomes the blob to load: the next InitData builds from the
    // records the gate read, without reading the container again. False (said) when refused;
    // the blob is then as it was.
    bool KonfigurationLaden(std::string stream, TKonfigLeser leser);
    // The gate's verdict: refused, it is shown as the file's refusal ("nothing changed") with
    // the reason below it, unless the status has no caption (its message was shown already).
    bool KonfigurationMelden(const DatenContainer::TContainerStatus& status);
    // Whether the last read through the gate was refused (and said so): the caller shows no
    // message of its own on top.
    bool GetKonfigAbgelehnt() const { return m_konfigAbgelehnt; }
    // Forgets the last refusal: a read that may end before it reaches the gate begins so.
    void KonfigAbgelehntVergessen() { m_konfigAbgelehnt = false; }

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
    void FillDataMaps(TDatenStruktur&& record);
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
    void SetBlob(std::string blob)
    {
        m_blob = std::move(blob);
        m_geprueft.reset();
    }
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

    // ---- Communication objects from ETS (DevInstObjekte.cpp) ------------------------------------
    // Appends one row per device object of the project linked to the group address, in the
    // order ETS delivers the links; objects ETS cannot read are left out. True.
    virtual bool GetObjektDataFromSubGroup(TVireoGrpAdrSub* node, std::list<TObjektInfo>& zeilen);
    // Sets the display-order parameter to wert: the objects it showed are deleted (their links
    // first; askBeforeDelete: a linked one is deleted only when the user agrees, never after
    // Reset), and one TEtsObjekt is made under parent for each object the new value shows
    // (position object number + offset). A parameter already at wert (>= 1) changes nothing in
    // ETS; only objects it shows that have no node get one. False when ETS refuses the
    // parameter, the user declines or objects are to be made without a parent (what was made
    // stays).
    virtual bool AddEtsObjectByDisplayOrder(int16_t parameter, int32_t wert, int32_t offset, TDataBasis* parent,
                                            bool askBeforeDelete);
    // Writes *wert into the display-order parameter and appends the instance's objects it then
    // shows, in ETS's order. False when ETS refuses the parameter.
    virtual bool GetEtsObjectByDisplayOrder(int16_t parameter, int32_t* wert, std::list<TObjektBasis*>& out);
    // One registered, recorded TEtsObjekt per entry under parent, carrying (parameter, wert)
    // as its two values (Param16, Param17), its flags taken from ETS. False for no parent or
    // when no handle is left (the objects made before stay).
    bool CreateObjects(const std::vector<tagDAL_OBJECT_INFO>& eintraege, int32_t offset, int16_t parameter,
                       int32_t wert, TDataBasis* parent);
    // Deletes the instance's objects of the entries (links, tree node, records, node). A
    // linked object asks the user first (once), while the ask flag (GetImportFlag) is set and
    // no Reset was made; anything but Yes deletes nothing: false.
    bool DeleteObjektInstanzen(const std::vector<tagDAL_OBJECT_INFO>& eintraege);
    // The device-parameter call's code: true for 0 (done); every other code false, silently.
    bool CheckObjectParamResult(int code, int16_t parameter, int32_t wert) const;
    // The ETS sub-group id of the project's group address with that word that takes an
    // object of that type (1-16; a free address takes any): true. A group address of another
    // type stops the search with false, id set and fehler naming address and reason; no
    // group address with the word: false, fehler unchanged. A later equal word overrides.
    bool KonvertEtsGAId(int32_t& id, uint16_t wort, std::string& fehler, int objektTyp);

    // ---- Object links and flags in ETS (DevInstLinks.cpp) --------------------------------------
    // The sending mark of the device object's link to the sub group in ETS. Off: cleared,
    // true. On: the link is made again as the sending one; the answer is false also then
    // (the senders do not read it). False, after a message, when ETS refuses; a link that
    // could not be made again as the sending one is made again as a plain one. The sub
    // group -1 stands for any of the object's links.
    virtual bool GrpAdrSendend(int32_t deviceObjectId, int32_t subGroupId, bool ein);
    // Flag requests (Reserve the device object id, Wert5 the flag 0-5, Wert6 the value).
    // Change writes the flag into ETS; the status flag (5) has none and counts as written.
    // Check compares it with ETS: an unknown flag, or a read that fails, is shown and thrown
    // as Exception; a failed read marks the request first (Wert1 = -1) so that the object
    // keeps its flag.
    virtual bool ChangeObjektFlag(TUserDeviceRequest* request);
    virtual bool CheckObjektFlag(TUserDeviceRequest* request);
    // Lets the user pick the object's group addresses (TEditorHost::DlgSelGrpAddr), then
    // unlinks those taken away and links the new ones. True also after Cancel; false when a
    // link failed (what was done until then stays).
    virtual bool OpenDlgGrpAdrToObject(TObjektBasis* objekt);
    // Hands the value to the node of that handle (TDataBasis::SetObjFkt); false for none.
    virtual bool SetObjFktToData(int32_t handle, char wert);
    // Unlinks every group address of the communication object (virtual UnLinkFromSubGroup);
    // false at the first refusal or for a node that is no communication object.
    bool UnLinkAllSubGroups(TDataBasis* objekt);
    // Whether the communication object has a group address; throws Exception for a node
    // that is none.
    bool CheckObjectVerbunden(TDataBasis* objekt) const;
    // Drops the link from the object with that device object id (none: nothing) and writes
    // its record.
    void RemoveObjektVerbindung(int32_t subGroupId, int32_t deviceObjectId);
    // Appends every link of every communication object (type 806), one entry per link.
    void GetAllUsedGAIds(std::vector<TObjektBasis::RecGrpAdrId>& out) const;
    // The ETS sub groups each communication object (by its number) is linked to: of the
    // instance, and of a stored configuration's records (an object's first link in its
    // record, the others in its chain of further records).
    using TObjektLinks = std::map<int32_t, std::set<int32_t>>;
    TObjektLinks GetObjektLinks() const;
    static TObjektLinks GetObjektLinks(const std::vector<TDatenStruktur>& datensaetze);
    // After a safety copy was loaded over the configuration ETS holds now: each object's
    // links become what ETS held before the copy was restored (etsJetzt), with the edit's own
    // changes (what the copy holds that the edit began from, basis, did not, and the other
    // way) made over them, in ETS and in the objects. What ETS changed since the edit began
    // stays. False when a link could not be made or taken out (what was done stays).
    bool LinksNachfuehren(const TObjektLinks& basis, const TObjektLinks& kopie, const TObjektLinks& etsJetzt);
    // The ETS data of the edited device.
    void GetDeviceEtsInfo(TDeviceEtsInfo& info) const;
    // Checks the device's communication objects against ETS under a progress dialog: each
    // object number the configuration holds must be shown in ETS (else an error message), and
    // ETS objects shown by a parameter whose object the configuration lacks are switched off
    // (a correction, or an error when ETS refuses). A final box tells the outcome; an error
    // outweighs a correction. True.
    virtual bool EtsObjektCheck();

    // ---- ETS device import and copy (DevInstEtsImport.cpp) -------------------------------------
    // Loads the stored configuration of the device ETS imported (into another project) or
    // copied, given as container bytes, then converts the ETS ids of every communication
    // object (object id, device object id, device parameter that shows it) to this device's.
    // An import moves each object's links to the group addresses of this device's project
    // with the same address words; a copy starts without links. The meter (may be null)
    // shows the progress and may abort. The ETS writes of the load and the conversion are
    // one write burst. False on an abort or a failed step: the burst is undone and the
    // instance holds again what it held before (its records, nodes and blob; nothing when it
    // held nothing), so no later store writes a half-converted file. The copy's flag is the
    // one ETS passes with the event; it is not used.
    bool VireoCdiImport(const std::string& data, TEtsProgressDialog* meter);
    bool VireoCdiCopy(const std::string& data, bool flag, TEtsProgressDialog* meter);
    // What the instance holds, to be taken back whole after a load that failed half-way: the
    // blob, the CompData and the records as a container (none when nothing is loaded).
    struct TStand {
        std::string blob;
        std::string compData;
        std::optional<std::string> konfiguration;
    };
    TStand StandMerken();
    // The records and nodes of the container kept, loaded and aligned as an opening does
    // (nothing loaded when there was none), then the blob and the CompData as they were.
    void StandZurueck(TStand stand);
    // The conversion after the load; modus 0 import, 1 copy.
    bool KonvertEtsIds(int modus, TEtsProgressDialog* meter);
    // Appends every device parameter and every device object ETS holds for the device.
    void CreateEtsDBList(std::vector<DAL_DEVICE_PARAM>& parameter, std::vector<DAL_DEVICE_OBJECT>& objekte);
    // The first visible device object of the list with that number and size code (0-15)
    // whose communication object is shown by one of the device parameters: its
    // communication object id, its own id and the id of that device parameter
    // (DAL_DEVICE_PARAM::DeviceParamId). False when there is none.
    bool GetEtsIdFromObjNr(const std::vector<DAL_DEVICE_PARAM>& parameter, const std::vector<DAL_DEVICE_OBJECT>& objekte,
                           int32_t objektNr, int8_t objektTyp, int32_t& objectId, int32_t& deviceObjectId,
                           int32_t& parameterId);
    // Moves each link to this project's first group address of the same address word; a link
    // whose word the project lacks is dropped with a message and sets unlinkNoetig. True.
    bool KonvertEtsGAIds(TObjektBasis* objekt, bool& unlinkNoetig);
    // Unlinks in ETS every group address of the object's device object that the object has
    // no link to. False, after a message, at the first unlink refused.
    bool UnlinkUnknownGA(TObjektBasis* objekt);
    // The copy's links: none. True.
    bool LinkEtsAssociationToObjekt(TObjektBasis* objekt);
    // The number of the first device object of the list whose communication object the
    // parameter (by its key) shows; wert takes no part. False when there is none.
    bool GetObjectNrFromParameterId(int32_t parameterKey, int32_t wert, const std::vector<DAL_DEVICE_OBJECT>& objekte,
                                    int32_t& objektNr);

protected:
    // The object of the handle and the sub group of the id, found for a link; false, after a
    // message, when either is unknown or the object is linked to it already.
    bool LinkPartner(int32_t subGroupId, int32_t objektHandle, TObjektBasis*& objekt, TVireoGrpAdrSub*& sub);
    // The device object's link to the sub group taken out of ETS. True when it went or ETS had
    // none; false when ETS refuses, cannot be read or is absent.
    bool UnLinkInEts(int32_t subGroupId, int32_t deviceObjectId);
    // Called right before a registered node is destroyed: pointers to it are dropped.
    virtual void KnotenEntfernt(const TDataBasis& node);
    // The load-time map that InitDataMainStruktur walks: the records of the load by Typ (equal types in load order), referring into the System
    // map: valid until the tree is built (ClearLadeMaps).
    using TTypMap = std::multimap<int32_t, std::reference_wrapper<TDatenStruktur>>;
    const TTypMap& GetTypMap() const { return m_typMap; }
    // Empties the load-time maps (after the tree is built).
    void ClearLadeMaps();
    // Shows a message box owned by the main window; its answer.
    int Meldung(const std::string& text, const std::string& caption, UINT flags) const;
    // The ETS device interface of the host (may be null).
    TEts2Cdi* GetEts() const;

private:
    TDatenMap* FindSystem(int32_t system);
    // The map by handle over the System map: each record under the handle it had when it was
    // entered (or found by a scan). An entry is checked against the record before it is used:
    // a record whose Handle was changed in place is found by a scan and entered again.
    struct TIndexEintrag {
        int32_t system;
        TDatenMap::iterator satz;
    };
    TDatenMap::iterator Eintragen(int32_t system, TDatenMap::iterator satz);
    void Austragen(const TDatenStruktur* satz);
    void DeleteChain(int32_t system, int32_t parent, int32_t handle, std::vector<int32_t>& gesehen);
    void DebugKopie(bool lesen) const;
    TVireoGrpAdrMain* MainNode(TEtsMainGroup* group, bool& neu);
    TVireoGrpAdrMiddle* MiddleNode(TEtsMiddleGroup* group, bool& neu);
    TVireoGrpAdrSub* SubNode(TEtsSubGroup* group, bool& neu);
    std::unique_ptr<TVireoGrpAdrMiddle> NewMiddleNode(TEtsMiddleGroup* group) const;
    std::unique_ptr<TVireoGrpAdrSub> NewSubNode(TEtsSubGroup* group) const;
    bool InsertGrpAdrNodes(uint16_t wort, TEtsMainGroup* main, TEtsSubGroup* sub, TEtsMiddleGroup* middle,
                           bool allenFenstern);

    TEditorHost& m_host;
    mutable int m_meldungen = 0;
    uint8_t m_dataSrc = 1;
    std::unique_ptr<TEibHandle> m_eibHandle;
    TSystemMap m_systemMap;
    std::unordered_multimap<int32_t, TIndexEintrag> m_handleIndex;
    std::unordered_map<const TDatenStruktur*, std::vector<int32_t>> m_eingetragenAls;
    std::unordered_set<int32_t> m_geladen; // the handles of the load (load-time)
    TTypMap m_typMap;                      // load-time
    std::unique_ptr<TEtsDeviceParam> m_deviceParam;
    bool m_reset = false;
    bool m_import = true;
    bool m_konfigAbgelehnt = false;
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
    // The records of m_blob as the gate read them, for the next load; gone with any other blob.
    std::optional<std::vector<TDatenStruktur>> m_geprueft;
    std::string m_compData; // the CompData section, carried through unchanged (bytes)
    std::string m_sicherungsOrdner;
    std::string m_sicherungsPfad;
};
