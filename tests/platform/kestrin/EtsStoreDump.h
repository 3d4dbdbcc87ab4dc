#pragma once
// What a project store holds, as text, read through a connection of its own: every row of
// every table in rowid order. Two stores (or one store at two times) hold the same exactly
// when their dumps are equal.

#include <sqlite3.h>

#include <filesystem>
#include <string>
#include <vector>

// tables: the tables to dump; empty for every table but SQLite's own.
inline std::string DumpStore(const std::filesystem::path& file, std::vector<std::string> tables = {})
{
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return "cannot open";
    }
    const auto rows = [&](const std::string& sql) {
        std::string out;
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK)
            return std::string("cannot read: ") + sqlite3_errmsg(db);
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            for (int c = 0; c < sqlite3_column_count(stmt); ++c) {
                const auto* text = reinterpret_cast<const char*>(sqlite3_column_blob(stmt, c));
                out.append(text ? std::string(text, static_cast<std::size_t>(sqlite3_column_bytes(stmt, c)))
                                : std::string("NULL"));
                out += '|';
            }
            out += '\n';
        }
        sqlite3_finalize(stmt);
        return out;
    };
    if (tables.empty()) {
        std::string names = rows("SELECT name FROM sqlite_schema WHERE type = 'table' "
                                 "AND name NOT LIKE 'sqlite_%' ORDER BY name");
        for (std::size_t at = 0; at < names.size();) {
            const std::size_t bar = names.find('|', at);
            tables.push_back(names.substr(at, bar - at));
            at = bar + 2;
        }
    }
    std::string dump;
    for (const auto& table : tables)
        dump += "== " + table + "\n" + rows("SELECT * FROM \"" + table + "\" ORDER BY rowid");
    sqlite3_close(db);
    return dump;
}

// PRAGMA integrity_check of the store: "ok" when sound.
inline std::string IntegrityCheck(const std::filesystem::path& file)
{
    sqlite3* db = nullptr;
    std::string result = "cannot open";
    if (sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK) {
        sqlite3_stmt* stmt = nullptr;
        result.clear();
        if (sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &stmt, nullptr) == SQLITE_OK)
            while (sqlite3_step(stmt) == SQLITE_ROW)
                result += reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
        sqlite3_finalize(stmt);
    }
    sqlite3_close(db);
    return result;
}
