#pragma once

#include "forms/EditableForm.h"

#include <QString>
#include <QStringList>
#include <memory>

class QListWidget;

namespace quorvex {

class TDatabaseSession;
class TEventHook;

// The "Choose Alias" dialog: lists the session's Oracle aliases (upper case, sorted) and sets
// the chosen one on the session's connection. With no Oracle alias it says so and closes; with
// exactly one it chooses that one without showing itself.
class TPickAliasForm final : public TEditableForm {
    Q_OBJECT

public:
    static constexpr const char* kNoOracleAlias =
        "Please set up a BDE alias for an Oracle database.";

    TPickAliasForm(TDatabaseSession& session, QWidget* parent);
    ~TPickAliasForm() override;

    // Builds the list and runs the dialog; mrOk when an alias was chosen.
    int Execute();

    // Chooses an alias: nothing for an empty name; another name (letter case counts) closes an
    // open connection and becomes its alias. The dialog then closes with mrOk.
    void Choose(const QString& name);
    // Chooses the selected entry.
    void ChooseSelected();

    bool Chosen() const noexcept { return m_chosen; }
    // The Oracle alias names, comma-separated, in the session's order.
    const QString& AliasListText() const noexcept { return m_aliasListText; }
    QListWidget* AliasListBox() const noexcept { return m_list; }

private:
    void BuildAliasList();

    TDatabaseSession& m_session;
    QListWidget* m_list;
    // Owned here (not by Qt) so that it is gone before the list sends its last events.
    std::unique_ptr<TEventHook> m_listHook;
    QString m_aliasListText;
    bool m_chosen = false;
};

} // namespace quorvex
