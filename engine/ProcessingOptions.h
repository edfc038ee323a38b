#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <span>
#include <variant>

// The option values one job reads, taken from the option controls at every start. How
// each is shown, kept and preset is declared once, in processingOptionDeclarations().
struct ProcessingOptions {
    bool chkaAndX = false;
    bool chkaMTab = false;
    bool chkaBanMaoHao = false;
    bool chkaBanSenHao = false;
    bool chkaLTrimSpace = false;
    bool chkaRTrimSpace = false;
    bool chkaUpperCase = false;
    bool chkrAndXEER = false;
    bool chkrQuanMaoHao = false;
    bool chkrQuanSenHao = false;
    bool chkNotAddANDX = false;
    bool chkaKeepTmpFile = false;
    bool chkSaveRefDB = false;
    int txtLenLimit = 50;
    QString txtrAndXBK1;
    QString txtrAndXBK2;
    QString txttAndXBK1;
    QString txttAndXBK2;
    QString txtSaveRefDB;
    // The character that marks an access key in each file: "&", "_" or "~".
    QChar todoMarker = u'&';
    QChar referenceMarker = u'&';
    // What a job fills into a PO or TS to-do is marked for review (fuzzy, unfinished)
    // unless this asks otherwise.
    bool chkNotAddFuzzy = false;
    // A PO or TS reference also gives its entries marked for review.
    bool chkrTakeFuzzy = false;

    // The full and the minimal preset as records (the job flags left off).
    static ProcessingOptions full();
    static ProcessingOptions minimal();
};

// The presets of the buttons "完全" and "最简".
enum class OptionPreset { Full, Minimal };

// One option as the record, its INI form, the option frame and the presets know it.
struct OptionDescriptor {
    enum class Control {
        // States 0 unchecked, 1 checked, 2 grey (which counts as checked).
        CheckBox,
        // The length limit, validated wherever it is read or written.
        NumberBox,
        // An empty stored text leaves the box as it is.
        TextBox,
        // The path to save the purified database under, with the button "..." (optXRefDB)
        // that chooses it; an empty stored path empties the box.
        DatabasePathBox,
        // One of the choices; a stored text that is none of them leaves the choice.
        DropDown,
    };
    // Where the frame puts the control: in the two columns of check boxes, or in the rows
    // below them, whose column 0 holds the caption of the boxes right of it.
    enum class Area { CheckBoxColumns, Rows };
    using Field = std::variant<bool ProcessingOptions::*, int ProcessingOptions::*, QString ProcessingOptions::*>;

    // The record's field, the control's name and the INI key.
    QString name;
    Field field;
    Control control;
    // The stored caption ("&&" shows one "&"); empty for a second box in its row.
    QString caption;
    // Whether the INI form keeps it; the job flags are set anew for every job.
    bool saved = true;
    // The values the presets "完全" and "最简" give the control as its text ("1" or "0"
    // for a check box); none: the presets leave it as it is.
    std::optional<QString> full;
    std::optional<QString> minimal;
    Area area = Area::CheckBoxColumns;
    int row = 0;
    int column = 0;
    // The check box that enables the control; empty: always enabled.
    QString enabledBy;
    QStringList choices;

    const std::optional<QString> &presetValue(OptionPreset preset) const
    {
        return preset == OptionPreset::Full ? full : minimal;
    }
};

// Every option in the order the INI form saves and loads them.
std::span<const OptionDescriptor> processingOptionDeclarations();
