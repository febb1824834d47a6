#include "TGDBComponent.h"

#include "DiagramDocument.h"

namespace quorvex {

TGDBComponent::TGDBComponent(TDiagramDocument& document)
    : m_document(document)
{
}

void TGDBComponent::SetBounds(int left, int top, int width, int height)
{
    if (left == m_left && top == m_top && width == m_width && height == m_height)
        return;
    const QRect old = Bounds();
    m_left = left;
    m_top = top;
    m_width = width;
    m_height = height;
    BoundsChanged();
    m_document.Invalidate(old | Bounds());
}

} // namespace quorvex
