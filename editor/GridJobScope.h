#pragma once

#include "DocumentSession.h"

class cCtrlFlexGrid;

// A job that reads or replaces every entry of the open document: while it runs the edit
// pane commits nothing and the grid does not paint. Both end with the scope, however
// the job ends.
class GridJobScope {
public:
    GridJobScope(DocumentSession &session, cCtrlFlexGrid &grid);
    ~GridJobScope();
    GridJobScope(const GridJobScope &) = delete;
    GridJobScope &operator=(const GridJobScope &) = delete;

private:
    SuppressedEdits m_suppressed;
    cCtrlFlexGrid &m_grid;
};
