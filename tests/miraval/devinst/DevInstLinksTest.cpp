// Links of communication objects to group addresses, the sending mark and the object flags,
// in ETS (the project store) and in the objects.

#include "EditorHostDouble.h"
#include "TestInstanz.h"

#include "platform/kestrin/EtsTestProject.h"
#include "quillon/EtsObjekt.h"
#include "support/ScriptedMessageBox.h"
#include "support/Zeilenname.h"
#include "vcl/Exception.h"
#include "win32/Cursor.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <vector>

namespace {

using TLinks = std::map<int32_t, int32_t>; // sub group -> sending mark

struct ObjektLinks : ::testing::Test {
    ObjektLinks()
    {
        // Device objects 11 (1 Bit) and 12 (1 Byte) of the centre shown as well.
        project.Sql("UPDATE device_object SET visible = 1 WHERE id IN (11, 12);");
        host.window.SetAktDevInst(&inst);
        // The main window's dispatcher for the messages the objects send about ETS.
        host.window.SetSonstige([this](HWND, UINT msg, WPARAM wp, LPARAM lp) -> LRESULT {
            if (msg == UM_GrpAdrSendendEin || msg == UM_GrpAdrSendendAus)
                return inst.GrpAdrSendend(static_cast<int32_t>(lp), static_cast<int32_t>(wp),
                                          msg == UM_GrpAdrSendendEin);
            if (msg == UM_ObjektFlag) {
                auto* r = reinterpret_cast<TUserDeviceRequest*>(lp);
                try {
                    return wp == 0 ? inst.ChangeObjektFlag(r) : inst.CheckObjektFlag(r);
                } catch (const std::exception&) {
                    return 0;
                }
            }
            return 0;
        });
    }
    // A communication object of the centre for the device object, registered under handle.
    TEtsObjekt* Objekt(int32_t deviceObjectId, int32_t handle = 500)
    {
        auto objekt = std::make_unique<TEtsObjekt>(host.GetHandle(), 1, 1, "Objekt", 0, deviceObjectId, 225, -1, 0, 0,
                                                   T_DB_EnumEtsObjekt::TEnumEtsObjektArt{}, ot1Bit,
                                                   T_DB_EnumObjektBasis::ioLesen, 0, 0);
        objekt->SetHandle(handle);
        TEtsObjekt* p = objekt.get();
        inst.SetPointer2List(std::move(objekt));
        return p;
    }
    TLinks Ets(int32_t deviceObjectId)
    {
        TLinks links;
        DAL_SUB_TO_OBJECT l;
        for (int mode = DAL_MODE_FIRST;
             project.ets.DalGetSubgroupToObjectData(mode, -1, -1, deviceObjectId, &l) == DAL_OK; mode = DAL_MODE_NEXT)
            links[+l.SubGroupId] = l.SendFlag;
        return links;
    }
    static std::vector<int32_t> Ids(const TObjektBasis& objekt)
    {
        std::vector<int32_t> ids;
        for (const auto& link : objekt.GetSubGroupLinks())
            ids.push_back(link.SubGroupId);
        return ids;
    }
    std::string Box(std::size_t i = 0) const { return i < boxes.Count() ? boxes.Shown()[i].text : "-"; }

    TEtsTestProject project;
    TScriptedMessageBox boxes;
    TEditorHostDouble host{&project.ets};
    TTestInstanz inst{host};
};

struct TLinkZeile {
    const char* name;
    int32_t deviceObjectId;
    int32_t sub;
    bool inEts;
    bool ok;
    std::string box;
    TLinks ets;
};

struct ObjektLink : ObjektLinks, ::testing::WithParamInterface<TLinkZeile> {};

TEST_P(ObjektLink, InEtsAndInTheObject)
{
    const TLinkZeile& z = GetParam();
    TEtsObjekt* objekt = Objekt(z.deviceObjectId);
    EXPECT_EQ(inst.LinkToSubGroup(z.sub, 500, z.inEts), z.ok);
    EXPECT_EQ(Box(), z.box);
    EXPECT_EQ(Ets(z.deviceObjectId), z.ets);
    EXPECT_EQ(Ids(*objekt), z.ok ? std::vector<int32_t>{z.sub} : std::vector<int32_t>{});
    EXPECT_EQ(inst.FindDatenSatz(1, 1, 500) ? inst.FindDatenSatz(1, 1, 500)->Param14 : 0, z.ok ? z.sub : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Zeilen, ObjektLink,
    ::testing::Values(TLinkZeile{"Linked", 13, 2, true, true, "-", {{2, 1}}},
                      TLinkZeile{"OnlyInTheObject", 13, 2, false, true, "-", {}},
                      TLinkZeile{"WrongType", 12, 1, true, false,
                                 "Herstellen der Verbindung nicht möglich.\nObjekt hat den falschen Typ.", {}},
                      TLinkZeile{"HiddenObject", 15, 2, true, false, "Herstellen der Verbindung fehlgeschlagen.", {}},
                      TLinkZeile{"UnknownGroup", 13, 77, true, false, "Group Address not found.\nAbort function", {}}),
    TZeilenName());

TEST_F(ObjektLinks, UnlinkingTheSendingAddressMovesTheMarkInEtsAndInTheObject)
{
    TEtsObjekt* objekt = Objekt(13);
    ASSERT_TRUE(inst.LinkToSubGroup(2, 500, true));
    ASSERT_TRUE(inst.LinkToSubGroup(3, 500, true));
    ASSERT_EQ(Ets(13), (TLinks{{2, 1}, {3, 0}}));

    EXPECT_TRUE(inst.UnLinkFromSubGroup(2, 13));
    EXPECT_EQ(Ets(13), (TLinks{{3, 1}}));
    EXPECT_EQ(Ids(*objekt), std::vector<int32_t>{3});
    EXPECT_EQ(inst.FindDatenSatz(1, 1, 500)->Param14, 3);
    // A link ETS does not know: the object's goes all the same.
    objekt->AddSubGroupLink(1, 0x0A05);
    EXPECT_TRUE(inst.UnLinkFromSubGroup(1, 13));
    EXPECT_EQ(Ids(*objekt), std::vector<int32_t>{3});
    EXPECT_EQ(boxes.Count(), 0u);
}

// A safety copy loaded over what ETS holds now: each object's links become ETS's, with the
// edit's own changes (the copy against what the edit began from) made over them, in ETS and in
// the object.
struct TNachfuehrZeile {
    const char* name;
    std::set<int32_t> basis, kopie, etsJetzt, erwartet;
};

struct LinksNachfuehren : ObjektLinks, ::testing::WithParamInterface<TNachfuehrZeile> {};

TEST_P(LinksNachfuehren, TheEditsChangesOverWhatEtsHoldsNow)
{
    const TNachfuehrZeile& z = GetParam();
    TEtsObjekt* objekt = Objekt(13);
    // The copy is loaded: the object and ETS hold its links.
    for (const int32_t sub : z.kopie)
        ASSERT_TRUE(inst.LinkToSubGroup(sub, 500, true));
    const int32_t nr = objekt->GetObjektNr();
    EXPECT_TRUE(inst.LinksNachfuehren({{nr, z.basis}}, {{nr, z.kopie}}, {{nr, z.etsJetzt}}));
    const std::vector<int32_t> ids = Ids(*objekt);
    EXPECT_EQ(std::set<int32_t>(ids.begin(), ids.end()), z.erwartet);
    std::set<int32_t> ets;
    for (const auto& [sub, senden] : Ets(13))
        ets.insert(sub);
    EXPECT_EQ(ets, z.erwartet);
    EXPECT_EQ(inst.GetObjektLinks()[nr], z.erwartet);
    EXPECT_EQ(boxes.Count(), 0u) << Box();
}

INSTANTIATE_TEST_SUITE_P(
    Zeilen, LinksNachfuehren,
    ::testing::Values(TNachfuehrZeile{"EtsLinkedSince", {}, {}, {2}, {2}},
                      TNachfuehrZeile{"TheEditLinkedOneEtsAnother", {}, {2}, {3}, {2, 3}},
                      TNachfuehrZeile{"TheEditUnlinkedOneEtsStillHad", {2}, {}, {2, 3}, {3}},
                      TNachfuehrZeile{"EtsUnlinkedSinceWhatTheEditBeganWith", {2}, {2}, {}, {}}),
    TZeilenName());

// The links of a stored configuration's objects: the first in the object's record, the others
// in the records of its chain; a chain record that holds an internal link only adds none.
TEST(ObjektLinksGespeichert, AreReadFromTheRecordAndItsChain)
{
    const auto satz = [](int32_t typ, int32_t handle, int32_t parent, int32_t nummer, int32_t sub) {
        TDatenStruktur d;
        d.Typ = typ;
        d.Handle = handle;
        d.Parent = parent;
        d.Param4 = nummer;
        d.Param14 = sub;
        return d;
    };
    const std::vector<TDatenStruktur> datensaetze{
        satz(TEtsObjekt::kTyp, 50, 1, 3, 10), satz(2, 51, 50, 0, 20), satz(2, 52, 50, 0, 0),
        satz(TEtsObjekt::kTyp, 60, 1, 4, 0),  satz(2, 61, 99, 0, 30),
    };
    EXPECT_EQ(TDeviceInstanz::GetObjektLinks(datensaetze),
              (TDeviceInstanz::TObjektLinks{{3, {10, 20}}, {4, {}}}));
}

TEST_F(ObjektLinks, DialogOkLinksTheNewAndUnlinksTheDroppedByIdAlone)
{
    TEtsObjekt* objekt = Objekt(13);
    Objekt(11, 501)->AddSubGroupLink(3, 1);
    ASSERT_TRUE(inst.LinkToSubGroup(1, 500, true));
    objekt->SetNumberSelectableGrpAdr(1);

    host.dlgAntwort = 2;
    EXPECT_TRUE(inst.OpenDlgGrpAdrToObject(objekt));
    EXPECT_EQ(host.calls.back(), "DlgSelGrpAddr Objekt|1");
    EXPECT_EQ(host.dlgAngeboten, (std::vector<int32_t>{1, 2})) << "3 belongs to another object";
    EXPECT_EQ(Ets(13), (TLinks{{1, 1}}));

    // At its limit the object exchanges its address.
    host.dlgAntwort = 1;
    host.dlgLinks = {{2, 0}};
    EXPECT_TRUE(inst.OpenDlgGrpAdrToObject(objekt));
    EXPECT_EQ(Ets(13), (TLinks{{2, 1}}));
    EXPECT_EQ(Ids(*objekt), (std::vector<int32_t>{2}));

    // The kept address 2 comes back with word 0.
    objekt->SetNumberSelectableGrpAdr(0);
    host.dlgLinks = {{2, 0}, {3, 0}};
    EXPECT_TRUE(inst.OpenDlgGrpAdrToObject(objekt));
    EXPECT_EQ(Ets(13), (TLinks{{2, 1}, {3, 0}}));
    EXPECT_EQ(Ids(*objekt), (std::vector<int32_t>{2, 3}));
    EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(ObjektLinks, SendMarkOnAndOff)
{
    TEtsObjekt* objekt = Objekt(13);
    ASSERT_TRUE(inst.LinkToSubGroup(2, 500, true));
    ASSERT_TRUE(inst.LinkToSubGroup(3, 500, true));
    objekt->SetGrpAdrSend(0x0001); // 0/0/1, sub group 3
    EXPECT_EQ(Ets(13), (TLinks{{2, 0}, {3, 1}}));
    EXPECT_EQ(Ids(*objekt), (std::vector<int32_t>{3, 2}));

    // A relink as the sending one that ETS refuses: the link comes back as a plain one.
    project.Sql("CREATE TRIGGER nein BEFORE INSERT ON sub_to_object WHEN NEW.sub_group_id = 2 AND NEW.send_flag = 1 "
                "BEGIN SELECT RAISE(ABORT, 'nein'); END;");
    EXPECT_TRUE(inst.GrpAdrSendend(13, 3, false));
    EXPECT_FALSE(inst.GrpAdrSendend(13, 2, true));
    EXPECT_EQ(Ets(13), (TLinks{{2, 0}, {3, 0}}));
    EXPECT_EQ(Box(), "Herstellen der Verbindung fehlgeschlagen.");
}

TEST_F(ObjektLinks, SendMarkWalkThatFindsNothingIsFalseWithTheCursorBack)
{
    SetScreenCursor(crDefault);
    EXPECT_FALSE(inst.GrpAdrSendend(13, 2, false)) << "no such link";
    EXPECT_EQ(GetScreenCursor(), crDefault);
    project.ets.CloseProjectStore();
    EXPECT_FALSE(inst.GrpAdrSendend(21, 1, false)) << "the read fails";
    EXPECT_EQ(GetScreenCursor(), crDefault);
    EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(ObjektLinks, FlagsAreWrittenAndComparedInEts)
{
    TUserDeviceRequest r;
    r.Reserve = 13;
    for (r.Wert5 = TObjektBasis::ofKommunikation; r.Wert5 <= TObjektBasis::ofAktualisieren; ++r.Wert5)
        for (r.Wert6 = 1; r.Wert6 >= 0; --r.Wert6) {
            SCOPED_TRACE(r.Wert5 * 10 + r.Wert6);
            EXPECT_TRUE(inst.ChangeObjektFlag(&r));
            EXPECT_TRUE(inst.CheckObjektFlag(&r));
            r.Wert6 = !r.Wert6;
            EXPECT_FALSE(inst.CheckObjektFlag(&r));
            r.Wert6 = !r.Wert6;
        }
    r.Wert5 = TObjektBasis::ofStatus; // no ETS flag: written without a call, an error to check
    EXPECT_TRUE(inst.ChangeObjektFlag(&r));
    EXPECT_THROW(inst.CheckObjektFlag(&r), Exception);
    EXPECT_EQ(Box(), "unknown flag: 5");
    EXPECT_EQ(r.Wert1, 0);
}

TEST_F(ObjektLinks, FailedFlagReadMarksTheRequestAndKeepsTheObjectsFlag)
{
    TUserDeviceRequest r;
    r.Reserve = 99;
    EXPECT_THROW(inst.CheckObjektFlag(&r), Exception);
    EXPECT_EQ(r.Wert1, -1);
    EXPECT_EQ(Box(), "DAL_END: DalGetDeviceObjectData");

    TEtsObjekt* objekt = Objekt(13);
    ASSERT_TRUE(objekt->SetFlags(true, true, true, true, true, false, false));
    project.ets.CloseProjectStore();
    EXPECT_TRUE(objekt->DatenAbgleich(true, false));
    EXPECT_TRUE(objekt->GetObjektFlag(TObjektBasis::ofLesen) && objekt->GetObjektFlag(TObjektBasis::ofAktualisieren));
}

} // namespace
