#pragma once
// Language texts of the record-store level of library Quillon (ids 200-210 of its string
// table): yes/no and on/off words, lock states, telegram values and the import and look-up
// messages. Each id has its own global; the comments give the German text of the table.
//
// The texts are filled when the library is loaded and freed when it is unloaded; nothing
// changes them in between, so they are read without locking. They must not be read while
// static objects of other units are constructed (the order is not fixed).

#include "quillon/QuillonExport.h"

#include <span>
#include <string>

class TStringTable;

namespace SprDatenBasis {

QUILLON_EXPORT extern const std::string& TxtNein; // 200 "Nein"
QUILLON_EXPORT extern const std::string& TxtJa; // 201 "Ja"
QUILLON_EXPORT extern const std::string& TxtAus; // 202 "Aus"
QUILLON_EXPORT extern const std::string& TxtEin; // 203 "Ein"
QUILLON_EXPORT extern const std::string& TxtGesperrt; // 204 "Gesperrt"
QUILLON_EXPORT extern const std::string& TxtFreigegeben; // 205 "Freigegeben"
QUILLON_EXPORT extern const std::string& TxtEinsTelegramm; // 206 "1-Telegramm"
QUILLON_EXPORT extern const std::string& TxtNullTelegramm; // 207 "0-Telegramm"
// 208 "Datenquelle für den Import wurde nicht gefunden."
QUILLON_EXPORT extern const std::string& TxtImportQuelleFehlt;
// 209 "Es wurden keine gültigen Daten gefunden."
QUILLON_EXPORT extern const std::string& TxtKeineGueltigenDaten;
// 210 "Gesuchter Datensatz nicht gefunden.\nHandle:"
QUILLON_EXPORT extern const std::string& TxtDatensatzNichtGefunden;

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

} // namespace SprDatenBasis
