#pragma once
// TOvandoDruckerCanvas: the canvas over a QPrinter (a printer, the preview's pages or a PDF
// file). Making it begins the document with the first page; Ende (or the destructor) ends
// it. A printer that cannot be opened gives an inactive canvas that draws nothing: check
// IsActive first. Black pen and text, white brush, the application's font at 10 points.

#include "ovando/OvandoCanvas.h"

#include <QFont>
#include <QPainter>

class QPrinter;

class TOvandoDruckerCanvas : public TOvandoCanvas {
public:
    explicit TOvandoDruckerCanvas(QPrinter& printer);
    ~TOvandoDruckerCanvas() override;
    TOvandoDruckerCanvas(const TOvandoDruckerCanvas&) = delete;
    TOvandoDruckerCanvas& operator=(const TOvandoDruckerCanvas&) = delete;

    bool IsActive() const { return m_painter.isActive(); }
    // Ends the document; false when the printer reports a failure.
    bool Ende();

    int PageWidth() const override;
    int PageHeight() const override;
    int TextHeight(const std::string& text) const override;
    int TextWidth(const std::string& text) const override;
    void TextOut(int x, int y, const std::string& text) override;
    void TextRect(const TOvandoRect& rect, int x, int y, const std::string& text) override;
    void Rectangle(const TOvandoRect& rect) override;
    void Line(int x1, int y1, int x2, int y2) override;
    void SetBold(bool bold) override;
    void NewPage() override;
    int Pages() const override { return m_pages; }

private:
    QPrinter& m_printer;
    QPainter m_painter;
    QFont m_font;
    int m_pages = 0;
};
