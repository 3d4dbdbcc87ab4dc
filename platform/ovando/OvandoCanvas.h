#pragma once
// TOvandoCanvas: the surface a print job draws on, in the printer's device units, page after
// page. The first page is begun when the canvas is made; NewPage ends the current page and
// begins the next. Texts are UTF-8; (x, y) is a text's top-left corner.
//
// TOvandoDruckerCanvas draws on a QPrinter (a printer, the preview, a PDF file); the tests'
// TOvandoRecorder (tests/support) records what was drawn. Layout code is written once
// against this interface, so both see the same calls.

#include <string>

struct TOvandoRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    bool operator==(const TOvandoRect&) const = default;
};

class TOvandoCanvas {
public:
    virtual ~TOvandoCanvas() = default;

    // The printable area of a page.
    virtual int PageWidth() const = 0;
    virtual int PageHeight() const = 0;
    // The extent of the text in the current font.
    virtual int TextHeight(const std::string& text) const = 0;
    virtual int TextWidth(const std::string& text) const = 0;

    virtual void TextOut(int x, int y, const std::string& text) = 0;
    // As TextOut; nothing outside the rectangle is drawn.
    virtual void TextRect(const TOvandoRect& rect, int x, int y, const std::string& text) = 0;
    // A white rectangle with a black frame.
    virtual void Rectangle(const TOvandoRect& rect) = 0;
    virtual void Line(int x1, int y1, int x2, int y2) = 0;
    // Bold or regular text from now on.
    virtual void SetBold(bool bold) = 0;
    virtual void NewPage() = 0;
    // The pages begun so far (1 once the canvas is made).
    virtual int Pages() const = 0;
};
