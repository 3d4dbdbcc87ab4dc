// The program entry: ETS (here its host stand-in) starts the editor with the device type and
// the project store, then drives it by events on standard input.
#include "miraval/app/EtsEingabe.h"
#include "miraval/app/Main.h"
#include "miraval/app/Programmstart.h"
#include "miraval/app/StoppSignale.h"
#include "miraval/dienste/DaMo.h"
#include "miraval/dienste/Spredit.h"
#include "miraval/ui/DlgFortschrittMelderHinzufuegen.h"
#include "miraval/ui/FProjektierung.h"
#include "cindral/qt/CindralQt.h"
#include "dorlin/qt/DorlinQt.h"
#include "kestrin/Ets2Cdi.h"
#include "kestrin/EtsCommandLine.h"
#include "kestrin/EtsEventChannel.h"
#include "tamsel/Tamsel.h"
#include "win32/MessageBox.h"
#include "win32/qt/QtPlatform.h"

#include <QApplication>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>

namespace {

// Every event the loop delivers passes here: an exception that escaped a window's handler is
// shown and ends the program, as the editor does with every unhandled exception.
class TApplication : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override
    {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception& e) {
            TFormMain::ApplicationEventsException(e.what());
        } catch (...) {
            TFormMain::ApplicationEventsException("");
        }
        return false;
    }
};

} // namespace

int main(int argc, char** argv)
{
    const std::string programm = std::filesystem::path(argc > 0 ? argv[0] : "miraval").filename().string();
    // The usage asked for (exit code 0) or a mistake with the usage (2); -1: go on.
    const auto nichtWeiter = [&programm](const TEtsCommandLine& befehl) {
        if (befehl.Help)
            std::cout << EtsCommandLineUsage(programm);
        else if (!befehl.Ok)
            std::cerr << programm << ": " << befehl.Error << '\n' << EtsCommandLineUsage(programm);
        return befehl.Help ? 0 : befehl.Ok ? -1 : 2;
    };
    // The command line and the store are judged before the window system: a mistake in either
    // is told as itself, with a display or without one. Qt's own options are left to Qt.
    const TEtsCommandLine vorab = ParseEtsCommandLine(OhneQtOptionen(argc, argv));
    if (const int ende = nichtWeiter(vorab); ende >= 0)
        return ende;
    const TEtsStatus store = StorePruefen(vorab.EtsProject);
    if (!store)
        StoreAbgelehnt(std::cerr, programm, vorab.EtsProject, store.message, false);
    const TLaufzeitOrdner laufzeit;
    TQtMeldungen meldungen(programm, laufzeit);
    // A refused store wants the display only for its box.
    meldungen.AnzeigeOeffnen(!store);
    TApplication app(argc, argv);
    meldungen.AnzeigeOffen();
    TStoppSignale signale;
    // Qt has taken its own options out of the arguments by now.
    const TEtsCommandLine befehl = ParseEtsCommandLine(argc, argv);
    if (const int ende = nichtWeiter(befehl); ende >= 0)
        return ende;

    LoadQtTranslations(app);
    InstallQtPlatformHooks();
    // Without a screen nobody can answer a dialog: boxes go to standard error and take their
    // default answer, and the dialog libraries keep their headless defaults.
    const bool ohneAnzeige = QGuiApplication::platformName() == "offscreen";
    if (ohneAnzeige) {
        SetMessageBoxHook({});
        SetInputBoxHook({});
    } else {
        InstallDorlinQt();
        InstallCindralQt();
    }
    Spredit::Initialize();
    if (!store) {
        if (!ohneAnzeige)
            StoreAbgelehntBox(vorab.EtsProject, store.message);
        Spredit::Finalize();
        return 1;
    }

    const int ergebnis = StarteGeschuetzt([&] {
        int ende = 0;
        auto dm = std::make_unique<TDM>();
        DM = dm.get();
        SetLogFktDefaultFile(std::filesystem::path(DM->ProgrammOrdner()) / "miraval-trace.log");
        auto main = std::make_unique<TFormMain>(befehl.Module);
        // The first project window exists from the start (window 0).
        FormVerw = new TFormVerw(main.get());
        // Made at start with the application as owner, as every form of the program.
        const auto fortschritt = std::make_unique<TDlgFortschrittMelderHinzufuegen>(nullptr);
        PumpMessages();

        const TEtsStatus offen = main->GetEts()->OpenProjectStore(befehl.EtsProject);
        if (!offen) {
            ende = StoreAbgelehnt(std::cerr, programm, befehl.EtsProject, offen.message, !ohneAnzeige);
        } else {
            TEtsEventChannel kanal(*main->GetEts(), std::cout, befehl.Events);
            TEtsEingabe eingabe(kanal, *main);
            if (const char* ordner = std::getenv("MIRAVAL_SCREENSHOTS"); ordner != nullptr && *ordner != '\0')
                eingabe.SetScreenshotOrdner(ordner);
            eingabe.Start();
            signale.SetStopp([&eingabe] { eingabe.Stoppen(); });
            app.exec();
            signale.SetStopp({});
        }
        main.reset();
        DM = nullptr;
        return ende;
    });
    Spredit::Finalize();
    return ergebnis;
}
