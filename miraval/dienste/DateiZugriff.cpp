#include "miraval/dienste/DateiZugriff.h"

#include "miraval/dienste/Spredit.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocale>
#include <QSaveFile>

#include <iostream>

namespace {

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

} // namespace

namespace DateiZugriff {

bool Lesen(const std::string& datei, std::string& bytes, std::string& fehler)
{
    bytes.clear();
    QFile file(Q(datei));
    if (!file.open(QIODevice::ReadOnly)) {
        fehler = file.errorString().toStdString();
        return false;
    }
    const QByteArray inhalt = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        fehler = file.errorString().toStdString();
        return false;
    }
    bytes.assign(inhalt.constData(), static_cast<std::size_t>(inhalt.size()));
    return true;
}

bool OrdnerAnlegen(const std::string& datei, std::string& fehler)
{
    const QString ordner = QFileInfo(Q(datei)).absolutePath();
    if (QDir().mkpath(ordner) && QFileInfo(ordner).isDir())
        return true;
    fehler = "Der Ordner kann nicht angelegt werden: " + ordner.toStdString();
    return false;
}

bool SchreibenAtomar(const std::string& datei, const std::string& bytes, std::string& fehler)
{
    QSaveFile file(Q(datei));
    const auto laenge = static_cast<qint64>(bytes.size());
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes.data(), laenge) != laenge || !file.commit()) {
        fehler = file.errorString().toStdString();
        file.cancelWriting();
        return false;
    }
    return true;
}

std::string AenderungsZeit(const std::string& datei)
{
    const QFileInfo info(Q(datei));
    if (!info.exists())
        return {};
    return QLocale(QLatin1String(Spredit::kSprache))
        .toString(info.lastModified(), QStringLiteral(" MMMM d, yyyy , HH:mm"))
        .toStdString();
}

QStringList NamensFilter(const std::string& filter)
{
    const QStringList teile = Q(filter).split('|');
    QStringList filter2;
    for (qsizetype i = 0; i + 1 < teile.size(); i += 2) {
        const QString beschreibung = teile[i].trimmed();
        const QString muster = teile[i + 1].trimmed();
        filter2 << (beschreibung.contains("(" + muster + ")") ? beschreibung : beschreibung + " (" + muster + ")");
    }
    return filter2;
}

bool DialogAusfuehren(QFileDialog& dialog)
{
    if (QGuiApplication::platformName() == QLatin1String("offscreen")) {
        std::cerr << "file dialog \"" << dialog.windowTitle().toStdString() << "\": no display, cancelled\n";
        return false;
    }
    return dialog.exec() == QDialog::Accepted;
}

std::string GewaehlteDatei(const QFileDialog& dialog)
{
    const QStringList dateien = dialog.selectedFiles();
    return dateien.isEmpty() ? std::string() : dateien.front().toStdString();
}

} // namespace DateiZugriff
