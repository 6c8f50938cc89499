#include "app/ui/QtDialogs.h"

#include <QDir>
#include <QFileDialog>

QStringList QtNameFilters(const std::string& filter)
{
    const QStringList parts = QString::fromLocal8Bit(filter).split('|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        const qsizetype open = description.lastIndexOf('(');
        if (open > 0)
            description = description.left(open).trimmed();
        QString patterns = parts[i + 1];
        patterns.replace(';', ' ');
        filters << description + " (" + patterns + ")";
    }
    return filters;
}

std::optional<std::string> QtDialogs::OpenFile(const OpenFileRequest& request)
{
    const QString chosen = QFileDialog::getOpenFileName(owner_, QString(), QString::fromLocal8Bit(request.initialDir), QtNameFilters(request.filter).join(";;"));
    if (chosen.isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(chosen).toLocal8Bit().toStdString();
}

std::optional<SaveFileAnswer> QtDialogs::SaveFile(const SaveFileRequest& request)
{
    const QStringList filters = QtNameFilters(request.filter);
    QString selected = filters.value(0);
    const QString chosen = QFileDialog::getSaveFileName(owner_, QString(), QString::fromLocal8Bit(request.fileName), filters.join(";;"), &selected);
    if (chosen.isEmpty())
        return std::nullopt;
    const int index = static_cast<int>(filters.indexOf(selected)) + 1;
    return SaveFileAnswer{QDir::toNativeSeparators(chosen).toLocal8Bit().toStdString(), index > 0 ? index : 1};
}
