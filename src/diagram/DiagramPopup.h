#pragma once

#include <set>
#include <string>
#include <vector>

namespace quorvex {

class TDiagramDocument;
class TGDBComponent;

// What the diagram's popup menu offers when it opens over a component or over empty area.
struct TPopupState {
    // The table or line the menu was opened on; nullptr for the pane itself.
    TGDBComponent* PopupObject = nullptr;
    // Names of the enabled menu items ("Group1", "References1", ...); every other is disabled.
    std::set<std::string> Enabled;
    // The check mark of "Straight": the line's own state.
    bool StraightChecked = false;
    // The "Add Ref To" entries after "New Table": the selected tables' names, drawing order.
    std::vector<std::string> AddRefEntries;
};

// Prepares the popup menu over `underMouse` (nullptr: empty area). Over a table that is not
// selected, selects it with its group only. References and Referenced By are offered only for
// tables that show a model object.
TPopupState PreparePopup(TDiagramDocument& document, TGDBComponent* underMouse);

} // namespace quorvex
