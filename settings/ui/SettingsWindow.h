#pragma once

#include <QDialog>

class QTabWidget;

// The Configurations window: tool paths, folders, console colours and the log viewer.
class TWindow_Settings : public QDialog {
    Q_OBJECT
public:
    enum class Page { HalfLife = 0, HalfLife2 = 1 };

    explicit TWindow_Settings(QWidget* parent = nullptr);
    void SelectPage(Page page);

private:
    QTabWidget* pages_;
};
