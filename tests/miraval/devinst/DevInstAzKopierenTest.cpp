// Copying a detector as record lines and pasting them onto detectors and security areas: the
// area rules, the wired input, the sabotage question, lines from elsewhere, and a paste into
// another device whose object flags must outlive the next load.

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

const std::string AndererBereich =
    "Der kopierte Eingang gehört zu einem anderen \n\rSicherungs-Bereich und kann nicht eingefügt werden.";

// The new device: detectors 1 fire, 2 hold-up, 3 SB 1, 4 SB 2, the wired input 0.
struct Kopieren : ::testing::Test {
    Kopieren()
    {
        EXPECT_TRUE(u.inst.CreateNewDevice(u.host.GetHandle()));
        SetMessageObserver(u.host.GetHandle(), [this](TMessageKind art, HWND, UINT msg, WPARAM, LPARAM) {
            abgleich += art == TMessageKind::Post && msg == UM_AbgleichFormVerw ? 1 : 0;
        });
    }
    ~Kopieren() override { SetMessageObserver(u.host.GetHandle(), {}); }

    TAzMelder* Melder(int32_t nr) { return u.inst.GetPointerInstMelder(nr); }
    // Gives the detector an input type, a detector type and a text, and copies it.
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

struct TRegelZeile {
    const char* name;
    int32_t quelle;  // the copied detector
    int zielTyp;     // a security area's type, or 0: onto detector zielNr
    int32_t zielNr;
    int neueArt;     // kind of the new detector; -1 none
    bool ok;
};

struct Regeln : Kopieren, ::testing::WithParamInterface<TRegelZeile> {};

TEST_P(Regeln, PastesOnlyWithinTheKindOfArea)
{
    const TRegelZeile& z = GetParam();
    TStringList zeilen = Kopie(z.quelle);
    TDataBasis* ziel = z.zielTyp != 0 ? u.inst.FindHandle(u.Knoten(z.zielTyp).at(0)) : Melder(z.zielNr);
    const std::size_t knoten = u.inst.GetKnoten().size();
    const int bereich = z.neueArt >= 0 ? z.neueArt : Melder(z.zielNr)->GetMelderBereich();

    EXPECT_EQ(u.inst.Einfuegen(ziel, zeilen), z.ok);

    EXPECT_EQ(u.inst.GetKnoten().size(), knoten + (z.neueArt >= 0 ? 1 : 0));
    EXPECT_EQ(u.boxen.Count() == 1 && u.boxen.Shown()[0].text == AndererBereich &&
                  u.boxen.Shown()[0].caption == "Fehler beim Einfügen",
              !z.ok);
    // The receiver takes the copy's settings and keeps its number and area.
    TAzMelder* m = Melder(z.neueArt >= 0 ? 5 : z.zielNr);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->GetMelderTyp() == 7 && u.Satz(m->GetHandle())->String4 == "Tür Süd", z.ok);
    EXPECT_EQ(m->GetMelderBereich(), bereich);
    EXPECT_EQ(abgleich, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Ziele, Regeln,
    ::testing::Values(TRegelZeile{"FireOntoFireArea", 1, 6123, 0, MelderArt::Feuer, true},
                      TRegelZeile{"Sb1OntoSb2Area", 3, 6128, 0, MelderArt::Sb1 + 1, true},
                      TRegelZeile{"FireOntoSb2Area", 1, 6128, 0, -1, false},
                      TRegelZeile{"Sb1OntoHoldUpArea", 3, 6125, 0, -1, false},
                      TRegelZeile{"Sb1OntoSb2Detector", 3, 0, 4, -1, true},
                      TRegelZeile{"HoldUpOntoHoldUpDetector", 2, 0, 2, -1, true},
                      TRegelZeile{"HoldUpOntoSb1Detector", 2, 0, 3, -1, false}),
    [](const auto& info) { return info.param.name; });

TEST_F(Kopieren, TheWiredInputIsNeitherCopiedNorPastedOnto)
{
    TStringList zeilen;
    EXPECT_TRUE(u.inst.GetCopyData(nullptr, zeilen));
    EXPECT_FALSE(u.inst.GetCopyData(u.inst.GetPointerVerdrahteterMelder(), zeilen));
    EXPECT_FALSE(u.inst.GetCopyData(u.inst.FindHandle(u.Knoten(6127).at(0)), zeilen));
    EXPECT_EQ(zeilen.Count(), 0);

    zeilen = Kopie(3);
    const TDatenStruktur vorher = *u.Satz(u.inst.GetPointerVerdrahteterMelder()->GetHandle());
    EXPECT_TRUE(u.inst.Einfuegen(u.inst.GetPointerVerdrahteterMelder(), zeilen));
    EXPECT_EQ(*u.Satz(u.inst.GetPointerVerdrahteterMelder()->GetHandle()), vorher);
    EXPECT_EQ(u.boxen.Count(), 0u);
    EXPECT_EQ(abgleich, 0);
}

TEST_F(Kopieren, TheSabotageQuestionDecidesAndTheListsFollowTheInputType)
{
    // Detector 3 is a switching device's sabotage input, assigned to SE 2 of SSB 1.
    TStringList sabo = Kopie(3, 3);
    ASSERT_TRUE(u.inst.SetMelderSaboSeToList(3, 1));
    TAzScharfschaltungSsb* ssb = u.inst.GetPointerInstScharfschaltungSsb(1);
    TDatenStruktur ssbSatz = *u.Satz(ssb->GetHandle());
    ssbSatz.Param11 = 3;
    ssb->InitFromDB(ssbSatz);
    TStringList normal = Kopie(4);

    u.boxen.Script(IDNO);
    EXPECT_FALSE(u.inst.Einfuegen(Melder(3), normal));
    ASSERT_EQ(u.boxen.Count(), 1u) << "only the question";
    EXPECT_EQ(u.boxen.Shown()[0].caption, "Sabotage Schalteinrichtung");
    EXPECT_EQ(Melder(3)->GetMelderArt(), 3);
    EXPECT_TRUE(ssb->CheckMelderSaboSeLinked(3));

    EXPECT_TRUE(u.inst.Einfuegen(Melder(3), normal));
    EXPECT_EQ(Melder(3)->GetMelderArt(), 0);
    EXPECT_FALSE(ssb->CheckMelderSaboSeLinked(3));
    EXPECT_TRUE(u.inst.GetSaboSe()[0].empty());

    // A sabotage input pasted onto detector 4 (SB 2) enters area 2's list.
    EXPECT_TRUE(u.inst.Einfuegen(Melder(4), sabo));
    EXPECT_EQ(u.inst.GetSaboSe()[1], (std::list<int32_t>{4}));
}

struct TFremdZeile {
    const char* name;
    int folge;            // Next of the pasted detector: -1 itself, other a handle; -2 no detector
    const char* zeile;    // a further line
    bool ok;
    const char* caption;  // of the one box; "" none
    bool gepastet;
};

struct Fremd : Kopieren, ::testing::WithParamInterface<TFremdZeile> {};

TEST_P(Fremd, LinesFromElsewhereAreReadSafely)
{
    const TFremdZeile& z = GetParam();
    TDatenStruktur satz = *u.Satz(Melder(4)->GetHandle());
    satz.Param6 = 7;
    satz.Next = z.folge == -1 ? satz.Handle : z.folge;
    TStringList zeilen;
    if (z.folge != -2)
        zeilen.Add(satz.GetDatensatzZeile());
    zeilen.Add(z.zeile);

    EXPECT_EQ(u.inst.Einfuegen(Melder(3), zeilen), z.ok);
    ASSERT_EQ(u.boxen.Count(), std::string(z.caption).empty() ? 0u : 1u);
    if (u.boxen.Count() > 0) {
        EXPECT_EQ(u.boxen.Shown()[0].caption, z.caption);
    }
    EXPECT_EQ(Melder(3)->GetMelderTyp() == 7, z.gepastet);
}

INSTANTIATE_TEST_SUITE_P(
    Bloecke, Fremd,
    ::testing::Values(TFremdZeile{"ChainOntoItself", -1, "", true, "", true},
                      // A detector found is pasted also when its chain breaks off.
                      TFremdZeile{"ChainToNowhere", 9999, "", false, "DeviceInstanzAz::Einfuegen", true},
                      TFremdZeile{"NoDetector", -2, "", false, "DeviceInstanzAz::Einfuegen", false},
                      TFremdZeile{"NoRecordLine", 0, "kein, Datensatz", false, "Fehler", false}),
    [](const auto& info) { return info.param.name; });

const char* ZweiteZentrale = R"sql(
INSERT INTO device (id, line_id, number, product_id) VALUES (8, 3, 2, 1);
INSERT INTO device_param (device_id, parameter_id, value)
    SELECT 8, id, default_value FROM parameter WHERE product_id = 1;
INSERT INTO device_object (device_id, comm_object_id, visible) SELECT 8, id, 0 FROM comm_object WHERE product_id = 1;
)sql";

TEST(KopierenZwischenGeraeten, TheSameDetectorTakesItsObjectFlagsIntoEtsAndAnAreaANewDetector)
{
    TEtsTestProject project{false};
    project.Sql(DemoProjectSql());
    project.Sql(ZweiteZentrale);
    TScriptedMessageBox boxen{IDYES};
    TAzGeraet quelle{project.ets, kDemoAlarmCentreId};
    TAzGeraet ziel{project.ets, 8};
    ASSERT_TRUE(quelle.inst.GetDataFromServer(quelle.host.GetHandle(), false));
    ASSERT_TRUE(ziel.inst.GetDataFromServer(ziel.host.GetHandle(), false));
    // Detector 3's object (number 2) with every flag turned over.
    auto flags = [](TEtsObjekt* o) {
        std::vector<bool> f;
        for (int n = TObjektBasis::ofKommunikation; n <= TObjektBasis::ofAktualisieren; ++n)
            f.push_back(o->GetObjektFlag(static_cast<TObjektBasis::TEnumObjektFlag>(n)));
        return f;
    };
    const std::vector<bool> alt = flags(quelle.Objekt(2));
    ASSERT_TRUE(quelle.Objekt(2)->SetFlags(!alt[0], !alt[1], !alt[2], !alt[3], !alt[4], false, false));
    quelle.Objekt(2)->Write(*quelle.inst.GetDatenSatz(quelle.Objekt(2)));
    TStringList zeilen;
    ASSERT_TRUE(quelle.inst.GetCopyData(quelle.inst.GetPointerInstMelder(3), zeilen));
    ASSERT_GE(zeilen.Count(), 2);

    EXPECT_TRUE(ziel.inst.Einfuegen(ziel.inst.GetPointerInstMelder(3), zeilen));
    EXPECT_EQ(flags(ziel.Objekt(2)), flags(quelle.Objekt(2)));
    // Another detector's objects have other identifiers: they keep their flags, and the
    // paste counts as done.
    TDataBasis* sb2 = ziel.inst.FindHandle(ziel.inst.GetPointerInstMelder(4)->GetParentHandle());
    EXPECT_TRUE(ziel.inst.Einfuegen(sb2, zeilen));
    ASSERT_NE(ziel.Objekt(4), nullptr);
    EXPECT_EQ(flags(ziel.Objekt(4)), alt);
    EXPECT_EQ(boxen.Count(), 0u);

    ASSERT_TRUE(ziel.inst.WriteBlob());
    TAzGeraet geladen{project.ets, 8};
    ASSERT_TRUE(geladen.inst.GetDataFromServer(geladen.host.GetHandle(), false));
    EXPECT_EQ(flags(geladen.Objekt(2)), flags(quelle.Objekt(2)));
}

} // namespace
