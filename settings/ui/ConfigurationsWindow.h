#pragma once

#include <QDialog>

class QTabWidget;

namespace ferrowind {

// The Configurations window: tool paths, folders, console colours and the log viewer.
class ConfigurationsWindow : public QDialog {
    Q_OBJECT
public:
    enum class Page {
        HalfLife = 0,
        HalfLife2 = 1
    };

    explicit ConfigurationsWindow(QWidget* parent = nullptr);
    void selectPage(Page page);

private:
    QTabWidget* pages_;
};

} // namespace ferrowind
