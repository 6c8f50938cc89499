#pragma once

#include <QWidget>

// The "Half-Life decompiling" page.
class DecompilePage : public QWidget {
    Q_OBJECT
public:
    explicit DecompilePage(QWidget* parent);

signals:
    void aboutRequested();
};
