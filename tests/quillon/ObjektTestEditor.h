#pragma once
// The editor's answers that communication objects rely on, set on the main-window double:
// the ETS sub groups it knows (UM_GetGrpAdrNr, UM_GetGrpAdrNrAsZahl), the sending mark
// (UM_GrpAdrSendendEin/Aus), the ETS flags of device objects (UM_ObjektFlag, a failed read
// marked with Wert1 = -1), the link dialog (UM_OpenDlgGrpAdrToObject) and the link made on a
// drop (UM_LinkToSubGroup). Request code 15 has no handler: the editor answers 0 for
// communication objects.

#include "quillon/EtsObjekt.h"
#include "quillon/ObjektBasis.h"
#include "quillon/VireoInternGrpSub.h"
#include "quillon/VireoObjekt.h"
#include "support/MainWindowDouble.h"
#include "support/ScriptedMessageBox.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

class TObjektTestEditor {
public:
    static constexpr int32_t kSystem = 1;
    static constexpr int32_t kParent = 2;
    static constexpr int32_t kDeviceObjectId = 700;

    // A group address of the ETS project as the editor knows it.
    struct TGruppe {
        uint16_t Wort;
        std::string Text;
    };

    TObjektTestEditor()
    {
        Main.On(UM_GetGrpAdrNr, [this](WPARAM w, LPARAM l) -> LRESULT {
            auto it = Gruppen.find(Id(w));
            if (it == Gruppen.end())
                return 0;
            *reinterpret_cast<std::string*>(l) = it->second.Text;
            return 1;
        });
        Main.On(UM_GetGrpAdrNrAsZahl, [this](WPARAM w, LPARAM l) -> LRESULT {
            auto it = Gruppen.find(Id(w));
            if (it == Gruppen.end())
                return 0;
            *reinterpret_cast<uint16_t*>(l) = it->second.Wort;
            return 1;
        });
        Main.On(UM_GrpAdrSendendAus, [this](WPARAM, LPARAM) { return SendendAusAntwort; });
        Main.On(UM_GrpAdrSendendEin, [this](WPARAM, LPARAM) { return SendendEinAntwort; });
        Main.OnObjektFlag([this](WPARAM modus, TUserDeviceRequest& r) -> LRESULT {
            const auto key = std::make_pair(r.Reserve, r.Wert5);
            if (modus == 0) {
                if (!FlagSchreibenGelingt)
                    return 0;
                if (r.Wert5 != TObjektBasis::ofStatus)
                    EtsFlags[key] = r.Wert6 != 0;
                return 1;
            }
            if (LeseFehler.count(key) != 0) {
                r.Wert1 = -1;
                return 0;
            }
            return EtsFlags[key] == (r.Wert6 != 0) ? 1 : 0;
        });
        Main.On(UM_OpenDlgGrpAdrToObject, [this](WPARAM, LPARAM l) -> LRESULT {
            if (LinkDialog)
                LinkDialog(reinterpret_cast<TObjektBasis*>(l));
            return 1;
        });
        Main.On(UM_LinkToSubGroup, [this](WPARAM w, LPARAM l) -> LRESULT {
            auto objekt = Objekte.find(static_cast<int32_t>(l));
            auto gruppe = Gruppen.find(Id(w));
            if (objekt == Objekte.end() || gruppe == Gruppen.end())
                return 0;
            objekt->second->AddSubGroupLink(gruppe->first, gruppe->second.Wort, true);
            return 1;
        });
    }

    // The text the editor shows for an address word (three levels).
    static std::string AdrText(uint16_t wort)
    {
        return std::to_string((wort >> 11) & 0xF) + "/" + std::to_string((wort >> 8) & 0x7) + "/"
               + std::to_string(wort & 0xFF);
    }

    void Gruppe(int32_t id, uint16_t wort) { Gruppen[id] = {wort, AdrText(wort)}; }

    // Registers the object under its handle (UM_GetDataPointer and the drop link).
    template <class T> T* Register(std::unique_ptr<T>& objekt, int32_t handle)
    {
        objekt->SetHandle(handle);
        Main.RegisterNode(handle, objekt.get());
        if constexpr (std::is_base_of_v<TObjektBasis, T>)
            Objekte[handle] = objekt.get();
        return objekt.get();
    }

    std::unique_ptr<TVireoObjekt> VireoObjekt(int32_t handle = 50, int32_t identifier = 42)
    {
        auto objekt = std::make_unique<TVireoObjekt>(Main.Handle(), kSystem, kParent, "Objekt",
                                                     false, true, false, false, true, false, 7,
                                                     16, 1, ot1Bit, identifier, 0);
        Register(objekt, handle);
        return objekt;
    }

    std::unique_ptr<TEtsObjekt> EtsObjekt(int32_t handle = 60, int32_t identifier = 42)
    {
        auto objekt = std::make_unique<TEtsObjekt>(
            Main.Handle(), kSystem, kParent, "Ets-Objekt", 300, kDeviceObjectId, 8, 900, 16, 1,
            T_DB_EnumEtsObjekt::eoaStandard, ot1Bit, T_DB_EnumObjektBasis::ioLesenSchreiben,
            identifier, 0);
        Register(objekt, handle);
        return objekt;
    }

    // An internal group address with that number under that handle.
    TVireoInternGrpSub* Intern(int32_t handle, uint16_t nummer)
    {
        auto node = std::make_unique<TVireoInternGrpSub>(Main.Handle(), kSystem, 3, "", nummer, 1);
        Register(node, handle);
        m_intern.push_back(std::move(node));
        return m_intern.back().get();
    }

    // Ids of the messages recorded, sends and posts, in order.
    std::vector<UINT> Ids() const { return Main.MessageIds(); }
    std::vector<UINT> PostIds() const
    {
        std::vector<UINT> ids;
        for (const auto& m : Main.Posts())
            ids.push_back(m.message);
        return ids;
    }
    std::vector<UINT> SendIds() const
    {
        std::vector<UINT> ids;
        for (const auto& m : Main.Sends())
            ids.push_back(m.message);
        return ids;
    }
    // The sends of one message id with their parameters.
    std::vector<TRecordedMessage> Sends(UINT message) const
    {
        std::vector<TRecordedMessage> found;
        for (const auto& m : Main.Sends())
            if (m.message == message)
                found.push_back(m);
        return found;
    }

    TMainWindowDouble Main;
    TScriptedMessageBox Boxen;
    std::map<int32_t, TGruppe> Gruppen;
    std::map<int32_t, TObjektBasis*> Objekte;
    LRESULT SendendAusAntwort = 1;
    LRESULT SendendEinAntwort = 1;
    bool FlagSchreibenGelingt = true;
    // ETS flag values by (device object id, flag number); unset reads as false.
    std::map<std::pair<int32_t, int32_t>, bool> EtsFlags;
    // Flags whose read from ETS fails.
    std::set<std::pair<int32_t, int32_t>> LeseFehler;
    std::function<void(TObjektBasis*)> LinkDialog;

private:
    static int32_t Id(WPARAM w) { return static_cast<int32_t>(static_cast<std::intptr_t>(w)); }

    std::vector<std::unique_ptr<TVireoInternGrpSub>> m_intern;
};

// wParam/lParam as the object sends them.
inline WPARAM W(int32_t value)
{
    return static_cast<WPARAM>(static_cast<std::intptr_t>(value));
}

// The sub-group ids of the object's links, in order.
inline std::vector<int32_t> SubIds(const TObjektBasis& objekt)
{
    std::vector<int32_t> ids;
    for (const auto& link : objekt.GetSubGroupLinks())
        ids.push_back(link.SubGroupId);
    return ids;
}
