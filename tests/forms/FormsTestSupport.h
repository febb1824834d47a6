#pragma once

#include "ScriptedDialogs.h"
#include "TestSupport.h"
#include "forms/ComponentProperties.h"
#include "forms/ContactAddresses.h"
#include "forms/EditableForm.h"
#include "forms/UserProperties.h"

#include <QAbstractItemModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

// Failures show texts as text.
inline std::ostream& operator<<(std::ostream& out, const QString& text)
{
    return out << '"' << text.toStdString() << '"';
}

namespace quorvex::test {

// Points the user-defined property file and the contacts file into a fresh temporary folder for
// one test, with the global string list at its built-in entry before and after.
class FormFilesScope {
public:
    FormFilesScope() { Use(File(), File(kContactsFileName)); }
    ~FormFilesScope() { Use({}, {}); }
    QString File(std::string_view name = "Quorvex.UDP") const { return m_dir.File(name).c_str(); }
    void Write(std::string_view text, std::string_view name = "Quorvex.UDP") const
    {
        WriteFileBytes(m_dir.File(name), text);
    }
    std::string Read() const { return ReadFileBytes(m_dir.File("Quorvex.UDP")); }

private:
    static void Use(const QString& properties, const QString& contacts)
    {
        SetUserPropertyFileName(properties);
        SetContactsFileName(contacts);
        ResetGlobalStrings();
    }
    TempDir m_dir;
};

// A small window: a label captioned by the creation handler, an edit field, a named helper
// without visible properties and an unnamed field. It records what the window was like when its
// creation handler ran, then the edit field's text at each key press it previews.
class TTestForm : public TEditableForm {
public:
    explicit TTestForm(const QString& name = "TestForm", Qt::WindowFlags flags = {})
        : TEditableForm(name, nullptr, flags)
    {
        resize(400, 300);
        setCentralWidget(Central);
        Label1->setObjectName("Label1");
        Label1->setGeometry(10, 20, 130, 40);
        Label1->setFont(QFont("Arial", 9));
        Edit1->setObjectName("Edit1");
        (new QObject(this))->setObjectName("Timer1");
        new QLineEdit(Central);
    }

    QWidget* Central = new QWidget(this);
    QLabel* Label1 = new QLabel(Central);
    QLineEdit* Edit1 = new QLineEdit(Central);
    QString Seen;
    bool SwallowKeys = false;

protected:
    void FormCreate() override
    {
        Seen = QStringLiteral("status bar %1, height %2, on top %3;")
                   .arg(int(statusBar() == MainStatusBar()))
                   .arg(height())
                   .arg(int(windowFlags().testFlag(Qt::WindowStaysOnTopHint)));
        Label1->setText("Owner");
    }
    bool FormKeyDown(QKeyEvent*) override { return Seen += " " + Edit1->text(), SwallowKeys; }
};

// The entries of a list or a combo box.
inline QStringList Lines(const QAbstractItemModel& model)
{
    QStringList lines;
    for (int row = 0; row < model.rowCount(); ++row)
        lines << model.index(row, 0).data().toString();
    return lines;
}

// What `run` returns, or the message of the conversion error it throws.
template <typename TRun>
QString OrError(TRun&& run)
{
    try {
        return run();
    } catch (const EConvertError& error) {
        return error.what();
    }
}

// Checks a table written one row a line, fields separated by " | ": `row` computes the fields
// after the first `inputs` ones from those. The whole table is compared at once, so a failure
// shows every line that differs.
template <typename TRow>
void ExpectTable(qsizetype inputs, const char* table, TRow&& row)
{
    QString expected;
    QString actual;
    for (const QString& line : QString(table).split(u'\n', Qt::SkipEmptyParts)) {
        const QStringList in = line.split(" | ").mid(0, inputs);
        expected += line + u'\n';
        actual += (in + row(in)).join(" | ") + u'\n';
    }
    EXPECT_EQ(actual.toStdString(), expected.toStdString());
}

} // namespace quorvex::test
