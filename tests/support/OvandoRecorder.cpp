#include "support/OvandoRecorder.h"

TOvandoRecorder::TOvandoRecorder(int pageWidth, int pageHeight, int zeilenHoehe, int zeichenBreite)
    : m_pageWidth(pageWidth), m_pageHeight(pageHeight), m_zeilenHoehe(zeilenHoehe), m_zeichenBreite(zeichenBreite),
      m_seiten(1)
{
}

int TOvandoRecorder::TextHeight(const std::string&) const
{
    return m_zeilenHoehe;
}

int TOvandoRecorder::TextWidth(const std::string& text) const
{
    int zeichen = 0;
    for (const char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++zeichen;
    return zeichen * m_zeichenBreite;
}

void TOvandoRecorder::TextOut(int x, int y, const std::string& text)
{
    m_seiten.back().Texte.push_back({x, y, text, std::nullopt, m_bold});
}

void TOvandoRecorder::TextRect(const TOvandoRect& rect, int x, int y, const std::string& text)
{
    m_seiten.back().Texte.push_back({x, y, text, rect, m_bold});
}

void TOvandoRecorder::Rectangle(const TOvandoRect& rect)
{
    m_seiten.back().Rechtecke.push_back(rect);
}

void TOvandoRecorder::Line(int x1, int y1, int x2, int y2)
{
    m_seiten.back().Linien.push_back({x1, y1, x2, y2});
}

std::vector<std::string> TOvandoRecorder::Texte(int seite) const
{
    std::vector<std::string> texte;
    for (const TOvandoText& t : m_seiten.at(static_cast<std::size_t>(seite)).Texte)
        texte.push_back(t.Text);
    return texte;
}

std::vector<std::string> TOvandoRecorder::AlleTexte() const
{
    std::vector<std::string> texte;
    for (int i = 0; i < Pages(); ++i)
        for (std::string& t : Texte(i))
            texte.push_back(std::move(t));
    return texte;
}
