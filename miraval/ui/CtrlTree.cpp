#include "miraval/ui/CtrlTree.h"

#include "miraval/dienste/DaMo.h"
#include "miraval/ui/ZiehDaten.h"
#include "miraval/ui/ZiehLauf.h"
#include "pellam/DataBasis.h"
#include "quillon/VireoGrpAdrBasic.h"
#include "quillon/VireoGrpAdrMain.h"
#include "win32/CodePage1252.h"
#include "win32/Cursor.h"

#include <QIcon>
#include <QPoint>
#include <QSignalBlocker>
#include <QString>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include <algorithm>
#include <array>
#include <set>
#include <unordered_map>
#include <unordered_set>

namespace {

constexpr int DataRole = Qt::UserRole;
constexpr int ImageRole = Qt::UserRole + 1;

constexpr int TypGrpAdrOrdner = 203;
constexpr int TypMainGroup = 5001;
constexpr int TypMiddleGroup = 5002;
constexpr int TypSubGroup = 5003;

// ---- The fixed text order ------------------------------------------------------------------

// Windows-1252 code of a code point; code points outside the code page get 0x100 + code point,
// so they follow every Windows-1252 character.
uint32_t Cp1252Code(char32_t cp)
{
    static const std::unordered_map<char32_t, uint32_t> hoch = [] {
        std::unordered_map<char32_t, uint32_t> m;
        for (int b = 0x80; b < 0xA0; ++b) {
            const QString s = QString::fromStdString(Cp1252ToUtf8(std::string(1, static_cast<char>(b))));
            const auto ucs = s.toUcs4();
            if (ucs.size() == 1)
                m.emplace(static_cast<char32_t>(ucs[0]), static_cast<uint32_t>(b));
        }
        return m;
    }();
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return cp;
    const auto it = hoch.find(cp);
    return it != hoch.end() ? it->second : 0x100 + static_cast<uint32_t>(cp);
}

// Lower case of a Windows-1252 code (ASCII, Latin-1 and the four capitals in 0x80-0x9F).
uint32_t Klein(uint32_t c)
{
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
        return c + 0x20;
    switch (c) {
    case 0x8A: return 0x9A; // Š
    case 0x8C: return 0x9C; // Œ
    case 0x8E: return 0x9E; // Ž
    case 0x9F: return 0xFF; // Ÿ
    default: return c;
    }
}

// The base letters of a lower-case Windows-1252 letter (one or two), for the primary order.
void Basis(uint32_t c, std::vector<uint32_t>& out)
{
    auto add = [&](const char* s) {
        for (; *s != 0; ++s)
            out.push_back(static_cast<unsigned char>(*s));
    };
    if (c >= 0xE0 && c <= 0xE5) return add("a");
    if (c >= 0xE8 && c <= 0xEB) return add("e");
    if (c >= 0xEC && c <= 0xEF) return add("i");
    if ((c >= 0xF2 && c <= 0xF6) || c == 0xF8) return add("o");
    if (c >= 0xF9 && c <= 0xFC) return add("u");
    switch (c) {
    case 0xE6: return add("ae");
    case 0xE7: return add("c");
    case 0xF0: return add("d");
    case 0xF1: return add("n");
    case 0xFD: case 0xFF: return add("y");
    case 0xDF: return add("ss");
    case 0x9A: return add("s");
    case 0x9C: return add("oe");
    case 0x9E: return add("z");
    default: out.push_back(c);
    }
}

struct TSchluessel {
    std::vector<uint32_t> primaer;  // without case and accents
    std::vector<uint32_t> sekundaer; // without case
};

TSchluessel Schluessel(const std::string& text)
{
    TSchluessel s;
    for (const char32_t cp : QString::fromStdString(text).toUcs4()) {
        const uint32_t k = Klein(Cp1252Code(cp));
        s.sekundaer.push_back(k);
        Basis(k, s.primaer);
    }
    return s;
}

int Vorzeichen(bool kleiner, bool groesser)
{
    return kleiner ? -1 : (groesser ? 1 : 0);
}

int VergleicheFolgen(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b)
{
    return Vorzeichen(std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end()),
                      std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end()));
}

bool IstTrenner(char c)
{
    return (c >= '0' && c <= '9') || c == ',';
}

// The trailing run of digits and commas: false when the text does not end in one.
bool Trenne(const std::string& text, std::string& textPart, std::string& lauf)
{
    if (text.empty() || !IstTrenner(text.back()))
        return false;
    std::size_t p = text.size();
    while (p > 0 && IstTrenner(text[p - 1]))
        --p;
    textPart = text.substr(0, p);
    lauf = text.substr(p);
    return true;
}

// A run of digits as a number of any length: -1 stands for "no number" (a comma in it) and
// orders before every number.
int VergleicheLaeufe(const std::string& a, const std::string& b)
{
    const bool zahlA = a.find(',') == std::string::npos;
    const bool zahlB = b.find(',') == std::string::npos;
    if (!zahlA || !zahlB)
        return Vorzeichen(!zahlA && zahlB, zahlA && !zahlB);
    auto ohneNullen = [](const std::string& s) {
        const std::size_t p = s.find_first_not_of('0');
        return p == std::string::npos ? std::string() : s.substr(p);
    };
    const std::string x = ohneNullen(a);
    const std::string y = ohneNullen(b);
    if (x.size() != y.size())
        return Vorzeichen(x.size() < y.size(), x.size() > y.size());
    return Vorzeichen(x < y, x > y);
}

void SetzeVerborgen(QTreeWidgetItem* node)
{
    for (QTreeWidgetItem* p = node->parent(); p != nullptr; p = p->parent())
        p->setExpanded(true);
}

bool IstSichtbar(const QTreeWidgetItem* node)
{
    for (const QTreeWidgetItem* p = node->parent(); p != nullptr; p = p->parent()) {
        if (!p->isExpanded())
            return false;
    }
    return true;
}

void KlappeAllesZu(QTreeWidgetItem* node)
{
    node->setExpanded(false);
    for (int i = 0; i < node->childCount(); ++i)
        KlappeAllesZu(node->child(i));
}

// A copy of a node: text, object, images and whether it shows the expand indicator.
QTreeWidgetItem* Kopie(const QTreeWidgetItem* quelle)
{
    auto* kopie = new QTreeWidgetItem(QStringList(quelle->text(0)));
    kopie->setData(0, DataRole, quelle->data(0, DataRole));
    kopie->setData(0, ImageRole, quelle->data(0, ImageRole));
    kopie->setIcon(0, quelle->icon(0));
    kopie->setChildIndicatorPolicy(quelle->childIndicatorPolicy());
    return kopie;
}

} // namespace

TCtrlTree::TCtrlTree(QTreeWidget* tree) : m_tree(tree) {}

TDataBasis* TCtrlTree::Data(const QTreeWidgetItem* node)
{
    if (node == nullptr)
        return nullptr;
    return reinterpret_cast<TDataBasis*>(node->data(0, DataRole).value<quintptr>());
}

int TCtrlTree::ImageIndex(const QTreeWidgetItem* node)
{
    if (node == nullptr)
        return -1;
    const QVariant v = node->data(0, ImageRole);
    return v.isValid() ? v.toInt() : -1;
}

void TCtrlTree::SetData(QTreeWidgetItem* node, TDataBasis* data)
{
    node->setData(0, DataRole, QVariant::fromValue(reinterpret_cast<quintptr>(data)));
}

void TCtrlTree::SetNodeImages(QTreeWidgetItem* node, TDataBasis* data)
{
    if (node == nullptr || data == nullptr)
        return;
    const int index = data->GetIcon();
    node->setData(0, ImageRole, index);
    node->setIcon(0, TDM::Icon(index));
}

void TCtrlTree::InitTree(const TDeviceInstanz::TKnotenMap& map)
{
    if (map.empty())
        return;
    TDataBasis* root = nullptr;
    for (const auto& [handle, obj] : map) {
        if (obj != nullptr) {
            const int typ = obj->GetTyp();
            if (typ > 100 && typ < 112) {
                root = obj.get();
                break;
            }
        }
    }
    if (root == nullptr)
        return;

    TTreeNodesUpdate update(*this);
    std::unordered_set<const TDataBasis*> gemacht;
    m_gemacht = &gemacht;
    struct TZurueck {
        TCtrlTree& ctrl;
        ~TZurueck() { ctrl.m_gemacht = nullptr; }
    } zurueck{*this};

    QTreeWidgetItem* rootNode = MakeNode(nullptr, root);
    InitChildNode(root->GetHandle(), map, rootNode);
    m_tree->setCurrentItem(rootNode);
    rootNode->setExpanded(true);
}

void TCtrlTree::InitChildNode(int32_t parentHandle, const TDeviceInstanz::TKnotenMap& map,
                              QTreeWidgetItem* node)
{
    for (const auto& [handle, obj] : map) {
        if (obj == nullptr || (m_gemacht != nullptr && m_gemacht->count(obj.get()) != 0))
            continue;
        if (!obj->IsVisible() || obj->GetParentHandle() != parentHandle)
            continue;
        QTreeWidgetItem* kind = MakeNode(node, obj.get());
        if (kind != nullptr)
            InitChildNode(obj->GetHandle(), map, kind);
    }
}

QTreeWidgetItem* TCtrlTree::MakeNode(QTreeWidgetItem* parent, TDataBasis* obj)
{
    if (obj == nullptr)
        return nullptr;
    if (m_gemacht != nullptr && !m_gemacht->insert(obj).second)
        return nullptr;
    // An object that lists one of its ancestors as its child would recurse forever.
    for (const QTreeWidgetItem* p = parent; p != nullptr; p = p->parent()) {
        if (Data(p) == obj)
            return nullptr;
    }

    auto* node = new QTreeWidgetItem(QStringList(QString::fromStdString(obj->GetName(true))));
    SetData(node, obj);
    SetNodeImages(node, obj);
    const int typ = obj->GetTyp();
    if (typ == TypMainGroup || typ == TypMiddleGroup)
        node->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    if (parent == nullptr)
        m_tree->clear();
    Insert(parent, node);

    const int n = obj->GetChildCount(true);
    for (int i = 0; i < n; ++i) {
        TDataBasis* c = obj->GetChild(i, true);
        if (c == nullptr)
            break;
        MakeNode(node, c);
    }
    return node;
}

void TCtrlTree::Insert(QTreeWidgetItem* parent, QTreeWidgetItem* node)
{
    QTreeWidgetItem* ebene = parent != nullptr ? parent : m_tree->invisibleRootItem();
    int pos = ebene->childCount();
    if (m_sorting) {
        // After the last sibling that does not sort behind the new node (stable).
        while (pos > 0 && Compare(node, ebene->child(pos - 1)) < 0)
            --pos;
    }
    ebene->insertChild(pos, node);
}

QTreeWidgetItem* TCtrlTree::AddChildNode2Data(TDataBasis* parent, TDataBasis* child)
{
    QTreeWidgetItem* node = GetNodeFromData(parent);
    if (node == nullptr)
        return nullptr;
    // A lazily filled level may hold the child already (opening the parent filled it in).
    for (int i = 0; i < node->childCount(); ++i) {
        if (Data(node->child(i)) == child)
            return node->child(i);
    }
    return MakeNode(node, child);
}

void TCtrlTree::DeleteNode(QTreeWidgetItem* /*node*/, TDataBasis* obj)
{
    if (obj == nullptr)
        return;
    delete GetNodeFromData(obj);
}

QTreeWidgetItem* TCtrlTree::GetNodeFromData(const TDataBasis* data) const
{
    if (data == nullptr)
        return nullptr;
    for (QTreeWidgetItemIterator it(m_tree); *it != nullptr; ++it) {
        if (Data(*it) == data)
            return *it;
    }
    return nullptr;
}

void TCtrlTree::UpdateNamesAndIcon()
{
    try {
        for (QTreeWidgetItemIterator it(m_tree); *it != nullptr; ++it) {
            TDataBasis* data = Data(*it);
            if (data == nullptr)
                continue;
            (*it)->setText(0, QString::fromStdString(data->GetName(true)));
            SetNodeImages(*it, data);
        }
    } catch (...) {
        // A node that cannot name itself keeps its old text; the others are done.
    }
    if (m_sorting)
        AlphaSort();
    m_tree->viewport()->update();
}

TDataBasis* TCtrlTree::GetSelData() const
{
    return Data(m_tree->currentItem());
}

int TCtrlTree::Compare(const QTreeWidgetItem* node1, const QTreeWidgetItem* node2)
{
    TDataBasis* data1 = Data(node1);
    TDataBasis* data2 = Data(node2);
    if (data1 == nullptr || data2 == nullptr)
        return 0;
    const int rang1 = data1->GetPosId();
    const int rang2 = data2->GetPosId();
    if (rang1 != rang2)
        return rang1 < rang2 ? -1 : 1;
    return CompareCaptions(node1->text(0).toStdString(), node2->text(0).toStdString());
}

int TCtrlTree::CompareCaptions(const std::string& text1, const std::string& text2)
{
    std::string teil1, teil2, lauf1, lauf2;
    if (Trenne(text1, teil1, lauf1) && Trenne(text2, teil2, lauf2)) {
        const int r = CompareText(teil1, teil2);
        return r != 0 ? r : VergleicheLaeufe(lauf1, lauf2);
    }
    return CompareText(text1, text2);
}

int TCtrlTree::CompareText(const std::string& text1, const std::string& text2)
{
    const TSchluessel a = Schluessel(text1);
    const TSchluessel b = Schluessel(text2);
    const int r = VergleicheFolgen(a.primaer, b.primaer);
    return r != 0 ? r : VergleicheFolgen(a.sekundaer, b.sekundaer);
}

bool TCtrlTree::TrenneZahlenUndString(const std::string& text, std::string& textPart, int32_t& number)
{
    std::string teil, lauf;
    if (!Trenne(text, teil, lauf))
        return false;
    int32_t wert = -1;
    if (lauf.find(',') == std::string::npos && lauf.size() <= 10) {
        const long long w = std::stoll(lauf);
        if (w <= INT32_MAX)
            wert = static_cast<int32_t>(w);
    }
    number = wert;
    textPart = teil;
    return true;
}

void TCtrlTree::Expand()
{
    QTreeWidgetItem* node = m_tree->currentItem();
    if (node == nullptr)
        return;
    {
        TTreeNodesUpdate update(*this);
        ExpandBranch(node);
    }
    m_tree->scrollToItem(node, QAbstractItemView::PositionAtTop);
}

void TCtrlTree::Collapse()
{
    QTreeWidgetItem* node = m_tree->currentItem();
    if (node == nullptr)
        return;
    {
        TTreeNodesUpdate update(*this);
        KlappeAllesZu(node);
    }
    m_tree->scrollToItem(node, QAbstractItemView::PositionAtTop);
}

void TCtrlTree::ExpandAll()
{
    QTreeWidgetItem* node = m_tree->currentItem();
    {
        TTreeNodesUpdate update(*this);
        std::vector<QTreeWidgetItem*> oben;
        for (int i = 0; i < m_tree->topLevelItemCount(); ++i)
            oben.push_back(m_tree->topLevelItem(i));
        for (QTreeWidgetItem* ast : oben)
            ExpandBranch(ast);
    }
    if (node != nullptr)
        m_tree->scrollToItem(node, QAbstractItemView::PositionAtTop);
}

void TCtrlTree::ExpandBranch(QTreeWidgetItem* node)
{
    if (node == nullptr)
        return;
    if (node->childCount() == 0 && node->childIndicatorPolicy() != QTreeWidgetItem::ShowIndicator)
        return;
    node->setExpanded(true);
    if (!node->isExpanded())
        return;
    // Opening may fill nodes in and sort them: the children as they are after it.
    std::vector<QTreeWidgetItem*> kinder;
    for (int i = 0; i < node->childCount(); ++i)
        kinder.push_back(node->child(i));
    for (QTreeWidgetItem* kind : kinder)
        ExpandBranch(kind);
}

void TCtrlTree::CollapseAll()
{
    TTreeNodesUpdate update(*this);
    m_tree->clearSelection();
    m_tree->collapseAll();
    if (m_tree->topLevelItemCount() > 0)
        m_tree->setCurrentItem(m_tree->topLevelItem(0));
}

namespace {

TCtrlTree::TPfad PfadVon(const QTreeWidgetItem* node)
{
    TCtrlTree::TPfad pfad;
    for (; node != nullptr; node = node->parent()) {
        TDataBasis* data = TCtrlTree::Data(node);
        pfad.emplace_back(data != nullptr ? data->GetTyp() : -1, node->text(0).toStdString());
    }
    std::reverse(pfad.begin(), pfad.end());
    return pfad;
}

} // namespace

TCtrlTree::TAnsicht TCtrlTree::Ansicht() const
{
    TAnsicht ansicht;
    for (QTreeWidgetItemIterator it(m_tree); *it != nullptr; ++it)
        if ((*it)->isExpanded())
            ansicht.offen.push_back(PfadVon(*it));
    ansicht.aktuell = PfadVon(m_tree->currentItem());
    return ansicht;
}

QTreeWidgetItem* TCtrlTree::Finde(const TPfad& pfad, bool bisVorfahr) const
{
    QTreeWidgetItem* ebene = m_tree->invisibleRootItem();
    QTreeWidgetItem* gefunden = nullptr;
    for (const auto& [typ, text] : pfad) {
        QTreeWidgetItem* gleich = nullptr;
        QTreeWidgetItem* gleicheArt = nullptr;
        int anzahl = 0;
        for (int i = 0; i < ebene->childCount() && gleich == nullptr; ++i) {
            QTreeWidgetItem* kind = ebene->child(i);
            TDataBasis* data = Data(kind);
            if ((data != nullptr ? data->GetTyp() : -1) != typ)
                continue;
            ++anzahl;
            gleicheArt = kind;
            if (kind->text(0).toStdString() == text)
                gleich = kind;
        }
        QTreeWidgetItem* weiter = gleich != nullptr ? gleich : anzahl == 1 ? gleicheArt : nullptr;
        if (weiter == nullptr)
            return bisVorfahr ? gefunden : nullptr;
        gefunden = ebene = weiter;
    }
    return gefunden;
}

void TCtrlTree::SetAnsicht(const TAnsicht& ansicht)
{
    m_tree->collapseAll();
    for (const TPfad& pfad : ansicht.offen)
        if (QTreeWidgetItem* node = Finde(pfad, false))
            node->setExpanded(true);
    QTreeWidgetItem* aktuell = Finde(ansicht.aktuell, true);
    if (aktuell == nullptr)
        return;
    for (QTreeWidgetItem* p = aktuell->parent(); p != nullptr; p = p->parent())
        p->setExpanded(true);
    m_tree->setCurrentItem(aktuell);
    m_tree->scrollToItem(aktuell);
}

void TCtrlTree::CopyChildNodes(const QTreeWidgetItem* from, QTreeWidgetItem* to)
{
    for (int i = 0; i < from->childCount(); ++i) {
        const QTreeWidgetItem* quelle = from->child(i);
        TDataBasis* data = Data(quelle);
        if (data == nullptr)
            continue;
        const int typ = data->GetTyp();
        if (typ == TypMiddleGroup || typ == TypSubGroup) {
            // The copy fills this level again when it is opened.
            to->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
            continue;
        }
        QTreeWidgetItem* kopie = Kopie(quelle);
        to->addChild(kopie);
        CopyChildNodes(quelle, kopie);
    }
}

void TCtrlTree::Abgleich(QTreeWidget* source, bool takeStateFromSource)
{
    if (source == nullptr || source == m_tree)
        return;
    QTreeWidgetItem* neueAuswahl = nullptr;
    {
        TTreeNodesUpdate update(*this);
        QTreeWidget* referenz = takeStateFromSource ? source : m_tree;
        TDataBasis* auswahl = Data(referenz->currentItem());
        std::unordered_map<const TDataBasis*, bool> sichtbar;
        for (QTreeWidgetItemIterator it(referenz); *it != nullptr; ++it) {
            if (const TDataBasis* d = Data(*it))
                sichtbar.emplace(d, IstSichtbar(*it));
        }

        bool grpAdrBehalten = false;
        {
            // Deleting the selected node moves the selection: no change is raised for that,
            // the selection is set once the copy stands.
            const QSignalBlocker stumm(m_tree);
            for (int i = m_tree->topLevelItemCount() - 1; i >= 0; --i) {
                QTreeWidgetItem* node = m_tree->topLevelItem(i);
                TDataBasis* data = Data(node);
                if (data == nullptr)
                    continue;
                if (data->GetTyp() == TypGrpAdrOrdner) {
                    grpAdrBehalten = true;
                    continue;
                }
                delete node;
            }
        }

        for (int i = 0; i < source->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* quelle = source->topLevelItem(i);
            TDataBasis* data = Data(quelle);
            if (data == nullptr || (grpAdrBehalten && data->GetTyp() == TypGrpAdrOrdner))
                continue;
            QTreeWidgetItem* kopie = Kopie(quelle);
            m_tree->addTopLevelItem(kopie);
            CopyChildNodes(quelle, kopie);
        }

        // Opening a node may fill nodes in and sort the tree: the nodes to show are found
        // first and opened afterwards.
        std::vector<QTreeWidgetItem*> zeigen;
        for (QTreeWidgetItemIterator it(m_tree); *it != nullptr; ++it) {
            const TDataBasis* d = Data(*it);
            if (d == nullptr)
                continue;
            const auto s = sichtbar.find(d);
            if (s != sichtbar.end() && s->second)
                zeigen.push_back(*it);
            if (d == auswahl)
                neueAuswahl = *it;
        }
        for (QTreeWidgetItem* node : zeigen)
            SetzeVerborgen(node);
    }
    {
        const QSignalBlocker stumm(m_tree);
        m_tree->setCurrentItem(neueAuswahl);
    }
    AlphaSort();
}

QTreeWidgetItem* TCtrlTree::MakeGrpAdrFolder(const TDeviceInstanz::TMainGroupMap& mainGroups, TDataBasis* folder)
{
    if (folder == nullptr)
        return nullptr;
    TTreeNodesUpdate update(*this);
    auto* node = new QTreeWidgetItem(QStringList(QString::fromStdString(folder->GetName(true))));
    SetData(node, folder);
    SetNodeImages(node, folder);
    Insert(nullptr, node);
    for (const auto& [id, main] : mainGroups) {
        if (main != nullptr)
            MakeNode(node, main.get());
    }
    return node;
}

void TCtrlTree::MakeGrpAdrNode(const TGrpAdrSammlung& collection, QTreeWidgetItem* node)
{
    if (node == nullptr)
        return;
    TGrpAdrSammlung fehlend = collection;
    for (int i = 0; i < node->childCount(); ++i) {
        if (auto* vorhanden = dynamic_cast<TVireoGrpAdrBasis*>(Data(node->child(i))))
            fehlend.erase(vorhanden->GetEtsId());
    }
    for (const auto& [id, obj] : fehlend) {
        if (obj != nullptr)
            MakeNode(node, obj);
    }
    node->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

bool TCtrlTree::DragOver(QObject* sender, QObject* source, const QPoint& pos)
{
    try {
        const auto* baum = qobject_cast<const QTreeWidget*>(sender);
        if (baum == nullptr || !(TZiehDaten::IstBaum(source) || TZiehDaten::IstListe(source)))
            return false;
        TDataBasis* gezogen = TZiehDaten::Objekt(source);
        if (gezogen == nullptr)
            return false;
        TDataBasis* ziel = Data(baum->itemAt(pos));
        return ziel != nullptr && ziel->AllowDrop(gezogen);
    } catch (...) {
        TZiehLauf::MeldeAusnahme("TCtrlTree::DragOver", true);
    }
    return false;
}

void TCtrlTree::DragDrop(QObject* sender, QObject* source, const QPoint& pos)
{
    struct TCursorZurueck {
        ~TCursorZurueck() { SetScreenCursor(crDefault); }
    } zurueck;
    try {
        const auto* baum = qobject_cast<const QTreeWidget*>(sender);
        if (baum == nullptr || !(TZiehDaten::IstBaum(source) || TZiehDaten::IstListe(source)))
            return;
        TDataBasis* gezogen = TZiehDaten::Objekt(source);
        TDataBasis* ziel = Data(baum->itemAt(pos));
        if (gezogen == nullptr || ziel == nullptr)
            return;
        SetScreenCursor(crHourGlass);
        ziel->Drop(gezogen);
    } catch (...) {
        TZiehLauf::MeldeAusnahme("TCtrlTree::DragDrop", false);
    }
}

void TCtrlTree::BeginUpdate()
{
    if (m_updateDepth++ == 0)
        m_tree->setUpdatesEnabled(false);
}

void TCtrlTree::EndUpdate()
{
    if (m_updateDepth == 0)
        return;
    if (--m_updateDepth == 0) {
        m_tree->setUpdatesEnabled(true);
        m_tree->viewport()->update();
    }
}

void TCtrlTree::SetSorting(bool on)
{
    const bool war = m_sorting;
    m_sorting = on;
    if (on && !war)
        AlphaSort();
}

void TCtrlTree::AlphaSort()
{
    // Taking children out loses their expanded state and the selection: both are put back.
    std::vector<QTreeWidgetItem*> offen;
    for (QTreeWidgetItemIterator it(m_tree); *it != nullptr; ++it) {
        if ((*it)->isExpanded())
            offen.push_back(*it);
    }
    QTreeWidgetItem* aktuell = m_tree->currentItem();
    const QSignalBlocker stumm(m_tree);
    TTreeNodesUpdate update(*this);

    std::vector<QTreeWidgetItem*> ebenen{m_tree->invisibleRootItem()};
    for (std::size_t i = 0; i < ebenen.size(); ++i) {
        QTreeWidgetItem* ebene = ebenen[i];
        if (ebene->childCount() == 0)
            continue;
        QList<QTreeWidgetItem*> kinder;
        for (int k = 0; k < ebene->childCount(); ++k)
            kinder.append(ebene->child(k));
        const bool sortiert = std::is_sorted(kinder.begin(), kinder.end(),
                                             [](auto* a, auto* b) { return Compare(a, b) < 0; });
        if (!sortiert) {
            kinder = ebene->takeChildren();
            std::stable_sort(kinder.begin(), kinder.end(), [](auto* a, auto* b) { return Compare(a, b) < 0; });
            ebene->addChildren(kinder);
        }
        for (QTreeWidgetItem* k : kinder)
            ebenen.push_back(k);
    }
    for (QTreeWidgetItem* node : offen)
        node->setExpanded(true);
    if (aktuell != nullptr && m_tree->currentItem() != aktuell)
        m_tree->setCurrentItem(aktuell);
}
