#include "win32/qt/HelpWindow.h"

#include "win32/MessageBox.h"
#include "win32/Shell.h"
#include "win32/qt/QtPlatform.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>
#include <QVBoxLayout>

namespace {

class THelpWindow : public QWidget {
public:
    explicit THelpWindow(QWidget* parent) : QWidget(parent, Qt::Window)
    {
        setObjectName(QStringLiteral("HilfeFenster"));
        setAttribute(Qt::WA_DeleteOnClose);
        setWindowTitle(QStringLiteral("Hilfe"));
        m_browser = new QTextBrowser(this);
        auto* inhalt = new QPushButton(QStringLiteral("&Inhalt"), this);
        auto* zurueck = new QPushButton(QStringLiteral("&Zurück"), this);
        zurueck->setEnabled(false);
        connect(inhalt, &QPushButton::clicked, this, [this] { ZeigeInhalt(); });
        connect(zurueck, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
        connect(m_browser, &QTextBrowser::backwardAvailable, zurueck, &QPushButton::setEnabled);
        auto* knoepfe = new QHBoxLayout;
        knoepfe->addWidget(inhalt);
        knoepfe->addWidget(zurueck);
        knoepfe->addStretch();
        auto* layout = new QVBoxLayout(this);
        layout->addLayout(knoepfe);
        layout->addWidget(m_browser);
        resize(640, 520);
    }

    QTextBrowser* Browser() const { return m_browser; }

    // Loads the file when it is not the one shown; the fragment names the topic, none the top.
    void Zeige(const QUrl& datei, const QString& thema)
    {
        if (m_browser->source().adjusted(QUrl::RemoveFragment) != datei)
            m_browser->setSource(datei, QTextDocument::HtmlResource);
        QUrl ziel = datei;
        if (!thema.isEmpty())
            ziel.setFragment(thema);
        m_browser->setSource(ziel, QTextDocument::HtmlResource);
        if (thema.isEmpty())
            m_browser->verticalScrollBar()->setValue(0);
    }

private:
    void ZeigeInhalt() { Zeige(m_browser->source().adjusted(QUrl::RemoveFragment), {}); }

    QTextBrowser* m_browser = nullptr;
};

QPointer<THelpWindow>& helpWindow()
{
    static QPointer<THelpWindow> window;
    return window;
}

bool hasAnchor(const QTextDocument& document, const QString& name)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().anchorNames().contains(name))
                return true;
    return false;
}

bool tellUser(HWND owner, const std::string& text)
{
    MessageBox(owner, text, "Hilfe", MB_OK | MB_ICONINFORMATION);
    return false;
}

} // namespace

bool ShowHelpWindow(HWND owner, const std::string& helpFile, UINT command, std::uintptr_t data)
{
    if (command == HELP_QUIT) {
        if (helpWindow())
            helpWindow()->close();
        return true;
    }
    if (command != HELP_FINDER && command != HELP_CONTEXT)
        return tellUser(owner, "Die Hilfe kennt den Befehl " + std::to_string(command) + " nicht.");
    const QString pfad = QString::fromStdString(helpFile);
    QFile datei(pfad);
    if (!datei.open(QIODevice::ReadOnly))
        return tellUser(owner, "Die Hilfedatei \"" + helpFile + "\" konnte nicht geöffnet werden.");
    const QString thema = command == HELP_CONTEXT ? QString::number(data) : QString();
    if (!thema.isEmpty()) {
        QTextDocument dokument;
        dokument.setHtml(QString::fromUtf8(datei.readAll()));
        if (!hasAnchor(dokument, thema))
            return tellUser(owner, "Das Hilfethema " + thema.toStdString() + " ist in der Hilfedatei \"" +
                                       helpFile + "\" nicht enthalten.");
    }

    QWidget* parent = QApplication::activeModalWidget();
    if (parent == nullptr)
        parent = DialogParent(owner);
    QPointer<THelpWindow>& window = helpWindow();
    if (window && window->parentWidget() != parent)
        delete window.data();
    if (!window)
        window = new THelpWindow(parent);
    window->Zeige(QUrl::fromLocalFile(QFileInfo(pfad).absoluteFilePath()), thema);
    window->show();
    window->raise();
    window->activateWindow();
    return true;
}

QTextBrowser* HelpBrowser()
{
    return helpWindow() ? helpWindow()->Browser() : nullptr;
}
