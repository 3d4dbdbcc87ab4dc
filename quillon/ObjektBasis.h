#pragma once
// The abstract base of a device's communication objects: the objects mirrored from ETS
// (TEtsObjekt) and the device's own objects (TVireoObjekt). It holds the object's number,
// size type, IoTyp, its six ETS flags and which of them the user may change, the RAM
// position, an identifier, and its links to group addresses: ETS sub groups (id and address
// word) and internal group addresses of the device (node handles).
//
// Invariants kept by the link operations: a sub-group id occurs at most once in the
// sub-group links, a handle at most once in the internal links, no link has id or handle 0.
// The sending group address is the first sub-group link, or the first internal link while
// the sending-is-internal flag is set; the links after it are sorted by their address word
// (unsigned 16 bits).
//
// Record (TDatenStruktur) of the object; the identity fields and Param1/Param2/Bool1/Bool2
// are the node base's:
//   Next     first continuation record (0 for none)
//   Param4   number                     Param13  maximum number of group addresses
//   Param6   IoTyp (sign-extended)      Param14  ETS sub-group id of the first sub-group link
//   Param8   object type (sign-ext.)    Param15  address word of that link (0-65535)
//   Param9   identifier                 Param16, Param17  the two carried values
//   Param11  RAM position, address      Param18  enable mask: bit 0 communication, 1 read,
//   Param12  RAM position, byte                  2 transmit, 3 write, 4 update, 5 status
//   Param19  first internal link (handle)
//   Bool3 status, Bool4 communication, Bool5 read, Bool6 transmit, Bool7 write, Bool8 update,
//   Bool10 sending-is-internal.
// Link i (i >= 1) of both lists goes into continuation record i (Typ 2, Parent the object's
// handle, Param14/Param15 sub-group link i, Param19 internal link i), chained through Next.
// Stored configurations hold this layout: it must stay as it is.
//
// The object reaches the editor only through window messages to its owner window. None of
// the link operations writes the record; the caller writes it (Write) after a change.

#include "pellam/DataBasis.h"
#include "quillon/QuillonExport.h"
#include "rastow/Cell.h"

#include <cstdint>
#include <list>
#include <string>
#include <vector>

class TObject;
class TVireoInternGrpSub;

// The object's size code as stored: 0 invisible, 1-16 the KNX object size codes 0-15 plus one.
enum TEnumObjectType : int8_t {
    otUnsichtbar = 0,
    ot1Bit = 1,
    ot2Bit = 2,
    ot3Bit = 3,
    ot4Bit = 4,
    ot5Bit = 5,
    ot6Bit = 6,
    ot7Bit = 7,
    ot1Byte = 8,
    ot2Byte = 9,
    ot3Byte = 10,
    ot4Byte = 11,
    ot6Byte = 12,
    ot8Byte = 13,
    ot10Byte = 14,
    ot14Byte = 15,
    otVarData = 16,
};

struct T_DB_EnumObjektBasis {
    // Derived from the read and write flags (AktualisiereIoTyp).
    enum TEnumIOTyp : int8_t {
        ioSchreiben = 0,       // write only
        ioLesen = 1,           // read only
        ioLesenSchreiben = 2,  // read and write
        ioKeins = 3,           // neither
    };
};

// The object's own exception class; nothing in this library raises it.
class QUILLON_EXPORT E_ObjektBasis : public E_Basis {
public:
    E_ObjektBasis(int severity, std::string message, std::string place = {},
                  std::string source = {}, int position = 0);
};

// Raised by TObjektBasis::Write when no handle can be had for a continuation record. Its
// class text is "E_DataBasis": error reports name that class.
class QUILLON_EXPORT E_EtsObjekt : public E_Basis {
public:
    E_EtsObjekt(int severity, std::string message, std::string place = {},
                std::string source = {}, int position = 0);
};

class QUILLON_EXPORT TObjektBasis : public TDataBasis {
public:
    // The flag argument of ChangeFlag, and the flag number of the editor's flag requests.
    enum TEnumObjektFlag {
        ofKommunikation = 0,
        ofLesen = 1,
        ofSchreiben = 2,
        ofUebertragen = 3,
        ofAktualisieren = 4,
        ofStatus = 5,
    };

    // One link to an ETS group address: the sub group's ETS id and the group address's word
    // as it was when the link was made or last refreshed.
    struct RecGrpAdrId {
        int32_t SubGroupId = 0;
        uint16_t GrpAdr = 0;

        bool operator==(const RecGrpAdrId&) const = default;
    };

    // Grid row numbers of the object's page; the grid reports them back with every event.
    enum TEnumRow {
        rowNummer = 1,
        rowObjektname = 2,
        rowGruppenadressen = 3,
        rowSendend = 4,
        rowObjekttyp = 5,
        rowKommunikation = 6,
        rowLesen = 7,
        rowSchreiben = 8,
        rowUebertragen = 9,
        rowAktualisieren = 10,
        rowStatus = 11,
        rowTitelAllgemein = 12,
        rowTitelGruppenadressen = 13,
        rowTitelFlags = 14,
    };

    // owner, system, parent, name and art go to the node base unchanged. number: the
    // object's number; wert1, wert2: two values the object only carries in its record;
    // identifier: matches the object with pasted records.
    TObjektBasis(HWND owner, int32_t system, int32_t parent, std::string name, int32_t number,
                 int32_t wert1, int32_t wert2, TEnumObjectType objektTyp, int32_t identifier,
                 int32_t art);
    // slot 1: empties both link lists.
    ~TObjektBasis() override;

    // --- Node interface -------------------------------------------------------------------
    // slot 0: 190.
    int GetQuickHelpIndexOffset() const override;
    // slot 4: the node's name, whatever the argument.
    std::string GetName(bool mitPosition) const override;
    // slot 7: 1 (the object draws a grid page).
    int ListStyle() override;
    // slot 9: false (a leaf).
    bool AllowChild(int typ) override;
    // slot 19: writes the object and rebuilds its chain of continuation records: the old
    // chain (from the record's Next) is deleted, then one record per link beyond the first
    // of either list is made with UM_GetDatenSatz and a handle from the handle source.
    // Throws E_EtsObjekt (severity 1) when the handle source is missing or answers no
    // handle; the records written up to then stay.
    void Write(TDatenStruktur& record) override;
    // slot 23: true; the subclasses compare with ETS.
    bool DatenAbgleich(bool, bool) override;
    // slot 29: true for a group-address sub node (5003) or an internal group address (5006).
    bool AllowDrop(TDataBasis* source) override;
    // slot 30: has the editor link the object to the dropped group address.
    void Drop(TDataBasis* source) override;
    // slot 34: the page "Allgemein", "Gruppenadressen", "Flags" in the property grid.
    void BuildInfoWindow(TDrawGridSE* grid, TListView* list, bool first, int column,
                         int row) override;
    // slot 35: reads the object and its links, following the chain of continuation records
    // (a look-up that never creates a record; a missing record or a handle met before ends
    // the chain, keeping the links read so far).
    void InitFromDB(TDatenStruktur& record) override;
    // slot 41: takes the flags and enable flags from the first pasted record of the object's
    // type whose Param9 is the identifier. Throws E_DataBasis (severity 3) when there is no
    // such record; nothing changes then.
    bool Paste(TDatenManager<TDatenStruktur>* records, std::string& message) override;

    // --- Own slots ------------------------------------------------------------------------
    // slot 46: makes the link with that address word the sending one (bit 15 set: an
    // internal address) and re-sorts the links.
    virtual void SetGrpAdrSend(int address) = 0;
    // slot 47: the caller has already set the flag; the base only recomputes IoTyp and
    // answers true. A subclass may refuse (false), the caller then sets the flag back.
    virtual bool ChangeFlag(TEnumObjektFlag flag, bool value);
    // slot 48: the object type.
    virtual TEnumObjectType GetObjektTyp();
    // slot 49: sets the six flags (the seventh bool is not used), then IoTyp; true.
    virtual bool SetFlags(bool kommunikation, bool lesen, bool schreiben, bool uebertragen,
                          bool aktualisieren, bool status, bool);
    // slot 50: which flags the user may change in the grid. Note the order: status comes
    // before update here.
    virtual void SetFlagZugriff(bool kommunikation, bool lesen, bool schreiben,
                                bool uebertragen, bool status, bool aktualisieren);
    // slots 51-56: set one enable flag each.
    virtual void EnableCellFlagComm(bool enable);
    virtual void EnableCellFlagRead(bool enable);
    virtual void EnableCellFlagWrite(bool enable);
    virtual void EnableCellFlagTransmit(bool enable);
    virtual void EnableCellFlagUpdate(bool enable);
    virtual void EnableCellFlagStatus(bool enable);
    // The ETS device-object id the editor links with; -1 for an object without one.
    virtual int32_t GetEtsObjektId() const;

    // --- Links ----------------------------------------------------------------------------
    // Within the link limit (else the limit box and nothing changes): adds the link unless
    // its id is linked already or is 0, then re-sorts the sub-group links by the current
    // address word the editor gives for each (links the editor no longer knows are dropped,
    // of two with the same word only the first stays), the sending link kept first. On an
    // object without links the sending address becomes a sub-group link. The bool is not used.
    void AddSubGroupLink(int32_t subGroupId, uint16_t grpAdr, bool = false);
    // Removes the link; when it was the sending one and sub-group links remain,
    // SetGrpAdrSend(0) settles the new sending address.
    void DeleteSubGroupLink(int32_t subGroupId);
    void ClearAllSubGroupLink();
    [[nodiscard]] bool ExistSubGroupId(int32_t subGroupId) const;
    // As AddSubGroupLink for an internal group address (its node handle); handles the editor
    // does not resolve to an internal group address are dropped by the re-sorting.
    void AddInternGroupLink(int32_t handle, bool = false);
    // Removes the handle; nothing else changes (no re-sorting, the sending flag stays).
    void DeleteInternGroupLink(int32_t handle);
    void ClearAllInternGroupLink();
    [[nodiscard]] bool ExistInternGroup(int32_t handle) const;
    // A copy of the sub-group links, the sending one first.
    std::vector<RecGrpAdrId> GetSubGroupLinks() const { return m_subGroupLinks; }
    // A copy of the internal links (node handles), the sending one first.
    std::vector<int32_t> GetInternGroupLinks() const { return m_internLinks; }
    bool IsSendendIntern() const { return m_sendendIntern; }
    // True while the object has any link (sub-group or internal).
    bool IstVerbunden() const { return !m_subGroupLinks.empty() || !m_internLinks.empty(); }

    // The link limit: 0 or less means none.
    void SetNumberSelectableGrpAdr(int anzahl);
    int GetNumberSelectableGrpAdr() const;
    // True while another link may be added; at the limit it shows "Die maximale Anzahl an
    // zuweisbaren\nGruppenadressen ist erreicht!" / "Fehler" and answers false.
    bool CheckAnzahlVerbindungen();

    // The addresses of all links as the editor shows them, each followed by a blank; the
    // sending internal address first.
    std::string GetGrpAdrText();
    // Appends the entries of the "Sendende Gruppenadresse" row (text, address word), the
    // current sending address first; ("---", 0) when there is none. Changes nothing: drawing
    // a node never changes what is stored.
    void GetGrpAdrSendList(std::list<TComboWert>& entries);
    // Refreshes the stored address word of every sub-group link from the editor; a link
    // whose group address is gone is reported in `report` and makes the result false.
    // *geaendert (when given) is set when a stored word changed.
    bool UpdateAssociatedAddress(std::string& report, bool* geaendert = nullptr);

    // --- Object data ------------------------------------------------------------------------
    int32_t GetObjektNr() const { return m_nummer; }
    int32_t GetIdentifier() const;
    // The size name of the object type, e.g. "1 Bit".
    std::string GetObjTypText();
    // The KNX size code 0-15 of the object type; -1 for invisible and unknown types.
    int8_t GetEtsObjektTyp();
    T_DB_EnumObjektBasis::TEnumIOTyp GetIoTyp() const { return m_ioTyp; }
    int32_t GetWert1() const { return m_wert1; }
    int32_t GetWert2() const { return m_wert2; }
    void SetRamPosition(uint32_t adresse, uint8_t byte);
    uint32_t GetRamAdresse() const { return m_ramAdresse; }
    uint8_t GetRamByte() const { return m_ramByte; }

    // --- Flags ----------------------------------------------------------------------------
    // Note the order: read and write come first.
    void GetFlags(bool& lesen, bool& schreiben, bool& kommunikation, bool& uebertragen,
                  bool& aktualisieren, bool& status) const;
    // The enable flags in the order of SetFlagZugriff.
    void GetFlagZugriff(bool& kommunikation, bool& lesen, bool& schreiben, bool& uebertragen,
                        bool& status, bool& aktualisieren) const;
    // One flag by its number.
    bool GetObjektFlag(TEnumObjektFlag flag) const;
    // IoTyp from the read and write flags.
    void AktualisiereIoTyp();

    // --- Grid -----------------------------------------------------------------------------
    // An on/off row ("Aus" 0, "Ein" 1) that the user may change only while `enabled`; help 0
    // or less gives row + GetQuickHelpIndexOffset(). `addRow` appends a new row, else the
    // grid's last row is filled.
    void AddRowComboBoxOn(TDrawGridSE* grid, const std::string& caption, int row,
                          T_DB_EnumDataBasis::TEnumBool value, int help, bool addRow,
                          bool enabled);

    // Grid events (bound by BuildInfoWindow). The two ints are the cell's grid position,
    // handed on to UM_AktualisiereAnsicht so that the rebuilt page activates it again.
    void GridComboBoxChange(TObject* sender, TCell& cell, int column, int row);
    void GridEditChange(TObject* sender, TCell& cell, int column, int row);
    void GridSpinEditChange(TObject* sender, TCell& cell, int column, int row);
    void GridEnterCheckBox(TObject* sender, TCell& cell, int column, int row);
    void GridEllipseClick(TObject* sender, TCell& cell, int column, int row);
    void GridGroupTitleClick(TObject* sender, TCell& cell, int column, int row, int state);
    void GridExitCell(TDrawGridSE* grid, TObject* sender, TCell& cell, int column, int row);
    void GridExit(TDrawGridSE* grid, TObject* sender, TCell& cell, int column, int row);
    void GridDeleteCellKomponente(TDrawGridSE* grid, TCell& cell, int column, int row);

protected:
    // Steps shared by the subclasses' SetGrpAdrSend(int): exchanges the link with that
    // address into first place of its list (bit 15 set: the internal links; the sending
    // flag follows the list the match was found in, no match keeps it), then rebuilds both
    // lists in ascending order of the editor's current address words, dropping links the
    // editor no longer resolves, and puts the sending link back in first place.
    void SortiereMitSendender(int address);
    // Exchanges the first sub-group link with that id and the link in first place; an id
    // not linked changes nothing.
    void TauscheSubGroupLinkNachVorne(int32_t subGroupId);
    // The sub-group id of the sending link while it is a sub-group link; -1 otherwise.
    int32_t SendendeSubGroupId() const;
    // Has the editor answer the default name of the object (UM_UserObjectMessage code 15)
    // (Wert5, Wert6 as given) and takes it when the answer is nonzero.
    void FrageStandardName(int32_t wert5, int32_t wert6);
    // Fetches the object's record from the editor and writes the object into it.
    void SchreibeDatensatz();
    // The internal group address the editor keeps under the handle, or null.
    TVireoInternGrpSub* InternNode(int32_t handle);
    // Sets one flag by its number (IoTyp is not recomputed).
    void SetObjektFlag(TEnumObjektFlag flag, bool value);

private:
    bool* FlagFeld(TEnumObjektFlag flag);
    void PostAktualisiereAnsicht(int column, int row);
    // Sorts the sub-group links by the editor's current address word (links whose sub group
    // the editor no longer knows are dropped) and puts `vorne` first when it is still there.
    void SortiereSubGroupLinks(bool mitVorne, int32_t vorneId);
    // The same for the internal links.
    void SortiereInternLinks(bool mitVorne, int32_t vorne);
    void LoescheAlteKette(int32_t next);

    int m_quickHelpOffset = 190;
    bool m_titelKlick = false;
    TCell::TEnumGroupTitleState m_gruppe[3] = {TCell::gtsOpen, TCell::gtsOpen, TCell::gtsOpen};
    int32_t m_nummer;
    int32_t m_wert1;
    int32_t m_wert2;
    bool m_kommunikation = false;
    bool m_lesen = false;
    bool m_schreiben = false;
    bool m_uebertragen = false;
    bool m_aktualisieren = true;
    bool m_status = false;
    bool m_zugriffKommunikation = true;
    bool m_zugriffLesen = true;
    bool m_zugriffSchreiben = true;
    bool m_zugriffUebertragen = true;
    bool m_zugriffAktualisieren = false;
    bool m_zugriffStatus = false;
    bool m_sendendIntern = false;
    uint32_t m_ramAdresse = 0;
    uint8_t m_ramByte = 0;
    int m_maxGrpAdr = -1;
    T_DB_EnumObjektBasis::TEnumIOTyp m_ioTyp = T_DB_EnumObjektBasis::ioKeins;
    TEnumObjectType m_objektTyp;
    int32_t m_identifier;
    std::vector<RecGrpAdrId> m_subGroupLinks;
    std::vector<int32_t> m_internLinks;
};
