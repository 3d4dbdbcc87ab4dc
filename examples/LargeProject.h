#pragma once
// A large ETS project for benchmarks: the demo project (the alarm centre and all) plus many
// switching actuators on the lines of areas 3 to 15 and many group addresses in main groups
// 5 to 15, actuator k's first channel linked (sending) to group address k modulo the number
// of groups.

#include "kestrin/Ets2Cdi.h"

#include <filesystem>
#include <string>

// Up to 250 devices on each of the 195 lines of areas 3-15, up to 255 group addresses in
// each of the 88 middle groups of main groups 5-15.
constexpr int kLargeMaxDevices = 13 * 15 * 250;
constexpr int kLargeMaxGroups = 11 * 8 * 255;

// What the large project adds to the demo; empty when a count is out of 1..its maximum.
std::string LargeProjectSql(int devices, int groups);

// Makes file a new project store holding the large project; refuses counts out of range
// and a file that exists.
[[nodiscard]] TEtsStatus BuildLargeProject(const std::filesystem::path& file, int devices, int groups);
