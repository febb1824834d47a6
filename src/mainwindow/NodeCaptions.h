#pragma once

#include <QString>
#include <string_view>

namespace quorvex {

class TConstraintItem;
class TFieldItem;

// The nine top-level nodes of the object tree, in their order.
enum class TTreeCategory : int {
    Owners,
    Tables,
    Views,
    Functions,
    Procedures,
    Packages,
    PackageBodies,
    Sequences,
    Synonyms,
};
inline constexpr int kCategoryCount = 9;

// The group nodes under an object, in their order.
enum class TTreeGroup : int { Constraints, Triggers, Indexes };

// "Owners", "Tables", ... "Synonyms".
QString CategoryCaption(TTreeCategory category);
// "Constraints", "Triggers", "Indexes".
QString GroupCaption(TTreeGroup group);
// The category of an object kind; -1 for kinds the tree does not show (indexes, triggers and
// any unknown number).
int CategoryOfObjectType(int objectType) noexcept;

// Captions longer than this many characters are cut to it and end in "...".
inline constexpr int kNodeCaptionLimit = 250;
// A caption of 251 characters or more becomes its first 250 followed by "...".
QString TruncateNodeCaption(const QString& caption);

// ObjectName + " : " + the constraint type's name, truncated.
QString ConstraintCaption(const TConstraintItem& constraint);
// FieldName + " : " + the column's type text (not truncated).
QString ColumnCaption(const TFieldItem& column);

// The same, appended to `out`, which keeps its storage: sorting builds many captions.
void AppendConstraintCaption(QString& out, const TConstraintItem& constraint);
void AppendColumnCaption(QString& out, const TFieldItem& column);
// Appends a UTF-8 text.
void AppendUtf8(QString& out, std::string_view text);

} // namespace quorvex
