#pragma once
// The demo project's alarm centre, loaded once per fuzz process, for the targets that feed a
// file or a clipboard block into the loaded device. Each input runs inside an ETS write burst
// that is never committed, so ETS is back as it was after every input; when the input changed
// the device, the device is loaded again from ETS, whose blob the import never writes.
//
// What every input is held to, refused or taken: no object of another device and none of
// their links changed. What a refused input must not change: the records (the container), the
// nodes, the objects ETS shows and their links. After an input that was not refused, every
// record stands below the device record (the tree shows every record the status bar counts);
// after an import that was not refused, the device is as ImportInvarianten.h holds it (each
// object record ETS's object, each node's links ETS's, the same records and nodes stored and
// loaded again). An input that breaks any of these aborts the run with what it broke.

#include "AzGeraet.h"

#include "DemoProject.h"
#include "ImportInvarianten.h"
#include "kestrin/EtsTransaction.h"
#include "miraval/devinst/DevInstAz_p.h"
#include "miraval/dienste/Spredit.h"
#include "quillon/VireoGrpAdrSub.h"
#include "tessarin/AzMelder.h"
#include "win32/MessageBox.h"
#include "win32/Windows.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TFuzzDemoGeraet {
public:
    using TZustand = TGeraetZustand;
    struct TBox {
        std::string text;
        std::string caption;
    };

    // The one device of the process.
    static TFuzzDemoGeraet& Instanz()
    {
        static TFuzzDemoGeraet geraet;
        return geraet;
    }

    TDeviceInstanzAz& Inst() { return m_geraet->inst; }
    TEditorHostDouble& Host() { return m_geraet->host; }
    // The boxes the last input showed, in order (each answered OK).
    const std::vector<TBox>& Boxen() const { return m_boxen; }

    // Runs one input. eingabe answers whether the device took it; abgelehnt, asked after a
    // false answer, whether the input was refused (a partial change may be the operation's
    // own way of failing, as a paste that stops half-way). With import, an input not refused
    // is held to ImportInvarianten.h.
    void Pruefe(const std::function<bool()>& eingabe,
                const std::function<bool()>& abgelehnt = [] { return true; }, bool import = false)
    {
        m_boxen.clear();
        bool neuLaden = true;
        {
            TEtsTransaction burst(&m_ets);
            const bool ok = eingabe();
            (void)PumpMessages();
            if (!(FremdeObjekte(m_ets, kDemoAlarmCentreId) == m_fremde))
                Abbruch("an input changed another device's objects or links");
            const bool refused = !ok && abgelehnt();
            if (!ok) {
                const TZustand nachher = Zustand();
                neuLaden = !(nachher == m_vorher);
                if (neuLaden && refused) {
                    Melde(nachher);
                    std::abort();
                }
            }
            if (!refused && Unerreichbar(Inst()) != 0)
                Abbruch("an input left records the tree does not show");
            if (!refused && import)
                PruefeAngenommen("an import taken");
        }
        if (neuLaden)
            Laden();
        Host().calls.clear();
    }

    // Whether the last input was an import that dropped links whose group addresses do not
    // convert: it went on, answered false and is no refusal.
    bool LinksVerworfen() const
    {
        return std::any_of(m_boxen.begin(), m_boxen.end(),
                           [](const TBox& box) { return box.text.rfind(Spredit::Txt9159, 0) == 0; });
    }

    TZustand Zustand() { return GeraetZustand(Inst(), m_ets, kDemoAlarmCentreId); }

    TFuzzDemoGeraet(const TFuzzDemoGeraet&) = delete;
    TFuzzDemoGeraet& operator=(const TFuzzDemoGeraet&) = delete;
    ~TFuzzDemoGeraet()
    {
        m_geraet.reset();
        m_ets.CloseProjectStore();
        std::error_code ec;
        std::filesystem::remove(m_datei, ec);
    }

private:
    TFuzzDemoGeraet()
        : m_datei(std::filesystem::temp_directory_path() / ("miraval-fuzz-" + std::to_string(getpid()) + ".db"))
    {
        SetMessageBoxHook([this](HWND, const std::string& text, const std::string& caption, UINT) {
            m_boxen.push_back({text, caption});
            return IDOK;
        });
        std::filesystem::remove(m_datei);
        if (!BuildDemoProject(m_datei) || !m_ets.OpenProjectStore(m_datei))
            Abbruch("the demo project store cannot be made");
        m_geraet = std::make_unique<TAzGeraet>(m_ets, kDemoAlarmCentreId);
        if (!Inst().GetDataFromServer(Host().GetHandle(), false))
            Abbruch("the demo alarm centre does not load");
        Bearbeiten();
        if (!Inst().WriteBlob())
            Abbruch("the demo alarm centre cannot be stored");
        PruefeAngenommen("the demo alarm centre");
        m_vorher = Zustand();
        m_fremde = FremdeObjekte(m_ets, kDemoAlarmCentreId);
        if (Unerreichbar(Inst()) != 0)
            Abbruch("the demo alarm centre has records the tree does not show");
        m_boxen.clear();
        Host().calls.clear();
    }

    // A detector in security area 1 and an object linked to two group addresses (one by a
    // continuation record), so that the device has links and chains to lose.
    void Bearbeiten()
    {
        TDataBasis* bereich = nullptr;
        for (const auto& [handle, node] : Inst().GetKnoten())
            if (node->GetTyp() == AzTyp::SicherungsBereich1)
                bereich = node.get();
        if (bereich == nullptr || !Inst().CreateAzMelder(Host().GetHandle(), bereich, MelderArt::Sb1, false))
            Abbruch("no detector can be added to the demo alarm centre");
        TObjektBasis* objekt = Inst().GetObjectFromObjectNr(kObjekt);
        if (objekt == nullptr)
            Abbruch("the demo alarm centre lacks its object");
        for (uint16_t wort : {uint16_t{1 * 2048 + 1 * 256 + 1}, uint16_t{1 * 2048 + 1 * 256 + 2}})
            for (const auto& [id, node] : Inst().GetSubGroupMap())
                if (static_cast<uint16_t>(node->GetKomplettGrpAdr()) == wort &&
                    !Inst().LinkToSubGroup(id, static_cast<TDataBasis*>(objekt)->GetHandle(), true))
                    Abbruch("the demo object cannot be linked");
    }

    void Laden()
    {
        if (!Inst().GetDataFromServer(Host().GetHandle(), false) || !(Zustand() == m_vorher))
            Abbruch("the demo alarm centre does not load back as it was");
        m_boxen.clear();
    }

    // Aborts with what is broken when the device is not as an import must leave it.
    void PruefeAngenommen(const char* was)
    {
        const std::vector<std::string> fehler =
            ImportInvarianten::Verletzt(Inst(), m_ets, kDemoAlarmCentreId, Host().GetHandle());
        if (fehler.empty())
            return;
        std::fprintf(stderr, "%s is not as the program would have written it:\n", was);
        for (const std::string& f : fehler)
            std::fprintf(stderr, "  %s\n", f.c_str());
        for (const TBox& box : m_boxen)
            std::fprintf(stderr, "  box [%s] %s\n", box.caption.c_str(), box.text.c_str());
        std::abort();
    }

    void Melde(const TZustand& nachher) const
    {
        std::fprintf(stderr, "A refused input changed the device:%s%s%s%s\n",
                     nachher.container != m_vorher.container ? " records" : "",
                     nachher.knoten != m_vorher.knoten ? " nodes" : "",
                     nachher.sichtbar != m_vorher.sichtbar ? " ETS objects" : "",
                     nachher.links != m_vorher.links ? " ETS links" : "");
        for (const TBox& box : m_boxen)
            std::fprintf(stderr, "  box [%s] %s\n", box.caption.c_str(), box.text.c_str());
    }

    [[noreturn]] static void Abbruch(const char* grund)
    {
        std::fprintf(stderr, "fuzz set-up: %s\n", grund);
        std::abort();
    }

    // An object that may have any number of group addresses.
    static constexpr int32_t kObjekt = 190;

    std::filesystem::path m_datei;
    TEts2Cdi m_ets{nullptr, kDemoModuleName, false};
    std::unique_ptr<TAzGeraet> m_geraet;
    TZustand m_vorher;
    std::vector<TFremdesObjekt> m_fremde;
    std::vector<TBox> m_boxen;
};
