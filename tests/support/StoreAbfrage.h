#pragma once
// What an ETS project store keeps of a device, read through a connection of its own, as text
// that compares whole: a row a line, its columns parted by "|".

#include <sqlite3.h>

#include <cstdint>
#include <filesystem>
#include <string>

inline std::string StoreAbfrage(const std::filesystem::path& datei, const std::string& sql)
{
    sqlite3* db = nullptr;
    std::string zeilen;
    if (sqlite3_open_v2(datei.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK ||
        sqlite3_exec(
            db, sql.c_str(),
            [](void* text, int n, char** werte, char**) {
                auto& zeilen = *static_cast<std::string*>(text);
                for (int i = 0; i < n; ++i)
                    zeilen += (i > 0 ? "|" : "") + std::string(werte[i] != nullptr ? werte[i] : "NULL");
                zeilen += '\n';
                return 0;
            },
            &zeilen, nullptr) != SQLITE_OK)
        zeilen = std::string("cannot read: ") + sqlite3_errmsg(db);
    sqlite3_close(db);
    return zeilen;
}

// The device's parameter values by parameter number.
inline std::string StoreParameter(const std::filesystem::path& datei, int32_t deviceId)
{
    return StoreAbfrage(datei, "SELECT p.number, v.value FROM device_param v JOIN parameter p ON p.id = v.parameter_id "
                               "WHERE v.device_id = " + std::to_string(deviceId) + " ORDER BY 1");
}

// The links of the device's objects: object number, group address word, send flag.
inline std::string StoreLinks(const std::filesystem::path& datei, int32_t deviceId)
{
    return StoreAbfrage(datei, "SELECT c.number, s.address, l.send_flag FROM sub_to_object l "
                               "JOIN device_object o ON o.id = l.device_object_id "
                               "JOIN comm_object c ON c.id = o.comm_object_id "
                               "JOIN sub_group s ON s.id = l.sub_group_id WHERE o.device_id = " +
                                   std::to_string(deviceId) + " ORDER BY 1, 2");
}

// The device's stored configuration, in hexadecimal.
inline std::string StoreKonfiguration(const std::filesystem::path& datei, int32_t deviceId)
{
    return StoreAbfrage(datei, "SELECT hex(data) FROM device_blob WHERE device_id = " + std::to_string(deviceId));
}
