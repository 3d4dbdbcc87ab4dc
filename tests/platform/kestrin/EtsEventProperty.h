#pragma once
// The property of ETS's events, run by the fuzz target ets_events and, for fixed seeds, by
// make test: a byte string is decoded into a sequence of steps on one project store through
// the event channel: ETS lines of each kind for two devices (with handlers that write a
// device parameter and the configuration, answer done or failed, leave an edit open, and may
// make a write the store refuses without looking at its result), a person's edits in the open
// period, kept and discarded returns, ETS deleting the device being edited, another program's
// read and write locks taken and released, a store that is full, and restarts of the editor.
// After every step:
//  - what every other program reads is the model: an event answered done (result=1, no
//    error) added all of its writes, one answered failed none of them; in an editing period
//    they wait for its return, a kept return adds exactly what the edit and the done events
//    in it wrote, and a discarded or failed return nothing;
//  - a return that fails is one whose period the store refused a write of, or refused;
//  - the editor holds no lock beyond its period's (another program always reads, and writes
//    while no period is open), no event is left open, every answer is one line;
//  - an edit event whose period could not begin was not raised.
// RunEtsEventProperty answers the first broken rule, empty when all held.

#include "kestrin/Ets2Cdi.h"
#include "kestrin/EtsEventChannel.h"

#include <sqlite3.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace ets_property {

namespace fs = std::filesystem;

// Two alarm centres (devices 1 and 2), each with one device parameter and one device object.
inline const char* ProjectSql()
{
    return R"sql(
INSERT INTO project (id, name) VALUES (1, 'Haus');
INSERT INTO area (id, project_id, number, name) VALUES (1, 1, 1, 'Bereich');
INSERT INTO line (id, area_id, number, name) VALUES (1, 1, 1, 'Linie');
INSERT INTO product (id, name, module_name) VALUES (1, 'Alarmzentrale', '244_ID');
INSERT INTO parameter (id, product_id, number, name, default_value) VALUES (1, 1, 100, 'DeviceId', 0);
INSERT INTO comm_object (id, product_id, number, object_type, name, function, kind, io_type)
    VALUES (1, 1, 0, 0, 'Alarm-Reset', 'Reset', 0, 0);
INSERT INTO device (id, line_id, number, product_id, name, description)
    VALUES (1, 1, 1, 1, 'AZ 1', ''), (2, 1, 2, 1, 'AZ 2', '');
INSERT INTO device_object (id, device_id, comm_object_id, visible) VALUES (11, 1, 1, 1), (21, 2, 1, 1);
INSERT INTO device_param (id, device_id, parameter_id, value) VALUES (31, 1, 1, 0), (32, 2, 1, 0);
)sql";
}

// What one device holds in the store: its parameter and its configuration.
struct TDevice {
    std::int64_t param = 0;
    std::string blob;
    bool operator==(const TDevice&) const = default;
};
using TModel = std::map<int, TDevice>;

// Reads the two devices as another program does; nullopt when it cannot.
inline std::optional<TModel> ReadStore(const fs::path& file)
{
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return std::nullopt;
    }
    TModel model{{1, {}}, {2, {}}};
    bool ok = true;
    const auto rows = [&](const char* sql, auto&& take) {
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr) != SQLITE_OK) {
            ok = false;
            return;
        }
        int rc = SQLITE_ROW;
        while ((rc = sqlite3_step(stmt)) == SQLITE_ROW)
            take(stmt);
        ok = ok && rc == SQLITE_DONE;
        sqlite3_finalize(stmt);
    };
    rows("SELECT device_id, value FROM device_param", [&](sqlite3_stmt* s) {
        model[sqlite3_column_int(s, 0)].param = sqlite3_column_int64(s, 1);
    });
    rows("SELECT device_id, data FROM device_blob", [&](sqlite3_stmt* s) {
        const auto* data = static_cast<const char*>(sqlite3_column_blob(s, 1));
        model[sqlite3_column_int(s, 0)].blob.assign(data ? data : "", static_cast<std::size_t>(sqlite3_column_bytes(s, 1)));
    });
    sqlite3_close(db);
    return ok ? std::optional<TModel>(model) : std::nullopt;
}

// A second program on the store: holds a read lock, a write lock or none.
class TAnderes {
public:
    explicit TAnderes(const fs::path& file) { sqlite3_open(file.c_str(), &m_db); }
    ~TAnderes() { sqlite3_close(m_db); }
    TAnderes(const TAnderes&) = delete;
    TAnderes& operator=(const TAnderes&) = delete;
    bool Sql(const char* sql) { return sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) == SQLITE_OK; }
    // 0 none, 1 read, 2 write.
    int lock = 0;

private:
    sqlite3* m_db = nullptr;
};

class TProperty {
public:
    explicit TProperty(const fs::path& file)
        : m_file(file)
        , m_anderes(file)
    {
        Oeffnen();
    }

    std::string Run(const std::uint8_t* data, std::size_t size)
    {
        std::string broken = Check("the start");
        for (std::size_t at = 0; broken.empty() && at < size && m_step < 48; ++m_step) {
            const auto next = [&] { return at < size ? data[at++] : std::uint8_t(0); };
            broken = Step(next(), next(), next());
        }
        if (m_anderes.lock != 0)
            m_anderes.Sql("ROLLBACK");
        return broken;
    }

private:
    void Oeffnen()
    {
        m_ets = std::make_unique<TEts2Cdi>(nullptr, "244_ID", false);
        (void)m_ets->OpenProjectStore(m_file);
        m_ets->SetBusyTimeout(5);
        m_out.str("");
        m_channel = std::make_unique<TEtsEventChannel>(*m_ets, m_out);
        auto work = [this](bool& f, int& r, std::int32_t device) { Work(f, r, device); };
        m_ets->OnCdiEditParameters = [work](bool& f, int& r, std::int32_t d) { work(f, r, d); };
        m_ets->OnCdiEditObject = [work](bool& f, int& r, std::int32_t, std::int32_t, std::int32_t o) {
            work(f, r, o / 10);
        };
        m_ets->OnCdiCreateDevice = [work](bool& f, int& r, int, std::int32_t d, const std::string&) { work(f, r, d); };
        m_ets->OnCdiDoDownload2 = [work](bool& f, int& r, std::int32_t, std::int32_t, std::int32_t d, std::int32_t,
                                         std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                                         std::uint16_t) { work(f, r, d); };
        m_ets->OnCdiLinkObjToSubGroup = [work](bool& f, int& r, std::int32_t, std::int32_t, std::int32_t d,
                                               std::uint16_t, std::int32_t) { work(f, r, d); };
        m_ets->OnCdiUnlinkObjFromSubGroup = m_ets->OnCdiLinkObjToSubGroup;
        m_ets->OnCdiImportDevice = [work](bool& f, int& r, std::int32_t, std::int32_t, std::int32_t d) {
            work(f, r, d);
        };
        m_ets->OnCdiCopyDevice = [work](bool& f, int& r, std::int32_t, std::int32_t, std::int32_t d, std::int32_t,
                                        bool) { work(f, r, d); };
        // ETS deletes the device being edited: the editor returns, keeping the period.
        m_ets->OnCdiDeleteDevice = [this](bool& f, int& r, std::int32_t, std::int32_t d) {
            if (m_period && d == m_offen)
                (void)m_ets->ReturnToEts(1);
            f = true;
            r = 0;
        };
    }

    // An event's handler: its writes, a refused one among them when asked, its answer.
    void Work(bool& finished, int& result, std::int32_t device)
    {
        m_raised = true;
        const std::int64_t value = 1000 + m_step;
        m_pending = {device, {value, "e" + std::to_string(m_step)}};
        m_ets->CoSetDeviceParameterValueLong(device == 1 ? 31 : 32, static_cast<std::int32_t>(value), false, false);
        if (m_verhalten & 2) {
            const std::string gross(256 * 1024, 'x');
            (void)m_ets->BlobWrite(gross.data(), static_cast<std::uint32_t>(gross.size()), device);
        }
        (void)m_ets->BlobWrite(m_pending.second.blob.data(),
                               static_cast<std::uint32_t>(m_pending.second.blob.size()), device);
        result = m_verhalten & 1 ? 1 : 0;
        finished = !(m_verhalten & 4);
    }

    std::string Line(const std::string& line)
    {
        m_out.str("");
        m_channel->HandleLine(line);
        return m_out.str();
    }

    // The answer's lines: ReturnToEts lines are applied to the model first.
    std::string Answers(const std::string& text, std::string& last)
    {
        std::istringstream in(text);
        std::string line;
        while (std::getline(in, line)) {
            last = line;
            if (line.rfind("ReturnToEts keep=", 0) == 0) {
                const bool ok = line.find("ok=0") == std::string::npos;
                const bool keep = line[17] == '1';
                if (keep && ok && m_mussScheitern)
                    return "a return was kept though the store refused a write of its period: " + line;
                if (keep && !ok && !m_broken && !m_anderesHielt)
                    return "a kept return failed though the store refused nothing: " + line;
                Returned(keep, ok);
            }
        }
        return {};
    }

    void Returned(bool keep, bool ok)
    {
        if (keep && ok)
            m_committed = m_inPeriod;
        m_period = false;
        m_broken = m_mussScheitern = false;
    }

    std::string Step(std::uint8_t op, std::uint8_t a, std::uint8_t b)
    {
        static const char* const kinds[] = {"LinkObjToSubGroup 0 0 %d 0 1", "UnlinkObjFromSubGroup 0 0 %d 0 1",
                                            "CreateDevice 0 %d Neu",         "DoDownload2 0 0 %d 0 0 0 0 0 1",
                                            "ImportDevice 0 0 %d",           "CopyDevice 0 0 %d 1 0",
                                            "EditParameters %d",             "EditObject 0 0 %d1"};
        const int device = 1 + (a >> 3 & 1);
        m_anderesHielt = m_anderes.lock != 0;
        switch (op % 8) {
        case 0:
        case 1: { // an ETS line
            const int kind = a % 8;
            const bool edit = kind >= 6;
            char text[64];
            std::snprintf(text, sizeof text, kinds[kind], device);
            m_verhalten = b;
            m_raised = false;
            const bool periodBefore = m_period;
            std::string last;
            if (std::string broken = Answers(Line(text), last); !broken.empty())
                return broken;
            if (last.find('\r') != std::string::npos || last.rfind(std::string(text).substr(0, 8), 0) != 0)
                return std::string("no one-line answer to ") + text + ": " + last;
            const bool done = last.find(" result=1 ") != std::string::npos && last.find("error=") == std::string::npos;
            const bool open = last.find("finished=0") != std::string::npos;
            if (edit && !periodBefore && last.find("error=\"BeginEditPeriod") != std::string::npos && m_raised)
                return std::string("an edit was raised without its period: ") + text;
            if (done && !m_raised)
                return std::string("answered done, not raised: ") + text;
            if (edit && !periodBefore && open) {
                m_period = true;
                m_offen = device;
                m_inPeriod = m_committed;
            }
            if (done)
                (m_period ? m_inPeriod : m_committed)[m_pending.first] = m_pending.second;
            // A refusal inside the period may have cost the period itself (SQLite rolls a
            // transaction back on some write errors): its return may fail.
            if (m_period && last.find("error=") != std::string::npos)
                m_broken = true;
            break;
        }
        case 2: { // the person's edit in the open period
            if (!m_period)
                break;
            const std::string blob = "p" + std::to_string(m_step);
            const bool ok = m_ets->CoSetDeviceParameterValueLong(m_offen == 1 ? 31 : 32, 2000 + m_step, false, false) == 1
                            && m_ets->BlobWrite(blob.data(), static_cast<std::uint32_t>(blob.size()), m_offen);
            m_broken = m_broken || !ok;
            m_mussScheitern = m_mussScheitern || !ok;
            m_inPeriod[m_offen] = {2000 + m_step, blob};
            break;
        }
        case 3: // the person returns, keeping or discarding
            if (m_period) {
                std::string last;
                if (std::string broken = Answers([&] {
                        m_out.str("");
                        (void)m_ets->ReturnToEts(a & 1);
                        return m_out.str();
                    }(), last);
                    !broken.empty())
                    return broken;
            }
            break;
        case 4: // another program takes a lock
            if (m_anderes.lock == 0) {
                const bool write = a & 1;
                if (m_anderes.Sql(write ? "BEGIN IMMEDIATE" : "BEGIN; SELECT count(*) FROM device;"))
                    m_anderes.lock = write ? 2 : 1;
                else
                    m_anderes.Sql("ROLLBACK");
            }
            break;
        case 5: // ... and lets go
            if (m_anderes.lock != 0)
                m_anderes.Sql("ROLLBACK");
            m_anderes.lock = 0;
            break;
        case 6: { // the store fills up, or has room again
            const bool voll = a & 1;
            const auto status = m_ets->ExecuteSql(
                voll ? "PRAGMA max_page_count = " + std::to_string(fs::file_size(m_file) / 4096 + 2)
                     : std::string("PRAGMA max_page_count = 1073741823"));
            if (!status && m_period)
                m_broken = m_mussScheitern = true;
            break;
        }
        case 7: // ETS deletes the device being edited, or the editor starts again
            if (a & 1) {
                std::string last;
                char text[32];
                std::snprintf(text, sizeof text, "DeleteDevice 0 %d", device);
                if (std::string broken = Answers(Line(text), last); !broken.empty())
                    return broken;
            } else {
                m_channel.reset();
                m_ets.reset();
                m_period = false;
                m_broken = m_mussScheitern = false;
                Oeffnen();
            }
            break;
        }
        return Check("step " + std::to_string(m_step) + " (" + std::to_string(op % 8) + ")");
    }

    std::string Check(const std::string& where)
    {
        const auto seen = ReadStore(m_file);
        if (!seen)
            return where + ": another program cannot read the store";
        if (*seen != m_committed) {
            std::string text = where + ": the store holds";
            for (const auto& [id, d] : *seen)
                text += " " + std::to_string(id) + "=" + std::to_string(d.param) + "/" + d.blob.substr(0, 8);
            text += ", expected";
            for (const auto& [id, d] : m_committed)
                text += " " + std::to_string(id) + "=" + std::to_string(d.param) + "/" + d.blob.substr(0, 8);
            return text;
        }
        if (m_ets->IsEventOpen() || m_ets->BurstDepth() != 0)
            return where + ": an event or burst is left open";
        if (m_ets->IsEditPeriodOpen() != m_period)
            return where + ": the editing period is " + (m_period ? "gone" : "open");
        if (m_anderes.lock == 0 && !m_period) {
            TAnderes dritter(m_file);
            if (!dritter.Sql("BEGIN IMMEDIATE; ROLLBACK;"))
                return where + ": the editor holds a lock while it waits";
        }
        return {};
    }

    fs::path m_file;
    TAnderes m_anderes;
    std::unique_ptr<TEts2Cdi> m_ets;
    std::ostringstream m_out;
    std::unique_ptr<TEtsEventChannel> m_channel;
    TModel m_committed{{1, {}}, {2, {}}};
    TModel m_inPeriod;
    std::pair<int, TDevice> m_pending;
    bool m_period = false;
    // The period's return may fail (the store refused something in it) / must fail (the
    // store refused a write of it that is not undone with an event).
    bool m_broken = false;
    bool m_mussScheitern = false;
    bool m_raised = false;
    bool m_anderesHielt = false;
    int m_offen = 0;
    std::uint8_t m_verhalten = 0;
    int m_step = 0;
};

// A copy of a new project store in the temporary folder (made once per process), the steps
// run on it, the copy removed.
inline std::string RunEtsEventProperty(const std::uint8_t* data, std::size_t size)
{
    static const fs::path folder = [] {
        const fs::path f = fs::temp_directory_path() / ("miraval-ets-property-" + std::to_string(::getpid()));
        fs::create_directories(f);
        const fs::path vorlage = f / "vorlage.db";
        fs::remove(vorlage);
        if (TEts2Cdi::CreateProjectStore(vorlage)) {
            TEts2Cdi ets(nullptr, "244_ID", false);
            if (ets.OpenProjectStore(vorlage))
                (void)ets.ExecuteSql(ProjectSql());
        }
        return f;
    }();
    const fs::path file = folder / "store.db";
    std::error_code ec;
    fs::remove(file, ec);
    fs::remove(file.string() + "-journal", ec);
    fs::copy_file(folder / "vorlage.db", file, ec);
    if (ec)
        return "the store cannot be copied: " + ec.message();
    std::string broken = TProperty(file).Run(data, size);
    fs::remove(file, ec);
    return broken;
}

} // namespace ets_property
