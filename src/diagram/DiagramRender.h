#pragma once

#include <QImage>
#include <QRect>
#include <QSize>
#include <string>

class QPagedPaintDevice;

namespace quorvex {

class TDiagramDocument;

// The largest bitmap a diagram is rendered into: beyond it the picture would take gigabytes;
// SVG and PDF draw any size.
inline constexpr int kMaxBitmapSide = 20000;

// The file formats a diagram is saved in.
enum class TImageFormat { Bmp, Png, Svg, Pdf };

// The format for a file name's extension (BMP when it has none or another).
TImageFormat ImageFormatFor(const std::string& fileName);

// The area of the diagram a picture shows: from the diagram origin (or the leftmost, topmost
// component beyond it) to the far edge of everything, at the zoom shown; `emptySize` when
// there is nothing on the diagram.
QRect PictureArea(const TDiagramDocument& document, QSize emptySize);

// Draws every visible component, back first, with the table font and a black pen, in diagram
// coordinates shifted so that `area` starts at the painter's origin.
void PaintDiagram(const TDiagramDocument& document, QPainter& painter, const QRect& area);

// The whole diagram as a bitmap on white. An Exception when it would be larger than
// kMaxBitmapSide on a side.
QImage RenderDiagram(const TDiagramDocument& document, QSize emptySize);

// Writes the whole diagram: BMP and PNG as the bitmap, SVG and PDF as vectors of the same
// drawing. Files are written through a temporary name, so a failed save keeps the old file.
void SaveDiagramPicture(const TDiagramDocument& document, const std::string& fileName,
                        TImageFormat format, QSize emptySize);

// Tile printing: each diagram pixel becomes `scale` by `scale` device pixels (scale brought
// into 1 to 16), pages left to right, then down. Returns the number of pages.
struct TTileLayout {
    int Columns = 1;
    int Rows = 1;
    QSize Tile; // diagram pixels per page
};
TTileLayout TileLayout(QSize diagram, QSize page, int scale);
int PrintDiagram(const TDiagramDocument& document, QPagedPaintDevice& device, int scale,
                 QSize emptySize);

} // namespace quorvex
