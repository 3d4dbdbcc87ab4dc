#pragma once
// The folder of the running test under the temp folder (TMPDIR):
// "<praefix>-<pid>-<test name>". A parameterized test's name holds a '/' ("Fall/Wert"); it
// becomes '_', so the folder lies directly under the temp folder and goes whole with
// remove_all instead of leaving its parent behind.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <unistd.h>

inline std::filesystem::path TestOrdner(const std::string& praefix)
{
    std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    std::replace(name.begin(), name.end(), '/', '_');
    return std::filesystem::temp_directory_path() / (praefix + "-" + std::to_string(::getpid()) + "-" + name);
}
