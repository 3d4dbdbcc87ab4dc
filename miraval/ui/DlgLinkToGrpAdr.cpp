#include "miraval/ui/DlgLinkToGrpAdr.h"

#include "miraval/devinst/GrpAdrText.h"
#include "miraval/dienste/Spredit.h"
#include "miraval/ui/Geschuetzt.h"
#include "miraval/ui/GrpAdrTastenFilter.h"
#include "tamsel/Tamsel.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kModalOk = 1;
constexpr int kModalAbbrechen = 2;

QString Qs(const std::string& text)
{
    return QString::fromStdString(text);
}

} // namespace

TDlgLinkToGrpAdr::TDlgLinkToGrpAdr(QWidget* owner, const std::string& adresse, std::string* name, uint16_t* main,
                                   uint16_t* middle, uint16_t* sub, bool dreiEbenen)
    : QDialog(owner), m_name(name), m_main(main), m_middle(middle), m_sub(sub), m_dreiEbenen(dreiEbenen)
{
    LOG_FKT("TDlgLinkToGrpAdr::TDlgLinkToGrpAdr");
    setObjectName(QStringLiteral("DlgLinkToGrpAdr"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setWindowTitle(Qs(Spredit::Txt9172));

    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    LabelInfoText = new QLabel(Qs(Spredit::Txt9173), Bevel1);
    LabelInfoText->setObjectName(QStringLiteral("LabelInfoText"));
    LabelGrpAdr = new QLabel(Qs(Spredit::Txt9174), Bevel1);
    LabelGrpAdr->setObjectName(QStringLiteral("LabelGrpAdr"));
    LabelGrpAdrName = new QLabel(Qs(Spredit::Txt9175), Bevel1);
    LabelGrpAdrName->setObjectName(QStringLiteral("LabelGrpAdrName"));
    EditGrpAdr = new QLineEdit(Qs(adresse), Bevel1);
    EditGrpAdr->setObjectName(QStringLiteral("EditGrpAdr"));
    EditGrpAdrName = new QLineEdit(Bevel1);
    EditGrpAdrName->setObjectName(QStringLiteral("EditGrpAdrName"));
    auto* rahmen = new QGridLayout(Bevel1);
    rahmen->addWidget(LabelInfoText, 0, 0, 1, 2);
    rahmen->addWidget(LabelGrpAdr, 1, 0);
    rahmen->addWidget(EditGrpAdr, 1, 1);
    rahmen->addWidget(LabelGrpAdrName, 2, 0);
    rahmen->addWidget(EditGrpAdrName, 2, 1);

    // No button is a default one: Enter in an edit runs OK once, through the key filter.
    BtnOk = new QPushButton(Qs(Spredit::Txt9176), this);
    BtnOk->setObjectName(QStringLiteral("BtnOk"));
    BtnOk->setAutoDefault(false);
    BtnAbbrechen = new QPushButton(Qs(Spredit::Txt9177), this);
    BtnAbbrechen->setObjectName(QStringLiteral("BtnAbbrechen"));
    BtnAbbrechen->setAutoDefault(false);
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addStretch(1);
    knoepfe->addWidget(BtnOk);
    knoepfe->addWidget(BtnAbbrechen);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Bevel1);
    layout->addLayout(knoepfe);
    resize(293, sizeHint().height());

    connect(BtnOk, &QPushButton::clicked, this, [this] { Geschuetzt([this] { BtnOkClick(); }); });
    connect(BtnAbbrechen, &QPushButton::clicked, this, [this] { Geschuetzt([this] { BtnAbbrechenClick(); }); });
    new TGrpAdrTastenFilter(EditGrpAdr, [this] { BtnOkClick(); });
    new TGrpAdrTastenFilter(EditGrpAdrName, [this] { BtnOkClick(); }, TGrpAdrTastenFilter::TZeichen::Alle);
    BtnOk->setFocus();
}

bool TDlgLinkToGrpAdr::StringToGrpAdr(const std::string& text, uint16_t& main, uint16_t& middle,
                                      uint16_t& sub) const
{
    return GrpAdrText::StringToGrpAddr(text, m_dreiEbenen ? 3 : 2, main, middle, sub);
}

void TDlgLinkToGrpAdr::BtnOkClick()
{
    LOG_FKT("TDlgLinkToGrpAdr::BtnOkClick");
    // Parsed into locals: a text that does not parse leaves the caller's outputs untouched.
    uint16_t main = 0;
    uint16_t middle = 0;
    uint16_t sub = 0;
    if (!StringToGrpAdr(EditGrpAdr->text().toStdString(), main, middle, sub))
        return;
    if (m_main != nullptr)
        *m_main = main;
    if (m_middle != nullptr)
        *m_middle = middle;
    if (m_sub != nullptr)
        *m_sub = sub;
    if (m_name != nullptr)
        *m_name = EditGrpAdrName->text().toStdString();
    done(kModalOk);
}

void TDlgLinkToGrpAdr::BtnAbbrechenClick()
{
    LOG_FKT("TDlgLinkToGrpAdr::BtnAbbrechenClick");
    done(kModalAbbrechen);
}

void TDlgLinkToGrpAdr::reject()
{
    done(kModalAbbrechen);
}

void TDlgLinkToGrpAdr::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    EditGrpAdr->setFocus();
}
