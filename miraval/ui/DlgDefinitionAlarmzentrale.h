#pragma once
// TDlgDefinitionAlarmzentrale: the modal dialog in which the installer picks the alarm
// centre's variant, the 32-bit code `VarianteAz` (one byte per arming area, SSB1 in the
// most significant byte, 0 = the area does not exist). Seven radio variants, some with a
// chain of check boxes that add arming areas, give the fifteen codes; the help text of the
// chosen code stands beside the choices.
//
// The chain rule: a variant's boxes count in order and an unchecked box ends the chain, so a
// later box is enabled only while every box before it is checked and counts as off whatever
// its own state. A code that is none of the fifteen opens as variant 2 with its box checked.
//
// Modal results: 1 OK (the working code is written to the caller), 2 Cancel or closed by the
// frame (the caller's code is left as it was).

#include <QDialog>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class QCheckBox;
class QColor;
class QFrame;
class QLabel;
class QPushButton;
class QRadioButton;
class QTextEdit;

class TDlgDefinitionAlarmzentrale : public QDialog {
public:
    static constexpr int AnzahlVarianten = 7;

    // variante (not owned) is read now and written on OK only; hilfeDatei is the variant help
    // file (".rtf" or ".txt", sections "#id<number>").
    TDlgDefinitionAlarmzentrale(QWidget* owner, uint32_t* variante, std::string hilfeDatei);

    // Selects the variant of the working code (run when the dialog is shown).
    void FormShow();
    // Any radio click: the checked variant is selected, every other one disabled.
    void RbnStatusChanged();
    void BtnOkClick();
    void BtnAbbrechenClick();
    // The help file's section of the id into the help field; a file that is missing, cannot
    // be read or is of another kind leaves the field as it is.
    void ShowVariantHelp(int id);

    uint32_t GetVariante() const { return m_variante; } // the working code
    int GetHilfeId() const { return m_hilfeId; }         // help id last shown, 0 none
    // The colour of an area that exists (info background).
    QColor FarbeAktiv() const;

    // ---- Components (names as the form has them) ---------------------------------------------
    std::array<QRadioButton*, AnzahlVarianten> RbtnAzVariante{};
    std::array<QFrame*, AnzahlVarianten> PanelAzVariante{};
    // PanelVarianteSb[v - 1][n - 1]: the SSB n panel of variant v; null for variant 1.
    std::array<std::array<QLabel*, 4>, AnzahlVarianten> PanelVarianteSb{};
    QLabel* PanelVariante1Feuer = nullptr;
    QLabel* PanelVariante1Ueberfall = nullptr;
    QLabel* Label1 = nullptr;
    QCheckBox* ChkVariante2Sb3Sb4 = nullptr;
    QCheckBox* ChkVariante3Sb2 = nullptr;
    QCheckBox* ChkVariante3Sb3 = nullptr;
    QCheckBox* ChkVariante3Sb4 = nullptr;
    QCheckBox* ChkVariante4Sb2 = nullptr;
    QCheckBox* ChkVariante4Sb3 = nullptr;
    QCheckBox* ChkVariante5Sb2 = nullptr;
    QCheckBox* ChkVariante6Sb2 = nullptr;
    QTextEdit* RichEditFeld = nullptr;
    QPushButton* BtnOk = nullptr;
    QPushButton* BtnAbbrechen = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void reject() override;

private:
    void ErzeugeKomponenten();
    void LadeTexte();
    void SelectVariante(int v);
    void DisableVariante(int v);

    uint32_t* m_ziel;
    uint32_t m_variante;
    std::string m_hilfeDatei;
    int m_hilfeId = 0;
    // The check-box chain of each variant, in chain order.
    std::array<std::vector<QCheckBox*>, AnzahlVarianten> m_kette;
};
