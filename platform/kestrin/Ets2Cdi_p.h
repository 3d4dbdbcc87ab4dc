#pragma once
// Inside TEts2Cdi: a thin layer over SQLite. Failures throw TSqlError, which the public
// calls of TEts2Cdi catch at their boundary and turn into their result codes.

#include <sqlite3.h>

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace kestrin_detail {

class TSqlError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

[[noreturn]] inline void ThrowSql(sqlite3* db, const std::string& what)
{
    throw TSqlError(what + ": " + (db ? sqlite3_errmsg(db) : "no store"));
}

class TStatement {
public:
    TStatement(sqlite3* db, std::string_view sql)
        : m_db(db)
    {
        if (sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &m_stmt, nullptr) != SQLITE_OK)
            ThrowSql(db, std::string("prepare \"") + std::string(sql.substr(0, 60)) + "\"");
    }
    ~TStatement() { sqlite3_finalize(m_stmt); }
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
    void Reset()
    {
        sqlite3_reset(m_stmt);
        sqlite3_clear_bindings(m_stmt);
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
    sqlite3_stmt* m_stmt = nullptr;
};

inline void Exec(sqlite3* db, const std::string& sql)
{
    char* error = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        std::string message = error ? error : "unknown";
        sqlite3_free(error);
        throw TSqlError(message);
    }
}

// One write transaction: BEGIN IMMEDIATE now, ROLLBACK unless Commit was called.
class TTransaction {
public:
    explicit TTransaction(sqlite3* db)
        : m_db(db)
    {
        Exec(db, "BEGIN IMMEDIATE");
    }
    ~TTransaction()
    {
        if (!m_done)
            sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
    }
    TTransaction(const TTransaction&) = delete;
    TTransaction& operator=(const TTransaction&) = delete;
    void Commit()
    {
        Exec(m_db, "COMMIT");
        m_done = true;
    }

private:
    sqlite3* m_db;
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
