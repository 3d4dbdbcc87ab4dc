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
    // kept under the artefact folder.
    std::string Gesehen(const std::string& wann);
    // Polls until bedingung holds or the deadline passes.
    static bool Warte(const std::function<bool()>& bedingung, double sekunden = kFrist);

    // ETS asks for the demo device; the main window comes up shown. Its window id.
    unsigned long OeffneGeraet();
    // Waits for a window whose title matches; fails with what was seen instead.
    unsigned long ErwarteFenster(const std::string& titel);
    // The focus into the tree: a click on its top node.
    void InDenBaum();
    // Selects the tree node whose caption starts with each text in turn, expanding the
    // nodes on the way (type-ahead search, as a person uses the keyboard): from the top node,
    // or with vonOben false from below the selected node.
    void WaehleImBaum(const std::vector<std::string>& pfad, bool vonOben = true);
    // Answers "Ja" to every question until the editor returns to ETS; the answer line.
    std::string BeantworteFragenBisZurueck();
    // The stored records of the demo device, read back with the store's own code.
    std::vector<TDatenStruktur> Gespeichert();

    static constexpr double kFrist = 60;

    std::filesystem::path ordner;
    std::filesystem::path store;
    std::unique_ptr<TXSitzung> x;
    std::unique_ptr<TEditorProzess> editor;
    unsigned long hauptfenster = 0;
};
