#include "ui/QtDialogs.h"

#include "base/Paths.h"
#include "ui/LocalText.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>

namespace ferrowind {

QStringList qtNameFilters(const std::string& filter)
{
    const QStringList parts = fromLocal(filter).split('|');
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

std::optional<std::string> QtDialogs::openFile(const OpenFileRequest& request)
{
    const QString chosen = QFileDialog::getOpenFileName(
        owner_, fromLocal(request.title), fromLocal(request.initialDir), qtNameFilters(request.filter).join(";;"));
    if (chosen.isEmpty())
        return std::nullopt;
    return toLocalPath(chosen);
}

std::optional<SaveFileAnswer> QtDialogs::saveFile(const SaveFileRequest& request)
{
    const QStringList filters = qtNameFilters(request.filter);
    QString selected = filters.value(0);
    const QString chosen = QFileDialog::getSaveFileName(
        owner_, fromLocal(request.title), fromLocal(request.fileName), filters.join(";;"), &selected);
    if (chosen.isEmpty())
        return std::nullopt;
    const int index = static_cast<int>(filters.indexOf(selected)) + 1;
    return SaveFileAnswer{toLocalPath(chosen), index > 0 ? index : 1};
}

std::optional<std::string> QtDialogs::browseFolder(const std::string& caption)
{
    const QString chosen = QFileDialog::getExistingDirectory(owner_, fromLocal(caption));
    if (chosen.isEmpty())
        return std::nullopt;
    return base::withTrailingSeparator(toLocalPath(chosen));
}

std::optional<std::string> QtDialogs::askName(const NameRequest& request)
{
    QInputDialog dialog(owner_);
    dialog.setWindowTitle(fromLocal(request.title));
    dialog.setLabelText(fromLocal(request.label));
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setTextValue(fromLocal(request.initialText));
    if (request.maxLength > 0)
        dialog.findChild<QLineEdit*>()->setMaxLength(request.maxLength);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return toLocal(dialog.textValue());
}

} // namespace ferrowind
