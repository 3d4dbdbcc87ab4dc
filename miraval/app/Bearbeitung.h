#pragma once
// TBearbeitung: the edit of one device, from its opening for the person (EditParameters,
// EditObject) to the person's return to ETS (kept, or the period discarded), ETS's deletion of
// the device or ETS's stop. The main window owns one; every way in and out of an edit asks it,
// so what belongs to the edit follows from it and not from each handler's own steps:
//  - changed since opening: the data module's data-changed flag. False while no edit is open;
//    kept across every ETS event during one (an event stores the configuration at most, never
//    the device parameters, which the return writes only while the flag is set).
//  - the auto-save of its safety copy: the timer runs while the edit is open (and the settings
//    have the auto-save on), whatever the ETS events do meanwhile, and only then.
//  - its entry on the list of devices not closed properly: made at the opening, taken off only
//    when ETS took the return. A return that failed keeps it, and with it the offer of the
//    safety copy, which holds the edit: ETS keeps a return whole or not at all
//    (TEts2Cdi::ReturnToEts), so nothing of a failed return is kept later.
//
//  - which device an event leaves current: the device being edited, with its windows, titles
//    and status bar, whatever device the event selected; ETS opens no other device for the
//    person while an edit is open (Verweigert), so the person's edit is never dropped.
//  - its safety copy at the stop: written at once, also while a modal window holds the
//    editor (Sichern), and again when the stop ends the edit.
// Main thread only.

#include <array>
#include <cstdint>
#include <string>

class TDeviceInstanz;
class TFormMain;

class TBearbeitung {
public:
    explicit TBearbeitung(TFormMain& main) : m_main(main) {}
    TBearbeitung(const TBearbeitung&) = delete;
    TBearbeitung& operator=(const TBearbeitung&) = delete;

    // The device is opened for the person and a new edit begins: it goes on the list (which
    // offers the safety copy of an edit not closed properly) and counts as unchanged. The
    // caller shows the window, then starts the auto-save (AutoSaveFortsetzen).
    // What the edit began from (the configuration as ETS held it at the opening) is kept: its
    // safety copy is written with it, so that a restore knows the edit's own changes.
    void Beginnen(TDeviceInstanz& geraet, int32_t deviceId);
    // The configuration the edit of the device began from (a container as ETS stores it);
    // null for any other device, or while no edit is open.
    const std::string* Basis(const TDeviceInstanz* geraet) const;
    // The instance being edited while the edit lasts (the main window up, the program not
    // ending, the instance alive); null otherwise.
    TDeviceInstanz* Geraet() const;
    bool Offen() const { return Geraet() != nullptr; }

    // What an ETS event must leave of the edit: taken before its handler runs and given back
    // to NachEreignis after it.
    struct TVorher {
        TDeviceInstanz* geraet = nullptr;
        bool geaendert = false;
        std::string titel;
        std::string anwendung;
        std::array<std::string, 5> status;
    };
    TVorher VorEreignis() const;
    void NachEreignis(const TVorher& vorher);
    // Why ETS may not open the device for the person now: another device's edit is open, and
    // opening this one would drop it (ETS's editing period is modal, so ETS itself sends no
    // such line). Empty when the opening may go ahead.
    std::string Verweigert(int32_t deviceId) const;
    // The same for an ETS event line (EditParameters, EditObject), before it is handled; empty
    // for every other line.
    std::string VerweigertZeile(const std::string& zeile) const;
    // The auto-save timer as the edit needs it: running while it is open, else stopped (also
    // after a command that paused it).
    void AutoSaveFortsetzen() const;

    // The edit of the device ends by the return to ETS (or ETS deleted the device): when ETS
    // took the return, the device leaves the list; otherwise it stays there, and its safety
    // copy is offered at its next opening.
    void Beenden(int32_t deviceId, bool zurueckgegeben);
    // ETS stops the editor during the edit: the edit's safety copy is written as the auto-save
    // writes it, and the edit ends without a return: the device stays on the list, so the copy
    // is offered at its next opening.
    void Stoppen();
    // Writes the edit's safety copy now, what the person is typing included, as the auto-save
    // writes it; nothing while no edit is open. For a turn of an event loop (a modal window's
    // too), never from the short pauses of a long run, which holds the device half-changed.
    // A box that taking the typed cell shows is answered unattended: nobody may be there to
    // answer it. False when nothing was written.
    bool Sichern();

private:
    // The safety copy of the device being edited (there is one), boxes unattended.
    bool KopieSchreiben();

    TFormMain& m_main;
    TDeviceInstanz* m_geraet = nullptr; // valid only as Geraet checks it
    std::string m_basis;                // what the edit began from (empty: unknown)
};
