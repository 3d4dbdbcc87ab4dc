// The program itself, started as the ETS host starts it, talking the event protocol over its
// standard input and output.
#include "DemoProject.h"
#include "tests/support/TestOrdner.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

#ifdef MIRAVAL_PROGRAM

class ProgrammTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ordner = TestOrdner("miraval-programm");
        fs::remove_all(ordner);
        fs::create_directories(ordner);
        store = ordner / "demo.db";
        ASSERT_TRUE(BuildDemoProject(store).ok);
        // The program keeps its INI file and safety copies beside itself: a copy in the test's
        // folder leaves the built program's folder as the demo finds it.
        programm = ordner / "miraval";
        fs::copy_file(MIRAVAL_PROGRAM, programm);
    }
    void TearDown() override
    {
        Abschiessen();
        fs::remove_all(ordner);
    }

    // Starts the program with the arguments while the test holds its standard input open, as
    // ETS does while the editor runs; true once its output holds the line.
    bool StarteUndWarte(const std::string& argumente, const std::string& zeile)
    {
        // The shell hands its pid on to the program it becomes.
        laufend = ::popen(("cd '" + ordner.string() + "' && echo $$ >pid && QT_QPA_PLATFORM=offscreen exec '" +
                           programm.string() + "' " + argumente + " >stdout 2>stderr")
                              .c_str(),
                          "w");
        for (int i = 0; laufend != nullptr && i < 600; ++i) {
            if (Ausgabe("stdout").find(zeile) != std::string::npos)
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return false;
    }

    // Ends the program started by StarteUndWarte as a crash would: no return to ETS, nothing
    // written on the way out.
    void Abschiessen()
    {
        if (laufend == nullptr)
            return;
        if (const int pid = std::atoi(Ausgabe("pid").c_str()); pid > 0)
            ::kill(pid, SIGKILL);
        ::pclose(laufend);
        laufend = nullptr;
    }

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
    FILE* laufend = nullptr;
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

TEST_F(ProgrammTest, ASafetyCopyIsOfferedOnlyToTheStoreItCameFrom)
{
    // Two copies of one project: the same project name, device ids and configuration.
    for (const char* name : {"a", "b"}) {
        fs::create_directories(ordner / name);
        fs::copy_file(store, ordner / name / "demo.db");
    }
    const std::string frage = "Das Programm wurde nicht ordentlich geschlossen.";
    // The export writes beside the store's safety copies; a copy of it stands in for the
    // auto-save tick, which comes only after minutes.
    ASSERT_TRUE(StarteUndWarte("244_ID --ets-project a/demo.db --event 'ExportDevice 0 0 1' --event 'EditParameters 1'",
                               "EditParameters result=1 finished=0"))
        << Ausgabe("stdout") << Ausgabe("stderr");
    const std::string antwort = Ausgabe("stdout");
    const std::size_t anfang = antwort.find("file=\"") + 6;
    const fs::path export_ = antwort.substr(anfang, antwort.find('"', anfang) - anfang);
    const fs::path kopie = export_.parent_path() / "1.azs";
    fs::copy_file(export_, kopie);
    Abschiessen();
    std::ifstream lesen(kopie, std::ios::binary);
    const std::string inhalt((std::istreambuf_iterator<char>(lesen)), {});

    const struct {
        const char* store; // as the host names it
        bool angeboten;
    } laeufe[] = {{"b/demo.db", false}, {"b/demo.db", false}, {"./a/../a/demo.db", true}};
    for (const auto& lauf : laeufe) {
        SCOPED_TRACE(lauf.store);
        EXPECT_EQ(Starte(std::string("244_ID --ets-project ") + lauf.store + " --event 'EditParameters 1'",
                         "UserSvStop\n"),
                  0);
        EXPECT_EQ(Ausgabe("stdout"), "EditParameters result=1 finished=0\nUserSvStop\n");
        EXPECT_EQ(Ausgabe("stderr").find(frage) != std::string::npos, lauf.angeboten) << Ausgabe("stderr");
        EXPECT_EQ(Ausgabe("stderr").find("Import beendet") != std::string::npos, lauf.angeboten);
        std::ifstream nachher(kopie, std::ios::binary);
        EXPECT_EQ(std::string((std::istreambuf_iterator<char>(nachher)), {}), inhalt) << "the copy stays the store's";
    }
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
