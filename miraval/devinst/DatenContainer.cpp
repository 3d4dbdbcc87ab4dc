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

// Windows-1252 text as UTF-8: the bytes themselves while they are all ASCII (the same in
// both), else a converted copy kept in puffer.
std::string_view alsUtf8(std::string_view cp1252, std::string& puffer)
{
    if (std::all_of(cp1252.begin(), cp1252.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return cp1252;
    puffer = Cp1252ToUtf8(cp1252);
    return puffer;
}

} // namespace

std::string ParseData(std::string_view quelle, std::string_view name)
{
    return std::string(sektion(quelle, name));
}

std::string ReadVersionValue(std::string_view container)
{
    std::string puffer;
    const std::string_view text = alsUtf8(sektion(container, SektionVersion), puffer);
    const std::size_t gleich = text.find('=');
    if (gleich == std::string_view::npos || !equalsNoCase(text.substr(0, gleich), SektionVersion))
        return {};
    return std::string(text.substr(gleich + 1));
}

namespace {

// The records of the DB section's lines. With mitEnde a line must hold the end value as its
// 41st value (the record type does not look at it): a line without it was cut off.
TContainerStatus leseDatensaetze(std::string_view db, std::string_view dateiName, bool mitEnde,
                                 std::vector<TDatenStruktur>& out)
{
    out.clear();
    std::vector<TDatenStruktur> gelesen;
    try {
        std::string puffer;
        const std::vector<std::string_view> zeilen = splitLines(alsUtf8(db, puffer));
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
            werte.SetCommaText(zeileText);
            if (werte.Count() <= TDatenStruktur::kMinWerte || werte[TDatenStruktur::kMinWerte] != "Ende")
                return TContainerStatus::Fehler(Spredit::Txt9219 + "\nHandle: " + werte[0], "Fehler", MB_OK);
            // Read back as the record type writes it, or a value was no number, missing or extra.
            if (gelesen.back().GetDatensatzZeile() != zeileText)
                return TContainerStatus::Fehler(Spredit::Txt9224 + "\nHandle: " + werte[0], "Fehler", MB_OK);
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
    return leseDatensaetze(db, dateiName, false, out);
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
    return leseDatensaetze(sektion(container, SektionDB), "", true, out);
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

TContainerStatus ReadContainer(std::string_view container, std::string_view dateiName,
                               const TVersionPruefer& pruefe, TContainerInhalt& out)
{
    out = TContainerInhalt{};
    if (container.empty())
        return {};
    TContainerInhalt inhalt;
    inhalt.Version = ReadVersionValue(container);
    if (inhalt.Version.empty() || !pruefe(inhalt.Version))
        return TContainerStatus::Fehler({}, {}, 0);
    if (TContainerStatus status = ReadDatensaetze(container, dateiName, inhalt.Datensaetze); !status)
        return status;
    TSektion stand;
    inhalt.CompData = std::string(sektion(container, SektionCompData, stand));
    if (stand == TSektion::Offen)
        return TContainerStatus::Fehler(lesefehler(dateiName, sektionFehlt(SektionCompData)), "Fehler", MB_OK);
    out = std::move(inhalt);
    return {};
}

} // namespace DatenContainer
