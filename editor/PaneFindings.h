#pragma once

#include <QLabel>

class DocumentChecks;
class GridModel;
class frmTEdit;

// Below the edit pane's translation box: the findings of the checks on the box's text
// as it is typed. An edited text is checked as a commit would store it, as "已译"; an
// unedited one as the entry stands. Nothing here ever stops a commit.
class PaneFindings : public QLabel {
    Q_OBJECT

public:
    PaneFindings(frmTEdit &pane, const GridModel &model, const DocumentChecks &checks);

private:
    void refresh();

    frmTEdit &m_pane;
    const GridModel &m_model;
    const DocumentChecks &m_checks;
};
