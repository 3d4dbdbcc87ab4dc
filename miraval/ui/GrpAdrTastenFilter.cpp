#include "miraval/ui/GrpAdrTastenFilter.h"

#include "miraval/devinst/GrpAdrText.h"
#include "miraval/ui/Geschuetzt.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>

#include <utility>

TGrpAdrTastenFilter::TGrpAdrTastenFilter(QLineEdit* edit, std::function<void()> enter, TZeichen zeichen)
    : QObject(edit), m_enter(std::move(enter)), m_zeichen(zeichen)
{
    edit->installEventFilter(this);
}

bool TGrpAdrTastenFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto* taste = static_cast<QKeyEvent*>(event);
    if (taste->key() == Qt::Key_Return || taste->key() == Qt::Key_Enter) {
        // A copy: the action may close the dialog, and with it this filter.
        const std::function<void()> enter = m_enter;
        Geschuetzt(enter);
        return true;
    }
    if (m_zeichen == TZeichen::Alle)
        return false;
    // Keys without a character (arrows, Home ...) reach the edit as they are.
    const QString text = taste->text();
    return text.size() == 1 && GrpAdrText::Verschluckt(text.front().unicode());
}
