#pragma once

#include <QDialog>

// The About window: version and contact address.
class TWindow_About : public QDialog {
    Q_OBJECT
public:
    explicit TWindow_About(QWidget* parent = nullptr);
};
