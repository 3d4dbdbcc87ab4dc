#include "dorlin/Dorlin.h"

#include "dorlin/DorlinAnzeige.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace {

bool g_echo = false;

class TStandardAnzeige : public TDorlinAnzeige {
public:
    void Info(const std::string& titel, const std::string& versionLabel, const std::string& version,
              const std::string& bildDatei) override
    {
        if (g_echo)
            std::fprintf(stderr, "[%s] %s %s (%s)\n", titel.c_str(), versionLabel.c_str(), version.c_str(),
                         bildDatei.c_str());
    }
    bool Spracheinstellung(const TSpracheinstellungTexte&, const std::map<std::string, std::string>&, int) override
    {
        return false;
    }
    void ProgressStart(const TDlgProgressStand& stand) override { Echo(stand); }
    void ProgressPosition(const TDlgProgressStand& stand) override { Echo(stand); }
    void ProgressSchritte(const TDlgProgressStand& stand) override { Echo(stand); }
    void ProgressStop() override {}

private:
    static void Echo(const TDlgProgressStand& stand)
    {
        if (g_echo)
            std::fprintf(stderr, "[%s] %s %d/%d\n", stand.titel.c_str(), stand.text.c_str(), stand.position,
                         stand.schritte);
    }
};

TStandardAnzeige g_standard;
TDorlinAnzeige* g_anzeige = nullptr;
TDlgProgressStand g_stand;

TDorlinAnzeige& anzeige()
{
    return g_anzeige ? *g_anzeige : g_standard;
}

int clamp(int position, int schritte)
{
    return std::clamp(position, 0, schritte);
}

} // namespace

void StartDlgInfo(const std::string& titel, const std::string& versionLabel, const std::string& version,
                  const std::string& bildDatei)
{
    anzeige().Info(titel, versionLabel, version, bildDatei);
}

bool StartDlgSpracheinstellung(const TSpracheinstellungTexte& texte,
                               const std::map<std::string, std::string>& sprachen, int wert)
{
    return anzeige().Spracheinstellung(texte, sprachen, wert);
}

void StartDlgProgress(HWND owner, const std::string& titel, const std::string& text, int position,
                      int schritte, LPARAM abbruchArt)
{
    g_stand.offen = true;
    g_stand.owner = owner;
    g_stand.titel = titel;
    g_stand.text = text;
    g_stand.schritte = std::max(schritte, 0);
    g_stand.position = clamp(position, g_stand.schritte);
    g_stand.abbruchArt = abbruchArt;
    anzeige().ProgressStart(g_stand);
}

void SetDlgProgress()
{
    if (!g_stand.offen)
        return;
    g_stand.position = clamp(g_stand.position + 1, g_stand.schritte);
    anzeige().ProgressPosition(g_stand);
}

void SetDlgProgressPosition(int position, const std::string& text)
{
    if (!g_stand.offen)
        return;
    g_stand.position = clamp(position, g_stand.schritte);
    if (!text.empty())
        g_stand.text = text;
    anzeige().ProgressPosition(g_stand);
}

void SetDlgProgressSchritte(int schritte)
{
    if (!g_stand.offen)
        return;
    g_stand.schritte = std::max(schritte, 0);
    g_stand.position = clamp(g_stand.position, g_stand.schritte);
    anzeige().ProgressSchritte(g_stand);
}

void StopDlgProgress()
{
    if (!g_stand.offen)
        return;
    g_stand.offen = false;
    anzeige().ProgressStop();
}

bool IsDlgProgressOpen()
{
    return g_stand.offen;
}

const TDlgProgressStand& DlgProgressStand()
{
    return g_stand;
}

int DlgProgressPosition()
{
    return g_stand.position;
}

int DlgProgressSchritte()
{
    return g_stand.schritte;
}

void CancelDlgProgress()
{
    if (g_stand.offen)
        PostMessage(g_stand.owner, UM_DlgProgressAbbrechen, 0, g_stand.abbruchArt);
}

TDorlinAnzeige* SetDorlinAnzeige(TDorlinAnzeige* neu)
{
    return std::exchange(g_anzeige, neu);
}

void SetDorlinEcho(bool echo)
{
    g_echo = echo;
}
