#pragma once

#include <QWidget>

namespace quorvex {

// A diagram pane of the main window: for now an empty white area that keeps its place among
// the panes; the diagram itself replaces it.
class TDiagramPane : public QWidget {
    Q_OBJECT

public:
    // `tag` is the tab index the pane was created at.
    TDiagramPane(int tag, QWidget* parent);

    int Tag() const noexcept { return m_tag; }

private:
    int m_tag;
};

} // namespace quorvex
