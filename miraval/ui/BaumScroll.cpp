#include "miraval/ui/BaumScroll.h"

#include "miraval/ui/Geschuetzt.h"
#include "miraval/ui/ZiehLauf.h"

#include <QCursor>
#include <QFontInfo>
#include <QRect>
#include <QScrollBar>
#include <QTimer>
#include <QTreeWidget>

TBaumScroll::TBaumScroll(QTreeWidget* tree) : m_tree(tree), m_timer(std::make_unique<QTimer>())
{
    m_timer->setObjectName(QStringLiteral("TimerTreeScroll"));
    m_timer->setInterval(50);
    QObject::connect(m_timer.get(), &QTimer::timeout, [this] { Geschuetzt([&] { Tick(); }); });
}

TBaumScroll::~TBaumScroll() = default;

bool TBaumScroll::IstAn() const
{
    return m_timer->isActive();
}

void TBaumScroll::Start()
{
    m_richtung = 0;
    m_timer->start();
}

void TBaumScroll::DragOver()
{
    m_richtung = 0;
    if (!m_timer->isActive())
        m_timer->start();
}

void TBaumScroll::Ende()
{
    m_richtung = 0;
    m_timer->stop();
}

uint8_t TBaumScroll::Richtung(int y, int top, int bottom, int fontHeight)
{
    const int band = 5 - fontHeight;
    const int half = -fontHeight / 2;
    uint8_t richtung = 0;
    if (top + half - band < y && y < top + half)
        richtung = 2;
    if (bottom - half < y && y < bottom - half + band)
        richtung = 1;
    return richtung;
}

int TBaumScroll::FontHeight() const
{
    return -QFontInfo(m_tree->font()).pixelSize();
}

void TBaumScroll::Tick()
{
    if (!m_ersterTick) {
        m_ersterTick = true;
        return;
    }
    if (!TZiehLauf::Laeuft()) {
        Ende();
        return;
    }
    const QPoint cursor = m_cursor ? m_cursor() : QCursor::pos();
    const QRect baum(m_tree->mapToGlobal(QPoint(0, 0)), m_tree->size());
    m_richtung = Richtung(cursor.y(), baum.top(), baum.top() + baum.height(), FontHeight());
    switch (m_richtung) {
    case 1:
        m_tree->verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        break;
    case 2:
        m_tree->verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
        break;
    default:
        m_timer->stop();
        break;
    }
}
