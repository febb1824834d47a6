#pragma once

#include <QString>

namespace quorvex {

// "Quorvex v" followed by the program's four version numbers ("Quorvex v0.1.0.0").
QString VersionCaption();

// The maker's notice shown after the version in the window caption and in the About box.
QString MakerNotice();

// The text of the About box.
QString AboutText();

} // namespace quorvex
