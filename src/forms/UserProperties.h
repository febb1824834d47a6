#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace quorvex {

// The user-defined property file: one section per window, named after the window, holding
// component.property=value lines applied when the window is created, and the section
// "GlobalStrings" holding texts of the global string list by index.

inline constexpr const char* kGlobalStringsSection = "GlobalStrings";
// Entry 0 of the global string list: the caption format of the Edit Component Properties
// dialog, %s standing for the target window's name.
inline constexpr const char* kEditPropertiesCaption = "Edit Properties of %s";

// Where the file of the program `executable` lives: its path with ".UDP" in place of its
// extension when that folder is writable and not under /usr (an installed program), otherwise
// that file name in the user's configuration folder.
QString DefaultUserPropertyFileName(const QString& executable);
// The file in use: the default for the running program unless another was set.
QString UserPropertyFileName();
// Uses another file (an empty name goes back to the default).
void SetUserPropertyFileName(const QString& fileName);

// The texts shared by all windows; starts with its one built-in entry.
QStringList& GlobalStrings();
// Back to the built-in entry alone.
void ResetGlobalStrings();
// Replaces entries by the lines of section "GlobalStrings", in file order. Keys that are not
// decimal numbers or not an index of the list are skipped.
void LoadGlobalStrings();

// Applies the window's section to the window and its named components. Lines naming no
// component are skipped and kept; lines naming a property the component does not have are
// deleted from the file. EConvertError (naming the window) for a value that does not convert;
// the lines after it are not applied.
void ApplyUserProperties(QWidget& window);

// Writes key=value into a section, creating the file and the section when missing.
void WriteUserProperty(const QString& section, const QString& key, const QString& value);

} // namespace quorvex
