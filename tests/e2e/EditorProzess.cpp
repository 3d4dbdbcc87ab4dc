#include "EditorProzess.h"

#include <array>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

TEditorProzess::TEditorProzess(const fs::path& ordner, const fs::path& store) : m_ordner(ordner)
{
    ::signal(SIGPIPE, SIG_IGN);
    // The program finds its libraries by its run path; what else lies beside it (the
    // quick-help text) goes with it.
    const fs::path quelle = fs::path(MIRAVAL_PROGRAM).parent_path();
    for (const auto& eintrag : fs::directory_iterator(quelle))
        if (eintrag.is_regular_file() && eintrag.path().extension() == ".rtf")
            fs::copy_file(eintrag.path(), ordner / eintrag.path().filename(), fs::copy_options::overwrite_existing);
    const fs::path programm = ordner / "miraval";
    fs::copy_file(MIRAVAL_PROGRAM, programm, fs::copy_options::overwrite_existing);
    // Qt warns on standard error without a runtime folder; the editor's own messages must
    // be the only ones there.
    const fs::path laufzeit = ordner / "runtime";
    fs::create_directories(laufzeit);
    fs::permissions(laufzeit, fs::perms::owner_all, fs::perm_options::replace);
    ::setenv("XDG_RUNTIME_DIR", laufzeit.c_str(), 1);
    ::setenv("QT_QPA_PLATFORM", "xcb", 1);
    ::unsetenv("MIRAVAL_SCREENSHOTS");

    std::array<int, 2> ein{}, aus{};
    if (::pipe2(ein.data(), O_CLOEXEC) != 0 || ::pipe2(aus.data(), O_CLOEXEC) != 0)
        throw std::runtime_error("no pipes for the editor");
    const int fehler = ::open((ordner / "stderr").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const fs::path alt = fs::current_path();
    fs::current_path(ordner);
    m_prozess = std::make_unique<TKindprozess>(
        std::vector<std::string>{programm.string(), "244_ID", "--ets-project", store.string()}, ein[0], aus[1], fehler);
    fs::current_path(alt);
    ::close(ein[0]);
    ::close(aus[1]);
    ::close(fehler);
    m_ein = ein[1];
    m_aus = aus[0];
}

TEditorProzess::~TEditorProzess()
{
    SchliesseEingabe();
    m_prozess->Beende();
    if (m_aus >= 0)
        ::close(m_aus);
}

void TEditorProzess::Signal(int nummer)
{
    ::kill(m_prozess->Pid(), nummer);
}

void TEditorProzess::Sende(const std::string& zeile)
{
    const std::string text = zeile + "\n";
    if (m_ein >= 0)
        (void)!::write(m_ein, text.data(), text.size());
}

void TEditorProzess::SchliesseEingabe()
{
    if (m_ein >= 0)
        ::close(m_ein);
    m_ein = -1;
}

void TEditorProzess::Lies()
{
    std::array<char, 4096> puffer{};
    pollfd bereit{m_aus, POLLIN, 0};
    while (m_aus >= 0 && ::poll(&bereit, 1, 0) > 0) {
        const ssize_t n = ::read(m_aus, puffer.data(), puffer.size());
        if (n <= 0) {
            ::close(m_aus);
            m_aus = -1;
            break;
        }
        m_rest.append(puffer.data(), static_cast<std::size_t>(n));
    }
    for (std::size_t nl; (nl = m_rest.find('\n')) != std::string::npos; m_rest.erase(0, nl + 1))
        m_zeilen.push_back(m_rest.substr(0, nl));
}

std::string TEditorProzess::Antwort(const std::string& anfang, double sekunden)
{
    const auto ende = std::chrono::steady_clock::now() + std::chrono::duration<double>(sekunden);
    for (;;) {
        Lies();
        for (std::size_t i = m_genommen; i < m_zeilen.size(); ++i)
            if (m_zeilen[i].rfind(anfang, 0) == 0) {
                m_genommen = i + 1;
                return m_zeilen[i];
            }
        if (std::chrono::steady_clock::now() > ende)
            return {};
        pollfd bereit{m_aus, POLLIN, 0};
        ::poll(&bereit, m_aus >= 0 ? 1 : 0, 50);
    }
}

int TEditorProzess::Ende(double sekunden)
{
    return m_prozess->Warte(sekunden);
}

std::string TEditorProzess::Fehlerausgabe() const
{
    std::ifstream datei(m_ordner / "stderr");
    std::stringstream text;
    text << datei.rdbuf();
    return text.str();
}
