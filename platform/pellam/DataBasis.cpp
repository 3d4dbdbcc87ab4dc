#include "pellam/DataBasis.h"

#include "pellam/EibHandle.h"
#include "quillon/DatenStruktur.h"
#include "quillon/UserMessages.h"
#include "rastow/ComboWert.h"
#include "rastow/DrawGridSE.h"
#include "tamsel/Tamsel.h"
#include "vcl/StringList.h"

#include <utility>

namespace {

constexpr int kGridColumns = 2;

} // namespace

E_DataBasis::E_DataBasis(int severity, std::string message, std::string place,
                         std::string source, int position)
    : E_Basis(severity, std::move(message), std::move(place), std::move(source), position,
              "E_DataBasis")
{
    LOG_FKT("E_DataBasis::E_DataBasis");
}

TDataBasis::TDataBasis(HWND owner, int32_t system, int32_t parent, std::string name,
                       int32_t art)
    : m_owner(owner), m_parent(parent), m_system(system), m_name(std::move(name)), m_art(art)
{
    LOG_FKT("TDataBasis::TDataBasis");
}

TDataBasis::~TDataBasis()
{
    LOG_FKT("TDataBasis::~TDataBasis");
}

int TDataBasis::GetQuickHelpIndexOffset() const
{
    LOG_FKT("TDataBasis::GetQuickHelpIndexOffset");
    return 0;
}

void TDataBasis::SetFlag()
{
    LOG_FKT("TDataBasis::SetFlag");
    m_flag = true;
}

void TDataBasis::ResetFlag()
{
    LOG_FKT("TDataBasis::ResetFlag");
    m_flag = false;
}

std::string TDataBasis::GetName(bool /*mitPosition*/) const
{
    LOG_FKT("TDataBasis::GetName");
    return m_name;
}

int TDataBasis::GetBasisWert()
{
    LOG_FKT("TDataBasis::GetBasisWert");
    return 10;
}

void TDataBasis::SetName(std::string name)
{
    LOG_FKT("TDataBasis::SetName");
    m_name = std::move(name);
}

int TDataBasis::SetParent(int parent)
{
    LOG_FKT("TDataBasis::SetParent");
    m_parent = parent;
    return m_parent;
}

int TDataBasis::GetParent()
{
    LOG_FKT("TDataBasis::GetParent");
    return m_parent;
}

HWND TDataBasis::GetOwnerWindow()
{
    LOG_FKT("TDataBasis::GetOwnerWindow");
    return m_owner;
}

void TDataBasis::KonvertHandle(TEibHandle* handles)
{
    LOG_FKT("TDataBasis::KonvertHandle");
    if (handles == nullptr)
        return;
    const int32_t handle = handles->GetNew();
    if (handle > 0)
        m_handle = handle;
}

bool TDataBasis::IsBasisAktiv()
{
    LOG_FKT("TDataBasis::IsBasisAktiv");
    return true;
}

int TDataBasis::SetObjFkt(char /*fkt*/)
{
    LOG_FKT("TDataBasis::SetObjFkt");
    return 0;
}

bool TDataBasis::IsVisible()
{
    LOG_FKT("TDataBasis::IsVisible");
    return true;
}

void TDataBasis::AktualisiereBasis()
{
    LOG_FKT("TDataBasis::AktualisiereBasis");
}

void TDataBasis::Write(TDatenStruktur& record)
{
    LOG_FKT("TDataBasis::Write");
    record.Handle = m_handle;
    record.Name = m_name;
    record.Typ = static_cast<int16_t>(GetTyp());
    record.Parent = GetParent();
    record.System = GetSystem();
    record.Param1 = m_position;
    record.Param2 = 0;
    record.Bool1 = false;
    record.Bool2 = false;
}

void TDataBasis::SetPosId(int position)
{
    LOG_FKT("TDataBasis::SetPosId");
    m_position = position;
}

void TDataBasis::SetPosId(TDataBasis* other)
{
    LOG_FKT("TDataBasis::SetPosId");
    if (other != nullptr)
        m_position = other->GetPosId();
}

int TDataBasis::GetPosId()
{
    LOG_FKT("TDataBasis::GetPosId");
    return m_position;
}

bool TDataBasis::DatenAbgleich(bool, bool)
{
    LOG_FKT("TDataBasis::DatenAbgleich");
    return true;
}

TDataBasis* TDataBasis::GetPointerFromHandle(int handle)
{
    LOG_FKT("TDataBasis::GetPointerFromHandle");
    const LRESULT answer =
        SendMessage(GetOwnerWindow(), UM_GetDataPointer,
                    static_cast<WPARAM>(static_cast<std::intptr_t>(handle)), 0);
    return reinterpret_cast<TDataBasis*>(answer);
}

void TDataBasis::DeleteDBEntry()
{
    LOG_FKT("TDataBasis::DeleteDBEntry");
    if (m_handle <= 0)
        return;
    SendMessage(GetOwnerWindow(), UM_DeleteNextDatenSatz,
                MakeDatenSatzKey(GetParent(), GetSystem()), static_cast<LPARAM>(m_handle));
}

void TDataBasis::DeleteDS()
{
    LOG_FKT("TDataBasis::DeleteDS");
}

int TDataBasis::Query27()
{
    LOG_FKT("TDataBasis::Query27");
    return 0;
}

int TDataBasis::Query28()
{
    LOG_FKT("TDataBasis::Query28");
    return 0;
}

bool TDataBasis::AllowDrop(TDataBasis* source)
{
    LOG_FKT("TDataBasis::AllowDrop");
    // Without a source there is nothing whose type could be asked.
    if (source == nullptr)
        return false;
    return AllowChild(source->GetTyp());
}

void TDataBasis::Drop(TDataBasis* /*source*/)
{
    LOG_FKT("TDataBasis::Drop");
}

int TDataBasis::Query31()
{
    LOG_FKT("TDataBasis::Query31");
    return 0;
}

int TDataBasis::Query32()
{
    LOG_FKT("TDataBasis::Query32");
    return 0;
}

int TDataBasis::Query33()
{
    LOG_FKT("TDataBasis::Query33");
    return 0;
}

void TDataBasis::BuildInfoWindow(TDrawGridSE* grid, TListView* /*list*/, bool /*first*/,
                                 int /*column*/, int /*row*/)
{
    LOG_FKT("TDataBasis::BuildInfoWindow");
    if (grid != nullptr)
        grid->Prepare(kGridColumns);
}

void TDataBasis::InitFromDB(TDatenStruktur& record)
{
    LOG_FKT("TDataBasis::InitFromDB");
    m_handle = record.Handle;
    m_name = record.Name;
    m_parent = record.Parent;
    m_system = record.System;
    m_position = record.Param1;
}

int TDataBasis::Query36()
{
    LOG_FKT("TDataBasis::Query36");
    return 0;
}

bool TDataBasis::Query37()
{
    LOG_FKT("TDataBasis::Query37");
    return true;
}

bool TDataBasis::Einfuegen(std::map<int, TDatenStruktur>& /*records*/)
{
    LOG_FKT("TDataBasis::Einfuegen");
    return true;
}

bool TDataBasis::VireoImport(std::map<int, TDatenStruktur>& /*records*/, bool /*flag*/)
{
    LOG_FKT("TDataBasis::VireoImport");
    return true;
}

bool TDataBasis::ModifyObject(int wert, int paramNr, int offset, bool ask)
{
    LOG_FKT("TDataBasis::ModifyObject");
    TUserDeviceRequest request{};
    request.Handle = m_handle;
    request.Code = 8;
    request.Sender = this;
    request.Wert5 = paramNr;
    request.Wert6 = wert;
    request.Wert7 = offset;
    request.Wert8 = ask ? 1 : 0;
    return SendMessage(GetOwnerWindow(), UM_UserObjectMessage, 0,
                       reinterpret_cast<LPARAM>(&request)) != 0;
}

bool TDataBasis::Paste(TDatenManager<TDatenStruktur>* /*records*/, std::string& /*message*/)
{
    LOG_FKT("TDataBasis::Paste");
    return true;
}

bool TDataBasis::Reset(std::string& /*message*/)
{
    LOG_FKT("TDataBasis::Reset");
    return true;
}

bool TDataBasis::Import(TDatenManager<TDatenStruktur>* /*records*/, bool, bool,
                        std::string& /*message*/, int)
{
    LOG_FKT("TDataBasis::Import");
    return true;
}

int TDataBasis::GetPosition()
{
    LOG_FKT("TDataBasis::GetPosition");
    return m_position;
}

void TDataBasis::SetPosition(int position)
{
    LOG_FKT("TDataBasis::SetPosition");
    SetPosId(position);
}

int TDataBasis::GetChildCount(bool /*alle*/)
{
    LOG_FKT("TDataBasis::GetChildCount");
    return 0;
}

TDataBasis* TDataBasis::GetChild(int /*index*/, bool /*alle*/)
{
    LOG_FKT("TDataBasis::GetChild");
    return nullptr;
}

int32_t TDataBasis::GetParentHandle()
{
    LOG_FKT("TDataBasis::GetParentHandle");
    return m_parent;
}

TDatenStruktur* TDataBasis::GetDatensatz(int system, int handle)
{
    LOG_FKT("TDataBasis::GetDatensatz");
    const LRESULT answer =
        SendMessage(GetOwnerWindow(), UM_GetDatenSatzByHandle,
                    static_cast<WPARAM>(static_cast<std::intptr_t>(system)),
                    static_cast<LPARAM>(handle));
    return reinterpret_cast<TDatenStruktur*>(answer);
}

// --- Grid rows -------------------------------------------------------------------------------

int TDataBasis::RowHelp(int help, int row) const
{
    LOG_FKT("TDataBasis::RowHelp");
    return help > 0 ? help : GetQuickHelpIndexOffset() + row;
}

int TDataBasis::NextGridRow(TDrawGridSE* grid, bool append)
{
    LOG_FKT("TDataBasis::NextGridRow");
    if (grid == nullptr)
        return -1;
    if (append || grid->RowCount() == 0)
        grid->SetRowCount(grid->RowCount() + 1);
    return grid->RowCount() - 1;
}

void TDataBasis::SetRowCells(TDrawGridSE* grid, int gridRow, const std::string& caption,
                             int row, int help, TCell value)
{
    LOG_FKT("TDataBasis::SetRowCells");
    TCell captionCell;
    captionCell.Kind = TCell::ckCaption;
    captionCell.Text = caption;
    captionCell.RowNr = row;
    captionCell.Help = help;
    captionCell.Data = this;
    grid->SetCell(0, gridRow, captionCell);

    value.RowNr = row;
    value.Help = help;
    value.Data = this;
    grid->SetCell(1, gridRow, value);
}

void TDataBasis::AddRowCaption(TDrawGridSE* grid, int row, const std::string& caption,
                               const std::string& text, TCell::TEnumGroupTitleState state,
                               bool append)
{
    LOG_FKT("TDataBasis::AddRowCaption");
    if (grid == nullptr)
        return;
    const int gridRow = NextGridRow(grid, append);
    TCell title;
    title.Kind = TCell::ckGroupTitle;
    title.GroupState = state;
    title.RowNr = row;
    title.Help = RowHelp(0, row);
    title.Data = this;
    title.Text = caption;
    grid->SetCell(0, gridRow, title);
    title.Text = text;
    grid->SetCell(1, gridRow, title);
}

void TDataBasis::AddRowTextFeld(TDrawGridSE* grid, const std::string& caption, int row,
                                const std::string& value, int help, bool append)
{
    LOG_FKT("TDataBasis::AddRowTextFeld");
    if (grid == nullptr)
        return;
    TCell cell;
    cell.Kind = TCell::ckText;
    cell.Text = value;
    SetRowCells(grid, NextGridRow(grid, append), caption, row, RowHelp(help, row), cell);
}

void TDataBasis::AddRowEditFeld(TDrawGridSE* grid, const std::string& caption, int row,
                                const std::string& value, int help, bool append, int maxLength)
{
    LOG_FKT("TDataBasis::AddRowEditFeld");
    if (grid == nullptr)
        return;
    TCell cell;
    cell.Kind = TCell::ckEdit;
    cell.Text = value;
    cell.MaxLength = maxLength > 0 ? maxLength : 0;
    SetRowCells(grid, NextGridRow(grid, append), caption, row, RowHelp(help, row), cell);
}

void TDataBasis::AddRowEllipse(TDrawGridSE* grid, const std::string& caption, int row,
                               const std::string& value, int help, bool append)
{
    LOG_FKT("TDataBasis::AddRowEllipse");
    if (grid == nullptr)
        return;
    TCell cell;
    cell.Kind = TCell::ckEllipse;
    cell.Text = value;
    SetRowCells(grid, NextGridRow(grid, append), caption, row, RowHelp(help, row), cell);
}

void TDataBasis::AddRowComboBox(TDrawGridSE* grid, const std::string& caption, int row,
                                const std::list<TComboWert>& entries, int selected, int help,
                                bool append)
{
    LOG_FKT("TDataBasis::AddRowComboBox");
    if (grid == nullptr)
        return;
    TCell cell;
    cell.Kind = TCell::ckComboBox;
    cell.ComboStyle = csDropDownList;
    cell.Items.assign(entries.begin(), entries.end());
    cell.SelectItem(cell.IndexOfWert(selected));
    SetRowCells(grid, NextGridRow(grid, append), caption, row, RowHelp(help, row), cell);
}

void TDataBasis::AddRowComboBox(TDrawGridSE* grid, const std::string& caption, int row,
                                const TStringList* entries, int selected, int help, bool append)
{
    LOG_FKT("TDataBasis::AddRowComboBox");
    if (grid == nullptr)
        return;
    TCell cell;
    cell.Kind = TCell::ckComboBox;
    cell.ComboStyle = csDropDownList;
    if (entries != nullptr) {
        for (int i = 0; i < entries->Count(); ++i)
            cell.Items.emplace_back(entries->Strings(i), i);
    }
    cell.SelectItem(selected);
    SetRowCells(grid, NextGridRow(grid, append), caption, row, RowHelp(help, row), cell);
}

void TDataBasis::AddRowComboBoxYes(TDrawGridSE* grid, const std::string& caption, int row,
                                   T_DB_EnumDataBasis::TEnumBool value, int help, bool append)
{
    LOG_FKT("TDataBasis::AddRowComboBoxYes");
    if (grid == nullptr)
        return;
    TCell cell;
    cell.Kind = TCell::ckComboBox;
    cell.ComboStyle = csDropDownList;
    cell.Items = {TComboWert("Nein", T_DB_EnumDataBasis::ebFalse),
                  TComboWert("Ja", T_DB_EnumDataBasis::ebTrue)};
    // Any value but ebFalse is a yes: a flag read from a record is 0 or 1, but the enum may
    // be built from a wider member.
    cell.SelectItem(value == T_DB_EnumDataBasis::ebFalse ? 0 : 1);
    SetRowCells(grid, NextGridRow(grid, append), caption, row, RowHelp(help, row), cell);
}

void TDataBasis::AddRowSpinEdit(TDrawGridSE* grid, const std::string& caption, int row,
                                int maximum, int minimum, int step, int value, int help,
                                bool append)
{
    LOG_FKT("TDataBasis::AddRowSpinEdit");
    if (grid == nullptr)
        return;
    TCell cell;
    cell.Kind = TCell::ckSpinEdit;
    cell.SpinMax = maximum;
    cell.SpinMin = minimum;
    cell.SpinStep = step;
    cell.SpinValue = value;
    cell.Text = std::to_string(value);
    SetRowCells(grid, NextGridRow(grid, append), caption, row, RowHelp(help, row), cell);
}

bool TDataBasis::ChangeGroupTitleState(TCell::TEnumGroupTitleState& state)
{
    LOG_FKT("TDataBasis::ChangeGroupTitleState");
    switch (state) {
    case TCell::gtsClosed:
        state = TCell::gtsOpen;
        return true;
    case TCell::gtsOpen:
        state = TCell::gtsClosed;
        return true;
    case TCell::gtsClosedHot:
        state = TCell::gtsOpenHot;
        return true;
    case TCell::gtsOpenHot:
        state = TCell::gtsClosedHot;
        return true;
    case TCell::gtsNone:
        break;
    }
    return false;
}
