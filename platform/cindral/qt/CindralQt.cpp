#include "cindral/qt/CindralQt.h"

#include "cindral/Cindral.h"
#include "win32/qt/QtPlatform.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPointer>

namespace {

void showDetailBox(HWND owner, const std::string& text, const std::string& anwendung, const std::string& details,
                   const std::string& unit, int zeile, const std::string& funktion, UINT icon)
{
    QMessageBox box(DialogParent(owner));
    box.setWindowTitle(DisplayText(anwendung));
    box.setTextFormat(Qt::PlainText);
    box.setText(DisplayText(text));
    box.setIcon(MessageBoxIcon(icon));
    box.setDetailedText(DetailText(details, unit, zeile, funktion, QDateTime::currentDateTime()));
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

// Child of the application: puts the previous hook back when the application goes.
class TCindralQt : public QObject {
public:
    explicit TCindralQt(QObject* application) : QObject(application)
    {
        m_previous = SetDetailMessageBoxHook(showDetailBox);
    }
    ~TCindralQt() override { SetDetailMessageBoxHook(std::move(m_previous)); }

private:
    TDetailMessageBoxHook m_previous;
};

QPointer<TCindralQt>& installed()
{
    static QPointer<TCindralQt> instance;
    return instance;
}

} // namespace

void InstallCindralQt()
{
    auto* application = QCoreApplication::instance();
    if (!application || installed())
        return;
    installed() = new TCindralQt(application);
}

QString DetailText(const std::string& details, const std::string& unit, int zeile,
                   const std::string& funktion, const QDateTime& shown)
{
    QString text = DisplayText(details);
    if (!text.isEmpty() && !text.endsWith(QLatin1Char('\n')))
        text += QLatin1Char('\n');
    if (!text.isEmpty())
        text += QLatin1Char('\n');
    text += QStringLiteral("Datei: ") + DisplayText(unit) + QLatin1Char('\n');
    text += QStringLiteral("Zeile: ") + QString::number(zeile) + QLatin1Char('\n');
    text += QStringLiteral("Funktion: ") + DisplayText(funktion) + QLatin1Char('\n');
    text += QStringLiteral("Datum: ") + shown.toString(QStringLiteral("dd.MM.yyyy")) + QLatin1Char('\n');
    text += QStringLiteral("Uhrzeit: ") + shown.toString(QStringLiteral("HH:mm:ss"));
    return text;
}
