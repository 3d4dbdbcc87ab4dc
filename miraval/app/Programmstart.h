#pragma once
// The guard around the program's start-up and message loop, and what ends a start that
// cannot go on.

#include <functional>
#include <iosfwd>
#include <string>

// Runs lauf and answers its exit code. An exception that escapes it (a form that cannot be
// made at start-up) is shown in the application's standard exception box, and the program
// then ends with exit code 0, as after any unhandled exception.
int StarteGeschuetzt(const std::function<int()>& lauf);

// The project store the host named cannot be worked on (not a store, locked, read-only):
// "<programm>: <grund>" goes to standard error, where the host reads it, and, with a display,
// the same reason into an error box (caption GetAnwendungsTitel()), since a person started
// from ETS sees no standard error. Answers the exit code, 1.
int StoreAbgelehnt(std::ostream& fehler, const std::string& programm, const std::string& grund, bool anzeige);

// Qt's runtime folder while the environment names none: a private folder (owner only) in the
// temporary folder, named in XDG_RUNTIME_DIR for Qt, removed with everything in it when the
// object goes. Without it Qt warns on every start and leaves a fallback folder of its own
// behind. Does nothing when XDG_RUNTIME_DIR is set.
class TLaufzeitOrdner {
public:
    TLaufzeitOrdner();
    ~TLaufzeitOrdner();
    TLaufzeitOrdner(const TLaufzeitOrdner&) = delete;
    TLaufzeitOrdner& operator=(const TLaufzeitOrdner&) = delete;

    // Empty when the environment named a folder or none could be made.
    const std::string& Pfad() const { return m_pfad; }

private:
    std::string m_pfad;
};

// Routes Qt's messages through the program's own handler for as long as the object lives:
// lines of the window-system plugins that are known to be harmless (the offscreen platform
// cannot raise a window or pass size hints on) are dropped, all others go on to the handler
// that was in place.
//
// Between AnzeigeOeffnen() and AnzeigeOffen() (the application's construction) Qt's messages
// are held back. When the window system cannot be opened there (no display, or one that
// cannot be reached) Qt would abort the program; instead the one line of
// KeineAnzeigeText() goes to standard error, the runtime folder is removed and the program
// ends with exit code 1. Otherwise the held messages are passed on.
class TQtMeldungen {
public:
    TQtMeldungen(std::string programm, const TLaufzeitOrdner& laufzeit);
    ~TQtMeldungen();
    TQtMeldungen(const TQtMeldungen&) = delete;
    TQtMeldungen& operator=(const TQtMeldungen&) = delete;

    void AnzeigeOeffnen();
    void AnzeigeOffen();
};

// The line (without line end) that tells why the program ends without a display and how to
// run it without one; it names the display the environment asks for.
std::string KeineAnzeigeText(const std::string& programm);
