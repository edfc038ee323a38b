#pragma once

#include <QGroupBox>

#include <utility>
#include <vector>

class QCheckBox;

// The options' switch of every quality check, as the editor's INI file keeps them;
// the length check names the export's limit it checks against.
class CheckSwitchesBox : public QGroupBox {
    Q_OBJECT

public:
    explicit CheckSwitchesBox(QWidget *parent = nullptr);

    // Raises error 75 when the INI file cannot be written.
    void save() const;

private:
    // Each check's id and its box.
    std::vector<std::pair<QString, QCheckBox *>> m_boxes;
};
