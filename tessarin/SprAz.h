#pragma once
// Language texts of the alarm-centre classes of library Tessarin (ids 10000-10417 of its
// string table, except 10298-10332, which the unit neither declares nor loads). The editor
// reads the same globals. Each global is named after its id; the comments give the German
// text of the table where it has one (long texts cut; the table is the reference). Three ids
// are loaded without a string and stay empty: 10375, 10376, 10379.
//
// Line breaks inside the texts are a line feed followed by a carriage return.
//
// The texts are filled when the library is loaded and freed when it is unloaded; nothing
// changes them in between, so they are read without locking. They must not be read while
// static objects of other units are constructed (the order is not fixed).

#include "tessarin/TessarinExport.h"

#include <span>
#include <string>

class TStringTable;

namespace SprAz {

TESSARIN_EXPORT extern const std::string& Txt10000;
TESSARIN_EXPORT extern const std::string& Txt10001; // "Konfiguration 1"
TESSARIN_EXPORT extern const std::string& Txt10002;
TESSARIN_EXPORT extern const std::string& Txt10003;
TESSARIN_EXPORT extern const std::string& Txt10004;
TESSARIN_EXPORT extern const std::string& Txt10005;
TESSARIN_EXPORT extern const std::string& Txt10006;
TESSARIN_EXPORT extern const std::string& Txt10007;
TESSARIN_EXPORT extern const std::string& Txt10008;
TESSARIN_EXPORT extern const std::string& Txt10009;
TESSARIN_EXPORT extern const std::string& Txt10010;
TESSARIN_EXPORT extern const std::string& Txt10011;
TESSARIN_EXPORT extern const std::string& Txt10012;
TESSARIN_EXPORT extern const std::string& Txt10013;
TESSARIN_EXPORT extern const std::string& Txt10014;
TESSARIN_EXPORT extern const std::string& Txt10015;
TESSARIN_EXPORT extern const std::string& Txt10016;
TESSARIN_EXPORT extern const std::string& Txt10017;
TESSARIN_EXPORT extern const std::string& Txt10018;
TESSARIN_EXPORT extern const std::string& Txt10019;
TESSARIN_EXPORT extern const std::string& Txt10020;
TESSARIN_EXPORT extern const std::string& Txt10021;
TESSARIN_EXPORT extern const std::string& Txt10022;
TESSARIN_EXPORT extern const std::string& Txt10023;
TESSARIN_EXPORT extern const std::string& Txt10024;
// "Editierbare Texte: Melder und Scharfschalt-Bereiche"
TESSARIN_EXPORT extern const std::string& Txt10025;
TESSARIN_EXPORT extern const std::string& Txt10026; // "Melder / Sabotage"
TESSARIN_EXPORT extern const std::string& Txt10027; // "Sicherungs-Bereich Feuermelder"
TESSARIN_EXPORT extern const std::string& Txt10028;
TESSARIN_EXPORT extern const std::string& Txt10029;
TESSARIN_EXPORT extern const std::string& Txt10030;
TESSARIN_EXPORT extern const std::string& Txt10031;
TESSARIN_EXPORT extern const std::string& Txt10032;
TESSARIN_EXPORT extern const std::string& Txt10033; // "Feuermelder"
TESSARIN_EXPORT extern const std::string& Txt10034; // "Überfallmelder"
TESSARIN_EXPORT extern const std::string& Txt10035;
TESSARIN_EXPORT extern const std::string& Txt10036;
TESSARIN_EXPORT extern const std::string& Txt10037;
TESSARIN_EXPORT extern const std::string& Txt10038;
TESSARIN_EXPORT extern const std::string& Txt10039;
TESSARIN_EXPORT extern const std::string& Txt10040;
TESSARIN_EXPORT extern const std::string& Txt10041;
TESSARIN_EXPORT extern const std::string& Txt10042;
TESSARIN_EXPORT extern const std::string& Txt10043;
TESSARIN_EXPORT extern const std::string& Txt10044;
TESSARIN_EXPORT extern const std::string& Txt10045;
TESSARIN_EXPORT extern const std::string& Txt10046;
TESSARIN_EXPORT extern const std::string& Txt10047; // "SB Feuermelder"
TESSARIN_EXPORT extern const std::string& Txt10048; // "SB Überfallmelder"
TESSARIN_EXPORT extern const std::string& Txt10049; // "Verdrahteter Melder-Eingang Alarmzentrale"
TESSARIN_EXPORT extern const std::string& Txt10050; // "SB 1"
TESSARIN_EXPORT extern const std::string& Txt10051; // "Abstellraum"
TESSARIN_EXPORT extern const std::string& Txt10052; // "Arbeitszimmer"
TESSARIN_EXPORT extern const std::string& Txt10053; // "Bad"
TESSARIN_EXPORT extern const std::string& Txt10054; // "Buero"
TESSARIN_EXPORT extern const std::string& Txt10055; // "Esszimmer"
TESSARIN_EXPORT extern const std::string& Txt10056; // "Flur"
TESSARIN_EXPORT extern const std::string& Txt10057; // "Haustuer"
TESSARIN_EXPORT extern const std::string& Txt10058; // "Hobbyraum"
TESSARIN_EXPORT extern const std::string& Txt10059; // "Keller"
TESSARIN_EXPORT extern const std::string& Txt10060; // "Kinderzimmer"
TESSARIN_EXPORT extern const std::string& Txt10061; // "Kueche"
TESSARIN_EXPORT extern const std::string& Txt10062; // "Treppenhaus"
TESSARIN_EXPORT extern const std::string& Txt10063; // "Waschkueche"
TESSARIN_EXPORT extern const std::string& Txt10064; // "Wintergarten"
TESSARIN_EXPORT extern const std::string& Txt10065; // "Wohnzimmer"
TESSARIN_EXPORT extern const std::string& Txt10066; // "Schlafzimmer"
TESSARIN_EXPORT extern const std::string& Txt10067; // "Gastzimmer"
TESSARIN_EXPORT extern const std::string& Txt10068; // "Archiv"
TESSARIN_EXPORT extern const std::string& Txt10069; // "Besprechung"
TESSARIN_EXPORT extern const std::string& Txt10070; // "Computerraum"
TESSARIN_EXPORT extern const std::string& Txt10071; // "SSB 1"
TESSARIN_EXPORT extern const std::string& Txt10072; // "SSB 2"
TESSARIN_EXPORT extern const std::string& Txt10073; // "SSB 3"
TESSARIN_EXPORT extern const std::string& Txt10074; // "SSB 4"
TESSARIN_EXPORT extern const std::string& Txt10075;
TESSARIN_EXPORT extern const std::string& Txt10076;
TESSARIN_EXPORT extern const std::string& Txt10077;
TESSARIN_EXPORT extern const std::string& Txt10078; // "Sicherungs-Bereich Überfallmelder"
TESSARIN_EXPORT extern const std::string& Txt10079;
TESSARIN_EXPORT extern const std::string& Txt10080;
TESSARIN_EXPORT extern const std::string& Txt10081;
TESSARIN_EXPORT extern const std::string& Txt10082;
TESSARIN_EXPORT extern const std::string& Txt10083; // "Verdrahteter Sabotage-Eingang Alarmzentrale"
TESSARIN_EXPORT extern const std::string& Txt10084; // "Sicherungs-Bereich 1 (SB 1)"
TESSARIN_EXPORT extern const std::string& Txt10085; // "Sicherungs-Bereich 2 (SB 2)"
TESSARIN_EXPORT extern const std::string& Txt10086; // "Sicherungs-Bereich 3 (SB 3)"
TESSARIN_EXPORT extern const std::string& Txt10087; // "Sicherungs-Bereich 4 (SB 4)"
TESSARIN_EXPORT extern const std::string& Txt10088; // "SB 2"
TESSARIN_EXPORT extern const std::string& Txt10089; // "SB 3"
TESSARIN_EXPORT extern const std::string& Txt10090; // "SB 4"
TESSARIN_EXPORT extern const std::string& Txt10091; // "Scharfschaltung"
TESSARIN_EXPORT extern const std::string& Txt10092; // "Scharfschalt-Bereich 1 (SSB 1)"
TESSARIN_EXPORT extern const std::string& Txt10093; // "Scharfschalt-Bereich 2 (SSB 2)"
TESSARIN_EXPORT extern const std::string& Txt10094; // "Scharfschalt-Bereich 3 (SSB 3)"
TESSARIN_EXPORT extern const std::string& Txt10095; // "Scharfschalt-Bereich 4 (SSB 4)"
TESSARIN_EXPORT extern const std::string& Txt10096; // "Scharfschaltung SSB"
TESSARIN_EXPORT extern const std::string& Txt10097;
TESSARIN_EXPORT extern const std::string& Txt10098;
TESSARIN_EXPORT extern const std::string& Txt10099;
TESSARIN_EXPORT extern const std::string& Txt10100; // "Scharf-/Unscharf-Quittierung SSB"
TESSARIN_EXPORT extern const std::string& Txt10101;
TESSARIN_EXPORT extern const std::string& Txt10102;
TESSARIN_EXPORT extern const std::string& Txt10103;
TESSARIN_EXPORT extern const std::string& Txt10104;
TESSARIN_EXPORT extern const std::string& Txt10105;
TESSARIN_EXPORT extern const std::string& Txt10106; // "Alarmierung"
TESSARIN_EXPORT extern const std::string& Txt10107;
TESSARIN_EXPORT extern const std::string& Txt10108;
TESSARIN_EXPORT extern const std::string& Txt10109;
TESSARIN_EXPORT extern const std::string& Txt10110;
TESSARIN_EXPORT extern const std::string& Txt10111;
TESSARIN_EXPORT extern const std::string& Txt10112;
TESSARIN_EXPORT extern const std::string& Txt10113; // "Feuermelder"
TESSARIN_EXPORT extern const std::string& Txt10114; // "Überfallmelder"
TESSARIN_EXPORT extern const std::string& Txt10115; // "Alarmierung ext. Sabotagemelder bei Scharf"
TESSARIN_EXPORT extern const std::string& Txt10116; // "SSB"
TESSARIN_EXPORT extern const std::string& Txt10117; // "Alarmdauer Signalgeber"
TESSARIN_EXPORT extern const std::string& Txt10118;
TESSARIN_EXPORT extern const std::string& Txt10119;
TESSARIN_EXPORT extern const std::string& Txt10120;
TESSARIN_EXPORT extern const std::string& Txt10121;
TESSARIN_EXPORT extern const std::string& Txt10122;
TESSARIN_EXPORT extern const std::string& Txt10123;
TESSARIN_EXPORT extern const std::string& Txt10124;
TESSARIN_EXPORT extern const std::string& Txt10125;
TESSARIN_EXPORT extern const std::string& Txt10126; // "Immer-Ein"
TESSARIN_EXPORT extern const std::string& Txt10127;
TESSARIN_EXPORT extern const std::string& Txt10128;
TESSARIN_EXPORT extern const std::string& Txt10129;
TESSARIN_EXPORT extern const std::string& Txt10130; // "EIB Objekte zur Alarmierung"
TESSARIN_EXPORT extern const std::string& Txt10131; // "System-Überwachung"
TESSARIN_EXPORT extern const std::string& Txt10132; // "EIB-Alarm-System, Sicherheit"
TESSARIN_EXPORT extern const std::string& Txt10133;
TESSARIN_EXPORT extern const std::string& Txt10134;
TESSARIN_EXPORT extern const std::string& Txt10135;
TESSARIN_EXPORT extern const std::string& Txt10136;
TESSARIN_EXPORT extern const std::string& Txt10137;
TESSARIN_EXPORT extern const std::string& Txt10138; // "Neue Eingänge hinzufügen ..."
TESSARIN_EXPORT extern const std::string& Txt10139;
TESSARIN_EXPORT extern const std::string& Txt10140;
TESSARIN_EXPORT extern const std::string& Txt10141;
TESSARIN_EXPORT extern const std::string& Txt10142;
TESSARIN_EXPORT extern const std::string& Txt10143;
TESSARIN_EXPORT extern const std::string& Txt10144;
TESSARIN_EXPORT extern const std::string& Txt10145;
TESSARIN_EXPORT extern const std::string& Txt10146;
TESSARIN_EXPORT extern const std::string& Txt10147; // "Verhalten ÜG 'R' bei ÜG Überfall"
TESSARIN_EXPORT extern const std::string& Txt10148; // "Datum/Uhrzeit"
TESSARIN_EXPORT extern const std::string& Txt10149;
TESSARIN_EXPORT extern const std::string& Txt10150;
TESSARIN_EXPORT extern const std::string& Txt10151;
TESSARIN_EXPORT extern const std::string& Txt10152;
TESSARIN_EXPORT extern const std::string& Txt10153;
TESSARIN_EXPORT extern const std::string& Txt10154;
TESSARIN_EXPORT extern const std::string& Txt10155;
TESSARIN_EXPORT extern const std::string& Txt10156;
TESSARIN_EXPORT extern const std::string& Txt10157;
TESSARIN_EXPORT extern const std::string& Txt10158;
TESSARIN_EXPORT extern const std::string& Txt10159;
TESSARIN_EXPORT extern const std::string& Txt10160;
TESSARIN_EXPORT extern const std::string& Txt10161;
TESSARIN_EXPORT extern const std::string& Txt10162;
TESSARIN_EXPORT extern const std::string& Txt10163;
TESSARIN_EXPORT extern const std::string& Txt10164;
TESSARIN_EXPORT extern const std::string& Txt10165; // "Anzeige"
TESSARIN_EXPORT extern const std::string& Txt10166;
TESSARIN_EXPORT extern const std::string& Txt10167;
TESSARIN_EXPORT extern const std::string& Txt10168;
TESSARIN_EXPORT extern const std::string& Txt10169;
TESSARIN_EXPORT extern const std::string& Txt10170;
TESSARIN_EXPORT extern const std::string& Txt10171; // "Anzeige"
TESSARIN_EXPORT extern const std::string& Txt10172;
TESSARIN_EXPORT extern const std::string& Txt10173;
TESSARIN_EXPORT extern const std::string& Txt10174;
TESSARIN_EXPORT extern const std::string& Txt10175;
TESSARIN_EXPORT extern const std::string& Txt10176;
TESSARIN_EXPORT extern const std::string& Txt10177;
TESSARIN_EXPORT extern const std::string& Txt10178; // "Die anzuzeigenden Bereiche auswählen."
TESSARIN_EXPORT extern const std::string& Txt10179; // "Fehler"
TESSARIN_EXPORT extern const std::string& Txt10180;
TESSARIN_EXPORT extern const std::string& Txt10181;
TESSARIN_EXPORT extern const std::string& Txt10182; // "Eingang löschen"
TESSARIN_EXPORT extern const std::string& Txt10183;
TESSARIN_EXPORT extern const std::string& Txt10184; // "az_deu.rtf"
TESSARIN_EXPORT extern const std::string& Txt10185; // "az_deu.hlp"
TESSARIN_EXPORT extern const std::string& Txt10186;
TESSARIN_EXPORT extern const std::string& Txt10187;
TESSARIN_EXPORT extern const std::string& Txt10188;
TESSARIN_EXPORT extern const std::string& Txt10189;
TESSARIN_EXPORT extern const std::string& Txt10190;
TESSARIN_EXPORT extern const std::string& Txt10191;
TESSARIN_EXPORT extern const std::string& Txt10192;
TESSARIN_EXPORT extern const std::string& Txt10193;
TESSARIN_EXPORT extern const std::string& Txt10194;
TESSARIN_EXPORT extern const std::string& Txt10195;
// "Alarmzentrale (*.azx) |*.azx| Alle Dateien (*.*) | *.*"
TESSARIN_EXPORT extern const std::string& Txt10196;
// "Das Objekt Scharfschalt-Eingang ist mit keiner Gruppenadresse verknüpft"
TESSARIN_EXPORT extern const std::string& Txt10197;
TESSARIN_EXPORT extern const std::string& Txt10198; // "Objekt Scharfschalt-Eingang"
TESSARIN_EXPORT extern const std::string& Txt10199;
// "Es existiert noch keine Schalteinrichtung mit der Gruppenadresse des Scharfschalt-Wunsch-Obj ...
TESSARIN_EXPORT extern const std::string& Txt10200;
TESSARIN_EXPORT extern const std::string& Txt10201; // "Schalteinrichtung"
TESSARIN_EXPORT extern const std::string& Txt10202;
TESSARIN_EXPORT extern const std::string& Txt10203;
TESSARIN_EXPORT extern const std::string& Txt10204;
TESSARIN_EXPORT extern const std::string& Txt10205;
TESSARIN_EXPORT extern const std::string& Txt10206;
TESSARIN_EXPORT extern const std::string& Txt10207;
TESSARIN_EXPORT extern const std::string& Txt10208;
TESSARIN_EXPORT extern const std::string& Txt10209;
TESSARIN_EXPORT extern const std::string& Txt10210;
TESSARIN_EXPORT extern const std::string& Txt10211;
TESSARIN_EXPORT extern const std::string& Txt10212;
TESSARIN_EXPORT extern const std::string& Txt10213;
TESSARIN_EXPORT extern const std::string& Txt10214;
TESSARIN_EXPORT extern const std::string& Txt10215;
TESSARIN_EXPORT extern const std::string& Txt10216; // "Sicherungs-Bereich"
TESSARIN_EXPORT extern const std::string& Txt10217; // "Sicherungs-Bereich"
TESSARIN_EXPORT extern const std::string& Txt10218; // "wird angelegt."
TESSARIN_EXPORT extern const std::string& Txt10219;
TESSARIN_EXPORT extern const std::string& Txt10220;
TESSARIN_EXPORT extern const std::string& Txt10221;
TESSARIN_EXPORT extern const std::string& Txt10222;
TESSARIN_EXPORT extern const std::string& Txt10223;
TESSARIN_EXPORT extern const std::string& Txt10224;
TESSARIN_EXPORT extern const std::string& Txt10225;
TESSARIN_EXPORT extern const std::string& Txt10226;
TESSARIN_EXPORT extern const std::string& Txt10227;
TESSARIN_EXPORT extern const std::string& Txt10228;
TESSARIN_EXPORT extern const std::string& Txt10229;
TESSARIN_EXPORT extern const std::string& Txt10230;
TESSARIN_EXPORT extern const std::string& Txt10231;
TESSARIN_EXPORT extern const std::string& Txt10232;
TESSARIN_EXPORT extern const std::string& Txt10233;
TESSARIN_EXPORT extern const std::string& Txt10234;
// "Maximale Anzahl der Gruppenadressen erreicht:"
TESSARIN_EXPORT extern const std::string& Txt10235;
TESSARIN_EXPORT extern const std::string& Txt10236; // "Maximale Anzahl der Verbindungen erreicht:"
TESSARIN_EXPORT extern const std::string& Txt10237; // "Eingänge hinzufügen"
TESSARIN_EXPORT extern const std::string& Txt10238; // "Eingang löschen"
TESSARIN_EXPORT extern const std::string& Txt10239;
TESSARIN_EXPORT extern const std::string& Txt10240;
TESSARIN_EXPORT extern const std::string& Txt10241;
TESSARIN_EXPORT extern const std::string& Txt10242; // "Eingang kopieren"
TESSARIN_EXPORT extern const std::string& Txt10243; // "Kopierten Eingang einfügen"
// "Die Parameter konnten nicht in der Ets gespeichert werden."
TESSARIN_EXPORT extern const std::string& Txt10244;
TESSARIN_EXPORT extern const std::string& Txt10245; // "Fehler beim Zugriff auf Ets"
TESSARIN_EXPORT extern const std::string& Txt10246; // "Verhalten ÜG 'R' bei ÜG Einbruch"
TESSARIN_EXPORT extern const std::string& Txt10247;
TESSARIN_EXPORT extern const std::string& Txt10248;
TESSARIN_EXPORT extern const std::string& Txt10249;
TESSARIN_EXPORT extern const std::string& Txt10250; // "Ereignisspeicher auslesen ..."
// "Beim Auslesen des Ereignisspeichers ist ein Fehler aufgetreten. Dies\n\rkann die folgenden U ...
TESSARIN_EXPORT extern const std::string& Txt10251;
TESSARIN_EXPORT extern const std::string& Txt10252; // "Ereignisspeicher auslesen"
TESSARIN_EXPORT extern const std::string& Txt10253;
// "Das Objekt 'Scharfschalt-Eingang' ist mit keiner Gruppenadresse\n\rmehr verknüpft. Sollen di ...
TESSARIN_EXPORT extern const std::string& Txt10254;
TESSARIN_EXPORT extern const std::string& Txt10255;
TESSARIN_EXPORT extern const std::string& Txt10256; // "Verzögerter Melder geöffnet"
TESSARIN_EXPORT extern const std::string& Txt10257; // "Sofort Melder geöffnet"
TESSARIN_EXPORT extern const std::string& Txt10258; // "Sabotage Melder geöffnet"
TESSARIN_EXPORT extern const std::string& Txt10259; // "Sabotage SE Melder geöffnet"
TESSARIN_EXPORT extern const std::string& Txt10260; // "Störung Rauchmelder"
TESSARIN_EXPORT extern const std::string& Txt10261; // "Verschluß geöffnet"
TESSARIN_EXPORT extern const std::string& Txt10262; // "Melder fehlt"
TESSARIN_EXPORT extern const std::string& Txt10263; // "Scharf geschaltet"
TESSARIN_EXPORT extern const std::string& Txt10264; // "Unscharf geschaltet"
TESSARIN_EXPORT extern const std::string& Txt10265; // "Funktionsüberwachung fehlt"
TESSARIN_EXPORT extern const std::string& Txt10266; // "Überlast externe Alarmgeber"
TESSARIN_EXPORT extern const std::string& Txt10267; // "Ausfall Übertragungsgerät (ÜG)"
TESSARIN_EXPORT extern const std::string& Txt10268; // "Netzausfall"
TESSARIN_EXPORT extern const std::string& Txt10269; // "Akku Störung"
TESSARIN_EXPORT extern const std::string& Txt10270; // "Programmierversuch"
TESSARIN_EXPORT extern const std::string& Txt10271; // "Scharf-/Unscharf Wunsch nicht Ok"
TESSARIN_EXPORT extern const std::string& Txt10272; // "Interne Sabotage"
TESSARIN_EXPORT extern const std::string& Txt10273; // "Externe Sabotage"
TESSARIN_EXPORT extern const std::string& Txt10274; // "Alarm"
TESSARIN_EXPORT extern const std::string& Txt10275; // "Nr."
TESSARIN_EXPORT extern const std::string& Txt10276; // "Bereich"
TESSARIN_EXPORT extern const std::string& Txt10277; // "Ereignis"
TESSARIN_EXPORT extern const std::string& Txt10278; // "Teilnehmer"
TESSARIN_EXPORT extern const std::string& Txt10279; // "Datum"
TESSARIN_EXPORT extern const std::string& Txt10280; // "Uhrzeit"
TESSARIN_EXPORT extern const std::string& Txt10281; // "Ereignisspeicher"
TESSARIN_EXPORT extern const std::string& Txt10282; // "Ereignisspeicher"
TESSARIN_EXPORT extern const std::string& Txt10283;
// "Das Objekt Alarm-Reset ist mit keiner Gruppenadresse verknüpft.\n\rWenn alle Schalteinrichtu ...
TESSARIN_EXPORT extern const std::string& Txt10284;
TESSARIN_EXPORT extern const std::string& Txt10285; // "Objekt Alarm-Reset"
TESSARIN_EXPORT extern const std::string& Txt10286; // "Schließen"
TESSARIN_EXPORT extern const std::string& Txt10287; // "Drucken ..."
TESSARIN_EXPORT extern const std::string& Txt10288; // "Speichern ..."
TESSARIN_EXPORT extern const std::string& Txt10289;
TESSARIN_EXPORT extern const std::string& Txt10290; // "Das Objekt konnte nicht erzeugt werden."
TESSARIN_EXPORT extern const std::string& Txt10291; // "Fehler"
TESSARIN_EXPORT extern const std::string& Txt10292;
TESSARIN_EXPORT extern const std::string& Txt10293;
TESSARIN_EXPORT extern const std::string& Txt10294;
TESSARIN_EXPORT extern const std::string& Txt10295;
TESSARIN_EXPORT extern const std::string& Txt10296; // "Fehler beim auslesen des Ereignisspeichers"
TESSARIN_EXPORT extern const std::string& Txt10297;
TESSARIN_EXPORT extern const std::string& Txt10333; // "Eingang kopieren"
TESSARIN_EXPORT extern const std::string& Txt10334; // "Kopierten Eingang einfügen"
TESSARIN_EXPORT extern const std::string& Txt10335;
TESSARIN_EXPORT extern const std::string& Txt10336; // "Scharfschalt-Eingang SSB 1"
TESSARIN_EXPORT extern const std::string& Txt10337; // "Scharfschalt-Eingang SSB 2"
TESSARIN_EXPORT extern const std::string& Txt10338; // "Scharfschalt-Eingang SSB 3"
TESSARIN_EXPORT extern const std::string& Txt10339; // "Scharfschalt-Eingang SSB 4"
TESSARIN_EXPORT extern const std::string& Txt10340; // "Alarm-Reset"
TESSARIN_EXPORT extern const std::string& Txt10341; // "PC Datum und Uhrzeit übertragen"
TESSARIN_EXPORT extern const std::string& Txt10342; // "Datum/Uhrzeit programmieren"
// "Datum und Uhrzeit wurden erfolgreich programmiert."
TESSARIN_EXPORT extern const std::string& Txt10343;
// "Fehler beim Programmieren von Datum und Uhrzeit.\n\rDies kann die folgenden Ursachen haben:\ ...
TESSARIN_EXPORT extern const std::string& Txt10344;
TESSARIN_EXPORT extern const std::string& Txt10345;
// "Alle Dateien (*.*)|*.*|Text Dateien (*.txt)|*.txt"
TESSARIN_EXPORT extern const std::string& Txt10346;
// "Der Ereignisspeicher wird ausgelesen.\n\rDieser Vorgang dauert einige Minuten."
TESSARIN_EXPORT extern const std::string& Txt10347;
TESSARIN_EXPORT extern const std::string& Txt10348; // "Projekt"
TESSARIN_EXPORT extern const std::string& Txt10349; // "Gerät"
// "Nicht alle Melder-Eingangs Objekte sind mit einer Gruppenadresse verknüpft.\n\rZurück zur ETS?"
TESSARIN_EXPORT extern const std::string& Txt10350;
TESSARIN_EXPORT extern const std::string& Txt10351; // "Melder-Objekte"
// "Das Objekt Meldertest ist mit keiner Gruppenadresse verknüpft!\n\rZurück zur ETS?"
TESSARIN_EXPORT extern const std::string& Txt10352;
TESSARIN_EXPORT extern const std::string& Txt10353; // "Objelt Meldertest"
TESSARIN_EXPORT extern const std::string& Txt10354; // "Die maximale Textlänge wurde überschritten."
TESSARIN_EXPORT extern const std::string& Txt10355;
TESSARIN_EXPORT extern const std::string& Txt10356;
TESSARIN_EXPORT extern const std::string& Txt10357;
TESSARIN_EXPORT extern const std::string& Txt10358;
TESSARIN_EXPORT extern const std::string& Txt10359;
// "Programmieren kann zu sofortiger Alarmauslösung führen. Im\n\rZustand Alarm ist kein weitere ...
TESSARIN_EXPORT extern const std::string& Txt10360;
// "Projektierungsfehler: Parameter 'Physikalische Adresse Schalteinrichtung'\n\r\n\rMögliche Fe ...
TESSARIN_EXPORT extern const std::string& Txt10361;
TESSARIN_EXPORT extern const std::string& Txt10362; // "Physikalische Adresse Schalteinrichtung"
// "1. Es sind nicht alle projektierten Schalteinrichtungen parametriert."
TESSARIN_EXPORT extern const std::string& Txt10363;
// "2. Es sind zuviele Schalteinrichtungen projektiert."
TESSARIN_EXPORT extern const std::string& Txt10364;
TESSARIN_EXPORT extern const std::string& Txt10365; // "Uhr"
// "Datum und Uhrzeit beim Auslesen des Ereignisspeicher:"
TESSARIN_EXPORT extern const std::string& Txt10366;
TESSARIN_EXPORT extern const std::string& Txt10367; // "PC"
TESSARIN_EXPORT extern const std::string& Txt10368; // "Sabotage"
TESSARIN_EXPORT extern const std::string& Txt10369; // "Schalteinr."
TESSARIN_EXPORT extern const std::string& Txt10370; // "Initialisiere"
TESSARIN_EXPORT extern const std::string& Txt10371; // "Alarmz. fehlt"
TESSARIN_EXPORT extern const std::string& Txt10372; // "Feuer"
TESSARIN_EXPORT extern const std::string& Txt10373; // "Überfall"
TESSARIN_EXPORT extern const std::string& Txt10374; // "Buswiederkehr"
TESSARIN_EXPORT extern const std::string& Txt10375; // no string in the table: stays empty
TESSARIN_EXPORT extern const std::string& Txt10376; // no string in the table: stays empty
TESSARIN_EXPORT extern const std::string& Txt10377; // "Feuermelder"
TESSARIN_EXPORT extern const std::string& Txt10378; // "Überfallmelder"
TESSARIN_EXPORT extern const std::string& Txt10379; // no string in the table: stays empty
TESSARIN_EXPORT extern const std::string& Txt10380; // "Ende"
TESSARIN_EXPORT extern const std::string& Txt10381; // "offen"
TESSARIN_EXPORT extern const std::string& Txt10382; // "unverschlossen"
TESSARIN_EXPORT extern const std::string& Txt10383; // "Bewegung"
TESSARIN_EXPORT extern const std::string& Txt10384; // "Glasbruch"
TESSARIN_EXPORT extern const std::string& Txt10385; // "Sabotage"
TESSARIN_EXPORT extern const std::string& Txt10386; // "Sabotage (SE)"
TESSARIN_EXPORT extern const std::string& Txt10387; // "Störung"
TESSARIN_EXPORT extern const std::string& Txt10388; // "Alarm"
TESSARIN_EXPORT extern const std::string& Txt10389; // "Meldertest"
TESSARIN_EXPORT extern const std::string& Txt10390; // "Bereit zum"
TESSARIN_EXPORT extern const std::string& Txt10391; // "Scharfschalten"
TESSARIN_EXPORT extern const std::string& Txt10392; // "Störung"
TESSARIN_EXPORT extern const std::string& Txt10393; // "OK"
TESSARIN_EXPORT extern const std::string& Txt10394; // "Alarmzentrale"
TESSARIN_EXPORT extern const std::string& Txt10395; // "Störung"
TESSARIN_EXPORT extern const std::string& Txt10396; // "nicht bereit"
TESSARIN_EXPORT extern const std::string& Txt10397; // "nicht scharf"
TESSARIN_EXPORT extern const std::string& Txt10398; // "Ausfall ÜG"
TESSARIN_EXPORT extern const std::string& Txt10399; // "Alarmz. Sabo."
TESSARIN_EXPORT extern const std::string& Txt10400; // "verdr. Melder"
TESSARIN_EXPORT extern const std::string& Txt10401; // "Alarmzentrale"
TESSARIN_EXPORT extern const std::string& Txt10402; // "Sabo Gehäuse"
TESSARIN_EXPORT extern const std::string& Txt10403; // "Alarmgeber"
TESSARIN_EXPORT extern const std::string& Txt10404; // "Überstrom"
TESSARIN_EXPORT extern const std::string& Txt10405; // "untergeordnete"
TESSARIN_EXPORT extern const std::string& Txt10406; // "Netzausfall"
TESSARIN_EXPORT extern const std::string& Txt10407; // "< 60 Minuten"
TESSARIN_EXPORT extern const std::string& Txt10408; // "Akku"
TESSARIN_EXPORT extern const std::string& Txt10409; // "Störung"
TESSARIN_EXPORT extern const std::string& Txt10410; // "Melder fehlt"
TESSARIN_EXPORT extern const std::string& Txt10411; // "unsch.schalten"
TESSARIN_EXPORT extern const std::string& Txt10412; // "Unscharf"
TESSARIN_EXPORT extern const std::string& Txt10413; // "schalten"
TESSARIN_EXPORT extern const std::string& Txt10414; // "Scharf"
TESSARIN_EXPORT extern const std::string& Txt10415; // "Unscharf"
TESSARIN_EXPORT extern const std::string& Txt10416; // "Programmier-"
TESSARIN_EXPORT extern const std::string& Txt10417; // "versuch"

// Fills the texts from `table` (each id's text; the empty text for an id the table lacks),
// but only on the first of nested calls: the unit's counter is lowered by one and the texts
// are filled only when it was 0 before. The library calls it once when it is loaded, with
// its own string table; the editor may call it again without reloading anything.
TESSARIN_EXPORT void Init(const TStringTable& table);
// The counterpart of Init: raises the counter and frees the texts when it was -1 before.
// The library calls it when it is unloaded.
TESSARIN_EXPORT void Fini();

// The text of an id of this unit (the global of that id); the empty text for other ids.
TESSARIN_EXPORT const std::string& Text(int id);
// The ids of this unit in load order (ascending).
TESSARIN_EXPORT std::span<const int> Ids();

} // namespace SprAz
