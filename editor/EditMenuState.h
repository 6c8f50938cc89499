#pragma once

namespace ferrowind {

// Which editing commands the batch editor's menus offer, worked out each time a menu opens. "Select all" is
// always offered; "Undo" and "Redo" follow only the read-only state, not whether there is anything to undo.
struct EditMenuState {
    bool undo = false;
    bool redo = false;
    bool copy = false;
    bool cut = false;
    bool paste = false;
    bool remove = false; // "Delete"
    bool readOnlyChecked = false;

    bool operator==(const EditMenuState&) const = default;
};

EditMenuState editMenuState(bool readOnly, bool hasSelection);

} // namespace ferrowind
