#include "miraval/app/EtsEingabe.h"

#include "miraval/app/Main.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QKeySequence>
#include <QMenu>
#include <QPixmap>
#include <QSocketNotifier>
#include <QTimer>
#include <QWidget>

#include <cerrno>
#include <iostream>
#include <string_view>
#include <system_error>
#include <unistd.h>

TEtsEingabe::TEtsEingabe(TEtsEventChannel& channel, TFormMain& main, int fd)
    : m_channel(channel), m_main(main), m_fd(fd)
{
    m_main.installEventFilter(this);
}

TEtsEingabe::~TEtsEingabe()
{
    m_main.removeEventFilter(this);
}

void TEtsEingabe::Start()
{
    QTimer::singleShot(0, this, [this] { Beginnen(); });
}

void TEtsEingabe::Beginnen()
{
    // ETS raises its first event once the program is up: the start-up hides the window first.
    if (m_main.IsStartupPending()) {
        QTimer::singleShot(5, this, [this] { Beginnen(); });
        return;
    }
    try {
        while (!m_gestoppt) {
            // One queued line at a time, each answered before the next.
            std::string zeile;
            if (!m_channel.NextQueued(zeile))
                break;
            Zeile(zeile);
        }
    } catch (const std::exception& e) {
        TFormMain::ApplicationEventsException(e.what());
        return;
    }
    if (m_gestoppt)
        return;
    m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        try {
            Lesen();
        } catch (const std::exception& e) {
            TFormMain::ApplicationEventsException(e.what());
        }
    });
}

void TEtsEingabe::Lesen()
{
    char puffer[4096];
    const ssize_t n = ::read(m_fd, puffer, sizeof puffer);
    if (n < 0 && (errno == EINTR || errno == EAGAIN))
        return;
    if (n <= 0) {
        Ende();
        return;
    }
    m_puffer.append(puffer, static_cast<std::size_t>(n));
    // Handling a line may open dialogs with their own loops: no reading meanwhile.
    m_notifier->setEnabled(false);
    std::size_t ende;
    while (!m_gestoppt && (ende = m_puffer.find('\n')) != std::string::npos) {
        const std::string zeile = m_puffer.substr(0, ende);
        m_puffer.erase(0, ende + 1);
        Zeile(zeile);
    }
    if (!m_gestoppt)
        m_notifier->setEnabled(true);
}

void TEtsEingabe::Zeile(const std::string& zeile)
{
    if (zeile.rfind(kTastenZeile, 0) == 0) {
        Taste(zeile);
        return;
    }
    const TEtsEventChannel::TLineResult ergebnis = m_channel.HandleLine(zeile);
    if (ergebnis == TEtsEventChannel::TLineResult::Answered)
        Screenshots(zeile);
    if (ergebnis == TEtsEventChannel::TLineResult::Stop) {
        m_gestoppt = true;
        if (m_notifier != nullptr)
            m_notifier->setEnabled(false);
    }
}

void TEtsEingabe::Taste(const std::string& zeile)
{
    std::string folge = zeile.substr(std::string_view(kTastenZeile).size());
    if (!folge.empty() && folge.back() == '\r')
        folge.pop_back();
    const QKeySequence taste = QKeySequence::fromString(QString::fromStdString(folge), QKeySequence::PortableText);
    if (!taste.isEmpty())
        for (const QMenu* menu : m_main.findChildren<QMenu*>())
            for (QAction* eintrag : menu->actions())
                if (eintrag->shortcut() == taste && eintrag->isEnabled()) {
                    eintrag->trigger();
                    return;
                }
    std::cout << "error: no enabled menu entry has the key " << folge << ": " << zeile << std::endl;
}

void TEtsEingabe::Ende()
{
    // A last line without its line feed still counts.
    if (!m_puffer.empty()) {
        const std::string rest = std::move(m_puffer);
        m_puffer.clear();
        Zeile(rest);
    }
    m_eingabeZuEnde = true;
    if (m_notifier != nullptr)
        m_notifier->setEnabled(false);
    if (!m_gestoppt && !m_main.isVisible())
        m_main.Close();
}

bool TEtsEingabe::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &m_main && event->type() == QEvent::Hide && m_eingabeZuEnde && !m_main.IsClosing())
        QTimer::singleShot(0, &m_main, [this] { m_main.Close(); });
    return QObject::eventFilter(watched, event);
}

void TEtsEingabe::Screenshots(const std::string& anlass)
{
    if (m_screenshots.empty())
        return;
    std::error_code fehler;
    std::filesystem::create_directories(m_screenshots, fehler);
    // Let the windows lay themselves out and paint before they are taken.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::ExcludeSocketNotifiers);
    const std::string ereignis = anlass.substr(0, anlass.find(' '));
    for (QWidget* fenster : QApplication::topLevelWidgets()) {
        if (!fenster->isVisible())
            continue;
        const QPixmap bild = fenster->grab();
        std::string name = fenster->objectName().toStdString();
        if (name.empty())
            name = fenster->metaObject()->className();
        const std::filesystem::path datei =
            m_screenshots / (std::to_string(++m_nummer) + "-" + ereignis + "-" + name + ".png");
        if (bild.save(QString::fromStdString(datei.string()), "PNG")) {
            m_geschrieben.push_back(datei);
            std::cerr << "Bildschirmfoto: " << datei.string() << '\n';
        }
    }
}
