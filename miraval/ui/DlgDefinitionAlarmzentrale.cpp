#include "miraval/ui/DlgDefinitionAlarmzentrale.h"

#include "miraval/ui/BereichsFarbe.h"
#include "miraval/devinst/VarianteAz.h"
#include "miraval/ui/Geschuetzt.h"
#include "miraval/ui/MeldeHilfe.h"
#include "miraval/ui/RtfAnzeige.h"
#include "quillon/CursorHourGlass.h"
#include "tamsel/Tamsel.h"
#include "win32/qt/QtPlatform.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QTextEdit>
#include <QVBoxLayout>

#include <filesystem>

namespace {


// The codes of a variant by the number of boxes that count (0 .. boxes), and the help id of
// the first; the help ids of a variant's codes follow each other.
struct TVariante {
    std::array<uint32_t, 4> Codes;
    int AnzahlCodes;
    int ErsteHilfe;
};

constexpr std::array<TVariante, TDlgDefinitionAlarmzentrale::AnzahlVarianten> kVarianten{{
    {{0x00000000}, 1, 8},
    {{0x11330000, 0x113344CC}, 2, 9},
    {{0x11000000, 0x11220000, 0x11224400, 0x11224488}, 4, 11},
    {{0x11000098, 0x112200B8, 0x112244F8}, 3, 15},
    {{0x110044CC, 0x112244CC}, 2, 18},
    {{0x11004498, 0x11224498}, 2, 20},
    {{0x112244B8}, 1, 22},
}};

// Where a code stands in the table: variant 1..7 and the number of boxes that count; false
// for a code that is none of the fifteen.
bool FindeCode(uint32_t code, int& variante, int& anzahl)
{
    for (int v = 0; v < TDlgDefinitionAlarmzentrale::AnzahlVarianten; ++v)
        for (int k = 0; k < kVarianten[static_cast<std::size_t>(v)].AnzahlCodes; ++k)
            if (kVarianten[static_cast<std::size_t>(v)].Codes[static_cast<std::size_t>(k)] == code) {
                variante = v + 1;
                anzahl = k;
                return true;
            }
    return false;
}

// The security areas an arming area's byte names, as "SB 1, 2" (either nibble names an area).
QString Sicherungsbereiche(uint32_t byte)
{
    const uint32_t bereiche = (byte | (byte >> 4)) & 0xFu;
    QStringList nummern;
    for (int b = 0; b < 4; ++b)
        if ((bereiche & (1u << b)) != 0)
            nummern << QString::number(b + 1);
    return QStringLiteral("SB ") + nummern.join(QStringLiteral(", "));
}

// The radio captions name the configurations as the help file does.
constexpr std::array<const char*, TDlgDefinitionAlarmzentrale::AnzahlVarianten> kRadioTexte{
    "Konfiguration 1", "Konfiguration 2", "Konfiguration 4", "Konfiguration 5",
    "Konfiguration 3", "Konfiguration 7", "Konfiguration 6"};

} // namespace

TDlgDefinitionAlarmzentrale::TDlgDefinitionAlarmzentrale(QWidget* owner, uint32_t* variante,
                                                         std::string hilfeDatei)
    : QDialog(owner)
    , m_ziel(variante)
    , m_variante(variante != nullptr ? *variante : 0)
    , m_hilfeDatei(std::move(hilfeDatei))
{
    LOG_FKT("TDlgDefinitionAlarmzentrale::TDlgDefinitionAlarmzentrale");
    setObjectName(QStringLiteral("DlgDefinitionAlarmzentrale"));
    setWindowTitle(QStringLiteral("Definition der Alarmzentrale"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    ErzeugeKomponenten();
    Label1->setText(DisplayText("Die Bereiche Feuermelder und\n\rÜberfallmelder sind immer aktiviert!"));
    FaerbeBereich(PanelVariante1Feuer, true);
    FaerbeBereich(PanelVariante1Ueberfall, true);
    QPalette feld = RichEditFeld->palette();
    feld.setColor(QPalette::Base, FarbeAktiv());
    RichEditFeld->setPalette(feld);
    LadeTexte();
}

void TDlgDefinitionAlarmzentrale::ErzeugeKomponenten()
{
    auto* haupt = new QVBoxLayout(this);
    auto* oben = new QHBoxLayout;
    haupt->addLayout(oben, 1);
    auto* auswahl = new QGridLayout;
    oben->addLayout(auswahl);
    auto* gruppe = new QButtonGroup(this);

    auto panelLabel = [](QWidget* parent, const char* name) {
        auto* label = new QLabel(parent);
        label->setObjectName(QString::fromLatin1(name));
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Raised);
        label->setMinimumWidth(64);
        label->setAlignment(Qt::AlignCenter);
        return label;
    };
    auto checkBox = [](QWidget* parent, const QString& name, const char* text) {
        auto* box = new QCheckBox(QString::fromUtf8(text), parent);
        box->setObjectName(name);
        return box;
    };

    for (int v = 1; v <= AnzahlVarianten; ++v) {
        const auto i = static_cast<std::size_t>(v - 1);
        auto* radio = new QRadioButton(QString::fromLatin1(kRadioTexte[i]), this);
        radio->setObjectName(QStringLiteral("RbtnAzVariante%1").arg(v));
        gruppe->addButton(radio, v);
        connect(radio, &QRadioButton::clicked, this, [this] { Geschuetzt([this] { RbnStatusChanged(); }); });
        RbtnAzVariante[i] = radio;

        auto* panel = new QFrame(this);
        panel->setObjectName(QStringLiteral("PanelAzVariante%1").arg(v));
        panel->setFrameShape(QFrame::StyledPanel);
        PanelAzVariante[i] = panel;
        auto* zeile = new QHBoxLayout(panel);
        zeile->setContentsMargins(6, 4, 6, 4);
        auswahl->addWidget(radio, v - 1, 0);
        auswahl->addWidget(panel, v - 1, 1);

        if (v == 1) {
            PanelVariante1Feuer = panelLabel(panel, "PanelVariante1Feuer");
            PanelVariante1Ueberfall = panelLabel(panel, "PanelVariante1Ueberfall");
            Label1 = new QLabel(panel);
            Label1->setObjectName(QStringLiteral("Label1"));
            zeile->addWidget(PanelVariante1Feuer);
            zeile->addWidget(PanelVariante1Ueberfall);
            zeile->addWidget(Label1, 1);
            continue;
        }

        auto* boxen = new QVBoxLayout;
        zeile->addLayout(boxen);
        switch (v) {
        case 2:
            ChkVariante2Sb3Sb4 = checkBox(panel, QStringLiteral("ChkVariante2Sb3Sb4"), "SSB3 und SSB4");
            m_kette[i] = {ChkVariante2Sb3Sb4};
            break;
        case 3:
            ChkVariante3Sb2 = checkBox(panel, QStringLiteral("ChkVariante3Sb2"), "SSB2");
            ChkVariante3Sb3 = checkBox(panel, QStringLiteral("ChkVariante3Sb3"), "SSB3");
            ChkVariante3Sb4 = checkBox(panel, QStringLiteral("ChkVariante3Sb4"), "SSB4");
            m_kette[i] = {ChkVariante3Sb2, ChkVariante3Sb3, ChkVariante3Sb4};
            break;
        case 4:
            ChkVariante4Sb2 = checkBox(panel, QStringLiteral("ChkVariante4Sb2"), "SSB2");
            ChkVariante4Sb3 = checkBox(panel, QStringLiteral("ChkVariante4Sb3"), "SSB3");
            m_kette[i] = {ChkVariante4Sb2, ChkVariante4Sb3};
            break;
        case 5:
            ChkVariante5Sb2 = checkBox(panel, QStringLiteral("ChkVariante5Sb2"), "SSB2");
            m_kette[i] = {ChkVariante5Sb2};
            break;
        case 6:
            ChkVariante6Sb2 = checkBox(panel, QStringLiteral("ChkVariante6Sb2"), "SSB2");
            m_kette[i] = {ChkVariante6Sb2};
            break;
        default:
            break;
        }
        for (QCheckBox* box : m_kette[i]) {
            boxen->addWidget(box);
            connect(box, &QCheckBox::clicked, this, [this, v] { Geschuetzt([this, v] { SelectVariante(v); }); });
        }
        boxen->addStretch(1);

        // The picture of the variant: each arming area with the security areas it arms, as
        // the variant's largest code has them.
        const auto& variante = kVarianten[i];
        const uint32_t voll = variante.Codes[static_cast<std::size_t>(variante.AnzahlCodes - 1)];
        for (int n = 1; n <= 4; ++n) {
            auto* spalte = new QVBoxLayout;
            const std::string name = "PanelVariante" + std::to_string(v) + "Sb" + std::to_string(n);
            QLabel* ssb = panelLabel(panel, name.c_str());
            PanelVarianteSb[i][static_cast<std::size_t>(n - 1)] = ssb;
            auto* bereiche = new QLabel(Sicherungsbereiche(BereichsByte(voll, n)), panel);
            bereiche->setAlignment(Qt::AlignCenter);
            spalte->addWidget(ssb);
            spalte->addWidget(bereiche);
            zeile->addLayout(spalte);
        }
    }
    // Right-aligned panels keep a blank after their text, off the frame.
    for (QLabel* rechts : {PanelVarianteSb[1][1], PanelVarianteSb[1][3], PanelVarianteSb[3][3],
                           PanelVarianteSb[4][3], PanelVarianteSb[5][3], PanelVarianteSb[6][3]})
        rechts->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    RichEditFeld = new QTextEdit(this);
    RichEditFeld->setObjectName(QStringLiteral("RichEditFeld"));
    RichEditFeld->setReadOnly(true);
    RichEditFeld->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEditFeld->setMinimumWidth(260);
    oben->addWidget(RichEditFeld, 1);

    auto* knoepfe = new QHBoxLayout;
    knoepfe->addStretch(1);
    BtnOk = new QPushButton(QStringLiteral("OK"), this);
    BtnOk->setObjectName(QStringLiteral("BtnOk"));
    BtnOk->setDefault(true);
    BtnAbbrechen = new QPushButton(QStringLiteral("Abbrechen"), this);
    BtnAbbrechen->setObjectName(QStringLiteral("BtnAbbrechen"));
    knoepfe->addWidget(BtnOk);
    knoepfe->addWidget(BtnAbbrechen);
    haupt->addLayout(knoepfe);
    connect(BtnOk, &QPushButton::clicked, this, [this] { Geschuetzt([this] { BtnOkClick(); }); });
    connect(BtnAbbrechen, &QPushButton::clicked, this, [this] { Geschuetzt([this] { BtnAbbrechenClick(); }); });
}

void TDlgDefinitionAlarmzentrale::LadeTexte()
{
    PanelVariante1Feuer->setText(QStringLiteral("Feuermelder"));
    PanelVariante1Ueberfall->setText(QStringLiteral("Überfallmelder"));
    for (std::size_t v = 1; v < PanelVarianteSb.size(); ++v)
        for (std::size_t n = 0; n < 4; ++n) {
            QLabel* panel = PanelVarianteSb[v][n];
            const QString text = QStringLiteral("SSB%1").arg(n + 1);
            panel->setText((panel->alignment() & Qt::AlignRight) != 0 ? text + QLatin1Char(' ') : text);
        }
}

QColor TDlgDefinitionAlarmzentrale::FarbeAktiv() const
{
    return BereichsFarbe(true, palette());
}

void TDlgDefinitionAlarmzentrale::showEvent(QShowEvent* event)
{
    if (!event->spontaneous())
        Geschuetzt([this] { FormShow(); });
    QDialog::showEvent(event);
}

void TDlgDefinitionAlarmzentrale::FormShow()
{
    LOG_FKT("TDlgDefinitionAlarmzentrale::FormShow");
    int variante = 2;
    int anzahl = 1;
    if (!FindeCode(m_variante, variante, anzahl)) {
        variante = 2;
        anzahl = 1;
    }
    const auto& kette = m_kette[static_cast<std::size_t>(variante - 1)];
    for (std::size_t b = 0; b < kette.size(); ++b)
        kette[b]->setChecked(static_cast<int>(b) < anzahl);
    RbtnAzVariante[static_cast<std::size_t>(variante - 1)]->setChecked(true);
    RbnStatusChanged();
}

void TDlgDefinitionAlarmzentrale::RbnStatusChanged()
{
    for (int v = 1; v <= AnzahlVarianten; ++v) {
        if (RbtnAzVariante[static_cast<std::size_t>(v - 1)]->isChecked())
            SelectVariante(v);
        else
            DisableVariante(v);
    }
}

void TDlgDefinitionAlarmzentrale::SelectVariante(int v)
{
    const auto i = static_cast<std::size_t>(v - 1);
    PanelAzVariante[i]->setEnabled(true);
    RbtnAzVariante[i]->setChecked(true);
    // The boxes that count: the checked ones up to the first unchecked. A box is usable only
    // while every box before it counts.
    int anzahl = 0;
    const auto& kette = m_kette[i];
    for (std::size_t b = 0; b < kette.size(); ++b) {
        kette[b]->setEnabled(static_cast<int>(b) <= anzahl);
        if (static_cast<int>(b) == anzahl && kette[b]->isChecked())
            ++anzahl;
    }
    m_variante = kVarianten[i].Codes[static_cast<std::size_t>(anzahl)];
    for (int n = 1; n <= 4; ++n)
        if (QLabel* panel = PanelVarianteSb[i][static_cast<std::size_t>(n - 1)])
            FaerbeBereich(panel, BereichsByte(m_variante, n) != 0);
    ShowVariantHelp(kVarianten[i].ErsteHilfe + anzahl);
}

void TDlgDefinitionAlarmzentrale::DisableVariante(int v)
{
    const auto i = static_cast<std::size_t>(v - 1);
    PanelAzVariante[i]->setEnabled(false);
    for (QCheckBox* box : m_kette[i])
        box->setEnabled(false);
    for (QLabel* panel : PanelVarianteSb[i])
        if (panel != nullptr)
            FaerbeBereich(panel, false);
}

void TDlgDefinitionAlarmzentrale::ShowVariantHelp(int id)
{
    LOG_FKT("TDlgDefinitionAlarmzentrale::ShowVariantHelp");
    m_hilfeId = id;
    if (RichEditFeld == nullptr)
        return;
    std::error_code fehler;
    if (!std::filesystem::is_regular_file(m_hilfeDatei, fehler))
        return;
    TRtfDokument abschnitt;
    {
        const TCursorHourGlass sanduhr;
        if (!TMeldeHilfe::LadeAbschnitt(m_hilfeDatei, id, abschnitt))
            return;
    }
    ZeigeRtfDokument(*RichEditFeld, abschnitt);
}

void TDlgDefinitionAlarmzentrale::BtnOkClick()
{
    LOG_FKT("TDlgDefinitionAlarmzentrale::BtnOkClick");
    if (m_ziel != nullptr)
        *m_ziel = m_variante;
    done(1);
}

void TDlgDefinitionAlarmzentrale::BtnAbbrechenClick()
{
    LOG_FKT("TDlgDefinitionAlarmzentrale::BtnAbbrechenClick");
    done(2);
}

void TDlgDefinitionAlarmzentrale::reject()
{
    done(2);
}
