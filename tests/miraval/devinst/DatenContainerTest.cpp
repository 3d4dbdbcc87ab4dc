#include "miraval/devinst/DatenContainer.h"

#include "miraval/dienste/Spredit.h"
#include "win32/CodePage1252.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace DatenContainer;
using namespace std::string_literals;

const std::string Ok = "YR Version: 1. 1 Typ:VIREO/Alarmzentrale";
const std::string Erwartet = "\nErwartete Version:\n" + Ok;

TDatenStruktur Datensatz(int32_t handle, std::string name, int16_t typ, int32_t parent, int32_t system)
{
    TDatenStruktur d;
    d.Handle = handle;
    d.Name = std::move(name);
    d.Typ = typ;
    d.Parent = parent;
    d.System = system;
    return d;
}

std::vector<const TDatenStruktur*> Zeiger(const std::vector<TDatenStruktur>& datensaetze)
{
    std::vector<const TDatenStruktur*> out;
    for (const auto& d : datensaetze)
        out.push_back(&d);
    return out;
}

std::string Schreibe(const std::vector<TDatenStruktur>& datensaetze, std::string_view compData)
{
    std::string container;
    TContainerStatus status = WriteContainer(Zeiger(datensaetze), Ok, compData, container);
    EXPECT_TRUE(status.Ok) << status.Text;
    return container;
}

TContainerStatus Lies(std::string_view container, TContainerInhalt& inhalt)
{
    return ReadContainer(container, "0", [](const std::string& v) { return VersionCheck(v, {}).Ok; }, inhalt);
}

TEST(DatenContainer, ParseDataCutsOneLineEndAtEachTag)
{
    struct Row {
        const char* name;
        std::string quelle;
        const char* sektion;
        std::string inhalt;
    };
    const Row rows[] = {
        {"CR LF at both ends", "<DB>\r\nabc\r\n</DB>", "DB", "abc"},
        {"lone LF after the open tag is content", "<DB>\nabc\r\n</DB>", "DB", "\nabc"},
        {"lone LF before the close tag is dropped", "<DB>\r\nabc\n</DB>", "DB", "abc"},
        {"only one line end at each end", "<DB>\r\n\r\nabc\r\n\r\n</DB>", "DB", "\r\nabc\r\n"},
        {"CR before the close tag stays", "<DB>\r\nabc\r</DB>", "DB", "abc\r"},
        {"lone CR after the open tag is skipped", "<DB>\rabc</DB>", "DB", "abc"},
        {"empty section as the writer makes it", "<DB>\r\n</DB>\r\n", "DB", ""},
        {"empty section without line end", "<DB></DB>", "DB", ""},
        {"lone LF only", "<DB>\n</DB>", "DB", ""},
        {"not line-aligned", "x<DB>abc</DB>y", "DB", "abc"},
        {"any order", "<B>2</B><A>1</A>", "A", "1"},
        {"first open tag wins", "<A>1</A><A>2</A>", "A", "1"},
        {"bytes above 127 and NUL", "<C>\r\n\xFF\0\x80\r\n</C>"s, "C", "\xFF\0\x80"s},
        {"missing open tag", "abc</DB>", "DB", ""},
        {"missing close tag", "<DB>\r\nabc", "DB", ""},
        {"close tag only before the open tag", "</DB><DB>abc", "DB", ""},
        {"open tag at the very end", "abc<DB>\r", "DB", ""},
        {"tag names compare exactly", "<db>abc</db>", "DB", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(ParseData(row.quelle, row.sektion), row.inhalt);
    }
}

TEST(DatenContainer, VersionCheckRefusalsAndTheirTexts)
{
    struct Row {
        const char* name;
        std::string text;
        bool ok;
        std::string meldung;
    };
    const std::string langerTyp(500, 'V');
    const Row rows[] = {
        {"own version", Ok, true, ""},
        {"text after the type word", Ok + " beta", true, ""},
        {"empty", "", false, "Versionsinformation nicht gefunden." + Erwartet},
        {"zero", "0", false, "Versionsinformation nicht gefunden." + Erwartet},
        {"foreign text", "Fremd", false, "Unbekannte Version\nFremd" + Erwartet},
        {"no type word", "YR Version: 1. 1 Typ:", false, "Unbekannte Version\nYR Version: 1. 1 Typ:" + Erwartet},
        {"three-digit major", "YR Version:123.1 Typ:VIREO/Alarmzentrale", false,
         "Unbekannte Version\nYR Version:123.1 Typ:VIREO/Alarmzentrale" + Erwartet},
        {"major 2", "YR Version: 2. 1 Typ:VIREO/Alarmzentrale", false, "Falsche Hauptversionsnummer: 2.1" + Erwartet},
        {"major -1", "YR Version:-1. 1 Typ:VIREO/Alarmzentrale", false, "Falsche Hauptversionsnummer: -1.1" + Erwartet},
        {"minor 2", "YR Version: 1. 2 Typ:VIREO/Alarmzentrale", false, "Falsche Nebenversionsnummer: 1.2" + Erwartet},
        {"other type", "YR Version: 1. 1 Typ:VIREO/Aktor", false, "Unbekannter Versionstyp." + Erwartet},
        {"type longer", "YR Version: 1. 1 Typ:VIREO/Alarmzentrale2", false, "Unbekannter Versionstyp." + Erwartet},
        {"type far too long", "YR Version: 1. 1 Typ:" + langerTyp, false, "Unbekannter Versionstyp." + Erwartet},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TVersionCheck check = VersionCheck(row.text, TVersion{});
        EXPECT_EQ(check.Ok, row.ok);
        EXPECT_EQ(check.Text, row.meldung);
    }
    // A type word of exactly the buffer's 63 bytes is read whole and compared.
    const std::string typ63(63, 'T');
    EXPECT_TRUE(VersionCheck("YR Version: 1. 1 Typ:" + typ63, TVersion{1, 1, typ63}).Ok);
    EXPECT_FALSE(VersionCheck("YR Version: 1. 1 Typ:" + typ63 + "T", TVersion{1, 1, typ63}).Ok);
    EXPECT_EQ(std::string(VersionCheckCaption), "Versions-Überprüfung");
}

TEST(DatenContainer, ConflictMessage)
{
    TContainerStatus s = VersionConflict(TVersion{}, "YR Version: 1. 2 Typ:VIREO/Alarmzentrale");
    EXPECT_FALSE(s.Ok);
    EXPECT_EQ(s.Text, "Versionskonflikt!\nDie installierte Software kann die Daten nicht lesen.\n"
                      "Bitte installieren Sie die benötigte Version.\n\nErwartet: " + Ok +
                      "\nVorhanden: YR Version: 1. 2 Typ:VIREO/Alarmzentrale\n\n"
                      "Bitte installieren Sie eine neue Software.");
    EXPECT_EQ(s.Caption, "Fehler");
}

TEST(DatenContainer, EmptyDeviceRoundTripsAsEmpty)
{
    const std::string c = Schreibe({}, "");
    EXPECT_NE(c.find("<DB>\r\n</DB>\r\n<CompData>\r\n\r\n</CompData>\r\n"), std::string::npos);
    TContainerInhalt inhalt;
    ASSERT_TRUE(Lies(c, inhalt).Ok);
    EXPECT_EQ(inhalt.Version, Ok);
    EXPECT_TRUE(inhalt.Datensaetze.empty());
    EXPECT_EQ(inhalt.CompData, "");
}

TEST(DatenContainer, RoundTripKeepsRecordsOrderAndCompDataBytes)
{
    // Records with the texts that stress the line and code-page forms.
    std::vector<TDatenStruktur> datensaetze = {
        Datensatz(30, "Melder, \"Küche\"", 6125, 20, 10),
        Datensatz(21, "  führende Blanks", 2, 10, 10),
        Datensatz(10, "Zentrale Größe €", 105, 0, 10),
        Datensatz(20, "Bereich", 6121, 10, 10),
        Datensatz(5, "Andere Anlage ÄÖÜß", 105, 0, 5),
        Datensatz(40, "Objekt", 806, 10, 10),
    };
    datensaetze[0].Param15 = -1;
    datensaetze[0].Bool3 = true;
    datensaetze[0].String1 = "Text mit Komma, und \"Anführung\"";
    datensaetze[2].Typ = -1;
    datensaetze[2].String5 = "¼½¾";

    std::vector<const TDatenStruktur*> reihenfolge = Zeiger(datensaetze);
    ContainerOrder(reihenfolge);
    std::vector<int32_t> handles;
    for (const auto* d : reihenfolge)
        handles.push_back(d->Handle);
    // System 5, then System 10 by Parent: 0; 10 (21, 20, 40 as given); 20.
    EXPECT_EQ(handles, (std::vector<int32_t>{5, 10, 21, 20, 40, 30}));

    const std::vector<std::string> compDatas = {
        "", "\r\n", "\n", "\r", "ends in CR LF\r\n", "\nstarts with LF", "\0\r\n\xFF\x80<DB>"s,
        std::string(1, '\0'),
    };
    for (const std::string& compData : compDatas) {
        SCOPED_TRACE(::testing::PrintToString(compData));
        std::string c;
        ASSERT_TRUE(WriteContainer(reihenfolge, Ok, compData, c).Ok);
        EXPECT_NE(c.find("K\xFC" "che"), std::string::npos) << "texts are Windows-1252 bytes";
        EXPECT_EQ(c.find("K\xC3\xBC" "che"), std::string::npos);

        TContainerInhalt inhalt;
        ASSERT_TRUE(Lies(c, inhalt).Ok);
        EXPECT_EQ(inhalt.CompData, compData);
        ASSERT_EQ(inhalt.Datensaetze.size(), reihenfolge.size());
        for (std::size_t i = 0; i < reihenfolge.size(); ++i)
            EXPECT_EQ(inhalt.Datensaetze[i], *reihenfolge[i]) << "record " << i;

        std::string nochmal;
        ASSERT_TRUE(WriteContainer(Zeiger(inhalt.Datensaetze), inhalt.Version, inhalt.CompData, nochmal).Ok);
        EXPECT_EQ(nochmal, c);
    }
}

TEST(DatenContainer, StoredConfigurationWithUmlautsRoundTripsByteIdentical)
{
    // A container as stored: Windows-1252 bytes, an empty name (written as six quotes), a
    // record read from a line ending in a lone LF, and the undefined byte 0x81 in a text.
    TDatenStruktur leer = Datensatz(3, "", 6140, 1, 1);
    TDatenStruktur melder = Datensatz(2, "T\xC3\xBCr K\xC3\xBC" "che", 6125, 1, 1);
    melder.String2 = "Gr\xC3\xB6\xC3\x9F" "e \xE2\x82\xAC \xC2\x81";
    const std::string zeileLeer = Utf8ToCp1252(leer.GetDatensatzZeile()).bytes;
    const std::string zeileMelder = Utf8ToCp1252(melder.GetDatensatzZeile()).bytes;
    ASSERT_NE(zeileMelder.find("T\xFCr K\xFC" "che"), std::string::npos);
    ASSERT_NE(zeileMelder.find("Gr\xF6\xDF" "e \x80 \x81"), std::string::npos);

    const std::string gespeichert = TDatenStruktur().GetKopfZeile() + "\r\n#Norvik\r\n<Version>\r\nVersion=" +
                                    Ok + "\r\n</Version>\r\n<DB>\r\n" + zeileMelder + "\r\n" + zeileLeer +
                                    "\r\n</DB>\r\n<CompData>\r\n\x01\x02\xE4\r\n\r\n</CompData>\r\n";
    TContainerInhalt inhalt;
    ASSERT_TRUE(Lies(gespeichert, inhalt).Ok);
    ASSERT_EQ(inhalt.Datensaetze.size(), 2u);
    EXPECT_EQ(inhalt.Datensaetze[0], melder);
    EXPECT_EQ(inhalt.Datensaetze[1].Name, "\"\"") << "the empty name reads back as two quotes";
    EXPECT_EQ(inhalt.CompData, "\x01\x02\xE4\r\n");
    std::string geschrieben;
    ASSERT_TRUE(WriteContainer(Zeiger(inhalt.Datensaetze), inhalt.Version, inhalt.CompData, geschrieben).Ok);
    EXPECT_EQ(geschrieben, gespeichert);
}

TEST(DatenContainer, ReadsLinesEndedByLoneLfOrCr)
{
    const TDatenStruktur a = Datensatz(1, "A", 105, 0, 0);
    const TDatenStruktur b = Datensatz(2, "B", 6121, 1, 0);
    const std::string c = "#kopf\n<Version>\r\nVersion=" + Ok + "\n</Version>\n<DB>\n" + a.GetDatensatzZeile() +
                          "\r" + b.GetDatensatzZeile() + "\n\n# Kommentar\n</DB>\n";
    TContainerInhalt inhalt;
    ASSERT_TRUE(Lies(c, inhalt).Ok);
    EXPECT_EQ(inhalt.Datensaetze, (std::vector<TDatenStruktur>{a, b}));
    EXPECT_EQ(inhalt.CompData, "");
}

// A file whose line ends a text editor or a transfer made LF or CR alone reads as written.
TEST(DatenContainer, AContainerWithOtherLineEndsReadsAsWritten)
{
    const std::vector<TDatenStruktur> datensaetze = {Datensatz(1, "Zentrale", 105, 0, 1),
                                                     Datensatz(2, "Tür Küche", 6125, 1, 1)};
    const std::string c = Schreibe(datensaetze, "xy");
    for (const char* ende : {"\n", "\r"}) {
        SCOPED_TRACE(::testing::PrintToString(ende));
        std::string anders;
        for (std::size_t p = 0; p < c.size(); ++p)
            anders += c.compare(p, 2, "\r\n") == 0 ? (++p, ende) : std::string(1, c[p]);
        TContainerInhalt inhalt;
        ASSERT_TRUE(Lies(anders, inhalt).Ok);
        EXPECT_EQ(inhalt.Version, Ok);
        EXPECT_EQ(inhalt.Datensaetze, datensaetze);
        EXPECT_EQ(inhalt.CompData, "xy");
        std::vector<TDatenStruktur> ganz;
        EXPECT_TRUE(ReadGanzeDatensaetze(anders, ganz).Ok);
        EXPECT_EQ(ganz, datensaetze);
    }
}

// A file a text editor saved again as UTF-8 reads as the Windows-1252 file it was; one whose
// texts cannot be told or held is refused, never read garbled.
TEST(DatenContainer, AContainerSavedAsUtf8ReadsAsWrittenOrIsRefused)
{
    const std::vector<TDatenStruktur> datensaetze = {Datensatz(1, "Zentrale Größe €", 105, 0, 1),
                                                     Datensatz(2, "Tür Küche", 6125, 1, 1)};
    const std::string c = Schreibe(datensaetze, "");
    const std::string bom = "\xEF\xBB\xBF";
    std::string fremd = Cp1252ToUtf8(c);
    fremd.replace(fremd.find("Küche"), 6, "Küche ✓");
    const struct {
        const char* name;
        std::string container;
        std::string fehler; // empty: reads as written
    } faelle[] = {
        {"as written", c, ""},
        {"saved as UTF-8", Cp1252ToUtf8(c), ""},
        {"saved as UTF-8 with byte order mark", bom + Cp1252ToUtf8(c), ""},
        {"marked as UTF-8, but Windows-1252", bom + c,
         "Die Datei ist als UTF-8 gekennzeichnet, ihr Text ist aber kein gültiges UTF-8."},
        {"a character Windows-1252 lacks", fremd,
         "Die Datei enthält das Zeichen \"✓\", das nicht gespeichert werden kann."},
        {"texts that would read otherwise once stored",
         Cp1252ToUtf8(Schreibe({Datensatz(1, "KÃ¼che", 105, 0, 1)}, "")),
         "Die Texte der Datei würden nach dem Speichern anders gelesen."},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        TContainerInhalt inhalt;
        const TContainerStatus gelesen = Lies(f.container, inhalt);
        std::vector<TDatenStruktur> ganz;
        const TContainerStatus ganzGelesen = ReadGanzeDatensaetze(f.container, ganz);
        if (f.fehler.empty()) {
            EXPECT_TRUE(gelesen.Ok) << gelesen.Text;
            EXPECT_EQ(inhalt.Datensaetze, datensaetze);
            EXPECT_EQ(ganz, datensaetze);
        } else {
            EXPECT_EQ(gelesen.Text, "Fehler beim Lesen der Datei:0\n" + f.fehler);
            EXPECT_EQ(ganzGelesen.Text, f.fehler);
            EXPECT_TRUE(inhalt.Datensaetze.empty() && ganz.empty());
        }
    }
}

TEST(DatenContainer, VersionValue)
{
    struct Row {
        const char* name;
        std::string container;
        std::string wert;
    };
    const Row rows[] = {
        {"as written", "<Version>\r\nVersion=" + Ok + "\r\n</Version>", Ok},
        {"name in any case", "<Version>\r\nVERSION=a=b\r\n</Version>", "a=b"},
        {"other name", "<Version>\r\nVersio=x\r\n</Version>", ""},
        {"no section", "Version=x", ""},
        {"lone LF line ends", "<Version>\nVersion=x\n</Version>", "x"},
        {"lone CR line ends", "<Version>\rVersion=x\r</Version>", "x"},
        {"Windows-1252 bytes", "<Version>Version=\xE4</Version>", "\xC3\xA4"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(ReadVersionValue(row.container), row.wert);
    }
}

TEST(DatenContainer, ReadRefusesAndLoadsNothing)
{
    const TDatenStruktur a = Datensatz(1, "A", 105, 0, 0);
    const std::string kopf = "<Version>\r\nVersion=" + Ok + "\r\n</Version>\r\n<DB>\r\n" + a.GetDatensatzZeile() + "\r\n";

    TContainerInhalt inhalt;
    inhalt.Datensaetze.push_back(a);
    int gefragt = 0;
    auto zaehle = [&gefragt](const std::string&) { ++gefragt; return true; };

    // An empty container is fine and holds nothing.
    EXPECT_TRUE(ReadContainer("", "0", zaehle, inhalt).Ok);
    EXPECT_TRUE(inhalt.Datensaetze.empty());
    EXPECT_EQ(gefragt, 0);

    // "Version=" with nothing behind it: fails without a message and without asking.
    TContainerStatus s = ReadContainer("<Version>\r\nVersion=\r\n</Version>\r\n<DB>\r\n" + a.GetDatensatzZeile() +
                                           "\r\n</DB>",
                                       "0", zaehle, inhalt);
    EXPECT_FALSE(s.Ok);
    EXPECT_EQ(s.Text, "");
    EXPECT_EQ(gefragt, 0);
    EXPECT_TRUE(inhalt.Datensaetze.empty());

    // A refused version: nothing loaded, the checker has spoken.
    std::string gesehen;
    s = ReadContainer(kopf + "</DB>", "0", [&](const std::string& v) { gesehen = v; return false; }, inhalt);
    EXPECT_FALSE(s.Ok);
    EXPECT_EQ(s.Text, "");
    EXPECT_EQ(gesehen, Ok);
    EXPECT_TRUE(inhalt.Datensaetze.empty());

    // A record line the record type refuses: the whole load fails with the reader's message.
    std::string fillMeldung;
    try {
        TDatenStruktur().Fill("7,Kaputt,1");
    } catch (const E_DatenStruktur& e) {
        fillMeldung = e.Message();
    }
    ASSERT_FALSE(fillMeldung.empty());
    s = ReadContainer(kopf + "7,Kaputt,1\r\n</DB>", "0", zaehle, inhalt);
    EXPECT_FALSE(s.Ok);
    EXPECT_EQ(s.Text, "Fehler beim Lesen der Datei:0\n" + fillMeldung);
    EXPECT_EQ(s.Caption, "Fehler");
    EXPECT_TRUE(inhalt.Datensaetze.empty());
    EXPECT_TRUE(inhalt.Version.empty());
}

// A container cut short or patched: the loader refuses a section it would take for empty;
// a container that is to replace a configuration must be whole, every record line with its
// end value.
TEST(DatenContainer, AContainerNotWholeIsRefusedWithWhatItLacks)
{
    const std::string zeile = Datensatz(1, "A", 105, 0, 0).GetDatensatzZeile();
    const std::string version = "<Version>\r\nVersion=" + Ok + "\r\n</Version>\r\n";
    const std::string db = "<DB>\r\n" + zeile + "\r\n</DB>\r\n";
    const std::string compData = "<CompData>\r\nxy\r\n</CompData>\r\n";
    auto fehlt = [](const char* name) {
        return Spredit::Txt9218 + ": <" + name + "> </" + name + ">";
    };
    const struct {
        const char* name;
        std::string container;
        std::string ganz;  // the refusal of ReadGanzeDatensaetze; empty: read
        bool geladen;      // whether the loader reads it
    } faelle[] = {
        {"whole", version + db + compData, "", true},
        {"version without its end", "<Version>\r\nVersion=" + Ok + "\r\n" + db + compData, fehlt("Version"), false},
        {"DB without its end", version + "<DB>\r\n" + zeile + "\r\n", fehlt("DB"), false},
        {"no DB", version + compData, fehlt("DB"), true},
        {"no CompData", version + db, fehlt("CompData"), true},
        {"CompData without its end", version + db + "<CompData>\r\nxy", fehlt("CompData"), false},
        {"record line without its end value",
         version + "<DB>\r\n" + zeile.substr(0, zeile.size() - 2) + "\r\n</DB>\r\n" + compData,
         Spredit::Txt9219 + "\nHandle: 1", true},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        std::vector<TDatenStruktur> datensaetze;
        const TContainerStatus ganz = ReadGanzeDatensaetze(f.container, datensaetze);
        EXPECT_EQ(ganz.Ok, f.ganz.empty());
        EXPECT_EQ(ganz.Text, f.ganz);
        EXPECT_EQ(datensaetze.size(), f.ganz.empty() ? 1u : 0u);
        TContainerInhalt inhalt;
        EXPECT_EQ(Lies(f.container, inhalt).Ok, f.geladen);
    }
}

TEST(DatenContainer, WriterRefusesWhatCouldNotBeReadBack)
{
    struct Row {
        const char* name;
        TDatenStruktur datensatz;
        std::string compData;
        std::string meldung;
    };
    TDatenStruktur mitTag = Datensatz(4, "a</DB>b", 6125, 1, 1);
    TDatenStruktur mitCompData = Datensatz(5, "x", 6125, 1, 1);
    mitCompData.String3 = "<CompData>";
    TDatenStruktur rubel = Datensatz(6, "Preis ₽", 6125, 1, 1);
    const Row rows[] = {
        {"close tag of DB in a name", mitTag, "",
         "Der Datensatz 4 (\"a</DB>b\") enthält die Zeichenfolge \"</DB>\" und kann so nicht gespeichert werden."},
        {"CompData tag in a text", mitCompData, "",
         "Der Datensatz 5 (\"x\") enthält die Zeichenfolge \"<CompData>\" und kann so nicht gespeichert werden."},
        {"character outside Windows-1252", rubel, "", "Der Datensatz 6 (\"Preis ₽\") kann nicht gespeichert werden: "},
        {"CompData holding its close tag", Datensatz(7, "y", 1, 1, 1), "ab</CompData>cd",
         "Die Zusatzdaten (CompData) enthalten die Zeichenfolge \"</CompData>\" und können so nicht gespeichert werden."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::string container = "unverändert";
        const TDatenStruktur* zeiger[] = {&row.datensatz};
        TContainerStatus s = WriteContainer(zeiger, Ok, row.compData, container);
        EXPECT_FALSE(s.Ok);
        EXPECT_EQ(s.Text.substr(0, row.meldung.size()), row.meldung);
        EXPECT_EQ(s.Caption, "Fehler");
        EXPECT_EQ(container, "unverändert");
    }
}

} // namespace
