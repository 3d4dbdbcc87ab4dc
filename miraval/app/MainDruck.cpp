// TFormMain: printing and previewing the configuration of the current device. The report
// (platform/ovando) prints what it is handed: here the current project window's tree, node by
// node in tree order, each node that draws a property page with the rows it puts into a
// hidden grid.

#include "miraval/app/Main.h"

#include "miraval/devinst/DevInstAz.h"
#include "miraval/dienste/Spredit.h"
#include "miraval/ui/CtrlTree.h"
#include "miraval/ui/FProjektierung.h"
#include "pellam/DataBasis.h"
#include "quillon/CursorHourGlass.h"
#include "quillon/SprObjektModell.h"
#include "rastow/DrawGridSE.h"
#include "tamsel/Tamsel.h"
#include "vcl/ListView.h"

#include <QTreeWidget>

namespace {

// The rows the node puts into the grid, as (caption, value); rows with both cells empty are
// left out.
std::vector<std::pair<std::string, std::string>> Eigenschaften(TDataBasis& node, TDrawGridSE& grid, TListView& liste)
{
    grid.Clear();
    grid.BeginUpdate();
    node.BuildInfoWindow(&grid, &liste, false, -1, -1);
    grid.EndUpdate();
    std::vector<std::pair<std::string, std::string>> zeilen;
    for (int zeile = 0; zeile < grid.RowCount(); ++zeile) {
        const TCell* beschriftung = grid.Cell(0, zeile);
        const TCell* wert = grid.Cell(1, zeile);
        std::string links = beschriftung != nullptr ? beschriftung->Text : std::string();
        std::string rechts = wert != nullptr ? wert->Text : std::string();
        if (!links.empty() || !rechts.empty())
            zeilen.emplace_back(std::move(links), std::move(rechts));
    }
    // No handler of the node stays bound to the grid.
    grid.Clear();
    return zeilen;
}

void Sammeln(const QTreeWidgetItem* item, int ebene, TDrawGridSE& grid, TListView& liste,
             std::vector<TReportEintrag>& eintraege)
{
    TReportEintrag eintrag;
    eintrag.Ebene = ebene;
    eintrag.Text = item->text(0).toStdString();
    if (TDataBasis* node = TCtrlTree::Data(item); node != nullptr && node->ListStyle() == 1)
        eintrag.Zeilen = Eigenschaften(*node, grid, liste);
    eintraege.push_back(std::move(eintrag));
    for (int i = 0; i < item->childCount(); ++i)
        Sammeln(item->child(i), ebene + 1, grid, liste, eintraege);
}

} // namespace

void TFormMain::SeitenVorschau()
{
    LOG_FKT("TFormMain::SeitenVorschau");
    TRecReportInfo info;
    info.Vorschau = 1;
    MakeDrucken(info, "");
}

void TFormMain::Drucken()
{
    LOG_FKT("TFormMain::Drucken");
    TRecReportInfo info;
    info.Vorschau = 0;
    MakeDrucken(info, "");
}

void TFormMain::MakeDrucken(TRecReportInfo info, const std::string&)
{
    LOG_FKT("TFormMain::MakeDrucken");
    if (AktDevInst == nullptr || FormVerw == nullptr)
        return;
    TCursorHourGlass sanduhr;
    TDeviceEtsInfo ets;
    AktDevInst->GetDeviceEtsInfo(ets);
    m_report.reset();

    // The grid is a model: hidden by being drawn nowhere.
    TDrawGridSE grid;
    grid.Visible = false;
    grid.Clear();
    TListView liste;
    std::vector<TReportEintrag> eintraege;
    const QTreeWidget* baum = FormVerw->GetTree();
    for (int i = 0; i < baum->topLevelItemCount(); ++i)
        Sammeln(baum->topLevelItem(i), 0, grid, liste, eintraege);

    m_report = std::make_unique<TVireoReport>(std::move(eintraege), this, info);
    std::string titel = Spredit::Txt9146 + ": " + ets.ProjektName + "\n" + Spredit::Txt9023 + ": " + ets.GeraeteName +
                        ", " + SprObjektModell::TxtPhysAdr + ": " + ets.PhysAdr;
    if (!ets.ZusatzText.empty())
        titel += "\n[" + ets.ZusatzText + "]";
    m_report->SetTitel(std::move(titel));
    m_report->Start(info.Vorschau != 0, 1);
}
