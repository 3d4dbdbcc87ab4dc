// TDeviceInstanz: the communication objects that the device's display-order parameters show
// in ETS. Writing such a parameter makes ETS show or hide device objects; the instance makes
// or deletes the matching TEtsObjekt nodes, and checks the whole device against ETS on request.

#include "miraval/devinst/DevInst.h"

#include "miraval/devinst/EditorHost.h"
#include "miraval/dienste/Spredit.h"
#include "kestrin/Ets2Cdi.h"
#include "morrow/EtsDeviceParam.h"
#include "pellam/DataBasis.h"
#include "pellam/EibHandle.h"
#include "quillon/CursorHourGlass.h"
#include "quillon/EtsObjekt.h"
#include "quillon/VireoGrpAdrSub.h"
#include "tamsel/Tamsel.h"
#include "win32/MessageBox.h"

#include <algorithm>
#include <new>

namespace {

std::string ObjektName(const tagDAL_OBJECT_INFO& eintrag)
{
    return eintrag.Text.empty() ? eintrag.Name : eintrag.Name + " [" + eintrag.Text + "]";
}

// The progress dialog of the check, closed on every way out.
class TPruefFortschritt {
public:
    explicit TPruefFortschritt(TEditorHost& host) : m_host(host)
    {
        m_host.StartDlgProgress(Spredit::Txt9029, Spredit::Txt9151, 0, m_maximum, 1);
    }
    ~TPruefFortschritt() { m_host.StopDlgProgress(); }
    TPruefFortschritt(const TPruefFortschritt&) = delete;
    TPruefFortschritt& operator=(const TPruefFortschritt&) = delete;

    void Schritt(const std::string& text = {}) { m_host.SetDlgProgress(++m_position, text); }
    // More steps to go: the dialog is started again over the larger range where it stood.
    void Erweitern(int schritte, const std::string& text)
    {
        m_maximum += schritte;
        m_host.StartDlgProgress(Spredit::Txt9029, text, 0, m_maximum, 1);
        m_host.SetDlgProgress(m_position, text);
    }

private:
    TEditorHost& m_host;
    int m_position = 0;
    int m_maximum = 3;
};

} // namespace

bool TDeviceInstanz::CheckObjectParamResult(int code, int16_t, int32_t) const
{
    LOG_FKT("TDeviceInstanz::CheckObjectParamResult");
    return code == ETS_PARAM_OK;
}

bool TDeviceInstanz::AddEtsObjectByDisplayOrder(int16_t parameter, int32_t wert, int32_t offset, TDataBasis* parent,
                                                bool askBeforeDelete)
{
    LOG_FKT("TDeviceInstanz::AddEtsObjectByDisplayOrder");
    TCursorHourGlass sanduhr;
    TEtsDeviceParam* zugriff = GetEtsDeviceParam();
    if (zugriff == nullptr)
        return false;
    int32_t alterWert = 0;
    std::vector<tagDAL_OBJECT_INFO> eintraege;
    if (!CheckObjectParamResult(zugriff->GetDeviceParamData(parameter, alterWert, eintraege), parameter, alterWert))
        return false;

    const bool gezeigt = !eintraege.empty();
    if (gezeigt) {
        if (alterWert >= 1 && alterWert == wert) {
            // Nothing to write; but the nodes may be gone (a new structure clears them all) while
            // ETS still shows the objects, and an object without node cannot be linked.
            std::vector<tagDAL_OBJECT_INFO> ohneKnoten;
            for (const tagDAL_OBJECT_INFO& eintrag : eintraege)
                if (GetObjectFromDeviceObjectId(eintrag.DeviceObjectId) == nullptr)
                    ohneKnoten.push_back(eintrag);
            return ohneKnoten.empty() || CreateObjects(ohneKnoten, offset, parameter, wert, parent);
        }
        SetImportFlag(askBeforeDelete);
        if (!DeleteObjektInstanzen(eintraege))
            return false;
        SetImportFlag(true);
    }
    if (!gezeigt && wert == 0)
        return true;
    eintraege.clear();
    if (!CheckObjectParamResult(zugriff->SetDeviceParamData(parameter, wert, eintraege), parameter, wert))
        return false;
    return CreateObjects(eintraege, offset, parameter, wert, parent);
}

bool TDeviceInstanz::CreateObjects(const std::vector<tagDAL_OBJECT_INFO>& eintraege, int32_t offset,
                                   int16_t parameter, int32_t wert, TDataBasis* parent)
{
    LOG_FKT("TDeviceInstanz::CreateObjects");
    for (const tagDAL_OBJECT_INFO& eintrag : eintraege) {
        if (parent == nullptr || !m_eibHandle)
            return false;
        const int32_t system = m_device != nullptr ? m_device->GetSystem() : parent->GetSystem();
        std::unique_ptr<TEtsObjekt> neu;
        try {
            // The entry's size code 0-15 is stored plus one; ETS's value rides in Param5.
            neu = std::make_unique<TEtsObjekt>(
                m_host.GetHandle(), system, parent->GetHandle(), ObjektName(eintrag), eintrag.ObjectId,
                eintrag.DeviceObjectId, eintrag.ObjectNumber, eintrag.EtsValue, parameter, wert,
                static_cast<T_DB_EnumEtsObjekt::TEnumEtsObjektArt>(eintrag.ObjectKind),
                static_cast<TEnumObjectType>(eintrag.ObjectType + 1),
                static_cast<T_DB_EnumObjektBasis::TEnumIOTyp>(eintrag.IoType), parameter, 0);
        } catch (const std::bad_alloc&) {
            return false;
        }
        neu->KonvertHandle(m_eibHandle.get());
        if (neu->GetHandle() <= 0)
            return false; // no handle left
        TEtsObjekt* objekt = neu.get();
        static_cast<TDataBasis*>(objekt)->SetPosId(eintrag.ObjectNumber + offset);
        SetPointer2List(std::move(neu));
        if (FindHandle(objekt->GetHandle()) != objekt)
            return false;
        m_host.AddChildNode2Data(m_formVerw, parent, objekt, true);
        parent->DatenAbgleich(true, false);
        objekt->SetFlagZugriff(true, true, true, true, false, false);
        // The flags as ETS holds them: a new object left at its defaults would write those into
        // ETS at the next restore or import.
        objekt->DatenAbgleich(true, false);
        // The node was made before the flags were set, with the image of an object without
        // direction: every window shows the object's image now.
        SendMessage(m_host.GetHandle(), UM_AktualisiereKnoten, reinterpret_cast<WPARAM>(objekt), 0);
        if (TDatenStruktur* record = GetDatenSatz(objekt))
            objekt->Write(*record);
    }
    return true;
}

bool TDeviceInstanz::DeleteObjektInstanzen(const std::vector<tagDAL_OBJECT_INFO>& eintraege)
{
    LOG_FKT("TDeviceInstanz::DeleteObjektInstanzen");
    std::vector<TObjektBasis*> objekte;
    bool gefragt = false;
    for (const tagDAL_OBJECT_INFO& eintrag : eintraege) {
        TObjektBasis* objekt = GetObjectFromDeviceObjectId(eintrag.DeviceObjectId);
        if (objekt == nullptr || std::find(objekte.begin(), objekte.end(), objekt) != objekte.end())
            continue;
        if (!gefragt && GetImportFlag() && !GetResetFlag() && CheckObjectVerbunden(objekt)) {
            gefragt = true;
            if (Meldung(Spredit::Txt9012, Spredit::Txt9013, MB_YESNO | MB_ICONQUESTION) != IDYES)
                return false;
        }
        objekte.push_back(objekt);
    }
    for (TObjektBasis* objekt : objekte) {
        UnLinkAllSubGroups(objekt);
        m_host.DeleteNode(m_formVerw, objekt);
        // With its continuation records: they would stay behind as records of no object.
        DeleteDatenSatzAndNext(objekt);
        DeletePointerFromList(objekt);
    }
    return true;
}

bool TDeviceInstanz::GetEtsObjectByDisplayOrder(int16_t parameter, int32_t* wert, std::list<TObjektBasis*>& out)
{
    LOG_FKT("TDeviceInstanz::GetEtsObjectByDisplayOrder");
    TCursorHourGlass sanduhr;
    TEtsDeviceParam* zugriff = GetEtsDeviceParam();
    if (zugriff == nullptr || wert == nullptr)
        return false;
    std::vector<tagDAL_OBJECT_INFO> eintraege;
    if (!CheckObjectParamResult(zugriff->SetDeviceParamData(parameter, *wert, eintraege), parameter, *wert))
        return false;
    for (const tagDAL_OBJECT_INFO& eintrag : eintraege)
        if (TObjektBasis* objekt = GetObjectFromDeviceObjectId(eintrag.DeviceObjectId))
            out.push_back(objekt);
    return true;
}

bool TDeviceInstanz::KonvertEtsGAId(int32_t& id, uint16_t wort, std::string& fehler, int objektTyp)
{
    LOG_FKT("TDeviceInstanz::KonvertEtsGAId");
    GetEtsGruppenAdressen();
    bool gefunden = false;
    for (const auto& [etsId, node] : m_subGroups) {
        if (static_cast<uint16_t>(node->GetKomplettGrpAdr()) != wort)
            continue;
        id = node->GetEtsId();
        const int typ = node->GetSubAdrTyp();
        if (typ == -1 || typ == objektTyp - 1) {
            gefunden = true;
            continue;
        }
        fehler = Spredit::Txt9026 + "\n" + GetGroupAddressString(wort, IsDreiEbenen()) + "\n" + Spredit::Txt9164;
        return false;
    }
    return gefunden;
}

bool TDeviceInstanz::EtsObjektCheck()
{
    LOG_FKT("TDeviceInstanz::EtsObjektCheck");
    enum class TStand { keiner, korrigiert, fehler };
    TStand stand = TStand::keiner;
    {
        TPruefFortschritt fortschritt(m_host);
        fortschritt.Schritt(Spredit::Txt9030);

        TDatenManager<TDatenStruktur> store;
        (void)CopyStrukturDatenToDB(&store, nullptr);
        std::vector<int32_t> nummern;
        for (const auto& [key, record] : store.Filter("Typ", TEtsObjekt::kTyp)->Records())
            nummern.push_back(record.Param4);
        std::sort(nummern.begin(), nummern.end());
        nummern.erase(std::unique(nummern.begin(), nummern.end()), nummern.end());
        std::vector<DAL_DEVICE_PARAM> parameter;
        std::vector<DAL_DEVICE_OBJECT> objekte;
        CreateEtsDBList(parameter, objekte);
        fortschritt.Erweitern(static_cast<int>(nummern.size()), Spredit::Txt9031);
        fortschritt.Schritt(Spredit::Txt9031);

        // The configuration's objects that ETS does not show: nothing here can repair them.
        for (int32_t nummer : nummern) {
            bool vorhanden = false;
            for (int8_t typ = 0; typ <= 15 && !vorhanden; ++typ) {
                int32_t objectId = 0;
                int32_t deviceObjectId = 0;
                int32_t parameterId = 0;
                if (!GetEtsIdFromObjNr(parameter, objekte, nummer, typ, objectId, deviceObjectId, parameterId))
                    continue;
                vorhanden = std::any_of(parameter.begin(), parameter.end(), [parameterId](const DAL_DEVICE_PARAM& p) {
                    return p.DeviceParamId == parameterId && p.Value > 0;
                });
            }
            if (!vorhanden) {
                Meldung(Spredit::Txt9033 + std::to_string(nummer) + "\n\n" + Spredit::Txt9034, Spredit::Txt9003,
                        MB_ICONERROR);
                stand = TStand::fehler;
            }
            fortschritt.Schritt();
        }

        // ETS objects shown by a parameter whose object the configuration does not hold are
        // switched off.
        fortschritt.Schritt();
        for (const DAL_DEVICE_PARAM& p : parameter) {
            if (p.Value <= 0)
                continue;
            int32_t nummer = 0;
            if (!GetObjectNrFromParameterId(p.CommObjectKey, p.Value, objekte, nummer) ||
                GetObjectFromObjectNr(nummer) != nullptr)
                continue;
            const std::string text = Spredit::Txt9032 + std::to_string(nummer);
            TEts2Cdi* ets = GetEts();
            const int antwort =
                ets != nullptr ? ets->CoSetDeviceParameterValueLong(p.DeviceParamId, 0, false, false) : 0;
            if (antwort == 1 || antwort == 2) {
                Meldung(text + "\n\n" + Spredit::Txt9035, Spredit::Txt9029, MB_ICONWARNING);
                // An error found before stays the outcome: it was not repaired.
                if (stand == TStand::keiner)
                    stand = TStand::korrigiert;
            } else {
                Meldung(text + "\n\n" + Spredit::Txt9034, Spredit::Txt9003, MB_ICONERROR);
                stand = TStand::fehler;
            }
        }
    }
    switch (stand) {
    case TStand::keiner:
        Meldung(Spredit::Txt9036, Spredit::Txt9029, MB_OK);
        break;
    case TStand::korrigiert:
        Meldung(Spredit::Txt9037, Spredit::Txt9029, MB_ICONWARNING);
        break;
    case TStand::fehler:
        Meldung(Spredit::Txt9034, Spredit::Txt9029, MB_ICONERROR);
        break;
    }
    return true;
}
