#include "XSitzung.h"

#include "support/VonHandHome.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <poll.h>
#include <regex>
#include <sstream>
#include <thread>
#include <unistd.h>

namespace {

std::string Quote(const std::string& text)
{
    std::string q = "'";
    for (char c : text)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

// Run by hand, the suite, the window manager and the editor write into a home of their own.
const bool g_home = (VonHandEigenesHome(), true);

} // namespace

std::string TXSitzung::FehlendeWerkzeuge()
{
    std::string fehlend;
    for (const char* werkzeug : {"Xvfb", "openbox", "xdotool", "xprop", "xwininfo", "xmessage", "import", "xmodmap"})
        if (std::system(("command -v " + std::string(werkzeug) + " >/dev/null 2>&1").c_str()) != 0)
            fehlend += std::string(fehlend.empty() ? "" : ", ") + werkzeug;
    return fehlend;
}

TXSitzung::TXSitzung()
{
    std::array<int, 2> rohr{};
    if (::pipe(rohr.data()) != 0) {
        m_fehler = "no pipe for Xvfb's display number";
        return;
    }
    m_xvfb = std::make_unique<TKindprozess>(
        std::vector<std::string>{"Xvfb", "-displayfd", std::to_string(rohr[1]), "-screen", "0", "1280x1024x24",
                                 "-nolisten", "tcp", "-noreset"},
        -1, -1, -1, rohr[1]);
    ::close(rohr[1]);
    std::string nummer;
    pollfd warte{rohr[0], POLLIN, 0};
    char zeichen = 0;
    while (::poll(&warte, 1, static_cast<int>(kFrist * 1000)) > 0 && ::read(rohr[0], &zeichen, 1) == 1 && zeichen != '\n')
        nummer += zeichen;
    ::close(rohr[0]);
    if (nummer.empty()) {
        m_fehler = "Xvfb gave no display number";
        return;
    }
    m_display = ":" + nummer;
    ::setenv("DISPLAY", m_display.c_str(), 1);
    m_wm = std::make_unique<TKindprozess>(std::vector<std::string>{"openbox"}, -1, -1, -1);
    // The window manager is ready once it announces itself on the root window.
    const auto ende = std::chrono::steady_clock::now() + std::chrono::duration<double>(kFrist);
    while (Befehl("xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null").find("window id") == std::string::npos) {
        if (std::chrono::steady_clock::now() > ende || !m_wm->Laeuft()) {
            m_fehler = "openbox did not start on " + m_display;
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    // The umlauts get keys of their own, as on an installer's German keyboard. Otherwise
    // xdotool binds a spare key for each of them and unbinds it right after the press, and a
    // program still busy then reads the key with the binding gone: the letter is lost.
    if (Befehl("xmodmap -e 'keycode 249 = adiaeresis Adiaeresis' -e 'keycode 250 = odiaeresis Odiaeresis'"
               " -e 'keycode 251 = udiaeresis Udiaeresis' -e 'keycode 252 = ssharp' 2>&1; echo $?") != "0\n")
        m_fehler = "the umlaut keys could not be set on " + m_display;
}

TXSitzung::~TXSitzung()
{
    if (m_wm)
        m_wm->Beende();
    if (m_xvfb)
        m_xvfb->Beende();
}

std::string TXSitzung::Befehl(const std::string& befehl) const
{
    const std::string voll = "DISPLAY=" + m_display + " " + befehl;
    FILE* rohr = ::popen(voll.c_str(), "r");
    if (rohr == nullptr)
        return {};
    std::string aus;
    std::array<char, 4096> puffer{};
    std::size_t n = 0;
    while ((n = std::fread(puffer.data(), 1, puffer.size(), rohr)) > 0)
        aus.append(puffer.data(), n);
    ::pclose(rohr);
    return aus;
}

unsigned long TXSitzung::Fenster(const std::string& titel, unsigned long ausser) const
{
    std::istringstream ids(Befehl("xdotool search --onlyvisible --name " + Quote(titel) + " 2>/dev/null"));
    unsigned long id = 0;
    // Only top-level windows that the window manager manages carry WM_STATE.
    while (ids >> id)
        if (id != ausser && !Zustand(id).empty())
            return id;
    return 0;
}

std::string TXSitzung::SichtbareTitel() const
{
    std::istringstream ids(Befehl("xdotool search --onlyvisible --name . 2>/dev/null"));
    std::string titel;
    unsigned long id = 0;
    while (ids >> id)
        if (!Zustand(id).empty()) {
            std::string name = Befehl("xdotool getwindowname " + std::to_string(id) + " 2>/dev/null");
            if (!name.empty() && name.back() == '\n')
                name.pop_back();
            titel += (titel.empty() ? "\"" : ", \"") + name + "\"";
        }
    return titel.empty() ? "no window" : titel;
}

std::string TXSitzung::Zustand(unsigned long fenster) const
{
    const std::string aus = Befehl("xprop -id " + std::to_string(fenster) + " WM_STATE 2>/dev/null");
    std::smatch treffer;
    if (std::regex_search(aus, treffer, std::regex("window state: (\\w+)")))
        return treffer[1];
    return {};
}

std::optional<TFensterRahmen> TXSitzung::Rahmen(unsigned long fenster) const
{
    const std::string info = Befehl("xwininfo -id " + std::to_string(fenster) + " 2>/dev/null");
    const std::string kanten = Befehl("xprop -id " + std::to_string(fenster) + " _NET_FRAME_EXTENTS 2>/dev/null");
    auto wert = [&](const char* name) -> std::optional<int> {
        std::smatch treffer;
        if (std::regex_search(info, treffer, std::regex(std::string(name) + ":\\s+(-?\\d+)")))
            return std::stoi(treffer[1]);
        return std::nullopt;
    };
    const auto x = wert("Absolute upper-left X"), y = wert("Absolute upper-left Y"), b = wert("Width"),
               h = wert("Height");
    if (!x || !y || !b || !h)
        return std::nullopt;
    TFensterRahmen rahmen{*x, *y, *b, *h, 0, 0};
    std::smatch treffer;
    // left, right, top, bottom
    if (std::regex_search(kanten, treffer, std::regex("= (\\d+), (\\d+), (\\d+), (\\d+)"))) {
        rahmen.links = std::stoi(treffer[1]);
        rahmen.oben = std::stoi(treffer[3]);
    }
    return rahmen;
}

bool TXSitzung::Aktiviere(unsigned long fenster) const
{
    // A window that has only just been mapped may refuse the focus: ask again until it has it,
    // or until the window manager has let it go (a progress window that closes while a box of
    // the same title opens): the caller looks for the window again.
    const std::string id = std::to_string(fenster);
    const auto ende = std::chrono::steady_clock::now() + std::chrono::duration<double>(kFrist);
    while (std::chrono::steady_clock::now() < ende && !Zustand(fenster).empty()) {
        Befehl("xdotool windowactivate " + id + " 2>/dev/null");
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        if (std::stoul("0" + Befehl("xdotool getactivewindow 2>/dev/null")) == fenster)
            return true;
    }
    return false;
}

void TXSitzung::Tasten(const std::string& tasten) const
{
    Befehl("xdotool key --delay 60 " + tasten);
}

void TXSitzung::Tippe(const std::string& text) const
{
    Befehl("xdotool type --delay 80 " + Quote(text));
}

void TXSitzung::Klicke(int x, int y) const
{
    // "mousemove --sync" waits for a motion event, and none comes when the pointer already
    // lies at the target: move, then ask where the pointer is until it is there.
    const std::string ort = std::to_string(x) + " " + std::to_string(y);
    const std::string dort = "x:" + std::to_string(x) + " y:" + std::to_string(y) + " ";
    Befehl("xdotool mousemove " + ort);
    const auto ende = std::chrono::steady_clock::now() + std::chrono::duration<double>(kFrist);
    while (Befehl("xdotool getmouselocation 2>/dev/null").rfind(dort, 0) != 0 && std::chrono::steady_clock::now() < ende)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    Befehl("xdotool click 1");
}

std::filesystem::path TXSitzung::Bildschirmfoto(const std::string& name) const
{
    const std::filesystem::path ordner = MIRAVAL_ARTEFACT_DIR;
    std::filesystem::create_directories(ordner);
    const std::filesystem::path datei = ordner / (name + ".png");
    Befehl("import -window root " + Quote(datei.string()) + " 2>/dev/null");
    return datei;
}

namespace {

std::string Ausschnitt(int x, int y, int breite, int hoehe)
{
    return "import -window root -crop " + std::to_string(breite) + "x" + std::to_string(hoehe) + "+" +
           std::to_string(x) + "+" + std::to_string(y) + " png:- 2>/dev/null";
}

} // namespace

std::string TXSitzung::Bildsignatur(int x, int y, int breite, int hoehe) const
{
    return Befehl(Ausschnitt(x, y, breite, hoehe) + " | identify -format '%#' -");
}

bool TXSitzung::Ruhig(int x, int y, int breite, int hoehe) const
{
    const auto ende = std::chrono::steady_clock::now() + std::chrono::duration<double>(kFrist);
    std::string vorher = Bildsignatur(x, y, breite, hoehe);
    while (std::chrono::steady_clock::now() < ende) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        const std::string jetzt = Bildsignatur(x, y, breite, hoehe);
        if (!jetzt.empty() && jetzt == vorher)
            return true;
        vorher = jetzt;
    }
    return false;
}

std::string TXSitzung::Farbe(int x, int y) const
{
    return Befehl(Ausschnitt(x, y, 1, 1) + " | convert - -format '#%[hex:p{0,0}]' info:");
}

std::string TXSitzung::HaeufigsteFarbe(int x, int y, int breite, int hoehe) const
{
    std::istringstream zeilen(Befehl(Ausschnitt(x, y, breite, hoehe) + " | convert - -format %c histogram:info:-"));
    std::string zeile, farbe;
    long meiste = -1;
    std::smatch treffer;
    static const std::regex muster("^\\s*(\\d+):.*(#[0-9A-Fa-f]{6})\\b");
    while (std::getline(zeilen, zeile))
        if (std::regex_search(zeile, treffer, muster) && std::stol(treffer[1]) > meiste) {
            meiste = std::stol(treffer[1]);
            farbe = treffer[2];
        }
    return farbe;
}

int TXSitzung::Farbpixel(int x, int y, int breite, int hoehe, const std::string& farbe) const
{
    // The pixels that differ from a plain area of that colour, at a tolerance that takes in
    // the shades of one gradient.
    const std::string anders = Befehl(Ausschnitt(x, y, breite, hoehe) + " | convert - \\( +clone -fill " + Quote(farbe) +
                                      " -colorize 100 \\) -alpha off -fuzz 10% -metric AE -compare -format '%[distortion]' info:");
    try {
        return breite * hoehe - static_cast<int>(std::stod(anders));
    } catch (const std::exception&) {
        return -1;
    }
}

bool TXSitzung::ZeigtGanzenTitel(unsigned long fenster) const
{
    std::string titel = Befehl("xdotool getwindowname " + std::to_string(fenster) + " 2>/dev/null");
    if (!titel.empty() && titel.back() == '\n')
        titel.pop_back();
    const auto rahmen = Rahmen(fenster);
    if (titel.empty() || !rahmen)
        return false;
    // Openbox draws the title centred on a vertical gradient: the reference's text, cut out
    // of its title bar, is found pixel for pixel in a title bar that shows the whole title.
    const std::filesystem::path ordner =
        std::filesystem::temp_directory_path() / ("miraval-titel-" + std::to_string(::getpid()) + "-" + m_display.substr(1));
    std::filesystem::create_directories(ordner);
    const auto titelleiste = [&](const TFensterRahmen& r, const std::filesystem::path& datei) {
        Befehl(Ausschnitt(r.x - r.links, r.y - r.oben, r.breite + 2 * r.links, r.oben) + " | convert - +repage " + Quote(datei.string()));
    };
    const std::string referenz = Quote((ordner / "referenz.png").string());
    const std::string text = Quote((ordner / "text.png").string());
    bool gefunden = false;
    {
        // Wide enough that its title bar shows the whole title far from the buttons.
        constexpr int kBreite = 600, kRand = 100;
        TKindprozess xmessage({"xmessage", "-title", titel, "-geometry", std::to_string(kBreite) + "x80", ""}, -1, -1, -1);
        unsigned long id = 0;
        const auto ende = std::chrono::steady_clock::now() + std::chrono::duration<double>(kFrist);
        while (id == 0 && std::chrono::steady_clock::now() < ende) {
            std::istringstream ids(Befehl("xdotool search --onlyvisible --class Xmessage 2>/dev/null"));
            for (unsigned long kandidat = 0; ids >> kandidat;)
                if (!Zustand(kandidat).empty())
                    id = kandidat;
            if (id == 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        const auto referenzRahmen = id != 0 ? Rahmen(id) : std::nullopt;
        if (referenzRahmen && Aktiviere(id)) {
            titelleiste(*referenzRahmen, ordner / "referenz.png");
            // The text's bright pixels between the buttons, with a pixel around for its shadow.
            const std::string mitte = std::to_string(kBreite - 2 * kRand) + "x" + std::to_string(referenzRahmen->oben) + "+" +
                                      std::to_string(kRand) + "+0";
            std::smatch feld;
            const std::string umriss = Befehl("convert " + referenz + " -crop " + mitte +
                                              " +repage -colorspace gray -threshold 90% -format %@ info:");
            if (std::regex_search(umriss, feld, std::regex("^(\\d+)x(\\d+)\\+(\\d+)\\+(\\d+)$")) && std::stoi(feld[1]) > 1) {
                const std::string ausschnitt = std::to_string(std::stoi(feld[1]) + 2) + "x" + std::to_string(std::stoi(feld[2]) + 2) +
                                               "+" + std::to_string(kRand + std::stoi(feld[3]) - 1) + "+" +
                                               std::to_string(std::stoi(feld[4]) - 1);
                Befehl("convert " + referenz + " -crop " + ausschnitt + " +repage " + text);
                gefunden = true;
            }
        }
    }
    bool ganz = false;
    if (gefunden && Aktiviere(fenster)) {
        titelleiste(*rahmen, ordner / "fenster.png");
        // "RMSE (normalised) @ x,y": 0 where the text lies unchanged.
        const std::string vergleich = Befehl("compare -metric RMSE -subimage-search " +
                                             Quote((ordner / "fenster.png").string()) + " " + text + " null: 2>&1");
        std::smatch wert;
        if (std::regex_search(vergleich, wert, std::regex("\\(([0-9.e-]+)\\)")))
            ganz = std::stod(wert[1]) < 0.02;
    }
    std::filesystem::remove_all(ordner);
    return ganz;
}

double TXSitzung::DunklerAnteil(int x, int y, int breite, int hoehe) const
{
    const std::string anteil = Befehl(Ausschnitt(x, y, breite, hoehe) +
                                      " | convert - -colorspace gray -threshold 50% -format '%[fx:1-mean]' info:");
    try {
        return std::stod(anteil);
    } catch (const std::exception&) {
        return -1;
    }
}
