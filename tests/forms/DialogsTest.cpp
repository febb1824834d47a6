#include "ScriptedDialogs.h"

#include <gtest/gtest.h>

namespace quorvex {
namespace {

TEST(Dialogs, TheQtDialogsAreInUseUntilOthersAreInstalled)
{
    EXPECT_NE(dynamic_cast<TQtDialogs*>(&Dialogs()), nullptr);
    {
        TScriptedDialogsScope scripted;
        EXPECT_EQ(&Dialogs(), &*scripted);
    }
    EXPECT_NE(dynamic_cast<TQtDialogs*>(&Dialogs()), nullptr);
}

TEST(Dialogs, ScriptedAnswersComeInOrderAndQuestionsAreRecorded)
{
    TScriptedDialogsScope dialogs;
    dialogs->MessageAnswers = {QMessageBox::Yes};
    dialogs->LoginAnswers.push_back(TLoginAnswer{"SCOTT", "TIGER"});
    dialogs->FileAnswers = {QStringLiteral("/tmp/a.snp")};
    dialogs->ColorAnswers.push_back(QColor(Qt::red));

    EXPECT_EQ(Dialogs().Message(nullptr, QMessageBox::Warning, "Warning",
                                "Drop Object. Are you sure",
                                QMessageBox::Yes | QMessageBox::Cancel),
              QMessageBox::Yes);
    // Nothing more scripted: the default button, else OK, else Cancel.
    EXPECT_EQ(Dialogs().Message(nullptr, QMessageBox::Warning, "", "again",
                                QMessageBox::Yes | QMessageBox::Cancel),
              QMessageBox::Cancel);
    EXPECT_EQ(Dialogs().Message(nullptr, QMessageBox::Question, "", "x",
                                QMessageBox::Yes | QMessageBox::No, QMessageBox::No),
              QMessageBox::No);
    Dialogs().ShowMessage(nullptr, "Please set up a BDE alias for an Oracle database.");

    TLoginRequest login;
    login.Database = "QUORVEXGLOBAL";
    login.UserName = "scott";
    const auto answer = Dialogs().Login(nullptr, login);
    ASSERT_TRUE(answer.has_value());
    EXPECT_EQ(answer->UserName, "SCOTT");
    EXPECT_EQ(answer->Password, "TIGER");
    EXPECT_FALSE(Dialogs().Login(nullptr, login).has_value());

    EXPECT_EQ(Dialogs().OpenFileName(nullptr, {}), QStringLiteral("/tmp/a.snp"));
    EXPECT_FALSE(Dialogs().SaveFileName(nullptr, {}).has_value());
    EXPECT_EQ(Dialogs().ChooseColor(nullptr, Qt::white), QColor(Qt::red));
    EXPECT_FALSE(Dialogs().ChooseFont(nullptr, QFont()).has_value());
    EXPECT_FALSE(Dialogs().InputText(nullptr, "t", "l", "x").has_value());

    ASSERT_EQ(dialogs->Asked.size(), 11u);
    EXPECT_EQ(dialogs->Asked[0].Kind, "Message");
    EXPECT_EQ(dialogs->Asked[0].Text, "Drop Object. Are you sure");
    EXPECT_EQ(dialogs->Asked[0].Icon, QMessageBox::Warning);
    EXPECT_EQ(dialogs->Asked[3].Text, "Please set up a BDE alias for an Oracle database.");
    EXPECT_EQ(dialogs->Asked[3].Buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    EXPECT_EQ(dialogs->Asked[4].Kind, "Login");
    EXPECT_EQ(dialogs->Asked[4].Title, "Database Login");
    EXPECT_EQ(dialogs->Asked[4].Value, "scott");
}

} // namespace
} // namespace quorvex
