// TDeviceInstanzAz: the event memory and the clock of the alarm centre, read and written in the
// device's own memory over the bus.
//
// Device memory (16-bit addresses; pointers stored high byte first):
//   0xBEB8  pointer P to the clock: P hour, P+1 minute, P+2 second, P+3 day, P+4 month,
//           P+6 year (two digits); P+5 is not used
//   0xA332  event area A: 320 records of 8 bytes (the arming areas)
//   0xB954  event area B: 80 records, 0-39 the fire detectors, 40-79 the hold-up detectors
//   0x477B, 0x477F, 0x43FD  pointers to the time to set, the date to set, the flag base B;
//           a 0x10 at B+223 and B+224 makes the device take the new time and date
// An event record: day, month, year, hour, minute, second, kind (bits 0-5), detector number
// - 1 or the sub-code of an arming event; all eight bytes 0xFF is an empty record.
//
// The bus calls take the caller's buffer and never read or write beyond it: each call is
// handed exactly the bytes it may fill or change, whatever the end address says.

#include "miraval/devinst/DevInstAz.h"

#include "miraval/devinst/DevInstAz_p.h"
#include "miraval/devinst/EditorHost.h"
#include "kestrin/Ets2Cdi.h"
#include "quillon/CursorHourGlass.h"
#include "tamsel/Tamsel.h"
#include "tessarin/AzMelder.h"
#include "tessarin/AzScharfschaltBereich.h"
#include "tessarin/AzSystem.h"
#include "tessarin/SprAz.h"
#include "vcl/StringList.h"
#include "win32/MessageBox.h"

#include <array>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <optional>
#include <span>
#include <thread>
#include <vector>

namespace {

constexpr int kVersuche = 3;
constexpr auto kPause = std::chrono::milliseconds(5);
constexpr int kSatzLaenge = 8;
constexpr int kSaetzeA = 320;
constexpr int kSaetzeB = 80;
constexpr int kSaetzeFeuer = 40; // area B: the fire detectors first, then the hold-up ones

constexpr uint16_t kZeigerUhr = 0xBEB8;
constexpr uint16_t kBereichAAnfang = 0xA332;
constexpr uint16_t kBereichAEnde = 0xAD32;
constexpr uint16_t kBereichBAnfang = 0xB954;
constexpr uint16_t kBereichBEnde = 0xBBD3;
constexpr uint16_t kZeigerZeit = 0x477B;
constexpr uint16_t kZeigerDatum = 0x477F;
constexpr uint16_t kZeigerFlags = 0x43FD;
constexpr int kFlagZeit = 223;
constexpr int kFlagDatum = 224;
constexpr uint8_t kFlagSetzen = 0x10;
// A block read carries at most this many bytes.
constexpr int kBlock = 255;

// Attempt states: what failed last.
constexpr int kOk = 0;
constexpr int kKeineVerbindung = 1;
constexpr int kAdresseAbgelehnt = 3;
constexpr int kLesefehler = 4;
constexpr int kSchreibfehler = 5;

using TSatz = std::array<uint8_t, kSatzLaenge>;

// A decimal number of digits only; nullopt for anything else.
std::optional<int> Zahl(std::string_view text)
{
    int wert = 0;
    if (text.empty() || text.size() > 9)
        return std::nullopt;
    const auto [ende, fehler] = std::from_chars(text.data(), text.data() + text.size(), wert);
    if (fehler != std::errc() || ende != text.data() + text.size() || text.front() == '-' || text.front() == '+')
        return std::nullopt;
    return wert;
}

// The three parts of "a<sep>b<sep>c", read from the right: the last part, the one before, and
// the whole rest as the first.
std::optional<std::array<int, 3>> DreiTeile(const std::string& text, char trenner)
{
    const std::size_t zweiter = text.rfind(trenner);
    if (zweiter == std::string::npos)
        return std::nullopt;
    const std::size_t erster = zweiter == 0 ? std::string::npos : text.rfind(trenner, zweiter - 1);
    if (erster == std::string::npos)
        return std::nullopt;
    const std::string_view t(text);
    const auto a = Zahl(t.substr(0, erster));
    const auto b = Zahl(t.substr(erster + 1, zweiter - erster - 1));
    const auto c = Zahl(t.substr(zweiter + 1));
    if (!a || !b || !c)
        return std::nullopt;
    return std::array<int, 3>{*a, *b, *c};
}

int Ordnung(const std::array<int, 3>& a, const std::array<int, 3>& b)
{
    if (a < b)
        return 1;
    return a == b ? 0 : 2;
}

std::string Zwei(int wert)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02d", wert);
    return text;
}

// The field of a row's comma text; empty when the row has fewer fields.
std::string Feld(const std::string& zeile, int index)
{
    TStringList felder;
    felder.SetCommaText(zeile);
    return index < felder.Count() ? felder[index] : std::string();
}

// A 16-bit pointer of the device, high byte first.
bool LiesZeiger(TDeviceInstanzAz::TBus& ets, uint16_t adresse, uint16_t& zeiger)
{
    std::array<uint8_t, 2> zelle{};
    if (ets.EibReadMemBlock(zelle, adresse, adresse, static_cast<uint16_t>(adresse + 2)) != 0)
        return false;
    // The cell as the PC reads a 16-bit word (low byte first), then turned round.
    zeiger = TDeviceInstanzAz::SwapWord(static_cast<uint16_t>(zelle[0] | zelle[1] << 8));
    return true;
}

// One event area, block by block; the blocks' end addresses are inclusive. The buffer takes
// what fits; the area's last block may name one byte more than the buffer holds.
bool LiesBereich(TDeviceInstanzAz::TBus& ets, std::span<uint8_t> puffer, uint16_t erste, uint16_t letzte)
{
    uint32_t start = erste;
    uint32_t ende = erste + kBlock - 1;
    std::size_t position = 0;
    while (start <= letzte) {
        const std::span<uint8_t> rest = position < puffer.size() ? puffer.subspan(position) : std::span<uint8_t>();
        if (ets.EibReadMemBlock(rest, static_cast<uint16_t>(start), static_cast<uint16_t>(start),
                                static_cast<uint16_t>(ende)) != 0)
            return false;
        position += ende + 1 - start;
        start = ende + 1;
        ende = std::min<uint32_t>(start + kBlock - 1, letzte);
    }
    return true;
}

bool Schreibe(TDeviceInstanzAz::TBus& ets, std::span<const uint8_t> daten, uint16_t adresse)
{
    static constexpr std::array<uint8_t, 3> kMaske{0xFF, 0xFF, 0xFF};
    return ets.EibWriteMemBlock(daten, adresse, adresse, static_cast<uint16_t>(adresse + daten.size()),
                                std::span<const uint8_t>(kMaske).first(daten.size())) == 0;
}

void SchreibeFlag(TDeviceInstanzAz::TBus& ets, uint16_t adresse)
{
    static constexpr std::array<uint8_t, 1> kFlag{kFlagSetzen};
    static constexpr std::array<uint8_t, 1> kMaske{0xFF};
    // The device answers the flag writes inconsistently; their result is not looked at.
    (void)ets.EibWriteMemBlock(kFlag, adresse, adresse, adresse, kMaske);
}

// What one read-out attempt brings.
struct TAuslesung {
    std::array<uint8_t, 4> datum{}; // P+3 .. P+6
    std::array<uint8_t, 4> zeit{};  // P .. P+3
    std::vector<uint8_t> bereichA = std::vector<uint8_t>(kSaetzeA * kSatzLaenge);
    std::vector<uint8_t> bereichB = std::vector<uint8_t>(kSaetzeB * kSatzLaenge);
};

int LeseVersuch(TDeviceInstanzAz::TBus& ets, uint16_t busAdresse, TAuslesung& aus)
{
    int zustand = kOk;
    uint16_t uhr = 0;
    if (ets.EibSetAddress(1, busAdresse) != 0)
        zustand = kAdresseAbgelehnt;
    else if (ets.EibStartComm() != 0)
        zustand = kKeineVerbindung;
    else if (!LiesZeiger(ets, kZeigerUhr, uhr))
        zustand = kLesefehler;
    else if (uhr > 0xFFFF - 6 ||
             ets.EibReadMemBlock(aus.datum, static_cast<uint16_t>(uhr + 3), static_cast<uint16_t>(uhr + 3),
                                 static_cast<uint16_t>(uhr + 6)) != 0 ||
             ets.EibReadMemBlock(aus.zeit, uhr, uhr, static_cast<uint16_t>(uhr + 3)) != 0)
        zustand = kLesefehler;
    else if (!LiesBereich(ets, aus.bereichA, kBereichAAnfang, kBereichAEnde) ||
             !LiesBereich(ets, aus.bereichB, kBereichBAnfang, kBereichBEnde))
        zustand = kLesefehler;
    ets.EibStopComm();
    return zustand;
}

// An attempt ends at its first failed step: a time or date must never go to a pointer that
// was not read.
int SchreibVersuch(TDeviceInstanzAz::TBus& ets, uint16_t busAdresse, const std::array<uint8_t, 3>& zeit,
                   const std::array<uint8_t, 3>& datum)
{
    int zustand = kOk;
    uint16_t zeigerZeit = 0;
    uint16_t zeigerDatum = 0;
    uint16_t flags = 0;
    if (ets.EibSetAddress(1, busAdresse) != 0)
        zustand = kAdresseAbgelehnt;
    else if (ets.EibStartComm() != 0)
        zustand = kKeineVerbindung;
    else if (!LiesZeiger(ets, kZeigerZeit, zeigerZeit) || !LiesZeiger(ets, kZeigerDatum, zeigerDatum) ||
             !LiesZeiger(ets, kZeigerFlags, flags) || flags > 0xFFFF - kFlagDatum)
        zustand = kLesefehler;
    else if (!Schreibe(ets, zeit, zeigerZeit))
        zustand = kSchreibfehler;
    else {
        SchreibeFlag(ets, static_cast<uint16_t>(flags + kFlagZeit));
        if (!Schreibe(ets, datum, zeigerDatum))
            zustand = kSchreibfehler;
        else
            SchreibeFlag(ets, static_cast<uint16_t>(flags + kFlagDatum));
    }
    ets.EibStopComm();
    return zustand;
}

TSatz Satz(const std::vector<uint8_t>& bereich, int index)
{
    TSatz satz{};
    std::copy_n(bereich.begin() + index * kSatzLaenge, kSatzLaenge, satz.begin());
    return satz;
}

// The participant of an arming event: the arming input of SSB 1-4 (area A only) or the alarm
// reset.
std::string SubCodeText(uint8_t code, bool bereichA)
{
    static const std::string* const kEingaenge[] = {&SprAz::Txt10336, &SprAz::Txt10337, &SprAz::Txt10338,
                                                    &SprAz::Txt10339};
    if (code == 7)
        return SprAz::Txt10340;
    if (bereichA && code < 4)
        return *kEingaenge[code];
    return {};
}

// The comma text of one record: running number, area, event, participant, date, time.
std::string Zeile(const TDeviceInstanzAz& inst, int nummer, const std::string& bereich, const TSatz& satz,
                  bool bereichA)
{
    const int art = satz[6] & 0x3F;
    bool istMelder = true;
    bool hatSubCode = false;
    std::string ereignis;
    TDeviceInstanzAz::GetTextEreignisart(art, istMelder, hatSubCode, ereignis);
    std::string teilnehmer = " ";
    if (hatSubCode)
        teilnehmer = SubCodeText(satz[7], bereichA);
    else if (istMelder)
        teilnehmer = inst.GetMeldertext((satz[7] + 1) % 256);
    std::string datum;
    std::string zeit;
    TDeviceInstanzAz::CheckDateAndBuildString(satz[0], satz[1], satz[2], datum);
    TDeviceInstanzAz::CheckTimeAndBuildString(satz[3], satz[4], satz[5], zeit);
    TStringList felder;
    felder.Add(std::to_string(nummer));
    felder.Add(bereich);
    felder.Add(ereignis);
    felder.Add(teilnehmer);
    felder.Add(datum);
    felder.Add(zeit);
    return felder.CommaText();
}

template <class T> std::string BereichsText(TDataBasis* node)
{
    const auto* bereich = dynamic_cast<const T*>(node);
    return bereich != nullptr ? bereich->GetTextScharfschaltBereich() : std::string();
}

// The bus calls of the ETS interface.
class TEtsBus : public TDeviceInstanzAz::TBus {
public:
    explicit TEtsBus(TEts2Cdi& ets) : m_ets(ets) {}
    int EibSetAddress(int mode, uint16_t adresse) override { return m_ets.EibSetAddress(mode, adresse); }
    int EibStartComm() override { return m_ets.EibStartComm(); }
    int EibReadMemBlock(std::span<uint8_t> puffer, uint16_t erste, uint16_t ersteNochmals, uint16_t ende) override
    {
        return m_ets.EibReadMemBlock(puffer, erste, ersteNochmals, ende);
    }
    int EibWriteMemBlock(std::span<const uint8_t> daten, uint16_t erste, uint16_t ersteNochmals, uint16_t ende,
                         std::span<const uint8_t> maske) override
    {
        return m_ets.EibWriteMemBlock(daten, erste, ersteNochmals, ende, maske);
    }
    int EibStopComm() override { return m_ets.EibStopComm(); }

private:
    TEts2Cdi& m_ets;
};

// The bus of one run: the instance's own (a test's) or one over the ETS interface; none
// without either.
class TBusZugang {
public:
    TBusZugang(TDeviceInstanzAz::TBus* eigener, TEts2Cdi* ets)
    {
        if (eigener == nullptr && ets != nullptr)
            m_etsBus.emplace(*ets);
        m_bus = eigener != nullptr ? eigener : m_etsBus ? &*m_etsBus : nullptr;
    }
    TBusZugang(const TBusZugang&) = delete;
    TBusZugang& operator=(const TBusZugang&) = delete;
    TDeviceInstanzAz::TBus* Bus() const { return m_bus; }

private:
    std::optional<TEtsBus> m_etsBus;
    TDeviceInstanzAz::TBus* m_bus = nullptr;
};

// Runs attempts, kPause apart, until one succeeds or kVersuche were made; the state of the
// last.
template <class F> int Versuche(F versuch)
{
    int zustand = kOk;
    for (int n = 1; n <= kVersuche; ++n) {
        zustand = versuch();
        if (zustand == kOk)
            break;
        if (n < kVersuche)
            std::this_thread::sleep_for(kPause);
    }
    return zustand;
}

std::tm Ortszeit(const std::function<std::tm()>& uhr)
{
    if (uhr)
        return uhr();
    std::tm jetzt{};
    const std::time_t t = std::time(nullptr);
    localtime_r(&t, &jetzt);
    return jetzt;
}

// Closes the notice window on every way out of the read-out.
class THinweis {
public:
    explicit THinweis(TEditorHost& host) : m_host(host) { m_host.ShowDlgInfoEreignisspeicher(); }
    ~THinweis() { Schliessen(); }
    THinweis(const THinweis&) = delete;
    THinweis& operator=(const THinweis&) = delete;
    void Schliessen()
    {
        if (m_offen)
            m_host.CloseDlgInfoEreignisspeicher();
        m_offen = false;
    }

private:
    TEditorHost& m_host;
    bool m_offen = true;
};

} // namespace

uint16_t TDeviceInstanzAz::MergeGrpAdrStringToWord(const std::string& text)
{
    LOG_FKT("TDeviceInstanzAz::MergeGrpAdrStringToWord");
    const auto teile = DreiTeile(text, '.');
    if (!teile)
        return 0;
    const auto [bereich, linie, geraet] = *teile;
    if (bereich > 15 || linie > 15 || geraet > 255)
        return 0;
    return static_cast<uint16_t>(bereich << 12 | linie << 8 | geraet);
}

bool TDeviceInstanzAz::CompareDate(const std::string& a, const std::string& b, int& ordnung)
{
    const auto da = DreiTeile(a, '.');
    const auto db = DreiTeile(b, '.');
    if (!da || !db)
        return false;
    // day.month.year compared year first
    ordnung = Ordnung({(*da)[2], (*da)[1], (*da)[0]}, {(*db)[2], (*db)[1], (*db)[0]});
    return true;
}

bool TDeviceInstanzAz::CompareTime(const std::string& a, const std::string& b, int& ordnung)
{
    const auto ta = DreiTeile(a, ':');
    const auto tb = DreiTeile(b, ':');
    if (!ta || !tb)
        return false;
    ordnung = Ordnung(*ta, *tb);
    return true;
}

bool TDeviceInstanzAz::SortiereEreignisse(const TStringList& quelle, TStringList& ziel)
{
    LOG_FKT("TDeviceInstanzAz::SortiereEreignisse");
    ziel.Clear();
    if (quelle.Count() == 0)
        return true;
    ziel.Add(quelle[0]);
    for (int r = 1; r < quelle.Count(); ++r) {
        const std::string datum = Feld(quelle[r], 4);
        const std::string zeit = Feld(quelle[r], 5);
        bool eingefuegt = false;
        for (int j = 0; j < ziel.Count() && !eingefuegt; ++j) {
            int ordnung = 0;
            if (!CompareDate(datum, Feld(ziel[j], 4), ordnung))
                return false;
            if (ordnung == 2)
                continue;
            if (ordnung == 0 && !CompareTime(zeit, Feld(ziel[j], 5), ordnung))
                return false;
            if (ordnung == 2)
                continue;
            // Earlier: before row j; equal: right after it.
            ziel.Insert(ordnung == 1 ? j : j + 1, quelle[r]);
            eingefuegt = true;
        }
        if (!eingefuegt)
            ziel.Add(quelle[r]);
    }
    return true;
}

bool TDeviceInstanzAz::AddEreignisse(TStringList& ziel, const TStringList& quelle)
{
    for (int i = 0; i < quelle.Count(); ++i)
        ziel.Add(quelle[i]);
    return true;
}

bool TDeviceInstanzAz::CheckEreignisExist(std::array<uint8_t, 8> satz)
{
    return std::any_of(satz.begin(), satz.end(), [](uint8_t b) { return b != 0xFF; });
}

uint16_t TDeviceInstanzAz::SwapWord(uint16_t wort)
{
    return static_cast<uint16_t>((wort & 0xFF) << 8 | (wort & 0xFF00) >> 8);
}

std::string TDeviceInstanzAz::GetTextSsb(int index, int& bereich) const
{
    const TAzSystem* system = GetPointerInstAzSystem();
    if (system == nullptr)
        return {};
    // The arming areas whose records follow each other in area A, `tiefe` records each; the
    // last one takes the rest.
    std::vector<int> folge;
    switch (system->GetParamVarianteAz()) {
    case 0x00000000:
        bereich = 0;
        return " ";
    case 0x11000000:
        folge = {1};
        break;
    case 0x11000098:
        folge = {1, 4};
        break;
    case 0x11004498:
    case 0x110044CC:
        folge = {1, 3, 4};
        break;
    case 0x11220000:
    case 0x11330000:
        folge = {1, 2};
        break;
    case 0x112200B8:
        folge = {1, 2, 4};
        break;
    case 0x11224400:
        folge = {1, 2, 3};
        break;
    case 0x11224488:
    case 0x11224498:
    case 0x112244B8:
    case 0x112244CC:
    case 0x112244F8:
    case 0x113344CC:
        folge = {1, 2, 3, 4};
        break;
    default:
        return " ";
    }
    const int tiefe = system->GetEreignisspeichertiefe();
    std::size_t k = 0;
    while (k + 1 < folge.size() && index >= static_cast<int>(k + 1) * tiefe)
        ++k;
    bereich = folge[k];
    TDataBasis* node = GetPointerInstScharfschaltBereich(static_cast<int16_t>(AzTyp::ScharfschaltBereich1 + bereich - 1));
    switch (bereich) {
    case 1:
        return BereichsText<TAzScharfschaltBereich1>(node);
    case 2:
        return BereichsText<TAzScharfschaltBereich2>(node);
    case 3:
        return BereichsText<TAzScharfschaltBereich3>(node);
    default:
        return BereichsText<TAzScharfschaltBereich4>(node);
    }
}

std::string TDeviceInstanzAz::GetMeldertext(int melderNr) const
{
    const TAzMelder* melder = GetPointerInstMelder(melderNr);
    return melder != nullptr ? melder->GetMelderText() : std::string();
}

bool TDeviceInstanzAz::CheckDateAndBuildString(int tag, int monat, int jahr, std::string& text)
{
    if (tag < 0 || tag > 31 || monat < 0 || monat > 12 || jahr < 0 || jahr > 99) {
        text = "00.00.00";
        return false;
    }
    text = Zwei(tag) + "." + Zwei(monat) + "." + Zwei(jahr);
    return true;
}

bool TDeviceInstanzAz::CheckTimeAndBuildString(int stunde, int minute, int sekunde, std::string& text)
{
    if (stunde < 0 || stunde > 23 || minute < 0 || minute > 59 || sekunde < 0 || sekunde > 59) {
        text = "00:00:00";
        return false;
    }
    text = Zwei(stunde) + ":" + Zwei(minute) + ":" + Zwei(sekunde);
    return true;
}

void TDeviceInstanzAz::GetTextEreignisart(int art, bool& istMelder, bool& hatSubCode, std::string& text)
{
    // Kinds 1..20 in order; 20 has its text apart from the others.
    static const std::string* const kTexte[] = {
        &SprAz::Txt10256, &SprAz::Txt10257, &SprAz::Txt10258, &SprAz::Txt10259, &SprAz::Txt10260,
        &SprAz::Txt10261, &SprAz::Txt10262, &SprAz::Txt10263, &SprAz::Txt10264, &SprAz::Txt10265,
        &SprAz::Txt10266, &SprAz::Txt10267, &SprAz::Txt10268, &SprAz::Txt10269, &SprAz::Txt10270,
        &SprAz::Txt10271, &SprAz::Txt10272, &SprAz::Txt10273, &SprAz::Txt10274, &SprAz::Txt10374,
    };
    hatSubCode = art == 8 || art == 9;
    if (art < 1 || art > 7)
        istMelder = false;
    text = art >= 1 && art <= 20 ? *kTexte[art - 1] : "Unbekanntes Ereignis";
}

std::string TDeviceInstanzAz::GetPcDateTimeString() const
{
    const std::tm jetzt = Ortszeit(m_uhr);
    return Zwei(jetzt.tm_mday) + "." + Zwei(jetzt.tm_mon + 1) + "." + Zwei(jetzt.tm_year % 100) + " / " +
           Zwei(jetzt.tm_hour) + ":" + Zwei(jetzt.tm_min) + ":" + Zwei(jetzt.tm_sec) + " " + SprAz::Txt10365;
}

bool TDeviceInstanzAz::EreignisspeicherAuslesen()
{
    LOG_FKT("TDeviceInstanzAz::EreignisspeicherAuslesen");
    TDeviceEtsInfo info;
    GetDeviceEtsInfo(info);
    const std::string kopf2 = info.GeraeteName + "[" + info.PhysAdr + "]";
    const std::string kopf1 = SprAz::Txt10348 + ": " + info.ProjektName + ", " + SprAz::Txt10349 + ": " + kopf2;
    const uint16_t busAdresse = MergeGrpAdrStringToWord(info.PhysAdr);
    TBusZugang zugang(m_bus, GetEts());
    if (busAdresse == 0 || zugang.Bus() == nullptr)
        return false;
    TBus& ets = *zugang.Bus();

    auto sanduhr = std::make_optional<TCursorHourGlass>();
    THinweis hinweis(GetHost());
    const std::string pcZeit = GetPcDateTimeString();
    TAuslesung aus;
    const int zustand = Versuche([&] { return LeseVersuch(ets, busAdresse, aus); });
    sanduhr.reset();
    if (zustand != kOk) {
        Meldung(zustand == kLesefehler ? SprAz::Txt10296 : SprAz::Txt10251, SprAz::Txt10252, MB_OK);
        return false;
    }

    // L1 takes the area A rows without an arming area; each arming area, the fire and the
    // hold-up detectors have their own list until sorted.
    TStringList ergebnis;
    std::array<TStringList, kAnzahlBereiche> ssb;
    TStringList feuer;
    TStringList ueberfall;
    int nummer = 0;
    for (int i = 0; i < kSaetzeA; ++i) {
        const TSatz satz = Satz(aus.bereichA, i);
        if (!CheckEreignisExist(satz))
            continue;
        int bereich = 0;
        const std::string text = GetTextSsb(i, bereich);
        const std::string zeile = Zeile(*this, ++nummer, text, satz, true);
        if (bereich >= 1 && bereich <= kAnzahlBereiche)
            ssb[static_cast<std::size_t>(bereich - 1)].Add(zeile);
        else
            ergebnis.Add(zeile);
    }
    for (int i = 0; i < kSaetzeB; ++i) {
        const TSatz satz = Satz(aus.bereichB, i);
        if (!CheckEreignisExist(satz))
            continue;
        const bool istFeuer = i < kSaetzeFeuer;
        const std::string zeile = Zeile(*this, ++nummer, istFeuer ? SprAz::Txt10033 : SprAz::Txt10034, satz, false);
        (istFeuer ? feuer : ueberfall).Add(zeile);
    }
    hinweis.Schliessen();

    std::string datum;
    std::string zeit;
    CheckDateAndBuildString(aus.datum[0], aus.datum[1], aus.datum[3], datum);
    CheckTimeAndBuildString(aus.zeit[0], aus.zeit[1], aus.zeit[2], zeit);
    const std::string geraetZeit = datum + " / " + zeit + " " + SprAz::Txt10365;

    for (const TStringList* gruppe : {&ssb[0], &ssb[1], &ssb[2], &ssb[3], &feuer, &ueberfall}) {
        TStringList sortiert;
        // Every row carries a valid date and time (invalid bytes read as zeros), so the sort
        // never stops early.
        (void)SortiereEreignisse(*gruppe, sortiert);
        (void)AddEreignisse(ergebnis, sortiert);
    }
    GetHost().DlgEreignisspeicher(ergebnis, kopf1, kopf2, pcZeit, geraetZeit);
    return false;
}

bool TDeviceInstanzAz::DownloadAzHwDateTime()
{
    LOG_FKT("TDeviceInstanzAz::DownloadAzHwDateTime");
    TDeviceEtsInfo info;
    GetDeviceEtsInfo(info);
    const uint16_t busAdresse = MergeGrpAdrStringToWord(info.PhysAdr);
    TBusZugang zugang(m_bus, GetEts());
    if (busAdresse == 0 || zugang.Bus() == nullptr)
        return false;
    TBus& ets = *zugang.Bus();

    auto sanduhr = std::make_optional<TCursorHourGlass>();
    const std::tm jetzt = Ortszeit(m_uhr);
    const std::array<uint8_t, 3> zeit{static_cast<uint8_t>(jetzt.tm_hour), static_cast<uint8_t>(jetzt.tm_min),
                                      static_cast<uint8_t>(jetzt.tm_sec)};
    const std::array<uint8_t, 3> datum{static_cast<uint8_t>(jetzt.tm_mday), static_cast<uint8_t>(jetzt.tm_mon + 1),
                                       static_cast<uint8_t>(jetzt.tm_year % 100)};
    const int zustand = Versuche([&] { return SchreibVersuch(ets, busAdresse, zeit, datum); });
    sanduhr.reset();
    if (zustand != kOk) {
        Meldung(SprAz::Txt10344, SprAz::Txt10342, MB_OK);
        return false;
    }
    Meldung(SprAz::Txt10343, SprAz::Txt10342, MB_OK);
    return true;
}
