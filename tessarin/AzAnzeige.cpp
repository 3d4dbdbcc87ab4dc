#include "tessarin/AzAnzeige.h"

#include "quillon/DatenStruktur.h"
#include "rastow/DrawGridSE.h"
#include "tamsel/Tamsel.h"
#include "tessarin/AzKnoten.h"
#include "tessarin/SprAz.h"

#include <iterator>
#include <utility>

namespace {

constexpr int kTyp = 6143;
constexpr int kIconOhneNr = 51;
constexpr int kIconAnzeige1 = 52;
constexpr int kQuickHelpIndex = 184;

constexpr int kParamNrAnzeige1 = 14010;
constexpr int kParamAbstand = 10;

constexpr uint8_t kCodeBereicheWaehlen = 5;
constexpr uint8_t kCodeVorhandenSchalten = 14;
constexpr uint8_t kCodeQuittierungMelder = 19;

// Texts without an id in the string table.
const char* const kTxtBezeichnung = "Bezeichnung Anzeige";
const char* const kTxtVorhanden[] = {"Anzeige 1 vorhanden", "Anzeige 2 vorhanden",
                                     "Anzeige 3 vorhanden", "Anzeige 4 vorhanden"};
const char* const kTxtBereiche = "Angezeigte Bereiche";
// The area texts by mask bit 0 to 5.
const char* const kTxtBereich[] = {"SSB1", "SSB2", "SSB3", "SSB4", "Feuermelder",
                                   "Überfallmelder"};

// Bits 0 to 3 of the mask, cleared when arming area 1 to 4 is missing. The masks are 8 bits
// wide: clearing drops any bit above bit 7 too.
constexpr int32_t kOhneSsb[] = {0xFE, 0xFD, 0xFB, 0xF7};

} // namespace

TAzAnzeige::TAzAnzeige(HWND owner, int32_t system, int32_t parent, std::string name,
                       int32_t art)
    : TDataBasis(owner, system, parent, std::move(name), art),
      m_quickHelpIndex(kQuickHelpIndex),
      m_name(SprAz::Txt10171)
{
    LOG_FKT("TAzAnzeige::TAzAnzeige");
}

TAzAnzeige::~TAzAnzeige()
{
    LOG_FKT("TAzAnzeige::~TAzAnzeige");
}

int TAzAnzeige::GetQuickHelpIndexOffset() const
{
    LOG_FKT("TAzAnzeige::GetQuickHelpIndexOffset");
    return m_quickHelpIndex;
}

std::string TAzAnzeige::GetName(bool) const
{
    LOG_FKT("TAzAnzeige::GetName");
    return m_name;
}

int TAzAnzeige::GetTyp()
{
    LOG_FKT("TAzAnzeige::GetTyp");
    return kTyp;
}

int TAzAnzeige::ListStyle()
{
    LOG_FKT("TAzAnzeige::ListStyle");
    return 1;
}

int TAzAnzeige::GetIcon()
{
    LOG_FKT("TAzAnzeige::GetIcon");
    return IstGueltigeNr(m_anzeigeNr) ? kIconAnzeige1 + m_anzeigeNr : kIconOhneNr;
}

bool TAzAnzeige::AllowChild(int)
{
    LOG_FKT("TAzAnzeige::AllowChild");
    return false;
}

void TAzAnzeige::Write(TDatenStruktur& record)
{
    LOG_FKT("TAzAnzeige::Write");
    TDataBasis::Write(record);
    record.Param3 = m_anzeigeSsb;
    record.Param4 = m_anzeigeNr;
    record.Bool3 = m_vorhanden != 0;
    record.String2 = m_name;
}

bool TAzAnzeige::AllowDrop(TDataBasis* source)
{
    LOG_FKT("TAzAnzeige::AllowDrop");
    if (source != nullptr)
        (void)source->GetTyp();
    return false;
}

void TAzAnzeige::Drop(TDataBasis* source)
{
    LOG_FKT("TAzAnzeige::Drop");
    if (source != nullptr && source != this)
        (void)source->GetTyp();
}

void TAzAnzeige::BuildInfoWindow(TDrawGridSE* grid, TListView*, bool, int column, int row)
{
    LOG_FKT("TAzAnzeige::BuildInfoWindow");
    if (!AzKnoten::BeginInfoWindow(*this, grid))
        return;
    AddRowEditFeld(grid, kTxtBezeichnung, kRowBezeichnung, m_name, 0, false, 0);
    const std::string vorhanden = IstGueltigeNr(m_anzeigeNr) ? kTxtVorhanden[m_anzeigeNr] : "";
    AddRowComboBoxYes(grid, vorhanden, kRowVorhanden,
                      T_DB_EnumDataBasis::ToEnumBool(m_vorhanden != 0), 0, true);
    // An absent display shows no areas; switching it off has cleared them already.
    if (m_vorhanden == 1)
        AddRowEllipse(grid, kTxtBereiche, kRowBereiche, GetTextAnzeigeSsb(m_anzeigeSsb), 0, true);
    AzKnoten::EndInfoWindow(*this, column, row);
}

void TAzAnzeige::InitFromDB(TDatenStruktur& record)
{
    LOG_FKT("TAzAnzeige::InitFromDB");
    TDataBasis::InitFromDB(record);
    m_anzeigeSsb = record.Param3;
    m_anzeigeNr = static_cast<TEnumAnzeigeNr>(static_cast<int8_t>(record.Param4 & 0xFF));
    m_vorhanden = record.Bool3 ? 1 : 0;
    m_name = record.String2;
    // The node keeps no continuation record; the look-up stays for compatibility and its
    // answer is not used.
    if (record.Next > 0)
        (void)GetDatensatz(GetSystem(), record.Next);
}

bool TAzAnzeige::Einfuegen(std::map<int, TDatenStruktur>& records)
{
    LOG_FKT("TAzAnzeige::Einfuegen");
    return AzKnoten::FindOwnType(*this, records) != nullptr && TDataBasis::Einfuegen(records);
}

void TAzAnzeige::SetDefaultName(std::string name)
{
    LOG_FKT("TAzAnzeige::SetDefaultName");
    m_name = std::move(name);
}

bool TAzAnzeige::IstGueltigeNr(TEnumAnzeigeNr nummer)
{
    return nummer >= T_DB_EnumAzAnzeige::anAnzeige1 && nummer <= T_DB_EnumAzAnzeige::anAnzeige4;
}

bool TAzAnzeige::SetAnzeigeNr(TEnumAnzeigeNr nummer)
{
    LOG_FKT("TAzAnzeige::SetAnzeigeNr");
    m_anzeigeNr = nummer;
    if (IstGueltigeNr(nummer))
        m_paramNr = static_cast<int16_t>(kParamNrAnzeige1 + kParamAbstand * nummer);
    return true;
}

void TAzAnzeige::InitAnzeige()
{
    LOG_FKT("TAzAnzeige::InitAnzeige");
    (void)SetAnzeigeNr(m_anzeigeNr);
}

void TAzAnzeige::GetAnzeigeNr(TEnumAnzeigeNr& nummer) const
{
    LOG_FKT("TAzAnzeige::GetAnzeigeNr");
    nummer = m_anzeigeNr;
}

bool TAzAnzeige::GetStatusAnzeigeVorhanden() const
{
    LOG_FKT("TAzAnzeige::GetStatusAnzeigeVorhanden");
    return m_vorhanden == 1;
}

int TAzAnzeige::GetAnzeigeSsb() const
{
    LOG_FKT("TAzAnzeige::GetAnzeigeSsb");
    return m_anzeigeSsb;
}

void TAzAnzeige::SetAnzeigeSsb(int maske)
{
    LOG_FKT("TAzAnzeige::SetAnzeigeSsb");
    m_anzeigeSsb = maske;
}

void TAzAnzeige::SetVarianteAz(uint32_t variante)
{
    LOG_FKT("TAzAnzeige::SetVarianteAz");
    m_varianteAz = variante;
}

void TAzAnzeige::ModifyAnzeigeSsb(uint32_t variante)
{
    LOG_FKT("TAzAnzeige::ModifyAnzeigeSsb");
    m_varianteAz = variante;
    const bool vorhanden[] = {Exist_SSB1(variante), Exist_SSB2(variante), Exist_SSB3(variante),
                              Exist_SSB4(variante)};
    for (std::size_t i = 0; i < std::size(vorhanden); ++i) {
        if (!vorhanden[i])
            m_anzeigeSsb &= kOhneSsb[i];
    }
    (void)AzKnoten::WriteRecord(*this);
}

bool TAzAnzeige::Exist_SSB1(uint32_t variante)
{
    return (variante & 0xFF000000u) != 0;
}

bool TAzAnzeige::Exist_SSB2(uint32_t variante)
{
    return (variante & 0x00FF0000u) != 0;
}

bool TAzAnzeige::Exist_SSB3(uint32_t variante)
{
    return (variante & 0x0000FF00u) != 0;
}

bool TAzAnzeige::Exist_SSB4(uint32_t variante)
{
    return (variante & 0x000000FFu) != 0;
}

bool TAzAnzeige::Anzeige_Ssb1(int maske)
{
    return (maske & kMaskSsb1) != 0;
}

bool TAzAnzeige::Anzeige_Ssb2(int maske)
{
    return (maske & kMaskSsb2) != 0;
}

bool TAzAnzeige::Anzeige_Ssb3(int maske)
{
    return (maske & kMaskSsb3) != 0;
}

bool TAzAnzeige::Anzeige_Ssb4(int maske)
{
    return (maske & kMaskSsb4) != 0;
}

bool TAzAnzeige::Anzeige_Feuer(int maske)
{
    return (maske & kMaskFeuer) != 0;
}

bool TAzAnzeige::Anzeige_Ueberfall(int maske)
{
    return (maske & kMaskUeberfall) != 0;
}

std::string TAzAnzeige::GetTextAnzeigeSsb(int maske)
{
    LOG_FKT("TAzAnzeige::GetTextAnzeigeSsb");
    std::string text;
    for (std::size_t bit = 0; bit < std::size(kTxtBereich); ++bit) {
        if ((maske & (1 << bit)) == 0)
            continue;
        if (!text.empty())
            text += ", ";
        text += kTxtBereich[bit];
    }
    return text;
}

void TAzAnzeige::WriteDataToDb()
{
    LOG_FKT("TAzAnzeige::WriteDataToDb");
    // A display loaded from its record holds the number of its construction (display 0's)
    // until the editor calls InitAnzeige; its own follows from the stored number.
    if (IstGueltigeNr(m_anzeigeNr))
        InitAnzeige();
    AzKnoten::TParamWriter writer(*this);
    if (!writer)
        return;
    writer.Set(m_paramNr, m_anzeigeSsb);
}

void TAzAnzeige::GridComboBoxChange(TObject* sender, TCell& cell, int column, int row)
{
    LOG_FKT("TAzAnzeige::GridComboBoxChange");
    AzKnoten::TGridEditFlags flags;
    int32_t index = 0;
    if (cell.RowNr == kRowVorhanden && AzKnoten::ComboIndex(sender, index)
        && index != m_vorhanden) {
        const int8_t alt = m_vorhanden;
        m_vorhanden = static_cast<int8_t>(index);

        // The editor switches the display's bus objects and may refuse.
        TUserDeviceRequest schalten = AzKnoten::MakeRequest(*this, kCodeVorhandenSchalten);
        schalten.Wert4 = m_vorhanden;
        schalten.Wert5 = m_anzeigeNr;
        if (AzKnoten::SendRequest(*this, schalten) == 0)
            m_vorhanden = alt;

        // Recomputed from the flag as it now stands, also after a refusal: a display that
        // stays present shows every area of the variant again.
        if (m_vorhanden == 1) {
            m_anzeigeSsb = kMaskAlle;
            ModifyAnzeigeSsb(m_varianteAz);
        } else {
            m_anzeigeSsb = 0;
        }
        TUserDeviceRequest quittierung = AzKnoten::MakeRequest(*this, kCodeQuittierungMelder);
        quittierung.Wert4 = m_anzeigeSsb;
        quittierung.Wert5 = m_anzeigeNr;
        (void)AzKnoten::SendRequest(*this, quittierung);
        flags.Write = flags.Refresh = true;
    }
    AzKnoten::FinishGridEdit(*this, flags, column, row);
}

void TAzAnzeige::GridEditChange(TObject*, TCell&, int, int)
{
    LOG_FKT("TAzAnzeige::GridEditChange");
}

void TAzAnzeige::GridSpinEditChange(TObject*, TCell&, int, int)
{
    LOG_FKT("TAzAnzeige::GridSpinEditChange");
}

void TAzAnzeige::GridSpinEditOverflow(TDrawGridSE*, TObject*, TCell&, int, int, double)
{
    LOG_FKT("TAzAnzeige::GridSpinEditOverflow");
}

void TAzAnzeige::GridSpinEditUnderflow(TDrawGridSE*, TObject*, TCell&, int, int, double)
{
    LOG_FKT("TAzAnzeige::GridSpinEditUnderflow");
}

void TAzAnzeige::GridExitCell(TDrawGridSE* grid, TObject* sender, TCell& cell, int column,
                              int row)
{
    LOG_FKT("TAzAnzeige::GridExitCell");
    if (grid == nullptr || sender == nullptr)
        return;
    AzKnoten::TGridEditFlags flags;
    std::string text;
    if (cell.RowNr == kRowBezeichnung && AzKnoten::EditText(sender, text) && text != m_name
        && AzKnoten::AcceptTypedText(*this, text)) {
        m_name = std::move(text);
        flags.Write = flags.OtherViews = flags.Tree = true; // the tree shows the name
    }
    AzKnoten::FinishGridEdit(*this, flags, column, row);
}

void TAzAnzeige::GridExit(TDrawGridSE*, TObject*, TCell&, int, int)
{
    LOG_FKT("TAzAnzeige::GridExit");
}

void TAzAnzeige::GridEllipseClick(TObject*, TCell& cell, int column, int row)
{
    LOG_FKT("TAzAnzeige::GridEllipseClick");
    AzKnoten::TGridEditFlags flags;
    if (cell.RowNr == kRowBereiche) {
        const int32_t alt = m_anzeigeSsb;
        // The editor's dialog sets the chosen mask through SetAnzeigeSsb.
        TUserDeviceRequest waehlen = AzKnoten::MakeRequest(*this, kCodeBereicheWaehlen);
        waehlen.Wert4 = m_anzeigeSsb;
        (void)AzKnoten::SendRequest(*this, waehlen);
        if (m_anzeigeSsb != alt) {
            TUserDeviceRequest quittierung = AzKnoten::MakeRequest(*this, kCodeQuittierungMelder);
            quittierung.Wert4 = m_anzeigeSsb;
            quittierung.Wert5 = m_anzeigeNr;
            (void)AzKnoten::SendRequest(*this, quittierung);
            flags.Write = flags.Refresh = true;
        }
    }
    AzKnoten::FinishGridEdit(*this, flags, column, row);
}
