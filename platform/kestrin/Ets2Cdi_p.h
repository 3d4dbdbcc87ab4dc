#pragma once
// Inside TEts2Cdi: a thin layer over SQLite. Failures throw TSqlError, which the public
// calls of TEts2Cdi catch at their boundary and turn into their result codes.

#include <sqlite3.h>

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>
#include <unordered_map>
#include <utility>
#include <vector>

namespace kestrin_detail {

class TSqlError : public std::runtime_error {
public:
    explicit TSqlError(const std::string& what, int code = SQLITE_ERROR, std::string reason = {})
        : std::runtime_error(what)
        , m_code(code)
        , m_reason(reason.empty() ? what : std::move(reason))
    {
    }
    // SQLite's primary result code (SQLITE_BUSY, SQLITE_IOERR, ...) and its message alone.
    int Code() const { return m_code; }
    const std::string& Reason() const { return m_reason; }
    // Another connection holds the store's lock (longer than the busy timeout).
    bool IsLock() const { return m_code == SQLITE_BUSY || m_code == SQLITE_LOCKED; }

private:
    int m_code;
    std::string m_reason;
};

[[noreturn]] inline void ThrowSql(sqlite3* db, const std::string& what)
{
    if (!db)
        throw TSqlError(what + ": no store");
    const int code = sqlite3_errcode(db) & 0xFF;
    std::string reason = sqlite3_errmsg(db);
    // What the system said to the file access that failed (kept by the store's file when
    // a rollback has run since).
    if (code == SQLITE_IOERR || code == SQLITE_CANTOPEN || code == SQLITE_FULL) {
        int error = sqlite3_system_errno(db);
        if (error == 0)
            sqlite3_file_control(db, "main", SQLITE_FCNTL_LAST_ERRNO, &error);
        if (error != 0)
            reason += " (" + std::generic_category().message(error) + ")";
    }
    throw TSqlError(what + ": " + reason, code, reason);
}

// The prepared statements of one connection, by SQL text: each is prepared once and reused
// for the connection's lifetime. A statement in use is lent to one TStatement at a time; a
// second use of the same text while the first is running (a read inside a walk) gets a
// statement of its own, finalized after it.
class TStatementCache {
public:
    explicit TStatementCache(sqlite3* db)
        : m_db(db)
    {
    }
    ~TStatementCache()
    {
        for (auto& [sql, entry] : m_entries)
            sqlite3_finalize(entry.stmt);
    }
    TStatementCache(const TStatementCache&) = delete;
    TStatementCache& operator=(const TStatementCache&) = delete;

    sqlite3* Db() const { return m_db; }

    // Whether a TTransaction of its own (not a savepoint) is alive on the connection.
    void SetOuterAlive(bool alive) { m_outerAlive = alive; }
    bool OuterAlive() const { return m_outerAlive; }

    // The statement for sql, lent until Give; cached says whether Give keeps it.
    sqlite3_stmt* Take(std::string_view sql, bool& cached)
    {
        auto it = m_entries.find(sql);
        if (it != m_entries.end() && !it->second.lent) {
            it->second.lent = true;
            cached = true;
            return it->second.stmt;
        }
        sqlite3_stmt* stmt = Prepare(sql);
        cached = it == m_entries.end();
        if (cached)
            m_entries.emplace(std::string(sql), TEntry{stmt, true});
        return stmt;
    }
    void Give(std::string_view sql, sqlite3_stmt* stmt, bool cached)
    {
        if (!cached) {
            sqlite3_finalize(stmt);
            return;
        }
        sqlite3_reset(stmt);
        sqlite3_clear_bindings(stmt);
        if (auto it = m_entries.find(sql); it != m_entries.end())
            it->second.lent = false;
    }

private:
    bool m_outerAlive = false;
    struct TEntry {
        sqlite3_stmt* stmt;
        bool lent;
    };
    struct THash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };

    sqlite3_stmt* Prepare(std::string_view sql)
    {
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v3(m_db, sql.data(), static_cast<int>(sql.size()), SQLITE_PREPARE_PERSISTENT, &stmt,
                               nullptr)
            != SQLITE_OK)
            ThrowSql(m_db, std::string("prepare \"") + std::string(sql.substr(0, 60)) + "\"");
        return stmt;
    }

    sqlite3* m_db;
    std::unordered_map<std::string, TEntry, THash, std::equal_to<>> m_entries;
};

// One run of a statement: taken from the connection's cache (or prepared for this run only
// when made from a bare connection) and given back, reset, at the end of the scope.
class TStatement {
public:
    TStatement(TStatementCache& cache, std::string_view sql)
        : m_db(cache.Db())
        , m_cache(&cache)
        , m_sql(sql)
    {
        m_stmt = cache.Take(sql, m_cached);
    }
    TStatement(sqlite3* db, std::string_view sql)
        : m_db(db)
    {
        if (sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &m_stmt, nullptr) != SQLITE_OK)
            ThrowSql(db, std::string("prepare \"") + std::string(sql.substr(0, 60)) + "\"");
    }
    ~TStatement()
    {
        if (m_cache)
            m_cache->Give(m_sql, m_stmt, m_cached);
        else
            sqlite3_finalize(m_stmt);
    }
    TStatement(const TStatement&) = delete;
    TStatement& operator=(const TStatement&) = delete;

    TStatement& Bind(int index, std::int64_t value)
    {
        Check(sqlite3_bind_int64(m_stmt, index, value));
        return *this;
    }
    TStatement& Bind(int index, const std::string& text)
    {
        Check(sqlite3_bind_text(m_stmt, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT));
        return *this;
    }
    TStatement& BindBlob(int index, const void* data, std::size_t length)
    {
        // A zero-length blob still is a blob, never NULL.
        Check(length == 0 ? sqlite3_bind_zeroblob(m_stmt, index, 0)
                          : sqlite3_bind_blob64(m_stmt, index, data, length, SQLITE_TRANSIENT));
        return *this;
    }

    // True while a row is there.
    bool Step()
    {
        const int rc = sqlite3_step(m_stmt);
        if (rc == SQLITE_ROW)
            return true;
        if (rc == SQLITE_DONE)
            return false;
        ThrowSql(m_db, "step");
    }
    void Run()
    {
        while (Step()) {
        }
    }

    std::int64_t Int(int column) const { return sqlite3_column_int64(m_stmt, column); }
    bool IsNull(int column) const { return sqlite3_column_type(m_stmt, column) == SQLITE_NULL; }
    std::string Text(int column) const
    {
        const auto* text = sqlite3_column_text(m_stmt, column);
        return text ? std::string(reinterpret_cast<const char*>(text),
                                  static_cast<std::size_t>(sqlite3_column_bytes(m_stmt, column)))
                    : std::string();
    }
    std::vector<std::uint8_t> Blob(int column) const
    {
        const auto* data = static_cast<const std::uint8_t*>(sqlite3_column_blob(m_stmt, column));
        const auto length = static_cast<std::size_t>(sqlite3_column_bytes(m_stmt, column));
        return data ? std::vector<std::uint8_t>(data, data + length) : std::vector<std::uint8_t>();
    }

private:
    void Check(int rc)
    {
        if (rc != SQLITE_OK)
            ThrowSql(m_db, "bind");
    }

    sqlite3* m_db;
    TStatementCache* m_cache = nullptr;
    std::string_view m_sql;
    bool m_cached = false;
    sqlite3_stmt* m_stmt = nullptr;
};

inline void Exec(sqlite3* db, const std::string& sql)
{
    char* error = nullptr;
    if (const int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error); rc != SQLITE_OK) {
        std::string message = error ? error : "unknown";
        sqlite3_free(error);
        throw TSqlError(message, rc & 0xFF);
    }
}

// One write transaction, undone unless Commit is called. Outside a transaction it is one of
// its own (BEGIN IMMEDIATE .. COMMIT, durable when committed); inside one (a caller's write
// burst, an editing period) it is a savepoint, so that a failed write takes back only its own
// changes and the enclosing transaction decides what is kept.
class TTransaction {
public:
    explicit TTransaction(TStatementCache& cache)
        : m_cache(cache)
        , m_nested(sqlite3_get_autocommit(cache.Db()) == 0)
    {
        // An outer transaction is alive while SQLite has none: SQLite rolled it back after a
        // write error (a full disk, an I/O error). A write begun now would be kept on its own,
        // beyond the reach of the holder's (an editing period's, a burst's) rollback.
        if (!m_nested && cache.OuterAlive())
            throw TSqlError("the store has rolled back the open transaction after an earlier write error", SQLITE_ABORT);
        TStatement(m_cache, m_nested ? "SAVEPOINT w" : "BEGIN IMMEDIATE").Run();
        if (!m_nested)
            m_cache.SetOuterAlive(true);
    }
    ~TTransaction()
    {
        if (!m_nested)
            m_cache.SetOuterAlive(false);
        if (m_done)
            return;
        try {
            if (m_nested) {
                TStatement(m_cache, "ROLLBACK TO w").Run();
                TStatement(m_cache, "RELEASE w").Run();
            } else {
                TStatement(m_cache, "ROLLBACK").Run();
            }
        } catch (const TSqlError&) {
            // A rollback that fails leaves SQLite's own: the transaction is gone either way.
        }
    }
    TTransaction(const TTransaction&) = delete;
    TTransaction& operator=(const TTransaction&) = delete;
    void Commit()
    {
        TStatement(m_cache, m_nested ? "RELEASE w" : "COMMIT").Run();
        m_done = true;
    }
    bool Nested() const { return m_nested; }

private:
    TStatementCache& m_cache;
    bool m_nested;
    bool m_done = false;
};

// Copies text into a zero-terminated record field; false when it does not fit.
template <std::size_t N>
bool CopyText(char (&field)[N], const std::string& text)
{
    if (text.size() >= N || text.find('\0') != std::string::npos)
        return false;
    text.copy(field, text.size());
    std::fill(field + text.size(), field + N, '\0');
    return true;
}

// The schema of a new store (schema.sql, compiled in).
const char* ProjectStoreSchema();

} // namespace kestrin_detail
