#pragma once

#include <cstddef>
#include <string>

namespace quorvex {

class TDiagramDocument;
class TObjectItem;
class TGDBTable;

// Carries out the diagram command's steps on a document whose model is set, one at a time and
// in the order given, as the diagram window's commands do them.
class TDiagramSteps {
public:
    explicit TDiagramSteps(TDiagramDocument& document)
        : m_document(document)
    {
    }

    // One step by its option's long name ("--table", "--zoom", ...) and value. An Exception for
    // a name that is not a table of the model, a bad zoom or a layout that cannot be read.
    void Run(const std::string& option, const std::string& value);

    // The zoom a --zoom value stands for; an Exception unless it is 1, 2, 4, 8 or 16.
    static int Zoom(const std::string& value);

private:
    TObjectItem& ModelTable(const std::string& name) const;
    // As a drop from the tree: placed automatically and selected.
    void AddTable(TObjectItem& object);
    // The table's box, added first when the diagram has none, for References on it.
    void EnsureTable(TObjectItem& object);
    void AddEveryTable();

    TDiagramDocument& m_document;
    bool m_hideFields = false;
};

} // namespace quorvex
