// TDeviceInstanz: the links of the device's communication objects to the ETS group
// addresses, kept in step in ETS and in the objects, the objects' flags and sending mark in
// ETS, the device objects linked to a group address and the ETS data of the device.
//
// A link lives twice: as the ETS association of device object and sub group, and in the
// object's link list (written into its record after every change). Every path that changes
// one of them changes the other, or reports why it could not.

#include "miraval/devinst/DevInst.h"

#include "miraval/devinst/EditorHost.h"
#include "miraval/dienste/Spredit.h"
#include "kestrin/Ets2Cdi.h"
#include "morrow/EtsGruppenAdressen.h"
#include "quillon/CursorHourGlass.h"
#include "quillon/EtsObjekt.h"
#include "quillon/ObjektInfo.h"
#include "quillon/SprObjektModell.h"
#include "quillon/VireoGrpAdrSub.h"
#include "tamsel/Tamsel.h"
#include "vcl/Exception.h"
#include "win32/MessageBox.h"

#include <algorithm>
#include <map>
#include <set>
#include <cstring>

namespace {

// The record of an object's further links.
constexpr int32_t kTypFortsetzung = 2;

constexpr const char* kCaptionLink = "Error: TDeviceInstanz::LinkToSubGroup";
constexpr const char* kCaptionFlag = "Error: TDeviceInstanz::ChangeObjektFlag";
constexpr const char* kCaptionCheck = "Error: TDeviceInstanz::CheckObjektFlag";
constexpr const char* kCaptionSendend = "Error: TDeviceInstanz::GrpAdrSendend";

// The size text of an object type: -1 "Frei", 0-15 "1 Bit" .. "VARDATA", any other value
// "unbekannter Objekttyp" with the value.
std::string GroessenText(int typ)
{
    if (typ >= -1 && typ <= 15)
        return TVireoGrpAdrBasis::GetSizeText(typ);
    return SprObjektModell::TxtUnbekannterObjekttyp + " " + std::to_string(typ);
}

bool HatLink(const std::vector<TObjektBasis::RecGrpAdrId>& links, int32_t id)
{
    return std::any_of(links.begin(), links.end(),
                       [id](const TObjektBasis::RecGrpAdrId& link) { return link.SubGroupId == id; });
}

} // namespace

// ---- Links -------------------------------------------------------------------------------------

namespace {

// The object's record takes its links; the current project window its icon (linked or not).
void Schreibe(TDeviceInstanz& instanz, TObjektBasis& objekt)
{
    if (TDatenStruktur* record = instanz.GetDatenSatz(&objekt))
        objekt.Write(*record);
    if (TFormVerw* fenster = instanz.GetFormVerw())
        instanz.GetHost().UpdateTreeNamesAndIcon(fenster);
}

} // namespace

bool TDeviceInstanz::LinkPartner(int32_t subGroupId, int32_t objektHandle, TObjektBasis*& objekt,
                                 TVireoGrpAdrSub*& sub)
{
    TDataBasis* daten = nullptr;
    if (!GetDataPointer(objektHandle, daten)) {
        Meldung("Object not found.\nAbort function", kCaptionLink, MB_OK);
        return false;
    }
    TDataBasis* gruppe = nullptr;
    if (!GetGrpAdrDataPointer(subGroupId, gruppe)) {
        Meldung("Group Address not found.\nAbort function", kCaptionLink, MB_OK);
        return false;
    }
    objekt = dynamic_cast<TObjektBasis*>(daten);
    sub = dynamic_cast<TVireoGrpAdrSub*>(gruppe);
    if (objekt == nullptr || sub == nullptr) {
        Meldung("Invalid DataPointer", kCaptionLink, MB_OK);
        return false;
    }
    if (objekt->ExistSubGroupId(sub->GetEtsId())) {
        Meldung(Spredit::Txt9014, Spredit::Txt9015, MB_ICONWARNING);
        return false;
    }
    return true;
}

bool TDeviceInstanz::LinkToSubGroup(int32_t subGroupId, int32_t objektHandle, bool inEts)
{
    LOG_FKT("TDeviceInstanz::LinkToSubGroup");
    TObjektBasis* objekt = nullptr;
    TVireoGrpAdrSub* sub = nullptr;
    if (!LinkPartner(subGroupId, objektHandle, objekt, sub))
        return false;
    TCursorHourGlass sanduhr;
    if (!DeviceRessourceCheckVerbindungen(subGroupId, true))
        return false;
    // An object at its limit would refuse the link after ETS made it; it is refused before
    // (the object shows why), so that ETS and the object stay alike.
    if (!objekt->CheckAnzahlVerbindungen())
        return false;
    if (inEts) {
        TEts2Cdi* ets = GetEts();
        const int ergebnis = ets != nullptr ? ets->CoLinkObjectToSubGroup(objekt->GetEtsObjektId(), subGroupId, -1,
                                                                          false, true, true)
                                            : -1;
        if (ergebnis == -1 || ergebnis == -2) {
            Meldung(ergebnis == -1 ? Spredit::Txt9016 : Spredit::Txt9017, Spredit::Txt9015, MB_ICONWARNING);
            return false;
        }
        sub->SetEtsObjektTyp(static_cast<char>(objekt->GetEtsObjektTyp()));
    }
    TEtsGruppenAdressen* reader = GetEtsGruppenAdressen();
    objekt->AddSubGroupLink(subGroupId, reader != nullptr ? reader->GetGrpAddr(subGroupId) : 0, false);
    Schreibe(*this, *objekt);
    return true;
}

bool TDeviceInstanz::UnLinkInEts(int32_t subGroupId, int32_t deviceObjectId)
{
    TEts2Cdi* ets = GetEts();
    if (ets == nullptr)
        return false;
    for (int mode = DAL_MODE_FIRST;; mode = DAL_MODE_NEXT) {
        DAL_SUB_TO_OBJECT link;
        const int gelesen = ets->DalGetSubgroupToObjectData(mode, DAL_NO_KEY, DAL_NO_KEY, deviceObjectId, &link);
        if (gelesen == DAL_OK) {
            if (link.SubGroupId == subGroupId)
                return ets->CoUnlinkObjectFromSubGroup(deviceObjectId, subGroupId, true);
            continue;
        }
        // A link ETS does not know is gone already; a walk that failed says nothing about it.
        return gelesen == DAL_END;
    }
}

bool TDeviceInstanz::UnLinkFromSubGroup(int32_t subGroupId, int32_t deviceObjectId)
{
    LOG_FKT("TDeviceInstanz::UnLinkFromSubGroup");
    const bool ergebnis = UnLinkInEts(subGroupId, deviceObjectId);
    RemoveObjektVerbindung(subGroupId, deviceObjectId);
    return ergebnis;
}

void TDeviceInstanz::RemoveObjektVerbindung(int32_t subGroupId, int32_t deviceObjectId)
{
    LOG_FKT("TDeviceInstanz::RemoveObjektVerbindung");
    TObjektBasis* objekt = GetObjectFromDeviceObjectId(deviceObjectId);
    if (objekt == nullptr)
        return;
    objekt->DeleteSubGroupLink(subGroupId);
    Schreibe(*this, *objekt);
}

bool TDeviceInstanz::UnLinkAllSubGroups(TDataBasis* daten)
{
    LOG_FKT("TDeviceInstanz::UnLinkAllSubGroups");
    auto* objekt = dynamic_cast<TObjektBasis*>(daten);
    if (objekt == nullptr)
        return false;
    const int32_t deviceObjectId = objekt->GetEtsObjektId();
    for (const TObjektBasis::RecGrpAdrId& link : objekt->GetSubGroupLinks())
        if (!UnLinkFromSubGroup(link.SubGroupId, deviceObjectId))
            return false;
    return true;
}

bool TDeviceInstanz::CheckObjectVerbunden(TDataBasis* daten) const
{
    LOG_FKT("TDeviceInstanz::CheckObjectVerbunden");
    const auto* objekt = dynamic_cast<const TObjektBasis*>(daten);
    if (objekt == nullptr)
        throw Exception("TDeviceInstanz::CheckObjectVerbunden : Object not exist");
    return !objekt->GetSubGroupLinks().empty();
}

void TDeviceInstanz::GetAllUsedGAIds(std::vector<TObjektBasis::RecGrpAdrId>& out) const
{
    LOG_FKT("TDeviceInstanz::GetAllUsedGAIds");
    for (const auto& [handle, node] : m_knoten)
        if (node->GetTyp() == TEtsObjekt::kTyp)
            if (const auto* objekt = dynamic_cast<const TObjektBasis*>(node.get())) {
                const auto links = objekt->GetSubGroupLinks();
                out.insert(out.end(), links.begin(), links.end());
            }
}

TDeviceInstanz::TObjektLinks TDeviceInstanz::GetObjektLinks() const
{
    TObjektLinks links;
    for (const auto& [handle, node] : m_knoten)
        if (node->GetTyp() == TEtsObjekt::kTyp)
            if (const auto* objekt = dynamic_cast<const TObjektBasis*>(node.get()))
                for (const TObjektBasis::RecGrpAdrId& link : objekt->GetSubGroupLinks())
                    links[objekt->GetObjektNr()].insert(link.SubGroupId);
    return links;
}

TDeviceInstanz::TObjektLinks TDeviceInstanz::GetObjektLinks(const std::vector<TDatenStruktur>& datensaetze)
{
    TObjektLinks links;
    std::map<int32_t, std::set<int32_t>*> nachHandle;
    for (const TDatenStruktur& satz : datensaetze)
        if (satz.Typ == TEtsObjekt::kTyp) {
            std::set<int32_t>& objekt = links[satz.Param4];
            nachHandle[satz.Handle] = &objekt;
            if (satz.Param14 != 0)
                objekt.insert(satz.Param14);
        }
    // The further links stand in records whose parent is the object.
    for (const TDatenStruktur& satz : datensaetze)
        if (const auto objekt = nachHandle.find(satz.Parent);
            satz.Typ == kTypFortsetzung && satz.Param14 != 0 && objekt != nachHandle.end())
            objekt->second->insert(satz.Param14);
    return links;
}

bool TDeviceInstanz::LinksNachfuehren(const TObjektLinks& basis, const TObjektLinks& kopie, const TObjektLinks& etsJetzt)
{
    LOG_FKT("TDeviceInstanz::LinksNachfuehren");
    const auto von = [](const TObjektLinks& links, int32_t nummer) {
        const auto it = links.find(nummer);
        return it != links.end() ? it->second : std::set<int32_t>{};
    };
    std::vector<TObjektBasis*> objekte;
    for (const auto& [handle, node] : m_knoten)
        if (node->GetTyp() == TEtsObjekt::kTyp)
            if (auto* objekt = dynamic_cast<TObjektBasis*>(node.get()))
                objekte.push_back(objekt);
    bool alle = true;
    for (TObjektBasis* objekt : objekte) {
        const int32_t nummer = objekt->GetObjektNr();
        const std::set<int32_t> vorher = von(basis, nummer), nachher = von(kopie, nummer);
        // What ETS holds now, with the edit's own links taken out and made.
        std::set<int32_t> soll = von(etsJetzt, nummer);
        for (int32_t sub : vorher)
            if (nachher.count(sub) == 0)
                soll.erase(sub);
        for (int32_t sub : nachher)
            if (vorher.count(sub) == 0)
                soll.insert(sub);
        std::set<int32_t> ist;
        for (const TObjektBasis::RecGrpAdrId& link : objekt->GetSubGroupLinks())
            ist.insert(link.SubGroupId);
        for (int32_t sub : ist)
            if (soll.count(sub) == 0 && !UnLinkFromSubGroup(sub, objekt->GetEtsObjektId()))
                alle = false;
        for (int32_t sub : soll)
            if (ist.count(sub) == 0 && !LinkToSubGroup(sub, objekt->GetHandle(), true))
                alle = false;
    }
    return alle;
}

bool TDeviceInstanz::OpenDlgGrpAdrToObject(TObjektBasis* objekt)
{
    LOG_FKT("TDeviceInstanz::OpenDlgGrpAdrToObject");
    if (objekt == nullptr)
        return false;
    std::vector<TObjektBasis::RecGrpAdrId> links = objekt->GetSubGroupLinks();
    std::vector<TObjektBasis::RecGrpAdrId> vorher = links;
    std::vector<TObjektBasis::RecGrpAdrId> benutzt;
    GetAllUsedGAIds(benutzt);
    std::list<int32_t> melder;
    GetGrpAdrUsedFromMelder(melder);

    // An object that may have one group address only is offered the addresses no object
    // has; any other the addresses no detector has. Its own are offered in either case.
    const int grenze = objekt->GetNumberSelectableGrpAdr();
    GetEtsGruppenAdressen();
    std::map<int32_t, TVireoGrpAdrSub*> auswahl;
    for (const auto& [id, node] : m_subGroups) {
        const bool frei = grenze == 1 ? !HatLink(benutzt, id)
                                      : std::find(melder.begin(), melder.end(), id) == melder.end();
        if (frei || HatLink(vorher, id))
            auswahl.emplace(id, node.get());
    }

    if (m_host.DlgSelGrpAddr(*objekt, links, auswahl, grenze) != 1)
        return true;

    // The dialog hands back ids with word 0: entries are matched by id alone. The addresses
    // taken away go first, so that an object at its limit can exchange an address.
    for (const TObjektBasis::RecGrpAdrId& link : links)
        std::erase_if(vorher, [&link](const TObjektBasis::RecGrpAdrId& v) { return v.SubGroupId == link.SubGroupId; });
    for (const TObjektBasis::RecGrpAdrId& link : vorher)
        if (UnLinkFromSubGroup(link.SubGroupId, objekt->GetEtsObjektId())) {
            objekt->DeleteSubGroupLink(link.SubGroupId);
            if (TDatenStruktur* record = GetDatenSatz(objekt))
                objekt->Write(*record);
        }
    for (const TObjektBasis::RecGrpAdrId& link : links)
        if (!objekt->ExistSubGroupId(link.SubGroupId) && !LinkToSubGroup(link.SubGroupId, objekt->GetHandle(), true))
            return false;
    PostMessage(m_host.GetHandle(), UM_UpdateTreeNamesAndIcon, 0, 0);
    return true;
}

// ---- The sending mark --------------------------------------------------------------------------

bool TDeviceInstanz::GrpAdrSendend(int32_t deviceObjectId, int32_t subGroupId, bool ein)
{
    LOG_FKT("TDeviceInstanz::GrpAdrSendend");
    TCursorHourGlass sanduhr;
    TEts2Cdi* ets = GetEts();
    if (ets == nullptr)
        return false;
    DAL_SUB_TO_OBJECT link;
    if (ets->DalGetSubgroupToObjectData(DAL_MODE_FIRST, DAL_NO_KEY, subGroupId, deviceObjectId, &link) != DAL_OK)
        return false;
    const int32_t sub = link.SubGroupId;

    if (!ein) {
        const int ergebnis = ets->SqlSetSubGroupToObjectSendFlag(link.LinkId, false);
        if (ergebnis == 0)
            Meldung("SubGroupId " + std::to_string(subGroupId), kCaptionSendend, MB_ICONWARNING);
        return ergebnis == 1;
    }

    // ETS marks the link it makes in first place: the link is made again there.
    if (!ets->CoUnlinkObjectFromSubGroup(deviceObjectId, sub, true)) {
        Meldung("Unlink geht nicht", "Fehler", MB_OK);
        return false;
    }
    const int ergebnis = ets->CoLinkObjectToSubGroup(deviceObjectId, sub, 1, false, true, true);
    if (ergebnis == -1 || ergebnis == -2) {
        // The object still lists the link: ETS gets it back, if only as a plain one.
        ets->CoLinkObjectToSubGroup(deviceObjectId, sub, -1, false, true, true);
        Meldung(ergebnis == -1 ? Spredit::Txt9016 : Spredit::Txt9017, Spredit::Txt9015, MB_ICONWARNING);
    }
    return false;
}

// ---- Flags -------------------------------------------------------------------------------------

bool TDeviceInstanz::ChangeObjektFlag(TUserDeviceRequest* request)
{
    LOG_FKT("TDeviceInstanz::ChangeObjektFlag");
    if (request == nullptr)
        return false;
    TEts2Cdi* ets = GetEts();
    const int32_t id = request->Reserve;
    const bool wert = request->Wert6 != 0;
    int ergebnis = 0;
    if (request->Wert5 == TObjektBasis::ofStatus) {
        ergebnis = 1; // ETS has no status flag
    } else if (ets != nullptr) {
        switch (request->Wert5) {
        case TObjektBasis::ofKommunikation: ergebnis = ets->SqlSetDeviceObjectCommFlag(id, wert); break;
        case TObjektBasis::ofLesen: ergebnis = ets->SqlSetDeviceObjectReadFlag(id, wert); break;
        case TObjektBasis::ofSchreiben: ergebnis = ets->SqlSetDeviceObjectWriteFlag(id, wert); break;
        case TObjektBasis::ofUebertragen: ergebnis = ets->SqlSetDeviceObjectTransFlag(id, wert); break;
        case TObjektBasis::ofAktualisieren: ergebnis = ets->SqlSetDeviceObjectUpdateFlag(id, wert); break;
        default: break;
        }
    }
    if (ergebnis == 0)
        Meldung("Setting flag: " + std::to_string(request->Wert5), kCaptionFlag, MB_ICONWARNING);
    return ergebnis == 1;
}

bool TDeviceInstanz::CheckObjektFlag(TUserDeviceRequest* request)
{
    LOG_FKT("TDeviceInstanz::CheckObjektFlag");
    if (request == nullptr)
        return false;
    DAL_DEVICE_OBJECT objekt;
    objekt.Size = DAL_DEVICE_OBJECT_SIZE;
    TEts2Cdi* ets = GetEts();
    const int gelesen =
        ets != nullptr ? ets->DalGetDeviceObjectData(DAL_MODE_KEY, request->Reserve, m_etsDeviceId, &objekt) : DAL_ERR;
    auto fehler = [&](const std::string& text, const std::string& ausnahme) -> bool {
        Meldung(text, kCaptionCheck, MB_OK);
        throw Exception(ausnahme);
    };
    if (gelesen != DAL_OK) {
        // The sender must not take a flag over from a read that failed.
        request->Wert1 = -1;
        if (gelesen == DAL_END)
            return fehler("DAL_END: DalGetDeviceObjectData", "Error DAL_END at DalGetDeviceObjectData");
        if (gelesen == DAL_ERR)
            return fehler("DAL_ERR: DalGetDeviceObjectData", "Error DALE_ERR at DalGetDeviceObjectData");
        return fehler("unknown return value", "Error unknown value at DalGetDeviceObjectData");
    }
    int16_t flag = 0;
    switch (request->Wert5) {
    case TObjektBasis::ofKommunikation: flag = objekt.CommFlag; break;
    case TObjektBasis::ofLesen: flag = objekt.ReadFlag; break;
    case TObjektBasis::ofSchreiben: flag = objekt.WriteFlag; break;
    case TObjektBasis::ofUebertragen: flag = objekt.TransmitFlag; break;
    case TObjektBasis::ofAktualisieren: flag = objekt.UpdateFlag; break;
    default: {
        const std::string text = "unknown flag: " + std::to_string(request->Wert5);
        return fehler(text, text);
    }
    }
    return flag == request->Wert6;
}

bool TDeviceInstanz::SetObjFktToData(int32_t handle, char wert)
{
    LOG_FKT("TDeviceInstanz::SetObjFktToData");
    TDataBasis* node = FindHandle(handle);
    if (node == nullptr)
        return false;
    node->SetObjFkt(wert);
    return true;
}

// ---- What ETS knows of group addresses and the device -----------------------------------------

bool TDeviceInstanz::GetObjektDataFromSubGroup(TVireoGrpAdrSub* node, std::list<TObjektInfo>& zeilen)
{
    LOG_FKT("TDeviceInstanz::GetObjektDataFromSubGroup");
    TEts2Cdi* ets = GetEts();
    if (node == nullptr || ets == nullptr)
        return false;
    // The links first: the reads below must not run inside the walk.
    std::vector<int32_t> objektIds;
    for (int mode = DAL_MODE_FIRST;; mode = DAL_MODE_NEXT) {
        DAL_SUB_TO_OBJECT link;
        if (ets->DalGetSubgroupToObjectData(mode, DAL_NO_KEY, node->GetEtsId(), DAL_NO_KEY, &link) != DAL_OK)
            break;
        objektIds.push_back(+link.DeviceObjectId); // packed field: by value
    }
    const bool drei = IsDreiEbenen();
    for (const int32_t id : objektIds) {
        DAL_DEVICE_OBJECT objekt;
        if (ets->DalGetDeviceObjectData(DAL_MODE_KEY, id, DAL_NO_KEY, &objekt) != DAL_OK)
            continue;
        TObjektInfo zeile;
        zeile.PhysAdr = GetPhysAdr(objekt.DeviceId);
        zeile.ObjektNr = objekt.ObjectNumber;
        DAL_DEVICE device;
        if (ets->DalGetDeviceData(DAL_MODE_KEY, objekt.DeviceId, DAL_NO_KEY, DAL_NO_KEY, DAL_NO_KEY, DAL_NO_KEY,
                                  &device) == DAL_OK) {
            zeile.Text1 = DalText(device.ProductName);
            zeile.Produkt = DalText(device.DeviceName);
        }
        DAL_COMM_OBJECT komm;
        if (ets->DalGetCommunicationObjectData(DAL_MODE_KEY, objekt.CommObjectId, DAL_NO_KEY, DAL_NO_KEY, &komm) ==
            DAL_OK) {
            zeile.Funktion = DalText(komm.Function);
            zeile.ObjektName = DalText(komm.Name);
        }
        zeile.ObjektTyp = GroessenText(objekt.ObjectType);
        zeile.Kommunikation = objekt.CommFlag != 0;
        zeile.Lesen = objekt.ReadFlag != 0;
        zeile.Schreiben = objekt.WriteFlag != 0;
        zeile.Uebertragen = objekt.TransmitFlag != 0;
        zeile.Aktualisieren = objekt.UpdateFlag != 0;
        zeile.GruppenAdressen = drei ? DalText(objekt.Name) : DalText(objekt.Function);
        zeilen.push_back(std::move(zeile));
    }
    return true;
}

void TDeviceInstanz::GetDeviceEtsInfo(TDeviceEtsInfo& info) const
{
    LOG_FKT("TDeviceInstanz::GetDeviceEtsInfo");
    if (TEts2Cdi* ets = GetEts()) {
        DAL_DEVICE device;
        if (ets->DalGetDeviceData(DAL_MODE_KEY, m_etsDeviceId, DAL_NO_KEY, DAL_NO_KEY, DAL_NO_KEY, DAL_NO_KEY,
                                  &device) == DAL_OK) {
            info.GeraeteName = DalText(device.DeviceName);
            info.ZusatzText = DalText(device.ProductName);
            DAL_PROJECT projekt;
            if (ets->DalGetProjectData(DAL_MODE_KEY, device.ProjectId, &projekt) == DAL_OK)
                info.ProjektName = DalText(projekt.Name);
        }
    }
    info.PhysAdr = GetPhysAdr(m_etsDeviceId);
}
