#include "editor/ui/EditorWindow.h"

#include "base/AtomicFile.h"
#include "editor/EditMenuState.h"
#include "editor/ui/BatchTextEdit.h"
#include "script/ScriptFiles.h"
#include "ui/LocalText.h"
#include "ui/WindowPlacement.h"

#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QTextBlock>
#include <QVBoxLayout>

namespace ferrowind {

namespace {
constexpr const char* kEditorCaption = "Batch Editor";
const QSize kFirstOuterSize(556, 387);
} // namespace

EditorWindow::EditorWindow(Services services, WorkingFolders folders, QWidget* parent) :
      QDialog(parent),
      services_(services),
      folders_(std::move(folders)),
      text_(new BatchTextEdit(this))
{
    setObjectName("Window_Editor");
    setWindowTitle(kEditorCaption);
    resize(kFirstOuterSize);
    text_->setObjectName("INFSBatEdit");
    text_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(text_, &QWidget::customContextMenuRequested, this, &EditorWindow::showPopup);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(text_);
    buildMenus();
}

QAction* EditorWindow::addItem(QMenu* menu, const char* name, const QString& text, const QKeySequence& shortcut)
{
    QAction* action = menu->addAction(text);
    action->setObjectName(name);
    action->setShortcut(shortcut);
    return action;
}

QAction* EditorWindow::addSeparatorItem(QMenu* menu, const char* name)
{
    QAction* separator = menu->addSeparator();
    separator->setObjectName(name);
    return separator;
}

void EditorWindow::buildMenus()
{
    auto* bar = new QMenuBar(this);
    layout()->setMenuBar(bar);

    QMenu* file = bar->addMenu("File");
    connect(addItem(file, "INFSMI14", "Run", Qt::Key_F9), &QAction::triggered, this, &EditorWindow::run);
    connect(addItem(file, "INFSMI15", "Save As\u2026", Qt::CTRL | Qt::Key_S), &QAction::triggered, this,
        &EditorWindow::saveAs);
    addSeparatorItem(file, "INFSMI16");
    connect(addItem(file, "INFSMI17", "Close"), &QAction::triggered, this, &EditorWindow::closeAndClear);

    QMenu* edit = bar->addMenu("Edit");
    edit->setObjectName("INFSMI_1");
    connect(edit, &QMenu::aboutToShow, this, &EditorWindow::updateEditMenu);
    undo_ = addItem(edit, "INFSMI18", "Undo", Qt::CTRL | Qt::Key_Z);
    redo_ = addItem(edit, "INFSMI19", "Redo", Qt::CTRL | Qt::Key_Y);
    addSeparatorItem(edit, "INFSMI20");
    copy_ = addItem(edit, "INFSMI7", "Copy", Qt::CTRL | Qt::Key_C);
    cut_ = addItem(edit, "INFSMI8", "Cut", Qt::CTRL | Qt::Key_X);
    paste_ = addItem(edit, "INFSMI9", "Paste", Qt::CTRL | Qt::Key_V);
    delete_ = addItem(edit, "INFSMI10", "Delete", Qt::CTRL | Qt::Key_Delete);
    QAction* selectAll = addItem(edit, "INFSMI11", "Select all", Qt::CTRL | Qt::Key_A);
    addSeparatorItem(edit, "INFSMI12");
    readOnly_ = addItem(edit, "INFSMI13", "Read only");

    popup_ = new QMenu(this);
    popup_->setObjectName("PMenu");
    connect(popup_, &QMenu::aboutToShow, this, &EditorWindow::updatePopup);
    popupCopy_ = addItem(popup_, "INFSMI0", "Copy", Qt::CTRL | Qt::Key_C);
    popupCut_ = addItem(popup_, "INFSMI1", "Cut", Qt::CTRL | Qt::Key_X);
    popupPaste_ = addItem(popup_, "INFSMI2", "Paste", Qt::CTRL | Qt::Key_V);
    popupDelete_ = addItem(popup_, "INFSMI3", "Delete", Qt::CTRL | Qt::Key_Delete);
    QAction* popupSelectAll = addItem(popup_, "INFSMI4", "Select all", Qt::CTRL | Qt::Key_A);
    addSeparatorItem(popup_, "INFSMI5");
    popupReadOnly_ = addItem(popup_, "INFSMI6", "Read only");

    connect(undo_, &QAction::triggered, this, &EditorWindow::undo);
    connect(redo_, &QAction::triggered, this, &EditorWindow::redo);
    for (QAction* action : {copy_, popupCopy_})
        connect(action, &QAction::triggered, text_, &QPlainTextEdit::copy);
    for (QAction* action : {cut_, popupCut_})
        connect(action, &QAction::triggered, text_, &QPlainTextEdit::cut);
    for (QAction* action : {paste_, popupPaste_})
        connect(action, &QAction::triggered, text_, &QPlainTextEdit::paste);
    for (QAction* action : {delete_, popupDelete_})
        connect(action, &QAction::triggered, this, &EditorWindow::removeSelection);
    for (QAction* action : {selectAll, popupSelectAll})
        connect(action, &QAction::triggered, text_, &QPlainTextEdit::selectAll);
    for (QAction* action : {readOnly_, popupReadOnly_}) {
        action->setCheckable(true);
        action->setChecked(true);
        connect(action, &QAction::triggered, this, &EditorWindow::setReadOnly);
    }
}

void EditorWindow::setScriptText(const QString& text) { text_->setPlainText(text); }

QString EditorWindow::scriptText() const
{
    QStringList lines;
    for (QTextBlock block = text_->document()->begin(); block.isValid(); block = block.next())
        lines.append(block.text());
    return lines.join('\n');
}

std::string EditorWindow::fileText() const
{
    ScriptLines lines;
    for (QTextBlock block = text_->document()->begin(); block.isValid(); block = block.next())
        lines.push_back(toLocal(block.text()));
    return joinScriptLines(lines);
}

void EditorWindow::run()
{
    const ShellResult result = runCompileScriptText(fileText(), folders_, services_.shell);
    if (!result.problem.empty())
        services_.prompts.tell(kEditorCaption, result.problem, PromptIcon::Error);
}

void EditorWindow::saveAs()
{
    const auto answer = services_.dialogs.saveFile({kSaveFilter, lastSaveName_});
    if (!answer)
        return;
    lastSaveName_ = answer->path;
    try {
        base::writeFileAtomically(saveAsPath(answer->path, answer->filterIndex), fileText());
    } catch (const base::WriteError& error) {
        services_.prompts.tell(kEditorCaption, saveFailedMessage(error), PromptIcon::Error);
    }
}

void EditorWindow::closeAndClear()
{
    reject();
    text_->clear();
}

void EditorWindow::keyPressEvent(QKeyEvent* event)
{
    // Only "Close" and the close box end the window; Escape is not a way out of an editor.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        return;
    QDialog::keyPressEvent(event);
}

void EditorWindow::showEvent(QShowEvent* event)
{
    if (!shownBefore_)
        resizeOuter(*this, kFirstOuterSize);
    shownBefore_ = true;
    centreOnOwner(*this);
    QDialog::showEvent(event);
}

void EditorWindow::showPopup(const QPoint& position) { popup_->exec(text_->viewport()->mapToGlobal(position)); }

void EditorWindow::updateEditMenu()
{
    const EditMenuState state = editMenuState(text_->isReadOnly(), text_->textCursor().hasSelection());
    undo_->setEnabled(state.undo);
    redo_->setEnabled(state.redo);
    copy_->setEnabled(state.copy);
    cut_->setEnabled(state.cut);
    paste_->setEnabled(state.paste);
    delete_->setEnabled(state.remove);
    readOnly_->setChecked(state.readOnlyChecked);
}

void EditorWindow::updatePopup()
{
    const EditMenuState state = editMenuState(text_->isReadOnly(), text_->textCursor().hasSelection());
    popupCopy_->setEnabled(state.copy);
    popupCut_->setEnabled(state.cut);
    popupPaste_->setEnabled(state.paste);
    popupDelete_->setEnabled(state.remove);
    popupReadOnly_->setChecked(state.readOnlyChecked);
}

void EditorWindow::setReadOnly(bool readOnly) { text_->setEditable(!readOnly); }

// The widget's own undo, redo and delete would change a read-only text; the read-only state forbids it.
void EditorWindow::undo()
{
    if (!text_->isReadOnly())
        text_->undo();
}

void EditorWindow::redo()
{
    if (!text_->isReadOnly())
        text_->redo();
}

void EditorWindow::removeSelection()
{
    if (!text_->isReadOnly())
        text_->textCursor().removeSelectedText();
}

} // namespace ferrowind
