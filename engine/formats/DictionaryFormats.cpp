#include "DictionaryFormats.h"

#include "CatalogueDocument.h"
#include "CatalogueJob.h"
#include "EntryStreams.h"
#include "Glossary.h"
#include "GlossaryJob.h"
#include "LocatedEntries.h"
#include "OutputGenerators.h"
#include "PathNames.h"
#include "PoDocument.h"
#include "PoJob.h"
#include "TableText.h"
#include "TwoLineText.h"
#include "TsCatalogue.h"
#include "TsDocument.h"
#include "TsJob.h"
#include "TwoLineTextJob.h"

#include <QFileInfo>

#include <algorithm>

namespace {

template <typename Loader>
std::unique_ptr<TodoLoader> todoLoader(const JobSettings &settings)
{
    return std::make_unique<Loader>(settings);
}

template <typename Loader>
std::unique_ptr<ReferenceLoader> referenceLoader(const JobSettings &settings)
{
    return std::make_unique<Loader>(settings);
}

template <typename Writer>
std::unique_ptr<ResultWriter> resultWriter(const JobSettings &settings, const JobFiles &)
{
    return std::make_unique<Writer>(settings);
}

// The stages of a catalogue format in a job, and their names in its error boxes.
struct CatalogueStages {
    CatalogueOpener open;
    const char *reference;
    const char *todo;
    const char *result;
};

const CatalogueStages PoStages{openPoJobCatalogue, "clsDikPO1", "clsDikPO2", "clsDikPO3"};
const CatalogueStages TsStages{openTsJobCatalogue, "clsDikTS1", "clsDikTS2", "clsDikTS3"};

template <const CatalogueStages &stages>
std::unique_ptr<ReferenceLoader> catalogueReference(const JobSettings &settings)
{
    return std::make_unique<CatalogueReferenceLoader>(settings, stages.open, stages.reference);
}

template <const CatalogueStages &stages>
std::unique_ptr<TodoLoader> catalogueTodo(const JobSettings &settings)
{
    return std::make_unique<CatalogueTodoLoader>(settings, stages.open, stages.todo);
}

template <const CatalogueStages &stages>
std::unique_ptr<ResultWriter> catalogueResult(const JobSettings &settings, const JobFiles &files)
{
    return std::make_unique<CatalogueResultWriter>(settings, files.todo, stages.open, stages.result);
}

// A catalogue as a document: no companion (its own file keeps every status), the display
// kept, and written only into the catalogue it was read from.
template <typename Document>
DocumentRole catalogueDocument()
{
    return DocumentRole{.openReader = openCatalogueDocument<Document>,
                        .createWriter = createCatalogueDocument<Document>,
                        .readingProcedure = QStringLiteral("ActFileOpen"),
                        .untranslatedIsEmpty = true,
                        .writesItsKeptFile = true};
}

const DictionaryFormat Glossary{
    .name = QStringLiteral("PASSOLO字典"),
    .extension = QStringLiteral(".glo"),
    .endings = {QStringLiteral(".glo")},
    .recognise = recogniseGlossary,
    .letter = u'P',
    .languageLine = true,
    .listedAt = 2,
    .todo = TodoRole{TodoRole::Route::FromMatches, todoLoader<clsDikGLO2>, resultWriter<clsDikGLO3>, false},
    .reference = ReferenceRole{referenceLoader<clsDikGLO1>},
    .document = DocumentRole{openTextEntryFile<GlossaryDocumentReader>, createTextEntryFile<GlossaryWriter>,
                             QStringLiteral(".a.csv"), false, QStringLiteral("LoadTabText")},
    .exportTarget = ExportRole{QStringLiteral("Option1"), QStringLiteral("制表符分隔文本(PASSOLO格式)"),
                               QStringLiteral("0"), true, writeEntryLines<GlossaryWriter>},
    .check = CheckRole{openLocatedTextEntries<GlossaryDocumentReader>},
};

const DictionaryFormat TwoLineText{
    .name = QStringLiteral("青墨文本"),
    .extension = QStringLiteral(".txt"),
    .endings = {QStringLiteral(".a.txt"), QStringLiteral(".u.txt")},
    .writtenTypeName = QStringLiteral("文本格式文件"),
    .recognise = [](const QString &path, QString *) { return recogniseTwoLineText(path); },
    .letter = u'O',
    .listedAt = 0,
    .todo = TodoRole{TodoRole::Route::ThroughEntryTable, todoLoader<clsDikUPB2>},
    .reference = ReferenceRole{referenceLoader<clsDikUPB1>},
    .document = DocumentRole{openTextEntryFile<TwoLineTextReader>, createTextEntryFile<TwoLineTextWriter>,
                             QStringLiteral(".csv"), true, QStringLiteral("LoadASCIIText")},
    .exportTarget = ExportRole{QStringLiteral("Option2"), QStringLiteral("双行文本(青墨格式)"), QStringLiteral("1"),
                               false, writeEntryLines<TwoLineTextWriter>},
    .check = CheckRole{openLocatedTextEntries<TwoLineTextReader, 1>},
};

// The editor's own format: no other program reads it, and only its name tells it.
const DictionaryFormat TableText{
    .name = QStringLiteral("本编辑器文本"),
    .extension = QStringLiteral(".csv"),
    .endings = {QStringLiteral(".a.csv"), QStringLiteral(".u.csv")},
    .listedAt = 1,
    .document = DocumentRole{openTextEntryFile<TableTextReader>, createTextEntryFile<TableTextWriter>,
                             QStringLiteral(".txt"), false, QStringLiteral("ActFileOpen"), true},
    .check = CheckRole{openLocatedTextEntries<TableTextReader>},
};

const DictionaryFormat PoCatalogueFormat{
    .name = QStringLiteral("gettext PO文件"),
    .extension = QStringLiteral(".po"),
    .endings = {QStringLiteral(".po"), QStringLiteral(".pot")},
    .recognise = [](const QString &path, QString *) { return recognisePoContent(path); },
    .letter = u'G',
    .namedByEnding = true,
    .listedAt = 3,
    .todo = TodoRole{TodoRole::Route::FromMatches, catalogueTodo<PoStages>, catalogueResult<PoStages>, true,
                     QStringLiteral(".pot"), QStringLiteral(".po")},
    .reference = ReferenceRole{catalogueReference<PoStages>},
    .document = catalogueDocument<PoDocument>(),
    .check = CheckRole{openLocatedPoEntries},
};

const DictionaryFormat TsCatalogueFormat{
    .name = QStringLiteral("Qt TS文件"),
    .extension = QStringLiteral(".ts"),
    .endings = {QStringLiteral(".ts")},
    .recognise = [](const QString &path, QString *) { return recogniseTsContent(path); },
    .letter = u'T',
    .namedByEnding = true,
    .listedAt = 4,
    .todo = TodoRole{TodoRole::Route::FromMatches, catalogueTodo<TsStages>, catalogueResult<TsStages>},
    .reference = ReferenceRole{catalogueReference<TsStages>},
    .document = catalogueDocument<TsDocument>(),
    .check = CheckRole{openLocatedTsEntries, TsCatalogue::AccessKeyMarker},
};

using Formats = std::vector<const DictionaryFormat *>;

// The formats that can take the role, in the registry's order or by listedAt.
template <typename Role>
Formats taking(std::optional<Role> DictionaryFormat::*role, bool byListPlace)
{
    Formats formats;
    for (const DictionaryFormat *format : DictionaryFormats::all()) {
        if ((format->*role).has_value())
            formats.push_back(format);
    }
    if (byListPlace) {
        std::stable_sort(formats.begin(), formats.end(),
                         [](const DictionaryFormat *a, const DictionaryFormat *b) { return a->listedAt < b->listedAt; });
    }
    return formats;
}

QStringList starred(const QStringList &endings)
{
    QStringList patterns;
    for (const QString &ending : endings)
        patterns << u'*' + ending;
    return patterns;
}

// "PASSOLO字典/青墨文本(*.glo;*.a.txt;*.u.txt)|*.glo;*.txt"
QString allTogether(const Formats &formats)
{
    QStringList names;
    QStringList endings;
    QStringList extensions;
    for (const DictionaryFormat *format : formats) {
        names << format->name;
        endings << starred(format->endings);
        extensions << format->patterns();
    }
    return names.join(u'/') + u'(' + endings.join(u';') + QStringLiteral(")|") + extensions.join(u';');
}

QStringList eachFilter(const Formats &formats, QString (DictionaryFormat::*filter)() const)
{
    QStringList filters;
    for (const DictionaryFormat *format : formats)
        filters << (format->*filter)();
    return filters;
}

QString withEnding(const QString &chosen, const Formats &formats, int filterIndex)
{
    const bool hasOne = std::any_of(formats.begin(), formats.end(),
                                    [&](const DictionaryFormat *format) { return format->names(chosen); });
    if (hasOne || formats.empty())
        return chosen;
    const auto chosenType = filterIndex >= 1 && filterIndex <= int(formats.size()) ? filterIndex - 1
                                                                                    : int(formats.size()) - 1;
    return chosen + formats[chosenType]->extension;
}

// The formats a document read from the format can be written in.
Formats savable(const DictionaryFormat *readFrom)
{
    Formats formats = taking(&DictionaryFormat::document, true);
    std::erase_if(formats, [readFrom](const DictionaryFormat *format) {
        return format->document->writesItsKeptFile && format != readFrom;
    });
    return formats;
}

QStringList endingsOf(const Formats &formats)
{
    QStringList endings;
    for (const DictionaryFormat *format : formats)
        endings << format->endings;
    return endings;
}

}

QString DictionaryFormat::dialogFilter() const
{
    return name + u'(' + starred(endings).join(u';') + QStringLiteral(")|") + patterns().join(u';');
}

QString DictionaryFormat::writtenFilter() const
{
    return (writtenTypeName.isEmpty() ? name : writtenTypeName) + QStringLiteral("(*") + extension
        + QStringLiteral(")|*") + extension;
}

bool DictionaryFormat::names(const QString &path) const
{
    return path.endsWith(extension, Qt::CaseInsensitive)
        || std::any_of(endings.begin(), endings.end(),
                       [&path](const QString &ending) { return path.endsWith(ending, Qt::CaseInsensitive); });
}

QStringList DictionaryFormat::patterns() const
{
    QStringList patterns{u'*' + extension};
    for (const QString &ending : endings) {
        if (!ending.endsWith(extension, Qt::CaseInsensitive))
            patterns << u'*' + ending;
    }
    return patterns;
}

QString TodoRole::resultName(const QString &todoName) const
{
    if (templateEnding.isEmpty() || !todoName.endsWith(templateEnding, Qt::CaseInsensitive))
        return todoName;
    return todoName.chopped(templateEnding.size()) + templateResultEnding;
}

namespace DictionaryFormats {

const std::vector<const DictionaryFormat *> &all()
{
    static const std::vector<const DictionaryFormat *> formats{&Glossary, &TwoLineText, &TableText,
                                                               &PoCatalogueFormat, &TsCatalogueFormat};
    return formats;
}

const DictionaryFormat &purifiedDatabase()
{
    return Glossary;
}

QStringList todoFilters()
{
    const Formats formats = taking(&DictionaryFormat::todo, false);
    return QStringList{allTogether(formats)} + eachFilter(formats, &DictionaryFormat::dialogFilter);
}

QStringList referenceFilters()
{
    const Formats formats = taking(&DictionaryFormat::reference, false);
    return QStringList{allTogether(formats), QStringLiteral("已净化数据库(*.db)|*.db")}
        + eachFilter(formats, &DictionaryFormat::dialogFilter);
}

QStringList resultFilters()
{
    return eachFilter(taking(&DictionaryFormat::todo, true), &DictionaryFormat::writtenFilter);
}

QString resultFileName(const QString &chosen, int filterIndex)
{
    return withEnding(chosen, taking(&DictionaryFormat::todo, true), filterIndex);
}

template <typename Role>
QStringList namePatterns(std::optional<Role> DictionaryFormat::*role)
{
    QStringList patterns;
    for (const DictionaryFormat *format : taking(role, false))
        patterns << starred(format->endings);
    return patterns;
}

QStringList todoNamePatterns()
{
    return namePatterns(&DictionaryFormat::todo);
}

QStringList referenceNamePatterns()
{
    return namePatterns(&DictionaryFormat::reference);
}

const DictionaryFormat *checkedFormatFor(const QString &path)
{
    const Formats checked = taking(&DictionaryFormat::check, false);
    const auto namedOnly = std::find_if(checked.begin(), checked.end(), [&path](const DictionaryFormat *format) {
        return !format->recognise && format->names(path);
    });
    if (namedOnly != checked.end())
        return QFileInfo(path).isFile() ? *namedOnly : nullptr;
    const DictionaryFormat *format = DetectDictionaryFormat(path);
    return format && format->check ? format : nullptr;
}

QStringList checkedNamePatterns()
{
    return namePatterns(&DictionaryFormat::check);
}

// "所支持的格式(a.txt;u.txt;a.csv;u.csv;glo)|*.txt;*.csv;*.glo", then each format.
QStringList openDocumentFilters()
{
    const Formats formats = taking(&DictionaryFormat::document, true);
    QStringList endings;
    QStringList extensions;
    for (const DictionaryFormat *format : formats) {
        for (const QString &ending : format->endings)
            endings << ending.mid(1);
        extensions << format->patterns();
    }
    return QStringList{QStringLiteral("所支持的格式(") + endings.join(u';') + QStringLiteral(")|")
                       + extensions.join(u';')}
        + eachFilter(formats, &DictionaryFormat::dialogFilter);
}

// "青墨文本(*.a.txt)|*.txt", "gettext PO文件(*.pot)|*.pot"
QStringList saveDocumentFilters(const DictionaryFormat *readFrom)
{
    QStringList filters;
    for (const DictionaryFormat *format : savable(readFrom)) {
        for (const QString &ending : format->endings) {
            const QString pattern = ending.endsWith(format->extension, Qt::CaseInsensitive) ? format->extension : ending;
            filters << format->name + QStringLiteral("(*") + ending + QStringLiteral(")|*") + pattern;
        }
    }
    return filters;
}

QString saveDocumentName(const QString &chosen, int filterIndex, const DictionaryFormat *readFrom)
{
    const QStringList endings = endingsOf(savable(readFrom));
    if (filterIndex < 1 || filterIndex > endings.size())
        return chosen;
    const QString &ending = endings[filterIndex - 1];
    return QFileInfo(chosen).fileName().toLower().endsWith(ending) ? chosen : chosen + ending;
}

int saveDocumentFilterIndex(const QString &path, const DictionaryFormat *readFrom)
{
    const QString name = QFileInfo(path).fileName().toLower();
    const Formats formats = savable(readFrom);
    const QStringList endings = endingsOf(formats);
    for (qsizetype i = 0; i < endings.size(); ++i) {
        if (name.endsWith(endings[i]))
            return int(i + 1);
    }
    const DictionaryFormat *format = documentFormatFor(path);
    const bool offered = std::find(formats.begin(), formats.end(), format) != formats.end();
    return offered ? int(endings.indexOf(format->endings.first()) + 1) : 1;
}

bool hasDocumentEnding(const QString &path)
{
    const QString name = path.toLower();
    const QStringList endings = endingsOf(taking(&DictionaryFormat::document, true));
    return std::any_of(endings.begin(), endings.end(), [&name](const QString &ending) { return name.endsWith(ending); });
}

const DictionaryFormat *documentFormatFor(const QString &path)
{
    for (const DictionaryFormat *format : taking(&DictionaryFormat::document, false)) {
        if (format->names(path))
            return format;
    }
    return nullptr;
}

QString companionPath(const QString &path)
{
    const DictionaryFormat *format = documentFormatFor(path);
    return format && !format->document->companionEnding.isEmpty()
        ? ChangeExtension(path, format->document->companionEnding)
        : QString();
}

std::vector<const DictionaryFormat *> exportTargets()
{
    return taking(&DictionaryFormat::exportTarget, true);
}

const DictionaryFormat &defaultExportTarget()
{
    const Formats targets = exportTargets();
    return **std::find_if(targets.begin(), targets.end(),
                          [](const DictionaryFormat *format) { return format->exportTarget->chosenByDefault; });
}

QStringList exportFilters()
{
    return {exportTargets().front()->writtenFilter()};
}

QString exportFileName(const QString &chosen, int filterIndex)
{
    return withEnding(chosen, exportTargets(), filterIndex);
}

}

const DictionaryFormat *DetectDictionaryFormat(const QString &path, QString *languagePair)
{
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return nullptr;
    const auto &formats = DictionaryFormats::all();
    for (const DictionaryFormat *format : formats) {
        if (format->namedByEnding && format->names(path))
            return format;
    }
    std::vector<const DictionaryFormat *> inOrder(formats.begin(), formats.end());
    std::stable_partition(inOrder.begin(), inOrder.end(),
                          [](const DictionaryFormat *format) { return format->namedByEnding; });
    for (const DictionaryFormat *format : inOrder) {
        if (format->recognise && format->recognise(path, format->languageLine ? languagePair : nullptr))
            return format;
    }
    return nullptr;
}
