#pragma once
// A program the end-to-end tests start: killed with the test process, so that no display
// server or editor outlives a test that crashed.

#include <string>
#include <sys/types.h>
#include <vector>

class TKindprozess {
public:
    TKindprozess() = default;
    // Starts argv[0] (looked up in PATH) with the given standard streams (-1: /dev/null);
    // extraFd stays open in the child (for Xvfb's -displayfd). The child's own copies of
    // the descriptors are the only ones it keeps.
    TKindprozess(const std::vector<std::string>& argv, int ein, int aus, int fehler, int extraFd = -1);
    TKindprozess(const TKindprozess&) = delete;
    TKindprozess& operator=(const TKindprozess&) = delete;
    ~TKindprozess();

    bool Laeuft();
    // Waits up to sekunden for the end; its exit code, or -1 when it did not end or was
    // killed by a signal.
    int Warte(double sekunden);
    // Asks it to end (SIGTERM), then kills it when it does not.
    void Beende();

    pid_t Pid() const { return m_pid; }

private:
    pid_t m_pid = -1;
    int m_status = -1;
    bool m_beendet = false;
};
