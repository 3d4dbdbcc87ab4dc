#pragma once
// Another program on the same project store (a second SQLite connection), to hold its locks
// while the store's own connection works; shared by the kestrin and the editor's tests.

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <filesystem>

class TOtherProgram {
public:
    explicit TOtherProgram(const std::filesystem::path& file) { EXPECT_EQ(sqlite3_open(file.c_str(), &m_db), SQLITE_OK); }
    ~TOtherProgram() { sqlite3_close(m_db); }
    TOtherProgram(const TOtherProgram&) = delete;
    TOtherProgram& operator=(const TOtherProgram&) = delete;
    void Sql(const char* sql) { EXPECT_EQ(sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sql; }

private:
    sqlite3* m_db = nullptr;
};
