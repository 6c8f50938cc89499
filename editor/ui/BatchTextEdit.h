#pragma once

#include <QPlainTextEdit>

namespace ferrowind {

// The batch editor's text control: a plain text editor coloured as batch code, with a line-number gutter
// counting from 0, the line under the caret highlighted and no horizontal scroll bar. It starts read-only.
class BatchTextEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit BatchTextEdit(QWidget* parent = nullptr);

    // Read-only still shows the caret and lets the keyboard move and select.
    void setEditable(bool editable);

    int gutterWidth() const;
    QWidget* gutter() const { return gutter_; }

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    friend class LineNumberGutter;
    void paintGutter(QPaintEvent* event);
    void updateGutterWidth();
    void updateGutter(const QRect& rect, int dy);
    void highlightCurrentLine();

    QWidget* gutter_;
    QFont gutterFont_;
};

} // namespace ferrowind
