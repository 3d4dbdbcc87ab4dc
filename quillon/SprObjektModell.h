#pragma once
// Language texts of the object and group-address model of library Quillon (ids 1000-1046 of
// its string table): size names, column headers, row captions, flag letters and messages.
// Each id has its own global, also where two ids carry the same text (1021 and 1044,
// 1039 and 203, 1040 and 202); the comments give the German text of the table.
//
// The texts are filled when the library is loaded and freed when it is unloaded; nothing
// changes them in between, so they are read without locking. They must not be read while
// static objects of other units are constructed (the order is not fixed).

#include "quillon/QuillonExport.h"

#include <span>
#include <string>

class TStringTable;

namespace SprObjektModell {

QUILLON_EXPORT extern const std::string& TxtUnsichtbar; // 1000 "unsichtbar"
QUILLON_EXPORT extern const std::string& Txt1Bit; // 1001 "1 Bit"
QUILLON_EXPORT extern const std::string& Txt2Bit; // 1002 "2 Bit"
QUILLON_EXPORT extern const std::string& Txt3Bit; // 1003 "3 Bit"
QUILLON_EXPORT extern const std::string& Txt4Bit; // 1004 "4 Bit"
QUILLON_EXPORT extern const std::string& Txt5Bit; // 1005 "5 Bit"
QUILLON_EXPORT extern const std::string& Txt6Bit; // 1006 "6 Bit"
QUILLON_EXPORT extern const std::string& Txt7Bit; // 1007 "7 Bit"
QUILLON_EXPORT extern const std::string& Txt1Byte; // 1008 "1 Byte"
QUILLON_EXPORT extern const std::string& Txt2Byte; // 1009 "2 Byte"
QUILLON_EXPORT extern const std::string& Txt3Byte; // 1010 "3 Byte"
QUILLON_EXPORT extern const std::string& Txt4Byte; // 1011 "4 Byte"
QUILLON_EXPORT extern const std::string& Txt5Byte; // 1012 "5 Byte"
QUILLON_EXPORT extern const std::string& Txt6Byte; // 1013 "6 Byte"
QUILLON_EXPORT extern const std::string& Txt7Byte; // 1014 "7 Byte"
QUILLON_EXPORT extern const std::string& Txt8Byte; // 1015 "8 Byte"
QUILLON_EXPORT extern const std::string& Txt10Byte; // 1016 "10 Byte"
QUILLON_EXPORT extern const std::string& TxtVarData; // 1017 "VARDATA"
QUILLON_EXPORT extern const std::string& TxtUnbekannterObjekttyp; // 1018 "unbekannter Objekttyp"
QUILLON_EXPORT extern const std::string& TxtNummer; // 1019 "Nummer"
QUILLON_EXPORT extern const std::string& TxtObjektname; // 1020 "Objektname"
QUILLON_EXPORT extern const std::string& TxtGruppenadressen; // 1021 "Gruppenadressen"
// 1022 "Sendende Gruppenadresse"
QUILLON_EXPORT extern const std::string& TxtSendendeGruppenadresse;
QUILLON_EXPORT extern const std::string& TxtObjekttyp; // 1023 "Objekttyp"
QUILLON_EXPORT extern const std::string& TxtKommunikation; // 1024 "Kommunikation"
QUILLON_EXPORT extern const std::string& TxtFlagK; // 1025 "K"
QUILLON_EXPORT extern const std::string& TxtLesen; // 1026 "Lesen"
QUILLON_EXPORT extern const std::string& TxtFlagL; // 1027 "L"
QUILLON_EXPORT extern const std::string& TxtSchreiben; // 1028 "Schreiben"
QUILLON_EXPORT extern const std::string& TxtFlagS; // 1029 "S"
QUILLON_EXPORT extern const std::string& TxtUebertragen; // 1030 "Übertragen"
QUILLON_EXPORT extern const std::string& TxtFlagUe; // 1031 "Ü"
QUILLON_EXPORT extern const std::string& TxtStatusabfrage; // 1032 "Statusabfrage"
QUILLON_EXPORT extern const std::string& Txt14Byte; // 1033 "14 Byte"
QUILLON_EXPORT extern const std::string& TxtAktualisieren; // 1034 "Aktualisieren"
QUILLON_EXPORT extern const std::string& TxtFrei; // 1035 "Frei"
QUILLON_EXPORT extern const std::string& TxtPhysAdr; // 1036 "Phys.Adr."
QUILLON_EXPORT extern const std::string& TxtProdukt; // 1037 "Produkt"
QUILLON_EXPORT extern const std::string& TxtFunktion; // 1038 "Funktion"
QUILLON_EXPORT extern const std::string& TxtEin; // 1039 "Ein"
QUILLON_EXPORT extern const std::string& TxtAus; // 1040 "Aus"
// 1041 "Die maximale Anzahl an zuweisbaren\nGruppenadressen ist erreicht!"
QUILLON_EXPORT extern const std::string& TxtMaxGruppenadressenErreicht;
QUILLON_EXPORT extern const std::string& TxtFehler; // 1042 "Fehler"
QUILLON_EXPORT extern const std::string& TxtAllgemein; // 1043 "Allgemein"
QUILLON_EXPORT extern const std::string& TxtAbschnittGruppenadressen; // 1044 "Gruppenadressen"
QUILLON_EXPORT extern const std::string& TxtFlags; // 1045 "Flags"
QUILLON_EXPORT extern const std::string& TxtAdresse; // 1046 "Adresse"

// Fills the texts from `table` (each id's text; the empty text for an id the table lacks),
// but only on the first of nested calls: the unit's counter is lowered by one and the texts
// are filled only when it was 0 before. The library calls it once when it is loaded, with
// its own string table; the editor may call it again without reloading anything.
QUILLON_EXPORT void Init(const TStringTable& table);
// The counterpart of Init: raises the counter and frees the texts when it was -1 before.
// The library calls it when it is unloaded.
QUILLON_EXPORT void Fini();

// The text of an id of this unit (the global of that id); the empty text for other ids.
QUILLON_EXPORT const std::string& Text(int id);
// The ids of this unit in load order (ascending).
QUILLON_EXPORT std::span<const int> Ids();

} // namespace SprObjektModell
