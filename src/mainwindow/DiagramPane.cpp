#include "DiagramPane.h"

namespace quorvex {

TDiagramPane::TDiagramPane(int tag, QWidget* parent)
    : QWidget(parent)
    , m_tag(tag)
{
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}

} // namespace quorvex
