// Copying a detector as record lines and pasting them onto detectors and security areas, in
// one device and into another.

#include "AzGeraet.h"
#include "DevInstAzUmgebung.h"

#include "DemoProject.h"
#include "miraval/devinst/DevInstAz_p.h"
#include "platform/kestrin/EtsTestProject.h"
#include "tessarin/AzMelder.h"
#include "tessarin/AzScharfschaltungSsb.h"
#include "vcl/StringList.h"

#include <gtest/gtest.h>

namespace {

// A new device: detectors 1 fire, 2 hold-up, 3 SB 1, 4 SB 2, the wired input 0.
struct TNeuesGeraet {
    TNeuesGeraet()
    {
        EXPECT_TRUE(u.inst.CreateNewDevice(u.host.GetHandle()));
        SetMessageObserver(u.host.GetHandle(), [this](TMessageKind art, HWND, UINT msg, WPARAM, LPARAM) {
            abgleich += art == TMessageKind::Post && msg == UM_AbgleichFormVerw ? 1 : 0;
        });
    }
    ~TNeuesGeraet() { SetMessageObserver(u.host.GetHandle(), {}); }

    TAzMelder* Melder(int32_t nr) { return u.inst.GetPointerInstMelder(nr); }
    // Gives the detector an input type, detector type 7 and a text, and copies it.
    TStringList Kopie(int32_t nr, int art = 0)
    {
        TDatenStruktur satz = *u.Satz(Melder(nr)->GetHandle());
        satz.Param3 = art;
        satz.Param6 = 7;
        satz.String4 = "Tür Süd";
        Melder(nr)->InitFromDB(satz);
        *u.inst.GetDatenSatz(Melder(nr)) = satz;
        TStringList zeilen;
        EXPECT_TRUE(u.inst.GetCopyData(Melder(nr), zeilen));
        return zeilen;
    }

    TAzUmgebung u;
    int abgleich = 0;
};

TEST(Kopieren, PastesOnlyWithinTheKindOfArea)
{
    const struct {
        int32_t quelle; // the copied detector
        int ziel;       // a security area's type, or a detector's number
        int neueArt;    // area of the new detector; -1 none made
        bool ok;
    } faelle[] = {{1, 6123, MelderArt::Feuer, true}, {3, 6128, MelderArt::Sb1 + 1, true}, {1, 6128, -1, false},
                  {3, 6125, -1, false},              {3, 4, -1, true},                    {2, 3, -1, false}};
    for (const auto& f : faelle) {
        SCOPED_TRACE(std::to_string(f.quelle) + " onto " + std::to_string(f.ziel));
        TNeuesGeraet g;
        TStringList zeilen = g.Kopie(f.quelle);
        TDataBasis* ziel = f.ziel > 1000 ? g.u.inst.FindHandle(g.u.Knoten(f.ziel).at(0)) : g.Melder(f.ziel);
        const std::size_t knoten = g.u.inst.GetKnoten().size();
        // The receiver (the new detector 5, the target, or detector 0 after a refused area) takes
        // the copy's settings only when the paste is done, and keeps its area.
        const int32_t nr = f.neueArt >= 0 ? 5 : f.ziel > 1000 ? 0 : f.ziel;
        const int bereich = f.neueArt >= 0 ? f.neueArt : g.Melder(nr)->GetMelderBereich();

        EXPECT_EQ(g.u.inst.Einfuegen(ziel, zeilen), f.ok);
        EXPECT_EQ(g.u.inst.GetKnoten().size(), knoten + (f.neueArt >= 0 ? 1 : 0));
        EXPECT_EQ(g.u.boxen.Count() == 1 &&
                      g.u.boxen.Shown()[0].text == "Der kopierte Eingang gehört zu einem anderen \n\r"
                                                   "Sicherungs-Bereich und kann nicht eingefügt werden.",
                  !f.ok);
        TAzMelder* m = g.Melder(nr);
        ASSERT_NE(m, nullptr);
        EXPECT_EQ(m->GetMelderTyp() == 7 && g.u.Satz(m->GetHandle())->String4 == "Tür Süd", f.ok);
        EXPECT_EQ(m->GetMelderBereich(), bereich);
        EXPECT_EQ(g.abgleich, 1);
    }
}

TEST(Kopieren, TheWiredInputIsNeitherCopiedNorPastedOnto)
{
    TNeuesGeraet g;
    TAzMelder* verdrahtet = g.u.inst.GetPointerVerdrahteterMelder();
    TStringList zeilen;
    EXPECT_FALSE(g.u.inst.GetCopyData(verdrahtet, zeilen));
    EXPECT_FALSE(g.u.inst.GetCopyData(g.u.inst.FindHandle(g.u.Knoten(6127).at(0)), zeilen));
    EXPECT_EQ(zeilen.Count(), 0);

    zeilen = g.Kopie(3);
    const TDatenStruktur vorher = *g.u.Satz(verdrahtet->GetHandle());
    EXPECT_TRUE(g.u.inst.Einfuegen(verdrahtet, zeilen));
    EXPECT_EQ(*g.u.Satz(verdrahtet->GetHandle()), vorher);
    EXPECT_EQ(g.u.boxen.Count(), 0u);
    EXPECT_EQ(g.abgleich, 0);
}

TEST(Kopieren, TheSabotageQuestionDecidesAndTheListsFollowTheInputType)
{
    // Detector 3 is a switching device's sabotage input, assigned to SE 2 of SSB 1.
    TNeuesGeraet g;
    TStringList sabo = g.Kopie(3, 3);
    ASSERT_TRUE(g.u.inst.SetMelderSaboSeToList(3, 1));
    TAzScharfschaltungSsb* ssb = g.u.inst.GetPointerInstScharfschaltungSsb(1);
    TDatenStruktur ssbSatz = *g.u.Satz(ssb->GetHandle());
    ssbSatz.Param11 = 3;
    ssb->InitFromDB(ssbSatz);
    TStringList normal = g.Kopie(4);

    g.u.boxen.Script(IDNO);
    EXPECT_FALSE(g.u.inst.Einfuegen(g.Melder(3), normal));
    ASSERT_EQ(g.u.boxen.Count(), 1u) << "only the question";
    EXPECT_EQ(g.u.boxen.Shown()[0].caption, "Sabotage Schalteinrichtung");
    EXPECT_EQ(g.Melder(3)->GetMelderArt(), 3);
    EXPECT_TRUE(ssb->CheckMelderSaboSeLinked(3));

    EXPECT_TRUE(g.u.inst.Einfuegen(g.Melder(3), normal));
    EXPECT_EQ(g.Melder(3)->GetMelderArt(), 0);
    EXPECT_FALSE(ssb->CheckMelderSaboSeLinked(3));
    EXPECT_TRUE(g.u.inst.GetSaboSe()[0].empty());

    EXPECT_TRUE(g.u.inst.Einfuegen(g.Melder(4), sabo));
    EXPECT_EQ(g.u.inst.GetSaboSe()[1], (std::list<int32_t>{4})) << "area 2's list";
}

TEST(Kopieren, BrokenChainsAreReadSafely)
{
    const struct {
        int folge;     // Next of the pasted detector: -1 itself, other a handle; -2 no detector line
        bool ok;
        bool gepastet; // a detector found is pasted also when its chain breaks off
    } faelle[] = {{-1, true, true}, {9999, false, true}, {-2, false, false}};
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.folge);
        TNeuesGeraet g;
        TDatenStruktur satz = *g.u.Satz(g.Melder(4)->GetHandle());
        satz.Param6 = 7;
        satz.Next = f.folge == -1 ? satz.Handle : f.folge;
        TStringList zeilen;
        if (f.folge != -2)
            zeilen.Add(satz.GetDatensatzZeile());
        zeilen.Add("");

        EXPECT_EQ(g.u.inst.Einfuegen(g.Melder(3), zeilen), f.ok);
        ASSERT_EQ(g.u.boxen.Count(), f.ok ? 0u : 1u);
        EXPECT_TRUE(f.ok || g.u.boxen.Shown()[0].caption == "DeviceInstanzAz::Einfuegen");
        EXPECT_EQ(g.Melder(3)->GetMelderTyp() == 7, f.gepastet);
    }
}

TEST(Kopieren, BetweenDevicesTheObjectFlagsGoIntoEtsAndSurviveTheReload)
{
    TEtsTestProject project{false};
    project.Sql(DemoProjectSql());
    project.Sql(R"sql(
INSERT INTO device (id, line_id, number, product_id) VALUES (8, 3, 2, 1);
INSERT INTO device_param (device_id, parameter_id, value)
    SELECT 8, id, default_value FROM parameter WHERE product_id = 1;
INSERT INTO device_object (device_id, comm_object_id, visible) SELECT 8, id, 0 FROM comm_object WHERE product_id = 1;
)sql");
    TScriptedMessageBox boxen{IDYES};
    TAzGeraet quelle{project.ets, kDemoAlarmCentreId};
    TAzGeraet ziel{project.ets, 8};
    ASSERT_TRUE(quelle.inst.GetDataFromServer(quelle.host.GetHandle(), false));
    ASSERT_TRUE(ziel.inst.GetDataFromServer(ziel.host.GetHandle(), false));
    auto flags = [](TEtsObjekt* o) {
        std::vector<bool> f;
        for (int n = TObjektBasis::ofKommunikation; n <= TObjektBasis::ofAktualisieren; ++n)
            f.push_back(o->GetObjektFlag(static_cast<TObjektBasis::TEnumObjektFlag>(n)));
        return f;
    };
    // Detector 3's object (number 2) with every flag turned over.
    const std::vector<bool> alt = flags(quelle.Objekt(2));
    ASSERT_TRUE(quelle.Objekt(2)->SetFlags(!alt[0], !alt[1], !alt[2], !alt[3], !alt[4], false, false));
    quelle.Objekt(2)->Write(*quelle.inst.GetDatenSatz(quelle.Objekt(2)));
    TStringList zeilen;
    ASSERT_TRUE(quelle.inst.GetCopyData(quelle.inst.GetPointerInstMelder(3), zeilen));

    EXPECT_TRUE(ziel.inst.Einfuegen(ziel.inst.GetPointerInstMelder(3), zeilen));
    EXPECT_EQ(flags(ziel.Objekt(2)), flags(quelle.Objekt(2)));
    // Another detector's objects have other identifiers: they keep their flags.
    EXPECT_TRUE(ziel.inst.Einfuegen(ziel.inst.FindHandle(ziel.inst.GetPointerInstMelder(4)->GetParentHandle()), zeilen));
    ASSERT_NE(ziel.Objekt(4), nullptr);
    EXPECT_EQ(flags(ziel.Objekt(4)), alt);
    EXPECT_EQ(boxen.Count(), 0u);

    ASSERT_TRUE(ziel.inst.WriteBlob());
    TAzGeraet geladen{project.ets, 8};
    ASSERT_TRUE(geladen.inst.GetDataFromServer(geladen.host.GetHandle(), false));
    EXPECT_EQ(flags(geladen.Objekt(2)), flags(quelle.Objekt(2)));
}

} // namespace
