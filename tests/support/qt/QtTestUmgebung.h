#pragma once
// What every test program with windows does before it makes its QApplication, also when it
// is run by hand: a home of its own when run by hand (VonHandHome.h), Qt's offscreen platform
// unless the environment names another, a runtime folder of its own (LaufzeitOrdner.h), and
// none of the lines the offscreen platform says on every window it shows (it cannot raise a
// window or pass size hints on), which would hide the lines that matter. Every other message
// of Qt goes on to the handler that was in place.

#include "tests/support/VonHandHome.h"
#include "tests/support/qt/LaufzeitOrdner.h"

#include <QString>
#include <QtGlobal>

namespace qt_test_detail {

inline QtMessageHandler& VorherigerHandler()
{
    static QtMessageHandler vorher = nullptr;
    return vorher;
}

inline void OhneOffscreenMeldungen(QtMsgType typ, const QMessageLogContext& kontext, const QString& text)
{
    if (text == QLatin1String("This plugin does not support raise()") ||
        text == QLatin1String("This plugin does not support propagateSizeHints()"))
        return;
    if (QtMessageHandler vorher = VorherigerHandler())
        vorher(typ, kontext, text);
}

} // namespace qt_test_detail

inline void QtTestUmgebung()
{
    VonHandEigenesHome();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    EigenerLaufzeitOrdner();
    static const bool eingerichtet = [] {
        qt_test_detail::VorherigerHandler() = qInstallMessageHandler(qt_test_detail::OhneOffscreenMeldungen);
        return true;
    }();
    (void)eingerichtet;
}
