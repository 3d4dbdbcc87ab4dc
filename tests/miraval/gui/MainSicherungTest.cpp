// The safety copy and the recovery after an unclean end, and templates between two devices.
#include "MainUmgebung.h"

#include "miraval/devinst/DatenContainer.h"
#include "miraval/dienste/DateiZugriff.h"
#include "miraval/dienste/IniKeys.h"
#include "miraval/dienste/IniRegistry.h"
#include "miraval/dienste/Spredit.h"
#include "miraval/ui/CtrlTree.h"
#include "miraval/ui/FProjektierung.h"

#include <QAction>
#include <QDateTime>
#include <QFile>
#include <QLocale>
#include <QTimer>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

namespace fs = std::filesystem;

namespace {

class MainSicherung : public TMainUmgebung {
protected:
    // Every tree unlocked with sorting on, the auto-save timer running.
    void ErwarteFreigegeben()
    {
        EXPECT_TRUE(DM->TimerAutoSave()->isActive());
        for (TFormVerw* fenster : main->GetFormVerwListe()) {
            EXPECT_EQ(fenster->GetCtrlTree().UpdateDepth(), 0);
            EXPECT_TRUE(fenster->GetCtrlTree().IsSorting());
        }
    }

    // The last box shown begins with the text.
    static void ErwarteMeldung(const TScriptedMessageBox& boxen, const std::string& anfang)
    {
        ASSERT_GT(boxen.Count(), 0u);
        EXPECT_EQ(boxen.Shown().back().text.rfind(anfang, 0), 0u) << boxen.Shown().back().text;
    }
};

TEST_F(MainSicherung, SafetyCopyOnTheTimerAndOnLeaveOrItsMessageWithTheOldFileKept)
{
    OeffneUndBearbeite();
    DM->TimerAutoSaveTimer();
    EXPECT_EQ(Lesen(Sicherung()), Container(*main->GetAktDevInst()));
    DM->TimerAutoSaveTimer();
    // The copy and, beside it, what the edit began from.
    EXPECT_EQ(std::distance(fs::directory_iterator(Sicherung().parent_path()), {}), 2) << "no temporary file left";
    EXPECT_TRUE(fs::exists(fs::path(Sicherung()).replace_extension(".azb")));

    EXPECT_TRUE(main->SaveToFile((ordner / "a" / "b" / "c.azs").string())) << "the folder chain is made";
    std::ofstream(ordner / "datei") << "alt";
    fs::create_directories(ordner / "verzeichnis.azs" / "drin");
    for (const fs::path& ziel : {ordner / "datei" / "c.azs", ordner / "verzeichnis.azs"}) {
        EXPECT_FALSE(main->SaveToFile(ziel.string()));
        ErwarteMeldung(boxen, "Cannot create save file:\n" + ziel.string());
    }
    EXPECT_EQ(Lesen(ordner / "datei"), "alt");
    EXPECT_TRUE(fs::is_directory(ordner / "verzeichnis.azs" / "drin"));

    TScriptedMessageBox ja{IDYES};
    DM->ABeenden->trigger();
    PumpMessages();
    EXPECT_EQ(Lesen(Sicherung()), Blob(1));
}

TEST_F(MainSicherung, RecoveryListAsksPerEntryKeepsSixteenAndLeavesTheLaterOfTwoEquals)
{
    // "@" stands for this store's prefix; a bare id is an entry without a store key.
    const struct {
        const char* vorher;
        bool oeffnen;
        int id;
        const char* nachher;
        std::size_t fragen;
    } faelle[] = {
        {"", true, 1, "@1", 0},
        {"@1,@2,@3,@4,@5,@6,@7,@8,@9,@10,@11,@12,@13,@14,@15,@16", true, 17,
         "@2,@3,@4,@5,@6,@7,@8,@9,@10,@11,@12,@13,@14,@15,@16,@17", 0},
        {"@1,@2,@3,@4,@5,@6,@7,@8,@9,@10,@11,@12,@13,@14,@15,@16", true, 3,
         "@2,@3,@4,@5,@6,@7,@8,@9,@10,@11,@12,@13,@14,@15,@16", 1},
        {"@4,@9,@4", true, 4, "@4,@9,@4", 2},
        {"@1,@7,@7,@2,@7", false, 7, "@1,@7,@2", 0},
        {"@5,@9,@5", true, 5, "@9,@5", 0}, // no safety copy of device 5: nothing to ask
        {"1,0123456789abcdef/1", true, 1, "1,0123456789abcdef/1,@1", 0},
    };
    for (int id : {1, 3, 4}) {
        fs::create_directories(fs::path(main->GetSicherungsPfad(id)).parent_path());
        std::ofstream(main->GetSicherungsPfad(id)) << "Kopie";
    }
    auto mitKennung = [this](std::string text) {
        for (std::size_t p = text.find('@'); p != std::string::npos; p = text.find('@', p))
            text.replace(p, 1, main->ProjektKennung() + "/");
        return text;
    };
    TIniRegistry ini;
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.vorher);
        TScriptedMessageBox nein{IDNO};
        ASSERT_TRUE(ini.Write(DM->IniDatei, IniKey::NotClosed, mitKennung(f.vorher)));
        main->RecoveryCheck(f.oeffnen, f.id);
        EXPECT_EQ(ini.Read(DM->IniDatei, IniKey::NotClosed), mitKennung(f.nachher));
        EXPECT_EQ(nein.Count(), f.fragen);
    }
}

TEST_F(MainSicherung, AfterAnUncleanEndTheSafetyCopyRestoresTheExactConfiguration)
{
    OeffneUndBearbeite();
    DM->TimerAutoSaveTimer();
    const std::string sicherung = Lesen(Sicherung());
    // The editor ends without returning to ETS: the store forgets the editing period.
    kanal.reset();
    main.reset();
    main = std::make_unique<TFormMain>(kDemoModuleName);
    ASSERT_TRUE(main->GetEts()->OpenProjectStore(store).ok);
    kanal = std::make_unique<TEtsEventChannel>(*main->GetEts(), antworten);
    QFile datei(QString::fromStdString(Sicherung().string()));
    ASSERT_TRUE(datei.open(QIODevice::ReadWrite));
    ASSERT_TRUE(datei.setFileTime(QDateTime(QDate(2026, 5, 24), QTime(14, 35)), QFileDevice::FileModificationTime));
    datei.close();
    const QLocale bisher;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));

    TScriptedMessageBox ja{IDYES};
    EXPECT_EQ(Event("EditParameters 1"), "EditParameters result=1 finished=0");
    QLocale::setDefault(bisher);
    ASSERT_GE(ja.Count(), 3u);
    EXPECT_EQ(ja.Shown()[1].text, "Letzte Datensicherung: Mai 24, 2026 , 14:35\n" + Spredit::Txt9086);
    EXPECT_EQ(ja.Shown()[2].text, "Import beendet");
    EXPECT_EQ(Container(*main->GetAktDevInst()), sicherung);
    EXPECT_GT(FormVerw->GetTree()->topLevelItemCount(), 0);
    ErwarteFreigegeben();
}

TEST_F(MainSicherung, TemplateTravelsBetweenTwoDevicesWithOnlyTheIdsChanged)
{
    OeffneUndBearbeite();
    const fs::path vorlage = ordner / "neu" / "vorlage.azx";
    WaehleDatei(vorlage);
    DM->AExport->trigger();
    ErwarteMeldung(boxen, "Export beendet.");
    const std::string quelle = Container(*main->GetAktDevInst());
    EXPECT_EQ(Lesen(vorlage), quelle);
    {
        TScriptedMessageBox ja{IDYES};
        DM->ABeenden->trigger();
        PumpMessages();
    }

    ASSERT_EQ(Event("EditParameters 8"), "EditParameters result=1 finished=0");
    TScriptedMessageBox ja{IDYES};
    DM->AImport->trigger();
    ErwarteMeldung(ja, "Import beendet");
    // The template's records, but the ETS ids of device 8's objects and device record, and
    // device 8's physical address.
    const std::string ziel = Container(*main->GetAktDevInst());
    EXPECT_EQ(OhneIds(ziel), OhneIds(quelle));
    EXPECT_NE(ziel.find(",02.01.002,"), std::string::npos);
    ErwarteFreigegeben();
}

TEST_F(MainSicherung, ATemplateImportKeepsTheOpenNodesAndTheCurrentOneInSight)
{
    OeffneUndBearbeite();
    const fs::path vorlage = ordner / "vorlage.azx";
    WaehleDatei(vorlage);
    DM->AExport->trigger();
    ErwarteMeldung(boxen, "Export beendet.");
    ASSERT_NE(FormVerw, nullptr);
    QTreeWidget* baum = FormVerw->GetTree();
    // Every branch open and the last node current: far below the top node.
    FormVerw->GetCtrlTree().ExpandAll();
    QTreeWidgetItem* letzter = nullptr;
    for (QTreeWidgetItemIterator it(baum); *it != nullptr; ++it)
        letzter = *it;
    ASSERT_NE(letzter, nullptr);
    baum->setCurrentItem(letzter);
    baum->scrollToItem(letzter);
    const TCtrlTree::TAnsicht vorher = FormVerw->GetCtrlTree().Ansicht();
    ASSERT_GT(vorher.offen.size(), 10u);

    EXPECT_TRUE(main->DatenImport(vorlage.string()));
    const TCtrlTree::TAnsicht nachher = FormVerw->GetCtrlTree().Ansicht();
    EXPECT_EQ(nachher.offen, vorher.offen);
    EXPECT_EQ(nachher.aktuell, vorher.aktuell);
    PumpMessages();
    ASSERT_NE(baum->currentItem(), nullptr);
    const QRect zeile = baum->visualItemRect(baum->currentItem());
    EXPECT_TRUE(zeile.top() >= 0 && zeile.bottom() < baum->viewport()->height())
        << "the current node is out of sight: row " << zeile.top() << " of " << baum->viewport()->height();
    ErwarteFreigegeben();
}

TEST_F(MainSicherung, FailedRestoreOrTemplateChangesNothingAndFreesTheWindows)
{
    DM->AExport->trigger();
    ErwarteMeldung(boxen, "Device not found!!!");
    main->RestoreSaveCopy();
    ErwarteMeldung(boxen, "Device not found!!!");
    OeffneUndBearbeite();
    const std::string vorher = Container(*main->GetAktDevInst());
    const fs::path verzeichnis = ordner / "verzeichnis.azx";
    fs::create_directories(verzeichnis);
    // A template whose first record line stands twice: refused by the gate, whose box is the
    // only one; the file that cannot be read after it has its own.
    const fs::path doppelt = ordner / "doppelt.azx";
    {
        const std::size_t zeile = vorher.find("<DB>\r\n") + 6;
        const std::string erste = vorher.substr(zeile, vorher.find("\r\n", zeile) + 2 - zeile);
        std::ofstream(doppelt, std::ios::binary) << vorher.substr(0, zeile) + erste + vorher.substr(zeile);
    }
    const struct {
        int sicherung;   // the safety copy: 0 none, 1 a good one, 2 a folder in its place
        QAction* aktion; // null: restore the safety copy
        int antwort;
        fs::path datei;      // the file dialogs' choice (empty: cancelled)
        std::string meldung; // the last box begins so; "" none
    } faelle[] = {{0, nullptr, IDYES, {}, "Datei nicht gefunden.:\n"},
                  {1, nullptr, IDNO, {}, "Letzte Datensicherung"},
                  {2, nullptr, IDYES, {}, "Beim Import des Gerätes"},
                  {0, DM->AExport, IDYES, {}, ""},
                  {0, DM->AExport, IDYES, verzeichnis, "Can not create file :\n"},
                  {0, DM->AImport, IDYES, doppelt, "Die Datei ist fehlerhaft"},
                  {0, DM->AImport, IDYES, verzeichnis, "Beim Import des Gerätes sind Fehler"}};
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.meldung);
        fs::remove_all(Sicherung());
        if (f.sicherung == 1) {
            ASSERT_TRUE(main->SaveToFile(""));
        }
        if (f.sicherung == 2)
            fs::create_directories(Sicherung());
        WaehleDatei(f.datei);
        TScriptedMessageBox antwort{f.antwort};
        if (f.aktion != nullptr) {
            f.aktion->trigger();
        } else {
            DM->TimerAutoSave()->stop(); // the restore must start it again
            main->RestoreSaveCopy();
        }
        if (f.meldung.empty()) {
            EXPECT_EQ(antwort.Count(), 0u);
        } else {
            ErwarteMeldung(antwort, f.meldung);
        }
        EXPECT_EQ(Container(*main->GetAktDevInst()), vorher);
        ErwarteFreigegeben();
    }
}

TEST_F(MainSicherung, EveryWindowsTreeIsEmptyWhileTheImportRunsAndFilledAfter)
{
    OeffneUndBearbeite();
    main->CreateFormVerw();
    ASSERT_EQ(main->GetFormVerwListe().size(), 2u);
    // A version the editor refuses: its message comes from inside the import.
    std::string container = Container(*main->GetAktDevInst());
    container.replace(container.find("Version: 1. 1"), 13, "Version: 1. 2");
    const fs::path vorlage = ordner / "vorlage.azx";
    std::ofstream(vorlage, std::ios::binary) << container;
    const fs::path kopie = main->GetAktDevInst()->GetSicherungsPfad();
    fs::create_directories(kopie.parent_path());
    std::ofstream(kopie, std::ios::binary) << container;

    for (const bool sicherung : {false, true}) {
        SCOPED_TRACE(sicherung ? "safety copy" : "template");
        std::vector<std::vector<int>> eintraege; // per box shown, each window's top-level items
        TScriptedMessageBox ja{IDYES};
        const TMessageBoxHook vorher = SetMessageBoxHook([&](HWND, const std::string&, const std::string&, UINT) {
            eintraege.emplace_back();
            for (TFormVerw* fenster : main->GetFormVerwListe())
                eintraege.back().push_back(fenster->GetTree()->topLevelItemCount());
            return IDYES;
        });
        if (sicherung)
            main->RestoreSaveCopy();
        else
            EXPECT_FALSE(main->DatenImport(vorlage.string()));
        SetMessageBoxHook(vorher);
        // The restore asks first; then comes the version check's message.
        const std::size_t imImport = sicherung ? 1 : 0;
        ASSERT_GT(eintraege.size(), imImport);
        EXPECT_EQ(eintraege[imImport], std::vector<int>(2, 0));
        for (TFormVerw* fenster : main->GetFormVerwListe())
            EXPECT_GT(fenster->GetTree()->topLevelItemCount(), 0);
        ErwarteFreigegeben();
    }
}

// The restore question names the copy's time with the month in the program's language,
// whatever language the system has.
TEST(SicherungsZeit, NamesTheMonthInTheProgramsLanguage)
{
    const fs::path datei = TestOrdner("miraval-zeit");
    {
        std::ofstream(datei) << "x";
    }
    QFile kopie(QString::fromStdString(datei.string()));
    ASSERT_TRUE(kopie.open(QIODevice::ReadWrite));
    ASSERT_TRUE(kopie.setFileTime(QDateTime(QDate(2026, 12, 9), QTime(12, 57)), QFileDevice::FileModificationTime));
    kopie.close();
    const QLocale bisher;
    for (const QLocale& system : {QLocale(QLocale::English, QLocale::UnitedStates), QLocale::c(),
                                  QLocale(QLocale::French, QLocale::France)}) {
        SCOPED_TRACE(system.name().toStdString());
        QLocale::setDefault(system);
        EXPECT_EQ(DateiZugriff::AenderungsZeit(datei.string()), " Dezember 9, 2026 , 12:57");
    }
    QLocale::setDefault(bisher);
    fs::remove(datei);
}

} // namespace
