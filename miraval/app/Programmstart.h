#pragma once
// The guard around the program's start-up and message loop.

#include <functional>

// Runs lauf and answers its exit code. An exception that escapes it (a form that cannot be
// made at start-up) is shown in the application's standard exception box, and the program
// then ends with exit code 0, as after any unhandled exception.
int StarteGeschuetzt(const std::function<int()>& lauf);
