#include "miraval/ui/RtfAnzeige.h"

#include "miraval/ui/RtfReader.h"

#include <QFont>
#include <QStringList>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextEdit>

void ZeigeRtfDokument(QTextEdit& edit, const TRtfDokument& dokument)
{
    edit.clear();
    QTextCursor cursor(edit.document());
    for (const TRtfLauf& lauf : dokument.Laeufe()) {
        QTextCharFormat format;
        format.setFontWeight(lauf.Format.Fett ? QFont::Bold : QFont::Normal);
        format.setFontItalic(lauf.Format.Kursiv);
        format.setFontUnderline(lauf.Format.Unterstrichen);
        if (lauf.Format.Groesse > 0)
            format.setFontPointSize(lauf.Format.Groesse / 2.0);
        const QStringList absaetze = QString::fromStdString(lauf.Text).split(QStringLiteral("\r\n"));
        for (qsizetype i = 0; i < absaetze.size(); ++i) {
            if (i > 0)
                cursor.insertBlock();
            QString teil = absaetze[i];
            teil.replace(QLatin1Char('\n'), QChar::LineSeparator);
            cursor.insertText(teil, format);
        }
    }
    edit.moveCursor(QTextCursor::Start);
}
