#include "dorlin/Dorlin.h"
#include "dorlin/qt/DorlinQt.h"
#include "support/RecordingWindow.h"
#include "tests/support/qt/QtTestUmgebung.h"
#include "win32/qt/QtPlatform.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

TEST(DorlinQt, ProgressWindowShowsOverItsOwnerAndItsButtonPostsTheCancel)
{
    static int argc = 1;
    static char name[] = "test_dorlin_qt";
    static char* argv[] = {name, nullptr};
    QtTestUmgebung();
    static auto* app = new QApplication(argc, argv); // lives until the process ends
    (void)app;
    InstallQtPlatformHooks();
    InstallDorlinQt();

    TRecordingWindow owner;
    QWidget ownerWidget;
    ownerWidget.show();
    SetWindowWidget(owner.Handle(), &ownerWidget);

    StartDlgProgress(owner.Handle(), "Plug-In starten", "Lade Ets Daten...\n\rBitte warten.", 0, 6);
    SetDlgProgress();
    auto* dialog = ownerWidget.findChild<QDialog*>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Plug-In starten"));
    EXPECT_EQ(dialog->findChild<QLabel*>()->text(), QStringLiteral("Lade Ets Daten...\nBitte warten."));
    EXPECT_EQ(dialog->findChild<QProgressBar*>()->maximum(), 6);
    EXPECT_EQ(dialog->findChild<QProgressBar*>()->value(), 1);

    dialog->findChild<QPushButton*>()->click();
    EXPECT_EQ(owner.Posts(), (std::vector<TRecordedMessage>{PostedMessage(WM_USER + 123, 0, 1)}));
    StopDlgProgress();
    EXPECT_FALSE(dialog->isVisible());
    QCoreApplication::processEvents();
    SetWindowWidget(owner.Handle(), nullptr);
}

} // namespace
