// Every ETS event through the real main window is one transaction of the store: a store that
// refuses it keeps nothing of it, answers result=0 once, shows one box and waits once.
#include "MainUmgebung.h"

#include "platform/kestrin/EtsOtherProgram.h"
#include "platform/kestrin/EtsStoreDump.h"

#include <chrono>

namespace {

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

} // namespace
