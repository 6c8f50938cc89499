#pragma once

#include <QDialog>

class QGroupBox;
class QLabel;
class QPushButton;

namespace ferrowind {

class FramedBox;
class Shell;

// The About window: version, author, date and the contact address, which opens a new mail.
class AboutWindow : public QDialog {
    Q_OBJECT
public:
    explicit AboutWindow(Shell& shell, QWidget* parent = nullptr);

protected:
    // The texts are set anew on every showing.
    void showEvent(QShowEvent* event) override;
    // A click on the group box's own surface closes the window.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Shell& shell_;
    QGroupBox* group_;
    QLabel* version_;
    QLabel* author_;
    QLabel* date_;
    FramedBox* mailBox_;
    QPushButton* mail_;
};

} // namespace ferrowind
