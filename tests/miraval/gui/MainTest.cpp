// The main window against a project store in a temporary folder: every ETS event through the
// event channel, the dispatcher's cases, the settings and both ways of leaving.
#include "miraval/app/Main.h"
#include "miraval/devinst/DevInstAz.h"
#include "miraval/devinst/DevInstAz_p.h"
#include "miraval/dienste/DaMo.h"
#include "miraval/dienste/IniKeys.h"
#include "miraval/dienste/IniRegistry.h"
#include "miraval/ui/CtrlTree.h"
#include "miraval/ui/DlgOptionen.h"
#include "miraval/ui/FProjektierung.h"
#include "MainUmgebung.h"
#include "DemoProject.h"
#include "dorlin/Dorlin.h"
#include "dorlin/DorlinAnzeige.h"
#include "kestrin/Ets2Cdi.h"
#include "kestrin/EtsEventChannel.h"
#include "support/ScriptedMessageBox.h"
#include "win32/Shell.h"
#include "win32/Windows.h"
#include "win32/qt/QtPlatform.h"
#include "quillon/UserMessages.h"
#include "platform/kestrin/EtsOtherProgram.h"
#include "tests/support/TestOrdner.h"

#include <QApplication>
#include <QMdiArea>
#include <QMenu>
#include <QTimer>
#include <QTreeWidgetItemIterator>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

constexpr UINT WM_CLOSE_ = 0x0010;
// A device parameter of the system node (event-memory depth and times).
constexpr int16_t kSystemParameter = 10010;

class MainTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ordner = TestOrdner("miraval-main");
        fs::remove_all(ordner);
        fs::create_directories(ordner);
        SetModuleFileNameOverride((ordner / "miraval").string());
        store = ordner / "demo.db";
        ASSERT_TRUE(BuildDemoProject(store).ok);
        dm = std::make_unique<TDM>();
        DM = dm.get();
        main = std::make_unique<TFormMain>(kDemoModuleName);
        ASSERT_TRUE(main->GetEts()->OpenProjectStore(store).ok);
        kanal = std::make_unique<TEtsEventChannel>(*main->GetEts(), antworten);
    }

    void TearDown() override
    {
        kanal.reset();
        main.reset();
        dm.reset();
        DM = nullptr;
        PumpMessages();
        SetModuleFileNameOverride("");
        fs::remove_all(ordner);
    }

    // Sends one event line and answers the channel's last answer line.
    std::string Event(const std::string& zeile)
    {
        antworten.str("");
        kanal->HandleLine(zeile);
        PumpMessages();
        std::string text = antworten.str();
        while (!text.empty() && text.back() == '\n')
            text.pop_back();
        return text;
    }

    // What the store holds, seen through a second connection.
    uint32_t BlobLaenge(int32_t deviceId)
    {
        TEts2Cdi leser(nullptr, kDemoModuleName, false);
        EXPECT_TRUE(leser.OpenProjectStore(store).ok);
        const uint8_t* puffer = nullptr;
        uint32_t laenge = 0;
        EXPECT_TRUE(leser.BlobRead(puffer, laenge, deviceId));
        return laenge;
    }

    fs::path ordner;
    fs::path store;
    TScriptedMessageBox boxen{IDOK};
    std::unique_ptr<TDM> dm;
    std::unique_ptr<TFormMain> main;
    std::ostringstream antworten;
    std::unique_ptr<TEtsEventChannel> kanal;
};

TEST_F(MainTest, EditParametersOpensTheDemoDeviceAndLeavesThePeriodOpen)
{
    EXPECT_EQ(Event("EditParameters 1"), "EditParameters result=1 finished=0");
    ASSERT_NE(main->GetAktDevInst(), nullptr);
    EXPECT_TRUE(main->isVisible());
    ASSERT_NE(FormVerw, nullptr);
    EXPECT_NE(main->GetAktDevInst()->GetDevice(), nullptr);
    EXPECT_FALSE(DM->DataChanged) << "loading is no edit";
    EXPECT_TRUE(main->GetEts()->IsEditPeriodOpen());
    EXPECT_EQ(main->GetDeviceType(), kDemoModuleName);
}

TEST_F(MainTest, VersionCheckPassesFrom_1_2_0_101)
{
    struct TFall {
        int v1, v2, v3, v4;
        bool ok;
    };
    for (const TFall& f : {TFall{1, 2, 0, 100, false}, TFall{1, 2, 0, 101, true}, TFall{1, 2, 1, 0, true},
                           TFall{1, 3, 0, 0, true}, TFall{0, 99, 9, 999, false}, TFall{2, 0, 0, 0, true}}) {
        SCOPED_TRACE(std::to_string(f.v1) + "." + std::to_string(f.v2) + "." + std::to_string(f.v3) + "." +
                     std::to_string(f.v4));
        ASSERT_TRUE(main->GetEts()
                        ->ExecuteSql("UPDATE ets_info SET version1=" + std::to_string(f.v1) + ", version2=" +
                                     std::to_string(f.v2) + ", version3=" + std::to_string(f.v3) +
                                     ", version4=" + std::to_string(f.v4))
                        .ok);
        EXPECT_EQ(main->EtsVersionCheck(), f.ok);
    }
    // A failed check answers failure; edit parameters and create also say finished.
    EXPECT_EQ(Event("EditParameters 1"), "EditParameters result=1 finished=0");
    ASSERT_TRUE(main->GetEts()->ExecuteSql("UPDATE ets_info SET version1=1, version2=1").ok);
    EXPECT_EQ(Event("CreateDevice 0 1 x"), "CreateDevice result=0 finished=1");
}

TEST_F(MainTest, CreateDeviceBuildsAndStoresOnceAndNeverOverwrites)
{
    EXPECT_EQ(Event("CreateDevice -2 1 x"), "CreateDevice result=1 finished=1");
    EXPECT_TRUE(main->GetDevices().empty());
    EXPECT_EQ(BlobLaenge(1), 0u);

    EXPECT_EQ(Event("CreateDevice 0 1 x"), "CreateDevice result=1 finished=1");
    const uint32_t laenge = BlobLaenge(1);
    EXPECT_GT(laenge, 0u);
    EXPECT_FALSE(DM->DataChanged);

    // A second creation of a device the editor knows would replace its configuration.
    EXPECT_EQ(Event("CreateDevice 0 1 x"), "CreateDevice result=0 finished=1");
    EXPECT_EQ(BlobLaenge(1), laenge);
}

TEST_F(MainTest, DeleteAnswersZeroAndTheFollowingUnlinkIsAnsweredUntouched)
{
    EXPECT_EQ(Event("CreateDevice 0 1 x"), "CreateDevice result=1 finished=1");
    EXPECT_EQ(Event("DeleteDevice 0 1"), "DeleteDevice result=0 finished=1");
    EXPECT_TRUE(main->GetDevices().empty());
    EXPECT_EQ(Event("UnlinkObjFromSubGroup 0 0 1 0 1"), "UnlinkObjFromSubGroup result=1 finished=1");
    EXPECT_TRUE(main->GetDevices().empty()) << "nothing selected for a deleted device";
    // Any other event in between forgets the deleted device.
    Event("DoDownload2 0 0 1 0 0 0 0 0 0");
    EXPECT_FALSE(main->GetDevices().empty());
}

// A download answered failed keeps nothing of its event, the configuration it made neither; one
// answered done has stored it.
TEST_F(MainTest, DownloadAnswersByFlagBitZeroAndStoresTheConfigurationWhenDone)
{
    EXPECT_EQ(Event("DoDownload2 0 0 1 0 0 0 0 0 0"), "DoDownload2 result=0 finished=1");
    EXPECT_EQ(BlobLaenge(1), 0u);
    EXPECT_EQ(Event("DoDownload2 0 0 1 0 0 0 0 0 1"), "DoDownload2 result=1 finished=1");
    EXPECT_GT(BlobLaenge(1), 0u);
}

TEST_F(MainTest, EditObjectWithAnUnknownObjectOpensNoDevice)
{
    EXPECT_EQ(Event("EditObject 0 0 999999"), "EditObject result=0 finished=1");
    EXPECT_TRUE(main->GetDevices().empty());
    EXPECT_FALSE(main->isVisible());
}

TEST_F(MainTest, LeavingKeepsOrDiscards)
{
    struct TFall {
        const char* name;
        bool verwerfen;
        bool blobBleibt;
    };
    for (const TFall& f : {TFall{"Beenden", false, true}, TFall{"Verwerfen", true, false}}) {
        SCOPED_TRACE(f.name);
        TearDown();
        SetUp();
        int32_t vorher = 0;
        ASSERT_EQ(main->GetEts()->GetDeviceParameter(1, kSystemParameter, vorher, nullptr), 0);
        EXPECT_EQ(Event("EditParameters 1"), "EditParameters result=1 finished=0");
        // A device parameter out of step with the configuration: leaving after an edit writes
        // every parameter again.
        ASSERT_EQ(main->GetEts()->SetDeviceParameter(1, kSystemParameter, 77, nullptr), 0);
        // An edit: a node asks for its record.
        TDataBasis* device = main->GetAktDevInst()->GetDevice();
        SendMessage(main->GetHandle(), UM_GetDatenSatz, MakeDatenSatzKey(device->GetParent(), device->GetSystem()),
                    device->GetHandle());
        EXPECT_TRUE(DM->DataChanged);
        antworten.str("");
        if (f.verwerfen) {
            DM->AVerwerfen->trigger();
        } else {
            // The close checks ask about the objects the demo device has not linked: leave anyway.
            TScriptedMessageBox ja{IDYES};
            DM->ABeenden->trigger();
        }
        PumpMessages();
        EXPECT_EQ(antworten.str(), f.verwerfen ? "ReturnToEts keep=0\n" : "ReturnToEts keep=1\n");
        EXPECT_EQ(BlobLaenge(1) > 0, f.blobBleibt);
        int32_t nachher = 0;
        TEts2Cdi leser(nullptr, kDemoModuleName, false);
        ASSERT_TRUE(leser.OpenProjectStore(store).ok);
        ASSERT_EQ(leser.GetDeviceParameter(1, kSystemParameter, nachher, nullptr), 0);
        if (f.verwerfen)
            EXPECT_EQ(nachher, vorher) << "the store is as it was before the period";
        else
            EXPECT_NE(nachher, 77) << "the parameters were written";
        EXPECT_EQ(main->IsClosing(), f.verwerfen) << "discard ends the program, keep hides it";
        EXPECT_FALSE(main->isVisible());
        if (!f.verwerfen) {
            EXPECT_EQ(main->GetAktDevInst(), nullptr);
            EXPECT_TRUE(main->GetDevices().empty()) << "a hidden editor forgets the device";
        }
    }
}

// What belongs to an edit follows from it on each way it goes on or ends: still open, on the
// list of devices not closed properly, the auto-save running, changed since opening.
TEST_F(MainTest, TheEditFollowsFromItsOpeningToEachWayItEnds)
{
    const struct {
        const char* name;
        std::function<void()> weg;
        bool offen, aufDerListe, autoSave, geaendert, periode;
    } faelle[] = {
        {"an ETS line for another device", [this] { Event("CreateDevice 0 2 x"); }, true, true, true, true, true},
        {"an ETS line for the device", [this] { Event("LinkObjToSubGroup 0 0 1 0 1"); }, true, true, true,
         true, true},
        {"the return kept",
         [this] {
             TScriptedMessageBox ja{IDYES};
             main->ApplCloseOrHide(false, false);
         },
         false, false, false, false, false},
        {"the return failed on a lock",
         [this] {
             TOtherProgram anderes(store);
             anderes.Sql("BEGIN; SELECT count(*) FROM device;");
             TScriptedMessageBox ja{IDYES};
             main->ApplCloseOrHide(false, false);
         },
         false, true, false, false, false},
        {"ETS deletes the device", [this] { Event("DeleteDevice 0 1"); }, false, false, false, false, false},
        // The store, and with it the period, goes with the program.
        {"ETS's stop", [this] { Event("UserSvStop"); }, false, true, false, false, true},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        TearDown();
        SetUp();
        DM->AutoSave = true;
        ASSERT_EQ(Event("EditParameters 1"), "EditParameters result=1 finished=0");
        EXPECT_FALSE(DM->DataChanged);
        EXPECT_TRUE(DM->TimerAutoSave()->isActive());
        DM->DataChanged = true;
        f.weg();
        PumpMessages();
        EXPECT_EQ(main->IsGeraetOffen(), f.offen);
        EXPECT_EQ(TIniRegistry().Read(DM->IniDatei, IniKey::NotClosed) == main->ProjektKennung() + "/1",
                  f.aufDerListe);
        EXPECT_EQ(DM->TimerAutoSave()->isActive(), f.autoSave);
        EXPECT_EQ(DM->DataChanged, f.geaendert);
        EXPECT_EQ(main->GetEts()->IsEditPeriodOpen(), f.periode);
    }
}

// A progress display that throws when a step moves it or when it is closed.
class TWerfendeAnzeige : public TDorlinAnzeige {
public:
    void Info(const std::string&, const std::string&, const std::string&, const std::string&) override {}
    bool Spracheinstellung(const TSpracheinstellungTexte&, const std::map<std::string, std::string>&, int) override
    {
        return false;
    }
    void ProgressStart(const TDlgProgressStand&) override {}
    void ProgressPosition(const TDlgProgressStand&) override
    {
        if (schrittWirft)
            throw std::runtime_error("Schritt");
    }
    void ProgressSchritte(const TDlgProgressStand&) override {}
    void ProgressStop() override { throw std::runtime_error("Abschluss"); }

    bool schrittWirft = false;
};

TEST_F(MainTest, AnExceptionWhileLeavingReachesTheCallerAfterTheWholeAlwaysStep)
{
    const struct {
        bool schrittWirft;
        const char* ausnahme; // what reaches the caller
        bool aufDerListe;     // the device stays on the list of devices not closed
    } faelle[] = {{true, "Schritt", true}, {false, "Abschluss", false}};
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.ausnahme);
        TearDown();
        SetUp();
        ASSERT_EQ(Event("EditParameters 1"), "EditParameters result=1 finished=0");
        ASSERT_TRUE(DM->TimerAutoSave()->isActive());
        main->GetTimerTimeoutClose()->stop();
        TWerfendeAnzeige anzeige;
        anzeige.schrittWirft = f.schrittWirft;
        TDorlinAnzeige* vorher = SetDorlinAnzeige(&anzeige);
        std::string ausnahme;
        try {
            main->ApplCloseOrHide(false, false);
        } catch (const std::runtime_error& e) {
            ausnahme = e.what();
        }
        SetDorlinAnzeige(vorher);
        EXPECT_EQ(ausnahme, f.ausnahme);
        EXPECT_FALSE(DM->TimerAutoSave()->isActive());
        EXPECT_FALSE(IsDlgProgressOpen());
        EXPECT_TRUE(main->GetTimerTimeoutClose()->isActive());
        EXPECT_EQ(TIniRegistry().Read(DM->IniDatei, IniKey::NotClosed),
                  f.aufDerListe ? main->ProjektKennung() + "/1" : "");
    }
}

TEST_F(MainTest, WindowCloseWithoutDeviceOnlyHides)
{
    main->show();
    EXPECT_EQ(SendMessage(main->GetHandle(), WM_CLOSE_, 0, 0), 1);
    EXPECT_FALSE(main->isVisible());
    EXPECT_FALSE(main->IsClosing());
    EXPECT_EQ(antworten.str(), "");
}

TEST_F(MainTest, StopEndsTheProgram)
{
    EXPECT_EQ(Event("UserSvStop"), "UserSvStop");
    EXPECT_TRUE(main->IsClosing());
}

TEST_F(MainTest, InstanceMessagesWithoutInstanceAnswerZero)
{
    for (UINT msg : {UM_GetDataPointer, UM_GetDatenSatz, UM_DeleteNextDatenSatz, UM_GetEibHandle, UM_UserDeviceMessage,
                     UM_GetGrpAdrNr, UM_GetGrpAdrNrAsZahl, UM_GrpAdrSendendEin, UM_ObjektFlag, UM_LinkToSubGroup,
                     UM_UnLinkFromSubGroup, UM_UserObjectMessage, UM_GetDatenSatzByHandle, UM_GetEtsDeviceParam,
                     UM_ProcessDeviceMessage, UM_LinkToInternGroup, UM_IsGrpAdrAvailable}) {
        SCOPED_TRACE(msg - WM_USER);
        EXPECT_EQ(SendMessage(main->GetHandle(), msg, 1, 1), 0);
    }
    EXPECT_FALSE(DM->DataChanged);
}

TEST_F(MainTest, ProjectWindowListFollowsItsWindows)
{
    auto* erstes = new TFormVerw(main.get());
    auto* zweites = new TFormVerw(main.get());
    PumpMessages();
    ASSERT_EQ(main->GetFormVerwListe().size(), 2u);
    SendMessage(main->GetHandle(), UM_ActivateFormVerw, 0, reinterpret_cast<LPARAM>(zweites));
    EXPECT_EQ(FormVerw, zweites);
    delete zweites;
    EXPECT_EQ(FormVerw, erstes) << "the remaining window becomes current";
    delete erstes;
    EXPECT_EQ(FormVerw, nullptr);
    EXPECT_TRUE(main->GetFormVerwListe().empty());

    // A window that is gone before its posted registration arrives is not listed.
    auto* kurz = new TFormVerw(main.get());
    delete kurz;
    PumpMessages();
    EXPECT_TRUE(main->GetFormVerwListe().empty());
}

TEST_F(MainTest, WindowMenuListsTheProjectWindowsAndActivatesTheChosenOne)
{
    main->show();
    std::vector<TFormVerw*> fenster{new TFormVerw(main.get()), new TFormVerw(main.get())};
    for (TFormVerw* f : fenster)
        f->show();
    main->GetMdiArea()->setActiveSubWindow(fenster[0]);
    QMenu* menue = main->GetMenuFenster();
    const auto liste = [&] {
        emit menue->aboutToShow();
        std::vector<QAction*> eintraege;
        for (QAction* a : menue->actions())
            if (a->property("Fensterliste").toBool() && !a->isSeparator())
                eintraege.push_back(a);
        return eintraege;
    };
    auto eintraege = liste();
    ASSERT_EQ(eintraege.size(), 2u);
    for (std::size_t i = 0; i < eintraege.size(); ++i) {
        EXPECT_EQ(eintraege[i]->text(), QStringLiteral("&%1 ").arg(i + 1) + fenster[i]->windowTitle());
        EXPECT_EQ(eintraege[i]->isChecked(), i == 0);
    }
    eintraege[1]->trigger();
    EXPECT_EQ(main->GetMdiArea()->activeSubWindow(), fenster[1]);
    eintraege = liste();
    ASSERT_EQ(eintraege.size(), 2u) << "built anew each time";
    EXPECT_TRUE(eintraege[1]->isChecked());
    for (TFormVerw* f : fenster)
        delete f;
}

TEST_F(MainTest, TheOptionsDialogAndItsBoxesBelongToTheWindowThatOpenedThem)
{
    main->show();
    ASSERT_TRUE(main->GetEts()
                    ->ExecuteSql("INSERT OR REPLACE INTO ets_profile (section, key, value) VALUES "
                                 "('Compiler', 'UserFirmwareVersion', 'x'), ('Default', 'BcuFirmwareVersion', 'x');")
                    .ok);
    std::vector<QWidget*> besitzer;
    auto vorher = SetMessageBoxHook([&](HWND owner, const std::string&, const std::string&, UINT) {
        besitzer.push_back(WindowWidget(owner));
        return IDOK;
    });
    QWidget* eltern = nullptr;
    QWidget* dialog = nullptr;
    QTimer::singleShot(0, [&] {
        auto* d = dynamic_cast<TDlgOptionen*>(QApplication::activeModalWidget());
        if (d == nullptr)
            return;
        dialog = d;
        eltern = d->parentWidget();
        d->ButtonDefaultClick();
        d->BitBtn2Click();
    });
    DM->AOption->trigger();
    SetMessageBoxHook(std::move(vorher));

    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(eltern, main.get());
    EXPECT_EQ(besitzer, (std::vector<QWidget*>{main.get(), main.get(), dialog, dialog}))
        << "the reads at opening belong to the main window, the dialog's own to the dialog";
}

TEST_F(MainTest, CancelMessageStopsTheProgressButNotTheDetectorRun)
{
    ::StartDlgProgress(main->GetHandle(), "t", "x", 0, 6);
    SendMessage(main->GetHandle(), UM_Abbrechen, 0, 3);
    EXPECT_TRUE(IsDlgProgressOpen());
    SendMessage(main->GetHandle(), UM_Abbrechen, 0, 1);
    EXPECT_FALSE(IsDlgProgressOpen());
}

TEST_F(MainTest, SettingsAreReadWithTheirRulesAndWrittenBack)
{
    const std::string ini = DM->IniDatei;
    TIniRegistry reg;
    ASSERT_TRUE(reg.Write(ini, IniKey::TabelAutoCellActivateRowNumber, -5));
    ASSERT_TRUE(reg.Write(ini, IniKey::ToolAccess, true));
    ASSERT_TRUE(reg.WriteString(ini, IniSection::Tools, IniKey::ToolName(0), "Rechner"));
    ASSERT_TRUE(reg.WriteString(ini, IniSection::Tools, IniKey::ToolName(1), "Editor"));
    main->GetRegData();
    EXPECT_EQ(DM->TableAutoCellActivateRow, 0);
    EXPECT_TRUE(reg.ValueExists(ini, IniSection::Debug, "LogStart")) << "trace settings written back";
    EXPECT_EQ(main->GetMenuTool()->actions().size(), 2);

    // Minimised is stored as normal; the Tools template is written only where none is.
    main->setWindowState(Qt::WindowMinimized);
    main->SetRegData();
    EXPECT_EQ(reg.Read(ini, IniKey::MainState), 0);
    std::string name;
    reg.ReadString(ini, IniSection::Tools, IniKey::ToolName(0), name, "");
    EXPECT_EQ(name, "Rechner");
}

TEST_F(MainTest, FreshSettingsGetTheToolsTemplate)
{
    main->SetRegData();
    TIniRegistry reg;
    EXPECT_TRUE(reg.ValueExists(DM->IniDatei, IniSection::Tools, IniKey::ToolFile(0)));
    EXPECT_TRUE(reg.ValueExists(DM->IniDatei, IniKey::ToolAccess.Section, IniKey::ToolAccess.Key));
    EXPECT_FALSE(reg.Read(DM->IniDatei, IniKey::ToolAccess));
}

TEST_F(MainTest, UnreadableEtsInfoIsShownAndTheLevelsDefault)
{
    main->GetEts()->CloseProjectStore();
    main->GetEtsRegData();
    ASSERT_EQ(boxen.Count(), 1u);
    EXPECT_EQ(boxen.Shown()[0].text, "Can't read EtsInfo\n\nTFormMain::GetEtsRegData\nFile: Main\nLine: 156");
    EXPECT_EQ(DM->GrpAdrLevel, 3);
}

TEST_F(MainTest, StatusBarShowsObjectCountOnlyWithAMaximum)
{
    main->UpdateObjektAnzahl(5, 0);
    EXPECT_EQ(main->GetStatusText(2), "");
    main->UpdateObjektAnzahl(5, 20);
    EXPECT_EQ(main->GetStatusText(2), "5/20");
}

TEST_F(MainTest, ANewDetectorsObjectsShowTheirImagesAtOnce)
{
    ASSERT_EQ(Event("EditParameters 1"), "EditParameters result=1 finished=0");
    MelderHinzufuegen(*main, true);

    int objekte = 0;
    for (QTreeWidgetItemIterator it(FormVerw->GetTree()); *it != nullptr; ++it) {
        TDataBasis* data = TCtrlTree::Data(*it);
        ASSERT_NE(data, nullptr);
        objekte += data->GetTyp() == 806 ? 1 : 0;
        EXPECT_EQ(TCtrlTree::ImageIndex(*it), data->GetIcon()) << (*it)->text(0).toStdString();
    }
    EXPECT_GT(objekte, 0);
}

} // namespace
