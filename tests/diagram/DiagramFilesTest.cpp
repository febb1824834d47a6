// Layout files, pictures, tile printing and Automatic SQL of a diagram.
#include "DiagramTestSupport.h"
#include "diagram/AutoSQL.h"
#include "diagram/DiagramRender.h"
#include "diagram/LayoutFile.h"
#include "persistence/Exceptions.h"

#include <QPdfWriter>
#include <QSvgRenderer>
#include <filesystem>
#include <gtest/gtest.h>

namespace quorvex::test {
namespace {

const std::string kTwoTables = "0=TGDBTable\r\n0TableName=EMP\r\n0Left=8\r\n0Top=8\r\n"
                               "0ShowFields=1\r\n0ShowMask=%1:s=%3:s%4:s\r\n0Tag=0\r\n"
                               "1=TGDBTable\r\n1TableName=DEPT\r\n1Left=224\r\n1Top=8\r\n"
                               "1ShowFields=0\r\n1ShowMask=%0:d %1:s\r\n1Tag=1\r\n"
                               "2=TGDBLine\r\n2FromTable=0\r\n2ToTable=1\r\n"
                               "2Hint=(EMP.DEPTNO=DEPT.DEPTNO)\r\n2Straight=0\r\n";

// EMP and DEPT as kTwoTables describes them, drawn on a diagram without a database.
void TwoTables(TDiagramDocument& document)
{
    TGDBTable& emp = Box(document, "EMP", 8, 8);
    TGDBTable& dept = Box(document, "DEPT", 224, 8);
    dept.SetShowFields(false);
    dept.SetShowMask("%0:d %1:s");
    dept.Tag = 1;
    dept.PrimaryKeyText = "DEPTNO";
    emp.AddReference("DEPT", nullptr, nullptr, "DEPTNO", true);
    emp.OutgoingReferences[0].Line->SetStraight(false);
}

TEST(LayoutFile, EntriesAreWrittenAtFullScaleWhateverTheZoom)
{
    TDiagramDocument document;
    TwoTables(document);
    EXPECT_EQ(LayoutText(document), kTwoTables);
    document.SetDiagramScale(4);
    EXPECT_EQ(LayoutText(document), kTwoTables);
}

TEST(LayoutFile, LoadingAddsBesideWhatIsThereWithLinesAndGroupsOffset)
{
    TDiagramDocument document;
    document.GroupCounter = 3;
    LoadLayoutText(document, kTwoTables, "a", {0, 0});
    document.SetDiagramScale(4);
    LoadLayoutText(document, kTwoTables, "b", {100, 50});
    const auto& components = document.Components();
    ASSERT_EQ(components.size(), 6u);
    const auto table = [&](size_t i) { return static_cast<const TGDBTable*>(components[i].get()); };
    const auto& line = static_cast<const TGDBLine&>(*components[5]);
    EXPECT_EQ(line.FromTable(), table(3));
    EXPECT_EQ(line.ToTable(), table(4));
    EXPECT_FALSE(line.Straight());
    EXPECT_EQ(line.Hint, "(EMP.DEPTNO=DEPT.DEPTNO)");
    // Each load numbers its groups above those already there.
    EXPECT_EQ(table(1)->Tag, 4);
    EXPECT_EQ(table(4)->Tag, 5);
    EXPECT_EQ(document.GroupCounter, 5);
    // Full-scale positions shown at 1/4, relative to the view's corner.
    EXPECT_EQ(table(1)->Bounds().topLeft(), QPoint(56, 2));
    EXPECT_EQ(table(4)->Bounds().topLeft(), QPoint(156, 52));
    EXPECT_FALSE(table(4)->ShowFields());
    EXPECT_EQ(table(4)->ShowMask(), "%0:d %1:s");
    // Lines of a layout are drawn but not listed: they join no Automatic SQL.
    EXPECT_TRUE(table(3)->OutgoingReferences.empty());
}

TEST(LayoutFile, ReadingStopsAtTheFirstBadEntryKeepingWhatCameBefore)
{
    const struct {
        std::string Text;
        size_t Components;
        std::string Error; // empty: read whole
    } cases[] = {
        {"0=TGDBTable\r\n1=TFoo\r\n2=TGDBTable\r\n2tablename=B\r\n2TABLENAME=C\r\n", 2, ""},
        {"0=TGDBTable\r\n2=TGDBTable\r\n", 1, ""},
        {"0=TGDBTable\r\n1=TGDBLine\r\n1ToTable=1\r\n2=TGDBTable\r\n", 1,
         "Layout file \"t\": the entry 1ToTable names no table of the layout"},
        {"0=TGDBTable\r\n1=TGDBLine\r\n1FromTable=5\r\n", 1,
         "Layout file \"t\": the entry 1FromTable names no table of the layout"},
        {std::string("0=TGDBTable\r\n0TableName=A\0B\r\n", 29), 0,
         "\"t\" is not a layout file: it holds binary data"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text);
        TDiagramDocument document;
        std::string error;
        try {
            LoadLayoutText(document, c.Text, "t", {0, 0});
        } catch (const Exception& e) {
            error = e.what();
        }
        EXPECT_EQ(error, c.Error);
        EXPECT_EQ(document.Components().size(), c.Components);
    }
    TDiagramDocument document;
    LoadLayoutText(document, cases[0].Text, "t", {0, 0});
    EXPECT_EQ(static_cast<const TGDBTable&>(*document.Components()[1]).TableName(), "B");
}

TEST(LayoutFile, MissingFileIsNothingAndAHugeOneIsRefusedUnread)
{
    TempDir dir;
    TDiagramDocument document;
    EXPECT_FALSE(LoadLayout(document, dir.File("none.lyt"), {0, 0}));
    const std::string huge = dir.File("huge.lyt");
    WriteFileBytes(huge, "0=TGDBTable\r\n");
    std::filesystem::resize_file(huge, kMaxLayoutFileBytes + 1);
    EXPECT_THROW(
        {
            try {
                LoadLayout(document, huge, {0, 0});
            } catch (const Exception& e) {
                EXPECT_EQ(std::string(e.what()),
                          "\"" + huge + "\" is not a layout file: it is larger than 64 MiB");
                throw;
            }
        },
        Exception);
    EXPECT_TRUE(document.Components().empty());
}

TEST(LayoutFile, SavedLayoutLoadsBackTheSameOnTheDemoDatabase)
{
    TDemoLogin login("SCOTT", "tiger");
    TDiagramDocument first;
    first.Query = &login.Query();
    LoadLayoutText(first, kTwoTables, "t", {0, 0});
    const auto* emp = static_cast<const TGDBTable*>(first.Components()[0].get());
    EXPECT_EQ(emp->ColumnLines.front(), "EMPNO=number(4,0) NOT NULL,KEY");
    const std::string file = login.File("saved.lyt");
    SaveLayout(first, file);
    EXPECT_EQ(ReadFileBytes(file), kTwoTables);
    TDiagramDocument second;
    second.Query = &login.Query();
    ASSERT_TRUE(LoadLayout(second, file, {0, 0}));
    EXPECT_EQ(LayoutText(second), kTwoTables);
}

TEST(DiagramPicture, BitmapsHoldTheDrawingAndVectorsLoad)
{
    TempDir dir;
    TDiagramDocument document;
    TwoTables(document);
    const QRect emp = document.Components()[0]->Bounds();
    const QImage image = RenderDiagram(document, {});
    const QRect all = document.ContentBounds();
    EXPECT_EQ(image.size(), QSize(all.right() + 9, all.bottom() + 9));
    EXPECT_EQ(image.pixel(emp.topLeft()), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(emp.topLeft() + QPoint(3, 3)), qRgb(255, 255, 0));
    EXPECT_EQ(image.pixel(emp.topLeft() + QPoint(3, 20)), qRgb(255, 255, 255));
    for (const char* name : {"d.bmp", "d.png", "d"}) {
        SCOPED_TRACE(name);
        SaveDiagramPicture(document, dir.File(name), ImageFormatFor(name), {});
        EXPECT_EQ(QImage(QString::fromStdString(dir.File(name))), image);
    }
    EXPECT_EQ(ReadFileBytes(dir.File("d")).substr(0, 2), "BM");
    SaveDiagramPicture(document, dir.File("d.svg"), TImageFormat::Svg, {});
    QSvgRenderer svg(QString::fromStdString(dir.File("d.svg")));
    EXPECT_TRUE(svg.isValid());
    EXPECT_EQ(svg.viewBox(), QRect(QPoint(0, 0), image.size()));
    SaveDiagramPicture(document, dir.File("d.pdf"), TImageFormat::Pdf, {});
    EXPECT_EQ(ReadFileBytes(dir.File("d.pdf")).substr(0, 5), "%PDF-");

    // Far beyond a bitmap's size: refused without allocating, while SVG draws it.
    Box(document, "FAR", 30000, 0);
    EXPECT_THROW(RenderDiagram(document, {}), Exception);
    SaveDiagramPicture(document, dir.File("far.svg"), TImageFormat::Svg, {});
    EXPECT_TRUE(QSvgRenderer(QString::fromStdString(dir.File("far.svg"))).isValid());
}

TEST(DiagramPicture, LinesSetOnABitmapCoverTheSamePixelsAsStrokedOnes)
{
    TDiagramDocument document;
    TGDBTable& a = Box(document, "A", 10, 10);
    Box(document, "B", 150, 90).PrimaryKeyText = "ID";
    Box(document, "C", 20, 160).PrimaryKeyText = "ID";
    a.AddReference("B", nullptr, nullptr, "B_ID", true);
    a.AddReference("C", nullptr, nullptr, "C_ID", true);
    // The lines alone, markers included. Elbowed paths are exact; a diagonal may place its
    // steps elsewhere than Qt's stroker but has as many pixels.
    for (TGDBTable* table : document.Tables())
        table->Visible = false;
    const QImage diagonal = RenderDiagram(document, {});
    for (const TTableReference& reference : a.OutgoingReferences)
        reference.Line->SetStraight(false);
    const QImage drawn = RenderDiagram(document, {});
    const auto count = [](const QImage& image) {
        const std::string pixels = Pixels(image);
        return std::count(pixels.begin(), pixels.end(), '#');
    };
    for (const TTableReference& reference : a.OutgoingReferences) {
        TGDBLine& line = *reference.Line;
        const QRect box = line.Bounds();
        QImage stroked(drawn.size(), QImage::Format_ARGB32_Premultiplied);
        stroked.fill(Qt::white);
        QPainter painter(&stroked);
        line.PaintTo(painter, box.left(), box.top());
        painter.end();
        EXPECT_EQ(Pixels(drawn.copy(box)), Pixels(stroked.copy(box)));
        line.SetStraight(true);
        QImage straight(drawn.size(), QImage::Format_ARGB32_Premultiplied);
        straight.fill(Qt::white);
        painter.begin(&straight);
        line.PaintTo(painter, box.left(), box.top());
        painter.end();
        EXPECT_EQ(count(diagonal.copy(line.Bounds())), count(straight.copy(line.Bounds())));
        line.SetStraight(false);
    }
}

TEST(DiagramPicture, TablesHiddenUnderOthersAreLeftOutWithoutChangingThePicture)
{
    // Stacked as the automatic placement stacks them, one narrower, one selected.
    TDiagramDocument document;
    for (int i = 0; i < 6; ++i) {
        TGDBTable& table = Box(document, "T" + std::to_string(i), 8 + (i % 2) * 30, 8 + i * 16);
        table.ColumnLines = {"A=a row of text", "B=another row", "C=the third row", "D=x"};
        table.AdjustSize();
        table.SetSelected(i == 3);
    }
    document.Tables()[4]->SetBounds(38, 72, 40, 60);
    const QImage culled = RenderDiagram(document, {});
    QImage whole(culled.size(), QImage::Format_RGB32);
    whole.fill(Qt::white);
    QPainter painter(&whole);
    painter.setFont(DiagramFont());
    for (const TGDBComponent* component : document.DrawingOrder())
        component->PaintTo(painter, component->Left(), component->Top());
    painter.end();
    EXPECT_EQ(culled, whole);
}

TEST(DiagramPrint, TilesRunAcrossThenDownAtAScaleOfOneToSixteen)
{
    const struct {
        int Scale;
        int Columns;
        int Rows;
        QSize Tile;
    } cases[] = {{4, 1, 1, {1200, 1650}},
                 {16, 4, 2, {300, 412}},
                 {0, 1, 1, {4800, 6600}},
                 {99, 4, 2, {300, 412}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Scale);
        const TTileLayout layout = TileLayout({1000, 600}, {4800, 6600}, c.Scale);
        EXPECT_EQ(layout.Columns, c.Columns);
        EXPECT_EQ(layout.Rows, c.Rows);
        EXPECT_EQ(layout.Tile, c.Tile);
    }
    TempDir dir;
    TDiagramDocument document;
    TwoTables(document);
    const QString file = QString::fromStdString(dir.File("print.pdf"));
    int pages = 0;
    {
        QPdfWriter pdf(file);
        pdf.setResolution(72);
        pages = PrintDiagram(document, pdf, 16, {});
        const TTileLayout layout =
            TileLayout(RenderDiagram(document, {}).size(), {pdf.width(), pdf.height()}, 16);
        EXPECT_EQ(pages, layout.Columns * layout.Rows);
        EXPECT_GT(pages, 1);
    }
    const std::string bytes = ReadFileBytes(file.toStdString());
    size_t count = 0;
    for (size_t at = bytes.find("/Type /Page\n"); at != std::string::npos;
         at = bytes.find("/Type /Page\n", at + 1))
        ++count;
    EXPECT_EQ(count, size_t(pages));
}

TEST(AutomaticSql, SelectedTablesAndTheLinesBetweenThemMakeTheStatement)
{
    TDiagramDocument document;
    TGDBTable& emp = Box(document, "EMP");
    TGDBTable& dept = Box(document, "DEPT");
    emp.ColumnLines = {"EMPNO=x", "DEPTNO=y"};
    dept.PrimaryKeyText = "DEPTNO";
    emp.AddReference("DEPT", nullptr, nullptr, "DEPTNO", true);
    TGDBTable& loc = Box(document, "LOC");
    loc.PrimaryKeyText = "LOCNO";
    emp.AddReference("LOC", nullptr, nullptr, "LOCNO", true);
    dept.AddReference("LOC", nullptr, nullptr, "LOCNO", true);
    for (TGDBTable* table : {&emp, &dept, &loc})
        table->SetSelected(true);
    TAutoSqlParts parts = BuildAutoSql(document);
    EXPECT_EQ(parts.Fields, (std::vector<std::string>{"tab0.*", "tab0.EMPNO", "tab0.DEPTNO",
                                                      "tab1.*", "tab3.*"}));
    EXPECT_EQ(parts.From, (std::vector<std::string>{"EMP tab0", ",DEPT tab1", ",LOC tab3"}));
    EXPECT_EQ(parts.Where, (std::vector<std::string>{"(tab0.DEPTNO=tab1.DEPTNO)", "AND",
                                                     "(tab0.LOCNO=tab3.LOCNO)", "AND",
                                                     "(tab1.LOCNO=tab3.LOCNO)"}));
    loc.SetSelected(false);
    parts = BuildAutoSql(document);
    EXPECT_EQ(parts.Where, std::vector<std::string>{"(tab0.DEPTNO=tab1.DEPTNO)"});
    EXPECT_EQ(AutoSqlLines({"tab0.ENAME", ",tab0.SAL"}, parts.From, parts.Where),
              (std::vector<std::string>{"SELECT", "tab0.ENAME", ",tab0.SAL", "FROM", "EMP tab0",
                                        ",DEPT tab1", "WHERE", "(tab0.DEPTNO=tab1.DEPTNO)"}));
    EXPECT_EQ(AutoSqlLines({"1"}, {}, {}),
              (std::vector<std::string>{"SELECT", "1", "FROM", "DUAL"}));
}

} // namespace
} // namespace quorvex::test
