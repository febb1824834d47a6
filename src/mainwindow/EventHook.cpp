#include "EventHook.h"

namespace quorvex {

TEventHook::TEventHook(std::initializer_list<QObject*> watched, THandler handler, QObject* parent)
    : QObject(parent)
    , m_handler(std::move(handler))
{
    for (QObject* object : watched)
        object->installEventFilter(this);
}

bool TEventHook::eventFilter(QObject* watched, QEvent* event)
{
    return m_handler(watched, event);
}

} // namespace quorvex
