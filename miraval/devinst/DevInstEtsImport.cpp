// TDeviceInstanz: a device that ETS imported into another project, or copied, takes the
// stored configuration of its source; the ETS ids its communication objects keep are then
// converted to the new device's, and an import's links to the new project's group addresses.

#include "miraval/devinst/DevInst.h"

#include "miraval/devinst/EditorHost.h"
#include "miraval/dienste/Spredit.h"
#include "kestrin/Ets2Cdi.h"
#include "kestrin/EtsTransaction.h"
#include "morrow/EtsProgressDialog.h"
#include "pellam/DataBasis.h"
#include "pellam/EibHandle.h"
#include "quillon/EtsObjekt.h"
#include "quillon/VireoEtsDevice.h"
#include "quillon/VireoGrpAdrSub.h"
#include "tamsel/Tamsel.h"
#include "win32/MessageBox.h"

#include <algorithm>

namespace {

enum TKonvertModus { kImport = 0, kKopie = 1 };

// The meter calls, each nothing without a meter (which then never aborts).
void Position(TEtsProgressDialog* meter, int position)
{
    if (meter != nullptr)
        meter->EtsMeterSetPosition(static_cast<uint16_t>(position));
}
void Text(TEtsProgressDialog* meter, const std::string& text)
{
    if (meter != nullptr)
        meter->EtsMeterSetText(text);
}
void Text1(TEtsProgressDialog* meter, const std::string& text)
{
    if (meter != nullptr)
        meter->EtsMeterSetText1(text);
}
void Text2(TEtsProgressDialog* meter, const std::string& text)
{
    if (meter != nullptr)
        meter->EtsMeterSetText2(text);
}
bool Abbruch(TEtsProgressDialog* meter)
{
    return meter != nullptr && meter->EtsGetAbortFlag();
}

// Walks a DAL read from its first record until it answers anything but DAL_OK or nimm
// answers false. The size word is set before every read: the interface refuses a record
// whose size word is not its kind's.
template <class Record, class Lesen, class Nimm> void DalWalk(uint16_t size, Lesen lesen, Nimm nimm)
{
    Record record;
    for (int modus = DAL_MODE_FIRST;; modus = DAL_MODE_NEXT) {
        record.Size = size;
        if (lesen(modus, record) != DAL_OK || !nimm(record))
            return;
    }
}

// The steps of import and copy up to the conversion. The copy asks for the abort only once,
// before anything is loaded, and needs no middle and sub groups of its own.
bool Konvertieren(TDeviceInstanz& inst, TEtsProgressDialog* meter, TKonvertModus modus)
{
    const bool import = modus == kImport;
    if (!inst.InitData())
        return false;
    Text(meter, Spredit::Txt9021);
    Position(meter, 15);
    if (import && Abbruch(meter))
        return false;
    // The group addresses of the project the device is in now.
    inst.GetGrpAdrFromServer();
    if (import)
        inst.MakeMidSubAdrGrp();
    Text(meter, Spredit::Txt9022);
    Position(meter, 20);
    if (import && Abbruch(meter))
        return false;
    return inst.KonvertEtsIds(modus, meter);
}

// The gate, then the load and the conversion in one ETS write burst. A step that fails after
// the gate undoes the burst and gives the instance back what it held: the file's records,
// half converted, would otherwise be what the next store writes.
bool LadenUndKonvertieren(TDeviceInstanz& inst, const std::string& data, TEtsProgressDialog* meter,
                          TKonvertModus modus)
{
    TDeviceInstanz::TStand vorher = inst.StandMerken();
    // Checked first: whichever way this ends, the caller learns whether the gate refused it.
    if (!inst.KonfigurationLaden(data, TDeviceInstanz::TKonfigLeser::Ets))
        return false;
    Position(meter, 10);
    // Stopped before the load: the blob stays the one the device had.
    if (Abbruch(meter)) {
        inst.SetBlob(std::move(vorher.blob));
        return false;
    }
    {
        TEtsTransaction burst(inst.GetHost().GetEts());
        if (Konvertieren(inst, meter, modus) && (!burst.IsOpen() || burst.Commit()))
            return true;
    }
    inst.StandZurueck(std::move(vorher));
    return false;
}

} // namespace

bool TDeviceInstanz::VireoCdiImport(const std::string& data, TEtsProgressDialog* meter)
{
    LOG_FKT("TDeviceInstanz::VireoCdiImport");
    return LadenUndKonvertieren(*this, data, meter, kImport);
}

bool TDeviceInstanz::VireoCdiCopy(const std::string& data, bool /*flag*/, TEtsProgressDialog* meter)
{
    LOG_FKT("TDeviceInstanz::VireoCdiCopy");
    return LadenUndKonvertieren(*this, data, meter, kKopie);
}

TDeviceInstanz::TStand TDeviceInstanz::StandMerken()
{
    TStand stand{m_blob, m_compData, std::nullopt};
    if (std::string konfiguration; GetDatenSatzAnzahl() > 0 && CopyStrukturDatenAlsEts(nullptr, &konfiguration))
        stand.konfiguration = std::move(konfiguration);
    return stand;
}

void TDeviceInstanz::StandZurueck(TStand stand)
{
    LOG_FKT("TDeviceInstanz::StandZurueck");
    if (stand.konfiguration) {
        SetBlob(std::move(*stand.konfiguration));
        if (InitData()) {
            GetGrpAdrFromServer();
            (void)DatenAbgleich(true, false);
        }
    } else {
        ClearDataMaps();
        m_eibHandle.reset();
    }
    SetBlob(std::move(stand.blob));
    m_compData = std::move(stand.compData);
}

bool TDeviceInstanz::KonvertEtsIds(int modus, TEtsProgressDialog* meter)
{
    LOG_FKT("TDeviceInstanz::KonvertEtsIds");
    int position = 21;
    auto schritt = [&]() {
        Position(meter, position++);
        return Abbruch(meter);
    };
    Text1(meter, Spredit::Txt9023);
    if (schritt())
        return false;
    if (auto* device = dynamic_cast<TVireoEtsDevice*>(m_device)) {
        device->SetDeviceId(m_etsDeviceId);
        if (TDatenStruktur* record = GetDatenSatz(device))
            device->Write(*record);
    }
    Text1(meter, Spredit::Txt9024);
    if (schritt())
        return false;

    // The records are walked in a copy: writing an object rebuilds its continuation records.
    TDatenManager<TDatenStruktur> alle;
    (void)CopyStrukturDatenToDB(&alle, nullptr);
    TDatenManager<TDatenStruktur>* objektSaetze = alle.Filter("Typ", TEtsObjekt::kTyp);
    std::vector<DAL_DEVICE_PARAM> parameter;
    std::vector<DAL_DEVICE_OBJECT> deviceObjekte;
    CreateEtsDBList(parameter, deviceObjekte);

    for (const TDatenStruktur* satz = objektSaetze->GetFirst(); satz != nullptr; satz = objektSaetze->GetNext()) {
        auto* objekt = dynamic_cast<TEtsObjekt*>(FindHandle(satz->Handle));
        if (objekt == nullptr)
            continue;
        const std::string name = objekt->GetName(false);
        Text2(meter, name);
        if (schritt())
            return false;
        int32_t objectId = 0;
        int32_t deviceObjectId = 0;
        int32_t parameterId = 0;
        const auto groesse = static_cast<int8_t>(objekt->GetObjektTyp() - 1);
        if (!GetEtsIdFromObjNr(parameter, deviceObjekte, objekt->GetObjektNr(), groesse, objectId, deviceObjectId,
                               parameterId)) {
            // "Objekt nicht gefunden." / "Fehler"
            Meldung(Spredit::Txt9025 + "\n" + name, Spredit::Txt9003, MB_OK);
            return false;
        }
        objekt->SetObjectId(objectId);
        objekt->SetDeviceObjectId(deviceObjectId);
        objekt->SetParameterId(parameterId);
        switch (modus) {
        case kImport: {
            bool unlinkNoetig = false;
            if (!KonvertEtsGAIds(objekt, unlinkNoetig))
                return false;
            if (unlinkNoetig && !UnlinkUnknownGA(objekt))
                return false;
            break;
        }
        case kKopie:
            if (!LinkEtsAssociationToObjekt(objekt))
                return false;
            break;
        default:
            Meldung("Groupaddress: Unknown convert.\nNumber: " + std::to_string(modus), "TDeviceInstanz::KonvertEtsIds",
                    MB_OK);
            break;
        }
        if (TDatenStruktur* record = GetDatenSatz(objekt))
            objekt->Write(*record);
    }
    return true;
}

void TDeviceInstanz::CreateEtsDBList(std::vector<DAL_DEVICE_PARAM>& parameter, std::vector<DAL_DEVICE_OBJECT>& objekte)
{
    LOG_FKT("TDeviceInstanz::CreateEtsDBList");
    TEts2Cdi* ets = GetEts();
    if (ets == nullptr)
        return;
    DalWalk<DAL_DEVICE_OBJECT>(
        DAL_DEVICE_OBJECT_SIZE,
        [&](int modus, DAL_DEVICE_OBJECT& r) {
            return ets->DalGetDeviceObjectData(modus, DAL_NO_KEY, m_etsDeviceId, &r);
        },
        [&](const DAL_DEVICE_OBJECT& r) {
            objekte.push_back(r);
            return true;
        });
    DalWalk<DAL_DEVICE_PARAM>(
        DAL_DEVICE_PARAM_SIZE,
        [&](int modus, DAL_DEVICE_PARAM& r) {
            return ets->DalGetDeviceParamData(modus, DAL_NO_KEY, m_etsDeviceId, &r);
        },
        [&](const DAL_DEVICE_PARAM& r) {
            parameter.push_back(r);
            return true;
        });
}

bool TDeviceInstanz::GetEtsIdFromObjNr(const std::vector<DAL_DEVICE_PARAM>& parameter,
                                       const std::vector<DAL_DEVICE_OBJECT>& objekte, int32_t objektNr,
                                       int8_t objektTyp, int32_t& objectId, int32_t& deviceObjectId,
                                       int32_t& parameterId)
{
    LOG_FKT("TDeviceInstanz::GetEtsIdFromObjNr");
    TEts2Cdi* ets = GetEts();
    if (ets == nullptr)
        return false;
    for (const DAL_DEVICE_OBJECT& objekt : objekte) {
        if (objekt.ObjectNumber != objektNr || objekt.Visible <= 0 || objekt.ObjectType != objektTyp)
            continue;
        DAL_COMM_OBJECT comm;
        comm.Size = DAL_COMM_OBJECT_SIZE;
        if (ets->DalGetCommunicationObjectData(DAL_MODE_KEY, objekt.CommObjectId, DAL_NO_KEY, DAL_NO_KEY, &comm) !=
            DAL_OK)
            continue;
        const int32_t key = comm.ParameterKey;
        const auto zeigt = std::find_if(parameter.begin(), parameter.end(),
                                        [key](const DAL_DEVICE_PARAM& p) { return p.CommObjectKey == key; });
        if (zeigt == parameter.end())
            continue;
        objectId = objekt.CommObjectId;
        deviceObjectId = objekt.DeviceObjectId;
        parameterId = zeigt->DeviceParamId;
        return true;
    }
    return false;
}

bool TDeviceInstanz::KonvertEtsGAIds(TObjektBasis* objekt, bool& unlinkNoetig)
{
    LOG_FKT("TDeviceInstanz::KonvertEtsGAIds");
    unlinkNoetig = false;
    if (objekt == nullptr)
        return false;
    std::vector<TObjektBasis::RecGrpAdrId> neu;
    for (const TObjektBasis::RecGrpAdrId& link : objekt->GetSubGroupLinks()) {
        const auto ziel = std::find_if(m_subGroups.begin(), m_subGroups.end(), [&link](const auto& eintrag) {
            return static_cast<uint16_t>(eintrag.second->GetKomplettGrpAdr()) == link.GrpAdr;
        });
        if (ziel != m_subGroups.end()) {
            neu.push_back({ziel->second->GetEtsId(), link.GrpAdr});
            continue;
        }
        // "Gruppenadresse konnte nicht konvertiert werden." ... "Die Gruppenadresse wird benutzt von"
        Meldung(Spredit::Txt9026 + "\n" + GetGroupAddressString(link.GrpAdr, IsDreiEbenen()) + "\n" +
                    Spredit::Txt9027 + ": " + objekt->GetName(false),
                Spredit::Txt9003, MB_OK);
        unlinkNoetig = true;
    }
    // All old links go at once: dropping them one by one would move the sending mark in ETS
    // on every step, with sub-group ids of the source project.
    objekt->ClearAllSubGroupLink();
    for (const TObjektBasis::RecGrpAdrId& link : neu)
        objekt->AddSubGroupLink(link.SubGroupId, link.GrpAdr, false);
    return true;
}

bool TDeviceInstanz::UnlinkUnknownGA(TObjektBasis* objekt)
{
    LOG_FKT("TDeviceInstanz::UnlinkUnknownGA");
    if (objekt == nullptr)
        return false;
    TEts2Cdi* ets = GetEts();
    if (ets == nullptr)
        return true;
    const int32_t deviceObjectId = objekt->GetEtsObjektId();
    // Unlinking reads the same ETS links, which would end this walk: the walk is finished first.
    std::vector<int32_t> etsLinks;
    DalWalk<DAL_SUB_TO_OBJECT>(
        DAL_SUB_TO_OBJECT_SIZE,
        [&](int modus, DAL_SUB_TO_OBJECT& r) {
            return ets->DalGetSubgroupToObjectData(modus, DAL_NO_KEY, DAL_NO_KEY, deviceObjectId, &r);
        },
        [&](const DAL_SUB_TO_OBJECT& r) {
            etsLinks.push_back(+r.SubGroupId);
            return true;
        });
    for (const int32_t subGroupId : etsLinks) {
        if (objekt->ExistSubGroupId(subGroupId))
            continue;
        if (!UnLinkFromSubGroup(subGroupId, deviceObjectId)) {
            // "Verbindung konnte nicht gelöscht werden." / "Fehler"
            Meldung(Spredit::Txt9028 + "\n" + objekt->GetName(false), Spredit::Txt9003, MB_ICONERROR);
            return false;
        }
    }
    return true;
}

bool TDeviceInstanz::LinkEtsAssociationToObjekt(TObjektBasis* objekt)
{
    LOG_FKT("TDeviceInstanz::LinkEtsAssociationToObjekt");
    if (objekt != nullptr)
        objekt->ClearAllSubGroupLink();
    return true;
}

bool TDeviceInstanz::GetObjectNrFromParameterId(int32_t parameterKey, int32_t /*wert*/,
                                                const std::vector<DAL_DEVICE_OBJECT>& objekte, int32_t& objektNr)
{
    LOG_FKT("TDeviceInstanz::GetObjectNrFromParameterId");
    TEts2Cdi* ets = GetEts();
    if (ets == nullptr)
        return false;
    bool gefunden = false;
    DalWalk<DAL_COMM_OBJECT>(
        DAL_COMM_OBJECT_SIZE,
        [&](int modus, DAL_COMM_OBJECT& r) {
            return ets->DalGetCommunicationObjectData(modus, DAL_NO_KEY, parameterKey, DAL_NO_KEY, &r);
        },
        [&](const DAL_COMM_OBJECT& comm) {
            const int32_t id = comm.CommObjectId;
            const auto objekt = std::find_if(objekte.begin(), objekte.end(),
                                             [id](const DAL_DEVICE_OBJECT& o) { return o.CommObjectId == id; });
            if (objekt == objekte.end())
                return true;
            objektNr = objekt->ObjectNumber;
            gefunden = true;
            return false;
        });
    return gefunden;
}
