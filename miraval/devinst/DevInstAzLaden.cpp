// TDeviceInstanzAz: the node tree from the loaded records. The record's type code decides the
// node class; the tree's shape follows from the records' Parent handles and is the project
// window's business.

#include "miraval/devinst/DevInstAz.h"

#include "miraval/devinst/EditorHost.h"
#include "quillon/EtsObjekt.h"
#include "tamsel/Tamsel.h"
#include "tessarin/AzAlarmdauer.h"
#include "tessarin/AzAlarmierung.h"
#include "tessarin/AzAnzeige.h"
#include "tessarin/AzDatumUhrzeit.h"
#include "tessarin/AzEditierbareTexte.h"
#include "tessarin/AzEibAlarmSystemSicherheit.h"
#include "tessarin/AzEibObjekteZurAlarmierung.h"
#include "tessarin/AzMelder.h"
#include "tessarin/AzOrdnerAlarmierung.h"
#include "tessarin/AzOrdnerAnzeige.h"
#include "tessarin/AzOrdnerScharfschaltung.h"
#include "tessarin/AzOrdnerSicherheitStoerung.h"
#include "tessarin/AzOrdnerSicherungsBereich.h"
#include "tessarin/AzSabotageKontakt.h"
#include "tessarin/AzScharfUnscharfQuittierungSsb.h"
#include "tessarin/AzScharfschaltBereich.h"
#include "tessarin/AzScharfschaltungSsb.h"
#include "tessarin/AzSicherungsBereich.h"
#include "tessarin/AzSicherungsBereichFeuer.h"
#include "tessarin/AzSicherungsBereichUeberfall.h"
#include "tessarin/AzSystem.h"
#include "tessarin/AzVerhaltenDurchUegR.h"
#include "win32/MessageBox.h"

#include <memory>

namespace {

// Every class but the two below is made with (owner, System, Parent, Name, Handle).
template <class Node> std::unique_ptr<TDataBasis> Knoten(HWND owner, const TDatenStruktur& d)
{
    return std::make_unique<Node>(owner, d.System, d.Parent, d.Name, d.Handle);
}

} // namespace

std::unique_ptr<TDataBasis> TDeviceInstanzAz::KnotenFuerSatz(HWND owner, const TDatenStruktur& d)
{
    switch (d.Typ) {
    case TAzSystem::kTyp:
        // The device id and value come from the record (InitFromDB).
        return std::make_unique<TAzSystem>(owner, d.System, d.Parent, d.Name, 0, 0, d.Handle);
    case TEtsObjekt::kTyp:
        // The ETS ids, number and types come from the record (InitFromDB).
        return std::make_unique<TEtsObjekt>(owner, d.System, d.Parent, d.Name, -1, -1, -1, -1, -1, -1,
                                            T_DB_EnumEtsObjekt::eoaStandard, otUnsichtbar,
                                            T_DB_EnumObjektBasis::ioLesen, 0, d.Handle);
    case 6121: return Knoten<TAzEditierbareTexte>(owner, d);
    case 6122: return Knoten<TAzOrdnerSicherungsBereich>(owner, d);
    case 6123: return Knoten<TAzSicherungsBereichFeuer>(owner, d);
    case 6124: return Knoten<TAzMelder>(owner, d);
    case 6125: return Knoten<TAzSicherungsBereichUeberfall>(owner, d);
    case 6126: return Knoten<TAzSabotageKontakt>(owner, d);
    case 6127: return Knoten<TAzSicherungsBereich1>(owner, d);
    case 6128: return Knoten<TAzSicherungsBereich2>(owner, d);
    case 6129: return Knoten<TAzSicherungsBereich3>(owner, d);
    case 6130: return Knoten<TAzSicherungsBereich4>(owner, d);
    case 6131: return Knoten<TAzOrdnerScharfschaltung>(owner, d);
    case 6132: return Knoten<TAzScharfschaltBereich1>(owner, d);
    case 6133: return Knoten<TAzScharfschaltBereich2>(owner, d);
    case 6134: return Knoten<TAzScharfschaltBereich3>(owner, d);
    case 6135: return Knoten<TAzScharfschaltBereich4>(owner, d);
    case 6136: return Knoten<TAzScharfschaltungSsb>(owner, d);
    case 6137: return Knoten<TAzScharfUnscharfQuittierungSsb>(owner, d);
    case 6138: return Knoten<TAzAlarmierung>(owner, d);
    case 6139: return Knoten<TAzOrdnerAlarmierung>(owner, d);
    case 6140: return Knoten<TAzAlarmdauer>(owner, d);
    case 6141: return Knoten<TAzEibObjekteZurAlarmierung>(owner, d);
    case 6142: return Knoten<TAzOrdnerAnzeige>(owner, d);
    case 6143: return Knoten<TAzAnzeige>(owner, d);
    case 6144: return Knoten<TAzOrdnerSicherheitStoerung>(owner, d);
    case 6145: return Knoten<TAzEibAlarmSystemSicherheit>(owner, d);
    case 6146: return Knoten<TAzVerhaltenDurchUegR>(owner, d);
    case 6147: return Knoten<TAzDatumUhrzeit>(owner, d);
    default: return nullptr;
    }
}

void TDeviceInstanzAz::InitDataMainStruktur()
{
    LOG_FKT("TDeviceInstanzAz::InitDataMainStruktur");
    const HWND owner = GetHost().GetHandle();
    // Typ ascending; equal types in the order the container held them.
    for (const auto& [typ, eintrag] : GetTypMap()) {
        if (typ == 1 || typ == 2)
            continue; // Typ 1 has no class; Typ 2 continues another record
        TDatenStruktur& record = eintrag;
        std::unique_ptr<TDataBasis> knoten = KnotenFuerSatz(owner, record);
        if (!knoten) {
            // The record stays in the System map and is stored again unchanged.
            Meldung("Unbekannter Typ: " + std::to_string(typ), "TDeviceInstanz::InitData", MB_OK);
            continue;
        }
        // The node reads its own record in the System map; it only reads.
        knoten->InitFromDB(record);
        TDataBasis* node = knoten.get();
        const int32_t handle = node->GetHandle();
        SetPointer2List(std::move(knoten));
        if (FindHandle(handle) != node)
            continue; // a handle registered twice keeps its first node
        if (typ == TAzSystem::kTyp)
            SetDevice(node);
        else if (typ == TAzEditierbareTexte::kTyp)
            SetPointerEdtitierbareTexte(static_cast<TAzEditierbareTexte*>(node));
    }
    ClearLadeMaps();
}
