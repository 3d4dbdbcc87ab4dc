#include "kestrin/Ets2Cdi.h"

#include "kestrin/Ets2Cdi_p.h"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string_view>
#include <system_error>

#include <fcntl.h>
#include <unistd.h>

using namespace kestrin_detail;

namespace {

// The mark schema.sql sets; a file without it is no project store.
constexpr std::int64_t kApplicationId = 1296650834; // 'MIRR'

constexpr const char* kStoreLocked = " is locked by another program";

// How the messages name a store: ETS project store "<file>".
std::string StoreName(const std::filesystem::path& file)
{
    return "ETS project store \"" + file.string() + "\"";
}

// The schema version schema.sql sets (PRAGMA user_version).
constexpr std::int64_t kSchemaVersion = 2;

// Brings a store of an older schema version up to this one. Version 2 only added indexes:
// every CREATE INDEX of the schema is made where it is missing.
void UpgradeSchema(sqlite3* db)
{
    const std::string_view schema = ProjectStoreSchema();
    for (std::size_t at = schema.find("CREATE INDEX"); at != std::string_view::npos;
         at = schema.find("CREATE INDEX", at + 1)) {
        const std::size_t end = schema.find(';', at);
        if (end == std::string_view::npos)
            break;
        Exec(db, std::string(schema.substr(at, end - at)));
    }
    Exec(db, "PRAGMA user_version = " + std::to_string(kSchemaVersion));
}

} // namespace

TEts2Cdi::TEts2Cdi(HWND owner, std::string deviceType, bool flag)
    : m_owner(owner)
    , m_deviceType(std::move(deviceType))
    , m_flag(flag)
{
}

TEts2Cdi::~TEts2Cdi()
{
    for (HWND meter : std::set<HWND>(m_meters))
        CoMeterDlgClose(meter);
    CloseProjectStore();
}

bool TEts2Cdi::Fail(const std::string& call, const std::string& reason)
{
    m_lastError = call + ": " + reason;
    m_lastStoreFault = TStoreFault::None;
    return false;
}

namespace {

TEts2Cdi::TStoreFault StoreFault(int code)
{
    switch (code) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return TEts2Cdi::TStoreFault::Locked;
    case SQLITE_READONLY:
    case SQLITE_PERM:
        return TEts2Cdi::TStoreFault::ReadOnly;
    case SQLITE_FULL:
        return TEts2Cdi::TStoreFault::Full;
    case SQLITE_IOERR:
        return TEts2Cdi::TStoreFault::Io;
    default:
        return TEts2Cdi::TStoreFault::Other;
    }
}

// How a message names what the store said.
std::string FaultText(TEts2Cdi::TStoreFault fault)
{
    switch (fault) {
    case TEts2Cdi::TStoreFault::Locked:
        return kStoreLocked;
    case TEts2Cdi::TStoreFault::ReadOnly:
        return " is read-only";
    case TEts2Cdi::TStoreFault::Full:
        return "'s disk is full";
    default:
        return " cannot be written";
    }
}

} // namespace

bool TEts2Cdi::StoreFail(const std::string& call, TStoreFault fault, const std::string& reason)
{
    Fail(call, StoreName(m_file) + FaultText(fault) + ": " + reason);
    m_lastStoreFault = fault;
    return false;
}

bool TEts2Cdi::Fail(const std::string& call, const TSqlError& error)
{
    Fail(call, error.what());
    NoteRefusal(error);
    return false;
}

void TEts2Cdi::NoteRefusal(const TSqlError& error)
{
    m_lastStoreFault = StoreFault(error.Code());
    // SQLite has rolled the period back itself (a full disk, an I/O error): whatever the
    // event, the period cannot be kept.
    const bool periodGone = m_periodOpen && m_db != nullptr && sqlite3_get_autocommit(m_db) != 0;
    if (m_eventOpen && m_eventFault == TStoreFault::None) {
        m_eventFault = m_lastStoreFault;
        m_eventError = m_lastError;
        // One refusal is the event's answer: nothing more of it waits for the store.
        if (m_db)
            sqlite3_busy_timeout(m_db, 0);
    }
    if ((!m_eventOpen || periodGone) && m_periodOpen && m_periodFault == TStoreFault::None) {
        m_periodFault = m_lastStoreFault;
        m_periodError = m_lastError;
    }
}

TEts2Cdi::TStoreFault TEts2Cdi::RefusedFault() const
{
    return m_eventOpen ? m_eventFault : m_periodOpen ? m_periodFault : TStoreFault::None;
}

void TEts2Cdi::SetBusyTimeout(int milliseconds)
{
    m_busyTimeoutMs = std::max(0, milliseconds);
    if (m_db && m_eventFault == TStoreFault::None)
        sqlite3_busy_timeout(m_db, m_busyTimeoutMs);
}

bool TEts2Cdi::StoreWritable(std::string& reason) const
{
    const int fd = ::open(m_file.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd >= 0) {
        ::close(fd);
        return true;
    }
    const int error = errno;
    if (error != EPERM && error != EACCES && error != EROFS)
        return true;
    reason = std::generic_category().message(error);
    return false;
}

// ---- The project store -----------------------------------------------------------------------

TEtsStatus TEts2Cdi::CreateProjectStore(const std::filesystem::path& file)
{
    std::error_code ec;
    if (std::filesystem::exists(file, ec))
        return {false, StoreName(file) + " not created: the file exists"};
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
        std::string message = StoreName(file) + " not created: " + sqlite3_errmsg(db);
        sqlite3_close(db);
        return {false, message};
    }
    TEtsStatus status;
    try {
        Exec(db, std::string("BEGIN;\n") + ProjectStoreSchema() + "\nCOMMIT;");
    } catch (const TSqlError& e) {
        status = {false, StoreName(file) + " not created: " + e.what()};
    }
    sqlite3_close(db);
    if (!status)
        std::filesystem::remove(file, ec);
    return status;
}

TEtsStatus TEts2Cdi::OpenProjectStore(const std::filesystem::path& file)
{
    CloseProjectStore();
    const std::string where = StoreName(file);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec))
        return {false, where + " does not exist"};
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        std::string message = where + " cannot be opened: " + sqlite3_errmsg(db);
        sqlite3_close(db);
        return {false, message};
    }
    // Another program may hold the store's lock for a moment: every access, the first read
    // too, waits for it.
    sqlite3_busy_timeout(db, m_busyTimeoutMs);
    TEtsStatus status;
    try {
        TStatement id(db, "PRAGMA application_id");
        if (!id.Step() || id.Int(0) != kApplicationId)
            status = {false, where + " is not an ETS project store"};
        else {
            TStatement info(db, "SELECT count(*) FROM ets_info WHERE id = 1");
            if (!info.Step() || info.Int(0) != 1)
                status = {false, where + " is not an ETS project store: it has no ETS information"};
        }
        if (status && sqlite3_db_readonly(db, "main") == 1)
            status = {false, where + " cannot be written"};
        if (status) {
            Exec(db, "PRAGMA foreign_keys = ON");
            // Statement journals of the savepoints inside a burst or period, and the
            // temporary tables of a query, stay in memory: never a file per write.
            Exec(db, "PRAGMA temp_store = MEMORY");
            TStatement version(db, "PRAGMA user_version");
            if (version.Step() && version.Int(0) < kSchemaVersion) {
                Exec(db, "BEGIN IMMEDIATE");
                try {
                    UpgradeSchema(db);
                    Exec(db, "COMMIT");
                } catch (const TSqlError&) {
                    sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
                    throw;
                }
            }
        }
    } catch (const TSqlError& e) {
        // A file that is no SQLite database fails on its first read.
        status = {false, where + (e.IsLock()                  ? kStoreLocked
                                  : e.Code() == SQLITE_IOERR ? " cannot be read"
                                                             : " is not an ETS project store")
                             + ": " + e.Reason()};
    }
    if (!status) {
        sqlite3_close(db);
        return status;
    }
    m_db = db;
    m_cache = std::make_unique<TStatementCache>(db);
    m_file = file;
    m_lastError.clear();
    m_lastStoreFault = TStoreFault::None;
    return status;
}

void TEts2Cdi::CloseProjectStore()
{
    if (!m_db)
        return;
    while (!m_bursts.empty())
        m_bursts.pop_back();
    m_event.reset();
    m_eventOpen = false;
    m_eventFault = TStoreFault::None;
    if (m_periodOpen)
        DiscardPeriod();
    m_period.reset();
    EndCursors();
    m_cache.reset();
    sqlite3_close(m_db);
    m_db = nullptr;
    m_file.clear();
    m_periodOpen = false;
    m_periodOutside.clear();
    m_busAddress.reset();
    m_busOpen = false;
}

TEtsStatus TEts2Cdi::ExecuteSql(const std::string& sql)
{
    if (!m_db)
        return {false, "no ETS project store is open"};
    try {
        TTransaction transaction(Cache());
        Exec(m_db, sql);
        transaction.Commit();
    } catch (const TSqlError& e) {
        Fail("ExecuteSql", e);
        return {false, StoreName(m_file) + ": " + e.what()};
    }
    return {};
}

void TEts2Cdi::EndCursors()
{
    for (auto& cursor : m_cursors)
        cursor = TCursor{};
}

// ---- ETS -----------------------------------------------------------------------------------

bool TEts2Cdi::GetEtsInfo(tagETSINFO& info)
{
    if (!m_db)
        return Fail("GetEtsInfo", "no project store is open");
    try {
        TStatement row(Cache(), "SELECT product, directory, version1, version2, version3, version4 FROM ets_info WHERE id = 1");
        if (!row.Step())
            return Fail("GetEtsInfo", "the store has no ETS information");
        std::string directory = row.Text(1);
        if (directory.empty())
            directory = std::filesystem::absolute(m_file).parent_path().string();
        while (directory.size() > 1 && (directory.back() == '/' || directory.back() == '\\'))
            directory.pop_back();
        tagETSINFO result;
        if (!CopyText(result.Product, row.Text(0)) || !CopyText(result.Directory, directory))
            return Fail("GetEtsInfo", "the product text or directory does not fit the record");
        result.Version1 = static_cast<std::uint32_t>((row.Int(2) << 16) | row.Int(3));
        result.Version2 = static_cast<std::uint32_t>((row.Int(4) << 16) | row.Int(5));
        info = result;
        return true;
    } catch (const TSqlError& e) {
        return Fail("GetEtsInfo", e);
    }
}

TEtsStatus TEts2Cdi::TakeExportFile(const std::string& file, std::string& copied)
{
    namespace fs = std::filesystem;
    copied.clear();
    auto info = std::make_unique<tagETSINFO>();
    if (!GetEtsInfo(*info))
        return {false, "TakeExportFile: " + m_lastError};
    const fs::path source(file);
    const fs::path target = fs::path(std::string(info->Directory)) / source.filename();
    std::error_code ec;
    if (fs::exists(target, ec) && fs::equivalent(source, target, ec)) {
        copied = target.string();
        return {};
    }
    // Copied beside the target first, then renamed over it: an older export stays whole until
    // the new one is complete.
    const fs::path temporary = target.string() + ".tmp";
    if (fs::copy_file(source, temporary, fs::copy_options::overwrite_existing, ec))
        fs::rename(temporary, target, ec);
    else if (!ec)
        ec = std::make_error_code(std::errc::io_error);
    if (ec) {
        const std::string reason = ec.message();
        fs::remove(temporary, ec);
        return {false, "TakeExportFile: " + file + " cannot be copied to " + target.string() + ": " + reason};
    }
    copied = target.string();
    return {};
}

bool TEts2Cdi::BeginEditPeriod()
{
    if (!m_db)
        return Fail("BeginEditPeriod", "no project store is open");
    if (m_periodOpen)
        return Fail("BeginEditPeriod", "an editing period is open");
    if (!m_bursts.empty() || m_eventOpen)
        return Fail("BeginEditPeriod", m_eventOpen ? "an event is open" : "a write burst is open");
    try {
        m_period = std::make_unique<TTransaction>(Cache());
    } catch (const TSqlError& e) {
        return StoreFail("BeginEditPeriod", StoreFault(e.Code()), e.Reason());
    }
    m_periodOpen = true;
    m_periodFault = TStoreFault::None;
    m_periodError.clear();
    m_periodOutside.clear();
    return true;
}

bool TEts2Cdi::ReturnToEts(int keep)
{
    bool result = false;
    if (keep != 0 && keep != 1)
        Fail("ReturnToEts", "neither keep (1) nor discard (0): " + std::to_string(keep));
    else
        result = EndEditPeriod(keep == 1);
    if (OnReturnToEts)
        OnReturnToEts(keep, result);
    return result;
}

bool TEts2Cdi::EndEditPeriod(bool keep)
{
    if (!m_periodOpen)
        return Fail("ReturnToEts", "no editing period is open");
    if (!m_bursts.empty())
        return Fail("ReturnToEts", "a write burst is open");
    // Inside an event: the event's work so far belongs to the period (none of it when the
    // event has failed); what the event writes after the return is a transaction of its own.
    if (m_eventOpen && m_event) {
        if (m_eventFault == TStoreFault::None) {
            try {
                m_event->Commit();
            } catch (const TSqlError& e) {
                NoteRefusal(e);
            }
        }
        m_event.reset();
    }
    const bool result = EndPeriod(keep);
    if (m_eventOpen) {
        m_eventChanges = sqlite3_total_changes64(m_db);
        try {
            m_event = std::make_unique<TTransaction>(Cache());
        } catch (const TSqlError& e) {
            const std::string error = m_lastError;
            const TStoreFault fault = m_lastStoreFault;
            Fail("ETS event", e);
            m_lastError = error;
            m_lastStoreFault = fault;
        }
    }
    return result;
}

bool TEts2Cdi::EndPeriod(bool keep)
{
    if (!keep)
        return DiscardPeriod();
    // A period the store refused a write of is not kept in part: the return fails with the
    // cause of that refusal (SQLite may have rolled the period back already; a commit then
    // would only say that no transaction is active).
    std::string reason;
    TStoreFault fault = m_periodFault;
    if (fault != TStoreFault::None)
        reason = m_periodError;
    else if (sqlite3_get_autocommit(m_db) != 0)
        fault = TStoreFault::Other, reason = "the store has rolled the editing period back";
    else if (std::string why; !StoreWritable(why))
        fault = TStoreFault::ReadOnly, reason = why;
    if (fault == TStoreFault::None) {
        try {
            m_period->Commit();
        } catch (const TSqlError& e) {
            fault = StoreFault(e.Code());
            reason = e.Reason();
        }
    }
    if (fault != TStoreFault::None) {
        // A return is kept whole or not at all. An I/O error has made SQLite roll the period
        // back itself; a lock leaves its transaction open, holding the pending lock that keeps
        // every other reader out, and a later commit would keep it behind the caller's back:
        // it is rolled back here, so the period is over as if discarded and no lock is held.
        const bool outside = DiscardPeriod();
        return StoreFail("ReturnToEts", fault,
                         reason + "; nothing of the editing period was kept"
                             + (outside ? "" : ", nor the ETS profile and device memory written in it"));
    }
    m_period.reset();
    m_periodOpen = false;
    m_periodFault = TStoreFault::None;
    m_periodOutside.clear();
    return true;
}

// ---- Events --------------------------------------------------------------------------------

bool TEts2Cdi::BeginEvent()
{
    if (!m_db)
        return Fail("BeginEvent", "no project store is open");
    if (m_eventOpen || !m_bursts.empty())
        return Fail("BeginEvent", m_eventOpen ? "an event is open" : "a write burst is open");
    try {
        m_event = std::make_unique<TTransaction>(Cache());
    } catch (const TSqlError& e) {
        return StoreFail("ETS event", StoreFault(e.Code()), e.Reason());
    }
    m_eventOpen = true;
    m_eventFault = TStoreFault::None;
    m_eventError.clear();
    m_eventChanges = sqlite3_total_changes64(m_db);
    return true;
}

bool TEts2Cdi::EndEvent(bool keep)
{
    if (!m_eventOpen)
        return Fail("EndEvent", "no event is open");
    while (!m_bursts.empty())
        m_bursts.pop_back();
    std::unique_ptr<TTransaction> event = std::move(m_event);
    const TStoreFault refused = m_eventFault;
    const std::string error = m_eventError;
    m_eventOpen = false;
    m_eventFault = TStoreFault::None;
    m_eventError.clear();
    sqlite3_busy_timeout(m_db, m_busyTimeoutMs);
    TStoreFault fault = refused;
    std::string reason = error;
    // An event that wrote nothing has nothing to store: its transaction ends without a commit,
    // which would wait for other programs' readers.
    if (fault == TStoreFault::None && sqlite3_total_changes64(m_db) == m_eventChanges)
        keep = false;
    if (!keep && fault == TStoreFault::None) {
        // The handler answered failure: nothing of the event is kept.
        event.reset();
        EndCursors();
        return true;
    }
    if (fault == TStoreFault::None && event && !event->Nested()) {
        if (std::string why; !StoreWritable(why))
            fault = TStoreFault::ReadOnly, reason = why;
    }
    if (fault == TStoreFault::None && event) {
        try {
            event->Commit();
            return true;
        } catch (const TSqlError& e) {
            fault = StoreFault(e.Code());
            reason = e.Reason();
        }
    }
    if (fault == TStoreFault::None)
        return true;
    event.reset();
    EndCursors();
    // The event's savepoint may have been all the period still had (SQLite rolled it back).
    if (m_periodOpen && m_periodFault == TStoreFault::None && sqlite3_get_autocommit(m_db) != 0)
        m_periodFault = fault, m_periodError = reason;
    return StoreFail("ETS event", fault, reason + "; nothing of the event was kept");
}

// Takes back everything the period wrote (its transaction is rolled back), then writes the
// ETS profile and bus memory written in the period again: they are not project data.
bool TEts2Cdi::DiscardPeriod()
{
    m_period.reset();
    m_periodOpen = false;
    m_periodFault = TStoreFault::None;
    m_periodError.clear();
    EndCursors();
    std::vector<TOutsideWrite> outside;
    outside.swap(m_periodOutside);
    if (outside.empty())
        return true;
    try {
        TTransaction transaction(Cache());
        for (const TOutsideWrite& write : outside) {
            if (write.profile) {
                TStatement(Cache(), "INSERT INTO ets_profile (section, key, value) VALUES (?, ?, ?) "
                                    "ON CONFLICT (section, key) DO UPDATE SET value = excluded.value")
                    .Bind(1, write.section)
                    .Bind(2, write.key)
                    .Bind(3, write.value)
                    .Run();
            } else {
                TStatement(Cache(), "UPDATE bus_image SET image = ? WHERE physical_address = ?")
                    .BindBlob(1, write.image.data(), write.image.size())
                    .Bind(2, write.address)
                    .Run();
            }
        }
        transaction.Commit();
    } catch (const TSqlError& e) {
        return Fail("ReturnToEts", std::string("the ETS profile and device memory written in the period were lost: ")
                                       + e.what());
    }
    return true;
}

// ---- Write bursts --------------------------------------------------------------------------

bool TEts2Cdi::BeginBurst()
{
    if (!m_db)
        return Fail("BeginBurst", "no project store is open");
    try {
        m_bursts.push_back(std::make_unique<TTransaction>(Cache()));
    } catch (const TSqlError& e) {
        return Fail("BeginBurst", e);
    }
    return true;
}

bool TEts2Cdi::CommitBurst()
{
    if (m_bursts.empty())
        return Fail("CommitBurst", "no write burst is open");
    std::unique_ptr<TTransaction> burst = std::move(m_bursts.back());
    m_bursts.pop_back();
    if (std::string why; !burst->Nested() && !StoreWritable(why)) {
        burst.reset();
        return StoreFail("CommitBurst", TStoreFault::ReadOnly, why);
    }
    try {
        burst->Commit();
    } catch (const TSqlError& e) {
        // Undone as the burst goes.
        return Fail("CommitBurst", e);
    }
    return true;
}

void TEts2Cdi::RollbackBurst()
{
    if (m_bursts.empty())
        return;
    m_bursts.pop_back();
    EndCursors();
}

// ---- Blob ----------------------------------------------------------------------------------

bool TEts2Cdi::BlobRead(const std::uint8_t*& buffer, std::uint32_t& length, std::int32_t deviceId)
{
    if (!m_db)
        return Fail("BlobRead", "no project store is open");
    try {
        TStatement device(Cache(), "SELECT count(*) FROM device WHERE id = ?");
        device.Bind(1, deviceId);
        if (!device.Step() || device.Int(0) == 0)
            return Fail("BlobRead", "no device " + std::to_string(deviceId));
        TStatement blob(Cache(), "SELECT data FROM device_blob WHERE device_id = ?");
        blob.Bind(1, deviceId);
        m_blob = blob.Step() ? blob.Blob(0) : std::vector<std::uint8_t>();
    } catch (const TSqlError& e) {
        return Fail("BlobRead", e);
    }
    if (m_blob.size() > UINT32_MAX)
        return Fail("BlobRead", "the block is too large");
    buffer = m_blob.data();
    length = static_cast<std::uint32_t>(m_blob.size());
    return true;
}

bool TEts2Cdi::BlobWrite(const void* buffer, std::uint32_t length, std::int32_t deviceId)
{
    if (!m_db)
        return Fail("BlobWrite", "no project store is open");
    if (!buffer && length != 0)
        return Fail("BlobWrite", "no data");
    try {
        TTransaction transaction(Cache());
        TStatement device(Cache(), "SELECT count(*) FROM device WHERE id = ?");
        device.Bind(1, deviceId);
        if (!device.Step() || device.Int(0) == 0)
            return Fail("BlobWrite", "no device " + std::to_string(deviceId));
        TStatement write(Cache(), "INSERT INTO device_blob (device_id, data) VALUES (?, ?) "
                               "ON CONFLICT (device_id) DO UPDATE SET data = excluded.data");
        write.Bind(1, deviceId).BindBlob(2, buffer, length).Run();
        transaction.Commit();
        return true;
    } catch (const TSqlError& e) {
        return Fail("BlobWrite", e);
    }
}

// ---- Profile -------------------------------------------------------------------------------

bool TEts2Cdi::ProfileRead(const std::string& section, const std::string& key, std::string& value, bool& found)
{
    if (!m_db)
        return Fail("ProfileRead", "no project store is open");
    try {
        TStatement read(Cache(), "SELECT value FROM ets_profile WHERE section = ? AND key = ?");
        read.Bind(1, section).Bind(2, key);
        found = read.Step();
        if (found)
            value = read.Text(0);
        return true;
    } catch (const TSqlError& e) {
        return Fail("ProfileRead", e);
    }
}

bool TEts2Cdi::ProfileWrite(const std::string& section, const std::string& key, const std::string& value)
{
    if (!m_db)
        return Fail("ProfileWrite", "no project store is open");
    try {
        TTransaction transaction(Cache());
        TStatement write(Cache(), "INSERT INTO ets_profile (section, key, value) VALUES (?, ?, ?) "
                                  "ON CONFLICT (section, key) DO UPDATE SET value = excluded.value");
        write.Bind(1, section).Bind(2, key).Bind(3, value).Run();
        transaction.Commit();
        if (m_periodOpen)
            m_periodOutside.push_back({true, section, key, value, 0, {}});
        return true;
    } catch (const TSqlError& e) {
        return Fail("ProfileWrite", e);
    }
}

// ---- Meter ---------------------------------------------------------------------------------

TEtsMeterDisplay& TEts2Cdi::MeterDisplay()
{
    return m_meterDisplay ? *m_meterDisplay : m_meterStderr;
}

HWND TEts2Cdi::CoMeterDlgOpen(HWND owner, unsigned kind)
{
    HWND meter = CreateWindowHandle([](HWND, UINT, WPARAM, LPARAM) -> LRESULT { return 0; });
    m_meters.insert(meter);
    MeterDisplay().Open(meter, owner ? owner : m_owner, kind);
    return meter;
}

void TEts2Cdi::CoMeterSetCaption(HWND meter, const std::string& caption)
{
    if (m_meters.count(meter))
        MeterDisplay().SetCaption(meter, caption);
}

void TEts2Cdi::CoMeterSetPosition(HWND meter, std::uint16_t position)
{
    if (m_meters.count(meter))
        MeterDisplay().SetPosition(meter, position);
}

void TEts2Cdi::CoMeterSetText(HWND meter, int line, const std::string& text)
{
    if (m_meters.count(meter) && line >= 0 && line <= 2)
        MeterDisplay().SetText(meter, line, text);
}

bool TEts2Cdi::CoMeterGetAbortFlag(HWND meter)
{
    return m_meters.count(meter) && MeterDisplay().AbortRequested(meter);
}

void TEts2Cdi::CoMeterDlgClose(HWND meter)
{
    if (!m_meters.erase(meter))
        return;
    MeterDisplay().Close(meter);
    DestroyWindow(meter);
}
