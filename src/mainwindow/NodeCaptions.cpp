#include "NodeCaptions.h"

#include "model/ConstraintItem.h"
#include "model/FieldItem.h"
#include "model/ObjectItem.h"

#include <algorithm>
#include <array>

namespace quorvex {

namespace {

constexpr std::array<const char*, kCategoryCount> kCategoryCaptions{
    "Owners",   "Tables",         "Views",     "Functions", "Procedures",
    "Packages", "Package Bodies", "Sequences", "Synonyms",
};

constexpr std::array<const char*, 3> kGroupCaptions{"Constraints", "Triggers", "Indexes"};

constexpr QLatin1StringView kSeparator(" : ");

} // namespace

QString CategoryCaption(TTreeCategory category)
{
    return QLatin1String(kCategoryCaptions.at(static_cast<std::size_t>(category)));
}

QString GroupCaption(TTreeGroup group)
{
    return QLatin1String(kGroupCaptions.at(static_cast<std::size_t>(group)));
}

int CategoryOfObjectType(int objectType) noexcept
{
    switch (objectType) {
    case ObjectTypes::Table:
        return int(TTreeCategory::Tables);
    case ObjectTypes::View:
        return int(TTreeCategory::Views);
    case ObjectTypes::Synonym:
        return int(TTreeCategory::Synonyms);
    case ObjectTypes::Sequence:
        return int(TTreeCategory::Sequences);
    case ObjectTypes::Procedure:
        return int(TTreeCategory::Procedures);
    case ObjectTypes::Function:
        return int(TTreeCategory::Functions);
    case ObjectTypes::PackageHeader:
        return int(TTreeCategory::Packages);
    case ObjectTypes::PackageBody:
        return int(TTreeCategory::PackageBodies);
    default:
        return -1;
    }
}

QString TruncateNodeCaption(const QString& caption)
{
    if (caption.size() <= kNodeCaptionLimit)
        return caption;
    return caption.left(kNodeCaptionLimit) + QStringLiteral("...");
}

void AppendUtf8(QString& out, std::string_view text)
{
    const bool ascii = std::all_of(text.begin(), text.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    // ASCII is Latin-1 too, and Latin-1 appends without a temporary string.
    if (ascii)
        out.append(QLatin1StringView(text.data(), qsizetype(text.size())));
    else
        out.append(QString::fromUtf8(text.data(), qsizetype(text.size())));
}

void AppendConstraintCaption(QString& out, const TConstraintItem& constraint)
{
    const qsizetype start = out.size();
    AppendUtf8(out, constraint.ObjectName);
    out.append(kSeparator);
    AppendUtf8(out, ConstraintTypeName(constraint.ConstType));
    if (out.size() - start > kNodeCaptionLimit) {
        out.truncate(start + kNodeCaptionLimit);
        out.append(QLatin1StringView("..."));
    }
}

void AppendColumnCaption(QString& out, const TFieldItem& column)
{
    AppendUtf8(out, column.FieldName);
    out.append(kSeparator);
    AppendUtf8(out, column.TypeText());
}

QString ConstraintCaption(const TConstraintItem& constraint)
{
    QString caption;
    AppendConstraintCaption(caption, constraint);
    return caption;
}

QString ColumnCaption(const TFieldItem& column)
{
    QString caption;
    AppendColumnCaption(caption, column);
    return caption;
}

} // namespace quorvex
