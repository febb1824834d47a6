#include "DiagramPopup.h"

#include "DiagramDocument.h"

#include <algorithm>

namespace quorvex {

TPopupState PreparePopup(TDiagramDocument& document, TGDBComponent* underMouse)
{
    TPopupState state;
    state.Enabled = {"ScrollBoxOptions1", "ShowHints1", "DefaultFieldMask1", "DragAllWithMouse1",
                     "Selected1",         "Layout1",    "LoadLayout1"};
    if (underMouse != nullptr && underMouse->IsTable()) {
        auto* table = static_cast<TGDBTable*>(underMouse);
        if (!table->Selected()) {
            document.SelectOnlyGroup(table->Tag);
            if (table->Tag == 0)
                table->SetSelected(true);
        }
        state.PopupObject = table;
        for (const TGDBComponent* component : document.DrawingOrder()) {
            if (!component->IsTable())
                continue;
            const auto* selected = static_cast<const TGDBTable*>(component);
            if (selected->Selected() &&
                std::find(state.AddRefEntries.begin(), state.AddRefEntries.end(),
                          selected->TableName()) == state.AddRefEntries.end())
                state.AddRefEntries.push_back(selected->TableName());
        }
        state.Enabled.insert({"Group1", "GroupConnected1", "Table1", "AddRefTo1",
                              "RefreshScrollBox1", "ShowHideFields1", "FieldDisplayMask1",
                              "Sort1"});
        // Both commands follow the model's foreign keys: nothing to follow without an object.
        if (table->SchemaObject != nullptr)
            state.Enabled.insert({"ReferencedBy1", "References1"});
    } else if (underMouse != nullptr) {
        state.PopupObject = underMouse;
        state.Enabled.insert({"Remove1", "SendToBack1", "StraightLines1"});
        state.StraightChecked = static_cast<const TGDBLine*>(underMouse)->Straight();
    }
    if (!document.Components().empty()) {
        state.Enabled.insert({"Ungroup1", "SaveLayout1", "SaveToBitmap1", "Print1",
                              "ClearScrollBox1", "AutomaticSQL1", "Remove1", "Magnify1",
                              "Reduce1"});
    }
    return state;
}

} // namespace quorvex
