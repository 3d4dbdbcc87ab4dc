// TDeviceInstanzAz: the checks before the editor returns to ETS, that the communication
// objects the alarm centre needs have their group addresses.

#include "miraval/devinst/DevInstAz.h"

#include "miraval/devinst/DevInstAz_p.h"
#include "tamsel/Tamsel.h"
#include "tessarin/AzMelder.h"
#include "tessarin/AzSystem.h"
#include "tessarin/SprAz.h"
#include "win32/MessageBox.h"

namespace {

constexpr int32_t kObjektAlarmReset = 225;
constexpr int32_t kObjektMeldertest = 226;
// An arming area has at most this many switching devices.
constexpr std::size_t kMaxSchalteinrichtungen = 4;

// Yes/No with the exclamation icon, No the default: the user has to choose going back.
constexpr UINT kFrage = MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2;

bool Verbunden(const TObjektBasis& objekt)
{
    return !objekt.GetSubGroupLinks().empty();
}

} // namespace

void TDeviceInstanzAz::CheckObjektLinkedToGrpAdr(int32_t objektNr, std::vector<TObjektBasis::RecGrpAdrId>& out) const
{
    LOG_FKT("TDeviceInstanzAz::CheckObjektLinkedToGrpAdr");
    const TObjektBasis* objekt = GetObjectFromObjectNr(objektNr);
    out = objekt != nullptr ? objekt->GetSubGroupLinks() : std::vector<TObjektBasis::RecGrpAdrId>{};
}

bool TDeviceInstanzAz::CheckObjektAlarmReset()
{
    LOG_FKT("TDeviceInstanzAz::CheckObjektAlarmReset");
    const TObjektBasis* objekt = GetObjectFromObjectNr(kObjektAlarmReset);
    return objekt != nullptr && Verbunden(*objekt);
}

bool TDeviceInstanzAz::CheckObjektMeldertest()
{
    LOG_FKT("TDeviceInstanzAz::CheckObjektMeldertest");
    const TObjektBasis* objekt = GetObjectFromObjectNr(kObjektMeldertest);
    if (objekt == nullptr || Verbunden(*objekt))
        return true;
    return Meldung(SprAz::Txt10352, SprAz::Txt10353, kFrage) != IDNO;
}

bool TDeviceInstanzAz::CheckObjekteMelder()
{
    LOG_FKT("TDeviceInstanzAz::CheckObjekteMelder");
    bool offen = false;
    for (const auto& [handle, node] : GetKnoten()) {
        if (node->GetTyp() != AzTyp::Melder)
            continue;
        const auto* melder = dynamic_cast<const TAzMelder*>(node.get());
        if (melder == nullptr)
            continue;
        // The wired input (number 0) has no input object of this kind: -1 finds none.
        const TObjektBasis* objekt = GetObjectFromObjectNr(melder->GetMelderNr() - 1);
        if (objekt != nullptr && !Verbunden(*objekt)) {
            offen = true;
            break;
        }
    }
    if (!offen)
        return true;
    return Meldung(SprAz::Txt10350, SprAz::Txt10351, kFrage) != IDNO;
}

bool TDeviceInstanzAz::CheckObjekteScharfschaltEingang()
{
    LOG_FKT("TDeviceInstanzAz::CheckObjekteScharfschaltEingang");
    const TAzSystem* system = GetPointerInstAzSystem();
    const uint32_t variante = system != nullptr ? system->GetParamVarianteAz() : 0;
    for (int bereich = 1; bereich <= kAnzahlBereiche; ++bereich) {
        if (!BereichVorhanden(variante, bereich))
            continue;
        std::vector<TObjektBasis::RecGrpAdrId> links;
        CheckObjektLinkedToGrpAdr(ObjektNr::KomScharfschaltWunsch(bereich), links);
        if (links.empty())
            continue;
        const std::list<TPhysAdrEintrag> geraete = GetDevicePhysAdrLinkedWithGrpAdr(links);
        if (geraete.empty() || geraete.size() > kMaxSchalteinrichtungen)
            return false;
        std::list<int32_t>& schalteinrichtungen = GetPhysAdrSe()[static_cast<std::size_t>(bereich - 1)];
        schalteinrichtungen.sort();
        schalteinrichtungen.unique();
        if (schalteinrichtungen.size() != geraete.size())
            return false;
    }
    return true;
}
