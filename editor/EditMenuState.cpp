#include "editor/EditMenuState.h"

namespace ferrowind {

EditMenuState editMenuState(bool readOnly, bool hasSelection)
{
    EditMenuState state;
    state.readOnlyChecked = readOnly;
    state.undo = state.redo = state.paste = !readOnly;
    state.copy = hasSelection;
    state.cut = state.remove = hasSelection && !readOnly;
    return state;
}

} // namespace ferrowind
