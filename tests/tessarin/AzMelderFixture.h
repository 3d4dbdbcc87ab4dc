#pragma once
// A detector input under the main-window double, with the editor's answers to the requests
// a detector sends (codes 7, 8, 10): the editor keeps, per arming area, the detector numbers
// offered as sabotage inputs and those linked to a switching device.

#include "tessarin/AzMelder.h"

#include "rastow/DrawGridSE.h"
#include "support/MainWindowDouble.h"
#include "support/ScriptedMessageBox.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

constexpr int32_t kHandle = 40;
constexpr int32_t kParent = 30;
constexpr int32_t kSystem = 1;

// A record of a detector input as the editor stores it (handle kHandle, name "Melder").
inline TDatenStruktur MelderRecord(int8_t bereich, int32_t nr, int8_t sb, int8_t art, int8_t typ,
                                   bool aktiv, const std::string& text, int32_t index = 0,
                                   int32_t reserve = 0)
{
    TDatenStruktur r;
    r.Handle = kHandle;
    r.Parent = kParent;
    r.System = kSystem;
    r.Typ = TAzMelder::kTyp;
    r.Name = "Melder";
    r.Param3 = art;
    r.Param4 = sb;
    r.Param5 = index;
    r.Param6 = typ;
    r.Param7 = reserve;
    r.Param8 = bereich;
    r.Param9 = nr;
    r.Bool3 = aktiv;
    r.String4 = text;
    return r;
}

class AzMelderFixture : public ::testing::Test {
protected:

    AzMelderFixture()
    {
        melder.SetHandle(kHandle);
        // Code 10: is the number the sabotage input of a switching device of area Wert5?
        main.OnDeviceRequest(10, [this](TUserDeviceRequest& r) -> LRESULT {
            if (r.Wert5 < 1 || r.Wert5 > 4)
                return 0;
            return linked[r.Wert5].count(r.Wert4) != 0 ? 1 : 0;
        });
        // Code 8: the arming node drops the number, the editor drops its offer.
        main.OnDeviceRequest(8, [this](TUserDeviceRequest& r) -> LRESULT {
            if (r.Wert5 >= 1 && r.Wert5 <= 4) {
                linked[r.Wert5].erase(r.Wert4);
                offered[r.Wert5].erase(r.Wert4);
            }
            return 0;
        });
        // Code 7: the editor offers the number to the area's switching devices.
        main.OnDeviceRequest(7, [this](TUserDeviceRequest& r) -> LRESULT {
            if (r.Wert5 >= 1 && r.Wert5 <= 4)
                offered[r.Wert5].insert(r.Wert4);
            return 0;
        });
    }

    // Loads the node from the record and keeps the record with the editor.
    void Load(const TDatenStruktur& record)
    {
        TDatenStruktur copy = record;
        melder.InitFromDB(copy);
        main.AddRecord(record);
    }

    // Shows the node's rows; the messages of building are not kept.
    void Show()
    {
        melder.BuildInfoWindow(&grid, nullptr, false, -1, -1);
        main.Clear();
    }

    // The grid row that shows the node's row number (fails the test when none does).
    int GridRow(int rowNr)
    {
        const int gridRow = grid.FindRow(rowNr);
        EXPECT_GE(gridRow, 0) << "row " << rowNr << " not shown";
        return gridRow;
    }

    std::vector<uint8_t> RequestCodes() const
    {
        std::vector<uint8_t> codes;
        for (const auto& r : main.DeviceRequests())
            codes.push_back(r.Code);
        return codes;
    }

    TDatenStruktur* StoredRecord() { return main.FindRecord(kHandle); }

    TMainWindowDouble main;
    TAzMelder melder{main.Handle(), kSystem, kParent, "Melder", 0};
    TDrawGridSE grid;
    TScriptedMessageBox boxes;
    std::map<int32_t, std::set<int32_t>> linked;
    std::map<int32_t, std::set<int32_t>> offered;
};

