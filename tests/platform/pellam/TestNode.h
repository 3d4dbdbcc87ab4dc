#pragma once
// The smallest node class: the four slots every class must give, and the protected helpers
// of the base opened for the tests.

#include "pellam/DataBasis.h"

#include <string>
#include <utility>

class TTestNode : public TDataBasis {
public:
    static constexpr int kTyp = 6124;
    static constexpr int kChildTyp = 806;

    TTestNode(HWND owner, int32_t system = 1, int32_t parent = 2, std::string name = "Knoten",
              int32_t art = 0)
        : TDataBasis(owner, system, parent, std::move(name), art)
    {
    }

    int GetTyp() override { return kTyp; }
    int ListStyle() override { return 1; }
    int GetIcon() override { return 3; }
    bool AllowChild(int typ) override { return typ == kChildTyp; }

    using TDataBasis::AddRowCaption;
    using TDataBasis::AddRowComboBox;
    using TDataBasis::AddRowComboBoxYes;
    using TDataBasis::AddRowEditFeld;
    using TDataBasis::AddRowEllipse;
    using TDataBasis::AddRowSpinEdit;
    using TDataBasis::AddRowTextFeld;
    using TDataBasis::ChangeGroupTitleState;
    using TDataBasis::GetDatensatz;
};

// A node of another type, to drop onto a TTestNode.
class TOtherNode : public TTestNode {
public:
    explicit TOtherNode(int typ) : TTestNode(nullptr), m_typ(typ) {}
    int GetTyp() override { return m_typ; }

private:
    int m_typ;
};
