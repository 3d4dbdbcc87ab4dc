#pragma once
// Scope guards of the main window's commands that rebuild or change device data under the
// project windows.
//
// TBaumSperre: the trees of the windows locked here get their sorting back on and their
// update ended when the guard goes (Ende, or on any way out), unless the window is gone by
// then. TAutoSavePause: the auto-save timer stopped for a command and running again on every
// way out of it.

#include "miraval/app/Main.h"
#include "miraval/dienste/DaMo.h"
#include "miraval/ui/FProjektierung.h"

#include <QTimer>

#include <algorithm>
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

class TAutoSavePause {
public:
    TAutoSavePause() { DM->TimerAutoSave()->stop(); }
    ~TAutoSavePause() { DM->StartTimerAutoSave(true); }
    TAutoSavePause(const TAutoSavePause&) = delete;
    TAutoSavePause& operator=(const TAutoSavePause&) = delete;
};
