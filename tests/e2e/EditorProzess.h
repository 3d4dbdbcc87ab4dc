#pragma once
// The real editor program as the ETS host runs it: started from a copy of the program
// folder (its own INI file and safety copies) on the xcb platform, standard input held open
// for the host's event lines, its answers read line by line.

#include "Kindprozess.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

class TEditorProzess {
public:
    // ordner: the test's folder; the program is copied there and runs in it on store.
    TEditorProzess(const std::filesystem::path& ordner, const std::filesystem::path& store);
    ~TEditorProzess();

    // Writes one event line to the program's standard input.
    void Sende(const std::string& zeile);
    // Ends standard input, as a host that is gone.
    void SchliesseEingabe();
    // The first answer line, not yet taken, that starts with anfang, waiting up to sekunden;
    // empty when none came.
    std::string Antwort(const std::string& anfang, double sekunden);
    int Ende(double sekunden);
    // Sends the program a signal (SIGTERM, SIGINT, SIGHUP), as a shutdown or a terminal does.
    void Signal(int nummer);
    bool Laeuft() { return m_prozess->Laeuft(); }
    std::string Fehlerausgabe() const;

private:
    void Lies();

    std::filesystem::path m_ordner;
    int m_ein = -1;
    int m_aus = -1;
    std::string m_rest;
    std::vector<std::string> m_zeilen;
    std::size_t m_genommen = 0;
    std::unique_ptr<TKindprozess> m_prozess;
};
