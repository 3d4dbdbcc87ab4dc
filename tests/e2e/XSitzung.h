#pragma once
// An X display of its own for one test: Xvfb on a free display number (-displayfd, so that
// parallel runs never clash) with openbox as window manager, and the X tools a test uses to
// act and look as a person does (xdotool, xprop, xwininfo, import).

#include "Kindprozess.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

struct TFensterRahmen {
    int x = 0, y = 0, breite = 0, hoehe = 0; // the client area on the screen
    int oben = 0, links = 0;                 // the frame's title bar and left border
};

class TXSitzung {
public:
    // The one deadline of every wait: long, since a wait that succeeds ends at once.
    static constexpr double kFrist = 60;

    // The tools the session needs; the names of those missing from PATH.
    static std::string FehlendeWerkzeuge();

    // Starts the display and the window manager; Fehler() says why when it did not.
    TXSitzung();
    ~TXSitzung();

    bool Bereit() const { return m_fehler.empty(); }
    const std::string& Fehler() const { return m_fehler; }
    const std::string& Display() const { return m_display; }

    // Runs a shell command on this display; its standard output.
    std::string Befehl(const std::string& befehl) const;

    // The first visible window whose title matches the regular expression, other than
    // ausser, or 0.
    unsigned long Fenster(const std::string& titel, unsigned long ausser = 0) const;
    // The titles of every visible top-level window.
    std::string SichtbareTitel() const;
    // "Normal", "Iconic", "Withdrawn" or "" (WM_STATE as the window manager keeps it).
    std::string Zustand(unsigned long fenster) const;
    std::optional<TFensterRahmen> Rahmen(unsigned long fenster) const;

    // Gives the window the focus as the window manager does; false when it did not take it
    // or the window manager let it go meanwhile.
    bool Aktiviere(unsigned long fenster) const;
    // xdotool key names, e.g. "ctrl+q Down".
    void Tasten(const std::string& tasten) const;
    void Tippe(const std::string& text) const;
    // Moves the pointer there (without waiting for a motion event, which never comes when
    // the pointer already lies there) and clicks the left button.
    void Klicke(int x, int y) const;

    // The share (0 to 1) of dark pixels in a rectangle of the screen: text or lines drawn
    // there, where an empty area shows none.
    double DunklerAnteil(int x, int y, int breite, int hoehe) const;

    // A fingerprint of what a rectangle of the screen shows: equal while it shows the same.
    std::string Bildsignatur(int x, int y, int breite, int hoehe) const;
    // Waits until a rectangle of the screen shows the same picture twice in a row: what was
    // drawn there has settled. False when it still changed at the deadline.
    bool Ruhig(int x, int y, int breite, int hoehe) const;

    // The colour of one pixel of the screen, as "#RRGGBB".
    std::string Farbe(int x, int y) const;
    // The colour most pixels of a rectangle of the screen show, as "#RRGGBB".
    std::string HaeufigsteFarbe(int x, int y, int breite, int hoehe) const;
    // How many pixels of a rectangle of the screen show about the colour farbe ("#RRGGBB"):
    // shades of a gradient count, other colours do not.
    int Farbpixel(int x, int y, int breite, int hoehe, const std::string& farbe) const;

    // Whether the window manager shows the window's whole title in its title bar: the title
    // bar's text is compared with that of a wide reference window of the same title, both
    // drawn active.
    bool ZeigtGanzenTitel(unsigned long fenster) const;

    // Saves the whole screen under name.png in the artefact folder (the name should be one
    // that no run at the same time uses); the file.
    std::filesystem::path Bildschirmfoto(const std::string& name) const;

private:
    std::string m_fehler;
    std::string m_display;
    std::unique_ptr<TKindprozess> m_xvfb;
    std::unique_ptr<TKindprozess> m_wm;
};
