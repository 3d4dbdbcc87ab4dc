// ETS events while the demo alarm centre is being edited, read as the program reads them (the
// event reader on a pipe): each line of the protocol's table with the device open and a
// detector added but not yet returned, and once more while the dialog of adding detectors is
// up. No window may keep an item of a freed node, the device being edited keeps what was not
// yet returned (in its windows and in what the return stores), and a line that arrives under
// a dialog waits until it has closed.
#include "miraval/app/EtsEingabe.h"
#include "miraval/ui/CtrlTree.h"
#include "miraval/ui/DlgLinkToGrpAdr.h"
#include "miraval/ui/DlgMelderHinzufuegen.h"
#include "miraval/ui/FProjektierung.h"
#include "MainUmgebung.h"
#include "quillon/EtsObjekt.h"
#include "quillon/OrdnerGrpAdr.h"
#include "quillon/VireoGrpAdrMain.h"
#include "quillon/VireoGrpAdrMiddle.h"
#include "quillon/VireoGrpAdrSub.h"
#include "support/Zeilenname.h"
#include "tessarin/AzSystem.h"
#include "tests/support/StoreAbfrage.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QTreeWidgetItemIterator>

#include <functional>
#include <set>

#include <sqlite3.h>

namespace {

struct TEreignis {
    const char* name;
    const char* zeile;   // {objekt}: the device-object id of the open device's object 0
    const char* vorher;  // a line sent before the device is opened, or nullptr
    enum { Bleibt, Ersetzt, Geloescht, Beendet } offen; // what becomes of the open device
    // The event refreshes the open device's group addresses from ETS, which writes every
    // object's record again with the limit of group addresses it holds: the same edit with the
    // event before it is refreshed as well before it returns.
    bool gleichtAb = false;
};

void PrintTo(const TEreignis& e, std::ostream* os)
{
    *os << e.zeile;
}

class EtsEreignisBeimBearbeiten : public TMainUmgebung, public ::testing::WithParamInterface<TEreignis> {
protected:
    void SetUp() override
    {
        TMainUmgebung::SetUp();
        ASSERT_EQ(::pipe(rohr), 0);
        main->DateiDialogAusfuehren = [](QFileDialog&) { return false; };
        eingabe = std::make_unique<TEtsEingabe>(*kanal, *main, rohr[0], eigene);
        eingabe->Start();
    }
    void TearDown() override
    {
        eingabe.reset();
        ::close(rohr[0]);
        ::close(rohr[1]);
        const std::filesystem::path oben = ordner.parent_path();
        TMainUmgebung::TearDown();
        // A parameterised test's name holds a slash: its folder lies one level deeper.
        std::error_code fehler;
        if (oben != std::filesystem::temp_directory_path())
            std::filesystem::remove(oben, fehler);
    }

    void Schreiben(std::string zeile)
    {
        zeile += '\n';
        ASSERT_EQ(::write(rohr[1], zeile.data(), zeile.size()), static_cast<ssize_t>(zeile.size()));
    }

    // Sends the line and waits for its answer.
    std::string Senden(const std::string& zeile)
    {
        antworten.str("");
        Schreiben(zeile);
        EXPECT_TRUE(QTest::qWaitFor([this] { return !antworten.str().empty(); }, 20000)) << zeile;
        return antworten.str();
    }

    std::string Zeile(TDeviceInstanzAz& inst) const
    {
        std::string zeile = GetParam().zeile;
        if (const auto stelle = zeile.find("{objekt}"); stelle != std::string::npos) {
            auto* objekt = dynamic_cast<TEtsObjekt*>(inst.GetObjectFromObjectNr(0));
            zeile.replace(stelle, 8, std::to_string(objekt != nullptr ? objekt->GetDeviceObjectId() : 0));
        }
        return zeile;
    }

    // Opens the demo alarm centre after the row's first line; its instance.
    TDeviceInstanzAz* Oeffnen()
    {
        if (GetParam().vorher != nullptr)
            Senden(GetParam().vorher);
        EXPECT_EQ(Senden("EditParameters 1"), "EditParameters result=1 finished=0\n");
        return main->GetAktDevInst();
    }

    // Every item of every project window names a live node of the instance the window shows.
    void BaeumeZeigenLebendeKnoten()
    {
        for (TFormVerw* fenster : main->GetFormVerwListe()) {
            std::set<const TDataBasis*> lebend{nullptr};
            if (const TDeviceInstanz* inst = fenster->GetDeviceInstanz()) {
                for (const auto& [handle, knoten] : inst->GetKnoten())
                    lebend.insert(knoten.get());
                lebend.insert(inst->GetGrpAdrOrdner());
                for (const auto& [id, knoten] : inst->GetMainGroupMap())
                    lebend.insert(knoten.get());
                for (const auto& [id, knoten] : inst->GetMiddleGroupMap())
                    lebend.insert(knoten.get());
                for (const auto& [id, knoten] : inst->GetSubGroupMap())
                    lebend.insert(knoten.get());
            }
            int fremde = 0;
            for (QTreeWidgetItemIterator it(fenster->GetTree()); *it != nullptr; ++it)
                fremde += lebend.count(TCtrlTree::Data(*it)) == 0 ? 1 : 0;
            EXPECT_EQ(fremde, 0) << "items of freed or foreign nodes";
        }
    }

    // The status bar's panels, one text.
    std::string Statusleiste() const
    {
        std::string text;
        for (int i = 0; i < 5; ++i)
            text += main->GetStatusText(i) + "|";
        return text;
    }

    // What ETS keeps of the demo alarm centre after a return to ETS.
    struct TGespeichert {
        std::string parameter;
        std::string links;
        std::string konfiguration;
    };
    TGespeichert ZurueckZurEts()
    {
        TScriptedMessageBox ja{IDYES};
        DM->ABeenden->trigger();
        PumpMessages();
        EXPECT_FALSE(main->isVisible()) << "the return did not happen";
        return {StoreParameter(store, 1), StoreLinks(store, 1), Blob(1)};
    }

    // Puts the whole project store back as it was at Sichern (the editor holds no editing
    // period then).
    void Sichern() { Kopieren(store, ordner / "vorher.db"); }
    void Zuruecksetzen() { Kopieren(ordner / "vorher.db", store); }
    static void Kopieren(const std::filesystem::path& von, const std::filesystem::path& nach)
    {
        sqlite3* quelle = nullptr;
        sqlite3* ziel = nullptr;
        ASSERT_EQ(sqlite3_open(von.c_str(), &quelle), SQLITE_OK);
        ASSERT_EQ(sqlite3_open(nach.c_str(), &ziel), SQLITE_OK);
        sqlite3_backup* kopie = sqlite3_backup_init(ziel, "main", quelle, "main");
        ASSERT_NE(kopie, nullptr) << sqlite3_errmsg(ziel);
        EXPECT_EQ(sqlite3_backup_step(kopie, -1), SQLITE_DONE);
        sqlite3_backup_finish(kopie);
        sqlite3_close(quelle);
        sqlite3_close(ziel);
    }

    // What the row's event left of the device being edited.
    void PruefeOffen(TDeviceInstanzAz* inst, int eingaenge)
    {
        BaeumeZeigenLebendeKnoten();
        // The auto-save of the edit's safety copy runs while the device is open, and only then.
        EXPECT_EQ(DM->TimerAutoSave()->isActive(), main->IsGeraetOffen()) << "the auto-save does not follow the edit";
        switch (GetParam().offen) {
        case TEreignis::Bleibt:
            EXPECT_TRUE(main->isVisible());
            EXPECT_EQ(main->GetAktDevInst(), inst);
            EXPECT_EQ(FormVerw->GetDeviceInstanz(), inst);
            EXPECT_EQ(inst->GetAnzahlEingaenge(), eingaenge) << "an edit not yet returned was lost";
            break;
        case TEreignis::Ersetzt:
            EXPECT_TRUE(main->isVisible());
            EXPECT_EQ(main->GetAktDevInst(), inst);
            EXPECT_EQ(FormVerw->GetDeviceInstanz(), inst);
            break;
        case TEreignis::Geloescht:
            EXPECT_FALSE(main->isVisible()) << "the window stays up without its device";
            EXPECT_EQ(main->GetDevices().count(1), 0u);
            EXPECT_NE(antworten.str().find("ReturnToEts keep=1\n"), std::string::npos) << antworten.str();
            break;
        case TEreignis::Beendet:
            EXPECT_TRUE(main->IsClosing());
            break;
        }
    }

    int rohr[2] = {-1, -1};
    std::ostringstream eigene;
    std::unique_ptr<TEtsEingabe> eingabe;
};

// The device being edited stays whole, and its return stores what the same edit stores with
// the event before it (on the project as it was before).
TEST_P(EtsEreignisBeimBearbeiten, LeavesTheOpenDeviceWhole)
{
    Sichern();
    TDeviceInstanzAz* inst = Oeffnen();
    ASSERT_NE(inst, nullptr);
    MelderHinzufuegen(*main, true);
    const int eingaenge = inst->GetAnzahlEingaenge();
    const std::string status = Statusleiste();
    const std::string zeile = Zeile(*inst);
    EXPECT_NE(Senden(zeile).find(zeile.substr(0, zeile.find(' '))), std::string::npos);
    PruefeOffen(inst, eingaenge);
    if (GetParam().offen != TEreignis::Bleibt)
        return;
    EXPECT_EQ(Statusleiste(), status) << "the open device's count";
    const TGespeichert mit = ZurueckZurEts();

    Zuruecksetzen();
    inst = Oeffnen();
    ASSERT_NE(inst, nullptr);
    Senden(Zeile(*inst));
    MelderHinzufuegen(*main, true);
    if (GetParam().gleichtAb)
        inst->UpdateGroupAddressFromId();
    const TGespeichert vorher = ZurueckZurEts();
    EXPECT_EQ(mit.parameter, vorher.parameter);
    EXPECT_EQ(mit.links, vorher.links);
    EXPECT_TRUE(mit.konfiguration == vorher.konfiguration)
        << "the stored configuration differs: " << mit.konfiguration.size() << " bytes, not "
        << vorher.konfiguration.size();
}

TEST_P(EtsEreignisBeimBearbeiten, WaitsForTheDialogOfAddingDetectors)
{
    TDeviceInstanzAz* inst = Oeffnen();
    ASSERT_NE(inst, nullptr);
    TDataBasis* bereich = nullptr;
    for (const auto& [handle, knoten] : inst->GetKnoten())
        if (bereich == nullptr && knoten->GetTyp() == AzTyp::SicherungsBereich1)
            bereich = knoten.get();
    ASSERT_TRUE(FormVerw->SelectNode(bereich));
    const int eingaenge = inst->GetAnzahlEingaenge() + 3;
    const std::string zeile = Zeile(*inst);
    antworten.str("");
    std::string unterDemDialog = "(no dialog)";
    QTimer::singleShot(0, [&] {
        auto* dialog = dynamic_cast<TDlgMelderHinzufuegen*>(QApplication::activeModalWidget());
        if (dialog == nullptr)
            return;
        Schreiben(zeile);
        QTest::qWait(300);
        unterDemDialog = antworten.str();
        dialog->SpinEditAnzahlMelder->setValue(3);
        dialog->BtnOk->click();
    });
    DM->AMelderHinzufuegen->trigger();
    EXPECT_EQ(unterDemDialog, "") << "handled under the dialog";
    EXPECT_TRUE(QTest::qWaitFor([this] { return !antworten.str().empty() && !eingabe->Wartet(); }, 20000));
    EXPECT_NE(antworten.str().find(zeile.substr(0, zeile.find(' '))), std::string::npos) << antworten.str();
    PruefeOffen(inst, eingaenge);
}

// Each line of the protocol's table; device 8 is a second alarm centre whose "DeviceId" names
// device 1, so its import takes device 1's export.
INSTANTIATE_TEST_SUITE_P(
    Tabelle, EtsEreignisBeimBearbeiten,
    ::testing::Values(
        TEreignis{"EditParameters", "EditParameters 1", nullptr, TEreignis::Bleibt},
        TEreignis{"CreateDevice", "CreateDevice 0 8 neu", nullptr, TEreignis::Bleibt},
        TEreignis{"DeleteDevice", "DeleteDevice 0 1", nullptr, TEreignis::Geloescht},
        TEreignis{"DownloadOfTheOpenDevice", "DoDownload2 0 0 1 0 0 0 0 0 1", nullptr, TEreignis::Bleibt, true},
        TEreignis{"DownloadOfAnother", "DoDownload2 0 0 8 0 0 0 0 0 1", nullptr, TEreignis::Bleibt},
        TEreignis{"Link", "LinkObjToSubGroup 0 0 1 0 1", nullptr, TEreignis::Bleibt},
        TEreignis{"Unlink", "UnlinkObjFromSubGroup 0 0 1 0 1", nullptr, TEreignis::Bleibt},
        TEreignis{"EditObject", "EditObject 0 0 {objekt}", nullptr, TEreignis::Bleibt},
        TEreignis{"Export", "ExportDevice 0 0 1", nullptr, TEreignis::Bleibt, true},
        TEreignis{"ImportIntoTheOpenDevice", "ImportDevice 0 0 1", "ExportDevice 0 0 1", TEreignis::Ersetzt},
        TEreignis{"ImportIntoAnother", "ImportDevice 0 0 8", "ExportDevice 0 0 1", TEreignis::Bleibt},
        TEreignis{"CopyToAnother", "CopyDevice 0 0 8 1 1", nullptr, TEreignis::Bleibt},
        TEreignis{"RefusedCopyToAnother", "CopyDevice 0 0 8 1 0", nullptr, TEreignis::Bleibt}, // no ETS copy
        TEreignis{"CopyOntoTheOpenDevice", "CopyDevice 0 0 1 1 1", nullptr, TEreignis::Ersetzt},
        TEreignis{"UserSvStop", "UserSvStop", nullptr, TEreignis::Beendet}),
    TZeilenName());

// The return to ETS from standard input is refused under a modal window, and nothing returns.
using ReturnToEtsZeile = EtsEreignisBeimBearbeiten;

TEST_F(ReturnToEtsZeile, IsRefusedWhileAModalWindowIsUp)
{
    ASSERT_EQ(Senden("EditParameters 1"), "EditParameters result=1 finished=0\n");
    antworten.str("");
    QTimer::singleShot(0, [&] {
        auto* dialog = dynamic_cast<TDlgMelderHinzufuegen*>(QApplication::activeModalWidget());
        if (dialog == nullptr)
            return;
        Schreiben("ReturnToEts");
        EXPECT_TRUE(QTest::qWaitFor([this] { return !eigene.str().empty(); }, 5000));
        dialog->BtnAbbrechen->click();
    });
    int32_t anzahl = 0;
    main->DlgMelderHinzufuegen("t", anzahl, 10);
    PumpMessages();
    EXPECT_EQ(eigene.str(), "error: a modal window is open: ReturnToEts\n");
    EXPECT_EQ(antworten.str(), "");
    EXPECT_TRUE(main->isVisible());
}

// The variant and the link dialog keep a line as the dialog of adding detectors does: the
// device is deleted only once the dialog has closed and the node that opened it is done.
using DialogBeimBearbeiten = EtsEreignisBeimBearbeiten;

TEST_F(DialogBeimBearbeiten, TheVariantAndTheLinkDialogKeepALineUntilTheyClose)
{
    const struct {
        const char* name;
        std::function<void(TDeviceInstanzAz&)> oeffnen; // as the person's click does
        std::function<void(QDialog&)> schliessen;
    } dialoge[] = {
        {"variant",
         [](TDeviceInstanzAz& inst) {
             auto* system = dynamic_cast<TAzSystem*>(inst.GetDevice());
             ASSERT_NE(system, nullptr);
             TCell zelle;
             zelle.RowNr = TAzSystem::kRowVariante;
             system->GridEllipseClick(nullptr, zelle, 1, TAzSystem::kRowVariante);
         },
         [](QDialog& dialog) { dialog.reject(); }},
        {"link",
         [](TDeviceInstanzAz& inst) {
             // The alarm reset's object, linked to no group address yet.
             ASSERT_TRUE(FormVerw->SelectNode(inst.GetObjectFromObjectNr(225)));
             DM->ALinkToGrpAdr->trigger();
         },
         [](QDialog& dialog) {
             auto* link = dynamic_cast<TDlgLinkToGrpAdr*>(&dialog);
             ASSERT_NE(link, nullptr);
             link->EditGrpAdrName->setText(QStringLiteral("Reset"));
             link->BtnOk->click();
         }},
    };
    for (const auto& d : dialoge) {
        SCOPED_TRACE(d.name);
        ASSERT_EQ(Senden("EditParameters 1"), "EditParameters result=1 finished=0\n");
        antworten.str("");
        std::string unterDemDialog = "(no dialog)";
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr)
                return;
            Schreiben("DeleteDevice 0 1");
            QTest::qWait(300);
            unterDemDialog = antworten.str();
            d.schliessen(*dialog);
        });
        d.oeffnen(*main->GetAktDevInst());
        EXPECT_EQ(unterDemDialog, "") << "handled under the dialog";
        EXPECT_TRUE(QTest::qWaitFor(
            [this] { return antworten.str().find("DeleteDevice result=0 finished=1") != std::string::npos; }, 20000))
            << antworten.str();
        EXPECT_FALSE(main->isVisible());
    }
}

// A close question answered "Nein" keeps the editor open, and the host is told so.
TEST_F(ReturnToEtsZeile, SaysSoWhenACloseQuestionKeepsTheEditorOpen)
{
    ASSERT_EQ(Senden("EditParameters 1"), "EditParameters result=1 finished=0\n");
    boxen.Script(IDNO);
    antworten.str("");
    Schreiben("ReturnToEts");
    EXPECT_TRUE(QTest::qWaitFor([this] { return !eigene.str().empty(); }, 20000));
    EXPECT_EQ(eigene.str(), "ReturnToEts cancelled\n");
    EXPECT_EQ(antworten.str(), "");
    EXPECT_TRUE(main->IsGeraetOffen());
}

} // namespace
