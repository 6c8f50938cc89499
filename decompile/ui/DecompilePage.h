#pragma once

#include <QWidget>

namespace ferrowind {

// The "Half-Life decompiling" page.
class DecompilePage : public QWidget {
    Q_OBJECT
public:
    explicit DecompilePage(QWidget* parent);

signals:
    void aboutRequested();
};

} // namespace ferrowind
