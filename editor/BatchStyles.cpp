#include "editor/BatchStyles.h"

namespace ferrowind {

const BatchStyleSet& defaultBatchStyles()
{
    static const BatchStyleSet styles{
        {"Comment", Rgb{0, 0, 128}, false, true},
        {"Identifier", std::nullopt, false, false},
        {"Key", std::nullopt, true, false},
        {"Number", Rgb{0, 0, 255}, false, false},
        {"Space", std::nullopt, false, false},
        {"Variable", Rgb{0, 128, 0}, false, false},
    };
    return styles;
}

const BatchStyleSet& editorBatchStyles()
{
    static const BatchStyleSet styles{
        {"Comment", Rgb{128, 128, 128}, false, true},
        {"Identifier", Rgb{0, 0, 0}, false, false},
        {"Key", Rgb{0, 128, 0}, false, false},
        {"Number", Rgb{28, 0, 207}, false, false},
        {"Space", std::nullopt, false, false},
        {"Variable", Rgb{136, 19, 145}, true, false},
    };
    return styles;
}

const BatchStyle* styleForKind(const BatchStyleSet& styles, BatchTokenKind kind)
{
    switch (kind) {
    case BatchTokenKind::Comment: return &styles.comment;
    case BatchTokenKind::Identifier:
    case BatchTokenKind::Other: return &styles.identifier;
    case BatchTokenKind::Key: return &styles.key;
    case BatchTokenKind::Number: return &styles.number;
    case BatchTokenKind::Space: return &styles.space;
    case BatchTokenKind::Variable: return &styles.variable;
    case BatchTokenKind::Null: break;
    }
    return nullptr;
}

} // namespace ferrowind
