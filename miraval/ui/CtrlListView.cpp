#include "miraval/ui/CtrlListView.h"

#include "miraval/ui/ModellAnsichten.h"
#include "miraval/ui/ZiehDaten.h"
#include "miraval/ui/ZiehLauf.h"
#include "pellam/DataBasis.h"
#include "vcl/ListView.h"
#include "win32/Cursor.h"

#include <QWidget>

#include <algorithm>

namespace {

// The object of the sender list's item; null when sender is no list or has no such item.
TDataBasis* ZielObjekt(const QObject* sender, int item)
{
    TListView* liste = ListModell(sender);
    const TListItem* eintrag = liste != nullptr ? liste->Item(item) : nullptr;
    return eintrag != nullptr ? static_cast<TDataBasis*>(eintrag->Data) : nullptr;
}

} // namespace

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

bool TCtrlListView::DragOver(QObject* sender, QObject* source, int item)
{
    try {
        if (!TZiehDaten::IstListe(sender) || !TZiehDaten::IstBaum(source))
            return false;
        TDataBasis* gezogen = TZiehDaten::Objekt(source);
        TDataBasis* ziel = ZielObjekt(sender, item);
        return gezogen != nullptr && ziel != nullptr && ziel->AllowDrop(gezogen);
    } catch (...) {
        TZiehLauf::MeldeAusnahme("CtrlListView::DragOver", true);
    }
    return false;
}

void TCtrlListView::DragDrop(QObject* sender, QObject* source, int item)
{
    struct TCursorZurueck {
        ~TCursorZurueck() { SetScreenCursor(crDefault); }
    } zurueck;
    try {
        if (!TZiehDaten::IstListe(sender) || !TZiehDaten::IstBaum(source))
            return;
        TDataBasis* gezogen = TZiehDaten::Objekt(source);
        TDataBasis* ziel = ZielObjekt(sender, item);
        if (gezogen == nullptr || ziel == nullptr)
            return;
        SetScreenCursor(crHourGlass);
        ziel->Drop(gezogen);
    } catch (...) {
        TZiehLauf::MeldeAusnahme("TCtrlListView::DragDrop", false);
    }
}
