#include "app/AboutWindow.h"

#include "config/ProgramInfo.h"

#include <QLabel>
#include <QVBoxLayout>

namespace ferrowind {

AboutWindow::AboutWindow(QWidget* parent) : QDialog(parent)
{
    setObjectName("Window_About");
    setWindowTitle("About");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QString("Ferrowind %1").arg(kProgramVersion), this));
    layout->addWidget(new QLabel(kContactAddress, this));
}

} // namespace ferrowind
