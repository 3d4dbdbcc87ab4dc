#include "miraval/ui/CtrlListView.h"

#include "miraval/ui/ModellAnsichten.h"
#include "vcl/ListView.h"

#include <QWidget>

#include <algorithm>

TCtrlListView::TCtrlListView(TListView* list, QWidget* view) : m_list(list), m_view(view) {}

void TCtrlListView::Leeren()
{
    m_list->ClearItems();
    m_list->ClearColumns();
    m_list->ViewStyle = vsList;
}

void TCtrlListView::Fuellen(const std::vector<TListEintrag>& eintraege)
{
    int breitest = 0;
    for (const TListEintrag& e : eintraege) {
        m_list->AddItem(e.Caption, e.ImageIndex, e.Data);
        breitest = std::max(breitest, TextBreite(e.Caption));
    }
    if (m_list->ColumnCount() == 0)
        m_list->AddColumn(std::string(), breitest + 50);
    else
        m_list->Column(0)->Width = breitest + 50;
    Repaint();
}

int TCtrlListView::TextBreite(const std::string& text) const
{
    return ListTextBreite(m_view, text);
}

void TCtrlListView::Repaint()
{
    if (m_view == nullptr)
        return;
    AktualisiereListAnsicht(m_view);
    m_view->update();
}
