#pragma once

#include "Commands.h"

#include <string_view>

namespace quorvex {

// "diagram": a diagram built by steps carried out in the order given, as the diagram window
// carries out its commands, then drawn into a picture, saved as a layout, or made into its
// Automatic SQL statement. Steps may be repeated; outputs are written only once every step
// succeeded.
inline constexpr TOptionSpec kSnapshotOption = {
    "", "--snapshot", "FILE",
    "diagram: take the tables from the snapshot FILE,\nwithout a database"};
inline constexpr TOptionSpec kDiagramOptions[] = {
    {"", "--table", "NAME",
     "diagram: add a box for the table NAME where the\nnext table goes, as a drop from the "
     "tree does",
     true},
    {"", "--references", "NAME",
     "diagram: References on the table NAME, its box\nadded first when missing", true},
    {"", "--referenced-by", "NAME",
     "diagram: Referenced By on the table NAME, its box\nadded first when missing", true},
    kAllOption,
    {"", "--mask", "TEXT",
     "diagram: the field display mask of the tables\nadded after it (not those of a layout)", true},
    {"", "--hide-fields", "",
     "diagram: the tables added after it show no rows\n(not those of a layout)"},
    {"", "--zoom", "N", "diagram: show the diagram at 1/N; N is 1, 2, 4,\n8 or 16", true},
    {"", "--load-layout", "FILE",
     "diagram: add the tables and lines of the layout\nFILE, reading the tables from the "
     "database",
     true},
    {"", "--save-layout", "FILE", "diagram: save the layout to FILE"},
    kOutputOption,
    {"", "--sql", "", "diagram: print the Automatic SQL statement of\nevery table, one line each"},
    {"", "--run", "", "diagram: run that statement and print its rows\nas sql does"},
};
inline constexpr std::string_view kDiagramOperands[] = {"ALIAS", "USER", "PASSWORD"};
inline constexpr TCommandForm kDiagramForms[] = {
    {nullptr, kDiagramOperands, kDiagramOptions},
    {&kSnapshotOption, {}, kDiagramOptions},
};
inline constexpr std::string_view kDiagramSummary =
    "Draw an ER diagram of the tables of the database ALIAS (logged in as\n"
    "USER, read as export --no-source reads) or of the snapshot FILE. The\n"
    "steps (--table to --load-layout) run in the order given, as in the\n"
    "diagram window; then the picture (-o, no table selected) and layout\n"
    "are written, and the Automatic SQL statement of every table, with\n"
    "each table's \"tabN.*\", printed (--sql) or run (--run).";

int RunDiagram(const TCommandContext& context);

} // namespace quorvex
