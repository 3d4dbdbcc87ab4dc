#include "miraval/dienste/Fehlerbericht.h"

#include "win32/MessageBox.h"

#include <QCoreApplication>
#include <QThread>

namespace {

TFehlerMelder g_melder = nullptr;

} // namespace

void MeldeUnerwartetenFehler(const std::string& what)
{
    if (g_melder != nullptr) {
        g_melder(what);
        return;
    }
    ZeigeFehlerBox(nullptr, "Miraval", what);
    BeendeAnwendung();
}

void SetFehlerMelder(TFehlerMelder melder)
{
    g_melder = melder;
}

void ZeigeFehlerBox(HWND owner, const std::string& titel, const std::string& what)
{
    MessageBox(owner, what.empty() ? "Unbekannter Fehler." : what, titel, MB_OK | MB_ICONERROR);
}

void BeendeAnwendung()
{
    if (QThread::currentThread()->loopLevel() > 0)
        QCoreApplication::exit(0);
}
