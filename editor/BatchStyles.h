#pragma once

#include "editor/BatchTokenizer.h"
#include "look/Color.h"

#include <optional>

namespace ferrowind {

// How one kind of token is painted. No style sets a background.
struct BatchStyle {
    const char* name; // "Comment", as the style is called
    std::optional<Rgb> foreground; // none: the editor's own text colour shows
    bool bold = false;
    bool italic = false;
};

struct BatchStyleSet {
    BatchStyle comment;
    BatchStyle identifier; // identifiers and other characters
    BatchStyle key;
    BatchStyle number;
    BatchStyle space;
    BatchStyle variable;
};

// The styles the colouring starts with.
const BatchStyleSet& defaultBatchStyles();

// The styles the batch editor shows.
const BatchStyleSet& editorBatchStyles();

// The style a token kind is painted with; none for Null, which is never painted.
const BatchStyle* styleForKind(const BatchStyleSet& styles, BatchTokenKind kind);

} // namespace ferrowind
