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
