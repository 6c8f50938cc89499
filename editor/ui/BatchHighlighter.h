#pragma once

#include "editor/BatchStyles.h"
#include "editor/BatchTokenizer.h"

#include <QByteArray>
#include <QSyntaxHighlighter>
#include <QTextCharFormat>

#include <array>
#include <vector>

namespace ferrowind {

// Colours a document as batch code. Lines carry no state, so an edit re-colours only the lines it touched.
class BatchHighlighter : public QSyntaxHighlighter {
    Q_OBJECT
public:
    explicit BatchHighlighter(QTextDocument* document, const BatchStyleSet& styles = defaultBatchStyles());

    static constexpr size_t kKindCount = 8;

protected:
    void highlightBlock(const QString& text) override;

private:
    std::array<QTextCharFormat, kKindCount> formats_; // by token kind
    std::array<bool, kKindCount> paints_{}; // false where the style leaves the editor's own look
    std::vector<BatchToken> tokens_;
    QByteArray utf8_;
};

} // namespace ferrowind
