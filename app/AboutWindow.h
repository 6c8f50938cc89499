#pragma once

#include <QDialog>

namespace ferrowind {

// The About window: version and contact address.
class AboutWindow : public QDialog {
    Q_OBJECT
public:
    explicit AboutWindow(QWidget* parent = nullptr);
};

} // namespace ferrowind
