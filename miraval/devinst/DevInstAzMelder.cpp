// TDeviceInstanzAz: adding detector inputs to a security area in runs, and deleting the
// detector the user selected.

#include "miraval/devinst/DevInstAz.h"

#include "miraval/devinst/DevInstAz_p.h"
#include "miraval/devinst/EditorHost.h"
#include "pellam/DataBasis.h"
#include "quillon/UserMessages.h"
#include "tamsel/Tamsel.h"
#include "tessarin/AzMelder.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace {

constexpr const char* kTitelHinzufuegen = "Eingänge hinzufügen";
constexpr const char* kTextEinfuegen = "Eingänge einfügen";
// The cancel of the run's progress dialog reaches the main window as UM_Abbrechen with this
// lParam, which the main window turns into SetMelderHinzufuegenAbbrechen.
constexpr LPARAM kAbbruchMelderHinzufuegen = 3;
constexpr int kModalOk = 1;

// The kind the new detectors of a security area get; -1 for a node that is no security area.
int MelderArtVonBereich(int typ)
{
    switch (typ) {
    case AzTyp::SicherungsBereichFeuer:
        return MelderArt::Feuer;
    case AzTyp::SicherungsBereichUeberfall:
        return MelderArt::Ueberfall;
    case AzTyp::SicherungsBereich1:
    case AzTyp::SicherungsBereich1 + 1:
    case AzTyp::SicherungsBereich1 + 2:
    case AzTyp::SicherungsBereich1 + 3:
        return MelderArt::Sb1 + (typ - AzTyp::SicherungsBereich1);
    default:
        return -1;
    }
}

// What a run begins is ended on every way out, an exception included: the progress dialog
// closed, the cancel flag reset (only here, so a cancel that arrives late still stops the
// run), the tree unlocked.
class TLaufKlammer {
public:
    TLaufKlammer(TEditorHost& host, TFormVerw* fenster, bool& abbrechen)
        : m_host(host), m_fenster(fenster), m_abbrechen(abbrechen)
    {
        m_host.BeginTreeUpdate(m_fenster);
    }
    ~TLaufKlammer()
    {
        m_host.StopDlgProgress();
        m_abbrechen = false;
        m_host.EndTreeUpdate(m_fenster);
    }
    TLaufKlammer(const TLaufKlammer&) = delete;
    TLaufKlammer& operator=(const TLaufKlammer&) = delete;

private:
    TEditorHost& m_host;
    TFormVerw* m_fenster;
    bool& m_abbrechen;
};

} // namespace

bool TDeviceInstanzAz::MelderHinzufuegen()
{
    LOG_FKT("TDeviceInstanzAz::MelderHinzufuegen");
    TEditorHost& host = GetHost();
    TDataBasis* bereich = host.GetSelTreeData();
    if (bereich == nullptr)
        return false;
    const int art = MelderArtVonBereich(bereich->GetTyp());
    if (art < 0)
        return false;

    int32_t anzahl = 0;
    if (host.DlgMelderHinzufuegen(kTitelHinzufuegen, anzahl, kMaxEingaenge - m_eingaenge) != kModalOk)
        return false;

    const int32_t bereichHandle = bereich->GetHandle();
    {
        TLaufKlammer klammer(host, host.GetActiveFormVerv(), m_abbrechen);
        // Enter takes any typed count: two steps per detector must not overflow the range.
        const int schritte = static_cast<int>(std::clamp<int64_t>(2 * static_cast<int64_t>(anzahl), 0, INT_MAX));
        const std::string text = std::to_string(anzahl) + " " + kTextEinfuegen;
        host.StartDlgProgressAbbrechbar(kTitelHinzufuegen, text, 0, schritte, kAbbruchMelderHinzufuegen);
        int position = 0;
        // The factory refuses at the input limit long before a large count is reached.
        for (int64_t i = 1; i <= anzahl; ++i) {
            host.SetDlgProgress(++position, text);
            if (m_abbrechen)
                break;
            host.ProcessMessages();
            // The user may have changed the tree meanwhile: a security area that is gone ends
            // the run.
            if (FindHandle(bereichHandle) != bereich)
                break;
            if (!CreateAzMelder(host.GetHandle(), bereich, static_cast<uint8_t>(art), true))
                break;
            host.SetDlgProgress(++position, text);
            host.ProcessMessages();
        }
        PostMessage(host.GetHandle(), UM_AbgleichFormVerw, 0, 0);
    }
    return true;
}

bool TDeviceInstanzAz::MelderLoeschen()
{
    LOG_FKT("TDeviceInstanzAz::MelderLoeschen");
    TDataBasis* auswahl = GetHost().GetSelTreeData();
    if (auswahl == nullptr || auswahl->GetTyp() != AzTyp::Melder)
        return false;
    auto* melder = dynamic_cast<TAzMelder*>(auswahl);
    // The wired input of the centre has no number and its objects are not a detector's: it
    // goes only with the last area of a variant change.
    if (melder == nullptr || melder->GetMelderBereich() == MelderArt::Verdrahtet)
        return false;
    return DeleteAzMelder(melder);
}
