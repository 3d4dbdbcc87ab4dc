#include "win32/qt/AccentRows.h"

#include <QApplication>
#include <QFontMetrics>
#include <QProxyStyle>
#include <QStyleOptionViewItem>

#include <algorithm>

namespace {

class TAccentRowsStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override
    {
        QSize result = QProxyStyle::sizeFromContents(type, option, size, widget);
        const auto* item = qstyleoption_cast<const QStyleOptionViewItem*>(option);
        if (type == CT_ItemViewItem && item != nullptr && item->features.testFlag(QStyleOptionViewItem::HasDisplay)) {
            const QFontMetrics metrics(item->font);
            // The text is centred: the room above is half of what the row has beyond it.
            result.setHeight(std::max(result.height(), metrics.height() + 2 * AccentOverhang(metrics)));
        }
        return result;
    }
};

} // namespace

int AccentOverhang(const QFontMetrics& metrics)
{
    // tightBoundingRect: the ink, its top above the baseline negative.
    const int ink = -metrics.tightBoundingRect(QStringLiteral("ÄÖÜÅ")).top();
    return std::max(0, ink - metrics.ascent());
}

void RowsTallEnoughForAccents()
{
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr)
        return;
    if (dynamic_cast<TAccentRowsStyle*>(QApplication::style()) != nullptr)
        return;
    QApplication::setStyle(new TAccentRowsStyle(QApplication::style()->name()));
}
