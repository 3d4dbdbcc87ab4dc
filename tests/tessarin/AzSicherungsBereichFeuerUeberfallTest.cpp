// The fire and hold-up areas and the folder of the security areas: nodes without settings
// that give the tree its structure around the detector inputs.
#include "tessarin/AzOrdnerSicherungsBereich.h"
#include "tessarin/AzSicherungsBereichFeuer.h"
#include "tessarin/AzSicherungsBereichUeberfall.h"

#include "AzEinfacheKnotenFixture.h"

#include <gtest/gtest.h>

namespace {

using namespace AzEinfach;

// --- Constants of the three classes ----------------------------------------------------------

TEST(AzSicherungsBereichFeuerUeberfall, ConstantsOfTheThreeClasses)
{
    TMainWindowDouble main;
    TAzSicherungsBereichFeuer feuer(main.Handle(), 1, 2, "Feuer", 0);
    TAzSicherungsBereichUeberfall ueberfall(main.Handle(), 1, 2, "Überfall", 0);
    TAzOrdnerSicherungsBereich ordner(main.Handle(), 1, 2, "Sicherungs-Bereiche", 0);
    struct {
        TDataBasis& node;
        int typ, icon, quickHelp;
        const char* name;
    } rows[] = {{feuer, 6123, 32, 100, "Feuer"},
                {ueberfall, 6125, 34, 102, "Überfall"},
                {ordner, 6122, 31, 0, "Sicherungs-Bereiche"}};
    for (auto& r : rows) {
        SCOPED_TRACE(r.typ);
        EXPECT_EQ(r.node.GetTyp(), r.typ);
        EXPECT_EQ(r.node.GetIcon(), r.icon);
        EXPECT_EQ(r.node.ListStyle(), 0);
        EXPECT_EQ(r.node.GetQuickHelpIndexOffset(), r.quickHelp);
        EXPECT_EQ(r.node.GetName(true), r.name);
        EXPECT_EQ(r.node.GetName(false), r.name);
        EXPECT_FALSE(r.node.AllowChild(6124));
        EXPECT_FALSE(r.node.AllowDrop(&feuer));
        EXPECT_FALSE(r.node.AllowDrop(nullptr));
    }
    EXPECT_TRUE(main.Messages().empty());
}

// --- The two areas, as a typed suite ----------------------------------------------------------

template <class Node> class AreaTest : public TFixture<Node> {
};

using Areas = ::testing::Types<TAzSicherungsBereichFeuer, TAzSicherungsBereichUeberfall>;
TYPED_TEST_SUITE(AreaTest, Areas);

TYPED_TEST(AreaTest, BuildInfoWindowDrawsNoRowAndPostsNothing)
{
    this->grid.Tag = 5;
    this->knoten.BuildInfoWindow(&this->grid, nullptr, false, 0, 0);
    EXPECT_TRUE(this->main.Messages().empty()); // no UM_SetActiveCell, whatever the cell
    EXPECT_EQ(this->grid.RowNumbers(), (std::vector<int>{-1}));
    EXPECT_EQ(this->grid.Tag, 5);
    EXPECT_TRUE(this->grid.OnEllipseClick && this->grid.OnExitCell);

    this->knoten.SetFlag();
    this->knoten.BuildInfoWindow(&this->grid, nullptr, false, 1, 3);
    EXPECT_EQ(this->grid.Tag, -1);
    EXPECT_TRUE(this->main.Messages().empty());

    this->knoten.BuildInfoWindow(nullptr, nullptr, false, 0, 0);
    EXPECT_TRUE(this->main.Messages().empty());
}

TYPED_TEST(AreaTest, RecordRoundTripTouchesOnlyTheBaseFields)
{
    TDatenStruktur record = NodeRecord();
    record.Name = "Bereich";
    record.Next = 12;
    for (int n = 3; n <= TDatenStruktur::kParamCount; ++n)
        record.Param(n) = 100 + n;
    for (int n = 3; n <= TDatenStruktur::kBoolCount; ++n)
        record.Bool(n) = true;
    for (int n = 1; n <= TDatenStruktur::kStringCount; ++n)
        record.String(n) = "s" + std::to_string(n);
    this->knoten.InitFromDB(record);
    EXPECT_EQ(this->knoten.GetName(false), "Bereich");

    TDatenStruktur written = record;
    this->knoten.Write(written);
    TDatenStruktur expected = record;
    expected.Typ = static_cast<int16_t>(this->knoten.GetTyp());
    expected.Param1 = this->knoten.GetPosId();
    EXPECT_EQ(written, expected);
}

TYPED_TEST(AreaTest, EllipseClickWritesOnlyForACellOfItsOwnClass)
{
    TCell cell;
    cell.Data = &this->knoten;
    this->knoten.GridEllipseClick(nullptr, cell, 1, 4);
    EXPECT_EQ(this->main.Messages(),
              (TMessages{SendGetDatenSatz(), PostCell(UM_AktualisiereAnsicht, 1, 4)}));
    EXPECT_EQ(this->Record().Typ, this->knoten.GetTyp());

    this->main.Clear();
    TAzSicherungsBereichFeuer feuer(this->main.Handle(), 1, 2, "", 0);
    TAzSicherungsBereichUeberfall ueberfall(this->main.Handle(), 1, 2, "", 0);
    TDataBasis* other = this->knoten.GetTyp() == TAzSicherungsBereichFeuer::kTyp
        ? static_cast<TDataBasis*>(&ueberfall)
        : static_cast<TDataBasis*>(&feuer);
    cell.Data = other;
    this->knoten.GridEllipseClick(nullptr, cell, 1, 4);
    cell.Data = nullptr;
    this->knoten.GridEllipseClick(nullptr, cell, 1, 4);
    EXPECT_TRUE(this->main.Messages().empty());
}

TYPED_TEST(AreaTest, EinfuegenNeedsARecordOfItsOwnType)
{
    std::map<int, TDatenStruktur> records;
    const int16_t otherTyp = this->knoten.GetTyp() == TAzSicherungsBereichFeuer::kTyp
        ? TAzSicherungsBereichUeberfall::kTyp
        : TAzSicherungsBereichFeuer::kTyp;
    records[1] = NodeRecord(otherTyp);
    EXPECT_FALSE(this->knoten.Einfuegen(records));
    records[2] = NodeRecord(static_cast<int16_t>(this->knoten.GetTyp()));
    EXPECT_TRUE(this->knoten.Einfuegen(records));
}

// --- The folder ----------------------------------------------------------------------------

TEST(AzOrdnerSicherungsBereich, DrawsNoRowsAndWritesTheFolderRecord)
{
    TMainWindowDouble main;
    TAzOrdnerSicherungsBereich ordner(main.Handle(), 1, 2, "Sicherungs-Bereiche", 0);
    TDrawGridSE grid;
    ordner.BuildInfoWindow(&grid, nullptr, false, 0, 0);
    EXPECT_EQ(grid.RowNumbers(), (std::vector<int>{-1}));
    EXPECT_TRUE(main.Messages().empty());

    TDatenStruktur record;
    record.Param3 = 9;
    ordner.Write(record);
    EXPECT_EQ(record.Typ, 6122);
    EXPECT_EQ(record.Name, "Sicherungs-Bereiche");
    EXPECT_EQ(record.Param3, 9);
}

} // namespace
