#include "Kindprozess.h"

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <stdexcept>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

TKindprozess::TKindprozess(const std::vector<std::string>& argv, int ein, int aus, int fehler, int extraFd)
{
    std::vector<char*> args;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    const pid_t eltern = ::getpid();
    m_pid = ::fork();
    if (m_pid < 0)
        throw std::runtime_error("fork failed");
    if (m_pid == 0) {
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (::getppid() != eltern)
            ::_exit(127);
        const int leer = ::open("/dev/null", O_RDWR);
        ::dup2(ein >= 0 ? ein : leer, 0);
        ::dup2(aus >= 0 ? aus : leer, 1);
        ::dup2(fehler >= 0 ? fehler : leer, 2);
        for (int fd = 3; fd < 1024; ++fd)
            if (fd != extraFd)
                ::close(fd);
        ::execvp(args[0], args.data());
        ::_exit(127);
    }
}

TKindprozess::~TKindprozess()
{
    Beende();
}

bool TKindprozess::Laeuft()
{
    if (m_pid <= 0 || m_beendet)
        return false;
    int status = 0;
    if (::waitpid(m_pid, &status, WNOHANG) == m_pid) {
        m_beendet = true;
        m_status = status;
        return false;
    }
    return true;
}

int TKindprozess::Warte(double sekunden)
{
    const auto ende = std::chrono::steady_clock::now() + std::chrono::duration<double>(sekunden);
    while (Laeuft() && std::chrono::steady_clock::now() < ende)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    if (!m_beendet)
        return -1;
    return WIFEXITED(m_status) ? WEXITSTATUS(m_status) : -1;
}

void TKindprozess::Beende()
{
    if (!Laeuft())
        return;
    ::kill(m_pid, SIGTERM);
    if (Warte(5) == -1 && Laeuft()) {
        ::kill(m_pid, SIGKILL);
        Warte(5);
    }
}
