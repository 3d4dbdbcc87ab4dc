#include "miraval/dienste/Spredit.h"

#include "win32/StringTable.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

TStringTable tableFromFile()
{
    std::ifstream in(MIRAVAL_SOURCE_DIR "/resources/strings/miraval.tsv", std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return TStringTable::FromTsv(content.str());
}

TEST(Spredit, EveryIdFrom9000To9240HasTheTableText)
{
    const auto ids = Spredit::Ids();
    std::vector<int> expected;
    for (int id = 9000; id <= 9240; ++id)
        expected.push_back(id);
    EXPECT_EQ(std::vector<int>(ids.begin(), ids.end()), expected);

    const TStringTable file = tableFromFile();
    ASSERT_EQ(file.Count(), 238u) << "string table file not found or changed";
    for (int id : ids) {
        SCOPED_TRACE(id);
        EXPECT_EQ(Spredit::Text(id), file.LoadStr(id));
    }
    for (int id : {8999, 9241, 10000})
        EXPECT_EQ(Spredit::Text(id), "") << id;
}

TEST(Spredit, TextsKeepTheirWordingByteForByte)
{
    struct Row {
        int id;
        const std::string* global;
        const char* text;
    };
    const Row rows[] = {
        {9003, &Spredit::Txt9003, "Fehler"},
        {9004, &Spredit::Txt9004, "Gruppenadressen"},
        {9030, &Spredit::Txt9030,
         "Lade Ets Daten...\n\rDieser Vorgang kann einige Zeit dauern. Bitte warten."},
        {9033, &Spredit::Txt9033, "Achtung: Objekt nicht in der Ets-Datenbank gefundne.\nObjekt Nr.:"},
        {9036, &Spredit::Txt9036, "Datenbank Überprüfung erfogreich beendet."},
        {9093, &Spredit::Txt9093,
         "Sie benutzen eine veraltete Ets-Version.\nBitte installieren Sie die neueste Ets2-Version.\n"
         "Updates werden von der  EIBA bereitgestellt:\n"},
        {9144, &Spredit::Txt9144, "Objekt konnte nicht erzeugt werden.\n Unbekannter Fehler."},
        {9147, &Spredit::Txt9147, "Die markierte Gruppenadresse wid mit dem Objekt verbunden."},
        {9190, &Spredit::Txt9190, "Die Gruppenadresse [%s] ist fuer diesen Objekt-Typ nicht geeignet!"},
        {9206, &Spredit::Txt9206, ""},
        {9208, &Spredit::Txt9208, ""},
        {9209, &Spredit::Txt9209, "Beim Laden der Gruppendressen ist ein Fehler aufgetreten."},
        {9213, &Spredit::Txt9213,
         "Die maximale Anzahl an Eingängen ist erreicht.\n\rEs kann kein neuer Eingang erzeugt werden."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.id);
        EXPECT_EQ(*row.global, row.text);
        EXPECT_EQ(&Spredit::Text(row.id), row.global) << "global bound to another id";
    }
}

TEST(Spredit, NestedInitializeLoadsOnceAndTheBalancingFinalizeFrees)
{
    // The program's start has initialized once; take the unit back to its start value so
    // that the nesting below starts from zero, and restore it however the test ends.
    Spredit::Finalize();
    struct Wiederherstellen {
        ~Wiederherstellen() { Spredit::Initialize(); }
    } wiederherstellen;
    EXPECT_EQ(Spredit::Txt9003, "");

    TStringTable erste;
    erste.Set(9003, "erste");
    TStringTable zweite;
    zweite.Set(9003, "zweite");
    Spredit::Initialize(erste);
    EXPECT_EQ(Spredit::Txt9003, "erste");
    Spredit::Initialize(zweite);
    EXPECT_EQ(Spredit::Txt9003, "erste") << "the nested call reloaded";
    EXPECT_EQ(Spredit::Txt9001, "") << "an id the table lacks is empty";
    Spredit::Finalize();
    EXPECT_EQ(Spredit::Txt9003, "erste") << "freed before the balancing call";
    Spredit::Finalize();
    EXPECT_EQ(Spredit::Txt9003, "");
}

} // namespace
