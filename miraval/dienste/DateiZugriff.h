#pragma once
// File access of the main window's commands (safety copy, templates, the device export of
// ETS): a whole file read into memory, a whole file written atomically (into a temporary file
// beside it, then renamed over it, so that a crash or a full disk never destroys the file that
// was there), the folder chain made on the way, the modification-time text and the file
// dialogs' filter. Expected failures answer false with the reason (UTF-8); nothing throws.

#include <QStringList>

class QFileDialog;

#include <string>

namespace DateiZugriff {

// bytes := the file's content. False, bytes empty, with the reason when it cannot be read.
[[nodiscard]] bool Lesen(const std::string& datei, std::string& bytes, std::string& fehler);

// Makes the folder that will hold the file, with every missing level. True when it exists
// afterwards.
[[nodiscard]] bool OrdnerAnlegen(const std::string& datei, std::string& fehler);

// Replaces the file by the bytes, atomically; its folder must exist. False with the reason
// when the bytes could not be stored: the file is then as it was.
[[nodiscard]] bool SchreibenAtomar(const std::string& datei, const std::string& bytes, std::string& fehler);

// The file's last modification time as " mmmm d, yyyy , hh:mm" (full month name in the
// language of the program's texts, whatever the system's; 24-hour clock), e.g.
// " Mai 24, 2026 , 14:35". Empty when the file is missing.
std::string AenderungsZeit(const std::string& datei);

// A dialog filter "Name (*.x) |*.x| ..." (description, pattern, ...) as Qt's name filters:
// each description trimmed, with its pattern added in parentheses unless it shows it already.
QStringList NamensFilter(const std::string& filter);

// Runs the prepared dialog modally: true when a file was chosen. Without a display (Qt's
// offscreen platform) nobody can answer: the dialog is not shown, its title goes to standard
// error, and it counts as cancelled.
bool DialogAusfuehren(QFileDialog& dialog);

// The first file chosen in the dialog; empty when none.
std::string GewaehlteDatei(const QFileDialog& dialog);

} // namespace DateiZugriff
