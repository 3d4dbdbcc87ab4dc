#include "miraval/ui/DlgNewGrpAddrName.h"

#include "miraval/dienste/Spredit.h"
#include "miraval/ui/Geschuetzt.h"
#include "tamsel/Tamsel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kModalOk = 1;
constexpr int kModalAbbrechen = 2;

} // namespace

TDlgNewGrpAddrName::TDlgNewGrpAddrName(QWidget* owner, const std::string& caption, const std::string& text,
                                       std::string* name)
    : QDialog(owner), m_name(name)
{
    LOG_FKT("TDlgNewGrpAddrName::TDlgNewGrpAddrName");
    setObjectName(QStringLiteral("DlgNewGrpAddrName"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QString::fromStdString(caption));

    LabelText = new QLabel(QString::fromStdString(text), this);
    LabelText->setObjectName(QStringLiteral("LabelText"));
    EditGrpAddrName = new QLineEdit(this);
    EditGrpAddrName->setObjectName(QStringLiteral("EditGrpAddrName"));
    btnOk = new QPushButton(QString::fromStdString(Spredit::Txt9049), this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setDefault(true);
    btnCancel = new QPushButton(QString::fromStdString(Spredit::Txt9050), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LabelText);
    layout->addWidget(EditGrpAddrName);
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addStretch(1);
    knoepfe->addWidget(btnOk);
    knoepfe->addWidget(btnCancel);
    layout->addLayout(knoepfe);
    resize(273, sizeHint().height());

    connect(btnOk, &QPushButton::clicked, this, [this] { Geschuetzt([this] { btnOkClick(); }); });
    connect(btnCancel, &QPushButton::clicked, this, [this] { done(kModalAbbrechen); });
}

void TDlgNewGrpAddrName::btnOkClick()
{
    LOG_FKT("TDlgNewGrpAddrName::btnOkClick");
    if (m_name != nullptr)
        *m_name = EditGrpAddrName->text().toStdString();
    done(kModalOk);
}

void TDlgNewGrpAddrName::reject()
{
    done(kModalAbbrechen);
}
