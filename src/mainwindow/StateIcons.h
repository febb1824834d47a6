#pragma once

#include <QIcon>
#include <QString>

namespace quorvex {

// The state images of the object tree, drawn as vector shapes so they are sharp at any size
// and pixel ratio: 1 invalid (red circle, cross), 2 disabled (grey no-entry sign), 3 added
// (green square, plus), 4 removed (orange square, minus), 5 changed (amber diamond, tilde),
// 6 changed index (blue diamond, tilde).

inline constexpr int kFirstStateImage = 1;
inline constexpr int kLastStateImage = 6;

// The icon of a state image; a null icon for 0 and numbers without an image.
QIcon StateIcon(int state);

// What a state image means. `own` when the node's own item has that state, otherwise the
// image was passed up from the nodes below.
QString StateToolTip(int state, bool own);

} // namespace quorvex
