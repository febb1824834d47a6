#pragma once

#include <QString>

namespace quorvex {

class TQuorvexMainForm;

// The unattended run behind QUORVEX_SCREENSHOT=<file.png>: reads the schema, shows the tree,
// selects table EMP with its creating text, saves a picture of the window and ends the
// program (exit code 0, or 1 with the reason on stderr).
void RunScreenshot(TQuorvexMainForm& form, const QString& fileName);

} // namespace quorvex
