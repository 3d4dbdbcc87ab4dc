#pragma once
// TStoppSignale: SIGTERM, SIGINT (Ctrl+C) and SIGHUP (the terminal gone) end the editor as
// the host's stop does, never in the middle of what the program is doing. The signal handler
// only writes the signal's number into a pipe; the main thread reads it from Qt's event loop
// (a socket notifier) and calls the stop there. A signal that comes before anybody can stop the editor is kept
// until SetStopp names who does.
//
// Standard output is the host's pipe: a host that has gone must not end the program by
// SIGPIPE on its next answer, so SIGPIPE is ignored while the object lives.

#include <QObject>

#include <functional>

class QSocketNotifier;

class TStoppSignale : public QObject {
public:
    // Call once, after the application exists; the handlers are the default ones again
    // when the object goes.
    TStoppSignale();
    ~TStoppSignale() override;
    TStoppSignale(const TStoppSignale&) = delete;
    TStoppSignale& operator=(const TStoppSignale&) = delete;

    // Who stops the editor (empty: nobody yet). Called from the event loop, once per signal.
    void SetStopp(std::function<void()> stopp);

private:
    void Lesen();

    QSocketNotifier* m_notifier = nullptr;
    std::function<void()> m_stopp;
    bool m_verlangt = false;
};
