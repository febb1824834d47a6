#include "SourceReader.h"

#include "DatabaseSession.h"
#include "DictionaryQueries.h"
#include "ReadPhase.h"
#include "SchemaReader.h"
#include "model/CommentList.h"

namespace quorvex {

namespace {
constexpr int kReserveStep = 100000;

bool IsStoredCode(int objectType)
{
    return objectType == ObjectTypes::Procedure || objectType == ObjectTypes::Function ||
           objectType == ObjectTypes::PackageHeader || objectType == ObjectTypes::PackageBody;
}
} // namespace

TSourceReader::TSourceReader(TDBNewOracle& root, TQuery& query, const TProgress& progress)
    : m_root(root)
    , m_query(query)
    , m_progress(progress)
{
}

void TSourceReader::ReadAndAttach()
{
    TCommentList lines;
    {
        TReadPhase phase(m_query, m_progress, "Reading Source...");
        if (m_root.Restricted()) {
            phase.SetText(m_root.HintPrefix(), queries::kSourceRestricted);
            phase.BindUserNo(m_root.UserNo);
        } else {
            phase.SetText(m_root.HintPrefix(), queries::kSourceAll);
        }
        int reserved = kReserveStep;
        lines.Reserve(reserved);
        phase.Open();
        for (; !m_query.Eof(); m_query.Next()) {
            if (lines.Count() >= reserved) {
                reserved += kReserveStep;
                lines.Reserve(reserved);
            }
            TCommentItem* line = lines.NewItem();
            line->ObjectNo = static_cast<std::int32_t>(m_query.AsInteger(0));
            line->FieldNo = static_cast<std::int32_t>(m_query.AsInteger(1));
            line->ObjectText = m_query.AsText(2);
            // Ordered by the (object, line) pair below: a combined 32-bit key would overflow
            // for every object number above 32767.
            CombinedKey(line->ObjectNo, 65536, line->FieldNo, line->OID);
        }
        lines.TrimCapacity();
    }
    Report(m_progress, "Sorting Source...");
    lines.Sort(CompareObjectAndField);

    Report(m_progress, "Attaching Source...");
    TObjectList& objects = m_root.Objects();
    TObjectItem* current = nullptr;
    for (int i = 0; i < lines.Count(); ++i) {
        TCommentItem* line = lines.Items(i);
        if (current != nullptr && current->ObjectNo == line->ObjectNo) {
            current->ObjectText += line->ObjectText;
            continue;
        }
        current = objects.FindByOID(line->ObjectNo);
        if (current == nullptr)
            continue;
        current->ObjectText = IsStoredCode(current->ObjectType)
                                  ? "CREATE OR REPLACE " + line->ObjectText
                                  : line->ObjectText;
    }
}

} // namespace quorvex
