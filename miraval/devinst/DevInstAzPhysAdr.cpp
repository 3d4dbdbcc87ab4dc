// TDeviceInstanzAz: the devices of the ETS project that can switch an arming area, found
// through the group addresses of the area's arming input, with their physical addresses; and
// the check after a load that the switching devices an arming area keeps are still such
// devices.

#include "miraval/devinst/DevInstAz.h"

#include "miraval/devinst/DevInstAz_p.h"
#include "miraval/devinst/EditorHost.h"
#include "kestrin/Ets2Cdi.h"
#include "tamsel/Tamsel.h"
#include "tessarin/AzScharfschaltungSsb.h"
#include "tessarin/SprAz.h"
#include "win32/MessageBox.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

// Caption of the boxes that report an answer of ETS the walk does not know.
constexpr const char* kCaptionUnbekannt = "TDeviceInstanzAz::GetDevicePhysAdrLinkedWithGrpAdr";

std::string Unbekannt(const char* aufruf, int ergebnis)
{
    return std::string(aufruf) + ": unknown DAL_ReturnValue = " + std::to_string(ergebnis);
}

// Switching devices SE 1..4 of an arming area.
constexpr int kAnzahlSe = 4;

constexpr const char* kTextKeinGeraet =
    "Im Projekt ist kein Gerät mit der Gruppenadresse des\n\rObjekts 'Scharfschalt-Eingang' verknüpft. Sollen die "
    "parametrierten Physikalischen Adressen gelöscht werden?";
// The end of the question about one switching device whose address no device of the
// project on the arming input's group addresses has.
constexpr const char* kTextNichtGefunden =
    "existiert in\n\r diesem Projekt nicht, oder das Gerät mit dieser Physikalischen Adresse ist nicht mit\n\rder "
    "gleichen Gruppenadresse wie das Objekt 'Scharfschalt Eingang' verknüpft.\n\rSoll die parametrierte "
    "Physikalische Adresse gelöscht werden?";

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
            out.push_back(+link.DeviceObjectId);
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
            out.push_back(+objekt.DeviceId); // packed field: by value
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
    // The alarm centre itself: by its id, its address or its name in ETS. Two devices without
    // a name are not the same device.
    TDeviceEtsInfo eigene;
    GetDeviceEtsInfo(eigene);
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
        // Without an address the device cannot be chosen: word 0 means no device.
        if (!GetPhysAdr(id, eintrag.Text, &eintrag.Adresse))
            continue;
        eintrag.Name = DalText(device.DeviceName);
        if (id == GetEtsDeviceId() || eintrag.Text == eigene.PhysAdr ||
            (!eigene.GeraeteName.empty() && eintrag.Name == eigene.GeraeteName))
            continue;
        out.push_back(std::move(eintrag));
    }
    return true;
}

bool TDeviceInstanzAz::GetPhysAdr(int32_t deviceId, std::string& text, int32_t* wort) const
{
    LOG_FKT("TDeviceInstanzAz::GetPhysAdr");
    // A device that cannot be read must not keep the address of the one read before it.
    text.clear();
    if (wort != nullptr)
        *wort = 0;
    const std::string adresse = GetPhysAdr(deviceId);
    int bereich = 0;
    int linie = 0;
    int geraet = 0;
    // Decimal parts ("01.02.003" is 0x1203, never octal).
    if (std::sscanf(adresse.c_str(), "%d.%d.%d", &bereich, &linie, &geraet) != 3)
        return false;
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

void TDeviceInstanzAz::CheckPhysAdrSeExist(uint8_t bereich, TAzScharfschaltungSsb* ssb)
{
    LOG_FKT("TDeviceInstanzAz::CheckPhysAdrSeExist");
    // A copy is checked when it is opened, in its own project.
    if (GetHost().GetStatusOnCopyDevice())
        return;
    if (ssb == nullptr || bereich < 1 || bereich > kAnzahlBereiche)
        return;
    const std::string caption = SprAz::Txt10091 + " " + SprAz::Txt10116 + " " + std::to_string(bereich);
    TObjektBasis* objekt = GetObjectFromObjectNr(ObjektNr::KomScharfschaltWunsch(bereich));
    if (objekt == nullptr)
        return;

    bool gespeichert = false;
    for (int se = 1; se <= kAnzahlSe; ++se)
        gespeichert = gespeichert || ssb->GetPhysAdrSe(se) != 0;
    auto alleLoeschen = [&](const std::string& frage) {
        if (gespeichert && Meldung(frage, caption, MB_YESNO) == IDYES)
            for (int se = 1; se <= kAnzahlSe; ++se)
                ssb->ClearPhysAdrSeAndMelderNrSe(se);
    };

    const std::vector<TObjektBasis::RecGrpAdrId> links = objekt->GetSubGroupLinks();
    if (links.empty()) {
        alleLoeschen(SprAz::Txt10254);
        return;
    }
    // A failed read gives no devices too: the user may then clear addresses that exist.
    const std::list<TPhysAdrEintrag> geraete = GetDevicePhysAdrLinkedWithGrpAdr(links);
    if (geraete.empty()) {
        alleLoeschen(kTextKeinGeraet);
        return;
    }
    std::list<int32_t>& bestaetigt = m_physAdrSe[bereich - 1u];
    for (int se = 1; se <= kAnzahlSe; ++se) {
        const int32_t wort = ssb->GetPhysAdrSe(se);
        if (wort == 0)
            continue;
        const bool vorhanden = std::any_of(geraete.begin(), geraete.end(),
                                           [wort](const TPhysAdrEintrag& g) { return g.Adresse == wort; });
        if (vorhanden) {
            bestaetigt.push_back(wort);
            continue;
        }
        const std::string frage = "Die Physikalische Adresse " + ssb->GetStringPhysAdrSe(se) + " der Schalteinrichtung SE" +
                                  std::to_string(se) + " (" + caption + ") " + kTextNichtGefunden;
        if (Meldung(frage, caption, MB_YESNO) == IDYES)
            ssb->ClearPhysAdrSeAndMelderNrSe(se);
    }
    bestaetigt.sort();
    bestaetigt.unique();
}
