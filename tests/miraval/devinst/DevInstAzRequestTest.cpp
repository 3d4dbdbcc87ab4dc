// The nodes' requests to the alarm-centre instance (both overloads of UserDeviceMessage) and
// the devices offered as switching devices of an arming area.

#include "DevInstAzUmgebung.h"

#include "platform/kestrin/EtsTestProject.h"
#include "quillon/EtsObjekt.h"
#include "quillon/ObjektInfo.h"
#include "quillon/VireoGrpAdrSub.h"
#include "support/Zeilenname.h"
#include "tessarin/AzAnzeige.h"
#include "tessarin/AzOrdnerAnzeige.h"
#include "tessarin/AzScharfschaltungSsb.h"
#include "tessarin/AzSystem.h"
#include "vcl/StringList.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// The second overload's operations that are not built yet, recorded; each answers true.
class TAufzeichner : public TDeviceInstanzAz {
public:
    using TDeviceInstanzAz::TDeviceInstanzAz;
    bool GetObjektDataFromSubGroup(TVireoGrpAdrSub*, std::list<TObjektInfo>&) override { return Log("Gruppe"); }
    bool AddEtsObjectByDisplayOrder(int16_t parameter, int32_t wert, int32_t offset, TDataBasis*, bool frage) override
    {
        if (werfen)
            throw E_InstVerw(E_InstVerw::kUnknownSystem, __LINE__, __FILE__, "Test", "kaputt");
        return Log("Add " + std::to_string(parameter) + " " + std::to_string(wert) + " " + std::to_string(offset) +
                   " " + std::to_string(frage));
    }
    bool GetEtsObjectByDisplayOrder(int16_t parameter, int32_t* wert, std::list<TObjektBasis*>&) override
    {
        return Log("Get " + std::to_string(parameter) + " " + std::to_string(*wert));
    }
    bool Log(std::string zeile) { return aufrufe.emplace_back(std::move(zeile)), true; }
    std::vector<std::string> aufrufe;
    bool werfen = false;
};

struct Anfrage : ::testing::Test {
    Anfrage()
    {
        EXPECT_TRUE(u.inst.CreateNewDevice(u.host.GetHandle()));
        u.anfragen.clear();
    }

    // The first registered node of the type.
    TDataBasis* Knoten(int typ) { return u.inst.FindHandle(u.Knoten(typ).at(0)); }
    TUserDeviceRequest Request(int typ, uint8_t code, std::array<int32_t, 5> werte = {})
    {
        TUserDeviceRequest r;
        r.Code = code;
        r.Sender = Knoten(typ);
        r.Handle = r.Sender->GetHandle();
        r.Wert4 = werte[0];
        r.Wert5 = werte[1];
        r.Wert6 = werte[2];
        r.Wert7 = werte[3];
        r.Wert8 = werte[4];
        return r;
    }
    LRESULT Senden(TUserDeviceRequest& r) { return u.inst.UserDeviceMessage(u.host.GetHandle(), &r); }

    TEtsTestProject project;
    TAzUmgebung u{&project.ets};
    TAufzeichner rec{u.host, AzGeraet(), nullptr};
};

// ---- First overload: each code's answer and effect ---------------------------------------------

using T = Anfrage;
using R = TUserDeviceRequest;
struct TCodeZeile {
    const char* name;
    int typ;
    uint8_t code;
    std::array<int32_t, 5> werte; // Wert4 .. Wert8
    LRESULT antwort;
    std::function<void(T&, const R&)> pruefen;
};

// The sender's objects were switched once: (on/off, object number).
std::function<void(T&, const R&)> Objekte(int32_t wert, int32_t nummer)
{
    return [=](T& t, const R& r) { EXPECT_EQ(t.u.anfragen, (std::vector<TObjektAnfrage>{{r.Handle, wert, nummer, 0}})); };
}

struct Codes : Anfrage, ::testing::WithParamInterface<TCodeZeile> {};

TEST_P(Codes, AnswerAndEffect)
{
    const TCodeZeile& z = GetParam();
    u.inst.GetUegScharf() = {true, false, true, false};
    u.inst.GetUegEinbruch() = {false, true, false, false};
    u.inst.GetSaboSe()[0] = {3};
    TUserDeviceRequest r = Request(z.typ, z.code, z.werte);
    TStringList liste;
    liste.Add("alt");
    r.Wert3 = reinterpret_cast<std::intptr_t>(&liste);
    EXPECT_EQ(Senden(r), z.antwort);
    if (z.pruefen)
        z.pruefen(*this, r);
    if (z.code == 1) {
        EXPECT_EQ(liste.Count(), 0) << "the text node keeps no detector texts";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Tabelle, Codes,
    ::testing::Values(
        TCodeZeile{"VariantApplied", 105, 4, {0, 0, 0, 0, 0x11000000}, 1,
                   [](T& t, const R& r) {
                       EXPECT_EQ(r.Wert4, 1);
                       EXPECT_TRUE(t.u.Knoten(6128).empty()) << "SB 2";
                   }},
        TCodeZeile{"TextUsed", 6121, 2, {0}, 1, {}}, TCodeZeile{"TextsDelivered", 6124, 1, {}, 1, {}},
        TCodeZeile{"SaboSeAdded", 6124, 7, {5, 0x101}, 1,
                   [](T& t, const R&) { EXPECT_EQ(t.u.inst.GetSaboSe()[0], (std::list<int32_t>{3, 5})); }},
        TCodeZeile{"SaboSeRemoved", 6124, 8, {3, 1}, 1,
                   [](T& t, const R&) { EXPECT_TRUE(t.u.inst.GetSaboSe()[0].empty()); }},
        TCodeZeile{"SaboSeNotLinked", 6124, 10, {3, 1}, 0, {}},
        TCodeZeile{"SaboSeListHandedOver", 6136, 9, {1}, 0,
                   [](T&, const R& r) {
                       EXPECT_EQ(static_cast<TAzScharfschaltungSsb*>(r.Sender)->GetListeMelderNrSaboSe(),
                                 (std::list<int32_t>{3}));
                   }},
        TCodeZeile{"PhysAdrUsedUpdated", 6136, 11, {1, 0x1203, 0}, 1,
                   [](T& t, const R&) { EXPECT_EQ(t.u.inst.GetPhysAdrSe()[0], (std::list<int32_t>{0x1203})); }},
        TCodeZeile{"UegScharfText", 6137, 12, {}, 1, [](T&, const R& r) { EXPECT_EQ(r.Text, "SSB1 / SSB3"); }},
        TCodeZeile{"UegScharfSet", 6137, 13, {2, 0, 0, 0x101}, 1,
                   [](T& t, const R&) { EXPECT_EQ(t.u.inst.GetUegScharf(), (std::array{true, true, true, false})); }},
        TCodeZeile{"UegScharfArea5", 6137, 13, {5, 0, 0, 1}, 0,
                   [](T& t, const R&) { EXPECT_EQ(t.u.inst.GetUegScharf(), (std::array{true, false, true, false})); }},
        TCodeZeile{"UegEinbruchText", 6138, 17, {}, 1, [](T&, const R& r) { EXPECT_EQ(r.Text, "SSB2"); }},
        TCodeZeile{"UegEinbruchType6IsArea4", 6138, 18, {6, 0, 0, 1}, 1,
                   [](T& t, const R&) { EXPECT_EQ(t.u.inst.GetUegEinbruch(), (std::array{false, true, false, true})); }},
        TCodeZeile{"DisplayObjectsOn", 6143, 14, {1, 2}, 1, Objekte(1, 6300)},
        TCodeZeile{"DisplayNumber4", 6143, 14, {1, 4}, 0, [](T& t, const R&) { EXPECT_TRUE(t.u.anfragen.empty()); }},
        TCodeZeile{"DisplayAcknowledgement", 6143, 19, {0x21, 0x102}, 0,
                   [](T& t, const R&) {
                       EXPECT_EQ(t.u.inst.GetPointerInstOrdnerAnzeige()->GetQuittierungMelder() & 0x21, 0x21);
                   }},
        TCodeZeile{"MonitoringOn", 6145, 15, {1}, 0, Objekte(1, 7150)},
        TCodeZeile{"ClockOff", 6147, 16, {0}, 1, Objekte(0, 8000)}, TCodeZeile{"NoCase", 105, 99, {}, 0, {}}),
    TZeilenName());

// ---- Null fields --------------------------------------------------------------------------------

struct TNullZeile {
    const char* name;
    int overload;
    int typ;       // a registered node of the type, or (ohneSender) only its record type
    uint8_t code;
    bool ohneSender;
    bool ohnePointer;
};
struct NullFelder : Anfrage, ::testing::WithParamInterface<TNullZeile> {};

TEST_P(NullFelder, AreRefusedBeforeAnythingIsDone)
{
    const TNullZeile& z = GetParam();
    TVireoGrpAdrSub gruppe(u.host.GetHandle(), 0, 0, "1/2/5", 1, nullptr);
    TDatenStruktur satz;
    satz.Typ = static_cast<int16_t>(z.typ);
    TUserDeviceRequest r;
    r.Code = z.code;
    r.Sender = z.ohneSender ? nullptr : z.typ == 5003 ? &gruppe : Knoten(z.typ);
    r.Datensatz = &satz;
    r.Wert4 = r.Wert6 = 1;
    std::string text;
    if (!z.ohnePointer)
        r.Wert3 = reinterpret_cast<std::intptr_t>(&text); // never read: the case refuses first
    EXPECT_EQ(z.overload == 1 ? Senden(r) : rec.UserDeviceMessage(&r), 0);
    EXPECT_TRUE(u.anfragen.empty());
    EXPECT_TRUE(rec.aufrufe.empty());
    EXPECT_EQ(u.boxen.Count(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Tabelle, NullFelder,
    ::testing::Values(TNullZeile{"TextsWithoutList", 1, 6124, 1, false, true},
                      TNullZeile{"SpreadWithoutList", 1, 6121, 3, false, true},
                      TNullZeile{"VariantWithoutSender", 1, 105, 4, true, false},
                      TNullZeile{"SaboSeListWithoutSender", 1, 6136, 9, true, false},
                      TNullZeile{"DisplayWithoutSender", 1, 6143, 14, true, false},
                      TNullZeile{"MonitoringWithoutSender", 1, 6145, 15, true, false},
                      TNullZeile{"ClockWithoutSender", 1, 6147, 16, true, false},
                      TNullZeile{"GroupObjectsWithoutList", 2, 5003, 6, false, true},
                      TNullZeile{"GroupObjectsWithoutSender", 2, 5003, 6, true, false},
                      TNullZeile{"ObjectsWithoutParent", 2, 6139, 8, true, false},
                      TNullZeile{"ParameterObjectsWithoutList", 2, 6139, 9, false, true},
                      TNullZeile{"NameWithoutSender", 2, 6139, 15, true, false},
                      TNullZeile{"NameWithoutText", 2, 6139, 15, false, true}),
    TZeilenName());

TEST_F(Anfrage, TheRecordNamesTheSenderWhenThereIsNoNode)
{
    EXPECT_EQ(u.inst.UserDeviceMessage(u.host.GetHandle(), nullptr), 0);
    EXPECT_EQ(u.inst.UserDeviceMessage(nullptr), 0);
    TUserDeviceRequest r;
    r.Code = 3;
    TStringList liste;
    r.Wert3 = reinterpret_cast<std::intptr_t>(&liste);
    EXPECT_EQ(Senden(r), 0) << "neither node nor record";
    TDatenStruktur satz;
    satz.Typ = 6121;
    r.Datensatz = &satz;
    EXPECT_EQ(Senden(r), 1);
}

TEST_F(Anfrage, AStructuralFaultIsShownAndAnswered0)
{
    // A system node of a System the instance has no records of.
    TAzSystem fremd(u.host.GetHandle(), 999, 0, "Fremd", 0, 0, 0);
    TUserDeviceRequest r;
    r.Code = 4;
    r.Sender = &fremd;
    EXPECT_EQ(Senden(r), 0);
    rec.werfen = true;
    r.Code = 8;
    EXPECT_EQ(rec.UserDeviceMessage(&r), 0);
    ASSERT_EQ(u.boxen.Count(), 2u);
    EXPECT_EQ(u.boxen.Shown()[0].caption, "E_InstVerw");
    EXPECT_EQ(u.boxen.Shown()[1].caption, "E_InstVerw");
}

// ---- Second overload ----------------------------------------------------------------------------

TEST_F(Anfrage, ObjectRequestsReachTheirOperations)
{
    TVireoGrpAdrSub gruppe(u.host.GetHandle(), 0, 0, "1/2/5", 1, nullptr);
    TObjektInfoListe zeilen;
    std::list<TObjektBasis*> objekte;
    std::string name;
    struct {
        TDataBasis* sender;
        uint8_t code;
        void* pointer;
        LRESULT antwort;
    } const faelle[] = {
        {&gruppe, 6, &zeilen, 1},         {&gruppe, 8, nullptr, 0},
        {Knoten(6139), 8, nullptr, 1},    {Knoten(6139), 9, &objekte, 1},
        {Knoten(6139), 15, &name, 1},     {Knoten(6139), 13, &name, 0},
    };
    for (const auto& f : faelle) {
        // The parameter is the low 16 bits of Wert5, the question flag the low byte of Wert8.
        TUserDeviceRequest r{0, f.code, f.sender, nullptr, 0, "", 0, 0, reinterpret_cast<std::intptr_t>(f.pointer),
                             2, 0x12345, 3, 100, 0x101};
        EXPECT_EQ(rec.UserDeviceMessage(&r), f.antwort) << int{f.code};
    }
    EXPECT_EQ(rec.aufrufe, (std::vector<std::string>{"Gruppe", "Add 9029 3 100 1", "Get 9029 2"}));
    EXPECT_EQ(name, "Alarmierung");
}

// ---- Dialogs of codes 0 and 5 --------------------------------------------------------------------

struct Dialoge : Anfrage, ::testing::WithParamInterface<int> {};

TEST_P(Dialoge, OnlyOkTakesTheChoice)
{
    const bool ok = GetParam() == 1;
    u.host.dlgAntwort = GetParam();
    u.host.dlgVariante = 0x11000000;
    u.host.dlgMaske = 0x21;

    TUserDeviceRequest variante = Request(105, 0);
    EXPECT_EQ(Senden(variante), 0);
    EXPECT_EQ(u.inst.GetPointerInstAzSystem()->GetParamVarianteAz(), ok ? 0x11000000u : 0x11330000u);

    TUserDeviceRequest bereiche = Request(6143, 5, {3});
    auto* anzeige = static_cast<TAzAnzeige*>(bereiche.Sender);
    const int vorher = anzeige->GetAnzeigeSsb();
    EXPECT_EQ(Senden(bereiche), 0);
    EXPECT_EQ(bereiche.Wert4, ok ? 0x21 : 3);
    EXPECT_EQ(anzeige->GetAnzeigeSsb(), ok ? 0x21 : vorher);

    const std::vector<std::string> erwartet = {
        "DlgDefinitionAlarmzentrale " + std::to_string(0x11330000) + "|/opt/miraval/az_deu.rtf",
        "DlgAnzeige " + anzeige->GetName(false) + "|Die anzuzeigenden Bereiche auswählen.|3|" +
            std::to_string(ok ? 0x11000000 : 0x11330000)};
    EXPECT_EQ(std::vector<std::string>(u.host.calls.end() - 2, u.host.calls.end()), erwartet);
}

INSTANTIATE_TEST_SUITE_P(Antworten, Dialoge, ::testing::Values(1, 2, -1), [](const auto& info) {
    return info.param == 1 ? "Ok" : info.param == 2 ? "Cancel" : "NotMade";
});

// ---- Code 6: the switching device of an arming area ------------------------------------------------

struct Schalteinrichtung : Anfrage {
    // The arming input of SSB 1, linked to the given ETS sub groups.
    void Eingang(std::initializer_list<int32_t> subGroupIds)
    {
        auto objekt = std::make_unique<TEtsObjekt>(u.host.GetHandle(), 1, 1, "Scharfschalt-Eingang", -1, -1, 162, -1,
                                                   0, 0, T_DB_EnumEtsObjekt::TEnumEtsObjektArt{}, ot1Bit,
                                                   T_DB_EnumObjektBasis::ioLesen, 0, 0);
        objekt->SetHandle(500);
        for (int32_t id : subGroupIds)
            objekt->AddSubGroupLink(id, static_cast<uint16_t>(id));
        u.inst.SetPointer2List(std::move(objekt));
    }
    TUserDeviceRequest Waehlen(int32_t bereich)
    {
        TUserDeviceRequest r = Request(6136, 6, {bereich, 0x1203});
        r.Text = "01.02.003";
        EXPECT_EQ(Senden(r), 0);
        return r;
    }
};

TEST_F(Schalteinrichtung, DevicesOnTheArmingAddressesAreOfferedOnceWithoutTheCentre)
{
    // Device 2 (02.00.007) on both addresses, the centre (01.02.003) on 1/2/5, a key switch
    // 01.02.009 on 1/2/6.
    project.Sql("INSERT INTO device (id, line_id, number, product_id, name) VALUES (3, 1, 9, 2, 'Taster');"
                "INSERT INTO device_object (id, device_id, comm_object_id) VALUES (31, 3, 4);"
                "INSERT INTO sub_to_object (sub_group_id, device_object_id) VALUES (2, 21), (1, 13), (2, 31);");
    Eingang({1, 2});
    u.inst.GetPhysAdrSe()[0] = {0x2007};
    u.host.dlgAntwort = 1;
    u.host.dlgAuswahl = {0x1209, "01.02.009"};

    const TUserDeviceRequest r = Waehlen(1);
    EXPECT_EQ(u.host.calls.back(), "DlgSelPhysAdrSe 01.02.003|4611");
    std::string angeboten;
    for (const TPhysAdrEintrag& g : u.host.dlgGeraete)
        angeboten += g.Text + "=" + std::to_string(g.Adresse) + " ";
    EXPECT_EQ(angeboten, "02.00.007=8199 01.02.009=4617 ");
    EXPECT_EQ(u.host.dlgBenutzt, (std::list<int32_t>{0x2007}));
    EXPECT_EQ(r.Wert5, 0x1209);
    EXPECT_EQ(r.Text, "01.02.009");
    EXPECT_EQ(u.boxen.Count(), 0u);
}

TEST_F(Schalteinrichtung, WithNothingToOfferTheUserIsToldOrAsked)
{
    Eingang({3}); // 0/0/1: no device on it
    const std::size_t vorher = u.host.calls.size();
    Waehlen(1);
    Waehlen(5); // no arming area: nothing at all
    u.inst.DeletePointerFromList(u.inst.FindHandle(500));
    Eingang({});
    Waehlen(1); // no link, no address kept
    // No link, but SE 2 keeps an address: asked whether to clear it (yes).
    auto* ssb = u.inst.GetPointerInstScharfschaltungSsb(1);
    TDatenStruktur satz = *u.Satz(ssb->GetHandle());
    satz.Param6 = 0x1203;
    ssb->InitFromDB(satz);
    u.inst.GetPhysAdrSe()[0] = {0x1203};
    const TUserDeviceRequest r = Waehlen(1);
    EXPECT_EQ(ssb->GetPhysAdrSe(2), 0);
    EXPECT_TRUE(u.inst.GetPhysAdrSe()[0].empty());
    EXPECT_EQ(r.Wert5, 0);
    EXPECT_EQ(r.Text, "");

    EXPECT_EQ(u.host.calls.size(), vorher) << "no dialog";
    std::vector<std::string> boxen;
    for (const TShownBox& b : u.boxen.Shown())
        boxen.push_back(b.text + "|" + b.caption + "|" + std::to_string(b.flags));
    EXPECT_EQ(boxen, (std::vector<std::string>{
                         "Es existiert noch keine Schalteinrichtung mit der Gruppenadresse des "
                         "Scharfschalt-Wunsch-Objekts|Schalteinrichtung|0",
                         "Das Objekt Scharfschalt-Eingang ist mit keiner Gruppenadresse verknüpft|Objekt "
                         "Scharfschalt-Eingang|0",
                         "Das Objekt 'Scharfschalt-Eingang' ist mit keiner Gruppenadresse\n\rmehr verknüpft. Sollen die "
                         "parametrierten Physikalischen Adressen der Scharfschaltung\n\rgelöscht werden?|Scharfschaltung "
                         "SSB 1|" + std::to_string(MB_YESNO)}));
}

// ---- Texts of the transmission-unit flags --------------------------------------------------------

TEST_F(Anfrage, FlagTextsNameTheAreasInOrder)
{
    for (const auto& flags : {std::array<bool, 4>{}, std::array{true, false, true, false}}) {
        u.inst.GetUegScharf() = u.inst.GetUegEinbruch() = flags;
        const std::string erwartet = flags[0] ? "SSB1 / SSB3" : "";
        EXPECT_EQ(u.inst.CreateStrUeGScharfUsedFromSsb(), erwartet);
        EXPECT_EQ(u.inst.CreateStrUeGEinbruchUsedFromAlarmierung(), erwartet);
    }
}

} // namespace
