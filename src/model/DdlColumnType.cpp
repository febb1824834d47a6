#include "DdlColumnType.h"

#include "FieldItem.h"
#include "persistence/Exceptions.h"

namespace quorvex::ddl {

namespace {

std::string Sized(const char* type, std::int32_t size)
{
    return std::string(type) + "(" + std::to_string(size) + ")";
}

std::string NumberText(const TFieldItem& field)
{
    // The dictionary leaves precision and scale null for a bare NUMBER, the precision alone
    // null for NUMBER(*,s), the scale alone null for FLOAT(p).
    if (field.Precision < 0 && field.Scale < 0)
        return "NUMBER";
    if (field.Scale < 0)
        return Sized("FLOAT", field.Precision);
    if (field.Precision < 0)
        return "NUMBER(*," + std::to_string(field.Scale) + ")";
    if (field.Scale == 0)
        return Sized("NUMBER", field.Precision);
    return "NUMBER(" + std::to_string(field.Precision) + "," + std::to_string(field.Scale) + ")";
}

// The fractional seconds of a time stamp are held in the scale.
std::string TimeStampText(const TFieldItem& field, const char* zone)
{
    return (field.Scale >= 0 ? Sized("TIMESTAMP", field.Scale) : std::string("TIMESTAMP")) + zone;
}

} // namespace

std::string ColumnTypeText(const TFieldItem& field)
{
    switch (field.FieldType) {
    case 1:
        return Sized("VARCHAR2", field.Length);
    case 2:
        return NumberText(field);
    case 8:
        return "LONG";
    case 9:
        return Sized("VARCHAR", field.Length);
    case 12:
        return "DATE";
    case 23:
        return Sized("RAW", field.Length);
    case 24:
        return "LONG RAW";
    case 69:
        return "ROWID";
    case 96:
        return Sized("CHAR", field.Length);
    case 100:
        return "BINARY_FLOAT";
    case 101:
        return "BINARY_DOUBLE";
    case 105:
    case 106:
        return "MLSLABEL";
    case 112:
        return "CLOB";
    case 113:
        return "BLOB";
    case 114:
        return "BFILE";
    case 180:
        return TimeStampText(field, "");
    case 181:
        return TimeStampText(field, " WITH TIME ZONE");
    case 231:
        return TimeStampText(field, " WITH LOCAL TIME ZONE");
    default:
        throw Exception("The column " + field.FieldName + " has the data type number " +
                        std::to_string(field.FieldType) + ", which no script can create");
    }
}

} // namespace quorvex::ddl
