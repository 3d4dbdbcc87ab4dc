#pragma once
// TDeviceInstanzAz: the device instance of an alarm centre, the only kind the editor makes.
// Besides what the base holds it keeps the alarm centre's bookkeeping (which detector numbers
// are taken, how many inputs exist, the sabotage inputs and switching-device addresses of
// each arming area, the group addresses detectors use, per-area flags), knows the version
// line of its stored configuration and which node class belongs to which record type.
//
// Terms: area n (1..4) is byte 4 - n of the variant code (area 1 the top byte); a detector's
// kind is TAzMelder::GetMelderBereich (0 fire, 1 hold-up, 2 the wired input, 3..6 a detector
// of security area 1..4); detector numbers are 1..160, the wired input has 0.
//
// Units:
//   DevInstAz.cpp         construction, version line, lists, look-ups in the registry
//   DevInstAzLaden.cpp    the node tree from the loaded records (type-code table)
//   DevInstAzAbgleich.cpp the alignment after loading (DatenAbgleich)
//   DevInstAzImport.cpp   starting over (Reset) and importing a stored configuration
//   DevInstAzNeu.cpp      the default structure of a new device and every node kind of it
//   DevInstAzVariante.cpp look-ups among children, the variant change, deleting nodes
//   DevInstAzParameter.cpp the nodes' ETS device parameters, the resource check, default names
//   DevInstAzRequest.cpp  the nodes' requests (UM_UserDeviceMessage, UM_UserObjectMessage)
//   DevInstAzPhysAdr.cpp  the devices of the project that can switch an arming area
//   DevInstAzBus.cpp      the event memory and the clock of the device, over the bus
//   DevInstAzMelder.cpp   adding detectors in runs and deleting the selected one
//   DevInstAzPruefung.cpp the checks of the communication objects before the return to ETS
//   DevInstAzKopieren.cpp copying a detector as record lines and pasting such lines
//   DevInstAzLinks.cpp    detector objects and their group addresses: link, unlink, look-up
//
// Nodes made here are owned by the registry; the pointers handed out stay valid until the
// node is deleted or the maps are cleared.

#include "miraval/devinst/DevInst.h"
#include "miraval/devinst/EditorHost.h"
#include "quillon/ObjektBasis.h"

#include <array>
#include <ctime>
#include <cstdint>
#include <functional>
#include <list>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <vector>

class TAzAnzeige;
class TAzEditierbareTexte;
class TAzOrdnerAnzeige;
class TAzScharfschaltungSsb;
class TAzSystem;
class TAzMelder;
class TStringList;

class TDeviceInstanzAz : public TDeviceInstanz {
public:
    // Detector numbers run from 1 to this; the inputs, wired input included, to one more.
    static constexpr int kMaxMelderNr = 160;
    static constexpr int kAnzahlBereiche = 4;

    // Runs the base's construction, then shows the input counts in the status bar:
    // "Anzahl Eingänge (max./angelegt/frei)", "160", the counter (0), 160 minus the counter.
    TDeviceInstanzAz(TEditorHost& host, const DAL_DEVICE& device, TFormVerw* formVerw);
    ~TDeviceInstanzAz() override;

    // ---- Operations of the interface ------------------------------------------------------------
    // "YR Version: 1. 1 Typ:VIREO/Alarmzentrale"
    std::string GetVersion() override;
    // Refusals are shown captioned "Versions-Überprüfung" when zeigen.
    bool VersionCheck(const std::string& version, bool zeigen) override;
    // One node per loaded record by its type code; a type without a class is reported
    // ("Unbekannter Typ: " + code) and its record kept as it is.
    void InitDataMainStruktur() override;
    // After every load: aligns every node in handle order and rebuilds the lists. False only
    // when a detector's or the tamper contact's first child is not registered (shown).
    bool DatenAbgleich(bool a, bool b) override;
    // The ETS sub-group ids of the detectors' group addresses; unsorted, duplicates allowed.
    void GetGrpAdrUsedFromMelder(std::list<int32_t>& out) override;
    // Removes the first occurrence; false when there is none.
    bool ClearMelderGrpAdrFromList(int32_t grpAdr) override;
    // Appends; true.
    bool SetMelderGrpAdrToList(int32_t grpAdr) override;
    // Whether linking the ETS sub group neueId keeps the device within its address and
    // association tables (at most 254 distinct group addresses; addresses plus links at most
    // 508); on refusal shows why when zeigen. True allows the link.
    bool DeviceRessourceCheckVerbindungen(int32_t neueId, bool zeigen) override;
    // The default tree for the variant a new TAzSystem has (0x11330000).
    bool CreateNewDevice(HWND owner) override;
    // The alarm centre has no global device objects: false.
    bool CheckForDeleteGlobalDeviceObjects(int32_t, bool) override;
    // Every registered node, in handle order, writes its ETS device parameters, all in one ETS
    // write burst. A node of a type the centre does not know stops the pass with a message:
    // false, and nothing of the pass is stored (nor when a writer throws).
    bool WriteDataToDb() override;
    // Sets the flag that stops a run of adding detectors.
    void SetMelderHinzufuegenAbbrechen() override;

    // ---- Starting over and importing (DevInstAzImport.cpp) -------------------------------------
    // Deletes the device's communication objects in ETS and builds the default structure
    // anew; from now on deleting linked objects asks nobody. False when the structure could
    // not be built. Failures on the way are shown and the rest still runs.
    bool Reset(bool zeigeFortschritt) override;
    // Replaces the configuration by a stored container (template or safety copy). A file that
    // is not whole (cut short), of a version the editor cannot read, or whose records do not
    // fit together or this device is refused with its reason and changes nothing. Otherwise
    // the device's objects in ETS are replaced by those of the container, linked to its group
    // addresses when grpAdrVerknuepfen (else the objects come without links), and the
    // container is loaded. The container's CompData is not taken over. False when a step
    // failed (shown; the device and ETS are then as they were) and when a link was dropped
    // because its group address no longer converts (shown; the rest is imported). The
    // caller's container stays as it is.
    bool VireoImport(const std::string& stream, bool grpAdrVerknuepfen) override;
    // The keys of each object record's continuation records in chain order, by the object
    // record's key (as the import's check found them).
    using TImportKetten = std::map<int32_t, std::vector<int32_t>>;
    // The gate (DevInstAzKonfigPruefung.cpp). Whether the container can be read whole, checked
    // before anything changes: its sections whole; for a file, its version this editor's;
    // every record line as this editor writes it (numbers that are numbers, no value missing
    // or added); records there, handles unique and ones the handle source hands out
    // (1..32767), only known record types; exactly one device record, whose handle is the
    // System of every record; every record below it through records that can hold it; each object's continuation chain only through continuation records of
    // that object (ketten receives them); no communication object in two records; the inputs
    // within the device's number and limits, each number once, each in an area the variant
    // has and below that area; no security or arming area the variant lacks; texts no longer
    // than the device holds. Then against the program's own model: each fixed node of the
    // variant (FesteKnoten) once, below its parent there, none missing; every input below an
    // area of its kind, its area number the one its kind gives; every value a node's grid
    // shows one its row can take (a number in range, a choice among the entries, a text
    // within the field), the node drawn with what the loaded tree hands it (an arming node
    // offers the sabotage inputs of its area), values no row shows as the node's operations
    // leave them, and the record what the node writes into a record as the program makes one,
    // slot for slot (a slot no node keeps holds the program's value); no object linked beyond the
    // limit the program gives it (AuswahlGrenze), nor stored with a limit the program does
    // not give it. Except when opened: each object one that its parameter's
    // stored value shows on this device, of ETS's type and kind. Refused: the reason as Text.
    DatenContainer::TContainerStatus KonfigurationPruefen(const std::string& stream, TKonfigLeser leser,
                                                          std::vector<TDatenStruktur>* gelesen) override;
    // An object record as the import's messages name it: its name and number.
    static std::string ObjektText(const TDatenStruktur& record);
    // The keys of the store's records of communication objects, in key order.
    static std::vector<int32_t> ObjektSchluessel(const TDatenManager<TDatenStruktur>& store);
    DatenContainer::TContainerStatus KonfigurationPruefen(const std::string& stream, TKonfigLeser leser,
                                                          TDatenManager<TDatenStruktur>& store, TImportKetten& ketten);
    // Both gates: the records as read into datensaetze and, keyed by line from 1, into store.
    DatenContainer::TContainerStatus Pruefen(const std::string& stream, TKonfigLeser leser,
                                             std::vector<TDatenStruktur>& datensaetze,
                                             TDatenManager<TDatenStruktur>& store, TImportKetten& ketten);
    // Shows that the file is refused (it changes nothing), with the reason below; false.
    bool ImportAbgelehnt(const std::string& grund);
    // The checked import in one ETS write burst. When a step fails after all, ETS, the records,
    // the nodes and the area lists are put back as they were before, and that is shown. False
    // then, and when links were dropped (vollstaendig of VireoImportAbgleich).
    bool ImportOderZurueck(TDatenManager<TDatenStruktur>& store, bool grpAdrVerknuepfen, const TImportKetten& ketten);
    // The body of the import over the container's records (keyed by line, changed on the way)
    // and their checked chains. False when a step failed that must be undone; vollstaendig
    // false when a link was dropped (its address no longer converts) and the rest went on.
    bool VireoImportAbgleich(TDatenManager<TDatenStruktur>& store, bool grpAdrVerknuepfen,
                             const TImportKetten& ketten, bool& vollstaendig);
    // Every registered node writes itself into its record.
    void ImportAbgleichDB() override;
    // Every object the device limits to one group address gets that limit, stored with its
    // record: the detectors' and the tamper contact's objects, the arming inputs' and, while
    // monitoring is on, the monitoring object. The opening ends with it; ETS's import and copy
    // call it once the ids are ETS's, so that a file stored before the limits were kept with
    // the objects is stored as the opening would keep it.
    void AuswahlGrenzenSetzen();
    // What AuswahlGrenzenSetzen limits because of one node: the node's own communication
    // object (its first child) when eigenesObjekt, and the objects of these numbers. The
    // gate takes a file's limits from here, not from the file.
    struct TAuswahlGrenze {
        bool eigenesObjekt = false;
        std::vector<int32_t> nummern;
    };
    static TAuswahlGrenze AuswahlGrenze(TDataBasis& node);

    // ---- Adding and deleting detectors (DevInstAzMelder.cpp) -----------------------------------
    // Asks how many inputs to add to the security area selected in the current project window
    // and makes them one by one under a progress dialog that can be cancelled. True once the
    // run was started, also when it was cancelled or the input limit ended it early (what was
    // made stays); false when nothing was selected, the selection is no security area or the
    // count dialog was not confirmed.
    bool MelderHinzufuegen() override;
    // Deletes the detector selected in the current project window (DeleteAzMelder). False
    // for no selection, a node that is no detector, or the wired input of the centre.
    bool MelderLoeschen() override;

    // ---- Group-address links of the detectors (DevInstAzLinks.cpp) -----------------------------
    // A group address serves one detector input only. The detectors' objects are numbers
    // 0..159 (detector n has object n - 1); the sub groups linked to them are kept in the
    // detector group-address list.
    // As the base's link, refusing also (one message each) an address a detector uses and,
    // for an object that may have one address only and has one, a replacement the user does
    // not confirm (OK/Cancel). A confirmed replacement unlinks the old address first (in ETS
    // too) and stays done when a later step refuses. A detector's object linked enters the
    // sub group into the list. With inEts false a refusal leaves ETS's link as it is.
    bool LinkToSubGroup(int32_t subGroupId, int32_t objektHandle, bool inEts) override;
    // Unlinks in ETS, then drops the object's link (and a detector object's list entry).
    // True also when ETS does not list the link; false, nothing changed, when ETS refuses the
    // unlink or its links cannot be read.
    bool UnLinkFromSubGroup(int32_t subGroupId, int32_t deviceObjectId) override;
    // Whether the address typed in the text (either level style, ebenen as the parser takes
    // it) is a sub group a detector uses; true after the message "Die Gruppenadresse wird von
    // einem anderen Eingang verwendet" (once). A text that does not parse: false, silently.
    bool CheckGrpAddrUsedFromMelder(const std::string& text, int ebenen) override;
    // The search text of GrpAdrText (2 or 3 levels).
    static std::string StringToSearchGrpAddr(const std::string& text, const std::string& trenner, int ebenen);

    // ---- Copy and paste (DevInstAzKopieren.cpp) ---------------------------------------------------
    // The lines (UTF-8 record lines, no header) of a detector with everything below it: its
    // record and continuation chain, then each child record with its chain, depth first.
    // True and no lines for no node; false, no lines, for a node that is no detector or is
    // the wired input.
    bool GetCopyData(TDataBasis* node, TStringList& zeilen) override;
    // Appends the lines of the records below the node (continuation chains after their head;
    // a handle met twice is taken once).
    void GetAllChildData(TDataBasis* node, TStringList& zeilen);
    // Pastes the first detector of the lines: onto a security area as a new detector of that
    // area, onto a detector of the same kind of area into that detector. False, after a
    // message, for lines without a detector, a detector of another kind of area, a new
    // detector the limit refuses, lines that are no records; false, silently, when the user
    // keeps a switching device's sabotage assignment. A target of any other type, and the
    // wired input, get nothing: true. What was pasted before a failure stays.
    bool Einfuegen(TDataBasis* ziel, TStringList& zeilen) override;
    // Pastes into every registered node below the node its record from the store (an object
    // by its identifier, any other node by its type) and writes it into its record; an object
    // that took flags writes them into ETS. An object without data is skipped; false when
    // another node has none, a node refuses or ETS refuses the flags.
    bool PasteDataToAllChilds(TDataBasis* node, TDatenManager<TDatenStruktur>& daten, std::string& text);

    // ---- Checks before the return to ETS (DevInstAzPruefung.cpp) -------------------------------
    // Object 225 (alarm reset) exists and has a group address; no message.
    bool CheckObjektAlarmReset() override;
    // Every detector's input object (number - 1) that exists has a group address; else the
    // user is asked whether to go back to ETS all the same (true: yes).
    bool CheckObjekteMelder() override;
    // Object 226 (detector test) is missing or has a group address; else asked as above.
    bool CheckObjektMeldertest() override;
    // For every arming area of the variant whose input (object 161 + area) has group
    // addresses: the devices linked to them are 1 to 4 and as many as the area lists distinct
    // switching devices (the area's list is sorted and de-duplicated on the way). No message.
    bool CheckObjekteScharfschaltEingang() override;
    // The links of the object of that number; empty when there is none.
    void CheckObjektLinkedToGrpAdr(int32_t objektNr, std::vector<TObjektBasis::RecGrpAdrId>& out) const;

    // ---- Lists ------------------------------------------------------------------------------------
    // Area 1..4: appends the number to the area's sabotage inputs, sorts them and hands a copy
    // to the area's arming node (when there is one); true. Other area: false.
    bool SetMelderSaboSeToList(int32_t melderNr, uint8_t bereich);
    // Area 1..4 and the number listed: removes its first occurrence, hands a copy as above;
    // true. Otherwise false.
    bool ClearMelderSaboSeFromList(int32_t melderNr, uint8_t bereich);
    // Area 1..4: replaces the old switching-device address by the new one (none when 0),
    // ascending without duplicates; true. Other area: false.
    bool UpdatePhysAdrUsedSsbFromList(int32_t neu, int32_t alt, uint8_t bereich);
    // The lowest number 1..160 not taken, now taken; 0 when all are taken.
    int32_t GetNextFreeMelderNr();
    // The status bar's used and free bus inputs: the counter without the wired input, and
    // what is left of 160.
    void ModifyAzStatusleisteAnzahlMedler();

    // ---- Look-ups in the registry (ascending handle order, first match or null) ---------------
    TAzSystem* GetPointerInstAzSystem() const;
    TAzOrdnerAnzeige* GetPointerInstOrdnerAnzeige() const;
    TAzScharfschaltungSsb* GetPointerInstScharfschaltungSsb(uint8_t bereich) const;
    TDataBasis* GetPointerInstScharfschaltBereich(int16_t typ) const;
    TAzMelder* GetPointerInstMelder(int32_t melderNr) const;
    TAzMelder* GetPointerVerdrahteterMelder() const;
    // The node of the editable texts as stored (null until set).
    void SetPointerEdtitierbareTexte(TAzEditierbareTexte* node) { m_textKnoten = node; }
    TAzEditierbareTexte* GetPointerEdtitierbareTexte() const { return m_textKnoten; }

    // ---- Bookkeeping ------------------------------------------------------------------------------
    int GetAnzahlEingaenge() const { return m_eingaenge; }
    void SetAnzahlEingaenge(int anzahl) { m_eingaenge = anzahl; }
    bool GetAbbrechen() const { return m_abbrechen; }
    void SetAbbrechen(bool abbrechen) { m_abbrechen = abbrechen; }
    bool GetAufbau() const { return m_aufbau; }
    void SetAufbau(bool aufbau) { m_aufbau = aufbau; }
    // Per area 1..4 (index 0..3).
    std::array<bool, kAnzahlBereiche>& GetUegScharf() { return m_uegScharf; }
    std::array<bool, kAnzahlBereiche>& GetUegEinbruch() { return m_uegEinbruch; }
    std::list<int32_t>& GetMelderNrUsed() { return m_melderNrUsed; }
    std::list<int32_t>& GetMelderGrpAdr() { return m_melderGrpAdr; }
    std::array<std::list<int32_t>, kAnzahlBereiche>& GetSaboSe() { return m_saboSe; }
    std::array<std::list<int32_t>, kAnzahlBereiche>& GetPhysAdrSe() { return m_physAdrSe; }

    // ---- New device structure ---------------------------------------------------------------------
    // Empties the records and the detector bookkeeping (the input counter included), then
    // builds the default tree for the variant: the root TAzSystem (given the variant), its
    // folders and nodes, and per area present its security area, arming area and alarm with
    // their first detectors; then every node writes its device parameters. False when the
    // records cannot be set up.
    bool CreateNewDevice(HWND owner, uint32_t variante);
    // A node that every device of a variant has, once, below the same parent: what
    // CreateNewDevice makes, less the inputs (a person adds and deletes them) and the
    // communication objects (the nodes' settings switch them). Eltern is the parent's place in
    // the list (-1: the device record); Merkmal tells it from siblings of its type (the kind of
    // an alarm, the number of a display, the area of a sub-node; 1 for the wired input; else
    // 0). A device without security areas may lack the wired input (a change to such a
    // variant deletes it): not Pflicht there.
    struct TFesterKnoten {
        int Typ;
        int Eltern;
        int Merkmal;
        bool Pflicht;
        std::string Name;
    };
    static std::vector<TFesterKnoten> FesteKnoten(uint32_t variante);
    // The display-order parameters by which the program switches the objects of a node of
    // that type and Merkmal (an input: of that number); none for a node without objects.
    static std::vector<int> ObjektParameter(int typ, int merkmal, int32_t melderNr);
    // The node of a record as the load makes it (not read from the record yet); null for a
    // type without a node class.
    static std::unique_ptr<TDataBasis> KnotenFuerSatz(HWND owner, const TDatenStruktur& record);

    // One operation per node kind: makes the node under the parent (zeigen: and shows it in
    // the project window) with what belongs to it. When the parent has a node of the kind
    // already nothing is made and the answer is the one noted (dup). False also when the node
    // cannot be made.
    bool CreateAzEditierbareTexte(HWND owner, TDataBasis* parent, bool zeigen);         // dup false
    bool CreateAzOrdnerSicherungsBereich(HWND owner, TDataBasis* parent, bool zeigen);  // dup false
    bool CreateAzOrdnerScharfschaltung(HWND owner, TDataBasis* parent, bool zeigen);    // dup false
    bool CreateAzOrdnerAlarmierung(HWND owner, TDataBasis* parent, bool zeigen);        // dup false
    bool CreateAzOrdnerAnzeige(HWND owner, TDataBasis* parent, bool zeigen);            // dup false
    bool CreateAzOrdnerSicherheitStoerung(HWND owner, TDataBasis* parent, bool zeigen); // dup false
    bool CreateAzDatumUhrzeit(HWND owner, TDataBasis* parent, bool zeigen);             // dup false
    bool CreateAzEibAlarmSystemSicherheit(HWND owner, TDataBasis* parent, bool zeigen); // dup false
    // bereich 0 hold-up, 1 intrusion; no duplicate check.
    bool CreateAzVerhaltenDurchUegRBeiScharf(HWND owner, TDataBasis* parent, bool zeigen, uint8_t bereich);
    bool CreateAzEibObjekteZurAlarmierung(HWND owner, TDataBasis* parent, bool zeigen); // dup false
    bool CreateAzAlarmdauer(HWND owner, TDataBasis* parent, bool zeigen);               // dup true
    // typ 0..6; dup (an alarm of that type): true. Type 2 only when asked for.
    bool CreateAzAlarmierung(HWND owner, TDataBasis* parent, bool zeigen, uint8_t typ);
    bool CreateAzSabotageKontakt(HWND owner, TDataBasis* parent, bool zeigen);          // dup false
    bool CreateSicherungsBereichFeuer(HWND owner, TDataBasis* parent, bool zeigen);     // dup false
    bool CreateSicherungsBereichUeberfall(HWND owner, TDataBasis* parent, bool zeigen); // dup false
    // typ 6127..6130 (security area 1..4) with its first detector; dup true.
    bool CreateSicherungsBereich1(HWND owner, TDataBasis* parent, bool zeigen, int16_t typ);
    // typ 6132..6135 (arming area 1..4) with its arming and acknowledgement nodes; dup true.
    bool CreateScharfschaltBereich(HWND owner, TDataBasis* parent, bool zeigen, int16_t typ);
    // bereich 1..4; no duplicate check.
    bool CreateScharfschaltungSsb(HWND owner, TDataBasis* parent, bool zeigen, uint8_t bereich);
    bool CreateScharfUnscharfQuittierungSsb(HWND owner, TDataBasis* parent, bool zeigen, uint8_t bereich);
    // nummer 0..3 (display 1..4); no duplicate check.
    bool CreateAzAnzeige(HWND owner, TDataBasis* parent, uint32_t variante, uint8_t nummer, bool zeigen);
    // art: the detector's kind 0..6. Refused with a message when no input is left: the
    // counter is at 161 or no number 1..160 is free (the wired input, number 0, is always made).
    bool CreateAzMelder(HWND owner, TDataBasis* parent, uint8_t art, bool zeigen);
    // As CreateAzMelder for a paste, which then fills the node: the new node, or null.
    TAzMelder* CreateAzMelderForPaste(HWND owner, TDataBasis* parent, uint8_t art, bool zeigen);

    // ---- Look-ups among a node's children (first match or null) --------------------------------
    TDataBasis* GetPointerInstOrdnerAlarmierung(TDataBasis* parent);
    TDataBasis* GetPointerInstOrdnerSB(TDataBasis* parent);
    TDataBasis* GetPointerInstOrdnerSS(TDataBasis* parent);
    TAzAnzeige* GetPointerInstAnzeige(TDataBasis* ordner, uint8_t nummer);
    // The text node: the one kept, else the parent's child of its type (then kept), else a new
    // one made under the parent and shown.
    TAzEditierbareTexte* GetPointerInstEdtitierbareTexte(HWND owner, TDataBasis* parent);

    // ---- Variant change and deletion -----------------------------------------------------------
    // Makes the areas the variant has and deletes those it lacks, brings the displays and the
    // wired input in line; anzahl receives the number of areas present. False when a folder
    // is missing or an area step failed (the others still ran; nothing is undone).
    bool ModifyVarianteAz(HWND owner, TDataBasis* ordnerSB, int32_t& anzahl, uint32_t variante,
                          TDataBasis* ordnerAnzeige, TDataBasis* ordnerAlarmierung, TDataBasis* ordnerSS);
    // Displays 1 and 2 follow the variant; display 3 exists with one area or more, display 4
    // with two or more. False without a display folder.
    bool ModifyAzAnzeigen(HWND owner, TDataBasis* ordner, uint32_t variante);
    // Deletes a detector with its objects, parameters and record. A detector assigned as a
    // switching device's sabotage input is deleted only when the user agrees, and is then
    // withdrawn from the arming node too. False when refused (nothing changed).
    bool DeleteAzMelder(TDataBasis* melder);
    // Deletes every detector of the security area (refusals included): true.
    bool DeleteAzAlleMelderSb(TDataBasis* bereich);
    bool DeleteVerdrahteterMelder(TDataBasis* melder);
    // The child of that type with what is inside it; true, also when there is none.
    bool DeleteSicherungsBereich(TDataBasis* ordner, int16_t typ);
    bool DeleteScharfschaltBereich(TDataBasis* ordner, int16_t typ);
    // The node with its objects; false for a node of another kind.
    bool DeleteScharfschaltungSsb(TDataBasis* node);
    bool DeleteScharfUnscharfQuittierungSsb(TDataBasis* node);
    // typ 3..6; true.
    bool DeleteAzAlarmierung(TDataBasis* ordner, uint8_t typ);
    // nummer 0..3; true.
    bool DeleteAzAnzeige(TDataBasis* ordner, uint8_t nummer);

    // ---- Resources and names -------------------------------------------------------------------
    // Appends the ETS sub-group id of every link of every communication object (type 806),
    // one entry per link.
    void GetAllUsedGAIds(std::list<int32_t>& out) const;
    using TDeviceInstanz::GetAllUsedGAIds;
    // The default name of a folder node; false (out unchanged) for any other node.
    bool GetDefaultName(TDataBasis* node, std::string* out);

    // ---- The nodes' requests (DevInstAzRequest.cpp) --------------------------------------------
    // The case is picked by the sender's type (its node's, else its record's) and the code.
    // 0 refuses: a null request, a sender or pointer the case needs that is null, a type or
    // code without a case, a structural fault of the instance (shown to the user). Some
    // cases answer 0 also when done; the sender then reads the request.
    LRESULT UserDeviceMessage(HWND owner, TUserDeviceRequest* request) override;
    LRESULT UserDeviceMessage(TUserDeviceRequest* request) override;
    // The arming areas whose ÜG 'Scharf' flag is set, as "SSB1 / SSB3" ("" when none).
    std::string CreateStrUeGScharfUsedFromSsb() const;
    // The same for the areas whose alarm reports intrusion through the ÜG.
    std::string CreateStrUeGEinbruchUsedFromAlarmierung() const;

    // ---- Devices of the project (DevInstAzPhysAdr.cpp) -----------------------------------------
    // The devices with a device object linked to one of the group addresses: each once, in
    // ascending device-id order, the alarm centre itself left out (by its id, its address, or
    // its name in ETS when that is not empty). Empty when a read fails.
    std::list<TPhysAdrEintrag> GetDevicePhysAdrLinkedWithGrpAdr(const std::vector<TObjektBasis::RecGrpAdrId>& links);
    // Appends the ids of the device objects linked to the sub group. False when ETS fails;
    // an unknown answer of ETS is shown and ends the walk (true).
    bool GetDeviceObjectIds(int32_t subGroupId, std::list<int32_t>& out);
    // Appends the device of each device object; objects ETS does not know are skipped. False
    // when ETS fails or answers unknown (shown).
    bool GetDeviceIds(const std::list<int32_t>& deviceObjectIds, std::list<int32_t>& out);
    // Appends each device's address and name, leaving out the centre itself and devices
    // without a readable address; devices ETS does not know are skipped. False as
    // GetDeviceIds.
    bool GetDevicesPhysAdr(const std::list<int32_t>& deviceIds, std::list<TPhysAdrEintrag>& out);
    using TDeviceInstanz::GetPhysAdr;
    // The device's address as text and word. Both are emptied (text "", word 0) first and
    // stay so when the address cannot be read: false.
    bool GetPhysAdr(int32_t deviceId, std::string& text, int32_t* wort) const;
    // area << 12 | line << 8 | device, unchecked.
    static void PhysAdrMergeToInt(int32_t* out, int16_t area, int32_t line, int32_t device);
    // After a load: the switching devices kept by the arming node of area 1..4 that are among
    // the devices on its arming input's group addresses go into the area's address list;
    // for each one that is not, the user is asked whether to clear it (all four when there is
    // no such device or no link at all). Nothing while ETS copies a device, for another area
    // or no node.
    void CheckPhysAdrSeExist(uint8_t bereich, TAzScharfschaltungSsb* ssb);

    // ---- The device over the bus (DevInstAzBus.cpp) --------------------------------------------
    // Reads the device clock and both event areas (up to three attempts, each on a connection
    // of its own), decodes the records into event rows, groups and sorts them and shows them
    // in the event-memory window; a failed read is shown instead. Nothing at all when the
    // centre's physical address converts to 0. False in every case (the callers ignore it).
    bool EreignisspeicherAuslesen() override;
    // Writes the PC's date and time into the device (up to three attempts; an attempt stops at
    // its first failed step) and shows the outcome: true after a write. False, silently, when
    // the physical address converts to 0.
    bool DownloadAzHwDateTime() override;
    // The PC's local time both read; the system clock unless set (tests).
    void SetUhr(std::function<std::tm()> uhr) { m_uhr = std::move(uhr); }
    // The bus calls both make, with the ETS interface's contract (0 success; the block calls
    // take (first, first, end) and never go beyond the caller's buffer or data).
    class TBus {
    public:
        virtual ~TBus() = default;
        virtual int EibSetAddress(int mode, uint16_t adresse) = 0;
        virtual int EibStartComm() = 0;
        virtual int EibReadMemBlock(std::span<uint8_t> puffer, uint16_t erste, uint16_t ersteNochmals,
                                    uint16_t ende) = 0;
        virtual int EibWriteMemBlock(std::span<const uint8_t> daten, uint16_t erste, uint16_t ersteNochmals,
                                     uint16_t ende, std::span<const uint8_t> maske) = 0;
        virtual int EibStopComm() = 0;
    };
    // The bus to use (not owned; null: the ETS interface's own calls).
    void SetBus(TBus* bus) { m_bus = bus; }

    // "area.line.device" in decimal to area << 12 | line << 8 | device; 0 when a part is no
    // number or out of range (area or line above 15, device above 255).
    static uint16_t MergeGrpAdrStringToWord(const std::string& text);
    // The rows (comma text, date dd.mm.yy in field 4, time hh:mm:ss in field 5) in ascending
    // date and time into ziel, emptied first; a row equal to rows placed already goes right
    // after the first of them. False at a date or time that cannot be parsed: ziel then holds
    // the rows placed so far.
    static bool SortiereEreignisse(const TStringList& quelle, TStringList& ziel);
    // ordnung: 1 a earlier, 2 a later, 0 equal (dates year, month, day; times hour, minute,
    // second, as numbers). False when a text lacks its separators or a part is no number.
    static bool CompareDate(const std::string& a, const std::string& b, int& ordnung);
    static bool CompareTime(const std::string& a, const std::string& b, int& ordnung);
    // Appends every row of quelle to ziel; true.
    static bool AddEreignisse(TStringList& ziel, const TStringList& quelle);
    // False for an empty event record (all eight bytes 0xFF).
    static bool CheckEreignisExist(std::array<uint8_t, 8> satz);
    // The word with its two bytes exchanged: the device stores its pointers high byte first.
    static uint16_t SwapWord(uint16_t wort);
    // The arming area of the record of area A with that index, by the centre's variant and
    // event-memory depth: its text, and bereich := 1..4, or " " and 0 without areas. An
    // unknown variant gives " " and leaves bereich as it was; no centre node gives "".
    std::string GetTextSsb(int index, int& bereich) const;
    // The text of the detector with that number; empty when there is none.
    std::string GetMeldertext(int melderNr) const;
    // "dd.mm.yy" / "hh:mm:ss" when the parts are in range, else "00.00.00" / "00:00:00" and
    // false.
    static bool CheckDateAndBuildString(int tag, int monat, int jahr, std::string& text);
    static bool CheckTimeAndBuildString(int stunde, int minute, int sekunde, std::string& text);
    // The text of an event kind (0..63); hatSubCode for arming and disarming; istMelder (preset
    // by the caller) false for kinds that name no detector.
    static void GetTextEreignisart(int art, bool& istMelder, bool& hatSubCode, std::string& text);
    // The PC's time as "dd.mm.yy / hh:mm:ss Uhr".
    std::string GetPcDateTimeString() const;

protected:
    void KnotenEntfernt(const TDataBasis& node) override;

private:
    // A new node of class T under the parent with a fresh handle; null when none is left or
    // the node cannot be made.
    template <class T> std::unique_ptr<T> Neu(HWND owner, TDataBasis* parent, const std::string& name);
    // The common steps of a creation: position, record, Write, registration, and the tree node
    // in fenster when zeigen. The node is owned by the registry afterwards.
    template <class T>
    T* Anlegen(std::unique_ptr<T> node, TDataBasis* parent, int position, bool zeigen, TFormVerw* fenster);
    bool MelderAnlegen(HWND owner, TDataBasis* parent, uint8_t art, bool zeigen, bool fuerPaste, TAzMelder** neu);
    // The variant of the root; the default of a new one while there is none.
    uint32_t AktuelleVariante() const;
    // The first registered child of the parent of that type (passing the test when given).
    TDataBasis* FindeKind(TDataBasis* parent, int typ, const std::function<bool(TDataBasis&)>& test = {});
    // Deletes the node's records, its tree node and the node.
    void Entfernen(TDataBasis* node);
    // ModifyObject with the request to ask: switches the node's objects on (wert != 0) or off.
    static bool SchalteObjekte(TDataBasis* node, int wert, int paramNr, int offset = 0);
    // The communication object of that number may be linked to one group address only.
    void SetzeAuswahlGrenze(int32_t objektNr);
    // The object's limit of one group address, stored with its record at once: the record
    // holds what the node holds, so writing the object again later (an export, a download)
    // changes nothing in the store.
    void SetzeAuswahlGrenze(TObjektBasis& objekt);

    // Hands a copy of the area's sabotage inputs to its arming node, when there is one.
    void SaboSeWeitergeben(uint8_t bereich);

    // Switches off in ETS the display-order parameter of every communication object the
    // store holds (its objects go with it, unasked); a refusal is shown and the rest goes on.
    void EtsObjekteLoeschen(const TDatenManager<TDatenStruktur>& store);
    // Links the imported object (kopf, its device object id already this device's) in ETS to
    // the group address of each of its links, those of its continuation records (the keys of
    // kette in the store) too, and puts the sub-group ids of this project into the records.
    // False when an address could not be converted: that link is dropped (address and id 0)
    // and shown; a link ETS refuses is only shown.
    bool ImportObjektVerbinden(TDatenManager<TDatenStruktur>& store, TDatenStruktur& kopf,
                               const std::vector<int32_t>& kette);

    // The requests of each overload (request not null); the cases that open a dialog.
    LRESULT GeraeteAnfrage(HWND owner, TUserDeviceRequest& request);
    LRESULT ObjektAnfrage(TUserDeviceRequest& request);
    void VarianteWaehlen(TUserDeviceRequest& request);
    void AnzeigeBereicheWaehlen(TUserDeviceRequest& request);
    void PhysAdrSeWaehlen(TUserDeviceRequest& request);

    TAzEditierbareTexte* m_textKnoten = nullptr;
    int m_eingaenge = 0;      // detectors made, wired input included
    bool m_abbrechen = false; // stops a run of adding detectors
    std::array<bool, kAnzahlBereiche> m_uegScharf{};   // ÜG 'Scharf' of arming area n
    std::array<bool, kAnzahlBereiche> m_uegEinbruch{}; // ÜG Einbruch of alarm type n + 2
    bool m_aufbau = false;    // CreateNewDevice is building: no progress dialogs
    std::list<int32_t> m_melderNrUsed;  // ascending
    std::list<int32_t> m_melderGrpAdr;  // unsorted, duplicates allowed
    std::array<std::list<int32_t>, kAnzahlBereiche> m_saboSe;
    std::array<std::list<int32_t>, kAnzahlBereiche> m_physAdrSe; // ascending, no duplicates
    int m_versionMajor = 1;
    int m_versionMinor = 1;
    std::string m_typText = "VIREO/Alarmzentrale";
    std::function<std::tm()> m_uhr; // the PC's local time; the system clock when empty
    TBus* m_bus = nullptr;          // the bus calls; the ETS interface's when null
};
