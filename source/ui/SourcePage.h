#pragma once

#include <QWidget>

// The "Half-Life 2 compiling" page.
class SourcePage : public QWidget {
    Q_OBJECT
public:
    explicit SourcePage(QWidget* parent);

signals:
    void aboutRequested();
};
