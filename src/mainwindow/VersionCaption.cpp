#include "VersionCaption.h"

#include "mainwindow/QuorvexVersion.h"

namespace quorvex {

QString VersionCaption()
{
    const QString version = QString::fromLatin1(generated::kProgramVersion);
    // Without a version the caption keeps its prefix alone.
    if (version.isEmpty())
        return QStringLiteral("Quorvex ");
    return QStringLiteral("Quorvex v") + version;
}

QString MakerNotice()
{
    return QStringLiteral(" - Oracle schema browser by the Quorvex developers");
}

QString AboutText()
{
    return QStringLiteral("Quorvex reads an Oracle schema from the data dictionary, shows it as a "
                          "tree with the creating text of every item, keeps and compares "
                          "snapshots of it, and recompiles, drops and analyses its objects.\n\n"
                          "Made by the Quorvex developers.");
}

} // namespace quorvex
