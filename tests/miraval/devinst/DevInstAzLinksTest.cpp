// The alarm centre's group-address rules for detector objects: one input per address, the
// replacement of a one-address object's address, the detector list through link and unlink,
// and the look-up of a typed address for the selection dialog.

#include "AzGeraet.h"

#include "platform/kestrin/EtsTestProject.h"
#include "support/ScriptedMessageBox.h"

#include <gtest/gtest.h>

#include <list>
#include <string>
#include <vector>

namespace {

// Sub groups of the test project: 1 = 1/2/5 (1 Bit), 2 = 1/2/6 (free), 3 = 0/0/1 (free).
constexpr int32_t kSub125 = 1;
constexpr int32_t kSub126 = 2;
constexpr int32_t kSub001 = 3;

const std::string kAndererEingang = "Die Gruppenadresse wird von einem anderen Eingang verwendet";

struct AzLinks : ::testing::Test {
    AzLinks() { project.Sql("UPDATE device_object SET visible = 1 WHERE id IN (11, 12, 15);"); }

    // A 1-bit communication object with that object number on the device object, registered
    // under handle; grenze: how many addresses it may have.
    TEtsObjekt* Objekt(int32_t nummer, int32_t deviceObjectId, int32_t handle, int grenze = 0)
    {
        auto objekt = std::make_unique<TEtsObjekt>(az.host.GetHandle(), 1, 1, "Objekt", 0, deviceObjectId, nummer, -1,
                                                   0, 0, T_DB_EnumEtsObjekt::TEnumEtsObjektArt{}, ot1Bit,
                                                   T_DB_EnumObjektBasis::ioLesen, 0, 0);
        objekt->SetHandle(handle);
        objekt->SetNumberSelectableGrpAdr(grenze);
        TEtsObjekt* p = objekt.get();
        az.inst.SetPointer2List(std::move(objekt));
        return p;
    }
    static std::vector<int32_t> Ids(const TObjektBasis& objekt)
    {
        std::vector<int32_t> ids;
        for (const auto& link : objekt.GetSubGroupLinks())
            ids.push_back(link.SubGroupId);
        return ids;
    }
    std::list<int32_t> Melder()
    {
        std::list<int32_t> liste;
        az.inst.GetGrpAdrUsedFromMelder(liste);
        return liste;
    }
    std::string Box(std::size_t i = 0) const { return i < boxen.Count() ? boxen.Shown()[i].text : "-"; }

    TEtsTestProject project;
    TScriptedMessageBox boxen;
    TAzGeraet az{project.ets, 1};
};

struct TNummerZeile {
    const char* name;
    int32_t nummer;
    bool imMelderListe;
};

struct AzLinkNummer : AzLinks, ::testing::WithParamInterface<TNummerZeile> {};

TEST_P(AzLinkNummer, OnlyDetectorObjectsEnterTheList)
{
    const TNummerZeile& z = GetParam();
    TEtsObjekt* objekt = Objekt(z.nummer, 11, 500);
    ASSERT_TRUE(az.inst.LinkToSubGroup(kSub126, 500, true));
    EXPECT_EQ(Ids(*objekt), std::vector<int32_t>{kSub126});
    EXPECT_EQ(EtsLinks(project.ets, 11), std::vector<int32_t>{kSub126});
    EXPECT_EQ(Melder(), z.imMelderListe ? std::list<int32_t>{kSub126} : std::list<int32_t>{});
    EXPECT_EQ(boxen.Count(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Nummern, AzLinkNummer,
                         ::testing::Values(TNummerZeile{"Melder1", 0, true}, TNummerZeile{"Melder160", 159, true},
                                           TNummerZeile{"Sabotage", 160, false},
                                           TNummerZeile{"AlarmReset", 225, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(AzLinks, AnAddressOfADetectorIsRefusedForEveryOtherObject)
{
    Objekt(4, 11, 500, 1); // detector 5
    TEtsObjekt* reset = Objekt(225, 13, 501);
    ASSERT_TRUE(az.inst.LinkToSubGroup(kSub126, 500, true));

    for (const bool inEts : {true, false}) {
        SCOPED_TRACE(inEts);
        EXPECT_FALSE(az.inst.LinkToSubGroup(kSub126, 501, inEts));
        EXPECT_TRUE(Ids(*reset).empty());
        EXPECT_TRUE(EtsLinks(project.ets, 13).empty());
    }
    ASSERT_EQ(boxen.Count(), 2u) << "one message per refusal";
    EXPECT_EQ(Box(), kAndererEingang);
    EXPECT_EQ(boxen.Shown()[0].caption, "Gruppenadresse zuweisen");
    EXPECT_EQ(boxen.Shown()[0].flags, 0u);
}

TEST_F(AzLinks, AnAddressTheObjectHasIsToldAsAlreadyLinked)
{
    // A detector's one-address object and an object without limit, each linked already.
    Objekt(0, 11, 500, 1);
    Objekt(225, 13, 501);
    ASSERT_TRUE(az.inst.LinkToSubGroup(kSub126, 500, true));
    ASSERT_TRUE(az.inst.LinkToSubGroup(kSub001, 501, true));

    EXPECT_FALSE(az.inst.LinkToSubGroup(kSub126, 500, true));
    EXPECT_FALSE(az.inst.LinkToSubGroup(kSub001, 501, false));
    ASSERT_EQ(boxen.Count(), 2u);
    for (const TShownBox& box : boxen.Shown()) {
        EXPECT_EQ(box.text, "Objekt ist schon mit einer Gruppenadresse verbunden.");
        EXPECT_EQ(box.caption, "Verbindung Objekt <-> Gruppenadresse");
        EXPECT_EQ(box.flags, 0x30u);
    }
    EXPECT_EQ(Melder(), std::list<int32_t>{kSub126});
}

struct TErsatzZeile {
    const char* name;
    int antwort;         // to the replace question
    bool unlinkAbgelehnt; // ETS refuses to unlink the old address
    bool ok;
    int32_t danach;      // the object's one address afterwards, in ETS too
};

struct AzLinkErsatz : AzLinks, ::testing::WithParamInterface<TErsatzZeile> {};

TEST_P(AzLinkErsatz, ReplacesTheOneAddressOnlyWhenAskedAndUnlinked)
{
    const TErsatzZeile& z = GetParam();
    TEtsObjekt* objekt = Objekt(0, 11, 500, 1);
    ASSERT_TRUE(az.inst.LinkToSubGroup(kSub126, 500, true));
    if (z.unlinkAbgelehnt)
        project.Sql("CREATE TRIGGER nein BEFORE DELETE ON sub_to_object BEGIN SELECT RAISE(ABORT, 'nein'); END;");
    boxen.Script(z.antwort);

    EXPECT_EQ(az.inst.LinkToSubGroup(kSub001, 500, true), z.ok);
    ASSERT_EQ(boxen.Count(), 1u) << "the question only";
    EXPECT_EQ(Box(), "Soll die Gruppenadresse 1/2/6 durch die Gruppenadresse 0/0/1 ersetzt werden?");
    EXPECT_EQ(boxen.Shown()[0].caption, "Verbindung Objekt <-> Gruppenadresse");
    EXPECT_EQ(boxen.Shown()[0].flags, static_cast<UINT>(MB_OKCANCEL));
    EXPECT_EQ(Ids(*objekt), std::vector<int32_t>{z.danach});
    EXPECT_EQ(EtsLinks(project.ets, 11), std::vector<int32_t>{z.danach});
    EXPECT_EQ(Melder(), std::list<int32_t>{z.danach});
    EXPECT_EQ(az.Satz(objekt)->Param14, z.danach);
}

INSTANTIATE_TEST_SUITE_P(
    Antworten, AzLinkErsatz,
    ::testing::Values(TErsatzZeile{"Ok", IDOK, false, true, kSub001},
                      TErsatzZeile{"Abbrechen", IDCANCEL, false, false, kSub126},
                      TErsatzZeile{"UnlinkAbgelehnt", IDOK, true, false, kSub126}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(AzLinks, UnlinkDropsTheDetectorsEntryAlsoWhenEtsHasNoLink)
{
    TEtsObjekt* melder = Objekt(0, 11, 500, 1);
    ASSERT_TRUE(az.inst.LinkToSubGroup(kSub126, 500, true));
    project.Sql("DELETE FROM sub_to_object WHERE device_object_id = 11;");

    EXPECT_TRUE(az.inst.UnLinkFromSubGroup(kSub126, 11));
    EXPECT_TRUE(Ids(*melder).empty());
    EXPECT_TRUE(Melder().empty());
    // The address is free for another input now.
    Objekt(1, 15, 501, 1);
    EXPECT_TRUE(az.inst.LinkToSubGroup(kSub126, 501, true));
    EXPECT_EQ(boxen.Count(), 0u);
}

TEST_F(AzLinks, UnlinkRefusedOrUnreadableChangesNothing)
{
    TEtsObjekt* melder = Objekt(0, 11, 500, 1);
    ASSERT_TRUE(az.inst.LinkToSubGroup(kSub126, 500, true));

    project.Sql("CREATE TRIGGER nein BEFORE DELETE ON sub_to_object BEGIN SELECT RAISE(ABORT, 'nein'); END;");
    EXPECT_FALSE(az.inst.UnLinkFromSubGroup(kSub126, 11)) << "refused";
    EXPECT_EQ(Ids(*melder), std::vector<int32_t>{kSub126});
    EXPECT_EQ(Melder(), std::list<int32_t>{kSub126});

    project.ets.CloseProjectStore();
    EXPECT_FALSE(az.inst.UnLinkFromSubGroup(kSub126, 11)) << "the links cannot be read";
    EXPECT_EQ(Ids(*melder), std::vector<int32_t>{kSub126});
    EXPECT_EQ(Melder(), std::list<int32_t>{kSub126});
}

struct TPruefZeile {
    const char* name;
    const char* text;
    int ebenen;
    bool benutzt;
};

struct AzGrpAdrBenutzt : AzLinks, ::testing::WithParamInterface<TPruefZeile> {};

TEST_P(AzGrpAdrBenutzt, FindsADetectorsAddressByItsWord)
{
    const TPruefZeile& z = GetParam();
    Objekt(0, 11, 500, 1);
    ASSERT_TRUE(az.inst.LinkToSubGroup(kSub126, 500, true));

    EXPECT_EQ(az.inst.CheckGrpAddrUsedFromMelder(z.text, z.ebenen), z.benutzt);
    ASSERT_EQ(boxen.Count(), z.benutzt ? 1u : 0u);
    if (z.benutzt) {
        EXPECT_EQ(Box(), kAndererEingang);
        EXPECT_EQ(boxen.Shown()[0].caption, "Gruppenadresse zuweisen");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texte, AzGrpAdrBenutzt,
    ::testing::Values(TPruefZeile{"Genau", "1/2/6", 3, true}, TPruefZeile{"Punkte", "1.2.6", 3, true},
                      TPruefZeile{"FuehrendeNull", " 01/2/06 ", 3, true}, TPruefZeile{"ZweiEbenen", "1/518", 2, true},
                      TPruefZeile{"NichtVonMeldern", "1/2/5", 3, false},
                      TPruefZeile{"NichtImProjekt", "7/7/7", 3, false}, TPruefZeile{"Unlesbar", "1/2/x", 3, false}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
