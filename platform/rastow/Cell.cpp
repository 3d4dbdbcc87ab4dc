#include "rastow/Cell.h"

std::ostream& operator<<(std::ostream& out, const TCell& cell)
{
    out << "TCell{row " << cell.RowNr << ", kind " << static_cast<int>(cell.Kind) << ", \""
        << cell.Text << "\", help " << cell.Help << (cell.Enabled ? "" : ", disabled");
    switch (cell.Kind) {
    case TCell::ckComboBox:
        out << ", style " << static_cast<int>(cell.ComboStyle) << ", index " << cell.ItemIndex
            << ", items";
        for (const TComboWert& item : cell.Items)
            out << ' ' << item;
        break;
    case TCell::ckSpinEdit:
        out << ", value " << cell.SpinValue << " in " << cell.SpinMin << ".." << cell.SpinMax
            << " step " << cell.SpinStep;
        break;
    case TCell::ckEdit:
        out << ", max length " << cell.MaxLength;
        break;
    case TCell::ckGroupTitle:
        out << ", state " << static_cast<int>(cell.GroupState);
        break;
    default:
        break;
    }
    return out << '}';
}
