#pragma once

#include <QString>

namespace quorvex {

class TQuorvexMainForm;

// The unattended run behind QUORVEX_SCREENSHOT=<file.png>: reads the schema, shows the tree,
// selects table EMP with its creating text, saves a picture of the window and ends the
// program (exit code 0, or 1 with the reason on stderr).
void RunScreenshot(TQuorvexMainForm& form, const QString& fileName);

// The unattended run behind QUORVEX_SCREENSHOT_COMPARE=<file.png>, through the menu commands:
// Refresh All, Export To File, a few changes to the schema (a table added, one dropped, an
// index added), Refresh All, Compare With File against the export; saves a picture of the
// window with the report and the marks and ends the program. Changes the database it runs on:
// meant for a throw-away demo database.
void RunComparisonScreenshot(TQuorvexMainForm& form, const QString& fileName);

// The unattended run behind QUORVEX_SCREENSHOT_DIAGRAM=<file.png>, logged in as HR: reads the
// schema, opens a diagram pane with EMPLOYEES and the tables around it, saves a picture of the
// window and ends the program.
void RunDiagramScreenshot(TQuorvexMainForm& form, const QString& fileName);

} // namespace quorvex
