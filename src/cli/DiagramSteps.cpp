#include "DiagramSteps.h"

#include "diagram/DiagramDocument.h"
#include "diagram/LayoutFile.h"
#include "model/ObjectList.h"
#include "persistence/Exceptions.h"

#include <vector>

namespace quorvex {

int TDiagramSteps::Zoom(const std::string& value)
{
    for (const int scale : {1, 2, 4, 8, 16}) {
        if (value == std::to_string(scale))
            return scale;
    }
    throw Exception("--zoom takes 1, 2, 4, 8 or 16, not \"" + value + "\"");
}

void TDiagramSteps::Run(const std::string& option, const std::string& value)
{
    if (option == "--load-layout") {
        // The layout's own field settings and masks hold for its tables.
        if (!LoadLayout(m_document, value, QPoint(0, 0)))
            throw EFOpenError(messages::CannotOpenFile(value));
        return;
    }
    const size_t firstNew = m_document.Components().size();
    if (option == "--table") {
        AddTable(ModelTable(value));
    } else if (option == "--references" || option == "--referenced-by") {
        TObjectItem& object = ModelTable(value);
        EnsureTable(object);
        m_document.OpenReferences(object, option == "--referenced-by");
    } else if (option == "--all") {
        AddEveryTable();
    } else if (option == "--mask") {
        m_document.DefaultMask = value;
    } else if (option == "--hide-fields") {
        m_hideFields = true;
    } else if (option == "--zoom") {
        m_document.SetDiagramScale(Zoom(value));
    }
    if (!m_hideFields)
        return;
    // Components are kept in creation order: the step's tables are the ones after firstNew.
    const auto& components = m_document.Components();
    for (size_t i = firstNew; i < components.size(); ++i) {
        if (components[i]->IsTable())
            static_cast<TGDBTable&>(*components[i]).SetShowFields(false);
    }
}

TObjectItem& TDiagramSteps::ModelTable(const std::string& name) const
{
    TObjectItem* object = m_document.FindModelTable(name);
    if (object == nullptr)
        throw Exception("The schema has no table \"" + name + "\"");
    return *object;
}

void TDiagramSteps::AddTable(TObjectItem& object)
{
    m_document.AddTableForObject(object).SetSelected(true);
}

void TDiagramSteps::EnsureTable(TObjectItem& object)
{
    if (m_document.FindDiagramTable(object.ObjectName) == nullptr)
        AddTable(object);
}

void TDiagramSteps::AddEveryTable()
{
    std::vector<TObjectItem*> tables;
    if (TObjectList* objects = m_document.Objects()) {
        for (int i = 0; i < objects->Count(); ++i) {
            if (objects->Items(i)->ObjectType == ObjectTypes::Table)
                tables.push_back(objects->Items(i));
        }
    }
    for (TObjectItem* table : tables)
        AddTable(*table);
    for (TObjectItem* table : tables)
        m_document.OpenReferences(*table, false);
}

} // namespace quorvex
