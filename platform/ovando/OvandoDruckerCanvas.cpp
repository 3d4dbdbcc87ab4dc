#include "ovando/OvandoDruckerCanvas.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPrinter>

namespace {

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

} // namespace

TOvandoDruckerCanvas::TOvandoDruckerCanvas(QPrinter& printer) : m_printer(printer), m_font(QApplication::font())
{
    m_font.setPointSize(10);
    if (!m_painter.begin(&printer))
        return;
    m_painter.setFont(m_font);
    m_painter.setPen(Qt::black);
    m_painter.setBrush(Qt::white);
    m_pages = 1;
}

TOvandoDruckerCanvas::~TOvandoDruckerCanvas()
{
    Ende();
}

bool TOvandoDruckerCanvas::Ende()
{
    if (!m_painter.isActive())
        return true;
    return m_painter.end();
}

int TOvandoDruckerCanvas::PageWidth() const
{
    return m_printer.width();
}

int TOvandoDruckerCanvas::PageHeight() const
{
    return m_printer.height();
}

int TOvandoDruckerCanvas::TextHeight(const std::string&) const
{
    // One line of the font, whatever the text: rows of one report keep one pitch.
    return QFontMetrics(m_font, &m_printer).height();
}

int TOvandoDruckerCanvas::TextWidth(const std::string& text) const
{
    return QFontMetrics(m_font, &m_printer).horizontalAdvance(Q(text));
}

void TOvandoDruckerCanvas::TextOut(int x, int y, const std::string& text)
{
    if (!IsActive())
        return;
    const QString q = Q(text);
    const QFontMetrics metrics(m_font, &m_printer);
    m_painter.drawText(QRect(x, y, metrics.horizontalAdvance(q) + 1, metrics.height()),
                       Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, q);
}

void TOvandoDruckerCanvas::TextRect(const TOvandoRect& rect, int x, int y, const std::string& text)
{
    if (!IsActive())
        return;
    m_painter.save();
    m_painter.setClipRect(QRect(QPoint(rect.Left, rect.Top), QPoint(rect.Right - 1, rect.Bottom - 1)));
    TextOut(x, y, text);
    m_painter.restore();
}

void TOvandoDruckerCanvas::Rectangle(const TOvandoRect& rect)
{
    if (IsActive())
        m_painter.drawRect(QRect(QPoint(rect.Left, rect.Top), QPoint(rect.Right - 1, rect.Bottom - 1)));
}

void TOvandoDruckerCanvas::Line(int x1, int y1, int x2, int y2)
{
    if (IsActive())
        m_painter.drawLine(x1, y1, x2, y2);
}

void TOvandoDruckerCanvas::SetBold(bool bold)
{
    m_font.setBold(bold);
    if (IsActive())
        m_painter.setFont(m_font);
}

void TOvandoDruckerCanvas::NewPage()
{
    if (IsActive() && m_printer.newPage())
        ++m_pages;
}
