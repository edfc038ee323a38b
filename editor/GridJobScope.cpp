#include "GridJobScope.h"

#include "cCtrlFlexGrid.h"
#include "frmMain.h"

#include <QCoreApplication>

GridJobScope::GridJobScope(frmMain &editor) : m_editor(editor)
{
    m_editor.EditSuppressed = true;
    m_editor.gridController().setRedraw(false);
}

GridJobScope::~GridJobScope()
{
    m_editor.gridController().setRedraw(true);
    m_editor.EditSuppressed = false;
}

void GridJobScope::showFlatList()
{
    m_editor.gridController().DisplayAlphabetic(true);
    QCoreApplication::processEvents();
}
