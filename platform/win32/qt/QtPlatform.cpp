#include "win32/qt/QtPlatform.h"

#include "win32/Cursor.h"
#include "win32/MessageBox.h"
#include "win32/Shell.h"
#include "win32/qt/AccentRows.h"
#include "win32/qt/HelpWindow.h"
#include "win32/qt/DialogPlace.h"

#include <QApplication>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QMetaObject>
#include <QPointer>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QTranslator>
#include <QWidget>

#include <atomic>
#include <cstdio>
#include <exception>
#include <map>
#include <vector>

namespace {

std::map<HWND, QPointer<QWidget>>& windowWidgets()
{
    static std::map<HWND, QPointer<QWidget>> widgets;
    return widgets;
}

struct TBoxButton {
    QMessageBox::StandardButton button;
    int answer;
};

// The buttons of a button set, in the order Windows numbers them for MB_DEFBUTTONn.
std::vector<TBoxButton> boxButtons(UINT flags)
{
    switch (flags & MB_TYPEMASK) {
    case MB_OKCANCEL:
        return {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}};
    case MB_ABORTRETRYIGNORE:
        return {{QMessageBox::Abort, IDABORT}, {QMessageBox::Retry, IDRETRY}, {QMessageBox::Ignore, IDIGNORE}};
    case MB_YESNOCANCEL:
        return {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}};
    case MB_YESNO:
        return {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}};
    case MB_RETRYCANCEL:
        return {{QMessageBox::Retry, IDRETRY}, {QMessageBox::Cancel, IDCANCEL}};
    default:
        return {{QMessageBox::Ok, IDOK}};
    }
}

// What Escape and closing the box answer: Cancel where the set has one, else No, else OK;
// Abort/Retry/Ignore has none of them and aborts.
std::size_t escapeIndex(const std::vector<TBoxButton>& buttons)
{
    for (int answer : {IDCANCEL, IDNO, IDOK})
        for (std::size_t i = 0; i < buttons.size(); ++i)
            if (buttons[i].answer == answer)
                return i;
    return 0;
}

int showMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT flags)
{
    QMessageBox box(DialogParent(owner));
    box.setWindowTitle(DisplayText(caption));
    box.setTextFormat(Qt::PlainText);
    box.setText(DisplayText(text));
    box.setIcon(MessageBoxIcon(flags));
    const auto buttons = boxButtons(flags);
    std::vector<QPushButton*> made;
    for (const auto& b : buttons)
        made.push_back(box.addButton(b.button));
    std::size_t defaultIndex = (flags & MB_DEFMASK) >> 8;
    if (defaultIndex >= made.size())
        defaultIndex = 0;
    box.setDefaultButton(made[defaultIndex]);
    const std::size_t escape = escapeIndex(buttons);
    box.setEscapeButton(made[escape]);
    box.exec();
    for (std::size_t i = 0; i < made.size(); ++i)
        if (box.clickedButton() == made[i])
            return buttons[i].answer;
    return buttons[escape].answer;
}

bool showInputBox(HWND owner, const std::string& caption, const std::string& prompt, std::string& value)
{
    QInputDialog dialog(DialogParent(owner));
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setWindowTitle(DisplayText(caption));
    dialog.setLabelText(DisplayText(prompt));
    dialog.setTextValue(QString::fromStdString(value));
    const bool confirmed = dialog.exec() == QDialog::Accepted;
    value = dialog.textValue().toStdString();
    return confirmed;
}

// Lives as a child of the application: installs the hooks on creation and puts the previous
// ones back when the application goes, so no hook outlives Qt.
class TQtPlatform : public QObject {
public:
    explicit TQtPlatform(QObject* application) : QObject(application)
    {
        m_messageBox = SetMessageBoxHook(showMessageBox);
        m_inputBox = SetInputBoxHook(showInputBox);
        m_help = SetWinHelpHook(ShowHelpWindow);
        m_cursor = SetCursorHook([this](int cursor) { ShowCursor(cursor); });
        SetPostNotifier([this] { ScheduleDrain(); });
        InstallDialogShowFilter(*this);
        RowsTallEnoughForAccents();
        if (PendingMessageCount() > 0)
            ScheduleDrain();
    }

    ~TQtPlatform() override
    {
        SetPostNotifier({});
        SetMessageBoxHook(std::move(m_messageBox));
        SetInputBoxHook(std::move(m_inputBox));
        SetWinHelpHook(std::move(m_help));
        SetCursorHook(std::move(m_cursor));
    }

    // Any thread: one queued drain at a time, however many posts come before it runs.
    void ScheduleDrain()
    {
        if (m_drainScheduled.exchange(true))
            return;
        QMetaObject::invokeMethod(this, [this] { Drain(); }, Qt::QueuedConnection);
    }

    void SuspendDrain() { ++m_suspended; }
    void ResumeDrain()
    {
        if (--m_suspended == 0 && m_drainDeferred) {
            m_drainDeferred = false;
            ScheduleDrain();
        }
    }

private:
    void Drain()
    {
        m_drainScheduled = false;
        if (m_suspended > 0) {
            m_drainDeferred = true;
            return;
        }
        // Window procedures catch their own failures; this is the last guard before the
        // event loop, which must never see an exception.
        try {
            PumpMessages();
            return;
        } catch (const std::exception& e) {
            std::fprintf(stderr, "Fehler in einer Fensterprozedur: %s\n", e.what());
        } catch (...) {
            std::fprintf(stderr, "Unbekannter Fehler in einer Fensterprozedur\n");
        }
        if (PendingMessageCount() > 0)
            ScheduleDrain();
    }

    void ShowCursor(int cursor)
    {
        if (cursor == crHourGlass && !m_overrideCursor) {
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
            m_overrideCursor = true;
        } else if (cursor != crHourGlass && m_overrideCursor) {
            QGuiApplication::restoreOverrideCursor();
            m_overrideCursor = false;
        }
    }

    TMessageBoxHook m_messageBox;
    TInputBoxHook m_inputBox;
    TWinHelpHook m_help;
    TCursorHook m_cursor;
    std::atomic<bool> m_drainScheduled{false};
    int m_suspended = 0;
    bool m_drainDeferred = false;
    bool m_overrideCursor = false;
};

QPointer<TQtPlatform>& platform()
{
    static QPointer<TQtPlatform> instance;
    return instance;
}

} // namespace

void InstallQtPlatformHooks()
{
    auto* application = QCoreApplication::instance();
    if (!application || platform())
        return;
    platform() = new TQtPlatform(application);
}

bool LoadQtTranslations(QCoreApplication& app)
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    auto* translator = new QTranslator(&app);
    if (!translator->load(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    return true;
}

void SetWindowWidget(HWND window, QWidget* widget)
{
    if (widget)
        windowWidgets()[window] = widget;
    else
        windowWidgets().erase(window);
}

QWidget* WindowWidget(HWND window)
{
    auto& widgets = windowWidgets();
    auto it = widgets.find(window);
    if (it == widgets.end())
        return nullptr;
    if (!it->second) {
        widgets.erase(it);
        return nullptr;
    }
    return it->second.data();
}

void ProcessPendingPaints()
{
    QPointer<TQtPlatform> drain = platform();
    if (drain)
        drain->SuspendDrain();
    ProcessEventsShort(QEventLoop::ExcludeUserInputEvents | QEventLoop::ExcludeSocketNotifiers);
    if (drain)
        drain->ResumeDrain();
}

namespace {
int g_kurzePumpe = 0;
} // namespace

void ProcessEventsShort(QEventLoop::ProcessEventsFlags flags)
{
    const QScopedValueRollback pumpe(g_kurzePumpe, g_kurzePumpe + 1);
    QCoreApplication::processEvents(flags);
}

bool IsInShortPump()
{
    return g_kurzePumpe > 0;
}

QString DisplayText(const std::string& text)
{
    std::string shown;
    shown.reserve(text.size());
    for (char c : text)
        if (c != '\r')
            shown += c;
    return QString::fromStdString(shown);
}

QWidget* DialogParent(HWND owner)
{
    if (QWidget* widget = WindowWidget(owner))
        return widget;
    return QApplication::activeWindow();
}

QMessageBox::Icon MessageBoxIcon(UINT flags)
{
    switch (flags & MB_ICONMASK) {
    case MB_ICONERROR:
        return QMessageBox::Critical;
    case MB_ICONQUESTION:
        return QMessageBox::Question;
    case MB_ICONWARNING:
        return QMessageBox::Warning;
    case MB_ICONINFORMATION:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}
