#include "settings/ui/ConfigurationsWindow.h"

#include "base/Text.h"
#include "config/ConsoleColor.h"
#include "platform/Dialogs.h"
#include "settings/ConfigurationFields.h"
#include "settings/ConsolePalette.h"
#include "ui/LocalText.h"
#include "ui/Look.h"
#include "ui/LookWidgets.h"
#include "ui/PageParts.h"
#include "ui/WindowPlacement.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

namespace ferrowind {

namespace {
const QColor kBackground(241, 240, 240);
constexpr int kRowHeight = 21;
constexpr int kRowPitch = 27;
constexpr int kSampleBorder = 2;
constexpr int kSampleFontPixels = 13;
constexpr const char* kSampleText = "Text; Text; Text; Text; Text; Text; Text; Text; Text; ";

QLabel* makeLabel(QWidget* parent, const QString& caption, const QRect& geometry, QWidget* buddy)
{
    auto* label = new QLabel(caption, parent);
    label->setGeometry(geometry);
    label->setBuddy(buddy);
    return label;
}

// A caption in its own framed box, naming the field beside it.
void makeCaptionBox(QWidget* parent, const QString& caption, const QRect& geometry, QWidget* buddy)
{
    makeFramedBox(parent, geometry)->setFill(toQColor(systemColors().buttonFace));
    makeLabel(parent, caption, geometry.adjusted(5, 1, -2, -1), buddy);
}

QComboBox* makeColorList(QWidget* parent, const char* name, const QRect& geometry)
{
    auto* list = new QComboBox(parent);
    list->setObjectName(name);
    list->setGeometry(geometry);
    for (int index = 0; index < kConsoleColorCount; ++index)
        list->addItem(QString(QChar::fromLatin1(colorDigit(index))));
    return list;
}
} // namespace

ConfigurationsWindow::ConfigurationsWindow(Dialogs& dialogs, QWidget* parent) :
      QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      dialogs_(dialogs),
      pages_(new QTabWidget(this))
{
    setObjectName("Window_Settings");
    setWindowTitle("Configurations");
    setFixedSize(513, 283);
    setFont(lookFont(kWindowFontFamily));
    QPalette background = palette();
    background.setColor(QPalette::Window, kBackground);
    setPalette(background);

    pages_->setGeometry(4, 4, 505, 240);
    pages_->addTab(makePathPage("INFSTB1", goldSourcePathFields()), "Half-Life");
    pages_->addTab(makePathPage("INFSTB2", sourcePathFields()), "Half-Life 2");
    pages_->addTab(makeGeneralPage(), "General");

    auto* ok = new QPushButton("Ok", this);
    ok->setObjectName("INFSOkButton");
    ok->setGeometry(350, 251, 75, 25);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("INFSCanButton");
    cancel->setGeometry(431, 251, 75, 25);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QWidget* ConfigurationsWindow::makePathPage(const char* name, std::span<const PathField> fields)
{
    auto* page = new QWidget;
    page->setObjectName(name);
    int top = 10;
    for (const PathField& field : fields) {
        QLineEdit* edit = makeEdit(page, field.edit, {127, top, 349, kRowHeight});
        edit->setReadOnly(true);
        makeCaptionBox(page, field.caption, {8, top, 120, kRowHeight}, edit);
        connect(makePanelButton(page, field.button, "...", {475, top, 22, kRowHeight}), &QPushButton::clicked, this,
            [this, &field, edit] { choosePath(field, edit); });
        pathEdits_.emplace_back(&field, edit);
        top += kRowPitch;
    }
    return page;
}

QWidget* ConfigurationsWindow::makeGeneralPage()
{
    auto* page = new QWidget;
    page->setObjectName("INFSTB3");
    makeColorGroup(page);
    makeLogViewerGroup(page);
    return page;
}

void ConfigurationsWindow::makeColorGroup(QWidget* page)
{
    QGroupBox* group = makeGroup(page, "INFSGroup2", "Console color", {8, 6, 485, 92});
    textColor_ = makeColorList(group, "INFSColorB0", {90, 24, 44, 21});
    backColor_ = makeColorList(group, "INFSColorB1", {90, 56, 44, 21});
    makeLabel(group, "Text:", {10, 26, 78, 17}, textColor_);
    makeLabel(group, "Background:", {10, 58, 78, 17}, backColor_);
    connect(textColor_, &QComboBox::activated, this, &ConfigurationsWindow::textColorChosen);
    connect(backColor_, &QComboBox::activated, this, &ConfigurationsWindow::backColorChosen);

    sample_ = new FramedBox(group, kSampleBorder);
    sample_->setObjectName("INFSDDec11");
    sample_->setGeometry(144, 20, 331, 60);
    sampleText_ = new QLabel(kSampleText, group);
    sampleText_->setObjectName("INFSText");
    sampleText_->setFont(lookFont(kControlFontFamily, kSampleFontPixels, true));
    sampleText_->setWordWrap(true);
    sampleText_->setAutoFillBackground(true);
    sampleText_->setGeometry(
        sample_->geometry().adjusted(kSampleBorder, kSampleBorder, -kSampleBorder, -kSampleBorder));
}

void ConfigurationsWindow::makeLogViewerGroup(QWidget* page)
{
    QGroupBox* group = makeGroup(page, "INFSGroup1", "Log viewer (default: Notepad)", {8, 104, 485, 52});
    logViewer_ = makeEdit(group, "INFSSetEdit7", {10, 20, 421, kRowHeight});
    logViewer_->setReadOnly(true);
    connect(makePanelButton(group, "INFSButton8", "X", {430, 20, 22, kRowHeight}), &QPushButton::clicked, logViewer_,
        &QLineEdit::clear);
    connect(
        makePanelButton(group, "INFSButton7", "...", {451, 20, 22, kRowHeight}), &QPushButton::clicked, this, [this] {
            if (const auto chosen = dialogs_.openFile(programRequest(toLocal(logViewer_->text()))))
                logViewer_->setText(fromLocal(*chosen));
        });
}

void ConfigurationsWindow::showEvent(QShowEvent* event)
{
    centreOnOwner(*this);
    QDialog::showEvent(event);
}

void ConfigurationsWindow::selectPage(Page page) { pages_->setCurrentIndex(static_cast<int>(page)); }

std::optional<Configuration> ConfigurationsWindow::edit(const Configuration& configuration)
{
    load(configuration);
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return stored(configuration);
}

void ConfigurationsWindow::load(const Configuration& configuration)
{
    Configuration values = configuration; // the field table's accessors take a mutable record
    for (const auto& [field, edit] : pathEdits_)
        edit->setText(fromLocal(base::trim(field->value(values))));
    textColor_->setCurrentIndex(clampColorIndex(configuration.textColor));
    backColor_->setCurrentIndex(clampColorIndex(configuration.backColor));
    logViewer_->setText(fromLocal(base::trim(configuration.logViewer)));
    textColorChosen();
    backColorChosen();
}

Configuration ConfigurationsWindow::stored(Configuration configuration) const
{
    for (const auto& [field, edit] : pathEdits_)
        field->value(configuration) = base::trim(toLocal(edit->text()));
    configuration.textColor = textColor_->currentIndex();
    configuration.backColor = backColor_->currentIndex();
    configuration.logViewer = base::trim(toLocal(logViewer_->text()));
    return configuration;
}

void ConfigurationsWindow::choosePath(const PathField& field, QLineEdit* edit)
{
    const std::string current = toLocal(edit->text());
    const auto chosen = field.picker == PathPicker::Program ? dialogs_.openFile(programRequest(current))
                                                            : dialogs_.browseFolder(field.caption, current);
    if (chosen && !chosen->empty())
        edit->setText(fromLocal(*chosen));
}

void ConfigurationsWindow::textColorChosen()
{
    textColor_->setCurrentIndex(keptApart(textColor_->currentIndex(), backColor_->currentIndex()));
    QPalette palette = sampleText_->palette();
    palette.setColor(QPalette::WindowText, toQColor(consoleRgb(textColor_->currentIndex())));
    sampleText_->setPalette(palette);
}

void ConfigurationsWindow::backColorChosen()
{
    backColor_->setCurrentIndex(keptApart(backColor_->currentIndex(), textColor_->currentIndex()));
    const Rgb fill = consoleRgb(backColor_->currentIndex());
    sample_->setFill(toQColor(fill));
    sample_->setOutline(toQColor(darken(fill, 30)));
    QPalette palette = sampleText_->palette();
    palette.setColor(QPalette::Window, toQColor(fill));
    sampleText_->setPalette(palette);
}

} // namespace ferrowind
