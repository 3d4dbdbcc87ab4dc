#include "miraval/app/Programmstart.h"

#include "miraval/app/Main.h"
#include "miraval/ui/Geschuetzt.h"
#include "win32/MessageBox.h"

#include <QtGlobal>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <string_view>
#include <utility>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

int StarteGeschuetzt(const std::function<int()>& lauf)
{
    int ergebnis = 0;
    Geschuetzt([&] { ergebnis = lauf(); });
    return ergebnis;
}

std::string StoreGrund(const std::filesystem::path& store, const std::string& meldung)
{
    // What the store's refusal says after its name, and the sentence it is told in.
    static constexpr struct {
        std::string_view englisch;
        const char* anfang;
        const char* ende;
    } kGruende[] = {
        {" does not exist", "Die Projektdatenbank „", "“ gibt es nicht."},
        {" is locked by another program", "Die Projektdatenbank „", "“ ist von einem anderen Programm gesperrt."},
        {" is not an ETS project store", "Die Datei „", "“ ist keine ETS-Projektdatenbank."},
        {" cannot be written", "Die Projektdatenbank „", "“ ist schreibgeschützt."},
        {" cannot be read", "Die Projektdatenbank „", "“ kann nicht gelesen werden (Ein-/Ausgabefehler)."},
    };
    // The file's name is not searched: it may hold any of those words.
    const std::string name = "ETS project store \"" + store.string() + "\"";
    const std::string_view rest =
        std::string_view(meldung).substr(meldung.starts_with(name) ? name.size() : 0);
    for (const auto& grund : kGruende)
        if (rest.starts_with(grund.englisch))
            return grund.anfang + store.string() + grund.ende;
    return "Die Projektdatenbank „" + store.string() + "“ kann nicht geöffnet werden.";
}

int StoreAbgelehnt(std::ostream& fehler, const std::string& programm, const std::filesystem::path& store,
                   const std::string& meldung, bool anzeige)
{
    fehler << programm << ": " << StoreGrund(store, meldung) << " (" << meldung << ")\n" << std::flush;
    if (anzeige)
        StoreAbgelehntBox(store, meldung);
    return 1;
}

void StoreAbgelehntBox(const std::filesystem::path& store, const std::string& meldung)
{
    MessageBox(nullptr, StoreGrund(store, meldung) + "\nDer Editor wird beendet.", GetAnwendungsTitel(),
               MB_OK | MB_ICONERROR);
}

TEtsStatus StorePruefen(const std::filesystem::path& store)
{
    TEts2Cdi ets(nullptr, {}, false);
    return ets.OpenProjectStore(store);
}

namespace {

constexpr std::string_view kLaufzeitPraefix = "miraval-runtime-";

// The name the system keeps of a running process (its program's file name, cut to 15
// characters); empty when no process has that id.
std::string ProzessName(pid_t pid)
{
    std::ifstream datei("/proc/" + std::to_string(pid) + "/comm");
    std::string name;
    std::getline(datei, name);
    return name;
}

} // namespace

void AlteLaufzeitOrdnerEntfernen(const std::filesystem::path& temp)
{
    const std::string eigener = ProzessName(::getpid());
    std::error_code fehler;
    std::filesystem::directory_iterator eintraege(temp, fehler);
    for (; !fehler && eintraege != std::filesystem::directory_iterator(); eintraege.increment(fehler)) {
        const std::filesystem::path pfad = eintraege->path();
        const std::string name = pfad.filename().string();
        if (!name.starts_with(kLaufzeitPraefix))
            continue;
        // miraval-runtime-<pid>-XXXXXX; a folder named otherwise is not judged.
        const char* anfang = name.data() + kLaufzeitPraefix.size();
        const char* ende = name.data() + name.size();
        pid_t pid = 0;
        const auto [zahlEnde, ergebnis] = std::from_chars(anfang, ende, pid);
        if (ergebnis != std::errc() || zahlEnde == ende || *zahlEnde != '-' || pid <= 0)
            continue;
        struct stat info {};
        if (::lstat(pfad.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::geteuid())
            continue;
        // This process has made none yet: one with its id is a dead editor's.
        if (pid != ::getpid() && !eigener.empty() && ProzessName(pid) == eigener)
            continue;
        std::error_code weg;
        std::filesystem::remove_all(pfad, weg);
    }
}

std::vector<std::string> OhneQtOptionen(int argc, const char* const* argv)
{
    // Qt's options of the application and of the X11 platform: those with a value, given as
    // the next argument or after '=', and those without.
    static constexpr std::string_view mitWert[] = {
        "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry", "geometry",
        "qwindowtitle", "title", "qwindowicon", "icon", "session", "display", "name", "style", "stylesheet"};
    static constexpr std::string_view ohneWert[] = {"reverse", "testability", "widgetcount", "nograb", "dograb",
                                                    "sync"};
    const auto eines = [](std::string_view name, const auto& liste) {
        return std::find(std::begin(liste), std::end(liste), name) != std::end(liste);
    };
    std::vector<std::string> uebrig;
    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        // Qt takes "-name" and "--name" alike.
        std::string_view name = arg.starts_with("--") ? arg.substr(2) : arg.starts_with('-') ? arg.substr(1) : "";
        const std::size_t gleich = name.find('=');
        if (gleich != std::string_view::npos) {
            if (eines(name.substr(0, gleich), mitWert) || name.starts_with("qmljsdebugger"))
                continue;
        } else if (eines(name, ohneWert)) {
            continue;
        } else if (eines(name, mitWert) && i + 1 < argc) {
            ++i;
            continue;
        }
        uebrig.emplace_back(arg);
    }
    return uebrig;
}

TLaufzeitOrdner::TLaufzeitOrdner()
{
    std::error_code fehler;
    // An absolute path: TMPDIR may name a relative one, and the folder must be found from
    // wherever the program later works.
    std::filesystem::path temp = std::filesystem::temp_directory_path(fehler);
    if (!fehler)
        temp = std::filesystem::absolute(temp, fehler);
    if (fehler)
        return;
    AlteLaufzeitOrdnerEntfernen(temp);
    if (const char* gesetzt = std::getenv("XDG_RUNTIME_DIR"); gesetzt != nullptr && *gesetzt != '\0')
        return;
    // mkdtemp makes the folder for the owner only, as Qt demands of a runtime folder. The
    // process id in the name lets a later start tell whether its editor still runs.
    std::string muster = (temp / (std::string(kLaufzeitPraefix) + std::to_string(::getpid()) + "-XXXXXX")).string();
    if (::mkdtemp(muster.data()) == nullptr)
        return;
    m_pfad = std::move(muster);
    ::setenv("XDG_RUNTIME_DIR", m_pfad.c_str(), 1);
}

TLaufzeitOrdner::~TLaufzeitOrdner()
{
    if (m_pfad.empty())
        return;
    ::unsetenv("XDG_RUNTIME_DIR");
    std::error_code fehler;
    std::filesystem::remove_all(m_pfad, fehler);
}

namespace {

struct TMeldungsFilter {
    std::string programm;
    const TLaufzeitOrdner* laufzeit = nullptr;
    QtMessageHandler vorher = nullptr;
    bool start = false;
    bool stumm = false; // the reason to end went to standard error already
    struct TGehalten {
        QtMsgType typ;
        QString text;
        QByteArray datei, funktion, kategorie;
        int zeile;
    };
    std::vector<TGehalten> gehalten;
};

TMeldungsFilter* g_filter = nullptr;

// The plugins say these on every run of the offscreen platform; nothing can be done about
// them and they hide the lines that matter.
bool Harmlos(const QString& text)
{
    return text == QLatin1String("This plugin does not support raise()") ||
           text == QLatin1String("This plugin does not support propagateSizeHints()");
}

void Weiter(QtMsgType typ, const QMessageLogContext& kontext, const QString& text)
{
    if (g_filter->vorher != nullptr)
        g_filter->vorher(typ, kontext, text);
}

void MeldungsFilter(QtMsgType typ, const QMessageLogContext& kontext, const QString& text)
{
    if (g_filter->start) {
        if (typ == QtFatalMsg) {
            // The window system could not be opened: what Qt said before is its detail of
            // the same failure. _Exit, since Qt is half made and must not be torn down.
            if (!g_filter->stumm)
                std::fprintf(stderr, "%s\n", KeineAnzeigeText(g_filter->programm).c_str());
            std::fflush(stderr);
            std::fflush(stdout);
            if (g_filter->laufzeit != nullptr && !g_filter->laufzeit->Pfad().empty()) {
                std::error_code fehler;
                std::filesystem::remove_all(g_filter->laufzeit->Pfad(), fehler);
            }
            std::_Exit(1);
        }
        g_filter->gehalten.push_back({typ, text, kontext.file, kontext.function, kontext.category, kontext.line});
        return;
    }
    if (Harmlos(text))
        return;
    Weiter(typ, kontext, text);
}

} // namespace

TQtMeldungen::TQtMeldungen(std::string programm, const TLaufzeitOrdner& laufzeit)
{
    g_filter = new TMeldungsFilter;
    g_filter->programm = std::move(programm);
    g_filter->laufzeit = &laufzeit;
    g_filter->vorher = qInstallMessageHandler(MeldungsFilter);
}

TQtMeldungen::~TQtMeldungen()
{
    qInstallMessageHandler(g_filter->vorher);
    delete std::exchange(g_filter, nullptr);
}

void TQtMeldungen::AnzeigeOeffnen(bool nurFuerBox)
{
    g_filter->start = true;
    g_filter->stumm = nurFuerBox;
}

void TQtMeldungen::AnzeigeOffen()
{
    g_filter->start = false;
    for (const auto& m : std::exchange(g_filter->gehalten, {})) {
        const QMessageLogContext kontext(m.datei.constData(), m.zeile, m.funktion.constData(),
                                         m.kategorie.constData());
        MeldungsFilter(m.typ, kontext, m.text);
    }
}

std::string KeineAnzeigeText(const std::string& programm)
{
    // What the environment asked Qt for; a platform named in QT_QPA_PLATFORM is among it.
    std::string verlangt;
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        if (const char* wert = std::getenv(name); wert != nullptr && *wert != '\0')
            verlangt += (verlangt.empty() ? "" : ", ") + std::string(name) + "=" + wert;
        else if (name == std::string_view("DISPLAY"))
            verlangt += "DISPLAY is not set";
    }
    return programm + ": no display could be opened (" + verlangt +
           "); to run without one, start it with QT_QPA_PLATFORM=offscreen";
}
