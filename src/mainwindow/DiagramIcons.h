#pragma once

#include <QIcon>

namespace quorvex {

// The pictures of the diagram tool bar, drawn rather than loaded so they scale with the screen.
enum class TDiagramIcon { ZoomOut, ZoomIn, Clear, ShowHints, MoveAll, DefaultMask, CloseTable };

QIcon DiagramIcon(TDiagramIcon icon);

} // namespace quorvex
