// The ETS device parameters a new alarm centre writes, and the resource check before a
// group-address link.

#include "DevInstAzUmgebung.h"

#include "quillon/EtsObjekt.h"
#include "support/Zeilenname.h"
#include "tessarin/AzDatumUhrzeit.h"
#include "tessarin/SprAz.h"
#include "win32/CodePage1252.h"

#include <gtest/gtest.h>

namespace {

using TSchreiben = std::vector<std::pair<int16_t, int32_t>>;

// A device text: the Windows-1252 bytes, four to a parameter with the first in the top byte;
// the fourth parameter holds characters 13 and 14.
void Text(TSchreiben& w, int nummer, const std::string& utf8)
{
    std::string b = Utf8ToCp1252(utf8).bytes;
    b.resize(16, '\0');
    auto z = [&b](int i) { return static_cast<uint32_t>(static_cast<uint8_t>(b[static_cast<std::size_t>(i)])); };
    for (int k = 0; k < 3; ++k)
        w.emplace_back(nummer + k, static_cast<int32_t>(z(4 * k) << 24 | z(4 * k + 1) << 16 | z(4 * k + 2) << 8 | z(4 * k + 3)));
    w.emplace_back(nummer + 3, static_cast<int32_t>(z(12) << 8 | z(13)));
}

void Werte(TSchreiben& w, std::initializer_list<std::pair<int16_t, int32_t>> werte)
{
    w.insert(w.end(), werte.begin(), werte.end());
}

// The parameters of the default tree (variant 0x11330000) in handle order, from the node
// classes' tables: detector block = input type 1 | area << 3 | active level 1 << 15.
TSchreiben StandardParameter()
{
    TSchreiben w;
    Werte(w, {{10070, 0x11330000}, {10060, 0}, {10110, 5}, {10120, 5}, {10130, 10}, {10010, 0}, {10140, 160}}); // 1
    for (int k = 0; k < 50; ++k) // 2: the fixed display texts
        Text(w, 12621 + 5 * k, SprAz::Text(10368 + k));
    Werte(w, {{3010, 32809}}); // 5: detector 1, fire (area 5)
    Text(w, 11011, "Neuer Eingang");
    Werte(w, {{3020, 32817}}); // 7: detector 2, hold-up (area 6)
    Text(w, 11021, "Neuer Eingang");
    Werte(w, {{4620, 32777}}); // 8: the wired input (SB 1)
    Text(w, 12611, "Neuer Eingang");
    Werte(w, {{4630, 0}, {4610, 32825}}); // 9: tamper contact
    Werte(w, {{3030, 32777}});            // 11: detector 3, SB 1
    Text(w, 11031, "Neuer Eingang");
    Werte(w, {{3040, 32785}}); // 13: detector 4, SB 2
    Text(w, 11041, "Neuer Eingang");
    for (int n = 1; n <= 2; ++n) {         // 15..17, 18..20: arming areas 1 and 2
        Text(w, 19001 + 100 * n, "SSB " + std::to_string(n));
        const int16_t b = static_cast<int16_t>(10 * n);
        Werte(w, {{static_cast<int16_t>(21000 + b), 0}, {static_cast<int16_t>(22000 + b), 0}});
        for (int se = 1; se <= 4; ++se)
            Werte(w, {{static_cast<int16_t>(17000 + 100 * n + 10 * se), 0}});
        for (int se = 1; se <= 4; ++se)
            Werte(w, {{static_cast<int16_t>(18000 + 100 * n + 10 * se), 255}});
        const int16_t q = static_cast<int16_t>(13000 + 100 * n);
        Werte(w, {{static_cast<int16_t>(q + 50), 1}, {static_cast<int16_t>(q + 10), 1}, {static_cast<int16_t>(q + 20), 0},
                  {static_cast<int16_t>(q + 30), 0}, {static_cast<int16_t>(q + 40), 0},
                  {static_cast<int16_t>(23000 + 100 * n + 10), 0}});
    }
    Werte(w, {{16510, 1}, {16520, 1}, {16530, 1}, {16540, 1}, {16550, 1}}); // 22: fire alarm
    Werte(w, {{16610, 0}, {16620, 0}, {16630, 0}, {16640, 0}, {16650, 1}}); // 23: hold-up alarm
    Werte(w, {{16110, 1}, {16120, 0}, {16130, 1}, {16140, 1}, {16150, 1}}); // 24: SSB 1
    Werte(w, {{16210, 1}, {16220, 1}, {16230, 0}, {16240, 1}, {16250, 1}}); // 25: SSB 2
    Werte(w, {{15010, 255}, {15020, 180}, {15030, 180}, {15040, 255}});     // 26: durations
    // 28: the union of the displays' masks; 29..32: each display shows fire, hold-up, SSB 1, 2.
    Werte(w, {{10100, 0x33}, {14010, 0x33}, {14020, 0x33}, {14030, 0x33}, {14040, 0x33}});
    Werte(w, {{10090, 10}, {10080, 0}, {7160, 0}});                         // 34
    Werte(w, {{20010, 1}, {20020, 1}, {20030, 0}, {20040, 0}});             // 35
    Werte(w, {{13900, 1}, {13800, 1}, {13700, 0}, {13600, 0}});             // 36
    Werte(w, {{10050, 1}, {10020, 1}, {10030, 10}, {10040, 3}});            // 37
    return w;
}

TEST(DevInstAzParameter, NewDeviceWritesEveryNodesParametersInHandleOrder)
{
    TAzUmgebung u;
    ASSERT_TRUE(u.inst.CreateNewDevice(u.host.GetHandle()));
    const TSchreiben erwartet = StandardParameter();
    const TSchreiben geschrieben = u.parameter.Writes();
    ASSERT_EQ(geschrieben.size(), erwartet.size());
    for (std::size_t i = 0; i < erwartet.size(); ++i)
        EXPECT_EQ(geschrieben[i], erwartet[i]) << "write " << i;

    // Written again on request, the same.
    u.parameter.Clear();
    EXPECT_TRUE(u.inst.WriteDataToDb());
    EXPECT_EQ(u.parameter.Writes(), erwartet);
}

class TFremdKnoten : public TDataBasis {
public:
    TFremdKnoten(HWND owner, int32_t handle) : TDataBasis(owner, 1, 1, "fremd", 0) { SetHandle(handle); }
    int GetTyp() override { return 9999; }
    int ListStyle() override { return 1; }
    int GetIcon() override { return 0; }
    bool AllowChild(int) override { return false; }
};

TEST(DevInstAzParameter, UnknownTypeStopsThePass)
{
    TAzUmgebung u;
    ASSERT_TRUE(u.inst.CreateNewDevice(u.host.GetHandle()));
    u.inst.SetPointer2List(std::make_unique<TFremdKnoten>(u.host.GetHandle(), 1000));
    auto uhr = std::make_unique<TAzDatumUhrzeit>(u.host.GetHandle(), 1, 1, "Uhr", 0);
    uhr->SetHandle(1001);
    u.inst.SetPointer2List(std::move(uhr));
    u.parameter.Clear();
    EXPECT_FALSE(u.inst.WriteDataToDb());
    std::string name = "unverändert"; // a node that is no folder has no default name
    EXPECT_FALSE(u.inst.GetDefaultName(u.inst.FindHandle(1000), &name));
    EXPECT_EQ(name, "unverändert");
    ASSERT_EQ(u.boxen.Count(), 1u);
    EXPECT_EQ(u.boxen.Shown()[0].text, "Unbekannter Typ: 9999");
    EXPECT_EQ(u.boxen.Shown()[0].caption, "TDeviceInstanzAz::WriteDataToDb");
    EXPECT_EQ(u.boxen.Shown()[0].flags, 0u);
    // The nodes before it were written, the clock after it was not.
    EXPECT_EQ(u.parameter.Writes(), StandardParameter());
}

// ---- Resource check ------------------------------------------------------------------------------

struct TRessourceZeile {
    std::string name;
    int32_t adressenA; // object A links the ids 1..adressenA
    int32_t adressenB; // object B links the ids 1..adressenB
    int32_t neu;
    std::string meldung; // empty: the link is allowed
};
void PrintTo(const TRessourceZeile& zeile, std::ostream* out)
{
    *out << zeile.name;
}

class DevInstAzRessourcen : public ::testing::TestWithParam<TRessourceZeile> {};

TEST_P(DevInstAzRessourcen, LimitsOfTheAddressAndAssociationTables)
{
    const TRessourceZeile& zeile = GetParam();
    TAzUmgebung u;
    ASSERT_TRUE(u.inst.CreateNewDevice(u.host.GetHandle()));
    int32_t handle = 500;
    for (int32_t anzahl : {zeile.adressenA, zeile.adressenB}) {
        auto objekt = std::make_unique<TEtsObjekt>(u.host.GetHandle(), 1, 1, "Objekt", -1, -1, handle, -1, 0, 0,
                                                   T_DB_EnumEtsObjekt::TEnumEtsObjektArt{}, ot1Bit,
                                                   T_DB_EnumObjektBasis::ioLesen, 0, 0);
        objekt->SetHandle(handle++);
        for (int32_t id = 1; id <= anzahl; ++id)
            objekt->AddSubGroupLink(id, static_cast<uint16_t>(id));
        ASSERT_EQ(objekt->GetSubGroupLinks().size(), static_cast<std::size_t>(anzahl));
        u.inst.SetPointer2List(std::move(objekt));
    }

    EXPECT_EQ(u.inst.DeviceRessourceCheckVerbindungen(zeile.neu, false), zeile.meldung.empty());
    EXPECT_EQ(u.inst.DeviceRessourceCheckVerbindungen(zeile.neu, true), zeile.meldung.empty());
    ASSERT_EQ(u.boxen.Count(), zeile.meldung.empty() ? 0u : 1u); // shown only when asked to
    if (!zeile.meldung.empty()) {
        EXPECT_EQ(u.boxen.Shown()[0].text, zeile.meldung);
        EXPECT_EQ(u.boxen.Shown()[0].caption, "Fehler");
        EXPECT_EQ(u.boxen.Shown()[0].flags, static_cast<UINT>(MB_ICONWARNING));
    }
}

const std::string Adressen = "Maximale Anzahl der Gruppenadressen erreicht:";
const std::string Verbindungen = "Maximale Anzahl der Verbindungen erreicht:";

INSTANTIATE_TEST_SUITE_P(
    Grenzen, DevInstAzRessourcen,
    ::testing::Values(TRessourceZeile{"The254thAddress", 253, 0, 254, ""},
                      // Also over the link limit: the address limit is what is named.
                      TRessourceZeile{"The255thAddress", 254, 0, 255, Adressen + "254"},
                      TRessourceZeile{"AKnownAddressAt254", 254, 0, 5, Verbindungen + "254"},
                      TRessourceZeile{"The308thLink", 200, 107, 7, ""},
                      TRessourceZeile{"The309thLink", 200, 108, 7, Verbindungen + "308"}),
    TZeilenName());

} // namespace
