#pragma once

#include <QDialog>

// The about box: the program's icon, name, version and release month. A click anywhere
// closes it.
class frmAbout : public QDialog {
    Q_OBJECT

public:
    explicit frmAbout(QWidget *parent = nullptr);

    // "版本: 1.0 (β0)": major and minor version, the patch level as the beta number.
    static QString versionText();

protected:
    void mousePressEvent(QMouseEvent *event) override;
};
