#pragma once
// Where the ETS settings file is and how many group-address levels the project uses, read
// at every device selection. The ETS directory comes from the ETS device interface's
// information record; when that could not be read the caller passes the empty text (and has
// told the user), which makes the path "/" + the file name: a file that is not there, so 3.
//
// Paths are joined with "/" (Windows joins ETS directory and file name with "\");
// a path stored in the INI file under "Ets20Ini" is used as it is.

#include <cstdint>
#include <string>

struct TEtsRegData {
    std::string EtsIniName;         // INI "Ets"/"EtsIniName"
    std::string EtsIniPath;         // INI "Ets"/"Ets20Ini", or ETS directory + "/" + EtsIniName
    std::string GrpAdrLevelSection; // section of the level value in the ETS settings file
    std::string GrpAdrLevelName;    // its key
    int32_t GrpAdrLevels = 3;       // 3 = main/middle/sub, any other value = main/sub
};

// Reads the "Ets" section of the editor's INI file (nothing is written back) and then the
// level value from the ETS settings file, 3 when it or the key is missing.
TEtsRegData ReadEtsRegData(const std::string& iniFile, const std::string& etsDirectory);
