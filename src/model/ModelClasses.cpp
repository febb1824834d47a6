#include "ModelClasses.h"

#include "CommentList.h"
#include "ConstraintList.h"
#include "DefaultList.h"
#include "FieldList.h"
#include "IndexList.h"
#include "ObjectList.h"
#include "OwnerList.h"
#include "TriggerList.h"
#include "persistence/ClassRegistry.h"

namespace quorvex {

void RegisterModelClasses()
{
    RegisterPersistenceClasses();
    for (const TClassInfo* info :
         {&TDefaultItem::StaticClass(), &TDefaultList::StaticClass(), &TCommentItem::StaticClass(),
          &TCommentList::StaticClass(), &TFieldItem::StaticClass(), &TFieldList::StaticClass(),
          &TConstraintItem::StaticClass(), &TConstraintList::StaticClass(),
          &TTriggerItem::StaticClass(), &TTriggerList::StaticClass(), &TIndexItem::StaticClass(),
          &TIndexList::StaticClass(), &TObjectItem::StaticClass(), &TObjectList::StaticClass(),
          &TOwnerItem::StaticClass(), &TOwnerList::StaticClass()})
        RegisterClass(*info);
}

} // namespace quorvex
