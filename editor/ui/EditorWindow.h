#pragma once

#include <QDialog>

class QPlainTextEdit;

// The batch editor: shows the script last generated for either page.
class TWindow_Editor : public QDialog {
    Q_OBJECT
public:
    explicit TWindow_Editor(QWidget* parent = nullptr);
    void SetScriptText(const QString& text);
    QString ScriptText() const;

private:
    QPlainTextEdit* text_;
};
