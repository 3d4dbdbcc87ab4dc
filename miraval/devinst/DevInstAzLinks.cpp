// TDeviceInstanzAz: the group addresses of the detectors' objects. The base links and unlinks
// in ETS and in the objects; here a group address is kept to one detector input, the single
// address of a one-address object is replaced only when the user agrees, and the detector
// group-address list follows every detector object's link that comes or goes.

#include "miraval/devinst/DevInstAz.h"

#include "miraval/devinst/GrpAdrText.h"
#include "miraval/dienste/Spredit.h"
#include "kestrin/Ets2Cdi.h"
#include "quillon/VireoGrpAdrSub.h"
#include "tamsel/Tamsel.h"
#include "win32/MessageBox.h"

#include <algorithm>
#include <optional>
#include <string>

namespace {

constexpr const char* kTextAndererEingang = "Die Gruppenadresse wird von einem anderen Eingang verwendet";
constexpr const char* kCaptionZuweisen = "Gruppenadresse zuweisen";

// Detector n has communication object n - 1.
bool IstMelderObjekt(const TObjektBasis& objekt)
{
    return objekt.GetObjektNr() >= 0 && objekt.GetObjektNr() < TDeviceInstanzAz::kMaxMelderNr;
}

} // namespace

bool TDeviceInstanzAz::LinkToSubGroup(int32_t subGroupId, int32_t objektHandle, bool inEts)
{
    LOG_FKT("TDeviceInstanzAz::LinkToSubGroup");
    // The base's checks of object and address come first: an address the object has already
    // is told as such, not as one another input uses or as a replacement by itself.
    TObjektBasis* objekt = nullptr;
    TVireoGrpAdrSub* sub = nullptr;
    if (!LinkPartner(subGroupId, objektHandle, objekt, sub))
        return false;
    if (std::find(m_melderGrpAdr.begin(), m_melderGrpAdr.end(), subGroupId) != m_melderGrpAdr.end()) {
        Meldung(kTextAndererEingang, kCaptionZuweisen, MB_OK);
        return false;
    }

    const std::vector<TObjektBasis::RecGrpAdrId> links = objekt->GetSubGroupLinks();
    if (objekt->GetNumberSelectableGrpAdr() == 1 && !links.empty()) {
        const int32_t alt = links.front().SubGroupId;
        std::string altText;
        std::string neuText;
        GetGrpAdrNr(alt, &altText);
        GetGrpAdrNr(subGroupId, &neuText);
        if (Meldung("Soll die Gruppenadresse " + altText + " durch die Gruppenadresse " + neuText +
                        " ersetzt werden?",
                    Spredit::Txt9015, MB_OKCANCEL) != IDOK)
            return false;
        // The old address must be gone before the new one is linked: at its limit the object
        // would refuse the new link after ETS had made it.
        if (!UnLinkFromSubGroup(alt, objekt->GetEtsObjektId())) {
            // The user agreed to a replacement: a refusal must not pass for a cancel.
            Meldung(Spredit::MitWerten(Spredit::Txt9223, {altText, neuText}), Spredit::Txt9015,
                    MB_OK | MB_ICONEXCLAMATION);
            return false;
        }
        if (objekt->ExistSubGroupId(alt)) {
            objekt->DeleteSubGroupLink(alt);
            if (TDatenStruktur* record = GetDatenSatz(objekt))
                objekt->Write(*record);
        }
    }

    if (!TDeviceInstanz::LinkToSubGroup(subGroupId, objektHandle, inEts))
        return false;
    if (IstMelderObjekt(*objekt))
        SetMelderGrpAdrToList(subGroupId);
    return true;
}

bool TDeviceInstanzAz::UnLinkFromSubGroup(int32_t subGroupId, int32_t deviceObjectId)
{
    LOG_FKT("TDeviceInstanzAz::UnLinkFromSubGroup");
    // A read that failed says nothing about ETS's link, which may still be there: the
    // object keeps its link too.
    if (!UnLinkInEts(subGroupId, deviceObjectId))
        return false;
    TObjektBasis* objekt = GetObjectFromDeviceObjectId(deviceObjectId);
    const bool melderLink = objekt != nullptr && IstMelderObjekt(*objekt) && objekt->ExistSubGroupId(subGroupId);
    RemoveObjektVerbindung(subGroupId, deviceObjectId);
    if (melderLink)
        ClearMelderGrpAdrFromList(subGroupId);
    return true;
}

bool TDeviceInstanzAz::CheckGrpAddrUsedFromMelder(const std::string& text, int ebenen)
{
    LOG_FKT("TDeviceInstanzAz::CheckGrpAddrUsedFromMelder");
    // Compared by address word, so that "01/2/3" or "1.2.3" finds the address shown as 1/2/3.
    const std::optional<GrpAdrText::TGrpAdrTeile> teile = GrpAdrText::Parse(text, ebenen);
    if (!teile)
        return false;
    const uint16_t wort = teile->Wort();
    GetEtsGruppenAdressen();
    for (const auto& [id, node] : GetSubGroupMap()) {
        if (static_cast<uint16_t>(node->GetKomplettGrpAdr()) != wort)
            continue;
        if (std::find(m_melderGrpAdr.begin(), m_melderGrpAdr.end(), id) != m_melderGrpAdr.end()) {
            Meldung(kTextAndererEingang, kCaptionZuweisen, MB_OK);
            return true;
        }
    }
    return false;
}

std::string TDeviceInstanzAz::StringToSearchGrpAddr(const std::string& text, const std::string& trenner, int ebenen)
{
    return GrpAdrText::StringToSearchGrpAddr(text, trenner, ebenen);
}
