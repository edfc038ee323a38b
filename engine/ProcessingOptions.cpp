#include "ProcessingOptions.h"

#include <vector>

namespace {

using Control = OptionDescriptor::Control;
using Area = OptionDescriptor::Area;
using P = ProcessingOptions;

const QString On = QStringLiteral("1");
const QString Off = QStringLiteral("0");
const QString AndX = QStringLiteral("chkaAndX");

// Check boxes stand in two columns: what applies to both dictionaries on the left, the
// rest on the right.
OptionDescriptor checkBox(const QString &name, bool P::*field, const QString &caption, std::optional<QString> full,
                          std::optional<QString> minimal, int row, int column, const QString &enabledBy = QString())
{
    return {.name = name, .field = field, .control = Control::CheckBox, .caption = caption, .full = std::move(full),
            .minimal = std::move(minimal), .area = Area::CheckBoxColumns, .row = row, .column = column,
            .enabledBy = enabledBy};
}

OptionDescriptor bracketBox(const QString &name, QString P::*field, const QString &caption, const QString &full,
                            const QString &minimal, int row, int column)
{
    return {.name = name, .field = field, .control = Control::TextBox, .caption = caption, .full = full,
            .minimal = minimal, .area = Area::Rows, .row = row, .column = column, .enabledBy = AndX};
}

// The presets leave the markers alone: they belong to the files, not to the matching rules.
OptionDescriptor markerDropDown(const QString &name, QChar P::*field, const QString &caption, int row)
{
    return {.name = name, .field = field, .control = Control::DropDown, .caption = caption, .area = Area::Rows,
            .row = row, .column = 1, .enabledBy = AndX,
            .choices = {QStringLiteral("&"), QStringLiteral("_"), QStringLiteral("~")}};
}

const std::vector<OptionDescriptor> &declarations()
{
    static const std::vector<OptionDescriptor> options{
        checkBox(AndX, &P::chkaAndX, QStringLiteral("[两者]处理带有&&X的原文或译文"), On, Off, 0, 0),
        checkBox(QStringLiteral("chkaBanMaoHao"), &P::chkaBanMaoHao,
                 QStringLiteral("[两者]处理末尾有半角:号"), On, Off, 2, 0),
        checkBox(QStringLiteral("chkaBanSenHao"), &P::chkaBanSenHao,
                 QStringLiteral("[两者]处理末尾有半角...号"), On, Off, 3, 0),
        checkBox(QStringLiteral("chkaLTrimSpace"), &P::chkaLTrimSpace,
                 QStringLiteral("[两者]处理前置空格"), On, Off, 4, 0),
        checkBox(QStringLiteral("chkaMTab"), &P::chkaMTab,
                 QStringLiteral("[两者]处理\\t分隔后有快捷键的字串"), On, Off, 1, 0),
        checkBox(QStringLiteral("chkaRTrimSpace"), &P::chkaRTrimSpace,
                 QStringLiteral("[两者]处理后置空格"), On, Off, 5, 0),
        checkBox(QStringLiteral("chkaUpperCase"), &P::chkaUpperCase,
                 QStringLiteral("[两者]不区分大小写"), Off, Off, 6, 0),
        checkBox(QStringLiteral("chkNotAddANDX"), &P::chkNotAddANDX,
                 QStringLiteral("[已译]生成译文全部不加(&&X)"), Off, Off, 4, 1, AndX),
        checkBox(QStringLiteral("chkrAndXEER"), &P::chkrAndXEER,
                 QStringLiteral("[参照]处理&&后有全角字符的译文"), On, Off, 0, 1, AndX),
        checkBox(QStringLiteral("chkrQuanMaoHao"), &P::chkrQuanMaoHao,
                 QStringLiteral("[参照]处理末尾有全角：号"), On, Off, 1, 1),
        checkBox(QStringLiteral("chkrQuanSenHao"), &P::chkrQuanSenHao,
                 QStringLiteral("[参照]处理末尾有全角…号"), On, Off, 2, 1),
        {.name = QStringLiteral("chkaKeepTmpFile"), .field = &P::chkaKeepTmpFile, .control = Control::CheckBox,
         .caption = QStringLiteral("[※※]保留临时文件"), .saved = false, .row = 6, .column = 1},
        {.name = QStringLiteral("chkSaveRefDB"), .field = &P::chkSaveRefDB, .control = Control::CheckBox,
         .caption = QStringLiteral("[※※]另存已净化的参照字典数据库:"), .saved = false, .area = Area::Rows, .row = 5},
        {.name = QStringLiteral("txtLenLimit"), .field = &P::txtLenLimit, .control = Control::NumberBox,
         .caption = QStringLiteral("[两者]字串长度限制:"), .full = QStringLiteral("999999999"),
         .minimal = QStringLiteral("50"), .area = Area::Rows, .row = 0, .column = 1},
        bracketBox(QStringLiteral("txtrAndXBK1"), &P::txtrAndXBK1, QStringLiteral("[参照]带有&&X译文的两边括号:"),
                   QStringLiteral(R"((?:\(|\[|\<|\{))"), QStringLiteral(R"(\()"), 3, 1),
        bracketBox(QStringLiteral("txtrAndXBK2"), &P::txtrAndXBK2, QString(),
                   QStringLiteral(R"((?:\)|\]|\>|\}))"), QStringLiteral(R"(\))"), 3, 2),
        bracketBox(QStringLiteral("txttAndXBK1"), &P::txttAndXBK1, QStringLiteral("[已译]生成&&X译文的两边括号:"),
                   QStringLiteral("("), QStringLiteral("("), 4, 1),
        bracketBox(QStringLiteral("txttAndXBK2"), &P::txttAndXBK2, QString(),
                   QStringLiteral(")"), QStringLiteral(")"), 4, 2),
        {.name = QStringLiteral("txtSaveRefDB"), .field = &P::txtSaveRefDB, .control = Control::DatabasePathBox,
         .area = Area::Rows, .row = 5, .column = 1, .enabledBy = QStringLiteral("chkSaveRefDB")},
        markerDropDown(QStringLiteral("cbouAndXMarker"), &P::todoMarker, QStringLiteral("[未译]&&X的标记字符:"), 1),
        markerDropDown(QStringLiteral("cborAndXMarker"), &P::referenceMarker, QStringLiteral("[参照]&&X的标记字符:"), 2),
        checkBox(QStringLiteral("chkNotAddFuzzy"), &P::chkNotAddFuzzy, QStringLiteral("[已译]生成译文不标为复查(PO/TS)"),
                 Off, Off, 5, 1),
        checkBox(QStringLiteral("chkrTakeFuzzy"), &P::chkrTakeFuzzy, QStringLiteral("[参照]也取待复查的译文(PO/TS)"),
                 Off, Off, 3, 1),
    };
    return options;
}

// The record as a preset leaves it: each field the preset touches takes its text.
ProcessingOptions preset(OptionPreset which)
{
    ProcessingOptions options;
    for (const OptionDescriptor &option : declarations()) {
        const std::optional<QString> &value = option.presetValue(which);
        if (!value)
            continue;
        std::visit([&](auto field) {
            using Value = std::remove_reference_t<decltype(options.*field)>;
            if constexpr (std::is_same_v<Value, bool>)
                options.*field = *value == On;
            else if constexpr (std::is_same_v<Value, int>)
                options.*field = value->toInt();
            else if constexpr (std::is_same_v<Value, QChar>)
                options.*field = value->front();
            else
                options.*field = *value;
        }, option.field);
    }
    return options;
}

}

std::span<const OptionDescriptor> processingOptionDeclarations()
{
    return declarations();
}

ProcessingOptions ProcessingOptions::full()
{
    return preset(OptionPreset::Full);
}

ProcessingOptions ProcessingOptions::minimal()
{
    return preset(OptionPreset::Minimal);
}
