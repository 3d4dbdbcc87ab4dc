// The communication object's page in the property grid: rows and sections, flag edits with
// the messages that follow them in their order, the sending address, the link dialog,
// section titles and leaving a cell.
#include "ObjektTestEditor.h"

#include "rastow/DrawGridSE.h"

#include <gtest/gtest.h>

namespace {

using Editor = TObjektTestEditor;
using Row = TObjektBasis::TEnumRow;

const std::vector<int> kAlleZeilen = {12, 1, 2, 5, 13, 3, 4, 11, 14, 6, 7, 8, 9, 10};

// Plays the editor: shows the object's page, without an active cell.
void Zeige(TObjektBasis& objekt, TDrawGridSE& grid)
{
    objekt.BuildInfoWindow(&grid, nullptr, false, -1, -1);
}

const TCell& Wert(TDrawGridSE& grid, int rowNr)
{
    const int row = grid.FindRow(rowNr);
    EXPECT_GE(row, 0) << "row " << rowNr;
    return *grid.Cell(1, row < 0 ? 0 : row);
}

TDatenStruktur& EigenerSatz(Editor& e, int32_t handle)
{
    TDatenStruktur r;
    r.Handle = handle;
    r.Parent = Editor::kParent;
    r.System = Editor::kSystem;
    return e.Main.AddRecord(r);
}

TEST(ObjektGrid, AllSectionsOpenShowFourteenRowsInOrder)
{
    Editor e;
    e.Gruppe(10, 0x0A03);
    auto objekt = e.VireoObjekt();
    objekt->AddSubGroupLink(10, 0x0A03);
    objekt->SetFlagZugriff(true, false, true, false, true, false);
    TDrawGridSE grid;
    Zeige(*objekt, grid);
    EXPECT_EQ(grid.RowNumbers(), kAlleZeilen);

    struct Expect {
        int row;
        const char* caption;
        TCell::TEnumCellKind kind;
        std::string text;
        int help;
        bool enabled;
    };
    const std::vector<Expect> zeilen = {
        {Row::rowNummer, "Nummer", TCell::ckText, "7", 190, true},
        {Row::rowObjektname, "Objektname", TCell::ckText, "Objekt", 191, true},
        {Row::rowObjekttyp, "Objekttyp", TCell::ckText, "1 Bit", 194, true},
        {Row::rowGruppenadressen, "Gruppenadressen", TCell::ckEllipse, "1/2/3 ", 192, true},
        {Row::rowSendend, "Sendende Gruppenadresse", TCell::ckComboBox, "1/2/3", 193, true},
        {Row::rowStatus, "Statusabfrage", TCell::ckComboBox, "Aus", 200, true},
        {Row::rowKommunikation, "Kommunikation", TCell::ckComboBox, "Ein", 195, true},
        {Row::rowLesen, "Lesen", TCell::ckComboBox, "Aus", 196, false},
        {Row::rowSchreiben, "Schreiben", TCell::ckComboBox, "Aus", 197, true},
        {Row::rowUebertragen, "Übertragen", TCell::ckComboBox, "Aus", 198, false},
        {Row::rowAktualisieren, "Aktualisieren", TCell::ckComboBox, "Ein", 199, false},
    };
    for (const Expect& z : zeilen) {
        SCOPED_TRACE(z.caption);
        const int row = grid.FindRow(z.row);
        ASSERT_GE(row, 0);
        const TCell& caption = *grid.Cell(0, row);
        EXPECT_EQ(caption.Kind, TCell::ckCaption);
        EXPECT_EQ(caption.Text, z.caption);
        const TCell& wert = *grid.Cell(1, row);
        EXPECT_EQ(wert.Kind, z.kind);
        EXPECT_EQ(wert.Text, z.text);
        EXPECT_EQ(wert.Help, z.help);
        EXPECT_EQ(wert.Enabled, z.enabled);
        EXPECT_EQ(wert.Data, objekt.get());
        if (z.kind == TCell::ckComboBox && z.row != Row::rowSendend) {
            EXPECT_EQ(wert.Items, (std::vector<TComboWert>{{"Aus", 0}, {"Ein", 1}}));
        }
    }
    EXPECT_EQ(Wert(grid, Row::rowSendend).Items, (std::vector<TComboWert>{{"1/2/3", 0x0A03}}));
    for (int titel : {12, 13, 14}) {
        const TCell& cell = *grid.Cell(0, grid.FindRow(titel));
        EXPECT_EQ(cell.Kind, TCell::ckGroupTitle);
        EXPECT_EQ(cell.GroupState, TCell::gtsOpen);
    }
    EXPECT_EQ(grid.Cell(0, grid.FindRow(14))->Text, "Flags");
    EXPECT_EQ(grid.Cell(0, grid.FindRow(13))->Text, "Gruppenadressen");
    EXPECT_EQ(grid.Cell(0, grid.FindRow(12))->Text, "Allgemein");
    // The grid's events reach the object.
    EXPECT_TRUE(grid.OnComboBoxChange);
    EXPECT_TRUE(grid.OnEllipseClick);
    EXPECT_TRUE(grid.OnGroupTitleClick);
    EXPECT_TRUE(grid.OnExitCell);
    EXPECT_FALSE(grid.OnDeleteCellKomponente);
}

TEST(ObjektGrid, ClosedSectionsShowOnlyTheirTitleUnlessTheNodeFlagIsSet)
{
    Editor e;
    auto objekt = e.VireoObjekt();
    TDrawGridSE grid;
    Zeige(*objekt, grid);

    // Close "Flags"; the click after an acting click is ignored, so "Allgemein" takes a
    // third click.
    ASSERT_TRUE(grid.ClickGroupTitle(grid.FindRow(14)));
    Zeige(*objekt, grid);
    EXPECT_EQ(grid.RowNumbers(), (std::vector<int>{12, 1, 2, 5, 13, 3, 4, 11, 14}));
    EXPECT_EQ(grid.Cell(0, grid.FindRow(14))->GroupState, TCell::gtsClosed);

    grid.ClickGroupTitle(grid.FindRow(12));
    Zeige(*objekt, grid);
    EXPECT_EQ(grid.RowNumbers(), (std::vector<int>{12, 1, 2, 5, 13, 3, 4, 11, 14}));
    grid.ClickGroupTitle(grid.FindRow(12));
    Zeige(*objekt, grid);
    EXPECT_EQ(grid.RowNumbers(), (std::vector<int>{12, 13, 3, 4, 11, 14}));

    objekt->SetFlag();
    Zeige(*objekt, grid);
    EXPECT_EQ(grid.RowNumbers(), kAlleZeilen);
}

TEST(ObjektGrid, TitleClicksActOnlyEveryOtherTime)
{
    Editor e;
    auto objekt = e.VireoObjekt();
    TDrawGridSE grid;
    Zeige(*objekt, grid);
    const int flags = grid.FindRow(14);
    e.Main.Clear();
    grid.ClickGroupTitle(flags);
    EXPECT_EQ(e.Main.Messages(), (std::vector<TRecordedMessage>{
                                     {TMessageKind::Post, UM_AktualisiereAnsicht, 0, flags}}));
    grid.ClickGroupTitle(flags); // the second of two clicks
    EXPECT_EQ(e.Main.Messages().size(), 1u);
    grid.ClickGroupTitle(flags);
    EXPECT_EQ(e.Main.Messages().size(), 2u);
    Zeige(*objekt, grid);
    EXPECT_EQ(grid.RowNumbers(), kAlleZeilen); // closed and opened again

    // A click on a row that is no section title changes nothing but still counts as a click.
    TCell cell;
    cell.RowNr = 3;
    objekt->GridGroupTitleClick(&grid, cell, 0, 0, 0); // the second of two clicks
    objekt->GridGroupTitleClick(&grid, cell, 0, 0, 0); // acts on nothing
    cell.RowNr = 14;
    objekt->GridGroupTitleClick(&grid, cell, 0, 0, 0); // the second of two clicks
    EXPECT_EQ(e.Main.Messages().size(), 2u);
    objekt->GridGroupTitleClick(&grid, cell, 0, 0, 0);
    EXPECT_EQ(e.Main.Messages().size(), 3u);
}

TEST(ObjektGrid, ActiveCellIsPostedOnlyForACell)
{
    struct Case {
        int a;
        int b;
        bool posted;
    };
    for (const Case& c : {Case{-1, -1, false}, Case{0, -1, true}, Case{-1, 4, true},
                          Case{1, 7, true}}) {
        SCOPED_TRACE(testing::Message() << c.a << "," << c.b);
        Editor e;
        auto objekt = e.VireoObjekt();
        TDrawGridSE grid;
        objekt->BuildInfoWindow(&grid, nullptr, false, c.a, c.b);
        std::vector<TRecordedMessage> erwartet;
        if (c.posted)
            erwartet.push_back({TMessageKind::Post, UM_SetActiveCell, W(c.a), c.b});
        EXPECT_EQ(e.Main.Posts(), erwartet);
    }
    Editor e;
    auto objekt = e.VireoObjekt();
    objekt->BuildInfoWindow(nullptr, nullptr, false, 1, 1);
    EXPECT_TRUE(e.Main.Messages().empty());
}

TEST(ObjektGrid, OnOffRowBuilder)
{
    Editor e;
    auto objekt = e.VireoObjekt();
    TDrawGridSE grid;
    grid.Prepare(2);
    objekt->AddRowComboBoxOn(&grid, "A", 3, T_DB_EnumDataBasis::ebTrue, 0, false, false);
    ASSERT_EQ(grid.RowCount(), 1);
    EXPECT_EQ(grid.Cell(1, 0)->Help, 193);
    EXPECT_EQ(grid.Cell(1, 0)->Text, "Ein");
    EXPECT_EQ(grid.Cell(1, 0)->ItemIndex, 1);
    EXPECT_FALSE(grid.Cell(1, 0)->Enabled);
    EXPECT_EQ(grid.Cell(0, 0)->Text, "A");
    objekt->AddRowComboBoxOn(&grid, "B", 4, T_DB_EnumDataBasis::ebFalse, 7, true, true);
    ASSERT_EQ(grid.RowCount(), 2);
    EXPECT_EQ(grid.Cell(1, 1)->Help, 7);
    EXPECT_EQ(grid.Cell(1, 1)->Text, "Aus");
    EXPECT_TRUE(grid.Cell(1, 1)->Enabled);
    // Update and status start disabled: the user cannot change them.
    Zeige(*objekt, grid);
    EXPECT_FALSE(grid.SelectComboItem(grid.FindRow(Row::rowAktualisieren), 0));
    EXPECT_FALSE(grid.SelectComboItem(grid.FindRow(Row::rowStatus), 1));
}

// --- Flag edits --------------------------------------------------------------------------

TEST(ObjektGrid, AcceptedFlagEditRewritesTheRecordThenPostsInOrder)
{
    Editor e;
    TVireoObjekt objekt(e.Main.Handle(), Editor::kSystem, Editor::kParent, "Nur schreiben", false,
                        false, false, true, false, false, 3, 0, 0, ot1Bit, 1, 0);
    objekt.SetHandle(50);
    TDatenStruktur& satz = EigenerSatz(e, 50);
    ASSERT_EQ(objekt.GetIoTyp(), T_DB_EnumObjektBasis::ioSchreiben);
    TDrawGridSE grid;

    struct Step {
        int row;
        int index;
        T_DB_EnumObjektBasis::TEnumIOTyp ioTyp;
    };
    for (const Step& s : {Step{Row::rowLesen, 1, T_DB_EnumObjektBasis::ioLesenSchreiben},
                          Step{Row::rowSchreiben, 0, T_DB_EnumObjektBasis::ioLesen},
                          Step{Row::rowLesen, 0, T_DB_EnumObjektBasis::ioKeins}}) {
        SCOPED_TRACE(s.row);
        Zeige(objekt, grid);
        e.Main.Clear();
        const int gridRow = grid.FindRow(s.row);
        ASSERT_TRUE(grid.SelectComboItem(gridRow, s.index));
        EXPECT_EQ(e.Main.Messages(),
                  (std::vector<TRecordedMessage>{
                      {TMessageKind::Send, UM_GetDatenSatz,
                       MakeDatenSatzKey(Editor::kParent, Editor::kSystem), 50},
                      {TMessageKind::Post, UM_AktualisiereAndereAnsichten, 0, 0},
                      {TMessageKind::Post, UM_UpdateTreeNamesAndIcon, 0, 0}}));
        EXPECT_EQ(objekt.GetIoTyp(), s.ioTyp);
        EXPECT_EQ(satz.Param6, s.ioTyp);
        EXPECT_EQ(satz.Bool5, s.ioTyp == T_DB_EnumObjektBasis::ioLesenSchreiben
                                  || s.ioTyp == T_DB_EnumObjektBasis::ioLesen);
    }

    // The value it already has: nothing.
    Zeige(objekt, grid);
    e.Main.Clear();
    ASSERT_TRUE(grid.SelectComboItem(grid.FindRow(Row::rowLesen), 0));
    EXPECT_TRUE(e.Main.Messages().empty());
}

TEST(ObjektGrid, EveryFlagRowChangesItsOwnFlag)
{
    // Row -> the flag as GetFlags hands it out (read, write, comm, transmit, update, status).
    const std::vector<std::pair<int, int>> zeilen = {{6, 2}, {7, 0}, {8, 1}, {9, 3}, {10, 4}, {11, 5}};
    for (const auto& [rowNr, index] : zeilen) {
        SCOPED_TRACE(rowNr);
        Editor e;
        TVireoObjekt objekt(e.Main.Handle(), 1, 2, "", false, false, false, false, false, false,
                            3, 0, 0, ot1Bit, 1, 0);
        objekt.SetFlagZugriff(true, true, true, true, true, true);
        TDrawGridSE grid;
        Zeige(objekt, grid);
        ASSERT_TRUE(grid.SelectComboItem(grid.FindRow(rowNr), 1));
        bool f[6];
        objekt.GetFlags(f[0], f[1], f[2], f[3], f[4], f[5]);
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(f[i], i == index) << i;
    }
}

TEST(ObjektGrid, RefusedFlagEditShowsTheOldStateAgain)
{
    Editor e;
    auto objekt = e.EtsObjekt(60);
    TDatenStruktur& satz = EigenerSatz(e, 60);
    objekt->Write(satz);
    const TDatenStruktur vorher = satz;
    e.FlagSchreibenGelingt = false;
    TDrawGridSE grid;
    Zeige(*objekt, grid);
    e.Main.Clear();
    const int gridRow = grid.FindRow(Row::rowKommunikation);
    ASSERT_TRUE(grid.SelectComboItem(gridRow, 1));
    EXPECT_EQ(e.SendIds(), (std::vector<UINT>{UM_ObjektFlag}));
    EXPECT_EQ(e.Main.Posts(), (std::vector<TRecordedMessage>{
                                  {TMessageKind::Post, UM_AktualisiereAnsicht, 1, gridRow}}));
    EXPECT_FALSE(objekt->GetObjektFlag(TObjektBasis::ofKommunikation));
    EXPECT_EQ(satz, vorher);
}

TEST(ObjektGrid, AcceptedEtsFlagEditWritesIntoEtsFirst)
{
    Editor e;
    auto objekt = e.EtsObjekt(60);
    EigenerSatz(e, 60);
    TDrawGridSE grid;
    Zeige(*objekt, grid);
    e.Main.Clear();
    ASSERT_TRUE(grid.SelectComboItem(grid.FindRow(Row::rowUebertragen), 1));
    EXPECT_EQ(e.Ids(), (std::vector<UINT>{UM_ObjektFlag, UM_GetDatenSatz,
                                          UM_AktualisiereAndereAnsichten,
                                          UM_UpdateTreeNamesAndIcon}));
    EXPECT_EQ(e.Main.Sends()[0].wParam, 0u);
    EXPECT_TRUE((e.EtsFlags[{Editor::kDeviceObjectId, TObjektBasis::ofUebertragen}]));
    EXPECT_TRUE(e.Main.FindRecord(60)->Bool6);
}

// --- Sending address, link dialog, leaving a cell ------------------------------------

TEST(ObjektGrid, ChoosingTheSendingAddressMovesTheMarkThenWritesAndShowsAgain)
{
    Editor e;
    auto objekt = e.EtsObjekt(60);
    TDatenStruktur& satz = EigenerSatz(e, 60);
    e.Gruppe(10, 300);
    e.Gruppe(20, 100);
    e.Gruppe(30, 200);
    for (int32_t id : {10, 20, 30})
        objekt->AddSubGroupLink(id, e.Gruppen[id].Wort);
    ASSERT_EQ(SubIds(*objekt), (std::vector<int32_t>{10, 20, 30}));
    TDrawGridSE grid;
    Zeige(*objekt, grid);
    const int gridRow = grid.FindRow(Row::rowSendend);
    ASSERT_EQ(Wert(grid, Row::rowSendend).Items[2], TComboWert("0/0/200", 200));

    e.Main.Clear();
    ASSERT_TRUE(grid.SelectComboItem(gridRow, 2));
    EXPECT_EQ(SubIds(*objekt), (std::vector<int32_t>{30, 20, 10}));
    EXPECT_EQ(satz.Param14, 30);
    EXPECT_EQ(satz.Param15, 200);
    const auto ids = e.SendIds();
    const auto aus = std::find(ids.begin(), ids.end(), UM_GrpAdrSendendAus);
    const auto ein = std::find(ids.begin(), ids.end(), UM_GrpAdrSendendEin);
    const auto satzHolen = std::find(ids.begin(), ids.end(), UM_GetDatenSatz);
    ASSERT_NE(satzHolen, ids.end());
    EXPECT_LT(aus, ein);
    EXPECT_LT(ein, satzHolen);
    EXPECT_EQ(e.Sends(UM_GrpAdrSendendAus)[0].wParam, W(10));
    EXPECT_EQ(e.Sends(UM_GrpAdrSendendEin)[0].wParam, W(30));
    EXPECT_EQ(e.Main.Posts(), (std::vector<TRecordedMessage>{
                                  {TMessageKind::Post, UM_AktualisiereAnsicht, 1, gridRow}}));

    // A combo change without a chosen entry, or without the combo editor, changes nothing.
    e.Main.Clear();
    TCell cell = Wert(grid, Row::rowSendend);
    objekt->GridComboBoxChange(nullptr, cell, 1, gridRow);
    objekt->GridComboBoxChange(&grid, cell, 1, gridRow);
    cell.RowNr = Row::rowNummer;
    objekt->GridComboBoxChange(&grid, cell, 1, gridRow);
    EXPECT_TRUE(e.Main.Messages().empty());
}

TEST(ObjektGrid, EllipsisRunsTheLinkDialogThenWritesTheRecord)
{
    Editor e;
    auto objekt = e.VireoObjekt(50);
    TDatenStruktur& satz = EigenerSatz(e, 50);
    e.Gruppe(10, 300);
    TObjektBasis* imDialog = nullptr;
    e.LinkDialog = [&](TObjektBasis* o) {
        imDialog = o;
        o->AddSubGroupLink(10, 300);
    };
    TDrawGridSE grid;
    Zeige(*objekt, grid);
    const int gridRow = grid.FindRow(Row::rowGruppenadressen);
    e.Main.Clear();
    ASSERT_TRUE(grid.ClickEllipsis(gridRow));
    EXPECT_EQ(imDialog, objekt.get());
    EXPECT_EQ(e.Main.Messages().front(),
              (TRecordedMessage{TMessageKind::Send, UM_OpenDlgGrpAdrToObject, 0,
                                reinterpret_cast<LPARAM>(objekt.get())}));
    EXPECT_EQ(e.Ids().back(), UM_AktualisiereAnsicht);
    EXPECT_EQ(e.Main.Posts(), (std::vector<TRecordedMessage>{
                                  {TMessageKind::Post, UM_AktualisiereAnsicht, 1, gridRow}}));
    EXPECT_EQ(satz.Param14, 10);

    // A cell drawn by another kind of node: nothing.
    e.Main.Clear();
    TCell fremd;
    fremd.Data = e.Intern(90, 1);
    objekt->GridEllipseClick(&grid, fremd, 1, 1);
    EXPECT_TRUE(e.Main.Messages().empty());
}

TEST(ObjektGrid, LeavingACellRefreshesOnlyWhileTheMarkIsSet)
{
    Editor e;
    auto objekt = e.VireoObjekt();
    TDrawGridSE grid;
    Zeige(*objekt, grid);
    const int row = grid.FindRow(Row::rowKommunikation);
    e.Main.Clear();
    grid.SetActiveCell(1, row);
    grid.ExitCell();
    EXPECT_TRUE(e.Main.Messages().empty());

    objekt->SetRefreshMark();
    grid.SetActiveCell(1, row);
    grid.ExitCell();
    EXPECT_EQ(e.Main.Messages(), (std::vector<TRecordedMessage>{
                                     {TMessageKind::Post, UM_AktualisiereAnsicht, 0, 0}}));
    EXPECT_FALSE(objekt->GetRefreshMark());
}

} // namespace
