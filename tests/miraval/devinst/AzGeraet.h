#pragma once
// An alarm centre of a project store the test builds, with the editor around it: the nodes'
// messages reach the instance, and the objects' flag requests (UM_ObjektFlag) are answered
// by the instance as the main window's dispatcher answers them.

#include "EditorHostDouble.h"

#include "kestrin/Ets2Cdi.h"
#include "miraval/devinst/DevInstAz.h"
#include "quillon/EtsObjekt.h"
#include "vcl/Exception.h"

#include <algorithm>
#include <cstddef>
#include <set>
#include <utility>
#include <string>
#include <vector>

class TAzGeraet {
public:
    TAzGeraet(TEts2Cdi& ets, int32_t deviceId) : host(&ets), inst(host, Geraet(deviceId), nullptr)
    {
        host.window.SetAktDevInst(&inst);
        host.window.SetSonstige([this](HWND, UINT msg, WPARAM wp, LPARAM lp) -> LRESULT {
            auto* r = reinterpret_cast<TUserDeviceRequest*>(lp);
            try {
                return msg == UM_ObjektFlag && (wp == 0 ? inst.ChangeObjektFlag(r) : inst.CheckObjektFlag(r));
            } catch (const Exception&) {
                return 0;
            }
        });
    }
    // The object numbers of the registered communication objects, ascending.
    std::vector<int32_t> Nummern() const
    {
        std::vector<int32_t> nummern;
        for (const auto& [handle, node] : inst.GetKnoten())
            if (auto* objekt = dynamic_cast<TEtsObjekt*>(node.get()))
                nummern.push_back(objekt->GetObjektNr());
        std::sort(nummern.begin(), nummern.end());
        return nummern;
    }
    TEtsObjekt* Objekt(int32_t nummer) const { return dynamic_cast<TEtsObjekt*>(inst.GetObjectFromObjectNr(nummer)); }
    const TDatenStruktur* Satz(TDataBasis* node)
    {
        return inst.FindDatenSatz(node->GetSystem(), -1, node->GetHandle());
    }

    TEditorHostDouble host;
    TDeviceInstanzAz inst;

private:
    static DAL_DEVICE Geraet(int32_t deviceId)
    {
        DAL_DEVICE device;
        device.DeviceId = deviceId;
        return device;
    }
};

// The numbers of the device objects ETS shows, and the sub groups ETS links to one, ascending.
inline std::vector<int32_t> EtsSichtbar(TEts2Cdi& ets, int32_t deviceId)
{
    std::vector<int32_t> nummern;
    DAL_DEVICE_OBJECT r;
    for (int m = DAL_MODE_FIRST; ets.DalGetDeviceObjectData(m, -1, deviceId, &r) == DAL_OK; m = DAL_MODE_NEXT)
        if (r.Visible > 0)
            nummern.push_back(+r.ObjectNumber);
    std::sort(nummern.begin(), nummern.end());
    return nummern;
}
inline std::vector<int32_t> EtsLinks(TEts2Cdi& ets, int32_t deviceObjectId)
{
    std::vector<int32_t> ids;
    DAL_SUB_TO_OBJECT r;
    for (int m = DAL_MODE_FIRST; ets.DalGetSubgroupToObjectData(m, -1, -1, deviceObjectId, &r) == DAL_OK;
         m = DAL_MODE_NEXT)
        ids.push_back(+r.SubGroupId);
    std::sort(ids.begin(), ids.end());
    return ids;
}

// What a refused import or paste must not change: the records (the container as ETS stores
// it; empty when none could be written), the nodes, the objects ETS shows and their links.
struct TGeraetZustand {
    std::string container;
    std::size_t knoten = 0;
    std::vector<int32_t> sichtbar;
    std::vector<std::vector<int32_t>> links;
    bool operator==(const TGeraetZustand&) const = default;
};
inline TGeraetZustand GeraetZustand(TDeviceInstanzAz& inst, TEts2Cdi& ets, int32_t deviceId)
{
    TGeraetZustand z;
    if (!inst.CopyStrukturDatenToDB(nullptr, &z.container))
        z.container.clear();
    z.knoten = inst.GetKnoten().size();
    z.sichtbar = EtsSichtbar(ets, deviceId);
    for (int32_t nummer : z.sichtbar)
        if (TObjektBasis* objekt = inst.GetObjectFromObjectNr(nummer))
            z.links.push_back(EtsLinks(ets, objekt->GetEtsObjektId()));
    return z;
}

// Every device object of the project that is not deviceId's: its id, whether ETS shows it, and
// its links (sub group, sending mark), in id order. What an input into deviceId must never change.
struct TFremdesObjekt {
    int32_t id = 0;
    int16_t sichtbar = 0;
    std::vector<std::pair<int32_t, int32_t>> links;
    bool operator==(const TFremdesObjekt&) const = default;
};
inline std::vector<TFremdesObjekt> FremdeObjekte(TEts2Cdi& ets, int32_t deviceId)
{
    // Two walks, one after the other: a walk inside another would end it.
    std::vector<TFremdesObjekt> objekte;
    DAL_DEVICE_OBJECT o;
    for (int m = DAL_MODE_FIRST; ets.DalGetDeviceObjectData(m, -1, -1, &o) == DAL_OK; m = DAL_MODE_NEXT)
        if (o.DeviceId != deviceId)
            objekte.push_back({o.DeviceObjectId, o.Visible, {}});
    std::sort(objekte.begin(), objekte.end(), [](const auto& a, const auto& b) { return a.id < b.id; });
    DAL_SUB_TO_OBJECT l;
    for (int m = DAL_MODE_FIRST; ets.DalGetSubgroupToObjectData(m, -1, -1, -1, &l) == DAL_OK; m = DAL_MODE_NEXT) {
        // The record is packed: its fields are read by value.
        const int32_t objektId = l.DeviceObjectId;
        const auto o = std::lower_bound(objekte.begin(), objekte.end(), objektId,
                                        [](const TFremdesObjekt& a, int32_t id) { return a.id < id; });
        if (o != objekte.end() && o->id == objektId)
            o->links.emplace_back(+l.SubGroupId, +l.SendFlag);
    }
    for (TFremdesObjekt& objekt : objekte)
        std::sort(objekt.links.begin(), objekt.links.end());
    return objekte;
}

// The records of the instance that are not below its one device record (Typ 105) through
// their Parent handles: records the tree does not show. All of them when there is no device
// record or more than one.
inline std::size_t Unerreichbar(const TDeviceInstanz& inst)
{
    std::vector<const TDatenStruktur*> saetze;
    for (const auto& [system, daten] : inst.GetSystemMap())
        for (const auto& [parent, satz] : daten)
            saetze.push_back(&satz);
    const auto geraete =
        std::count_if(saetze.begin(), saetze.end(), [](const TDatenStruktur* s) { return s->Typ == 105; });
    if (geraete != 1)
        return saetze.size();
    std::set<int32_t> erreicht;
    for (const TDatenStruktur* s : saetze)
        if (s->Typ == 105)
            erreicht.insert(s->Handle);
    // Each pass takes the children of what is reached; a pass that adds nothing ends.
    for (std::size_t vorher = 0; vorher != erreicht.size();) {
        vorher = erreicht.size();
        for (const TDatenStruktur* s : saetze)
            if (s->Typ != 105 && erreicht.count(s->Parent) != 0)
                erreicht.insert(s->Handle);
    }
    return static_cast<std::size_t>(std::count_if(saetze.begin(), saetze.end(), [&erreicht](const TDatenStruktur* s) {
        return erreicht.count(s->Handle) == 0;
    }));
}
