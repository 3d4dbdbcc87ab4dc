#include "miraval/ui/DlgSelPhysAdrSe.h"

#include "miraval/ui/Geschuetzt.h"
#include "tamsel/Tamsel.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kModalOk = 1;
constexpr int kModalAbbrechen = 2;

const char* const kLabelPhysAdr = "Parametrierte Physikalische Adresse Schalteinrichtung";

QString Qs(const std::string& text)
{
    return QString::fromStdString(text);
}

} // namespace

TDlgSelPhysAdrSe::TDlgSelPhysAdrSe(QWidget* owner, TPhysAdrEintrag* ergebnis,
                                   const std::list<TPhysAdrEintrag>& geraete, const std::list<int32_t>& benutzt)
    : QDialog(owner), m_ergebnis(ergebnis), m_geraete(geraete.begin(), geraete.end()), m_benutzt(benutzt)
{
    LOG_FKT("TDlgSelPhysAdrSe::TDlgSelPhysAdrSe");
    setObjectName(QStringLiteral("DlgSelPhysAdrSe"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

    lvPhysAdrSe = new QTreeWidget(this);
    lvPhysAdrSe->setObjectName(QStringLiteral("lvPhysAdrSe"));
    lvPhysAdrSe->setColumnCount(2);
    lvPhysAdrSe->setRootIsDecorated(false);
    lvPhysAdrSe->setItemsExpandable(false);
    lvPhysAdrSe->setSelectionMode(QAbstractItemView::SingleSelection);
    lvPhysAdrSe->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvPhysAdrSe->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvPhysAdrSe->setSortingEnabled(false);
    lvPhysAdrSe->setColumnWidth(0, 200);
    lvPhysAdrSe->setColumnWidth(1, 150);
    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    LabelPhysAdr = new QLabel(Panel1);
    LabelPhysAdr->setObjectName(QStringLiteral("LabelPhysAdr"));
    auto* panelLayout = new QHBoxLayout(Panel1);
    panelLayout->addWidget(LabelPhysAdr);
    BtnOk = new QPushButton(this);
    BtnOk->setObjectName(QStringLiteral("BtnOk"));
    BtnAbbrechen = new QPushButton(this);
    BtnAbbrechen->setObjectName(QStringLiteral("BtnAbbrechen"));
    BtnNoPhysAdr = new QPushButton(this);
    BtnNoPhysAdr->setObjectName(QStringLiteral("BtnNoPhysAdr"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lvPhysAdrSe, 1);
    layout->addWidget(Panel1);
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addWidget(BtnNoPhysAdr);
    knoepfe->addStretch(1);
    knoepfe->addWidget(BtnOk);
    knoepfe->addWidget(BtnAbbrechen);
    layout->addLayout(knoepfe);
    resize(400, 300);

    connect(BtnOk, &QPushButton::clicked, this, [this] { Geschuetzt([this] { BtnOkClick(); }); });
    connect(BtnAbbrechen, &QPushButton::clicked, this, [this] { Geschuetzt([this] { BtnAbbrechenClick(); }); });
    connect(BtnNoPhysAdr, &QPushButton::clicked, this, [this] { Geschuetzt([this] { BtnNoPhysAdrClick(); }); });
    // lvPhysAdrSeClick: the row clicked is the one chosen.
    connect(lvPhysAdrSe, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* zeile, int) {
        lvPhysAdrSe->setCurrentItem(zeile);
        zeile->setSelected(true);
    });

    LadeDlgTexte();
    FillListView();
}

void TDlgSelPhysAdrSe::LadeDlgTexte()
{
    LOG_FKT("TDlgSelPhysAdrSe::LadeDlgTexte");
    setWindowTitle(QStringLiteral("Physikalische Adresse Schalteinrichtung auswählen"));
    lvPhysAdrSe->setHeaderLabels({QStringLiteral("Geräte-Name"), QStringLiteral("Physikalische Adresse")});
    lvPhysAdrSe->headerItem()->setTextAlignment(1, Qt::AlignCenter);
    lvPhysAdrSe->setToolTip(QStringLiteral("Physikalische Adresse der Schalteinrichtung auswählen"));
    const bool gesetzt = m_ergebnis != nullptr && m_ergebnis->Adresse != 0;
    LabelPhysAdr->setText(QString::fromUtf8(kLabelPhysAdr) + QStringLiteral(":   ") +
                          (gesetzt ? Qs(m_ergebnis->Text) : QStringLiteral("...")));
    BtnOk->setText(QStringLiteral("Ok"));
    BtnAbbrechen->setText(QStringLiteral("Abbrechen"));
    BtnNoPhysAdr->setText(QStringLiteral("Keine PA"));
}

void TDlgSelPhysAdrSe::FillListView()
{
    LOG_FKT("TDlgSelPhysAdrSe::FillListView");
    lvPhysAdrSe->clear();
    const int32_t eigene = m_ergebnis != nullptr ? m_ergebnis->Adresse : 0;
    const std::string eigenerText = m_ergebnis != nullptr ? m_ergebnis->Text : std::string();
    std::vector<std::size_t> zeilen;
    for (std::size_t i = 0; i < m_geraete.size(); ++i) {
        const int32_t adresse = m_geraete[i].Adresse;
        const bool benutzt = std::find(m_benutzt.begin(), m_benutzt.end(), adresse) != m_benutzt.end();
        if (!benutzt || (adresse != 0 && adresse == eigene))
            zeilen.push_back(i);
    }
    std::stable_sort(zeilen.begin(), zeilen.end(),
                     [this](std::size_t a, std::size_t b) { return m_geraete[a].Adresse < m_geraete[b].Adresse; });
    QTreeWidgetItem* gewaehlt = nullptr;
    for (const std::size_t i : zeilen) {
        const TPhysAdrEintrag& g = m_geraete[i];
        auto* zeile = new QTreeWidgetItem(lvPhysAdrSe, {Qs(g.Name), Qs(g.Text)});
        zeile->setTextAlignment(1, Qt::AlignCenter);
        zeile->setData(0, Qt::UserRole, static_cast<qulonglong>(i));
        if (gewaehlt == nullptr && !eigenerText.empty() && g.Text == eigenerText)
            gewaehlt = zeile;
    }
    if (gewaehlt != nullptr) {
        lvPhysAdrSe->setCurrentItem(gewaehlt);
        gewaehlt->setSelected(true);
    }
}

const TPhysAdrEintrag* TDlgSelPhysAdrSe::Eintrag(int zeile) const
{
    const QTreeWidgetItem* item = lvPhysAdrSe->topLevelItem(zeile);
    if (item == nullptr)
        return nullptr;
    const auto i = static_cast<std::size_t>(item->data(0, Qt::UserRole).toULongLong());
    return i < m_geraete.size() ? &m_geraete[i] : nullptr;
}

void TDlgSelPhysAdrSe::BtnOkClick()
{
    LOG_FKT("TDlgSelPhysAdrSe::BtnOkClick");
    const QList<QTreeWidgetItem*> auswahl = lvPhysAdrSe->selectedItems();
    if (!auswahl.isEmpty() && m_ergebnis != nullptr)
        if (const TPhysAdrEintrag* g = Eintrag(lvPhysAdrSe->indexOfTopLevelItem(auswahl.front())))
            *m_ergebnis = *g;
    done(kModalOk);
}

void TDlgSelPhysAdrSe::BtnNoPhysAdrClick()
{
    LOG_FKT("TDlgSelPhysAdrSe::BtnNoPhysAdrClick");
    // Only the address is cleared; the name stays as it was.
    if (m_ergebnis != nullptr) {
        m_ergebnis->Text.clear();
        m_ergebnis->Adresse = 0;
    }
    done(kModalOk);
}

void TDlgSelPhysAdrSe::BtnAbbrechenClick()
{
    LOG_FKT("TDlgSelPhysAdrSe::BtnAbbrechenClick");
    done(kModalAbbrechen);
}

void TDlgSelPhysAdrSe::reject()
{
    done(kModalAbbrechen);
}
