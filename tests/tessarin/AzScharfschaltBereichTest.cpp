// Arming areas SSB 1 to SSB 4 and their folder: constants, tree text, the text row and its
// edit, the packed text in the area's four device parameters.
#include "tessarin/AzScharfschaltBereich.h"
#include "tessarin/AzOrdnerScharfschaltung.h"

#include "rastow/DrawGridSE.h"
#include "support/MainWindowDouble.h"
#include "support/ScriptedMessageBox.h"
#include "support/Zeilenname.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int32_t kHandle = 41;
constexpr int32_t kParent = 5;
constexpr int32_t kSystem = 1;

using TWrites = std::vector<std::pair<int16_t, int32_t>>;

// What the editor does with a numbered class: creates it, reads its text, writes it.
struct TKlasse {
    std::function<std::unique_ptr<TAzScharfschaltBereich>(HWND)> make;
    std::function<std::string(TAzScharfschaltBereich&)> text;
    std::function<void(TAzScharfschaltBereich&)> write;
};

template <class T> TKlasse Klasse()
{
    return {[](HWND owner) {
                return std::make_unique<T>(owner, kSystem, kParent, "Scharfschalt-Bereich", 0);
            },
            [](TAzScharfschaltBereich& b) { return static_cast<T&>(b).GetTextScharfschaltBereich(); },
            [](TAzScharfschaltBereich& b) { static_cast<T&>(b).WriteDataToDb(); }};
}

struct TBereichCase {
    const char* name;
    TKlasse klasse;
    int typ;
    int icon;
    int quickHelp;
    std::string defaultText;
    std::string kurzname;
    int16_t param; // first of the four text parameters
    int32_t zweiterWert; // the second value of the default text: the digit in the top byte
};

void PrintTo(const TBereichCase& c, std::ostream* out)
{
    *out << c.name;
}

const TBereichCase kBereiche[] = {
    {"SSB1", Klasse<TAzScharfschaltBereich1>(), 6132, 41, 124, "SSB 1", "SSB 1", 19101, 0x31000000},
    {"SSB2", Klasse<TAzScharfschaltBereich2>(), 6133, 42, 126, "SSB 2", "SSB 2", 19201, 0x32000000},
    {"SSB3", Klasse<TAzScharfschaltBereich3>(), 6134, 43, 128, "SSB 3", "SSB 3", 19301, 0x33000000},
    {"SSB4", Klasse<TAzScharfschaltBereich4>(), 6135, 44, 130, "SSB 4", "SSB 4", 19401, 0x34000000},
};

class ScharfschaltBereichTest : public ::testing::TestWithParam<TBereichCase> {
protected:
    ScharfschaltBereichTest() : bereich(GetParam().klasse.make(main.Handle()))
    {
        bereich->SetHandle(kHandle);
        main.AddNodeRecord(kHandle, kParent, kSystem);
    }

    void Show()
    {
        bereich->BuildInfoWindow(&grid, nullptr, false, -1, -1);
        main.Clear();
    }

    void Edit(const std::string& text)
    {
        ASSERT_TRUE(grid.TypeText(grid.FindRow(TAzScharfschaltBereich::rowText), text));
        ASSERT_TRUE(grid.ExitCell());
    }

    void Load(const std::string& text)
    {
        TDatenStruktur record;
        record.Handle = kHandle;
        record.String4 = text;
        bereich->InitFromDB(record);
    }

    TWrites WriteDataToDb()
    {
        main.DeviceParams().Clear();
        GetParam().klasse.write(*bereich);
        return main.DeviceParams().Writes();
    }

    TMainWindowDouble main;
    TScriptedMessageBox boxes;
    std::unique_ptr<TAzScharfschaltBereich> bereich;
    TDrawGridSE grid;
};

TEST_P(ScharfschaltBereichTest, NewAreaHasItsConstantsAndShowsTextWithShortName)
{
    const TBereichCase& c = GetParam();
    EXPECT_EQ(bereich->GetTyp(), c.typ);
    EXPECT_EQ(bereich->GetIcon(), c.icon);
    EXPECT_EQ(bereich->ListStyle(), 1);
    EXPECT_EQ(bereich->GetQuickHelpIndexOffset(), c.quickHelp);
    EXPECT_EQ(bereich->GetName(false), c.defaultText + " (" + c.kurzname + ")");
    EXPECT_EQ(bereich->GetName(true), bereich->GetName(false));
    EXPECT_EQ(bereich->TAzScharfschaltBereich::GetName(false), c.defaultText);
    EXPECT_EQ(bereich->TAzScharfschaltBereich::GetQuickHelpIndexOffset(), 124);
    EXPECT_EQ(c.klasse.text(*bereich), c.defaultText);
    EXPECT_FALSE(bereich->AllowChild(6136));
    EXPECT_FALSE(bereich->AllowDrop(bereich.get()));

    std::map<int, TDatenStruktur> records;
    records[3].Typ = 6131;
    EXPECT_FALSE(bereich->Einfuegen(records));
    records[9].Typ = static_cast<int16_t>(c.typ);
    EXPECT_TRUE(bereich->Einfuegen(records));
}

TEST_P(ScharfschaltBereichTest, DefaultTextFillsTheAreaParameters)
{
    const TBereichCase& c = GetParam();
    const TWrites expected = {{c.param, 0x53534220}, // "SSB "
                              {static_cast<int16_t>(c.param + 1), c.zweiterWert},
                              {static_cast<int16_t>(c.param + 2), 0},
                              {static_cast<int16_t>(c.param + 3), 0}};
    EXPECT_EQ(WriteDataToDb(), expected);
    EXPECT_EQ(main.MessageIds(), std::vector<UINT>{UM_GetEtsDeviceParam});
}

TEST_P(ScharfschaltBereichTest, LongRecordTextStaysWholeButOnly14CharactersReachTheDevice)
{
    const TBereichCase& c = GetParam();
    Load("ABCDEFGHIJKLMNOPQRST"); // 20 characters
    EXPECT_EQ(c.klasse.text(*bereich), "ABCDEFGHIJKLMNOPQRST");
    EXPECT_EQ(bereich->GetName(false), "ABCDEFGHIJKLMNOPQRST (" + c.kurzname + ")");
    const TWrites expected = {{c.param, 0x41424344},
                              {static_cast<int16_t>(c.param + 1), 0x45464748},
                              {static_cast<int16_t>(c.param + 2), 0x494A4B4C},
                              {static_cast<int16_t>(c.param + 3), 0x00004D4E}};
    EXPECT_EQ(WriteDataToDb(), expected);

    TDatenStruktur back;
    bereich->Write(back);
    EXPECT_EQ(back.String4, "ABCDEFGHIJKLMNOPQRST");
    EXPECT_EQ(back.Typ, c.typ);

    // An empty record text: the tree text starts with the blank, the device gets zeros.
    Load("");
    EXPECT_EQ(bereich->GetName(false), " (" + c.kurzname + ")");
    for (const auto& [nummer, wert] : WriteDataToDb())
        EXPECT_EQ(wert, 0) << nummer;
}

TEST_P(ScharfschaltBereichTest, WithoutEtsOneBoxAndNothingWritten)
{
    main.SetDeviceParamAccess(nullptr);
    GetParam().klasse.write(*bereich);
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text, "Die Parameter konnten nicht in der Ets gespeichert werden.");
    EXPECT_EQ(boxes.Shown()[0].caption, "Fehler beim Zugriff auf Ets");
    EXPECT_TRUE(main.DeviceParams().Calls().empty());
}

TEST_P(ScharfschaltBereichTest, TextRowIsLimitedTo14Characters)
{
    bereich->BuildInfoWindow(&grid, nullptr, false, -1, -1);
    EXPECT_EQ(grid.RowNumbers(), std::vector<int>{1});
    EXPECT_EQ(grid.Cell(0, 0)->Text, "Text Scharfschalt-Bereich");
    EXPECT_EQ(grid.Cell(1, 0)->Kind, TCell::ckEdit);
    EXPECT_EQ(grid.Cell(1, 0)->Text, GetParam().defaultText);
    EXPECT_EQ(grid.Cell(1, 0)->MaxLength, 14);
    EXPECT_TRUE(main.Messages().empty());

    main.Clear();
    Edit("Erdgeschoss Süd-Ost"); // 19 characters: the row keeps 14
    EXPECT_EQ(GetParam().klasse.text(*bereich), "Erdgeschoss Sü");
    Edit("Kasse \u20BD"); // not in Windows-1252: refused with a box
    EXPECT_EQ(GetParam().klasse.text(*bereich), "Erdgeschoss Sü");
    EXPECT_EQ(boxes.Count(), 1u);

    // The grid's Tag is -1 while the node's flag is set.
    grid.Tag = 9;
    bereich->SetFlag();
    bereich->BuildInfoWindow(&grid, nullptr, false, -1, -1);
    EXPECT_EQ(grid.Tag, -1);
}

TEST_P(ScharfschaltBereichTest, ChangedTextWritesTheRecordButNoDeviceParameter)
{
    const TBereichCase& c = GetParam();
    Show();
    Edit("ssb " + c.defaultText.substr(4)); // only the case differs
    const std::vector<TRecordedMessage> expected = {
        {TMessageKind::Send, UM_GetDatenSatz, MakeDatenSatzKey(kParent, kSystem), kHandle},
        {TMessageKind::Post, UM_AktualisiereAndereAnsichten, 0, 0},
        {TMessageKind::Post, UM_UpdateTreeNamesAndIcon, 0, 0}};
    EXPECT_EQ(main.Messages(), expected);
    EXPECT_EQ(main.FindRecord(kHandle)->String4, "ssb " + c.defaultText.substr(4));
    EXPECT_TRUE(main.DeviceParams().Calls().empty());

    main.Clear();
    Edit("ssb " + c.defaultText.substr(4)); // unchanged now
    EXPECT_TRUE(main.Messages().empty());
}

INSTANTIATE_TEST_SUITE_P(AzScharfschaltBereich, ScharfschaltBereichTest,
                         ::testing::ValuesIn(kBereiche),
                         TZeilenName());

TEST(AzScharfschaltBereichText, CutCountsCharactersNotBytes)
{
    std::string text = "Überfallmelder Süd"; // 18 characters
    TAzScharfschaltBereich::SetLengthTexte(text, 14);
    EXPECT_EQ(text, "Überfallmelder");
    TAzScharfschaltBereich::SetLengthTexte(text, 14);
    EXPECT_EQ(text, "Überfallmelder");
    std::string kurz = "SSB";
    TAzScharfschaltBereich::SetLengthTexte(kurz, 14);
    EXPECT_EQ(kurz, "SSB");
    EXPECT_EQ(TAzScharfschaltBereich::SwapDword(0x11223344u), 0x44332211u);
}

TEST(AzOrdnerScharfschaltung, PlainFolderWithoutRows)
{
    TMainWindowDouble main;
    TAzOrdnerScharfschaltung ordner(main.Handle(), kSystem, 0, "Scharfschaltung", 0);
    EXPECT_EQ(ordner.GetTyp(), 6131);
    EXPECT_EQ(ordner.GetIcon(), 40);
    EXPECT_EQ(ordner.ListStyle(), 0);
    EXPECT_EQ(ordner.GetQuickHelpIndexOffset(), 0);
    EXPECT_EQ(ordner.GetName(false), "Scharfschaltung");
    EXPECT_FALSE(ordner.AllowChild(6132));
    TDrawGridSE grid;
    ordner.BuildInfoWindow(&grid, nullptr, false, 1, 1);
    EXPECT_EQ(grid.RowNumbers(), std::vector<int>{-1});
    EXPECT_TRUE(main.Messages().empty());
}

} // namespace
