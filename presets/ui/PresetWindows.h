#pragma once

#include <QDialog>

namespace ferrowind {

// The preset managers of the two engines, opened without being modal from the pages' "Edit" buttons.
class GoldSourcePresetsWindow : public QDialog {
    Q_OBJECT
public:
    explicit GoldSourcePresetsWindow(QWidget* parent = nullptr);
};

class SourcePresetsWindow : public QDialog {
    Q_OBJECT
public:
    explicit SourcePresetsWindow(QWidget* parent = nullptr);
};

} // namespace ferrowind
