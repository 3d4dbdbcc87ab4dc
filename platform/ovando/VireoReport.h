#pragma once
// TVireoReport: the printout of a device's configuration. The caller hands the entries (the
// tree's nodes in tree order, each with its depth and its property rows) and the title; the
// report lays them out on pages and prints them or shows them in the preview.
//
// Page: a frame, the title lines top left in bold with "Seite <n>" at the right, a rule
// under them, then the entries: the node's caption indented by its depth, its property rows
// below it in two columns (caption | value, each clipped to its column). An entry never
// starts on a page without room for its caption; long rows go on on the next page.

#include "ovando/OvandoCanvas.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class QWidget;

// Handed over by value. Vorschau: 1 preview, 0 print.
struct TRecReportInfo {
    uint8_t Vorschau = 0;
    int32_t Reserve = 0;
};

struct TReportEintrag {
    int Ebene = 0; // 0 for a root of the tree
    std::string Text;
    std::vector<std::pair<std::string, std::string>> Zeilen; // caption, value
};

class TVireoReport {
public:
    // Margins in device units.
    static constexpr int kRandLinks = 300;
    static constexpr int kRandOben = 200;
    static constexpr int kRandRechts = 200;
    static constexpr int kRandUnten = 200;

    // owner: the window the dialogs open over (may be null).
    TVireoReport(std::vector<TReportEintrag> eintraege, QWidget* owner, TRecReportInfo info);

    // Lines separated by "\n".
    void SetTitel(std::string titel) { m_titel = std::move(titel); }
    const std::string& GetTitel() const { return m_titel; }
    const std::vector<TReportEintrag>& GetEintraege() const { return m_eintraege; }
    const TRecReportInfo& GetInfo() const { return m_info; }

    // vorschau: the preview; else the print, after the print dialog when einrichten is 1 (any
    // other value prints on the default printer). Through the process's TOvandoAnzeige.
    void Start(bool vorschau, int einrichten);
    // Lays the whole report out on the canvas, from its first page on.
    void Zeichnen(TOvandoCanvas& canvas) const;

private:
    std::vector<TReportEintrag> m_eintraege;
    QWidget* m_owner;
    TRecReportInfo m_info;
    std::string m_titel;
};
