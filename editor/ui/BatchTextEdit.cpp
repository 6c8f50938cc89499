#include "editor/ui/BatchTextEdit.h"

#include "editor/ui/BatchHighlighter.h"

#include <QFontDatabase>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QTextBlock>

#include <algorithm>

namespace ferrowind {

namespace {

const QColor kCurrentLine(245, 245, 245);
const QColor kSelection(83, 109, 165);
const QColor kGutterStart(232, 232, 232);
const QColor kGutterBorder(165, 164, 165);
constexpr int kRightMarginColumn = 200;
constexpr int kMinimumGutterDigits = 2;
constexpr int kGutterLeftOffset = 16;
constexpr int kGutterRightOffset = 4;

// The named face where it is installed, else the system's fixed-pitch face.
QFont fixedFont(const QString& family, int pixelSize)
{
    QFont font;
    font.setFamilies({family, QFontDatabase::systemFont(QFontDatabase::FixedFont).family()});
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPixelSize(pixelSize);
    return font;
}

} // namespace

class LineNumberGutter : public QWidget {
public:
    explicit LineNumberGutter(BatchTextEdit* editor) : QWidget(editor), editor_(editor) {}
    QSize sizeHint() const override { return {editor_->gutterWidth(), 0}; }

protected:
    void paintEvent(QPaintEvent* event) override { editor_->paintGutter(event); }

private:
    BatchTextEdit* editor_;
};

BatchTextEdit::BatchTextEdit(QWidget* parent) :
      QPlainTextEdit(parent),
      gutter_(new LineNumberGutter(this)),
      gutterFont_(fixedFont("Courier New", 11))
{
    new BatchHighlighter(document(), editorBatchStyles());
    setFont(fixedFont("Consolas", 12));
    setFrameShape(QFrame::NoFrame);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    QPalette colours = palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        colours.setColor(group, QPalette::Base, Qt::white);
        colours.setColor(group, QPalette::Text, Qt::black);
        colours.setColor(group, QPalette::Highlight, kSelection);
        colours.setColor(group, QPalette::HighlightedText, Qt::white);
    }
    setPalette(colours);

    connect(this, &QPlainTextEdit::blockCountChanged, this, &BatchTextEdit::updateGutterWidth);
    connect(this, &QPlainTextEdit::updateRequest, this, &BatchTextEdit::updateGutter);
    connect(this, &QPlainTextEdit::cursorPositionChanged, this, &BatchTextEdit::highlightCurrentLine);
    updateGutterWidth();
    highlightCurrentLine();
    setEditable(false);
}

void BatchTextEdit::setEditable(bool editable)
{
    setReadOnly(!editable);
    setTextInteractionFlags(
        editable ? Qt::TextEditorInteraction : Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

int BatchTextEdit::gutterWidth() const
{
    const int highest = std::max(blockCount() - 1, 0);
    const int digits = std::max(kMinimumGutterDigits, static_cast<int>(QString::number(highest).size()));
    return kGutterLeftOffset + QFontMetrics(gutterFont_).horizontalAdvance(QLatin1Char('9')) * digits +
        kGutterRightOffset;
}

bool BatchTextEdit::event(QEvent* event)
{
    // Ctrl+Del belongs to the window's "Delete" command (remove the selection), not to deleting a word.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Delete && key->modifiers() == Qt::ControlModifier)
            return false;
    }
    return QPlainTextEdit::event(event);
}

void BatchTextEdit::resizeEvent(QResizeEvent* event)
{
    QPlainTextEdit::resizeEvent(event);
    const QRect area = contentsRect();
    gutter_->setGeometry(area.left(), area.top(), gutterWidth(), area.height());
}

void BatchTextEdit::paintEvent(QPaintEvent* event)
{
    QPlainTextEdit::paintEvent(event);
    // The right margin line is drawn in the background colour, over the line highlight as well.
    const qreal column = QFontMetricsF(font()).horizontalAdvance(QLatin1Char('x')) * kRightMarginColumn;
    const int x = qRound(contentOffset().x() + document()->documentMargin() + column);
    QPainter painter(viewport());
    painter.setPen(Qt::white);
    painter.drawLine(x, event->rect().top(), x, event->rect().bottom());
}

void BatchTextEdit::paintGutter(QPaintEvent* event)
{
    QPainter painter(gutter_);
    QLinearGradient gradient(0, 0, gutter_->width(), 0);
    gradient.setColorAt(0, kGutterStart);
    gradient.setColorAt(1, Qt::white);
    painter.fillRect(event->rect(), gradient);
    painter.setPen(kGutterBorder);
    const int border = gutter_->width() - 1;
    painter.drawLine(border, event->rect().top(), border, event->rect().bottom());

    painter.setFont(gutterFont_);
    painter.setPen(Qt::black);
    const int numberWidth = gutter_->width() - kGutterRightOffset;
    QTextBlock block = firstVisibleBlock();
    int top = qRound(blockBoundingGeometry(block).translated(contentOffset()).top());
    while (block.isValid() && top <= event->rect().bottom()) {
        const int height = qRound(blockBoundingRect(block).height());
        if (block.isVisible() && top + height >= event->rect().top()) {
            painter.drawText(
                0, top, numberWidth, height, Qt::AlignRight | Qt::AlignVCenter, QString::number(block.blockNumber()));
        }
        block = block.next();
        top += height;
    }
}

void BatchTextEdit::updateGutterWidth()
{
    setViewportMargins(gutterWidth(), 0, 0, 0);
    const QRect area = contentsRect();
    gutter_->setGeometry(area.left(), area.top(), gutterWidth(), area.height());
}

void BatchTextEdit::updateGutter(const QRect& rect, int dy)
{
    if (dy != 0)
        gutter_->scroll(0, dy);
    else
        gutter_->update(0, rect.y(), gutter_->width(), rect.height());
}

void BatchTextEdit::highlightCurrentLine()
{
    QTextEdit::ExtraSelection line;
    line.format.setBackground(kCurrentLine);
    line.format.setProperty(QTextFormat::FullWidthSelection, true);
    line.cursor = textCursor();
    line.cursor.clearSelection();
    setExtraSelections({line});
}

} // namespace ferrowind
