#pragma once
// What a drag of this program carries: the control it started from (the node tree or the
// folder list of a project window). The dragged object is never copied into the drag: it is
// always the data object of that control's selected element, read when a target is tested
// or dropped on. A drag from anywhere else (another program, a drag without this data, or a
// control that is gone) has no source and is refused.

#include <QMimeData>
#include <QPointer>

class QObject;
class TDataBasis;

class TZiehDaten : public QMimeData {
public:
    // The MIME type the data says it holds (empty content).
    static constexpr const char* Format = "application/x-miraval-knoten";

    // quelle: the control the drag starts from; not owned.
    explicit TZiehDaten(QObject* quelle);

    QObject* Quelle() const { return m_quelle.data(); }

    // The source control of a drag's data; null for data of any other drag.
    static QObject* Quelle(const QMimeData* daten);
    // A node tree (a QTreeWidget) or the folder list of a project window.
    static bool IstBaum(const QObject* control);
    static bool IstListe(const QObject* control);
    // The data object of the control's selected element: the tree's current node, the
    // list's selected item. Null without one, and for any other control.
    static TDataBasis* Objekt(const QObject* control);

private:
    QPointer<QObject> m_quelle;
};
