#include "miraval/ui/FDockMeld.h"

#include "miraval/dienste/Spredit.h"

#include <QCloseEvent>
#include <QPalette>
#include <QTextEdit>

TFDockMeld::TFDockMeld(QWidget* parent) : QDockWidget(QString::fromStdString(Spredit::Txt9038), parent)
{
    setObjectName(QStringLiteral("FDockMeld"));
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable
                | QDockWidget::DockWidgetFloatable);
    setAllowedAreas(Qt::BottomDockWidgetArea);
    setMinimumHeight(20);
    connect(this, &QDockWidget::topLevelChanged, this, [this](bool floating) {
        if (OnEndDock)
            OnEndDock(floating);
    });
}

QTextEdit* TFDockMeld::ErzeugeText()
{
    if (m_text != nullptr)
        return m_text;
    m_text = new QTextEdit(this);
    m_text->setObjectName(QStringLiteral("RichEditMeld"));
    m_text->setReadOnly(true);
    m_text->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // The info colour (clInfoBk) is the tool-tip background.
    QPalette farben = m_text->palette();
    farben.setColor(QPalette::Base, farben.color(QPalette::ToolTipBase));
    farben.setColor(QPalette::Text, farben.color(QPalette::ToolTipText));
    m_text->setPalette(farben);
    setWidget(m_text);
    return m_text;
}

void TFDockMeld::closeEvent(QCloseEvent* event)
{
    QDockWidget::closeEvent(event);
    if (!event->isAccepted())
        return;
    if (m_text != nullptr) {
        QTextEdit* text = m_text;
        m_text = nullptr;
        setWidget(nullptr);
        delete text;
    }
    if (OnClose)
        OnClose();
}
