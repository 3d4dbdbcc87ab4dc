#pragma once
// Shows the detail error box with Qt.

#include <QDateTime>
#include <QString>

#include <string>

// Points the detail-box hook at a Qt message box: icon by the MessageBox flags, the heading
// as its title, the message as its text, and an expandable detail area with the details,
// file, line, function, date and time. Call once after the QApplication exists.
void InstallCindralQt();

// The text of the detail area, as the box shows it (shown is the moment of showing).
QString DetailText(const std::string& details, const std::string& unit, int zeile,
                   const std::string& funktion, const QDateTime& shown);
