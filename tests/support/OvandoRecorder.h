#pragma once
// TOvandoRecorder: a canvas that draws nothing and records every call, page by page, with
// fixed metrics: every text is one line high, each character (UTF-8 code point) a fixed
// width. Tests read what a layout printed and where.

#include "ovando/OvandoCanvas.h"

#include <optional>
#include <string>
#include <vector>

struct TOvandoText {
    int X = 0;
    int Y = 0;
    std::string Text;
    std::optional<TOvandoRect> Clip; // TextRect's rectangle
    bool Bold = false;
};

struct TOvandoSeite {
    std::vector<TOvandoText> Texte;
    std::vector<TOvandoRect> Rechtecke;
    std::vector<TOvandoRect> Linien; // (x1, y1, x2, y2)
};

class TOvandoRecorder : public TOvandoCanvas {
public:
    TOvandoRecorder(int pageWidth, int pageHeight, int zeilenHoehe, int zeichenBreite = 50);

    int PageWidth() const override { return m_pageWidth; }
    int PageHeight() const override { return m_pageHeight; }
    int TextHeight(const std::string& text) const override;
    int TextWidth(const std::string& text) const override;
    void TextOut(int x, int y, const std::string& text) override;
    void TextRect(const TOvandoRect& rect, int x, int y, const std::string& text) override;
    void Rectangle(const TOvandoRect& rect) override;
    void Line(int x1, int y1, int x2, int y2) override;
    void SetBold(bool bold) override { m_bold = bold; }
    void NewPage() override { m_seiten.emplace_back(); }
    int Pages() const override { return static_cast<int>(m_seiten.size()); }

    const std::vector<TOvandoSeite>& Seiten() const { return m_seiten; }
    // Every text of the page, or of every page, in drawing order.
    std::vector<std::string> Texte(int seite) const;
    std::vector<std::string> AlleTexte() const;

private:
    int m_pageWidth;
    int m_pageHeight;
    int m_zeilenHoehe;
    int m_zeichenBreite;
    bool m_bold = false;
    std::vector<TOvandoSeite> m_seiten;
};
