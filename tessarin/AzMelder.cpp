#include "tessarin/AzMelder.h"

#include "quillon/DatenManager.h"
#include "quillon/DatenStruktur.h"
#include "rastow/DrawGridSE.h"
#include "tamsel/Tamsel.h"
#include "tessarin/AzKnoten.h"
#include "tessarin/SprAz.h"
#include "vcl/StringList.h"
#include "win32/CodePage1252.h"
#include "win32/MessageBox.h"

#include <array>
#include <list>
#include <utility>

namespace {

// User texts whose ids the string table does not hold.
const char* const kNeuerEingang = "Neuer Eingang";
const char* const kEingang = "Eingang";
const char* const kCaptionSicherungsbereich = "Sicherungsbereich";
const char* const kCaptionEingangsTyp = "Eingangs-Typ";
const char* const kCaptionMelderText = "Melder-Text";
const char* const kCaptionMelderTyp = "Melder-Typ";
const char* const kCaptionAktivBei = "Eingang aktiv bei";
const char* const kMelderVerzoegert = "Melder verzögert";
const char* const kMelderSofort = "Melder sofort";
const char* const kSabotage = "Sabotage";
const char* const kSabotageSe = "Sabotage-Schalteinrichtung";
const char* const kStoerung = "Störung";
const char* const kVerschluss = "Verschluß";
const char* const kKontakt = "Kontakt";
const char* const kBewegung = "Bewegung";
const char* const kGlasbruch = "Glasbruch";
const char* const kFrageSaboSe =
    "Die Sabotage Schalteinrichtung ist in der Scharfschaltung zugeordnet. \n\r"
    "Soll diese Zuordnung gelöscht werden?";
const char* const kCaptionSaboSe = "Sabotage Schalteinrichtung";
const char* const kWarnungBereich =
    "Der parametrierte Sicherungs-Bereich des verdrahteten Melders\n\r"
    "existiert in der neuen Konfiguration nicht. Es wird der Bereich SB 1 eingestellt.";

// Area kinds (T_DB_EnumAzMelder::TEnumMelder).
constexpr int8_t kBereichFeuer = 0;
constexpr int8_t kBereichUeberfall = 1;
constexpr int8_t kBereichVerdrahtet = 2;
constexpr int8_t kBereichSb1 = 3;
constexpr int8_t kBereichSb4 = 6;

// Security areas.
constexpr int8_t kSbFeuer = 5;
constexpr int8_t kSbUeberfall = 6;

// Input types (MelderArt).
constexpr int8_t kArtVerzoegert = 0;
constexpr int8_t kArtSofort = 1;
constexpr int8_t kArtSabotage = 2;
constexpr int8_t kArtSabotageSe = 3;
constexpr int8_t kArtStoerung = 4;
constexpr int8_t kArtVerschluss = 5;

// Requests about the sabotage inputs of the arming area's switching devices.
constexpr uint8_t kCodeSaboSeAnmelden = 7;
constexpr uint8_t kCodeSaboSeAbmelden = 8;
constexpr uint8_t kCodeSaboSeVerknuepft = 10;

// Parameter numbers.
constexpr int kBlockVerdrahtet = 4620;
constexpr int kTextVerdrahtet = 12611;
constexpr int kBlockBasis = 3000;
constexpr int kTextBasis = 11001;
constexpr int kParamAbstand = 10;

std::list<TComboWert> EingangsTypen(int8_t bereich)
{
    switch (bereich) {
    case kBereichFeuer:
        return {{kMelderSofort, kArtSofort}, {kStoerung, kArtStoerung}};
    case kBereichUeberfall:
        return {{kMelderSofort, kArtSofort}, {kSabotage, kArtSabotage}};
    case kBereichVerdrahtet:
        return {{kMelderSofort, kArtSofort}, {kMelderVerzoegert, kArtVerzoegert}};
    default:
        return {{kMelderSofort, kArtSofort},
                {kMelderVerzoegert, kArtVerzoegert},
                {kSabotage, kArtSabotage},
                {kSabotageSe, kArtSabotageSe},
                {kVerschluss, kArtVerschluss}};
    }
}

bool IstBusBereich(int8_t bereich)
{
    return bereich >= kBereichSb1 && bereich <= kBereichSb4;
}

} // namespace

TAzMelder::TAzMelder(HWND owner, int32_t system, int32_t parent, std::string name, int32_t art)
    : TDataBasis(owner, system, parent, std::move(name), art),
      m_melderText(kNeuerEingang),
      m_melderTextListe(std::make_unique<TStringList>())
{
    LOG_FKT("TAzMelder::TAzMelder");
}

TAzMelder::~TAzMelder()
{
    LOG_FKT("TAzMelder::~TAzMelder");
}

int TAzMelder::GetQuickHelpIndexOffset() const
{
    LOG_FKT("TAzMelder::GetQuickHelpIndexOffset");
    return m_quickHelpIndex;
}

std::string TAzMelder::GetName(bool /*mitPosition*/) const
{
    LOG_FKT("TAzMelder::GetName");
    const std::string basisName = TDataBasis::GetName(false);
    if (IstVerdrahtet())
        return m_melderText + " - " + basisName;
    return m_melderText + " - (" + kEingang + " " + std::to_string(m_melderNr) + " " + basisName
           + ")";
}

int TAzMelder::GetTyp()
{
    LOG_FKT("TAzMelder::GetTyp");
    return kTyp;
}

int TAzMelder::ListStyle()
{
    LOG_FKT("TAzMelder::ListStyle");
    return 1;
}

int TAzMelder::GetIcon()
{
    LOG_FKT("TAzMelder::GetIcon");
    return kIcon;
}

bool TAzMelder::AllowChild(int /*typ*/)
{
    LOG_FKT("TAzMelder::AllowChild");
    return false;
}

void TAzMelder::Write(TDatenStruktur& record)
{
    LOG_FKT("TAzMelder::Write");
    TDataBasis::Write(record);
    record.Param3 = m_melderArt;
    record.Param4 = m_sicherungsBereichMelder;
    record.Param5 = m_indexMelderText;
    record.Param6 = m_melderTyp;
    record.Param7 = m_melderReserve;
    record.Param8 = m_melderBereich;
    record.Param9 = m_melderNr;
    record.Bool3 = m_aktivBei;
    record.String4 = m_melderText;
}

bool TAzMelder::AllowDrop(TDataBasis* source)
{
    LOG_FKT("TAzMelder::AllowDrop");
    if (source != nullptr)
        (void)source->GetTyp();
    return false;
}

void TAzMelder::Drop(TDataBasis* source)
{
    LOG_FKT("TAzMelder::Drop");
    if (source != nullptr && source != this)
        (void)source->GetTyp();
}

void TAzMelder::InitFromDB(TDatenStruktur& record)
{
    LOG_FKT("TAzMelder::InitFromDB");
    TDataBasis::InitFromDB(record);
    m_melderArt = static_cast<int8_t>(record.Param3);
    m_sicherungsBereichMelder = static_cast<int8_t>(record.Param4);
    m_indexMelderText = record.Param5;
    m_melderTyp = static_cast<int8_t>(record.Param6);
    m_melderReserve = record.Param7;
    m_melderBereich = static_cast<int8_t>(record.Param8);
    m_melderNr = record.Param9;
    m_aktivBei = record.Bool3;
    m_melderText = record.String4;
}

bool TAzMelder::Einfuegen(std::map<int, TDatenStruktur>& records)
{
    LOG_FKT("TAzMelder::Einfuegen");
    return AzKnoten::FindOwnType(*this, records) != nullptr && TDataBasis::Einfuegen(records);
}

bool TAzMelder::Paste(TDatenManager<TDatenStruktur>* records, std::string& message)
{
    LOG_FKT("TAzMelder::Paste");
    const std::string fehlerText = GetName(true) + ":\n";
    const char* const ort = "TAzMelder::Paste";
    if (records == nullptr)
        throw E_DataBasis(3, fehlerText, ort);
    TDatenManager<TDatenStruktur>* kinder = records->Filter("Typ", GetTyp());
    if (kinder == nullptr)
        throw E_DataBasis(3, fehlerText, ort);
    if (kinder->GetCount() == 0) {
        records->DeleteChild(kinder);
        throw E_DataBasis(3, fehlerText, ort);
    }
    const TDatenStruktur* erster = kinder->GetFirst();
    const bool gefunden = erster != nullptr;
    const TDatenStruktur kopie = gefunden ? *erster : TDatenStruktur();
    records->DeleteChild(kinder);
    if (!gefunden)
        throw E_DataBasis(3, fehlerText, ort);

    const bool ergebnis = TDataBasis::Paste(records, message);
    m_melderArt = static_cast<int8_t>(kopie.Param3);
    m_indexMelderText = kopie.Param5;
    m_melderTyp = static_cast<int8_t>(kopie.Param6);
    m_aktivBei = kopie.Bool3;
    m_melderReserve = kopie.Param7;
    m_melderText = kopie.String4;
    return ergebnis;
}

// --- Data ----------------------------------------------------------------------------------

bool TAzMelder::IstVerdrahtet() const
{
    return m_melderBereich == kBereichVerdrahtet;
}

T_DB_EnumAzMelder::TEnumMelder TAzMelder::GetMelderBereich() const
{
    LOG_FKT("TAzMelder::GetMelderBereich");
    return static_cast<T_DB_EnumAzMelder::TEnumMelder>(m_melderBereich);
}

bool TAzMelder::SetMelderBereich(T_DB_EnumAzMelder::TEnumMelder bereich)
{
    LOG_FKT("TAzMelder::SetMelderBereich");
    m_melderBereich = static_cast<int8_t>(bereich);
    switch (bereich) {
    case kBereichFeuer:
        m_sicherungsBereichMelder = kSbFeuer;
        break;
    case kBereichUeberfall:
        m_sicherungsBereichMelder = kSbUeberfall;
        break;
    case kBereichVerdrahtet:
        m_sicherungsBereichMelder = Exist_SB1(m_varianteAz) ? 1 : kSbUeberfall;
        break;
    case kBereichSb1:
    case kBereichSb1 + 1:
    case kBereichSb1 + 2:
    case kBereichSb4:
        m_sicherungsBereichMelder = static_cast<int8_t>(bereich - kBereichSb1 + 1);
        break;
    default:
        return false;
    }
    m_melderArt = kArtSofort;
    m_melderReserve = 0;
    m_indexMelderText = 0;
    m_melderTyp = 0;
    m_aktivBei = true;
    return true;
}

bool TAzMelder::ChangeVarianteAz(uint32_t variante)
{
    LOG_FKT("TAzMelder::ChangeVarianteAz");
    m_varianteAz = variante;
    // The area the input moves to when the variant lacks its own. From SB 1 it goes to SB 2
    // although the warning names SB 1: only the variant without any area lacks SB 1.
    int8_t ersatz = 0;
    switch (m_sicherungsBereichMelder) {
    case 1:
        ersatz = Exist_SB1(variante) ? 0 : 2;
        break;
    case 2:
        ersatz = Exist_SB2(variante) ? 0 : 1;
        break;
    case 3:
        ersatz = Exist_SB3(variante) ? 0 : 1;
        break;
    case 4:
        ersatz = Exist_SB4(variante) ? 0 : 1;
        break;
    default:
        return false;
    }
    if (ersatz != 0) {
        m_sicherungsBereichMelder = ersatz;
        MessageBox(GetOwnerWindow(), kWarnungBereich, SprAz::Txt10049, MB_OK | MB_ICONWARNING);
    }
    AzKnoten::WriteRecord(*this);
    return true;
}

void TAzMelder::SetMelderTextListe(int& index)
{
    LOG_FKT("TAzMelder::SetMelderTextListe");
    const std::array<const std::string*, 20> raeume = {
        &SprAz::Txt10051, &SprAz::Txt10052, &SprAz::Txt10053, &SprAz::Txt10054,
        &SprAz::Txt10055, &SprAz::Txt10056, &SprAz::Txt10057, &SprAz::Txt10058,
        &SprAz::Txt10059, &SprAz::Txt10060, &SprAz::Txt10061, &SprAz::Txt10062,
        &SprAz::Txt10063, &SprAz::Txt10064, &SprAz::Txt10065, &SprAz::Txt10066,
        &SprAz::Txt10067, &SprAz::Txt10068, &SprAz::Txt10069, &SprAz::Txt10070};
    m_melderTextListe->Clear();
    for (const std::string* raum : raeume) {
        std::string text = *raum;
        SetLengthTexte(text, kMaxTextLaenge);
        m_melderTextListe->Add(std::move(text));
    }
    m_melderTextListe->Sort();
    m_melderTextListe->Add(m_melderText);
    m_melderTextListe->Sort();
    index = m_melderTextListe->IndexOf(m_melderText);
}

void TAzMelder::SetMelderTextListe(TStringList* /*liste*/)
{
    LOG_FKT("TAzMelder::SetMelderTextListe");
}

void TAzMelder::SetLengthTexte(std::string& text, int n)
{
    LOG_FKT("TAzMelder::SetLengthTexte");
    if (n < 0)
        n = 0;
    if (Utf8CharCount(text) > static_cast<std::size_t>(n))
        text = Utf8Left(text, static_cast<std::size_t>(n));
}

bool TAzMelder::GetPhysAdrSe(T_DB_EnumAzMelder::TEnumMelder /*bereich*/, TStringList* liste)
{
    LOG_FKT("TAzMelder::GetPhysAdrSe");
    if (liste != nullptr)
        liste->Add(std::string());
    return true;
}

// --- Device parameters ---------------------------------------------------------------------

int32_t TAzMelder::MelderParameterblock(int32_t melderArt, int32_t sicherungsBereich,
                                        int32_t indexMelderText, int32_t melderTyp,
                                        bool aktivBei)
{
    LOG_FKT("TAzMelder::MelderParameterblock");
    return (melderArt & 0x7) | ((sicherungsBereich & 0x7) << 3) | ((indexMelderText & 0x7F) << 6)
           | ((melderTyp & 0x3) << 13) | ((aktivBei ? 1 : 0) << 15);
}

int32_t TAzMelder::GetMelderParameterblock() const
{
    LOG_FKT("TAzMelder::GetMelderParameterblock");
    return MelderParameterblock(m_melderArt, m_sicherungsBereichMelder, m_indexMelderText,
                                m_melderTyp, m_aktivBei);
}

bool TAzMelder::GetParameterNummern(int& block, int& text) const
{
    LOG_FKT("TAzMelder::GetParameterNummern");
    if (IstVerdrahtet()) {
        block = kBlockVerdrahtet;
        text = kTextVerdrahtet;
        return true;
    }
    if (m_melderNr < kMinMelderNr || m_melderNr > kMaxMelderNr)
        return false;
    block = kBlockBasis + kParamAbstand * m_melderNr;
    text = kTextBasis + kParamAbstand * m_melderNr;
    return true;
}

void TAzMelder::WriteParameter(int32_t block, const std::string& text)
{
    LOG_FKT("TAzMelder::WriteParameter");
    int blockNr = 0;
    int textNr = 0;
    if (!GetParameterNummern(blockNr, textNr)) {
        LOG_FKT("TAzMelder::WriteParameter: detector number without parameters, nothing written");
        return;
    }
    AzKnoten::TParamWriter writer(*this);
    if (!writer)
        return;
    writer.Set(blockNr, block);
    SetStringToDeviceParamData(static_cast<short>(textNr), text);
}

void TAzMelder::WriteDataToDb()
{
    LOG_FKT("TAzMelder::WriteDataToDb");
    WriteParameter(GetMelderParameterblock(), m_melderText);
}

void TAzMelder::ClearDbParameter()
{
    LOG_FKT("TAzMelder::ClearDbParameter");
    WriteParameter(0, std::string());
}

void TAzMelder::SetStringToDeviceParamData(short number, const std::string& text)
{
    LOG_FKT("TAzMelder::SetStringToDeviceParamData");
    (void)AzKnoten::SetStringToDeviceParamData(*this, number, text);
}

uint32_t TAzMelder::SwapDword(uint32_t value)
{
    return AzKnoten::SwapDword(value);
}

// --- Grid ----------------------------------------------------------------------------------

void TAzMelder::AddRowComboBoxStyle(TDrawGridSE* grid, const std::string& caption, int row,
                                    const TStringList* entries, int selected,
                                    TComboBoxStyle style, bool flag, int help, bool append)
{
    LOG_FKT("TAzMelder::AddRowComboBoxStyle");
    if (grid == nullptr)
        return;
    const int rowHelp = RowHelp(help, row);
    const int gridRow = NextGridRow(grid, append);
    TCell cell;
    cell.Clear();
    cell.Kind = TCell::ckComboBox;
    cell.ComboStyle = style;
    cell.ComboFlag = flag;
    if (entries != nullptr) {
        for (int i = 0; i < entries->Count(); ++i)
            cell.Items.emplace_back(entries->Strings(i), i);
    }
    cell.SelectItem(selected);
    SetRowCells(grid, gridRow, caption, row, rowHelp, std::move(cell));
}

void TAzMelder::BuildInfoWindow(TDrawGridSE* grid, TListView* /*list*/, bool /*first*/,
                                int column, int row)
{
    LOG_FKT("TAzMelder::BuildInfoWindow");
    if (!AzKnoten::BeginInfoWindow(*this, grid))
        return;
    // The first row goes into the row Prepare left; every later one is appended.
    bool append = false;

    if (IstVerdrahtet()) {
        std::list<TComboWert> bereiche;
        if (Exist_SB1(m_varianteAz))
            bereiche.emplace_back(SprAz::Txt10050, 1);
        if (Exist_SB2(m_varianteAz))
            bereiche.emplace_back(SprAz::Txt10088, 2);
        if (Exist_SB3(m_varianteAz))
            bereiche.emplace_back(SprAz::Txt10089, 3);
        if (Exist_SB4(m_varianteAz))
            bereiche.emplace_back(SprAz::Txt10090, 4);
        AddRowComboBox(grid, kCaptionSicherungsbereich, rowSicherungsBereich, bereiche,
                       m_sicherungsBereichMelder, 0, append);
        append = true;
    }

    // Drawing changes nothing: what the area and type leave no choice in is taken when they
    // change (FesteWerte).
    if (!ArtFest()) {
        AddRowComboBox(grid, kCaptionEingangsTyp, rowMelderArt, EingangsTypen(m_melderBereich),
                       m_melderArt, 0, append);
        append = true;
    }

    int textIndex = -1;
    SetMelderTextListe(textIndex);
    AddRowComboBoxStyle(grid, kCaptionMelderText, rowMelderText, m_melderTextListe.get(),
                        textIndex, csDropDown, false, 0, true);
    append = true;

    if (IstBusBereich(m_melderBereich)) {
        if (!TypFest()) {
            TStringList typen;
            typen.Add(kKontakt);
            typen.Add(kBewegung);
            typen.Add(kGlasbruch);
            AddRowComboBox(grid, kCaptionMelderTyp, rowMelderTyp, &typen, m_melderTyp, 0, append);
        }
    }

    if (!IstVerdrahtet()) {
        TStringList pegel;
        pegel.Add("0");
        pegel.Add("1");
        AddRowComboBox(grid, kCaptionAktivBei, rowAktivBei, &pegel, m_aktivBei ? 1 : 0, 0, append);
    }

    AzKnoten::EndInfoWindow(*this, column, row);
}

bool TAzMelder::SaboSeAbgleich(int8_t alt)
{
    LOG_FKT("TAzMelder::SaboSeAbgleich");
    auto anfrage = [this](uint8_t code) {
        TUserDeviceRequest request = AzKnoten::MakeRequest(*this, code);
        request.Wert4 = m_melderNr;
        request.Wert5 = m_sicherungsBereichMelder;
        return AzKnoten::SendRequest(*this, request);
    };
    if (alt == kArtSabotageSe) {
        bool loeschen = true;
        if (anfrage(kCodeSaboSeVerknuepft) != 0)
            loeschen = MessageBox(GetOwnerWindow(), kFrageSaboSe, kCaptionSaboSe,
                                  MB_YESNO | MB_ICONQUESTION)
                       == IDYES;
        if (!loeschen) {
            m_melderArt = alt;
            return false;
        }
        (void)anfrage(kCodeSaboSeAbmelden);
    }
    if (m_melderArt == kArtSabotageSe)
        (void)anfrage(kCodeSaboSeAnmelden);
    return true;
}

void TAzMelder::GridComboBoxChange(TObject* sender, TCell& cell, int column, int row)
{
    LOG_FKT("TAzMelder::GridComboBoxChange");
    if (sender == nullptr)
        return;
    AzKnoten::TGridEditFlags flags;
    int32_t wert = 0;
    switch (cell.RowNr) {
    case rowSicherungsBereich:
        if (AzKnoten::ComboValue(sender, wert) && wert != m_sicherungsBereichMelder) {
            m_sicherungsBereichMelder = static_cast<int8_t>(wert);
            flags.Write = flags.Refresh = true;
        }
        break;
    case rowMelderArt:
        if (AzKnoten::ComboValue(sender, wert) && wert != m_melderArt) {
            const int8_t alt = m_melderArt;
            m_melderArt = static_cast<int8_t>(wert);
            // Also after the user kept the old type: the record and the grid show it again.
            flags.Write = flags.Refresh = true;
            (void)SaboSeAbgleich(alt);
        }
        break;
    case rowMelderText: {
        std::string text;
        if (!AzKnoten::ComboText(sender, text) || text == m_melderText)
            break;
        if (Utf8CharCount(text) > static_cast<std::size_t>(kMaxTextLaenge)) {
            MessageBox(GetOwnerWindow(), SprAz::Txt10354, SprAz::Txt10179, MB_OK);
            flags.Refresh = true;
        } else if (!AzKnoten::AcceptTypedText(*this, text)) {
            flags.Refresh = true;
        } else {
            m_melderText = std::move(text);
            flags.Write = flags.OtherViews = true;
        }
        break;
    }
    case rowMelderTyp:
        if (AzKnoten::ComboIndex(sender, wert) && wert != m_melderTyp) {
            m_melderTyp = static_cast<int8_t>(wert);
            flags.Write = flags.OtherViews = true;
        }
        break;
    case rowAktivBei:
        if (AzKnoten::ComboIndex(sender, wert) && (wert != 0) != m_aktivBei) {
            m_aktivBei = wert != 0;
            flags.Write = flags.OtherViews = true;
        }
        break;
    default:
        break;
    }
    if (flags.Write)
        FesteWerte();
    AzKnoten::FinishGridEdit(*this, flags, column, row);
}

bool TAzMelder::ArtFest() const
{
    return IstVerdrahtet() && (m_sicherungsBereichMelder == kSbFeuer || m_sicherungsBereichMelder == kSbUeberfall);
}

bool TAzMelder::TypFest() const
{
    return m_melderArt == kArtSabotage || m_melderArt == kArtSabotageSe || m_melderArt == kArtVerschluss;
}

void TAzMelder::FesteWerte()
{
    if (ArtFest())
        m_melderArt = kArtSofort;
    if (IstBusBereich(m_melderBereich) && TypFest())
        m_melderTyp = 0;
    if (IstVerdrahtet())
        m_aktivBei = true;
}

void TAzMelder::GridExitCell(TDrawGridSE* grid, TObject* sender, TCell& cell, int column, int row)
{
    LOG_FKT("TAzMelder::GridExitCell");
    if (grid == nullptr || sender == nullptr)
        return;
    AzKnoten::TGridEditFlags flags;
    if (sender->ClassName() == "TDrawGridSEComboBox" && cell.RowNr == rowMelderText) {
        int index = -1;
        SetMelderTextListe(index);
        cell.Items.clear();
        for (int i = 0; i < m_melderTextListe->Count(); ++i)
            cell.Items.emplace_back(m_melderTextListe->Strings(i), i);
        cell.SelectItem(index);
        // The tree shows the text.
        flags.Tree = true;
    }
    if (GetRefreshMark()) {
        ClearRefreshMark();
        flags.OtherViews = true;
    }
    AzKnoten::FinishGridEdit(*this, flags, column, row);
}

void TAzMelder::GridSpinEditChange(TObject* sender, TCell& /*cell*/, int /*column*/, int /*row*/)
{
    LOG_FKT("TAzMelder::GridSpinEditChange");
    if (sender != nullptr)
        AzKnoten::WriteRecord(*this);
}

void TAzMelder::GridEllipseClick(TObject* /*sender*/, TCell& cell, int column, int row)
{
    LOG_FKT("TAzMelder::GridEllipseClick");
    AzKnoten::TGridEditFlags flags;
    if (dynamic_cast<TAzMelder*>(cell.Data) != nullptr)
        flags.Write = flags.Refresh = true;
    AzKnoten::FinishGridEdit(*this, flags, column, row);
}

void TAzMelder::GridEditChange(TObject* /*sender*/, TCell& /*cell*/, int /*column*/, int /*row*/)
{
    LOG_FKT("TAzMelder::GridEditChange");
}

void TAzMelder::GridSpinEditOverflow(TDrawGridSE* /*grid*/, TObject* /*sender*/, TCell& /*cell*/,
                                     int /*column*/, int /*row*/, double /*value*/)
{
    LOG_FKT("TAzMelder::GridSpinEditOverflow");
}

void TAzMelder::GridSpinEditUnderflow(TDrawGridSE* /*grid*/, TObject* /*sender*/,
                                      TCell& /*cell*/, int /*column*/, int /*row*/,
                                      double /*value*/)
{
    LOG_FKT("TAzMelder::GridSpinEditUnderflow");
}

void TAzMelder::GridExit(TDrawGridSE* /*grid*/, TObject* /*sender*/, TCell& /*cell*/,
                         int /*column*/, int /*row*/)
{
    LOG_FKT("TAzMelder::GridExit");
}
