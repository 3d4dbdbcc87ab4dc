// Every ETS event through the real main window is one transaction of the store: a store that
// refuses it keeps nothing of it, answers result=0 once, shows one box and waits once.
#include "MainUmgebung.h"

#include "platform/kestrin/EtsOtherProgram.h"
#include "platform/kestrin/EtsStoreDump.h"
#include "platform/kestrin/EtsStoreFaults.h"

#include <chrono>

namespace {

namespace fs = std::filesystem;

class EreignisTransaktion : public TMainUmgebung {
protected:
    void SetUp() override
    {
        TMainUmgebung::SetUp();
        main->GetEts()->SetBusyTimeout(300);
    }
    // The project as another program reads it (the profile is no project data).
    std::string Projekt() const
    {
        return DumpStore(store, {"device", "device_param", "device_object", "sub_to_object", "sub_group",
                                 "device_blob"});
    }
};

// A new alarm centre created, or downloaded without a configuration, while another program
// reads the store: nothing of it is stored, one box names the lock, the answer is result=0
// after one wait; once the program lets go, the same line stores the device whole.
TEST_F(EreignisTransaktion, AnEventTheStoreRefusesKeepsNothingAndSaysSoOnce)
{
    for (const std::string zeile : {"CreateDevice 0 8 Neu", "DoDownload2 0 0 8 0 0 0 0 0 1"}) {
        SCOPED_TRACE(zeile);
        const std::string name = zeile.substr(0, zeile.find(' '));
        const std::string vorher = Projekt();
        const std::size_t boxenVorher = boxen.Count();
        {
            TOtherProgram anderes(store);
            anderes.Sql("BEGIN; SELECT count(*) FROM device;");
            const auto start = std::chrono::steady_clock::now();
            const std::string antwort = Event(zeile);
            EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 2.0);
            EXPECT_EQ(antwort.rfind(name + " result=0 finished=1 error=", 0), 0u) << antwort;
            EXPECT_NE(antwort.find("is locked by another program"), std::string::npos) << antwort;
            ASSERT_EQ(boxen.Count(), boxenVorher + 1) << "one box";
            EXPECT_NE(boxen.Shown().back().text.find("gesperrt"), std::string::npos) << boxen.Shown().back().text;
            EXPECT_NE(boxen.Shown().back().text.find(name), std::string::npos);
        }
        EXPECT_EQ(Projekt(), vorher) << "nothing of the event is stored";
        EXPECT_EQ(main->GetDevices().count(kZweite), 0u) << "the instance the event made is forgotten";
        EXPECT_EQ(Event(zeile), name + " result=1 finished=1");
        EXPECT_GT(Blob(kZweite).size(), 0u);
        EXPECT_EQ(Event("DeleteDevice 0 8"), "DeleteDevice result=0 finished=1");
        ASSERT_TRUE(main->GetEts()->ExecuteSql("DELETE FROM device_blob WHERE device_id = 8").ok);
    }
}

// Link, unlink and download answer result=0 when the configuration cannot be saved, and keep
// nothing of it.
TEST_F(EreignisTransaktion, LinkUnlinkAndDownloadAnswerFailedWhenTheirSaveFails)
{
    ASSERT_EQ(Event("DoDownload2 0 0 1 0 0 0 0 0 1"), "DoDownload2 result=1 finished=1");
    for (const char* zeile : {"LinkObjToSubGroup 0 0 1 0 1", "UnlinkObjFromSubGroup 0 0 1 0 1",
                              "DoDownload2 0 0 1 0 0 0 0 0 1"}) {
        SCOPED_TRACE(zeile);
        const std::string vorher = Projekt();
        // The store refuses every configuration the editor writes.
        ASSERT_TRUE(main->GetEts()
                        ->ExecuteSql("CREATE TEMP TRIGGER kein_blob BEFORE INSERT ON main.device_blob "
                                     "BEGIN SELECT RAISE(ABORT, 'refused'); END")
                        .ok);
        const std::string antwort = Event(zeile);
        ASSERT_TRUE(main->GetEts()->ExecuteSql("DROP TRIGGER temp.kein_blob").ok);
        EXPECT_EQ(antwort.rfind(std::string(zeile).substr(0, std::string(zeile).find(' ')) + " result=0", 0), 0u)
            << antwort;
        EXPECT_EQ(Projekt(), vorher);
    }
}

// The disk of the store fills up during an edit: the return fails, and the person reads why
// once, as a full disk, not as a save error and then a second commit that SQLite refuses.
TEST_F(EreignisTransaktion, AFullDiskIsNamedOnceAtTheReturn)
{
    TKleinerDatentraeger platte(ordner / "klein", fs::file_size(store) / 1024 + 1024);
    if (!platte.Fehler().empty())
        GTEST_SKIP() << "no small file system of its own here (" << platte.Fehler() << "): run as root";
    const fs::path klein = platte.Folder() / "demo.db";
    fs::copy_file(store, klein);
    store = klein;
    ASSERT_TRUE(main->GetEts()->OpenProjectStore(store).ok);
    // A small page cache: the return's saving writes to the files before the commit.
    ASSERT_TRUE(main->GetEts()->ExecuteSql("PRAGMA cache_size = 1").ok);
    const std::string vorherBlob = Blob(1);
    ASSERT_EQ(Event("EditParameters 1"), "EditParameters result=1 finished=0");
    MelderHinzufuegen(*main, false);
    platte.Fill();
    Event("LinkObjToSubGroup 0 0 1 0 1");
    const std::size_t vorher = boxen.Count();
    {
        TScriptedMessageBox ja{IDYES};
        main->ApplCloseOrHide(false, false);
        std::vector<std::string> gezeigt;
        for (const TShownBox& box : ja.Shown())
            if ((box.flags & MB_TYPEMASK) == MB_OK)
                gezeigt.push_back(box.caption + ": " + box.text);
        ASSERT_EQ(gezeigt.size(), 1u) << ::testing::PrintToString(gezeigt);
        EXPECT_NE(gezeigt[0].find("Der Datenträger der Projektdatenbank ist voll."), std::string::npos) << gezeigt[0];
        EXPECT_EQ(gezeigt[0].find("no transaction is active"), std::string::npos) << gezeigt[0];
    }
    EXPECT_EQ(boxen.Count(), vorher);
    EXPECT_FALSE(main->GetEts()->IsEditPeriodOpen());
    fs::remove(platte.Folder() / "voll");
    EXPECT_EQ(Blob(1), vorherBlob) << "nothing of the edit is kept";
    main->GetEts()->CloseProjectStore();
}

} // namespace
