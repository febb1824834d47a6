#pragma once

#include <QString>

namespace quorvex {

class TCommandRunner;

// The Snapshot menu's model commands: clear, export, import, compare with a file and save as
// text. File names are asked for by the caller, before any wrapper blocks the window.
class TSnapshotCommands {
public:
    explicit TSnapshotCommands(TCommandRunner& runner);

    void Clear();
    // Reads structure and source first when the model was never read, then writes the
    // snapshot with the extension ".OBJ".
    void Export(const QString& fileName);
    // Replaces the model by the file's only when the whole file loads; a failure keeps the
    // current model and its tree.
    void Import(const QString& fileName);
    // Marks and merges the current model against the file's and shows the report in the
    // Description pane.
    void CompareWithFile(const QString& fileName);
    // Reads structure and source first when the model was never read, then writes the text
    // report with the extension ".TXT".
    void SaveAsText(const QString& fileName);

private:
    void ReadIfNeverRead();
    void RebuildTree();

    TCommandRunner& m_runner;
};

} // namespace quorvex
