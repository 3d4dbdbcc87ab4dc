#include "miraval/dienste/DaMo.h"

#include "miraval/app/Main.h"
#include "dorlin/Dorlin.h"
#include "dorlin/DorlinAnzeige.h"
#include "win32/Shell.h"

#include <QAction>
#include <QKeyEvent>
#include <QKeySequence>
#include <QTimer>

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Records what the dialogs were asked to show and answers the language dialog as told.
class TAnzeigeAufnahme : public TDorlinAnzeige {
public:
    void Info(const std::string& titel, const std::string& versionLabel, const std::string& version,
              const std::string& bildDatei) override
    {
        InfoTexte = {titel, versionLabel, version, bildDatei};
    }
    bool Spracheinstellung(const TSpracheinstellungTexte& texte,
                           const std::map<std::string, std::string>& sprachen, int wert) override
    {
        ++SpracheAufrufe;
        Texte = texte;
        Sprachen = sprachen;
        Wert = wert;
        return Antwort;
    }
    void ProgressStart(const TDlgProgressStand&) override {}
    void ProgressPosition(const TDlgProgressStand&) override {}
    void ProgressSchritte(const TDlgProgressStand&) override {}
    void ProgressStop() override {}

    bool Antwort = false;
    int SpracheAufrufe = 0;
    std::vector<std::string> InfoTexte;
    TSpracheinstellungTexte Texte;
    std::map<std::string, std::string> Sprachen;
    int Wert = 0;
};

class DaMoTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(FormMain, nullptr) << "these tests run the data module without a main window";
        std::string tmpl = (fs::temp_directory_path() / "damo-XXXXXX").string();
        ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
        m_dir = tmpl;
        SetModuleFileNameOverride((m_dir / "miraval").string());
        m_vorher = SetDorlinAnzeige(&m_anzeige);
        m_dm = std::make_unique<TDM>();
    }
    void TearDown() override
    {
        m_dm.reset();
        SetDorlinAnzeige(m_vorher);
        SetModuleFileNameOverride("");
        fs::remove_all(m_dir);
    }

    void Ini(const std::string& content) const
    {
        std::ofstream out(m_dm->IniDatei, std::ios::binary);
        out << content;
    }
    std::string IniInhalt() const
    {
        std::ifstream in(m_dm->IniDatei, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    QAction* Aktion(const char* name) const
    {
        for (QAction* a : m_dm->Actions())
            if (a->objectName() == QLatin1String(name))
                return a;
        return nullptr;
    }

    fs::path m_dir;
    TAnzeigeAufnahme m_anzeige;
    TDorlinAnzeige* m_vorher = nullptr;
    std::unique_ptr<TDM> m_dm;
};

TEST_F(DaMoTest, ActionsHaveTheirCaptionsCategoriesKeysAndVisibility)
{
    struct Row {
        const char* name;
        const char* kategorie;
        const char* text;
        const char* taste; // portable text, "" none
        bool sichtbar;
        bool bild;
    };
    const Row rows[] = {
        {"APrint", "Datei", "&Drucken...", "Ctrl+P", true, true},
        {"AImport", "Datei", "Vorlage-&Importieren", "", true, false},
        {"AExport", "Datei", "Vorlage-Exp&ortieren", "", true, false},
        {"ABeenden", "Datei", "&Zurück zur Ets", "Ctrl+Q", true, false},
        {"AVerwerfen", "Datei", "&Verwerfen", "", false, false},
        {"APrintPreview", "Datei", "Seitenansic&ht", "", true, true},
        {"ARestoreSaveCopy", "Datei", "Siche&rung wiederherstellen", "", true, false},
        {"AAutoSave", "Datei", "Sicherungsdaten jetzt abspeichern", "", true, true},
        {"AOption", "Einstellung", "&Optionen...", "", true, false},
        {"ASprache", "Einstellung", "&Sprache", "", true, false},
        {"ADeviceHelp", "Hilfe", "&Hilfe", "F1", true, false},
        {"AQuickHelp", "Hilfe", "&Direkthilfe", "Ctrl+F1", true, false},
        {"AAbout", "Hilfe", "&Info", "", true, false},
        {"ACollapseAll", "Projektierung", "Alles &Einklappen", "Ctrl+E", true, true},
        {"AExpandAll", "Projektierung", "Alles &Ausklappen", "Ctrl+A", true, true},
        {"AExpand", "Projektierung", "&Ausklappen", "", true, false},
        {"ACollapse", "Projektierung", "E&inklappen", "", true, false},
        {"ACopy", "Projektierung", "", "", true, false},
        {"APaste", "Projektierung", "", "", true, false},
        {"ADefault", "Projektierung", "Einstellungen zu&rücksetzen", "", true, false},
        {"AProjektierungsfenster", "Projektierung", "Neues &Projektierungsfenster", "Ctrl+N", true, false},
        {"AMelderHinzufuegen", "Projektierung", "Neue Eingänge hinzufügen ...", "", true, true},
        {"AMelderLoeschen", "Projektierung", "Eingang löschen", "", true, true},
        {"ALinkToGrpAdr", "Projektierung", "Mit Gruppenadresse verbinden ...", "", true, false},
        {"AMelderKopieren", "Projektierung", "Eingang kopieren", "", true, true},
        {"AMelderEinfuegen", "Projektierung", "Kopierten Eingang einfügen", "", true, true},
        {"AEreignisspeicherAuslesen", "Projektierung", "Ereignisspeicher auslesen ...", "", true, false},
        {"ASetDateTime", "Projektierung", "PC Datum und Uhrzeit übertragen", "", true, false},
        {"AUeberlappend", "Fenster", "Ü&berlappend", "Shift+F5", true, false},
        {"ANebeneinander", "Fenster", "&Vertikal anordnen", "Shift+F4", true, false},
        {"AUebereinander", "Fenster", "&Horizontal anordnen", "", true, false},
        {"ASymbole", "Fenster", "&Symbole anordnen", "", true, false},
    };
    ASSERT_EQ(m_dm->Actions().size(), std::size(rows));
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        const Row& row = rows[i];
        SCOPED_TRACE(row.name);
        QAction* a = m_dm->Actions()[i];
        EXPECT_EQ(a->objectName().toStdString(), row.name) << "list order";
        EXPECT_EQ(a->property("Kategorie").toString().toStdString(), row.kategorie);
        EXPECT_EQ(a->text().toStdString(), row.text);
        EXPECT_EQ(a->shortcut(), QKeySequence::fromString(QString::fromLatin1(row.taste)));
        EXPECT_EQ(a->isVisible(), row.sichtbar);
        EXPECT_EQ(!a->icon().isNull(), row.bild);
        if (*row.taste) {
            EXPECT_NE(a->shortcutContext(), Qt::WindowShortcut) << "Qt would trigger it a second time";
        }
    }
    EXPECT_EQ(m_dm->APrint, Aktion("APrint"));
    EXPECT_EQ(m_dm->ASymbole, Aktion("ASymbole"));
}

TEST_F(DaMoTest, FilesLieBesideTheProgram)
{
    const std::string ordner = m_dir.string() + "/";
    EXPECT_EQ(m_dm->ProgrammDatei, ordner + "miraval");
    EXPECT_EQ(m_dm->ProgrammOrdner(), ordner);
    EXPECT_EQ(m_dm->IniDatei, ordner + "miraval.ini");
    EXPECT_EQ(m_dm->HilfeDatei, ordner + "az_deu.hlp");
    EXPECT_EQ(DM, m_dm.get());
}

TEST_F(DaMoTest, AutoSaveTimerRunsOnlyWhenAskedAndSwitchedOn)
{
    struct Row {
        const char* name;
        bool autoSave;
        int minuten;
        bool enable;
        int intervall;
        bool laeuft;
    };
    const Row rows[] = {
        {"five minutes", true, 5, true, 300000, true},
        {"auto-save off", false, 5, true, 300000, false},
        {"stopped by the caller", true, 5, false, 300000, false},
        {"zero minutes would save continuously", true, 0, true, 0, false},
        {"negative minutes", true, -3, true, 0, false},
        {"beyond the timer's range", true, 100000, true, INT_MAX, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        m_dm->TimerAutoSave()->start(1000);
        m_dm->AutoSave = row.autoSave;
        m_dm->AutoSaveMinuten = row.minuten;
        m_dm->StartTimerAutoSave(row.enable);
        EXPECT_EQ(m_dm->TimerAutoSave()->interval(), row.intervall);
        EXPECT_EQ(m_dm->TimerAutoSave()->isActive(), row.laeuft);
    }
}

TEST_F(DaMoTest, ShortcutKeyTriggersItsActionOnceAndIsConsumed)
{
    std::map<std::string, int> ausgeloest;
    for (QAction* a : m_dm->Actions())
        QObject::connect(a, &QAction::triggered, [&ausgeloest, a] { ++ausgeloest[a->objectName().toStdString()]; });
    m_dm->APrint->setEnabled(false);

    struct Row {
        int key;
        Qt::KeyboardModifiers mods;
        const char* aktion; // null: not a shortcut
    };
    const Row rows[] = {
        {Qt::Key_F1, Qt::NoModifier, "ADeviceHelp"},
        {Qt::Key_F1, Qt::ControlModifier, "AQuickHelp"},
        {Qt::Key_F5, Qt::ShiftModifier, "AUeberlappend"},
        {Qt::Key_N, Qt::ControlModifier, "AProjektierungsfenster"},
        {Qt::Key_N, Qt::ControlModifier | Qt::ShiftModifier, nullptr},
        {Qt::Key_F2, Qt::NoModifier, nullptr},
        {Qt::Key_P, Qt::ControlModifier, nullptr}, // its action is disabled
        {Qt::Key_Control, Qt::ControlModifier, nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(QKeySequence(QKeyCombination(row.mods, Qt::Key(row.key))).toString().toStdString());
        ausgeloest.clear();
        QKeyEvent key(QEvent::KeyPress, row.key, row.mods);
        bool handled = !row.aktion;
        m_dm->OnShortCut(&key, handled);
        EXPECT_EQ(handled, row.aktion != nullptr);
        if (row.aktion) {
            EXPECT_EQ(ausgeloest, (std::map<std::string, int>{{row.aktion, 1}}));
        } else {
            EXPECT_TRUE(ausgeloest.empty());
        }
    }
}

TEST_F(DaMoTest, LanguageDialogGetsTheListFromTheIniFile)
{
    struct Row {
        const char* name;
        const char* ini;
        std::map<std::string, std::string> sprachen;
        bool antwort;
    };
    const Row rows[] = {
        {"no list", "", {}, false},
        {"count 0", "[Sprache]\nCount=0\nSprache0=Deutsch\n", {}, true},
        {"ordered by extension", "[Sprache]\nCount=2\nSprache0=Englisch\nSprachExt0=ENU\nSprache1=Deutsch\nSprachExt1=DEU\n",
         {{"DEU", "Deutsch"}, {"ENU", "Englisch"}}, true},
        {"a count typed wrong reads a bounded list", "[Sprache]\nCount=2000000000\nSprache0=Deutsch\nSprachExt0=DEU\n",
         {{"", ""}, {"DEU", "Deutsch"}}, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Ini(row.ini);
        m_anzeige = TAnzeigeAufnahme();
        m_anzeige.Antwort = row.antwort;
        m_dm->Restart = false;
        m_dm->ASpracheExecute();
        ASSERT_EQ(m_anzeige.SpracheAufrufe, 1);
        EXPECT_EQ(m_anzeige.Sprachen, row.sprachen);
        EXPECT_EQ(m_anzeige.Wert, 1);
        EXPECT_EQ(m_dm->Restart, row.antwort);
        EXPECT_NE(IniInhalt().find("Count="), std::string::npos) << "the count is written back";
        EXPECT_EQ(IniInhalt().find("Sprache100="), std::string::npos);
    }
    EXPECT_EQ(m_anzeige.Texte.Titel, "Spracheinstellung ändern");
    EXPECT_EQ(m_anzeige.Texte.FehlerCaption, "Fehler");
    EXPECT_EQ(m_anzeige.Texte.RegistryOeffnen,
              "Die Registry konnte nicht geöffnet werden.\nBitte überprüfen Sie Ihre Zugriffsrechte.");
}

TEST_F(DaMoTest, AboutBoxShowsTheImageBesideTheProgram)
{
    m_dm->AAboutExecute();
    EXPECT_EQ(m_anzeige.InfoTexte, (std::vector<std::string>{"Info", "Version:", "",
                                                              m_dir.string() + "/Az/AboutImage/Az.bmp"}));
}

} // namespace
