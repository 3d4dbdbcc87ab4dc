// TDeviceInstanzAz: the requests the configuration nodes send to the main window
// (UM_UserDeviceMessage, UM_UserObjectMessage), answered for the current instance.
//
// The sender waits for the answer and reads the request afterwards; nothing here may throw
// back into it. Value fields as the nodes fill them: Wert4 .. Wert8 carry the first to fifth
// value, Wert3 the pointer of the code (string list, text or result list).

#include "miraval/devinst/DevInstAz.h"

#include "miraval/devinst/DevInstAz_p.h"
#include "miraval/devinst/EditorHost.h"
#include "quillon/CursorHourGlass.h"
#include "quillon/ObjektInfo.h"
#include "quillon/UserMessages.h"
#include "quillon/VireoGrpAdrSub.h"
#include "tamsel/Tamsel.h"
#include "tessarin/AzAnzeige.h"
#include "tessarin/AzEditierbareTexte.h"
#include "tessarin/AzMelder.h"
#include "tessarin/AzOrdnerAnzeige.h"
#include "tessarin/AzScharfschaltungSsb.h"
#include "tessarin/AzSystem.h"
#include "tessarin/SprAz.h"
#include "vcl/StringList.h"
#include "win32/MessageBox.h"

#include <array>

namespace {

// Request codes of UM_UserDeviceMessage.
enum : uint8_t {
    kVarianteWaehlen = 0,
    kMelderTexteLiefern = 1,
    kMelderTextBenutzt = 2,
    kMelderTexteVerteilen = 3,
    kVarianteAnwenden = 4,
    kAnzeigeBereicheWaehlen = 5,
    kPhysAdrSeWaehlen = 6,
    kSaboSeAnmelden = 7,
    kSaboSeAbmelden = 8,
    kSaboSeListe = 9,
    kSaboSeVerknuepft = 10,
    kPhysAdrSeGeaendert = 11,
    kUegScharfText = 12,
    kUegScharfSetzen = 13,
    kAnzeigeSchalten = 14,
    kUeberwachungSchalten = 15,
    kUhrSchalten = 16,
    kUegEinbruchText = 17,
    kUegEinbruchSetzen = 18,
    kQuittierungMelder = 19,
};

// Request codes of UM_UserObjectMessage.
enum : uint8_t {
    kObjekteDerGruppe = 6,
    kObjekteSchalten = 8,
    kObjekteDesParameters = 9,
    kStandardName = 15,
};

constexpr int kTypGrpAdrSub = 5003;
constexpr int kModalOk = 1;

// The sender's type: its node's, else its record's; 0 when it has neither.
int SenderTyp(const TUserDeviceRequest& r)
{
    if (r.Sender != nullptr)
        return r.Sender->GetTyp();
    if (r.Datensatz != nullptr)
        return r.Datensatz->Typ;
    return 0;
}

uint8_t LowByte(int32_t wert)
{
    return static_cast<uint8_t>(wert & 0xFF);
}

template <class T> T* Zeiger(const TUserDeviceRequest& r)
{
    return reinterpret_cast<T*>(r.Wert3);
}

LRESULT Antwort(bool ok)
{
    return ok ? 1 : 0;
}

// "SSB1 / SSB3": the areas whose flag is set, in area order.
std::string Bereiche(const std::array<bool, TDeviceInstanzAz::kAnzahlBereiche>& flags)
{
    std::string text;
    for (std::size_t i = 0; i < flags.size(); ++i) {
        if (!flags[i])
            continue;
        if (!text.empty())
            text += " / ";
        text += "SSB" + std::to_string(i + 1);
    }
    return text;
}

} // namespace

LRESULT TDeviceInstanzAz::UserDeviceMessage(HWND owner, TUserDeviceRequest* request)
{
    LOG_FKT("TDeviceInstanzAz::UserDeviceMessage");
    if (request == nullptr)
        return 0;
    try {
        return GeraeteAnfrage(owner, *request);
    } catch (const E_InstVerw& e) {
        e.WriteMessage();
        return 0;
    }
}

LRESULT TDeviceInstanzAz::UserDeviceMessage(TUserDeviceRequest* request)
{
    LOG_FKT("TDeviceInstanzAz::UserDeviceMessage");
    if (request == nullptr)
        return 0;
    try {
        return ObjektAnfrage(*request);
    } catch (const E_InstVerw& e) {
        e.WriteMessage();
        return 0;
    }
}

LRESULT TDeviceInstanzAz::GeraeteAnfrage(HWND owner, TUserDeviceRequest& r)
{
    TDataBasis* const sender = r.Sender;
    switch (SenderTyp(r)) {
    case AzTyp::System:
        if (r.Code == kVarianteWaehlen) {
            VarianteWaehlen(r);
        } else if (r.Code == kVarianteAnwenden && sender != nullptr) {
            TDataBasis* ordnerSB = GetPointerInstOrdnerSB(sender);
            TDataBasis* ordnerSS = GetPointerInstOrdnerSS(sender);
            TDataBasis* ordnerAlarmierung = GetPointerInstOrdnerAlarmierung(sender);
            TDataBasis* ordnerAnzeige = GetPointerInstOrdnerAnzeige();
            if (ordnerSB == nullptr)
                return 0;
            return Antwort(ModifyVarianteAz(owner, ordnerSB, r.Wert4, static_cast<uint32_t>(r.Wert8), ordnerAnzeige,
                                            ordnerAlarmierung, ordnerSS));
        }
        return 0;

    case AzTyp::EditierbareTexte:
        if (r.Code == kMelderTextBenutzt) {
            for (const auto& [handle, node] : GetKnoten())
                if (const auto* melder = dynamic_cast<const TAzMelder*>(node.get()))
                    if (melder->MelderTextUsed(r.Wert4))
                        return 1;
        } else if (r.Code == kMelderTexteVerteilen) {
            auto* liste = Zeiger<TStringList>(r);
            if (liste == nullptr)
                return 0;
            for (const auto& [handle, node] : GetKnoten())
                if (auto* melder = dynamic_cast<TAzMelder*>(node.get()))
                    melder->SetMelderTextListe(liste);
            return 1;
        }
        return 0;

    case AzTyp::Melder: {
        const int32_t melderNr = r.Wert4;
        switch (r.Code) {
        case kMelderTexteLiefern: {
            auto* ziel = Zeiger<TStringList>(r);
            if (ziel == nullptr)
                return 0;
            TAzEditierbareTexte* texte = GetPointerInstEdtitierbareTexte(owner, sender);
            if (texte == nullptr)
                return 0;
            TStringList liste;
            texte->GetMelderTextListe(&liste);
            *ziel = liste;
            return 1;
        }
        case kSaboSeAnmelden:
            return Antwort(SetMelderSaboSeToList(melderNr, LowByte(r.Wert5)));
        case kSaboSeAbmelden:
            if (BereichOk(r.Wert5))
                if (TAzScharfschaltungSsb* ssb = GetPointerInstScharfschaltungSsb(static_cast<uint8_t>(r.Wert5)))
                    ssb->UnlinkMelderNrSaboSe(melderNr);
            return Antwort(ClearMelderSaboSeFromList(melderNr, LowByte(r.Wert5)));
        case kSaboSeVerknuepft:
            if (BereichOk(r.Wert5))
                if (TAzScharfschaltungSsb* ssb = GetPointerInstScharfschaltungSsb(static_cast<uint8_t>(r.Wert5)))
                    return Antwort(ssb->CheckMelderSaboSeLinked(melderNr));
            return 0;
        default:
            return 0;
        }
    }

    case AzTyp::ScharfschaltungSsb:
        switch (r.Code) {
        case kPhysAdrSeWaehlen:
            PhysAdrSeWaehlen(r);
            return 0;
        case kSaboSeListe:
            // The sender's alignment counts on the answer 0.
            if (auto* ssb = dynamic_cast<TAzScharfschaltungSsb*>(sender); ssb != nullptr && BereichOk(r.Wert4))
                ssb->UpdateListeMelderNrSaboSeSb(GetSaboSe()[static_cast<std::size_t>(r.Wert4 - 1)]);
            return 0;
        case kPhysAdrSeGeaendert:
            return Antwort(UpdatePhysAdrUsedSsbFromList(r.Wert5, r.Wert6, LowByte(r.Wert4)));
        default:
            return 0;
        }

    case AzTyp::ScharfUnscharfQuittierungSsb:
        if (r.Code == kUegScharfText) {
            r.Text = CreateStrUeGScharfUsedFromSsb();
            return 1;
        }
        if (r.Code == kUegScharfSetzen && BereichOk(r.Wert4)) {
            GetUegScharf()[static_cast<std::size_t>(r.Wert4 - 1)] = LowByte(r.Wert7) != 0;
            return 1;
        }
        return 0;

    case AzTyp::Alarmierung:
        if (r.Code == kUegEinbruchText) {
            r.Text = CreateStrUeGEinbruchUsedFromAlarmierung();
            return 1;
        }
        // Alarm types 3..6 are the alarms of areas 1..4.
        if (r.Code == kUegEinbruchSetzen && BereichOk(r.Wert4 - 2)) {
            GetUegEinbruch()[static_cast<std::size_t>(r.Wert4 - 3)] = LowByte(r.Wert7) != 0;
            return 1;
        }
        return 0;

    case AzTyp::Anzeige:
        switch (r.Code) {
        case kAnzeigeBereicheWaehlen:
            AnzeigeBereicheWaehlen(r);
            return 0;
        case kAnzeigeSchalten:
            if (sender == nullptr || r.Wert5 < 0 || r.Wert5 > 3)
                return 0;
            return Antwort(SchalteObjekte(sender, r.Wert4 != 0 ? 1 : 0, ObjektNr::Anzeige(r.Wert5)));
        case kQuittierungMelder:
            if (TAzOrdnerAnzeige* ordner = GetPointerInstOrdnerAnzeige())
                ordner->ModifyQuittierungMelder(
                    r.Wert4, static_cast<TAzAnzeige::TEnumAnzeigeNr>(static_cast<int8_t>(LowByte(r.Wert5))));
            return 0;
        default:
            return 0;
        }

    case AzTyp::EibAlarmSystemSicherheit:
        if (r.Code != kUeberwachungSchalten || sender == nullptr)
            return 0;
        if (r.Wert4 != 0) {
            SchalteObjekte(sender, 1, ObjektNr::Heartbeat);
            SetzeAuswahlGrenze(ObjektNr::KomHeartbeat);
        } else {
            SchalteObjekte(sender, 0, ObjektNr::Heartbeat);
        }
        return 0;

    case AzTyp::DatumUhrzeit:
        if (r.Code != kUhrSchalten || sender == nullptr)
            return 0;
        return Antwort(SchalteObjekte(sender, r.Wert4 != 0 ? 1 : 0, ObjektNr::DatumUhrzeit));

    default:
        return 0;
    }
}

LRESULT TDeviceInstanzAz::ObjektAnfrage(TUserDeviceRequest& r)
{
    const int typ = SenderTyp(r);
    if (typ == 0)
        return 0;
    if (typ == kTypGrpAdrSub) {
        if (r.Code != kObjekteDerGruppe)
            return 0;
        auto* gruppe = dynamic_cast<TVireoGrpAdrSub*>(r.Sender);
        auto* zeilen = Zeiger<TObjektInfoListe>(r);
        if (gruppe == nullptr || zeilen == nullptr)
            return 0;
        return Antwort(GetObjektDataFromSubGroup(gruppe, *zeilen));
    }
    switch (r.Code) {
    case kObjekteSchalten:
        // Refused before anything is written to ETS: the objects would have no parent.
        if (r.Sender == nullptr)
            return 0;
        return Antwort(AddEtsObjectByDisplayOrder(static_cast<int16_t>(r.Wert5 & 0xFFFF), r.Wert6, r.Wert7, r.Sender,
                                                  LowByte(r.Wert8) != 0));
    case kObjekteDesParameters: {
        auto* objekte = Zeiger<std::list<TObjektBasis*>>(r);
        if (objekte == nullptr)
            return 0;
        return Antwort(GetEtsObjectByDisplayOrder(static_cast<int16_t>(r.Wert5 & 0xFFFF), &r.Wert4, *objekte));
    }
    case kStandardName:
        if (r.Sender == nullptr || r.Wert3 == 0)
            return 0;
        return Antwort(GetDefaultName(r.Sender, Zeiger<std::string>(r)));
    default:
        return 0;
    }
}

// ---- Dialogs -------------------------------------------------------------------------------------

void TDeviceInstanzAz::VarianteWaehlen(TUserDeviceRequest& r)
{
    LOG_FKT("TDeviceInstanzAz::VarianteWaehlen");
    auto* system = dynamic_cast<TAzSystem*>(r.Sender);
    if (system == nullptr)
        return;
    uint32_t variante = 0;
    std::string hilfeDatei;
    {
        TCursorHourGlass sanduhr;
        variante = system->GetParamVarianteAz();
        hilfeDatei = GetHost().GetProgrammOrdner() + SprAz::Txt10184;
    }
    if (GetHost().DlgDefinitionAlarmzentrale(variante, hilfeDatei) == kModalOk)
        system->SetParamVarianteAz(variante);
}

void TDeviceInstanzAz::AnzeigeBereicheWaehlen(TUserDeviceRequest& r)
{
    LOG_FKT("TDeviceInstanzAz::AnzeigeBereicheWaehlen");
    auto* system = dynamic_cast<TAzSystem*>(GetDevice());
    auto* anzeige = dynamic_cast<TAzAnzeige*>(r.Sender);
    if (system == nullptr || anzeige == nullptr)
        return;
    uint32_t variante = 0;
    std::string caption;
    {
        TCursorHourGlass sanduhr;
        variante = system->GetParamVarianteAz();
        caption = anzeige->GetName(false);
    }
    int32_t maske = r.Wert4;
    if (GetHost().DlgAnzeige(caption, SprAz::Txt10178, maske, variante) != kModalOk)
        return;
    r.Wert4 = maske;
    anzeige->SetAnzeigeSsb(maske);
}

void TDeviceInstanzAz::PhysAdrSeWaehlen(TUserDeviceRequest& r)
{
    LOG_FKT("TDeviceInstanzAz::PhysAdrSeWaehlen");
    const int32_t bereich = r.Wert4;
    if (!BereichOk(bereich))
        return;
    const std::string caption = SprAz::Txt10091 + " " + SprAz::Txt10116 + " " + std::to_string(bereich);
    std::list<int32_t> benutzt;
    std::list<TPhysAdrEintrag> geraete;
    bool verknuepft = false;
    {
        TCursorHourGlass sanduhr;
        benutzt = GetPhysAdrSe()[static_cast<std::size_t>(bereich - 1)];
        TObjektBasis* objekt = GetObjectFromObjectNr(ObjektNr::KomScharfschaltWunsch(bereich));
        if (objekt == nullptr)
            return;
        const std::vector<TObjektBasis::RecGrpAdrId> links = objekt->GetSubGroupLinks();
        verknuepft = !links.empty();
        if (verknuepft)
            geraete = GetDevicePhysAdrLinkedWithGrpAdr(links);
    }

    if (verknuepft) {
        if (geraete.empty()) {
            Meldung(SprAz::Txt10200, SprAz::Txt10201, MB_OK);
            return;
        }
        TPhysAdrEintrag auswahl{r.Wert5, r.Text};
        if (GetHost().DlgSelPhysAdrSe(auswahl, geraete, benutzt) == kModalOk) {
            r.Text = auswahl.Text;
            r.Wert5 = auswahl.Adresse;
        }
        return;
    }

    // No group address links the arming input to a switching device any more: addresses kept
    // from earlier cannot be switched by anything.
    TAzScharfschaltungSsb* ssb = GetPointerInstScharfschaltungSsb(static_cast<uint8_t>(bereich));
    if (ssb == nullptr)
        return;
    bool gesetzt = false;
    for (int se = 1; se <= 4; ++se)
        gesetzt = gesetzt || ssb->GetPhysAdrSe(se) != 0;
    if (!gesetzt) {
        Meldung(SprAz::Txt10197, SprAz::Txt10198, MB_OK);
        return;
    }
    if (Meldung(SprAz::Txt10254, caption, MB_YESNO) != IDYES)
        return;
    for (int se = 1; se <= 4; ++se)
        ssb->ClearPhysAdrSeAndMelderNrSe(se);
    GetPhysAdrSe()[static_cast<std::size_t>(bereich - 1)].clear();
    r.Text.clear();
    r.Wert5 = 0;
}

// ---- Texts of the transmission-unit flags -------------------------------------------------------

std::string TDeviceInstanzAz::CreateStrUeGScharfUsedFromSsb() const
{
    LOG_FKT("TDeviceInstanzAz::CreateStrUeGScharfUsedFromSsb");
    return Bereiche(m_uegScharf);
}

std::string TDeviceInstanzAz::CreateStrUeGEinbruchUsedFromAlarmierung() const
{
    LOG_FKT("TDeviceInstanzAz::CreateStrUeGEinbruchUsedFromAlarmierung");
    return Bereiche(m_uegEinbruch);
}
