#include "tests/support/qt/QtTestUmgebung.h"
#include "win32/MessageBox.h"
#include "win32/Shell.h"
#include "win32/Windows.h"
#include "win32/qt/HelpWindow.h"
#include "win32/qt/QtPlatform.h"
#include "win32/qt/TitleWidth.h"

#include <QAbstractProxyModel>
#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QInputDialog>
#include <QKeyEvent>
#include <QListWidget>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>
#include <QTimer>
#include <QTranslator>
#include <QTreeWidget>
#include <QWidget>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

void EnsureApplication()
{
    static int argc = 1;
    static char name[] = "test_win32_qt";
    static char* argv[] = {name, nullptr};
    static QApplication* app = nullptr; // lives until the process ends
    if (!app) {
        QtTestUmgebung();
        app = new QApplication(argc, argv);
        InstallQtPlatformHooks();
    }
}

// Runs act on the first visible top-level widget of type T, from the dialog's own event loop.
template <typename T>
std::unique_ptr<QTimer> WhenShown(std::function<void(T*)> act)
{
    auto timer = std::make_unique<QTimer>();
    timer->setInterval(0);
    QTimer* raw = timer.get();
    QObject::connect(raw, &QTimer::timeout, [raw, act] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* dialog = qobject_cast<T*>(widget); dialog && dialog->isVisible()) {
                raw->stop();
                act(dialog);
                return;
            }
        }
    });
    timer->start();
    return timer;
}

void PressKey(QWidget* widget, int key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &press);
}

TEST(QtMessageBox, ButtonsIconDefaultAndAnswersFollowTheWindowsFlags)
{
    EnsureApplication();
    enum Action { Return, Escape, Click };
    using SB = QMessageBox::StandardButton;
    struct Row {
        const char* name;
        UINT flags;
        QMessageBox::StandardButtons buttons;
        SB defaultButton;
        QMessageBox::Icon icon;
        Action action;
        SB clicked;
        int answer;
    };
    const Row rows[] = {
        {"ok", MB_OK, SB::Ok, SB::Ok, QMessageBox::NoIcon, Escape, SB::NoButton, IDOK},
        {"ok/cancel", MB_OKCANCEL | MB_ICONQUESTION, SB::Ok | SB::Cancel, SB::Ok, QMessageBox::Question, Return,
         SB::NoButton, IDOK},
        {"ok/cancel default 2", MB_OKCANCEL | MB_DEFBUTTON2, SB::Ok | SB::Cancel, SB::Cancel, QMessageBox::NoIcon,
         Return, SB::NoButton, IDCANCEL},
        {"yes/no default 2", MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2, SB::Yes | SB::No, SB::No,
         QMessageBox::Warning, Return, SB::NoButton, IDNO},
        {"yes/no escape", MB_YESNO | MB_ICONQUESTION, SB::Yes | SB::No, SB::Yes, QMessageBox::Question, Escape,
         SB::NoButton, IDNO},
        {"yes/no/cancel escape", MB_YESNOCANCEL | MB_ICONINFORMATION, SB::Yes | SB::No | SB::Cancel, SB::Yes,
         QMessageBox::Information, Escape, SB::NoButton, IDCANCEL},
        {"yes/no/cancel click", MB_YESNOCANCEL, SB::Yes | SB::No | SB::Cancel, SB::Yes, QMessageBox::NoIcon, Click,
         SB::No, IDNO},
        {"retry/cancel", MB_RETRYCANCEL | MB_ICONERROR, SB::Retry | SB::Cancel, SB::Retry, QMessageBox::Critical,
         Click, SB::Retry, IDRETRY},
        {"abort/retry/ignore", MB_ABORTRETRYIGNORE | MB_DEFBUTTON3, SB::Abort | SB::Retry | SB::Ignore, SB::Ignore,
         QMessageBox::NoIcon, Escape, SB::NoButton, IDABORT},
    };
    QWidget owner;
    HWND handle = CreateWindowHandle({});
    SetWindowWidget(handle, &owner);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        QMessageBox::StandardButtons buttons;
        SB defaultButton = SB::NoButton;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QString text, caption;
        QWidget* parent = nullptr;
        auto timer = WhenShown<QMessageBox>([&](QMessageBox* box) {
            buttons = box->standardButtons();
            defaultButton = box->standardButton(box->defaultButton());
            icon = box->icon();
            text = box->text();
            caption = box->windowTitle();
            parent = box->parentWidget();
            if (row.action == Click)
                box->button(row.clicked)->click();
            else
                PressKey(box, row.action == Return ? Qt::Key_Return : Qt::Key_Escape);
        });
        const int answer = MessageBox(handle, "Zeile 1\n\rZeile 2\r\nZeile 3", "Frage\r", row.flags);
        EXPECT_EQ(answer, row.answer);
        EXPECT_EQ(buttons, row.buttons);
        EXPECT_EQ(defaultButton, row.defaultButton);
        EXPECT_EQ(icon, row.icon);
        EXPECT_EQ(text, QStringLiteral("Zeile 1\nZeile 2\nZeile 3"));
        EXPECT_EQ(caption, QStringLiteral("Frage"));
        EXPECT_EQ(parent, &owner);
    }
    SetWindowWidget(handle, nullptr);
    EXPECT_EQ(WindowWidget(handle), nullptr);
    DestroyWindow(handle);
}

TEST(QtInputBox, AnswersTheTextAsItStandsAlsoWhenCancelled)
{
    EnsureApplication();
    auto timer = WhenShown<QInputDialog>([](QInputDialog* dialog) {
        dialog->setTextValue(QStringLiteral("244_ID"));
        dialog->reject();
    });
    EXPECT_EQ(InputBox(nullptr, "Devicetype", "Set module name, e.g. 244_ID", ""), "244_ID");
}

TEST(QtMessageDrain, PostWakesTheEventLoopButPaintingAloneDeliversNothing)
{
    EnsureApplication();
    std::vector<UINT> delivered;
    HWND window = CreateWindowHandle([&](HWND, UINT message, WPARAM, LPARAM) -> LRESULT {
        delivered.push_back(message);
        return 0;
    });
    PostMessage(window, WM_USER + 1, 0, 0);
    PostMessage(window, WM_USER + 2, 0, 0);
    ProcessPendingPaints();
    EXPECT_TRUE(delivered.empty());
    QCoreApplication::processEvents();
    EXPECT_EQ(delivered, (std::vector<UINT>{WM_USER + 1, WM_USER + 2}));
    EXPECT_EQ(PendingMessageCount(), 0);
    EXPECT_EQ(SendMessage(window, WM_USER + 3, 0, 0), 0);
    EXPECT_EQ(delivered.back(), WM_USER + 3u);
    DestroyWindow(window);
}

// A help document shows its contents or a topic, and what it cannot show is told in a box;
// asked for in a modal dialog, the window belongs to the dialog, so it can be read meanwhile.
TEST(QtHelp, ShowsTheContentsOrATopicAndTellsWhatItCannotShow)
{
    EnsureApplication();
    const std::string datei =
        (std::filesystem::temp_directory_path() / ("hilfe-" + std::to_string(::getpid()) + ".hlp")).string();
    std::ofstream(datei) << "<h1>Inhalt</h1><h2><a name=\"5110\"></a>Gruppenadressen</h2><p>Zuweisen</p>";
    std::vector<std::string> boxen;
    auto alterHook = SetMessageBoxHook([&](HWND, const std::string& text, const std::string&, UINT) {
        boxen.push_back(text);
        return IDOK;
    });
    struct Row {
        const char* name;
        UINT command;
        std::uintptr_t data;
        const char* thema; // the fragment shown; nullptr: nothing shown, the box names text
        const char* text;
    };
    const Row rows[] = {
        {"contents", HELP_FINDER, 10, "", nullptr},
        {"topic", HELP_CONTEXT, 5110, "5110", nullptr},
        {"topic the document lacks", HELP_CONTEXT, 4711, nullptr, "4711"},
        {"another command", 0x101, 0, nullptr, "Befehl 257"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        boxen.clear();
        EXPECT_EQ(WinHelp(nullptr, datei, row.command, row.data), row.thema != nullptr);
        if (row.thema == nullptr) {
            ASSERT_EQ(boxen.size(), 1u);
            EXPECT_NE(boxen[0].find(row.text), std::string::npos) << boxen[0];
            continue;
        }
        EXPECT_TRUE(boxen.empty());
        ASSERT_NE(HelpBrowser(), nullptr);
        EXPECT_TRUE(HelpBrowser()->window()->isVisible());
        EXPECT_EQ(HelpBrowser()->source().fragment().toStdString(), row.thema);
    }

    QDialog dialog;
    auto timer = WhenShown<QDialog>([&](QDialog* d) {
        EXPECT_TRUE(WinHelp(nullptr, datei, HELP_CONTEXT, 5110));
        d->accept();
    });
    dialog.exec();
    ASSERT_NE(HelpBrowser(), nullptr);
    EXPECT_EQ(HelpBrowser()->window()->parentWidget(), &dialog);
    boxen.clear();
    EXPECT_TRUE(WinHelp(nullptr, "", HELP_QUIT, 0));
    EXPECT_TRUE(HelpBrowser() == nullptr || !HelpBrowser()->window()->isVisible()) << "the help window stays";
    EXPECT_TRUE(boxen.empty());
    SetMessageBoxHook(std::move(alterHook));
    std::filesystem::remove(datei);
}

TEST(QtTitleWidth, DialogsAreShownAtLeastAsWideAsTheirTitles)
{
    EnsureApplication();
    struct Row {
        const char* title;
        std::function<QWidget*()> make;
    };
    const Row rows[] = {
        {"Export", [] { return new QMessageBox(QMessageBox::Information, "Export", "Export beendet."); }},
        {"Ets-Projekt-Import", [] { return new QMessageBox(QMessageBox::NoIcon, "Ets-Projekt-Import", "OK"); }},
        {"Eingänge hinzufügen", [] {
             auto* dialog = new QDialog;
             dialog->setFixedSize(120, 60);
             return dialog;
         }},
        {"Devicetype", [] { return new QInputDialog; }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.title);
        std::unique_ptr<QWidget> dialog(row.make());
        dialog->setWindowTitle(QString::fromUtf8(row.title));
        dialog->show();
        QApplication::processEvents();
        EXPECT_GE(dialog->width(), TitleWidth(*dialog));
        dialog->hide();
        dialog->show();
        EXPECT_GE(dialog->width(), TitleWidth(*dialog)) << "shown again";
    }
    QDialog lang;
    lang.setWindowTitle(QString(400, QLatin1Char('W')));
    lang.show();
    QApplication::processEvents();
    EXPECT_LE(lang.width(), lang.screen()->availableGeometry().width()) << "a title longer than the screen";
    QWidget fenster;
    fenster.setWindowTitle(QStringLiteral("Alarmzentrale mit einem langen Titel"));
    fenster.resize(100, 50);
    fenster.show();
    QApplication::processEvents();
    EXPECT_EQ(fenster.width(), 100) << "only dialogs are widened";
}

// A box takes its size as it is shown: it is placed at that size, its middle over its
// owner's, however wide its text makes it.
TEST(QtDialogPlace, ABoxIsCentredOnItsOwnerAtTheSizeItIsShownWith)
{
    EnsureApplication();
    QWidget owner;
    owner.setWindowTitle(QStringLiteral("Miraval"));
    owner.setGeometry(40, 60, 642, 480);
    owner.show();
    QApplication::processEvents();
    const struct {
        const char* name;
        QString text;
    } rows[] = {
        {"a question", QStringLiteral("Wollen Sie die Änderungen übernehmen?")},
        {"a box about 500 pixels wide",
         QStringLiteral("return fehlgeschlagen\nDie Daten konnten nicht an die ETS zurückgegeben werden.\n") +
             QString(70, QLatin1Char('x'))},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Close"), row.text, QMessageBox::Ok, &owner);
        box.show();
        QApplication::processEvents();
        EXPECT_LE(std::abs(box.frameGeometry().center().x() - owner.frameGeometry().center().x()), 1)
            << box.frameGeometry().x() << " + " << box.frameGeometry().width();
        box.hide();
        box.setText(row.text + QStringLiteral(" und mehr"));
        box.show();
        QApplication::processEvents();
        EXPECT_LE(std::abs(box.frameGeometry().center().x() - owner.frameGeometry().center().x()), 1)
            << "shown again";
    }
}

// The file dialog writes its sizes and dates in the default locale, not in that of the
// environment: the German one that the program's start (LoadQtTranslations) makes the default,
// whatever the default was before. A folder has no size.
TEST(QtDialogDates, AFileDialogWritesItsSizesAndDatesInTheGermanLocaleTheStartSets)
{
    EnsureApplication();
    const QLocale vorher;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const auto uebersetzer = [] { return QCoreApplication::instance()->findChildren<QTranslator*>(); };
    const auto vorherUebersetzer = uebersetzer();
    (void)LoadQtTranslations(*QCoreApplication::instance());
    // The other tests here see Qt's own texts: the translation goes again.
    for (QTranslator* t : uebersetzer())
        if (!vorherUebersetzer.contains(t)) {
            QCoreApplication::removeTranslator(t);
            delete t;
        }
    EXPECT_EQ(QLocale().language(), QLocale::German);
    EXPECT_EQ(QLocale().territory(), QLocale::Germany);
    EXPECT_EQ(QLocale().toString(1234.5, 'f', 1), QStringLiteral("1.234,5"));
    const std::filesystem::path ordner =
        std::filesystem::temp_directory_path() / ("test_win32_qt-" + std::to_string(::getpid()));
    std::filesystem::create_directories(ordner / "AZ");
    const std::filesystem::path datei = ordner / "demo.azp";
    std::ofstream(datei) << std::string(50, 'x');
    QFile zeit(QString::fromStdString(datei.string()));
    ASSERT_TRUE(zeit.open(QIODevice::ReadWrite));
    ASSERT_TRUE(zeit.setFileTime(QDateTime(QDate(2026, 12, 9), QTime(18, 41)), QFileDevice::FileModificationTime));
    zeit.close();
    {
        QFileDialog dialog(nullptr, QString(), QString::fromStdString(ordner.string()));
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setViewMode(QFileDialog::Detail);
        dialog.show();
        ASSERT_NE(dialog.proxyModel(), nullptr);
        const auto zelle = [&](const std::filesystem::path& pfad, int spalte) {
            return dialog.proxyModel()
                ->mapFromSource(
                    dialog.findChild<QFileSystemModel*>()->index(QString::fromStdString(pfad.string()), spalte))
                .data()
                .toString();
        };
        for (int i = 0; i < 200 && zelle(datei, 3).isEmpty(); ++i)
            QApplication::processEvents(QEventLoop::AllEvents, 10);
        EXPECT_EQ(zelle(datei, 3), QStringLiteral("09.12.26 18:41"));
        EXPECT_EQ(zelle(datei, 1), QStringLiteral("50 Bytes"));
        EXPECT_EQ(zelle(ordner / "AZ", 1), QString());
    }
    std::filesystem::remove_all(ordner);
    QLocale::setDefault(vorher);
}

// A row of a list or a tree shows the dots of a capital umlaut: with the text centred in it,
// the ink of "Ü" starts below the row's top, in the application's font and in a larger one.
TEST(QtAccentRows, ListAndTreeRowsHoldTheCapitalUmlautsDots)
{
    EnsureApplication();
    for (const int punkte : {0, 14}) {
        SCOPED_TRACE(punkte);
        QTreeWidget baum;
        QListWidget liste;
        for (QAbstractItemView* ansicht : {static_cast<QAbstractItemView*>(&baum), static_cast<QAbstractItemView*>(&liste)})
            if (punkte > 0) {
                QFont schrift = ansicht->font();
                schrift.setPointSize(punkte);
                ansicht->setFont(schrift);
            }
        baum.setColumnCount(1);
        auto* eintrag = new QTreeWidgetItem(&baum, QStringList{QStringLiteral("Überfallmelder")});
        liste.addItem(QStringLiteral("Überfallmelder"));
        baum.show();
        liste.show();
        QApplication::processEvents();
        for (const auto& [ansicht, zeile] : {std::pair<QAbstractItemView*, QRect>{&baum, baum.visualItemRect(eintrag)},
                                            {&liste, liste.visualItemRect(liste.item(0))}}) {
            const QFontMetrics metrik(ansicht->font());
            const int grundlinie = zeile.top() + (zeile.height() - metrik.height()) / 2 + metrik.ascent();
            EXPECT_GE(grundlinie + metrik.tightBoundingRect(QStringLiteral("Ü")).top(), zeile.top())
                << ansicht->metaObject()->className() << " row " << zeile.height() << " px";
        }
    }
}

} // namespace
