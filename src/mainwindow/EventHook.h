#pragma once

#include <QObject>
#include <functional>

namespace quorvex {

// An event filter that runs a function: installed on a widget it sees that widget's events
// only, so the window's own (application-wide) filter stays out of the way.
class TEventHook : public QObject {
public:
    // Returns true to stop the event.
    using THandler = std::function<bool(QObject* watched, QEvent* event)>;

    // Installs itself on every watched object; `parent` owns it.
    TEventHook(std::initializer_list<QObject*> watched, THandler handler, QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    THandler m_handler;
};

} // namespace quorvex
