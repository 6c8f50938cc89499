#include "app/ui/AboutWindow.h"

#include "app/ProgramInfo.h"

#include <QLabel>
#include <QVBoxLayout>

TWindow_About::TWindow_About(QWidget* parent) : QDialog(parent)
{
    setObjectName("Window_About");
    setWindowTitle("About");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QString("Ferrowind %1").arg(kProgramVersion), this));
    layout->addWidget(new QLabel(kContactAddress, this));
}
