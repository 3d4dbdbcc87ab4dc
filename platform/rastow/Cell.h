#pragma once
// One cell of the property grid TDrawGridSE. A grid row has a caption cell in column 0 and a
// value cell in column 1; both carry the row number the node gave the row, and every grid
// event hands the node the cell, so the node's handlers switch on RowNr, not on the grid
// position (which depends on which rows were shown).
//
// A TCell is a plain value: nodes build one (Clear, fill, TDrawGridSE::SetCell) and the grid
// keeps a copy. Only the fields of the cell's kind mean anything; the others keep their
// defaults.

#include "rastow/ComboWert.h"

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

class TDataBasis; // the node that drew the row; the grid only carries the pointer

// Styles of a combo box, numbered as in the class library. csDropDown and csSimple have an
// editable text field; csDropDownList only offers its entries.
enum TComboBoxStyle {
    csDropDown = 0,
    csSimple = 1,
    csDropDownList = 2,
    csOwnerDrawFixed = 3,
    csOwnerDrawVariable = 4,
};

class TCell {
public:
    // Cell kinds. The numbers are fixed: node code sets kinds 6 and 2 by number.
    enum TEnumCellKind {
        ckNone = 0,       // an empty cell
        ckEdit = 1,       // editable text, MaxLength characters at most (0: no limit)
        ckComboBox = 2,   // selection from Items (editable text field by ComboStyle)
        ckSpinEdit = 3,   // number SpinValue within SpinMin..SpinMax, step SpinStep
        ckEllipse = 4,    // text with a button that raises OnEllipseClick
        ckText = 5,       // text shown only
        ckCaption = 6,    // the row's caption (column 0)
        ckGroupTitle = 7, // a section title that opens and closes (GroupState)
    };

    // State of a section title. Open and closed come in a plain and a highlighted form; a
    // section shows its rows while its title is open (IsGroupOpen). gtsNone is a cell that is
    // no section title.
    enum TEnumGroupTitleState {
        gtsNone = 0,
        gtsClosed = 1,
        gtsOpen = 2,
        gtsClosedHot = 3,
        gtsOpenHot = 4,
    };

    // True for gtsOpen and gtsOpenHot.
    static bool IsGroupOpen(TEnumGroupTitleState state)
    {
        return state == gtsOpen || state == gtsOpenHot;
    }

    // Back to a default cell (kind ckNone, no entries, enabled).
    void Clear() { *this = TCell(); }

    // True when the grid opens an editor on the cell: enabled and of kind edit, combo or spin.
    bool IsEditable() const
    {
        return Enabled && (Kind == ckEdit || Kind == ckComboBox || Kind == ckSpinEdit);
    }
    // Position of the first entry with that value; -1 when none has it.
    int IndexOfWert(int32_t wert) const
    {
        for (std::size_t i = 0; i < Items.size(); ++i) {
            if (Items[i].Wert == wert)
                return static_cast<int>(i);
        }
        return -1;
    }
    // Selects the entry at the position and shows its text; a position outside the entries
    // selects nothing and shows the empty text.
    void SelectItem(int index)
    {
        if (index >= 0 && index < static_cast<int>(Items.size())) {
            ItemIndex = index;
            Text = Items[static_cast<std::size_t>(index)].Text;
        } else {
            ItemIndex = -1;
            Text.clear();
        }
    }

    bool operator==(const TCell&) const = default;

    int RowNr = 0;                     // the node's row number; handlers switch on it
    TEnumCellKind Kind = ckNone;
    std::string Text;                  // caption, shown text, edit text or combo text
    int Help = 0;                      // help-context number of the row
    bool Enabled = true;               // false: shown, but no editor opens
    TDataBasis* Data = nullptr;        // the node that drew the row (not owned)

    // ckComboBox
    TComboBoxStyle ComboStyle = csDropDownList;
    bool ComboFlag = false;            // handed on by an editable combo row; the grid keeps it
    std::vector<TComboWert> Items;
    int ItemIndex = -1;                // the selected entry, -1 for none

    // ckSpinEdit
    int32_t SpinValue = 0;
    int32_t SpinMin = 0;
    int32_t SpinMax = 0;
    int32_t SpinStep = 1;

    // ckEdit
    int MaxLength = 0;                 // characters, not bytes; 0 for no limit

    // ckGroupTitle
    TEnumGroupTitleState GroupState = gtsNone;
};

std::ostream& operator<<(std::ostream& out, const TCell& cell);
