#pragma once
// What an alarm centre must be after it took a configuration from outside (a template, a
// safety copy, a device file ETS imports): read whole and as the program itself would have
// written it. Each object record is an object that its parameter shows in ETS at the value the
// record keeps, with ETS's ids, number and type; no two records hold one object; each object
// node has the links ETS has for its object; and storing the device and loading it again gives
// the same records and nodes; and the tree has the fixed nodes of its variant, each once.
//
// The last check stores the device into ETS and loads it again: callers run it inside an ETS
// write burst they do not store, or on a device whose store is theirs to change.

#include "AzGeraet.h"

#include "kestrin/Dal.h"
#include "kestrin/Ets2Cdi.h"
#include "miraval/devinst/DevInstAz.h"
#include "pellam/DataBasis.h"
#include "quillon/EtsObjekt.h"
#include "tessarin/AzMelder.h"
#include "tessarin/AzSystem.h"

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace ImportInvarianten {

// Each node's handle with its type, parent and name.
inline std::map<int32_t, std::tuple<int, int32_t, std::string>> Knoten(const TDeviceInstanz& inst)
{
    std::map<int32_t, std::tuple<int, int32_t, std::string>> knoten;
    for (const auto& [handle, node] : inst.GetKnoten())
        knoten[handle] = {node->GetTyp(), node->GetParentHandle(), node->GetName(false)};
    return knoten;
}

// The records of the device as ETS would store them; empty when they cannot be written.
inline std::string Container(TDeviceInstanzAz& inst)
{
    std::string container;
    if (!inst.CopyStrukturDatenToDB(nullptr, &container))
        container.clear();
    return container;
}

// The first line where two containers differ, as "before" -> "after".
inline std::string ErsteAbweichung(const std::string& vorher, const std::string& nachher)
{
    auto zeilen = [](const std::string& text) {
        std::vector<std::string> z;
        for (std::size_t start = 0; start < text.size();) {
            const std::size_t ende = std::min(text.find("\r\n", start), text.size());
            z.push_back(text.substr(start, ende - start));
            start = ende + 2;
        }
        return z;
    };
    const std::vector<std::string> a = zeilen(vorher);
    const std::vector<std::string> b = zeilen(nachher);
    const auto [x, y] = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
    return "\"" + (x == a.end() ? std::string() : *x) + "\" -> \"" + (y == b.end() ? std::string() : *y) + "\"";
}

// The tree's nodes of each type the new-device code makes once for the device's variant, as
// often as it makes them (the wired input at most once where it may be missing).
inline void FesteKnoten(const TDeviceInstanzAz& inst, std::vector<std::string>& fehler)
{
    const auto* system = inst.GetPointerInstAzSystem();
    if (system == nullptr) {
        fehler.push_back("no device node");
        return;
    }
    std::map<int, int> soll;
    std::map<int, int> kann;
    for (const auto& knoten : TDeviceInstanzAz::FesteKnoten(system->GetParamVarianteAz())) {
        soll[knoten.Typ] += knoten.Pflicht ? 1 : 0;
        kann[knoten.Typ] += 1;
    }
    std::map<int, int> ist;
    for (const auto& [handle, node] : inst.GetKnoten())
        if (auto* melder = dynamic_cast<TAzMelder*>(node.get()); melder == nullptr || melder->GetMelderNr() == 0)
            ist[node->GetTyp()] += 1;
    for (const auto& [typ, anzahl] : kann)
        if (ist[typ] < soll[typ] || ist[typ] > anzahl)
            fehler.push_back("nodes of type " + std::to_string(typ) + ": " + std::to_string(ist[typ]) + ", the variant has " +
                             std::to_string(anzahl));
}

// What is broken, one line each; empty when the device is as it must be.
inline std::vector<std::string> Verletzt(TDeviceInstanzAz& inst, TEts2Cdi& ets, int32_t deviceId, HWND fenster)
{
    std::vector<std::string> fehler;
    FesteKnoten(inst, fehler);
    std::set<int32_t> ids;
    for (const auto& [system, daten] : inst.GetSystemMap())
        for (const auto& [parent, r] : daten) {
            if (r.Typ != TEtsObjekt::kTyp)
                continue;
            const std::string objekt = "object record " + std::to_string(r.Handle) + " (object " +
                                       std::to_string(r.Param4) + "): ";
            int32_t wert = 0;
            std::vector<tagDAL_OBJECT_INFO> gezeigt;
            if (ets.GetDeviceParameter(deviceId, static_cast<int16_t>(r.Param16), wert, &gezeigt) != 0 ||
                wert != r.Param17) {
                fehler.push_back(objekt + "its parameter " + std::to_string(r.Param16) + " is not " +
                                 std::to_string(r.Param17) + " in ETS");
                continue;
            }
            const int32_t deviceObjectId = r.Param10;
            const auto e = std::find_if(gezeigt.begin(), gezeigt.end(), [deviceObjectId](const tagDAL_OBJECT_INFO& o) {
                return o.DeviceObjectId == deviceObjectId;
            });
            if (e == gezeigt.end()) {
                fehler.push_back(objekt + "its parameter does not show its ETS object " + std::to_string(r.Param10));
                continue;
            }
            if (!ids.insert(r.Param10).second)
                fehler.push_back(objekt + "another object record holds the same ETS object");
            // The record keeps ETS's size code plus one.
            if (e->ObjectId != r.Param3 || e->ObjectNumber != r.Param4 || e->ObjectType + 1 != r.Param8)
                fehler.push_back(objekt + "ETS has id " + std::to_string(e->ObjectId) + ", number " +
                                 std::to_string(e->ObjectNumber) + ", type " + std::to_string(e->ObjectType + 1) +
                                 "; the record " + std::to_string(r.Param3) + ", " + std::to_string(r.Param4) +
                                 ", " + std::to_string(r.Param8));
            const auto* knoten = dynamic_cast<TEtsObjekt*>(inst.FindHandle(r.Handle));
            if (knoten == nullptr) {
                fehler.push_back(objekt + "no object node");
                continue;
            }
            std::vector<int32_t> links;
            for (const auto& link : knoten->GetSubGroupLinks())
                links.push_back(link.SubGroupId);
            std::sort(links.begin(), links.end());
            if (links != EtsLinks(ets, r.Param10))
                fehler.push_back(objekt + "its node's links are not ETS's");
        }

    // The records as they are, stored and loaded again.
    const std::string vorher = Container(inst);
    if (!inst.WriteBlob()) {
        fehler.push_back("the device cannot be stored");
        return fehler;
    }
    const auto knotenVorher = Knoten(inst);
    if (vorher.empty() || !inst.GetDataFromServer(fenster, false))
        fehler.push_back("the device stored cannot be loaded again");
    else if (const std::string nachher = Container(inst); nachher != vorher)
        fehler.push_back("the records stored and loaded again differ: " + ErsteAbweichung(vorher, nachher));
    else if (Knoten(inst) != knotenVorher)
        fehler.push_back("the nodes stored and loaded again differ");
    return fehler;
}

} // namespace ImportInvarianten
