// TDeviceInstanzAz: the alignment after loading. The nodes take what they do not store
// (parameter numbers, the variant) and the instance rebuilds its lists from the nodes.

#include "miraval/devinst/DevInstAz.h"

#include "miraval/devinst/DevInstAz_p.h"
#include "quillon/EtsObjekt.h"
#include "tamsel/Tamsel.h"
#include "tessarin/AzAlarmierung.h"
#include "tessarin/AzAnzeige.h"
#include "tessarin/AzEibAlarmSystemSicherheit.h"
#include "tessarin/AzMelder.h"
#include "tessarin/AzOrdnerAnzeige.h"
#include "tessarin/AzSabotageKontakt.h"
#include "tessarin/AzScharfUnscharfQuittierungSsb.h"
#include "tessarin/AzScharfschaltungSsb.h"
#include "tessarin/AzSystem.h"
#include "tessarin/AzVerhaltenDurchUegR.h"
#include "win32/MessageBox.h"

namespace {

constexpr int kTypAlarmierung = 6138;
constexpr int kTypAnzeige = 6143;
constexpr int kTypVerhaltenDurchUegR = 6146;
// The arming input of arming area n is communication object 161 + n.
constexpr int32_t kObjektScharfschaltEingang = 161;
// The monitoring (heartbeat) object.
constexpr int32_t kObjektHeartbeat = 215;

void SortiereEindeutig(std::list<int32_t>& liste)
{
    liste.sort();
    liste.unique();
}

} // namespace

bool TDeviceInstanzAz::DatenAbgleich(bool a, bool b)
{
    LOG_FKT("TDeviceInstanzAz::DatenAbgleich");
    m_eingaenge = 0;
    // Rebuilt from the nodes below. Left over from before a reload, a number or address of a
    // node that was never stored would stay taken.
    m_melderGrpAdr.clear();
    m_melderNrUsed.clear();
    for (auto& liste : m_saboSe)
        liste.clear();
    for (auto& liste : m_physAdrSe)
        liste.clear();
    TAzSystem* system = GetPointerInstAzSystem();
    const uint32_t variante = system != nullptr ? system->GetParamVarianteAz() : 0;

    // The first child of a detector or the tamper contact is its communication object. False
    // when the child is not registered (shown; the alignment stops).
    auto objektDesKnotens = [this](TDataBasis* node, TObjektBasis*& objekt) {
        objekt = nullptr;
        const int32_t kind = GetFirstChild(node);
        if (kind == 0)
            return true;
        TDataBasis* gefunden = FindHandle(kind);
        if (gefunden == nullptr) {
            Meldung("Object not found.\nAbort function", "Error: TDeviceInstanzAz::DatenAbgleich", MB_OK);
            return false;
        }
        if (gefunden->GetTyp() == TEtsObjekt::kTyp)
            objekt = dynamic_cast<TObjektBasis*>(gefunden);
        return true;
    };

    // Handle order; the registry does not change while the nodes align.
    for (const auto& [handle, knoten] : GetKnoten()) {
        TDataBasis* node = knoten.get();
        const int typ = node->GetTyp();
        if (!node->DatenAbgleich(a, b)) {
            // The arming node answers false while the editor has not handed it its list.
            if (typ == TAzScharfschaltungSsb::kTyp) {
                auto* ssb = dynamic_cast<TAzScharfschaltungSsb*>(node);
                const auto bereich = ssb != nullptr ? static_cast<uint8_t>(ssb->GetScharfschaltBereich()) : 0;
                if (bereich >= 1 && bereich <= kAnzahlBereiche) {
                    // Stored switching devices that are no longer in the project may be cleared.
                    CheckPhysAdrSeExist(bereich, ssb);
                    ssb->GetPhysikalischenAdressenSE(m_physAdrSe[bereich - 1u]);
                    ssb->InitScharfschaltungSsb();
                }
            }
            continue;
        }
        switch (typ) {
        case TAzMelder::kTyp: {
            auto* melder = dynamic_cast<TAzMelder*>(node);
            if (melder == nullptr)
                break;
            ++m_eingaenge;
            const int bereich = melder->GetMelderBereich();
            if (const int ssb = SaboSeBereich(melder->GetMelderArt(), bereich); ssb != 0)
                m_saboSe[static_cast<std::size_t>(ssb - 1)].push_back(melder->GetMelderNr());
            m_melderNrUsed.push_back(melder->GetMelderNr());
            TObjektBasis* objekt = nullptr;
            if (!objektDesKnotens(node, objekt))
                return false;
            if (objekt != nullptr) {
                const auto links = objekt->GetSubGroupLinks();
                if (!links.empty())
                    SetMelderGrpAdrToList(links.front().SubGroupId);
            }
            if (bereich == 2 && system != nullptr)
                melder->ChangeVarianteAz(variante);
            break;
        }
        case TAzSabotageKontakt::kTyp: {
            TObjektBasis* objekt = nullptr;
            if (!objektDesKnotens(node, objekt))
                return false;
            break;
        }
        case TAzScharfUnscharfQuittierungSsb::kTyp: {
            auto* quittierung = dynamic_cast<TAzScharfUnscharfQuittierungSsb*>(node);
            if (quittierung == nullptr)
                break;
            const int bereich = quittierung->GetScharfschaltBereich();
            if (bereich >= 1 && bereich <= kAnzahlBereiche)
                m_uegScharf[static_cast<std::size_t>(bereich - 1)] = quittierung->GetStatusSignUegScharf();
            quittierung->InitScharfUnscharfQuittierungSsb();
            break;
        }
        case kTypAlarmierung: {
            auto* alarmierung = dynamic_cast<TAzAlarmierung*>(node);
            if (alarmierung == nullptr)
                break;
            TAzAlarmierung::TEnumAlarmierungTyp alarmTyp{};
            alarmierung->GetAlarmierungTyp(alarmTyp);
            if (alarmTyp >= 3 && alarmTyp <= 6)
                m_uegEinbruch[static_cast<std::size_t>(alarmTyp - 3)] = alarmierung->GetStatusAlarmierungUegEinbruch();
            if (alarmTyp >= 0 && alarmTyp <= 6 && alarmTyp != 2)
                alarmierung->InitDisplayOrderNumberAlarmierung();
            break;
        }
        case kTypAnzeige: {
            auto* anzeige = dynamic_cast<TAzAnzeige*>(node);
            if (anzeige == nullptr)
                break;
            if (system != nullptr)
                anzeige->SetVarianteAz(variante);
            const int maske = anzeige->GetAnzeigeSsb();
            TAzAnzeige::TEnumAnzeigeNr nummer{};
            anzeige->GetAnzeigeNr(nummer);
            anzeige->InitAnzeige();
            if (TAzOrdnerAnzeige* ordner = GetPointerInstOrdnerAnzeige())
                ordner->ModifyQuittierungMelder(maske, nummer);
            break;
        }
        case kTypVerhaltenDurchUegR:
            if (auto* verhalten = dynamic_cast<TAzVerhaltenDurchUegR*>(node))
                verhalten->InitUeGRBereich();
            break;
        default:
            break;
        }
    }

    AuswahlGrenzenSetzen();
    ModifyAzStatusleisteAnzahlMedler();
    SortiereEindeutig(m_melderNrUsed);
    for (uint8_t bereich = 1; bereich <= kAnzahlBereiche; ++bereich) {
        SortiereEindeutig(m_physAdrSe[bereich - 1u]);
        SortiereEindeutig(m_saboSe[bereich - 1u]);
        SaboSeWeitergeben(bereich);
    }
    return true;
}

TDeviceInstanzAz::TAuswahlGrenze TDeviceInstanzAz::AuswahlGrenze(TDataBasis& node)
{
    TAuswahlGrenze grenze;
    switch (node.GetTyp()) {
    case TAzMelder::kTyp:
    case TAzSabotageKontakt::kTyp:
        grenze.eigenesObjekt = true;
        break;
    case TAzScharfschaltungSsb::kTyp:
        if (auto* ssb = dynamic_cast<TAzScharfschaltungSsb*>(&node)) {
            const int bereich = static_cast<int>(ssb->GetScharfschaltBereich());
            if (bereich >= 1 && bereich <= kAnzahlBereiche)
                grenze.nummern.push_back(kObjektScharfschaltEingang + bereich);
        }
        break;
    case TAzEibAlarmSystemSicherheit::kTyp:
        // The monitoring object's limit follows the node's switch, not the stored object.
        if (auto* sicherheit = dynamic_cast<TAzEibAlarmSystemSicherheit*>(&node);
            sicherheit != nullptr && sicherheit->GetStatusHeartBeatUeberwachung())
            grenze.nummern.push_back(kObjektHeartbeat);
        break;
    default:
        break;
    }
    return grenze;
}

void TDeviceInstanzAz::AuswahlGrenzenSetzen()
{
    LOG_FKT("TDeviceInstanzAz::AuswahlGrenzenSetzen");
    for (const auto& [handle, knoten] : GetKnoten()) {
        const TAuswahlGrenze grenze = AuswahlGrenze(*knoten);
        // Its first child is its communication object.
        if (grenze.eigenesObjekt)
            if (auto* objekt = dynamic_cast<TEtsObjekt*>(FindHandle(GetFirstChild(knoten.get()))))
                SetzeAuswahlGrenze(*objekt);
        for (int32_t nummer : grenze.nummern)
            SetzeAuswahlGrenze(nummer);
    }
}
