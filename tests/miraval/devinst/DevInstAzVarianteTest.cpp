// Detectors at the input limit, deleting detectors, and the variant change.

#include "DevInstAzUmgebung.h"

#include "tessarin/AzMelder.h"
#include "tessarin/AzOrdnerAnzeige.h"
#include "tessarin/AzScharfschaltungSsb.h"

#include <gtest/gtest.h>

namespace {

const std::string Voll = "Die maximale Anzahl an Eingängen ist erreicht.\n\rEs kann kein neuer Eingang erzeugt werden.";

struct DevInstAzMelder : ::testing::Test {
    DevInstAzMelder()
    {
        EXPECT_TRUE(u.inst.CreateNewDevice(u.host.GetHandle()));
        sb1 = u.inst.FindHandle(10);
        u.anfragen.clear();
    }
    HWND owner() { return u.host.GetHandle(); }

    TAzUmgebung u;
    TDataBasis* sb1 = nullptr;
};

TEST_F(DevInstAzMelder, The161stInputIsRefusedButTheWiredInputIsMade)
{
    u.inst.SetAnzahlEingaenge(161);
    const std::size_t vorher = u.inst.GetKnoten().size();
    EXPECT_FALSE(u.inst.CreateAzMelder(owner(), sb1, 3, true));
    EXPECT_EQ(u.inst.CreateAzMelderForPaste(owner(), sb1, 2, true), nullptr);
    ASSERT_EQ(u.boxen.Count(), 2u);
    EXPECT_EQ(u.boxen.Shown()[0].text, Voll);
    EXPECT_EQ(u.boxen.Shown()[0].caption, "Achtung");
    EXPECT_EQ(u.boxen.Shown()[0].flags, static_cast<UINT>(MB_ICONERROR));
    EXPECT_EQ(u.inst.GetKnoten().size(), vorher);

    EXPECT_TRUE(u.inst.CreateAzMelder(owner(), sb1, 2, false));
    EXPECT_EQ(u.inst.GetAnzahlEingaenge(), 162);
    EXPECT_EQ(u.anfragen.back().nummer, 1593);
}

TEST_F(DevInstAzMelder, NoFreeNumberIsRefusedInsteadOfTakingTheWiredInputsNumber)
{
    for (int32_t nr = 5; nr <= 160; ++nr)
        u.inst.GetMelderNrUsed().push_back(nr);
    const int eingaenge = u.inst.GetAnzahlEingaenge();
    EXPECT_FALSE(u.inst.CreateAzMelder(owner(), sb1, 3, true));
    EXPECT_EQ(u.inst.CreateAzMelderForPaste(owner(), sb1, 4, true), nullptr);
    ASSERT_EQ(u.boxen.Count(), 2u);
    EXPECT_EQ(u.boxen.Shown()[1].text, Voll);
    EXPECT_EQ(u.inst.GetAnzahlEingaenge(), eingaenge);
    EXPECT_TRUE(u.anfragen.empty());
    EXPECT_EQ(u.inst.GetPointerInstMelder(0), u.inst.GetPointerVerdrahteterMelder());
}

TEST_F(DevInstAzMelder, DetectorNumberFromTheFreeListAndObject1591For160)
{
    for (int32_t nr = 5; nr <= 159; ++nr)
        u.inst.GetMelderNrUsed().push_back(nr);
    ASSERT_TRUE(u.inst.CreateAzMelder(owner(), sb1, 4, true));
    TAzMelder* melder = u.inst.GetPointerInstMelder(160);
    ASSERT_NE(melder, nullptr);
    EXPECT_EQ(u.anfragen, (std::vector<TObjektAnfrage>{{melder->GetHandle(), 2, 1591, -100}}));
    EXPECT_EQ(u.Satz(melder->GetHandle())->Param1, 160);
    EXPECT_EQ(u.host.status[2], "5");

    u.anfragen.clear();
    EXPECT_TRUE(u.inst.DeleteAzMelder(melder));
    EXPECT_EQ(u.anfragen.size(), 1u);
    EXPECT_EQ(u.anfragen.front().wert, 0);
    EXPECT_EQ(u.anfragen.front().nummer, 1591);
    EXPECT_EQ(u.inst.GetNextFreeMelderNr(), 160);
}

struct DevInstAzSabotage : DevInstAzMelder {
    // Detector 3 (SB 1) is a switching device's sabotage input, assigned to SE 2 of SSB 1.
    DevInstAzSabotage()
    {
        melder = u.inst.GetPointerInstMelder(3);
        TDatenStruktur satz = *u.Satz(melder->GetHandle());
        satz.Param3 = 3;
        melder->InitFromDB(satz);
        EXPECT_TRUE(u.inst.SetMelderSaboSeToList(3, 1));
        ssb = u.inst.GetPointerInstScharfschaltungSsb(1);
        TDatenStruktur ssbSatz = *u.Satz(ssb->GetHandle());
        ssbSatz.Param11 = 3;
        ssb->InitFromDB(ssbSatz);
        EXPECT_TRUE(ssb->CheckMelderSaboSeLinked(3));
    }

    TAzMelder* melder = nullptr;
    TAzScharfschaltungSsb* ssb = nullptr;
};

TEST_F(DevInstAzSabotage, AnsweringNoKeepsEverything)
{
    u.boxen.Script(IDNO);
    EXPECT_FALSE(u.inst.DeleteAzMelder(melder));
    ASSERT_EQ(u.boxen.Count(), 1u);
    EXPECT_EQ(u.boxen.Shown()[0].text,
              "Die Sabotage Schalteinrichtung ist in der Scharfschaltung zugeordnet. \n\rSoll diese Zuordnung "
              "gelöscht werden?");
    EXPECT_EQ(u.boxen.Shown()[0].caption, "Sabotage Schalteinrichtung");
    EXPECT_EQ(u.boxen.Shown()[0].flags, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
    EXPECT_TRUE(u.anfragen.empty());
    EXPECT_EQ(u.inst.GetPointerInstMelder(3), melder);
    EXPECT_TRUE(ssb->CheckMelderSaboSeLinked(3));
    EXPECT_EQ(u.host.calls.back(), "StopDlgProgress");
}

TEST_F(DevInstAzSabotage, AnsweringYesWithdrawsItFromTheSwitchingDevice)
{
    const int32_t handle = melder->GetHandle();
    u.parameter.Clear();
    EXPECT_TRUE(u.inst.DeleteAzMelder(melder));
    EXPECT_EQ(u.anfragen, (std::vector<TObjektAnfrage>{{handle, 0, 30, 0}}));
    EXPECT_EQ(u.inst.FindHandle(handle), nullptr);
    EXPECT_EQ(u.inst.FindDatenSatz(1, -1, handle), nullptr);
    EXPECT_EQ(u.inst.GetMelderNrUsed(), (std::list<int32_t>{1, 2, 4}));
    EXPECT_EQ(u.inst.GetAnzahlEingaenge(), 4);
    EXPECT_EQ(u.host.status[2], "3");
    // Its parameters are cleared.
    EXPECT_EQ(u.parameter.Writes().front(), (std::pair<int16_t, int32_t>{3030, 0}));
    // The arming node drops it as SE 2's input (its record too) and no longer offers it.
    EXPECT_FALSE(ssb->CheckMelderSaboSeLinked(3));
    EXPECT_EQ(ssb->GetMelderNrSaboSe(2), 255);
    EXPECT_EQ(u.Satz(ssb->GetHandle())->Param11, 255);
    EXPECT_TRUE(u.inst.GetSaboSe()[0].empty());
    EXPECT_TRUE(ssb->GetListeMelderNrSaboSe().empty());
    EXPECT_EQ(u.host.calls.front(), "StartDlgProgress Eingang löschen|Eingang Nr.3 wird gelöscht.|0..5/1");
}

TEST(DevInstAzVarianteWechsel, VariantZeroRemovesAreasDisplaysAndTheWiredInput)
{
    TAzUmgebung u;
    ASSERT_TRUE(u.inst.CreateNewDevice(u.host.GetHandle(), 0x113344CCu));
    TDataBasis* root = u.inst.GetDevice();
    u.anfragen.clear();
    int32_t anzahl = -1;
    EXPECT_TRUE(u.inst.ModifyVarianteAz(u.host.GetHandle(), u.inst.GetPointerInstOrdnerSB(root), anzahl, 0,
                                        u.inst.GetPointerInstOrdnerAnzeige(), u.inst.GetPointerInstOrdnerAlarmierung(root),
                                        u.inst.GetPointerInstOrdnerSS(root)));
    EXPECT_EQ(anzahl, 0);
    for (int typ : {6127, 6128, 6129, 6130, 6132, 6133, 6134, 6135, 6136, 6137})
        EXPECT_TRUE(u.Knoten(typ).empty()) << typ;
    EXPECT_EQ(u.Knoten(6138).size(), 2u); // fire and hold-up alarms stay
    EXPECT_EQ(u.Knoten(6143).size(), 2u);
    EXPECT_EQ(u.Knoten(6124).size(), 2u); // fire and hold-up detectors; the wired input is gone
    EXPECT_EQ(u.inst.GetUegScharf(), (std::array<bool, 4>{}));
    EXPECT_EQ(u.inst.GetUegEinbruch(), (std::array<bool, 4>{}));

    std::vector<int32_t> aus;
    for (const TObjektAnfrage& a : u.anfragen) {
        EXPECT_EQ(a.wert, 0);
        aus.push_back(a.nummer);
    }
    EXPECT_EQ(aus, (std::vector<int32_t>{30, 1650, 1660, 5300, 40, 1750, 1760, 5400, 50, 1850, 1860, 5500, 60, 1950,
                                         1960, 5600, 6300, 6400, 1593}));
}

} // namespace
