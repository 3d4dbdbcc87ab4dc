#pragma once
// One communication object linked to a group address, as the editor delivers it when a
// group-address node asks for the objects of its group (request code 6 of
// UM_UserObjectMessage: the request's Wert3 points to an empty std::list<TObjektInfo> that
// the editor fills in the order ETS delivers the objects). The node shows the entries in its
// list view; the editor's side fills the same fields, so the field order stays as it is.

#include <cstdint>
#include <list>
#include <string>

struct TObjektInfo {
    std::string PhysAdr;        // physical address text: the item's caption
    int32_t ObjektNr = 0;       // object number: column "Nummer"
    std::string Text1;          // first further text: not shown
    std::string Produkt;        // column "Produkt"
    std::string Text2;          // second further text: not shown
    std::string Funktion;       // column "Funktion"
    std::string ObjektName;     // column "Objektname"
    std::string ObjektTyp;      // column "Objekttyp"
    bool Kommunikation = false; // flag letter "K"
    bool Lesen = false;         // flag letter "L"
    bool Schreiben = false;     // flag letter "S"
    bool Uebertragen = false;   // flag letter "Ü"
    bool Aktualisieren = false; // "Ein" / "Aus" in column "Aktualisieren"
    std::string GruppenAdressen; // column "Gruppenadressen"
    int32_t ImageIndex = -1;    // the item's image
};

// The list a request of code 6 (or 13) hands to the editor through Wert3.
using TObjektInfoListe = std::list<TObjektInfo>;
