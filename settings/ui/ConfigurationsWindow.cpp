#include "settings/ui/ConfigurationsWindow.h"

#include <QTabWidget>
#include <QVBoxLayout>

namespace ferrowind {

ConfigurationsWindow::ConfigurationsWindow(QWidget* parent) : QDialog(parent), pages_(new QTabWidget(this))
{
    setObjectName("Window_Settings");
    setWindowTitle("Configurations");
    auto* halfLife = new QWidget;
    halfLife->setObjectName("INFSTB1");
    auto* halfLife2 = new QWidget;
    halfLife2->setObjectName("INFSTB2");
    pages_->addTab(halfLife, "Half-Life");
    pages_->addTab(halfLife2, "Half-Life 2");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_);
}

void ConfigurationsWindow::selectPage(Page page) { pages_->setCurrentIndex(static_cast<int>(page)); }

} // namespace ferrowind
