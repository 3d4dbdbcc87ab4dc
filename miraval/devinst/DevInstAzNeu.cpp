// TDeviceInstanzAz: the default structure of a new alarm centre and the creation of every
// node kind, also used later with the show flag set (variant change, adding detectors).
//
// Every creation: the kind's own settings, then position, record, Write, registration and,
// when asked, the tree node; then the kind's follow-up (children, communication objects).

#include "miraval/devinst/DevInstAz.h"

#include "miraval/devinst/DevInstAz_p.h"
#include "miraval/devinst/EditorHost.h"
#include "quillon/ObjektBasis.h"
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
#include "tessarin/SprAz.h"
#include "pellam/EibHandle.h"
#include "win32/MessageBox.h"

#include <algorithm>
#include <new>

namespace {

const std::string& SicherungsBereichName(int bereich)
{
    static const std::string* const namen[4] = {&SprAz::Txt10084, &SprAz::Txt10085, &SprAz::Txt10086,
                                                &SprAz::Txt10087};
    return *namen[bereich - 1];
}

const std::string& ScharfschaltBereichName(int bereich)
{
    static const std::string* const namen[4] = {&SprAz::Txt10092, &SprAz::Txt10093, &SprAz::Txt10094,
                                                &SprAz::Txt10095};
    return *namen[bereich - 1];
}

// Detector names by area kind 0..6.
const std::string& MelderName(uint8_t art)
{
    static const std::string* const namen[7] = {&SprAz::Txt10047, &SprAz::Txt10048, &SprAz::Txt10049,
                                                &SprAz::Txt10050, &SprAz::Txt10088, &SprAz::Txt10089,
                                                &SprAz::Txt10090};
    return *namen[art];
}

// The name of an alarm of kind typ (0..6).
std::string AlarmierungName(uint8_t typ)
{
    switch (typ) {
    case 0: return SprAz::Txt10113;
    case 1: return SprAz::Txt10114;
    case 2: return SprAz::Txt10115;
    default: return SprAz::Txt10116 + " " + std::to_string(typ - 2);
    }
}

std::string AnzeigeName(uint8_t nummer)
{
    return SprAz::Txt10171 + " " + std::to_string(nummer + 1);
}

// "Die maximale Anzahl an Eingängen ist erreicht." LF CR "Es kann kein neuer Eingang erzeugt
// werden." (9213), caption "Achtung" (9001).
constexpr const char* TextEingaengeVoll =
    "Die maximale Anzahl an Eingängen ist erreicht.\n\rEs kann kein neuer Eingang erzeugt werden.";
constexpr const char* CaptionAchtung = "Achtung";

} // namespace

// ---- Common steps --------------------------------------------------------------------------------

template <class T>
std::unique_ptr<T> TDeviceInstanzAz::Neu(HWND owner, TDataBasis* parent, const std::string& name)
{
    if (parent == nullptr || GetEibHandle() == nullptr)
        return nullptr;
    std::unique_ptr<T> node;
    try {
        node = std::make_unique<T>(owner, parent->GetSystem(), parent->GetHandle(), name, 0);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    node->KonvertHandle(GetEibHandle());
    if (node->GetHandle() <= 0)
        return nullptr;
    return node;
}

template <class T>
T* TDeviceInstanzAz::Anlegen(std::unique_ptr<T> node, TDataBasis* parent, int position, bool zeigen,
                             TFormVerw* fenster)
{
    T* roh = node.get();
    static_cast<TDataBasis*>(roh)->SetPosId(position);
    if (TDatenStruktur* record = GetDatenSatz(roh))
        roh->Write(*record);
    SetPointer2List(std::move(node));
    if (FindHandle(roh->GetHandle()) != roh)
        return nullptr; // the handle was taken: the registry kept its node, this one is gone
    if (zeigen)
        GetHost().AddChildNode2Data(fenster, parent, roh, true);
    return roh;
}

uint32_t TDeviceInstanzAz::AktuelleVariante() const
{
    const TAzSystem* system = GetPointerInstAzSystem();
    return system != nullptr ? system->GetParamVarianteAz() : TAzSystem::kVarianteDefault;
}

bool TDeviceInstanzAz::SchalteObjekte(TDataBasis* node, int wert, int paramNr, int offset)
{
    return node->ModifyObject(wert, paramNr, offset, true);
}

void TDeviceInstanzAz::SetzeAuswahlGrenze(int32_t objektNr)
{
    if (TObjektBasis* objekt = GetObjectFromObjectNr(objektNr))
        SetzeAuswahlGrenze(*objekt);
}

void TDeviceInstanzAz::SetzeAuswahlGrenze(TObjektBasis& objekt)
{
    objekt.SetNumberSelectableGrpAdr(1);
    if (TDatenStruktur* record = GetDatenSatz(&objekt))
        objekt.Write(*record);
}

// ---- The new device ------------------------------------------------------------------------------

bool TDeviceInstanzAz::CreateNewDevice(HWND owner)
{
    LOG_FKT("TDeviceInstanzAz::CreateNewDevice");
    return CreateNewDevice(owner, TAzSystem::kVarianteDefault);
}

bool TDeviceInstanzAz::CreateNewDevice(HWND owner, uint32_t variante)
{
    LOG_FKT("TDeviceInstanzAz::CreateNewDevice");
    m_aufbau = true;
    ClearDatenStream();
    // The whole tree is made anew: nothing the bookkeeping holds belongs to it any more.
    m_melderNrUsed.clear();
    m_eingaenge = 0;
    m_melderGrpAdr.clear();
    for (auto& liste : m_saboSe)
        liste.clear();
    for (auto& liste : m_physAdrSe)
        liste.clear();
    m_uegScharf = {};
    m_uegEinbruch = {};
    if (!InitData() || GetEibHandle() == nullptr) {
        m_aufbau = false;
        return false;
    }

    std::unique_ptr<TAzSystem> root;
    try {
        root = std::make_unique<TAzSystem>(owner, 0, 0, GetDeviceText(), GetEtsDeviceId(), GetCreationMarker(), 0);
    } catch (const std::bad_alloc&) {
        m_aufbau = false;
        return false;
    }
    root->KonvertHandle(GetEibHandle());
    root->SetParamVarianteAz(variante);
    TAzSystem* system = root.get();
    if (TDatenStruktur* record = GetDatenSatz(system))
        system->Write(*record);
    SetPointer2List(std::move(root));
    SetDevice(system);

    CreateAzEditierbareTexte(owner, system, false);
    CreateAzOrdnerSicherungsBereich(owner, system, false);
    CreateAzOrdnerScharfschaltung(owner, system, false);
    CreateAzOrdnerAlarmierung(owner, system, false);
    CreateAzOrdnerAnzeige(owner, system, false);
    CreateAzOrdnerSicherheitStoerung(owner, system, false);
    CreateAzDatumUhrzeit(owner, system, false);

    WriteDataToDb();
    m_aufbau = false;
    return true;
}

std::vector<TDeviceInstanzAz::TFesterKnoten> TDeviceInstanzAz::FesteKnoten(uint32_t variante)
{
    // In the order CreateNewDevice and the creators below make them.
    std::vector<TFesterKnoten> knoten;
    auto neu = [&knoten](int typ, int eltern, const std::string& name, int merkmal = 0, bool pflicht = true) {
        knoten.push_back({typ, eltern, merkmal, pflicht, name});
        return static_cast<int>(knoten.size()) - 1;
    };
    const int bereiche = AnzahlBereiche(variante);
    neu(AzTyp::EditierbareTexte, -1, SprAz::Txt10025);
    const int sicherung = neu(AzTyp::OrdnerSicherungsBereich, -1, SprAz::Txt10026);
    neu(AzTyp::SicherungsBereichFeuer, sicherung, SprAz::Txt10027);
    neu(AzTyp::SicherungsBereichUeberfall, sicherung, SprAz::Txt10078);
    neu(AzTyp::Melder, sicherung, MelderName(MelderArt::Verdrahtet), 1, bereiche > 0);
    neu(AzTyp::SabotageKontakt, sicherung, SprAz::Txt10083);
    for (int n = 1; n <= 4; ++n)
        if (BereichVorhanden(variante, n))
            neu(AzTyp::SicherungsBereich1 + n - 1, sicherung, SicherungsBereichName(n));
    const int scharf = neu(AzTyp::OrdnerScharfschaltung, -1, SprAz::Txt10091);
    for (int n = 1; n <= 4; ++n) {
        if (!BereichVorhanden(variante, n))
            continue;
        const int bereich = neu(AzTyp::ScharfschaltBereich1 + n - 1, scharf, ScharfschaltBereichName(n));
        neu(AzTyp::ScharfschaltungSsb, bereich, SprAz::Txt10096 + " " + std::to_string(n), n);
        neu(AzTyp::ScharfUnscharfQuittierungSsb, bereich, SprAz::Txt10100 + " " + std::to_string(n), n);
    }
    const int alarmierung = neu(AzTyp::OrdnerAlarmierung, -1, SprAz::Txt10106);
    neu(AzTyp::Alarmierung, alarmierung, AlarmierungName(0), 0);
    neu(AzTyp::Alarmierung, alarmierung, AlarmierungName(1), 1);
    for (int n = 1; n <= 4; ++n)
        if (BereichVorhanden(variante, n))
            neu(AzTyp::Alarmierung, alarmierung, AlarmierungName(static_cast<uint8_t>(n + 2)), n + 2);
    neu(AzTyp::Alarmdauer, alarmierung, SprAz::Txt10117);
    neu(AzTyp::EibObjekteZurAlarmierung, alarmierung, SprAz::Txt10130);
    const int anzeige = neu(AzTyp::OrdnerAnzeige, -1, SprAz::Txt10165);
    for (uint8_t nummer = 0; nummer < 2 + std::min(bereiche, 2); ++nummer)
        neu(AzTyp::Anzeige, anzeige, AnzeigeName(nummer), nummer);
    const int stoerung = neu(AzTyp::OrdnerSicherheitStoerung, -1, SprAz::Txt10131);
    neu(AzTyp::EibAlarmSystemSicherheit, stoerung, SprAz::Txt10132);
    neu(AzTyp::VerhaltenDurchUegR, stoerung, SprAz::Txt10147, 0);
    neu(AzTyp::VerhaltenDurchUegR, stoerung, SprAz::Txt10246, 1);
    neu(AzTyp::DatumUhrzeit, -1, SprAz::Txt10148);
    return knoten;
}

std::vector<int> TDeviceInstanzAz::ObjektParameter(int typ, int merkmal, int32_t melderNr)
{
    // As the creators below, the variant change and the requests switch them.
    switch (typ) {
    case AzTyp::Melder: return {merkmal == 1 ? ObjektNr::VerdrahteterMelder : MelderObjektNr(melderNr)};
    case AzTyp::SabotageKontakt: return {ObjektNr::SabotageKontakt};
    case AzTyp::OrdnerScharfschaltung: return {ObjektNr::OrdnerScharfschaltung};
    case AzTyp::ScharfschaltungSsb: return {ObjektNr::ScharfschaltungSsb(merkmal)};
    case AzTyp::ScharfUnscharfQuittierungSsb: return {ObjektNr::ScharfUnscharfQuittierungSsb(merkmal)};
    case AzTyp::Alarmierung: return {AlarmierungObjektNr(merkmal)};
    case AzTyp::EibObjekteZurAlarmierung: return {ObjektNr::EibObjekteZurAlarmierung};
    case AzTyp::Anzeige: return {ObjektNr::Anzeige(merkmal)};
    case AzTyp::OrdnerSicherheitStoerung: return {ObjektNr::OrdnerSicherheitStoerung};
    case AzTyp::EibAlarmSystemSicherheit: return {ObjektNr::EibAlarmSystemSicherheit, ObjektNr::Heartbeat};
    case AzTyp::DatumUhrzeit: return {ObjektNr::DatumUhrzeit};
    default: return {};
    }
}

// ---- Nodes under the root ------------------------------------------------------------------------

bool TDeviceInstanzAz::CreateAzEditierbareTexte(HWND owner, TDataBasis* parent, bool zeigen)
{
    LOG_FKT("TDeviceInstanzAz::CreateAzEditierbareTexte");
    if (FindeKind(parent, AzTyp::EditierbareTexte) != nullptr)
        return false;
    auto node = Neu<TAzEditierbareTexte>(owner, parent, SprAz::Txt10025);
    if (!node)
        return false;
    TAzEditierbareTexte* texte = Anlegen(std::move(node), parent, 1, zeigen, GetFormVerw());
    if (texte == nullptr)
        return false;
    m_textKnoten = texte;
    return true;
}

TAzEditierbareTexte* TDeviceInstanzAz::GetPointerInstEdtitierbareTexte(HWND owner, TDataBasis* parent)
{
    LOG_FKT("TDeviceInstanzAz::GetPointerInstEdtitierbareTexte");
    if (m_textKnoten != nullptr)
        return m_textKnoten;
    if (auto* vorhanden = dynamic_cast<TAzEditierbareTexte*>(FindeKind(parent, AzTyp::EditierbareTexte))) {
        m_textKnoten = vorhanden;
        return m_textKnoten;
    }
    auto node = Neu<TAzEditierbareTexte>(owner, parent, SprAz::Txt10025);
    if (!node)
        return nullptr;
    m_textKnoten = Anlegen(std::move(node), parent, 1, true, GetFormVerw());
    return m_textKnoten;
}

bool TDeviceInstanzAz::CreateAzOrdnerSicherungsBereich(HWND owner, TDataBasis* parent, bool zeigen)
{
    LOG_FKT("TDeviceInstanzAz::CreateAzOrdnerSicherungsBereich");
    if (FindeKind(parent, AzTyp::OrdnerSicherungsBereich) != nullptr)
        return false;
    auto node = Neu<TAzOrdnerSicherungsBereich>(owner, parent, SprAz::Txt10026);
    if (!node)
        return false;
    TDataBasis* ordner = Anlegen(std::move(node), parent, 2, zeigen, GetFormVerw());
    if (ordner == nullptr)
        return false;
    CreateSicherungsBereichFeuer(owner, ordner, zeigen);
    CreateSicherungsBereichUeberfall(owner, ordner, zeigen);
    CreateAzMelder(owner, ordner, MelderArt::Verdrahtet, zeigen);
    CreateAzSabotageKontakt(owner, ordner, zeigen);
    const uint32_t variante = AktuelleVariante();
    for (int n = 1; n <= 4; ++n)
        if (BereichVorhanden(variante, n))
            CreateSicherungsBereich1(owner, ordner, zeigen, static_cast<int16_t>(AzTyp::SicherungsBereich1 + n - 1));
    return true;
}

bool TDeviceInstanzAz::CreateAzOrdnerScharfschaltung(HWND owner, TDataBasis* parent, bool zeigen)
{
    LOG_FKT("TDeviceInstanzAz::CreateAzOrdnerScharfschaltung");
    if (FindeKind(parent, AzTyp::OrdnerScharfschaltung) != nullptr)
        return false;
    auto node = Neu<TAzOrdnerScharfschaltung>(owner, parent, SprAz::Txt10091);
    if (!node)
        return false;
    TDataBasis* ordner = Anlegen(std::move(node), parent, 3, zeigen, GetFormVerw());
    if (ordner == nullptr)
        return false;
    SchalteObjekte(ordner, 1, ObjektNr::OrdnerScharfschaltung);
    const uint32_t variante = AktuelleVariante();
    for (int n = 1; n <= 4; ++n)
        if (BereichVorhanden(variante, n))
            CreateScharfschaltBereich(owner, ordner, zeigen, static_cast<int16_t>(AzTyp::ScharfschaltBereich1 + n - 1));
    return true;
}

bool TDeviceInstanzAz::CreateAzOrdnerAlarmierung(HWND owner, TDataBasis* parent, bool zeigen)
{
    LOG_FKT("TDeviceInstanzAz::CreateAzOrdnerAlarmierung");
    if (FindeKind(parent, AzTyp::OrdnerAlarmierung) != nullptr)
        return false;
    auto node = Neu<TAzOrdnerAlarmierung>(owner, parent, SprAz::Txt10106);
    if (!node)
        return false;
    TDataBasis* ordner = Anlegen(std::move(node), parent, 4, zeigen, GetFormVerw());
    if (ordner == nullptr)
        return false;
    CreateAzAlarmierung(owner, ordner, zeigen, 0);
    CreateAzAlarmierung(owner, ordner, zeigen, 1);
    const uint32_t variante = AktuelleVariante();
    for (int n = 1; n <= 4; ++n)
        if (BereichVorhanden(variante, n))
            CreateAzAlarmierung(owner, ordner, zeigen, static_cast<uint8_t>(n + 2));
    CreateAzAlarmdauer(owner, ordner, zeigen);
    CreateAzEibObjekteZurAlarmierung(owner, ordner, zeigen);
    return true;
}

bool TDeviceInstanzAz::CreateAzOrdnerAnzeige(HWND owner, TDataBasis* parent, bool zeigen)
{
    LOG_FKT("TDeviceInstanzAz::CreateAzOrdnerAnzeige");
    if (FindeKind(parent, AzTyp::OrdnerAnzeige) != nullptr)
        return false;
    auto node = Neu<TAzOrdnerAnzeige>(owner, parent, SprAz::Txt10165);
    if (!node)
        return false;
    TDataBasis* ordner = Anlegen(std::move(node), parent, 5, zeigen, GetFormVerw());
    if (ordner == nullptr)
        return false;
    const uint32_t variante = AktuelleVariante();
    const int bereiche = AnzahlBereiche(variante);
    CreateAzAnzeige(owner, ordner, variante, 0, zeigen);
    CreateAzAnzeige(owner, ordner, variante, 1, zeigen);
    if (bereiche >= 1)
        CreateAzAnzeige(owner, ordner, variante, 2, zeigen);
    if (bereiche >= 2)
        CreateAzAnzeige(owner, ordner, variante, 3, zeigen);
    // The folder writes the union of the displays' masks: it learns them now, not only when
    // the device is loaded next, so a new device's parameters agree with its displays.
    auto* anzeigen = dynamic_cast<TAzOrdnerAnzeige*>(ordner);
    for (uint8_t nummer = 0; anzeigen != nullptr && nummer <= 3; ++nummer)
        if (TAzAnzeige* anzeige = GetPointerInstAnzeige(ordner, nummer))
            anzeigen->ModifyQuittierungMelder(anzeige->GetAnzeigeSsb(),
                                              static_cast<TAzAnzeige::TEnumAnzeigeNr>(nummer));
    return true;
}

bool TDeviceInstanzAz::CreateAzOrdnerSicherheitStoerung(HWND owner, TDataBasis* parent, bool zeigen)
{
    LOG_FKT("TDeviceInstanzAz::CreateAzOrdnerSicherheitStoerung");
    if (FindeKind(parent, AzTyp::OrdnerSicherheitStoerung) != nullptr)
        return false;
    auto node = Neu<TAzOrdnerSicherheitStoerung>(owner, parent, SprAz::Txt10131);
    if (!node)
        return false;
    TDataBasis* ordner = Anlegen(std::move(node), parent, 6, zeigen, GetFormVerw());
    if (ordner == nullptr)
        return false;
    CreateAzEibAlarmSystemSicherheit(owner, ordner, zeigen);
    CreateAzVerhaltenDurchUegRBeiScharf(owner, ordner, zeigen, 0);
    CreateAzVerhaltenDurchUegRBeiScharf(owner, ordner, zeigen, 1);
    SchalteObjekte(ordner, 1, ObjektNr::OrdnerSicherheitStoerung);
    return true;
}

bool TDeviceInstanzAz::CreateAzDatumUhrzeit(HWND owner, TDataBasis* parent, bool zeigen)
{
    LOG_FKT("TDeviceInstanzAz::CreateAzDatumUhrzeit");
    if (FindeKind(parent, AzTyp::DatumUhrzeit) != nullptr)
        return false;
    auto node = Neu<TAzDatumUhrzeit>(owner, parent, SprAz::Txt10148);
    if (!node)
        return false;
    TDataBasis* uhr = Anlegen(std::move(node), parent, 7, zeigen, GetFormVerw());
    if (uhr == nullptr)
        return false;
    SchalteObjekte(uhr, 1, ObjektNr::DatumUhrzeit);
    return true;
}

// ---- System monitoring ---------------------------------------------------------------------------

bool TDeviceInstanzAz::CreateAzEibAlarmSystemSicherheit(HWND owner, TDataBasis* parent, bool zeigen)
{
    LOG_FKT("TDeviceInstanzAz::CreateAzEibAlarmSystemSicherheit");
    if (FindeKind(parent, AzTyp::EibAlarmSystemSicherheit) != nullptr)
        return false;
    auto node = Neu<TAzEibAlarmSystemSicherheit>(owner, parent, SprAz::Txt10132);
    if (!node)
        return false;
    TAzEibAlarmSystemSicherheit* sicherheit = Anlegen(std::move(node), parent, 1, zeigen, GetFormVerw());
    if (sicherheit == nullptr)
        return false;
    if (sicherheit->GetStatusHeartBeatUeberwachung()) {
        SchalteObjekte(sicherheit, 1, ObjektNr::Heartbeat);
        SetzeAuswahlGrenze(ObjektNr::KomHeartbeat);
    }
    SchalteObjekte(sicherheit, 1, ObjektNr::EibAlarmSystemSicherheit);
    return true;
}

bool TDeviceInstanzAz::CreateAzVerhaltenDurchUegRBeiScharf(HWND owner, TDataBasis* parent, bool zeigen,
                                                           uint8_t bereich)
{
    LOG_FKT("TDeviceInstanzAz::CreateAzVerhaltenDurchUegRBeiScharf");
    if (bereich > 1)
        return false;
    auto node = Neu<TAzVerhaltenDurchUegR>(owner, parent, bereich == 0 ? SprAz::Txt10147 : SprAz::Txt10246);
    if (!node)
        return false;
    node->SetUeGRBereich(static_cast<TAzVerhaltenDurchUegR::TEnumUeGBereich>(bereich));
    return Anlegen(std::move(node), parent, 2 + bereich, zeigen, GetFormVerw()) != nullptr;
}

// ---- Alarming ------------------------------------------------------------------------------------

bool TDeviceInstanzAz::CreateAzAlarmierung(HWND owner, TDataBasis* parent, bool zeigen, uint8_t typ)
{
    LOG_FKT("TDeviceInstanzAz::CreateAzAlarmierung");
    if (typ > 6)
        return false;
    const bool vorhanden = FindeKind(parent, AzTyp::Alarmierung, [typ](TDataBasis& kind) {
                               auto* alarm = dynamic_cast<TAzAlarmierung*>(&kind);
                               T_DB_EnumAzAlarmierung::TEnumAlarmierungTyp t{};
                               return alarm != nullptr && alarm->GetAlarmierungTyp(t) == typ;
                           }) != nullptr;
    if (vorhanden)
        return true;
    auto node = Neu<TAzAlarmierung>(owner, parent, AlarmierungName(typ));
    if (!node)
        return false;
    node->SetAlarmierungTyp(static_cast<T_DB_EnumAzAlarmierung::TEnumAlarmierungTyp>(typ));
    TAzAlarmierung* alarm = Anlegen(std::move(node), parent, typ + 1, zeigen, GetFormVerw());
    if (alarm == nullptr)
        return false;
    SchalteObjekte(alarm, 1, AlarmierungObjektNr(typ));
    if (typ >= 3)
        m_uegEinbruch[typ - 3u] = alarm->GetStatusAlarmierungUegEinbruch();
    return true;
}

bool TDeviceInstanzAz::CreateAzAlarmdauer(HWND owner, TDataBasis* parent, bool zeigen)
{
    LOG_FKT("TDeviceInstanzAz::CreateAzAlarmdauer");
    if (FindeKind(parent, AzTyp::Alarmdauer) != nullptr)
        return true;
    auto node = Neu<TAzAlarmdauer>(owner, parent, SprAz::Txt10117);
    if (!node)
        return false;
    return Anlegen(std::move(node), parent, 8, zeigen, GetFormVerw()) != nullptr;
}

bool TDeviceInstanzAz::CreateAzEibObjekteZurAlarmierung(HWND owner, TDataBasis* parent, bool zeigen)
{
    LOG_FKT("TDeviceInstanzAz::CreateAzEibObjekteZurAlarmierung");
    if (FindeKind(parent, AzTyp::EibObjekteZurAlarmierung) != nullptr)
        return false;
    auto node = Neu<TAzEibObjekteZurAlarmierung>(owner, parent, SprAz::Txt10130);
    if (!node)
        return false;
    TDataBasis* objekte = Anlegen(std::move(node), parent, 9, zeigen, GetFormVerw());
    if (objekte == nullptr)
        return false;
    SchalteObjekte(objekte, 1, ObjektNr::EibObjekteZurAlarmierung);
    return true;
}

// ---- Displays ------------------------------------------------------------------------------------

bool TDeviceInstanzAz::CreateAzAnzeige(HWND owner, TDataBasis* parent, uint32_t variante, uint8_t nummer,
                                       bool zeigen)
{
    LOG_FKT("TDeviceInstanzAz::CreateAzAnzeige");
    if (nummer > 3)
        return false;
    const std::string name = AnzeigeName(nummer);
    auto node = Neu<TAzAnzeige>(owner, parent, name);
    if (!node)
        return false;
    node->SetAnzeigeNr(static_cast<T_DB_EnumAzAnzeige::TEnumAnzeigeNr>(nummer));
    node->ModifyAnzeigeSsb(variante);
    node->SetDefaultName(name);
    TAzAnzeige* anzeige = Anlegen(std::move(node), parent, nummer + 1, zeigen, GetFormVerw());
    if (anzeige == nullptr)
        return false;
    if (anzeige->GetStatusAnzeigeVorhanden() && !SchalteObjekte(anzeige, 1, ObjektNr::Anzeige(nummer)))
        Meldung("Die Objekte der " + name + "konnten nicht erzeugt werden.", "DeviceInstanzAz::CreateAzAnzeige",
                MB_OK);
    return true;
}

// ---- Security areas and detectors ----------------------------------------------------------------

bool TDeviceInstanzAz::CreateSicherungsBereichFeuer(HWND owner, TDataBasis* parent, bool zeigen)
{
    LOG_FKT("TDeviceInstanzAz::CreateSicherungsBereichFeuer");
    if (FindeKind(parent, AzTyp::SicherungsBereichFeuer) != nullptr)
        return false;
    auto node = Neu<TAzSicherungsBereichFeuer>(owner, parent, SprAz::Txt10027);
    if (!node)
        return false;
    TDataBasis* bereich = Anlegen(std::move(node), parent, 1, zeigen, GetFormVerw());
    if (bereich == nullptr)
        return false;
    CreateAzMelder(owner, bereich, MelderArt::Feuer, zeigen);
    return true;
}

bool TDeviceInstanzAz::CreateSicherungsBereichUeberfall(HWND owner, TDataBasis* parent, bool zeigen)
{
    LOG_FKT("TDeviceInstanzAz::CreateSicherungsBereichUeberfall");
    if (FindeKind(parent, AzTyp::SicherungsBereichUeberfall) != nullptr)
        return false;
    auto node = Neu<TAzSicherungsBereichUeberfall>(owner, parent, SprAz::Txt10078);
    if (!node)
        return false;
    TDataBasis* bereich = Anlegen(std::move(node), parent, 2, zeigen, GetFormVerw());
    if (bereich == nullptr)
        return false;
    CreateAzMelder(owner, bereich, MelderArt::Ueberfall, zeigen);
    return true;
}

bool TDeviceInstanzAz::CreateAzSabotageKontakt(HWND owner, TDataBasis* parent, bool zeigen)
{
    LOG_FKT("TDeviceInstanzAz::CreateAzSabotageKontakt");
    if (FindeKind(parent, AzTyp::SabotageKontakt) != nullptr)
        return false;
    auto node = Neu<TAzSabotageKontakt>(owner, parent, SprAz::Txt10083);
    if (!node)
        return false;
    TDataBasis* kontakt = Anlegen(std::move(node), parent, 4, zeigen, GetFormVerw());
    if (kontakt == nullptr)
        return false;
    SchalteObjekte(kontakt, 1, ObjektNr::SabotageKontakt);
    SetzeAuswahlGrenze(ObjektNr::KomSabotageKontakt);
    return true;
}

bool TDeviceInstanzAz::CreateSicherungsBereich1(HWND owner, TDataBasis* parent, bool zeigen, int16_t typ)
{
    LOG_FKT("TDeviceInstanzAz::CreateSicherungsBereich1");
    const int n = typ - (AzTyp::SicherungsBereich1 - 1);
    if (n < 1 || n > 4)
        return false;
    TEditorHost& host = GetHost();
    const bool fortschritt = !m_aufbau;
    const std::string text = SprAz::Txt10217 + std::to_string(n) + " " + SprAz::Txt10218;
    int schritt = 0;
    auto weiter = [&] {
        if (fortschritt)
            host.SetDlgProgress(++schritt, text);
    };
    auto ende = [&](bool ergebnis) {
        if (fortschritt)
            host.StopDlgProgress();
        return ergebnis;
    };
    if (fortschritt)
        host.StartDlgProgress(SprAz::Txt10216, text, 0, 5, 1);
    if (FindeKind(parent, typ) != nullptr)
        return ende(true);
    std::unique_ptr<TDataBasis> node;
    switch (n) {
    case 1:
        node = Neu<TAzSicherungsBereich1>(owner, parent, SicherungsBereichName(n));
        break;
    case 2:
        node = Neu<TAzSicherungsBereich2>(owner, parent, SicherungsBereichName(n));
        break;
    case 3:
        node = Neu<TAzSicherungsBereich3>(owner, parent, SicherungsBereichName(n));
        break;
    default:
        node = Neu<TAzSicherungsBereich4>(owner, parent, SicherungsBereichName(n));
        break;
    }
    if (!node)
        return ende(false);
    weiter();
    TDataBasis* bereich = Anlegen(std::move(node), parent, 4 + n, zeigen, GetFormVerw());
    if (bereich == nullptr)
        return ende(false);
    weiter();
    CreateAzMelder(owner, bereich, static_cast<uint8_t>(MelderArt::Sb1 + n - 1), zeigen);
    weiter();
    return ende(true);
}

bool TDeviceInstanzAz::CreateAzMelder(HWND owner, TDataBasis* parent, uint8_t art, bool zeigen)
{
    LOG_FKT("TDeviceInstanzAz::CreateAzMelder");
    return MelderAnlegen(owner, parent, art, zeigen, false, nullptr);
}

TAzMelder* TDeviceInstanzAz::CreateAzMelderForPaste(HWND owner, TDataBasis* parent, uint8_t art, bool zeigen)
{
    LOG_FKT("TDeviceInstanzAz::CreateAzMelderForPaste");
    TAzMelder* neu = nullptr;
    return MelderAnlegen(owner, parent, art, zeigen, true, &neu) ? neu : nullptr;
}

bool TDeviceInstanzAz::MelderAnlegen(HWND owner, TDataBasis* parent, uint8_t art, bool zeigen, bool fuerPaste,
                                     TAzMelder** neu)
{
    if (parent == nullptr || art > 6)
        return false;
    const bool verdrahtet = art == MelderArt::Verdrahtet;
    auto voll = [this] {
        Meldung(TextEingaengeVoll, CaptionAchtung, MB_ICONERROR);
        return false;
    };
    // The wired input is always made (it has a number of its own); a paste counts it too.
    if (fuerPaste ? m_eingaenge > kMaxMelderNr : (m_eingaenge >= kMaxEingaenge && !verdrahtet))
        return voll();
    PumpMessages();
    int32_t nr = 0;
    int position = 3;
    if (!verdrahtet) {
        nr = GetNextFreeMelderNr();
        // Number 0 is the wired input's: with no number free there is no input to make.
        if (nr == 0)
            return voll();
        position = fuerPaste ? 1 : nr;
    }
    PumpMessages();
    int objektArt = 0;
    int objektNr = 0;
    switch (art) {
    case MelderArt::Feuer:
        objektArt = 5;
        objektNr = MelderObjektNr(nr);
        break;
    case MelderArt::Ueberfall:
        objektArt = 6;
        objektNr = MelderObjektNr(nr);
        break;
    case MelderArt::Verdrahtet:
        objektArt = 1;
        objektNr = ObjektNr::VerdrahteterMelder;
        break;
    default:
        objektArt = art - 2;
        objektNr = MelderObjektNr(nr);
        break;
    }
    auto node = Neu<TAzMelder>(owner, parent, MelderName(art));
    if (!node) {
        if (!verdrahtet)
            m_melderNrUsed.remove(nr);
        return false;
    }
    if (verdrahtet && !fuerPaste)
        if (TAzSystem* system = GetPointerInstAzSystem())
            node->SetVarianteAz(system->GetParamVarianteAz());
    node->SetMelderBereich(static_cast<T_DB_EnumAzMelder::TEnumMelder>(art));
    node->SetMelderNr(nr);
    TAzMelder* melder = Anlegen(std::move(node), parent, position, zeigen, GetHost().GetActiveFormVerv());
    if (melder == nullptr) {
        if (!verdrahtet)
            m_melderNrUsed.remove(nr);
        return false;
    }
    ++m_eingaenge;
    const bool objekte = SchalteObjekte(melder, objektArt, objektNr, -100);
    if (!objekte && !fuerPaste)
        Meldung(SprAz::Txt10290, SprAz::Txt10291, MB_OK);
    // Its object (its first child) takes one group address, the wired input's too: the limit
    // the alignment gives every input after a load (AuswahlGrenze).
    if (auto* objekt = dynamic_cast<TObjektBasis*>(FindHandle(GetFirstChild(melder))))
        SetzeAuswahlGrenze(*objekt);
    ModifyAzStatusleisteAnzahlMedler();
    if (neu != nullptr)
        *neu = melder;
    return true;
}

// ---- Arming --------------------------------------------------------------------------------------

bool TDeviceInstanzAz::CreateScharfschaltBereich(HWND owner, TDataBasis* parent, bool zeigen, int16_t typ)
{
    LOG_FKT("TDeviceInstanzAz::CreateScharfschaltBereich");
    const int n = typ - (AzTyp::ScharfschaltBereich1 - 1);
    if (n < 1 || n > 4)
        return false;
    if (FindeKind(parent, typ) != nullptr)
        return true;
    std::unique_ptr<TDataBasis> node;
    switch (n) {
    case 1:
        node = Neu<TAzScharfschaltBereich1>(owner, parent, ScharfschaltBereichName(n));
        break;
    case 2:
        node = Neu<TAzScharfschaltBereich2>(owner, parent, ScharfschaltBereichName(n));
        break;
    case 3:
        node = Neu<TAzScharfschaltBereich3>(owner, parent, ScharfschaltBereichName(n));
        break;
    default:
        node = Neu<TAzScharfschaltBereich4>(owner, parent, ScharfschaltBereichName(n));
        break;
    }
    if (!node)
        return false;
    TDataBasis* bereich = Anlegen(std::move(node), parent, n, zeigen, GetFormVerw());
    if (bereich == nullptr)
        return false;
    CreateScharfschaltungSsb(owner, bereich, zeigen, static_cast<uint8_t>(n));
    CreateScharfUnscharfQuittierungSsb(owner, bereich, zeigen, static_cast<uint8_t>(n));
    return true;
}

bool TDeviceInstanzAz::CreateScharfschaltungSsb(HWND owner, TDataBasis* parent, bool zeigen, uint8_t bereich)
{
    LOG_FKT("TDeviceInstanzAz::CreateScharfschaltungSsb");
    auto node = Neu<TAzScharfschaltungSsb>(owner, parent, SprAz::Txt10096 + " " + std::to_string(bereich));
    if (!node)
        return false;
    // Refused for an area outside 1..4: the node is given back and no record is made.
    if (!node->SetScharfschaltBereich(static_cast<TAzScharfschaltungSsb::TEnumScharfschaltBereich>(bereich))) {
        GetEibHandle()->Release(node->GetHandle());
        return false;
    }
    TAzScharfschaltungSsb* ssb = Anlegen(std::move(node), parent, 1, zeigen, GetFormVerw());
    if (ssb == nullptr)
        return false;
    SchalteObjekte(ssb, 1, ObjektNr::ScharfschaltungSsb(bereich));
    SetzeAuswahlGrenze(ObjektNr::KomScharfschaltWunsch(bereich));
    return true;
}

bool TDeviceInstanzAz::CreateScharfUnscharfQuittierungSsb(HWND owner, TDataBasis* parent, bool zeigen,
                                                          uint8_t bereich)
{
    LOG_FKT("TDeviceInstanzAz::CreateScharfUnscharfQuittierungSsb");
    if (!BereichOk(bereich))
        return false;
    auto node = Neu<TAzScharfUnscharfQuittierungSsb>(owner, parent, SprAz::Txt10100 + " " + std::to_string(bereich));
    if (!node)
        return false;
    node->SetScharfschaltBereich(static_cast<TAzScharfUnscharfQuittierungSsb::TEnumScharfschaltBereich>(bereich));
    TAzScharfUnscharfQuittierungSsb* quittierung = Anlegen(std::move(node), parent, 2, zeigen, GetFormVerw());
    if (quittierung == nullptr)
        return false;
    SchalteObjekte(quittierung, 1, ObjektNr::ScharfUnscharfQuittierungSsb(bereich));
    m_uegScharf[bereich - 1u] = quittierung->GetStatusSignUegScharf();
    return true;
}
