#include "Installateur.h"

#include "DemoProject.h"
#include "miraval/devinst/DatenContainer.h"

#include <chrono>
#include <cstdlib>
#include <system_error>
#include <thread>
#include <utility>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// The running test's screenshots are named "<test>-<pid>-<n>.png".
std::string BildPraefix()
{
    return std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "-" +
           std::to_string(::getpid()) + "-";
}

// The file names of the running test's screenshots in the artefact folder.
std::vector<std::string> EigeneBilder()
{
    std::vector<std::string> namen;
    std::error_code ec;
    for (fs::directory_iterator e(MIRAVAL_ARTEFACT_DIR, ec), ende; !ec && e != ende; e.increment(ec))
        if (std::string name = e->path().filename().string(); name.rfind(BildPraefix(), 0) == 0)
            namen.push_back(std::move(name));
    return namen;
}

} // namespace

void InstallateurTest::SetUp()
{
    if (const std::string fehlend = TXSitzung::FehlendeWerkzeuge(); !fehlend.empty()) {
        // Any CI value but an empty one, "false" or "0" means a CI run, where a missing tool
        // is a fault of the machine's set-up.
        const std::string ci = std::getenv("CI") != nullptr ? std::getenv("CI") : "";
        if (!ci.empty() && ci != "false" && ci != "0")
            FAIL() << "the end-to-end suite needs " << fehlend << " (make test installs them)";
        GTEST_SKIP() << "no X display tools: " << fehlend << " missing (make test installs them)";
    }
    const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    ordner = fs::temp_directory_path() / ("miraval-e2e-" + std::to_string(::getpid()) + "-" + name);
    fs::remove_all(ordner);
    fs::create_directories(ordner);
    store = ordner / "demo.db";
    ASSERT_TRUE(BuildDemoProject(store).ok);
    x = std::make_unique<TXSitzung>();
    ASSERT_TRUE(x->Bereit()) << x->Fehler();
    editor = std::make_unique<TEditorProzess>(ordner, store);
}

void InstallateurTest::TearDown()
{
    // The picture of the end is taken while the windows are still up: ETS's stop ends them,
    // and a failure of the stop itself is seen with the windows it came from.
    std::string amEnde;
    if (x && x->Bereit())
        amEnde = Gesehen("at the end");
    if (editor && x && x->Bereit() && !HasFailure())
        Stoppe();
    // A passing test keeps none of its screenshots: only a failure's are left to look at.
    if (!HasFailure()) {
        std::error_code ec;
        for (const fs::path& bild : bilder)
            fs::remove(bild, ec);
        EXPECT_EQ(EigeneBilder(), std::vector<std::string>{}) << "a passing test left screenshots";
    }
    if (!amEnde.empty() && HasFailure())
        std::cout << amEnde << '\n';
    if (HasFailure() && amEnde.starts_with("the person saw no window") && !zuletzt.empty())
        std::cout << "before, " << zuletzt << '\n';
    if (editor && HasFailure())
        std::cout << "the editor's standard error: \"" << editor->Fehlerausgabe() << "\"\n";
    editor.reset();
    x.reset();
    // What a failure leaves to look at is printed above and kept in the artefact folder.
    fs::remove_all(ordner);
}

std::string InstallateurTest::Gesehen(const std::string& wann)
{
    // A picture of no window is a black screen: nothing to keep.
    const std::string titel = x->SichtbareTitel();
    if (titel == "no window")
        return "the person saw no window " + wann;
    static int nummer = 0;
    const fs::path bild = x->Bildschirmfoto(BildPraefix() + std::to_string(++nummer));
    bilder.push_back(bild);
    zuletzt = "the person saw " + titel + " " + wann + " (screenshot " + bild.string() + ")";
    return zuletzt;
}

void InstallateurTest::Festhalten()
{
    const fs::path vorher = std::exchange(festgehalten, fs::path());
    const std::size_t anzahl = bilder.size();
    Gesehen("at the last step");
    if (bilder.size() == anzahl)
        return; // no window: the last picture stays the last
    festgehalten = bilder.back();
    std::error_code ec;
    if (!vorher.empty())
        fs::remove(vorher, ec);
}

bool InstallateurTest::Warte(const std::function<bool()>& bedingung, double sekunden)
{
    const auto ende = std::chrono::steady_clock::now() + std::chrono::duration<double>(sekunden);
    while (!bedingung()) {
        if (std::chrono::steady_clock::now() > ende)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return true;
}

unsigned long InstallateurTest::ErwarteFenster(const std::string& titel)
{
    unsigned long id = 0;
    if (!Warte([&] { return (id = x->Fenster(titel)) != 0; }))
        ADD_FAILURE() << "no window \"" << titel << "\" appeared: " << Gesehen("instead");
    else
        Festhalten();
    return id;
}

unsigned long InstallateurTest::OeffneGeraet()
{
    editor->Sende("EditParameters 1");
    EXPECT_EQ(editor->Antwort("EditParameters", kFrist), "EditParameters result=1 finished=0")
        << editor->Fehlerausgabe();
    hauptfenster = ErwarteFenster("^Alarmzentrale");
    if (hauptfenster == 0)
        return 0;
    EXPECT_TRUE(Warte([&] { return x->Zustand(hauptfenster) == "Normal"; }))
        << "the editor's window is " << x->Zustand(hauptfenster) << ", not shown: " << Gesehen("after EditParameters");
    EXPECT_TRUE(x->Aktiviere(hauptfenster)) << "the editor's window takes no focus: " << Gesehen("when clicked");
    // The project window takes its place in the main window once the main window is laid
    // out: where the main window lies (the window manager may still move it, maximising it),
    // its tree shows the top node, and the picture of the client area has settled there.
    const bool gelegt = Warte([&] {
        const auto rahmen = x->Rahmen(hauptfenster);
        if (!rahmen || x->DunklerAnteil(rahmen->x + kBaumX, rahmen->y + kBaumY, kBaumBreite, kBaumZeileHoehe) <= 0.01 ||
            !x->Ruhig(rahmen->x, rahmen->y, rahmen->breite, rahmen->hoehe))
            return false;
        const auto danach = x->Rahmen(hauptfenster);
        return danach && danach->x == rahmen->x && danach->y == rahmen->y && danach->breite == rahmen->breite &&
               danach->hoehe == rahmen->hoehe;
    });
    EXPECT_TRUE(gelegt) << "the main window shows no settled tree: " << Gesehen("after EditParameters");
    Festhalten();
    return gelegt ? hauptfenster : 0;
}

void InstallateurTest::TippeImErstenMelder(const std::string& text)
{
    ASSERT_NE(OeffneGeraet(), 0u);
    InDenBaum();
    WaehleImBaum({"Melder", "Sicherungs-Bereich F"});
    x->Tasten("plus Down F6 Down Return");
    const auto rahmen = x->Rahmen(hauptfenster);
    ASSERT_TRUE(rahmen && x->Ruhig(rahmen->x, rahmen->y, rahmen->breite, rahmen->hoehe));
    x->Tippe(text);
    ASSERT_TRUE(x->Ruhig(rahmen->x, rahmen->y, rahmen->breite, rahmen->hoehe));
}

void InstallateurTest::InDenBaum()
{
    const auto rahmen = x->Rahmen(hauptfenster);
    ASSERT_TRUE(rahmen.has_value());
    x->Klicke(rahmen->x + kBaumX + 64, rahmen->y + kBaumY + kBaumZeileHoehe / 2);
}

void InstallateurTest::NeueEingaenge(const std::string& anzahl, const std::string& tasten)
{
    const auto rahmen = x->Rahmen(hauptfenster);
    ASSERT_TRUE(rahmen.has_value());
    if (tasten.empty())
        x->Klicke(rahmen->x + kKnopfNeueEingaengeX, rahmen->y + kKnopfY);
    else
        x->Tasten(tasten);
    const unsigned long dialog = ErwarteFenster("^Eingänge hinzufügen");
    ASSERT_NE(dialog, 0u);
    ASSERT_TRUE(x->Aktiviere(dialog)) << Gesehen("with the dialog");
    x->Tippe(anzahl);
    x->Tasten("Return");
    ASSERT_TRUE(Warte([&] { return x->Fenster("^Eingänge hinzufügen") == 0; })) << Gesehen("while adding");
}

void InstallateurTest::WaehleImBaum(const std::vector<std::string>& pfad, bool vonOben)
{
    // The tree's type-ahead takes every character typed within Qt's interval (400 ms) as one
    // word, the "+" that expands a node among them: a word starts only after a longer pause.
    if (vonOben)
        x->Tasten("Home");
    for (std::size_t i = 0; i < pfad.size(); ++i) {
        // "+" expands the node (an expanded one stays), Down goes to its first child.
        if (i > 0 || !vonOben)
            x->Tasten("plus Down");
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        x->Tippe(pfad[i]);
    }
}

std::string InstallateurTest::BeantworteFragenBisZurueck()
{
    std::string antwort;
    Warte([&] {
        antwort = editor->Antwort("ReturnToEts", 0.5);
        if (!antwort.empty())
            return true;
        // A question box is any window but the main one: the installer answers "Ja".
        if (const unsigned long frage = x->Fenster(".", hauptfenster); frage != 0 && x->Aktiviere(frage))
            x->Tasten("alt+j");
        return false;
    });
    return antwort;
}

void InstallateurTest::ZurueckZuEts()
{
    Festhalten();
    x->Tasten("ctrl+q");
    ASSERT_EQ(BeantworteFragenBisZurueck(), "ReturnToEts keep=1") << Gesehen("after Ctrl+Q");
    ASSERT_TRUE(Warte([&] { return x->Fenster("^Alarmzentrale") == 0; })) << Gesehen("after the return");
}

void InstallateurTest::Stoppe()
{
    editor->Sende("UserSvStop");
    EXPECT_EQ(editor->Antwort("UserSvStop", kFrist), "UserSvStop") << Gesehen("at ETS's stop");
    EXPECT_EQ(editor->Ende(kFrist), 0) << "the editor did not end well at ETS's stop";
    EXPECT_EQ(editor->Fehlerausgabe(), "") << "the editor wrote to standard error";
}

std::vector<TDatenStruktur> InstallateurTest::Gespeichert()
{
    TEts2Cdi leser(nullptr, kDemoModuleName, false);
    EXPECT_TRUE(leser.OpenProjectStore(store).ok);
    const uint8_t* puffer = nullptr;
    uint32_t laenge = 0;
    EXPECT_TRUE(leser.BlobRead(puffer, laenge, kDemoAlarmCentreId));
    DatenContainer::TContainerInhalt inhalt;
    EXPECT_TRUE(DatenContainer::ReadContainer(std::string_view(reinterpret_cast<const char*>(puffer), laenge),
                                              "demo", [](const std::string&) { return true; }, inhalt)
                    .Ok);
    return inhalt.Datensaetze;
}
