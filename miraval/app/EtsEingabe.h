#pragma once
// TEtsEingabe: the ETS host's events reach the editor as lines on standard input. The lines
// are read in the main thread from the Qt event loop (a socket notifier), so every ETS
// handler runs from the message loop, as ETS's own calls would.
//
// The queued lines (--event) are handled first, once the start-up has hidden the window.
// The end of standard input means the host is gone: the program ends once no device is
// being edited (at once when the window is hidden, else when it hides). Without a display
// nobody can return an edit: the end of input stops the editor as the host's stop does.
//
// A line is handled only from a turn of the program's own loop: never while a modal window
// is up (a dialog, a message box, a file dialog, a progress window), while a menu is open, a
// nested event loop runs (a drag) or a line's handler still runs. Lines that arrive then are
// kept and handled, in order, once the window or menu has closed: an ETS event must not free
// the device or nodes that the window's caller still uses, nor close a menu under the keys.
// Nor while the editor's own short pauses in a long run (ProcessMessages, a progress window's
// paints) turn Qt's events: the glib event dispatcher delivers socket notifications there
// although they are excluded.
//
// The line "ReturnToEts" is no ETS event: it does what the installer's Ctrl+Q ("Zurück zur
// Ets") does, so that a script without a display (the headless demo) can return to ETS as a
// person does. It is refused with an error line while no device is open or a modal window is
// up; no other menu entry can be reached from standard input.
//
// With a screenshot folder, every window on screen is saved as a PNG after each answered
// event (the demo on a machine without a display shows what the editor drew).

#include "kestrin/EtsEventChannel.h"

#include <QObject>

#include <filesystem>
#include <iosfwd>
#include <string>

class QSocketNotifier;
class QTimer;
class TFormMain;

class TEtsEingabe : public QObject {
public:
    static constexpr const char* kZurueckZeile = "ReturnToEts";

    // channel and main must outlive the reader. fd: the descriptor to read (0: standard input);
    // aus: where the reader's own answers go (those of the ReturnToEts line).
    TEtsEingabe(TEtsEventChannel& channel, TFormMain& main, int fd = 0);
    TEtsEingabe(TEtsEventChannel& channel, TFormMain& main, int fd, std::ostream& aus);
    ~TEtsEingabe() override;

    // Starts reading from the event loop.
    void Start();
    void SetScreenshotOrdner(std::filesystem::path ordner) { m_screenshots = std::move(ordner); }
    // The PNG files written so far.
    const std::vector<std::filesystem::path>& GetScreenshots() const { return m_geschrieben; }
    // True while lines are kept for a modal window to close.
    bool Wartet() const;
    // Stops the editor as the host's stop event does (the open device's safety copy first),
    // once nothing holds the editor: for the host that has gone without its stop, and for a
    // signal. Under a modal window the safety copy is written at once.
    void Stoppen();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Beginnen();
    void Lesen();
    // Handles the kept lines, in order, as long as nothing holds the editor.
    void Abarbeiten();
    // True while a modal window, an open menu or a nested event loop holds the editor.
    bool Gehalten() const;
    bool NaechsteZeile(std::string& zeile);
    bool ZeilenOffen() const;
    void Zeile(const std::string& zeile);
    void Zurueck(const std::string& zeile);
    void EndeWennFertig();
    void Screenshots(const std::string& anlass);

    TEtsEventChannel& m_channel;
    TFormMain& m_main;
    int m_fd;
    std::ostream& m_aus;
    QSocketNotifier* m_notifier = nullptr;
    // Asks again, a little later, whether kept lines may now be handled.
    QTimer* m_warten = nullptr;
    std::string m_puffer;
    int m_grundEbene = 0;
    bool m_begonnen = false;
    bool m_queuedLeer = false;
    bool m_laeuft = false;
    bool m_eingabeZuEnde = false;
    bool m_gestoppt = false;
    bool m_gesichert = false; // the safety copy of a stop that waits for a modal window
    std::filesystem::path m_screenshots;
    std::vector<std::filesystem::path> m_geschrieben;
    int m_nummer = 0;
};
