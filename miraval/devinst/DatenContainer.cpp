#include "miraval/devinst/DatenContainer.h"

#include "miraval/dienste/Spredit.h"
#include "vcl/StringList.h"
#include "win32/CodePage1252.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <exception>

namespace DatenContainer {

namespace {

constexpr std::string_view CrLf = "\r\n";

std::string openTag(std::string_view name) { return "<" + std::string(name) + ">"; }
std::string closeTag(std::string_view name) { return "</" + std::string(name) + ">"; }

bool equalsNoCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

std::string erwarteteVersion(const TVersion& erwartet)
{
    return "\nErwartete Version:\n" + FormatVersion(erwartet);
}

// Splits text lines at CR LF, lone LF and lone CR.
std::vector<std::string_view> splitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n')
            continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.push_back(text.substr(start));
    return lines;
}

// The tags that, inside a record line, would end the DB section early or start CompData there.
constexpr std::array<std::string_view, 3> TagsNachDB = {"</DB>", "<CompData>", "</CompData>"};

TContainerStatus speicherFehler(std::string text)
{
    return TContainerStatus::Fehler(std::move(text), "Fehler", MB_ICONWARNING);
}

std::string datensatzName(const TDatenStruktur& d)
{
    return std::to_string(d.Handle) + " (\"" + d.Name + "\")";
}

} // namespace

TContainerStatus TContainerStatus::Fehler(std::string text, std::string caption, UINT flags)
{
    TContainerStatus status;
    status.Ok = false;
    status.Text = std::move(text);
    status.Caption = std::move(caption);
    status.Flags = flags;
    return status;
}

std::string FormatVersion(const TVersion& version)
{
    char zahlen[32];
    std::snprintf(zahlen, sizeof zahlen, "%2d.%2d", version.Major, version.Minor);
    return "YR Version:" + std::string(zahlen) + " Typ:" + version.Typ;
}

TVersionCheck VersionCheck(std::string_view text, const TVersion& erwartet)
{
    TVersionCheck check;
    if (text.empty() || text == "0") {
        check.Text = "Versionsinformation nicht gefunden." + erwarteteVersion(erwartet);
        return check;
    }
    // sscanf reads up to the first NUL; the copy gives it one at the end.
    const std::string zeile(text);
    int major = 0;
    int minor = 0;
    char typ[64] = {};
    int ende = 0;
    int felder = std::sscanf(zeile.c_str(), "YR Version:%2d.%2d Typ:%63s%n", &major, &minor, typ, &ende);
    if (felder < 3) {
        check.Text = "Unbekannte Version\n" + zeile + erwarteteVersion(erwartet);
        return check;
    }
    const std::string zahlen = std::to_string(major) + "." + std::to_string(minor);
    if (major != erwartet.Major) {
        check.Text = "Falsche Hauptversionsnummer: " + zahlen + erwarteteVersion(erwartet);
        return check;
    }
    if (minor != erwartet.Minor) {
        check.Text = "Falsche Nebenversionsnummer: " + zahlen + erwarteteVersion(erwartet);
        return check;
    }
    // A type word that filled the buffer and goes on is longer than 63 bytes: not ours.
    const bool abgeschnitten = static_cast<std::size_t>(ende) < zeile.size() &&
                               !std::isspace(static_cast<unsigned char>(zeile[static_cast<std::size_t>(ende)]));
    if (abgeschnitten || typ != erwartet.Typ) {
        check.Text = "Unbekannter Versionstyp." + erwarteteVersion(erwartet);
        return check;
    }
    check.Ok = true;
    return check;
}

TContainerStatus VersionConflict(const TVersion& erwartet, std::string_view vorhanden)
{
    return VersionConflict(FormatVersion(erwartet), vorhanden);
}

TContainerStatus VersionConflict(std::string_view erwartet, std::string_view vorhanden)
{
    return TContainerStatus::Fehler(
        "Versionskonflikt!\nDie installierte Software kann die Daten nicht lesen.\n"
        "Bitte installieren Sie die benötigte Version.\n\nErwartet: " +
            std::string(erwartet) + "\nVorhanden: " + std::string(vorhanden) +
            "\n\nBitte installieren Sie eine neue Software.",
        "Fehler", MB_ICONERROR);
}

namespace {

// Where a section stands: absent (no open tag), open (no close tag after it) or whole.
enum class TSektion { Fehlt, Offen, Ganz };

// ParseData without a copy: a view into quelle; how the section stands in stand.
std::string_view sektion(std::string_view quelle, std::string_view name, TSektion& stand)
{
    const std::string auf = openTag(name);
    const std::string zu = closeTag(name);
    stand = TSektion::Fehlt;
    const std::size_t p = quelle.find(auf);
    if (p == std::string_view::npos)
        return {};
    stand = TSektion::Offen;
    std::size_t start = p + auf.size();
    if (start < quelle.size() && quelle[start] == '\r') {
        ++start;
        if (start < quelle.size() && quelle[start] == '\n')
            ++start;
    }
    const std::size_t q = quelle.find(zu, start);
    if (q == std::string_view::npos)
        return {};
    stand = TSektion::Ganz;
    std::size_t ende = q;
    if (ende > start && quelle[ende - 1] == '\n') {
        --ende;
        if (ende > start && quelle[ende - 1] == '\r')
            --ende;
    }
    // The line end of an empty section belongs to the open tag's line: nothing is left.
    return quelle.substr(start, ende - start);
}

// The CompData bytes as the writer frames them: between the line end after the open tag and
// the one before the close tag. A file whose line ends became LF or CR alone frames them with
// that; the writer's CR LF never leaves a lone LF or CR right after the open tag.
std::string_view compData(std::string_view quelle, TSektion& stand)
{
    const std::string_view inhalt = sektion(quelle, SektionCompData, stand);
    const std::size_t auf = quelle.find(openTag(SektionCompData));
    if (stand != TSektion::Ganz)
        return inhalt;
    std::string_view roh = quelle.substr(auf + openTag(SektionCompData).size());
    roh = roh.substr(0, roh.find(closeTag(SektionCompData)));
    if (roh.empty() || roh.substr(0, 2) == CrLf || (roh.front() != '\n' && roh.front() != '\r'))
        return inhalt;
    const char ende = roh.front();
    roh.remove_prefix(1);
    if (!roh.empty() && roh.back() == ende)
        roh.remove_suffix(1);
    return roh;
}

std::string_view sektion(std::string_view quelle, std::string_view name)
{
    TSektion stand;
    return sektion(quelle, name, stand);
}

// The message of a container that cannot be read: the file's name, then what is wrong.
std::string lesefehler(std::string_view dateiName, const std::string& was)
{
    return "Fehler beim Lesen der Datei:" + std::string(dateiName) + "\n" + was;
}

// "A section is missing or not closed: <name>": the container was cut short or patched.
std::string sektionFehlt(std::string_view name)
{
    return Spredit::Txt9218 + ": " + openTag(name) + " " + closeTag(name);
}

bool nurAscii(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

constexpr std::string_view Utf8Bom = "\xEF\xBB\xBF";

// How the text of a container (its version and DB sections) is to be read. The program writes
// Windows-1252 and never a byte order mark; a person who edits a file in a text editor may
// save it again as UTF-8. The text is read as UTF-8 when the file begins with the UTF-8 byte
// order mark, or when it is well-formed UTF-8 and holds a byte above 127 (then a multi-byte
// sequence); else as Windows-1252. Windows-1252 text passes for UTF-8 only when every byte
// above 127 pairs with the following ones into a well-formed sequence, as in "\xC3\xBC"
// ("Ã¼"); a text with a German umlaut or sharp s followed by a letter, digit, blank or
// punctuation never does, so the program's own files are read as written. A UTF-8 text must
// be one that Windows-1252 can hold, as every stored text is, and whose stored form reads
// back as Windows-1252; a file marked as UTF-8 that is not, or whose texts fail either, is
// refused with Fehler set (UTF-8).
struct TTextForm {
    bool Utf8 = false;
    std::string Fehler;
};

TTextForm textForm(std::string_view container)
{
    TTextForm form;
    const std::string_view teile[] = {sektion(container, SektionVersion), sektion(container, SektionDB)};
    const bool bom = container.substr(0, Utf8Bom.size()) == Utf8Bom;
    const bool gueltig = std::all_of(std::begin(teile), std::end(teile), [](std::string_view t) { return IsValidUtf8(t); });
    const bool ascii = std::all_of(std::begin(teile), std::end(teile), nurAscii);
    form.Utf8 = bom || (gueltig && !ascii);
    if (!form.Utf8)
        return form;
    if (!gueltig) {
        form.Fehler = "Die Datei ist als UTF-8 gekennzeichnet, ihr Text ist aber kein gültiges UTF-8.";
        return form;
    }
    for (std::string_view teil : teile) {
        const TCp1252Result gespeichert = Utf8ToCp1252(teil);
        if (!gespeichert) {
            form.Fehler = "Die Datei enthält das Zeichen \"" + gespeichert.error->CharacterText() +
                          "\", das nicht gespeichert werden kann.";
            return form;
        }
        // Texts such as "Ã¼" alone: stored as Windows-1252 they would pass for UTF-8 and read
        // back otherwise.
        if (!nurAscii(gespeichert.bytes) && IsValidUtf8(gespeichert.bytes)) {
            form.Fehler = "Die Texte der Datei würden nach dem Speichern anders gelesen.";
            return form;
        }
    }
    return form;
}

// Text of the container as UTF-8: the bytes themselves when they are UTF-8 or all ASCII (the
// same in both), else a converted copy kept in puffer.
std::string_view alsUtf8(std::string_view text, const TTextForm& form, std::string& puffer)
{
    if (form.Utf8 || nurAscii(text))
        return text;
    puffer = Cp1252ToUtf8(text);
    return puffer;
}

} // namespace

std::string ParseData(std::string_view quelle, std::string_view name)
{
    return std::string(sektion(quelle, name));
}

std::string ReadVersionValue(std::string_view container)
{
    // A file not readable as UTF-8 is refused by the record read; its version (ASCII when it
    // is ours) is read as Windows-1252 till then.
    TTextForm form = textForm(container);
    form.Utf8 = form.Utf8 && form.Fehler.empty();
    std::string puffer;
    // The value's line is the section's first line that is not empty: a file whose line ends
    // became LF alone keeps that LF after the open tag as content.
    const std::vector<std::string_view> zeilen = splitLines(alsUtf8(sektion(container, SektionVersion), form, puffer));
    const auto zeile = std::find_if(zeilen.begin(), zeilen.end(), [](std::string_view z) { return !z.empty(); });
    if (zeile == zeilen.end())
        return {};
    const std::string_view text = *zeile;
    const std::size_t gleich = text.find('=');
    if (gleich == std::string_view::npos || !equalsNoCase(text.substr(0, gleich), SektionVersion))
        return {};
    return std::string(text.substr(gleich + 1));
}

namespace {

// The records of the DB section's lines. With mitEnde a line must hold the end value as its
// 41st value (the record type does not look at it): a line without it was cut off.
TContainerStatus leseDatensaetze(std::string_view db, const TTextForm& form, std::string_view dateiName,
                                 bool mitEnde, std::vector<TDatenStruktur>& out)
{
    out.clear();
    std::vector<TDatenStruktur> gelesen;
    try {
        std::string puffer;
        const std::vector<std::string_view> zeilen = splitLines(alsUtf8(db, form, puffer));
        gelesen.reserve(zeilen.size());
        // One line buffer for all: Fill takes a string.
        std::string zeileText;
        TStringList werte;
        for (std::string_view zeile : zeilen) {
            if (zeile.empty() || zeile.front() == '#')
                continue;
            zeileText.assign(zeile);
            gelesen.emplace_back().Fill(zeileText);
            if (!mitEnde)
                continue;
            // The line the record type writes ends with the end value: a line that is that
            // line is whole; only a line that is not is taken apart to say why.
            if (gelesen.back().GetDatensatzZeile() != zeileText) {
                werte.SetCommaText(zeileText);
                if (werte.Count() <= TDatenStruktur::kMinWerte || werte[TDatenStruktur::kMinWerte] != "Ende")
                    return TContainerStatus::Fehler(Spredit::Txt9219 + "\nHandle: " + werte[0], "Fehler", MB_OK);
                // A value was no number, missing or extra.
                return TContainerStatus::Fehler(Spredit::Txt9224 + "\nHandle: " + werte[0], "Fehler", MB_OK);
            }
            // A tag inside a line would end its section early when the line is stored again.
            if (zeile.find('<') != std::string_view::npos)
                for (std::string_view tag : TagsNachDB)
                    if (zeile.find(tag) != std::string_view::npos)
                        return speicherFehler("Der Datensatz " + datensatzName(gelesen.back()) +
                                              " enthält die Zeichenfolge \"" + std::string(tag) +
                                              "\" und kann so nicht gespeichert werden.");
        }
    } catch (const E_DatenStruktur& e) {
        return TContainerStatus::Fehler(lesefehler(dateiName, e.Message()), "Fehler", MB_OK);
    } catch (const std::exception&) {
        return TContainerStatus::Fehler("Unknown Error occured", "Fehler", MB_OK);
    }
    out = std::move(gelesen);
    return {};
}

} // namespace

TContainerStatus ReadDatensaetze(std::string_view container, std::string_view dateiName,
                                 std::vector<TDatenStruktur>& out)
{
    out.clear();
    TSektion stand;
    const std::string_view db = sektion(container, SektionDB, stand);
    if (stand == TSektion::Offen)
        return TContainerStatus::Fehler(lesefehler(dateiName, sektionFehlt(SektionDB)), "Fehler", MB_OK);
    const TTextForm form = textForm(container);
    if (!form.Fehler.empty())
        return TContainerStatus::Fehler(lesefehler(dateiName, form.Fehler), "Fehler", MB_OK);
    return leseDatensaetze(db, form, dateiName, false, out);
}

TContainerStatus PruefeAbschnitte(std::string_view container)
{
    TSektion version;
    TSektion db;
    TSektion compData;
    (void)sektion(container, SektionVersion, version);
    (void)sektion(container, SektionDB, db);
    (void)sektion(container, SektionCompData, compData);
    if (version == TSektion::Offen)
        return TContainerStatus::Fehler(sektionFehlt(SektionVersion), "Fehler", MB_OK);
    if (db != TSektion::Ganz)
        return TContainerStatus::Fehler(sektionFehlt(SektionDB), "Fehler", MB_OK);
    if (compData != TSektion::Ganz)
        return TContainerStatus::Fehler(sektionFehlt(SektionCompData), "Fehler", MB_OK);
    return {};
}

TContainerStatus ReadGanzeDatensaetze(std::string_view container, std::vector<TDatenStruktur>& out)
{
    out.clear();
    if (TContainerStatus status = PruefeAbschnitte(container); !status)
        return status;
    const TTextForm form = textForm(container);
    if (!form.Fehler.empty())
        return TContainerStatus::Fehler(form.Fehler, "Fehler", MB_OK);
    return leseDatensaetze(sektion(container, SektionDB), form, "", true, out);
}

void ContainerOrder(std::vector<const TDatenStruktur*>& datensaetze)
{
    std::stable_sort(datensaetze.begin(), datensaetze.end(),
                     [](const TDatenStruktur* a, const TDatenStruktur* b) {
                         if (a->System != b->System)
                             return a->System < b->System;
                         return a->Parent < b->Parent;
                     });
}

TContainerStatus WriteContainer(std::span<const TDatenStruktur* const> datensaetze,
                                std::string_view version, std::string_view compData,
                                std::string& container)
{
    const TDatenStruktur muster;
    std::string text;
    auto zeile = [&text](std::string_view z) {
        text += z;
        text += CrLf;
    };
    zeile(muster.GetKopfZeile());
    zeile(muster.GetDateiKennung());
    zeile(openTag(SektionVersion));
    TCp1252Result versionZeile = Utf8ToCp1252("Version=" + std::string(version));
    if (!versionZeile)
        return speicherFehler("Die Versionszeile kann nicht gespeichert werden: " +
                              versionZeile.error->ToString());
    zeile(versionZeile.bytes);
    zeile(closeTag(SektionVersion));
    zeile(openTag(SektionDB));
    for (const TDatenStruktur* datensatz : datensaetze) {
        TCp1252Result z = Utf8ToCp1252(datensatz->GetDatensatzZeile());
        if (!z)
            return speicherFehler("Der Datensatz " + datensatzName(*datensatz) +
                                  " kann nicht gespeichert werden: " + z.error->ToString());
        for (std::string_view tag : TagsNachDB)
            if (z.bytes.find(tag) != std::string::npos)
                return speicherFehler("Der Datensatz " + datensatzName(*datensatz) +
                                      " enthält die Zeichenfolge \"" + std::string(tag) +
                                      "\" und kann so nicht gespeichert werden.");
        zeile(z.bytes);
    }
    zeile(closeTag(SektionDB));
    if (compData.find(closeTag(SektionCompData)) != std::string_view::npos)
        return speicherFehler("Die Zusatzdaten (CompData) enthalten die Zeichenfolge \"" +
                              closeTag(SektionCompData) + "\" und können so nicht gespeichert werden.");
    zeile(openTag(SektionCompData));
    text += compData;
    text += CrLf;
    zeile(closeTag(SektionCompData));
    container = std::move(text);
    return {};
}

namespace {

TContainerStatus leseContainer(std::string_view container, std::string_view dateiName,
                               const TVersionPruefer& pruefe, std::vector<TDatenStruktur>* gelesen,
                               TContainerInhalt& out)
{
    out = TContainerInhalt{};
    if (container.empty())
        return {};
    TContainerInhalt inhalt;
    inhalt.Version = ReadVersionValue(container);
    if (inhalt.Version.empty() || !pruefe(inhalt.Version))
        return TContainerStatus::Fehler({}, {}, 0);
    if (gelesen != nullptr)
        inhalt.Datensaetze = std::move(*gelesen);
    else if (TContainerStatus status = ReadDatensaetze(container, dateiName, inhalt.Datensaetze); !status)
        return status;
    TSektion stand;
    inhalt.CompData = std::string(compData(container, stand));
    if (stand == TSektion::Offen)
        return TContainerStatus::Fehler(lesefehler(dateiName, sektionFehlt(SektionCompData)), "Fehler", MB_OK);
    out = std::move(inhalt);
    return {};
}

} // namespace

TContainerStatus ReadContainer(std::string_view container, std::string_view dateiName,
                               const TVersionPruefer& pruefe, TContainerInhalt& out)
{
    return leseContainer(container, dateiName, pruefe, nullptr, out);
}

TContainerStatus ReadContainer(std::string_view container, std::string_view dateiName,
                               const TVersionPruefer& pruefe, std::vector<TDatenStruktur>&& gelesen,
                               TContainerInhalt& out)
{
    return leseContainer(container, dateiName, pruefe, &gelesen, out);
}

} // namespace DatenContainer
