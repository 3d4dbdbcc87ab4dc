#pragma once
// TDlgMelderHinzufuegen: the modal dialog that asks how many detector inputs to add.
//
// The count is the spin edit's text read as a decimal number; a text that is no number gives
// the minimum 1 (and the edit shows it), a number beyond the int range counts as the largest
// int. OK (and the edit losing the focus) brings the count within 1..maximum; Enter inside
// the edit takes it as typed, also above the maximum: the detector factory's own input limit
// then ends the run. A maximum below 1 counts as 1.
//
// Modal results: 1 OK or Enter (the count is written to the caller), 2 Cancel, Escape or the
// close box (the caller's count is left as it was).

#include <QDialog>

#include <cstdint>

class QLabel;
class QPushButton;
class QSpinBox;

class TDlgMelderHinzufuegen : public QDialog {
public:
    // anzahl (not owned) receives the count on OK only. The caller sets the caption.
    TDlgMelderHinzufuegen(QWidget* owner, int32_t* anzahl, int32_t maximum);

    void BtnOkClick();
    void BtnAbbrechenClick();
    // A key of the spin edit; true when it was taken. Enter ends the dialog like OK, but with
    // the count as typed, not brought within the maximum.
    bool SpinEditAnzahlMelderKeyDown(int key);
    // Cancel, also for Escape and the close box.
    void reject() override;

    // ---- Components (names as the form has them) ---------------------------------------------
    QLabel* LabelMelderHinzufuegen = nullptr;
    QSpinBox* SpinEditAnzahlMelder = nullptr;
    QPushButton* BtnOk = nullptr;
    QPushButton* BtnAbbrechen = nullptr;

protected:
    // FormActivate: the spin edit gets the focus.
    void showEvent(QShowEvent* event) override;

private:
    void Ende(int32_t anzahl);

    int32_t* m_anzahl;
};
