// The device node: object count, its name with the physical address, its record, and paste
// and import of its own record.
#include "quillon/VireoEtsDevice.h"

#include "quillon/DatenManager.h"
#include "quillon/DatenStruktur.h"
#include "support/MainWindowDouble.h"
#include "support/Zeilenname.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr int kTyp = 105;

// The concrete device class gives what the device node leaves open.
class TTestGeraet : public TVireoEtsDevice {
public:
    TTestGeraet(HWND owner, int32_t deviceId = 4711, int32_t deviceValue = 3)
        : TVireoEtsDevice(owner, 0, 0, "Zentrale", deviceId, deviceValue, 0)
    {
    }
    int GetQuickHelpIndexOffset() const override { return 0; }
    int GetTyp() override { return kTyp; }
    int ListStyle() override { return 1; }
    int GetIcon() override { return 1; }
    bool AllowChild(int) override { return false; }
};

// The editor's answer to UM_GetPhysAdr: the text of the device with that id.
void BeantwortePhysAdr(TMainWindowDouble& main, int32_t deviceId, std::string text)
{
    main.On(UM_GetPhysAdr, [deviceId, text](WPARAM w, LPARAM l) -> LRESULT {
        if (static_cast<int32_t>(w) == deviceId)
            *reinterpret_cast<std::string*>(l) = text;
        return 0;
    });
}

TDatenStruktur Datensatz(int16_t typ, int32_t objekte)
{
    TDatenStruktur record;
    record.Typ = typ;
    record.Param4 = 999;
    record.Param5 = 998;
    record.Param6 = objekte;
    record.String2 = "09.09.009";
    return record;
}

TEST(VireoEtsDevice, NewNodeAndObjectCount)
{
    TMainWindowDouble main;
    TTestGeraet node(main.Handle());
    EXPECT_EQ(node.GetDeviceId(), 4711);
    EXPECT_EQ(node.GetDeviceValue(), 3);
    EXPECT_EQ(node.GetObjektCount(), 0);
    EXPECT_EQ(node.GetPhysAdr(), "");
    EXPECT_EQ(node.GetMaxObjekte(), -1);
    EXPECT_TRUE(node.GetGeraet());
    EXPECT_EQ(node.ObjektCountIncr(), 1);
    EXPECT_EQ(node.ObjektCountIncr(), 2);
    EXPECT_EQ(node.ObjektCountIncr(), 3);
    EXPECT_EQ(node.ObjektCountDecr(), 2);
    EXPECT_EQ(node.GetObjektCount(), 2);

    TTestGeraet leer(main.Handle());
    EXPECT_EQ(leer.ObjektCountDecr(), -1) << "no bounds";
    node.SetDeviceId(12);
    EXPECT_EQ(node.GetDeviceId(), 12);
}

TEST(VireoEtsDevice, NameEndsWithThePhysicalAddressInBrackets)
{
    TMainWindowDouble main;
    TTestGeraet node(main.Handle());
    EXPECT_EQ(node.GetName(false), "Zentrale []");
    node.SetPhysAdr("01.01.005");
    EXPECT_EQ(node.GetName(false), "Zentrale [01.01.005]");
    node.SetPosId(2);
    EXPECT_EQ(node.GetName(true), "Zentrale [01.01.005]") << "the base shows no position";
}

TEST(VireoEtsDevice, WriteThenInitFromDBTakesTheAddressFromTheEditor)
{
    TMainWindowDouble main;
    BeantwortePhysAdr(main, 4711, "01.01.005");
    TTestGeraet node(main.Handle(), 4711, 3);
    node.SetHandle(1);
    node.SetPhysAdr("02.03.004");
    node.ObjektCountIncr();
    node.ObjektCountIncr();
    TDatenStruktur record;
    node.Write(record);
    EXPECT_EQ(record.Handle, 1);
    EXPECT_EQ(record.System, 1) << "a device node is its own System";
    EXPECT_EQ(record.Typ, kTyp);
    EXPECT_EQ(record.Name, "Zentrale");
    EXPECT_EQ(record.Param4, 4711);
    EXPECT_EQ(record.Param5, 3);
    EXPECT_EQ(record.Param6, 2);
    EXPECT_EQ(record.String2, "02.03.004");

    TTestGeraet loaded(main.Handle(), 0, 0);
    loaded.InitFromDB(record);
    EXPECT_EQ(loaded.GetHandle(), 1);
    EXPECT_EQ(loaded.GetDeviceId(), 4711);
    EXPECT_EQ(loaded.GetDeviceValue(), 3);
    EXPECT_EQ(loaded.GetObjektCount(), 2);
    EXPECT_EQ(loaded.GetPhysAdr(), "01.01.005") << "from the editor, not from String2";
    ASSERT_EQ(main.Messages().size(), 1u);
    EXPECT_EQ(main.Messages()[0].message, UM_GetPhysAdr);
    EXPECT_EQ(main.Messages()[0].wParam, 4711u);
}

TEST(VireoEtsDevice, AddressKeepsItsTextWhenTheEditorWritesNothing)
{
    TMainWindowDouble main; // no answer to UM_GetPhysAdr
    TTestGeraet node(main.Handle());
    node.SetPhysAdr("01.01.005");
    TDatenStruktur record = Datensatz(kTyp, 4);
    node.InitFromDB(record);
    EXPECT_EQ(node.GetPhysAdr(), "01.01.005");
    EXPECT_EQ(node.GetDeviceId(), 999);
    EXPECT_EQ(node.GetObjektCount(), 4);
}

// --- paste and import ----------------------------------------------------------------------

struct TEinfuegeArt {
    const char* name;
    std::function<bool(TVireoEtsDevice&, std::map<int, TDatenStruktur>&)> aufruf;
};

class VireoEtsDeviceEinfuegen : public ::testing::TestWithParam<TEinfuegeArt> {};

TEST_P(VireoEtsDeviceEinfuegen, TakesTheObjectCountOfTheFirstOwnRecordOnly)
{
    TMainWindowDouble main;
    TTestGeraet node(main.Handle());
    node.SetPhysAdr("01.01.005");
    std::map<int, TDatenStruktur> records = {
        {2, Datensatz(806, 50)},
        {5, Datensatz(kTyp, 12)},
        {9, Datensatz(kTyp, 30)},
    };
    EXPECT_TRUE(GetParam().aufruf(node, records));
    EXPECT_EQ(node.GetObjektCount(), 12);
    EXPECT_EQ(node.GetDeviceId(), 4711);
    EXPECT_EQ(node.GetDeviceValue(), 3);
    EXPECT_EQ(node.GetPhysAdr(), "01.01.005");
    EXPECT_TRUE(main.Messages().empty());
}

TEST_P(VireoEtsDeviceEinfuegen, WithoutAnOwnRecordNothingChanges)
{
    TMainWindowDouble main;
    TTestGeraet node(main.Handle());
    node.ObjektCountIncr();
    std::map<int, TDatenStruktur> records = {{2, Datensatz(806, 50)}, {3, Datensatz(106, 7)}};
    EXPECT_FALSE(GetParam().aufruf(node, records));
    EXPECT_EQ(node.GetObjektCount(), 1);
    std::map<int, TDatenStruktur> leer;
    EXPECT_FALSE(GetParam().aufruf(node, leer));
    EXPECT_EQ(node.GetObjektCount(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    VireoEtsDevice, VireoEtsDeviceEinfuegen,
    ::testing::Values(
        TEinfuegeArt{"Einfuegen",
                     [](TVireoEtsDevice& n, std::map<int, TDatenStruktur>& r) {
                         return n.Einfuegen(r);
                     }},
        TEinfuegeArt{"VireoImport",
                     [](TVireoEtsDevice& n, std::map<int, TDatenStruktur>& r) {
                         return n.VireoImport(r, true);
                     }}),
    TZeilenName());

TEST(VireoEtsDevice, ResetAndImportPassOnTheBase)
{
    TMainWindowDouble main;
    TTestGeraet node(main.Handle());
    node.ObjektCountIncr();
    std::string message;
    EXPECT_TRUE(node.Reset(message));
    TDatenManager<TDatenStruktur> store;
    EXPECT_TRUE(node.Import(&store, true, false, message, 0));
    EXPECT_TRUE(node.Import(nullptr, false, true, message, 1));
    EXPECT_EQ(node.GetObjektCount(), 1);
    EXPECT_EQ(message, "");
    EXPECT_TRUE(main.Messages().empty());
}

} // namespace
