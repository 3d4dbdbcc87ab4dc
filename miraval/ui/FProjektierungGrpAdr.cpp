// TFormVerw: the group-address part of the tree (folder, lazy fill, new group addresses).

#include "miraval/ui/FProjektierung.h"

#include "miraval/dienste/DaMo.h"
#include "miraval/ui/CtrlTree.h"
#include "morrow/EtsMainGroup.h"
#include "morrow/EtsMiddleGroup.h"
#include "morrow/EtsSubGroup.h"
#include "pellam/DataBasis.h"
#include "quillon/CursorHourGlass.h"
#include "quillon/OrdnerGrpAdr.h"
#include "quillon/UserMessages.h"
#include "quillon/VireoGrpAdrMain.h"
#include "quillon/VireoGrpAdrMiddle.h"
#include "quillon/VireoGrpAdrSub.h"
#include "win32/MessageBox.h"

#include <QTreeWidget>

#include <memory>
#include <vector>

namespace {

constexpr int TypGrpAdrOrdner = 203;
constexpr int TypMainGroup = 5001;
constexpr int TypMiddleGroup = 5002;
constexpr int TypSubGroup = 5003;

bool DreiEbenen()
{
    return DM == nullptr || DM->GrpAdrLevel == 3;
}

} // namespace

HWND TFormVerw::Hauptfenster() const
{
    if (m_mainHandle != nullptr)
        return m_mainHandle;
    return DM != nullptr ? DM->MainHandle : nullptr;
}

void TFormVerw::NeuAufbauen(TDeviceInstanz& instanz)
{
    // The group-address part goes with the rest: the tree is rebuilt from the registry.
    if (QTreeWidgetItem* ordner = GetNodeFromData(m_grpAdrOrdner))
        delete ordner;
    SetDeviceInstanz(&instanz);
    m_grpAdrOrdner = nullptr;
    m_mainGroups = nullptr;
    m_middleGroups = nullptr;
    m_subGroups = nullptr;
    const HWND main = DM != nullptr ? DM->MainHandle : nullptr;
    InitData(instanz.GetKnoten(), main);
    if (instanz.GetGrpAdrOrdner() != nullptr && m_tree->topLevelItemCount() > 0)
        InitGrpAdr(main, instanz.GetGrpAdrOrdner(), &instanz.GetMainGroupMap(), &instanz.GetMiddleGroupMap(),
                   &instanz.GetSubGroupMap());
}

void TFormVerw::InitGrpAdr(HWND /*mainHandle*/, TDataBasis* folder, const TDeviceInstanz::TMainGroupMap* mainGroups,
                           const TDeviceInstanz::TMiddleGroupMap* middleGroups,
                           const TDeviceInstanz::TSubGroupMap* subGroups)
{
    // One node per folder: a node made before is replaced with its group addresses.
    for (TDataBasis* alt : {m_grpAdrOrdner, folder}) {
        if (QTreeWidgetItem* node = GetNodeFromData(alt))
            delete node;
    }
    m_grpAdrOrdner = folder;
    m_mainGroups = mainGroups;
    m_middleGroups = middleGroups;
    m_subGroups = subGroups;
    static const TDeviceInstanz::TMainGroupMap keine;
    m_ctrlTree->MakeGrpAdrFolder(mainGroups != nullptr ? *mainGroups : keine, folder);
}

void TFormVerw::DeleteGrpAdr() {}

bool TFormVerw::TreeExpanding(QTreeWidgetItem* node)
{
    TDataBasis* data = TCtrlTree::Data(node);
    if (data == nullptr || data->GetTyp() != TypGrpAdrOrdner)
        return true;
    return SendMessage(Hauptfenster(), UM_IsGrpAdrAvailable, 0, 0) != 0;
}

void TFormVerw::TreeExpanded(QTreeWidgetItem* node)
{
    if (node == nullptr)
        return;
    TTreeNodesUpdate update(*m_ctrlTree);
    const TCursorHourGlass sanduhr;
    std::unique_ptr<TTreeSortPause> pause;
    // The children as they are now: the ones filled in get no level of their own yet.
    std::vector<QTreeWidgetItem*> kinder;
    for (int i = 0; i < node->childCount(); ++i)
        kinder.push_back(node->child(i));
    for (QTreeWidgetItem* kind : kinder) {
        if (!FuelleEbene(kind, pause))
            return;
    }
}

bool TFormVerw::FuelleEbene(QTreeWidgetItem* node, std::unique_ptr<TTreeSortPause>& pause)
{
    TDataBasis* data = TCtrlTree::Data(node);
    if (data == nullptr)
        return true;
    const int typ = data->GetTyp();
    // The other group-address kinds (5004-5006, internal addresses among them) are never filled.
    if (typ <= 5000 || typ > TypSubGroup)
        return true;
    if (m_middleGroups == nullptr || m_subGroups == nullptr) {
        MessageBox(nullptr, "Group address map not found.\nAbort function", "TFormVerw::TreeExpanding", MB_OK);
        return false;
    }
    TCtrlTree::TGrpAdrSammlung sammlung;
    // The ETS id of each group address of the middle group that the map holds.
    auto sammleSubs = [&](TEtsMiddleGroup* middle) {
        for (TEtsSubGroup* sub = middle->GetSubGroupFirst(); sub != nullptr; sub = middle->GetSubGroupNext()) {
            const auto it = m_subGroups->find(sub->GetEtsId());
            if (it != m_subGroups->end())
                sammlung.emplace(it->first, it->second.get());
        }
    };
    if (typ == TypMainGroup) {
        const auto* main = dynamic_cast<const TVireoGrpAdrMain*>(data);
        TEtsMainGroup* gruppe = main != nullptr ? main->GetGroup() : nullptr;
        const bool drei = DreiEbenen();
        for (TEtsMiddleGroup* middle = gruppe != nullptr ? gruppe->GetMiddleGroupFirst() : nullptr; middle != nullptr;
             middle = gruppe->GetMiddleGroupNext()) {
            const auto it = m_middleGroups->find(middle->GetEtsId());
            if (it == m_middleGroups->end())
                continue;
            if (drei)
                sammlung.emplace(it->first, it->second.get());
            else
                sammleSubs(middle);
        }
    } else if (typ == TypMiddleGroup) {
        const auto* middle = dynamic_cast<const TVireoGrpAdrMiddle*>(data);
        if (TEtsMiddleGroup* gruppe = middle != nullptr ? middle->GetGroup() : nullptr)
            sammleSubs(gruppe);
    } else {
        return true;
    }
    if (!pause)
        pause = std::make_unique<TTreeSortPause>(*m_ctrlTree);
    m_ctrlTree->MakeGrpAdrNode(sammlung, node);
    return true;
}

void TFormVerw::CreateGroupAddressNodes(TDataBasis* main, TDataBasis* middle, TDataBasis* sub, bool makeVisible)
{
    if (m_grpAdrOrdner == nullptr) {
        MessageBox(nullptr, "Can't find Groupaddress folder.", "error (TDeviceInstanz::InsertGrpAdr)", MB_OK);
        return;
    }
    if (GetNodeFromData(main) == nullptr)
        AddChildNode2Data(m_grpAdrOrdner, main, makeVisible);
    TDataBasis* oben = main;
    if (DreiEbenen()) {
        if (GetNodeFromData(middle) == nullptr)
            AddChildNode2Data(main, middle, makeVisible);
        oben = middle;
    }
    if (GetNodeFromData(sub) == nullptr)
        AddChildNode2Data(oben, sub, makeVisible);
}
