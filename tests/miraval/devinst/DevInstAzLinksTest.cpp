// The alarm centre's group-address rules for detector objects: one input per address, the
// replacement of a one-address object's address, the detector list through link and unlink.

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

struct TLinkGeraet {
    TLinkGeraet() { project.Sql("UPDATE device_object SET visible = 1 WHERE id IN (11, 12, 15);"); }

    // A 1-bit object with that object number on the device object, registered under handle and
    // linked to the sub group if one is given; grenze: how many addresses it may have.
    TEtsObjekt* Objekt(int32_t nummer, int32_t deviceObjectId, int32_t handle, int grenze, int32_t sub = 0)
    {
        auto objekt = std::make_unique<TEtsObjekt>(az.host.GetHandle(), 1, 1, "Objekt", 0, deviceObjectId, nummer, -1,
                                                   0, 0, T_DB_EnumEtsObjekt::TEnumEtsObjektArt{}, ot1Bit,
                                                   T_DB_EnumObjektBasis::ioLesen, 0, 0);
        objekt->SetHandle(handle);
        objekt->SetNumberSelectableGrpAdr(grenze);
        TEtsObjekt* p = objekt.get();
        az.inst.SetPointer2List(std::move(objekt));
        EXPECT_TRUE(sub == 0 || az.inst.LinkToSubGroup(sub, handle, true));
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

    TEtsTestProject project;
    TScriptedMessageBox boxen;
    TAzGeraet az{project.ets, 1};
};

TEST(AzLinks, OnlyDetectorsEnterTheListAndEachRefusedLinkSaysWhyOnce)
{
    TLinkGeraet g;
    g.Objekt(4, 11, 500, 1, kSub126);                        // detector 5
    TEtsObjekt* reset = g.Objekt(225, 13, 501, 0, kSub001); // the alarm reset
    g.Objekt(160, 15, 502, 0, kSub125);                      // the first object after the detectors'
    ASSERT_EQ(g.Melder(), std::list<int32_t>{kSub126});
    const struct {
        int32_t sub, handle;
        bool inEts;
        std::string text;
    } faelle[] = {{kSub126, 501, true, kAndererEingang},
                  {kSub126, 501, false, kAndererEingang},
                  {kSub126, 500, true, "Objekt ist schon mit einer Gruppenadresse verbunden."},
                  {kSub001, 501, false, "Objekt ist schon mit einer Gruppenadresse verbunden."}};
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.text);
        TScriptedMessageBox boxen;
        EXPECT_FALSE(g.az.inst.LinkToSubGroup(f.sub, f.handle, f.inEts));
        ASSERT_EQ(boxen.Count(), 1u);
        EXPECT_EQ(boxen.Shown()[0].text, f.text);
        EXPECT_EQ(g.Ids(*reset), std::vector<int32_t>{kSub001});
        EXPECT_EQ(EtsLinks(g.project.ets, 13), std::vector<int32_t>{kSub001});
        EXPECT_EQ(g.Melder(), std::list<int32_t>{kSub126});
    }
}

TEST(AzLinks, ReplacesTheOneAddressOnlyWhenAskedAndUnlinked)
{
    const struct {
        int antwort;
        bool unlinkAbgelehnt; // ETS refuses to unlink the old address
        int32_t danach;       // the object's one address afterwards, in ETS too
        const char* meldung;  // said after the question; null: nothing
    } faelle[] = {{IDOK, false, kSub001, nullptr},
                  {IDCANCEL, false, kSub126, nullptr},
                  {IDOK, true, kSub126,
                   "Die Gruppenadresse 1/2/6 konnte nicht durch die Gruppenadresse 0/0/1 ersetzt werden."}};
    for (const auto& f : faelle) {
        SCOPED_TRACE(std::to_string(f.antwort) + (f.unlinkAbgelehnt ? " unlink refused" : ""));
        TLinkGeraet g;
        TEtsObjekt* objekt = g.Objekt(0, 11, 500, 1, kSub126);
        if (f.unlinkAbgelehnt)
            g.project.Sql("CREATE TRIGGER nein BEFORE DELETE ON sub_to_object BEGIN SELECT RAISE(ABORT, 'n'); END;");
        g.boxen.Script(f.antwort);

        EXPECT_EQ(g.az.inst.LinkToSubGroup(kSub001, 500, true), f.danach == kSub001);
        ASSERT_EQ(g.boxen.Count(), f.meldung != nullptr ? 2u : 1u);
        EXPECT_EQ(g.boxen.Shown()[0].text,
                  "Soll die Gruppenadresse 1/2/6 durch die Gruppenadresse 0/0/1 ersetzt werden?");
        if (f.meldung != nullptr) {
            EXPECT_EQ(g.boxen.Shown()[1].text, f.meldung);
        }
        EXPECT_EQ(g.Ids(*objekt), std::vector<int32_t>{f.danach});
        EXPECT_EQ(EtsLinks(g.project.ets, 11), std::vector<int32_t>{f.danach});
        EXPECT_EQ(g.Melder(), std::list<int32_t>{f.danach});
        EXPECT_EQ(g.az.Satz(objekt)->Param14, f.danach);
    }
}

TEST(AzLinks, UnlinkDropsTheDetectorsEntryOnlyWhenEtsLetsGo)
{
    const struct {
        const char* sql; // what happens to ETS first
        bool ok;
    } faelle[] = {{"DELETE FROM sub_to_object WHERE device_object_id = 11;", true},
                  {"CREATE TRIGGER nein BEFORE DELETE ON sub_to_object BEGIN SELECT RAISE(ABORT, 'n'); END;", false},
                  {nullptr, false}}; // the store closed: the links cannot be read
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.sql != nullptr ? f.sql : "closed");
        TLinkGeraet g;
        TEtsObjekt* melder = g.Objekt(0, 11, 500, 1, kSub126);
        if (f.sql != nullptr)
            g.project.Sql(f.sql);
        else
            g.project.ets.CloseProjectStore();

        EXPECT_EQ(g.az.inst.UnLinkFromSubGroup(kSub126, 11), f.ok);
        EXPECT_EQ(g.Ids(*melder), f.ok ? std::vector<int32_t>{} : std::vector<int32_t>{kSub126});
        EXPECT_EQ(g.Melder(), f.ok ? std::list<int32_t>{} : std::list<int32_t>{kSub126});
        EXPECT_EQ(g.boxen.Count(), 0u);
    }
}

} // namespace
