#include "win32/qt/DialogDates.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QIdentityProxyModel>
#include <QLocale>

namespace {

// The file system model's column of the last change.
constexpr int kDateColumn = 3;

class TDefaultLocaleDates : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role == Qt::DisplayRole && index.column() == kDateColumn)
            if (const auto* model = qobject_cast<const QFileSystemModel*>(sourceModel()))
                return QLocale().toString(model->lastModified(mapToSource(index)), QLocale::ShortFormat);
        return QIdentityProxyModel::data(index, role);
    }
};

} // namespace

void DatesInDefaultLocale(QWidget& dialog)
{
    auto* fileDialog = qobject_cast<QFileDialog*>(&dialog);
    if (fileDialog == nullptr || fileDialog->proxyModel() != nullptr)
        return;
    fileDialog->setProxyModel(new TDefaultLocaleDates(fileDialog));
}
