#pragma once
// TDlgNewGrpAddrName: the small modal dialog that asks the name of a group address about to
// be made. OK (the default button, so also Enter) gives the edit's text to the caller and
// modal result 1; Cancel, Escape and the close box give 2 and leave the caller's text.

#include <QDialog>

#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

class TDlgNewGrpAddrName : public QDialog {
public:
    // name (not owned) is written on OK only; the edit starts empty.
    TDlgNewGrpAddrName(QWidget* owner, const std::string& caption, const std::string& text, std::string* name);

    void btnOkClick();
    void reject() override;

    // ---- Components (names as the form has them) ---------------------------------------------
    QLabel* LabelText = nullptr;
    QLineEdit* EditGrpAddrName = nullptr;
    QPushButton* btnOk = nullptr;
    QPushButton* btnCancel = nullptr;

private:
    std::string* m_name;
};
