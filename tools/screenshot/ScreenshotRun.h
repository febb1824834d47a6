#pragma once

#include <QString>

namespace quorvex {

class TQuorvexMainForm;

// The scenarios, each ending the program after saving a picture of the window to `fileName`
// (exit code 0, or 1 with the reason on stderr):
// - "main-window": reads the schema, shows the tree, selects table EMP with its creating text;
// - "comparison", through the menu commands: Refresh All, Export To File, a few changes to the
//   schema (a table added, one dropped, an index added), Refresh All, Compare With File against
//   the export. Changes the database it runs on: meant for a throw-away demo database;
// - "diagram", logged in as HR: reads the schema, opens a diagram pane with EMPLOYEES and the
//   tables around it.
bool IsScreenshotScenario(const QString& scenario);
void RunScreenshot(TQuorvexMainForm& form, const QString& scenario, const QString& fileName);

} // namespace quorvex
