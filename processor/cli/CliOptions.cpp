#include "CliOptions.h"

#include "OptionSettings.h"

#include <QFileInfo>

namespace {

// The value after an option that takes one; raises nothing, reports through error.
bool takeValue(const QStringList &arguments, qsizetype &i, QString &value, QString *error)
{
    if (i + 1 >= arguments.size() || arguments[i + 1].startsWith(QStringLiteral("--"))) {
        *error = QStringLiteral("选项 %1 需要一个文件名").arg(arguments[i]);
        return false;
    }
    value = arguments[++i];
    return true;
}

}

QString cliUsage()
{
    return QStringLiteral(
        "用法: tallyra-cli --todo 未译字典 --reference 参照字典 --output 已译字典 [选项]\n"
        "\n"
        "用参照字典(或已净化的参照字典数据库)预翻译未译字典，结果的格式与未译字典相同。\n"
        "\n"
        "  --todo FILE          未译字典(*.glo、*.a.txt、*.u.txt)\n"
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
        "不给 --preset、--full 或 --minimal 时，选项取自程序文件夹中的 Tallyra.ini。\n");
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
        else if (argument == u"--todo")
            ok = takeValue(arguments, i, request.files.todo, error);
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
    if (request.files.todo.isEmpty() || request.files.reference.isEmpty() || request.files.output.isEmpty()) {
        *error = QStringLiteral("必须给出 --todo、--reference 和 --output");
        return std::nullopt;
    }
    if (int(request.fullPreset) + int(request.minimalPreset) + int(!request.presetFile.isEmpty()) > 1) {
        *error = QStringLiteral("--preset、--full 和 --minimal 只能选一个");
        return std::nullopt;
    }
    return request;
}

ProcessingOptions cliJobOptions(const CliRequest &request, const QString &iniPath)
{
    OptionControlState state;
    state.applyPreset(request.minimalPreset ? ProcessingOptions::minimal() : ProcessingOptions::full());
    if (!request.presetFile.isEmpty())
        state.loadFromIni(request.presetFile);
    else if (!request.fullPreset && !request.minimalPreset && QFileInfo::exists(iniPath))
        state.loadFromIni(iniPath);
    ProcessingOptions options = state.toOptions();
    options.chkaKeepTmpFile = request.keepWorkFiles;
    options.chkSaveRefDB = request.saveDatabase;
    options.txtSaveRefDB = request.savedDatabasePath;
    return options;
}
