// Adding detectors in runs and deleting the selected one; the input counter through variant
// changes, runs and deletions.

#include "DevInstAzUmgebung.h"

#include "miraval/devinst/DevInstAz_p.h"
#include "platform/kestrin/EtsTestProject.h"
#include "support/Zeilenname.h"
#include "tessarin/AzMelder.h"
#include "tessarin/AzOrdnerAnzeige.h"
#include "tessarin/AzScharfschaltungSsb.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const std::string Voll = "Die maximale Anzahl an Eingängen ist erreicht.\n\rEs kann kein neuer Eingang erzeugt werden.";

struct Melder : ::testing::Test {
    Melder()
    {
        EXPECT_TRUE(u.inst.CreateNewDevice(u.host.GetHandle()));
        u.anfragen.clear();
        SetMessageObserver(u.host.GetHandle(), [this](TMessageKind art, HWND, UINT msg, WPARAM, LPARAM) {
            abgleich += art == TMessageKind::Post && msg == UM_AbgleichFormVerw ? 1 : 0;
        });
    }
    ~Melder() override { SetMessageObserver(u.host.GetHandle(), {}); }

    TDataBasis* Knoten(int typ) { return u.inst.FindHandle(u.Knoten(typ).at(0)); }
    // The numbers of the detectors, ascending.
    std::vector<int32_t> Nummern()
    {
        std::vector<int32_t> nummern;
        for (int32_t handle : u.Knoten(AzTyp::Melder))
            nummern.push_back(dynamic_cast<TAzMelder*>(u.inst.FindHandle(handle))->GetMelderNr());
        std::sort(nummern.begin(), nummern.end());
        return nummern;
    }
    // The last position the progress dialog was moved to; 0 when never.
    int LetztePosition() const
    {
        for (auto it = u.host.calls.rbegin(); it != u.host.calls.rend(); ++it)
            if (it->rfind("SetDlgProgress ", 0) == 0)
                return std::stoi(it->substr(15));
        return 0;
    }

    TAzUmgebung u;
    int abgleich = 0; // UM_AbgleichFormVerw posted
};

// ---- Adding ------------------------------------------------------------------------------------

struct THinzuZeile {
    const char* name;
    int bereichTyp;
    int32_t anzahl;      // the count the dialog answers
    int abbruchBei;      // the ProcessMessages call at which cancel is clicked; 0 never
    uint8_t art;         // kind of the new detectors
    int32_t bisNummer;   // the new detectors are 5 .. bisNummer (the new device has 1..4)
    int letztePosition;  // where the progress ended
    std::size_t boxen;   // messages shown (the factory's at the limit)
};

struct Hinzufuegen : Melder, ::testing::WithParamInterface<THinzuZeile> {};

TEST_P(Hinzufuegen, MakesTheInputsWithTheirObjectsAndCounts)
{
    const THinzuZeile& z = GetParam();
    u.host.selTreeData = Knoten(z.bereichTyp);
    u.host.dlgAntwort = 1;
    u.host.dlgAnzahl = z.anzahl;
    u.host.beimVerarbeiten = [&](int n) {
        if (n == z.abbruchBei)
            u.inst.SetMelderHinzufuegenAbbrechen();
    };

    EXPECT_TRUE(u.inst.MelderHinzufuegen());

    std::vector<int32_t> erwartet{0, 1, 2, 3, 4};
    std::vector<TObjektAnfrage> objekte;
    for (int32_t nr = 5; nr <= z.bisNummer; ++nr) {
        erwartet.push_back(nr);
        TAzMelder* melder = u.inst.GetPointerInstMelder(nr);
        ASSERT_NE(melder, nullptr) << nr;
        EXPECT_EQ(melder->GetMelderBereich(), z.art) << nr;
        // Fire and hold-up detectors have object kinds 5 and 6, area detectors 1..4.
        objekte.push_back({melder->GetHandle(), z.art < 2 ? z.art + 5 : z.art - 2, MelderObjektNr(nr), -100});
    }
    EXPECT_EQ(Nummern(), erwartet);
    EXPECT_EQ(u.anfragen, objekte);
    const int neu = z.bisNummer - 4;
    EXPECT_EQ(u.inst.GetAnzahlEingaenge(), 5 + neu);
    EXPECT_EQ(u.host.status[2], std::to_string(4 + neu));
    EXPECT_EQ(u.host.status[3], std::to_string(156 - neu));
    EXPECT_EQ(u.boxen.Count(), z.boxen);
    if (z.boxen > 0) {
        EXPECT_EQ(u.boxen.Shown().back().text, Voll);
    }

    const std::string text = std::to_string(z.anzahl) + " Eingänge einfügen";
    ASSERT_GE(u.host.calls.size(), 5u);
    EXPECT_EQ(u.host.calls[0], "DlgMelderHinzufuegen Eingänge hinzufügen|0|156");
    EXPECT_EQ(u.host.calls[1], "BeginTreeUpdate");
    const int64_t schritte = std::min<int64_t>(2 * int64_t{z.anzahl}, INT32_MAX);
    EXPECT_EQ(u.host.calls[2], "StartDlgProgress Eingänge hinzufügen|" + text + "|0.." + std::to_string(schritte) +
                                   " cancel 3");
    EXPECT_EQ(u.host.calls.end()[-2], "StopDlgProgress");
    EXPECT_EQ(u.host.calls.end()[-1], "EndTreeUpdate");
    EXPECT_EQ(LetztePosition(), z.letztePosition);
    EXPECT_FALSE(u.inst.GetAbbrechen());
    EXPECT_EQ(abgleich, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Laeufe, Hinzufuegen,
    ::testing::Values(THinzuZeile{"OneFireDetector", 6123, 1, 0, 0, 5, 2, 0},
                      THinzuZeile{"ManyHoldUpDetectors", 6125, 10, 0, 1, 14, 20, 0},
                      // Enter took 200 above the offered 156: the factory ends the run at 160.
                      THinzuZeile{"UpToTheLimit", 6128, 200, 0, 4, 160, 2 * 156 + 1, 1},
                      // Two steps per detector must not overflow the range.
                      THinzuZeile{"AnEnormousCount", 6127, INT32_MAX, 0, 3, 160, 2 * 156 + 1, 1},
                      // The cancel arrives after the third detector; the flag is reset for the next run.
                      THinzuZeile{"CancelledAfterThree", 6127, 10, 6, 3, 7, 7, 0}),
    TZeilenName());

struct TVerweigertZeile {
    const char* name;
    int auswahlTyp; // 0: nothing selected
    int antwort;    // of the count dialog
    bool gefragt;   // the count dialog was shown
};

struct HinzufuegenVerweigert : Melder, ::testing::WithParamInterface<TVerweigertZeile> {};

TEST_P(HinzufuegenVerweigert, MakesNothing)
{
    const TVerweigertZeile& z = GetParam();
    u.host.selTreeData = z.auswahlTyp != 0 ? Knoten(z.auswahlTyp) : nullptr;
    u.host.dlgAntwort = z.antwort;
    u.host.dlgAnzahl = 3;
    const std::size_t knoten = u.inst.GetKnoten().size();

    EXPECT_FALSE(u.inst.MelderHinzufuegen());
    EXPECT_EQ(u.inst.GetKnoten().size(), knoten);
    EXPECT_EQ(u.host.calls.size(), z.gefragt ? 1u : 0u);
    EXPECT_EQ(abgleich, 0);
}

INSTANTIATE_TEST_SUITE_P(Faelle, HinzufuegenVerweigert,
                         ::testing::Values(TVerweigertZeile{"NothingSelected", 0, 1, false},
                                           TVerweigertZeile{"ADetector", 6124, 1, false},
                                           TVerweigertZeile{"TheTamperContact", 6126, 1, false},
                                           TVerweigertZeile{"TheAreasFolder", 6122, 1, false},
                                           TVerweigertZeile{"CountCancelled", 6127, 2, true},
                                           TVerweigertZeile{"DialogNotMade", 6127, -1, true}),
                         TZeilenName());

// ---- Deleting ----------------------------------------------------------------------------------

struct TLoeschZeile {
    const char* name;
    int auswahl;          // 0 nothing, -1 the wired input, 6127 area 1, else the detector number
    bool sabotage;        // detector 3 is assigned to SE 2 of SSB 1 as its sabotage input
    int antwort;          // to the sabotage question
    bool ergebnis;
    std::vector<int32_t> bleiben; // detector numbers afterwards
};

struct Loeschen : Melder, ::testing::WithParamInterface<TLoeschZeile> {};

TEST_P(Loeschen, DeletesOnlyAChosenDetector)
{
    const TLoeschZeile& z = GetParam();
    TAzScharfschaltungSsb* ssb = u.inst.GetPointerInstScharfschaltungSsb(1);
    if (z.sabotage) {
        TAzMelder* melder = u.inst.GetPointerInstMelder(3);
        TDatenStruktur satz = *u.Satz(melder->GetHandle());
        satz.Param3 = 3; // a switching device's sabotage input
        melder->InitFromDB(satz);
        EXPECT_TRUE(u.inst.SetMelderSaboSeToList(3, 1));
        TDatenStruktur ssbSatz = *u.Satz(ssb->GetHandle());
        ssbSatz.Param11 = 3;
        ssb->InitFromDB(ssbSatz);
    }
    u.boxen.Script(z.antwort);
    switch (z.auswahl) {
    case 0:
        break;
    case -1:
        u.host.selTreeData = u.inst.GetPointerVerdrahteterMelder();
        break;
    case 6127:
        u.host.selTreeData = Knoten(6127);
        break;
    default:
        u.host.selTreeData = u.inst.GetPointerInstMelder(z.auswahl);
        break;
    }

    EXPECT_EQ(u.inst.MelderLoeschen(), z.ergebnis);
    EXPECT_EQ(Nummern(), z.bleiben);
    const int weg = z.ergebnis ? 1 : 0;
    EXPECT_EQ(u.inst.GetAnzahlEingaenge(), 5 - weg);
    EXPECT_EQ(u.host.status[2], std::to_string(4 - weg));
    EXPECT_EQ(u.boxen.Count(), z.sabotage ? 1u : 0u);
    if (z.sabotage) {
        EXPECT_EQ(ssb->CheckMelderSaboSeLinked(3), !z.ergebnis);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Faelle, Loeschen,
    ::testing::Values(TLoeschZeile{"NothingSelected", 0, false, IDYES, false, {0, 1, 2, 3, 4}},
                      TLoeschZeile{"AnArea", 6127, false, IDYES, false, {0, 1, 2, 3, 4}},
                      TLoeschZeile{"TheWiredInput", -1, false, IDYES, false, {0, 1, 2, 3, 4}},
                      TLoeschZeile{"ADetector", 4, false, IDYES, true, {0, 1, 2, 3}},
                      TLoeschZeile{"ASabotageInputAgreed", 3, true, IDYES, true, {0, 1, 2, 4}},
                      TLoeschZeile{"ASabotageInputKept", 3, true, IDNO, false, {0, 1, 2, 3, 4}}),
    TZeilenName());

// ---- The input counter -------------------------------------------------------------------------

// After any sequence of variant changes, runs and deletions the counter is what a load of the
// same configuration counts: one per detector, the wired input included. The status bar shows
// the bus inputs there are, used and free of 160: with the wired input where the variant has
// one, and without it where it has none.
TEST(MelderZaehler, StaysWhatALoadCounts)
{
    TEtsTestProject project;
    TAzUmgebung u(&project.ets);
    ASSERT_TRUE(u.inst.GetDataFromServer(u.host.GetHandle(), false));
    TDataBasis* root = u.inst.GetDevice();
    auto variante = [&](uint32_t code) {
        int32_t anzahl = 0;
        u.inst.ModifyVarianteAz(u.host.GetHandle(), u.inst.GetPointerInstOrdnerSB(root), anzahl, code,
                                u.inst.GetPointerInstOrdnerAnzeige(), u.inst.GetPointerInstOrdnerAlarmierung(root),
                                u.inst.GetPointerInstOrdnerSS(root));
    };
    auto pruefen = [&](const char* schritt) {
        SCOPED_TRACE(schritt);
        EXPECT_EQ(u.inst.GetAnzahlEingaenge(), static_cast<int>(u.Knoten(AzTyp::Melder).size()));
        int bus = 0;
        for (int32_t handle : u.Knoten(AzTyp::Melder))
            bus += dynamic_cast<TAzMelder*>(u.inst.FindHandle(handle))->GetMelderBereich() != MelderArt::Verdrahtet;
        EXPECT_EQ(u.host.status[2] + " " + u.host.status[3], std::to_string(bus) + " " + std::to_string(160 - bus));
    };
    pruefen("loaded");
    u.host.selTreeData = u.inst.FindHandle(u.Knoten(6127).at(0));
    u.host.dlgAntwort = 1;
    u.host.dlgAnzahl = 3;
    ASSERT_TRUE(u.inst.MelderHinzufuegen());
    pruefen("added");
    for (int i = 0; i < 3; ++i) {
        variante(0);
        pruefen("variant 0");
        variante(0x11330000);
        pruefen("variant back");
    }
    u.host.selTreeData = u.inst.GetPointerInstMelder(1);
    ASSERT_TRUE(u.inst.MelderLoeschen());
    pruefen("deleted");
    ASSERT_TRUE(u.inst.WriteBlob());

    TAzUmgebung geladen(&project.ets);
    ASSERT_TRUE(geladen.inst.GetDataFromServer(geladen.host.GetHandle(), false));
    EXPECT_EQ(geladen.inst.GetAnzahlEingaenge(), u.inst.GetAnzahlEingaenge());
    EXPECT_EQ(geladen.inst.GetAnzahlEingaenge(), 4); // wired input, hold-up, SB 1 and SB 2
    EXPECT_EQ(geladen.host.status[2] + " " + geladen.host.status[3], "3 157");
}

} // namespace
