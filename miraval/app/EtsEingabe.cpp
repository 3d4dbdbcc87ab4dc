#include "miraval/app/EtsEingabe.h"

#include "miraval/app/Main.h"
#include "miraval/dienste/DaMo.h"
#include "miraval/ui/Geschuetzt.h"
#include "win32/qt/QtPlatform.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QPixmap>
#include <QScopedValueRollback>
#include <QSocketNotifier>
#include <QThread>
#include <QTimer>
#include <QWidget>

#include <cerrno>
#include <iostream>
#include <system_error>
#include <unistd.h>

namespace {

// How long kept lines wait before the editor is asked again whether a window still holds it.
constexpr int kWartenMs = 50;

// The host's stop event, as it stands on a line.
constexpr const char* kStoppZeile = "UserSvStop";

std::string OhneCr(std::string zeile)
{
    if (!zeile.empty() && zeile.back() == '\r')
        zeile.pop_back();
    return zeile;
}

} // namespace

TEtsEingabe::TEtsEingabe(TEtsEventChannel& channel, TFormMain& main, int fd) : TEtsEingabe(channel, main, fd, std::cout)
{
}

TEtsEingabe::TEtsEingabe(TEtsEventChannel& channel, TFormMain& main, int fd, std::ostream& aus)
    : m_channel(channel), m_main(main), m_fd(fd), m_aus(aus)
{
    m_main.installEventFilter(this);
    m_warten = new QTimer(this);
    m_warten->setSingleShot(true);
    m_warten->setInterval(kWartenMs);
    connect(m_warten, &QTimer::timeout, this, [this] { Geschuetzt([this] { Abarbeiten(); }); });
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
    // The loop that runs now is the program's own: a deeper one is a window's.
    m_grundEbene = QThread::currentThread()->loopLevel();
    m_begonnen = true;
    m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] { Geschuetzt([this] { Lesen(); }); });
    Geschuetzt([this] { Abarbeiten(); });
}

void TEtsEingabe::Lesen()
{
    char puffer[4096];
    const ssize_t n = ::read(m_fd, puffer, sizeof puffer);
    if (n < 0 && (errno == EINTR || errno == EAGAIN))
        return;
    if (n > 0) {
        // Read also while a window holds the editor: the lines are only kept.
        m_puffer.append(puffer, static_cast<std::size_t>(n));
    } else {
        // A last line without its line feed still counts.
        if (!m_puffer.empty() && m_puffer.back() != '\n')
            m_puffer.push_back('\n');
        m_eingabeZuEnde = true;
        m_notifier->setEnabled(false);
    }
    Abarbeiten();
}

bool TEtsEingabe::Gehalten() const
{
    // An open menu (the menu bar's, a context menu) runs no loop of its own, and a line's
    // window or activation would close it under the person's keys.
    return QApplication::activeModalWidget() != nullptr || QApplication::activePopupWidget() != nullptr ||
           QThread::currentThread()->loopLevel() > m_grundEbene || IsInShortPump();
}

bool TEtsEingabe::Wartet() const
{
    return m_warten->isActive();
}

void TEtsEingabe::Abarbeiten()
{
    // A line's handler runs: the loop below takes the rest once it has returned.
    if (!m_begonnen || m_laeuft || m_gestoppt)
        return;
    const QScopedValueRollback lauf(m_laeuft, true);
    while (!m_gestoppt && ZeilenOffen()) {
        if (Gehalten()) {
            // A return to ETS under an open window is refused, not kept for later.
            std::string zeile;
            if (m_queuedLeer && OhneCr(m_puffer.substr(0, m_puffer.find('\n'))) == kZurueckZeile &&
                NaechsteZeile(zeile)) {
                m_aus << "error: a modal window is open: " << kZurueckZeile << std::endl;
                continue;
            }
            m_warten->start();
            return;
        }
        std::string zeile;
        if (!NaechsteZeile(zeile))
            break;
        Zeile(zeile);
    }
    EndeWennFertig();
}

bool TEtsEingabe::ZeilenOffen() const
{
    return !m_queuedLeer || m_puffer.find('\n') != std::string::npos;
}

bool TEtsEingabe::NaechsteZeile(std::string& zeile)
{
    if (!m_queuedLeer) {
        if (m_channel.NextQueued(zeile))
            return true;
        m_queuedLeer = true;
    }
    const std::size_t ende = m_puffer.find('\n');
    if (ende == std::string::npos)
        return false;
    zeile = m_puffer.substr(0, ende);
    m_puffer.erase(0, ende + 1);
    return true;
}

void TEtsEingabe::Zeile(const std::string& zeile)
{
    if (OhneCr(zeile) == kZurueckZeile) {
        Zurueck(kZurueckZeile);
        return;
    }
    // ETS opens another device while one is being edited: refused with the reason, the edit
    // as it is.
    if (const std::string grund = m_main.GetBearbeitung().VerweigertZeile(OhneCr(zeile)); !grund.empty()) {
        m_aus << "error: " << grund << ": " << OhneCr(zeile) << std::endl;
        return;
    }
    const TEtsEventChannel::TLineResult ergebnis = m_channel.HandleLine(zeile);
    if (ergebnis == TEtsEventChannel::TLineResult::Answered)
        Screenshots(zeile);
    if (ergebnis == TEtsEventChannel::TLineResult::Stop) {
        m_gestoppt = true;
        m_warten->stop();
        if (m_notifier != nullptr)
            m_notifier->setEnabled(false);
    }
}

void TEtsEingabe::Zurueck(const std::string& zeile)
{
    if (!m_main.IsGeraetOffen()) {
        m_aus << "error: no device is open: " << zeile << std::endl;
        return;
    }
    // The installer's Ctrl+Q: the close checks ask their questions, then the return to ETS
    // answers on its own line. A question answered "Nein" keeps the device open, and the host
    // is told so, or it could not tell that from a hang.
    DM->ABeenden->trigger();
    if (m_main.IsGeraetOffen())
        m_aus << kZurueckZeile << " cancelled" << std::endl;
}

void TEtsEingabe::EndeWennFertig()
{
    if (!m_eingabeZuEnde || m_gestoppt || ZeilenOffen() || m_main.IsClosing())
        return;
    // The host is gone. A hidden window edits nothing; without a display nobody can return
    // the edit, so it ends as ETS's stop ends it, with its safety copy. A person at a window
    // on a display may still return: the program ends when the window hides.
    if (!m_main.isVisible())
        m_main.Close();
    else if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        Stoppen();
}

void TEtsEingabe::Stoppen()
{
    if (m_gestoppt || m_main.IsClosing())
        return;
    // As the host's own stop line: only from a turn of the program's own loop. A modal window
    // may stay up for long, and a shutdown does not wait: the edit's safety copy is written at
    // once from the window's loop (never from a long run's short pauses), and the stop
    // follows once the window has closed.
    if (!m_begonnen || m_laeuft || Gehalten()) {
        if (!m_gesichert && QApplication::activeModalWidget() != nullptr && !IsInShortPump())
            m_gesichert = m_main.GetBearbeitung().Sichern();
        QTimer::singleShot(kWartenMs, this, [this] { Geschuetzt([this] { Stoppen(); }); });
        return;
    }
    const QScopedValueRollback lauf(m_laeuft, true);
    Zeile(kStoppZeile);
}

bool TEtsEingabe::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &m_main && event->type() == QEvent::Hide && m_eingabeZuEnde && !m_main.IsClosing())
        QTimer::singleShot(0, this, [this] {
            if (!m_laeuft)
                EndeWennFertig();
        });
    return QObject::eventFilter(watched, event);
}

void TEtsEingabe::Screenshots(const std::string& anlass)
{
    if (m_screenshots.empty())
        return;
    std::error_code fehler;
    std::filesystem::create_directories(m_screenshots, fehler);
    // Let the windows lay themselves out and paint before they are taken.
    ProcessEventsShort(QEventLoop::ExcludeUserInputEvents | QEventLoop::ExcludeSocketNotifiers);
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
