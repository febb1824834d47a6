#include "ObjectRefresh.h"

#include "DatabaseSession.h"
#include "DictionaryQueries.h"
#include "model/ObjectItem.h"
#include "model/ObjectState.h"

#include <string>

namespace quorvex {

namespace {

// Closes the query when leaving the scope, also when an error leaves it.
class TClosing {
public:
    explicit TClosing(TQuery& query)
        : m_query(query)
    {
    }
    ~TClosing()
    {
        try {
            m_query.Close();
        } catch (...) { // never hide the error that is leaving
        }
    }
    TClosing(const TClosing&) = delete;
    TClosing& operator=(const TClosing&) = delete;

private:
    TQuery& m_query;
};

} // namespace

bool RefreshFromDatabase(TObjectItem& object, TQuery& query)
{
    const std::string number = std::to_string(object.ObjectNo);
    {
        TClosing closing(query);
        query.ClearSQL();
        for (size_t i = 0; i < std::size(queries::kRefreshObject); ++i) {
            std::string line(queries::kRefreshObject[i]);
            if (i == 2)
                line += number;
            query.AddSQL(line);
        }
        query.Open();
        if (query.Eof())
            return false;
        object.ObjectName = query.AsText(0);
        const std::int64_t status = query.AsInteger(1);
        object.ObjectState =
            status == 0 || status == 1 ? ObjectStates::Normal : ObjectStates::Invalid;
        object.CommentText = query.AsText(2);
    }
    TClosing closing(query);
    query.ClearSQL();
    query.AddSQL(queries::kRefreshSource[0]);
    query.AddSQL(std::string(queries::kRefreshSource[1]) + number);
    query.AddSQL(queries::kRefreshSource[2]);
    object.ObjectText.clear();
    query.Open();
    for (; !query.Eof(); query.Next())
        object.ObjectText += query.AsText(1);
    return true;
}

} // namespace quorvex
