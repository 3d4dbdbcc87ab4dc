#include "win32/qt/DialogDates.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QIdentityProxyModel>
#include <QLocale>

namespace {

// The file system model's columns of the size and of the last change.
constexpr int kSizeColumn = 1;
constexpr int kDateColumn = 3;

class TDefaultLocaleColumns : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override
    {
        const auto* model = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (role == Qt::DisplayRole && model != nullptr) {
            const QModelIndex source = mapToSource(index);
            if (index.column() == kSizeColumn && !model->isDir(source))
                return QLocale().formattedDataSize(model->size(source));
            if (index.column() == kDateColumn)
                return QLocale().toString(model->lastModified(source), QLocale::ShortFormat);
        }
        return QIdentityProxyModel::data(index, role);
    }
};

} // namespace

void FileColumnsInDefaultLocale(QWidget& dialog)
{
    auto* fileDialog = qobject_cast<QFileDialog*>(&dialog);
    if (fileDialog == nullptr || fileDialog->proxyModel() != nullptr)
        return;
    fileDialog->setProxyModel(new TDefaultLocaleColumns(fileDialog));
}
