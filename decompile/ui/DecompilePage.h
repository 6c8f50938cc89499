#pragma once

#include "decompile/DecompileAction.h"

#include <QFrame>
#include <QStringList>
#include <QWidget>

class QCheckBox;
class QLineEdit;

namespace ferrowind {

class Dialogs;
class Prompts;

// The "Drag here" panel: the page's only drop target for files from the desktop.
class DropPanel : public QFrame {
    Q_OBJECT
public:
    explicit DropPanel(QWidget* parent);

signals:
    // The dropped files in the order the desktop gave them.
    void filesDropped(const QStringList& paths);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

// The "Half-Life decompiling" page: the ".bsp" file, the output folder and the decompiler's options.
class DecompilePage : public QWidget {
    Q_OBJECT
public:
    explicit DecompilePage(QWidget* parent);

    DecompilePageState state() const;

    // Takes a chosen or dropped file onto the page: only ".bsp" files, after the version check. True when the
    // file was taken and "Auto decompile at dragging" asks for the decompile to start now.
    bool takeBspFile(const QString& path, Prompts& prompts);
    // The "..." buttons.
    bool chooseBspFile(Dialogs& dialogs, Prompts& prompts);
    void chooseOutputFolder(Dialogs& dialogs);
    // "Default": the four options off; the fields and the picked folder stay.
    void resetOptions();

signals:
    void decompileRequested();
    void bspChooserRequested();
    void outputChooserRequested();
    void filesDropped(const QStringList& paths);
    void aboutRequested();

private:
    void buildFileGroup();
    void buildOptionsGroup();
    void buildInfoGroup();

    QLineEdit* bspEdit_ = nullptr;
    QLineEdit* outputEdit_ = nullptr;
    QCheckBox* texturesCheck_ = nullptr;
    QCheckBox* brenmoorCheck_ = nullptr;
    QCheckBox* autoCheck_ = nullptr;
    QCheckBox* pauseCheck_ = nullptr;
    bool outputFolderChosen_ = false;
};

} // namespace ferrowind
