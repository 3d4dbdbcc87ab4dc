#pragma once
// A test program run by hand gets a home of its own. CTest gives every test the suite's home
// in the build tree (MIRAVAL_TEST_HOME, cmake/Miraval.cmake); run by hand, a program would
// write into the home of whoever runs it: Qt's settings of the file dialog
// (.config/QtProject.conf), the window manager's cache (.cache/openbox) ... Called first
// thing, it points HOME and the XDG folders, for the program and every program it starts,
// into a private folder in the temporary folder, removed with everything in it when the
// program ends.

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include <stdlib.h>

inline void VonHandEigenesHome()
{
    if (const char* home = std::getenv("MIRAVAL_TEST_HOME"); home != nullptr && *home != '\0')
        return;
    struct THome {
        std::filesystem::path pfad;
        ~THome()
        {
            std::error_code fehler;
            if (!pfad.empty())
                std::filesystem::remove_all(pfad, fehler);
        }
    };
    static THome home;
    std::error_code fehler;
    // An absolute path: TMPDIR may name a relative one, and programs started later may work
    // elsewhere.
    const std::filesystem::path temp =
        std::filesystem::absolute(std::filesystem::temp_directory_path(fehler), fehler);
    std::string muster = (temp / "miraval-test-home-XXXXXX").string();
    if (fehler || ::mkdtemp(muster.data()) == nullptr)
        return;
    home.pfad = muster;
    // Also marks the home as given, for a test program this one starts.
    ::setenv("MIRAVAL_TEST_HOME", muster.c_str(), 1);
    for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME", "XDG_STATE_HOME"}) {
        const std::filesystem::path ordner = home.pfad / name;
        std::filesystem::create_directories(ordner, fehler);
        ::setenv(name, ordner.c_str(), 1);
    }
}
