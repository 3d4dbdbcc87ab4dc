#include "tessarin/AzSystem.h"

#include "quillon/DatenStruktur.h"
#include "rastow/DrawGridSE.h"
#include "rastow/QmSpinEdit.h"
#include "tamsel/Tamsel.h"
#include "tessarin/AzKnoten.h"
#include "tessarin/SprAz.h"
#include "vcl/StringList.h"
#include "win32/MessageBox.h"

#include <array>
#include <utility>

namespace {

constexpr int kQuickHelpIndex = 1;
constexpr int kIcon = 29;
constexpr int kListStyle = 1;

constexpr int kParamVariante = 10070;
constexpr int kParamFlag = 10060;
constexpr int kParamImpuls = 10110;
constexpr int kParamScharfQuittierung = 10120;
constexpr int kParamUnscharfQuittierung = 10130;
constexpr int kParamBusspannung = 10010;
constexpr int kParamEreignisspeicher = 10140;

// User texts the string table does not hold.
constexpr const char* kTxtVariante = "Konfiguration der Sicherungsbereiche";
constexpr const char* kTxtImpuls = "Impuls Scharf-/Unscharf-Signal [s]";
constexpr const char* kTxtScharfQuittierung = "Scharf-Quittierungszeit [s]";
constexpr const char* kTxtUnscharfQuittierung = "Unscharf-Quittierungszeit [s]";
constexpr const char* kTxtBusspannung = "Busspannungswiederkehr";
constexpr const char* kTxtLetzterZustand = "Letzter Zustand";
constexpr const char* kTxtAlleSsbUnscharf = "Alle SSB unscharf";
constexpr const char* kTxtFrageVariante =
    "Soll die Konfiguration der Sicherungsbereiche wirklich geändert werden?\n\r"
    "Durch die Änderung werden Sicherungsbereiche mit allen untergeordneten\n\r"
    "Eingängen gelöscht.";
constexpr const char* kTxtFehlerVariante =
    "Fehler beim umschalten der Konfiguration.\n\rPlug-In muss neu gestartet werden";

struct TVarianteText {
    uint32_t code;
    const char* text; // null: the string table's "Konfiguration 1"
};

// The known variant codes; every other code has no text.
constexpr std::array<TVarianteText, 15> kVarianten = {{
    {0x00000000u, nullptr},
    {0x11330000u, "Konfiguration 2.1"},
    {0x113344CCu, "Konfiguration 2.2"},
    {0x110044CCu, "Konfiguration 3.1"},
    {0x112244CCu, "Konfiguration 3.2"},
    {0x11000000u, "Konfiguration 4.1"},
    {0x11220000u, "Konfiguration 4.2"},
    {0x11224400u, "Konfiguration 4.3"},
    {0x11224488u, "Konfiguration 4.4"},
    {0x11000098u, "Konfiguration 5.1"},
    {0x112200B8u, "Konfiguration 5.2"},
    {0x112244F8u, "Konfiguration 5.3"},
    {0x112244B8u, "Konfiguration 6"},
    {0x11004498u, "Konfiguration 7.1"},
    {0x11224498u, "Konfiguration 7.2"},
}};

// Event-memory depth by the number of security areas (index 1 to 4).
constexpr std::array<uint8_t, 5> kTiefeJeBereiche = {0, 255, 160, 106, 80};

TQmSpinEdit* SpinEditor(TObject* sender)
{
    if (sender == nullptr || sender->ClassName() != "TQmSpinEdit")
        return nullptr;
    return dynamic_cast<TQmSpinEdit*>(sender);
}

} // namespace

TAzSystem::TAzSystem(HWND owner, int32_t system, int32_t parent, std::string name,
                     int32_t deviceId, int32_t deviceValue, int32_t art)
    : TVireoEtsDevice(owner, system, parent, std::move(name), deviceId, deviceValue, art),
      m_quickHelpIndex(kQuickHelpIndex)
{
    LOG_FKT("TAzSystem::TAzSystem");
}

TAzSystem::~TAzSystem()
{
    LOG_FKT("TAzSystem::~TAzSystem");
}

int TAzSystem::GetQuickHelpIndexOffset() const
{
    return m_quickHelpIndex;
}

std::string TAzSystem::GetName(bool) const
{
    LOG_FKT("TAzSystem::GetName");
    return TVireoEtsDevice::GetName(false);
}

int TAzSystem::GetTyp()
{
    return kTyp;
}

int TAzSystem::ListStyle()
{
    return kListStyle;
}

int TAzSystem::GetIcon()
{
    return kIcon;
}

bool TAzSystem::AllowChild(int)
{
    return false;
}

bool TAzSystem::AllowDrop(TDataBasis* source)
{
    LOG_FKT("TAzSystem::AllowDrop");
    if (source != nullptr)
        (void)source->GetTyp();
    return false;
}

void TAzSystem::Drop(TDataBasis* source)
{
    LOG_FKT("TAzSystem::Drop");
    if (source != nullptr && source != this)
        (void)source->GetTyp();
}

void TAzSystem::Write(TDatenStruktur& record)
{
    LOG_FKT("TAzSystem::Write");
    TVireoEtsDevice::Write(record);
    record.Param7 = static_cast<int32_t>(m_varianteAz);
    record.Bool3 = m_flag != 0;
    record.Param9 = m_impuls;
    record.Param10 = m_scharfQuittierung;
    record.Param11 = m_unscharfQuittierung;
    record.Bool4 = m_busspannung != 0;
    record.Param12 = m_ereignisspeichertiefe;
}

void TAzSystem::InitFromDB(TDatenStruktur& record)
{
    LOG_FKT("TAzSystem::InitFromDB");
    TVireoEtsDevice::InitFromDB(record);
    m_varianteAz = static_cast<uint32_t>(record.Param7);
    m_flag = record.Bool3 ? 1 : 0;
    m_impuls = record.Param9;
    m_scharfQuittierung = record.Param10;
    m_unscharfQuittierung = record.Param11;
    m_busspannung = record.Bool4 ? ebAlleSsbUnscharf : ebLetzterZustand;
    m_ereignisspeichertiefe = static_cast<uint8_t>(record.Param12);
}

void TAzSystem::BuildInfoWindow(TDrawGridSE* grid, TListView*, bool, int column, int row)
{
    LOG_FKT("TAzSystem::BuildInfoWindow");
    if (!AzKnoten::BeginInfoWindow(*this, grid))
        return;
    AddRowEllipse(grid, kTxtVariante, kRowVariante, GetTextVarianteAz(m_varianteAz), 0, false);
    AddRowSpinEdit(grid, kTxtImpuls, kRowImpuls, m_impulsMax, m_impulsMin, m_impulsStep,
                   m_impuls, 0, true);
    AddRowSpinEdit(grid, kTxtScharfQuittierung, kRowScharfQuittierung, m_scharfQuittierungMax,
                   m_scharfQuittierungMin, m_scharfQuittierungStep, m_scharfQuittierung, 0,
                   true);
    AddRowSpinEdit(grid, kTxtUnscharfQuittierung, kRowUnscharfQuittierung,
                   m_unscharfQuittierungMax, m_unscharfQuittierungMin,
                   m_unscharfQuittierungStep, m_unscharfQuittierung, 0, true);
    TStringList busspannung;
    busspannung.Add(kTxtLetzterZustand);
    busspannung.Add(kTxtAlleSsbUnscharf);
    AddRowComboBox(grid, kTxtBusspannung, kRowBusspannung, &busspannung, m_busspannung, 0, true);
    AzKnoten::EndInfoWindow(*this, column, row);
}

bool TAzSystem::Einfuegen(std::map<int, TDatenStruktur>& records)
{
    LOG_FKT("TAzSystem::Einfuegen");
    return AzKnoten::FindOwnType(*this, records) != nullptr
           && TVireoEtsDevice::Einfuegen(records);
}

void TAzSystem::SetParamVarianteAz(uint32_t variante)
{
    LOG_FKT("TAzSystem::SetParamVarianteAz");
    m_varianteAz = variante;
}

std::string TAzSystem::GetTextVarianteAz(uint32_t variante)
{
    LOG_FKT("TAzSystem::GetTextVarianteAz");
    for (const TVarianteText& v : kVarianten) {
        if (v.code == variante)
            return v.text != nullptr ? std::string(v.text) : SprAz::Txt10001;
    }
    return {};
}

void TAzSystem::SetEreignisspeichertiefe(int bereiche)
{
    LOG_FKT("TAzSystem::SetEreignisspeichertiefe");
    if (bereiche >= 1 && bereiche <= 4)
        m_ereignisspeichertiefe = kTiefeJeBereiche[static_cast<std::size_t>(bereiche)];
}

void TAzSystem::WriteDataToDb()
{
    LOG_FKT("TAzSystem::WriteDataToDb");
    AzKnoten::TParamWriter writer(*this);
    if (!writer)
        return;
    writer.Set(kParamVariante, static_cast<int32_t>(m_varianteAz));
    writer.Set(kParamFlag, m_flag);
    writer.Set(kParamImpuls, m_impuls);
    writer.Set(kParamScharfQuittierung, m_scharfQuittierung);
    writer.Set(kParamUnscharfQuittierung, m_unscharfQuittierung);
    writer.Set(kParamBusspannung, m_busspannung);
    writer.Set(kParamEreignisspeicher, m_ereignisspeichertiefe);
}

void TAzSystem::GridComboBoxChange(TObject* sender, TCell& cell, int column, int row)
{
    LOG_FKT("TAzSystem::GridComboBoxChange");
    AzKnoten::TGridEditFlags flags;
    int32_t index = 0;
    if (cell.RowNr == kRowBusspannung && AzKnoten::ComboIndex(sender, index)
        && index != m_busspannung) {
        m_busspannung = static_cast<int8_t>(index);
        flags.Write = flags.OtherViews = true;
    }
    AzKnoten::FinishGridEdit(*this, flags, column, row);
}

void TAzSystem::GridEditChange(TObject*, TCell&, int, int)
{
    LOG_FKT("TAzSystem::GridEditChange");
}

void TAzSystem::GridSpinEditChange(TObject*, TCell&, int, int)
{
    LOG_FKT("TAzSystem::GridSpinEditChange");
}

void TAzSystem::GridSpinEditOverflow(TDrawGridSE*, TObject* sender, TCell&, int, int, double)
{
    LOG_FKT("TAzSystem::GridSpinEditOverflow");
    if (TQmSpinEdit* spin = SpinEditor(sender)) {
        spin->Position = spin->Max;
        spin->Value = spin->Position;
    }
}

void TAzSystem::GridSpinEditUnderflow(TDrawGridSE*, TObject* sender, TCell&, int, int, double)
{
    LOG_FKT("TAzSystem::GridSpinEditUnderflow");
    if (TQmSpinEdit* spin = SpinEditor(sender)) {
        spin->Position = spin->Min;
        spin->Value = spin->Position;
    }
}

void TAzSystem::GridExitCell(TDrawGridSE* grid, TObject* sender, TCell& cell, int column,
                             int row)
{
    LOG_FKT("TAzSystem::GridExitCell");
    if (grid == nullptr || sender == nullptr)
        return;
    int32_t* ziel = nullptr;
    switch (cell.RowNr) {
    case kRowImpuls:
        ziel = &m_impuls;
        break;
    case kRowScharfQuittierung:
        ziel = &m_scharfQuittierung;
        break;
    case kRowUnscharfQuittierung:
        ziel = &m_unscharfQuittierung;
        break;
    default:
        return;
    }
    AzKnoten::TGridEditFlags flags;
    int32_t value = 0;
    if (AzKnoten::SpinValue(sender, value)) {
        *ziel = value;
        flags.Write = flags.OtherViews = true;
    }
    AzKnoten::FinishGridEdit(*this, flags, column, row);
}

void TAzSystem::GridExit(TDrawGridSE*, TObject*, TCell&, int, int)
{
    LOG_FKT("TAzSystem::GridExit");
}

void TAzSystem::GridEllipseClick(TObject*, TCell& cell, int column, int row)
{
    LOG_FKT("TAzSystem::GridEllipseClick");
    if (cell.RowNr != kRowVariante)
        return;
    const uint32_t alt = m_varianteAz;
    // The editor's dialog stores a confirmed choice through SetParamVarianteAz; its answer
    // says nothing, so the node compares codes.
    TUserDeviceRequest request = AzKnoten::MakeRequest(*this, kCodeVarianteDialog);
    (void)AzKnoten::SendRequest(*this, request);
    const uint32_t neu = m_varianteAz;
    if (neu == alt)
        return;

    if (MessageBox(GetOwnerWindow(), kTxtFrageVariante, kTxtVariante,
                   MB_YESNO | MB_ICONQUESTION)
        != IDYES) {
        m_varianteAz = alt;
        return;
    }

    // The same request again: the editor removes the areas the new code lacks and answers
    // in Wert4 how many security areas the new code has.
    request.Code = kCodeVarianteAendern;
    request.Wert8 = static_cast<int32_t>(neu);
    if (AzKnoten::SendRequest(*this, request) == 0) {
        MessageBox(GetOwnerWindow(), kTxtFehlerVariante, SprAz::Txt10179, MB_OK);
        return;
    }
    SetEreignisspeichertiefe(request.Wert4);
    AzKnoten::TGridEditFlags flags;
    flags.Write = flags.Align = flags.Refresh = true;
    AzKnoten::FinishGridEdit(*this, flags, column, row);
}
