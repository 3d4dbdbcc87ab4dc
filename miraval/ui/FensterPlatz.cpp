#include "miraval/ui/FensterPlatz.h"

#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QResizeEvent>
#include <QTimer>

#include <algorithm>
#include <utility>

TFensterPlatz::TFensterPlatz(QMdiSubWindow& fenster) : QObject(&fenster), m_fenster(fenster) {}

QWidget* TFensterPlatz::Bereich() const
{
    QMdiArea* area = m_fenster.mdiArea();
    if (area == nullptr || (m_fenster.windowState() & (Qt::WindowMinimized | Qt::WindowMaximized)))
        return nullptr;
    const QWidget* haupt = area->window();
    if (!haupt->isVisible() || haupt->isMinimized() || area->viewport()->size().isEmpty())
        return nullptr;
    return area->viewport();
}

void TFensterPlatz::Gezeigt()
{
    m_warGezeigt = true;
    if (QMdiArea* area = m_fenster.mdiArea(); area != nullptr && m_beobachtet != area->viewport()) {
        if (m_beobachtet)
            m_beobachtet->removeEventFilter(this);
        m_beobachtet = area->viewport();
        m_beobachtet->installEventFilter(this);
    }
    // The main window lays out its area after its children are shown.
    QTimer::singleShot(0, this, [this] { Platzieren(); });
}

void TFensterPlatz::Platzieren()
{
    const QWidget* bereich = Bereich();
    if (bereich == nullptr)
        return;
    if (Fuellt(bereich->size())) {
        Fuelle(bereich->size());
        return;
    }
    const QRect innen = Innerhalb(m_fenster.geometry(), bereich->size());
    if (innen != m_fenster.geometry())
        m_fenster.setGeometry(innen);
}

bool TFensterPlatz::Fuellt(const QSize& bereich) const
{
    const QRect rahmen = m_fenster.geometry();
    return m_fuellen || rahmen == m_gefuellt || rahmen == QRect(QPoint(0, 0), bereich);
}

void TFensterPlatz::Fuelle(const QSize& groesse)
{
    m_fuellen = false;
    m_gefuellt = QRect(QPoint(0, 0), groesse);
    m_fenster.setGeometry(m_gefuellt);
}

bool TFensterPlatz::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_beobachtet && event->type() == QEvent::Resize && m_fenster.isVisible()) {
        const auto* groesse = static_cast<QResizeEvent*>(event);
        if (Bereich() != nullptr && Fuellt(groesse->oldSize()))
            Fuelle(groesse->size());
    }
    return false;
}

QRect TFensterPlatz::Innerhalb(const QRect& rahmen, const QSize& bereich)
{
    if (QRect(QPoint(0, 0), bereich).contains(rahmen))
        return rahmen;
    // The top-left corner stays where the window keeps at least half the area's width and
    // height (the offset of a further window stays visible); the frame is cut at the area's
    // edges.
    const auto achse = [](int position, int laenge, int platz) {
        int anfang = std::max(0, position);
        if (anfang > platz / 2)
            anfang = std::max(0, platz - laenge);
        return std::pair(anfang, std::min(laenge, platz - anfang));
    };
    const auto [x, breite] = achse(rahmen.x(), rahmen.width(), bereich.width());
    const auto [y, hoehe] = achse(rahmen.y(), rahmen.height(), bereich.height());
    return {x, y, breite, hoehe};
}
