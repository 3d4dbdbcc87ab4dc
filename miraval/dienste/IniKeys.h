#pragma once
// Every section and key of the editor's INI file with its type and default, in one place.
// Readers and writers name a key from here (TIniRegistry::Read/Write take these), so a key's
// spelling and default exist once. The spellings are stored in users' files and must stay as
// they are, misspellings included ("ColorGridCommmon", "TabelAutoCellActivateRowNumber").

#include <cstdint>
#include <string>

struct TIniIntKey {
    const char* Section;
    const char* Key;
    int32_t Default;
};

struct TIniBoolKey {
    const char* Section;
    const char* Key;
    bool Default;
};

struct TIniStringKey {
    const char* Section;
    const char* Key;
    const char* Default;
};

namespace IniSection {
inline constexpr const char* Window = "Window";
inline constexpr const char* Options = "Options";
inline constexpr const char* Tools = "Tools";
inline constexpr const char* Debug = "Debug";
inline constexpr const char* Ets = "Ets";
inline constexpr const char* Sprache = "Sprache";
} // namespace IniSection

namespace IniKey {

// System colours carry the top bit; the file holds them as negative decimals.
constexpr int32_t SystemColour(uint32_t value) { return static_cast<int32_t>(value); }

// Window placement. "Verw*" is the project window's; it opens 10 further down and right per
// window number.
inline constexpr TIniIntKey MainTop{IniSection::Window, "MainTop", 0};
inline constexpr TIniIntKey MainLeft{IniSection::Window, "MainLeft", 0};
inline constexpr TIniIntKey MainHeight{IniSection::Window, "MainHeight", 480};
inline constexpr TIniIntKey MainWidth{IniSection::Window, "MainWidth", 640};
inline constexpr TIniIntKey MainState{IniSection::Window, "MainState", 0}; // 0 normal, 2 maximised
inline constexpr TIniIntKey VerwTop{IniSection::Window, "VerwTop", 10};
inline constexpr TIniIntKey VerwLeft{IniSection::Window, "VerwLeft", 10};
inline constexpr TIniIntKey VerwHeight{IniSection::Window, "VerwHeight", 300};
inline constexpr TIniIntKey VerwWidth{IniSection::Window, "VerwWidth", 620};
inline constexpr TIniIntKey VerwState{IniSection::Window, "VerwState", 0}; // 0 normal, 1 min., 2 max.
inline constexpr TIniIntKey TreeWidth{IniSection::Window, "TreeWidth", 200};

// Options.
inline constexpr TIniIntKey ColorGridCommmon{IniSection::Options, "ColorGridCommmon", SystemColour(0x80000010)};
inline constexpr TIniIntKey ColorGridTitle{IniSection::Options, "ColorGridTitle", SystemColour(0x8000000F)};
inline constexpr TIniIntKey ColorGridCell{IniSection::Options, "ColorGridCell", SystemColour(0x80000018)};
inline constexpr TIniIntKey ColorGridCellReadOnly{IniSection::Options, "ColorGridCellReadOnly", SystemColour(0x8000000F)};
inline constexpr TIniIntKey Gitternetzlinien{IniSection::Options, "Gitternetzlinien", 1};
inline constexpr TIniBoolKey GridAutoSize{IniSection::Options, "GridAutoSize", true};
inline constexpr TIniIntKey GridColDefSize{IniSection::Options, "GridColDefSize", 150};
inline constexpr TIniBoolKey AutoSave{IniSection::Options, "AutoSave", true};
inline constexpr TIniIntKey AutoSaveMinuten{IniSection::Options, "AutoSaveMinuten", 5};
inline constexpr TIniBoolKey TableAutoCellActivate{IniSection::Options, "TableAutoCellActivate", true};
// The data module reads a negative row as 0.
inline constexpr TIniIntKey TabelAutoCellActivateRowNumber{IniSection::Options, "TabelAutoCellActivateRowNumber", 0};
// The next three are kept by the options dialog only; nothing else reads them.
inline constexpr TIniBoolKey AskOverwrite{IniSection::Options, "AskOverwrite", true};
inline constexpr TIniBoolKey NoSysFile{IniSection::Options, "NoSysFile", true};
inline constexpr TIniBoolKey ShowDlgAbfrName{IniSection::Options, "ShowDlgAbfrName", true};
inline constexpr TIniBoolKey ShowQuickHelp{IniSection::Options, "ShowQuickHelp", false};
// Written as false only when absent.
inline constexpr TIniBoolKey ToolAccess{IniSection::Options, "ToolAccess", false};
// Always written empty, never read.
inline constexpr TIniStringKey FileCharTab{IniSection::Options, "FileCharTab", ""};
// Comma text of the ids of devices whose editing period was not closed.
inline constexpr TIniStringKey NotClosed{IniSection::Options, "NotClosed", ""};

// Debug: the first four are read and written straight back so that they appear in the file.
inline constexpr TIniIntKey Priority{IniSection::Debug, "Priority", 1024};
inline constexpr TIniBoolKey LogStart{IniSection::Debug, "LogStart", false};
inline constexpr TIniIntKey LogFreigabe{IniSection::Debug, "LogFreigabe", -1};
inline constexpr TIniBoolKey LogTime{IniSection::Debug, "LogTime", true};
// Copies of the device data after reading it from / writing it to ETS; only into a file that
// already exists.
inline constexpr TIniBoolKey WriteReadBlob{IniSection::Debug, "WriteReadBlob", false};
inline constexpr TIniStringKey ReadBlob{IniSection::Debug, "ReadBlob", "ReadBlob.txt"};
inline constexpr TIniBoolKey WriteSaveBlob{IniSection::Debug, "WriteSaveBlob", false};
inline constexpr TIniStringKey SaveBlob{IniSection::Debug, "SaveBlob", "ReadBlob.txt"};

// Ets: where the ETS settings file and its group-address level value are (never written).
// "Ets20Ini" has no fixed default: the ETS directory + "/" + EtsIniName (EtsRegData.h).
inline constexpr TIniStringKey EtsIniName{IniSection::Ets, "EtsIniName", "Ets20.ini"};
inline constexpr TIniStringKey Ets20Ini{IniSection::Ets, "Ets20Ini", ""};
inline constexpr TIniStringKey GrpAdrLevelSection{IniSection::Ets, "GrpAdrLevelSection", "Common"};
inline constexpr TIniStringKey GrpAdrLevelName{IniSection::Ets, "GrpAdrLevelName", "GroupAddressLevels"};
// The value in the ETS settings file: 3 = main/middle/sub levels, anything else main/sub.
inline constexpr int32_t GrpAdrLevelsDefault = 3;

// Sprache: the language list, each value written back after reading.
inline constexpr TIniIntKey SpracheCount{IniSection::Sprache, "Count", 0};

// Numbered keys: tools menu entries (the list ends at the first empty name) and languages.
inline std::string ToolName(int i) { return "ToolName" + std::to_string(i); }
inline std::string ToolFile(int i) { return "ToolFile" + std::to_string(i); }
inline std::string ToolParam(int i) { return "ToolParam" + std::to_string(i); }
inline std::string Sprache(int i) { return "Sprache" + std::to_string(i); }
inline std::string SprachExt(int i) { return "SprachExt" + std::to_string(i); }

} // namespace IniKey
