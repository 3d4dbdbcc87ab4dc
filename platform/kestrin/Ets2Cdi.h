#pragma once
// TEts2Cdi: the ETS device interface. ETS drives the editor through it (the eleven events)
// and the editor reads and writes the ETS project and reaches the bus through it.
//
// There is no ETS here: the project lives in an SQLite file, the ETS project store
// (schema.sql documents it), and the bus devices' memory lives in the same store.
//
// Contract kept for the callers:
//  - DAL reads: mode 1 first, 2 next, 3 by key; a key of -1 does not apply. Results
//    DAL_OK, DAL_END, DAL_ERR. The record's size word must be the one of its kind, else
//    DAL_ERR and nothing is written. Each read kind has one cursor (mode 1 starts it, the
//    keys of mode 2 are not looked at); a cursor that answered DAL_END or DAL_ERR is ended,
//    and mode 2 on an ended cursor answers DAL_END, so a walk that meets an error always
//    ends.
//  - Every write is one transaction: it is stored whole or not at all. A caller that makes
//    many writes brackets them in a write burst (TEtsTransaction): one transaction for all,
//    stored durably once at its end or undone together.
//  - Every ETS event the host raises is one transaction (BeginEvent/EndEvent): kept whole
//    when its handler answers done and the store refused nothing of it, else undone whole.
//  - An editing period (BeginEditPeriod .. ReturnToEts) is kept apart: ReturnToEts(1)
//    keeps what was written since it began, ReturnToEts(0) puts the project back as it
//    was. The ETS profile and the bus devices' memory are not part of the project and stay.
//    The period is one SQLite transaction held open over it, so beginning, keeping and
//    discarding cost what the period wrote, not the size of the project; an editor that is
//    killed in a period leaves the store as it was before the period (SQLite puts it back at
//    the next open), including the ETS profile and memory written in the period.
//  - Statements are prepared once per open store and reused.
//  - Without an open store every call fails: DAL_ERR, false, -1, 0 or nonzero as its
//    failure reads.
//
// Ids are 32-bit (Windows long).

#include "kestrin/Dal.h"
#include "kestrin/EtsMeterDisplay.h"
#include "win32/Windows.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <vector>

struct sqlite3;
namespace kestrin_detail {
class TSqlError;
class TStatementCache;
class TTransaction;
} // namespace kestrin_detail

#pragma pack(push, 1)
// What GetEtsInfo answers. The editor reads the version at bytes 32 and 36: four 16-bit
// numbers, the high half of Version1 first.
struct tagETSINFO {
    char Product[32] = {};              // 0
    std::uint32_t Version1 = 0;         // 32: major << 16 | minor
    std::uint32_t Version2 = 0;         // 36: build << 16 | revision
    char Directory[4096] = {};          // 40: the ETS program directory, no trailing separator
};
#pragma pack(pop)
static_assert(offsetof(tagETSINFO, Version1) == 32 && offsetof(tagETSINFO, Version2) == 36);

// Where the export event wants the exported file: the handler puts its name here, and the
// host then takes the file into its directory (TEts2Cdi::TakeExportFile).
struct TEtsExportTarget {
    std::string FileName;
};

struct TEtsStatus {
    bool ok = true;
    std::string message; // on failure: what, and where (file, record)
    explicit operator bool() const { return ok; }
};

// One group of the project's group-address tree, as the support classes read it.
struct TEtsGroupRow {
    std::int32_t Id = 0;
    std::int32_t ParentId = 0;          // main: the project; middle: its main; sub: its middle group
    std::int16_t Number = 0;            // main 0-15, middle 0-7; sub: its address word
    std::int16_t ObjectType = -1;       // sub only: size code, -1 free
    std::string Name;
};
struct TEtsGroupTree {
    // In number (address) order.
    std::vector<TEtsGroupRow> Mains, Middles, Subs;
};
// The level of a row that ReadGroupTree hands over one by one.
enum class TEtsGroupLevel { Main, Middle, Sub };
// The groups of one group address: found, or made by CreateGroupAddress.
struct TEtsGroupPath {
    TEtsGroupRow Main, Middle, Sub;
    bool Created = false;               // false: the address existed already
};

class TEts2Cdi {
public:
    // owner: the main window (meters open over it when no other window is named);
    // deviceType: the plug-in's module name (e.g. "244_ID"). The flag is kept as given.
    TEts2Cdi(HWND owner, std::string deviceType, bool flag);
    ~TEts2Cdi();
    TEts2Cdi(const TEts2Cdi&) = delete;
    TEts2Cdi& operator=(const TEts2Cdi&) = delete;

    HWND GetOwner() const { return m_owner; }
    const std::string& GetDeviceType() const { return m_deviceType; }
    bool GetFlag() const { return m_flag; }

    // ---- The project store -------------------------------------------------------------
    // Makes a new, empty store from the schema. Refuses a file that exists.
    [[nodiscard]] static TEtsStatus CreateProjectStore(const std::filesystem::path& file);
    // Opens an existing store (closing one that is open). A file that is missing, cannot be
    // opened, or is not a project store is refused with a message; nothing is created. A
    // lock of another program is waited for as at every access, and named as a lock.
    [[nodiscard]] TEtsStatus OpenProjectStore(const std::filesystem::path& file);
    // Closes the store; an open editing period is discarded.
    void CloseProjectStore();
    bool IsOpen() const { return m_db != nullptr; }
    const std::filesystem::path& StoreFile() const { return m_file; }
    // Runs SQL text against the open store as one transaction (all or nothing): how tests
    // and the demo generator fill a project as ETS would.
    [[nodiscard]] TEtsStatus ExecuteSql(const std::string& sql);
    // The reason of the last failed call, naming the call; empty after none.
    const std::string& LastError() const { return m_lastError; }
    // What the store said to the last failed call: None when it was not the store that
    // refused (a call out of turn, a bad argument).
    enum class TStoreFault { None, Locked, ReadOnly, Full, Io, Other };
    TStoreFault LastStoreFault() const { return m_lastStoreFault; }
    // How long an access waits for a lock that another program holds (2 s unless set).
    void SetBusyTimeout(int milliseconds);
    int BusyTimeout() const { return m_busyTimeoutMs; }

    // ---- ETS events ----------------------------------------------------------------------
    // Every event the host raises is one transaction of the store: what its handler writes is
    // kept together or not at all. BeginEvent opens it (a transaction of its own, or a
    // savepoint inside an open editing period, where the event's work belongs to the period);
    // false when the store refused it within its wait (LastError, LastStoreFault say why).
    // Any call inside that the store refused (a lock held beyond the wait, a read-only or
    // full store, an I/O error), whether the handler looked at its result or not, fails the
    // whole event: from then on no access of it waits for a lock again, and EndEvent undoes
    // it. EndEvent(keep) stores the event when keep (the handler answered done) and nothing
    // failed, and undoes it when not keep; false when a refusal undid it, LastError and
    // LastStoreFault naming the first. Write bursts the handler left open are undone first. A return to ETS inside an event ends the period with the event's work so
    // far (undone when the event has failed) and goes on in a transaction of its own.
    bool BeginEvent();
    bool EndEvent(bool keep);
    bool IsEventOpen() const { return m_eventOpen; }
    // The first refusal of the store in the open event, else in the open editing period (a
    // period whose write the store refused cannot be kept whole: its return fails); None
    // while nothing was refused.
    TStoreFault RefusedFault() const;
    // Told when the host did not raise an event, or undid it, because the store refused it:
    // the event's name, the fault and the reason (LastError). The editor tells the person.
    std::function<void(const std::string& event, TStoreFault fault, const std::string& reason)> OnEventFailed;

    // ---- Write bursts ------------------------------------------------------------------------
    // A burst brackets many writes into one transaction: what is written inside is stored
    // together (durably, at the end of the outermost burst outside an editing period) or
    // undone together. Bursts nest; each write call inside stays atomic on its own (a call
    // that fails takes back only its own changes). Callers use the scope guard
    // TEtsTransaction (EtsTransaction.h) rather than these. Begin: false without a store or
    // when the store is busy. Commit: the innermost burst; false when none is open or the
    // store refused (the burst is then undone). Rollback: undoes the innermost burst.
    bool BeginBurst();
    bool CommitBurst();
    void RollbackBurst();
    int BurstDepth() const { return static_cast<int>(m_bursts.size()); }

    // ---- Events (raised by the host's event channel) --------------------------------------
    // Each handler answers finished and result first, then takes the event's own values.
    std::function<void(bool& finished, int& result, std::int32_t deviceId)> OnCdiEditParameters;
    std::function<void(bool& finished, int& result, int kind, std::int32_t deviceId, const std::string& text)>
        OnCdiCreateDevice;
    std::function<void(bool& finished, int& result, std::int32_t value, std::int32_t deviceId)> OnCdiDeleteDevice;
    std::function<void()> OnWmUserSvStop;
    // value3 is the device id, flags (value 9) a 16-bit flags word.
    std::function<void(bool& finished, int& result, std::int32_t value1, std::int32_t value2, std::int32_t deviceId,
                       std::int32_t value4, std::int32_t value5, std::int32_t value6, std::int32_t value7,
                       std::int32_t value8, std::uint16_t flags)>
        OnCdiDoDownload2;
    std::function<void(bool& finished, int& result, std::int32_t value1, std::int32_t value2, std::int32_t deviceId,
                       std::uint16_t objectNumber, std::int32_t subGroupId)>
        OnCdiLinkObjToSubGroup;
    std::function<void(bool& finished, int& result, std::int32_t value1, std::int32_t value2, std::int32_t deviceId,
                       std::uint16_t objectNumber, std::int32_t subGroupId)>
        OnCdiUnlinkObjFromSubGroup;
    std::function<void(bool& finished, int& result, std::int32_t value1, std::int32_t value2,
                       std::int32_t deviceObjectId)>
        OnCdiEditObject;
    std::function<void(bool& finished, int& result, std::int32_t value1, std::int32_t value2, std::int32_t deviceId,
                       TEtsExportTarget& target)>
        OnCdiExportDevice;
    std::function<void(bool& finished, int& result, std::int32_t value1, std::int32_t value2, std::int32_t deviceId)>
        OnCdiImportDevice;
    std::function<void(bool& finished, int& result, std::int32_t value1, std::int32_t value2, std::int32_t newDeviceId,
                       std::int32_t sourceDeviceId, bool flag)>
        OnCdiCopyDevice;

    // ---- ETS ---------------------------------------------------------------------------
    // The host's product text, version and directory (an empty directory in the store means
    // the folder of the store file). False without a store or when the directory does not
    // fit the record.
    bool GetEtsInfo(tagETSINFO& info);
    // What ETS does with the file an export handler named: it keeps a copy in its directory
    // (GetEtsInfo) under the file's own name, where the import event of the device looks for
    // it. The copy replaces an older one atomically; a file that lies in the directory
    // already is its own copy. copied: the copy's path. Fails, naming the file, when there is
    // no store or the file cannot be copied.
    [[nodiscard]] TEtsStatus TakeExportFile(const std::string& file, std::string& copied);

    // Starts an editing period (the host does, before an event that may leave it open).
    // False without a store, while one is open or while a write burst is open.
    bool BeginEditPeriod();
    bool IsEditPeriodOpen() const { return m_periodOpen; }
    // Ends the editing period: 1 keeps, 0 discards what was written in it. False when no
    // period is open, while a write burst is open, for another argument, or when the
    // project could not be kept (another program holds the store's lock, or the store
    // cannot be written): then nothing of the period is kept, the period is over as if
    // discarded, and the store holds no lock of this connection. LastError says why.
    bool ReturnToEts(int keep);
    // Told after every ReturnToEts with its argument and result (the host answers ETS).
    std::function<void(int keep, bool result)> OnReturnToEts;
    // Ends the editing period as ReturnToEts does, without telling the host: for the host
    // itself, when an event answered finished and the editor will not return.
    bool EndEditPeriod(bool keep);

    // The device's configuration block. Read: true with length 0 while the device has none;
    // buffer stays valid until the next BlobRead or the end of this object; false for an
    // unknown device. Write: stores the whole block.
    bool BlobRead(const std::uint8_t*& buffer, std::uint32_t& length, std::int32_t deviceId);
    bool BlobWrite(const void* buffer, std::uint32_t length, std::int32_t deviceId);

    // ---- DAL reads (keys in the order of the record comments in Dal.h) ------------------------
    int DalGetDeviceData(int mode, std::int32_t deviceId, std::int32_t lineId, std::int32_t areaId,
                         std::int32_t projectId, std::int32_t productId, DAL_DEVICE* record);
    int DalGetDeviceObjectData(int mode, std::int32_t deviceObjectId, std::int32_t deviceId, DAL_DEVICE_OBJECT* record);
    int DalGetCommunicationObjectData(int mode, std::int32_t commObjectId, std::int32_t parameterKey,
                                      std::int32_t productId, DAL_COMM_OBJECT* record);
    int DalGetSubgroupToObjectData(int mode, std::int32_t linkId, std::int32_t subGroupId,
                                   std::int32_t deviceObjectId, DAL_SUB_TO_OBJECT* record);
    int DalGetDeviceParamData(int mode, std::int32_t deviceParamId, std::int32_t deviceId, DAL_DEVICE_PARAM* record);
    int DalGetParameterData(int mode, std::int32_t parameterId, std::int32_t productId, std::int32_t number,
                            DAL_PARAMETER* record);
    int DalGetLineData(int mode, std::int32_t lineId, std::int32_t areaId, DAL_LINE* record);
    int DalGetAreaData(int mode, std::int32_t areaId, std::int32_t projectId, DAL_AREA* record);
    int DalGetProjectData(int mode, std::int32_t projectId, DAL_PROJECT* record);

    // ---- Links, flags, parameters ----------------------------------------------------------
    // Links a visible device object to a sub group. position 1 makes the link the one the
    // object sends on; any other position makes it sending only when it is the object's
    // first link. A free sub group takes the object's type. Result: the new link id;
    // -2 the sub group carries another type; -1 failed (unknown or hidden object, unknown
    // sub group, already linked, store error). The three flags are kept for ETS.
    int CoLinkObjectToSubGroup(std::int32_t deviceObjectId, std::int32_t subGroupId, std::int16_t position,
                               bool flag1, bool flag2, bool flag3);
    // Removes the link; a sub group left without links becomes free (type -1). False when
    // there was no such link.
    bool CoUnlinkObjectFromSubGroup(std::int32_t deviceObjectId, std::int32_t subGroupId, bool flag);
    // Writes a device parameter's value and shows or hides the objects it controls.
    // 1 stored; 2 stored and the device objects shown changed; 0 unknown device parameter
    // or store error.
    int CoSetDeviceParameterValueLong(std::int32_t deviceParamId, std::int32_t value, bool flag1, bool flag2);
    // The five object flags and the sending mark: 1 set; 0 error (unknown object or link,
    // store error); 2 refused (the object is hidden).
    int SqlSetDeviceObjectCommFlag(std::int32_t deviceObjectId, bool on);
    int SqlSetDeviceObjectReadFlag(std::int32_t deviceObjectId, bool on);
    int SqlSetDeviceObjectWriteFlag(std::int32_t deviceObjectId, bool on);
    int SqlSetDeviceObjectTransFlag(std::int32_t deviceObjectId, bool on);
    int SqlSetDeviceObjectUpdateFlag(std::int32_t deviceObjectId, bool on);
    // Setting the mark takes it from the object's other links.
    int SqlSetSubGroupToObjectSendFlag(std::int32_t linkId, bool on);

    // ---- The progress meter -------------------------------------------------------------------
    // A meter is a window handle; owner null means the owner given at construction.
    HWND CoMeterDlgOpen(HWND owner, unsigned kind);
    void CoMeterSetCaption(HWND meter, const std::string& caption);
    void CoMeterDlgClose(HWND meter);
    // What TEtsProgressDialog adds: position, the three text lines (0-2), the abort question.
    void CoMeterSetPosition(HWND meter, std::uint16_t position);
    void CoMeterSetText(HWND meter, int line, const std::string& text);
    bool CoMeterGetAbortFlag(HWND meter);
    // The display of all meters; not owned; null gives back the standard-error display.
    void SetMeterDisplay(TEtsMeterDisplay* display) { m_meterDisplay = display; }

    // ---- The bus -------------------------------------------------------------------------------
    // All answer 0 on success. The device is the one whose physical address EibSetAddress
    // (mode 1) chose; EibStartComm fails when no device answers there (no memory image).
    // first and firstAgain must be equal; end is inclusive. A read fills at most the buffer,
    // a write changes at most the bytes of its data (each through its mask byte: only the
    // bits set in the mask change), whatever end says; every byte touched must lie in the
    // device's memory, else nothing is read or written and the result is nonzero. A mask
    // shorter than the bytes written is refused.
    int EibSetAddress(int mode, std::uint16_t physicalAddress);
    int EibStartComm();
    int EibReadMemBlock(std::span<std::uint8_t> buffer, std::uint16_t first, std::uint16_t firstAgain,
                        std::uint16_t end);
    int EibWriteMemBlock(std::span<const std::uint8_t> data, std::uint16_t first, std::uint16_t firstAgain,
                         std::uint16_t end, std::span<const std::uint8_t> mask);
    int EibStopComm();

    // ---- For the support classes (morrow) ------------------------------------------------------
    // The device parameter of that number (of the device's product): its value (the default
    // while the device has none) and, when objects is given, the device objects it shows.
    // Results as TEtsDeviceParam: 0 done, 1 no such parameter or a shown object missing,
    // 2 the store refused the write, 3 no store or no such device.
    int GetDeviceParameter(std::int32_t deviceId, std::int16_t number, std::int32_t& value,
                           std::vector<tagDAL_OBJECT_INFO>* objects);
    int SetDeviceParameter(std::int32_t deviceId, std::int16_t number, std::int32_t value,
                           std::vector<tagDAL_OBJECT_INFO>* objects);
    // The group-address tree of the device's project. False for an unknown device.
    bool ReadGroupTree(std::int32_t deviceId, TEtsGroupTree& tree);
    // The same rows handed over as the store steps them, without a copy of the tree: every
    // main group, then every middle group, then every sub group, each level in number
    // (address) order. The row is reused between calls. An exception of onRow ends the read
    // and passes on; on false the rows handed over so far are no tree.
    bool ReadGroupTree(std::int32_t deviceId,
                       const std::function<void(TEtsGroupLevel, const TEtsGroupRow&)>& onRow);
    // Makes the group address (and its main and middle group when missing) in the device's
    // project; an address that exists is answered as it is. False for word 0 or above
    // 0x7FFF, an unknown device or a store error.
    bool CreateGroupAddress(std::int32_t deviceId, std::uint16_t word, const std::string& name, TEtsGroupPath& path);
    // The address word of a sub group. False for an unknown one.
    bool GetGroupAddressWord(std::int32_t subGroupId, std::uint16_t& word);
    // The ETS profile: found is false (and the result true) for a key it does not hold.
    bool ProfileRead(const std::string& section, const std::string& key, std::string& value, bool& found);
    bool ProfileWrite(const std::string& section, const std::string& key, const std::string& value);

private:
    // The checks both bus block calls make first: an open connection and a block whose two
    // first addresses agree and whose end is not before its start. 0 when the call may go
    // on, else the refusal (traced as the named call's failure).
    int CheckBlockCall(const char* call, std::uint16_t first, std::uint16_t firstAgain,
                       std::uint16_t end);
    // A write outside the project made in an editing period: written again when the period
    // is discarded (the period's transaction takes everything back).
    struct TOutsideWrite {
        bool profile = true;
        std::string section, key, value;     // profile
        std::uint16_t address = 0;           // bus image
        std::vector<std::uint8_t> image;
    };
    struct TCursor {
        std::vector<std::int32_t> ids;
        std::size_t next = 0;
        bool active = false;
    };
    enum TDalKind { kDevice, kDeviceObject, kCommObject, kSubToObject, kDeviceParam, kParameter, kLine, kArea,
                    kProject, kDalKinds };

    // select: the id query without WHERE; columns: the column of each key (in key order)
    // that a key other than -1 is matched against; order: its ORDER BY.
    template <typename Record, typename Fill>
    int DalRead(const char* call, TDalKind kind, int mode, Record* record, std::uint16_t size, const char* select,
                std::initializer_list<const char*> columns, const char* order,
                std::initializer_list<std::int32_t> keys, Fill fill);
    std::vector<std::int32_t> DalIds(const char* select, std::initializer_list<const char*> columns, const char* order,
                                     std::initializer_list<std::int32_t> keys);
    int SetObjectFlag(const char* call, const char* column, std::int32_t deviceObjectId, bool on);
    // showsObjects: whether the parameter shows objects at all, -1 when not known yet.
    void WriteParameter(std::int32_t deviceId, std::int32_t parameterId, std::int32_t value, bool& shownChanged,
                        int showsObjects = -1);
    void ShownObjects(std::int32_t deviceId, std::int32_t parameterId, std::vector<tagDAL_OBJECT_INFO>& objects);
    TEtsMeterDisplay& MeterDisplay();
    bool Fail(const std::string& call, const std::string& reason);
    // A call the store refused: the reason, the fault, and the refusal of the open event or
    // period.
    bool Fail(const std::string& call, const kestrin_detail::TSqlError& error);
    void NoteRefusal(const kestrin_detail::TSqlError& error);
    // A refusal named as the store's: "<call>: ETS project store "<file>" is locked by
    // another program: <reason>" (read-only, full, cannot be written).
    bool StoreFail(const std::string& call, TStoreFault fault, const std::string& reason);
    // Whether the store file can be opened for writing; else false with the reason: a commit
    // that meets a file that cannot be written leaves its journal behind, locking every
    // other reader out.
    bool StoreWritable(std::string& reason) const;
    void EndCursors();
    bool DiscardPeriod();
    // Ends the period (EndEditPeriod without an event around it).
    bool EndPeriod(bool keep);
    kestrin_detail::TStatementCache& Cache() { return *m_cache; }

    HWND m_owner;
    std::string m_deviceType;
    bool m_flag;
    sqlite3* m_db = nullptr;
    std::filesystem::path m_file;
    std::string m_lastError;
    TStoreFault m_lastStoreFault = TStoreFault::None;
    std::unique_ptr<kestrin_detail::TStatementCache> m_cache;
    // The period's transaction, then the open bursts, innermost last.
    std::unique_ptr<kestrin_detail::TTransaction> m_period;
    std::vector<std::unique_ptr<kestrin_detail::TTransaction>> m_bursts;
    bool m_periodOpen = false;
    // The open event's transaction (null after a return inside it that could not go on).
    std::unique_ptr<kestrin_detail::TTransaction> m_event;
    bool m_eventOpen = false;
    TStoreFault m_eventFault = TStoreFault::None;
    std::string m_eventError;
    std::int64_t m_eventChanges = 0; // the connection's row changes when the event began
    TStoreFault m_periodFault = TStoreFault::None;
    std::string m_periodError;
    int m_busyTimeoutMs = 2000;
    std::vector<TOutsideWrite> m_periodOutside;
    TCursor m_cursors[kDalKinds];
    std::vector<std::uint8_t> m_blob;
    TEtsMeterDisplay* m_meterDisplay = nullptr;
    TEtsMeterStderr m_meterStderr;
    std::set<HWND> m_meters;
    std::optional<std::uint16_t> m_busAddress;
    bool m_busOpen = false;
};
