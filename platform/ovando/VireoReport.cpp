#include "ovando/VireoReport.h"

#include "ovando/OvandoAnzeige.h"
#include "ovando/OvandoDruckerCanvas.h"

#include <QPrinter>

#include <algorithm>

namespace {

std::vector<std::string> Zeilen(const std::string& text)
{
    std::vector<std::string> zeilen;
    std::size_t anfang = 0;
    for (;;) {
        const std::size_t ende = text.find('\n', anfang);
        zeilen.push_back(text.substr(anfang, ende - anfang));
        if (ende == std::string::npos)
            return zeilen;
        anfang = ende + 1;
    }
}

// One report's pass over the canvas: where the next line goes and when a page is full.
class TSetzer {
public:
    TSetzer(TOvandoCanvas& canvas, const std::vector<std::string>& titel)
        : m_canvas(canvas), m_titel(titel), m_hoehe(std::max(1, canvas.TextHeight("Ag")))
    {
        Kopf();
    }

    int Hoehe() const { return m_hoehe; }
    // The top of a new line; a new page first when the line (and `weitere` lines after it)
    // would run past the bottom margin. A page holds at least one line whatever its height.
    int Zeile(int weitere = 0)
    {
        const int unten = m_canvas.PageHeight() - TVireoReport::kRandUnten;
        if (m_y + (1 + weitere) * m_hoehe > unten && m_y > m_inhaltOben) {
            m_canvas.NewPage();
            Kopf();
        }
        const int y = m_y;
        m_y += m_hoehe;
        return y;
    }

private:
    void Kopf()
    {
        TOvandoCanvas& c = m_canvas;
        const int rechts = c.PageWidth() - TVireoReport::kRandRechts;
        c.Rectangle({TVireoReport::kRandLinks, TVireoReport::kRandOben, rechts, c.PageHeight() - TVireoReport::kRandUnten});
        const int x = TVireoReport::kRandLinks + m_hoehe / 2;
        int y = TVireoReport::kRandOben + m_hoehe / 2;
        const std::string seite = "Seite " + std::to_string(c.Pages());
        c.SetBold(false);
        c.TextOut(rechts - m_hoehe / 2 - c.TextWidth(seite), y, seite);
        c.SetBold(true);
        for (const std::string& zeile : m_titel) {
            c.TextOut(x, y, zeile);
            y += m_hoehe;
        }
        c.SetBold(false);
        y += m_hoehe / 2;
        c.Line(TVireoReport::kRandLinks, y, rechts, y);
        m_y = y + m_hoehe / 2;
        m_inhaltOben = m_y;
    }

    TOvandoCanvas& m_canvas;
    const std::vector<std::string>& m_titel;
    int m_hoehe;
    int m_y = 0;
    int m_inhaltOben = 0;
};

} // namespace

TVireoReport::TVireoReport(std::vector<TReportEintrag> eintraege, QWidget* owner, TRecReportInfo info)
    : m_eintraege(std::move(eintraege)), m_owner(owner), m_info(info)
{
}

void TVireoReport::Zeichnen(TOvandoCanvas& canvas) const
{
    const std::vector<std::string> titel = Zeilen(m_titel);
    TSetzer setzer(canvas, titel);
    const int h = setzer.Hoehe();
    const int links = kRandLinks + h / 2;
    const int rechts = canvas.PageWidth() - kRandRechts - h / 2;
    const int einzug = 2 * h;
    for (const TReportEintrag& eintrag : m_eintraege) {
        const int x = links + std::max(0, eintrag.Ebene) * einzug;
        // The caption keeps its first row with it.
        const int y = setzer.Zeile(eintrag.Zeilen.empty() ? 0 : 1);
        canvas.SetBold(true);
        canvas.TextRect({x, y, rechts, y + h}, x, y, eintrag.Text);
        canvas.SetBold(false);
        const int spalte1 = x + einzug;
        const int spalte2 = spalte1 + std::max(0, rechts - spalte1) / 2;
        for (const auto& [beschriftung, wert] : eintrag.Zeilen) {
            const int zy = setzer.Zeile();
            canvas.TextRect({spalte1, zy, spalte2 - h / 2, zy + h}, spalte1, zy, beschriftung);
            canvas.TextRect({spalte2, zy, rechts, zy + h}, spalte2, zy, wert);
        }
    }
}

void TVireoReport::Start(bool vorschau, int einrichten)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setResolution(600);
    printer.setDocName(QStringLiteral("Miraval"));
    const auto zeichnen = [this](QPrinter& p) {
        TOvandoDruckerCanvas canvas(p);
        if (canvas.IsActive())
            Zeichnen(canvas);
    };
    if (vorschau) {
        OvandoAnzeige().Vorschau(printer, m_owner, zeichnen);
        return;
    }
    if (einrichten == 1 && !OvandoAnzeige().Druckdialog(printer, m_owner))
        return;
    zeichnen(printer);
}
