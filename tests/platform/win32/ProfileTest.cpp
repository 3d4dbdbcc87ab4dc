#include "win32/Profile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;

class ProfileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string tmpl = (fs::temp_directory_path() / "profile-XXXXXX").string();
        ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
        m_dir = tmpl;
        m_file = (m_dir / "test.ini").string();
    }
    void TearDown() override { fs::remove_all(m_dir); }

    void Put(const std::string& content)
    {
        std::ofstream out(m_file, std::ios::binary);
        out << content;
    }
    std::string Content() const
    {
        std::ifstream in(m_file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    std::string Read(const char* section, const char* key, const char* def = "DEF",
                     DWORD size = 1024) const
    {
        std::vector<char> buffer(size + 1, 'X');
        DWORD n = GetPrivateProfileString(section, key, def, buffer.data(), size, m_file.c_str());
        EXPECT_EQ(buffer[n], '\0');
        return std::string(buffer.data(), n);
    }
    int ReadInt(const char* section, const char* key, int def = 77) const
    {
        return static_cast<int>(GetPrivateProfileInt(section, key, def, m_file.c_str()));
    }
    BOOL Write(const char* section, const char* key, const char* value)
    {
        return WritePrivateProfileString(section, key, value, m_file.c_str());
    }

    fs::path m_dir;
    std::string m_file;
};

TEST_F(ProfileTest, ReadsValuesAsWindowsDoes)
{
    Put("; comment=not a key\n"
        "orphan=before any section\n"
        "[Options]\n"
        "  Plain = value with  inner  blanks \t\n"
        "Equals=a=b=c\n"
        "Empty=\n"
        "Quoted=\"  kept inside  \"\n"
        "Single='x'\n"
        "Unmatched=\"x'\n"
        "NoEquals\n"
        "Twice=first\n"
        "twice=second\n"
        "[ Spaced ]\n"
        "k=v\n"
        "[Last]\n"
        "tail=no newline at end");
    struct Row {
        const char* section;
        const char* key;
        const char* expected;
    };
    const Row rows[] = {
        {"Options", "Plain", "value with  inner  blanks"},
        {"OPTIONS", "plain", "value with  inner  blanks"},
        {"Options", " Plain ", "value with  inner  blanks"},
        {"Options", "Equals", "a=b=c"},
        {"Options", "Empty", ""},
        {"Options", "Quoted", "  kept inside  "},
        {"Options", "Single", "x"},
        {"Options", "Unmatched", "\"x'"},
        {"Options", "NoEquals", "DEF"},
        {"Options", "Twice", "first"},
        {"Options", "; comment", "DEF"},
        {"Options", "orphan", "DEF"},
        {"Spaced", "k", "v"},
        {"Last", "tail", "no newline at end"},
        {"Missing", "Plain", "DEF"},
        {"Options", "Missing", "DEF"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.section) + "/" + row.key);
        EXPECT_EQ(Read(row.section, row.key), row.expected);
    }
}

TEST_F(ProfileTest, DefaultLosesTrailingBlanksAndCountsAsMissing)
{
    EXPECT_EQ(Read("S", "k", "  lead and trail  "), "  lead and trail");
    EXPECT_EQ(Read("S", "k", nullptr), "");
    EXPECT_EQ(Read(nullptr, "k"), "DEF");
    EXPECT_EQ(Read("S", nullptr), "DEF");
    EXPECT_FALSE(fs::exists(m_file)) << "reading must not create the file";
}

TEST_F(ProfileTest, ReadIsCutToTheBufferWithoutSplittingACharacter)
{
    Put("[S]\nlong=" + std::string(2000, 'a') + "\numlaut=aaä\n");
    EXPECT_EQ(Read("S", "long", "", 1024), std::string(1023, 'a'));
    EXPECT_EQ(Read("S", "long", "", 1), "");
    // "aaä" is 4 bytes; a 4-byte buffer holds 3 bytes, which would split the "ä".
    EXPECT_EQ(Read("S", "umlaut", "", 4), "aa");
    EXPECT_EQ(Read("S", "umlaut", "", 5), "aaä");
    EXPECT_EQ(GetPrivateProfileString("S", "long", "", nullptr, 10, m_file.c_str()), 0u);
}

TEST_F(ProfileTest, IntegersReadLikeWindows)
{
    Put("[N]\n"
        "plain=150\nneg=-1\ncolour=-2147483632\nplus=+7\nlead=  42  \n"
        "trailing=12ab\nletters=abc\nempty=\nquoted=\"5\"\nbig=99999999999\nsmall=-99999999999\n"
        "hex=0x10\nminusOnly=-\n");
    struct Row {
        const char* key;
        int expected;
    };
    const Row rows[] = {
        {"plain", 150},   {"neg", -1},          {"colour", static_cast<int>(0x80000010u)},
        {"plus", 7},      {"lead", 42},         {"trailing", 12},
        {"letters", 0},   {"empty", 77},        {"quoted", 5},
        {"big", 2147483647}, {"small", static_cast<int>(0x80000000u)},
        {"hex", 0},       {"minusOnly", 0},     {"missing", 77},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.key);
        EXPECT_EQ(ReadInt("N", row.key), row.expected);
    }
    EXPECT_EQ(ReadInt("Nowhere", "plain", -5), -5);
}

TEST_F(ProfileTest, SectionListsEntriesAndCutsLikeWindows)
{
    Put("[Tools]\n; note\nToolName0 = Editor \nToolFile0=\"ed\"\n[Other]\nx=1\n");
    std::vector<char> buf(100, 'X');
    DWORD n = GetPrivateProfileSection("tools", buf.data(), 100, m_file.c_str());
    const std::string expected("ToolName0=Editor\0ToolFile0=\"ed\"\0", 32);
    EXPECT_EQ(std::string(buf.data(), n), expected);
    EXPECT_EQ(buf[n], '\0');

    n = GetPrivateProfileSection("Tools", buf.data(), 10, m_file.c_str());
    EXPECT_EQ(n, 8u);
    EXPECT_EQ(std::string(buf.data(), 10), std::string("ToolName\0\0", 10));

    n = GetPrivateProfileSection("Missing", buf.data(), 100, m_file.c_str());
    EXPECT_EQ(n, 0u);
    EXPECT_EQ(buf[0], '\0');
    EXPECT_EQ(buf[1], '\0');
}

TEST_F(ProfileTest, WriteCreatesFileSectionAndKey)
{
    ASSERT_TRUE(Write("Window", "MainTop", "5"));
    EXPECT_EQ(Content(), "[Window]\nMainTop=5\n");
    ASSERT_TRUE(Write("Window", "MainLeft", "6"));
    ASSERT_TRUE(Write("Options", "AutoSave", "1"));
    EXPECT_EQ(Content(), "[Window]\nMainTop=5\nMainLeft=6\n\n[Options]\nAutoSave=1\n");
    EXPECT_EQ(Read("Window", "MainLeft"), "6");

    Put("[A]\nk=v");
    ASSERT_TRUE(Write("B", "n", "1"));
    EXPECT_EQ(Content(), "[A]\nk=v\n\n[B]\nn=1\n") << "a file without line end at its end";
}

TEST_F(ProfileTest, WriteKeepsEveryOtherByte)
{
    const std::string before = "\xEF\xBB\xBF; settings\r\n"
                               "[Window]\r\n"
                               "; the main window\r\n"
                               "  mainTop = 1\r\n"
                               "MainLeft=2\r\n"
                               "\r\n"
                               "; next section\r\n"
                               "[Options]\r\n"
                               "Color=-1";
    Put(before);
    ASSERT_TRUE(Write("WINDOW", "MainTop", "10"));
    ASSERT_TRUE(Write("Window", "MainHeight", "480"));
    ASSERT_TRUE(Write("Options", "Extra", "x=y"));
    EXPECT_EQ(Content(), "\xEF\xBB\xBF; settings\r\n"
                         "[Window]\r\n"
                         "; the main window\r\n"
                         "mainTop=10\r\n"
                         "MainLeft=2\r\n"
                         "MainHeight=480\r\n"
                         "\r\n"
                         "; next section\r\n"
                         "[Options]\r\n"
                         "Color=-1\r\n"
                         "Extra=x=y\r\n");
    EXPECT_EQ(Read("Options", "Extra"), "x=y");
}

// A carriage return that ends the file ends the last line as CR LF does: the value reads
// the same before and after a write anywhere in the file.
TEST_F(ProfileTest, ACarriageReturnAtTheEndOfTheFileEndsTheLastLine)
{
    for (const char* content : {"[A]\nk=v\r", "[A]\r\nk=v\r", "[A]\nk=v\r\n", "[A]\nk=v"}) {
        SCOPED_TRACE(::testing::PrintToString(std::string(content)));
        Put(content);
        EXPECT_EQ(Read("A", "k"), "v");
        ASSERT_TRUE(Write("B", "y", "1"));
        EXPECT_EQ(Read("A", "k"), "v");
        EXPECT_EQ(Read("B", "y"), "1");
        ASSERT_TRUE(Write("A", "z", "2"));
        EXPECT_EQ(Read("A", "k"), "v");
        EXPECT_EQ(Read("A", "z"), "2");
    }
}

TEST_F(ProfileTest, NullValueDeletesKeyAndNullKeyDeletesSection)
{
    Put("[A]\nk=1\nK=dup\nkeep=2\n[B]\nx=1\n; about C\n[C]\ny=2\n");
    ASSERT_TRUE(Write("a", "k", nullptr));
    EXPECT_EQ(Content(), "[A]\nkeep=2\n[B]\nx=1\n; about C\n[C]\ny=2\n");
    ASSERT_TRUE(Write("B", nullptr, nullptr));
    EXPECT_EQ(Content(), "[A]\nkeep=2\n[C]\ny=2\n");
    // Deleting what is not there is no failure and leaves the file alone.
    EXPECT_TRUE(Write("A", "nothing", nullptr));
    EXPECT_TRUE(Write("Nothing", nullptr, nullptr));
    EXPECT_EQ(Content(), "[A]\nkeep=2\n[C]\ny=2\n");
    EXPECT_TRUE(WritePrivateProfileString(nullptr, nullptr, nullptr, m_file.c_str()));
}

TEST_F(ProfileTest, RefusesWritesThatWouldChangeTheFileStructure)
{
    Put("[A]\nk=1\n");
    struct Row {
        const char* name;
        const char* section;
        const char* key;
        const char* value;
    };
    const Row rows[] = {
        {"value with LF", "A", "k", "1\n[B]"},
        {"key with =", "A", "a=b", "1"},
        {"empty key", "A", "  ", "1"},
        {"key opening a section", "A", "[B]", "1"},
        {"key starting a comment", "A", ";k", "1"},
        {"section with ]", "A]x", "k", "1"},
        {"null section", nullptr, "k", "1"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_FALSE(Write(row.section, row.key, row.value));
        EXPECT_EQ(Content(), "[A]\nk=1\n");
    }
}

TEST_F(ProfileTest, SaveReplacesTheFileAndLeavesNoTemporaryBehind)
{
    Put("[A]\nk=1\n");
    ::chmod(m_file.c_str(), 0640);
    ASSERT_TRUE(Write("A", "k", "2"));
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(m_dir))
        names.push_back(entry.path().filename().string());
    EXPECT_EQ(names, std::vector<std::string>{"test.ini"});
    struct stat st {};
    ASSERT_EQ(::stat(m_file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);

    const std::string missingFolder = (m_dir / "no" / "such.ini").string();
    EXPECT_FALSE(WritePrivateProfileString("A", "k", "1", missingFolder.c_str()));
}

} // namespace
