#include "miraval/ui/DlgInfoEreignisspeicher.h"

#include "tamsel/Tamsel.h"
#include "tessarin/SprAz.h"
#include "win32/qt/QtPlatform.h"

#include <QLabel>
#include <QVBoxLayout>

TDlgInfoEreignisspeicher::TDlgInfoEreignisspeicher(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    LOG_FKT("TDlgInfoEreignisspeicher::TDlgInfoEreignisspeicher");
    setObjectName("DlgInfoEreignisspeicher");
    setModal(false);
    resize(260, 91);
    LabelInfoText = new QLabel(this);
    LabelInfoText->setObjectName("LabelInfoText");
    LabelInfoText->setTextFormat(Qt::PlainText);
    LabelInfoText->setAlignment(Qt::AlignCenter);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LabelInfoText);
    setWindowTitle(DisplayText(SprAz::Txt10281));
    LabelInfoText->setText(DisplayText(SprAz::Txt10347));
}
