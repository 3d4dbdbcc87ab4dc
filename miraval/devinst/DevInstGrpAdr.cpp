// TDeviceInstanz: the group addresses of the ETS project as nodes of the instance, the
// device-parameter access and the physical address of an ETS device.

#include "miraval/devinst/DevInst.h"

#include "miraval/devinst/EditorHost.h"
#include "miraval/dienste/Spredit.h"
#include "kestrin/Ets2Cdi.h"
#include "morrow/EtsDeviceParam.h"
#include "morrow/EtsGruppenAdressen.h"
#include "quillon/EtsObjekt.h"
#include "quillon/UserMessages.h"
#include "quillon/VireoObjekt.h"
#include "quillon/OrdnerGrpAdr.h"
#include "quillon/VireoGrpAdrMain.h"
#include "quillon/VireoGrpAdrMiddle.h"
#include "quillon/VireoGrpAdrSub.h"
#include "tamsel/Tamsel.h"
#include "win32/MessageBox.h"

#include <cstdio>
#include <set>
#include <vector>

bool TDeviceInstanz::IsDreiEbenen() const
{
    return m_host.GetGrpAdrLevel() == 3;
}

void TDeviceInstanz::GetGrpAdrFromServer()
{
    LOG_FKT("TDeviceInstanz::GetGrpAdrFromServer");
    if (!m_grpAdrReader)
        m_grpAdrReader = std::make_unique<TEtsGruppenAdressen>(GetEts());
    m_grpAdrReader->SetDreiEbenen(IsDreiEbenen());
    // The groups the nodes wrap stay alive until the next read, so the nodes may go after it.
    m_grpAdrReader->Einlesen(m_etsDeviceId);
    m_subGroups.clear();
    m_middleGroups.clear();
    m_mainGroups.clear();
    for (TEtsMainGroup* main = m_grpAdrReader->GetMainGroupFirst(); main != nullptr;
         main = m_grpAdrReader->GetMainGroupNext()) {
        bool neu = false;
        MainNode(main, neu);
    }
    MakeMidSubAdrGrp();
    if (!m_grpAdrOrdner) {
        // "Gruppenadressen" (9004)
        m_grpAdrOrdner = std::make_unique<TGrpAdrOrdner>(m_host.GetHandle(), 0, 0, Spredit::Txt9004, 1);
        m_grpAdrOrdner->SetPosId(100);
    }
}

TVireoGrpAdrMain* TDeviceInstanz::MainNode(TEtsMainGroup* group, bool& neu)
{
    neu = false;
    const auto it = m_mainGroups.find(group->GetEtsId());
    if (it != m_mainGroups.end())
        return it->second.get();
    auto node = std::make_unique<TVireoGrpAdrMain>(m_host.GetHandle(), 0, 0, std::string(), 1, group);
    node->SetPosId(group->GetGrpAddr());
    neu = true;
    return m_mainGroups.emplace(group->GetEtsId(), std::move(node)).first->second.get();
}

std::unique_ptr<TVireoGrpAdrMiddle> TDeviceInstanz::NewMiddleNode(TEtsMiddleGroup* group) const
{
    auto node = std::make_unique<TVireoGrpAdrMiddle>(m_host.GetHandle(), 0, 0, std::string(), 1, group);
    node->SetPosId(group->GetGrpAddr());
    return node;
}

std::unique_ptr<TVireoGrpAdrSub> TDeviceInstanz::NewSubNode(TEtsSubGroup* group) const
{
    auto node = std::make_unique<TVireoGrpAdrSub>(m_host.GetHandle(), 0, 0, std::string(), 1, group);
    const uint16_t wort = group->GetGrpAddr();
    node->SetPosId(IsDreiEbenen() ? wort : (wort & 0x7FF));
    node->SetEtsObjektTyp(static_cast<char>(group->GetObjektTyp()));
    return node;
}

namespace {

// The node of the group in the map, made by `neuerKnoten` when the map has none; `neu` says
// which.
template <class Karte, class Gruppe, class Macher>
auto KnotenDerGruppe(Karte& karte, Gruppe* group, bool& neu, Macher&& neuerKnoten)
{
    auto it = karte.find(group->GetEtsId());
    neu = it == karte.end();
    if (neu)
        it = karte.emplace(group->GetEtsId(), neuerKnoten(group)).first;
    return it->second.get();
}

} // namespace

TVireoGrpAdrMiddle* TDeviceInstanz::MiddleNode(TEtsMiddleGroup* group, bool& neu)
{
    return KnotenDerGruppe(m_middleGroups, group, neu, [this](TEtsMiddleGroup* g) { return NewMiddleNode(g); });
}

TVireoGrpAdrSub* TDeviceInstanz::SubNode(TEtsSubGroup* group, bool& neu)
{
    return KnotenDerGruppe(m_subGroups, group, neu, [this](TEtsSubGroup* g) { return NewSubNode(g); });
}

void TDeviceInstanz::MakeMidSubAdrGrp()
{
    LOG_FKT("TDeviceInstanz::MakeMidSubAdrGrp");
    if (!m_grpAdrReader)
        return;
    // The nodes of the walk go into their maps together, one sort for the lot; the groups
    // that have a node already keep it.
    std::vector<TEtsMiddleGroup*> middles;
    std::vector<TMiddleGroupMap::value_type> middleNodes;
    for (const auto& [id, mainNode] : m_mainGroups) {
        TEtsMainGroup* main = mainNode->GetGroup();
        for (TEtsMiddleGroup* middle = m_grpAdrReader->GetMiddleGroupFirst(main); middle != nullptr;
             middle = m_grpAdrReader->GetMiddleGroupNext(main)) {
            if (!m_middleGroups.contains(middle->GetEtsId()))
                middleNodes.emplace_back(middle->GetEtsId(), NewMiddleNode(middle));
            middles.push_back(middle);
        }
    }
    m_middleGroups.Aufnehmen(std::move(middleNodes));
    std::vector<TSubGroupMap::value_type> subNodes;
    for (TEtsMiddleGroup* middle : middles)
        for (TEtsSubGroup* sub = m_grpAdrReader->GetSubGroupFirst(middle); sub != nullptr;
             sub = m_grpAdrReader->GetSubGroupNext(middle))
            if (!m_subGroups.contains(sub->GetEtsId()))
                subNodes.emplace_back(sub->GetEtsId(), NewSubNode(sub));
    m_subGroups.Aufnehmen(std::move(subNodes));
}

TEtsGruppenAdressen* TDeviceInstanz::GetEtsGruppenAdressen()
{
    LOG_FKT("TDeviceInstanz::GetEtsGruppenAdressen");
    if (!m_grpAdrReader)
        GetGrpAdrFromServer();
    if (!m_ebenenGebaut) {
        MakeMidSubAdrGrp();
        m_ebenenGebaut = true;
    }
    return m_grpAdrReader.get();
}

TEtsDeviceParam* TDeviceInstanz::GetEtsDeviceParam()
{
    LOG_FKT("TDeviceInstanz::GetEtsDeviceParam");
    if (!m_deviceParam)
        m_deviceParam = std::make_unique<TEtsDeviceParam>(GetEts(), m_etsDeviceId);
    return m_deviceParam.get();
}

std::string TDeviceInstanz::GetGroupAddressString(uint16_t wort, bool dreiEbenen)
{
    const unsigned main = (wort & 0x7800u) >> 11;
    if (dreiEbenen)
        return std::to_string(main) + "/" + std::to_string((wort & 0x700u) >> 8) + "/" + std::to_string(wort & 0xFFu);
    return std::to_string(main) + "/" + std::to_string(wort & 0x7FFu);
}

TVireoGrpAdrSub* TDeviceInstanz::CreateGrpAddr(int16_t main, int16_t middle, int16_t sub, const std::string& name)
{
    LOG_FKT("TDeviceInstanz::CreateGrpAddr");
    if (main < 0 || middle < 0 || sub < 0 || !m_grpAdrReader)
        return nullptr;
    TEtsSubGroup* group = nullptr;
    if (!m_grpAdrReader->CreateGroupAddress(group, main, middle, sub, name) || group == nullptr)
        return nullptr;
    auto fehler = [this]() -> TVireoGrpAdrSub* {
        Meldung("Gruppenadresse nicht erstellt, neu starten", "FEHLER: TDeviceInstanz::CreateGrpAddr", MB_OK);
        return nullptr;
    };
    if (!InsertGrpAddr(group->GetGrpAddr(), nullptr, group, nullptr))
        return fehler();
    const auto it = m_subGroups.find(group->GetEtsId());
    return it != m_subGroups.end() ? it->second.get() : fehler();
}

bool TDeviceInstanz::InsertGrpAddr(uint16_t wort, TEtsMainGroup* main, TEtsSubGroup* sub, TEtsMiddleGroup* middle)
{
    LOG_FKT("TDeviceInstanz::InsertGrpAddr");
    return InsertGrpAdrNodes(wort, main, sub, middle, true);
}

bool TDeviceInstanz::InsertGrpAdr(uint16_t wort, TEtsMainGroup* main, TEtsSubGroup* sub, TEtsMiddleGroup* middle)
{
    LOG_FKT("TDeviceInstanz::InsertGrpAdr");
    return InsertGrpAdrNodes(wort, main, sub, middle, false);
}

bool TDeviceInstanz::InsertGrpAdrNodes(uint16_t wort, TEtsMainGroup* main, TEtsSubGroup* sub,
                                       TEtsMiddleGroup* middle, bool allenFenstern)
{
    TEtsGruppenAdressen* reader = m_grpAdrReader.get();
    const int mainNr = (wort >> 11) & 0xF;
    const int middleNr = (wort >> 8) & 7;
    if (main == nullptr && reader != nullptr)
        for (TEtsMainGroup* g = reader->GetMainGroupFirst(); g != nullptr && main == nullptr;
             g = reader->GetMainGroupNext())
            if (g->GetNumber() == mainNr)
                main = g;
    if (middle == nullptr && main != nullptr)
        for (TEtsMiddleGroup* g = main->GetMiddleGroupFirst(); g != nullptr && middle == nullptr;
             g = main->GetMiddleGroupNext())
            if (g->GetNumber() == middleNr)
                middle = g;
    if (sub == nullptr && middle != nullptr)
        for (TEtsSubGroup* g = middle->GetSubGroupFirst(); g != nullptr && sub == nullptr;
             g = middle->GetSubGroupNext())
            if (g->GetGrpAddr() == wort)
                sub = g;

    const bool drei = IsDreiEbenen();
    bool neuMain = false;
    bool neuMiddle = false;
    bool neuSub = false;
    TVireoGrpAdrMain* mainNode = main != nullptr ? MainNode(main, neuMain) : nullptr;
    TVireoGrpAdrMiddle* middleNode = drei && middle != nullptr ? MiddleNode(middle, neuMiddle) : nullptr;
    TVireoGrpAdrSub* subNode = sub != nullptr ? SubNode(sub, neuSub) : nullptr;

    if (allenFenstern) {
        m_host.CreateGroupAddressNodes(mainNode, middleNode, subNode);
        return true;
    }
    if (neuMain) {
        TDataBasis* ordner = m_host.GetGrpAdrOrdner();
        if (ordner == nullptr) {
            Meldung("Gruppenadress-Ordner existiert nicht.", "FEHLER: TDeviceInstanz::InsertGrpAdr", MB_OK);
            return false;
        }
        if (!m_host.MakeNode(ordner, mainNode))
            return false;
    }
    if (neuMiddle && !m_host.MakeNode(mainNode, middleNode))
        return false;
    if (neuSub && !m_host.MakeNode(drei ? static_cast<TDataBasis*>(middleNode) : mainNode, subNode))
        return false;
    return true;
}

void TDeviceInstanz::CreateGrpAdr(TObjektBasis* objekt, int16_t main, int16_t middle, int16_t sub,
                                  const std::string& name)
{
    LOG_FKT("TDeviceInstanz::CreateGrpAdr");
    TEtsGruppenAdressen* reader = GetEtsGruppenAdressen();
    TEtsSubGroup* group = nullptr;
    if (reader == nullptr || !reader->CreateGroupAddress(group, main, middle, sub, name) || group == nullptr)
        return;
    InsertGrpAdr(group->GetGrpAddr(), nullptr, group, nullptr);
    if (objekt == nullptr)
        return;
    const int32_t id = group->GetEtsId();
    // The object is linked only to a group address the instance shows as a node.
    if (m_subGroups.find(id) == m_subGroups.end())
        return;
    if (!objekt->ExistSubGroupId(id) && !LinkToSubGroup(id, objekt->GetHandle(), true))
        return;
    if (TDatenStruktur* record = GetDatenSatz(objekt))
        objekt->Write(*record);
    PostMessage(m_host.GetHandle(), UM_AbgleichFormVerw, 0, 0);
    PostMessage(m_host.GetHandle(), UM_AktualisiereAnsicht, 2, 3);
    if (m_formVerw != nullptr)
        m_host.UpdateTreeNamesAndIcon(m_formVerw);
}

bool TDeviceInstanz::UpdateGroupAddressFromId()
{
    LOG_FKT("TDeviceInstanz::UpdateGroupAddressFromId");
    std::string log;
    bool alle = true;
    for (const auto& [handle, node] : m_knoten) {
        const int typ = node->GetTyp();
        if (typ != TEtsObjekt::kTyp && typ != TVireoObjekt::kTyp)
            continue;
        auto* objekt = dynamic_cast<TObjektBasis*>(node.get());
        if (objekt == nullptr)
            continue;
        // Only a record whose address changed is written: a write also renews its chain of
        // further links, and an event writes only what it changes.
        bool geaendert = false;
        if (!objekt->UpdateAssociatedAddress(log, &geaendert))
            alle = false;
        if (TDatenStruktur* record = geaendert ? GetDatenSatz(objekt) : nullptr)
            objekt->Write(*record);
    }
    if (!alle)
        m_host.ShowDetailMessageBox("Beim Laden der Gruppendressen ist ein Fehler aufgetreten.", "Az", log, "DevInst",
                                    __LINE__, "TDeviceInstanz::UpdateGroupAddressFromId", MB_ICONERROR);
    return alle;
}

bool TDeviceInstanz::GetGrpAdrDataPointer(int32_t etsId, TDataBasis*& out)
{
    LOG_FKT("TDeviceInstanz::GetGrpAdrDataPointer");
    GetEtsGruppenAdressen();
    if (const auto sub = m_subGroups.find(etsId); sub != m_subGroups.end()) {
        out = sub->second.get();
        return true;
    }
    if (const auto middle = m_middleGroups.find(etsId); middle != m_middleGroups.end()) {
        out = middle->second.get();
        return true;
    }
    return false;
}

bool TDeviceInstanz::GetGrpAdrNr(int32_t subGroupId, std::string* out)
{
    LOG_FKT("TDeviceInstanz::GetGrpAdrNr");
    TDataBasis* node = nullptr;
    if (out == nullptr || !GetGrpAdrDataPointer(subGroupId, node) || node->GetTyp() != 5003 || !m_grpAdrReader)
        return false;
    *out = m_grpAdrReader->GrpAddrString(subGroupId);
    return true;
}

bool TDeviceInstanz::GetGrpAdrNrAsZahl(int32_t subGroupId, uint16_t* out)
{
    LOG_FKT("TDeviceInstanz::GetGrpAdrNrAsZahl");
    TDataBasis* node = nullptr;
    if (out == nullptr || !GetGrpAdrDataPointer(subGroupId, node) || node->GetTyp() != 5003 || !m_grpAdrReader)
        return false;
    *out = m_grpAdrReader->GetGrpAddr(subGroupId);
    return true;
}

std::string TDeviceInstanz::GetNextHighestAndFreeGrpAdr(bool* dreiEbenen, std::string& text)
{
    LOG_FKT("TDeviceInstanz::GetNextHighestAndFreeGrpAdr");
    GetEtsGruppenAdressen();
    const bool drei = IsDreiEbenen();
    if (dreiEbenen != nullptr)
        *dreiEbenen = drei;
    std::set<uint16_t> belegt;
    for (const auto& [id, node] : m_subGroups)
        belegt.insert(static_cast<uint16_t>(node->GetKomplettGrpAdr()));
    text.clear();
    if (belegt.empty()) {
        text = GetGroupAddressString(1, drei);
    } else if (*belegt.rbegin() != 0x7FFF) {
        text = GetGroupAddressString(static_cast<uint16_t>(*belegt.rbegin() + 1), drei);
    } else {
        // Only the words 1..4095 are tried.
        for (uint16_t wort = 1; wort <= 4095; ++wort)
            if (!belegt.contains(wort)) {
                text = GetGroupAddressString(wort, drei);
                break;
            }
    }
    return text;
}

std::string TDeviceInstanz::GetPhysAdr(int32_t deviceId) const
{
    LOG_FKT("TDeviceInstanz::GetPhysAdr");
    TEts2Cdi* ets = GetEts();
    if (ets == nullptr)
        return {};
    DAL_DEVICE device;
    if (ets->DalGetDeviceData(DAL_MODE_KEY, deviceId, DAL_NO_KEY, DAL_NO_KEY, DAL_NO_KEY, DAL_NO_KEY, &device) != DAL_OK)
        return {};
    DAL_LINE line;
    if (ets->DalGetLineData(DAL_MODE_KEY, device.LineId, DAL_NO_KEY, &line) != DAL_OK)
        return {};
    DAL_AREA area;
    if (ets->DalGetAreaData(DAL_MODE_KEY, line.AreaId, DAL_NO_KEY, &area) != DAL_OK)
        return {};
    char text[48];
    std::snprintf(text, sizeof text, "%02d.%02d.%03d", static_cast<int>(area.AreaNumber),
                  static_cast<int>(line.LineNumber), static_cast<int>(device.DeviceNumber));
    return text;
}
