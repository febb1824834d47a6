// The diagram command through the built executable, without a display: its errors, its SQL on
// a snapshot of the demo database, and a picture, a layout and rows from the database itself.
#include "CliExecutable.h"

#include <QString>
#include <QSvgRenderer>
#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace quorvex {
namespace {

using test::Quoted;

class CliDiagram : public test::CliLiveExecutable {
protected:
    void SetUp() override
    {
        CliLiveExecutable::SetUp();
        // Neither a display nor a platform nor a desktop session: the tool copes alone.
        m_environment = "env -u QT_QPA_PLATFORM -u DISPLAY -u WAYLAND_DISPLAY -u XDG_RUNTIME_DIR " +
                        m_environment;
    }

    std::string File(const std::string& name) { return m_dir.File(name); }
};

TEST_F(CliDiagram, ErrorsExitTwoWithOneLineAndWriteNothing)
{
    const std::string layout = File("out.LYT");
    const std::string binary = File("binary.LYT");
    test::WriteFileBytes(binary, std::string("0=TGDBTable\0", 12));
    const std::string db = "DEMO SCOTT tiger ";
    const std::string snapshot = "--snapshot " + Quoted(File("none.OBJ")) + " ";
    const struct {
        std::string Args, Message;
    } cases[] = {
        {db + "--table EMP --table NOPE", "The schema has no table \"NOPE\""},
        {db + "--referenced-by emp", "The schema has no table \"emp\""},
        {db + "--table EMP --zoom 3", "--zoom takes 1, 2, 4, 8 or 16, not \"3\""},
        {db + "--load-layout " + Quoted(File("none.LYT")), "Cannot open file " + File("none.LYT")},
        {db + "--load-layout " + Quoted(binary),
         "\"" + binary + "\" is not a layout file: it holds binary data"},
        {db + "--table EMP -o " + Quoted(File("no/x.svg")),
         "Cannot create file \"" + File("no/x.svg") + "\". No such file or directory"},
        {db + "-o x.jpg", "The picture \"x.jpg\" must end in .bmp, .png, .svg or .pdf"},
        {db.substr(0, 11) + "wrong", "ORA-01017: invalid username/password; logon denied"},
        {snapshot, "Cannot open file " + File("none.OBJ")},
        {snapshot + "--load-layout x.LYT",
         "--load-layout reads the layout's tables from a database; it cannot be used with "
         "--snapshot"},
        {snapshot + "--run", "--run needs a database; it cannot be used with --snapshot"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Run("diagram " + c.Args + " --sql --save-layout " + Quoted(layout)), 2) << c.Args;
        EXPECT_EQ(m_err, c.Message + "\n") << c.Args;
        EXPECT_EQ(m_out, "") << c.Args;
        EXPECT_FALSE(std::filesystem::exists(layout)) << c.Args;
    }
}

TEST_F(CliDiagram, SqlOfATableAndItsReferencesFromASnapshot)
{
    ASSERT_EQ(Run("export --no-source DEMO SCOTT tiger " + Quoted(m_snapshot)), 0) << m_err;
    ASSERT_EQ(
        Run("diagram --snapshot " + Quoted(m_snapshot) + " --table EMP --references EMP --sql"), 0)
        << m_err;
    EXPECT_EQ(m_err, "");
    EXPECT_EQ(m_out, "SELECT\n"
                     "tab0.*\n"
                     ",tab1.*\n"
                     "FROM\n"
                     "EMP tab0\n"
                     ",DEPT tab1\n"
                     "WHERE\n"
                     "(tab0.DEPTNO=tab1.DEPTNO)\n");
}

TEST_F(CliDiagram, PictureLayoutAndRowsFromTheDatabase)
{
    const std::string picture = File("scott.svg");
    const std::string layout = File("scott.LYT");
    m_environment += "QUORVEX_PASSWORD=tiger ";
    ASSERT_EQ(Run("diagram DEMO SCOTT - --references EMP --zoom 2 -o " + Quoted(picture) +
                  " --save-layout " + Quoted(layout) + " --run"),
              0)
        << m_err;
    EXPECT_EQ(m_err, "");
    // Every employee joined to the department: a header and 14 rows.
    EXPECT_TRUE(m_out.starts_with("EMPNO\tENAME\tJOB\tMGR\tHIREDATE\tSAL\tCOMM\tDEPTNO\tDEPTNO\t"
                                  "DNAME\tLOC\n"))
        << m_out;
    EXPECT_EQ(std::count(m_out.begin(), m_out.end(), '\n'), 15) << m_out;
    EXPECT_TRUE(QSvgRenderer(QString::fromStdString(picture)).isValid());
    EXPECT_TRUE(test::ReadFileBytes(layout).starts_with("0=TGDBTable\r\n0TableName=EMP\r\n"));
}

} // namespace
} // namespace quorvex
