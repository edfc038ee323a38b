#include "GridJobScope.h"

#include "cCtrlFlexGrid.h"

GridJobScope::GridJobScope(DocumentSession &session, cCtrlFlexGrid &grid) : m_suppressed(session), m_grid(grid)
{
    m_grid.setRedraw(false);
}

GridJobScope::~GridJobScope()
{
    m_grid.setRedraw(true);
}
