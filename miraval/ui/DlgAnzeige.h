#pragma once
// TDlgAnzeige: the modal dialog that chooses the areas a display unit shows, as a 6-bit mask:
// bits 0-3 the arming areas SSB1-SSB4, bit 4 the fire detectors, bit 5 the hold-up detectors.
// An arming area that the centre's variant code does not have (its byte is 0) is unchecked
// and disabled, so OK clears its bit; fire and hold-up can always be chosen.
//
// Modal results: 1 OK (the boxes' mask is written to the caller), 2 Cancel or closed by the
// frame (the caller's mask is left as it was). The caller sets the caption and the label.

#include <QDialog>

#include <array>
#include <cstdint>

class QCheckBox;
class QColor;
class QFrame;
class QLabel;
class QPushButton;

class TDlgAnzeige : public QDialog {
public:
    static constexpr uint32_t BitFeuer = 1u << 4;
    static constexpr uint32_t BitUeberfall = 1u << 5;

    // maske (not owned) is read now and written on OK only; variante is the centre's code.
    TDlgAnzeige(QWidget* owner, uint32_t* maske, uint32_t variante);

    // SSB n (1..4) exists in the variant code: its byte is not 0.
    static bool SsbVorhanden(uint32_t variante, int n);

    // Sets the boxes from the working mask and the variant (run when the dialog is shown).
    void FormShow();
    void BtnOkClick();
    void BtnAbbrechenClick();

    QColor FarbeAktiv() const;

    // ---- Components (names as the form has them) ---------------------------------------------
    QLabel* LabelAnzeigeText = nullptr;
    std::array<QCheckBox*, 4> ChkSsb{}; // ChkSsb1 .. ChkSsb4
    QCheckBox* ChkFeuer = nullptr;
    QCheckBox* ChkUeberfall = nullptr;
    std::array<QFrame*, 4> PanelSsb{}; // PanelSsb1 .. PanelSsb4, each with its picture
    QLabel* PanelFeuer = nullptr;
    QLabel* PanelUeberfall = nullptr;
    QPushButton* BtnOk = nullptr;
    QPushButton* BtnAbbrechen = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void reject() override;

private:
    void ErzeugeKomponenten();
    // The panel beside a box: active colour while the box is checked.

    uint32_t* m_ziel;
    uint32_t m_maske;
    uint32_t m_variante;
};
