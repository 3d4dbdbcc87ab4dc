#include "miraval/dienste/EtsRegData.h"

#include "miraval/dienste/IniKeys.h"
#include "miraval/dienste/IniRegistry.h"

TEtsRegData ReadEtsRegData(const std::string& iniFile, const std::string& etsDirectory)
{
    TIniRegistry ini;
    TEtsRegData data;
    data.EtsIniName = ini.Read(iniFile, IniKey::EtsIniName);
    ini.ReadString(iniFile, IniKey::Ets20Ini.Section, IniKey::Ets20Ini.Key, data.EtsIniPath,
                   etsDirectory + "/" + data.EtsIniName);
    data.GrpAdrLevelSection = ini.Read(iniFile, IniKey::GrpAdrLevelSection);
    data.GrpAdrLevelName = ini.Read(iniFile, IniKey::GrpAdrLevelName);
    ini.ReadInteger(data.EtsIniPath, data.GrpAdrLevelSection, data.GrpAdrLevelName,
                    data.GrpAdrLevels, IniKey::GrpAdrLevelsDefault);
    return data;
}
