// TDeviceInstanzAz: the devices of the ETS project that can switch an arming area, found
// through the group addresses of the area's arming input, with their physical addresses.

#include "miraval/devinst/DevInstAz.h"

#include "kestrin/Ets2Cdi.h"
#include "tamsel/Tamsel.h"

#include <cstdio>
#include <cstring>

namespace {

// Caption of the boxes that report an answer of ETS the walk does not know.
constexpr const char* kCaptionUnbekannt = "TDeviceInstanzAz::GetDevicePhysAdrLinkedWithGrpAdr";

std::string Unbekannt(const char* aufruf, int ergebnis)
{
    return std::string(aufruf) + ": unknown DAL_ReturnValue = " + std::to_string(ergebnis);
}

} // namespace

std::list<TPhysAdrEintrag>
TDeviceInstanzAz::GetDevicePhysAdrLinkedWithGrpAdr(const std::vector<TObjektBasis::RecGrpAdrId>& links)
{
    LOG_FKT("TDeviceInstanzAz::GetDevicePhysAdrLinkedWithGrpAdr");
    std::list<int32_t> objektIds;
    for (const TObjektBasis::RecGrpAdrId& link : links)
        if (!GetDeviceObjectIds(link.SubGroupId, objektIds))
            return {};
    std::list<int32_t> geraeteIds;
    if (!GetDeviceIds(objektIds, geraeteIds))
        return {};
    // A device reached through several group addresses or objects is offered once.
    geraeteIds.sort();
    geraeteIds.unique();
    std::list<TPhysAdrEintrag> geraete;
    if (!GetDevicesPhysAdr(geraeteIds, geraete))
        return {};
    return geraete;
}

bool TDeviceInstanzAz::GetDeviceObjectIds(int32_t subGroupId, std::list<int32_t>& out)
{
    LOG_FKT("TDeviceInstanzAz::GetDeviceObjectIds");
    TEts2Cdi* ets = GetEts();
    if (ets == nullptr)
        return false;
    for (int mode = DAL_MODE_FIRST;; mode = DAL_MODE_NEXT) {
        DAL_SUB_TO_OBJECT link;
        const int ergebnis = ets->DalGetSubgroupToObjectData(mode, DAL_NO_KEY, subGroupId, DAL_NO_KEY, &link);
        if (ergebnis == DAL_OK) {
            out.push_back(link.DeviceObjectId);
        } else if (ergebnis == DAL_END) {
            return true;
        } else if (ergebnis == DAL_ERR) {
            return false;
        } else {
            Meldung(Unbekannt("DalGetSubgroupToObjectData", ergebnis), kCaptionUnbekannt, MB_OK);
            return true;
        }
    }
}

bool TDeviceInstanzAz::GetDeviceIds(const std::list<int32_t>& deviceObjectIds, std::list<int32_t>& out)
{
    LOG_FKT("TDeviceInstanzAz::GetDeviceIds");
    TEts2Cdi* ets = GetEts();
    if (ets == nullptr)
        return false;
    for (const int32_t id : deviceObjectIds) {
        DAL_DEVICE_OBJECT objekt;
        const int ergebnis = ets->DalGetDeviceObjectData(DAL_MODE_KEY, id, DAL_NO_KEY, &objekt);
        if (ergebnis == DAL_OK) {
            out.push_back(objekt.DeviceId);
        } else if (ergebnis == DAL_ERR) {
            return false;
        } else if (ergebnis != DAL_END) {
            Meldung(Unbekannt("DalGetDeviceObjectData", ergebnis), kCaptionUnbekannt, MB_OK);
            return false;
        }
    }
    return true;
}

bool TDeviceInstanzAz::GetDevicesPhysAdr(const std::list<int32_t>& deviceIds, std::list<TPhysAdrEintrag>& out)
{
    LOG_FKT("TDeviceInstanzAz::GetDevicesPhysAdr");
    TEts2Cdi* ets = GetEts();
    if (ets == nullptr)
        return false;
    // The alarm centre itself: by its id, its address or the text that identifies it.
    const std::string eigeneAdresse = GetPhysAdr(GetEtsDeviceId());
    const std::string& eigeneKennung = GetDeviceText();
    for (const int32_t id : deviceIds) {
        DAL_DEVICE device;
        const int ergebnis =
            ets->DalGetDeviceData(DAL_MODE_KEY, id, DAL_NO_KEY, DAL_NO_KEY, DAL_NO_KEY, DAL_NO_KEY, &device);
        if (ergebnis == DAL_ERR)
            return false;
        if (ergebnis == DAL_END)
            continue;
        if (ergebnis != DAL_OK) {
            Meldung(Unbekannt("DalGetDeviceData", ergebnis), kCaptionUnbekannt, MB_OK);
            return false;
        }
        TPhysAdrEintrag eintrag;
        GetPhysAdr(id, eintrag.Text, &eintrag.Adresse);
        // Without an address the device cannot be chosen: word 0 means no device.
        if (eintrag.Text.empty())
            continue;
        const std::string kennung(device.ProductName, strnlen(device.ProductName, sizeof device.ProductName));
        if (id == GetEtsDeviceId() || eintrag.Text == eigeneAdresse ||
            (!eigeneKennung.empty() && kennung == eigeneKennung))
            continue;
        out.push_back(std::move(eintrag));
    }
    return true;
}

bool TDeviceInstanzAz::GetPhysAdr(int32_t deviceId, std::string& text, int32_t* wort) const
{
    LOG_FKT("TDeviceInstanzAz::GetPhysAdr");
    const std::string adresse = GetPhysAdr(deviceId);
    int bereich = 0;
    int linie = 0;
    int geraet = 0;
    if (std::sscanf(adresse.c_str(), "%d.%d.%d", &bereich, &linie, &geraet) != 3)
        return true;
    text = adresse;
    if (wort != nullptr)
        PhysAdrMergeToInt(wort, static_cast<int16_t>(bereich), linie, geraet);
    return true;
}

void TDeviceInstanzAz::PhysAdrMergeToInt(int32_t* out, int16_t area, int32_t line, int32_t device)
{
    LOG_FKT("TDeviceInstanzAz::PhysAdrMergeToInt");
    *out = area << 12 | line << 8 | device;
}
