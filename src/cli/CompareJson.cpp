#include "CompareJson.h"

#include "JsonText.h"
#include "dictionary/DBOraClass.h"
#include "model/ObjectList.h"
#include "model/ObjectState.h"
#include "model/OwnerList.h"
#include "model/TextLines.h"

#include <cstdio>
#include <cstdlib>
#include <map>
#include <vector>

namespace quorvex {

namespace {

std::map<std::int32_t, std::string> OwnerNames(const TDBNewOracle& model)
{
    std::map<std::int32_t, std::string> names;
    const TOwnerList& owners = model.Owners();
    for (int i = 0; i < owners.Count(); ++i)
        names.emplace(owners.Items(i)->OwnerNo, owners.Items(i)->OwnerName);
    return names;
}

struct TItemLines {
    std::vector<std::string_view> Removed;
    std::vector<std::string_view> Added;
};

// Sorts the marked lines of a comparison text; unchanged lines are left out.
void Collect(const TDefaultItem& item, TItemLines& lines)
{
    for (const std::string_view line : SplitLines(item.ComparisonText())) {
        if (line.starts_with(Marks::Removed))
            lines.Removed.push_back(line.substr(Marks::Removed.size()));
        else if (line.starts_with(Marks::Added))
            lines.Added.push_back(line.substr(Marks::Added.size()));
    }
}

template <class List>
void CollectList(const List* list, TItemLines& lines)
{
    if (list == nullptr)
        return;
    for (int i = 0; i < list->Count(); ++i)
        Collect(*list->Items(i), lines);
}

std::string_view StateName(int objectState, const TItemLines& lines)
{
    if (objectState == ObjectStates::Added)
        return "added";
    if (objectState == ObjectStates::Removed)
        return "removed";
    return lines.Removed.empty() && lines.Added.empty() ? "unchanged" : "changed";
}

std::string LineArray(const std::vector<std::string_view>& lines)
{
    if (lines.empty())
        return "[]";
    std::string text = "[";
    for (size_t i = 0; i < lines.size(); ++i) {
        text += i == 0 ? "\n        " : ",\n        ";
        text += JsonQuoted(lines[i]);
    }
    return text + "\n      ]";
}

} // namespace

std::string Rfc3339(const TLocalTime& time)
{
    char text[64];
    const long offset = time.Tm.tm_gmtoff / 60;
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d%c%02ld:%02ld",
                  time.Tm.tm_year + 1900, time.Tm.tm_mon + 1, time.Tm.tm_mday, time.Tm.tm_hour,
                  time.Tm.tm_min, time.Tm.tm_sec, offset < 0 ? '-' : '+', std::labs(offset) / 60,
                  std::labs(offset) % 60);
    return text;
}

void WriteCompareJson(const TDBNewOracle& current, const TDBNewOracle& target,
                      const TCompareJsonHeader& header, bool all,
                      const std::function<void(std::string_view)>& write)
{
    write("{\n  \"source\": " + JsonQuoted(header.Source) + ",\n  \"target\": " +
          JsonQuoted(header.Target) + ",\n  \"date\": " + JsonQuoted(Rfc3339(header.Date)) +
          ",\n  \"changes\": " + (header.Changes ? "true" : "false") + ",\n  \"items\": [");
    const auto currentOwners = OwnerNames(current);
    const auto targetOwners = OwnerNames(target);
    bool first = true;
    const TObjectList& objects = current.Objects();
    for (int i = 0; i < objects.Count(); ++i) {
        const TObjectItem& object = *objects.Items(i);
        TItemLines lines;
        Collect(object, lines);
        CollectList(object.FieldsIfAny(), lines);
        CollectList(object.TriggersIfAny(), lines);
        CollectList(object.IndexesIfAny(), lines);
        CollectList(object.ConstraintsIfAny(), lines);
        const std::string_view state = StateName(object.ObjectState, lines);
        if (state == "unchanged" && !all)
            continue;
        // An added object came from the target and carries the target's owner number.
        const auto& owners =
            object.ObjectState == ObjectStates::Added ? targetOwners : currentOwners;
        const auto owner = owners.find(object.OwnerNo);
        write(std::string(first ? "\n" : ",\n") + "    {\n      \"kind\": " +
              JsonQuoted(KindName(object.ObjectType)) + ",\n      \"owner\": " +
              (owner == owners.end() ? "null" : JsonQuoted(owner->second)) + ",\n      \"name\": " +
              JsonQuoted(object.ObjectName) + ",\n      \"state\": " + JsonQuoted(state) +
              ",\n      \"removed\": " + LineArray(lines.Removed) +
              ",\n      \"added\": " + LineArray(lines.Added) + "\n    }");
        first = false;
    }
    write(first ? "]\n}\n" : "\n  ]\n}\n");
}

} // namespace quorvex
