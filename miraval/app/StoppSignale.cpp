#include "miraval/app/StoppSignale.h"

#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

namespace {

constexpr std::array kSignale{SIGTERM, SIGINT, SIGHUP};

// Read end and write end; the write end is the handler's only state.
int g_pipe[2] = {-1, -1};

extern "C" void Signalisieren(int nummer)
{
    const int fehler = errno;
    const char zeichen = static_cast<char>(nummer);
    // A full pipe holds enough signals already.
    (void)!::write(g_pipe[1], &zeichen, 1);
    errno = fehler;
}

void Behandlung(int nummer, void (*handler)(int))
{
    struct sigaction aktion = {};
    aktion.sa_handler = handler;
    sigemptyset(&aktion.sa_mask);
    aktion.sa_flags = SA_RESTART;
    ::sigaction(nummer, &aktion, nullptr);
}

} // namespace

TStoppSignale::TStoppSignale()
{
    Behandlung(SIGPIPE, SIG_IGN);
    if (g_pipe[0] >= 0 || ::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    m_notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] { Lesen(); });
    for (const int nummer : kSignale)
        Behandlung(nummer, Signalisieren);
}

TStoppSignale::~TStoppSignale()
{
    Behandlung(SIGPIPE, SIG_DFL);
    if (m_notifier == nullptr)
        return;
    for (const int nummer : kSignale)
        Behandlung(nummer, SIG_DFL);
    delete m_notifier;
    for (int& fd : g_pipe)
        ::close(std::exchange(fd, -1));
}

void TStoppSignale::SetStopp(std::function<void()> stopp)
{
    m_stopp = std::move(stopp);
    if (m_stopp && std::exchange(m_verlangt, false))
        m_stopp();
}

void TStoppSignale::Lesen()
{
    char zeichen[64];
    while (::read(g_pipe[0], zeichen, sizeof zeichen) > 0) {
    }
    if (m_stopp)
        m_stopp();
    else
        m_verlangt = true;
}
