// The program itself, started as the ETS host starts it, talking the event protocol over its
// standard input and output.
#include "DemoProject.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

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
    void TearDown() override
    {
        Abschiessen();
        fs::remove_all(ordner);
    }

    // Starts the program with the arguments while the test holds its standard input open, as
    // ETS does while the editor runs; true once its output holds the line.
    bool StarteUndWarte(const std::vector<std::string>& argumente, const std::string& zeile)
    {
        int rohr[2];
        if (::pipe(rohr) != 0)
            return false;
        std::vector<std::string> texte{programm.string()};
        texte.insert(texte.end(), argumente.begin(), argumente.end());
        std::vector<char*> argv;
        for (std::string& t : texte)
            argv.push_back(t.data());
        argv.push_back(nullptr);
        std::vector<std::string> umgebung{"QT_QPA_PLATFORM=offscreen"};
        for (char** e = environ; *e != nullptr; ++e)
            if (std::string(*e).rfind("QT_QPA_PLATFORM=", 0) != 0)
                umgebung.emplace_back(*e);
        std::vector<char*> envp;
        for (std::string& e : umgebung)
            envp.push_back(e.data());
        envp.push_back(nullptr);
        posix_spawn_file_actions_t aktionen;
        posix_spawn_file_actions_init(&aktionen);
        posix_spawn_file_actions_adddup2(&aktionen, rohr[0], 0);
        posix_spawn_file_actions_addclose(&aktionen, rohr[0]);
        posix_spawn_file_actions_addclose(&aktionen, rohr[1]);
        posix_spawn_file_actions_addopen(&aktionen, 1, (ordner / "stdout").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_addopen(&aktionen, 2, (ordner / "stderr").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int fehler = posix_spawn(&laufend, programm.c_str(), &aktionen, nullptr, argv.data(), envp.data());
        posix_spawn_file_actions_destroy(&aktionen);
        ::close(rohr[0]);
        eingabe = rohr[1];
        if (fehler != 0) {
            laufend = -1;
            return false;
        }
        for (int i = 0; i < 600; ++i) {
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
        if (laufend > 0) {
            ::kill(laufend, SIGKILL);
            ::waitpid(laufend, nullptr, 0);
            laufend = -1;
        }
        if (eingabe >= 0)
            ::close(eingabe);
        eingabe = -1;
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
    pid_t laufend = -1;
    int eingabe = -1;
};

TEST_F(ProgrammTest, EditsTheDemoDeviceAndStopsOnRequest)
{
    EXPECT_EQ(Starte("244_ID --ets-project demo.db --event 'EditParameters 1'", "UserSvStop\n"), 0)
        << Ausgabe("stderr");
    EXPECT_EQ(Ausgabe("stdout"), "EditParameters result=1 finished=0\nUserSvStop\n");
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
    ASSERT_TRUE(StarteUndWarte({"244_ID", "--ets-project", (ordner / "a" / "demo.db").string(), "--event",
                                "ExportDevice 0 0 1", "--event", "EditParameters 1"},
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
