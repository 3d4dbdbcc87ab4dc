// The program itself, started as the ETS host starts it, talking the event protocol over its
// standard input and output.
#include "DemoProject.h"
#include "kestrin/EtsCommandLine.h"
#include "miraval/devinst/DatenContainer.h"
#include "miraval/devinst/DevInst.h"
#include "platform/kestrin/EtsOtherProgram.h"
#include "tests/support/StoreAbfrage.h"
#include "tests/support/TestOrdner.h"
#include "ZweiteZentrale.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <set>
#include <fcntl.h>
#include <linux/fs.h>
#include <sstream>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace {

#ifdef MIRAVAL_PROGRAM

// Sets or clears the store file's immutable flag (as chattr does); false where the file
// system or the process's rights do not allow it.
bool Unveraenderlich(const fs::path& datei, bool an)
{
    const int fd = ::open(datei.c_str(), O_RDONLY);
    int flags = 0;
    bool ok = fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = an ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
    ok = ok && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    if (fd >= 0)
        ::close(fd);
    return ok;
}

int Anzahl(const std::string& text, const std::string& teil)
{
    int n = 0;
    for (std::size_t at = text.find(teil); at != std::string::npos; at = text.find(teil, at + 1))
        ++n;
    return n;
}

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
        Unveraenderlich(store, false);
        fs::remove_all(ordner);
    }

    // Starts the program with the arguments while the test holds its standard input open, as
    // ETS does while the editor runs; true once its output holds the line.
    bool StarteUndWarte(const std::string& argumente, const std::string& zeile,
                        const std::string& umgebung = "QT_QPA_PLATFORM=offscreen")
    {
        // Nothing of an earlier run may be taken for this one's.
        for (const char* name : {"pid", "stdout", "stderr"})
            fs::remove(ordner / name);
        // The shell hands its pid on to the program it becomes.
        laufend = ::popen(("cd '" + ordner.string() + "' && echo $$ >pid && exec env " + umgebung + " '" +
                           programm.string() + "' " + argumente + " >stdout 2>stderr")
                              .c_str(),
                          "w");
        return laufend != nullptr && WarteAuf(zeile);
    }

    // True once the output of the program (or its standard error) holds the text, within 30
    // seconds.
    bool WarteAuf(const std::string& text, const char* datei = "stdout")
    {
        for (int i = 0; i < 600; ++i) {
            if (Ausgabe(datei).find(text) != std::string::npos)
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return false;
    }

    // A run stopped in the edit of the demo's alarm centre left the device's safety copy and
    // the device on the list of devices not closed properly: its next opening offers the copy.
    void ErwarteAngeboteneSicherung(const std::string& projekt = "demo.db")
    {
        const std::string ini = Lies(ordner / "miraval.ini");
        const std::size_t eintrag = ini.find("NotClosed=");
        ASSERT_NE(eintrag, std::string::npos) << ini;
        const std::string geraet = ini.substr(eintrag + 10, ini.find_first_of("\r\n", eintrag) - eintrag - 10);
        EXPECT_TRUE(geraet.ends_with("/1")) << ini;
        EXPECT_TRUE(fs::exists(ordner / "AZ/AutoSave" / (geraet + ".azs"))) << geraet;
        EXPECT_EQ(Starte("244_ID --ets-project " + projekt + " --event 'EditParameters 1'", "UserSvStop\n"), 0);
        EXPECT_NE(Ausgabe("stderr").find("Das Programm wurde nicht ordentlich geschlossen."), std::string::npos)
            << Ausgabe("stderr");
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

    // Runs the program with the arguments and standard input in the environment as env
    // changes it; its exit code.
    int Starte(const std::string& argumente, const std::string& eingabe,
               const std::string& umgebung = "QT_QPA_PLATFORM=offscreen")
    {
        {
            std::ofstream(ordner / "stdin") << eingabe;
        }
        const std::string befehl = "cd '" + ordner.string() + "' && env " + umgebung + " timeout 60 '" +
                                   programm.string() + "' " + argumente + " <stdin >stdout 2>stderr";
        const int status = std::system(befehl.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    // Hands the program started by StarteUndWarte a line of standard input; true once its
    // output holds the text one more time than before.
    bool SendeUndWarte(const std::string& zeile, const std::string& text, int sekunden = 30)
    {
        const int vorher = Anzahl(Ausgabe("stdout"), text);
        std::fputs((zeile + "\n").c_str(), laufend);
        std::fflush(laufend);
        for (int i = 0; i < sekunden * 20; ++i) {
            if (Anzahl(Ausgabe("stdout"), text) > vorher)
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return false;
    }

    // The installer returns to ETS, answering the close checks' questions by default.
    bool ZurueckZurEts(const std::string& antwort) { return SendeUndWarte("ReturnToEts", antwort); }

    // A start ended without a return, after an export: the device stays on the recovery list,
    // and its export with a detector renamed to neu stands in for the safety copy of an edit.
    // The export's file.
    void KopieEinesEdits(const std::string& neu, fs::path& export_)
    {
        ASSERT_EQ(Starte("244_ID --ets-project demo.db --event 'ExportDevice 0 0 1' --event 'EditParameters 1'",
                         "UserSvStop\n"),
                  0)
            << Ausgabe("stderr");
        const std::string antwort = Ausgabe("stdout");
        const std::size_t anfang = antwort.find("file=\"") + 6;
        export_ = antwort.substr(anfang, antwort.find('"', anfang) - anfang);
        std::string inhalt = Lies(export_);
        const std::size_t melder = inhalt.find("\"Melder 2 [Eingang]\"");
        ASSERT_NE(melder, std::string::npos);
        std::ofstream(export_.parent_path() / "1.azs", std::ios::binary) << inhalt.replace(melder, 20, neu);
    }

    // A return to ETS that fails while the store is made unusable by sperren (and usable
    // again by freigeben): the device stays on the recovery list with a safety copy that
    // holds the edit, and the next edit of the device in the same program returns it.
    void EinFehlgeschlagenerReturn(const std::function<void()>& sperren, const std::function<void()>& freigeben,
                                   const std::string& ursache, const std::string& grund)
    {
        const std::string neu = "\"Flur oben [Eingang]\"";
        fs::path export_;
        ASSERT_NO_FATAL_FAILURE(KopieEinesEdits(neu, export_));
        const fs::path kopie = export_.parent_path() / "1.azs";
        const auto gefragt = [&] { return Anzahl(Ausgabe("stderr"), "Das Programm wurde nicht ordentlich geschlossen."); };

        ASSERT_TRUE(StarteUndWarte("244_ID --ets-project demo.db --event 'EditParameters 1'",
                                   "EditParameters result=1 finished=0"))
            << Ausgabe("stderr");
        ASSERT_EQ(gefragt(), 1);
        sperren();
        EXPECT_TRUE(ZurueckZurEts("ReturnToEts keep=1 ok=0")) << Ausgabe("stdout") << Ausgabe("stderr");
        // ETS has its answer before the person reads the box.
        EXPECT_TRUE(WarteAuf("[Close] return fehlgeschlagen\nDie Daten konnten nicht an die ETS zurückgegeben werden.\n"
                             "Die Änderungen bleiben in der Sicherungskopie erhalten und werden beim "
                             "nächsten Bearbeiten des Geräts angeboten.\n" + ursache +
                                 "\nReturnToEts: ETS project store",
                             "stderr"))
            << Ausgabe("stderr");
        EXPECT_NE(Ausgabe("stderr").find(grund), std::string::npos) << Ausgabe("stderr");
        const std::string eintrag = "NotClosed=" + export_.parent_path().filename().string() + "/1";
        EXPECT_NE(Lies(ordner / "miraval.ini").find(eintrag), std::string::npos)
            << "the device stays on the recovery list\n" << Lies(ordner / "miraval.ini");
        EXPECT_NE(Lies(kopie).find(neu), std::string::npos) << "the safety copy holds the edit";
        freigeben();

        ASSERT_TRUE(SendeUndWarte("EditParameters 1", "EditParameters result=1 finished=0")) << Ausgabe("stderr");
        EXPECT_EQ(gefragt(), 2) << "the edit is offered again";
        EXPECT_TRUE(ZurueckZurEts("ReturnToEts keep=1\n")) << Ausgabe("stdout") << Ausgabe("stderr");
        EXPECT_TRUE(SendeUndWarte("UserSvStop", "UserSvStop"));
        ::pclose(std::exchange(laufend, nullptr));
        EXPECT_EQ(Lies(ordner / "miraval.ini").find(eintrag), std::string::npos) << Lies(ordner / "miraval.ini");
        EXPECT_NE(StoreBlob().find(neu), std::string::npos) << "ETS holds the edit";
    }

    // The stored configuration of an alarm centre.
    std::string StoreBlob(std::int32_t geraet = kDemoAlarmCentreId)
    {
        TEts2Cdi ets(nullptr, kDemoModuleName, false);
        const std::uint8_t* daten = nullptr;
        std::uint32_t laenge = 0;
        if (!ets.OpenProjectStore(store) || !ets.BlobRead(daten, laenge, geraet))
            return {};
        return std::string(reinterpret_cast<const char*>(daten), laenge);
    }

    bool StoreBlobSchreiben(const std::string& blob)
    {
        TEts2Cdi ets(nullptr, kDemoModuleName, false);
        return ets.OpenProjectStore(store) &&
               ets.BlobWrite(blob.data(), static_cast<std::uint32_t>(blob.size()), kDemoAlarmCentreId);
    }

    std::string Lies(const fs::path& datei)
    {
        std::ifstream lesen(datei, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(lesen)), {});
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

TEST_F(ProgrammTest, AReturnToEtsLineReturnsAsCtrlQSoTheNextStartAsksNothing)
{
    const std::string argumente = "244_ID --ets-project demo.db --event 'EditParameters 1'";
    EXPECT_EQ(Starte(argumente, "ReturnToEts\nUserSvStop\n"), 0) << Ausgabe("stderr");
    EXPECT_EQ(Ausgabe("stdout"), "EditParameters result=1 finished=0\nReturnToEts keep=1\nUserSvStop\n");
    EXPECT_EQ(Starte(argumente, "UserSvStop\n"), 0);
    EXPECT_EQ(Ausgabe("stderr").find("nicht ordentlich geschlossen"), std::string::npos) << Ausgabe("stderr");
}

// No line reaches a menu entry: without a device open the return is refused, and a key is
// no line of the protocol.
TEST_F(ProgrammTest, NoLineReachesAMenuEntryWithoutADeviceOpen)
{
    EXPECT_EQ(Starte("244_ID --ets-project demo.db", "ReturnToEts\nKey Ctrl+Q\nUserSvStop\n"), 0)
        << Ausgabe("stderr");
    EXPECT_EQ(Ausgabe("stdout"),
              "error: no device is open: ReturnToEts\nerror: unknown event Key: Key Ctrl+Q\nUserSvStop\n");
}

// One line, one answer: an error that quotes a word holding a line break stays on its line, so
// a host reading answers line by line stays in step.
TEST_F(ProgrammTest, EveryLineIsAnsweredOnOneLine)
{
    EXPECT_EQ(Starte("244_ID --ets-project demo.db",
                     "DeleteDevice 0 \"a\\nb\"\nEditParameters \"x\\ny\"\nUserSvStop\n"),
              0)
        << Ausgabe("stderr");
    EXPECT_EQ(Ausgabe("stdout"), "error: device id is not a 32-bit number: \"a\\nb\": DeleteDevice 0 \"a\\nb\"\n"
                                 "error: device id is not a 32-bit number: \"x\\ny\": EditParameters \"x\\ny\"\n"
                                 "UserSvStop\n");
}

// An ETS link for the device being edited keeps its nodes under the project window: the link
// shows in the tree, and the return stores it.
TEST_F(ProgrammTest, ALinkEventForTheOpenDeviceKeepsItsWindowWhole)
{
    EXPECT_EQ(Starte("244_ID --ets-project demo.db --event 'EditParameters 1' --event 'LinkObjToSubGroup 0 0 1 0 1'",
                     "ReturnToEts\nUserSvStop\n"),
              0)
        << Ausgabe("stderr");
    EXPECT_EQ(Ausgabe("stdout"), "EditParameters result=1 finished=0\nLinkObjToSubGroup result=1 finished=1\n"
                                 "ReturnToEts keep=1\nUserSvStop\n");
}

// ETS opens the device being edited once more: the device is on the recovery list because it
// is open, and a safety copy restored now would undo the edit. The return stores what it
// stores without the second opening.
TEST_F(ProgrammTest, ASecondOpeningOfTheDeviceBeingEditedRestoresNothing)
{
    const std::string objekt0 = StoreAbfrage(store, "SELECT o.id FROM device_object o JOIN comm_object c ON "
                                                    "c.id = o.comm_object_id WHERE o.device_id = 1 AND c.number = 0");
    ASSERT_FALSE(objekt0.empty());
    const auto bearbeite = [&](const fs::path& datei, const std::string& zweite) {
        // A returned edit leaves a safety copy of the device as it was; the next opening puts
        // the device on the recovery list again.
        const std::string argumente = "244_ID --ets-project '" + datei.string() + "' --event 'EditParameters 1'";
        EXPECT_EQ(Starte(argumente, "ReturnToEts\nUserSvStop\n"), 0) << Ausgabe("stderr");
        EXPECT_EQ(Starte(argumente + " --event 'LinkObjToSubGroup 0 0 1 0 1'" +
                             (zweite.empty() ? "" : " --event '" + zweite + "'"),
                         "ReturnToEts\nUserSvStop\n"),
                  0);
        EXPECT_EQ(Ausgabe("stderr").find("nicht ordentlich geschlossen"), std::string::npos) << Ausgabe("stderr");
        EXPECT_NE(Ausgabe("stdout").find("ReturnToEts keep=1\n"), std::string::npos) << Ausgabe("stdout");
        return std::pair(StoreKonfiguration(datei, kDemoAlarmCentreId), StoreLinks(datei, kDemoAlarmCentreId));
    };
    const auto [blob, links] = bearbeite(store, "");
    ASSERT_FALSE(blob.empty());
    int lauf = 0;
    for (const std::string& zweite :
         {std::string("EditParameters 1"), "EditObject 0 0 " + objekt0.substr(0, objekt0.find('\n'))}) {
        SCOPED_TRACE(zweite);
        const fs::path datei = ordner / std::to_string(++lauf) / "demo.db";
        fs::create_directories(datei.parent_path());
        ASSERT_TRUE(BuildDemoProject(datei).ok);
        const auto [mitBlob, mitLinks] = bearbeite(datei, zweite);
        EXPECT_EQ(mitLinks, links);
        EXPECT_TRUE(mitBlob == blob) << "the stored configuration differs";
    }
}

// Showing an object (ETS's EditObject selects it and its page is drawn) changes nothing that
// is stored: an export or download after it stores what the same lines without it store.
TEST_F(ProgrammTest, ShowingANodeChangesNothingThatAnEventStores)
{
    const std::string objekt = StoreAbfrage(store, "SELECT o.id FROM device_object o JOIN comm_object c ON "
                                                   "c.id = o.comm_object_id WHERE o.device_id = 1 AND c.name = "
                                                   "'Alarm-Reset'");
    ASSERT_FALSE(objekt.empty());
    const std::string zeigen = "EditObject 0 0 " + objekt.substr(0, objekt.find('\n'));
    const auto bearbeite = [&](const std::string& ereignis) {
        const fs::path datei = ordner / std::to_string(std::hash<std::string>{}(ereignis)) / "demo.db";
        fs::create_directories(datei.parent_path());
        EXPECT_TRUE(BuildDemoProject(datei).ok);
        std::string argumente = "244_ID --ets-project '" + datei.string() + "' --event 'EditParameters 1' --event '" +
                                zeigen + "'";
        if (!ereignis.empty())
            argumente += " --event '" + ereignis + "'";
        EXPECT_EQ(Starte(argumente, "ReturnToEts\nUserSvStop\n"), 0) << Ausgabe("stderr");
        EXPECT_NE(Ausgabe("stdout").find("ReturnToEts keep=1\n"), std::string::npos) << Ausgabe("stdout");
        return StoreKonfiguration(datei, kDemoAlarmCentreId) + StoreLinks(datei, kDemoAlarmCentreId);
    };
    const std::string ohne = bearbeite("");
    ASSERT_FALSE(ohne.empty());
    for (const char* ereignis : {"ExportDevice 0 0 1", "DoDownload2 0 0 1 0 0 0 0 0 1"}) {
        SCOPED_TRACE(ereignis);
        EXPECT_TRUE(bearbeite(ereignis) == ohne) << "the stored configuration differs";
    }
}

// The host closes the editor's output: its answers go nowhere, and it still stops as the host's
// stop asks, with the edit's safety copy, ending 0 (SIGPIPE is no end).
TEST_F(ProgrammTest, AHostThatClosedTheOutputStillGetsTheSafetyCopyAndExitZero)
{
    {
        std::ofstream(ordner / "stdin") << "UserSvStop\n";
    }
    // Everything the child does before its exec is made here: a test process has threads.
    std::vector<std::string> umgebung{"QT_QPA_PLATFORM=offscreen"};
    for (char** e = environ; *e != nullptr; ++e)
        if (!std::string(*e).starts_with("QT_QPA_PLATFORM="))
            umgebung.emplace_back(*e);
    std::vector<char*> envp;
    for (std::string& e : umgebung)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    const std::string ein = (ordner / "stdin").string(), fehler = (ordner / "stderr").string();
    int rohr[2];
    ASSERT_EQ(::pipe(rohr), 0);
    ::close(rohr[0]);
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        const int e = ::open(ein.c_str(), O_RDONLY);
        const int f = ::open(fehler.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (e < 0 || f < 0 || ::chdir(ordner.c_str()) != 0 || ::dup2(e, 0) < 0 || ::dup2(rohr[1], 1) < 0 ||
            ::dup2(f, 2) < 0)
            ::_exit(127);
        ::signal(SIGPIPE, SIG_DFL);
        ::execle(programm.c_str(), programm.c_str(), "244_ID", "--ets-project", "demo.db", "--event",
                 "EditParameters 1", static_cast<char*>(nullptr), envp.data());
        ::_exit(127);
    }
    ::close(rohr[1]);
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
        << (WIFSIGNALED(status) ? ::strsignal(WTERMSIG(status)) : "exit " + std::to_string(WEXITSTATUS(status)))
        << Ausgabe("stderr");
    ErwarteAngeboteneSicherung();
}

// ETS opens another device while one is being edited (its editing period is modal, so ETS
// itself sends no such line): refused with the reason, the device being edited stays open,
// and the return stores what it stores without the line.
TEST_F(ProgrammTest, AnotherDevicesOpeningDuringAnEditIsRefusedAndTheEditStays)
{
    TOtherProgram(store).Sql(kZweiteZentraleSql);
    const std::string objekt8 =
        StoreAbfrage(store, "SELECT min(id) FROM device_object WHERE device_id = 8");
    ASSERT_FALSE(objekt8.empty());
    const std::string argumente = "244_ID --ets-project demo.db --event 'EditParameters 1' --event "
                                  "'LinkObjToSubGroup 0 0 1 0 1'";
    const auto gespeichert = [&] {
        return StoreKonfiguration(store, kDemoAlarmCentreId) + StoreParameter(store, kDemoAlarmCentreId) +
               StoreLinks(store, kDemoAlarmCentreId) + StoreKonfiguration(store, 8);
    };
    const std::string vorher = gespeichert();
    ASSERT_EQ(Starte(argumente, "ReturnToEts\nUserSvStop\n"), 0) << Ausgabe("stderr");
    const std::string ohne = gespeichert();
    for (const std::string& zeile : {std::string("EditParameters 8"), "EditObject 0 0 " + objekt8.substr(0, objekt8.find('\n'))}) {
        SCOPED_TRACE(zeile);
        TearDown();
        SetUp();
        TOtherProgram(store).Sql(kZweiteZentraleSql);
        ASSERT_EQ(gespeichert(), vorher);
        EXPECT_EQ(Starte(argumente, zeile + "\nReturnToEts\nUserSvStop\n"), 0) << Ausgabe("stderr");
        EXPECT_EQ(Ausgabe("stdout"), "EditParameters result=1 finished=0\nLinkObjToSubGroup result=1 finished=1\n"
                                     "error: device 1 is being edited: " + zeile + "\nReturnToEts keep=1\nUserSvStop\n");
        EXPECT_TRUE(gespeichert() == ohne) << "the store differs from the same edit without the line";
    }
}

TEST_F(ProgrammTest, EndsWhenTheHostIsGoneAndNothingIsEdited)
{
    EXPECT_EQ(Starte("244_ID --ets-project demo.db --event 'DoDownload2 0 0 1 0 0 0 0 0 1'", ""), 0)
        << Ausgabe("stderr");
    EXPECT_EQ(Ausgabe("stdout"), "DoDownload2 result=1 finished=1\n");
}

// Without a display nobody can return the edit: a host gone without its stop (the end of
// standard input) stops it as the host's stop does.
TEST_F(ProgrammTest, WithoutADisplayTheEndOfInputStopsTheEditAndKeepsItsSafetyCopy)
{
    // The line of the examples, standard input at its end from the start.
    fs::create_directories(ordner / "build/demo");
    fs::copy_file(store, ordner / "build/demo/demo.db");
    EXPECT_EQ(Starte("244_ID --ets-project build/demo/demo.db --event 'EditParameters 1'", ""), 0)
        << Ausgabe("stderr");
    EXPECT_EQ(Ausgabe("stdout"), "EditParameters result=1 finished=0\nUserSvStop\n");
    ErwarteAngeboteneSicherung("build/demo/demo.db");
}

// SIGTERM and Ctrl+C stop the edit as the host's stop does, and the program's runtime folder
// goes with it.
TEST_F(ProgrammTest, SigtermCtrlCAndHangupStopTheEditAsTheHostsStopDoes)
{
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(::strsignal(signal));
        fs::remove(ordner / "miraval.ini");
        fs::remove_all(ordner / "tmp");
        fs::create_directories(ordner / "tmp");
        ASSERT_TRUE(StarteUndWarte("244_ID --ets-project demo.db --event 'EditParameters 1'",
                                   "EditParameters result=1 finished=0",
                                   "-u XDG_RUNTIME_DIR TMPDIR=tmp QT_QPA_PLATFORM=offscreen"))
            << Ausgabe("stderr");
        ASSERT_EQ(::kill(std::atoi(Ausgabe("pid").c_str()), signal), 0);
        // Ended by the signal, not by the end of its input that pclose brings.
        EXPECT_TRUE(WarteAuf("UserSvStop\n")) << Ausgabe("stdout") << Ausgabe("stderr");
        const int status = ::pclose(std::exchange(laufend, nullptr));
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
        EXPECT_TRUE(fs::is_empty(ordner / "tmp")) << "the runtime folder is removed";
        ErwarteAngeboteneSicherung();
    }
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
    const std::string inhalt = Lies(kopie);

    // Each run is stopped in its edit and leaves its own store a copy: b's second run is
    // offered b's copy, never a's.
    const struct {
        const char* store; // as the host names it
        bool angeboten;
    } laeufe[] = {{"b/demo.db", false}, {"b/demo.db", true}, {"./a/../a/demo.db", true}};
    for (const auto& lauf : laeufe) {
        SCOPED_TRACE(lauf.store);
        EXPECT_EQ(Starte(std::string("244_ID --ets-project ") + lauf.store + " --event 'EditParameters 1'",
                         "UserSvStop\n"),
                  0);
        EXPECT_EQ(Ausgabe("stdout"), "EditParameters result=1 finished=0\nUserSvStop\n");
        EXPECT_EQ(Ausgabe("stderr").find(frage) != std::string::npos, lauf.angeboten) << Ausgabe("stderr");
        EXPECT_EQ(Ausgabe("stderr").find("Import beendet") != std::string::npos, lauf.angeboten);
        if (std::string(lauf.store).starts_with("b/")) {
            EXPECT_EQ(Lies(kopie), inhalt) << "the copy stays the store's";
        }
    }
}

TEST_F(ProgrammTest, AReturnWhileAnotherProgramHoldsTheStoreLosesNothingAndCanBeRepeated)
{
    // Another program reading the store: the commit waits for it, then gives up.
    std::optional<TOtherProgram> anderes;
    EinFehlgeschlagenerReturn(
        [&] {
            anderes.emplace(store);
            anderes->Sql("BEGIN; SELECT count(*) FROM device;");
        },
        [&] { anderes.reset(); }, "Die Projektdatenbank ist von einem anderen Programm gesperrt.",
        "is locked by another program: database is locked");
}

TEST_F(ProgrammTest, AReturnToAStoreThatCannotBeWrittenLosesNothingAndCanBeRepeated)
{
    if (!Unveraenderlich(store, true) || !Unveraenderlich(store, false))
        GTEST_SKIP() << "no immutable flag here (needs root and a file system that has it): "
                     << std::strerror(errno);
    // Named as what it is, and no journal left beside the store keeps other programs out.
    EinFehlgeschlagenerReturn([&] { ASSERT_TRUE(Unveraenderlich(store, true)); },
                              [&] {
                                  EXPECT_FALSE(fs::exists(store.string() + "-journal"));
                                  EXPECT_EQ(StoreAbfrage(store, "SELECT count(*) FROM device WHERE id = 1"), "1\n");
                                  ASSERT_TRUE(Unveraenderlich(store, false));
                              },
                              "Die Projektdatenbank ist schreibgeschützt.", "is read-only: Operation not permitted");
    Unveraenderlich(store, false);
}

// The command line and the store are judged before the display: a mistake in either is told as
// itself; only a start that could go on without a display ends with the one line that names the
// way out. Qt's own options stay Qt's. Nothing is left in the temporary folder.
TEST_F(ProgrammTest, WithoutADisplayTheCommandLineAndTheStoreAreJudgedFirst)
{
    fs::create_directories(ordner / "tmp");
    std::ofstream(ordner / "kein.db") << "kein SQLite";
    const std::string ohne = "-u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_RUNTIME_DIR TMPDIR=tmp ";
    const std::string keineAnzeige = "); to run without one, start it with QT_QPA_PLATFORM=offscreen\n";
    const std::string usage = EtsCommandLineUsage("miraval");
    const struct {
        const char* name;
        std::string umgebung;
        const char* argumente;
        int ende;
        std::string stderr_;
    } faelle[] = {
        {"no DISPLAY", ohne, "244_ID --ets-project demo.db", 1,
         "miraval: no display could be opened (DISPLAY is not set" + keineAnzeige},
        {"a DISPLAY that is not there", ohne + "DISPLAY=:999", "244_ID --ets-project demo.db", 1,
         "miraval: no display could be opened (DISPLAY=:999" + keineAnzeige},
        {"--help", ohne, "--help", 0, ""},
        {"no arguments", ohne, "", 2, "miraval: --ets-project FILE is missing\n" + usage},
        {"an unknown option", ohne, "244_ID --ets-project demo.db --frage", 2,
         "miraval: unknown option --frage\n" + usage},
        {"an unknown short option", ohne + "DISPLAY=:999", "-x 244_ID --ets-project demo.db", 2,
         "miraval: unknown option -x\n" + usage},
        {"a store that does not exist", ohne, "244_ID --ets-project fehlt.db", 1,
         "miraval: Die Projektdatenbank „fehlt.db“ gibt es nicht. (ETS project store \"fehlt.db\" does not exist)\n"},
        {"a store that is none, a DISPLAY that is not there", ohne + "DISPLAY=:999", "244_ID --ets-project kein.db", 1,
         "miraval: Die Datei „kein.db“ ist keine ETS-Projektdatenbank. (ETS project store \"kein.db\" is not an ETS "
         "project store: file is not a database)\n"},
        {"Qt's own option", ohne, "-platform offscreen 244_ID --ets-project demo.db", 0, ""},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        EXPECT_EQ(Starte(f.argumente, "", f.umgebung), f.ende);
        EXPECT_EQ(Ausgabe("stderr"), f.stderr_);
        EXPECT_TRUE(fs::is_empty(ordner / "tmp"));
    }
    EXPECT_EQ(Starte("--help", "", ohne), 0);
    EXPECT_EQ(Ausgabe("stdout"), usage);
}

// An editor ended by kill -9 leaves its runtime folder behind: the next start removes it, and
// those of programs that are no editor (any more); a running editor's stays.
TEST_F(ProgrammTest, AStartRemovesTheRuntimeFoldersOfEditorsNoLongerRunning)
{
    fs::create_directories(ordner / "tmp");
    const std::string umgebung = "-u XDG_RUNTIME_DIR QT_QPA_PLATFORM=offscreen TMPDIR=tmp";
    const auto ordnerDa = [&] {
        std::vector<std::string> namen;
        for (const auto& eintrag : fs::directory_iterator(ordner / "tmp"))
            namen.push_back(eintrag.path().filename().string());
        std::sort(namen.begin(), namen.end());
        return namen;
    };
    ASSERT_TRUE(StarteUndWarte("244_ID --ets-project demo.db --event 'EditParameters 1'",
                               "EditParameters result=1 finished=0", umgebung));
    ASSERT_EQ(ordnerDa().size(), 1u);
    const std::string laufend = ordnerDa()[0];
    EXPECT_TRUE(laufend.starts_with("miraval-runtime-" + std::to_string(std::atoi(Ausgabe("pid").c_str())) + "-"))
        << laufend;
    // Of this test program, which is no editor; and a name that tells no process.
    const std::string fremd = "miraval-runtime-" + std::to_string(::getpid()) + "-abcdef";
    for (const std::string& name : {fremd, std::string("miraval-runtime-abcdef")})
        fs::create_directories(ordner / "tmp" / name / "inhalt");

    const std::vector<std::string> bleiben{laufend, "miraval-runtime-abcdef"};
    EXPECT_EQ(Starte("244_ID --ets-project demo.db", "UserSvStop\n", umgebung), 0) << Ausgabe("stderr");
    EXPECT_EQ(ordnerDa(), bleiben) << "a running editor's stays";

    Abschiessen();
    EXPECT_EQ(ordnerDa(), bleiben) << "kill -9 leaves it";
    EXPECT_EQ(Starte("244_ID --ets-project demo.db", "UserSvStop\n", umgebung), 0) << Ausgabe("stderr");
    EXPECT_EQ(ordnerDa(), std::vector<std::string>{"miraval-runtime-abcdef"});
}

// An offscreen run without a runtime folder tells nothing of Qt's platform; each box names the
// answer it took; the runtime folder the program made goes with it.
TEST_F(ProgrammTest, AnOffscreenRunSaysOnlyItsBoxesAndLeavesNothingBehind)
{
    fs::create_directories(ordner / "tmp");
    EXPECT_EQ(Starte("244_ID --ets-project demo.db --event 'EditParameters 1'", "ReturnToEts\nUserSvStop\n",
                     "-u XDG_RUNTIME_DIR TMPDIR=tmp QT_QPA_PLATFORM=offscreen"),
              0);
    for (const char* qt : {"XDG_RUNTIME_DIR", "This plugin does not support"})
        EXPECT_EQ(Ausgabe("stderr").find(qt), std::string::npos) << Ausgabe("stderr");
    EXPECT_NE(Ausgabe("stderr").find(" -> Ja\n"), std::string::npos) << Ausgabe("stderr");
    EXPECT_TRUE(fs::is_empty(ordner / "tmp"));
}

// ETS's import of a device file that is not what the program writes, and the same file as the
// device's own stored configuration: refused with one box that says why, the file kept for
// another try, the stored configuration as it was.
TEST_F(ProgrammTest, ImportDeviceAndOpeningRefuseADamagedConfigurationWithOneBoxAndChangeNothing)
{
    ASSERT_EQ(Starte("244_ID --ets-project demo.db --event 'ExportDevice 0 0 1'", "UserSvStop\n"), 0)
        << Ausgabe("stderr");
    // ETS keeps the exported file in the store's folder, where its import looks for it.
    const fs::path export_ = ordner / "1.azp";
    ASSERT_TRUE(fs::exists(export_)) << Ausgabe("stdout");
    const std::string inhalt = Lies(export_);
    // The device record is the first record line, the next one its first child's.
    const std::size_t geraet = inhalt.find("<DB>\r\n") + 6;
    const std::size_t kind = inhalt.find("\r\n", geraet) + 2;
    ASSERT_EQ(inhalt.substr(geraet, 2), "1,");
    const std::string geraetZeile = inhalt.substr(geraet, kind - geraet);
    const struct {
        const char* name;
        std::string datei;
    } faelle[] = {
        {"a handle another record's", inhalt.substr(0, kind) + "1" + inhalt.substr(inhalt.find(',', kind))},
        {"a second device record", inhalt.substr(0, kind) + "987654" + geraetZeile.substr(1) + inhalt.substr(kind)},
        {"a value removed", inhalt.substr(0, geraet) + "1" + inhalt.substr(inhalt.find(',', geraet + 2))},
    };
    const std::string gespeichert = StoreBlob();
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        std::ofstream(export_, std::ios::binary) << f.datei;
        EXPECT_EQ(Starte("244_ID --ets-project demo.db --event 'EditParameters 1' --event 'ImportDevice 0 0 1'",
                         "UserSvStop\n"),
                  0);
        EXPECT_NE(Ausgabe("stdout").find("ImportDevice result=0"), std::string::npos) << Ausgabe("stdout");
        EXPECT_EQ(Anzahl(Ausgabe("stderr"), "Die Datei ist fehlerhaft und wurde nicht importiert."), 1)
            << Ausgabe("stderr");
        EXPECT_EQ(Ausgabe("stderr").find("Beim Import des Gerätes sind Fehler aufgetreten."), std::string::npos)
            << Ausgabe("stderr");
        EXPECT_TRUE(fs::exists(export_));
        EXPECT_EQ(StoreBlob(), gespeichert);

        ASSERT_TRUE(StoreBlobSchreiben(f.datei));
        EXPECT_EQ(Starte("244_ID --ets-project demo.db --event 'EditParameters 1'", "UserSvStop\n"), 0);
        EXPECT_NE(Ausgabe("stdout").find("EditParameters result=0"), std::string::npos) << Ausgabe("stdout");
        EXPECT_EQ(Anzahl(Ausgabe("stderr"), "Die Datei ist fehlerhaft und wurde nicht importiert."), 1)
            << Ausgabe("stderr");
        EXPECT_EQ(Ausgabe("stderr").find("Beim Starten des Plug-In ist ein Fehler aufgetreten."), std::string::npos)
            << Ausgabe("stderr");
        EXPECT_EQ(StoreBlob(), f.datei);
        ASSERT_TRUE(StoreBlobSchreiben(gespeichert));
    }
}

// After a return that failed on a lock, what ETS is answered as done is kept: while the lock
// holds, an event whose writes the store refuses answers failure; once it has gone, the event
// is kept, and the failed return still is not.
TEST_F(ProgrammTest, AfterAReturnThatFailedOnALockNothingAnsweredAsDoneIsLost)
{
    std::optional<TOtherProgram> anderes(std::in_place, store);
    anderes->Sql(kZweiteZentraleSql);
    ASSERT_TRUE(StarteUndWarte("244_ID --ets-project demo.db --event 'EditParameters 1'",
                               "EditParameters result=1 finished=0"))
        << Ausgabe("stderr");
    anderes->Sql("BEGIN; SELECT count(*) FROM device;");
    ASSERT_TRUE(ZurueckZurEts("ReturnToEts keep=1 ok=0")) << Ausgabe("stdout") << Ausgabe("stderr");
    const std::string download = "DoDownload2 0 0 8 0 0 0 0 0 1";
    ASSERT_TRUE(SendeUndWarte(download, "DoDownload2 result=", 60));
    EXPECT_NE(Ausgabe("stdout").find("DoDownload2 result=0 finished=1 error=\""), std::string::npos)
        << Ausgabe("stdout");
    EXPECT_EQ(StoreBlob(8), "");
    anderes.reset();

    ASSERT_TRUE(SendeUndWarte(download, "DoDownload2 result=1 finished=1")) << Ausgabe("stdout");
    EXPECT_TRUE(SendeUndWarte("UserSvStop", "UserSvStop\n")) << Ausgabe("stdout");
    ::pclose(std::exchange(laufend, nullptr));
    EXPECT_EQ(StoreBlob(), "") << "the failed return was kept after all";
    EXPECT_NE(StoreBlob(8), "") << "the download is kept";
    EXPECT_EQ(StoreAbfrage(store, "SELECT v.value FROM device_param v JOIN parameter p ON p.id = v.parameter_id "
                                  "WHERE v.device_id = 8 AND p.name = 'DeviceId'"),
              "8\n");
}

// After a return that failed on a lock, what its box said is what happened, whatever ETS's
// next line: ETS kept nothing of the edit, the editor holds no lock of the store, and the
// next edit offers the safety copy; its return stores what the same edit stores undisturbed.
TEST_F(ProgrammTest, AReturnThatFailedOnALockKeepsNothingHoldsNoLockAndOffersItsCopy)
{
    const std::string argumente = "244_ID --ets-project demo.db --event 'EditParameters 1'";
    // The edit: ETS links object 0 of the open device to a group address and tells the editor,
    // which links the object's node.
    const std::string bearbeiten = "LinkObjToSubGroup 0 0 1 0 1";
    const auto gespeichert = [&] {
        return StoreKonfiguration(store, kDemoAlarmCentreId) + StoreParameter(store, kDemoAlarmCentreId) +
               StoreLinks(store, kDemoAlarmCentreId);
    };
    const auto gefragt = [&] { return Anzahl(Ausgabe("stderr"), "Das Programm wurde nicht ordentlich geschlossen."); };
    const auto neu = [&] {
        TearDown();
        SetUp();
        TOtherProgram ets(store);
        ets.Sql(kZweiteZentraleSql);
        ets.Sql("INSERT INTO sub_to_object (sub_group_id, device_object_id, send_flag) SELECT 1, o.id, 1 FROM "
                "device_object o JOIN comm_object c ON c.id = o.comm_object_id WHERE o.device_id = 1 AND c.number = 0");
    };
    neu();
    ASSERT_EQ(Starte(argumente, bearbeiten + "\nReturnToEts\nUserSvStop\n"), 0) << Ausgabe("stderr");
    const std::string ungestoert = gespeichert();

    const struct {
        const char* name;
        std::string danach; // ETS's line after the lock went
    } faelle[] = {{"no line", ""}, {"a download of another device", "DoDownload2 0 0 8 0 0 0 0 0 1"},
                  {"ETS's stop, then a new start", "UserSvStop"}};
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        neu();
        const std::string vorher = gespeichert();
        ASSERT_NE(vorher, ungestoert);
        const std::string geraete = StoreAbfrage(store, "SELECT count(*) FROM device");
        ASSERT_TRUE(StarteUndWarte(argumente, "EditParameters result=1 finished=0")) << Ausgabe("stderr");
        ASSERT_TRUE(SendeUndWarte(bearbeiten, "LinkObjToSubGroup result=1 finished=1"));
        std::optional<TOtherProgram> anderes(std::in_place, store);
        anderes->Sql("BEGIN; SELECT count(*) FROM device;");
        ASSERT_TRUE(ZurueckZurEts("ReturnToEts keep=1 ok=0")) << Ausgabe("stdout") << Ausgabe("stderr");
        EXPECT_EQ(StoreAbfrage(store, "SELECT count(*) FROM device"), geraete) << "the waiting editor locks others out";
        anderes.reset();
        EXPECT_EQ(StoreAbfrage(store, "SELECT count(*) FROM device"), geraete);
        if (!f.danach.empty()) {
            ASSERT_TRUE(SendeUndWarte(f.danach, f.danach == "UserSvStop" ? "UserSvStop\n" : " result=1"))
                << Ausgabe("stdout");
        }
        EXPECT_TRUE(gespeichert() == vorher) << "the failed return was kept after all";
        if (f.danach == "UserSvStop") {
            ::pclose(std::exchange(laufend, nullptr));
            ASSERT_TRUE(StarteUndWarte(argumente, "EditParameters result=1 finished=0")) << Ausgabe("stderr");
        } else {
            ASSERT_TRUE(SendeUndWarte("EditParameters 1", "EditParameters result=1 finished=0"));
        }
        EXPECT_EQ(gefragt(), 1) << "the box said the copy is offered" << Ausgabe("stderr");
        EXPECT_TRUE(ZurueckZurEts("ReturnToEts keep=1\n")) << Ausgabe("stdout") << Ausgabe("stderr");
        EXPECT_TRUE(SendeUndWarte("UserSvStop", "UserSvStop\n"));
        ::pclose(std::exchange(laufend, nullptr));
        EXPECT_TRUE(gespeichert() == ungestoert) << "the store differs from the undisturbed edit's";
        const std::string ini = Lies(ordner / "miraval.ini");
        const std::size_t liste = std::min(ini.find("NotClosed="), ini.size());
        EXPECT_EQ(ini.substr(liste, ini.find('\n', liste) - liste).find("/1"), std::string::npos)
            << "the device stays on the recovery list\n" << ini;
    }
}

// A restored safety copy puts back the edit's own changes over what ETS holds now: a link ETS
// made after the copy was written (its own row, then its line) stays, in ETS's table and in
// the configuration, beside what the edit changed.
TEST_F(ProgrammTest, ARestoredSafetyCopyKeepsWhatEtsLinkedSinceTheEditBegan)
{
    // A stop in the edit leaves the copy and what the edit began from.
    const std::string neu = "\"Flur oben [Eingang]\"";
    fs::path export_;
    ASSERT_NO_FATAL_FAILURE(KopieEinesEdits(neu, export_));
    ASSERT_TRUE(fs::exists(export_.parent_path() / "1.azb")) << "the copy does not know what the edit began from";
    // ETS links object 0 to group address 17 since.
    const std::string objekt0 = StoreAbfrage(store, "SELECT o.id FROM device_object o JOIN comm_object c ON "
                                                    "c.id = o.comm_object_id WHERE o.device_id = 1 AND c.number = 0");
    ASSERT_FALSE(objekt0.empty());
    const std::string sql = "INSERT INTO sub_to_object (sub_group_id, device_object_id, send_flag) VALUES (17, " +
                            objekt0.substr(0, objekt0.find('\n')) + ", 0)";
    TOtherProgram(store).Sql(sql.c_str());
    // The copy is offered and restored (offscreen every question answers "Ja").
    EXPECT_EQ(Starte("244_ID --ets-project demo.db --event 'LinkObjToSubGroup 0 0 1 0 17' --event 'EditParameters 1'",
                     "ReturnToEts\nUserSvStop\n"),
              0);
    EXPECT_EQ(Ausgabe("stdout"), "LinkObjToSubGroup result=1 finished=1\nEditParameters result=1 finished=0\n"
                                 "ReturnToEts keep=1\nUserSvStop\n");
    EXPECT_NE(Ausgabe("stderr").find("Import beendet"), std::string::npos) << Ausgabe("stderr");

    const std::string blob = StoreBlob();
    EXPECT_NE(blob.find(neu), std::string::npos) << "the edit is not kept";
    const std::string adresse = StoreAbfrage(store, "SELECT address FROM sub_group WHERE id = 17");
    EXPECT_NE(StoreLinks(store, kDemoAlarmCentreId).find("0|" + adresse.substr(0, adresse.find('\n')) + "|"),
              std::string::npos)
        << "ETS's table lacks the link\n" << StoreLinks(store, kDemoAlarmCentreId);
    DatenContainer::TContainerInhalt inhalt;
    ASSERT_TRUE(DatenContainer::ReadContainer(blob, "", [](const std::string&) { return true; }, inhalt));
    EXPECT_EQ(TDeviceInstanz::GetObjektLinks(inhalt.Datensaetze)[0], std::set<int32_t>{17})
        << "the configuration lacks the link";
}

// ETS's events during an edit leave its auto-save running: killed later, the editor has kept
// a safety copy of the edit, and the next start offers it.
TEST_F(ProgrammTest, TheAutoSaveOfAnEditRunsOnThroughEtsEvents)
{
    {
        std::ofstream(ordner / "miraval.ini") << "[Options]\nAutoSave=1\nAutoSaveMinuten=1\n";
    }
    TOtherProgram(store).Sql(kZweiteZentraleSql);
    const std::string argumente = "244_ID --ets-project demo.db --event 'EditParameters 1'";
    ASSERT_TRUE(StarteUndWarte(argumente + " --event 'LinkObjToSubGroup 0 0 1 0 1' --event 'CreateDevice 0 8 neu'",
                               "CreateDevice result="))
        << Ausgabe("stderr");
    const auto kopie = [&] {
        std::error_code ec;
        for (const auto& datei : fs::recursive_directory_iterator(ordner / "AZ", ec))
            if (datei.path().filename() == "1.azs")
                return true;
        return false;
    };
    for (int i = 0; i < 100 * 20 && !kopie(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    Abschiessen();
    EXPECT_TRUE(kopie()) << "no auto-save within 100 s";
    EXPECT_EQ(Starte(argumente, "UserSvStop\n"), 0);
    EXPECT_NE(Ausgabe("stderr").find("Das Programm wurde nicht ordentlich geschlossen."), std::string::npos)
        << Ausgabe("stderr");
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

// ETS's copy of a device whose stored configuration is damaged, and a download to such a
// device: refused with the one box that says why, none of the event's own on top, nothing
// stored.
TEST_F(ProgrammTest, CopyDeviceAndDownloadOfADamagedConfigurationShowOneBoxAndChangeNothing)
{
    {
        TOtherProgram anderes(store);
        anderes.Sql(kZweiteZentraleSql);
    }
    ASSERT_EQ(Starte("244_ID --ets-project demo.db --event 'ExportDevice 0 0 1'", "UserSvStop\n"), 0)
        << Ausgabe("stderr");
    // The second record line's handle made the first one's.
    std::string kaputt = StoreBlob();
    ASSERT_NE(kaputt.find("<DB>\r\n"), std::string::npos) << kaputt;
    const std::size_t erste = kaputt.find("<DB>\r\n") + 6;
    const std::size_t zweite = kaputt.find("\r\n", erste) + 2;
    kaputt = kaputt.substr(0, zweite) + kaputt.substr(erste, kaputt.find(',', erste) - erste) +
             kaputt.substr(kaputt.find(',', zweite));
    ASSERT_TRUE(StoreBlobSchreiben(kaputt));
    const struct {
        const char* ereignis;
        const char* antwort;
        const char* eigeneBox; // what the event says of a failure of its own
    } faelle[] = {
        {"CopyDevice 0 0 8 1 1", "CopyDevice result=0", "Beim kopieren des Gerätes sind Fehler aufgetreten."},
        {"DoDownload2 0 0 1 0 0 0 0 0 1", "DoDownload2 result=0", "TFormMain::OnCdiDoDownload2, SetDevice"},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.ereignis);
        EXPECT_EQ(Starte(std::string("244_ID --ets-project demo.db --event '") + f.ereignis + "'", "UserSvStop\n"), 0);
        EXPECT_NE(Ausgabe("stdout").find(f.antwort), std::string::npos) << Ausgabe("stdout");
        EXPECT_EQ(Anzahl(Ausgabe("stderr"), "Die Datei ist fehlerhaft und wurde nicht importiert."), 1)
            << Ausgabe("stderr");
        EXPECT_EQ(Ausgabe("stderr").find(f.eigeneBox), std::string::npos) << Ausgabe("stderr");
        EXPECT_EQ(StoreBlob(), kaputt);
        EXPECT_EQ(StoreBlob(8), "");
    }
}

#endif

} // namespace
