#pragma once
// The configuration container: a device's whole configuration as one byte sequence, stored
// in ETS as the device's data block and, in the same form, as template file and safety copy.
// Existing projects and files hold containers of this exact form, so it must not change:
//
//   <column-name line>                     CR LF  (TDatenStruktur::GetKopfZeile)
//   #Norvik                                CR LF  (TDatenStruktur::GetDateiKennung)
//   <Version>                              CR LF
//   Version=YR Version: 1. 1 Typ:VIREO/Alarmzentrale CR LF
//   </Version>                             CR LF
//   <DB>                                   CR LF
//   one record line per record             CR LF each
//   </DB>                                  CR LF
//   <CompData>                             CR LF
//   the CompData bytes, unchanged
//   CR LF </CompData> CR LF
//
// Everything but CompData is text in Windows-1252; these functions take and give UTF-8 and
// convert at this boundary. Readers also take a file that a text editor saved again: line
// ends CR LF, LF or CR alone, and text as UTF-8 (with or without byte order mark) when it is
// well-formed UTF-8 with characters beyond ASCII; such a file whose texts Windows-1252 cannot
// hold is refused. CompData is opaque bytes (NUL, CR, LF, bytes above 127) carried
// through unchanged. Readers find sections by plain byte comparison of their tags, anywhere
// and in any order, so no record line may contain a tag that follows it (the writer refuses).
//
// These are the pure format functions; the device instance wires them to its record maps,
// its CompData stream, ETS and the message boxes.

#include "quillon/DatenStruktur.h"
#include "win32/MessageBox.h"

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace DatenContainer {

inline constexpr std::string_view SektionVersion = "Version";
inline constexpr std::string_view SektionDB = "DB";
inline constexpr std::string_view SektionCompData = "CompData";

// A failed step: the message to show (UTF-8; empty when there is nothing to show), its
// caption and its MessageBox flags.
struct [[nodiscard]] TContainerStatus {
    bool Ok = true;
    std::string Text;
    std::string Caption;
    UINT Flags = 0;

    explicit operator bool() const { return Ok; }
    static TContainerStatus Fehler(std::string text, std::string caption, UINT flags);
};

// ---- Version line -------------------------------------------------------------------------

// What a reader expects of the version line.
struct TVersion {
    int Major = 1;
    int Minor = 1;
    std::string Typ = "VIREO/Alarmzentrale";
};

// The version line "YR Version:%2d.%2d Typ:%s", e.g. "YR Version: 1. 1 Typ:VIREO/Alarmzentrale".
std::string FormatVersion(const TVersion& version);

// The check of a stored version line against the expected one. On refusal, Text is the
// message that names the fault and the expected line; the caller shows it with
// VersionCheckCaption and VersionCheckFlags when asked to.
struct TVersionCheck {
    bool Ok = false;
    std::string Text;
};
inline constexpr const char* VersionCheckCaption = "Versions-Überprüfung";
inline constexpr UINT VersionCheckFlags = MB_ICONWARNING;

// The text is read like sscanf "YR Version:%2d.%2d Typ:%s": each number at most two digits
// after optional blanks, the type word up to the next blank. A type word longer than any
// buffer is simply not the expected one.
TVersionCheck VersionCheck(std::string_view text, const TVersion& erwartet);

// The message when neither the check nor a conversion accepts the stored version
// (caption "Fehler", error icon).
TContainerStatus VersionConflict(const TVersion& erwartet, std::string_view vorhanden);
// The same with the expected version line as text.
TContainerStatus VersionConflict(std::string_view erwartet, std::string_view vorhanden);

// ---- Sections -----------------------------------------------------------------------------

// The content of section name: the bytes between "<name>" and "</name>", without one CR LF
// right after the open tag and one (CR) LF right before the close tag. A lone LF after the
// open tag is content. Empty when a tag is missing or the section is empty.
std::string ParseData(std::string_view quelle, std::string_view name);

// The value of the version section (UTF-8): in its first line that is not empty, the text
// after the first "=" when the text before it is "Version" in any letter case; empty when
// there is none.
std::string ReadVersionValue(std::string_view container);

// The records of the DB section, in line order. Empty lines and lines beginning with "#" are
// skipped. A line the record type refuses, or a DB section opened and never closed (a
// container cut short), fails the whole read with "Fehler beim Lesen der Datei:" + dateiName
// + "\n" + what is wrong (caption "Fehler") and leaves out empty. No DB section: no records.
TContainerStatus ReadDatensaetze(std::string_view container, std::string_view dateiName,
                                 std::vector<TDatenStruktur>& out);

// Whether a container that is to replace a device's configuration (template file, safety
// copy) is whole, as the writer makes it: a version section closed when it is there (a
// missing one is the version check's to report), the DB and CompData sections there and
// closed. Refused with what is wrong as Text (UTF-8): the file was cut short or patched.
TContainerStatus PruefeAbschnitte(std::string_view container);
// The records of such a container: PruefeAbschnitte, then as ReadDatensaetze, and every
// record line must hold its end value (the record type does not look at it): a line
// without it was cut off; and every line must be the line the record type writes for the
// record read from it (a value that is no number, one missing or extra). Refused with what
// is wrong as Text and out empty.
TContainerStatus ReadGanzeDatensaetze(std::string_view container, std::vector<TDatenStruktur>& out);

// ---- Whole container ----------------------------------------------------------------------

struct TContainerInhalt {
    std::string Version; // the stored version line (UTF-8); empty for an empty container
    std::vector<TDatenStruktur> Datensaetze;
    std::string CompData; // bytes
};

// Orders records as the container holds them: System ascending, then Parent ascending,
// records with equal System and Parent in the order given.
void ContainerOrder(std::vector<const TDatenStruktur*>& datensaetze);

// Builds the container from records in the order given (see ContainerOrder), the version line
// and the CompData bytes. Fails, writing nothing, when a text cannot be held in Windows-1252
// or when a record line or CompData contains a tag that would end its section early.
TContainerStatus WriteContainer(std::span<const TDatenStruktur* const> datensaetze,
                                std::string_view version, std::string_view compData,
                                std::string& container);

// Decides on a stored version line: true to load. It shows its own messages (the version
// check's and, when it refuses, VersionConflict's).
using TVersionPruefer = std::function<bool(const std::string& version)>;

// Reads a stored container in the loader's order: an empty container is fine and holds
// nothing; a container without a version value fails silently (empty Text); then the version
// is put to pruefe (refused: fails silently, pruefe has spoken); then the records and
// CompData are read (a DB or CompData section opened and not closed fails with its message).
// On any failure out is left empty.
TContainerStatus ReadContainer(std::string_view container, std::string_view dateiName,
                               const TVersionPruefer& pruefe, TContainerInhalt& out);
// The same with the records of the DB section read already (ReadGanzeDatensaetze of this
// container): they are taken as they are, the DB section is not read again.
TContainerStatus ReadContainer(std::string_view container, std::string_view dateiName,
                               const TVersionPruefer& pruefe, std::vector<TDatenStruktur>&& gelesen,
                               TContainerInhalt& out);

} // namespace DatenContainer
