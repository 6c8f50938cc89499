#pragma once

#include <QDialog>

// The preset managers of the two engines, opened without being modal from the pages' "Edit" buttons.
class TWindow_Presets : public QDialog {
    Q_OBJECT
public:
    explicit TWindow_Presets(QWidget* parent = nullptr);
};

class TWindow_Spresets : public QDialog {
    Q_OBJECT
public:
    explicit TWindow_Spresets(QWidget* parent = nullptr);
};
