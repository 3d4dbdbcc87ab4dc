#pragma once
// Driving a modal dialog from a test: the dialog is shown with exec(); once its loop runs, a
// zero timer finds it as the active modal window and runs the test's action on it.

#include <QApplication>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

// The dialog's result; the test fails when the dialog was not the active modal window.
template <class D> int ZeigeModal(D& dialog, const std::function<void(D&)>& aktion)
{
    bool gefunden = false;
    QTimer::singleShot(0, [&] {
        auto* aktiv = dynamic_cast<D*>(QApplication::activeModalWidget());
        gefunden = aktiv == &dialog;
        if (aktiv != nullptr)
            aktion(*aktiv);
    });
    const int ergebnis = dialog.exec();
    EXPECT_TRUE(gefunden);
    return ergebnis;
}
