#pragma once
// TDlgLinkToGrpAdr: the small modal dialog behind "Mit Gruppenadresse verbinden ..." for a
// communication object. It proposes an address text (the caller's: the next free address),
// lets the user change it and give a name, and returns the parsed address and the name; the
// caller makes the group address when needed and links the object.
//
// The address edit takes digits, the separators "/ .,-" and Backspace only; Enter in either
// edit is OK. OK with an address that does not parse keeps the dialog open (the parser has
// said why).
//
// Modal results: 1 OK (address and name written to the caller), 2 Cancel, Escape or the
// close box (the caller's outputs untouched).

#include "win32/Windows.h"

#include <QDialog>

#include <cstdint>
#include <string>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

class TDlgLinkToGrpAdr : public QDialog {
public:
    // adresse: the text proposed. name, main, middle, sub (not owned) are written on OK only.
    // dreiEbenen: the level style the text is parsed in.
    TDlgLinkToGrpAdr(QWidget* owner, const std::string& adresse, std::string* name, uint16_t* main,
                     uint16_t* middle, uint16_t* sub, bool dreiEbenen);

    void BtnOkClick();
    void BtnAbbrechenClick();
    // The parser in the dialog's level style (GrpAdrText); outputs written on true only.
    bool StringToGrpAdr(const std::string& text, uint16_t& main, uint16_t& middle, uint16_t& sub) const;
    void reject() override;

    // ---- Components (names as the form has them) ---------------------------------------------
    QFrame* Bevel1 = nullptr;
    QLabel* LabelInfoText = nullptr;
    QLabel* LabelGrpAdr = nullptr;
    QLabel* LabelGrpAdrName = nullptr;
    QLineEdit* EditGrpAdr = nullptr;
    QLineEdit* EditGrpAdrName = nullptr;
    QPushButton* BtnOk = nullptr;
    QPushButton* BtnAbbrechen = nullptr;

protected:
    // FormShow: the address edit gets the focus.
    void showEvent(QShowEvent* event) override;

private:
    std::string* m_name;
    uint16_t* m_main;
    uint16_t* m_middle;
    uint16_t* m_sub;
    bool m_dreiEbenen;
};
