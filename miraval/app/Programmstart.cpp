#include "miraval/app/Programmstart.h"

#include "miraval/app/Main.h"
#include "miraval/ui/Geschuetzt.h"
#include "win32/MessageBox.h"

#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <ostream>
#include <string_view>
#include <utility>
#include <vector>

#include <unistd.h>

int StarteGeschuetzt(const std::function<int()>& lauf)
{
    int ergebnis = 0;
    Geschuetzt([&] { ergebnis = lauf(); });
    return ergebnis;
}

int StoreAbgelehnt(std::ostream& fehler, const std::string& programm, const std::string& grund, bool anzeige)
{
    fehler << programm << ": " << grund << '\n' << std::flush;
    if (anzeige)
        MessageBox(nullptr, grund, GetAnwendungsTitel(), MB_OK | MB_ICONERROR);
    return 1;
}

TLaufzeitOrdner::TLaufzeitOrdner()
{
    if (const char* gesetzt = std::getenv("XDG_RUNTIME_DIR"); gesetzt != nullptr && *gesetzt != '\0')
        return;
    std::error_code fehler;
    // An absolute path: TMPDIR may name a relative one, and the folder must be found from
    // wherever the program later works.
    std::filesystem::path temp = std::filesystem::temp_directory_path(fehler);
    if (!fehler)
        temp = std::filesystem::absolute(temp, fehler);
    if (fehler)
        return;
    // mkdtemp makes the folder for the owner only, as Qt demands of a runtime folder.
    std::string muster = (temp / "miraval-runtime-XXXXXX").string();
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

void TQtMeldungen::AnzeigeOeffnen()
{
    g_filter->start = true;
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
