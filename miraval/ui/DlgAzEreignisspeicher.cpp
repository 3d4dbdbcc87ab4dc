#include "miraval/ui/DlgAzEreignisspeicher.h"

#include "miraval/dienste/DateiZugriff.h"
#include "miraval/dienste/Spredit.h"
#include "miraval/ui/Geschuetzt.h"
#include "ovando/OvandoAnzeige.h"
#include "ovando/OvandoCanvas.h"
#include "ovando/OvandoDruckerCanvas.h"
#include "tamsel/Tamsel.h"
#include "tessarin/SprAz.h"
#include "vcl/StringList.h"
#include "win32/MessageBox.h"
#include "win32/Shell.h"
#include "win32/qt/QtPlatform.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <filesystem>

namespace {

constexpr int kSpalten = 6;
constexpr int kSpaltenBreiten[kSpalten] = {30, 110, 160, 160, 70, 70};

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

const std::string& Spaltentitel(int spalte)
{
    static const std::string* const kTitel[kSpalten] = {&SprAz::Txt10275, &SprAz::Txt10276, &SprAz::Txt10277,
                                                        &SprAz::Txt10278, &SprAz::Txt10279, &SprAz::Txt10280};
    return *kTitel[spalte];
}

} // namespace

TDlgEreignisspeicher::TDlgEreignisspeicher(QWidget* owner, const TStringList& ereignisse, std::string kopf1,
                                           std::string kopf2, std::string pcZeit, std::string geraetZeit)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint),
      m_ereignisse(ereignisse), m_kopf1(std::move(kopf1)), m_kopf2(std::move(kopf2)), m_pcZeit(std::move(pcZeit)),
      m_geraetZeit(std::move(geraetZeit))
{
    LOG_FKT("TDlgEreignisspeicher::TDlgEreignisspeicher");
    setObjectName("DlgEreignisspeicher");
    resize(620, 453);
    SaveDialogAusfuehren = DateiZugriff::DialogAusfuehren;

    LabelPcAndDeviceTime = new QLabel(this);
    LabelPcAndDeviceTime->setObjectName("LabelPcAndDeviceTime");
    LabelPcAndDeviceTime->setTextFormat(Qt::PlainText);
    ListView = new QTreeWidget(this);
    ListView->setObjectName("ListView");
    ListView->setRootIsDecorated(false);
    ListView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView->setColumnCount(kSpalten);
    ListView->header()->setSectionsClickable(false);
    ListView->header()->setStretchLastSection(false);
    BtnSave = new QPushButton(this);
    BtnSave->setObjectName("BtnSave");
    BtnPrint = new QPushButton(this);
    BtnPrint->setObjectName("BtnPrint");
    BtnClose = new QPushButton(this);
    BtnClose->setObjectName("BtnClose");
    for (QPushButton* knopf : {BtnSave, BtnPrint, BtnClose})
        knopf->setAutoDefault(false);
    connect(BtnSave, &QPushButton::clicked, this, [this] { Sicher([this] { BtnSaveClick(); }); });
    connect(BtnPrint, &QPushButton::clicked, this, [this] { Sicher([this] { BtnPrintClick(); }); });
    connect(BtnClose, &QPushButton::clicked, this, [this] { done(2); });

    auto* knoepfe = new QHBoxLayout;
    knoepfe->addStretch();
    knoepfe->addWidget(BtnSave);
    knoepfe->addWidget(BtnPrint);
    knoepfe->addWidget(BtnClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LabelPcAndDeviceTime);
    layout->addWidget(ListView, 1);
    layout->addLayout(knoepfe);

    m_zeitZeile = SprAz::Txt10366 + " " + SprAz::Txt10367 + ": " + m_pcZeit + std::string(4, ' ') + m_kopf2 + ": " +
                  m_geraetZeit;
    setWindowTitle(DisplayText(SprAz::Txt10281));
    BtnClose->setText(DisplayText(SprAz::Txt10286));
    BtnPrint->setText(DisplayText(SprAz::Txt10287));
    BtnSave->setText(DisplayText(SprAz::Txt10288));
    LabelPcAndDeviceTime->setText(DisplayText(SprAz::Txt10366 + "\n\r" + "\n\r" + SprAz::Txt10367 + ": " + m_pcZeit +
                                              std::string(10, ' ') + m_kopf2 + ": " + m_geraetZeit));
    QStringList titel;
    for (int spalte = 0; spalte < kSpalten; ++spalte) {
        titel << DisplayText(Spaltentitel(spalte));
        ListView->setColumnWidth(spalte, kSpaltenBreiten[spalte]);
    }
    ListView->setHeaderLabels(titel);
    FillListView();
}

template <class F> void TDlgEreignisspeicher::Sicher(F f)
{
    Geschuetzt(f);
}

void TDlgEreignisspeicher::FillListView()
{
    LOG_FKT("TDlgEreignisspeicher::FillListView");
    ListView->clear();
    std::string vorherigerBereich;
    TStringList felder;
    for (int k = 0; k < m_ereignisse.Count(); ++k) {
        felder.SetCommaText(m_ereignisse[k]);
        while (felder.Count() < kSpalten)
            felder.Add("");
        // A blank row where the area changes; none before the first.
        if (felder[1] != vorherigerBereich && !vorherigerBereich.empty())
            new QTreeWidgetItem(ListView, QStringList{QStringLiteral(" ")});
        auto* item = new QTreeWidgetItem(ListView);
        item->setText(0, QString::number(k + 1));
        for (int spalte = 1; spalte < kSpalten; ++spalte)
            item->setText(spalte, Q(felder[spalte]));
        vorherigerBereich = felder[1];
    }
}

std::string TDlgEreignisspeicher::SpeicherOrdner()
{
    return std::filesystem::path(GetModuleFileName()).replace_extension().string() + "/Ereignisspeicher/";
}

std::vector<std::string> TDlgEreignisspeicher::Dateizeilen() const
{
    std::vector<std::string> zeilen{m_kopf1, m_zeitZeile};
    TStringList titel;
    for (int spalte = 0; spalte < kSpalten; ++spalte)
        titel.Add(Spaltentitel(spalte));
    zeilen.push_back(titel.CommaText());
    for (int k = 0; k < m_ereignisse.Count(); ++k)
        zeilen.push_back(m_ereignisse[k]);
    return zeilen;
}

bool TDlgEreignisspeicher::Speichern(const std::string& datei, std::string& fehler) const
{
    LOG_FKT("TDlgEreignisspeicher::Speichern");
    std::string inhalt;
    for (const std::string& zeile : Dateizeilen())
        inhalt += zeile + "\r\n";
    if (!DateiZugriff::SchreibenAtomar(datei, inhalt, fehler))
        return false;
    return true;
}

void TDlgEreignisspeicher::BtnSaveClick()
{
    LOG_FKT("TDlgEreignisspeicher::BtnSaveClick");
    QFileDialog dialog(this);
    dialog.setObjectName("SaveDialog");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDirectory(Q(SpeicherOrdner()));
    dialog.selectFile(Q(SprAz::Txt10282));
    const QStringList filter = DateiZugriff::NamensFilter(SprAz::Txt10346);
    dialog.setNameFilters(filter);
    if (filter.size() >= 2)
        dialog.selectNameFilter(filter[1]);
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    if (!SaveDialogAusfuehren || !SaveDialogAusfuehren(dialog))
        return;
    const std::string datei = DateiZugriff::GewaehlteDatei(dialog);
    if (datei.empty())
        return;
    std::string fehler;
    if (!Speichern(datei, fehler))
        MessageBox(nullptr, "Die Datei konnte nicht gespeichert werden:\n" + datei + "\n" + fehler, Spredit::Txt9003,
                   MB_OK | MB_ICONERROR);
}

void TDlgEreignisspeicher::BtnPrintClick()
{
    LOG_FKT("TDlgEreignisspeicher::BtnPrintClick");
    QPrinter printer(QPrinter::HighResolution);
    printer.setResolution(600);
    if (!OvandoAnzeige().Druckdialog(printer, this))
        return;
    printer.setPageOrientation(QPageLayout::Landscape);
    TOvandoDruckerCanvas canvas(printer);
    if (!canvas.IsActive())
        return;
    Drucke(canvas);
    canvas.Ende();
}

int TDlgEreignisspeicher::PrintPageHeader(TOvandoCanvas& canvas, int seite) const
{
    const int breite = canvas.PageWidth();
    const int hoehe = canvas.PageHeight();
    canvas.Rectangle({kRandLinks, kRandOben, breite - kRandRechts, hoehe - kRandUnten});
    int x = kRandLinks + 30;
    int y = kRandOben + 30;
    // The page title, empty here, takes 25 characters.
    std::string titel = m_seitenTitel;
    if (titel.size() < 25)
        titel.append(25 - titel.size(), ' ');
    canvas.TextOut(x, y, m_kopf1 + std::string(8, ' ') + titel);
    canvas.TextOut(breite - kRandRechts - 300, y, " Seite " + std::to_string(seite));
    y += canvas.TextHeight(m_zeitZeile) + 30;
    canvas.TextOut(x, y, m_zeitZeile);
    y += 2 * (canvas.TextHeight(m_zeitZeile) + 30);
    const int w = (breite - kRandLinks - kRandRechts) / kSpalten;
    for (int spalte = 0; spalte < kSpalten; ++spalte) {
        const std::string& text = Spaltentitel(spalte);
        const int h = canvas.TextHeight(text);
        canvas.TextRect({x + 30, y, x + w - 30, y + h}, x + 30, y, text);
        x += w;
        canvas.Line(x, y, x, hoehe - kRandUnten);
    }
    y += canvas.TextHeight(Spaltentitel(0));
    canvas.Line(kRandLinks, y, breite - kRandRechts, y);
    return y;
}

void TDlgEreignisspeicher::Drucke(TOvandoCanvas& canvas) const
{
    LOG_FKT("TDlgEreignisspeicher::Drucke");
    int seite = 1;
    int y = PrintPageHeader(canvas, seite);
    const int w = (canvas.PageWidth() - kRandLinks - kRandRechts) / kSpalten;
    for (int i = 0; i < ListView->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = ListView->topLevelItem(i);
        const std::string text = item->text(0).toStdString();
        int x = kRandLinks + 30;
        y += canvas.TextHeight(text);
        if (y > canvas.PageHeight() - kRandUnten - 100) {
            canvas.NewPage();
            y = PrintPageHeader(canvas, ++seite) + canvas.TextHeight(text);
        }
        const int h = canvas.TextHeight(text);
        canvas.TextRect({x, y, x + w - 60, y + h}, x, y, text);
        // A separator row has its caption only.
        for (int spalte = 1; spalte < item->columnCount(); ++spalte) {
            const std::string zelle = item->text(spalte).toStdString();
            x += w;
            canvas.TextRect({x, y, x + w - 60, y + canvas.TextHeight(zelle)}, x, y, zelle);
        }
    }
}
