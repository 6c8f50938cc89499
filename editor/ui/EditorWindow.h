#pragma once

#include <QDialog>

class QPlainTextEdit;

namespace ferrowind {

// The batch editor: shows the script last generated for either page.
class EditorWindow : public QDialog {
    Q_OBJECT
public:
    explicit EditorWindow(QWidget* parent = nullptr);
    void setScriptText(const QString& text);
    QString scriptText() const;

private:
    QPlainTextEdit* text_;
};

} // namespace ferrowind
