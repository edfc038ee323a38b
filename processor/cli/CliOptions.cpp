#include "CliOptions.h"

#include "OptionSettings.h"
#include "formats/DictionaryFormats.h"

#include <QFileInfo>

namespace {

// The value after an option that takes one; raises nothing, reports through error.
bool takeValue(const QStringList &arguments, qsizetype &i, QString &value, QString *error,
               const QString &what = QStringLiteral("一个文件名"))
{
    if (i + 1 >= arguments.size() || arguments[i + 1].startsWith(QStringLiteral("--"))) {
        *error = QStringLiteral("选项 %1 需要%2").arg(arguments[i], what);
        return false;
    }
    value = arguments[++i];
    return true;
}

bool takeJobs(const QStringList &arguments, qsizetype &i, int &jobs, QString *error)
{
    QString value;
    if (!takeValue(arguments, i, value, error, QStringLiteral("一个正整数")))
        return false;
    bool ok = false;
    jobs = value.toInt(&ok);
    if (ok && jobs > 0)
        return true;
    *error = QStringLiteral("选项 --jobs 需要一个正整数: %1").arg(value);
    return false;
}

QString singleArgumentError(const CliRequest &request)
{
    if (request.files.todo.isEmpty() || request.files.reference.isEmpty() || request.files.output.isEmpty())
        return QStringLiteral("必须给出 --todo、--reference 和 --output");
    if (request.recursive || request.jobs > 0)
        return QStringLiteral("--recursive 和 --jobs 只用于多个未译字典(--todo-dir 或 --output-dir)");
    return QString();
}

QString batchArgumentError(const CliRequest &request)
{
    if ((request.todos.isEmpty() && request.todoDir.isEmpty()) || request.files.reference.isEmpty()
        || request.outputDir.isEmpty())
        return QStringLiteral("多个未译字典须给出 --todo 或 --todo-dir、--reference 和 --output-dir");
    if (!request.files.output.isEmpty())
        return QStringLiteral("多个未译字典用 --output-dir，不用 --output");
    if (request.recursive && request.todoDir.isEmpty())
        return QStringLiteral("--recursive 只用于 --todo-dir");
    return QString();
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
        "  --reference FILE     参照字典，或已净化的参照字典数据库(*.db)\n"
        "  --output FILE        已译字典的保存文件\n"
        "  --preset FILE        从配置文件读取选项(与\"另存...\"保存的文件相同)\n"
        "  --full               使用\"完全\"选项\n"
        "  --minimal            使用\"最简\"选项\n"
        "  --keep-work-files    保留临时文件\n"
        "  --save-db [PATH]     另存已净化的参照字典数据库(不给 PATH 时自动命名)\n"
        "  --app-folder DIR     程序文件夹(Tallyra.ini 与临时文件所在处)\n"
        "  --help               显示本说明\n"
        "\n"
        "一次处理多个未译字典(都用同一个参照字典，参照字典只净化一次):\n"
        "  tallyra-cli --todo-dir 文件夹 --reference 参照字典 --output-dir 文件夹 [选项]\n"
        "\n"
        "  --todo FILE          可以给多次\n"
        "  --todo-dir DIR       文件夹中所有的 %1\n"
        "  --recursive          也处理 --todo-dir 的子文件夹\n"
        "  --output-dir DIR     已译字典的保存文件夹(保留未译字典的文件名与相对文件夹)\n"
        "  --jobs N             同时处理的字典数(默认为处理器核数)\n"
        "\n"
        "不给 --preset、--full 或 --minimal 时，选项取自程序文件夹中的 Tallyra.ini。\n"
        "退出状态: 0 全部成功，1 有字典失败，2 参数错误。\n")
        .arg(DictionaryFormats::todoNamePatterns().join(u"、"));
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
        const QString &argument = arguments[i];
        bool ok = true;
        if (argument == u"--help" || argument == u"-h")
            return std::nullopt;
        else if (argument == u"--todo") {
            ok = takeValue(arguments, i, request.files.todo, error);
            request.todos << request.files.todo;
        } else if (argument == u"--todo-dir")
            ok = takeValue(arguments, i, request.todoDir, error, QStringLiteral("一个文件夹"));
        else if (argument == u"--output-dir")
            ok = takeValue(arguments, i, request.outputDir, error, QStringLiteral("一个文件夹"));
        else if (argument == u"--recursive")
            request.recursive = true;
        else if (argument == u"--jobs")
            ok = takeJobs(arguments, i, request.jobs, error);
        else if (argument == u"--result-line")
            request.resultLine = true;
        else if (argument == u"--reference-pair")
            ok = takeValue(arguments, i, request.referencePair, error, QStringLiteral("一个语言对"));
        else if (argument == u"--reference")
            ok = takeValue(arguments, i, request.files.reference, error);
        else if (argument == u"--output")
            ok = takeValue(arguments, i, request.files.output, error);
        else if (argument == u"--preset")
            ok = takeValue(arguments, i, request.presetFile, error);
        else if (argument == u"--app-folder")
            ok = takeValue(arguments, i, request.appFolder, error);
        else if (argument == u"--full")
            request.fullPreset = true;
        else if (argument == u"--minimal")
            request.minimalPreset = true;
        else if (argument == u"--keep-work-files")
            request.keepWorkFiles = true;
        else if (argument == u"--save-db") {
            request.saveDatabase = true;
            if (i + 1 < arguments.size() && !arguments[i + 1].startsWith(QStringLiteral("--")))
                request.savedDatabasePath = QFileInfo(arguments[++i]).absoluteFilePath();
        } else {
            *error = QStringLiteral("不认识的参数: %1").arg(argument);
            ok = false;
        }
        if (!ok)
            return std::nullopt;
    }
    *error = request.isBatch() ? batchArgumentError(request) : singleArgumentError(request);
    if (!error->isEmpty())
        return std::nullopt;
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
