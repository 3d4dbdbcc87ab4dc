// An installer's day with the editor on a real X display: each test one part of the day,
// done with keys and clicks and checked by what the person sees and what ETS keeps.
#include "Installateur.h"

#include "DemoProject.h"
#include "miraval/devinst/DatenContainer.h"
#include "miraval/dienste/IniKeys.h"
#include "miraval/dienste/IniRegistry.h"
#include "tessarin/AzMelder.h"
#include "platform/kestrin/EtsOtherProgram.h"
#include "tests/support/StoreAbfrage.h"
#include "tests/miraval/gui/ZweiteZentrale.h"

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>

namespace fs = std::filesystem;

namespace {

// Places in the main window's client area (the first project window fills the area below
// the menu and tool bars).
constexpr int kVarianteKnopfX = 620, kVarianteKnopfY = 88;
// The status bar's count of inputs made ("angelegt").
constexpr int kAnzahlX = 270, kAnzahlY = 458, kAnzahlBreite = 40, kAnzahlHoehe = 22;
// The rows of the list on the right side, the first just below its header.
constexpr int kListeX = 214, kListeY = 95, kListeBreite = 420, kZeileHoehe = 18;
// The project window's title bar; how far above the client area's bottom its tree still
// shows when the project window fills the area above the status bar.
constexpr int kProjektTitelY = 63, kBaumUnterStatusleiste = 80;
// The detector records the demo device stores when it is first returned to ETS.
constexpr int kDemoMelder = 5;

int Melderzahl(const std::vector<TDatenStruktur>& datensaetze)
{
    return static_cast<int>(std::count_if(datensaetze.begin(), datensaetze.end(),
                                          [](const TDatenStruktur& d) { return d.Typ == TAzMelder::kTyp; }));
}

const TDatenStruktur* MitText(const std::vector<TDatenStruktur>& datensaetze, const std::string& text)
{
    for (const TDatenStruktur& d : datensaetze)
        if (d.Typ == TAzMelder::kTyp && d.String4 == text)
            return &d;
    return nullptr;
}

} // namespace

TEST_F(InstallateurTest, FirstStartShowsTheWholeWindowAndTheProjectWindowFillsIt)
{
    ASSERT_NE(OeffneGeraet(), 0u);
    const auto rahmen = x->Rahmen(hauptfenster);
    ASSERT_TRUE(rahmen.has_value());
    EXPECT_TRUE(rahmen->x - rahmen->links >= 0 && rahmen->y - rahmen->oben >= 0 && rahmen->x + rahmen->breite <= 1280 &&
                rahmen->y + rahmen->hoehe <= 1024)
        << "the title bar or a border lies off the screen: " << Gesehen("at the first start");
    EXPECT_EQ(rahmen->breite, 640) << "the stored size is the client area's";
    ASSERT_NO_FATAL_FAILURE(ZurueckZuEts());
    std::ifstream ini(ordner / "miraval.ini");
    std::stringstream lesen;
    lesen << ini.rdbuf();
    const std::string text = lesen.str();
    std::smatch breite;
    ASSERT_TRUE(std::regex_search(text, breite, std::regex("VerwWidth=(\\d+)")));
    EXPECT_GT(std::stoi(breite[1]), 620) << "the project window kept its small default size";
}

TEST_F(InstallateurTest, EditsDetectorsReturnsKeepingAndIsShownAgain)
{
    ASSERT_NE(OeffneGeraet(), 0u);
    // The first detector of the fire area: a new text with umlauts, the next input type.
    InDenBaum();
    WaehleImBaum({"Melder", "Sicherungs-Bereich F"});
    x->Tasten("plus Down F6");
    x->Tasten("Return Down Return F6");
    x->Tasten("F6 Down Return");
    x->Tippe("Küche Süd");
    x->Tasten("F6");
    Gesehen("after the detector was edited");
    // Three detectors through the dialog, then the second of them deleted.
    x->Tasten("minus Left");
    const auto rahmen = x->Rahmen(hauptfenster);
    ASSERT_TRUE(rahmen.has_value());
    const auto anzahl = [&] {
        return x->Bildsignatur(rahmen->x + kAnzahlX, rahmen->y + kAnzahlY, kAnzahlBreite, kAnzahlHoehe);
    };
    const std::string anzahlVorher = anzahl();
    ASSERT_NO_FATAL_FAILURE(NeueEingaenge("3"));
    ASSERT_TRUE(x->Aktiviere(hauptfenster)) << Gesehen("after adding");
    std::string anzahlHinzu;
    EXPECT_TRUE(Warte([&] { return (anzahlHinzu = anzahl()) != anzahlVorher; }))
        << "the status bar still shows the old count: " << Gesehen("after adding three");
    // One of the new ones below the area, by its name: the edited detector stays.
    WaehleImBaum({"Neuer"}, false);
    x->Klicke(rahmen->x + kKnopfLoeschenX, rahmen->y + kKnopfY);
    EXPECT_TRUE(Warte([&] { const std::string jetzt = anzahl(); return jetzt != anzahlHinzu && jetzt != anzahlVorher; }))
        << "the status bar's count did not follow the delete: " << Gesehen("after deleting one");
    Gesehen("after adding three and deleting one");
    ASSERT_NO_FATAL_FAILURE(ZurueckZuEts());

    const std::vector<TDatenStruktur> nachher = Gespeichert();
    EXPECT_EQ(Melderzahl(nachher), kDemoMelder + 2);
    const TDatenStruktur* kueche = MitText(nachher, "Küche Süd");
    ASSERT_NE(kueche, nullptr) << "the typed detector text is not in the store";
    // Param3 is the input type; 1 ("Melder sofort") is what the demo's detectors have.
    EXPECT_NE(kueche->Param3, 1) << "the input type was not changed";

    // The same device again in the same running editor: shown, not iconic.
    ASSERT_NE(OeffneGeraet(), 0u);
    Gesehen("after the second EditParameters");
}

// An ETS event while the installer edits keeps nothing of the edit from ETS and drops none of
// it: ETS opens the device once more, or opens another device or another device's object
// (refused with the reason: ETS's own editing period is modal). The return stores what the
// same edit without the event stores.
TEST_F(InstallateurTest, AnEventDuringAnEditKeepsWhatTheReturnStores)
{
    const struct {
        const char* name;
        std::string zeile;
        std::string antwort;
    } faelle[] = {
        {"without an event", "", ""},
        {"EditParameters of the device", "EditParameters 1", "EditParameters result=1 finished=0"},
        {"EditParameters of another device", "EditParameters 8", "error: device 1 is being edited: EditParameters 8"},
        {"EditObject of another device's object", "EditObject 0 0 ", "error: device 1 is being edited: EditObject 0 0 "},
    };
    std::string ohne;
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        // A fresh project with a second alarm centre, in an editor of its own.
        Stoppe();
        const fs::path neu = ordner / std::to_string(&f - faelle);
        fs::create_directories(neu);
        store = neu / "demo.db";
        ASSERT_TRUE(BuildDemoProject(store).ok);
        TOtherProgram(store).Sql(kZweiteZentraleSql);
        const std::string objekt8 = StoreAbfrage(store, "SELECT min(id) FROM device_object WHERE device_id = 8");
        const std::string zeile = f.zeile.ends_with(' ') ? f.zeile + objekt8.substr(0, objekt8.find('\n')) : f.zeile;
        const std::string antwort =
            f.antwort.ends_with(' ') ? f.antwort + objekt8.substr(0, objekt8.find('\n')) : f.antwort;
        editor = std::make_unique<TEditorProzess>(neu, store);
        ASSERT_NE(OeffneGeraet(), 0u);
        InDenBaum();
        WaehleImBaum({"Melder", "Sicherungs-Bereich 1"});
        ASSERT_NO_FATAL_FAILURE(NeueEingaenge("3"));
        if (!zeile.empty()) {
            editor->Sende(zeile);
            EXPECT_EQ(editor->Antwort(antwort.substr(0, antwort.find(' ')), kFrist), antwort);
            EXPECT_EQ(x->Fenster("^Zweite Zentrale"), 0u) << Gesehen("after the event");
        }
        ASSERT_TRUE(x->Aktiviere(hauptfenster)) << Gesehen("after adding");
        ASSERT_NO_FATAL_FAILURE(ZurueckZuEts());
        EXPECT_EQ(Melderzahl(Gespeichert()), kDemoMelder + 3) << "the inputs added are gone";
        const std::string gespeichert = StoreParameter(store, kDemoAlarmCentreId) +
                                        StoreLinks(store, kDemoAlarmCentreId) +
                                        StoreKonfiguration(store, kDemoAlarmCentreId) + StoreKonfiguration(store, 8);
        if (zeile.empty())
            ohne = gespeichert;
        else
            EXPECT_TRUE(gespeichert == ohne) << "the store differs from the same edit without the event";
    }
}

TEST_F(InstallateurTest, OpensMaximisedEveryTimeWhenMainStateSaysSoAndTheProjectWindowFillsIt)
{
    // The settings are read at the start: the editor ETS started first goes. It showed no
    // device, so it stored no project-window placement that would keep the window from
    // filling the area.
    Stoppe();
    ASSERT_TRUE(TIniRegistry().Write((ordner / "miraval.ini").string(), IniKey::MainState, 2));
    editor = std::make_unique<TEditorProzess>(ordner, store);
    for (const std::string mal : {"first", "second"}) {
        SCOPED_TRACE(mal);
        ASSERT_NE(OeffneGeraet(), 0u);
        EXPECT_TRUE(Warte([&] {
            return x->Befehl("xprop -id " + std::to_string(hauptfenster) + " _NET_WM_STATE").find("MAXIMIZED_VERT") !=
                   std::string::npos;
        })) << "the editor's window is not maximised: " << Gesehen("at the " + mal + " edit");
        const auto rahmen = x->Rahmen(hauptfenster);
        ASSERT_TRUE(rahmen.has_value());
        // With no placement stored yet the project window fills the whole area: its title
        // bar reaches the right edge, its tree the status bar (not the area's grey).
        if (mal == "first") {
            ASSERT_TRUE(x->Ruhig(rahmen->x, rahmen->y, rahmen->breite, rahmen->hoehe)) << Gesehen("maximised");
            const std::string titelfarbe = x->Farbe(rahmen->x + 100, rahmen->y + kProjektTitelY);
            EXPECT_EQ(x->Farbpixel(rahmen->x + rahmen->breite - 100, rahmen->y + kProjektTitelY, 20, 1, titelfarbe), 20)
                << "the project window's title bar ends before the right edge: " << Gesehen("maximised");
            EXPECT_EQ(x->Farbpixel(rahmen->x + kBaumX + 20, rahmen->y + rahmen->hoehe - kBaumUnterStatusleiste, 20, 1,
                                   "#FFFFFF"),
                      20)
                << "the project window's tree ends above the status bar: " << Gesehen("maximised");
        }
        ASSERT_NO_FATAL_FAILURE(ZurueckZuEts());
    }
}

// Each dialog opens over the main window: its frame below the main window's title bar, its
// middle over the main window's (as far as the screen's left edge allows).
TEST_F(InstallateurTest, OpensTheDialogsOverTheMainWindowAndClosesByTheWindowManager)
{
    ASSERT_NE(OeffneGeraet(), 0u);
    const auto rahmen = x->Rahmen(hauptfenster);
    ASSERT_TRUE(rahmen.has_value());
    struct Dialog {
        const char* name;
        std::function<void()> oeffne;
    };
    const std::vector<Dialog> dialoge{
        {"options", [&] { x->Tasten("alt+e Return"); }},
        {"variant", [&] { x->Klicke(rahmen->x + kVarianteKnopfX, rahmen->y + kVarianteKnopfY); }},
    };
    for (const Dialog& d : dialoge) {
        SCOPED_TRACE(d.name);
        ASSERT_TRUE(x->Aktiviere(hauptfenster)) << Gesehen("before the dialog");
        d.oeffne();
        unsigned long fenster = 0;
        ASSERT_TRUE(Warte([&] { return (fenster = x->Fenster(".", hauptfenster)) != 0; }))
            << "the " << d.name << " dialog did not open: " << Gesehen("instead");
        Gesehen(std::string("with the ") + d.name + " dialog");
        const auto platz = x->Rahmen(fenster);
        ASSERT_TRUE(platz.has_value());
        EXPECT_GE(platz->y - platz->oben, rahmen->y) << "the " << d.name << " dialog covers the main window's title bar";
        const int mitte = rahmen->x + rahmen->breite / 2;
        EXPECT_TRUE(std::abs(platz->x + platz->breite / 2 - mitte) <= 2 || platz->x - platz->links == 0)
            << "the " << d.name << " dialog lies beside the main window's middle: " << platz->x << " + "
            << platz->breite << " over " << rahmen->x << " + " << rahmen->breite;
        ASSERT_TRUE(x->Aktiviere(fenster)) << Gesehen("with the dialog");
        x->Tasten("Escape");
        EXPECT_TRUE(Warte([&] { return x->Fenster(".", hauptfenster) == 0; }))
            << "Escape left the " << d.name << " dialog open: " << Gesehen("after Escape");
    }

    // The close button at the right end of openbox's title bar.
    x->Klicke(rahmen->x + rahmen->breite - 10, rahmen->y - rahmen->oben / 2);
    EXPECT_EQ(BeantworteFragenBisZurueck(), "ReturnToEts keep=1") << Gesehen("after the close button");
}

TEST_F(InstallateurTest, ShowsTheObjectsOfAGroupAddressLinksATypedOneAndCopiesADetectorByKeys)
{
    ASSERT_NE(OeffneGeraet(), 0u);
    const auto rahmen = x->Rahmen(hauptfenster);
    ASSERT_TRUE(rahmen.has_value());
    InDenBaum();
    // A linked group address shows its objects' rows below the list's header: the demo links
    // one object to "[2305] Melder 1".
    WaehleImBaum({"Gruppen", "[1] Alarm", "[1] M"});
    x->Tasten("plus Down");
    const auto zeileBeschrieben = [&](int zeile) {
        return x->DunklerAnteil(rahmen->x + kListeX, rahmen->y + kListeY + zeile * kZeileHoehe, kListeBreite,
                                kZeileHoehe) > 0.01;
    };
    EXPECT_TRUE(Warte([&] { return zeileBeschrieben(0); }))
        << "the list of \"[2305] Melder 1\" is empty: " << Gesehen("with the group address selected");
    EXPECT_FALSE(zeileBeschrieben(1)) << "not the list of \"[2305] Melder 1\": " << Gesehen("with two rows");

    // A typed group address for the first detector's object, edited with Backspace and Delete.
    WaehleImBaum({"Melder", "Sicherungs-Bereich F"});
    // The menu opens on its first enabled entry: "Mit Gruppenadresse verbinden ...".
    x->Tasten("plus Down plus Down alt+p Return");
    const unsigned long verbinden = ErwarteFenster("^Mit Gruppenadresse verbinden");
    ASSERT_NE(verbinden, 0u);
    ASSERT_TRUE(x->Aktiviere(verbinden)) << Gesehen("with the link dialog");
    x->Tippe("3/2/199");
    x->Tasten("BackSpace BackSpace");
    x->Tippe("7");
    x->Tasten("Home Delete");
    x->Tippe("4");
    x->Tasten("Tab");
    x->Tippe("Küche");
    Gesehen("with the typed group address");
    x->Tasten("Return");
    if (!Warte([&] { return x->Fenster(".", hauptfenster) == 0; })) {
        ADD_FAILURE() << "the link dialog did not close: " << Gesehen("after OK");
        // The installer gives up on the address: the rest of the day goes on.
        x->Tasten("Return Escape");
    }

    // Ctrl+A in a cell editor selects its text (the tree stays as it is).
    // Linking leaves the focus in the grid's cell: the installer clicks into the tree.
    InDenBaum();
    WaehleImBaum({"Melder", "Sicherungs-Bereich F"});
    x->Tasten("plus Down F6 Down Return End ctrl+a");
    x->Tippe("Flur");
    x->Tasten("F6");
    // Ctrl+C on the detector, Ctrl+V on its area: one detector more.
    x->Tasten("ctrl+c minus Left ctrl+v");
    Gesehen("after copy and paste");
    ASSERT_NO_FATAL_FAILURE(ZurueckZuEts());
    const std::vector<TDatenStruktur> nachher = Gespeichert();
    EXPECT_NE(MitText(nachher, "Flur"), nullptr) << "Ctrl+A did not select the cell's text";
    EXPECT_EQ(Melderzahl(nachher), kDemoMelder + 1) << "Ctrl+C and Ctrl+V copied no detector";
    TEts2Cdi leser(nullptr, kDemoModuleName, false);
    ASSERT_TRUE(leser.OpenProjectStore(store).ok);
    TEtsGroupTree gruppen;
    ASSERT_TRUE(leser.ReadGroupTree(kDemoAlarmCentreId, gruppen));
    EXPECT_TRUE(std::any_of(gruppen.Subs.begin(), gruppen.Subs.end(),
                            [](const TEtsGroupRow& g) {
                                return g.Number == (4 << 11 | 2 << 8 | 17) && g.Name == "Küche" && g.ObjectType != -1;
                            }))
        << "the typed group address 4/2/17 \"Küche\" is not in the project, linked to the object";
}

TEST_F(InstallateurTest, TheTreeFollowsTheSelectionThroughTheExpandedTree)
{
    ASSERT_NE(OeffneGeraet(), 0u);
    const auto rahmen = x->Rahmen(hauptfenster);
    ASSERT_TRUE(rahmen.has_value());
    const int baumX = rahmen->x + kBaumX, baumY = rahmen->y + kBaumY;
    InDenBaum();
    ASSERT_TRUE(x->Ruhig(baumX, baumY, kBaumBreite, kBaumHoehe));
    // The selected top node shows the selection's colour; the tree's background is another.
    const std::string auswahl = x->HaeufigsteFarbe(baumX, baumY, kBaumBreite, kBaumZeileHoehe);
    ASSERT_NE(auswahl, x->HaeufigsteFarbe(baumX, baumY, kBaumBreite, kBaumHoehe)) << Gesehen("with the top node selected");
    x->Tasten("ctrl+a");
    std::string dreissigMalRunter;
    for (int i = 0; i < 30; ++i)
        dreissigMalRunter += " Down";
    struct Schritt {
        const char* name;
        std::string tasten;
    };
    for (const Schritt& s : {Schritt{"30 times Down", dreissigMalRunter}, Schritt{"End", "End"}, Schritt{"Home", "Home"}}) {
        SCOPED_TRACE(s.name);
        x->Tasten(s.tasten);
        ASSERT_TRUE(x->Ruhig(baumX, baumY, kBaumBreite, kBaumHoehe));
        // At least half a row of the selection's colour in the tree's visible area.
        EXPECT_GE(x->Farbpixel(baumX, baumY, kBaumBreite, kBaumHoehe, auswahl), kBaumBreite * kBaumZeileHoehe / 2)
            << "the selected row is out of the tree's view: " << Gesehen(std::string("after ") + s.name);
    }
}

TEST_F(InstallateurTest, ExportsATemplateAndItsBoxShowsTheWholeTitle)
{
    ASSERT_NE(OeffneGeraet(), 0u);
    // Gerät, "Vorlage-Exportieren": the file dialog "Export".
    x->Tasten("alt+g o");
    const unsigned long dateidialog = ErwarteFenster("^Export$");
    ASSERT_NE(dateidialog, 0u);
    // The file dialog is wide: its title shows whole (and the comparison works).
    EXPECT_TRUE(x->ZeigtGanzenTitel(dateidialog)) << Gesehen("with the file dialog");
    ASSERT_TRUE(x->Aktiviere(dateidialog)) << Gesehen("with the file dialog");
    const fs::path vorlage = ordner / "vorlage.azx";
    x->Tippe(vorlage.string());
    x->Tasten("Return");
    unsigned long box = 0;
    ASSERT_TRUE(Warte([&] { return (box = x->Fenster("^Export$", dateidialog)) != 0; }))
        << "no box \"Export\" after the file dialog: " << Gesehen("instead");
    EXPECT_TRUE(fs::exists(vorlage)) << "the template was not written";
    EXPECT_TRUE(x->ZeigtGanzenTitel(box)) << "the title bar does not show \"Export\" whole: " << Gesehen("with the box");
    ASSERT_TRUE(x->Aktiviere(box)) << Gesehen("with the box");
    x->Tasten("Return");
    EXPECT_TRUE(Warte([&] { return x->Fenster(".", hauptfenster) == 0; })) << Gesehen("after the box's OK");
}

// A return ETS cannot store (another program holds the store): its box stands alone, the
// progress window of the leave closed, with its middle over the main window's.
TEST_F(InstallateurTest, AFailedReturnsBoxStandsAloneOverTheMiddleOfTheMainWindow)
{
    ASSERT_NE(OeffneGeraet(), 0u);
    const auto rahmen = x->Rahmen(hauptfenster);
    ASSERT_TRUE(rahmen.has_value());
    // The icons and texts of the tree's first rows, left of where the box comes.
    const auto baum = [&] { return x->DunklerAnteil(rahmen->x + 25, rahmen->y + 100, 40, 80); };
    const double baumVorher = baum();
    ASSERT_GT(baumVorher, 0.0) << Gesehen("with the device open");
    {
        TOtherProgram anderes(store);
        anderes.Sql("BEGIN; SELECT count(*) FROM device;");
        x->Tasten("ctrl+q");
        unsigned long box = 0;
        ASSERT_TRUE(Warte([&] {
            if ((box = x->Fenster("^Close$")) != 0)
                return true;
            // The close questions are answered "Ja"; the leave's progress window is none.
            if (const unsigned long frage = x->Fenster(".", hauptfenster);
                frage != 0 && frage != x->Fenster("^Anwendung schliessen$") && x->Aktiviere(frage))
                x->Tasten("alt+j");
            return false;
        })) << Gesehen("after Ctrl+Q");
        const auto platz = x->Rahmen(box);
        ASSERT_TRUE(platz.has_value());
        EXPECT_LE(std::abs(platz->x + platz->breite / 2 - (rahmen->x + rahmen->breite / 2)), 2)
            << "the box lies beside the main window's middle: " << platz->x << " + " << platz->breite << " over "
            << rahmen->x << " + " << rahmen->breite << ": " << Gesehen("with the box");
        EXPECT_EQ(x->Fenster("^Anwendung schliessen"), 0u)
            << "the progress window stays behind the box: " << Gesehen("with the box");
        EXPECT_GT(baum(), baumVorher / 2) << "the tree behind the box is blank: " << Gesehen("with the box");
        ASSERT_TRUE(x->Aktiviere(box)) << Gesehen("with the box");
        x->Tasten("Return");
        EXPECT_EQ(editor->Antwort("ReturnToEts", kFrist), "ReturnToEts keep=1 ok=0") << Gesehen("after the box");
    }
}

TEST_F(InstallateurTest, AStoreTheEditorCannotOpenIsShownInABoxBeforeItEnds)
{
    Stoppe();
    const fs::path kaputt = ordner / "kaputt.db";
    std::ofstream(kaputt) << "kein Projekt";
    editor = std::make_unique<TEditorProzess>(ordner, kaputt);
    const unsigned long box = ErwarteFenster("^Miraval$");
    ASSERT_NE(box, 0u);
    ASSERT_TRUE(x->Aktiviere(box)) << Gesehen("with the box");
    x->Tasten("Return");
    EXPECT_EQ(editor->Ende(kFrist), 1) << Gesehen("after the box's OK");
    EXPECT_NE(editor->Fehlerausgabe().find("is not an ETS project store"), std::string::npos) << editor->Fehlerausgabe();
    editor.reset(); // it has ended: nothing for ETS to stop
}

// ETS stops the editor in the middle of an edit, before the auto-save's first tick: the
// edit's safety copy is offered at the next opening and brings the new inputs back.
TEST_F(InstallateurTest, AStopDuringAnEditKeepsItsSafetyCopyForTheNextOpening)
{
    ASSERT_NE(OeffneGeraet(), 0u);
    InDenBaum();
    WaehleImBaum({"Melder", "Sicherungs-Bereich 1"});
    ASSERT_NO_FATAL_FAILURE(NeueEingaenge("2"));
    Gesehen("after adding two");
    Stoppe();

    editor = std::make_unique<TEditorProzess>(ordner, store);
    editor->Sende("EditParameters 1");
    // "Nicht ordentlich geschlossen", then "Letzte Datensicherung": both "Ja"; then the
    // boxes of the import and of the objects' check against ETS.
    for (const char* titel : {"^Bestätigen$", "^Bestätigen$", "^Import$", "^Ets-Datenbank"}) {
        SCOPED_TRACE(titel);
        unsigned long box = 0;
        ASSERT_TRUE(Warte([&] { return (box = x->Fenster(titel)) != 0 && x->Aktiviere(box); }))
            << "no safety copy was offered: " << Gesehen("at the opening");
        x->Tasten(std::string(titel) == "^Bestätigen$" ? "alt+j" : "Return");
        ASSERT_TRUE(Warte([&] { return x->Fenster(titel) != box; })) << Gesehen("after the answer");
    }
    EXPECT_EQ(editor->Antwort("EditParameters", kFrist), "EditParameters result=1 finished=0");
    hauptfenster = ErwarteFenster("^Alarmzentrale");
    ASSERT_NE(hauptfenster, 0u);
    ASSERT_TRUE(x->Aktiviere(hauptfenster)) << Gesehen("after the restore");
    ASSERT_NO_FATAL_FAILURE(ZurueckZuEts());
    EXPECT_EQ(Melderzahl(Gespeichert()), kDemoMelder + 2) << "the inputs added before the stop are gone";
}

// ETS's lines while the installer types into an input's name or has the Projektierung menu
// open: the cell and the menu stay as the person left them (a line waits for the menu to
// close), and the return stores what the same work without the line stores. A line that shows
// another node (EditObject) leaves the cell first, as a click into the tree does.
TEST_F(InstallateurTest, ALineWhileTypingOrWithAMenuOpenLeavesThePersonsWorkAsItIs)
{
    const std::string objekt = StoreAbfrage(store, "SELECT o.id FROM device_object o JOIN comm_object c ON "
                                                   "c.id = o.comm_object_id WHERE o.device_id = 1 AND c.number = 0");
    enum TZustand { Ohne, Tippen, Menue };
    const struct {
        const char* name;
        TZustand zustand;
        std::string zeile;
        const char* weiter; // typed after the line; null: the line left the cell
    } faelle[] = {
        {"without a line", Ohne, "", " Ost"},
        {"EditParameters while typing", Tippen, "EditParameters 1", " Ost"},
        {"DoDownload2 while typing", Tippen, "DoDownload2 0 0 1 0 0 0 0 0 0", " Ost"},
        {"EditObject while typing", Tippen, "EditObject 0 0 " + objekt.substr(0, objekt.find('\n')), nullptr},
        {"EditParameters with the menu open", Menue, "EditParameters 1", " Ost"},
    };
    std::string ohne;
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        if (f.zustand != Ohne) {
            // A fresh project, as the first was before, in an editor of its own.
            Stoppe();
            const fs::path neu = ordner / std::to_string(&f - faelle);
            fs::create_directories(neu);
            store = neu / "demo.db";
            ASSERT_TRUE(BuildDemoProject(store).ok);
            editor = std::make_unique<TEditorProzess>(neu, store);
        }
        const std::string ereignis = f.zeile.substr(0, f.zeile.find(' '));
        // The keys so far have reached the editor: the screen has settled.
        const auto ruhig = [&] {
            const auto rahmen = x->Rahmen(hauptfenster);
            ASSERT_TRUE(rahmen && x->Ruhig(rahmen->x, rahmen->y, rahmen->breite, rahmen->hoehe));
        };
        ASSERT_NE(OeffneGeraet(), 0u);
        InDenBaum();
        WaehleImBaum({"Melder", "Sicherungs-Bereich 1"});
        // The menu opens on its first enabled entry: "Neue Eingänge hinzufügen ...".
        x->Tasten("alt+p");
        if (f.zustand == Menue) {
            ruhig();
            editor->Sende(f.zeile);
            EXPECT_EQ(editor->Antwort(ereignis, 1), "") << "the line did not wait for the menu: " << Gesehen("with the menu");
        }
        ASSERT_NO_FATAL_FAILURE(NeueEingaenge("1", "Return"));
        if (f.zustand == Menue) {
            EXPECT_NE(editor->Antwort(ereignis, kFrist), "") << "the line kept for the menu was not handled";
        }
        ASSERT_TRUE(x->Aktiviere(hauptfenster)) << Gesehen("after adding");
        // The new input's name, typed on both sides of the line.
        WaehleImBaum({"Neuer"}, false);
        // The editor opens with its text selected: what is typed replaces it.
        x->Tasten("F6 Down Return");
        ruhig();
        x->Tippe("Küche");
        if (f.zustand == Tippen) {
            ruhig();
            editor->Sende(f.zeile);
            EXPECT_NE(editor->Antwort(ereignis, kFrist), "") << Gesehen("after the line");
        }
        if (f.weiter != nullptr) {
            x->Tippe(f.weiter);
            x->Tasten("Return");
        }
        ASSERT_NO_FATAL_FAILURE(ZurueckZuEts());
        const std::string name = std::string("Küche") + (f.weiter != nullptr ? f.weiter : "");
        EXPECT_NE(MitText(Gespeichert(), name), nullptr) << "\"" << name << "\" is not in the store";
        const std::string gespeichert = StoreParameter(store, kDemoAlarmCentreId) +
                                        StoreLinks(store, kDemoAlarmCentreId) +
                                        StoreKonfiguration(store, kDemoAlarmCentreId);
        if (f.zustand == Ohne) {
            ohne = gespeichert;
        } else if (f.weiter != nullptr) {
            EXPECT_TRUE(gespeichert == ohne) << "the store differs from the same work without the line";
        }
    }
}

// ETS stops the editor while the installer types: the safety copy holds what the cell shows.
TEST_F(InstallateurTest, AStopWhileTypingKeepsTheTypedTextInTheSafetyCopy)
{
    ASSERT_NO_FATAL_FAILURE(TippeImErstenMelder("Küche"));
    Stoppe();
    std::vector<fs::path> kopien;
    for (const auto& e : fs::recursive_directory_iterator(ordner))
        if (e.path().filename() == "1.azs")
            kopien.push_back(e.path());
    ASSERT_EQ(kopien.size(), 1u) << "no safety copy was written at the stop";
    std::ifstream datei(kopien.front(), std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(datei)), {});
    DatenContainer::TContainerInhalt inhalt;
    ASSERT_TRUE(DatenContainer::ReadContainer(text, "", [](const std::string&) { return true; }, inhalt).Ok);
    EXPECT_NE(MitText(inhalt.Datensaetze, "Küche"), nullptr) << "the typed text is not in the safety copy";
    editor.reset(); // it has ended
}

// A signal (a shutdown's SIGTERM, Ctrl+C, the terminal gone) while a modal dialog is open: the
// edit's safety copy is written at once, since a shutdown does not wait for the dialog (it
// kills what is left); the editor stops as ETS's stop does once the dialog has closed.
TEST_F(InstallateurTest, ASignalUnderAModalDialogWritesTheSafetyCopyAtOnceAndStopsAfterIt)
{
    const struct {
        const char* name;
        int signal;
        const char* titel;
    } faelle[] = {
        {"SIGTERM under the centre's definition", SIGTERM, "^Definition der Alarmzentrale"},
        {"SIGHUP under the adding dialog", SIGHUP, "^Eingänge hinzufügen"},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        if (&f != faelle) {
            const fs::path neu = ordner / std::to_string(&f - faelle);
            fs::create_directories(neu);
            store = neu / "demo.db";
            ASSERT_TRUE(BuildDemoProject(store).ok);
            editor = std::make_unique<TEditorProzess>(neu, store);
        }
        const fs::path programmOrdner = store.parent_path();
        ASSERT_NE(OeffneGeraet(), 0u);
        const auto rahmen = x->Rahmen(hauptfenster);
        ASSERT_TRUE(rahmen.has_value());
        InDenBaum();
        WaehleImBaum({"Melder", "Sicherungs-Bereich 1"});
        ASSERT_NO_FATAL_FAILURE(NeueEingaenge("2"));
        ASSERT_TRUE(x->Aktiviere(hauptfenster)) << Gesehen("after adding");
        if (std::string(f.titel).find("Definition") != std::string::npos) {
            // The variant's button is on the top node's page.
            InDenBaum();
            ASSERT_TRUE(x->Ruhig(rahmen->x, rahmen->y, rahmen->breite, rahmen->hoehe));
            x->Klicke(rahmen->x + kVarianteKnopfX, rahmen->y + kVarianteKnopfY);
        } else
            x->Klicke(rahmen->x + kKnopfNeueEingaengeX, rahmen->y + kKnopfY);
        const unsigned long dialog = ErwarteFenster(f.titel);
        ASSERT_NE(dialog, 0u);

        editor->Signal(f.signal);
        fs::path kopie;
        EXPECT_TRUE(Warte([&] {
            std::error_code ec;
            for (fs::recursive_directory_iterator e(programmOrdner / "AZ", ec), ende; !ec && e != ende; e.increment(ec))
                if (e->path().filename() == "1.azs")
                    kopie = e->path();
            return !kopie.empty();
        })) << "no safety copy while the dialog is open: " << Gesehen("after the signal");
        EXPECT_EQ(editor->Antwort("UserSvStop", 1), "") << "stopped under the dialog";
        EXPECT_NE(x->Fenster(f.titel), 0u) << Gesehen("after the signal");
        if (!kopie.empty()) {
            std::ifstream datei(kopie, std::ios::binary);
            const std::string text((std::istreambuf_iterator<char>(datei)), {});
            DatenContainer::TContainerInhalt inhalt;
            ASSERT_TRUE(DatenContainer::ReadContainer(text, "", [](const std::string&) { return true; }, inhalt).Ok);
            EXPECT_EQ(Melderzahl(inhalt.Datensaetze), kDemoMelder + 2) << "the copy lacks the inputs added";
        }

        ASSERT_TRUE(x->Aktiviere(dialog)) << Gesehen("with the dialog");
        x->Tasten("Escape");
        EXPECT_EQ(editor->Antwort("UserSvStop", kFrist), "UserSvStop") << Gesehen("after the dialog closed");
        EXPECT_EQ(editor->Ende(kFrist), 0);
        EXPECT_EQ(editor->Fehlerausgabe(), "");
        editor.reset(); // it has ended
    }
}

// ETS stops the editor while the installer types a name too long for its cell: the stop
// answers at once, with no box that waits for somebody to click.
TEST_F(InstallateurTest, AStopWhileATooLongNameIsTypedAnswersWithoutWaitingForABox)
{
    ASSERT_NO_FATAL_FAILURE(TippeImErstenMelder("Kueche im Erdgeschoss links"));
    editor->Sende("UserSvStop");
    EXPECT_EQ(editor->Antwort("UserSvStop", kFrist), "UserSvStop") << Gesehen("after ETS's stop");
    EXPECT_EQ(editor->Ende(kFrist), 0);
    EXPECT_NE(editor->Fehlerausgabe().find("Die maximale Textlänge wurde überschritten."), std::string::npos)
        << editor->Fehlerausgabe();
    editor.reset(); // it has ended
}

// Keys typed ahead of the editor: a new input type chosen and a name typed at once. The page
// rebuild that the type change posted comes after the keys took the person on to the name:
// it waits while the name is typed and goes on in the name's row, and the name is kept with
// the type.
TEST_F(InstallateurTest, KeysTypedAheadAfterATypeChangeKeepTheTypedName)
{
    for (int mal = 0; mal < 3; ++mal) {
        SCOPED_TRACE(mal);
        if (mal > 0) {
            Stoppe();
            const fs::path neu = ordner / std::to_string(mal);
            fs::create_directories(neu);
            store = neu / "demo.db";
            ASSERT_TRUE(BuildDemoProject(store).ok);
            editor = std::make_unique<TEditorProzess>(neu, store);
        }
        ASSERT_NE(OeffneGeraet(), 0u);
        InDenBaum();
        WaehleImBaum({"Melder", "Sicherungs-Bereich F"});
        x->Tasten("plus Down F6");
        const auto rahmen = x->Rahmen(hauptfenster);
        ASSERT_TRUE(rahmen && x->Ruhig(rahmen->x, rahmen->y, rahmen->breite, rahmen->hoehe));
        x->Befehl("xdotool key --delay 0 Return Down Return Down Return R a u m 0 Return");
        ASSERT_TRUE(x->Ruhig(rahmen->x, rahmen->y, rahmen->breite, rahmen->hoehe));
        Gesehen("after the keys");
        ASSERT_NO_FATAL_FAILURE(ZurueckZuEts());
        const std::vector<TDatenStruktur> gespeichert = Gespeichert();
        const TDatenStruktur* raum = MitText(gespeichert, "Raum0");
        ASSERT_NE(raum, nullptr) << "the name typed after the type change is lost";
        // Param3 is the input type; 1 ("Melder sofort") is what the demo's detectors have.
        EXPECT_NE(raum->Param3, 1) << "the input type was not changed";
    }
}
