#include "miraval/devinst/DevInstAz.h"

#include "miraval/devinst/EditorHost.h"
#include "tamsel/Tamsel.h"
#include "tessarin/AzEditierbareTexte.h"
#include "tessarin/AzMelder.h"
#include "tessarin/AzOrdnerAnzeige.h"
#include "tessarin/AzScharfschaltungSsb.h"
#include "tessarin/AzSystem.h"
#include "win32/MessageBox.h"

#include <algorithm>

namespace {

bool IstBereich(uint8_t bereich)
{
    return bereich >= 1 && bereich <= TDeviceInstanzAz::kAnzahlBereiche;
}

} // namespace

TDeviceInstanzAz::TDeviceInstanzAz(TEditorHost& host, const DAL_DEVICE& device, TFormVerw* formVerw)
    : TDeviceInstanz(host, device, formVerw)
{
    LOG_FKT("TDeviceInstanzAz::TDeviceInstanzAz");
    host.SetStatusText(0, "Anzahl Eingänge (max./angelegt/frei)");
    host.SetStatusText(1, std::to_string(kMaxMelderNr));
    host.SetStatusText(2, std::to_string(m_eingaenge));
    host.SetStatusText(3, std::to_string(kMaxMelderNr - m_eingaenge));
}

TDeviceInstanzAz::~TDeviceInstanzAz()
{
    LOG_FKT("TDeviceInstanzAz::~TDeviceInstanzAz");
    m_textKnoten = nullptr;
}

void TDeviceInstanzAz::KnotenEntfernt(const TDataBasis& node)
{
    TDeviceInstanz::KnotenEntfernt(node);
    if (&node == m_textKnoten)
        m_textKnoten = nullptr;
}

// ---- Version line -------------------------------------------------------------------------------

std::string TDeviceInstanzAz::GetVersion()
{
    LOG_FKT("TDeviceInstanzAz::GetVersion");
    return DatenContainer::FormatVersion({m_versionMajor, m_versionMinor, m_typText});
}

bool TDeviceInstanzAz::VersionCheck(const std::string& version, bool zeigen)
{
    LOG_FKT("TDeviceInstanzAz::VersionCheck");
    const DatenContainer::TVersionCheck check =
        DatenContainer::VersionCheck(version, {m_versionMajor, m_versionMinor, m_typText});
    if (!check.Ok && zeigen)
        Meldung(check.Text, DatenContainer::VersionCheckCaption, DatenContainer::VersionCheckFlags);
    return check.Ok;
}

// ---- Lists --------------------------------------------------------------------------------------

void TDeviceInstanzAz::GetGrpAdrUsedFromMelder(std::list<int32_t>& out)
{
    LOG_FKT("TDeviceInstanzAz::GetGrpAdrUsedFromMelder");
    out = m_melderGrpAdr;
}

bool TDeviceInstanzAz::ClearMelderGrpAdrFromList(int32_t grpAdr)
{
    LOG_FKT("TDeviceInstanzAz::ClearMelderGrpAdrFromList");
    const auto it = std::find(m_melderGrpAdr.begin(), m_melderGrpAdr.end(), grpAdr);
    if (it == m_melderGrpAdr.end())
        return false;
    m_melderGrpAdr.erase(it);
    return true;
}

bool TDeviceInstanzAz::SetMelderGrpAdrToList(int32_t grpAdr)
{
    LOG_FKT("TDeviceInstanzAz::SetMelderGrpAdrToList");
    m_melderGrpAdr.push_back(grpAdr);
    return true;
}

void TDeviceInstanzAz::SaboSeWeitergeben(uint8_t bereich)
{
    if (TAzScharfschaltungSsb* ssb = GetPointerInstScharfschaltungSsb(bereich))
        ssb->UpdateListeMelderNrSaboSeSb(m_saboSe[bereich - 1u]);
}

bool TDeviceInstanzAz::SetMelderSaboSeToList(int32_t melderNr, uint8_t bereich)
{
    LOG_FKT("TDeviceInstanzAz::SetMelderSaboSeToList");
    if (!IstBereich(bereich))
        return false;
    std::list<int32_t>& liste = m_saboSe[bereich - 1u];
    liste.push_back(melderNr);
    liste.sort();
    SaboSeWeitergeben(bereich);
    return true;
}

bool TDeviceInstanzAz::ClearMelderSaboSeFromList(int32_t melderNr, uint8_t bereich)
{
    LOG_FKT("TDeviceInstanzAz::ClearMelderSaboSeFromList");
    if (!IstBereich(bereich))
        return false;
    std::list<int32_t>& liste = m_saboSe[bereich - 1u];
    const auto it = std::find(liste.begin(), liste.end(), melderNr);
    if (it == liste.end())
        return false;
    liste.erase(it);
    SaboSeWeitergeben(bereich);
    return true;
}

bool TDeviceInstanzAz::UpdatePhysAdrUsedSsbFromList(int32_t neu, int32_t alt, uint8_t bereich)
{
    LOG_FKT("TDeviceInstanzAz::UpdatePhysAdrUsedSsbFromList");
    if (!IstBereich(bereich))
        return false;
    std::list<int32_t>& liste = m_physAdrSe[bereich - 1u];
    if (const auto it = std::find(liste.begin(), liste.end(), alt); it != liste.end())
        liste.erase(it);
    if (neu > 0)
        liste.push_back(neu);
    liste.sort();
    liste.unique();
    return true;
}

int32_t TDeviceInstanzAz::GetNextFreeMelderNr()
{
    LOG_FKT("TDeviceInstanzAz::GetNextFreeMelderNr");
    for (int32_t nummer = 1; nummer <= kMaxMelderNr; ++nummer) {
        if (std::find(m_melderNrUsed.begin(), m_melderNrUsed.end(), nummer) == m_melderNrUsed.end()) {
            m_melderNrUsed.push_back(nummer);
            m_melderNrUsed.sort();
            return nummer;
        }
    }
    return 0;
}

void TDeviceInstanzAz::ModifyAzStatusleisteAnzahlMedler()
{
    LOG_FKT("TDeviceInstanzAz::ModifyAzStatusleisteAnzahlMedler");
    // The bar counts the bus inputs: the wired input is among the inputs made only where the
    // variant has it.
    const int bus = m_eingaenge - (GetPointerVerdrahteterMelder() != nullptr ? 1 : 0);
    GetHost().SetStatusText(2, std::to_string(bus));
    GetHost().SetStatusText(3, std::to_string(kMaxMelderNr - bus));
}

// ---- Look-ups -----------------------------------------------------------------------------------

namespace {

// The first registered node of that type for which pass(node) holds, as Node.
template <class Node, class Pass>
Node* Suche(const TDeviceInstanz::TKnotenMap& knoten, int typ, Pass pass)
{
    for (const auto& [handle, node] : knoten)
        if (node->GetTyp() == typ)
            if (auto* gefunden = dynamic_cast<Node*>(node.get()); gefunden && pass(*gefunden))
                return gefunden;
    return nullptr;
}

constexpr auto Jeder = [](const auto&) { return true; };
constexpr int kTypOrdnerAnzeige = 6142;

} // namespace

TAzSystem* TDeviceInstanzAz::GetPointerInstAzSystem() const
{
    LOG_FKT("TDeviceInstanzAz::GetPointerInstAzSystem");
    return Suche<TAzSystem>(GetKnoten(), TAzSystem::kTyp, Jeder);
}

TAzOrdnerAnzeige* TDeviceInstanzAz::GetPointerInstOrdnerAnzeige() const
{
    LOG_FKT("TDeviceInstanzAz::GetPointerInstOrdnerAnzeige");
    return Suche<TAzOrdnerAnzeige>(GetKnoten(), kTypOrdnerAnzeige, Jeder);
}

TAzScharfschaltungSsb* TDeviceInstanzAz::GetPointerInstScharfschaltungSsb(uint8_t bereich) const
{
    LOG_FKT("TDeviceInstanzAz::GetPointerInstScharfschaltungSsb");
    return Suche<TAzScharfschaltungSsb>(GetKnoten(), TAzScharfschaltungSsb::kTyp, [bereich](const auto& ssb) {
        return static_cast<uint8_t>(ssb.GetScharfschaltBereich()) == bereich;
    });
}

TDataBasis* TDeviceInstanzAz::GetPointerInstScharfschaltBereich(int16_t typ) const
{
    LOG_FKT("TDeviceInstanzAz::GetPointerInstScharfschaltBereich");
    return Suche<TDataBasis>(GetKnoten(), typ, Jeder);
}

TAzMelder* TDeviceInstanzAz::GetPointerInstMelder(int32_t melderNr) const
{
    LOG_FKT("TDeviceInstanzAz::GetPointerInstMelder");
    return Suche<TAzMelder>(GetKnoten(), TAzMelder::kTyp,
                            [melderNr](const TAzMelder& melder) { return melder.GetMelderNr() == melderNr; });
}

TAzMelder* TDeviceInstanzAz::GetPointerVerdrahteterMelder() const
{
    LOG_FKT("TDeviceInstanzAz::GetPointerVerdrahteterMelder");
    return Suche<TAzMelder>(GetKnoten(), TAzMelder::kTyp,
                            [](const TAzMelder& melder) { return melder.GetMelderBereich() == 2; });
}
