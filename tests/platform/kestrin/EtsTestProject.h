#pragma once
// A small ETS project in a project store of its own (a temporary file per test), shared by
// the kestrin and morrow tests.
//
// Project 1 "Haus": area 1 (number 1) with line 1 (number 2), area 2 (number 2) with line 2
// (number 0).
// Product 1 "Alarmzentrale" (module "244_ID"): parameter 1 number 10 "Melder 1" (default 0)
// shows communication objects 1 (number 0, 1 Bit) and 2 (number 1, 1 Byte) for value 1 and
// object 5 (number 2, 1 Bit) for value 2; parameter 2 number 100 "DeviceId"; object 3
// (number 225, 1 Bit) is always shown.
// Product 2 "Schaltaktor": object 4 (number 0, 1 Bit).
// Device 1 "AZ 1" (01.02.003, product 1): device objects 11, 12, 15 (hidden), 13 (shown);
// device parameter 31 (DeviceId, 0). Device 2 "Aktor" (02.00.007, product 2): device
// object 21.
// Groups: 1 "Licht" / 2 "EG" / 5 "Flur" (sub 1, 0x0A05, 1 Bit) and 1/2/6 "Bad" (sub 2, free);
// 0 / 0 / 1 (sub 3, free). Link 41: sub 1 - device object 21, sending.

#include "kestrin/Ets2Cdi.h"

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <filesystem>
#include <string>
#include <unistd.h>

inline std::filesystem::path EtsTestStorePath(const std::string& suffix = "")
{
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "_" + info->name() + suffix;
    for (auto& c : name)
        if (c == '/')
            c = '_';
    // The process's own folder, made on first use and removed whole when the process ends
    // (not by a forked child that exits): not every test that takes a path here goes through
    // TEtsTestProject, which removes it only when it is empty.
    struct TOrdner {
        pid_t eigner = getpid();
        std::filesystem::path pfad =
            std::filesystem::temp_directory_path() / ("miraval-ets-" + std::to_string(eigner));
        ~TOrdner()
        {
            std::error_code ec;
            if (getpid() == eigner)
                std::filesystem::remove_all(pfad, ec);
        }
    };
    static const TOrdner folder;
    std::filesystem::create_directories(folder.pfad);
    return folder.pfad / (name + ".db");
}

inline const char* EtsTestProjectSql()
{
    return R"sql(
INSERT INTO project (id, name) VALUES (1, 'Haus');
INSERT INTO area (id, project_id, number, name) VALUES (1, 1, 1, 'Bereich 1'), (2, 1, 2, 'Bereich 2');
INSERT INTO line (id, area_id, number, name) VALUES (1, 1, 2, 'Linie 1.2'), (2, 2, 0, 'Linie 2.0');
INSERT INTO product (id, name, module_name) VALUES (1, 'Alarmzentrale', '244_ID'), (2, 'Schaltaktor', '');
INSERT INTO parameter (id, product_id, number, name, default_value)
    VALUES (1, 1, 10, 'Melder 1', 0), (2, 1, 100, 'DeviceId', 0);
INSERT INTO comm_object (id, product_id, number, object_type, name, function, kind, io_type)
    VALUES (1, 1, 0, 0, 'Melder 1', 'Eingang', 1, 0),
           (2, 1, 1, 7, 'Melder 1 Wert', '', 1, 1),
           (3, 1, 225, 0, 'Alarm-Reset', 'Reset', 0, 0),
           (4, 2, 0, 0, 'Schalten', 'Ein/Aus', 0, 0),
           (5, 1, 2, 0, 'Melder 1 Sabotage', '', 1, 0);
INSERT INTO parameter_shows (parameter_id, value, comm_object_id) VALUES (1, 1, 1), (1, 1, 2), (1, 2, 5);
INSERT INTO device (id, line_id, number, product_id, name, description)
    VALUES (1, 1, 3, 1, 'AZ 1', 'Zentrale'), (2, 2, 7, 2, 'Aktor', '');
INSERT INTO device_object (id, device_id, comm_object_id, visible)
    VALUES (11, 1, 1, 0), (12, 1, 2, 0), (13, 1, 3, 1), (15, 1, 5, 0), (21, 2, 4, 1);
INSERT INTO device_param (id, device_id, parameter_id, value) VALUES (31, 1, 2, 0);
INSERT INTO main_group (id, project_id, number, name) VALUES (1, 1, 1, 'Licht'), (2, 1, 0, '');
INSERT INTO middle_group (id, main_group_id, number, name) VALUES (1, 1, 2, 'EG'), (2, 2, 0, '');
INSERT INTO sub_group (id, middle_group_id, address, name, object_type)
    VALUES (1, 1, 2565, 'Flur', 0), (2, 1, 2566, 'Bad', -1), (3, 2, 1, '', -1);
INSERT INTO sub_to_object (id, sub_group_id, device_object_id, send_flag) VALUES (41, 1, 21, 1);
)sql";
}

// The project, open in ets for the test's lifetime; the file goes with it.
class TEtsTestProject {
public:
    explicit TEtsTestProject(bool withProject = true)
        : file(EtsTestStorePath())
    {
        std::filesystem::remove(file);
        const auto created = TEts2Cdi::CreateProjectStore(file);
        EXPECT_TRUE(created) << created.message;
        const auto opened = ets.OpenProjectStore(file);
        EXPECT_TRUE(opened) << opened.message;
        if (withProject) {
            const auto filled = ets.ExecuteSql(EtsTestProjectSql());
            EXPECT_TRUE(filled) << filled.message;
        }
    }
    ~TEtsTestProject()
    {
        ets.CloseProjectStore();
        std::error_code ec;
        std::filesystem::remove(file, ec);
        std::filesystem::remove(file.parent_path(), ec); // only when empty
    }

    // Runs SQL; fails the test on an error.
    void Sql(const std::string& sql)
    {
        const auto status = ets.ExecuteSql(sql);
        ASSERT_TRUE(status) << status.message;
    }

    std::filesystem::path file;
    TEts2Cdi ets{nullptr, "244_ID", false};
};

// A second connection to a store, as another program holds one.
class TOtherProgram {
public:
    explicit TOtherProgram(const std::filesystem::path& file) { EXPECT_EQ(sqlite3_open(file.c_str(), &m_db), SQLITE_OK); }
    ~TOtherProgram() { sqlite3_close(m_db); }
    void Sql(const char* sql) { EXPECT_EQ(sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sql; }

private:
    sqlite3* m_db = nullptr;
};
