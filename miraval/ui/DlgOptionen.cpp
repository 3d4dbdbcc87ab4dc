#include "miraval/ui/DlgOptionen.h"

#include "miraval/dienste/DaMo.h"
#include "miraval/dienste/IniKeys.h"
#include "miraval/dienste/IniRegistry.h"
#include "miraval/dienste/Spredit.h"
#include "miraval/ui/Geschuetzt.h"
#include "morrow/EtsProfile.h"
#include "quillon/UserMessages.h"
#include "rastow/qt/WinColor.h"
#include "tamsel/Tamsel.h"
#include "win32/MessageBox.h"
#include "win32/Shell.h"
#include "win32/qt/QtPlatform.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QEvent>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <filesystem>

namespace {

// The ETS profile's sections and keys.
constexpr const char* kCompiler = "Compiler";
constexpr const char* kDownload = "Download";
constexpr const char* kDefault = "Default";
constexpr const char* kBcuFirmwareVersion = "BcuFirmwareVersion";
constexpr const char* kBcuFirmware = "BcuFirmware";
constexpr const char* kUserFirmwareVersion = "UserFirmwareVersion";
constexpr const char* kUserFirmware = "UserFirmware";
constexpr const char* kMaxRepeat = "MaxRepeat";
constexpr const char* kUserMemAlles = "UserMemAlles";

// The values the profile documents as its defaults: the hidden page starts with them, so no
// form text is ever taken for a value.
constexpr int kMaxRepeatStandard = 3;

// The unit named in the profile error boxes.
constexpr const char* kUnit = "DlgOption";

// The colour dialog's two custom colours: a light yellow and the info background.
constexpr uint32_t kEigeneFarbeA = 0xE1FFFF;
constexpr uint32_t kEigeneFarbeB = clSystemColor | COLOR_INFOBK;

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

std::string S(const QLineEdit* edit)
{
    return edit->text().toStdString();
}

// The number a text holds (blanks around it allowed); false when it holds none.
bool Zahl(const QString& text, int& wert)
{
    bool ok = false;
    const int z = text.trimmed().toInt(&ok);
    if (ok)
        wert = z;
    return ok;
}

int ZahlOder(const QLineEdit* edit, int ersatz)
{
    int wert = ersatz;
    Zahl(edit->text(), wert);
    return wert;
}

// The minutes' up-down with its edit: a negative number typed in puts the position back
// into the edit; a lone minus sign may stand while the number is typed.
class TMinutenSpin : public QSpinBox {
public:
    using QSpinBox::QSpinBox;

protected:
    QValidator::State validate(QString& text, int& pos) const override
    {
        if (text.trimmed() == QLatin1String("-"))
            return QValidator::Intermediate;
        int wert = 0;
        if (Zahl(text, wert) && wert < 0) {
            text = textFromValue(value());
            pos = static_cast<int>(text.size());
            return QValidator::Acceptable;
        }
        return QSpinBox::validate(text, pos);
    }
};

} // namespace

TDlgOptionen::TDlgOptionen(QWidget* parent, TEts2Cdi* ets)
    : QDialog(parent)
    , m_ets(ets)
{
    LOG_FKT("TDlgOptionen::TDlgOptionen");
    m_handle = CreateWindowHandle([](HWND, UINT, WPARAM, LPARAM) -> LRESULT { return 0; });
    SetWindowWidget(m_handle, this);
    setObjectName(QStringLiteral("DlgOptionen"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    ErzeugeKomponenten();
    resize(474, 376);
    Farbwahl = [this](uint32_t& farbe) {
        const QColor gewaehlt = QColorDialog::getColor(ColorFromWin(farbe, palette()), this);
        if (!gewaehlt.isValid())
            return false;
        farbe = ColorToWin(gewaehlt);
        return true;
    };
    Dateiwahl = [this](std::string& datei) {
        const QString gewaehlt = QFileDialog::getOpenFileName(this, QString(), Q(datei));
        if (gewaehlt.isEmpty())
            return false;
        datei = gewaehlt.toStdString();
        return true;
    };
    FormCreate();
}

TDlgOptionen::~TDlgOptionen()
{
    LOG_FKT("TDlgOptionen::~TDlgOptionen");
    SetWindowWidget(m_handle, nullptr);
    DestroyWindow(m_handle);
}

HWND TDlgOptionen::BoxBesitzer() const
{
    return isVisible() ? m_handle : DM->MainHandle;
}

void TDlgOptionen::ErzeugeKomponenten()
{
    auto* haupt = new QVBoxLayout(this);
    PageControl = new QTabWidget(this);
    PageControl->setObjectName(QStringLiteral("PageControl"));
    haupt->addWidget(PageControl, 1);

    auto edit = [](QWidget* parent, const char* name, const char* text = "") {
        auto* e = new QLineEdit(QString::fromUtf8(text), parent);
        e->setObjectName(QString::fromLatin1(name));
        return e;
    };
    auto label = [](QWidget* parent, const char* name, const char* text = "") {
        auto* l = new QLabel(QString::fromUtf8(text), parent);
        l->setObjectName(QString::fromLatin1(name));
        return l;
    };
    auto box = [](QWidget* parent, const char* name, const char* text = "") {
        auto* b = new QCheckBox(QString::fromUtf8(text), parent);
        b->setObjectName(QString::fromLatin1(name));
        return b;
    };
    auto knopf = [](QWidget* parent, const char* name, const char* text = "") {
        auto* k = new QPushButton(QString::fromUtf8(text), parent);
        k->setObjectName(QString::fromLatin1(name));
        return k;
    };
    auto gruppe = [](QWidget* parent, const char* name, const char* text = "") {
        auto* g = new QGroupBox(QString::fromUtf8(text), parent);
        g->setObjectName(QString::fromLatin1(name));
        return g;
    };
    // Runs a handler from a control's signal, never letting an exception out.
    auto an = [this](auto* sender, auto signal, void (TDlgOptionen::*handler)()) {
        connect(sender, signal, this, [this, handler] { Geschuetzt([this, handler] { (this->*handler)(); }); });
    };

    // ---- Grid page -----------------------------------------------------------------------------
    TabSheetGrid = new QWidget;
    TabSheetGrid->setObjectName(QStringLiteral("TabSheetGrid"));
    PageControl->addTab(TabSheetGrid, QString());
    auto* grid = new QVBoxLayout(TabSheetGrid);

    GBCols = gruppe(TabSheetGrid, "GBCols");
    auto* cols = new QGridLayout(GBCols);
    CBGridAutoSize = box(GBCols, "CBGridAutoSize");
    LabelGridColDefSize = label(GBCols, "LabelGridColDefSize");
    EditGridColDefSize = edit(GBCols, "EditGridColDefSize", "100");
    cols->addWidget(CBGridAutoSize, 0, 0, 1, 2);
    cols->addWidget(LabelGridColDefSize, 1, 0);
    cols->addWidget(EditGridColDefSize, 1, 1);
    grid->addWidget(GBCols);

    GroupBoxCell = gruppe(TabSheetGrid, "GroupBoxCell");
    auto* zelle = new QGridLayout(GroupBoxCell);
    CheckBoxAutoCell = box(GroupBoxCell, "CheckBoxAutoCell");
    LabelAutoCellRow = label(GroupBoxCell, "LabelAutoCellRow");
    EditAutoCellRow = edit(GroupBoxCell, "EditAutoCellRow");
    zelle->addWidget(CheckBoxAutoCell, 0, 0, 1, 2);
    zelle->addWidget(LabelAutoCellRow, 1, 0);
    zelle->addWidget(EditAutoCellRow, 1, 1);
    grid->addWidget(GroupBoxCell);

    GBColor = gruppe(TabSheetGrid, "GBColor");
    auto* farben = new QGridLayout(GBColor);
    EditColorGridCommon = edit(GBColor, "EditColorGridCommon");
    EditColorGridCell = edit(GBColor, "EditColorGridCell");
    EditColorGridTitle = edit(GBColor, "EditColorGridTitle");
    EditColorGridCellReadOnly = edit(GBColor, "EditColorGridCellReadOnly");
    LabelColorGridCommon = label(GBColor, "LabelColorGridCommon");
    LabelColorGridCell = label(GBColor, "LabelColorGridCell");
    LabelColorGridTitle = label(GBColor, "LabelColorGridTitle");
    LabelColorGridCellReadOnly = label(GBColor, "LabelColorGridCellReadOnly");
    m_farben = {{{EditColorGridCommon, LabelColorGridCommon, &TDM::ColorGridCommmon, 0},
                 {EditColorGridCell, LabelColorGridCell, &TDM::ColorGridCell, 0},
                 {EditColorGridTitle, LabelColorGridTitle, &TDM::ColorGridTitle, 0},
                 {EditColorGridCellReadOnly, LabelColorGridCellReadOnly, &TDM::ColorGridCellReadOnly, 0}}};
    for (std::size_t i = 0; i < m_farben.size(); ++i) {
        TFarbFeld& feld = m_farben[i];
        feld.Edit->setFixedSize(21, 21);
        feld.Edit->setReadOnly(i < 3);
        feld.Edit->installEventFilter(this);
        feld.Label->installEventFilter(this);
        farben->addWidget(feld.Edit, static_cast<int>(i), 0);
        farben->addWidget(feld.Label, static_cast<int>(i), 1);
    }
    CBGridLine = box(GBColor, "CBGridLine");
    ButtonColorPreview = knopf(GBColor, "ButtonColorPreview");
    farben->addWidget(CBGridLine, 4, 0, 1, 2);
    farben->addWidget(ButtonColorPreview, 4, 2);
    grid->addWidget(GBColor);
    grid->addStretch(1);

    // ---- Options page --------------------------------------------------------------------------
    TabSheetOption = new QWidget;
    TabSheetOption->setObjectName(QStringLiteral("TabSheetOption"));
    PageControl->addTab(TabSheetOption, QString());
    auto* option = new QGridLayout(TabSheetOption);
    CBAutoSave = box(TabSheetOption, "CBAutoSave");
    UpDownAutoSave = new TMinutenSpin(TabSheetOption);
    UpDownAutoSave->setObjectName(QStringLiteral("UpDownAutoSave"));
    UpDownAutoSave->setRange(MinutenMin, MinutenMax);
    UpDownAutoSave->setValue(MinutenMin);
    UpDownAutoSave->setWrapping(false);
    UpDownAutoSave->setGroupSeparatorShown(false);
    LabelMinuten = label(TabSheetOption, "LabelMinuten");
    LabelDBCheck = label(TabSheetOption, "LabelDBCheck");
    ButtonDBCheck = knopf(TabSheetOption, "ButtonDBCheck");
    CBShowDlgAbfrName = box(TabSheetOption, "CBShowDlgAbfrName", "Abfrage des Namens anzeigen");
    CBNoSystemFiles = box(TabSheetOption, "CBNoSystemFiles", "Keine Systemdateien");
    CBAskOverwrite = box(TabSheetOption, "CBAskOverwrite", "Vor dem Überschreiben fragen");
    option->addWidget(CBAutoSave, 0, 0);
    option->addWidget(UpDownAutoSave, 0, 1);
    option->addWidget(LabelMinuten, 0, 2);
    option->addWidget(LabelDBCheck, 1, 0);
    option->addWidget(ButtonDBCheck, 1, 1);
    option->addWidget(CBShowDlgAbfrName, 2, 0);
    option->addWidget(CBNoSystemFiles, 3, 0);
    option->addWidget(CBAskOverwrite, 4, 0);
    option->setRowStretch(5, 1);
    option->setColumnStretch(3, 1);
    for (QCheckBox* verborgen : {CBShowDlgAbfrName, CBNoSystemFiles, CBAskOverwrite})
        verborgen->setVisible(false);

    // ---- Compiler and download page (its tab is never shown) ------------------------------------
    TabSheetCompDown = new QWidget;
    TabSheetCompDown->setObjectName(QStringLiteral("TabSheetCompDown"));
    PageControl->addTab(TabSheetCompDown, QStringLiteral("Compiler/Download"));
    auto* compDown = new QVBoxLayout(TabSheetCompDown);
    GroupBoxCompiler = gruppe(TabSheetCompDown, "GroupBoxCompiler", "Compiler");
    auto* compiler = new QGridLayout(GroupBoxCompiler);
    LabelBcuFirm = label(GroupBoxCompiler, "LabelBcuFirm", "BCU-Firmware-Version");
    EditBcuFirm = edit(GroupBoxCompiler, "EditBcuFirm", "0");
    LabelFileBcuFirm = label(GroupBoxCompiler, "LabelFileBcuFirm", "BCU-Firmware-Datei");
    EditFileBcuFirm = edit(GroupBoxCompiler, "EditFileBcuFirm");
    ButtonBcuFile = knopf(GroupBoxCompiler, "ButtonBcuFile", "...");
    LabelIdFirm = label(GroupBoxCompiler, "LabelIdFirm", "Anwender-Firmware-Version");
    EditIdFirm = edit(GroupBoxCompiler, "EditIdFirm", "0");
    LabelFileIdFirm = label(GroupBoxCompiler, "LabelFileIdFirm", "Anwender-Firmware-Datei");
    EditFileIdFirm = edit(GroupBoxCompiler, "EditFileIdFirm");
    Button2 = knopf(GroupBoxCompiler, "Button2", "...");
    compiler->addWidget(LabelBcuFirm, 0, 0);
    compiler->addWidget(EditBcuFirm, 0, 1);
    compiler->addWidget(LabelFileBcuFirm, 1, 0);
    compiler->addWidget(EditFileBcuFirm, 1, 1);
    compiler->addWidget(ButtonBcuFile, 1, 2);
    compiler->addWidget(LabelIdFirm, 2, 0);
    compiler->addWidget(EditIdFirm, 2, 1);
    compiler->addWidget(LabelFileIdFirm, 3, 0);
    compiler->addWidget(EditFileIdFirm, 3, 1);
    compiler->addWidget(Button2, 3, 2);
    compDown->addWidget(GroupBoxCompiler);
    GroupBoxDownload = gruppe(TabSheetCompDown, "GroupBoxDownload", "Download");
    auto* download = new QGridLayout(GroupBoxDownload);
    LabelRepeat = label(GroupBoxDownload, "LabelRepeat", "Wiederholungen");
    EditRepeat = edit(GroupBoxDownload, "EditRepeat", "3");
    CheckBoxAllTransfer = box(GroupBoxDownload, "CheckBoxAllTransfer", "Gesamten Anwenderspeicher übertragen");
    download->addWidget(LabelRepeat, 0, 0);
    download->addWidget(EditRepeat, 0, 1);
    download->addWidget(CheckBoxAllTransfer, 1, 0, 1, 2);
    compDown->addWidget(GroupBoxDownload);
    ButtonDefault = knopf(TabSheetCompDown, "ButtonDefault", "Standard");
    compDown->addWidget(ButtonDefault, 0, Qt::AlignLeft);
    compDown->addStretch(1);
    PageControl->setTabVisible(PageControl->indexOf(TabSheetCompDown), false);
    PageControl->setCurrentWidget(TabSheetGrid);

    // ---- Buttons -------------------------------------------------------------------------------
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addStretch(1);
    BitBtn1 = knopf(this, "BitBtn1", "OK");
    BitBtn1->setDefault(true);
    BitBtn2 = knopf(this, "BitBtn2");
    BitBtnHelp = knopf(this, "BitBtnHelp");
    knoepfe->addWidget(BitBtn1);
    knoepfe->addWidget(BitBtn2);
    knoepfe->addWidget(BitBtnHelp);
    haupt->addLayout(knoepfe);

    an(BitBtn1, &QPushButton::clicked, &TDlgOptionen::BitBtn1Click);
    an(BitBtn2, &QPushButton::clicked, &TDlgOptionen::BitBtn2Click);
    an(BitBtnHelp, &QPushButton::clicked, &TDlgOptionen::BitBtnHelpClick);
    an(ButtonColorPreview, &QPushButton::clicked, &TDlgOptionen::ButtonColorPreviewClick);
    an(CBGridLine, &QCheckBox::clicked, &TDlgOptionen::CBGridLineClick);
    an(CBGridAutoSize, &QCheckBox::clicked, &TDlgOptionen::CBGridAutoSizeClick);
    an(CBAutoSave, &QCheckBox::toggled, &TDlgOptionen::CBAutoSaveClick);
    an(CheckBoxAutoCell, &QCheckBox::clicked, &TDlgOptionen::CheckBoxAutoCellClick);
    an(ButtonDBCheck, &QPushButton::clicked, &TDlgOptionen::ButtonDBCheckClick);
    an(ButtonBcuFile, &QPushButton::clicked, &TDlgOptionen::ButtonBcuFileClick);
    an(Button2, &QPushButton::clicked, &TDlgOptionen::Button2Click);
    an(ButtonDefault, &QPushButton::clicked, &TDlgOptionen::ButtonDefaultClick);
    for (QLineEdit* e : {EditGridColDefSize, EditAutoCellRow, EditFileBcuFirm, EditFileIdFirm, EditBcuFirm,
                         EditIdFirm, EditRepeat})
        e->installEventFilter(this);
}

void TDlgOptionen::FormCreate()
{
    LOG_FKT("TDlgOptionen::FormCreate");
    GetRegData();
    GetEtsRegData();
    LadeTexte();
    SetzeFarbe(m_farben[0], static_cast<uint32_t>(DM->ColorGridCommmon));
    SetzeFarbe(m_farben[1], static_cast<uint32_t>(DM->ColorGridCell));
    SetzeFarbe(m_farben[2], static_cast<uint32_t>(DM->ColorGridTitle));
    SetzeFarbe(m_farben[3], static_cast<uint32_t>(DM->ColorGridCellReadOnly));
    CBGridLine->setChecked(DM->Gitternetzlinien > 0);
    m_gespeichert = {DM->ColorGridCommmon, DM->ColorGridCell, DM->ColorGridTitle, DM->ColorGridCellReadOnly,
                     DM->Gitternetzlinien};
    for (int i = 0; i < QColorDialog::customCount(); ++i)
        QColorDialog::setCustomColor(i, Qt::white);
    QColorDialog::setCustomColor(0, ColorFromWin(kEigeneFarbeA, palette()));
    QColorDialog::setCustomColor(1, ColorFromWin(kEigeneFarbeB, palette()));
}

void TDlgOptionen::LadeTexte()
{
    LOG_FKT("TDlgOptionen::LadeTexte");
    setWindowTitle(Q(Spredit::Txt9104));
    BitBtnHelp->setText(Q(Spredit::Txt9185));
    BitBtn2->setText(Q(Spredit::Txt9050));
    PageControl->setTabText(PageControl->indexOf(TabSheetOption), Q(Spredit::Txt9106));
    CBAutoSave->setText(Q(Spredit::Txt9107));
    LabelMinuten->setText(Q(Spredit::Txt9108));
    CheckBoxAutoCell->setText(Q(Spredit::Txt9204));
    LabelAutoCellRow->setText(Q(Spredit::Txt9205));
    GroupBoxCell->setTitle(Q(Spredit::Txt9203));
    PageControl->setTabText(PageControl->indexOf(TabSheetGrid), Q(Spredit::Txt9109));
    GBColor->setTitle(Q(Spredit::Txt9110));
    LabelColorGridCommon->setText(Q(Spredit::Txt9111));
    LabelColorGridCell->setText(Q(Spredit::Txt9112));
    LabelColorGridTitle->setText(Q(Spredit::Txt9113));
    LabelColorGridCellReadOnly->setText(Q(Spredit::Txt9114));
    CBGridLine->setText(Q(Spredit::Txt9115));
    ButtonColorPreview->setText(Q(Spredit::Txt9116));
    GBCols->setTitle(Q(Spredit::Txt9117));
    CBGridAutoSize->setText(Q(Spredit::Txt9118));
    LabelGridColDefSize->setText(Q(Spredit::Txt9119));
    LabelDBCheck->setText(Q(Spredit::Txt9120));
    ButtonDBCheck->setText(Q(Spredit::Txt9121));
}

// ---- INI file ------------------------------------------------------------------------------------

void TDlgOptionen::GetRegData()
{
    LOG_FKT("TDlgOptionen::GetRegData");
    const TIniRegistry ini;
    const std::string& datei = DM->IniDatei;
    CBAskOverwrite->setChecked(ini.Read(datei, IniKey::AskOverwrite));
    CBNoSystemFiles->setChecked(ini.Read(datei, IniKey::NoSysFile));
    CBShowDlgAbfrName->setChecked(ini.Read(datei, IniKey::ShowDlgAbfrName));

    DM->GridAutoSize = ini.Read(datei, IniKey::GridAutoSize);
    CBGridAutoSize->setChecked(DM->GridAutoSize);
    DM->GridColDefSize = ini.Read(datei, IniKey::GridColDefSize);
    EditGridColDefSize->setText(QString::number(DM->GridColDefSize));
    EditGridColDefSize->setEnabled(!DM->GridAutoSize);
    LabelGridColDefSize->setEnabled(!DM->GridAutoSize);

    m_autoSave = ini.Read(datei, IniKey::AutoSave);
    CBAutoSave->setChecked(m_autoSave);
    CBAutoSaveClick();

    // A value outside the up-down's range (or none, which reads as 5) shows as its nearest end.
    UpDownAutoSave->setValue(std::clamp(ini.Read(datei, IniKey::AutoSaveMinuten), MinutenMin, MinutenMax));
    m_autoSaveMinuten = UpDownAutoSave->value();

    DM->TableAutoCellActivate = ini.Read(datei, IniKey::TableAutoCellActivate);
    CheckBoxAutoCell->setChecked(DM->TableAutoCellActivate);
    CheckBoxAutoCellClick();
    // The data module holds no negative row (as at start); the edit counts from 1.
    DM->TableAutoCellActivateRow = std::max(0, ini.Read(datei, IniKey::TabelAutoCellActivateRowNumber));
    EditAutoCellRow->setText(QString::number(static_cast<int64_t>(DM->TableAutoCellActivateRow) + 1));
}

void TDlgOptionen::SetRegData()
{
    LOG_FKT("TDlgOptionen::SetRegData");
    // Failed writes are not reported; the values in memory stay.
    const TIniRegistry ini;
    const std::string& datei = DM->IniDatei;
    (void)ini.Write(datei, IniKey::AskOverwrite, CBAskOverwrite->isChecked());
    (void)ini.Write(datei, IniKey::NoSysFile, CBNoSystemFiles->isChecked());
    (void)ini.Write(datei, IniKey::ShowDlgAbfrName, CBShowDlgAbfrName->isChecked());
    (void)ini.Write(datei, IniKey::GridAutoSize, DM->GridAutoSize);
    (void)ini.Write(datei, IniKey::GridColDefSize, DM->GridColDefSize);
    DM->TableAutoCellActivate = CheckBoxAutoCell->isChecked();
    (void)ini.Write(datei, IniKey::TableAutoCellActivate, DM->TableAutoCellActivate);
    // The row as the edit's exit makes it, also when OK comes by the Enter key with the
    // focus still in the edit: a number of 0 or less, or none, is row 1.
    DM->TableAutoCellActivateRow = std::max(ZahlOder(EditAutoCellRow, 1), 1) - 1;
    (void)ini.Write(datei, IniKey::TabelAutoCellActivateRowNumber, DM->TableAutoCellActivateRow);
    (void)ini.Write(datei, IniKey::ColorGridCommmon, DM->ColorGridCommmon);
    (void)ini.Write(datei, IniKey::ColorGridTitle, DM->ColorGridTitle);
    (void)ini.Write(datei, IniKey::ColorGridCell, DM->ColorGridCell);
    (void)ini.Write(datei, IniKey::ColorGridCellReadOnly, DM->ColorGridCellReadOnly);
    (void)ini.Write(datei, IniKey::Gitternetzlinien, DM->Gitternetzlinien);
    (void)ini.Write(datei, IniKey::AutoSave, m_autoSave);
    (void)ini.Write(datei, IniKey::AutoSaveMinuten, m_autoSaveMinuten);
}

// ---- ETS profile -----------------------------------------------------------------------------------

void TDlgOptionen::ProfilFehler(const std::string& was, const std::string& name, int zeile,
                                const std::string& funktion, bool leer) const
{
    const std::string text = was + name + "\n" + "File: " + kUnit + "\n" + "Line: " + std::to_string(zeile) + "\n";
    MessageBox(BoxBesitzer(), text, funktion + "-Error", MB_OK | MB_ICONERROR);
    if (leer)
        MessageBox(BoxBesitzer(), "", "", MB_OK);
}

bool TDlgOptionen::GetEtsRegData()
{
    LOG_FKT("TDlgOptionen::GetEtsRegData");
    TEtsProfile profil(m_ets);
    const auto fehler = [this](const char* name, int zeile) {
        ProfilFehler("Can't read: ", name, zeile, "TDlgOptionen::GetEtsRegData", true);
        return false;
    };
    if (!profil.Read(kCompiler, kBcuFirmwareVersion, 0, m_bcuFirmVersion))
        return fehler(kBcuFirmwareVersion, __LINE__);
    EditBcuFirm->setText(QString::number(m_bcuFirmVersion));
    if (!profil.Read(kBcuFirmware, S(EditBcuFirm), std::string(), m_bcuFirmDatei))
        return fehler(kBcuFirmware, __LINE__);
    EditFileBcuFirm->setText(Q(m_bcuFirmDatei));
    if (!profil.Read(kCompiler, kUserFirmwareVersion, 0, m_userFirmVersion))
        return fehler(kUserFirmwareVersion, __LINE__);
    EditIdFirm->setText(QString::number(m_userFirmVersion));
    if (!profil.Read(kUserFirmware, S(EditIdFirm), std::string(), m_userFirmDatei))
        return fehler(kUserFirmware, __LINE__);
    EditFileIdFirm->setText(Q(m_userFirmDatei));
    if (!profil.Read(kDownload, kMaxRepeat, kMaxRepeatStandard, m_maxRepeat))
        return fehler(kMaxRepeat, __LINE__);
    EditRepeat->setText(QString::number(m_maxRepeat));
    if (!profil.Read(kDownload, kUserMemAlles, false, m_userMemAlles))
        return fehler(kUserMemAlles, __LINE__);
    CheckBoxAllTransfer->setChecked(m_userMemAlles);
    m_etsGelesen = true;
    return true;
}

void TDlgOptionen::SetEtsRegData()
{
    LOG_FKT("TDlgOptionen::SetEtsRegData");
    TEtsProfile profil(m_ets);
    const auto fehler = [this](const char* name, int zeile) {
        ProfilFehler("Can't write: ", name, zeile, "TDlgOptionen::SetEtsRegData", false);
    };
    if (!profil.Write(kCompiler, kBcuFirmwareVersion, ZahlOder(EditBcuFirm, m_bcuFirmVersion)))
        return fehler(kBcuFirmwareVersion, __LINE__);
    if (!profil.Write(kBcuFirmware, S(EditBcuFirm), S(EditFileBcuFirm)))
        return fehler(kBcuFirmware, __LINE__);
    if (!profil.Write(kCompiler, kUserFirmwareVersion, ZahlOder(EditIdFirm, m_userFirmVersion)))
        return fehler(kUserFirmwareVersion, __LINE__);
    if (!profil.Write(kUserFirmware, S(EditIdFirm), S(EditFileIdFirm)))
        return fehler(kUserFirmware, __LINE__);
    if (!profil.Write(kDownload, kMaxRepeat, ZahlOder(EditRepeat, m_maxRepeat)))
        return fehler(kMaxRepeat, __LINE__);
    if (!profil.Write(kDownload, kUserMemAlles, CheckBoxAllTransfer->isChecked()))
        return fehler(kUserMemAlles, __LINE__);
}

void TDlgOptionen::ButtonDefaultClick()
{
    LOG_FKT("TDlgOptionen::ButtonDefaultClick");
    TEtsProfile profil(m_ets);
    // Each value: read from the "Default" section, written back there, shown.
    const auto wert = [&](const char* key, const auto& standard, auto& feld, const char* schreibFehler, int zeile) {
        const char* fehler = nullptr;
        if (!profil.Read(kDefault, key, standard, feld))
            fehler = "Can't read: ";
        else if (!profil.Write(kDefault, key, feld))
            fehler = schreibFehler;
        if (fehler == nullptr)
            return true;
        ProfilFehler(fehler, key, zeile, "TDlgOptionen::ButtonDefaultClick", true);
        return false;
    };
    if (!wert(kBcuFirmwareVersion, 0, m_bcuFirmVersion, "Can't write: ", __LINE__))
        return;
    EditBcuFirm->setText(QString::number(m_bcuFirmVersion));
    if (!wert(kBcuFirmware, std::string(), m_bcuFirmDatei, "Can't write: ", __LINE__))
        return;
    EditFileBcuFirm->setText(Q(m_bcuFirmDatei));
    if (!wert(kUserFirmwareVersion, 0, m_userFirmVersion, "Can't write: ", __LINE__))
        return;
    EditIdFirm->setText(QString::number(m_userFirmVersion));
    if (!wert(kUserFirmware, std::string(), m_userFirmDatei, "Can't Write: ", __LINE__))
        return;
    EditFileIdFirm->setText(Q(m_userFirmDatei));
    if (!wert(kMaxRepeat, kMaxRepeatStandard, m_maxRepeat, "Can't write: ", __LINE__))
        return;
    EditRepeat->setText(QString::number(m_maxRepeat));
    if (!wert(kUserMemAlles, false, m_userMemAlles, "Can't write: ", __LINE__))
        return;
    CheckBoxAllTransfer->setChecked(m_userMemAlles);
}

// ---- Buttons -------------------------------------------------------------------------------------

void TDlgOptionen::BitBtn1Click()
{
    LOG_FKT("TDlgOptionen::BitBtn1Click");
    done(ModalOk);
    for (const TFarbFeld& feld : m_farben)
        DM->*feld.Wert = static_cast<int32_t>(feld.Farbe);
    DM->Gitternetzlinien = CBGridLine->isChecked() ? 1 : 0;
    SendMessage(DM->MainHandle, UM_LoadColor, 0, 0);
    SendMessage(DM->MainHandle, UM_LoadSize, 0, 0);
    raise();
    // The minutes as the up-down stands now (always within its range).
    m_autoSaveMinuten = UpDownAutoSave->value();
    SetRegData();
    if (m_etsGelesen)
        SetEtsRegData();
    DM->AutoSave = m_autoSave;
    DM->AutoSaveMinuten = m_autoSaveMinuten;
    // The new interval and switch for a running timer; whether an edit runs one at all is the
    // edit's to say (the main window asks it once the dialog has closed).
    DM->StartTimerAutoSave(DM->TimerAutoSave()->isActive());
}

void TDlgOptionen::BitBtn2Click()
{
    LOG_FKT("TDlgOptionen::BitBtn2Click");
    DM->ColorGridCommmon = m_gespeichert[0];
    DM->ColorGridCell = m_gespeichert[1];
    DM->ColorGridTitle = m_gespeichert[2];
    DM->ColorGridCellReadOnly = m_gespeichert[3];
    DM->Gitternetzlinien = m_gespeichert[4];
    SendMessage(DM->MainHandle, UM_LoadColor, 0, 0);
    done(ModalAbbrechen);
}

void TDlgOptionen::reject()
{
    // Escape and the frame's close box: nothing restored, nothing written.
    done(ModalAbbrechen);
}

void TDlgOptionen::BitBtnHelpClick()
{
    LOG_FKT("TDlgOptionen::BitBtnHelpClick");
    // A missing file or viewer is told to the user by WinHelp itself.
    (void)WinHelp(DM->MainHandle, DM->HilfeDatei, HELP_CONTEXT, HilfeKontext);
}

// ---- Colours ---------------------------------------------------------------------------------------

uint32_t TDlgOptionen::GetEditFarbe(int index) const
{
    if (index < 0 || index >= static_cast<int>(m_farben.size()))
        return 0;
    return m_farben[static_cast<std::size_t>(index)].Farbe;
}

void TDlgOptionen::SetzeFarbe(TFarbFeld& feld, uint32_t farbe)
{
    feld.Farbe = farbe;
    QPalette p = feld.Edit->palette();
    p.setColor(QPalette::Base, ColorFromWin(farbe, palette()));
    feld.Edit->setPalette(p);
}

void TDlgOptionen::FarbeWaehlen(TFarbFeld& feld)
{
    uint32_t farbe = static_cast<uint32_t>(DM->*feld.Wert);
    if (!Farbwahl || !Farbwahl(farbe))
        return;
    DM->*feld.Wert = static_cast<int32_t>(farbe);
    SetzeFarbe(feld, farbe);
}

void TDlgOptionen::EditColorGridCommonDblClick()
{
    FarbeWaehlen(m_farben[0]);
}

void TDlgOptionen::EditColorGridCellDblClick()
{
    FarbeWaehlen(m_farben[1]);
}

void TDlgOptionen::EditColorGridTitleDblClick()
{
    FarbeWaehlen(m_farben[2]);
}

void TDlgOptionen::EditColorGridCellReadOnlyDblClick()
{
    FarbeWaehlen(m_farben[3]);
}

void TDlgOptionen::ButtonColorPreviewClick()
{
    SendMessage(DM->MainHandle, UM_LoadColor, 0, 0);
    raise();
    activateWindow();
}

void TDlgOptionen::CBGridLineClick()
{
    DM->Gitternetzlinien = CBGridLine->isChecked() ? 1 : 0;
}

// ---- Columns, cell activation, safety copy -----------------------------------------------------------

void TDlgOptionen::CBGridAutoSizeClick()
{
    DM->GridAutoSize = CBGridAutoSize->isChecked();
    EditGridColDefSize->setEnabled(!DM->GridAutoSize);
    LabelGridColDefSize->setEnabled(!DM->GridAutoSize);
}

void TDlgOptionen::EditGridColDefSizeEnter()
{
    m_colDefSizeEintritt = DM->GridColDefSize;
}

void TDlgOptionen::EditGridColDefSizeExit()
{
    int breite = 0;
    DM->GridColDefSize = Zahl(EditGridColDefSize->text(), breite) && breite > 0 ? breite : m_colDefSizeEintritt;
}

void TDlgOptionen::CBAutoSaveClick()
{
    m_autoSave = CBAutoSave->isChecked();
}

void TDlgOptionen::CheckBoxAutoCellClick()
{
    EditAutoCellRow->setEnabled(CheckBoxAutoCell->isChecked());
    LabelAutoCellRow->setEnabled(CheckBoxAutoCell->isChecked());
}

void TDlgOptionen::EditAutoCellRowExit()
{
    EditAutoCellRow->setText(QString::number(std::max(ZahlOder(EditAutoCellRow, 1), 1)));
}

void TDlgOptionen::ButtonDBCheckClick()
{
    SendMessage(DM->MainHandle, UM_EtsObjektCheck, 0, 0);
}

// ---- Hidden page -------------------------------------------------------------------------------------

void TDlgOptionen::ButtonBcuFileClick()
{
    std::string datei = S(EditFileBcuFirm);
    if (Dateiwahl && Dateiwahl(datei))
        EditFileBcuFirm->setText(Q(datei));
}

void TDlgOptionen::Button2Click()
{
    std::string datei = S(EditFileIdFirm);
    if (Dateiwahl && Dateiwahl(datei))
        EditFileIdFirm->setText(Q(datei));
}

void TDlgOptionen::EditFileBcuFirmExit()
{
    std::error_code fehler;
    if (!std::filesystem::exists(S(EditFileBcuFirm), fehler))
        EditFileBcuFirm->setText(Q(m_bcuFirmDatei));
}

void TDlgOptionen::EditFileIdFirmExit()
{
    std::error_code fehler;
    if (!std::filesystem::exists(S(EditFileIdFirm), fehler))
        EditFileIdFirm->setText(Q(m_userFirmDatei));
}

void TDlgOptionen::ZahlZurueck(QLineEdit* edit, int ersatz)
{
    edit->setText(QString::number(ZahlOder(edit, ersatz)));
}

void TDlgOptionen::EditBcuFirmExit()
{
    ZahlZurueck(EditBcuFirm, m_bcuFirmVersion);
}

void TDlgOptionen::EditIdFirmExit()
{
    ZahlZurueck(EditIdFirm, m_userFirmVersion);
}

void TDlgOptionen::EditRepeatExit()
{
    ZahlZurueck(EditRepeat, m_maxRepeat);
}

// ---- Events --------------------------------------------------------------------------------------------

bool TDlgOptionen::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type typ = event->type();
    bool erledigt = false;
    Geschuetzt([&] {
        // Colour edits open the colour dialog on a double click, their labels on a click.
        for (std::size_t i = 0; i < m_farben.size(); ++i) {
            const TFarbFeld& feld = m_farben[i];
            if ((watched == feld.Edit && typ == QEvent::MouseButtonDblClick)
                || (watched == feld.Label && typ == QEvent::MouseButtonRelease)) {
                FarbeWaehlen(m_farben[i]);
                erledigt = true;
                return;
            }
        }
        if (typ == QEvent::FocusIn && watched == EditGridColDefSize) {
            EditGridColDefSizeEnter();
            return;
        }
        if (typ != QEvent::FocusOut)
            return;
        struct TAustritt {
            QObject* Edit;
            void (TDlgOptionen::*Handler)();
        };
        const TAustritt austritte[] = {
            {EditGridColDefSize, &TDlgOptionen::EditGridColDefSizeExit},
            {EditAutoCellRow, &TDlgOptionen::EditAutoCellRowExit},
            {EditFileBcuFirm, &TDlgOptionen::EditFileBcuFirmExit},
            {EditFileIdFirm, &TDlgOptionen::EditFileIdFirmExit},
            {EditBcuFirm, &TDlgOptionen::EditBcuFirmExit},
            {EditIdFirm, &TDlgOptionen::EditIdFirmExit},
            {EditRepeat, &TDlgOptionen::EditRepeatExit},
        };
        for (const TAustritt& a : austritte)
            if (watched == a.Edit)
                (this->*a.Handler)();
    });
    return erledigt || QDialog::eventFilter(watched, event);
}
