#pragma once
// The demo ETS project: demo-project.sql, compiled in, run against a new project store.
// README.md in this folder says what it holds; the constants below are what the demo
// command, tests and benchmarks address it by.

#include "kestrin/Ets2Cdi.h"

#include <cstdint>
#include <filesystem>

// The alarm centre: ETS device id, physical address 1.1.1, module name.
constexpr std::int32_t kDemoAlarmCentreId = 1;
constexpr std::uint16_t kDemoAlarmCentreAddress = 0x1101;
constexpr const char* kDemoModuleName = "244_ID";

// The SQL text of demo-project.sql.
const char* DemoProjectSql();

// Makes file a new project store holding the demo project. A file that exists is refused
// and left alone; on any failure nothing is left behind.
[[nodiscard]] TEtsStatus BuildDemoProject(const std::filesystem::path& file);

// Runs SQL against a new project store made at file (the demo and the large project share
// this); on failure the file is removed again.
[[nodiscard]] TEtsStatus BuildProjectStore(const std::filesystem::path& file, const std::string& sql);
