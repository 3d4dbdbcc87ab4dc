// The alarm centre's event memory and clock over the bus, against a memory image in a project
// store made by the test. The bus calls go through a recorder that can fail a chosen call of
// every attempt.

#include "DevInstAzUmgebung.h"

#include "miraval/devinst/DevInstAz_p.h"
#include "platform/kestrin/EtsTestProject.h"
#include "support/Zeilenname.h"
#include "tessarin/AzMelder.h"
#include "tessarin/AzSystem.h"
#include "vcl/StringList.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

// The test project's centre "AZ 1" answers at 01.02.003.
constexpr uint16_t kBusAdresse = 0x1203;
constexpr int kBildGroesse = 0xC000;
constexpr uint16_t kUhr = 0xBE00;
constexpr uint16_t kZeit = 0x4790;
constexpr uint16_t kDatum = 0x4794;
constexpr uint16_t kFlags = 0x4400;
constexpr uint16_t kA = 0xA332;
constexpr uint16_t kB = 0xB954;

std::string Hex(uint32_t wert)
{
    char text[16];
    std::snprintf(text, sizeof text, "%X", wert);
    return text;
}

// Forwards to the project store's bus and records every call; the call with the index
// `fehler` (counted from 0 in each attempt, an attempt beginning with EibSetAddress) fails.
class TBusProtokoll : public TDeviceInstanzAz::TBus {
public:
    explicit TBusProtokoll(TEts2Cdi& ets) : m_ets(ets) {}

    int EibSetAddress(int mode, uint16_t adresse) override
    {
        m_index = 0;
        return Ergebnis("SetAddress " + std::to_string(mode) + " " + Hex(adresse), m_ets.EibSetAddress(mode, adresse));
    }
    int EibStartComm() override { return Ergebnis("StartComm", m_ets.EibStartComm()); }
    int EibReadMemBlock(std::span<uint8_t> puffer, uint16_t erste, uint16_t nochmals, uint16_t ende) override
    {
        return Ergebnis("Read " + Hex(erste) + " " + Hex(nochmals) + " " + Hex(ende) + " [" +
                            std::to_string(puffer.size()) + "]",
                        Faellt() ? 9 : m_ets.EibReadMemBlock(puffer, erste, nochmals, ende), false);
    }
    int EibWriteMemBlock(std::span<const uint8_t> daten, uint16_t erste, uint16_t nochmals, uint16_t ende,
                         std::span<const uint8_t> maske) override
    {
        std::string bytes;
        for (const uint8_t b : daten)
            bytes += " " + Hex(b);
        return Ergebnis("Write " + Hex(erste) + " " + Hex(nochmals) + " " + Hex(ende) + " [" + bytes.substr(1) +
                            "] mask " + std::to_string(maske.size()),
                        Faellt() ? 9 : m_ets.EibWriteMemBlock(daten, erste, nochmals, ende, maske), false);
    }
    int EibStopComm() override
    {
        aufrufe.push_back("StopComm");
        return m_ets.EibStopComm();
    }

    int fehler = -1;
    std::vector<std::string> aufrufe;

private:
    // A block call checks before it reads or writes, so that a failure changes nothing.
    bool Faellt() const { return m_index == fehler; }
    int Ergebnis(std::string aufruf, int ergebnis, bool pruefen = true)
    {
        aufrufe.push_back(std::move(aufruf));
        if (pruefen && m_index == fehler)
            ergebnis = 9;
        ++m_index;
        return ergebnis;
    }

    TEts2Cdi& m_ets;
    int m_index = 0;
};

struct DevInstAzBus : ::testing::Test {
    DevInstAzBus()
    {
        bild.assign(kBildGroesse, 0xFF);
        Setze(0xBEB8, {0xBE, 0x00});
        Setze(0x477B, {0x47, 0x90});
        Setze(0x477F, {0x47, 0x94});
        Setze(0x43FD, {0x44, 0x00});
        // 14:35:20, 24.05.(unused byte)26
        Setze(kUhr, {14, 35, 20, 24, 5, 0xEE, 26});
        u.inst.SetBus(&bus);
        u.inst.SetUhr([] {
            std::tm t{};
            t.tm_year = 2026 - 1900;
            t.tm_mon = 11;
            t.tm_mday = 7;
            t.tm_hour = 23;
            t.tm_min = 45;
            t.tm_sec = 10;
            return t;
        });
        EXPECT_TRUE(u.inst.CreateNewDevice(u.host.GetHandle()));
        // Known texts: detector 1, the wired input (number 0) and arming areas 1 and 2.
        Umbenennen(u.inst.GetPointerInstMelder(1), "Tür Ost");
        Umbenennen(u.inst.GetPointerVerdrahteterMelder(), "Draht");
        Umbenennen(u.inst.GetPointerInstScharfschaltBereich(AzTyp::ScharfschaltBereich1), "Haus");
        Umbenennen(u.inst.GetPointerInstScharfschaltBereich(AzTyp::ScharfschaltBereich1 + 1), "Garage");
        u.host.calls.clear();
    }

    void Umbenennen(TDataBasis* node, const std::string& text)
    {
        ASSERT_NE(node, nullptr);
        TDatenStruktur* satz = u.inst.GetDatenSatz(node);
        satz->String4 = text;
        node->InitFromDB(*satz);
    }
    void Setze(int adresse, std::vector<uint8_t> bytes)
    {
        std::copy(bytes.begin(), bytes.end(), bild.begin() + adresse);
    }
    void Ereignis(uint16_t bereich, int index, std::vector<uint8_t> satz) { Setze(bereich + 8 * index, std::move(satz)); }
    void Speichern()
    {
        std::string hex;
        for (const uint8_t b : bild) {
            char z[3];
            std::snprintf(z, sizeof z, "%02X", b);
            hex += z;
        }
        project.Sql("DELETE FROM bus_image; INSERT INTO bus_image VALUES (" + std::to_string(kBusAdresse) + ", X'" +
                    hex + "');");
    }
    // The device's memory as the store holds it now.
    std::vector<uint8_t> Gelesen(uint16_t adresse, std::size_t anzahl)
    {
        std::vector<uint8_t> bytes(anzahl);
        EXPECT_EQ(project.ets.EibSetAddress(1, kBusAdresse), 0);
        EXPECT_EQ(project.ets.EibStartComm(), 0);
        EXPECT_EQ(project.ets.EibReadMemBlock(bytes, adresse, adresse, static_cast<uint16_t>(adresse + anzahl - 1)), 0);
        project.ets.EibStopComm();
        return bytes;
    }
    std::vector<std::string> Auslesen()
    {
        Speichern();
        EXPECT_FALSE(u.inst.EreignisspeicherAuslesen());
        return u.host.dlgEreignisse;
    }

    TEtsTestProject project;
    TAzUmgebung u{&project.ets};
    TBusProtokoll bus{project.ets};
    std::vector<uint8_t> bild;
};

std::string Zeile(const std::vector<std::string>& felder)
{
    TStringList liste;
    for (const std::string& f : felder)
        liste.Add(f);
    return liste.CommaText();
}

// ---- Decoding ------------------------------------------------------------------------------------

struct TArt {
    const char* name;
    bool bereichB;
    uint8_t art;  // byte 6
    uint8_t code; // byte 7
    const char* ereignis;
    const char* teilnehmer;
};

class DevInstAzEreignisArt : public DevInstAzBus, public ::testing::WithParamInterface<TArt> {};

TEST_P(DevInstAzEreignisArt, DecodesKindAndParticipant)
{
    const TArt& a = GetParam();
    Ereignis(a.bereichB ? kB : kA, 0, {3, 5, 26, 8, 15, 0, a.art, a.code});
    const std::string bereich = a.bereichB ? "Feuermelder" : "Haus";
    EXPECT_EQ(Auslesen(), (std::vector<std::string>{Zeile({"1", bereich, a.ereignis, a.teilnehmer, "03.05.26", "08:15:00"})}));
}

INSTANTIATE_TEST_SUITE_P(
    Arten, DevInstAzEreignisArt,
    ::testing::Values(TArt{"Delayed", false, 1, 0, "Verzögerter Melder geöffnet", "Tür Ost"},
                      TArt{"Immediate", false, 2, 0, "Sofort Melder geöffnet", "Tür Ost"},
                      TArt{"Sabotage", false, 3, 0, "Sabotage Melder geöffnet", "Tür Ost"},
                      TArt{"SabotageSe", false, 4, 0, "Sabotage SE Melder geöffnet", "Tür Ost"},
                      TArt{"Smoke", true, 5, 0, "Störung Rauchmelder", "Tür Ost"},
                      TArt{"Lock", false, 6, 0, "Verschluß geöffnet", "Tür Ost"},
                      TArt{"Missing", false, 7, 0, "Melder fehlt", "Tür Ost"},
                      TArt{"Code255NamesDetector0", false, 1, 255, "Verzögerter Melder geöffnet", "Draht"},
                      TArt{"NoSuchDetector", false, 2, 100, "Sofort Melder geöffnet", ""},
                      TArt{"ArmedSsb1", false, 8, 0, "Scharf geschaltet", "Scharfschalt-Eingang SSB 1"},
                      TArt{"DisarmedSsb4", false, 9, 3, "Unscharf geschaltet", "Scharfschalt-Eingang SSB 4"},
                      TArt{"AlarmReset", false, 9, 7, "Unscharf geschaltet", "Alarm-Reset"},
                      TArt{"UnknownSubCode", false, 8, 4, "Scharf geschaltet", ""},
                      TArt{"HighBitsIgnored", false, 0x88, 1, "Scharf geschaltet", "Scharfschalt-Eingang SSB 2"},
                      TArt{"AreaBArmingInputUnknown", true, 8, 0, "Scharf geschaltet", ""},
                      TArt{"AreaBAlarmReset", true, 8, 7, "Scharf geschaltet", "Alarm-Reset"},
                      TArt{"Supervision", false, 10, 0, "Funktionsüberwachung fehlt", " "},
                      TArt{"Overload", false, 11, 0, "Überlast externe Alarmgeber", " "},
                      TArt{"TransmissionUnit", false, 12, 0, "Ausfall Übertragungsgerät (ÜG)", " "},
                      TArt{"Mains", false, 13, 0, "Netzausfall", " "},
                      TArt{"Battery", false, 14, 0, "Akku Störung", " "},
                      TArt{"Programming", false, 15, 0, "Programmierversuch", " "},
                      TArt{"ArmingRequest", false, 16, 0, "Scharf-/Unscharf Wunsch nicht Ok", " "},
                      TArt{"InternalSabotage", false, 17, 0, "Interne Sabotage", " "},
                      TArt{"ExternalSabotage", false, 18, 0, "Externe Sabotage", " "},
                      TArt{"Alarm", false, 0x40 | 19, 0, "Alarm", " "},
                      TArt{"BusReturn", false, 20, 0, "Buswiederkehr", " "},
                      TArt{"Kind0", false, 0, 0, "Unbekanntes Ereignis", " "},
                      TArt{"Kind21", false, 21, 0, "Unbekanntes Ereignis", " "}),
    TZeilenName());

TEST_F(DevInstAzBus, RowsGroupedByAreaAndSortedWithinEach)
{
    // Area A with depth 160: records below 160 are SSB 1 ("Haus"), from 160 on SSB 2 ("Garage").
    Ereignis(kA, 0, {5, 5, 26, 10, 0, 0, 13, 0});     // 1: latest of SSB 1
    Ereignis(kA, 1, {4, 5, 26, 9, 0, 0, 19, 0});      // 2 a
    Ereignis(kA, 2, {4, 5, 26, 9, 0, 0, 17, 0});      // 3 b, same stamp as a
    Ereignis(kA, 3, {4, 5, 26, 9, 0, 0, 18, 0});      // 4 c, same stamp
    Ereignis(kA, 4, {32, 13, 100, 24, 0, 0, 14, 0}); // 5: invalid date and time sort first
    Ereignis(kA, 159, {1, 1, 25, 0, 0, 0, 15, 0});   // 6: a year earlier
    Ereignis(kA, 160, {2, 5, 26, 7, 0, 0, 8, 1});    // 7: SSB 2
    Ereignis(kB, 2, {9, 5, 26, 7, 0, 0, 5, 0});      // 8: fire
    Ereignis(kB, 41, {1, 5, 26, 7, 0, 0, 2, 0});     // 9: hold-up
    EXPECT_EQ(Auslesen(),
              (std::vector<std::string>{
                  Zeile({"5", "Haus", "Akku Störung", " ", "00.00.00", "00:00:00"}),
                  Zeile({"6", "Haus", "Programmierversuch", " ", "01.01.25", "00:00:00"}),
                  Zeile({"2", "Haus", "Alarm", " ", "04.05.26", "09:00:00"}),
                  Zeile({"4", "Haus", "Externe Sabotage", " ", "04.05.26", "09:00:00"}),
                  Zeile({"3", "Haus", "Interne Sabotage", " ", "04.05.26", "09:00:00"}),
                  Zeile({"1", "Haus", "Netzausfall", " ", "05.05.26", "10:00:00"}),
                  Zeile({"7", "Garage", "Scharf geschaltet", "Scharfschalt-Eingang SSB 2", "02.05.26", "07:00:00"}),
                  Zeile({"8", "Feuermelder", "Störung Rauchmelder", "Tür Ost", "09.05.26", "07:00:00"}),
                  Zeile({"9", "Überfallmelder", "Sofort Melder geöffnet", "Tür Ost", "01.05.26", "07:00:00"}),
              }));
}

TEST_F(DevInstAzBus, WithoutArmingAreasRowsStayInReadingOrderAtTheTop)
{
    auto* system = u.inst.GetPointerInstAzSystem();
    ASSERT_NE(system, nullptr);
    for (const uint32_t variante : {0x00000000u, 0x12345678u}) {
        SCOPED_TRACE(variante);
        system->SetParamVarianteAz(variante);
        Ereignis(kA, 0, {5, 5, 26, 10, 0, 0, 13, 0});
        Ereignis(kA, 200, {1, 5, 26, 10, 0, 0, 14, 0});
        Ereignis(kB, 0, {1, 1, 26, 10, 0, 0, 13, 0});
        EXPECT_EQ(Auslesen(), (std::vector<std::string>{
                                  Zeile({"1", " ", "Netzausfall", " ", "05.05.26", "10:00:00"}),
                                  Zeile({"2", " ", "Akku Störung", " ", "01.05.26", "10:00:00"}),
                                  Zeile({"3", "Feuermelder", "Netzausfall", " ", "01.01.26", "10:00:00"}),
                              }));
    }
}

TEST_F(DevInstAzBus, EmptyMemoryOpensAnEmptyWindowAfterExactlyTheseReads)
{
    EXPECT_TRUE(Auslesen().empty());
    EXPECT_EQ(u.host.calls, (std::vector<std::string>{"ShowDlgInfoEreignisspeicher", "CloseDlgInfoEreignisspeicher",
                                                     "DlgEreignisspeicher"}));
    EXPECT_EQ(u.host.dlgKoepfe, (std::vector<std::string>{"Projekt: Haus, Gerät: AZ 1[01.02.003]", "AZ 1[01.02.003]",
                                                         "07.12.26 / 23:45:10 Uhr", "24.05.26 / 14:35:20 Uhr"}));
    EXPECT_EQ(u.boxen.Count(), 0u);
    // Pointer cells of 2 bytes, clock fields of 4, the areas in blocks of 255 into 2560 and 640
    // bytes: the last block of area A names one byte more than its buffer has room for.
    std::vector<std::string> erwartet{"SetAddress 1 1203", "StartComm", "Read BEB8 BEB8 BEBA [2]",
                                      "Read BE03 BE03 BE06 [4]", "Read BE00 BE00 BE03 [4]"};
    for (int i = 0; i < 10; ++i) {
        const int start = kA + 255 * i;
        erwartet.push_back("Read " + Hex(start) + " " + Hex(start) + " " + Hex(start + 254) + " [" +
                           std::to_string(2560 - 255 * i) + "]");
    }
    erwartet.push_back("Read AD28 AD28 AD32 [10]");
    erwartet.push_back("Read B954 B954 BA52 [640]");
    erwartet.push_back("Read BA53 BA53 BB51 [385]");
    erwartet.push_back("Read BB52 BB52 BBD3 [130]");
    erwartet.push_back("StopComm");
    EXPECT_EQ(bus.aufrufe, erwartet);
}

// ---- Read failures ---------------------------------------------------------------------------------

struct TLeseFehler {
    const char* name;
    int aufruf; // index of the failing call in each attempt
    const char* text;
};

class DevInstAzLeseFehler : public DevInstAzBus, public ::testing::WithParamInterface<TLeseFehler> {};

TEST_P(DevInstAzLeseFehler, ThreeAttemptsEachClosedThenTheMessage)
{
    bus.fehler = GetParam().aufruf;
    Ereignis(kA, 0, {5, 5, 26, 10, 0, 0, 13, 0});
    Speichern();
    EXPECT_FALSE(u.inst.EreignisspeicherAuslesen());
    // Each attempt ends at its failed call, then closes its connection.
    const int proVersuch = GetParam().aufruf + 2;
    ASSERT_EQ(bus.aufrufe.size(), static_cast<std::size_t>(3 * proVersuch));
    for (int v = 0; v < 3; ++v) {
        EXPECT_EQ(bus.aufrufe[static_cast<std::size_t>(v * proVersuch)], "SetAddress 1 1203");
        EXPECT_EQ(bus.aufrufe[static_cast<std::size_t>(v * proVersuch + proVersuch - 1)], "StopComm");
    }
    ASSERT_EQ(u.boxen.Count(), 1u);
    EXPECT_EQ(u.boxen.Shown()[0].text, GetParam().text);
    EXPECT_EQ(u.boxen.Shown()[0].caption, "Ereignisspeicher auslesen");
    EXPECT_EQ(u.boxen.Shown()[0].flags, static_cast<UINT>(MB_OK));
    EXPECT_EQ(u.host.calls, (std::vector<std::string>{"ShowDlgInfoEreignisspeicher", "CloseDlgInfoEreignisspeicher"}));
}

const char* const kVerbindung =
    "Beim Auslesen des Ereignisspeichers ist ein Fehler aufgetreten. Dies\n\rkann die folgenden Ursachen haben:\n\r- "
    "Das Plug-In wurde nicht in der Inbetriebnahme gestartet.\n\r- Die Verbindung zum EIB ist gestört.\n\r- Das Gerät "
    "ist am EIB nicht vorhanden.";
const char* const kLesen = "Fehler beim auslesen des Ereignisspeichers";

INSTANTIATE_TEST_SUITE_P(Schritte, DevInstAzLeseFehler,
                         ::testing::Values(TLeseFehler{"Address", 0, kVerbindung},
                                           TLeseFehler{"Connection", 1, kVerbindung},
                                           TLeseFehler{"ClockPointer", 2, kLesen}, TLeseFehler{"Date", 3, kLesen},
                                           TLeseFehler{"Time", 4, kLesen}, TLeseFehler{"AreaAFirstBlock", 5, kLesen},
                                           TLeseFehler{"AreaALastBlock", 15, kLesen},
                                           TLeseFehler{"AreaBLastBlock", 18, kLesen}),
                         TZeilenName());

// ---- Clock -----------------------------------------------------------------------------------------

TEST_F(DevInstAzBus, ClockWriteProgramsExactlyTheTimeDateAndFlagBytes)
{
    Speichern();
    const std::vector<uint8_t> vorher = Gelesen(0, kBildGroesse);
    EXPECT_TRUE(u.inst.DownloadAzHwDateTime());
    EXPECT_EQ(bus.aufrufe, (std::vector<std::string>{"SetAddress 1 1203", "StartComm", "Read 477B 477B 477D [2]",
                                                    "Read 477F 477F 4781 [2]", "Read 43FD 43FD 43FF [2]",
                                                    "Write 4790 4790 4793 [17 2D A] mask 3",
                                                    "Write 44DF 44DF 44DF [10] mask 1",
                                                    "Write 4794 4794 4797 [7 C 1A] mask 3",
                                                    "Write 44E0 44E0 44E0 [10] mask 1", "StopComm"}));
    std::vector<uint8_t> erwartet = vorher;
    for (const auto& [adresse, wert] : std::vector<std::pair<int, uint8_t>>{
             {kZeit, 23}, {kZeit + 1, 45}, {kZeit + 2, 10}, {kDatum, 7}, {kDatum + 1, 12}, {kDatum + 2, 26},
             {kFlags + 223, 0x10}, {kFlags + 224, 0x10}})
        erwartet[static_cast<std::size_t>(adresse)] = wert;
    EXPECT_EQ(Gelesen(0, kBildGroesse), erwartet);
    ASSERT_EQ(u.boxen.Count(), 1u);
    EXPECT_EQ(u.boxen.Shown()[0].text, "Datum und Uhrzeit wurden erfolgreich programmiert.");
    EXPECT_EQ(u.boxen.Shown()[0].caption, "Datum/Uhrzeit programmieren");
}

struct TSchreibFehler {
    const char* name;
    int aufruf;
    bool zeitGeschrieben; // the time write came before the failure
};

class DevInstAzSchreibFehler : public DevInstAzBus, public ::testing::WithParamInterface<TSchreibFehler> {};

TEST_P(DevInstAzSchreibFehler, AnAttemptStopsAtItsFirstFailure)
{
    bus.fehler = GetParam().aufruf;
    Speichern();
    EXPECT_FALSE(u.inst.DownloadAzHwDateTime());
    const int proVersuch = GetParam().aufruf + 2;
    ASSERT_EQ(bus.aufrufe.size(), static_cast<std::size_t>(3 * proVersuch));
    for (int v = 0; v < 3; ++v)
        EXPECT_EQ(bus.aufrufe[static_cast<std::size_t>(v * proVersuch + proVersuch - 1)], "StopComm");
    EXPECT_EQ(Gelesen(kZeit, 3), GetParam().zeitGeschrieben ? (std::vector<uint8_t>{23, 45, 10})
                                                             : (std::vector<uint8_t>{0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(Gelesen(kDatum, 3), (std::vector<uint8_t>{0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(Gelesen(kFlags + 224, 1), (std::vector<uint8_t>{0xFF}));
    ASSERT_EQ(u.boxen.Count(), 1u);
    EXPECT_EQ(u.boxen.Shown()[0].text.substr(0, 48), "Fehler beim Programmieren von Datum und Uhrzeit.");
    EXPECT_EQ(u.boxen.Shown()[0].caption, "Datum/Uhrzeit programmieren");
}

INSTANTIATE_TEST_SUITE_P(Schritte, DevInstAzSchreibFehler,
                         ::testing::Values(TSchreibFehler{"Address", 0, false}, TSchreibFehler{"Connection", 1, false},
                                           TSchreibFehler{"TimePointer", 2, false}, TSchreibFehler{"DatePointer", 3, false},
                                           TSchreibFehler{"FlagPointer", 4, false}, TSchreibFehler{"TimeWrite", 5, false},
                                           TSchreibFehler{"DateWrite", 7, true}),
                         TZeilenName());

// ---- Addresses -------------------------------------------------------------------------------------

TEST(DevInstAzAdresse, TextToWordIsDecimalAndRefusesPartsOutOfRange)
{
    const std::pair<const char*, uint16_t> faelle[] = {
        {"1.2.3", 0x1203},     {"01.02.003", 0x1203}, {"08.09.010", 0x890A}, {"15.15.255", 0xFFFF},
        {"16.0.1", 0},         {"1.16.1", 0},         {"1.1.256", 0},        {"1.x.3", 0},
        {"1.2", 0},            {"", 0},               {"-1.2.3", 0},         {"1.2.3.", 0},
    };
    for (const auto& [text, wort] : faelle)
        EXPECT_EQ(TDeviceInstanzAz::MergeGrpAdrStringToWord(text), wort) << text;
}

TEST(DevInstAzHilfen, SwapWordExistenceAndAppendOfRows)
{
    const std::pair<uint16_t, uint16_t> worte[] = {{0x1234, 0x3412}, {0x00FF, 0xFF00}, {0xBEB8, 0xB8BE}, {0, 0}};
    for (const auto& [wort, getauscht] : worte)
        EXPECT_EQ(TDeviceInstanzAz::SwapWord(wort), getauscht) << Hex(wort);

    std::array<uint8_t, 8> satz;
    satz.fill(0xFF);
    EXPECT_FALSE(TDeviceInstanzAz::CheckEreignisExist(satz));
    for (std::size_t i = 0; i < satz.size(); ++i) {
        std::array<uint8_t, 8> einer = satz;
        einer[i] = 0xFE;
        EXPECT_TRUE(TDeviceInstanzAz::CheckEreignisExist(einer)) << i;
    }

    TStringList ziel;
    ziel.Add("a");
    TStringList quelle;
    quelle.Add("b");
    quelle.Add("c,d");
    EXPECT_TRUE(TDeviceInstanzAz::AddEreignisse(ziel, quelle));
    EXPECT_EQ(ziel.CommaText(), "a,b,\"c,d\"");
}

TEST_F(DevInstAzBus, AnAddressConvertingToZeroEndsBothSilently)
{
    project.Sql("UPDATE area SET number = 0 WHERE id = 1; UPDATE line SET number = 0 WHERE id = 1;"
                "UPDATE device SET number = 0 WHERE id = 1;");
    Speichern();
    EXPECT_FALSE(u.inst.EreignisspeicherAuslesen());
    EXPECT_FALSE(u.inst.DownloadAzHwDateTime());
    EXPECT_TRUE(bus.aufrufe.empty());
    EXPECT_EQ(u.boxen.Count(), 0u);
    EXPECT_TRUE(u.host.calls.empty());
}

} // namespace
