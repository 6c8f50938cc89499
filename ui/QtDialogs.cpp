#include "ui/QtDialogs.h"

#include "base/Paths.h"
#include "ui/LocalText.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QInputDialog>
#include <QLineEdit>
#include <QSortFilterProxyModel>

namespace ferrowind {

#ifndef _WIN32
namespace {
// Folders, files with the execute bit and Windows programs, which Wine runs.
class ProgramFilter : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override
    {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (files == nullptr)
            return true;
        const QFileInfo info = files->fileInfo(files->index(row, 0, parent));
        return info.isDir() || info.isExecutable() || info.suffix().compare("exe", Qt::CaseInsensitive) == 0;
    }
};

std::optional<std::string> openProgram(QWidget* owner, const OpenFileRequest& request)
{
    QFileDialog dialog(owner, QString(), fromLocal(request.initialDir), qtNameFilters(request.filter).join(";;"));
    dialog.setOption(QFileDialog::DontUseNativeDialog); // the filter needs Qt's own dialog
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setProxyModel(new ProgramFilter(&dialog));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return toLocalPath(dialog.selectedFiles().constFirst());
}
} // namespace
#endif

QStringList qtNameFilters(const std::string& filter)
{
    const QStringList parts = fromLocal(filter).split('|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        // Qt reads the patterns from the parentheses at the end, separated by blanks; the description before them
        // is shown as written.
        QString description = parts[i];
        const qsizetype open = description.lastIndexOf('(');
        description = open > 0 ? description.left(open) : description + ' ';
        QString patterns = parts[i + 1];
        patterns.replace(';', ' ');
        filters << description + "(" + patterns + ")";
    }
    return filters;
}

std::optional<std::string> QtDialogs::openFile(const OpenFileRequest& request)
{
#ifndef _WIN32
    if (request.programs)
        return openProgram(owner_, request);
#endif
    const QString chosen = QFileDialog::getOpenFileName(
        owner_, fromLocal(request.title), fromLocal(request.initialDir), qtNameFilters(request.filter).join(";;"));
    if (chosen.isEmpty())
        return std::nullopt;
    return toLocalPath(chosen);
}

std::unique_ptr<QFileDialog> makeSaveDialog(QWidget* owner, const SaveFileRequest& request)
{
    auto dialog = std::make_unique<QFileDialog>(owner, fromLocal(request.title));
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setNameFilters(qtNameFilters(request.filter));
    if (!request.initialDir.empty())
        dialog->setDirectory(fromLocal(request.initialDir));
    // The name last: choosing a filter replaces what Qt takes for the name's extension, and in a proposed name
    // such as "boxroom.source compile" that is everything after the first dot.
    dialog->selectFile(fromLocal(request.fileName));
    return dialog;
}

std::optional<SaveFileAnswer> QtDialogs::saveFile(const SaveFileRequest& request)
{
    const std::unique_ptr<QFileDialog> dialog = makeSaveDialog(owner_, request);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return std::nullopt;
    const int index = static_cast<int>(dialog->nameFilters().indexOf(dialog->selectedNameFilter())) + 1;
    return SaveFileAnswer{toLocalPath(dialog->selectedFiles().constFirst()), index > 0 ? index : 1};
}

std::optional<std::string> QtDialogs::browseFolder(const std::string& caption, const std::string& current)
{
    return chosenFolder(QFileDialog::getExistingDirectory(owner_, fromLocal(caption), fromLocal(current)));
}

std::optional<std::string> chosenFolder(const QString& chosen)
{
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
