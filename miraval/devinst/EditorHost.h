#pragma once
// What the device instance needs of the editor around it: the main window (its handle, the
// ETS interface, the settings, the status bar, the progress dialog), the data module's
// group-address level style, the project windows and the dialogs the nodes' requests open. The
// editor shell implements it; tests use TEditorHostDouble (tests/miraval/devinst). Nothing
// here needs a display.
//
// The project window (TFormVerw) is the shell's class; the device instance only holds and
// passes pointers to it.

#include "quillon/ObjektBasis.h"
#include "win32/Windows.h"

#include <cstdint>
#include <list>
#include <map>
#include <string>
#include <utility>
#include <vector>

class TDataBasis;
class TDeviceInstanz;
class TEts2Cdi;
class TFormVerw;
class TStringList;
class TVireoGrpAdrSub;

// A bus device's physical address: the word area << 12 | line << 8 | device and its text
// ("01.02.003"), with the name the device has in ETS (empty when not known).
struct TPhysAdrEintrag {
    TPhysAdrEintrag() = default;
    TPhysAdrEintrag(int32_t adresse, std::string text, std::string name = {})
        : Adresse(adresse), Text(std::move(text)), Name(std::move(name))
    {
    }

    int32_t Adresse = 0;
    std::string Text;
    std::string Name;
};

class TEditorHost {
public:
    virtual ~TEditorHost() = default;

    // --- Main window -------------------------------------------------------------------------
    // The main window's handle: the owner window of every node, to which the nodes send and
    // post their messages.
    virtual HWND GetHandle() const = 0;
    // The ETS device interface; null when there is none (nothing can be read or written).
    virtual TEts2Cdi* GetEts() const = 0;
    // The editor's INI file (settings store).
    virtual std::string GetIniFile() const = 0;
    // The folder of the program file, ending in "/".
    virtual std::string GetProgrammOrdner() const = 0;
    // The safety-copy file of the device of the project store the editor works on: a copy
    // belongs to one store, so that another store's device of the same id never sees it.
    virtual std::string GetSicherungsPfad(int32_t deviceId) const = 0;
    // The data module's group-address level style: 3 three levels, any other value two.
    virtual int GetGrpAdrLevel() const = 0;

    // Writes a text into a panel (0-4) of the status bar.
    virtual void SetStatusText(int panel, const std::string& text) = 0;
    // Shows the device's count of used communication objects against its maximum; a
    // maximum of 0 or less leaves the status bar as it is.
    virtual void UpdateObjektAnzahl(int anzahl, int maximum) = 0;

    // The detail error message: the text, the application tag, the detail text and where it
    // arose (source unit, line, function), with MessageBox icon flags.
    virtual void ShowDetailMessageBox(const std::string& text, const std::string& anwendung,
                                      const std::string& details, const std::string& unit, int zeile,
                                      const std::string& funktion, UINT icon) = 0;

    // The progress dialog (one at a time, owned by the main window): opened with a title, a
    // text and the range; each SetDlgProgress moves it to the position and shows the text.
    virtual void StartDlgProgress(const std::string& titel, const std::string& text, int minimum,
                                  int maximum, int schritt) = 0;
    virtual void SetDlgProgress(int position, const std::string& text) = 0;
    virtual void StopDlgProgress() = 0;
    // The same dialog with a cancel button that reaches the main window as UM_Abbrechen with
    // lParam abbruchArt (3: a run of adding detectors).
    virtual void StartDlgProgressAbbrechbar(const std::string& titel, const std::string& text, int minimum,
                                            int maximum, LPARAM abbruchArt) = 0;
    // Lets the message loop run once, so that a cancel click and repaints get through during
    // a long run. The ETS events wait until the run is over.
    virtual void ProcessMessages() = 0;
    // True while ETS copies a device (the copy's checks must not ask the user).
    virtual bool GetStatusOnCopyDevice() const = 0;

    // --- Project windows ---------------------------------------------------------------------
    // The current project window, null when none is open.
    virtual TFormVerw* GetActiveFormVerv() const = 0;
    // The data object of the node selected in the current project window; null for none.
    virtual TDataBasis* GetSelTreeData() const = 0;
    // Every project window drops its group-address part, refills its tree from the
    // instance's node registry and, when the instance has a group-address folder, rebuilds
    // that part.
    virtual void FormVerwNeuAufbauen(TDeviceInstanz& instanz) = 0;
    // Adds the child's tree node under the parent's in the window (shown when zeigen); false
    // when no node was made (no window, or the parent has no tree node).
    virtual bool AddChildNode2Data(TFormVerw* fenster, TDataBasis* parent, TDataBasis* child,
                                   bool zeigen) = 0;
    // Removes the node's tree node from the window (nothing without one).
    virtual void DeleteNode(TFormVerw* fenster, TDataBasis* node) = 0;
    // Refreshes texts and icons of the window's tree.
    virtual void UpdateTreeNamesAndIcon(TFormVerw* fenster) = 0;
    // Locks and unlocks the window's tree against repainting (nested pairs allowed).
    virtual void BeginTreeUpdate(TFormVerw* fenster) = 0;
    virtual void EndTreeUpdate(TFormVerw* fenster) = 0;

    // The group-address folder object of the current project window; null without one.
    virtual TDataBasis* GetGrpAdrOrdner() const = 0;
    // Adds and shows the child's tree node under the parent's in the current project window;
    // false when there is no current window or no node was made.
    virtual bool MakeNode(TDataBasis* parent, TDataBasis* child) = 0;
    // Adds the missing tree nodes of a new group address in every project window (any of
    // the three may be null).
    virtual void CreateGroupAddressNodes(TDataBasis* main, TDataBasis* middle, TDataBasis* sub) = 0;

    // --- Dialogs of the requests (modal, one at a time) --------------------------------------
    // Each answers the modal result: 1 OK, 2 Cancel, or -1 when the dialog cannot be made.
    // Outputs are written only on OK.
    // The alarm-centre variant: variante in/out; hilfeDatei the variant help file.
    virtual int DlgDefinitionAlarmzentrale(uint32_t& variante, const std::string& hilfeDatei) = 0;
    // The areas a display shows: caption the display's name, text the label, maske in/out
    // (6-bit area mask), variante the centre's variant.
    virtual int DlgAnzeige(const std::string& caption, const std::string& text, int32_t& maske,
                           uint32_t variante) = 0;
    // A switching device's physical address: auswahl in/out (text and word; word 0 = none),
    // geraete the candidate devices, benutzt the addresses the area uses already.
    virtual int DlgSelPhysAdrSe(TPhysAdrEintrag& auswahl, const std::list<TPhysAdrEintrag>& geraete,
                                const std::list<int32_t>& benutzt) = 0;
    // How many detector inputs to add: caption the dialog's, anzahl out (at least 1 on OK;
    // above maximum only when typed and confirmed with Enter), maximum the inputs still free.
    virtual int DlgMelderHinzufuegen(const std::string& caption, int32_t& anzahl, int32_t maximum) = 0;
    // The group addresses of a communication object: links in/out (the object's links, the
    // sending one first; on OK the chosen ones as (sub-group id, word 0) in the order shown),
    // auswahl the group addresses that may be chosen (ETS sub-group id -> node), grenze how
    // many the object may have (0 or less: no limit).
    virtual int DlgSelGrpAddr(TObjektBasis& objekt, std::vector<TObjektBasis::RecGrpAdrId>& links,
                              const std::map<int32_t, TVireoGrpAdrSub*>& auswahl, int grenze) = 0;

    // --- The event memory read over the bus --------------------------------------------------
    // The notice that the event memory is being read: shown over the main window without
    // modality and painted before the bus transfer blocks the event loop; closed by
    // CloseDlgInfoEreignisspeicher (nothing when none is open). One at a time.
    virtual void ShowDlgInfoEreignisspeicher() = 0;
    virtual void CloseDlgInfoEreignisspeicher() = 0;
    // The event-memory window (modal) over the event rows (comma text of six fields: running
    // number, area, event, participant, date, time), the project-and-device header, the
    // device header and the PC's and the device's time at the read-out. Answers the modal
    // result (2 closed), -1 when the window cannot be made.
    virtual int DlgEreignisspeicher(const TStringList& ereignisse, const std::string& kopf1,
                                    const std::string& kopf2, const std::string& pcZeit,
                                    const std::string& geraetZeit) = 0;
};
