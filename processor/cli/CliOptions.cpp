#include "CliOptions.h"

#include "AppFolder.h"
#include "ConsoleText.h"
#include "NumericText.h"
#include "OptionSettings.h"
#include "checks/Checker.h"
#include "formats/DictionaryFormats.h"

#include <QFileInfo>

#include <algorithm>
#include <functional>
#include <vector>

namespace {

// One option of the command line: a flag, or an option that takes the next argument,
// which the setter stores and may refuse (with the reason).
struct CliOption {
    QString name;
    // What the value must be ("一个文件名"); empty for a flag.
    QString value;
    std::function<QString(CliRequest &request, const QString &value)> set;
};

const QString FileName = QStringLiteral("一个文件名");
const QString FolderName = QStringLiteral("一个文件夹");

CliOption flag(const char *name, bool CliRequest::*member)
{
    return {QString::fromLatin1(name), QString(), [member](CliRequest &request, const QString &) {
                request.*member = true;
                return QString();
            }};
}

CliOption text(const char *name, QString CliRequest::*member, const QString &value = FileName)
{
    return {QString::fromLatin1(name), value, [member](CliRequest &request, const QString &given) {
                request.*member = given;
                return QString();
            }};
}

const OptionDescriptor &declared(const QString &controlName)
{
    const auto options = processingOptionDeclarations();
    const auto option = std::find_if(options.begin(), options.end(),
                                     [&](const OptionDescriptor &known) { return known.name == controlName; });
    Q_ASSERT(option != options.end());
    return *option;
}

// Checks the declared check box.
CliOption checking(const char *name, const QString &controlName)
{
    Q_ASSERT(declared(controlName).control == OptionDescriptor::Control::CheckBox);
    return {QString::fromLatin1(name), QString(), [controlName](CliRequest &request, const QString &) {
                request.controls.append({controlName, QStringLiteral("1")});
                return QString();
            }};
}

// Chooses one of the declared drop-down's choices.
CliOption choosing(const char *name, const QString &controlName)
{
    const QStringList choices = declared(controlName).choices;
    const QString option = QString::fromLatin1(name);
    return {option, choices.join(u'、') + QStringLiteral(" 之一"), [controlName, choices, option](CliRequest &request, const QString &value) {
                if (!choices.contains(value))
                    return QStringLiteral("选项 %1 只能是 %2: %3").arg(option, choices.join(u'、'), shownName(value));
                request.controls.append({controlName, value});
                return QString();
            }};
}

QString setJobs(CliRequest &request, const QString &value)
{
    bool ok = false;
    request.jobs = value.toInt(&ok);
    if (ok && request.jobs > 0)
        return QString();
    return QStringLiteral("选项 --jobs 需要一个正整数: %1").arg(shownName(value));
}

// A comma-separated list of check ids; an id no check has is refused.
CliOption ruleList(const char *name, QStringList CliRequest::*member)
{
    const QString option = QString::fromLatin1(name);
    return {option, QStringLiteral("以逗号分隔的规则编号"), [member, option](CliRequest &request, const QString &value) {
                const Checker checker;
                for (const QString &id : value.split(u',', Qt::SkipEmptyParts)) {
                    if (!checker.rule(id.trimmed()))
                        return QStringLiteral("选项 %1: 没有这个规则: %2").arg(option, shownName(id.trimmed()));
                    (request.*member) << id.trimmed();
                }
                return QString();
            }};
}

// Read as the length limit of the options is, but a text that is no number, or one below 1,
// is refused rather than taken as the default.
QString setLengthLimit(CliRequest &request, const QString &value)
{
    const LengthLimit::Result limit = LengthLimit::validate(value);
    if (!isNumeric(value) || limit.belowOne)
        return QStringLiteral("选项 --length-limit 需要一个正数: %1").arg(shownName(value));
    request.lengthLimit = limit.value;
    return QString();
}

const std::vector<CliOption> &cliOptions()
{
    static const std::vector<CliOption> options{
        {QStringLiteral("--todo"), FileName,
         [](CliRequest &request, const QString &value) {
             request.files.todo = value;
             request.todos << value;
             return QString();
         }},
        {QStringLiteral("--reference"), FileName,
         [](CliRequest &request, const QString &value) {
             request.files.reference = value;
             return QString();
         }},
        {QStringLiteral("--output"), FileName,
         [](CliRequest &request, const QString &value) {
             request.files.output = value;
             return QString();
         }},
        text("--todo-dir", &CliRequest::todoDir, FolderName),
        text("--output-dir", &CliRequest::outputDir, FolderName),
        text("--preset", &CliRequest::presetFile),
        text("--app-folder", &CliRequest::appFolder),
        text("--reference-pair", &CliRequest::referencePair, QStringLiteral("一个语言对")),
        {QStringLiteral("--jobs"), QStringLiteral("一个正整数"), setJobs},
        flag("--in-place", &CliRequest::inPlace),
        flag("--recursive", &CliRequest::recursive),
        flag("--result-line", &CliRequest::resultLine),
        flag("--full", &CliRequest::fullPreset),
        flag("--minimal", &CliRequest::minimalPreset),
        flag("--keep-work-files", &CliRequest::keepWorkFiles),
        choosing("--todo-marker", QStringLiteral("cbouAndXMarker")),
        choosing("--reference-marker", QStringLiteral("cborAndXMarker")),
        checking("--no-fuzzy", QStringLiteral("chkNotAddFuzzy")),
        checking("--fuzzy-reference", QStringLiteral("chkrTakeFuzzy")),
        flag("--check", &CliRequest::check),
        text("--check-dir", &CliRequest::checkDir, FolderName),
        ruleList("--rules", &CliRequest::rules),
        ruleList("--skip-rules", &CliRequest::skippedRules),
        {QStringLiteral("--length-limit"), QStringLiteral("一个正数"), setLengthLimit},
    };
    return options;
}

bool isOption(const QString &argument)
{
    return argument.startsWith(QStringLiteral("--"));
}

// The argument at i and the value after it when it takes one; i moves past what was used.
QString takeOption(const QStringList &arguments, qsizetype &i, CliRequest &request)
{
    const QString &argument = arguments[i];
    if (!isOption(argument)) {
        request.checkedFiles << argument;
        return QString();
    }
    // The database name after --save-db may be left out.
    if (argument == u"--save-db") {
        request.saveDatabase = true;
        if (i + 1 < arguments.size() && !isOption(arguments[i + 1]))
            request.savedDatabasePath = QFileInfo(arguments[++i]).absoluteFilePath();
        return QString();
    }
    const auto &options = cliOptions();
    const auto option = std::find_if(options.begin(), options.end(),
                                     [&](const CliOption &known) { return known.name == argument; });
    if (option == options.end())
        return QStringLiteral("不认识的参数: %1").arg(shownName(argument));
    if (option->value.isEmpty())
        return option->set(request, QString());
    if (i + 1 >= arguments.size() || isOption(arguments[i + 1]))
        return QStringLiteral("选项 %1 需要%2").arg(argument, option->value);
    return option->set(request, arguments[++i]);
}

QString singleArgumentError(const CliRequest &request)
{
    if (request.files.todo.isEmpty() || request.files.reference.isEmpty()
        || (request.files.output.isEmpty() && !request.inPlace))
        return QStringLiteral("必须给出 --todo、--reference 和 --output(或 --in-place)");
    if (request.recursive || request.jobs > 0)
        return QStringLiteral("--recursive 和 --jobs 只用于多个未译字典(--todo-dir 或 --output-dir)");
    return QString();
}

QString batchArgumentError(const CliRequest &request)
{
    if ((request.todos.isEmpty() && request.todoDir.isEmpty()) || request.files.reference.isEmpty()
        || (request.outputDir.isEmpty() && !request.inPlace))
        return QStringLiteral("多个未译字典须给出 --todo 或 --todo-dir、--reference 和 --output-dir(或 --in-place)");
    if (!request.files.output.isEmpty())
        return QStringLiteral("多个未译字典用 --output-dir，不用 --output");
    if (request.recursive && request.todoDir.isEmpty())
        return QStringLiteral("--recursive 只用于 --todo-dir");
    return QString();
}

QString checkArgumentError(const CliRequest &request)
{
    if (!request.todos.isEmpty() || !request.files.reference.isEmpty() || !request.files.output.isEmpty()
        || !request.todoDir.isEmpty() || !request.outputDir.isEmpty() || request.inPlace)
        return QStringLiteral("质量检查(--check、--check-dir)不与 --todo、--reference、--output 等预翻译的选项同时使用");
    if (request.checkDir.isEmpty() && (request.checkedFiles.isEmpty() || request.recursive))
        return QStringLiteral("--check 需要文件名；--recursive 只用于 --check-dir");
    if (request.rules.contains(u"length"_qs) && request.lengthLimit == 0)
        return QStringLiteral("规则 length 需要 --length-limit");
    return QString();
}

// Arguments of the checks given without them.
QString jobArgumentError(const CliRequest &request)
{
    if (!request.checkedFiles.isEmpty())
        return QStringLiteral("不认识的参数: %1").arg(shownName(request.checkedFiles.front()));
    if (!request.rules.isEmpty() || !request.skippedRules.isEmpty() || request.lengthLimit > 0)
        return QStringLiteral("--rules、--skip-rules 和 --length-limit 只用于质量检查(--check、--check-dir)");
    return request.isBatch() ? batchArgumentError(request) : singleArgumentError(request);
}

}

namespace {

QString checkUsage()
{
    QStringList rules;
    const Checker checker;
    for (const auto &rule : checker.rules())
        rules << QStringLiteral("  %1 %2\n").arg(rule->id(), -16).arg(rule->name());
    return QStringLiteral(
        "\n"
        "质量检查(可用于持续集成):\n"
        "  tallyra-cli --check 文件... [--check-dir 文件夹 [--recursive]] [选项]\n"
        "\n"
        "  --check FILE...      检查文件中已译与复查的条目(%1)\n"
        "  --check-dir DIR      检查文件夹中所有这些文件；--recursive 也检查子文件夹\n"
        "  --rules a,b          只用这些规则，Tallyra.ini 的 [QualityChecks] 关闭了的也用\n"
        "  --skip-rules a,b     不用这些规则(其余规则按 Tallyra.ini，没有时全部使用)\n"
        "  --length-limit N     长度规则的 GB18030 字节数上限；不给时不查长度\n"
        "  --todo-marker C      被检查文件中访问键的标记字符(默认 &；TS 文件总是 &)\n"
        "\n"
        "每个问题一行 \"文件:行: 条目 N: 规则: 说明\"，最后是各规则的问题数与总数。\n"
        "退出状态: 0 没有问题，1 有问题，2 参数错误或有文件无法读取、无法识别。\n"
        "规则:\n")
        .arg(DictionaryFormats::checkedNamePatterns().join(u"、"))
        + rules.join(QString());
}

}

QString cliUsage()
{
    return QStringLiteral(
        "用法: tallyra-cli --todo 未译字典 --reference 参照字典 --output 已译字典 [选项]\n"
        "\n"
        "用参照字典(或已净化的参照字典数据库)预翻译未译字典，结果的格式与未译字典相同。\n"
        "\n"
        "  --todo FILE          未译字典(%1)\n"
        "  --reference FILE     参照字典(%2)，或已净化的参照字典数据库(*.db)\n"
        "  --output FILE        已译字典的保存文件\n"
        "  --in-place           不给 --output，把结果写回未译字典本身(经临时文件替换)\n"
        "  --preset FILE        从配置文件读取选项(与\"另存...\"保存的文件相同)\n"
        "  --full               使用\"完全\"选项\n"
        "  --minimal            使用\"最简\"选项\n"
        "  --keep-work-files    保留临时文件\n"
        "  --todo-marker C      未译字典中访问键的标记字符: &(Qt、KDE，默认)、_(GTK、GNOME)或 ~(LibreOffice)\n"
        "  --reference-marker C 参照字典中访问键的标记字符，同上\n"
        "  --no-fuzzy           填入 PO/TS 的译文不标为复查(PO 不加 fuzzy，TS 标为完成)\n"
        "  --fuzzy-reference    也取参照 PO/TS 中待复查的译文(fuzzy、unfinished)\n"
        "  --save-db [PATH]     另存已净化的参照字典数据库(不给 PATH 时自动命名)\n"
        "  --app-folder DIR     程序文件夹(Tallyra.ini 与临时文件所在处)\n"
        "  --help               显示本说明\n"
        "\n"
        "一次处理多个未译字典(都用同一个参照字典，参照字典只净化一次):\n"
        "  tallyra-cli --todo-dir 文件夹 --reference 参照字典 --output-dir 文件夹 [选项]\n"
        "\n"
        "  --todo FILE          可以给多次\n"
        "  --todo-dir DIR       文件夹中所有的 %1(module.pot 的结果名为 module.po)\n"
        "  --recursive          也处理 --todo-dir 的子文件夹\n"
        "  --output-dir DIR     已译字典的保存文件夹(保留未译字典的文件名与相对文件夹)\n"
        "  --in-place           不给 --output-dir，把每个结果写回它的未译字典\n"
        "  --jobs N             同时处理的字典数(默认为处理器核数)\n"
        "\n"
        "不给 --preset、--full 或 --minimal 时，选项取自程序文件夹中的 Tallyra.ini。\n"
        "PASSOLO字典的结果只含匹配到的条目，所以不能对它用 --in-place(会丢失未匹配的条目):\n"
        "单个字典时什么也不做，退出状态为 2；多个时跳过它，退出状态为 1。\n"
        "PO/TS 文件格式错误时报告文件名与行号，什么也不写。\n"
        "不读取非普通文件(FIFO、设备、套接字)。结果会覆盖自己的未译字典(未给 --in-place)或参照字典时，\n"
        "什么也不做，退出状态为 2。\n"
        "\n"
        "退出状态: 0 全部成功，1 有字典失败或被跳过，2 参数错误，\n"
        "          130 被 Ctrl+C (SIGINT) 中止，143 被 SIGTERM 中止。\n")
        .arg(DictionaryFormats::todoNamePatterns().join(u"、"), DictionaryFormats::referenceNamePatterns().join(u"、"))
        + checkUsage();
}

QChar CliRequest::todoMarker() const
{
    for (auto control = controls.crbegin(); control != controls.crend(); ++control) {
        if (control->first == u"cbouAndXMarker")
            return control->second.front();
    }
    return QChar();
}

QStringList CliRequest::names() const
{
    QStringList names{AppFolder::path()};
    for (const QString &path : todos + checkedFiles + QStringList{checkDir, files.reference, files.output, todoDir, outputDir, presetFile,
                                                   savedDatabasePath}) {
        if (path.isEmpty())
            continue;
        const QFileInfo absolute(path);
        names << path << absolute.absoluteFilePath() << absolute.absolutePath();
    }
    return names;
}

QString cliErrorLocation()
{
    return QStringLiteral("Module 'tallyra-cli' -> 'main'");
}

std::optional<CliRequest> parseCliArguments(const QStringList &arguments, QString *error)
{
    CliRequest request;
    error->clear();
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == u"--help" || arguments[i] == u"-h")
            return std::nullopt;
        *error = takeOption(arguments, i, request);
        if (!error->isEmpty())
            return std::nullopt;
    }
    if (request.isCheck())
        *error = checkArgumentError(request);
    else if (request.inPlace && (!request.files.output.isEmpty() || !request.outputDir.isEmpty()))
        *error = QStringLiteral("--in-place 不能与 --output 或 --output-dir 同时使用");
    else
        *error = jobArgumentError(request);
    if (!error->isEmpty())
        return std::nullopt;
    if (request.inPlace && !request.isBatch())
        request.files.output = request.files.todo;
    if (int(request.fullPreset) + int(request.minimalPreset) + int(!request.presetFile.isEmpty()) > 1) {
        *error = QStringLiteral("--preset、--full 和 --minimal 只能选一个");
        return std::nullopt;
    }
    return request;
}

OptionControlState cliOptionState(const CliRequest &request, const QString &iniPath)
{
    OptionControlState state;
    state.applyPreset(request.minimalPreset ? OptionPreset::Minimal : OptionPreset::Full);
    if (!request.presetFile.isEmpty())
        state.loadFromIni(request.presetFile);
    else if (!request.fullPreset && !request.minimalPreset && QFileInfo::exists(iniPath))
        state.loadFromIni(iniPath);
    for (const auto &[name, value] : request.controls) {
        if (declared(name).control == OptionDescriptor::Control::CheckBox)
            state.setCheckState(name, value.toInt());
        else
            state.setText(name, value);
    }
    return state;
}

ProcessingOptions cliJobOptions(const CliRequest &request, const QString &iniPath)
{
    ProcessingOptions options = cliOptionState(request, iniPath).toOptions();
    options.chkaKeepTmpFile = request.keepWorkFiles;
    options.chkSaveRefDB = request.saveDatabase;
    options.txtSaveRefDB = request.savedDatabasePath;
    return options;
}
