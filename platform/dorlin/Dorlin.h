#pragma once
// The dialog library the editor calls for its about box, its language choice and its
// progress dialog. The calls keep no display of their own: they go to a display
// (TDorlinAnzeige) that the program points at Qt and tests replace; the progress state is
// kept here, so that it is the same whatever shows it.

#include "win32/Windows.h"

#include <map>
#include <string>

class TDorlinAnzeige;

// What the progress dialog's cancel posts to its owner (lParam: the kind the start named).
constexpr UINT UM_DlgProgressAbbrechen = WM_USER + 123;

// Texts of the language dialog, in the order the caller passes them.
struct TSpracheinstellungTexte {
    std::string Titel, Ok, Abbrechen, Auswahl, Neustart, Geaendert, Fehlgeschlagen, FehlerCaption,
        RegistryWert, RegistryOeffnen;
};

// The about box: caption, version label, version text, image file (may be missing).
void StartDlgInfo(const std::string& titel, const std::string& versionLabel, const std::string& version,
                  const std::string& bildDatei);

// The language choice: sprachen maps extension -> language name; wert as the caller passes it
// (the dialog does not interpret it). True when the user chose a language and confirmed (the
// dialog then tells the user "Geaendert" and "Neustart"); it stores nothing itself.
bool StartDlgSpracheinstellung(const TSpracheinstellungTexte& texte,
                               const std::map<std::string, std::string>& sprachen, int wert);

// The progress dialog: one at a time (a second start replaces the first). Its cancel button
// posts UM_DlgProgressAbbrechen with lParam abbruchArt (1 unless the caller names another
// kind) to owner. The position always stays within 0 .. schritte; a negative step count
// counts as 0.
void StartDlgProgress(HWND owner, const std::string& titel, const std::string& text, int position,
                      int schritte, LPARAM abbruchArt = 1);
void SetDlgProgress();                                              // one step further
void SetDlgProgressPosition(int position, const std::string& text); // empty text keeps the text
void SetDlgProgressSchritte(int schritte);                          // new step count, position kept
void StopDlgProgress();                                             // nothing when none is open
bool IsDlgProgressOpen();

// The progress state as the display sees it.
struct TDlgProgressStand {
    bool offen = false;
    HWND owner = nullptr;
    std::string titel;
    std::string text;
    int position = 0;
    int schritte = 0;
    LPARAM abbruchArt = 1;
};
const TDlgProgressStand& DlgProgressStand();
int DlgProgressPosition();
int DlgProgressSchritte();

// What the cancel button does: posts the cancel message to the owner of the open dialog
// (nothing when none is open). The dialog stays open; the owner closes it.
void CancelDlgProgress();

// Installs a display (not owned; null = the built-in default) and returns the previous one
// (null when it was the default). The default answers the language dialog with false and
// writes info and progress to standard error when SetDorlinEcho(true) asked for it.
TDorlinAnzeige* SetDorlinAnzeige(TDorlinAnzeige* anzeige);
void SetDorlinEcho(bool echo);
