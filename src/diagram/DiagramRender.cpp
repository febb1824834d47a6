#include "DiagramRender.h"

#include "DiagramDocument.h"
#include "DiagramFont.h"
#include "persistence/Exceptions.h"

#include <QBuffer>
#include <QFile>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <algorithm>
#include <cctype>

namespace quorvex {

namespace {

// Line markers reach beyond a line's bounds, and a picture keeps a small white border.
constexpr int kMargin = 8;
constexpr int kMaxPrintScale = 16;

std::string LowerExtension(const std::string& fileName)
{
    const size_t dot = fileName.find_last_of('.');
    const size_t slash = fileName.find_last_of("/\\");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return {};
    std::string extension = fileName.substr(dot + 1);
    for (char& c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension;
}

QString Local(const std::string& fileName)
{
    return QString::fromLocal8Bit(fileName.data(), qsizetype(fileName.size()));
}

void Commit(QSaveFile& file, const std::string& fileName)
{
    if (!file.commit())
        throw EWriteError("Cannot write \"" + fileName + "\": " + file.errorString().toStdString());
}

} // namespace

TImageFormat ImageFormatFor(const std::string& fileName)
{
    const std::string extension = LowerExtension(fileName);
    if (extension == "png")
        return TImageFormat::Png;
    if (extension == "svg")
        return TImageFormat::Svg;
    if (extension == "pdf")
        return TImageFormat::Pdf;
    return TImageFormat::Bmp;
}

QRect PictureArea(const TDiagramDocument& document, QSize emptySize)
{
    const QRect bounds = document.ContentBounds();
    if (bounds.isEmpty())
        return QRect(QPoint(0, 0), emptySize.expandedTo(QSize(1, 1)));
    const QPoint topLeft(std::min(0, bounds.left() - kMargin), std::min(0, bounds.top() - kMargin));
    return QRect(topLeft, bounds.bottomRight() + QPoint(kMargin, kMargin));
}

void PaintDiagram(const TDiagramDocument& document, QPainter& painter, const QRect& area)
{
    painter.save();
    painter.setFont(DiagramFont());
    painter.setPen(Qt::black);
    painter.translate(-area.topLeft());
    document.PaintTo(painter, area);
    painter.restore();
}

QImage RenderDiagram(const TDiagramDocument& document, QSize emptySize)
{
    const QRect area = PictureArea(document, emptySize);
    if (area.width() > kMaxBitmapSide || area.height() > kMaxBitmapSide)
        throw Exception("The diagram is " + std::to_string(area.width()) + " x " +
                        std::to_string(area.height()) + " pixels, larger than a bitmap may be (" +
                        std::to_string(kMaxBitmapSide) + " x " + std::to_string(kMaxBitmapSide) +
                        "): zoom out, or save it as SVG or PDF");
    QImage image(area.size(), QImage::Format_RGB32);
    if (image.isNull())
        throw Exception("Not enough memory for a bitmap of the diagram");
    image.fill(Qt::white);
    QPainter painter(&image);
    PaintDiagram(document, painter, area);
    return image;
}

void SaveDiagramPicture(const TDiagramDocument& document, const std::string& fileName,
                        TImageFormat format, QSize emptySize)
{
    QSaveFile file(Local(fileName));
    if (!file.open(QIODevice::WriteOnly))
        throw EFCreateError("Cannot create file \"" + fileName + "\". " +
                            file.errorString().toStdString());
    const QRect area = PictureArea(document, emptySize);
    switch (format) {
    case TImageFormat::Bmp:
    case TImageFormat::Png: {
        const QImage image = RenderDiagram(document, emptySize);
        if (!image.save(&file, format == TImageFormat::Png ? "PNG" : "BMP"))
            throw EWriteError("Cannot write \"" + fileName + "\"");
        break;
    }
    case TImageFormat::Svg: {
        QSvgGenerator svg;
        svg.setOutputDevice(&file);
        svg.setSize(area.size());
        svg.setViewBox(QRect(QPoint(0, 0), area.size()));
        svg.setTitle(QStringLiteral("Diagram"));
        QPainter painter(&svg);
        PaintDiagram(document, painter, area);
        painter.end();
        break;
    }
    case TImageFormat::Pdf: {
        QPdfWriter pdf(&file);
        // One page the size of the diagram, one point per pixel.
        pdf.setResolution(72);
        pdf.setPageSize(
            QPageSize(QSizeF(area.size()), QPageSize::Point, QString(), QPageSize::ExactMatch));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter(&pdf);
        PaintDiagram(document, painter, area);
        painter.end();
        break;
    }
    }
    Commit(file, fileName);
}

TTileLayout TileLayout(QSize diagram, QSize page, int scale)
{
    scale = std::clamp(scale, 1, kMaxPrintScale);
    TTileLayout layout;
    if (page.width() <= 0 || page.height() <= 0)
        return layout;
    layout.Tile = QSize(std::max(1, page.width() / scale), std::max(1, page.height() / scale));
    layout.Columns = (std::max(0, diagram.width() - 1) * scale) / page.width() + 1;
    layout.Rows = (std::max(0, diagram.height() - 1) * scale) / page.height() + 1;
    return layout;
}

int PrintDiagram(const TDiagramDocument& document, QPagedPaintDevice& device, int scale,
                 QSize emptySize)
{
    const QImage diagram = RenderDiagram(document, emptySize);
    const QSize page(device.width(), device.height());
    const TTileLayout layout = TileLayout(diagram.size(), page, scale);
    QImage tile(layout.Tile, QImage::Format_RGB32);
    QPainter printer;
    if (!printer.begin(&device))
        throw Exception("The printer refused the job");
    const int pages = layout.Columns * layout.Rows;
    for (int p = 0; p < pages; ++p) {
        // Tile areas beyond the diagram are white.
        tile.fill(Qt::white);
        QPainter copy(&tile);
        copy.drawImage(QPoint(0, 0), diagram,
                       QRect(QPoint(layout.Tile.width() * (p % layout.Columns),
                                    layout.Tile.height() * (p / layout.Columns)),
                             layout.Tile));
        copy.end();
        printer.drawImage(QRect(QPoint(0, 0), page), tile);
        if (p + 1 < pages && !device.newPage())
            throw Exception("The printer refused a new page");
    }
    printer.end();
    return pages;
}

} // namespace quorvex
