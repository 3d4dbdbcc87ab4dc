#include "miraval/ui/CtrlGrid.h"

#include "miraval/ui/ModellAnsichten.h"
#include "rastow/DrawGridSE.h"

#include <QWidget>

TCtrlGrid::TCtrlGrid(TDrawGridSE* grid, QWidget* view) : m_grid(grid), m_view(view)
{
    Init();
}

void TCtrlGrid::Init()
{
    // The view fills the right side and scrolls one row per wheel notch itself.
    Repaint();
}

void TCtrlGrid::LoadColor(int32_t common, int32_t cell, int32_t title, int32_t readOnly, int gridLines)
{
    m_look.Color = common;
    m_look.FixedColor = title;
    m_look.CellColor = cell;
    m_look.ReadOnlyColor = readOnly;
    m_look.GridLineWidth = gridLines;
    Repaint();
}

void TCtrlGrid::LoadSize(bool autoSize, int width)
{
    const bool unveraendert = m_look.AutoSize == autoSize;
    m_look.AutoSize = autoSize;
    m_look.DefaultColWidth = autoSize ? 1 : width;
    SetzeGridAussehen(m_view, m_look);
    if (m_grid != nullptr) {
        if (unveraendert)
            m_grid->ResizeAktivFeld();
        else
            m_grid->SetActiveCell(0, 0);
    }
    Repaint();
}

void TCtrlGrid::DeactivateActiveGridCell()
{
    if (m_grid != nullptr)
        m_grid->DeleteZellenKomponente();
}

void TCtrlGrid::ScrollDownCallback()
{
    ScrolleGrid(m_view, 1);
}

void TCtrlGrid::ScrollUpCallback()
{
    ScrolleGrid(m_view, -1);
}

void TCtrlGrid::Repaint()
{
    if (m_view == nullptr)
        return;
    SetzeGridAussehen(m_view, m_look);
    AktualisiereGridAnsicht(m_view);
    m_view->update();
}
