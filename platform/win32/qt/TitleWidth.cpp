#include "win32/qt/TitleWidth.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QScreen>
#include <QSpacerItem>
#include <QWidget>

#include <algorithm>

namespace {

// Marks a message box whose layout holds the title's spacer already.
constexpr const char* kSpacerProperty = "titleWidthSpacer";

// Icon, close, maximise and minimise buttons and their gaps, in lines of the title's font.
constexpr int kFrameLines = 9;

} // namespace

int TitleWidth(const QWidget& window)
{
    QFont font = window.font();
    font.setBold(true);
    const QFontMetrics metrics(font);
    return metrics.horizontalAdvance(window.windowTitle()) + kFrameLines * metrics.height();
}

void FitToTitle(QWidget& dialog)
{
    if (!dialog.isWindow() || dialog.windowType() != Qt::Dialog || dialog.windowTitle().isEmpty())
        return;
    // Never wider than the screen: a title that long is elided whatever the width.
    int width = TitleWidth(dialog);
    if (const QScreen* screen = dialog.screen())
        width = std::min(width, screen->availableGeometry().width() * 3 / 4);
    if (auto* box = qobject_cast<QMessageBox*>(&dialog)) {
        // The box sets its fixed size from its layout's minimum when shown, after this.
        auto* grid = qobject_cast<QGridLayout*>(box->layout());
        if (grid == nullptr || box->property(kSpacerProperty).toBool())
            return;
        const QMargins margins = grid->contentsMargins();
        grid->addItem(new QSpacerItem(std::max(0, width - margins.left() - margins.right()), 0, QSizePolicy::Minimum,
                                      QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
        box->setProperty(kSpacerProperty, true);
        return;
    }
    if (dialog.minimumWidth() >= width)
        return;
    dialog.setMaximumWidth(std::max(dialog.maximumWidth(), width));
    dialog.setMinimumWidth(width);
    if (dialog.width() < width)
        dialog.resize(width, dialog.height());
}
