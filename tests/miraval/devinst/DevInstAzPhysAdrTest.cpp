// The devices of the project that can switch an arming area, their addresses, and the check
// after a load of the switching devices an arming area keeps.

#include "DevInstAzUmgebung.h"

#include "platform/kestrin/EtsTestProject.h"
#include "quillon/EtsObjekt.h"
#include "support/Zeilenname.h"
#include "tessarin/AzScharfschaltungSsb.h"

#include <gtest/gtest.h>

#include <array>

namespace {

struct PhysAdr : ::testing::Test {
    PhysAdr()
    {
        EXPECT_TRUE(u.inst.CreateNewDevice(u.host.GetHandle()));
        ssb = u.inst.GetPointerInstScharfschaltungSsb(1);
    }

    // The arming input of SSB 1 (object 162), linked to the given ETS sub groups.
    void Eingang(const std::vector<int32_t>& subGroupIds)
    {
        auto objekt = std::make_unique<TEtsObjekt>(u.host.GetHandle(), 1, 1, "Scharfschalt-Eingang", -1, -1, 162, -1,
                                                   0, 0, T_DB_EnumEtsObjekt::TEnumEtsObjektArt{}, ot1Bit,
                                                   T_DB_EnumObjektBasis::ioLesen, 0, 0);
        objekt->SetHandle(500);
        for (int32_t id : subGroupIds)
            objekt->AddSubGroupLink(id, static_cast<uint16_t>(id));
        u.inst.SetPointer2List(std::move(objekt));
    }
    static std::string Liste(const std::list<TPhysAdrEintrag>& geraete)
    {
        std::string text;
        for (const TPhysAdrEintrag& g : geraete)
            text += g.Text + "=" + std::to_string(g.Adresse) + " " + g.Name + ";";
        return text;
    }

    TEtsTestProject project;
    TAzUmgebung u{&project.ets};
    TAzScharfschaltungSsb* ssb = nullptr;
};

// ---- Candidates ----------------------------------------------------------------------------------

struct TKandidatZeile {
    const char* name;
    const char* sql;
    const char* angeboten;
};

struct Kandidaten : PhysAdr, ::testing::WithParamInterface<TKandidatZeile> {};

// The centre is device 1 "AZ 1" (01.02.003), the actuator device 2 "Aktor" (02.00.007) on
// sub group 1; the arming input is linked to sub groups 1 and 2.
TEST_P(Kandidaten, AreTheOtherDevicesOnTheAddressesEachOnce)
{
    project.Sql(GetParam().sql);
    std::vector<TObjektBasis::RecGrpAdrId> links{{1, 1}, {2, 2}};
    EXPECT_EQ(Liste(u.inst.GetDevicePhysAdrLinkedWithGrpAdr(links)), GetParam().angeboten);
    EXPECT_EQ(u.boxen.Count(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Projekte, Kandidaten,
    ::testing::Values(
        TKandidatZeile{"OnceThroughTwoAddresses", "INSERT INTO sub_to_object (sub_group_id, device_object_id) VALUES (2, 21);",
                       "02.00.007=8199 Aktor;"},
        TKandidatZeile{"NotTheCentreItself", "INSERT INTO sub_to_object (sub_group_id, device_object_id) VALUES (1, 13);",
                       "02.00.007=8199 Aktor;"},
        TKandidatZeile{"NotADeviceNamedAsTheCentre",
                       "INSERT INTO device (id, line_id, number, product_id, name) VALUES (3, 2, 9, 2, 'AZ 1');"
                       "INSERT INTO device_object (id, device_id, comm_object_id) VALUES (31, 3, 4);"
                       "INSERT INTO sub_to_object (sub_group_id, device_object_id) VALUES (2, 31);",
                       "02.00.007=8199 Aktor;"},
        TKandidatZeile{"NotADeviceAtTheCentresAddress",
                       "INSERT INTO device (id, line_id, number, product_id, name) VALUES (3, 1, 3, 2, 'Doppelt');"
                       "INSERT INTO device_object (id, device_id, comm_object_id) VALUES (31, 3, 4);"
                       "INSERT INTO sub_to_object (sub_group_id, device_object_id) VALUES (2, 31);",
                       "02.00.007=8199 Aktor;"},
        // Two devices without a name are not the same device.
        TKandidatZeile{"ANamelessDeviceBesideANamelessCentre",
                       "UPDATE device SET name = '' WHERE id = 1;"
                       "INSERT INTO device (id, line_id, number, product_id, name) VALUES (3, 2, 9, 2, '');"
                       "INSERT INTO device_object (id, device_id, comm_object_id) VALUES (31, 3, 4);"
                       "INSERT INTO sub_to_object (sub_group_id, device_object_id) VALUES (2, 31);",
                       "02.00.007=8199 Aktor;02.00.009=8201 ;"},
        // Another centre of the same product is a device of its own.
        TKandidatZeile{"AnotherDeviceOfTheCentresProduct",
                       "INSERT INTO device (id, line_id, number, product_id, name) VALUES (3, 2, 9, 1, 'AZ 2');"
                       "INSERT INTO device_object (id, device_id, comm_object_id) VALUES (31, 3, 3);"
                       "INSERT INTO sub_to_object (sub_group_id, device_object_id) VALUES (2, 31);",
                       "02.00.007=8199 Aktor;02.00.009=8201 AZ 2;"}),
    TZeilenName());

TEST_F(PhysAdr, AnUnreadableDeviceLeavesNoAddressBehind)
{
    std::string text = "01.02.003";
    int32_t wort = 0x1203;
    EXPECT_FALSE(u.inst.GetPhysAdr(99, text, &wort));
    EXPECT_EQ(text, "");
    EXPECT_EQ(wort, 0);
    EXPECT_TRUE(u.inst.GetPhysAdr(2, text, &wort));
    EXPECT_EQ(text, "02.00.007");
    EXPECT_EQ(wort, 0x2007);
}

// ---- The check after a load ----------------------------------------------------------------------

const std::string Caption = "Scharfschaltung SSB 1";
const std::string NichtGefunden =
    "Die Physikalische Adresse 01.02.009 der Schalteinrichtung SE3 (Scharfschaltung SSB 1) existiert in\n\r diesem "
    "Projekt nicht, oder das Gerät mit dieser Physikalischen Adresse ist nicht mit\n\rder gleichen Gruppenadresse wie "
    "das Objekt 'Scharfschalt Eingang' verknüpft.\n\rSoll die parametrierte Physikalische Adresse gelöscht werden?";
const std::string KeinGeraet = "Im Projekt ist kein Gerät mit der Gruppenadresse des\n\rObjekts 'Scharfschalt-Eingang' "
                               "verknüpft. Sollen die parametrierten Physikalischen Adressen gelöscht werden?";
const std::string KeinLink = "Das Objekt 'Scharfschalt-Eingang' ist mit keiner Gruppenadresse\n\rmehr verknüpft. Sollen "
                             "die parametrierten Physikalischen Adressen der Scharfschaltung\n\rgelöscht werden?";

struct TPruefZeile {
    const char* name;
    std::vector<int32_t> links;        // of the arming input
    std::array<int32_t, 4> vorher;     // SE 1..4 as stored
    bool kopie;                        // ETS copies a device
    int antwort;                       // to every question
    std::vector<std::string> fragen;   // asked, in order
    std::array<int32_t, 4> nachher;    // SE 1..4 afterwards
    std::list<int32_t> bestaetigt;     // the area's address list afterwards
};

struct Pruefung : PhysAdr, ::testing::WithParamInterface<TPruefZeile> {};

TEST_P(Pruefung, KeepsWhatExistsAndAsksAboutTheRest)
{
    const TPruefZeile& z = GetParam();
    Eingang(z.links);
    TDatenStruktur satz = *u.Satz(ssb->GetHandle());
    const char* texte[4] = {"02.00.007", "01.02.005", "01.02.009", "01.02.010"};
    int32_t* worte[4] = {&satz.Param5, &satz.Param6, &satz.Param7, &satz.Param8};
    std::string* textFelder[4] = {&satz.String1, &satz.String2, &satz.String3, &satz.String4};
    for (std::size_t i = 0; i < 4; ++i) {
        *worte[i] = z.vorher[i];
        *textFelder[i] = z.vorher[i] != 0 ? texte[i] : "";
    }
    ssb->InitFromDB(satz);
    u.host.statusOnCopyDevice = z.kopie;
    for (std::size_t i = 0; i < z.fragen.size(); ++i)
        u.boxen.Script(z.antwort);

    u.inst.CheckPhysAdrSeExist(1, ssb);

    std::vector<std::string> gefragt;
    for (const TShownBox& b : u.boxen.Shown()) {
        EXPECT_EQ(b.caption, Caption);
        EXPECT_EQ(b.flags, static_cast<UINT>(MB_YESNO));
        gefragt.push_back(b.text);
    }
    EXPECT_EQ(gefragt, z.fragen);
    for (int se = 1; se <= 4; ++se)
        EXPECT_EQ(ssb->GetPhysAdrSe(se), z.nachher[static_cast<std::size_t>(se - 1)]) << "SE " << se;
    EXPECT_EQ(u.inst.GetPhysAdrSe()[0], z.bestaetigt);
}

INSTANTIATE_TEST_SUITE_P(
    Faelle, Pruefung,
    ::testing::Values(
        TPruefZeile{"AFoundDeviceStaysUnasked", {1}, {0x2007, 0, 0, 0}, false, IDYES, {}, {0x2007, 0, 0, 0}, {0x2007}},
        TPruefZeile{"ADeviceNotFoundIsClearedOnYes", {1}, {0x2007, 0, 0x1209, 0}, false, IDYES, {NichtGefunden},
                    {0x2007, 0, 0, 0}, {0x2007}},
        TPruefZeile{"ADeviceNotFoundIsKeptOnNo", {1}, {0x2007, 0, 0x1209, 0}, false, IDNO, {NichtGefunden},
                    {0x2007, 0, 0x1209, 0}, {0x2007}},
        TPruefZeile{"NoDeviceOnTheAddresses", {3}, {0, 0x1205, 0, 0x120A}, false, IDYES, {KeinGeraet}, {0, 0, 0, 0}, {}},
        TPruefZeile{"NoLinkAtAll", {}, {0, 0x1205, 0, 0}, false, IDYES, {KeinLink}, {0, 0, 0, 0}, {}},
        TPruefZeile{"NoLinkAndNothingStored", {}, {0, 0, 0, 0}, false, IDYES, {}, {0, 0, 0, 0}, {}},
        TPruefZeile{"NothingDuringACopy", {3}, {0x1209, 0, 0, 0}, true, IDYES, {}, {0x1209, 0, 0, 0}, {}}),
    TZeilenName());

} // namespace
