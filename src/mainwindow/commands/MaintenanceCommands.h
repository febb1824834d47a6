#pragma once

#include <string>

class QAction;

namespace quorvex {

class TCommandRunner;

// The commands that re-read or change the database: refreshing the model or one object,
// recompiling, dropping, analysing, and the reading switches. The operations act on the node
// selected in the tree and run inside the wrapper their caller chose.
class TMaintenanceCommands {
public:
    explicit TMaintenanceCommands(TCommandRunner& runner);

    // Empties the tree, reads the structure and builds the tree again; enables the commands
    // that need a model. A failed read still rebuilds the tree from what the model holds.
    void RefreshStructure();
    void RefreshSource();
    // Re-reads the selected object.
    void RefreshObject();
    // Recompiles the selected object and shows its state or its compiler errors.
    void Recompile();
    // Recompiles every flagged sibling of the selected node, each in its own wrapper.
    void RecompileAll();
    // Whether the selected node can be dropped and the user agrees.
    bool ConfirmDrop() const;
    void Drop();
    void AnalyseDatabase();
    void AnalyseSchema();
    // The switch items are checkable and have toggled themselves when this runs; a checked
    // hint item unchecks the other two. The reader takes the marks for its next read.
    void SwitchChanged(QAction* sender);

private:
    void ShowErrors(const std::string& name);

    TCommandRunner& m_runner;
};

// "ALTER VIEW \"name\" COMPILE" and the like; empty for a kind that cannot be compiled.
std::string CompileStatement(int objectType, const std::string& name);
// "DROP TABLE \"name\"" and the like; empty for a kind that cannot be dropped.
std::string DropStatement(int objectType, const std::string& name);

} // namespace quorvex
