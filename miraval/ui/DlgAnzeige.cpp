#include "miraval/ui/DlgAnzeige.h"

#include "miraval/devinst/VarianteAz.h"
#include "miraval/dienste/Bilder.h"
#include "miraval/ui/BereichsFarbe.h"
#include "miraval/ui/Geschuetzt.h"
#include "tamsel/Tamsel.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {

// The image-list pictures of arming areas 1-4.
constexpr int kBildSsb1 = 41;

} // namespace

TDlgAnzeige::TDlgAnzeige(QWidget* owner, uint32_t* maske, uint32_t variante)
    : QDialog(owner)
    , m_ziel(maske)
    , m_maske(maske != nullptr ? *maske : 0)
    , m_variante(variante)
{
    LOG_FKT("TDlgAnzeige::TDlgAnzeige");
    setObjectName(QStringLiteral("DlgAnzeige"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    ErzeugeKomponenten();
    resize(438, 150);
    PanelFeuer->setText(QStringLiteral("Feuermelder"));
    PanelUeberfall->setText(QStringLiteral("Überfallmelder"));
}

void TDlgAnzeige::ErzeugeKomponenten()
{
    auto* haupt = new QVBoxLayout(this);
    LabelAnzeigeText = new QLabel(this);
    LabelAnzeigeText->setObjectName(QStringLiteral("LabelAnzeigeText"));
    haupt->addWidget(LabelAnzeigeText);

    auto* raster = new QGridLayout;
    haupt->addLayout(raster);
    auto box = [this](const QString& name) {
        auto* b = new QCheckBox(this);
        b->setObjectName(name);
        return b;
    };
    auto panelFrame = [this](QFrame* panel, const QString& name) {
        panel->setObjectName(name);
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Raised);
        panel->setMinimumSize(150, 26);
        return panel;
    };

    // Arming areas on the left, fire and hold-up detectors on the right.
    for (int n = 1; n <= 4; ++n) {
        const auto i = static_cast<std::size_t>(n - 1);
        ChkSsb[i] = box(QStringLiteral("ChkSsb%1").arg(n));
        PanelSsb[i] = panelFrame(new QFrame(this), QStringLiteral("PanelSsb%1").arg(n));
        auto* inhalt = new QHBoxLayout(PanelSsb[i]);
        inhalt->setContentsMargins(4, 2, 4, 2);
        auto* bild = new QLabel(PanelSsb[i]);
        bild->setPixmap(Bilder::Icon(kBildSsb1 + n - 1).pixmap(Bilder::Groesse, Bilder::Groesse));
        inhalt->addWidget(bild);
        inhalt->addWidget(new QLabel(QStringLiteral("SSB%1").arg(n), PanelSsb[i]), 1);
        raster->addWidget(ChkSsb[i], n - 1, 0);
        raster->addWidget(PanelSsb[i], n - 1, 1);
        QCheckBox* chk = ChkSsb[i];
        QFrame* panel = PanelSsb[i];
        connect(chk, &QCheckBox::clicked, this,
                [this, chk, panel] { Geschuetzt([this, chk, panel] { FaerbeBereich(panel, chk->isChecked()); }); });
    }
    ChkFeuer = box(QStringLiteral("ChkFeuer"));
    ChkUeberfall = box(QStringLiteral("ChkUeberfall"));
    PanelFeuer = static_cast<QLabel*>(panelFrame(new QLabel(this), QStringLiteral("PanelFeuer")));
    PanelUeberfall = static_cast<QLabel*>(panelFrame(new QLabel(this), QStringLiteral("PanelUeberfall")));
    raster->addWidget(ChkFeuer, 0, 2);
    raster->addWidget(PanelFeuer, 0, 3);
    raster->addWidget(ChkUeberfall, 1, 2);
    raster->addWidget(PanelUeberfall, 1, 3);
    for (const auto& paar : {std::pair<QCheckBox*, QWidget*>{ChkFeuer, PanelFeuer}, {ChkUeberfall, PanelUeberfall}}) {
        // Named copies, not a structured binding: clang before 16 cannot capture a binding.
        QCheckBox* chk = paar.first;
        QWidget* panel = paar.second;
        connect(chk, &QCheckBox::clicked, this,
                [this, chk, panel] { Geschuetzt([this, chk, panel] { FaerbeBereich(panel, chk->isChecked()); }); });
    }

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

bool TDlgAnzeige::SsbVorhanden(uint32_t variante, int n)
{
    return BereichVorhanden(variante, n);
}

QColor TDlgAnzeige::FarbeAktiv() const
{
    return BereichsFarbe(true, palette());
}

void TDlgAnzeige::showEvent(QShowEvent* event)
{
    if (!event->spontaneous())
        Geschuetzt([this] { FormShow(); });
    QDialog::showEvent(event);
}

void TDlgAnzeige::FormShow()
{
    LOG_FKT("TDlgAnzeige::FormShow");
    for (int n = 1; n <= 4; ++n) {
        const auto i = static_cast<std::size_t>(n - 1);
        const bool vorhanden = SsbVorhanden(m_variante, n);
        ChkSsb[i]->setEnabled(vorhanden);
        ChkSsb[i]->setChecked(vorhanden && (m_maske & (1u << (n - 1))) != 0);
        FaerbeBereich(PanelSsb[i], ChkSsb[i]->isChecked());
    }
    ChkFeuer->setEnabled(true);
    ChkFeuer->setChecked((m_maske & BitFeuer) != 0);
    FaerbeBereich(PanelFeuer, ChkFeuer->isChecked());
    ChkUeberfall->setEnabled(true);
    ChkUeberfall->setChecked((m_maske & BitUeberfall) != 0);
    FaerbeBereich(PanelUeberfall, ChkUeberfall->isChecked());
}

void TDlgAnzeige::BtnOkClick()
{
    LOG_FKT("TDlgAnzeige::BtnOkClick");
    uint32_t maske = 0;
    for (std::size_t i = 0; i < ChkSsb.size(); ++i)
        if (ChkSsb[i]->isChecked())
            maske |= 1u << i;
    if (ChkFeuer->isChecked())
        maske |= BitFeuer;
    if (ChkUeberfall->isChecked())
        maske |= BitUeberfall;
    m_maske = maske;
    if (m_ziel != nullptr)
        *m_ziel = maske;
    done(1);
}

void TDlgAnzeige::BtnAbbrechenClick()
{
    LOG_FKT("TDlgAnzeige::BtnAbbrechenClick");
    done(2);
}

void TDlgAnzeige::reject()
{
    done(2);
}
