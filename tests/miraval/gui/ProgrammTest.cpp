// The program itself, started as the ETS host starts it, talking the event protocol over its
// standard input and output.
#include "DemoProject.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

#ifdef MIRAVAL_PROGRAM

class ProgrammTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ordner = fs::temp_directory_path() /
                 ("miraval-programm-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(ordner);
        fs::create_directories(ordner);
        store = ordner / "demo.db";
        ASSERT_TRUE(BuildDemoProject(store).ok);
        // The program keeps its INI file and safety copies beside itself: a copy in the test's
        // folder leaves the built program's folder as the demo finds it.
        programm = ordner / "miraval";
        fs::copy_file(MIRAVAL_PROGRAM, programm);
    }
    void TearDown() override { fs::remove_all(ordner); }

    // Runs the program with the arguments and standard input; its exit code.
    int Starte(const std::string& argumente, const std::string& eingabe)
    {
        {
            std::ofstream(ordner / "stdin") << eingabe;
        }
        const std::string befehl = "cd '" + ordner.string() + "' && QT_QPA_PLATFORM=offscreen timeout 60 '" +
                                   programm.string() + "' " + argumente + " <stdin >stdout 2>stderr";
        const int status = std::system(befehl.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    std::string Ausgabe(const char* name)
    {
        std::ifstream datei(ordner / name);
        std::stringstream text;
        text << datei.rdbuf();
        return text.str();
    }

    fs::path ordner;
    fs::path store;
    fs::path programm;
};

TEST_F(ProgrammTest, EditsTheDemoDeviceAndStopsOnRequest)
{
    EXPECT_EQ(Starte("244_ID --ets-project demo.db --event 'EditParameters 1'", "UserSvStop\n"), 0)
        << Ausgabe("stderr");
    EXPECT_EQ(Ausgabe("stdout"), "EditParameters result=1 finished=0\nUserSvStop\n");
}

TEST_F(ProgrammTest, AShortcutKeyLineReturnsToEtsSoTheNextStartAsksNothing)
{
    const std::string argumente = "244_ID --ets-project demo.db --event 'EditParameters 1'";
    EXPECT_EQ(Starte(argumente, "Key Ctrl+Q\nUserSvStop\n"), 0) << Ausgabe("stderr");
    EXPECT_EQ(Ausgabe("stdout"), "EditParameters result=1 finished=0\nReturnToEts keep=1\nUserSvStop\n");
    EXPECT_EQ(Starte(argumente, "UserSvStop\n"), 0);
    EXPECT_EQ(Ausgabe("stderr").find("nicht ordentlich geschlossen"), std::string::npos) << Ausgabe("stderr");
}

TEST_F(ProgrammTest, EndsWhenTheHostIsGoneAndNothingIsEdited)
{
    EXPECT_EQ(Starte("244_ID --ets-project demo.db --event 'DoDownload2 0 0 1 0 0 0 0 0 1'", ""), 0)
        << Ausgabe("stderr");
    EXPECT_EQ(Ausgabe("stdout"), "DoDownload2 result=1 finished=1\n");
}

TEST_F(ProgrammTest, RefusesAFileThatIsNoProjectStore)
{
    {
        std::ofstream(ordner / "kaputt.db") << "kein Projekt";
    }
    EXPECT_EQ(Starte("244_ID --ets-project kaputt.db", ""), 1);
    EXPECT_NE(Ausgabe("stderr").find("kaputt.db"), std::string::npos);
    EXPECT_EQ(Starte("244_ID", ""), 2) << "the store is required";
}

#endif

} // namespace
