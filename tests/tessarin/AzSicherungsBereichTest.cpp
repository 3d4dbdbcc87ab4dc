// Security areas SB 1 to SB 4: constants, tree text, the one text row and its edit, record
// round trip.
#include "tessarin/AzSicherungsBereich.h"

#include "rastow/DrawGridSE.h"
#include "support/MainWindowDouble.h"
#include "support/ScriptedMessageBox.h"
#include "support/Zeilenname.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace {

constexpr int32_t kHandle = 31;
constexpr int32_t kParent = 4;
constexpr int32_t kSystem = 1;

using TFactory = std::function<std::unique_ptr<TAzSicherungsBereich>(HWND)>;

template <class T> TFactory Make()
{
    return [](HWND owner) {
        return std::make_unique<T>(owner, kSystem, kParent, "Sicherungs-Bereich (SB)", 0);
    };
}

struct TBereichCase {
    const char* name;
    TFactory make;
    int typ;
    int icon;
    std::string defaultText;
    std::string treeText;
    std::string kurzname;
};

void PrintTo(const TBereichCase& c, std::ostream* out)
{
    *out << c.name;
}

const TBereichCase kBereiche[] = {
    {"SB1", Make<TAzSicherungsBereich1>(), 6127, 36, "Sicherungs-Bereich 1",
     "Sicherungs-Bereich 1 (SB 1)", "SB 1"},
    {"SB2", Make<TAzSicherungsBereich2>(), 6128, 37, "Sicherungs-Bereich 2",
     "Sicherungs-Bereich 2 (SB 2)", "SB 2"},
    {"SB3", Make<TAzSicherungsBereich3>(), 6129, 38, "Sicherungs-Bereich 3",
     "Sicherungs-Bereich 3 (SB 3)", "SB 3"},
    {"SB4", Make<TAzSicherungsBereich4>(), 6130, 39, "Sicherungs-Bereich 4",
     "Sicherungs-Bereich 4 (SB 4)", "SB 4"},
};

class SicherungsBereichTest : public ::testing::TestWithParam<TBereichCase> {
protected:
    SicherungsBereichTest() : bereich(GetParam().make(main.Handle()))
    {
        bereich->SetHandle(kHandle);
        main.AddNodeRecord(kHandle, kParent, kSystem);
    }

    // Shows the node's rows; the messages of building are not kept.
    void Show()
    {
        bereich->BuildInfoWindow(&grid, nullptr, false, -1, -1);
        main.Clear();
    }

    // Types the text into the text row and leaves the cell.
    void Edit(const std::string& text)
    {
        ASSERT_TRUE(grid.TypeText(grid.FindRow(TAzSicherungsBereich::rowBezeichnung), text));
        ASSERT_TRUE(grid.ExitCell());
    }

    TMainWindowDouble main;
    TScriptedMessageBox boxes;
    std::unique_ptr<TAzSicherungsBereich> bereich;
    TDrawGridSE grid;
};

TEST_P(SicherungsBereichTest, NewAreaHasItsConstantsAndShowsTextWithShortName)
{
    const TBereichCase& c = GetParam();
    EXPECT_EQ(bereich->GetTyp(), c.typ);
    EXPECT_EQ(bereich->GetIcon(), c.icon);
    EXPECT_EQ(bereich->ListStyle(), 1);
    EXPECT_EQ(bereich->GetQuickHelpIndexOffset(), 116);
    EXPECT_EQ(bereich->GetName(true), c.treeText);
    EXPECT_EQ(bereich->GetName(false), c.treeText);
    // The abstract class shows the area text alone.
    EXPECT_EQ(bereich->TAzSicherungsBereich::GetName(false), c.defaultText);
    EXPECT_FALSE(bereich->AllowChild(c.typ));
    EXPECT_FALSE(bereich->AllowDrop(bereich.get()));

    std::map<int, TDatenStruktur> records;
    records[1].Typ = static_cast<int16_t>(c.typ == 6127 ? 6128 : 6127);
    EXPECT_FALSE(bereich->Einfuegen(records));
    records[2].Typ = static_cast<int16_t>(c.typ);
    EXPECT_TRUE(bereich->Einfuegen(records));
}

TEST_P(SicherungsBereichTest, OneTextRowWithoutLengthLimit)
{
    const TBereichCase& c = GetParam();
    bereich->BuildInfoWindow(&grid, nullptr, false, 1, 0);
    EXPECT_EQ(grid.RowNumbers(), std::vector<int>{1});
    const TCell* caption = grid.Cell(0, 0);
    const TCell* value = grid.Cell(1, 0);
    ASSERT_NE(caption, nullptr);
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(caption->Text, "Bezeichnung Sicherungs-Bereich");
    EXPECT_EQ(value->Kind, TCell::ckEdit);
    EXPECT_EQ(value->Text, c.defaultText);
    EXPECT_EQ(value->MaxLength, 0);
    EXPECT_EQ(main.Messages(),
              (std::vector<TRecordedMessage>{{TMessageKind::Post, UM_SetActiveCell, 1, 0}}));

    // The grid's Tag is -1 while the node's flag is set, else left alone.
    grid.Tag = 3;
    bereich->BuildInfoWindow(&grid, nullptr, false, -1, -1);
    EXPECT_EQ(grid.Tag, 3);
    bereich->SetFlag();
    bereich->BuildInfoWindow(&grid, nullptr, false, -1, -1);
    EXPECT_EQ(grid.Tag, -1);
}

TEST_P(SicherungsBereichTest, ChangedTextWritesRecordAndRefreshesViewsAndTree)
{
    const TBereichCase& c = GetParam();
    Show();
    // Only the case of one letter differs: still a change.
    std::string text = c.defaultText;
    text[0] = 's';
    Edit(text);
    const std::vector<TRecordedMessage> expected = {
        {TMessageKind::Send, UM_GetDatenSatz, MakeDatenSatzKey(kParent, kSystem), kHandle},
        {TMessageKind::Post, UM_AktualisiereAndereAnsichten, 0, 0},
        {TMessageKind::Post, UM_UpdateTreeNamesAndIcon, 0, 0}};
    EXPECT_EQ(main.Messages(), expected);
    EXPECT_EQ(main.FindRecord(kHandle)->String4, text);
    EXPECT_EQ(main.FindRecord(kHandle)->Typ, c.typ);
    EXPECT_EQ(bereich->GetName(false), text + " (" + c.kurzname + ")");
}

TEST_P(SicherungsBereichTest, UnchangedOrRefusedTextSendsNothing)
{
    Show();
    Edit(GetParam().defaultText);
    Edit("Lager \u20BD"); // not in Windows-1252: refused with a box
    EXPECT_TRUE(main.Messages().empty());
    EXPECT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(bereich->GetName(false), GetParam().treeText);
}

TEST_P(SicherungsBereichTest, RecordKeepsLongAndEmptyTextsWhole)
{
    const TBereichCase& c = GetParam();
    const std::string lang(40, 'x');
    TDatenStruktur record;
    record.Handle = kHandle;
    record.String4 = lang;
    bereich->InitFromDB(record);
    EXPECT_EQ(bereich->GetName(false), lang + " (" + c.kurzname + ")");
    bereich->BuildInfoWindow(&grid, nullptr, false, -1, -1);
    EXPECT_EQ(grid.Cell(1, 0)->Text, lang);

    TDatenStruktur back;
    back.Param3 = 77; // not the class's: left alone
    bereich->Write(back);
    EXPECT_EQ(back.String4, lang);
    EXPECT_EQ(back.Typ, c.typ);
    EXPECT_EQ(back.Param3, 77);

    record.String4.clear();
    bereich->InitFromDB(record);
    EXPECT_EQ(bereich->GetName(false), " (" + c.kurzname + ")");
}

INSTANTIATE_TEST_SUITE_P(AzSicherungsBereich, SicherungsBereichTest,
                         ::testing::ValuesIn(kBereiche),
                         TZeilenName());

} // namespace
