#include "miraval/dienste/IniRegistry.h"

#include "miraval/dienste/EtsRegData.h"
#include "miraval/dienste/IniKeys.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

namespace fs = std::filesystem;

class IniRegistryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string tmpl = (fs::temp_directory_path() / "inireg-XXXXXX").string();
        ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
        m_dir = tmpl;
        m_ini = (m_dir / "miraval.ini").string();
    }
    void TearDown() override { fs::remove_all(m_dir); }

    static void Put(const std::string& file, const std::string& content)
    {
        std::ofstream out(file, std::ios::binary);
        out << content;
    }
    std::string Content() const
    {
        std::ifstream in(m_ini, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    TIniRegistry m_reg;
    fs::path m_dir;
    std::string m_ini;
};

TEST_F(IniRegistryTest, FirstStartWithoutFileGivesTheTableDefaults)
{
    EXPECT_EQ(m_reg.Read(m_ini, IniKey::MainWidth), 640);
    EXPECT_EQ(m_reg.Read(m_ini, IniKey::MainHeight), 480);
    EXPECT_EQ(m_reg.Read(m_ini, IniKey::MainTop), 0);
    EXPECT_EQ(static_cast<uint32_t>(m_reg.Read(m_ini, IniKey::ColorGridCommmon)), 0x80000010u);
    EXPECT_TRUE(m_reg.Read(m_ini, IniKey::AutoSave));
    EXPECT_EQ(m_reg.Read(m_ini, IniKey::AutoSaveMinuten), 5);
    EXPECT_FALSE(m_reg.Read(m_ini, IniKey::LogStart));
    EXPECT_EQ(m_reg.Read(m_ini, IniKey::LogFreigabe), -1);
    EXPECT_EQ(m_reg.Read(m_ini, IniKey::SaveBlob), "ReadBlob.txt");
    EXPECT_FALSE(m_reg.ValueExists(m_ini, "Options", "ToolAccess"));
    EXPECT_FALSE(m_reg.ReadSection(m_ini, "Tools"));
    EXPECT_FALSE(fs::exists(m_ini));
}

TEST_F(IniRegistryTest, ValuesRoundTripInTheirStoredEncodings)
{
    ASSERT_TRUE(m_reg.Write(m_ini, IniKey::ColorGridCell, IniKey::SystemColour(0x80000010)));
    ASSERT_TRUE(m_reg.WriteInteger(m_ini, "Window", "MainTop", -3));
    ASSERT_TRUE(m_reg.WriteBool(m_ini, "Options", "AutoSave", false));
    ASSERT_TRUE(m_reg.WriteBool(m_ini, "Options", "GridAutoSize", true));
    ASSERT_TRUE(m_reg.WriteString(m_ini, "Options", "NotClosed", "12,3,Gerät"));
    EXPECT_EQ(Content(), "[Options]\nColorGridCell=-2147483632\nAutoSave=0\nGridAutoSize=1\n"
                         "NotClosed=12,3,Gerät\n\n[Window]\nMainTop=-3\n");

    int32_t colour = 0;
    EXPECT_TRUE(m_reg.ReadInteger(m_ini, "options", "colorgridcell", colour, 0));
    EXPECT_EQ(static_cast<uint32_t>(colour), 0x80000010u);
    bool flag = true;
    EXPECT_TRUE(m_reg.ReadBool(m_ini, "Options", "AutoSave", flag, true));
    EXPECT_FALSE(flag);
    EXPECT_TRUE(m_reg.Read(m_ini, IniKey::GridAutoSize));
    EXPECT_EQ(m_reg.Read(m_ini, IniKey::NotClosed), "12,3,Gerät");
    EXPECT_EQ(m_reg.Read(m_ini, IniKey::MainTop), -3);
}

TEST_F(IniRegistryTest, EmptyValueIsPresentAndReadsEmpty)
{
    Put(m_ini, "[Options]\nToolAccess=\nFileCharTab=   \n");
    std::string text = "x";
    EXPECT_FALSE(m_reg.ReadString(m_ini, "Options", "ToolAccess", text, "default"));
    EXPECT_EQ(text, "");
    EXPECT_TRUE(m_reg.ValueExists(m_ini, "Options", "ToolAccess"));
    EXPECT_TRUE(m_reg.ValueExists(m_ini, "Options", "FileCharTab"));
    EXPECT_FALSE(m_reg.ValueExists(m_ini, "Options", "NotClosed"));
    EXPECT_FALSE(m_reg.ValueExists(m_ini, "Window", "ToolAccess"));
    EXPECT_TRUE(m_reg.ReadString(m_ini, "Options", "NotClosed", text, "default"));
    EXPECT_EQ(text, "default");
}

TEST_F(IniRegistryTest, ToolTemplateFillsTheSectionButNamesNoTool)
{
    Put(m_ini, "[Tools]\n[Options]\nAutoSave=1\n");
    EXPECT_FALSE(m_reg.ReadSection(m_ini, "Tools"));
    for (const std::string& key : {IniKey::ToolName(0), IniKey::ToolFile(0), IniKey::ToolParam(0)})
        ASSERT_TRUE(m_reg.WriteString(m_ini, "Tools", key, " "));
    EXPECT_EQ(Content(), "[Tools]\nToolName0= \nToolFile0= \nToolParam0= \n[Options]\nAutoSave=1\n");
    EXPECT_TRUE(m_reg.ReadSection(m_ini, "Tools"));
    std::string name = "x";
    EXPECT_FALSE(m_reg.ReadString(m_ini, "Tools", IniKey::ToolName(0), name, ""));
    EXPECT_EQ(name, "");
}

TEST_F(IniRegistryTest, LongStringsAreCutTo1023Characters)
{
    const std::string ascii(1500, 'a');
    std::string umlauts;
    for (int i = 0; i < 1100; ++i)
        umlauts += "ä";
    ASSERT_TRUE(m_reg.WriteString(m_ini, "S", "ascii", ascii));
    ASSERT_TRUE(m_reg.WriteString(m_ini, "S", "umlauts", umlauts));
    ASSERT_TRUE(m_reg.WriteString(m_ini, "S", "exact", std::string(1023, 'b')));
    std::string out;
    m_reg.ReadString(m_ini, "S", "ascii", out, "");
    EXPECT_EQ(out, std::string(1023, 'a'));
    m_reg.ReadString(m_ini, "S", "umlauts", out, "");
    EXPECT_EQ(out.size(), 1023u * 2) << "1023 characters of two bytes each";
    m_reg.ReadString(m_ini, "S", "exact", out, "");
    EXPECT_EQ(out, std::string(1023, 'b'));
    m_reg.ReadString(m_ini, "S", "missing", out, std::string(1030, 'd'));
    EXPECT_EQ(out, std::string(1023, 'd'));
}

TEST_F(IniRegistryTest, EtsGroupAddressLevels)
{
    const fs::path etsDir = m_dir / "ets";
    fs::create_directory(etsDir);

    // No INI, no ETS settings file: 3 levels, path in the ETS directory.
    TEtsRegData data = ReadEtsRegData(m_ini, etsDir.string());
    EXPECT_EQ(data.GrpAdrLevels, 3);
    EXPECT_EQ(data.EtsIniPath, etsDir.string() + "/Ets20.ini");
    EXPECT_EQ(data.GrpAdrLevelSection, "Common");
    EXPECT_EQ(data.GrpAdrLevelName, "GroupAddressLevels");

    // The ETS settings file says 2.
    Put((etsDir / "Ets20.ini").string(), "[Common]\nGroupAddressLevels=2\n");
    EXPECT_EQ(ReadEtsRegData(m_ini, etsDir.string()).GrpAdrLevels, 2);

    // The ETS interface could not say where ETS is: "/Ets20.ini", which is not there.
    data = ReadEtsRegData(m_ini, "");
    EXPECT_EQ(data.EtsIniPath, "/Ets20.ini");
    EXPECT_EQ(data.GrpAdrLevels, 3);

    // Other file name, section and key from the INI file.
    Put((etsDir / "Ets3.ini").string(), "[Project]\nLevels=2\n");
    Put(m_ini, "[Ets]\nEtsIniName=Ets3.ini\nGrpAdrLevelSection=Project\nGrpAdrLevelName=Levels\n");
    data = ReadEtsRegData(m_ini, etsDir.string());
    EXPECT_EQ(data.EtsIniPath, etsDir.string() + "/Ets3.ini");
    EXPECT_EQ(data.GrpAdrLevels, 2);

    // A full path in "Ets20Ini" wins over directory and name; a file without the key gives 3.
    const std::string other = (m_dir / "elsewhere.ini").string();
    Put(other, "[Project]\nSomethingElse=2\n");
    Put(m_ini, "[Ets]\nEts20Ini=" + other + "\nGrpAdrLevelSection=Project\nGrpAdrLevelName=Levels\n");
    data = ReadEtsRegData(m_ini, etsDir.string());
    EXPECT_EQ(data.EtsIniPath, other);
    EXPECT_EQ(data.GrpAdrLevels, 3);
    // Nothing of it is written back.
    EXPECT_EQ(Content(), "[Ets]\nEts20Ini=" + other + "\nGrpAdrLevelSection=Project\nGrpAdrLevelName=Levels\n");
}

} // namespace
