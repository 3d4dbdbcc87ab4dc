#pragma once
// The guard around the program's start-up and message loop, and what ends a start that
// cannot go on.

#include "kestrin/Ets2Cdi.h"

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

// Runs lauf and answers its exit code. An exception that escapes it (a form that cannot be
// made at start-up) is shown in the application's standard exception box, and the program
// then ends with exit code 0, as after any unhandled exception.
int StarteGeschuetzt(const std::function<int()>& lauf);

// Why the project store the host named cannot be worked on, as the person reads it: one
// German sentence naming the file, for the store's own refusal meldung (missing, not a
// store, locked, read-only, unreadable).
std::string StoreGrund(const std::filesystem::path& store, const std::string& meldung);

// The project store cannot be worked on: "<programm>: <StoreGrund> (<meldung>)" goes to
// standard error, where the host reads it, and, when anzeige, the German reason into an error
// box (caption GetAnwendungsTitel()), since a person started from ETS sees no standard
// error. Answers the exit code, 1.
int StoreAbgelehnt(std::ostream& fehler, const std::string& programm, const std::filesystem::path& store,
                   const std::string& meldung, bool anzeige);
// The box alone.
void StoreAbgelehntBox(const std::filesystem::path& store, const std::string& meldung);

// Opens the store as the editor will and closes it again: judged before a display is opened,
// a store the editor cannot work on is told as itself, with or without a display.
TEtsStatus StorePruefen(const std::filesystem::path& store);

// Removes from the folder temp the runtime folders that editors no longer running left behind
// (ended by kill -9 or a crash): those of this user named with a process id whose process is
// gone or is another program now. An editor's that runs is kept.
void AlteLaufzeitOrdnerEntfernen(const std::filesystem::path& temp);

// The arguments after the program's name without Qt's own options (-platform NAME, -style,
// -display ...), which QApplication takes out as it is made: the program's command line as
// it can be judged before a display is opened.
std::vector<std::string> OhneQtOptionen(int argc, const char* const* argv);

// Qt's runtime folder while the environment names none: a private folder (owner only) in the
// temporary folder, "miraval-runtime-<process id>-XXXXXX", named in XDG_RUNTIME_DIR for Qt,
// removed with everything in it when the object goes. Without it Qt warns on every start and
// leaves a fallback folder of its own behind. Makes none when XDG_RUNTIME_DIR is set; those
// that editors no longer running left are removed first in either case.
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
// ends with exit code 1. Otherwise the held messages are passed on. nurFuerBox: the display
// was wanted only for a box whose reason went to standard error already; without one the
// program ends with exit code 1 and says nothing more.
class TQtMeldungen {
public:
    TQtMeldungen(std::string programm, const TLaufzeitOrdner& laufzeit);
    ~TQtMeldungen();
    TQtMeldungen(const TQtMeldungen&) = delete;
    TQtMeldungen& operator=(const TQtMeldungen&) = delete;

    void AnzeigeOeffnen(bool nurFuerBox = false);
    void AnzeigeOffen();
};

// The line (without line end) that tells why the program ends without a display and how to
// run it without one; it names the display the environment asks for.
std::string KeineAnzeigeText(const std::string& programm);
