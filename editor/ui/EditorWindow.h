#pragma once

#include "config/WorkingFolders.h"
#include "script/ScriptLines.h"
#include "ui/Services.h"

#include <QDialog>

#include <string>

class QAction;
class QMenu;

namespace ferrowind {

class BatchTextEdit;

// The batch editor: shows the script last generated for either page, coloured as batch code, and runs or
// saves the text it shows. Read-only until the user switches editing on; that choice lasts until the
// program ends.
class EditorWindow : public QDialog {
    Q_OBJECT
public:
    EditorWindow(Services services, WorkingFolders folders, QWidget* parent = nullptr);

    // Replaces the whole text; the line ends of the text become the editor's lines.
    void setScriptText(const QString& text);
    // The lines joined by line feeds.
    QString scriptText() const;

    void run();
    void saveAs();
    void closeAndClear();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    // The first showing takes the outer size; every showing is centred on the owner.
    void showEvent(QShowEvent* event) override;

private:
    void buildMenus();
    QAction* addItem(QMenu* menu, const char* name, const QString& text, const QKeySequence& shortcut = {});
    QAction* addSeparatorItem(QMenu* menu, const char* name);
    void showPopup(const QPoint& position);
    void updateEditMenu();
    void updatePopup();
    void setReadOnly(bool readOnly);
    void undo();
    void redo();
    void removeSelection();
    // The text as a file holds it: single-byte lines with CR LF between them and none after the last.
    std::string fileText() const;

    Services services_;
    WorkingFolders folders_;
    std::string lastSaveName_;
    BatchTextEdit* text_;
    bool shownBefore_ = false;

    QMenu* popup_ = nullptr;
    QAction* undo_ = nullptr;
    QAction* redo_ = nullptr;
    QAction* copy_ = nullptr;
    QAction* cut_ = nullptr;
    QAction* paste_ = nullptr;
    QAction* delete_ = nullptr;
    QAction* readOnly_ = nullptr;
    QAction* popupCopy_ = nullptr;
    QAction* popupCut_ = nullptr;
    QAction* popupPaste_ = nullptr;
    QAction* popupDelete_ = nullptr;
    QAction* popupReadOnly_ = nullptr;
};

} // namespace ferrowind
