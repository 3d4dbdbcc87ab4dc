#pragma once
// The profile-file (INI file) functions: "[section]" headers and "key=value" lines in a UTF-8
// text file. Every call opens, reads or rewrites and closes the file; nothing is cached.
//
// Reading follows what callers rely on from Windows:
// - section and key names compare without regard to ASCII letter case;
// - names and values lose leading and trailing blanks (space, tab); a value enclosed in a
//   matching pair of double or single quotes loses the pair;
// - a value may contain "=": the key ends at the first "=" of its line;
// - lines whose first non-blank character is ";" are comments; lines before the first
//   section header, lines without "=" and "[" lines without "]" belong to no key;
// - a section that appears more than once is read as one; a key that appears more than once
//   in it is read from its first line.
// Writing replaces or adds exactly one line (or removes lines for a delete) and keeps every
// other byte of the file, line ends included; the new file is written beside the old one and
// renamed over it, so a failed write never leaves a half-written file.

#include "win32/Windows.h"

// Copies the key's value into buffer (at most size - 1 bytes, never cutting a UTF-8
// character, NUL-terminated) and returns the number of bytes copied without the NUL.
// A missing file, section or key copies def instead (null def = empty), without its
// trailing blanks. A null section or key counts as missing. A present key with an empty
// value gives the empty text, not the default. Null buffer or size 0: returns 0.
DWORD GetPrivateProfileString(const char* section, const char* key, const char* def,
                              char* buffer, DWORD size, const char* file);

// The key's value as an integer: optional sign, then the decimal digits up to the first
// other character ("12ab" is 12, "abc" is 0), saturated to the 32-bit signed range and
// returned as its 32-bit pattern (cast to int32_t for negative values). A missing key, or a
// value that is empty after trimming, gives def.
UINT GetPrivateProfileInt(const char* section, const char* key, int def, const char* file);

// Copies the section's entries as "key=value" texts (names and values trimmed, quotes kept),
// each ended by a NUL, with one more NUL after the last, and returns the number of bytes
// copied without that final NUL. When they do not fit, the copy is cut at size - 2 bytes,
// two NULs end the buffer and size - 2 is returned. An absent section gives two NULs and 0.
DWORD GetPrivateProfileSection(const char* section, char* buffer, DWORD size,
                               const char* file);

// Writes key=value into the section, creating the file, the section (at the end of the file)
// and the key (after the section's last entry) as needed; an existing key keeps its place
// and spelling. A null value deletes the key (every line of it in that section), a null key
// the whole section (header and lines up to the next header). All three null: nothing to do
// (there is no cache to flush), TRUE.
// FALSE without touching the file: null section with a key; a section name with "]", CR or
// LF; a key that is empty after trimming, contains "=", CR or LF, or begins with "[" or ";";
// a value with CR or LF (each would change the meaning of the file); or any I/O failure.
BOOL WritePrivateProfileString(const char* section, const char* key, const char* value,
                               const char* file);
