#include "editor/ui/EditorWindow.h"

#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace ferrowind {

EditorWindow::EditorWindow(QWidget* parent) : QDialog(parent), text_(new QPlainTextEdit(this))
{
    setObjectName("Window_Editor");
    setWindowTitle("Batch Editor");
    resize(556, 387);
    text_->setObjectName("INFSBatEdit");
    text_->setReadOnly(true);
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(text_);
}

void EditorWindow::setScriptText(const QString& text) { text_->setPlainText(text); }

QString EditorWindow::scriptText() const { return text_->toPlainText(); }

} // namespace ferrowind
