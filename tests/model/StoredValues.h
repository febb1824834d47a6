#pragma once

#include "persistence/Streamed.h"

#include <string>

namespace quorvex::test {

// Every stored property of an object except nested objects, as "Name=value" lines in stored
// order: a readable way to compare two items property by property.
inline std::string StoredValues(const TStreamed& object)
{
    std::string text;
    for (const TPropInfo& prop : object.ClassInfo().Props) {
        if (prop.Kind == TPropKind::Object)
            continue;
        text += std::string(prop.Name) + "=";
        switch (prop.Kind) {
        case TPropKind::Text:
            text += "'" + std::string(prop.GetText(object)) + "'";
            break;
        case TPropKind::DateTime:
            text += std::to_string(prop.GetFloat(object));
            break;
        default:
            text += std::to_string(prop.GetInt(object));
            break;
        }
        text += "\n";
    }
    return text;
}

} // namespace quorvex::test
