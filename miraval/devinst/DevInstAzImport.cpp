// TDeviceInstanzAz: starting over with a new structure (Reset) and replacing the configuration
// by a stored container (VireoImport). Both first take the device's communication objects
// out of ETS, by switching their display-order parameters off, because the new configuration
// brings its own. The user has confirmed the whole replacement before: nothing here asks
// before deleting an object's links.
//
// The import checks the whole file before it changes anything: a file that is not whole or
// whose records do not fit together or do not fit this device is refused and changes nothing.
// A checked file then runs in one ETS write burst; a step that fails after all (ETS refuses
// an object, the load or the alignment fails) undoes the burst and loads the configuration
// as it was. A link to a group address that no longer converts (deleted or of another type
// in ETS since the file was written) is no fault of the file: that link is dropped and
// reported, the rest is imported, and the import answers false.

#include "miraval/devinst/DevInstAz.h"

#include "miraval/devinst/DevInstAz_p.h"
#include "miraval/devinst/EditorHost.h"
#include "miraval/dienste/Spredit.h"
#include "kestrin/Ets2Cdi.h"
#include "kestrin/EtsTransaction.h"
#include "morrow/EtsDeviceParam.h"
#include "pellam/DataBasis.h"
#include "quillon/EtsObjekt.h"
#include "quillon/SprObjektModell.h"
#include "quillon/VireoEtsDevice.h"
#include "quillon/VireoGrpAdrSub.h"
#include "tamsel/Tamsel.h"
#include "win32/MessageBox.h"

#include <algorithm>
#include <exception>
#include <map>
#include <set>
#include <vector>

namespace {

using TStore = TDatenManager<TDatenStruktur>;

// The progress dialog of one operation, closed on every way out; nothing when not shown.
class TFortschritt {
public:
    TFortschritt(TEditorHost& host, bool zeigen, const std::string& titel, const std::string& text, int maximum)
        : m_host(host), m_zeigen(zeigen)
    {
        if (m_zeigen)
            m_host.StartDlgProgress(titel, text, 0, maximum, 1);
    }
    ~TFortschritt()
    {
        if (m_zeigen)
            m_host.StopDlgProgress();
    }
    TFortschritt(const TFortschritt&) = delete;
    TFortschritt& operator=(const TFortschritt&) = delete;

    // The next stage: "Importiere Daten..." and what it does.
    void Stufe(const std::string& was)
    {
        if (m_zeigen)
            m_host.SetDlgProgress(++m_position, Spredit::Txt9165 + "\n" + was);
    }
    // The text of the stage, the position kept.
    void Text(const std::string& was)
    {
        if (m_zeigen)
            m_host.SetDlgProgress(m_position, Spredit::Txt9165 + "\n" + was);
    }

private:
    TEditorHost& m_host;
    bool m_zeigen;
    int m_position = 0;
};

// The stage of the import as the trace log names it.
void Stufe(const char* name)
{
    LogFktStart(LOG_PRIORITY_STANDARD, name, __FILE__, __LINE__);
}

} // namespace

// ---- Reset ---------------------------------------------------------------------------------------

bool TDeviceInstanzAz::Reset(bool zeigeFortschritt)
{
    LOG_FKT("TDeviceInstanzAz::Reset");
    bool ergebnis = true;
    TFortschritt fortschritt(GetHost(), zeigeFortschritt, Spredit::Txt9166, Spredit::Txt9166, 18);
    SetResetFlag(true);
    TStore aktuell;
    (void)CopyStrukturDatenAlsEts(&aktuell, nullptr);

    fortschritt.Stufe(Spredit::Txt9155);
    EtsObjekteLoeschen(aktuell);

    fortschritt.Stufe(Spredit::Txt9151);
    if (!CreateNewDevice(GetHost().GetHandle()))
        ergebnis = false;
    if (TDataBasis* device = GetDevice()) {
        if (auto* geraet = dynamic_cast<TVireoEtsDevice*>(device))
            geraet->SetPhysAdr(GetPhysAdr(GetEtsDeviceId()));
        if (TDatenStruktur* record = GetDatenSatz(device))
            device->Write(*record);
    }

    fortschritt.Stufe(Spredit::Txt9163);
    GetHost().FormVerwNeuAufbauen(*this);
    for (auto& liste : GetSaboSe())
        liste.clear();
    return ergebnis;
}

void TDeviceInstanzAz::EtsObjekteLoeschen(const TDatenManager<TDatenStruktur>& store)
{
    LOG_FKT("TDeviceInstanzAz::EtsObjekteLoeschen");
    for (int32_t key : ObjektSchluessel(store)) {
        const TDatenStruktur& record = store.Records().at(key);
        if (AddEtsObjectByDisplayOrder(static_cast<int16_t>(record.Param16), 0, 0, nullptr, false))
            continue;
        Meldung(Spredit::Txt9156 + "\n" + ObjektText(record), Spredit::Txt9154, MB_ICONWARNING);
    }
}

// ---- Import --------------------------------------------------------------------------------------

bool TDeviceInstanzAz::VireoImport(const std::string& stream, bool grpAdrVerknuepfen)
{
    LOG_FKT("TDeviceInstanzAz::VireoImport");
    bool ergebnis = false;
    SetImportFlag(true);
    try {
        TStore store;
        TImportKetten ketten;
        // Up to the end of the check nothing changes.
        if (KonfigurationMelden(KonfigurationPruefen(stream, TKonfigLeser::Datei, store, ketten)) &&
            GetEtsGruppenAdressen() != nullptr)
            ergebnis = ImportOderZurueck(store, grpAdrVerknuepfen, ketten);
    } catch (const E_Basis& e) {
        e.WriteMessage();
        ergebnis = false;
    } catch (const E_DatenStruktur& e) {
        Meldung(e.Message(), Spredit::Txt9154, MB_ICONWARNING);
        ergebnis = false;
    } catch (const std::exception& e) {
        Meldung(e.what(), Spredit::Txt9154, MB_ICONWARNING);
        ergebnis = false;
    }
    SetImportFlag(false);
    return ergebnis;
}

bool TDeviceInstanzAz::ImportAbgelehnt(const std::string& grund)
{
    return KonfigurationMelden(DatenContainer::TContainerStatus::Fehler(grund, Spredit::Txt9154, MB_ICONWARNING));
}

bool TDeviceInstanzAz::ImportOderZurueck(TDatenManager<TDatenStruktur>& store, bool grpAdrVerknuepfen,
                                          const TImportKetten& ketten)
{
    LOG_FKT("TDeviceInstanzAz::ImportOderZurueck");
    // The way back: the configuration as it is now, and the lists the import empties, which
    // hold entries no record keeps.
    std::string vorher;
    const DatenContainer::TContainerStatus status = CopyStrukturDatenAlsEts(nullptr, &vorher);
    if (!status) {
        Meldung(status.Text, status.Caption, status.Flags);
        return false;
    }
    const auto saboSe = GetSaboSe();
    const auto physAdrSe = GetPhysAdrSe();
    {
        TEtsTransaction burst(GetEts());
        for (auto& liste : GetSaboSe())
            liste.clear();
        for (auto& liste : GetPhysAdrSe())
            liste.clear();
        // The project windows' trees are the caller's: it locks and empties them first.
        bool vollstaendig = true;
        if (VireoImportAbgleich(store, grpAdrVerknuepfen, ketten, vollstaendig) &&
            (!burst.IsOpen() || burst.Commit())) {
            SetCompData({});
            return vollstaendig;
        }
    }
    // A step failed that only the import itself could find: ETS is back as it was (the burst
    // went unstored), and so is the configuration.
    const std::string blob = GetBlob();
    SetBlob(std::move(vorher));
    const bool geladen = InitData() && DatenAbgleich(true, false);
    SetBlob(blob);
    GetSaboSe() = saboSe;
    GetPhysAdrSe() = physAdrSe;
    GetHost().FormVerwNeuAufbauen(*this);
    if (geladen)
        return ImportAbgelehnt({});
    Meldung(Spredit::Txt9161, Spredit::Txt9154, MB_ICONWARNING);
    return false;
}

bool TDeviceInstanzAz::VireoImportAbgleich(TDatenManager<TDatenStruktur>& store, bool grpAdrVerknuepfen,
                                           const TImportKetten& ketten, bool& vollstaendig)
{
    LOG_FKT("TDeviceInstanzAz::VireoImportAbgleich");
    bool ergebnis = true;
    vollstaendig = true;
    TEtsDeviceParam* zugriff = GetEtsDeviceParam();
    TFortschritt fortschritt(GetHost(), true, Spredit::Txt9154, Spredit::Txt9165, 6);
    TStore aktuell;
    (void)CopyStrukturDatenAlsEts(&aktuell, nullptr);

    Stufe("Delete Ets-Objects");
    fortschritt.Stufe(Spredit::Txt9155);
    EtsObjekteLoeschen(aktuell);

    // Each object's parameter gets the value that showed it in the stored configuration.
    Stufe("Create Ets-Objects");
    fortschritt.Stufe(Spredit::Txt9157);
    const std::vector<int32_t> objekte = ObjektSchluessel(store);
    std::vector<tagDAL_OBJECT_INFO> eintraege;
    auto zeige = [&](const TDatenStruktur& record) {
        const auto parameter = static_cast<int16_t>(record.Param16);
        const int code =
            zugriff != nullptr ? zugriff->SetDeviceParamData(parameter, record.Param17, eintraege) : ETS_PARAM_ERROR;
        return CheckObjectParamResult(code, parameter, record.Param17);
    };
    for (int32_t key : objekte)
        if (!zeige(store.Records().at(key)))
            ergebnis = false;

    // Each object takes the ids of its ETS object of this device and, when linked, its group
    // addresses. An object without one (the check has refused such files) is a failed step:
    // the ids the file brought are never used.
    Stufe("Objekt-Daten abgleichen");
    for (int32_t key : objekte) {
        TDatenStruktur kopf = store.Records().at(key);
        fortschritt.Text(Spredit::Txt9158 + ": " + kopf.Name);
        const auto eintrag = !zeige(kopf) ? eintraege.end()
                                          : std::find_if(eintraege.begin(), eintraege.end(),
                                                         [&kopf](const tagDAL_OBJECT_INFO& e) {
                                                             return e.ObjectNumber == kopf.Param4;
                                                         });
        if (eintrag == eintraege.end()) {
            Meldung(Spredit::Txt9216 + "\n" + ObjektText(kopf), Spredit::Txt9154, MB_ICONWARNING);
            return false;
        }
        kopf.Param3 = eintrag->ObjectId;
        kopf.Param10 = eintrag->DeviceObjectId;
        kopf.Param5 = eintrag->EtsValue;
        const std::vector<int32_t>& kette = ketten.at(key);
        if (grpAdrVerknuepfen) {
            if (!ImportObjektVerbinden(store, kopf, kette))
                vollstaendig = false;
        } else {
            // Without links the chain of further links goes too.
            for (int32_t glied : kette)
                store.Delete(glied);
            kopf.Next = 0;
            kopf.Param14 = 0;
            kopf.Param15 = 0;
        }
        store.Insert(key, kopf);
    }

    // The device record becomes this device's.
    Stufe("Convert Data");
    fortschritt.Stufe(Spredit::Txt9160);
    auto* geraet = dynamic_cast<TVireoEtsDevice*>(GetDevice());
    const int32_t deviceId = geraet != nullptr ? geraet->GetDeviceId() : GetEtsDeviceId();
    for (const auto& [key, record] : store.Records()) {
        if (record.Typ != AzTyp::System)
            continue;
        TDatenStruktur geaendert = record;
        geaendert.Param4 = deviceId;
        store.Insert(key, geaendert);
    }

    fortschritt.Stufe(Spredit::Txt9151);
    std::vector<const TDatenStruktur*> datensaetze;
    for (const auto& [key, record] : store.Records())
        datensaetze.push_back(&record);
    std::string container;
    if (DatenContainer::TContainerStatus status =
            DatenContainer::WriteContainer(datensaetze, GetVersion(), {}, container);
        !status) {
        // Loading what is there would bring the old configuration back over the new objects.
        Meldung(status.Text, status.Caption, status.Flags);
        ergebnis = false;
    } else {
        SetBlob(std::move(container));
        if (!InitData()) {
            Meldung(Spredit::Txt9161, Spredit::Txt9154, MB_OK);
            ergebnis = false;
        } else if (TDataBasis* device = GetDevice(); device != nullptr) {
            // The device node took this device's physical address from ETS; its record still
            // holds the one the file brought, which a template or safety copy would carry on.
            if (TDatenStruktur* record = GetDatenSatz(device))
                device->Write(*record);
        }
        if (!DatenAbgleich(true, true)) {
            Meldung(Spredit::Txt9162, Spredit::Txt9154, MB_OK);
            ergebnis = false;
        }
    }

    Stufe("Projektierungsfenster abgleichen");
    fortschritt.Stufe(Spredit::Txt9163);
    GetHost().FormVerwNeuAufbauen(*this);
    return ergebnis;
}

bool TDeviceInstanzAz::ImportObjektVerbinden(TDatenManager<TDatenStruktur>& store, TDatenStruktur& kopf,
                                              const std::vector<int32_t>& kette)
{
    LOG_FKT("TDeviceInstanzAz::ImportObjektVerbinden");
    bool ergebnis = true;
    TEts2Cdi* ets = GetEts();
    auto verbinde = [&](TDatenStruktur& satz) {
        const auto wort = static_cast<uint16_t>(satz.Param15 & 0xFFFF);
        // The sub-group id is always this project's, found from the address; without an
        // address there is no link.
        satz.Param14 = 0;
        if (wort == 0)
            return;
        int32_t id = 0;
        std::string fehler;
        if (!KonvertEtsGAId(id, wort, fehler, kopf.Param8)) {
            // Deleted in ETS, or of another type now: this one link is dropped.
            satz.Param15 = 0;
            Meldung(Spredit::Txt9159 + "\n" + (fehler.empty() ? GetGroupAddressString(wort, IsDreiEbenen()) : fehler),
                    Spredit::Txt9154, MB_ICONWARNING);
            ergebnis = false;
            return;
        }
        satz.Param14 = id;
        const int antwort = ets != nullptr ? ets->CoLinkObjectToSubGroup(kopf.Param10, id, -1, false, true, true) : -1;
        if (antwort == -1 || antwort == -2) {
            // Reported; the import goes on and stays successful.
            Meldung((antwort == -1 ? Spredit::Txt9016 : Spredit::Txt9017) + "\n" + Spredit::Txt9027 + ": " +
                        kopf.Name + "\n" + GetGroupAddressString(wort, IsDreiEbenen()),
                    Spredit::Txt9015, MB_ICONWARNING);
            return;
        }
        const auto sub = GetSubGroupMap().find(id);
        if (sub != GetSubGroupMap().end())
            sub->second->SetEtsObjektTyp(static_cast<char>(kopf.Param8 - 1));
    };
    verbinde(kopf);
    for (int32_t key : kette) {
        TDatenStruktur glied = store.Records().at(key);
        verbinde(glied);
        store.Insert(key, glied);
    }
    return ergebnis;
}

void TDeviceInstanzAz::ImportAbgleichDB()
{
    LOG_FKT("TDeviceInstanzAz::ImportAbgleichDB");
    for (const auto& [handle, knoten] : GetKnoten())
        if (TDatenStruktur* record = GetDatenSatz(knoten.get()))
            knoten->Write(*record);
}
