#pragma once
// The editor's own language texts (ids 9000-9223 of its string table): captions, menu and
// tool-button texts, messages of the main window and its commands. Each global is named after
// its id; the comments give the German text of the table (long texts cut; the table is the
// reference). Ids 9206-9208 have no string and stay empty.
//
// Line breaks inside the texts are a line feed, in some texts followed by a carriage return
// (message boxes drop the carriage return when they show a text).
//
// The texts are filled when the program starts and freed when it ends; nothing changes them
// in between, so they are read without locking. They must not be read while static objects
// of other units are constructed (the order is not fixed).

#include <initializer_list>
#include <span>
#include <string>

class TStringTable;

namespace Spredit {

// "Die ETS-Daten konnten nicht erreicht werden.\nEs wird versucht einen neuen Datenbereich ..."
extern const std::string& Txt9000;
extern const std::string& Txt9001; // "Achtung"
// "Die Daten konnten nicht vollständig abgeglichen werden.\nBitte überprüfen Sie die ..."
extern const std::string& Txt9002;
extern const std::string& Txt9003; // "Fehler"
extern const std::string& Txt9004; // "Gruppenadressen"
extern const std::string& Txt9005; // "Beim Speichern der Daten ist ein Fehler aufgetreten."
// "Versionskonflikt!\nDie installierte Software kann die Daten nicht lesen.\nBitte ..."
extern const std::string& Txt9006;
extern const std::string& Txt9007; // "Erwartet"
extern const std::string& Txt9008; // "Vorhanden"
extern const std::string& Txt9009; // "Bitte installieren Sie eine neue Software."
extern const std::string& Txt9010; // "Fehler beim Lesen der Datei:"
extern const std::string& Txt9011; // "Abbruch: Datenabgleich ist fehlgeschlagen."
extern const std::string& Txt9012; // "Dieser Vorgang wird Assoziationen löschen.\nFortfahren?"
extern const std::string& Txt9013; // "Bestätigen"
extern const std::string& Txt9014; // "Objekt ist schon mit einer Gruppenadresse verbunden."
extern const std::string& Txt9015; // "Verbindung Objekt <-> Gruppenadresse"
extern const std::string& Txt9016; // "Herstellen der Verbindung fehlgeschlagen."
// "Herstellen der Verbindung nicht möglich.\nObjekt hat den falschen Typ."
extern const std::string& Txt9017;
extern const std::string& Txt9018; // "Gruppenadresse nicht gefunden."
extern const std::string& Txt9019; // "Gruppenadressen sind verschieden."
extern const std::string& Txt9020; // "Gefundene Gruppenadresse verwenden?"
extern const std::string& Txt9021; // "Lade Gruppenadressen..."
extern const std::string& Txt9022; // "Konvertiere Ets-Datenbank Einträge ..."
extern const std::string& Txt9023; // "Gerät"
extern const std::string& Txt9024; // "Objekt"
extern const std::string& Txt9025; // "Objekt nicht gefunden."
extern const std::string& Txt9026; // "Gruppenadresse konnte nicht konvertiert werden."
extern const std::string& Txt9027; // "Die Gruppenadresse wird benutzt von"
extern const std::string& Txt9028; // "Verbindung konnte nicht gelöscht werden."
extern const std::string& Txt9029; // "Ets-Datenbank überprüfen."
// "Lade Ets Daten...\n\rDieser Vorgang kann einige Zeit dauern. Bitte warten."
extern const std::string& Txt9030;
extern const std::string& Txt9031; // "Überprüfe Daten..."
// "Achtung: Ets-Datenbank enthält überzählige Daten.\nObjekt Nr.:"
extern const std::string& Txt9032;
// "Achtung: Objekt nicht in der Ets-Datenbank gefundne.\nObjekt Nr.:"
extern const std::string& Txt9033;
// "Die Datenbank konnte nicht repariert werden.\nBitte löschen Sie das Gerät und legen Sie ..."
extern const std::string& Txt9034;
extern const std::string& Txt9035; // "Datenbank wurde korrigiert."
extern const std::string& Txt9036; // "Datenbank Überprüfung erfogreich beendet."
// "Datenbank Überprüfung erfolgreich beendet.\nFehler wurden korrigiert."
extern const std::string& Txt9037;
extern const std::string& Txt9038; // "Parameter Hilfe"
extern const std::string& Txt9039; // "&Kopieren"
extern const std::string& Txt9040; // "&Einfügen"
extern const std::string& Txt9041; // "Einstellungen zu&rücksetzen"
extern const std::string& Txt9042; // "&Ausklappen"
extern const std::string& Txt9043; // "&Direkthilfe"
extern const std::string& Txt9044; // "In&halt"
extern const std::string& Txt9045; // "Info"
extern const std::string& Txt9046; // "Version:"
extern const std::string& Txt9047; // "Copyright:"
extern const std::string& Txt9048; // "Spracheinstellung ändern"
extern const std::string& Txt9049; // "&Ok"
extern const std::string& Txt9050; // "&Abbrechen"
extern const std::string& Txt9051; // "Bitte wählen Sie eine Sprache:"
// "Die Änderungen werden erst nach einem Neustart des Programms wirksam."
extern const std::string& Txt9052;
extern const std::string& Txt9053; // "Sprache geändert."
extern const std::string& Txt9054; // "Die Sprachumschaltung ist fehlgeschlagen."
// "Wert konnte nicht in die Registry eingetragen werden.\nBitte überprüfen Sie Ihre ..."
extern const std::string& Txt9055;
// "Die Registry konnte nicht geöffnet werden.\nBitte überprüfen Sie Ihre Zugriffsrechte."
extern const std::string& Txt9056;
extern const std::string& Txt9057; // "&Zurück zur Ets"
extern const std::string& Txt9058; // "&Gerät"
extern const std::string& Txt9059; // "&Einstellung"
extern const std::string& Txt9060; // "Vorlage-Exp&ortieren"
extern const std::string& Txt9061; // "Vorlage-&Importieren"
extern const std::string& Txt9062; // "&Optionen..."
extern const std::string& Txt9063; // "&Drucken..."
extern const std::string& Txt9064; // "Seitenansic&ht"
extern const std::string& Txt9065; // "Siche&rung wiederherstellen"
extern const std::string& Txt9066; // "&Sprache"
extern const std::string& Txt9067; // "Projektierung"
extern const std::string& Txt9068; // "&Verwerfen"
extern const std::string& Txt9069; // "&Fenster"
extern const std::string& Txt9070; // "&Horizontal anordnen"
extern const std::string& Txt9071; // "&Vertikal anordnen"
extern const std::string& Txt9072; // "Ü&berlappend"
extern const std::string& Txt9073; // "&Info"
extern const std::string& Txt9074; // "&Hilfe"
extern const std::string& Txt9075; // "&Tools"
extern const std::string& Txt9076; // "&Symbole anordnen"
extern const std::string& Txt9077; // "Alles &Einklappen"
extern const std::string& Txt9078; // "Alles &Ausklappen"
extern const std::string& Txt9079; // "Neues &Projektierungsfenster"
extern const std::string& Txt9080; // "Wiederherstellen"
// "Datenabgleich mit der Ets...\n\rDieser Vorgang kann einige Zeit dauern. Bitte warten."
extern const std::string& Txt9081;
extern const std::string& Txt9082; // "Einfügen abgebrochen"
// "Durch diesen Vorgang gehen ALLE parametrierten Daten verloren.\nFortsetzen?"
extern const std::string& Txt9083;
extern const std::string& Txt9084; // "Datei nicht gefunden."
extern const std::string& Txt9085; // "Letzte Datensicherung"
// "Beim Wiederherstellen der Daten werden alle aktuellen Einstellungen gelöscht und mit den ..."
extern const std::string& Txt9086;
extern const std::string& Txt9087; // "Import beendet."
extern const std::string& Txt9088; // "Import"
// "Das Programm wurde nicht ordentlich geschlossen.\nSollen die Daten der letzten ..."
extern const std::string& Txt9089;
extern const std::string& Txt9090; // "Fehler: Parameter wurde nicht in der Ets-Datenbank gefunden."
// "Fehler: Parameter konnte nicht in die Ets-Datenbank geschrieben werden."
extern const std::string& Txt9091;
// "Fehler: Parameter konnte nicht aus der Ets-Datenbank gelesen werden."
extern const std::string& Txt9092;
// "Sie benutzen eine veraltete Ets-Version.\nBitte installieren Sie die neueste ..."
extern const std::string& Txt9093;
extern const std::string& Txt9094; // "Fehler beim Zugriff auf die Ets Datenbank."
extern const std::string& Txt9095; // "Projektierung"
extern const std::string& Txt9096; // "Export Fehler"
extern const std::string& Txt9097; // "Export"
extern const std::string& Txt9098; // "Ets-Projekt-Import"
extern const std::string& Txt9099; // "Ets-Projekt-Export"
// "Beim Import des Gerätes sind Fehler aufgetreten.\nFolgendes Gerät konnte nicht ..."
extern const std::string& Txt9100;
extern const std::string& Txt9101; // "Import-Datei nicht gefunden."
// "Beim kopieren des Gerätes sind Fehler aufgetreten.\nDas Gerät konnte nicht erstellt werden."
extern const std::string& Txt9102;
extern const std::string& Txt9103; // "Ets-Gerät kopieren"
extern const std::string& Txt9104; // "Optionen"
extern const std::string& Txt9105; // "Bestätigung beim überschreiben der Zieldatei"
extern const std::string& Txt9106; // "Optionen"
extern const std::string& Txt9107; // "Automatisch Speichern alle:"
extern const std::string& Txt9108; // "Minuten"
extern const std::string& Txt9109; // "Tabelle"
extern const std::string& Txt9110; // "Farbeinstellungen"
extern const std::string& Txt9111; // "Tabelle: Hintergrund"
extern const std::string& Txt9112; // "Tabelle: Allgemeine Felder"
extern const std::string& Txt9113; // "Tabelle: Titelfelder"
extern const std::string& Txt9114; // "Tabelle: 'Read Only' Felder"
extern const std::string& Txt9115; // "Gitternetzlinien anzeigen"
extern const std::string& Txt9116; // "Vorschau"
extern const std::string& Txt9117; // "Spalten"
extern const std::string& Txt9118; // "Automatische Spaltenbreite"
extern const std::string& Txt9119; // "Standard Spaltenbreite"
extern const std::string& Txt9120; // "Datenbank überprüfen"
extern const std::string& Txt9121; // "Start"
extern const std::string& Txt9122; // "Markiert"
extern const std::string& Txt9123; // "Name"
extern const std::string& Txt9124; // "Adresse"
extern const std::string& Txt9125; // "Typ"
extern const std::string& Txt9126; // "Gruppenadressen"
// "Alle markierten Gruppenadressen werden mit dem Objekt verbunden."
extern const std::string& Txt9127;
extern const std::string& Txt9128; // "Versionsinformation nicht gefunden."
extern const std::string& Txt9129; // "Unbekannte Version"
extern const std::string& Txt9130; // "Falsche Hauptversionsnummer"
extern const std::string& Txt9131; // "Falsche Nebenversionsnummer"
extern const std::string& Txt9132; // "Unbekannter Versionstyp."
extern const std::string& Txt9133; // "&Projektierung"
extern const std::string& Txt9134; // "Versions-Überprüfung"
extern const std::string& Txt9135; // "&Fenster"
extern const std::string& Txt9136; // "Erwartete Version"
extern const std::string& Txt9137; // "Einstellungen zurücknehmen"
extern const std::string& Txt9138; // "Daten werden zurückgesetzt."
extern const std::string& Txt9139; // "Fehler: Datenabgleich"
extern const std::string& Txt9140; // "Beim Abgleich der Daten sind Fehler aufgetreten."
extern const std::string& Txt9141; // "Objekt nicht gefunden."
extern const std::string& Txt9142; // "DisplayOrder"
extern const std::string& Txt9143; // "Beim Erzeugen des Objektes ist ein Fehler aufgetreten."
extern const std::string& Txt9144; // "Objekt konnte nicht erzeugt werden.\n Unbekannter Fehler."
extern const std::string& Txt9145; // "ParameterValue"
extern const std::string& Txt9146; // "Projekt"
extern const std::string& Txt9147; // "Die markierte Gruppenadresse wid mit dem Objekt verbunden."
extern const std::string& Txt9148; // "Verbundene Gruppenadresse"
extern const std::string& Txt9149; // "Keine GA"
extern const std::string& Txt9150; // "Neue Adresse..."
extern const std::string& Txt9151; // "Lade Daten"
extern const std::string& Txt9152; // "Gerät erzeugen"
extern const std::string& Txt9153; // "Lade und Initialisiere Gerät"
extern const std::string& Txt9154; // "Import"
extern const std::string& Txt9155; // "Lösche Ets Objekte"
// "Beim Löschen des Objektes in der Ets ist ein Fehler aufgetreten."
extern const std::string& Txt9156;
extern const std::string& Txt9157; // "Erzeuge Ets-Objekte"
extern const std::string& Txt9158; // "Erzeuge Ets-Objekte"
extern const std::string& Txt9159; // "Fehler beim konvertieren der Gruppenadresse aufgetreten."
extern const std::string& Txt9160; // "Abgleich der importierten Daten."
// "Fehler: Beim Daten Import ist ein Fehler aufgetreten. Die vorhandenen Daten können ..."
extern const std::string& Txt9161;
// "Fehler: Die Importierten Daten konnten nicht vollständig abgeglichen werden."
extern const std::string& Txt9162;
extern const std::string& Txt9163; // "Aktualisiere Ansicht"
// "Der Typ der Gruppenadresse kann nicht dem Objekt zugewiesen werden."
extern const std::string& Txt9164;
extern const std::string& Txt9165; // "Importiere Daten..."
extern const std::string& Txt9166; // "Reset"
// "Beim Import werden alle aktuelle Daten verworfen.\nFortfahren?"
extern const std::string& Txt9167;
extern const std::string& Txt9168; // "Import beendet"
// "Beim Import des Gerätes sind Fehler aufgetreten.\nDas Gerät konnte nicht vollständig ..."
extern const std::string& Txt9169;
extern const std::string& Txt9170; // "Export"
extern const std::string& Txt9171; // "Export beendet."
extern const std::string& Txt9172; // "Mit Gruppenadresse verbinden"
extern const std::string& Txt9173; // "Bitte neue oder existierende Gruppenadresse eingeben:"
extern const std::string& Txt9174; // "Adresse"
extern const std::string& Txt9175; // "Name"
extern const std::string& Txt9176; // "Ok"
extern const std::string& Txt9177; // "Abbrechen"
extern const std::string& Txt9178; // "Ungültige Gruppenadresse"
extern const std::string& Txt9179; // "Fehler"
extern const std::string& Txt9180; // "Mit Gruppenadresse verbinden ..."
extern const std::string& Txt9181; // "Anwendung schliessen"
extern const std::string& Txt9182; // "Plug-In starten"
extern const std::string& Txt9183; // "Den Baum komplett ausklappen"
extern const std::string& Txt9184; // "Den Baum komplett einklappen"
extern const std::string& Txt9185; // "&Hilfe"
extern const std::string& Txt9186; // "Seitenvorschau"
extern const std::string& Txt9187; // "Drucken"
extern const std::string& Txt9188; // "E&inklappen"
extern const std::string& Txt9189; // "Beim Starten des Plug-In ist ein Fehler aufgetreten."
// "Die Gruppenadresse [%s] ist fuer diesen Objekt-Typ nicht geeignet!"
extern const std::string& Txt9190;
// "Die Gruppenadresse [%s] wurde nicht gefunden!\n\nSoll diese angelegt werden?"
extern const std::string& Txt9191;
extern const std::string& Txt9192; // "Gruppenadresse anlegen"
extern const std::string& Txt9193; // "Geben Sie den Namen der Gruppenadresse ein."
extern const std::string& Txt9194; // "Gruppenadresse [%s] konnte nicht angelegt werden!"
extern const std::string& Txt9195; // "Auswählbare Gruppenadressen"
extern const std::string& Txt9196; // "Zugewiesene Gruppenadressen"
extern const std::string& Txt9197; // "Gruppenadresse:"
extern const std::string& Txt9198; // "Suchen/Hinzufügen"
// "Diese Gruppenadressen können zur Verbindung mit dem Komm.-Objekt ausgewählt werden."
extern const std::string& Txt9199;
// "Diese Gruppenadressen wurden bereits zur Verbindung mit dem Komm.-Objekt ausgewählt."
extern const std::string& Txt9200;
extern const std::string& Txt9201; // "&Hilfe"
// "Die maximale Anzahl an zuweisbaren\nGruppenadressen ist erreicht!"
extern const std::string& Txt9202;
extern const std::string& Txt9203; // "Automatische Feldaktivierung"
extern const std::string& Txt9204; // "&Automatische Aktivierung"
extern const std::string& Txt9205; // "Zu aktivierendes Feld aus Zeile"
extern const std::string& Txt9206;
extern const std::string& Txt9207;
extern const std::string& Txt9208;
extern const std::string& Txt9209; // "Beim Laden der Gruppendressen ist ein Fehler aufgetreten."
extern const std::string& Txt9210; // "Hinweis"
extern const std::string& Txt9211; // "Sicherungsdaten jetzt abspeichern"
extern const std::string& Txt9212; // "Sicherungsdaten jetzt abspeichern"
// "Die maximale Anzahl an Eingängen ist erreicht.\n\rEs kann kein neuer Eingang erzeugt werden."
extern const std::string& Txt9213;
// "Die Datei ist fehlerhaft und wurde nicht importiert. Die vorhandenen Daten bleiben ..."
extern const std::string& Txt9214;
// "Die Folgedaten des Objektes verweisen auf einen fremden oder fehlenden Datensatz."
extern const std::string& Txt9215;
extern const std::string& Txt9216; // "Das Objekt gehört zu keinem Parameter dieses Gerätes."
extern const std::string& Txt9217; // "Mehrere Datensätze haben dasselbe Handle."
extern const std::string& Txt9218; // "Ein Abschnitt der Datei fehlt oder ist nicht abgeschlossen"
extern const std::string& Txt9219; // "Ein Datensatz ist unvollständig, sein Endekennzeichen fehlt."
extern const std::string& Txt9220; // "Die Datei enthält keine Datensätze."
extern const std::string& Txt9221; // "Die Datei enthält nicht genau einen Gerätedatensatz."
// "Der übergeordnete Datensatz fehlt oder kann diesen Datensatz nicht aufnehmen."
extern const std::string& Txt9222;
// "Die Gruppenadresse %s konnte nicht durch die Gruppenadresse %s ersetzt werden." (old, new)
extern const std::string& Txt9223;
extern const std::string& Txt9224; // "Ein Datensatz ist nicht so geschrieben, wie das Programm ihn schreibt: ein Wert ist keine Zahl, fehlt oder ist zu viel."
extern const std::string& Txt9225; // "Der Gerätedatensatz passt nicht zu den Datensätzen des Gerätes."
extern const std::string& Txt9226; // "Ein Kommunikationsobjekt steht in mehreren Datensätzen."
extern const std::string& Txt9227; // "Typ oder Art des Objektes stimmen nicht mit ETS überein."
extern const std::string& Txt9228; // "Die Datei enthält mehr Eingänge, als das Gerät zulässt."
extern const std::string& Txt9229; // "Die Nummer des Eingangs ist ungültig oder mehrfach vergeben."
extern const std::string& Txt9230; // "Der Bereich ist in der Variante des Gerätes nicht vorhanden."
extern const std::string& Txt9231; // "Der Datensatz hat einen unbekannten Typ."
extern const std::string& Txt9232; // "Der Text ist länger, als das Gerät ihn speichern kann."
extern const std::string& Txt9233; // "Die Objekte können in ETS nicht geprüft werden."
// "Ein Knoten, den das Gerät nur einmal hat, steht mehrfach in der Datei."
extern const std::string& Txt9234;
extern const std::string& Txt9235; // "Ein Knoten, den das Programm für dieses Gerät anlegt, fehlt."
extern const std::string& Txt9236; // "Der Knoten steht nicht dort, wo das Programm ihn anlegt."
// "Ein Wert liegt außerhalb dessen, was seine Einstellung annehmen kann."
extern const std::string& Txt9237;
// "Ein Wert des Eingangs passt nicht zu dem Bereich, unter dem er steht."
extern const std::string& Txt9238;
// "Das Objekt ist mit mehr Gruppenadressen verknüpft, als es zulässt."
extern const std::string& Txt9239;
// "Das Objekt gehört nicht zu dem Knoten, unter dem es steht."
extern const std::string& Txt9240;

// Fills the texts from `table` (each id's text; the empty text for an id the table lacks),
// but only on the first of nested calls: the unit's counter is lowered by one and the texts
// are filled only when it was 0 before. The program calls it once at start with its own
// string table (the overload without a table).
void Initialize(const TStringTable& table);
void Initialize();
// The counterpart of Initialize: raises the counter and frees the texts when it was -1 before,
// so the texts stay until the call that balances the first Initialize.
void Finalize();

// The text of an id of this unit (the global of that id); the empty text for other ids.
const std::string& Text(int id);
// The ids of this unit in load order (ascending).
std::span<const int> Ids();

// `text` with each "%s" replaced by the next of `werte`, in order (a placeholder without a
// value stays, a value without a placeholder is dropped).
std::string MitWerten(std::string text, std::initializer_list<std::string> werte);

// The language of the string table (an ISO 639 code): what the program writes in its own
// language besides the texts (month names) follows it, not the system's.
inline constexpr const char* kSprache = "de";

} // namespace Spredit
