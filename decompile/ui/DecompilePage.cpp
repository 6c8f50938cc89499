#include "decompile/ui/DecompilePage.h"

#include "platform/Dialogs.h"
#include "platform/Prompts.h"
#include "ui/LocalText.h"
#include "ui/Look.h"
#include "ui/LookWidgets.h"
#include "ui/PageParts.h"

#include <QCheckBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QUrl>

namespace ferrowind {

namespace {
// The frame around the drop panel keeps its own colour.
const QColor kDropFrameColor(171, 173, 179);
constexpr int kMinimumPixels = 8;

QStringList localFiles(const QMimeData* data)
{
    QStringList paths;
    if (data == nullptr)
        return paths;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile())
            paths.push_back(QDir::toNativeSeparators(url.toLocalFile()));
    return paths;
}

// Without the fonts the layout was drawn for, a stand-in can be wider than the layout allows: a caption that would
// be cut shrinks until it fits.
void fitCaption(QCheckBox* check)
{
    const QStyle* style = check->style();
    const int room = check->width() - style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, check) -
        style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, check);
    QFont font = check->font();
    while (font.pixelSize() > kMinimumPixels && QFontMetrics(font).horizontalAdvance(check->text()) > room)
        font.setPixelSize(font.pixelSize() - 1);
    check->setFont(font);
}
} // namespace

DropPanel::DropPanel(QWidget* parent) : QFrame(parent)
{
    setAcceptDrops(true);
    setAutoFillBackground(true);
}

void DropPanel::dragEnterEvent(QDragEnterEvent* event)
{
    if (!localFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void DropPanel::dragMoveEvent(QDragMoveEvent* event)
{
    if (!localFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void DropPanel::dropEvent(QDropEvent* event)
{
    const QStringList paths = localFiles(event->mimeData());
    if (paths.isEmpty())
        return;
    event->acceptProposedAction();
    emit filesDropped(paths);
}

void DropPanel::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
    painter.drawRect(rect().adjusted(3, 3, -4, -4));
    painter.drawText(rect(), Qt::AlignCenter, "Drag here");
}

DecompilePage::DecompilePage(QWidget* parent) : QWidget(parent)
{
    setObjectName("INFSTS1");
    resize(kPageSize);
    QWidget* strip = makeToolStrip(this, "INFSToolB2");
    connect(addToolButton(strip, "INFSTool_Dec", "Decompile", 65), &QToolButton::clicked, this,
        &DecompilePage::decompileRequested);
    addToolStripGap(strip);
    connect(addToolButton(strip, "INFSButtonAbout1", "About", 57), &QToolButton::clicked, this,
        &DecompilePage::aboutRequested);

    buildFileGroup();
    buildOptionsGroup();
    buildInfoGroup();
}

void DecompilePage::buildFileGroup()
{
    QGroupBox* bspGroup = makeGroup(this, "INFSGB00", "Bsp file", {8, 36, 441, 49});
    bspEdit_ = makeEdit(bspGroup, "INFSBspFileEdit", {8, 18, 404, 21});
    bspEdit_->setReadOnly(true);
    bspEdit_->setAcceptDrops(false);
    connect(makePanelButton(bspGroup, "INFSButton01", "...", {411, 18, 22, 21}), &QPushButton::clicked, this,
        &DecompilePage::bspChooserRequested);

    auto* orLabel = new QLabel("OR", this);
    orLabel->setObjectName("INFSDLabel0");
    orLabel->move(456, 56);

    FramedBox* dropFrame = makeFramedBox(this, {480, 43, 153, 41});
    dropFrame->setObjectName("INFSDDec19");
    dropFrame->setOutline(kDropFrameColor);
    auto* dropPanel = new DropPanel(this);
    dropPanel->setObjectName("INFSDragTop");
    dropPanel->setGeometry(482, 45, 149, 37);
    connect(dropPanel, &DropPanel::filesDropped, this, &DecompilePage::filesDropped);

    QGroupBox* outputGroup = makeGroup(this, "INFSGB01", "Output folder", {8, 92, 625, 49});
    outputEdit_ = makeEdit(outputGroup, "INFSDecOutDir", {8, 18, 588, 21});
    outputEdit_->setReadOnly(true);
    outputEdit_->setAcceptDrops(false);
    connect(makePanelButton(outputGroup, "INFSButton02", "...", {595, 18, 22, 21}), &QPushButton::clicked, this,
        &DecompilePage::outputChooserRequested);
}

void DecompilePage::buildOptionsGroup()
{
    QGroupBox* group = makeGroup(this, "INFSGB02", "Options", {8, 148, 313, 119});
    texturesCheck_ = makeCheck(group, "INFSChD1", "Extract included textures (WAD file)", {8, 16, 303, 17}, false);
    brenmoorCheck_ =
        makeCheck(group, "INFSChD6", "Map was compiled with Brenmoor's tools and optimizers", {8, 32, 303, 17}, false);
    autoCheck_ = makeCheck(group, "INFSChD2", "Auto decompile at dragging", {8, 48, 303, 17}, false);
    pauseCheck_ = makeCheck(group, "INFSChD5", "Pause", {8, 64, 303, 17}, false);
    if (!loadLookFonts())
        for (QCheckBox* check : {texturesCheck_, brenmoorCheck_, autoCheck_, pauseCheck_})
            fitCaption(check);
    connect(makePanelButton(group, "INFSButton04", "Default", {8, 88, 75, 22}), &QPushButton::clicked, this,
        &DecompilePage::resetOptions);
}

void DecompilePage::buildInfoGroup()
{
    QGroupBox* group = makeGroup(this, "INFSGB03", "Info", {328, 148, 305, 119});
    const char* lines[] = {
        "BSPTwoMap 1.4b",
        "Half-Life .bsp to .map decompiler",
        "written by",
        "the Ferrowind developers",
    };
    int top = 24;
    for (const char* line : lines) {
        auto* label = new QLabel(line, group);
        label->setAlignment(Qt::AlignCenter);
        label->setGeometry(8, top, 289, 17);
        top += 20;
    }
}

DecompilePageState DecompilePage::state() const
{
    DecompilePageState page;
    page.bspPath = toLocal(bspEdit_->text());
    page.outputFolder = toLocal(outputEdit_->text());
    page.outputFolderChosen = outputFolderChosen_;
    page.extractTextures = texturesCheck_->isChecked();
    page.brenmoor = brenmoorCheck_->isChecked();
    page.autoDecompile = autoCheck_->isChecked();
    page.pause = pauseCheck_->isChecked();
    return page;
}

bool DecompilePage::takeBspFile(const QString& path, Prompts& prompts)
{
    const std::string file = toLocal(path);
    if (!isBspFile(file) || !acceptBspFile(file, prompts))
        return false;
    bspEdit_->setText(path);
    outputEdit_->setText(fromLocal(outputFolderFor(file, toLocal(outputEdit_->text()), outputFolderChosen_)));
    return autoCheck_->isChecked();
}

bool DecompilePage::chooseBspFile(Dialogs& dialogs, Prompts& prompts)
{
    const auto chosen = dialogs.openFile({kBspFileFilter, toLocal(bspEdit_->text()), {}, false, FileKind::Bsp});
    return chosen && takeBspFile(fromLocal(*chosen), prompts);
}

void DecompilePage::chooseOutputFolder(Dialogs& dialogs)
{
    const auto folder = dialogs.browseFolder("Output folder", toLocal(outputEdit_->text()));
    if (!folder || folder->empty())
        return;
    outputEdit_->setText(fromLocal(*folder));
    outputFolderChosen_ = true;
}

void DecompilePage::resetOptions()
{
    for (QCheckBox* check : {texturesCheck_, brenmoorCheck_, autoCheck_, pauseCheck_})
        check->setChecked(false);
}

} // namespace ferrowind
