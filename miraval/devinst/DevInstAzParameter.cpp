// TDeviceInstanzAz: writing the nodes' ETS device parameters, the resource check before a
// group-address link, and the default names of the folder nodes.

#include "miraval/devinst/DevInstAz.h"

#include "miraval/devinst/DevInstAz_p.h"
#include "kestrin/EtsTransaction.h"
#include "quillon/ObjektBasis.h"
#include "tamsel/Tamsel.h"
#include "tessarin/AzAlarmdauer.h"
#include "tessarin/AzAlarmierung.h"
#include "tessarin/AzAnzeige.h"
#include "tessarin/AzDatumUhrzeit.h"
#include "tessarin/AzEditierbareTexte.h"
#include "tessarin/AzEibAlarmSystemSicherheit.h"
#include "tessarin/AzMelder.h"
#include "tessarin/AzOrdnerAnzeige.h"
#include "tessarin/AzSabotageKontakt.h"
#include "tessarin/AzScharfUnscharfQuittierungSsb.h"
#include "tessarin/AzScharfschaltBereich.h"
#include "tessarin/AzScharfschaltungSsb.h"
#include "tessarin/AzSystem.h"
#include "tessarin/AzVerhaltenDurchUegR.h"
#include "tessarin/SprAz.h"
#include "win32/MessageBox.h"

#include <algorithm>
#include <vector>

namespace {

// Calls the class's own writer: the writers are plain members of each class, so the node
// must be taken as the class its type code names.
template <class T> void Schreibe(TDataBasis& node)
{
    if (auto* knoten = dynamic_cast<T*>(&node))
        knoten->WriteDataToDb();
}

} // namespace

bool TDeviceInstanzAz::CheckForDeleteGlobalDeviceObjects(int32_t, bool)
{
    LOG_FKT("TDeviceInstanzAz::CheckForDeleteGlobalDeviceObjects");
    return false;
}

bool TDeviceInstanzAz::WriteDataToDb()
{
    LOG_FKT("TDeviceInstanzAz::WriteDataToDb");
    // Every parameter of every node in one ETS transaction: stored together once, or, when a
    // writer throws or a node is refused, not at all.
    TEtsTransaction burst(GetEts());
    // A copy of the handles: a writer may look nodes up through the editor.
    std::vector<int32_t> handles;
    for (const auto& [handle, node] : GetKnoten())
        handles.push_back(handle);
    for (int32_t handle : handles) {
        TDataBasis* node = FindHandle(handle);
        if (node == nullptr)
            continue;
        const int typ = node->GetTyp();
        switch (typ) {
        case AzTyp::System:
            Schreibe<TAzSystem>(*node);
            break;
        case AzTyp::EditierbareTexte:
            Schreibe<TAzEditierbareTexte>(*node);
            break;
        case AzTyp::Melder:
            Schreibe<TAzMelder>(*node);
            break;
        case AzTyp::SabotageKontakt:
            Schreibe<TAzSabotageKontakt>(*node);
            break;
        case AzTyp::ScharfschaltBereich1:
            Schreibe<TAzScharfschaltBereich1>(*node);
            break;
        case AzTyp::ScharfschaltBereich1 + 1:
            Schreibe<TAzScharfschaltBereich2>(*node);
            break;
        case AzTyp::ScharfschaltBereich1 + 2:
            Schreibe<TAzScharfschaltBereich3>(*node);
            break;
        case AzTyp::ScharfschaltBereich1 + 3:
            Schreibe<TAzScharfschaltBereich4>(*node);
            break;
        case AzTyp::ScharfschaltungSsb:
            Schreibe<TAzScharfschaltungSsb>(*node);
            break;
        case AzTyp::ScharfUnscharfQuittierungSsb:
            Schreibe<TAzScharfUnscharfQuittierungSsb>(*node);
            break;
        case AzTyp::Alarmierung:
            Schreibe<TAzAlarmierung>(*node);
            break;
        case AzTyp::Alarmdauer:
            Schreibe<TAzAlarmdauer>(*node);
            break;
        case AzTyp::OrdnerAnzeige:
            Schreibe<TAzOrdnerAnzeige>(*node);
            break;
        case AzTyp::Anzeige:
            Schreibe<TAzAnzeige>(*node);
            break;
        case AzTyp::EibAlarmSystemSicherheit:
            Schreibe<TAzEibAlarmSystemSicherheit>(*node);
            break;
        case AzTyp::VerhaltenDurchUegR:
            Schreibe<TAzVerhaltenDurchUegR>(*node);
            break;
        case AzTyp::DatumUhrzeit:
            Schreibe<TAzDatumUhrzeit>(*node);
            break;
        // Communication objects, folders and nodes without parameters.
        case AzTyp::EtsObjekt:
        case AzTyp::OrdnerSicherungsBereich:
        case AzTyp::SicherungsBereichFeuer:
        case AzTyp::SicherungsBereichUeberfall:
        case AzTyp::SicherungsBereich1:
        case AzTyp::SicherungsBereich1 + 1:
        case AzTyp::SicherungsBereich1 + 2:
        case AzTyp::SicherungsBereich1 + 3:
        case AzTyp::OrdnerScharfschaltung:
        case AzTyp::OrdnerAlarmierung:
        case AzTyp::EibObjekteZurAlarmierung:
        case AzTyp::OrdnerSicherheitStoerung:
            break;
        default:
            Meldung("Unbekannter Typ: " + std::to_string(typ), "TDeviceInstanzAz::WriteDataToDb", MB_OK);
            return false;
        }
    }
    // Without ETS (or without a store) there is no burst, and nothing to store.
    return !burst.IsOpen() || burst.Commit();
}

void TDeviceInstanzAz::GetAllUsedGAIds(std::list<int32_t>& out) const
{
    LOG_FKT("TDeviceInstanzAz::GetAllUsedGAIds");
    for (const auto& [handle, node] : GetKnoten()) {
        if (node->GetTyp() != AzTyp::EtsObjekt)
            continue;
        if (const auto* objekt = dynamic_cast<const TObjektBasis*>(node.get()))
            for (const TObjektBasis::RecGrpAdrId& link : objekt->GetSubGroupLinks())
                out.push_back(link.SubGroupId);
    }
}

bool TDeviceInstanzAz::DeviceRessourceCheckVerbindungen(int32_t neueId, bool zeigen)
{
    LOG_FKT("TDeviceInstanzAz::DeviceRessourceCheckVerbindungen");
    std::list<int32_t> ids;
    GetAllUsedGAIds(ids);
    ids.push_back(neueId);
    const int verbindungen = static_cast<int>(ids.size());
    ids.sort();
    ids.unique();
    const int adressen = static_cast<int>(ids.size());
    std::string fehler;
    if (adressen > kMaxGruppenadressen)
        fehler = SprAz::Txt10235 + std::to_string(kMaxGruppenadressen);
    // Only with the addresses in bounds: an address overflow must be reported as such, not
    // hidden behind the link limit it also breaks.
    else if (verbindungen > kMaxTabellenEintraege - adressen)
        fehler = SprAz::Txt10236 + std::to_string(kMaxTabellenEintraege - adressen);
    if (fehler.empty())
        return true;
    if (zeigen)
        Meldung(fehler, SprAz::Txt10179, MB_ICONWARNING);
    return false;
}

bool TDeviceInstanzAz::GetDefaultName(TDataBasis* node, std::string* out)
{
    LOG_FKT("TDeviceInstanzAz::GetDefaultName");
    if (node == nullptr || out == nullptr)
        return false;
    switch (node->GetTyp()) {
    case AzTyp::OrdnerSicherungsBereich:
        *out = SprAz::Txt10026;
        return true;
    case AzTyp::SicherungsBereichFeuer:
        *out = SprAz::Txt10027;
        return true;
    case AzTyp::SicherungsBereichUeberfall:
        *out = SprAz::Txt10078;
        return true;
    case AzTyp::OrdnerScharfschaltung:
        *out = SprAz::Txt10091;
        return true;
    case AzTyp::OrdnerAlarmierung:
        *out = SprAz::Txt10106;
        return true;
    case AzTyp::OrdnerSicherheitStoerung:
        *out = SprAz::Txt10131;
        return true;
    default:
        return false;
    }
}
