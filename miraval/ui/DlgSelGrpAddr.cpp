#include "miraval/ui/DlgSelGrpAddr.h"

#include "miraval/devinst/DevInst.h"
#include "miraval/devinst/GrpAdrText.h"
#include "miraval/dienste/DaMo.h"
#include "miraval/dienste/Spredit.h"
#include "miraval/ui/DlgNewGrpAddrName.h"
#include "miraval/ui/Geschuetzt.h"
#include "miraval/ui/GrpAdrTastenFilter.h"
#include "morrow/EtsGruppenAdressen.h"
#include "quillon/CursorHourGlass.h"
#include "quillon/VireoGrpAdrSub.h"
#include "tamsel/Tamsel.h"
#include "win32/MessageBox.h"
#include "win32/Shell.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kModalOk = 1;
constexpr int kModalAbbrechen = 2;
constexpr int kModalCancelKnopf = 3;
constexpr std::uintptr_t kHilfeKontext = 5110;
constexpr const char* kSortMarke = " *";

QString Qs(const std::string& text)
{
    return QString::fromStdString(text);
}

QTreeWidget* NeueListe(QWidget* parent, const char* name)
{
    auto* liste = new QTreeWidget(parent);
    liste->setObjectName(QString::fromLatin1(name));
    liste->setColumnCount(2);
    liste->setRootIsDecorated(false);
    liste->setItemsExpandable(false);
    liste->setSelectionMode(QAbstractItemView::ExtendedSelection);
    liste->setSelectionBehavior(QAbstractItemView::SelectRows);
    liste->setEditTriggers(QAbstractItemView::NoEditTriggers);
    liste->setSortingEnabled(false);
    liste->setColumnWidth(0, 80);
    liste->header()->setSectionsClickable(true);
    liste->header()->setSortIndicatorShown(false);
    return liste;
}

} // namespace

TDlgSelGrpAddr::TDlgSelGrpAddr(QWidget* owner, int ebenen, TObjektBasis* objekt,
                               std::vector<TObjektBasis::RecGrpAdrId>* links,
                               const std::map<int32_t, TVireoGrpAdrSub*>* auswahl, TEtsGruppenAdressen* reader,
                               TDeviceInstanz* instanz)
    : QDialog(owner), m_ebenen(ebenen), m_objekt(objekt), m_links(links), m_auswahl(auswahl), m_reader(reader),
      m_instanz(instanz)
{
    LOG_FKT("TDlgSelGrpAddr::TDlgSelGrpAddr");
    setObjectName(QStringLiteral("DlgSelGrpAddr"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

    grpbxSourceGrpAddr = new QGroupBox(this);
    grpbxSourceGrpAddr->setObjectName(QStringLiteral("grpbxSourceGrpAddr"));
    lvGrpAddrSource = NeueListe(grpbxSourceGrpAddr, "lvGrpAddrSource");
    lblGrpAddrEditText = new QLabel(grpbxSourceGrpAddr);
    lblGrpAddrEditText->setObjectName(QStringLiteral("lblGrpAddrEditText"));
    edtGrpAddr = new QLineEdit(grpbxSourceGrpAddr);
    edtGrpAddr->setObjectName(QStringLiteral("edtGrpAddr"));
    edtGrpAddr->setMinimumWidth(100);
    btnSearchAdd = new QPushButton(grpbxSourceGrpAddr);
    btnSearchAdd->setObjectName(QStringLiteral("btnSearchAdd"));
    btnSearchAdd->setEnabled(false);
    auto* quelle = new QVBoxLayout(grpbxSourceGrpAddr);
    quelle->addWidget(lvGrpAddrSource, 1);
    auto* suche = new QHBoxLayout;
    suche->addWidget(lblGrpAddrEditText);
    suche->addWidget(edtGrpAddr, 1);
    suche->addWidget(btnSearchAdd);
    quelle->addLayout(suche);

    grpbxDestGrpAddr = new QGroupBox(this);
    grpbxDestGrpAddr->setObjectName(QStringLiteral("grpbxDestGrpAddr"));
    lvGrpAddrDest = NeueListe(grpbxDestGrpAddr, "lvGrpAddrDest");
    auto* ziel = new QVBoxLayout(grpbxDestGrpAddr);
    ziel->addWidget(lvGrpAddrDest, 1);

    auto knopf = [this](const char* name, const char* text) {
        auto* b = new QPushButton(QString::fromLatin1(text), this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        return b;
    };
    btnInclude = knopf("btnInclude", ">");
    btnIncludeAll = knopf("btnIncludeAll", ">>");
    btnExclude = knopf("btnExclude", "<");
    btnExcludeAll = knopf("btnExcludeAll", "<<");
    btnSearchAdd->setAutoDefault(false);
    auto* mitte = new QVBoxLayout;
    mitte->addStretch(1);
    for (QPushButton* b : {btnInclude, btnIncludeAll, btnExclude, btnExcludeAll})
        mitte->addWidget(b);
    mitte->addStretch(1);

    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    BtnOk = knopf("BtnOk", "");
    BtnCancel = knopf("BtnCancel", "");
    BtnHelp = knopf("BtnHelp", "");
    // FormResize: right-aligned, 10 pixels apart and from the right edge; help rightmost.
    auto* unten = new QHBoxLayout(Panel1);
    unten->setContentsMargins(0, 0, 10, 0);
    unten->setSpacing(10);
    unten->addStretch(1);
    for (QPushButton* b : {BtnOk, BtnCancel, BtnHelp}) {
        b->setParent(Panel1);
        unten->addWidget(b);
    }

    auto* listen = new QHBoxLayout;
    listen->addWidget(grpbxSourceGrpAddr, 1);
    listen->addLayout(mitte);
    listen->addWidget(grpbxDestGrpAddr, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(listen, 1);
    layout->addWidget(Panel1);
    resize(706, 421);

    auto verbinde = [this](QPushButton* b, void (TDlgSelGrpAddr::*f)()) {
        connect(b, &QPushButton::clicked, this, [this, f] { Geschuetzt([this, f] { (this->*f)(); }); });
    };
    verbinde(btnInclude, &TDlgSelGrpAddr::btnIncludeClick);
    verbinde(btnIncludeAll, &TDlgSelGrpAddr::btnIncludeAllClick);
    verbinde(btnExclude, &TDlgSelGrpAddr::btnExcludeClick);
    verbinde(btnExcludeAll, &TDlgSelGrpAddr::btnExcludeAllClick);
    verbinde(btnSearchAdd, &TDlgSelGrpAddr::btnSearchAddClick);
    verbinde(BtnOk, &TDlgSelGrpAddr::BtnOkClick);
    verbinde(BtnCancel, &TDlgSelGrpAddr::BtnCancelClick);
    verbinde(BtnHelp, &TDlgSelGrpAddr::BtnHelpClick);
    connect(edtGrpAddr, &QLineEdit::textChanged, this,
            [this](const QString& text) { btnSearchAdd->setEnabled(!text.isEmpty()); });
    for (QTreeWidget* liste : {lvGrpAddrSource, lvGrpAddrDest}) {
        // Clicks and the arrow keys change the selection; the buttons follow it.
        connect(liste, &QTreeWidget::itemSelectionChanged, this, [this] { Geschuetzt([this] { SetButtons(); }); });
        connect(liste->header(), &QHeaderView::sectionClicked, this,
                [this, liste](int spalte) { Geschuetzt([this, liste, spalte] { ColumnClick(liste, spalte); }); });
        connect(liste, &QTreeWidget::itemDoubleClicked, this, [this, liste](QTreeWidgetItem*, int) {
            Geschuetzt([this, liste] {
                if (liste->selectedItems().isEmpty())
                    return;
                if (liste == lvGrpAddrSource)
                    btnIncludeClick();
                else
                    btnExcludeClick();
            });
        });
    }
    new TGrpAdrTastenFilter(edtGrpAddr, [this] { btnSearchAddClick(); });

    LadeTexte();
    MakeAdrList();
    FillListViewSource();
    FillListViewDest();
    Sortieren(lvGrpAddrSource);
    Sortieren(lvGrpAddrDest);
    SetButtons();
}

TDlgSelGrpAddr::~TDlgSelGrpAddr()
{
    // The lists outlive this part of the dialog (QWidget deletes them later): their signals
    // must no longer reach it.
    lvGrpAddrSource->blockSignals(true);
    lvGrpAddrDest->blockSignals(true);
}

void TDlgSelGrpAddr::LadeTexte()
{
    LOG_FKT("TDlgSelGrpAddr::LadeTexte");
    setWindowTitle(Qs(Spredit::Txt9126));
    grpbxSourceGrpAddr->setTitle(Qs(Spredit::Txt9195));
    grpbxDestGrpAddr->setTitle(Qs(Spredit::Txt9196));
    lblGrpAddrEditText->setText(Qs(Spredit::Txt9197));
    edtGrpAddr->clear();
    btnSearchAdd->setText(Qs(Spredit::Txt9198));
    for (QTreeWidget* liste : {lvGrpAddrSource, lvGrpAddrDest})
        liste->setHeaderLabels({Qs(Spredit::Txt9124), Qs(Spredit::Txt9123)});
    lvGrpAddrSource->setToolTip(Qs(Spredit::Txt9199));
    lvGrpAddrDest->setToolTip(Qs(Spredit::Txt9200));
    BtnOk->setText(Qs(Spredit::Txt9049));
    BtnCancel->setText(Qs(Spredit::Txt9050));
    BtnHelp->setText(Qs(Spredit::Txt9201));
}

TDlgSelGrpAddr::TZeile* TDlgSelGrpAddr::NeueZeile(TVireoGrpAdrSub& node, bool zugewiesen)
{
    auto zeile = std::make_unique<TZeile>();
    zeile->Name = node.GetName(false);
    zeile->Id = node.GetEtsId();
    zeile->AdrText = m_reader != nullptr ? m_reader->GrpAddrString(zeile->Id) : std::string();
    zeile->Wort = static_cast<uint16_t>(node.GetKomplettGrpAdr());
    zeile->TypText = node.GetSubAdrTypString();
    zeile->Zugewiesen = zugewiesen;
    m_zeilen.push_back(std::move(zeile));
    return m_zeilen.back().get();
}

void TDlgSelGrpAddr::MakeAdrList()
{
    LOG_FKT("TDlgSelGrpAddr::MakeAdrList");
    m_zeilen.clear();
    if (m_objekt == nullptr || m_reader == nullptr || m_auswahl == nullptr)
        return;
    // Object types are 0 (invisible) and 1..16, the size codes 0..15 plus one.
    const int typ = static_cast<int>(m_objekt->GetObjektTyp());
    for (const auto& [id, node] : *m_auswahl) {
        if (node == nullptr)
            continue;
        const int s = node->GetSubAdrTyp();
        if (s != typ - 1 && s != -1)
            continue;
        const bool zugewiesen =
            m_links != nullptr && std::any_of(m_links->begin(), m_links->end(), [id = node->GetEtsId()](const auto& l) {
                return l.SubGroupId == id;
            });
        NeueZeile(*node, zugewiesen);
    }
}

QTreeWidgetItem* TDlgSelGrpAddr::NeuesItem(QTreeWidget* liste, const TZeile& zeile)
{
    auto* item = new QTreeWidgetItem(liste, {Qs(zeile.AdrText), Qs(zeile.Name)});
    item->setData(0, Qt::UserRole, QVariant::fromValue(reinterpret_cast<quintptr>(&zeile)));
    return item;
}

const TDlgSelGrpAddr::TZeile* TDlgSelGrpAddr::Zeile(const QTreeWidgetItem* item) const
{
    // Items are made by NeuesItem only, each with a row the dialog owns.
    if (item == nullptr)
        return nullptr;
    return reinterpret_cast<const TZeile*>(item->data(0, Qt::UserRole).value<quintptr>());
}

void TDlgSelGrpAddr::Fuellen(QTreeWidget* liste, bool zugewiesen)
{
    liste->clear();
    for (const std::unique_ptr<TZeile>& zeile : m_zeilen)
        if (zeile->Zugewiesen == zugewiesen)
            NeuesItem(liste, *zeile);
    if (QTreeWidgetItem* erstes = liste->topLevelItem(0))
        liste->setCurrentItem(erstes, 0, QItemSelectionModel::NoUpdate);
}

void TDlgSelGrpAddr::FillListViewSource()
{
    LOG_FKT("TDlgSelGrpAddr::FillListViewSource");
    Fuellen(lvGrpAddrSource, false);
}

void TDlgSelGrpAddr::FillListViewDest()
{
    LOG_FKT("TDlgSelGrpAddr::FillListViewDest");
    Fuellen(lvGrpAddrDest, true);
}

int TDlgSelGrpAddr::Grenze() const
{
    return m_objekt != nullptr ? m_objekt->GetNumberSelectableGrpAdr() : 0;
}

void TDlgSelGrpAddr::SetButtons()
{
    if (m_objekt == nullptr)
        return;
    const int grenze = Grenze();
    const bool platz = grenze <= 0 || lvGrpAddrDest->topLevelItemCount() < grenze;
    btnInclude->setEnabled(!lvGrpAddrSource->selectedItems().isEmpty() && platz);
    btnIncludeAll->setEnabled(lvGrpAddrSource->topLevelItemCount() > 0 && platz);
    btnExclude->setEnabled(!lvGrpAddrDest->selectedItems().isEmpty());
    btnExcludeAll->setEnabled(lvGrpAddrDest->topLevelItemCount() > 0);
}

void TDlgSelGrpAddr::SetzeFokus(QTreeWidget* liste, QTreeWidgetItem* item, bool auswaehlen)
{
    if (auswaehlen) {
        liste->clearSelection();
        item->setSelected(true);
    }
    liste->setCurrentItem(item, 0, QItemSelectionModel::NoUpdate);
    liste->scrollToItem(item);
}

void TDlgSelGrpAddr::SetButtons(QTreeWidget* liste, int index)
{
    const int anzahl = liste->topLevelItemCount();
    if (anzahl > 0 && index >= 0)
        SetzeFokus(liste, liste->topLevelItem(std::min(index, anzahl - 1)), true);
    SetButtons();
}

QTreeWidgetItem* TDlgSelGrpAddr::MoveSelected(QTreeWidget* von, QTreeWidget* nach, int grenze)
{
    LOG_FKT("TDlgSelGrpAddr::MoveSelected");
    std::vector<QTreeWidgetItem*> auswahl;
    for (int i = 0; i < von->topLevelItemCount(); ++i)
        if (von->topLevelItem(i)->isSelected())
            auswahl.push_back(von->topLevelItem(i));
    QTreeWidgetItem* letztes = nullptr;
    for (QTreeWidgetItem* item : auswahl) {
        if (grenze > 0 && nach->topLevelItemCount() >= grenze) {
            MessageBox(nullptr, Spredit::Txt9202, Spredit::Txt9001, MB_ICONERROR);
            break;
        }
        if (const TZeile* zeile = Zeile(item))
            letztes = NeuesItem(nach, *zeile);
        delete item;
    }
    return letztes;
}

void TDlgSelGrpAddr::btnIncludeClick()
{
    LOG_FKT("TDlgSelGrpAddr::btnIncludeClick");
    if (m_objekt == nullptr)
        return;
    int index = -1;
    for (int i = 0; i < lvGrpAddrSource->topLevelItemCount() && index < 0; ++i)
        if (lvGrpAddrSource->topLevelItem(i)->isSelected())
            index = i;
    QTreeWidgetItem* bewegt = MoveSelected(lvGrpAddrSource, lvGrpAddrDest, Grenze());
    lvGrpAddrDest->clearSelection();
    if (bewegt != nullptr)
        lvGrpAddrDest->setCurrentItem(bewegt, 0, QItemSelectionModel::NoUpdate);
    Sortieren(lvGrpAddrDest);
    SetButtons(lvGrpAddrSource, index);
}

void TDlgSelGrpAddr::btnExcludeClick()
{
    LOG_FKT("TDlgSelGrpAddr::btnExcludeClick");
    int index = -1;
    for (int i = 0; i < lvGrpAddrDest->topLevelItemCount() && index < 0; ++i)
        if (lvGrpAddrDest->topLevelItem(i)->isSelected())
            index = i;
    QTreeWidgetItem* bewegt = MoveSelected(lvGrpAddrDest, lvGrpAddrSource, 0);
    lvGrpAddrSource->clearSelection();
    if (bewegt != nullptr)
        lvGrpAddrSource->setCurrentItem(bewegt, 0, QItemSelectionModel::NoUpdate);
    Sortieren(lvGrpAddrSource);
    SetButtons(lvGrpAddrDest, index);
}

void TDlgSelGrpAddr::btnIncludeAllClick()
{
    LOG_FKT("TDlgSelGrpAddr::btnIncludeAllClick");
    if (lvGrpAddrSource->topLevelItemCount() == 0)
        return;
    lvGrpAddrSource->selectAll();
    btnIncludeClick();
    SetButtons(lvGrpAddrDest, 0);
}

void TDlgSelGrpAddr::btnExcludeAllClick()
{
    LOG_FKT("TDlgSelGrpAddr::btnExcludeAllClick");
    if (lvGrpAddrDest->topLevelItemCount() == 0)
        return;
    lvGrpAddrDest->selectAll();
    btnExcludeClick();
    SetButtons(lvGrpAddrSource, 0);
}

const TDlgSelGrpAddr::TSortierung& TDlgSelGrpAddr::GetSortierung(const QTreeWidget* liste) const
{
    return liste == lvGrpAddrDest ? m_sortZiel : m_sortQuelle;
}

void TDlgSelGrpAddr::ColumnClick(QTreeWidget* liste, int spalte)
{
    LOG_FKT("TDlgSelGrpAddr::ColumnClick");
    TSortierung& s = liste == lvGrpAddrDest ? m_sortZiel : m_sortQuelle;
    if (spalte == s.Spalte) {
        s.Aufsteigend = !s.Aufsteigend;
    } else {
        s.Spalte = spalte == 1 ? 1 : 0;
        s.Aufsteigend = true;
    }
    {
        TCursorHourGlass sanduhr;
        Sortieren(liste);
    }
    QStringList titel{Qs(Spredit::Txt9124), Qs(Spredit::Txt9123)};
    titel[s.Spalte] += QString::fromLatin1(kSortMarke);
    liste->setHeaderLabels(titel);
}

void TDlgSelGrpAddr::Sortieren(QTreeWidget* liste)
{
    const TSortierung& s = GetSortierung(liste);
    QTreeWidgetItem* aktuell = liste->currentItem();
    std::vector<std::pair<QTreeWidgetItem*, bool>> items;
    while (liste->topLevelItemCount() > 0) {
        QTreeWidgetItem* item = liste->topLevelItem(0);
        const bool gewaehlt = item->isSelected();
        items.emplace_back(liste->takeTopLevelItem(0), gewaehlt);
    }
    auto kleiner = [this, &s](const auto& a, const auto& b) {
        const TZeile* za = Zeile(a.first);
        const TZeile* zb = Zeile(b.first);
        if (za == nullptr || zb == nullptr)
            return false;
        if (s.Spalte == 0)
            return s.Aufsteigend ? za->Wort < zb->Wort : zb->Wort < za->Wort;
        const int c = Qs(za->Name).compare(Qs(zb->Name), Qt::CaseInsensitive);
        return s.Aufsteigend ? c < 0 : c > 0;
    };
    std::stable_sort(items.begin(), items.end(), kleiner);
    for (const auto& [item, gewaehlt] : items)
        liste->addTopLevelItem(item);
    for (const auto& [item, gewaehlt] : items)
        item->setSelected(gewaehlt);
    if (aktuell != nullptr)
        liste->setCurrentItem(aktuell, 0, QItemSelectionModel::NoUpdate);
}

bool TDlgSelGrpAddr::StringToGrpAddr(const std::string& text, uint16_t& main, uint16_t& middle, uint16_t& sub) const
{
    return GrpAdrText::StringToGrpAddr(text, m_ebenen, main, middle, sub);
}

std::string TDlgSelGrpAddr::StringToSearchGrpAddr(const std::string& text, const std::string& trenner) const
{
    return GrpAdrText::StringToSearchGrpAddr(text, trenner, m_ebenen);
}

TVireoGrpAdrSub* TDlgSelGrpAddr::SucheWort(const std::map<int32_t, TVireoGrpAdrSub*>& map, uint16_t wort)
{
    for (const auto& [id, node] : map)
        if (node != nullptr && static_cast<uint16_t>(node->GetKomplettGrpAdr()) == wort)
            return node;
    return nullptr;
}

void TDlgSelGrpAddr::Hinweis(const std::string& text, const std::string& such, UINT flags)
{
    MessageBox(nullptr, Spredit::MitWerten(text, {such}), Spredit::Txt9210, flags);
    edtGrpAddr->setFocus();
}

void TDlgSelGrpAddr::btnSearchAddClick()
{
    LOG_FKT("TDlgSelGrpAddr::btnSearchAddClick");
    uint16_t main = 0;
    uint16_t middle = 0;
    uint16_t sub = 0;
    if (!StringToGrpAddr(edtGrpAddr->text().toStdString(), main, middle, sub))
        return;
    const std::string text = GrpAdrText::Trim(edtGrpAddr->text().toStdString());
    edtGrpAddr->setText(Qs(text));
    const std::string such = StringToSearchGrpAddr(text, "/");
    if (such.empty())
        return;
    // Found by the address word, so that "01/2/3" finds the row shown as 1/2/3.
    const uint16_t wort = GrpAdrText::TGrpAdrTeile{main, middle, sub}.Wort();

    for (int i = 0; i < lvGrpAddrSource->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = lvGrpAddrSource->topLevelItem(i);
        if (const TZeile* zeile = Zeile(item); zeile != nullptr && zeile->Wort == wort) {
            SetzeFokus(lvGrpAddrSource, item, true);
            SetButtons();
            return;
        }
    }
    // Offered to the object but not in the source list: assigned already, or of another size.
    if (m_auswahl != nullptr && SucheWort(*m_auswahl, wort) != nullptr) {
        Hinweis(Spredit::Txt9190, such, MB_ICONINFORMATION);
        return;
    }
    if (m_instanz != nullptr && m_instanz->CheckGrpAddrUsedFromMelder(text, m_ebenen))
        return;
    // An address of the project that the object is not offered (for a one-address object:
    // one that another object has) must not be "made": ETS would answer the existing one.
    if (m_instanz != nullptr) {
        for (const auto& [id, node] : m_instanz->GetSubGroupMap())
            if (node != nullptr && static_cast<uint16_t>(node->GetKomplettGrpAdr()) == wort) {
                Hinweis(Spredit::Txt9190, such, MB_ICONINFORMATION);
                return;
            }
    }
    if (MessageBox(nullptr, Spredit::MitWerten(Spredit::Txt9191, {such}), Spredit::Txt9210, MB_YESNO | MB_ICONQUESTION) !=
        IDYES)
        return;
    std::string name;
    TDlgNewGrpAddrName frage(this, Spredit::Txt9192, Spredit::Txt9193, &name);
    if (frage.exec() != kModalOk)
        return;
    TVireoGrpAdrSub* node = m_instanz != nullptr
                                ? m_instanz->CreateGrpAddr(static_cast<int16_t>(main), static_cast<int16_t>(middle),
                                                           static_cast<int16_t>(sub), name)
                                : nullptr;
    if (node == nullptr) {
        Hinweis(Spredit::Txt9194, such, MB_ICONQUESTION);
        return;
    }
    const TZeile* zeile = NeueZeile(*node, false);
    QTreeWidgetItem* item = NeuesItem(lvGrpAddrSource, *zeile);
    SetzeFokus(lvGrpAddrSource, item, true);
    SetButtons();
}

void TDlgSelGrpAddr::BtnOkClick()
{
    LOG_FKT("TDlgSelGrpAddr::BtnOkClick");
    if (m_links != nullptr) {
        m_links->clear();
        for (int i = 0; i < lvGrpAddrDest->topLevelItemCount(); ++i)
            if (const TZeile* zeile = Zeile(lvGrpAddrDest->topLevelItem(i)))
                m_links->push_back({zeile->Id, 0});
    }
    done(kModalOk);
}

void TDlgSelGrpAddr::BtnCancelClick()
{
    LOG_FKT("TDlgSelGrpAddr::BtnCancelClick");
    done(kModalCancelKnopf);
}

void TDlgSelGrpAddr::BtnHelpClick()
{
    LOG_FKT("TDlgSelGrpAddr::BtnHelpClick");
    if (DM != nullptr)
        static_cast<void>(WinHelp(DM->MainHandle, DM->HilfeDatei, HELP_CONTEXT, kHilfeKontext));
}

void TDlgSelGrpAddr::reject()
{
    done(kModalAbbrechen);
}

void TDlgSelGrpAddr::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    edtGrpAddr->setFocus();
}
