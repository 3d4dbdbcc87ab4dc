#include "miraval/ui/FProjektierung.h"

#include "miraval/dienste/DaMo.h"
#include "miraval/dienste/FensterZustand.h"
#include "miraval/dienste/IniKeys.h"
#include "miraval/dienste/IniRegistry.h"
#include "miraval/dienste/Spredit.h"
#include "miraval/ui/BaumScroll.h"
#include "miraval/ui/CtrlGrid.h"
#include "miraval/ui/CtrlListView.h"
#include "miraval/ui/CtrlTree.h"
#include "miraval/ui/FDockMeld.h"
#include "miraval/ui/FensterHost.h"
#include "miraval/ui/FensterPlatz.h"
#include "miraval/ui/Geschuetzt.h"
#include "miraval/ui/MeldeHilfe.h"
#include "miraval/ui/ModellAnsichten.h"
#include "miraval/ui/RtfAnzeige.h"
#include "miraval/ui/ZiehDaten.h"
#include "miraval/ui/ZiehLauf.h"
#include "pellam/DataBasis.h"
#include "quillon/CursorHourGlass.h"
#include "quillon/UserMessages.h"
#include "rastow/DrawGridSE.h"
#include "tessarin/AzMelder.h"
#include "tessarin/SprAz.h"
#include "vcl/ListView.h"
#include "win32/Shell.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDockWidget>
#include <QDrag>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMdiArea>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QSplitter>
#include <QStackedWidget>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>
#include <QTreeWidget>

#include <filesystem>
#include <string>
#include <vector>

namespace {

// How long a page rebuild waits, and asks again, while the person types in another row.
constexpr int kNeuAufbauWartenMs = 50;

// Key messages this window posts to itself (F6 again once the cell editor is gone; Tab to
// the grid).
constexpr UINT WM_KEYDOWN = 0x0100;
constexpr WPARAM VK_TAB = 0x09;
constexpr WPARAM VK_F6 = 0x75;

constexpr int TypEtsObjekt = 806;
constexpr int TypFeuerBereich = 6123;
constexpr int TypUeberfallBereich = 6125;
constexpr int TypSicherungsBereich1 = 6127;
constexpr int TypSicherungsBereich4 = 6130;

int g_naechsteFensterNr = 0;

std::string IniDatei()
{
    return DM != nullptr ? DM->IniDatei : std::string();
}

HWND MainHandle()
{
    return DM != nullptr ? DM->MainHandle : nullptr;
}

// Whether the widget (or one inside it) has its window's focus. The window's own focus widget
// answers also while a window manager has not yet (re)activated the window, when the
// application's focus widget is none: the focus a refresh finds there is the focus it keeps.
bool HatFokus(const QWidget* widget)
{
    if (widget == nullptr)
        return false;
    const QWidget* fokus = QApplication::focusWidget();
    if (fokus == nullptr)
        fokus = widget->window()->focusWidget();
    return fokus != nullptr && (fokus == widget || widget->isAncestorOf(fokus));
}

bool KannFokus(const QWidget* widget)
{
    return widget != nullptr && widget->isVisible() && widget->isEnabled();
}

void SetzeAktion(QAction* aktion, bool an)
{
    if (aktion != nullptr)
        aktion->setEnabled(an);
}

} // namespace

class TFormVerw::TTastenFilter : public QObject {
public:
    explicit TTastenFilter(TFormVerw& fenster) : QObject(&fenster), m_fenster(fenster) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
            return false;
        return m_fenster.KeyPreview(watched, event);
    }

private:
    TFormVerw& m_fenster;
};

// ---- Construction -------------------------------------------------------------------------------

TFormVerw::TFormVerw(TFensterHost* owner)
    : QMdiSubWindow(nullptr), m_fensterNr(g_naechsteFensterNr++), m_owner(owner)
{
    m_handle = CreateWindowHandle([this](HWND, UINT msg, WPARAM wParam, LPARAM lParam) -> LRESULT {
        LRESULT ergebnis = 0;
        Guarded([&] { ergebnis = Dispatch(msg, wParam, lParam); });
        return ergebnis;
    });
    FormCreate();
    Init();
    if (m_owner != nullptr && m_owner->GetMdiArea() != nullptr)
        m_owner->GetMdiArea()->addSubWindow(this);
    InitTexte();
    GetRegData();
    if (DM != nullptr)
        LoadColor(DM->ColorGridCommmon, DM->ColorGridCell, DM->ColorGridTitle, DM->ColorGridCellReadOnly,
                  DM->Gitternetzlinien);
    m_quickHelpId = 0;
    PostMessage(MainHandle(), UM_AddFormVerw, 0, reinterpret_cast<LPARAM>(this));
}

TFormVerw::~TFormVerw()
{
    qApp->removeEventFilter(m_tastenFilter);
    // The sub-window's own destructor still reports its state, and the controls report while
    // they go: nothing of this window may answer any more.
    QObject::disconnect(this, nullptr, this, nullptr);
    if (m_tree != nullptr) {
        QObject::disconnect(m_tree, nullptr, this, nullptr);
        m_tree->OnExpanding = nullptr;
        m_tree->OnExpanded = nullptr;
        m_tree->OnStartDrag = nullptr;
        m_tree->OnEndDrag = nullptr;
        m_tree->OnDragOver = nullptr;
        m_tree->OnDragDrop = nullptr;
    }
    SetzeListZiehHandler(m_listViewView, nullptr, nullptr, nullptr);
    if (m_splitter != nullptr)
        QObject::disconnect(m_splitter, nullptr, this, nullptr);
    if (auto* dock = static_cast<TFDockMeld*>(m_meldeDock)) {
        dock->OnClose = nullptr;
        dock->OnEndDock = nullptr;
    }
    SetRegData();
    // The scroll timer works on the tree: it goes first.
    m_baumScroll.reset();
    // The views draw the models: they go before the models and controllers.
    QWidget* inhalt = widget();
    setWidget(nullptr);
    delete inhalt;
    m_ctrlTree.reset();
    m_ctrlGrid.reset();
    m_ctrlListView.reset();
    SendMessage(MainHandle(), UM_RemoveFormVerw, 0, reinterpret_cast<LPARAM>(this));
    DestroyWindow(m_handle);
}

int TFormVerw::NaechsteFensterNr()
{
    return g_naechsteFensterNr;
}

void TFormVerw::FormCreate()
{
    m_treeFilling = false;
    m_meldeDock = nullptr;
    m_meldeText = nullptr;
}

void TFormVerw::Init()
{
    m_platz = new TFensterPlatz(*this);
    setObjectName(QStringLiteral("FormVerw%1").arg(m_fensterNr));
    setWindowIcon(TDM::Icon(0));

    m_splitter = new QSplitter(Qt::Horizontal);
    m_splitter->setObjectName(QStringLiteral("Panel1"));
    m_splitter->setHandleWidth(3);
    m_splitter->setChildrenCollapsible(false);

    m_tree = new TBaumAnsicht(m_splitter);
    m_tree->setObjectName(QStringLiteral("Tree"));
    m_tree->setHeaderHidden(true);
    m_tree->setColumnCount(1);
    m_tree->setIndentation(21);
    m_tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tree->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tree->setSortingEnabled(false);
    m_tree->setContextMenuPolicy(Qt::CustomContextMenu);
    m_tree->setIconSize(QSize(16, 16));
    // Long names scroll sideways instead of being cut.
    m_tree->setTextElideMode(Qt::ElideNone);
    m_tree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_tree->header()->setStretchLastSection(false);

    m_infoSeite = new QMainWindow(m_splitter);
    m_infoSeite->setObjectName(QStringLiteral("PanelInfoSeite"));
    m_infoSeite->setWindowFlags(Qt::Widget);
    m_infoSeite->setDockOptions(QMainWindow::AnimatedDocks);
    m_pages = new QStackedWidget(m_infoSeite);
    m_infoSeite->setCentralWidget(m_pages);

    m_grid = std::make_unique<TDrawGridSE>();
    m_listView = std::make_unique<TListView>();
    auto fehler = [](std::exception_ptr e) {
        try {
            if (e)
                std::rethrow_exception(e);
        } catch (const std::exception& x) {
            MeldeUnerwartetenFehler(x.what());
        } catch (...) {
            MeldeUnerwartetenFehler("");
        }
    };
    m_listViewView = ErzeugeListAnsicht(*m_listView, m_pages, fehler);
    m_listViewView->setObjectName(QStringLiteral("ListView"));
    SetzeListDoppelklick(m_listViewView, [this](int item) { Guarded([&] { ListViewDblClick(item); }); });
    m_gridView = ErzeugeGridAnsicht(*m_grid, m_pages, fehler);
    m_gridView->setObjectName(QStringLiteral("Grid"));
    m_pages->addWidget(m_listViewView);
    m_pages->addWidget(m_gridView);
    m_pages->setCurrentWidget(m_listViewView);

    m_splitter->setStretchFactor(0, 0);
    m_splitter->setStretchFactor(1, 1);
    setWidget(m_splitter);

    m_ctrlTree = std::make_unique<TCtrlTree>(m_tree);
    m_ctrlListView = std::make_unique<TCtrlListView>(m_listView.get(), m_listViewView);
    m_grid->OnEnterCell = [this](TObject* sender, TCell& cell, int column, int row) {
        GridEnterCell(sender, cell, column, row);
    };
    m_ctrlGrid = std::make_unique<TCtrlGrid>(m_grid.get(), m_gridView);
    m_baumScroll = std::make_unique<TBaumScroll>(m_tree);

    // The tree's handlers run guarded by the tree itself; the list's by the list view.
    m_tree->OnExpanding = [this](QTreeWidgetItem* node) { return TreeExpanding(node); };
    m_tree->OnExpanded = [this](QTreeWidgetItem* node) { TreeExpanded(node); };
    m_tree->OnStartDrag = [this] { TreeStartDrag(); };
    m_tree->OnEndDrag = [this] { TreeEndDrag(); };
    m_tree->OnDragOver = [this](QObject* source, const QPoint& pos) { return TreeDragOver(m_tree, source, pos); };
    m_tree->OnDragDrop = [this](QObject* source, const QPoint& pos) { TreeDragDrop(m_tree, source, pos); };
    SetzeListZiehHandler(
        m_listViewView, [this](int) { ListViewStartDrag(); },
        [this](int item, const QMimeData& daten) {
            return ListViewDragOver(m_listViewView, TZiehDaten::Quelle(&daten), item);
        },
        [this](int item, const QMimeData& daten) {
            ListViewDragDrop(m_listViewView, TZiehDaten::Quelle(&daten), item);
        });

    connect(m_tree, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* node, QTreeWidgetItem*) { Guarded([&] { TreeChange(node); }); });
    connect(m_tree, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { Guarded([&] { TreeMouseDown(pos); }); });
    connect(this, &QMdiSubWindow::windowStateChanged, this, [this](Qt::WindowStates alt, Qt::WindowStates neu) {
        Guarded([&] {
            if ((neu & Qt::WindowActive) && !(alt & Qt::WindowActive))
                FormActivate();
            else if (!(neu & Qt::WindowActive) && (alt & Qt::WindowActive))
                FormDeactivate();
        });
    });
    connect(m_splitter, &QSplitter::splitterMoved, this, [this](int, int) {
        Guarded([&] {
            if (GridHasFocus())
                m_tree->setFocus();
        });
    });
    // The key preview: every key for a control of this window passes here first.
    m_tastenFilter = new TTastenFilter(*this);
    qApp->installEventFilter(m_tastenFilter);
}

// ---- Texts and placement --------------------------------------------------------------------------

void TFormVerw::InitTexte()
{
    setWindowTitle(QString::fromStdString(Spredit::Txt9095 + ":" + std::to_string(m_fensterNr)));
}

void TFormVerw::GetRegData()
{
    const TIniRegistry ini;
    const std::string datei = IniDatei();
    const int top = ini.Read(datei, IniKey::VerwTop) + 10 * m_fensterNr;
    const int left = ini.Read(datei, IniKey::VerwLeft) + 10 * m_fensterNr;
    const int height = ini.Read(datei, IniKey::VerwHeight);
    const int width = ini.Read(datei, IniKey::VerwWidth);
    const int treeWidth = ini.Read(datei, IniKey::TreeWidth);
    const int zustand = ini.Read(datei, IniKey::VerwState);
    setGeometry(left, top, width, height);
    // The first window of a run without a stored placement fills the main window's area.
    m_platz->SetFuellen(m_fensterNr == 0 && !ini.ValueExists(datei, IniKey::VerwWidth.Section, IniKey::VerwWidth.Key));
    m_splitter->setSizes({treeWidth, std::max(1, width - treeWidth)});
    setWindowState(ZustandAusZahl(zustand));
    if (ini.Read(datei, IniKey::ShowQuickHelp))
        CreateMeldeFenster();
    const std::filesystem::path programm(GetModuleFileName());
    m_quickHelpDatei = programm.parent_path().string() + "/" + SprAz::Txt10184;
}

void TFormVerw::SetRegData()
{
    const TIniRegistry ini;
    const std::string datei = IniDatei();
    const int zustand = ZustandAlsZahl(windowState());
    bool ok = true;
    // A window never shown (the editor stopped before it edited a device) keeps no placement:
    // the defaults it was given would end the first window's filling of the area next time.
    if (zustand == 0 && m_platz->WarGezeigt()) {
        const QRect rahmen = geometry();
        ok = ini.Write(datei, IniKey::VerwTop, rahmen.y()) && ok;
        ok = ini.Write(datei, IniKey::VerwLeft, rahmen.x()) && ok;
        ok = ini.Write(datei, IniKey::VerwHeight, rahmen.height()) && ok;
        ok = ini.Write(datei, IniKey::VerwWidth, rahmen.width()) && ok;
    }
    ok = ini.Write(datei, IniKey::VerwState, zustand) && ok;
    const QList<int> breiten = m_splitter != nullptr ? m_splitter->sizes() : QList<int>();
    ok = ini.Write(datei, IniKey::TreeWidth, breiten.isEmpty() ? 0 : breiten.front()) && ok;
    ok = ini.Write(datei, IniKey::ShowQuickHelp, HasMeldeFenster()) && ok;
    // A settings file that cannot be written loses the placement only; nothing to tell.
    (void)ok;
}

// ---- Device data ------------------------------------------------------------------------------------

void TFormVerw::SetDeviceInstanz(TDeviceInstanz* instanz)
{
    if (instanz != m_ctrlTree->GetDeviceInstanz()) {
        m_grpAdrOrdner = nullptr;
        m_mainGroups = nullptr;
        m_middleGroups = nullptr;
        m_subGroups = nullptr;
    }
    m_ctrlTree->SetDeviceInstanz(instanz);
}

TDeviceInstanz* TFormVerw::GetDeviceInstanz() const
{
    return m_ctrlTree->GetDeviceInstanz();
}

void TFormVerw::InitData(const TDeviceInstanz::TKnotenMap& knoten, HWND mainHandle)
{
    m_mainHandle = mainHandle;
    m_treeFilling = true;
    struct TFlagZurueck {
        bool& flag;
        ~TFlagZurueck() { flag = false; }
    } zurueck{m_treeFilling};
    m_ctrlTree->InitTree(knoten);
    m_treeFilling = false;
    AktualisiereAnsicht(nullptr, -1, -1);
}

// ---- Pages ------------------------------------------------------------------------------------------

bool TFormVerw::IsGridPage() const
{
    return m_pages->currentWidget() == m_gridView;
}

bool TFormVerw::TreeHasFocus() const
{
    return HatFokus(m_tree);
}

bool TFormVerw::GridHasFocus() const
{
    return HatFokus(m_gridView);
}

void TFormVerw::SetFocusTo(QWidget* widget)
{
    if (widget != nullptr && widget->isEnabled())
        widget->setFocus(Qt::OtherFocusReason);
}

void TFormVerw::TreeChange(QTreeWidgetItem* node)
{
    if (!m_treeFilling) {
        if (DM != nullptr && DM->TableAutoCellActivate)
            AktualisiereAnsicht(node, 1, DM->TableAutoCellActivateRow);
        else
            AktualisiereAnsicht(node, -1, -1);
    }
    CheckActionList(node);
}

void TFormVerw::AktualisiereAnsicht(QTreeWidgetItem* node, int column, int row)
{
    // A rebuild of the page that a change of one cell asked for may come after keys that were
    // already waiting took the person on to another row (a type chosen, then a name typed):
    // the rebuild waits while the person types there, and then goes on in the person's row.
    int weiterZeile = -1;
    const QTreeWidgetItem* seite = node != nullptr ? node : m_tree->currentItem();
    if (seite != nullptr && TCtrlTree::Data(seite) == m_gridSeite && IsGridPage() && column >= 0 && row >= 0) {
        int aktivSpalte = -1;
        int aktivZeile = -1;
        const TCell* aktiv = m_grid->GetActiveCell(aktivSpalte, aktivZeile) && aktivZeile != row
                                 ? m_grid->Cell(aktivSpalte, aktivZeile)
                                 : nullptr;
        if (aktiv != nullptr && m_grid->Editor() != nullptr) {
            QTimer::singleShot(kNeuAufbauWartenMs, this, [this, column, row] { AktualisiereAnsicht(nullptr, column, row); });
            return;
        }
        if (aktiv != nullptr)
            weiterZeile = aktiv->RowNr;
    }
    // Whatever else changes the page (another node, a rebuild while the cell is being typed
    // in) takes the typed text first.
    ZelleVerlassen();
    const bool baumFokus = TreeHasFocus();
    if (node == nullptr)
        node = m_tree->currentItem();
    if (node == nullptr)
        return;
    const bool zelle = column >= 0 && row >= 0;
    if (IsGridPage() && KannFokus(m_gridView) && zelle)
        SetFocusTo(m_gridView);

    // Clear empties every slot a node may have bound; the window's cell-entry handler stays.
    m_grid->Clear();
    m_gridSeite = nullptr;
    TDataBasis* data = TCtrlTree::Data(node);
    const int stil = data != nullptr ? data->ListStyle() : 0;

    if (stil == 0) {
        if (m_meldeText != nullptr) {
            m_meldeText->clear();
            m_quickHelpId = 0;
        }
        if (KannFokus(m_tree))
            SetFocusTo(m_tree);
        m_ctrlListView->Leeren();
        m_pages->setCurrentWidget(m_listViewView);
        SetzeListZiehen(m_listViewView, true);
        m_listView->Visible = true;
        m_grid->Visible = false;
        m_grid->Clear();
        AktualisiereGridAnsicht(m_gridView);
        // A node that says it has children but has none yet (filled on expanding) ends here.
        if (node->childCount() == 0 && node->childIndicatorPolicy() == QTreeWidgetItem::ShowIndicator) {
            m_ctrlListView->Repaint();
            return;
        }
        std::vector<TListEintrag> eintraege;
        for (int i = 0; i < node->childCount(); ++i) {
            const QTreeWidgetItem* kind = node->child(i);
            eintraege.push_back({kind->text(0).toStdString(), TCtrlTree::ImageIndex(kind), TCtrlTree::Data(kind)});
        }
        m_ctrlListView->Fuellen(eintraege);
    } else if (stil == 1) {
        struct TGridUpdate {
            TDrawGridSE& grid;
            explicit TGridUpdate(TDrawGridSE& g) : grid(g) { grid.BeginUpdate(); }
            ~TGridUpdate() { grid.EndUpdate(); }
        } update(*m_grid);
        m_grid->Clear();
        const bool autoSize = DM != nullptr ? DM->GridAutoSize : m_ctrlGrid->Look().AutoSize;
        m_ctrlGrid->SetAutoSize(autoSize);
        m_ctrlGrid->SetDefaultColWidth(autoSize ? 1 : (DM != nullptr ? DM->GridColDefSize : 150));
        m_pages->setCurrentWidget(m_gridView);
        SetzeListZiehen(m_listViewView, false);
        m_grid->Visible = true;
        m_listView->Visible = false;
        m_ctrlListView->Repaint();
        m_grid->Clear();
        if (zelle)
            SetFocusTo(m_gridView);
        if (DM != nullptr)
            DM->GridFuellen = 1;
        m_gridSeite = data;
        if (weiterZeile < 0) {
            data->BuildInfoWindow(m_grid.get(), m_listView.get(), false, column, row);
        } else {
            data->BuildInfoWindow(m_grid.get(), m_listView.get(), false, -1, -1);
            if (const int neu = m_grid->FindRow(weiterZeile); neu >= 0)
                PostMessage(MainHandle(), UM_SetActiveCell, static_cast<WPARAM>(column), static_cast<LPARAM>(neu));
        }
        // A node may fill the list instead of the grid (a group address lists its objects):
        // the page follows the model it made visible.
        if (m_listView->Visible && !m_grid->Visible)
            m_pages->setCurrentWidget(m_listViewView);
    }
    RefreshRightSide();

    PostMessage(MainHandle(), UM_AnsichtAktualisiert, 0, reinterpret_cast<LPARAM>(data));
    if (baumFokus && KannFokus(m_tree))
        SetFocusTo(m_tree);
}

void TFormVerw::RefreshRightSide()
{
    if (IsGridPage())
        m_ctrlGrid->Repaint();
    else
        m_ctrlListView->Repaint();
}

void TFormVerw::CheckActionList(QTreeWidgetItem* node)
{
    TDataBasis* data = TCtrlTree::Data(node);
    if (data == nullptr || DM == nullptr)
        return;
    bool hinzufuegen = false;
    bool loeschen = false;
    bool link = false;
    bool kopieren = false;
    bool einfuegen = false;
    const int typ = data->GetTyp();
    if (typ == TypEtsObjekt) {
        link = true;
    } else if (typ == TypFeuerBereich || typ == TypUeberfallBereich
               || (typ >= TypSicherungsBereich1 && typ <= TypSicherungsBereich4)) {
        hinzufuegen = true;
        einfuegen = true;
    } else if (typ == TAzMelder::kTyp) {
        const auto* melder = dynamic_cast<const TAzMelder*>(data);
        if (melder == nullptr)
            return;
        loeschen = static_cast<int>(melder->GetMelderBereich()) != 2;
        kopieren = loeschen;
        einfuegen = loeschen;
    }
    SetzeAktion(DM->AMelderHinzufuegen, hinzufuegen);
    SetzeAktion(DM->AMelderLoeschen, loeschen);
    SetzeAktion(DM->ALinkToGrpAdr, link);
    SetzeAktion(DM->AMelderKopieren, kopieren);
    SetzeAktion(DM->AMelderEinfuegen, einfuegen);
}

// ---- Tree -------------------------------------------------------------------------------------------

void TFormVerw::UpdateTreeNamesAndIcon()
{
    m_ctrlTree->UpdateNamesAndIcon();
}

void TFormVerw::UpdateNodeImages(TDataBasis* data)
{
    TCtrlTree::SetNodeImages(GetNodeFromData(data), data);
}

QTreeWidgetItem* TFormVerw::AddChildNode2Data(TDataBasis* parent, TDataBasis* child, bool makeVisible)
{
    QTreeWidgetItem* node = m_ctrlTree->AddChildNode2Data(parent, child);
    if (makeVisible && node != nullptr) {
        // From the top down, as the user would open them (opening fills nodes in).
        std::vector<QTreeWidgetItem*> vorfahren;
        for (QTreeWidgetItem* p = node->parent(); p != nullptr; p = p->parent())
            vorfahren.push_back(p);
        for (auto it = vorfahren.rbegin(); it != vorfahren.rend(); ++it)
            (*it)->setExpanded(true);
        m_tree->scrollToItem(node);
        // The node the person is on stays in view: a new one is shown as far as that allows.
        if (QTreeWidgetItem* aktuell = m_tree->currentItem(); aktuell != nullptr && aktuell != node)
            m_tree->scrollToItem(aktuell);
    }
    return node;
}

void TFormVerw::DeleteNode(QTreeWidgetItem* node, TDataBasis* data)
{
    m_ctrlTree->DeleteNode(node, data);
}

QTreeWidgetItem* TFormVerw::GetNodeFromData(TDataBasis* data) const
{
    return m_ctrlTree->GetNodeFromData(data);
}

TDataBasis* TFormVerw::GetSelData() const
{
    return m_ctrlTree->GetSelData();
}

void TFormVerw::DeleteTreeViewNodes()
{
    m_treeFilling = true;
    m_tree->clear();
    m_treeFilling = false;
}

void TFormVerw::TreeExpand()
{
    m_ctrlTree->Expand();
}

void TFormVerw::TreeCollapse()
{
    m_ctrlTree->Collapse();
}

void TFormVerw::TreeExpandAll()
{
    m_ctrlTree->ExpandAll();
}

void TFormVerw::TreeCollapseAll()
{
    m_ctrlTree->CollapseAll();
}

void TFormVerw::Abgleich(TFormVerw* source)
{
    if (source == nullptr || source == this)
        return;
    m_ctrlTree->Abgleich(source->m_tree, false);
    AktualisiereAnsicht(nullptr, -1, -1);
}

void TFormVerw::Assign(TFormVerw* source)
{
    if (source == nullptr || source == this)
        return;
    SetDeviceInstanz(source->GetDeviceInstanz());
    m_grpAdrOrdner = source->m_grpAdrOrdner;
    m_mainGroups = source->m_mainGroups;
    m_middleGroups = source->m_middleGroups;
    m_subGroups = source->m_subGroups;
    if (source->mdiArea() != nullptr && mdiArea() != source->mdiArea())
        source->mdiArea()->addSubWindow(this);
    m_ctrlTree->Abgleich(source->m_tree, true);
    AktualisiereAnsicht(nullptr, 0, 0);
}

void TFormVerw::BeginTreeUpdate()
{
    m_ctrlTree->BeginUpdate();
}

void TFormVerw::EndTreeUpdate()
{
    m_ctrlTree->EndUpdate();
}

void TFormVerw::SetTreeSorting(bool on)
{
    m_ctrlTree->SetSorting(on);
}

bool TFormVerw::SelectNode(TDataBasis* data)
{
    QTreeWidgetItem* node = GetNodeFromData(data);
    if (node == nullptr)
        return false;
    // Another page replaces the one the person may be typing in.
    if (node != m_tree->currentItem())
        ZelleVerlassen();
    for (QTreeWidgetItem* p = node->parent(); p != nullptr; p = p->parent())
        p->setExpanded(true);
    m_tree->scrollToItem(node);
    m_tree->setCurrentItem(node);
    return true;
}

// ---- Drag and drop, tree scrolling ----------------------------------------------------------------

bool TFormVerw::TreeDragOver(QObject* sender, QObject* source, const QPoint& pos)
{
    const bool annehmen = m_ctrlTree->DragOver(sender, source, pos);
    m_baumScroll->DragOver();
    return annehmen;
}

void TFormVerw::TreeDragDrop(QObject* sender, QObject* source, const QPoint& pos)
{
    m_ctrlTree->DragDrop(sender, source, pos);
}

void TFormVerw::TreeStartDrag()
{
    m_baumScroll->Start();
}

void TFormVerw::TreeEndDrag()
{
    m_baumScroll->Ende();
}

bool TFormVerw::ListViewDragOver(QObject* sender, QObject* source, int item)
{
    return m_ctrlListView->DragOver(sender, source, item);
}

void TFormVerw::ListViewDragDrop(QObject* sender, QObject* source, int item)
{
    m_ctrlListView->DragDrop(sender, source, item);
    PostMessage(MainHandle(), UM_UpdateTreeNamesAndIcon, 0, 0);
}

void TFormVerw::TimerTreeScrollTimer()
{
    m_baumScroll->Tick();
}

void TFormVerw::ListViewStartDrag()
{
    auto* drag = new QDrag(m_listViewView);
    drag->setMimeData(new TZiehDaten(m_listViewView));
    TZiehLauf lauf(drag);
    drag->exec(Qt::MoveAction);
}

// ---- Grid ---------------------------------------------------------------------------------------------

void TFormVerw::LoadColor(int32_t common, int32_t cell, int32_t title, int32_t readOnly, int gridLines)
{
    m_ctrlGrid->LoadColor(common, cell, title, readOnly, gridLines);
}

void TFormVerw::LoadSize(bool autoSize, int colDefSize)
{
    m_ctrlGrid->LoadSize(autoSize, colDefSize);
}

TDrawGridSE& TFormVerw::GetGrid()
{
    return *m_grid;
}

TListView& TFormVerw::GetListView()
{
    return *m_listView;
}

void TFormVerw::SetResizeHandler(bool attached)
{
    m_resizeHandler = attached;
}

// ---- Quick help -------------------------------------------------------------------------------------

void TFormVerw::CreateMeldeFenster()
{
    if (m_meldeDock == nullptr) {
        auto* dock = new TFDockMeld(m_infoSeite);
        dock->OnClose = [this] { Guarded([&] { MeldeFensterGeschlossen(); }); };
        dock->OnEndDock = [this](bool floating) { Guarded([&] { OnMeldeDockTopLevelChanged(floating); }); };
        m_infoSeite->addDockWidget(Qt::BottomDockWidgetArea, dock);
        m_infoSeite->resizeDocks({dock}, {100}, Qt::Vertical);
        m_meldeDock = dock;
    }
    auto* dock = static_cast<TFDockMeld*>(m_meldeDock);
    m_meldeText = dock->ErzeugeText();
    dock->show();
}

bool TFormVerw::HasMeldeFenster() const
{
    return m_meldeText != nullptr;
}

void TFormVerw::ShowMeldeFenster(bool bringToFront)
{
    if (m_meldeDock == nullptr || m_meldeText == nullptr)
        return;
    m_meldeDock->show();
    if (bringToFront)
        m_meldeDock->raise();
}

void TFormVerw::HideMeldeFenster()
{
    if (m_meldeDock != nullptr)
        m_meldeDock->hide();
}

void TFormVerw::MeldeFensterGeschlossen()
{
    m_meldeText = nullptr;
    m_quickHelpId = 0;
}

void TFormVerw::OnMeldeDockTopLevelChanged(bool /*floating*/)
{
    // Qt moves the pane between its floating frame and the dock area itself; the text stays.
    if (m_meldeDock != nullptr && m_meldeText != nullptr)
        m_meldeDock->show();
}

std::string TFormVerw::GetQuickHelpText() const
{
    return m_meldeText != nullptr ? m_meldeText->toPlainText().toStdString() : std::string();
}

void TFormVerw::ShowOnlineHilfe(int id)
{
    if (m_meldeText == nullptr)
        return;
    if (!std::filesystem::exists(m_quickHelpDatei))
        return;
    TRtfDokument abschnitt;
    const TCursorHourGlass sanduhr;
    if (!TMeldeHilfe::LadeAbschnitt(m_quickHelpDatei, id, abschnitt))
        return;
    ZeigeRtfDokument(*m_meldeText, abschnitt);
}

void TFormVerw::GridEnterCell(TObject* /*sender*/, TCell& cell, int /*column*/, int /*row*/)
{
    if (m_meldeText == nullptr || !std::filesystem::exists(m_quickHelpDatei))
        return;
    if (cell.Help != m_quickHelpId) {
        ShowOnlineHilfe(cell.Help);
        m_quickHelpId = cell.Help;
    }
    if (m_meldeDock != nullptr)
        m_meldeDock->raise();
}

// ---- Messages, keys, mouse ----------------------------------------------------------------------------

LRESULT TFormVerw::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case UM_DeleteZellenKomponente:
        // The editor ends with its value taken: what was typed reaches the node (which takes
        // a text when its cell is left) before the editor goes.
        ZelleVerlassen();
        m_grid->DeleteZellenKomponente();
        RefreshRightSide();
        return 0;
    case UM_FocusControl: {
        // Only a control of this window, found without touching the pointer: the control may
        // be gone by the time the message arrives.
        const auto* gesucht = reinterpret_cast<const QWidget*>(lParam);
        for (QWidget* ziel : findChildren<QWidget*>()) {
            if (ziel == gesucht && ziel->isVisible()) {
                ziel->setFocus(Qt::OtherFocusReason);
                break;
            }
        }
        return 0;
    }
    case WM_KEYDOWN:
        if (wParam == VK_F6) {
            QKeyEvent f6(QEvent::KeyPress, Qt::Key_F6, Qt::NoModifier);
            FormKeyDown(&f6);
        } else if (wParam == VK_TAB && IsGridPage()) {
            GridTab(m_gridView);
        }
        return 0;
    default:
        return 0;
    }
}

template <class F> void TFormVerw::Guarded(F f)
{
    Geschuetzt(f);
}

bool TFormVerw::FormKeyDown(QKeyEvent* key)
{
    const bool strg = (key->modifiers() & Qt::ControlModifier) != 0;
    switch (key->key()) {
    case Qt::Key_Tab:
        if (IsGridPage() && m_gridView->isVisible() && !GridHasFocus())
            PostMessage(m_handle, WM_KEYDOWN, VK_TAB, 0);
        break;
    case Qt::Key_C:
        if (strg && TreeHasFocus() && DM != nullptr && DM->ACopy != nullptr) {
            DM->ACopy->trigger();
            return true;
        }
        break;
    case Qt::Key_V:
        if (strg && TreeHasFocus() && DM != nullptr && DM->APaste != nullptr) {
            m_grid->DeleteZellenKomponente();
            AktualisiereAnsicht(nullptr, 0, 0);
            DM->APaste->trigger();
            return true;
        }
        break;
    case Qt::Key_F1:
        WinHelp(m_handle, DM != nullptr ? DM->HilfeDatei : std::string(), HELP_FINDER, 10);
        break;
    case Qt::Key_F6: {
        m_treeFilling = true;
        struct TFlagZurueck {
            bool& flag;
            ~TFlagZurueck() { flag = false; }
        } zurueck{m_treeFilling};
        int spalte = 0;
        int zeile = 0;
        if (TreeHasFocus()) {
            if (IsGridPage() && m_gridView->isVisible())
                SetFocusTo(m_gridView);
            else if (m_listViewView->isVisible())
                SetFocusTo(m_listViewView);
        } else if (m_grid->GetActiveCell(spalte, zeile) && m_grid->Editor() != nullptr) {
            // Only while an editor is open: after it is gone the next F6 moves on.
            PostMessage(m_handle, UM_DeleteZellenKomponente, 0, 0);
            PostMessage(m_handle, WM_KEYDOWN, VK_F6, 0);
        } else {
            if (IsGridPage() && m_gridView->isVisible())
                SetFocusTo(m_gridView);
            SetFocusTo(m_tree);
        }
        break;
    }
    default:
        break;
    }
    return false;
}

bool TFormVerw::KeyPreview(QObject* watched, QEvent* event)
{
    try {
        if (event->type() == QEvent::KeyRelease) {
            m_lastKey = nullptr;
            m_lastKeyReceiver = nullptr;
        } else if (event->type() == QEvent::KeyPress) {
            auto* ziel = qobject_cast<QWidget*>(watched);
            if (ziel == nullptr || (ziel != this && !isAncestorOf(ziel)))
                return false;
            // One key press passes the filter once per widget it is offered to on its way up;
            // it is handled at the first.
            if (event == m_lastKey && !m_lastKeyReceiver.isNull() && ziel->isAncestorOf(m_lastKeyReceiver)) {
                m_lastKeyReceiver = ziel;
                return false;
            }
            m_lastKey = event;
            m_lastKeyReceiver = ziel;
            auto* key = static_cast<QKeyEvent*>(event);
            bool erledigt = false;
            if (DM != nullptr)
                DM->OnShortCut(key, erledigt);
            if (erledigt)
                return true;
            return FormKeyDown(key);
        }
    } catch (const std::exception& e) {
        MeldeUnerwartetenFehler(e.what());
    } catch (...) {
        MeldeUnerwartetenFehler("");
    }
    return false;
}

void TFormVerw::TreeMouseDown(const QPoint& pos)
{
    QTreeWidgetItem* node = m_tree->itemAt(pos);
    if (node == nullptr)
        return;
    m_tree->setCurrentItem(node);
    CheckActionList(node);
    if (DM == nullptr)
        return;
    QMenu menue(this);
    menue.setObjectName(QStringLiteral("PopupMenu1"));
    menue.addAction(DM->AMelderHinzufuegen);
    menue.addAction(DM->AMelderLoeschen);
    menue.addSeparator();
    menue.addAction(DM->AMelderKopieren);
    menue.addAction(DM->AMelderEinfuegen);
    menue.addSeparator();
    menue.addAction(DM->AExpand);
    menue.addAction(DM->ACollapse);
    menue.addSeparator();
    menue.addAction(DM->ALinkToGrpAdr);
    menue.exec(QCursor::pos());
}

void TFormVerw::ListViewDblClick(int index)
{
    const TListItem* item = m_listView->Item(index);
    if (item == nullptr || item->Data == nullptr)
        return;
    SelectNode(static_cast<TDataBasis*>(item->Data));
}

// ---- Window events -------------------------------------------------------------------------------------

void TFormVerw::closeEvent(QCloseEvent* event)
{
    if (m_fensterNr > 0) {
        setAttribute(Qt::WA_DeleteOnClose, true);
        QMdiSubWindow::closeEvent(event);
        return;
    }
    // Window 0 stays: closing minimises it.
    event->ignore();
    showMinimized();
}

void TFormVerw::FormActivate()
{
    PostMessage(MainHandle(), UM_ActivateFormVerw, 0, reinterpret_cast<LPARAM>(this));
}

void TFormVerw::FormDeactivate()
{
    SendMessage(m_handle, UM_DeleteZellenKomponente, 0, 0);
    RefreshRightSide();
}

void TFormVerw::resizeEvent(QResizeEvent* event)
{
    QMdiSubWindow::resizeEvent(event);
    if (m_resizeHandler && m_tree != nullptr && isVisible())
        m_tree->setFocus(Qt::OtherFocusReason);
}

void TFormVerw::showEvent(QShowEvent* event)
{
    m_platz->Gezeigt();
    QMdiSubWindow::showEvent(event);
}

void TFormVerw::GridEingabeUebernehmen()
{
    ::GridEingabeUebernehmen(m_gridView);
}

void TFormVerw::ZelleVerlassen()
{
    GridEingabeUebernehmen();
    if (m_grid->Editor() != nullptr)
        m_grid->ExitCell();
}
