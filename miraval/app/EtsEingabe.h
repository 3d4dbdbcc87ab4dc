#pragma once
// TEtsEingabe: the ETS host's events reach the editor as lines on standard input. The lines
// are read in the main thread from the Qt event loop (a socket notifier), so every ETS
// handler runs from the message loop, as ETS's own calls would.
//
// The queued lines (--event) are handled first, once the start-up has hidden the window.
// The end of standard input means the host is gone: the program ends once no device is
// being edited (at once when the window is hidden, else when it hides).
//
// A line "Key <keys>" (e.g. "Key Ctrl+Q") is no ETS event: it is the installer pressing the
// shortcut key of one of the editor's menu entries, so that a script without a display (the
// headless demo) can return to ETS as a person does.
//
// With a screenshot folder, every window on screen is saved as a PNG after each answered
// event (the demo on a machine without a display shows what the editor drew).

#include "kestrin/EtsEventChannel.h"

#include <QObject>

#include <filesystem>
#include <string>

class QSocketNotifier;
class TFormMain;

class TEtsEingabe : public QObject {
public:
    static constexpr const char* kTastenZeile = "Key ";

    // channel and main must outlive the reader. fd: the descriptor to read (0: standard input).
    TEtsEingabe(TEtsEventChannel& channel, TFormMain& main, int fd = 0);
    ~TEtsEingabe() override;

    // Starts reading from the event loop.
    void Start();
    void SetScreenshotOrdner(std::filesystem::path ordner) { m_screenshots = std::move(ordner); }
    // The PNG files written so far.
    const std::vector<std::filesystem::path>& GetScreenshots() const { return m_geschrieben; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Beginnen();
    void Lesen();
    void Zeile(const std::string& zeile);
    void Taste(const std::string& zeile);
    void Ende();
    void Screenshots(const std::string& anlass);

    TEtsEventChannel& m_channel;
    TFormMain& m_main;
    int m_fd;
    QSocketNotifier* m_notifier = nullptr;
    std::string m_puffer;
    bool m_eingabeZuEnde = false;
    bool m_gestoppt = false;
    std::filesystem::path m_screenshots;
    std::vector<std::filesystem::path> m_geschrieben;
    int m_nummer = 0;
};
