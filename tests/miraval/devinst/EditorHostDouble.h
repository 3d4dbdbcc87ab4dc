#pragma once
// The editor around a device instance in tests: its main window is a TInstanzFenster (the
// nodes' messages reach the instance made current), and every call of the instance on the
// editor is recorded as a line of text, in order. Dialogs answer as scripted (Cancel unless
// told otherwise).

#include "InstanzFenster.h"
#include "miraval/devinst/EditorHost.h"
#include "vcl/StringList.h"

#include <functional>
#include <list>
#include <string>
#include <vector>

class TEditorHostDouble : public TEditorHost {
public:
    explicit TEditorHostDouble(TEts2Cdi* ets = nullptr, std::string iniFile = "/nonexistent/miraval.ini")
        : m_ets(ets), m_iniFile(std::move(iniFile))
    {
    }

    HWND GetHandle() const override { return window.Handle(); }
    TEts2Cdi* GetEts() const override { return m_ets; }
    std::string GetIniFile() const override { return m_iniFile; }
    std::string GetProgrammOrdner() const override { return "/opt/miraval/"; }
    std::string GetSicherungsPfad(int32_t deviceId) const override
    {
        return "/opt/miraval/AZ/AutoSave/" + std::to_string(deviceId) + ".azs";
    }
    int GetGrpAdrLevel() const override { return grpAdrLevel; }

    void SetStatusText(int panel, const std::string& text) override
    {
        status[static_cast<std::size_t>(panel)] = text;
    }
    void UpdateObjektAnzahl(int anzahl, int maximum) override
    {
        log("UpdateObjektAnzahl " + std::to_string(anzahl) + "/" + std::to_string(maximum));
    }
    void ShowDetailMessageBox(const std::string& text, const std::string& anwendung, const std::string& details,
                              const std::string& unit, int, const std::string& funktion, UINT icon) override
    {
        log("ShowDetailMessageBox " + text + "|" + anwendung + "|" + details + "|" + unit + "|" + funktion + "|" +
            std::to_string(icon));
    }
    void StartDlgProgress(const std::string& titel, const std::string& text, int minimum, int maximum,
                          int schritt) override
    {
        log("StartDlgProgress " + titel + "|" + text + "|" + std::to_string(minimum) + ".." +
            std::to_string(maximum) + "/" + std::to_string(schritt));
    }
    void SetDlgProgress(int position, const std::string& text) override
    {
        log("SetDlgProgress " + std::to_string(position) + " " + text);
        if (beimFortschritt)
            beimFortschritt(text);
    }
    void StopDlgProgress() override { log("StopDlgProgress"); }
    void StartDlgProgressAbbrechbar(const std::string& titel, const std::string& text, int minimum, int maximum,
                                    LPARAM abbruchArt) override
    {
        log("StartDlgProgress " + titel + "|" + text + "|" + std::to_string(minimum) + ".." +
            std::to_string(maximum) + " cancel " + std::to_string(abbruchArt));
    }
    // Counted, not logged (a run processes messages twice per detector); beimVerarbeiten, when
    // set, is called with the count (a test's way of clicking cancel mid-run).
    void ProcessMessages() override
    {
        ++verarbeitet;
        if (beimVerarbeiten)
            beimVerarbeiten(verarbeitet);
    }
    bool GetStatusOnCopyDevice() const override { return statusOnCopyDevice; }

    TFormVerw* GetActiveFormVerv() const override { return nullptr; }
    TDataBasis* GetSelTreeData() const override { return selTreeData; }
    void FormVerwNeuAufbauen(TDeviceInstanz&) override { log("FormVerwNeuAufbauen"); }
    bool AddChildNode2Data(TFormVerw*, TDataBasis*, TDataBasis*, bool) override
    {
        log("AddChildNode2Data");
        return true;
    }
    void DeleteNode(TFormVerw*, TDataBasis*) override { log("DeleteNode"); }
    void UpdateTreeNamesAndIcon(TFormVerw*) override { log("UpdateTreeNamesAndIcon"); }
    void BeginTreeUpdate(TFormVerw*) override { log("BeginTreeUpdate"); }
    void EndTreeUpdate(TFormVerw*) override { log("EndTreeUpdate"); }
    TDataBasis* GetGrpAdrOrdner() const override { return grpAdrOrdner; }
    bool MakeNode(TDataBasis*, TDataBasis*) override
    {
        log("MakeNode");
        return true;
    }
    void CreateGroupAddressNodes(TDataBasis* main, TDataBasis* middle, TDataBasis* sub) override
    {
        log(std::string("CreateGroupAddressNodes") + (main ? " main" : "") + (middle ? " middle" : "") +
            (sub ? " sub" : ""));
    }

    // Dialogs: each is logged with what it was given and answers dlgAntwort; on OK (1) the
    // outputs take the scripted choice.
    int DlgDefinitionAlarmzentrale(uint32_t& variante, const std::string& hilfeDatei) override
    {
        log("DlgDefinitionAlarmzentrale " + std::to_string(variante) + "|" + hilfeDatei);
        if (dlgAntwort == 1)
            variante = dlgVariante;
        return dlgAntwort;
    }
    int DlgAnzeige(const std::string& caption, const std::string& text, int32_t& maske, uint32_t variante) override
    {
        log("DlgAnzeige " + caption + "|" + text + "|" + std::to_string(maske) + "|" + std::to_string(variante));
        if (dlgAntwort == 1)
            maske = dlgMaske;
        return dlgAntwort;
    }
    int DlgSelPhysAdrSe(TPhysAdrEintrag& auswahl, const std::list<TPhysAdrEintrag>& geraete,
                        const std::list<int32_t>& benutzt) override
    {
        log("DlgSelPhysAdrSe " + auswahl.Text + "|" + std::to_string(auswahl.Adresse));
        dlgGeraete = geraete;
        dlgBenutzt = benutzt;
        if (dlgAntwort == 1)
            auswahl = dlgAuswahl;
        return dlgAntwort;
    }
    int DlgMelderHinzufuegen(const std::string& caption, int32_t& anzahl, int32_t maximum) override
    {
        log("DlgMelderHinzufuegen " + caption + "|" + std::to_string(anzahl) + "|" + std::to_string(maximum));
        if (dlgAntwort == 1)
            anzahl = dlgAnzahl;
        return dlgAntwort;
    }
    // Keeps the ids on offer; on OK the links become dlgLinks.
    int DlgSelGrpAddr(TObjektBasis& objekt, std::vector<TObjektBasis::RecGrpAdrId>& links,
                      const std::map<int32_t, TVireoGrpAdrSub*>& auswahl, int grenze) override
    {
        log("DlgSelGrpAddr " + objekt.GetName(false) + "|" + std::to_string(grenze));
        dlgAngeboten.clear();
        for (const auto& [id, node] : auswahl)
            if (node != nullptr)
                dlgAngeboten.push_back(id);
        if (dlgAntwort == 1)
            links = dlgLinks;
        return dlgAntwort;
    }

    // The event memory: the notice is logged; the window keeps what it was given and answers
    // dlgEreignisAntwort.
    void ShowDlgInfoEreignisspeicher() override { log("ShowDlgInfoEreignisspeicher"); }
    void CloseDlgInfoEreignisspeicher() override { log("CloseDlgInfoEreignisspeicher"); }
    int DlgEreignisspeicher(const TStringList& ereignisse, const std::string& kopf1, const std::string& kopf2,
                            const std::string& pcZeit, const std::string& geraetZeit) override
    {
        log("DlgEreignisspeicher");
        dlgEreignisse.clear();
        for (int i = 0; i < ereignisse.Count(); ++i)
            dlgEreignisse.push_back(ereignisse[i]);
        dlgKoepfe = {kopf1, kopf2, pcZeit, geraetZeit};
        return dlgEreignisAntwort;
    }

    void log(std::string line) { calls.push_back(std::move(line)); }

    TInstanzFenster window;
    int grpAdrLevel = 3;
    std::string status[5];
    std::vector<std::string> calls;
    TDataBasis* grpAdrOrdner = nullptr;
    int dlgAntwort = 2;
    uint32_t dlgVariante = 0;
    int32_t dlgMaske = 0;
    TPhysAdrEintrag dlgAuswahl;
    std::list<TPhysAdrEintrag> dlgGeraete; // what the last DlgSelPhysAdrSe offered
    std::list<int32_t> dlgBenutzt;
    int32_t dlgAnzahl = 0;               // DlgMelderHinzufuegen's count on OK
    TDataBasis* selTreeData = nullptr;   // the selected node of the current project window
    bool statusOnCopyDevice = false;
    int verarbeitet = 0;                 // ProcessMessages calls
    std::function<void(int)> beimVerarbeiten;
    std::function<void(const std::string&)> beimFortschritt; // each progress text, as it is set
    std::vector<TObjektBasis::RecGrpAdrId> dlgLinks;       // DlgSelGrpAddr's choice on OK
    std::vector<int32_t> dlgAngeboten;                     // the ids the last DlgSelGrpAddr offered
    std::vector<std::string> dlgEreignisse; // the rows the last DlgEreignisspeicher showed
    std::vector<std::string> dlgKoepfe;     // its two headers, PC time and device time
    int dlgEreignisAntwort = 2;

private:
    TEts2Cdi* m_ets;
    std::string m_iniFile;
};
