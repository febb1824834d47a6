#pragma once

#include "DemoCopy.h"
#include "TestSupport.h"
#include "diagram/DiagramDocument.h"
#include "diagram/DiagramFont.h"
#include "engine/QtSession.h"

#include <QImage>
#include <QPainter>
#include <memory>
#include <string>
#include <vector>

namespace quorvex::test {

// A table without rows (no model object, no query) at a position.
inline TGDBTable& Box(TDiagramDocument& document, const std::string& name, int left = 0,
                      int top = 0)
{
    TGDBTable& table = document.NewTable();
    table.SetTableName(name);
    table.MoveTo(left, top);
    table.Visible = true;
    return table;
}

// A session logged in to a fresh copy of the demo database, through an alias file of its own.
class TDemoLogin {
public:
    TDemoLogin(const char* user, const char* password)
    {
        const std::string aliases = m_dir.File("aliases.ini");
        WriteFileBytes(aliases,
                       "[DEMO]\nDRIVER=ORACLE\nBACKEND=EMBEDDED\nPATH=" + DemoTemplate() + "\n");
        m_session = std::make_unique<TQtSession>(aliases);
        m_session->SetAlias("DEMO");
        m_session->SetLoginCallback([user, password](TLoginParams& login) {
            login.UserName = user;
            login.Password = password;
        });
        m_query = m_session->CreateQuery();
    }

    TQuery& Query() const { return *m_query; }
    std::string File(std::string_view name) const { return m_dir.File(name); }

private:
    TempDir m_dir;
    std::unique_ptr<TQtSession> m_session;
    std::unique_ptr<TQuery> m_query;
};

// A table's rows, each ended by a line break.
inline std::string RowsText(const TGDBTable& table)
{
    std::string rows;
    for (size_t i = 0; i < table.RowCount(); ++i)
        rows += table.Row(i) + "\n";
    return rows;
}

// The texts of a table's reference list.
inline std::vector<std::string> Texts(const std::vector<TTableReference>& references)
{
    std::vector<std::string> texts;
    for (const TTableReference& reference : references)
        texts.push_back(reference.Text());
    return texts;
}

// What the pane draws: a white image, the toolkit's default black one-pixel pen, no smoothing,
// the diagram font. `origin` is the diagram point drawn at the image's top-left corner.
inline QImage Paint(const TGDBComponent& component, QSize size, QPoint origin = {})
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(DiagramFont());
    component.PaintTo(painter, component.Left() - origin.x(), component.Top() - origin.y());
    return image;
}

// The image as rows of '#' (black) and '.' (anything else), for whole-picture comparisons.
inline std::string Pixels(const QImage& image)
{
    std::string text;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            text += image.pixel(x, y) == qRgb(0, 0, 0) ? '#' : '.';
        text += '\n';
    }
    return text;
}

} // namespace quorvex::test
