#include "app/AboutWindow.h"

#include "config/ProgramInfo.h"
#include "platform/Shell.h"
#include "ui/Logo.h"
#include "ui/Look.h"
#include "ui/LookWidgets.h"
#include "ui/PageParts.h"
#include "ui/WindowPlacement.h"

#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>

#include <algorithm>

namespace ferrowind {

namespace {
constexpr const char* kAuthorLine = "Author: the Ferrowind developers";
constexpr const char* kDateLine = "Date: 30.03.2013";
constexpr int kMailBoxWidth = 113;
constexpr int kMailBoxMargin = 8;
// The caption's room on each side within the panel button.
constexpr int kMailCaptionPadding = 2;

QLabel* makeLine(QWidget* parent, const char* name, int top)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setFont(lookFont(kControlFontFamily));
    label->setGeometry(72, top, 300, 16);
    return label;
}
} // namespace

AboutWindow::AboutWindow(Shell& shell, QWidget* parent) :
      QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      shell_(shell)
{
    setObjectName("Window_About");
    setFixedSize(401, 137);
    setFont(lookFont(kWindowFontFamily));

    group_ = new QGroupBox(" ", this);
    group_->setObjectName("INFSGB1");
    group_->setGeometry(8, 3, 385, 126);
    group_->installEventFilter(this);

    auto* logo = new QLabel(group_);
    logo->setObjectName("INFSlogo");
    logo->setGeometry(12, 18, 48, 48);
    logo->setPixmap(QPixmap::fromImage(drawLogo(48)));
    version_ = makeLine(group_, "INFSLab01", 20);
    author_ = makeLine(group_, "INFSLab02", 38);
    date_ = makeLine(group_, "INFSLab03", 56);

    mailBox_ = makeFramedBox(group_, {});
    mailBox_->setObjectName("INFSDDec13");
    mail_ = new PanelButton(QString(), group_);
    mail_->setObjectName("INFSButton2");
    connect(
        mail_, &QPushButton::clicked, this, [this] { shell_.openDocument(std::string("mailto:") + kContactAddress); });
}

void AboutWindow::showEvent(QShowEvent* event)
{
    mailBox_->setOutline(toQColor(frameColor(systemColors())));
    setWindowTitle("About Ferrowind");
    version_->setText(QString("Version: %1").arg(kProgramVersion));
    author_->setText(kAuthorLine);
    date_->setText(kDateLine);
    mail_->setText(kContactAddress);
    // At the lower right; widened only for an address wider than the box, which the contact address is by a
    // few pixels at Tahoma 8 points.
    const int width = std::max(
        kMailBoxWidth, mail_->fontMetrics().horizontalAdvance(mail_->text()) + 2 * (kPanelInset + kMailCaptionPadding));
    mailBox_->setGeometry(group_->width() - kMailBoxMargin - width, 96, width, 21);
    mail_->setGeometry(mailBox_->geometry().adjusted(kPanelInset, kPanelInset, -kPanelInset, -kPanelInset));
    centreOnOwner(*this);
    QDialog::showEvent(event);
}

bool AboutWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == group_ && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && group_->rect().contains(mouse->position().toPoint()) &&
            group_->childAt(mouse->position().toPoint()) == nullptr) {
            close();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace ferrowind
