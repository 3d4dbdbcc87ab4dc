// TDeviceInstanzAz: look-ups among a node's children, deleting nodes and whole areas, and the
// change of the alarm centre's variant.

#include "miraval/devinst/DevInstAz.h"

#include "miraval/devinst/DevInstAz_p.h"
#include "miraval/devinst/EditorHost.h"
#include "quillon/UserMessages.h"
#include "tamsel/Tamsel.h"
#include "tessarin/AzAlarmierung.h"
#include "tessarin/AzAnzeige.h"
#include "tessarin/AzMelder.h"
#include "tessarin/AzOrdnerAnzeige.h"
#include "tessarin/AzScharfUnscharfQuittierungSsb.h"
#include "tessarin/AzScharfschaltungSsb.h"
#include "win32/MessageBox.h"

#include <vector>

namespace {

// The fixed names of the displays, as the messages about their objects name them.
const char* const AnzeigeName[4] = {"Anzeige 1", "Anzeige 2", "Anzeige 3", "Anzeige 4"};

// Locks the tree of a project window against repainting while it lives.
class TTreeNodesUpdate {
public:
    TTreeNodesUpdate(TEditorHost& host, TFormVerw* fenster) : m_host(host), m_fenster(fenster)
    {
        m_host.BeginTreeUpdate(m_fenster);
    }
    ~TTreeNodesUpdate() { m_host.EndTreeUpdate(m_fenster); }
    TTreeNodesUpdate(const TTreeNodesUpdate&) = delete;
    TTreeNodesUpdate& operator=(const TTreeNodesUpdate&) = delete;

private:
    TEditorHost& m_host;
    TFormVerw* m_fenster;
};

} // namespace

void TDeviceInstanzAz::SetMelderHinzufuegenAbbrechen()
{
    LOG_FKT("TDeviceInstanzAz::SetMelderHinzufuegenAbbrechen");
    m_abbrechen = true;
}

// ---- Children ------------------------------------------------------------------------------------

TDataBasis* TDeviceInstanzAz::FindeKind(TDataBasis* parent, int typ, const std::function<bool(TDataBasis&)>& test)
{
    if (parent == nullptr)
        return nullptr;
    // A copy of the child handles: the test may look records up.
    std::vector<int32_t> kinder;
    auto [von, bis] = GetChildIteratorPair(parent);
    for (auto it = von; it != bis; ++it)
        if (it->second.Typ != 2)
            kinder.push_back(it->second.Handle);
    for (int32_t handle : kinder)
        if (TDataBasis* kind = FindHandle(handle); kind != nullptr && kind->GetTyp() == typ && (!test || test(*kind)))
            return kind;
    return nullptr;
}

TDataBasis* TDeviceInstanzAz::GetPointerInstOrdnerAlarmierung(TDataBasis* parent)
{
    LOG_FKT("TDeviceInstanzAz::GetPointerInstOrdnerAlarmierung");
    return FindeKind(parent, AzTyp::OrdnerAlarmierung);
}

TDataBasis* TDeviceInstanzAz::GetPointerInstOrdnerSB(TDataBasis* parent)
{
    LOG_FKT("TDeviceInstanzAz::GetPointerInstOrdnerSB");
    return FindeKind(parent, AzTyp::OrdnerSicherungsBereich);
}

TDataBasis* TDeviceInstanzAz::GetPointerInstOrdnerSS(TDataBasis* parent)
{
    LOG_FKT("TDeviceInstanzAz::GetPointerInstOrdnerSS");
    return FindeKind(parent, AzTyp::OrdnerScharfschaltung);
}

TAzAnzeige* TDeviceInstanzAz::GetPointerInstAnzeige(TDataBasis* ordner, uint8_t nummer)
{
    LOG_FKT("TDeviceInstanzAz::GetPointerInstAnzeige");
    return dynamic_cast<TAzAnzeige*>(FindeKind(ordner, AzTyp::Anzeige, [nummer](TDataBasis& node) {
        auto* anzeige = dynamic_cast<TAzAnzeige*>(&node);
        if (anzeige == nullptr)
            return false;
        T_DB_EnumAzAnzeige::TEnumAnzeigeNr nr{};
        anzeige->GetAnzeigeNr(nr);
        return nr == nummer;
    }));
}

// ---- Removing nodes ------------------------------------------------------------------------------

void TDeviceInstanzAz::Entfernen(TDataBasis* node)
{
    DeleteDatenSatzAndNext(node);
    GetHost().DeleteNode(GetFormVerw(), node);
    DeletePointerFromList(node);
}

bool TDeviceInstanzAz::DeleteAzMelder(TDataBasis* node)
{
    LOG_FKT("TDeviceInstanzAz::DeleteAzMelder");
    auto* melder = dynamic_cast<TAzMelder*>(node);
    if (melder == nullptr)
        return false;
    const int32_t nr = melder->GetMelderNr();
    const std::string text = "Eingang Nr." + std::to_string(nr) + " wird gelöscht.";
    TEditorHost& host = GetHost();
    host.StartDlgProgress("Eingang löschen", text, 0, 5, 1);
    int schritt = 0;
    auto weiter = [&] { host.SetDlgProgress(++schritt, text); };

    // A sabotage input of a switching device: its area's arming node may have it assigned.
    const int bereich = melder->GetSicherungsBereichMelder();
    const bool saboSe = melder->GetMelderArt() == 3 && bereich >= 1 && bereich <= 4;
    TAzScharfschaltungSsb* ssb = saboSe ? GetPointerInstScharfschaltungSsb(static_cast<uint8_t>(bereich)) : nullptr;
    const bool zugeordnet = ssb != nullptr && ssb->CheckMelderSaboSeLinked(nr);
    if (zugeordnet) {
        const int antwort = Meldung("Die Sabotage Schalteinrichtung ist in der Scharfschaltung zugeordnet. \n\r"
                                    "Soll diese Zuordnung gelöscht werden?",
                                    "Sabotage Schalteinrichtung", MB_YESNO | MB_ICONQUESTION);
        if (antwort != IDYES) {
            host.StopDlgProgress();
            return false;
        }
    }
    weiter();
    if (!SchalteObjekte(melder, 0, MelderObjektNr(nr))) {
        host.StopDlgProgress();
        return false;
    }
    weiter();
    m_melderNrUsed.remove(nr);
    m_melderNrUsed.sort();
    melder->ClearDbParameter();
    weiter();
    Entfernen(melder);
    --m_eingaenge;
    ModifyAzStatusleisteAnzahlMedler();
    weiter();
    if (saboSe) {
        // The arming node must not keep a deleted detector as a switching device's input, nor
        // offer its number again.
        if (zugeordnet)
            ssb->UnlinkMelderNrSaboSe(nr);
        ClearMelderSaboSeFromList(nr, static_cast<uint8_t>(bereich));
    }
    weiter();
    host.StopDlgProgress();
    PostMessage(host.GetHandle(), UM_AbgleichFormVerw, 0, 0);
    return true;
}

bool TDeviceInstanzAz::DeleteAzAlleMelderSb(TDataBasis* bereich)
{
    LOG_FKT("TDeviceInstanzAz::DeleteAzAlleMelderSb");
    std::vector<int32_t> melder;
    if (bereich != nullptr) {
        auto [von, bis] = GetChildIteratorPair(bereich);
        for (auto it = von; it != bis; ++it)
            if (it->second.Typ == AzTyp::Melder)
                melder.push_back(it->second.Handle);
    }
    {
        TTreeNodesUpdate sperre(GetHost(), GetFormVerw());
        for (int32_t handle : melder)
            if (TDataBasis* node = FindHandle(handle))
                DeleteAzMelder(node);
    }
    ModifyAzStatusleisteAnzahlMedler();
    PostMessage(GetHost().GetHandle(), UM_AbgleichFormVerw, 0, 0);
    return true;
}

bool TDeviceInstanzAz::DeleteVerdrahteterMelder(TDataBasis* node)
{
    LOG_FKT("TDeviceInstanzAz::DeleteVerdrahteterMelder");
    auto* melder = dynamic_cast<TAzMelder*>(node);
    if (melder == nullptr || !SchalteObjekte(melder, 0, ObjektNr::VerdrahteterMelder))
        return false;
    melder->ClearDbParameter();
    Entfernen(melder);
    // Made again it counts again: the counter must stay what a load of the same tree counts.
    --m_eingaenge;
    ModifyAzStatusleisteAnzahlMedler();
    PostMessage(GetHost().GetHandle(), UM_AbgleichFormVerw, 0, 0);
    return true;
}

bool TDeviceInstanzAz::DeleteAzAlarmierung(TDataBasis* ordner, uint8_t typ)
{
    LOG_FKT("TDeviceInstanzAz::DeleteAzAlarmierung");
    TDataBasis* node = FindeKind(ordner, AzTyp::Alarmierung, [typ](TDataBasis& kind) {
        auto* alarm = dynamic_cast<TAzAlarmierung*>(&kind);
        T_DB_EnumAzAlarmierung::TEnumAlarmierungTyp t{};
        return alarm != nullptr && alarm->GetAlarmierungTyp(t) == typ;
    });
    if (node != nullptr && typ >= 3 && typ <= 6) {
        SchalteObjekte(node, 0, AlarmierungObjektNr(typ));
        Entfernen(node);
    }
    return true;
}

bool TDeviceInstanzAz::DeleteScharfschaltungSsb(TDataBasis* node)
{
    LOG_FKT("TDeviceInstanzAz::DeleteScharfschaltungSsb");
    auto* ssb = dynamic_cast<TAzScharfschaltungSsb*>(node);
    if (ssb == nullptr)
        return false;
    const uint8_t bereich = static_cast<uint8_t>(ssb->GetScharfschaltBereich());
    if (BereichOk(bereich)) {
        m_physAdrSe[bereich - 1u].clear();
        SchalteObjekte(ssb, 0, ObjektNr::ScharfschaltungSsb(bereich));
    }
    Entfernen(ssb);
    return true;
}

bool TDeviceInstanzAz::DeleteScharfUnscharfQuittierungSsb(TDataBasis* node)
{
    LOG_FKT("TDeviceInstanzAz::DeleteScharfUnscharfQuittierungSsb");
    auto* quittierung = dynamic_cast<TAzScharfUnscharfQuittierungSsb*>(node);
    if (quittierung == nullptr)
        return false;
    const uint8_t bereich = static_cast<uint8_t>(quittierung->GetScharfschaltBereich());
    if (BereichOk(bereich))
        SchalteObjekte(quittierung, 0, ObjektNr::ScharfUnscharfQuittierungSsb(bereich));
    Entfernen(quittierung);
    return true;
}

bool TDeviceInstanzAz::DeleteScharfschaltBereich(TDataBasis* ordner, int16_t typ)
{
    LOG_FKT("TDeviceInstanzAz::DeleteScharfschaltBereich");
    TDataBasis* bereich = FindeKind(ordner, typ);
    if (bereich == nullptr)
        return true;
    const bool ssb = DeleteScharfschaltungSsb(FindeKind(bereich, AzTyp::ScharfschaltungSsb));
    const bool quittierung = DeleteScharfUnscharfQuittierungSsb(FindeKind(bereich, AzTyp::ScharfUnscharfQuittierungSsb));
    if (ssb && quittierung)
        Entfernen(bereich);
    return true;
}

bool TDeviceInstanzAz::DeleteSicherungsBereich(TDataBasis* ordner, int16_t typ)
{
    LOG_FKT("TDeviceInstanzAz::DeleteSicherungsBereich");
    if (TDataBasis* bereich = FindeKind(ordner, typ)) {
        DeleteAzAlleMelderSb(bereich);
        Entfernen(bereich);
    }
    return true;
}

bool TDeviceInstanzAz::DeleteAzAnzeige(TDataBasis* ordner, uint8_t nummer)
{
    LOG_FKT("TDeviceInstanzAz::DeleteAzAnzeige");
    TAzAnzeige* anzeige = GetPointerInstAnzeige(ordner, nummer);
    if (anzeige == nullptr || nummer > 3)
        return true;
    if (anzeige->GetStatusAnzeigeVorhanden()) {
        if (!SchalteObjekte(anzeige, 0, ObjektNr::Anzeige(nummer)))
            Meldung(std::string("Die Objekte der ") + AnzeigeName[nummer] + "konnten nicht gelöscht werden.",
                    "DeviceInstanzAz::CreateAzAnzeige", MB_OK);
    }
    // The display's parameter must not keep areas of a display that is gone.
    anzeige->SetAnzeigeSsb(0);
    anzeige->WriteDataToDb();
    Entfernen(anzeige);
    return true;
}

// ---- Variant change ------------------------------------------------------------------------------

bool TDeviceInstanzAz::ModifyAzAnzeigen(HWND owner, TDataBasis* ordnerNode, uint32_t variante)
{
    LOG_FKT("TDeviceInstanzAz::ModifyAzAnzeigen");
    auto* ordner = dynamic_cast<TAzOrdnerAnzeige*>(ordnerNode);
    if (ordner == nullptr)
        return false;
    int bereiche = 0;
    for (int n = 1; n <= 4; ++n)
        bereiche += BereichVorhanden(variante, n) ? 1 : 0;
    auto nachziehen = [&](uint8_t nummer) {
        if (TAzAnzeige* anzeige = GetPointerInstAnzeige(ordner, nummer)) {
            anzeige->ModifyAnzeigeSsb(variante);
            ordner->ModifyQuittierungMelder(anzeige->GetAnzeigeSsb(),
                                            static_cast<T_DB_EnumAzAnzeige::TEnumAnzeigeNr>(nummer));
            return true;
        }
        return false;
    };
    auto loeschen = [&](uint8_t nummer) {
        if (GetPointerInstAnzeige(ordner, nummer) == nullptr)
            return;
        DeleteAzAnzeige(ordner, nummer);
        ordner->ModifyQuittierungMelder(0, static_cast<T_DB_EnumAzAnzeige::TEnumAnzeigeNr>(nummer));
    };
    auto haben = [&](uint8_t nummer) {
        if (!nachziehen(nummer)) {
            CreateAzAnzeige(owner, ordner, variante, nummer, true);
            nachziehen(nummer);
        }
    };
    nachziehen(0);
    nachziehen(1);
    if (bereiche == 0) {
        loeschen(2);
        loeschen(3);
    } else {
        haben(2);
        if (bereiche >= 2)
            haben(3);
        else
            loeschen(3);
    }
    return true;
}

bool TDeviceInstanzAz::ModifyVarianteAz(HWND owner, TDataBasis* ordnerSB, int32_t& anzahl, uint32_t variante,
                                        TDataBasis* ordnerAnzeige, TDataBasis* ordnerAlarmierung,
                                        TDataBasis* ordnerSS)
{
    LOG_FKT("TDeviceInstanzAz::ModifyVarianteAz");
    if (ordnerSB == nullptr || ordnerSS == nullptr)
        return false;
    bool ergebnis = true;
    int32_t bereiche = 0;
    for (int n = 1; n <= 4; ++n) {
        const auto bereich = static_cast<uint8_t>(n);
        if (BereichVorhanden(variante, n)) {
            ergebnis &= CreateSicherungsBereich1(owner, ordnerSB, true, static_cast<int16_t>(AzTyp::SicherungsBereich1 + n - 1));
            ergebnis &= CreateScharfschaltBereich(owner, ordnerSS, true, static_cast<int16_t>(AzTyp::ScharfschaltBereich1 + n - 1));
            ergebnis &= CreateAzAlarmierung(owner, ordnerAlarmierung, true, static_cast<uint8_t>(n + 2));
            ++bereiche;
        } else {
            ergebnis &= DeleteSicherungsBereich(ordnerSB, static_cast<int16_t>(AzTyp::SicherungsBereich1 + n - 1));
            ergebnis &= DeleteScharfschaltBereich(ordnerSS, static_cast<int16_t>(AzTyp::ScharfschaltBereich1 + n - 1));
            m_uegScharf[bereich - 1u] = false;
            m_uegEinbruch[bereich - 1u] = false;
            m_saboSe[bereich - 1u].clear();
            ergebnis &= DeleteAzAlarmierung(ordnerAlarmierung, static_cast<uint8_t>(n + 2));
        }
    }
    ModifyAzAnzeigen(owner, ordnerAnzeige, variante);
    anzahl = bereiche;
    TAzMelder* verdrahtet = GetPointerVerdrahteterMelder();
    if (bereiche > 0) {
        if (verdrahtet != nullptr)
            verdrahtet->ChangeVarianteAz(variante);
        else
            CreateAzMelder(owner, ordnerSB, MelderArt::Verdrahtet, true);
    } else if (verdrahtet != nullptr) {
        DeleteVerdrahteterMelder(verdrahtet);
    }
    return ergebnis;
}
