#include "presets/ui/PresetWindows.h"

#include "ui/LocalText.h"
#include "ui/Look.h"
#include "ui/LookWidgets.h"
#include "ui/PageParts.h"
#include "ui/WindowPlacement.h"

#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>

namespace ferrowind {

PresetsWindow::PresetsWindow(QWidget* parent, const char* objectName, const char* caption) :
      QDialog(parent,
          Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
              Qt::WindowCloseButtonHint)
{
    setObjectName(objectName);
    setWindowTitle(caption);
    setFixedSize(281, 227);
    setFont(lookFont(kWindowFontFamily));

    QGroupBox* group = makeGroup(this, "INFSGB1", " ", {8, 8, 265, 211});
    frames_.push_back(makeFramedBox(group, {8, 13, 137, 189}));
    frames_.back()->setObjectName("INFSDDec0");
    list_ = new QListWidget(group);
    list_->setObjectName("INFSPresetsList");
    list_->setGeometry(10, 15, 133, 185);
    list_->setFrameShape(QFrame::NoFrame);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    const auto load = [this] {
        withSelection([](PresetManager& manager, const std::string& name) { manager.load(name); });
    };
    connect(list_, &QListWidget::itemDoubleClicked, this, load);

    // Each button sits in its own frame, two pixels larger on every side.
    const auto button = [this, group](const char* name, const char* frame, const char* buttonCaption, int top) {
        QPushButton* made = makePanelButton(group, name, buttonCaption, {160, top - 2, 97, 21}, frame);
        frames_.push_back(group->findChild<FramedBox*>(frame));
        return made;
    };
    connect(button("INFSButton0", "INFSDDec1", "Save", 15), &QPushButton::clicked, this, [this] {
        withManager([this](PresetManager& manager) {
            if (manager.save())
                refresh();
        });
    });
    connect(button("INFSButton3", "INFSDDec4", "Load", 47), &QPushButton::clicked, this, load);
    connect(button("INFSButton1", "INFSDDec2", "Rename", 71), &QPushButton::clicked, this, [this] {
        withSelection([this](PresetManager& manager, const std::string& name) {
            if (manager.rename(name))
                refresh();
        });
    });
    connect(button("INFSButton2", "INFSDDec3", "Remove", 95), &QPushButton::clicked, this, [this] {
        withSelection([this](PresetManager& manager, const std::string& name) {
            if (manager.remove(name))
                refresh();
        });
    });
    connect(button("INFSButton4", "INFSDDec5", "Import", 127), &QPushButton::clicked, this, [this] {
        withManager([this](PresetManager& manager) {
            if (manager.importFile())
                refresh();
        });
    });
    connect(button("INFSButton5", "INFSDDec6", "Export", 151), &QPushButton::clicked, this,
        [this] { withSelection([](PresetManager& manager, const std::string& name) { manager.exportFile(name); }); });
    connect(
        button("INFSButton6", "INFSDDec7", "Refresh...", 183), &QPushButton::clicked, this, &PresetsWindow::refresh);
}

void PresetsWindow::attach(PresetManager manager) { manager_ = std::make_unique<PresetManager>(std::move(manager)); }

void PresetsWindow::showOrRaise()
{
    show();
    raise();
    activateWindow();
}

void PresetsWindow::showEvent(QShowEvent* event)
{
    refresh();
    for (FramedBox* frame : frames_)
        frame->setOutline(toQColor(frameColor(systemColors())));
    centreOnOwner(*this);
    QDialog::showEvent(event);
}

void PresetsWindow::refresh()
{
    list_->clear();
    if (manager_ == nullptr)
        return;
    for (const std::string& name : manager_->entries())
        list_->addItem(fromLocal(name));
}

void PresetsWindow::withManager(const std::function<void(PresetManager&)>& action)
{
    if (manager_ != nullptr)
        action(*manager_);
}

void PresetsWindow::withSelection(const std::function<void(PresetManager&, const std::string&)>& action)
{
    const QList<QListWidgetItem*> selected = list_->selectedItems();
    if (manager_ != nullptr && !selected.isEmpty())
        action(*manager_, toLocal(selected.front()->text()));
}

GoldSourcePresetsWindow::GoldSourcePresetsWindow(QWidget* parent) :
      PresetsWindow(parent, "Window_Presets", kGoldSourcePresetsCaption)
{
}

SourcePresetsWindow::SourcePresetsWindow(QWidget* parent) :
      PresetsWindow(parent, "Window_Spresets", kSourcePresetsCaption)
{
}

} // namespace ferrowind
