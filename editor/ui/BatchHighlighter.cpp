#include "editor/ui/BatchHighlighter.h"

#include <QColor>
#include <QFont>

namespace ferrowind {

namespace {

QTextCharFormat formatOf(const BatchStyle& style)
{
    QTextCharFormat format;
    if (style.foreground)
        format.setForeground(QColor(style.foreground->red, style.foreground->green, style.foreground->blue));
    if (style.bold)
        format.setFontWeight(QFont::Bold);
    if (style.italic)
        format.setFontItalic(true);
    return format;
}

// UTF-16 units taken by a run of UTF-8 bytes: one per sequence, two for a four-byte one.
int utf16Length(const char* bytes, size_t length)
{
    int units = 0;
    for (size_t i = 0; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if ((byte & 0xC0) != 0x80)
            units += byte >= 0xF0 ? 2 : 1;
    }
    return units;
}

} // namespace

static_assert(static_cast<size_t>(BatchTokenKind::Variable) + 1 == BatchHighlighter::kKindCount);

BatchHighlighter::BatchHighlighter(QTextDocument* document, const BatchStyleSet& styles) : QSyntaxHighlighter(document)
{
    for (size_t kind = 0; kind < kKindCount; ++kind) {
        if (const BatchStyle* style = styleForKind(styles, static_cast<BatchTokenKind>(kind))) {
            formats_[kind] = formatOf(*style);
            paints_[kind] = formats_[kind].propertyCount() > 0;
        }
    }
}

void BatchHighlighter::highlightBlock(const QString& text)
{
    utf8_ = text.toUtf8();
    tokenizeBatchLine(std::string_view(utf8_.constData(), utf8_.size()), tokens_);
    // Pure ASCII lines, nearly all of a script, have the same offsets in both encodings.
    const bool sameOffsets = utf8_.size() == text.size();
    int position = 0;
    for (const BatchToken& token : tokens_) {
        const int length =
            sameOffsets ? static_cast<int>(token.length) : utf16Length(utf8_.constData() + token.start, token.length);
        const auto kind = static_cast<size_t>(token.kind);
        if (paints_[kind] && length > 0)
            setFormat(position, length, formats_[kind]);
        position += length;
    }
}

} // namespace ferrowind
