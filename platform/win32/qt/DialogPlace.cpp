#include "win32/qt/DialogPlace.h"

#include "win32/qt/DialogDates.h"
#include "win32/qt/TitleWidth.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMargins>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace {

// Marks a dialog placed here: its position is no explicit one of the program's.
constexpr const char* kPlacedProperty = "placedOverOwner";
// Marks a dialog whose show event the filter hands on to the dialog itself.
constexpr const char* kShowingProperty = "showingBeforePlace";

class TDialogShowFilter : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!watched->isWidgetType())
            return false;
        auto& widget = *static_cast<QWidget*>(watched);
        if (event->type() == QEvent::Show) {
            if (widget.property(kShowingProperty).toBool())
                return false;
            FitToTitle(widget);
            FileColumnsInDefaultLocale(widget);
            if (!widget.isWindow() || widget.windowType() != Qt::Dialog)
                return false;
            // A message box takes its final size in its own show handling, which runs after
            // this filter: it runs first here, so that the dialog is placed at the size it is
            // shown with, before the window system maps it.
            widget.setProperty(kShowingProperty, true);
            QCoreApplication::sendEvent(&widget, event);
            widget.setProperty(kShowingProperty, false);
            PlaceOverOwner(widget);
            return true;
        }
        if (event->type() == QEvent::Hide && widget.property(kPlacedProperty).toBool()) {
            // Shown again, it is placed again.
            widget.setAttribute(Qt::WA_Moved, false);
            widget.setProperty(kPlacedProperty, false);
        }
        return false;
    }
};

} // namespace

QRect DialogPlatz(const QRect& ownerFrame, const QRect& ownerClient, const QSize& groesse, const QRect& screen)
{
    const QMargins rand(ownerClient.left() - ownerFrame.left(), ownerClient.top() - ownerFrame.top(),
                        ownerFrame.right() - ownerClient.right(), ownerFrame.bottom() - ownerClient.bottom());
    QRect rahmen(QPoint(0, 0), groesse.grownBy(rand));
    rahmen.moveCenter(ownerFrame.center());
    rahmen.moveTop(std::max(rahmen.top(), ownerClient.top()));
    rahmen.moveLeft(std::max(std::min(rahmen.left(), screen.right() + 1 - rahmen.width()), screen.left()));
    rahmen.moveTop(std::max(std::min(rahmen.top(), screen.bottom() + 1 - rahmen.height()), screen.top()));
    return rahmen.marginsRemoved(rand);
}

void PlaceOverOwner(QWidget& dialog)
{
    if (!dialog.isWindow() || dialog.windowType() != Qt::Dialog || dialog.parentWidget() == nullptr ||
        (dialog.testAttribute(Qt::WA_Moved) && !dialog.property(kPlacedProperty).toBool()))
        return;
    const QWidget* owner = dialog.parentWidget()->window();
    const QScreen* screen = owner->screen();
    if (!owner->isVisible() || owner->isMinimized() || screen == nullptr)
        return;
    // The dialog counts as moved now, so that Qt's own centring, as its show event ends,
    // leaves it there.
    dialog.setGeometry(DialogPlatz(owner->frameGeometry(), owner->geometry(), dialog.size(), screen->availableGeometry()));
    dialog.setProperty(kPlacedProperty, true);
}

void InstallDialogShowFilter(QObject& parent)
{
    if (auto* application = QCoreApplication::instance())
        application->installEventFilter(new TDialogShowFilter(&parent));
}
