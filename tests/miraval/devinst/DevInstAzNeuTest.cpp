// The default structure of a new alarm centre: its records (kinds, names, handles, parents,
// positions), the objects it switches on, and its bookkeeping, for each variant.

#include "DevInstAzUmgebung.h"

#include "platform/kestrin/EtsTestProject.h"
#include "support/Zeilenname.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

struct TKnotenZeile {
    int32_t handle;
    int typ;
    std::string name;
    int32_t parent;
    int32_t position;
};

// The default variant 0x11330000 (areas 1 and 2), in creation order.
const std::vector<TKnotenZeile> StandardBaum = {
    {1, 105, "Alarmzentrale", 0, -1},
    {2, 6121, "Editierbare Texte: Melder und Scharfschalt-Bereiche", 1, 1},
    {3, 6122, "Melder / Sabotage", 1, 2},
    {4, 6123, "Sicherungs-Bereich Feuermelder", 3, 1},
    {5, 6124, "SB Feuermelder", 4, 1},
    {6, 6125, "Sicherungs-Bereich Überfallmelder", 3, 2},
    {7, 6124, "SB Überfallmelder", 6, 2},
    {8, 6124, "Verdrahteter Melder-Eingang Alarmzentrale", 3, 3},
    {9, 6126, "Verdrahteter Sabotage-Eingang Alarmzentrale", 3, 4},
    {10, 6127, "Sicherungs-Bereich 1 (SB 1)", 3, 5},
    {11, 6124, "SB 1", 10, 3},
    {12, 6128, "Sicherungs-Bereich 2 (SB 2)", 3, 6},
    {13, 6124, "SB 2", 12, 4},
    {14, 6131, "Scharfschaltung", 1, 3},
    {15, 6132, "Scharfschalt-Bereich 1 (SSB 1)", 14, 1},
    {16, 6136, "Scharfschaltung SSB 1", 15, 1},
    {17, 6137, "Scharf-/Unscharf-Quittierung SSB 1", 15, 2},
    {18, 6133, "Scharfschalt-Bereich 2 (SSB 2)", 14, 2},
    {19, 6136, "Scharfschaltung SSB 2", 18, 1},
    {20, 6137, "Scharf-/Unscharf-Quittierung SSB 2", 18, 2},
    {21, 6139, "Alarmierung", 1, 4},
    {22, 6138, "Feuermelder", 21, 1},
    {23, 6138, "Überfallmelder", 21, 2},
    {24, 6138, "SSB 1", 21, 4},
    {25, 6138, "SSB 2", 21, 5},
    {26, 6140, "Alarmdauer Signalgeber", 21, 8},
    {27, 6141, "EIB Objekte zur Alarmierung", 21, 9},
    {28, 6142, "Anzeige", 1, 5},
    {29, 6143, "Anzeige 1", 28, 1},
    {30, 6143, "Anzeige 2", 28, 2},
    {31, 6143, "Anzeige 3", 28, 3},
    {32, 6143, "Anzeige 4", 28, 4},
    {33, 6144, "System-Überwachung", 1, 6},
    {34, 6145, "EIB-Alarm-System, Sicherheit", 33, 1},
    {35, 6146, "Verhalten ÜG 'R' bei ÜG Überfall", 33, 2},
    {36, 6146, "Verhalten ÜG 'R' bei ÜG Einbruch", 33, 3},
    {37, 6147, "Datum/Uhrzeit", 1, 7},
};

TEST(DevInstAzNeu, DefaultVariantGivesTheFullTreeInCreationOrder)
{
    TAzUmgebung u;
    // Built over another structure: nothing of the first (nodes, counts, lists) is left.
    ASSERT_TRUE(u.inst.CreateNewDevice(u.host.GetHandle(), 0x113344CCu));
    u.inst.SetMelderGrpAdrToList(99);
    u.anfragen.clear();
    u.parameter.Clear();
    ASSERT_TRUE(u.inst.CreateNewDevice(u.host.GetHandle()));

    ASSERT_EQ(u.inst.GetKnoten().size(), StandardBaum.size());
    EXPECT_EQ(u.inst.GetDatenSatzAnzahl(), StandardBaum.size());
    for (const TKnotenZeile& zeile : StandardBaum) {
        SCOPED_TRACE("handle " + std::to_string(zeile.handle));
        const TDatenStruktur* satz = u.Satz(zeile.handle);
        ASSERT_NE(satz, nullptr);
        EXPECT_EQ(satz->Typ, zeile.typ);
        EXPECT_EQ(satz->Name, zeile.name);
        EXPECT_EQ(satz->Parent, zeile.parent);
        EXPECT_EQ(satz->System, 1);
        EXPECT_EQ(satz->Param1, zeile.position);
    }
    EXPECT_EQ(u.inst.GetDevice(), u.inst.FindHandle(1));
    EXPECT_EQ(static_cast<void*>(u.inst.GetPointerEdtitierbareTexte()), static_cast<void*>(u.inst.FindHandle(2)));

    const std::vector<TObjektAnfrage> erwartet = {
        {5, 5, 10, -100},  {7, 6, 20, -100}, {8, 1, 1593, -100}, {9, 1, 1592, 0},   {11, 1, 30, -100},
        {13, 2, 40, -100}, {14, 1, 1599, 0}, {16, 1, 1650, 0},   {17, 1, 1660, 0},  {19, 1, 1750, 0},
        {20, 1, 1760, 0},  {22, 1, 5100, 0}, {23, 1, 5200, 0},   {24, 1, 5300, 0},  {25, 1, 5400, 0},
        {27, 1, 5700, 0},  {29, 1, 6100, 0}, {30, 1, 6200, 0},   {31, 1, 6300, 0},  {32, 1, 6400, 0},
        {34, 1, 7100, 0},  {33, 1, 7200, 0}, {37, 1, 8000, 0},
    };
    EXPECT_EQ(u.anfragen, erwartet);

    // Five inputs (the wired one included); the status bar counts the numbers 1..4.
    EXPECT_EQ(u.inst.GetAnzahlEingaenge(), 5);
    EXPECT_EQ(u.inst.GetMelderNrUsed(), (std::list<int32_t>{1, 2, 3, 4}));
    EXPECT_TRUE(u.inst.GetMelderGrpAdr().empty());
    EXPECT_EQ(u.host.status[2], "4");
    EXPECT_EQ(u.host.status[3], "156");
    EXPECT_EQ(u.inst.GetUegScharf(), (std::array<bool, 4>{true, true, false, false}));
    EXPECT_EQ(u.inst.GetUegEinbruch(), (std::array<bool, 4>{true, true, false, false}));
    // Built without windows: no tree nodes, no progress dialogs, no messages.
    EXPECT_TRUE(u.host.calls.empty());
    EXPECT_EQ(u.boxen.Count(), 0u);
}

TEST(DevInstAzNeu, ADeviceWithoutConfigurationIsBuiltStoredAndLoadedBack)
{
    TEtsTestProject project;
    TAzUmgebung u(&project.ets);
    ASSERT_TRUE(u.inst.GetDataFromServer(u.host.GetHandle(), false));
    ASSERT_EQ(u.inst.GetKnoten().size(), StandardBaum.size());
    for (const TKnotenZeile& zeile : StandardBaum) {
        SCOPED_TRACE("handle " + std::to_string(zeile.handle));
        ASSERT_NE(u.Satz(zeile.handle), nullptr);
        EXPECT_EQ(u.inst.FindHandle(zeile.handle)->GetTyp(), zeile.typ);
        EXPECT_EQ(u.Satz(zeile.handle)->Param1, zeile.position);
    }
    EXPECT_EQ(u.inst.GetAnzahlEingaenge(), 5); // counted again by the alignment after loading
    EXPECT_EQ(u.boxen.Count(), 0u);
}

// Per variant, the objects switched on as (first argument, object number), in order, between
// those every structure has (detectors of fire and hold-up, wired input, tamper contact) and
// those of the monitoring and the clock.
struct TVarianteZeile {
    std::string name;
    uint32_t variante;
    std::vector<std::pair<int32_t, int32_t>> objekte;
    std::size_t anzeigen;
};
void PrintTo(const TVarianteZeile& zeile, std::ostream* out)
{
    *out << zeile.name;
}

class DevInstAzVariante : public ::testing::TestWithParam<TVarianteZeile> {};

TEST_P(DevInstAzVariante, AreasDetectorsAndDisplaysFollowTheVariant)
{
    const TVarianteZeile& zeile = GetParam();
    TAzUmgebung u;
    ASSERT_TRUE(u.inst.CreateNewDevice(u.host.GetHandle(), zeile.variante));

    std::vector<std::pair<int32_t, int32_t>> erwartet = {{5, 10}, {6, 20}, {1, 1593}, {1, 1592}};
    erwartet.insert(erwartet.end(), zeile.objekte.begin(), zeile.objekte.end());
    erwartet.insert(erwartet.end(), {{1, 7100}, {1, 7200}, {1, 8000}});
    std::vector<std::pair<int32_t, int32_t>> objekte;
    for (const TObjektAnfrage& a : u.anfragen)
        objekte.emplace_back(a.wert, a.nummer);
    EXPECT_EQ(objekte, erwartet);
    EXPECT_EQ(u.Knoten(6143).size(), zeile.anzeigen);
    // Security area n at position 4 + n, arming area n at n, also with areas missing between.
    for (int n = 1; n <= 4; ++n) {
        for (int32_t h : u.Knoten(6126 + n))
            EXPECT_EQ(u.Satz(h)->Param1, 4 + n);
        for (int32_t h : u.Knoten(6131 + n))
            EXPECT_EQ(u.Satz(h)->Param1, n);
    }
    // Fire, hold-up, the wired input and one detector per area, numbered without gaps.
    const std::size_t bereiche = u.Knoten(6124).size() - 3;
    EXPECT_EQ(u.inst.GetAnzahlEingaenge(), static_cast<int>(3 + bereiche));
    EXPECT_EQ(u.inst.GetMelderNrUsed().back(), static_cast<int32_t>(2 + bereiche));
    EXPECT_NE(u.inst.GetPointerVerdrahteterMelder(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Varianten, DevInstAzVariante,
    ::testing::Values(
        TVarianteZeile{"NoArea", 0x00000000u, {{1, 1599}, {1, 5100}, {1, 5200}, {1, 5700}, {1, 6100}, {1, 6200}}, 2},
        TVarianteZeile{"Areas1And4", 0x11000098u,
                       {{1, 30}, {4, 40}, {1, 1599}, {1, 1650}, {1, 1660}, {1, 1950}, {1, 1960}, {1, 5100},
                        {1, 5200}, {1, 5300}, {1, 5600}, {1, 5700}, {1, 6100}, {1, 6200}, {1, 6300}, {1, 6400}},
                       4},
        TVarianteZeile{"AllFour", 0x113344CCu,
                       {{1, 30},   {2, 40},   {3, 50},   {4, 60},   {1, 1599}, {1, 1650}, {1, 1660}, {1, 1750},
                        {1, 1760}, {1, 1850}, {1, 1860}, {1, 1950}, {1, 1960}, {1, 5100}, {1, 5200}, {1, 5300},
                        {1, 5400}, {1, 5500}, {1, 5600}, {1, 5700}, {1, 6100}, {1, 6200}, {1, 6300}, {1, 6400}},
                       4}),
    TZeilenName());

TEST(DevInstAzNeu, DuplicatesAnswerAsTheirKindSays)
{
    TAzUmgebung u;
    ASSERT_TRUE(u.inst.CreateNewDevice(u.host.GetHandle()));
    TDataBasis* alarme = u.inst.GetPointerInstOrdnerAlarmierung(u.inst.GetDevice());
    const std::size_t vorher = u.inst.GetKnoten().size();
    EXPECT_FALSE(u.inst.CreateAzOrdnerAlarmierung(u.host.GetHandle(), u.inst.GetDevice(), false));
    EXPECT_TRUE(u.inst.CreateAzAlarmdauer(u.host.GetHandle(), alarme, false));
    EXPECT_TRUE(u.inst.CreateAzAlarmierung(u.host.GetHandle(), alarme, false, 3));
    EXPECT_EQ(u.inst.GetKnoten().size(), vorher);
    // Type 2 only when asked for: position 3, shown, no object of its own.
    u.anfragen.clear();
    EXPECT_TRUE(u.inst.CreateAzAlarmierung(u.host.GetHandle(), alarme, true, 2));
    const int32_t neu = u.Knoten(6138).back();
    EXPECT_EQ(u.Satz(neu)->Name, "Alarmierung ext. Sabotagemelder bei Scharf");
    EXPECT_EQ(u.Satz(neu)->Param1, 3);
    EXPECT_EQ(u.anfragen, (std::vector<TObjektAnfrage>{{neu, 1, 0, 0}}));
    EXPECT_EQ(u.host.calls, (std::vector<std::string>{"AddChildNode2Data"}));
}

} // namespace
