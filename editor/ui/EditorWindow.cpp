#include "editor/ui/EditorWindow.h"

#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QVBoxLayout>

TWindow_Editor::TWindow_Editor(QWidget* parent) : QDialog(parent), text_(new QPlainTextEdit(this))
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

void TWindow_Editor::SetScriptText(const QString& text) { text_->setPlainText(text); }

QString TWindow_Editor::ScriptText() const { return text_->toPlainText(); }
