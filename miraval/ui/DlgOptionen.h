#pragma once
// TDlgOptionen: the modal options dialog. The user sets the property grid's colours, lines
// and column width, the automatic cell activation and the timed safety copy; a page that is
// never shown holds the compiler and download values kept in the ETS profile.
//
// Made, it reads the INI file (replacing the data module's grid-size and cell-activation
// values by the stored ones) and the ETS profile. Colours, grid lines and column width change
// the data module at once, so the project windows show them on the next reload (preview, OK).
// OK (modal result 7) writes the INI file and, when the profile was read completely at
// creation, the ETS profile, tells the main window to reload colours and sizes and restarts
// the safety-copy timer. Cancel (modal result 2) puts back only the five grid settings
// saved at creation and reloads the colours; closing by the frame changes nothing.
//
// Colours are Windows colour values (0x00BBGGRR, or the top bit and a system colour index).
// The data module (DM) must exist while the dialog does.

#include "win32/Windows.h"

#include <QDialog>

#include <array>
#include <cstdint>
#include <functional>
#include <string>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QWidget;
class TDM;
class TEts2Cdi;

class TDlgOptionen : public QDialog {
public:
    static constexpr int ModalOk = 7;
    static constexpr int ModalAbbrechen = 2;
    static constexpr int MinutenMin = 1;
    static constexpr int MinutenMax = 60;
    // Help context of the dialog in the editor's help file.
    static constexpr int HilfeKontext = 5000;

    // ets (not owned, may be null: the profile then cannot be read). Runs FormCreate.
    TDlgOptionen(QWidget* parent, TEts2Cdi* ets);
    ~TDlgOptionen() override;

    void GetRegData();
    void SetRegData();
    // True when all six values were read.
    bool GetEtsRegData();
    void SetEtsRegData();
    void LadeTexte();

    void BitBtn1Click();   // OK
    void BitBtn2Click();   // Cancel
    void BitBtnHelpClick();

    // Control handlers (public so that tests run the same path as the controls).
    void EditColorGridCommonDblClick();
    void EditColorGridCellDblClick();
    void EditColorGridTitleDblClick();
    void EditColorGridCellReadOnlyDblClick();
    void ButtonColorPreviewClick();
    void CBGridLineClick();
    void CBGridAutoSizeClick();
    void EditGridColDefSizeEnter();
    void EditGridColDefSizeExit();
    void CBAutoSaveClick();
    void CheckBoxAutoCellClick();
    void EditAutoCellRowExit();
    void ButtonDBCheckClick();
    void ButtonBcuFileClick();
    void Button2Click();
    void EditFileBcuFirmExit();
    void EditFileIdFirmExit();
    void EditBcuFirmExit();
    void EditIdFirmExit();
    void EditRepeatExit();
    void ButtonDefaultClick();

    // The colour a colour edit shows (0 grid background, 1 cell, 2 title, 3 read-only cell).
    uint32_t GetEditFarbe(int index) const;
    // The ETS profile was read completely when the dialog was made; only then does OK write
    // it (a partial read would write the leftovers of the controls over the stored values).
    bool IsEtsProfilGelesen() const { return m_etsGelesen; }
    bool GetAutoSave() const { return m_autoSave; }
    int GetAutoSaveMinuten() const { return m_autoSaveMinuten; }

    // The colour and file choosers; tests replace them. Each answers false when cancelled
    // and leaves its value alone then. Colour: in the preset, out the chosen colour.
    std::function<bool(uint32_t& farbe)> Farbwahl;
    std::function<bool(std::string& datei)> Dateiwahl;

    // ---- Components (names as the form has them) ---------------------------------------------
    QTabWidget* PageControl = nullptr;
    QWidget* TabSheetGrid = nullptr;
    QWidget* TabSheetOption = nullptr;
    QWidget* TabSheetCompDown = nullptr;
    QGroupBox* GBCols = nullptr;
    QCheckBox* CBGridAutoSize = nullptr;
    QLineEdit* EditGridColDefSize = nullptr;
    QLabel* LabelGridColDefSize = nullptr;
    QGroupBox* GroupBoxCell = nullptr;
    QCheckBox* CheckBoxAutoCell = nullptr;
    QLabel* LabelAutoCellRow = nullptr;
    QLineEdit* EditAutoCellRow = nullptr;
    QGroupBox* GBColor = nullptr;
    QLineEdit* EditColorGridCommon = nullptr;
    QLineEdit* EditColorGridCell = nullptr;
    QLineEdit* EditColorGridTitle = nullptr;
    QLineEdit* EditColorGridCellReadOnly = nullptr;
    QLabel* LabelColorGridCommon = nullptr;
    QLabel* LabelColorGridCell = nullptr;
    QLabel* LabelColorGridTitle = nullptr;
    QLabel* LabelColorGridCellReadOnly = nullptr;
    QPushButton* ButtonColorPreview = nullptr;
    QCheckBox* CBGridLine = nullptr;
    QCheckBox* CBAutoSave = nullptr;
    // The minutes edit with its up-down (range 1..60, no wrap, no thousands separator).
    QSpinBox* UpDownAutoSave = nullptr;
    QLabel* LabelMinuten = nullptr;
    QLabel* LabelDBCheck = nullptr;
    QPushButton* ButtonDBCheck = nullptr;
    QCheckBox* CBShowDlgAbfrName = nullptr;
    QCheckBox* CBNoSystemFiles = nullptr;
    QCheckBox* CBAskOverwrite = nullptr;
    QGroupBox* GroupBoxCompiler = nullptr;
    QLineEdit* EditBcuFirm = nullptr;
    QLineEdit* EditFileBcuFirm = nullptr;
    QPushButton* ButtonBcuFile = nullptr;
    QLineEdit* EditIdFirm = nullptr;
    QLineEdit* EditFileIdFirm = nullptr;
    QPushButton* Button2 = nullptr;
    QLabel* LabelBcuFirm = nullptr;
    QLabel* LabelFileBcuFirm = nullptr;
    QLabel* LabelIdFirm = nullptr;
    QLabel* LabelFileIdFirm = nullptr;
    QGroupBox* GroupBoxDownload = nullptr;
    QLineEdit* EditRepeat = nullptr;
    QLabel* LabelRepeat = nullptr;
    QCheckBox* CheckBoxAllTransfer = nullptr;
    QPushButton* ButtonDefault = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QPushButton* BitBtnHelp = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void reject() override;

private:
    // A colour edit, its label and the data-module value it stands for.
    struct TFarbFeld {
        QLineEdit* Edit = nullptr;
        QLabel* Label = nullptr;
        int32_t TDM::*Wert = nullptr;
        uint32_t Farbe = 0;
    };

    void FormCreate();
    void ErzeugeKomponenten();
    void SetzeFarbe(TFarbFeld& feld, uint32_t farbe);
    void FarbeWaehlen(TFarbFeld& feld);
    // A number edit left: its number as decimal text, or the fallback's when it holds none.
    static void ZahlZurueck(QLineEdit* edit, int ersatz);
    // The error box of a failed profile access, then (when leer) the empty box.
    void ProfilFehler(const std::string& was, const std::string& name, int zeile, const std::string& funktion,
                      bool leer) const;
    // The owner of the dialog's message boxes: the dialog once it is shown, before that the
    // main window that opens it. A box owned by another window would bring that window
    // above the dialog when it closes.
    HWND BoxBesitzer() const;

    std::array<TFarbFeld, 4> m_farben{};

    // Run-time values, in the order the dialog keeps them.
    bool m_autoSave = true;
    std::array<int32_t, 5> m_gespeichert{}; // grid background, cell, title, read-only, grid lines
    int m_colDefSizeEintritt = 0;
    int m_autoSaveMinuten = 5;
    int m_bcuFirmVersion = 0;
    int m_userFirmVersion = 0;
    int m_maxRepeat = 3;
    bool m_userMemAlles = false;
    std::string m_userFirmDatei;
    std::string m_bcuFirmDatei;
    TEts2Cdi* m_ets;
    bool m_etsGelesen = false;
    HWND m_handle = nullptr; // the dialog as owner of its message boxes
};
