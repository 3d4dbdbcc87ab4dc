#pragma once
// Scope guards of the main window's commands that rebuild or change device data under the
// project windows.
//
// TBaumSperre: the trees of the windows locked here get their sorting back on and their
// update ended when the guard goes (Ende, or on any way out), unless the window is gone by
// then. TFensterNeuAufbau: windows emptied before an instance reloads its nodes and filled
// again after. TAutoSavePause: the auto-save timer stopped for a command and running again on
// every way out of it.

#include "miraval/app/Main.h"
#include "miraval/dienste/DaMo.h"
#include "miraval/ui/FProjektierung.h"

#include <QTimer>

#include <algorithm>
#include <exception>
#include <vector>

class TBaumSperre {
public:
    explicit TBaumSperre(TFormMain& main) : m_main(main) {}
    ~TBaumSperre() { Ende(); }
    TBaumSperre(const TBaumSperre&) = delete;
    TBaumSperre& operator=(const TBaumSperre&) = delete;

    // The window's tree update begun and its sorting switched off.
    void Sperren(TFormVerw* fenster)
    {
        fenster->BeginTreeUpdate();
        m_fenster.push_back(fenster);
        fenster->SetTreeSorting(false);
    }

    // Every project window locked, grid first handed to gitter (cleared, or its cell editor
    // dropped).
    template <class F> void AlleSperren(F gitter)
    {
        m_main.FuerAlleFormVerw([&](TFormVerw* fenster) {
            gitter(fenster->GetGrid());
            Sperren(fenster);
        });
    }

    // The windows locked here that still exist.
    std::vector<TFormVerw*> Fenster() const
    {
        std::vector<TFormVerw*> da;
        const std::vector<TFormVerw*>& liste = m_main.GetFormVerwListe();
        for (TFormVerw* fenster : m_fenster)
            if (std::find(liste.begin(), liste.end(), fenster) != liste.end())
                da.push_back(fenster);
        return da;
    }

    void Ende()
    {
        for (TFormVerw* fenster : Fenster()) {
            fenster->SetTreeSorting(true);
            fenster->EndTreeUpdate();
        }
        m_fenster.clear();
    }

private:
    TFormMain& m_main;
    std::vector<TFormVerw*> m_fenster;
};

// TFensterNeuAufbau: the project windows that show the instance let go of its nodes (cell
// editor dropped, grid cleared, tree emptied, tree locked) before the instance reloads or
// replaces them, and are filled from it again when the guard goes, unless the instance has
// rebuilt them itself meanwhile. Nothing happens to windows that show another instance.
class TFensterNeuAufbau {
public:
    TFensterNeuAufbau(TFormMain& main, TDeviceInstanz& instanz)
        : m_main(main), m_instanz(instanz), m_sperre(main), m_aufbauten(main.GetNeuAufbauten())
    {
        m_main.FuerAlleFormVerw([this](TFormVerw* fenster) {
            if (fenster->GetDeviceInstanz() != &m_instanz)
                return;
            fenster->GetGrid().DeleteZellenKomponente();
            fenster->GetGrid().Clear();
            m_sperre.Sperren(fenster);
            fenster->DeleteTreeViewNodes();
        });
    }
    // A rebuild that throws while another exception is on its way would end the program.
    ~TFensterNeuAufbau() noexcept(false)
    {
        if (!m_sperre.Fenster().empty() && m_main.GetNeuAufbauten() == m_aufbauten &&
            std::uncaught_exceptions() == 0 && m_main.IstLebendeInstanz(&m_instanz))
            m_main.FormVerwNeuAufbauen(m_instanz);
        m_sperre.Ende();
    }
    TFensterNeuAufbau(const TFensterNeuAufbau&) = delete;
    TFensterNeuAufbau& operator=(const TFensterNeuAufbau&) = delete;

private:
    TFormMain& m_main;
    TDeviceInstanz& m_instanz;
    TBaumSperre m_sperre;
    int m_aufbauten;
};

class TAutoSavePause {
public:
    TAutoSavePause() { DM->TimerAutoSave()->stop(); }
    // Running again only while a device is being edited.
    ~TAutoSavePause()
    {
        if (FormMain != nullptr)
            FormMain->GetBearbeitung().AutoSaveFortsetzen();
    }
    TAutoSavePause(const TAutoSavePause&) = delete;
    TAutoSavePause& operator=(const TAutoSavePause&) = delete;
};
