#include "quillon/SprDatenBasis.h"
#include "quillon/SprObjektModell.h"

#include "win32/StringTable.h"

#include <gtest/gtest.h>

#include <fstream>
#include <numeric>
#include <sstream>
#include <string>
#include <vector>

const TStringTable& QuillonStrings();

namespace {

struct TextRow {
    int id;
    const std::string* global;
    const char* text;
};

const std::vector<TextRow>& datenBasisRows()
{
    using namespace SprDatenBasis;
    static const std::vector<TextRow> rows = {
        {200, &TxtNein, "Nein"},
        {201, &TxtJa, "Ja"},
        {202, &TxtAus, "Aus"},
        {203, &TxtEin, "Ein"},
        {204, &TxtGesperrt, "Gesperrt"},
        {205, &TxtFreigegeben, "Freigegeben"},
        {206, &TxtEinsTelegramm, "1-Telegramm"},
        {207, &TxtNullTelegramm, "0-Telegramm"},
        {208, &TxtImportQuelleFehlt, "Datenquelle für den Import wurde nicht gefunden."},
        {209, &TxtKeineGueltigenDaten, "Es wurden keine gültigen Daten gefunden."},
        {210, &TxtDatensatzNichtGefunden, "Gesuchter Datensatz nicht gefunden.\nHandle:"},
    };
    return rows;
}

const std::vector<TextRow>& objektModellRows()
{
    using namespace SprObjektModell;
    static const std::vector<TextRow> rows = {
        {1000, &TxtUnsichtbar, "unsichtbar"},
        {1001, &Txt1Bit, "1 Bit"},
        {1002, &Txt2Bit, "2 Bit"},
        {1003, &Txt3Bit, "3 Bit"},
        {1004, &Txt4Bit, "4 Bit"},
        {1005, &Txt5Bit, "5 Bit"},
        {1006, &Txt6Bit, "6 Bit"},
        {1007, &Txt7Bit, "7 Bit"},
        {1008, &Txt1Byte, "1 Byte"},
        {1009, &Txt2Byte, "2 Byte"},
        {1010, &Txt3Byte, "3 Byte"},
        {1011, &Txt4Byte, "4 Byte"},
        {1012, &Txt5Byte, "5 Byte"},
        {1013, &Txt6Byte, "6 Byte"},
        {1014, &Txt7Byte, "7 Byte"},
        {1015, &Txt8Byte, "8 Byte"},
        {1016, &Txt10Byte, "10 Byte"},
        {1017, &TxtVarData, "VARDATA"},
        {1018, &TxtUnbekannterObjekttyp, "unbekannter Objekttyp"},
        {1019, &TxtNummer, "Nummer"},
        {1020, &TxtObjektname, "Objektname"},
        {1021, &TxtGruppenadressen, "Gruppenadressen"},
        {1022, &TxtSendendeGruppenadresse, "Sendende Gruppenadresse"},
        {1023, &TxtObjekttyp, "Objekttyp"},
        {1024, &TxtKommunikation, "Kommunikation"},
        {1025, &TxtFlagK, "K"},
        {1026, &TxtLesen, "Lesen"},
        {1027, &TxtFlagL, "L"},
        {1028, &TxtSchreiben, "Schreiben"},
        {1029, &TxtFlagS, "S"},
        {1030, &TxtUebertragen, "Übertragen"},
        {1031, &TxtFlagUe, "Ü"},
        {1032, &TxtStatusabfrage, "Statusabfrage"},
        {1033, &Txt14Byte, "14 Byte"},
        {1034, &TxtAktualisieren, "Aktualisieren"},
        {1035, &TxtFrei, "Frei"},
        {1036, &TxtPhysAdr, "Phys.Adr."},
        {1037, &TxtProdukt, "Produkt"},
        {1038, &TxtFunktion, "Funktion"},
        {1039, &TxtEin, "Ein"},
        {1040, &TxtAus, "Aus"},
        {1041, &TxtMaxGruppenadressenErreicht,
         "Die maximale Anzahl an zuweisbaren\nGruppenadressen ist erreicht!"},
        {1042, &TxtFehler, "Fehler"},
        {1043, &TxtAllgemein, "Allgemein"},
        {1044, &TxtAbschnittGruppenadressen, "Gruppenadressen"},
        {1045, &TxtFlags, "Flags"},
        {1046, &TxtAdresse, "Adresse"},
    };
    return rows;
}

TStringTable tableFromFile()
{
    std::ifstream in(MIRAVAL_SOURCE_DIR "/resources/strings/quillon.tsv", std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return TStringTable::FromTsv(content.str());
}

std::vector<int> idRange(int first, int last)
{
    std::vector<int> ids(static_cast<std::size_t>(last - first + 1));
    std::iota(ids.begin(), ids.end(), first);
    return ids;
}

template <typename Text>
void expectUnitTexts(const std::vector<TextRow>& rows, Text text)
{
    const TStringTable file = tableFromFile();
    ASSERT_GT(file.Count(), 0u) << "string table file not found";
    for (const TextRow& row : rows) {
        SCOPED_TRACE(row.id);
        EXPECT_EQ(*row.global, row.text);
        EXPECT_EQ(&text(row.id), row.global) << "global bound to another id";
        EXPECT_EQ(file.LoadStr(row.id), row.text) << "string table file";
        EXPECT_EQ(QuillonStrings().LoadStr(row.id), row.text) << "compiled string table";
    }
}

TEST(SprQuillon, EveryTextIsLoadedAtStartWithItsExactWording)
{
    EXPECT_EQ(std::vector<int>(SprDatenBasis::Ids().begin(), SprDatenBasis::Ids().end()),
              idRange(200, 210));
    EXPECT_EQ(std::vector<int>(SprObjektModell::Ids().begin(), SprObjektModell::Ids().end()),
              idRange(1000, 1046));
    ASSERT_EQ(datenBasisRows().size(), 11u);
    ASSERT_EQ(objektModellRows().size(), 47u);
    expectUnitTexts(datenBasisRows(), SprDatenBasis::Text);
    expectUnitTexts(objektModellRows(), SprObjektModell::Text);
}

TEST(SprQuillon, EqualTextsStayDistinctGlobals)
{
    EXPECT_NE(&SprObjektModell::TxtGruppenadressen, &SprObjektModell::TxtAbschnittGruppenadressen);
    EXPECT_NE(&SprObjektModell::TxtAus, &SprDatenBasis::TxtAus);
    EXPECT_NE(&SprObjektModell::TxtEin, &SprDatenBasis::TxtEin);
}

TEST(SprQuillon, IdsOutsideAUnitGiveTheEmptyText)
{
    for (int id : {199, 211, 1000, -1}) {
        SCOPED_TRACE(id);
        EXPECT_EQ(SprDatenBasis::Text(id), "");
    }
    for (int id : {999, 1047, 200, 10001}) {
        SCOPED_TRACE(id);
        EXPECT_EQ(SprObjektModell::Text(id), "");
    }
}

// Each test leaves the counters where loading the library put them (-1, texts filled from the
// library's table), so the order of tests does not matter.
TEST(SprQuillon, SecondInitialisationLoadsNothing)
{
    TStringTable other = QuillonStrings();
    other.Set(1045, "anders");
    other.Set(200, "anders");

    SprObjektModell::Init(other);
    SprDatenBasis::Init(other);
    EXPECT_EQ(SprObjektModell::TxtFlags, "Flags");
    EXPECT_EQ(SprDatenBasis::TxtNein, "Nein");

    SprObjektModell::Fini(); // back to the library's own level: nothing freed
    SprDatenBasis::Fini();
    EXPECT_EQ(SprObjektModell::TxtFlags, "Flags");
    EXPECT_EQ(SprDatenBasis::TxtNein, "Nein");
}

TEST(SprQuillon, UnloadingAndLoadingTwiceFreesAndFillsEachTime)
{
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        SprObjektModell::Fini();
        SprDatenBasis::Fini();
        for (const TextRow& row : objektModellRows())
            EXPECT_EQ(*row.global, "") << row.id;
        for (const TextRow& row : datenBasisRows())
            EXPECT_EQ(*row.global, "") << row.id;

        SprObjektModell::Init(QuillonStrings());
        SprDatenBasis::Init(QuillonStrings());
        for (const TextRow& row : objektModellRows())
            EXPECT_EQ(*row.global, row.text) << row.id;
        for (const TextRow& row : datenBasisRows())
            EXPECT_EQ(*row.global, row.text) << row.id;
    }
}

TEST(SprQuillon, TableWithoutAnIdLeavesOnlyThatTextEmpty)
{
    TStringTable without = QuillonStrings();
    without.Remove(1045);
    SprObjektModell::Fini();
    SprObjektModell::Init(without);
    EXPECT_EQ(SprObjektModell::TxtFlags, "");
    EXPECT_EQ(SprObjektModell::TxtAdresse, "Adresse");
    EXPECT_EQ(SprObjektModell::TxtAbschnittGruppenadressen, "Gruppenadressen");

    SprObjektModell::Fini();
    SprObjektModell::Init(QuillonStrings());
    EXPECT_EQ(SprObjektModell::TxtFlags, "Flags");
}

} // namespace
