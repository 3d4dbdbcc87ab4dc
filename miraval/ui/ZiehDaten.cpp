#include "miraval/ui/ZiehDaten.h"

#include "miraval/ui/CtrlTree.h"
#include "miraval/ui/ModellAnsichten.h"
#include "vcl/ListView.h"

#include <QByteArray>
#include <QString>
#include <QTreeWidget>

TZiehDaten::TZiehDaten(QObject* quelle) : m_quelle(quelle)
{
    setData(QString::fromLatin1(Format), QByteArray());
}

QObject* TZiehDaten::Quelle(const QMimeData* daten)
{
    const auto* eigene = dynamic_cast<const TZiehDaten*>(daten);
    return eigene != nullptr ? eigene->Quelle() : nullptr;
}

bool TZiehDaten::IstBaum(const QObject* control)
{
    return qobject_cast<const QTreeWidget*>(control) != nullptr;
}

bool TZiehDaten::IstListe(const QObject* control)
{
    return ListModell(control) != nullptr;
}

TDataBasis* TZiehDaten::Objekt(const QObject* control)
{
    if (const auto* baum = qobject_cast<const QTreeWidget*>(control))
        return TCtrlTree::Data(baum->currentItem());
    if (TListView* liste = ListModell(control)) {
        const TListItem* eintrag = liste->Selected();
        return eintrag != nullptr ? static_cast<TDataBasis*>(eintrag->Data) : nullptr;
    }
    return nullptr;
}
