#pragma once
// The shared steps of the end-to-end scenarios: an installer's day with the editor, each
// step done as a person does it (keys, clicks, the window manager) and checked by what the
// person sees (windows, their state and place, screenshots) and by what ETS gets (the
// answers and the project store read back).

#include "EditorProzess.h"
#include "XSitzung.h"

#include "quillon/DatenStruktur.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class InstallateurTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // What the person sees, for a failure message: the visible windows and a screenshot
    // under the artefact folder, kept when the test fails.
    std::string Gesehen(const std::string& wann);
    // A picture of what the person sees at a step, when a window is up; only the last one is
    // kept. A check that fails after the windows have gone (the picture at the end shows
    // none) is seen with it.
    void Festhalten();
    // Polls until bedingung holds or the deadline passes.
    static bool Warte(const std::function<bool()>& bedingung, double sekunden = kFrist);

    // ETS asks for the demo device; the main window comes up shown, active, with the project
    // window laid out in it. Its window id.
    unsigned long OeffneGeraet();
    // Waits for a window whose title matches; fails with what was seen instead.
    unsigned long ErwarteFenster(const std::string& titel);
    // The focus into the tree: a click on its top node.
    void InDenBaum();
    // Selects the tree node whose caption starts with each text in turn, expanding the
    // nodes on the way (type-ahead search, as a person uses the keyboard): from the top node,
    // or with vonOben false from below the selected node.
    void WaehleImBaum(const std::vector<std::string>& pfad, bool vonOben = true);
    // "Neue Eingänge hinzufügen" on the tool bar for the selected node (or opened by the keys
    // given, e.g. on the menu): the dialog takes the count typed and closes.
    void NeueEingaenge(const std::string& anzahl, const std::string& tasten = "");
    // The device opened, the name cell of the first input of "Sicherungs-Bereich F" opened and
    // text typed into it (the editor opens with its text selected: what is typed replaces it);
    // the cell stays open.
    void TippeImErstenMelder(const std::string& text);
    // Answers "Ja" to every question until the editor returns to ETS; the answer line.
    std::string BeantworteFragenBisZurueck();
    // Ctrl+Q, every question answered "Ja": the editor returns to ETS keeping the data and
    // hides.
    void ZurueckZuEts();
    // Ends the editor as ETS does (UserSvStop): it answers, ends with 0 and has written
    // nothing to standard error. TearDown does it for every test that has not failed.
    void Stoppe();
    // The stored records of the demo device, read back with the store's own code.
    std::vector<TDatenStruktur> Gespeichert();

    static constexpr double kFrist = TXSitzung::kFrist;
    // The project window fills the area below the main window's menu and tool bars; the
    // tree's visible rows lie there, relative to the main window's client area, the top node
    // in the first of them.
    // The tool bar's buttons, relative to the main window's client area.
    static constexpr int kKnopfNeueEingaengeX = 160, kKnopfLoeschenX = 187, kKnopfY = 35;
    static constexpr int kBaumX = 6, kBaumY = 78, kBaumBreite = 180, kBaumHoehe = 356, kBaumZeileHoehe = 16;

    std::filesystem::path ordner;
    std::filesystem::path store;
    std::unique_ptr<TXSitzung> x;
    std::unique_ptr<TEditorProzess> editor;
    unsigned long hauptfenster = 0;
    std::vector<std::filesystem::path> bilder; // the screenshots taken in this test
    std::filesystem::path festgehalten;        // Festhalten's last picture
    std::string zuletzt;                       // the last picture with a window, and what it shows
};
