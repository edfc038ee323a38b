#include "DictionaryEntry.h"
#include "TestData.h"
#include "formats/TsCatalogue.h"

#include <QBuffer>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

const QString QtTools = u"/usr/lib/qt6/bin/"_qs;
const QStringList RealCatalogues = {u"glib20"_qs, u"gtk20"_qs, u"dpkg"_qs, u"apt"_qs};
const QStringList Statuses = {EntryStatus::Untranslated, EntryStatus::Review, EntryStatus::Translated,
                              EntryStatus::NotToTranslate};

QByteArray written(const TsCatalogue &catalogue)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    catalogue.write(buffer);
    return buffer.data();
}

// Runs one of Qt's language tools or gettext's and gives what it printed; a failed
// run fails the test.
QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        qFatal("%s failed: %s", qPrintable(program), process.readAll().constData());
    return QString::fromUtf8(process.readAll());
}

// One line per message with every field the job and the editor read.
QString dump(const TsCatalogue &catalogue)
{
    QStringList lines = {QStringList{catalogue.version(), catalogue.language(), catalogue.sourceLanguage(),
                                     catalogue.doctype(), QString::number(catalogue.extras().size())}
                                 .join(u'|')};
    for (const TsContext &context : catalogue.contexts())
        lines.append(u"context|"_qs + context.name + u'|' + context.comment);
    for (qsizetype i = 0; i < catalogue.messageCount(); ++i) {
        const TsMessage &m = catalogue.message(i);
        QStringList locations, extras;
        for (const TsLocation &location : m.locations)
            locations.append(location.fileName + u':' + QString::number(location.line));
        for (const TsExtra &extra : m.extras)
            extras.append(extra.name + u'=' + extra.value);
        const QStringList row = {QString::number(m.line), catalogue.contextName(i), m.id, m.source, m.oldSource,
                                 m.comment, m.oldComment, m.extraComment, m.translatorComment,
                                 locations.join(u' '), m.numerus ? u"numerus"_qs : QString(),
                                 m.translations.join(u" / "), QString::number(int(m.type)), extras.join(u' '),
                                 catalogue.status(i)};
        lines.append(row.join(u'|').replace(u'\n', u"\\n"_qs).replace(u'\t', u"\\t"_qs)
                             .replace(QChar(0x9C), u"{or}"_qs));
    }
    return lines.join(u'\n') + u'\n';
}

// The text from each "    <message" to the next, as lupdate lays out a file.
QStringList messageChunks(const QByteArray &file)
{
    return QString::fromUtf8(file).split(QRegularExpression(u"(?=^    <message)"_qs,
                                                            QRegularExpression::MultilineOption));
}

// "Generated 7 translation(s) (4 finished and 3 unfinished)" as our reading counts:
// lrelease takes every finished message and the unfinished ones with a translation.
QString releaseSummary(const TsCatalogue &catalogue)
{
    int finished = 0, unfinished = 0;
    for (qsizetype i = 0; i < catalogue.messageCount(); ++i) {
        if (catalogue.message(i).type == TsType::Finished)
            ++finished;
        else if (catalogue.status(i) == EntryStatus::Review)
            ++unfinished;
    }
    return QStringLiteral("Generated %1 translation(s) (%2 finished and %3 unfinished)")
            .arg(finished + unfinished).arg(finished).arg(unfinished);
}

}

class TsCatalogueTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    bool m_haveTools = false;

    QString path(const QString &name) const { return m_dir.filePath(name); }

    // A fixture from tests/data/ts, or a real catalogue that lconvert made from a .mo
    // file; empty where the tools are missing.
    QString source(const QString &name) const
    {
        if (!RealCatalogues.contains(name))
            return testDataPath(u"ts/"_qs + name);
        return m_haveTools ? path(name + u".ts"_qs) : QString();
    }

    // lconvert lays the file out again; for a file in lupdate's layout nothing may change.
    void checkLconvertLayout(const QByteArray &file)
    {
        writeBytes(path(u"out.ts"_qs), file);
        run(QtTools + u"lconvert"_qs, {u"-i"_qs, path(u"out.ts"_qs), u"-o"_qs, path(u"relaid.ts"_qs)});
        QCOMPARE(QString::fromUtf8(readBytes(path(u"relaid.ts"_qs))), QString::fromUtf8(file));
        const QString released = run(QtTools + u"lrelease"_qs, {path(u"out.ts"_qs), u"-qm"_qs, path(u"out.qm"_qs)});
        QVERIFY2(released.contains(releaseSummary(TsCatalogue::read(file, u"out.ts"_qs))), qPrintable(released));
    }

    static void addRows(const char *column, const QStringList &rows)
    {
        QTest::addColumn<QString>(column);
        for (const QString &row : rows)
            QTest::newRow(qPrintable(row)) << row;
    }
    static void addLupdateLayoutRows() { addRows("name", QStringList{u"catalogue.ts"_qs} + RealCatalogues); }

private Q_SLOTS:
    void initTestCase()
    {
        m_haveTools = QFile::exists(QtTools + u"lconvert"_qs) && QFile::exists(u"/usr/bin/msgunfmt"_qs);
        for (const QString &name : RealCatalogues) {
            const QString mo = u"/usr/share/locale/zh_CN/LC_MESSAGES/"_qs + name + u".mo"_qs;
            m_haveTools = m_haveTools && QFile::exists(mo);
            if (!m_haveTools)
                return;
            run(u"msgunfmt"_qs, {mo, u"-o"_qs, path(name + u".po"_qs)});
            run(QtTools + u"lconvert"_qs, {u"-i"_qs, path(name + u".po"_qs), u"-o"_qs, path(name + u".ts"_qs)});
        }
    }

    void unchangedFileKeepsItsBytes_data()
    {
        addRows("name", QStringList{u"catalogue.ts"_qs, u"handwritten.ts"_qs, u"qt4.ts"_qs} + RealCatalogues);
    }

    void unchangedFileKeepsItsBytes()
    {
        const auto [name] = fields("name");
        if (source(name).isEmpty())
            QSKIP("gettext's or Qt's language tools are not installed");
        const QByteArray input = readBytes(source(name));
        TsCatalogue catalogue = TsCatalogue::read(source(name));
        QCOMPARE(written(catalogue), input);
        catalogue.write(path(u"saved.ts"_qs));
        QCOMPARE(readBytes(path(u"saved.ts"_qs)), input);
    }

    void fieldsAreReadAsQtReadsThem_data() { addRows("name", {u"catalogue"_qs, u"handwritten"_qs, u"qt4"_qs}); }

    void fieldsAreReadAsQtReadsThem()
    {
        const auto [name] = fields("name");
        const TsCatalogue catalogue = TsCatalogue::read(testDataPath(u"ts/"_qs + name + u".ts"_qs));
        QCOMPARE(dump(catalogue), QString::fromUtf8(testData(u"ts/"_qs + name + u".fields"_qs)));
    }

    // Edits of every kind on a spread of entries; each edited message alone changes, laid
    // out as lconvert lays it out, and lrelease sees the entries as we do.
    void editedMessagesAloneChange_data() { addLupdateLayoutRows(); }

    void editedMessagesAloneChange()
    {
        const auto [name] = fields("name");
        if (source(name).isEmpty())
            QSKIP("gettext's or Qt's language tools are not installed");
        const QByteArray input = readBytes(source(name));
        const TsCatalogue original = TsCatalogue::read(input, name);
        TsCatalogue catalogue = original;
        int edits = 0;
        for (qsizetype i = 0; i < catalogue.messageCount(); i += 1 + catalogue.messageCount() / 30) {
            if (!catalogue.isEntry(i))
                continue;
            const int step = edits++ % 6;
            if (step < 4) {
                catalogue.setStatus(i, Statuses[step]);
            } else {
                catalogue.setTranslation(i, step == 4 ? u"新 <&'\"> \x01\u3000\u00a0|\t甲\n乙"_qs : QString());
                catalogue.setFinished(i, step == 4);
            }
        }
        const QByteArray output = written(catalogue);
        const QStringList before = messageChunks(input), after = messageChunks(output);
        QCOMPARE(after.size(), before.size());
        for (qsizetype i = 1; i < before.size(); ++i) {
            const TsMessage &was = original.message(i - 1), &is = catalogue.message(i - 1);
            const bool edited = was.translations != is.translations || was.type != is.type
                             || was.translatorComment != is.translatorComment;
            QVERIFY2((before[i] != after[i]) == edited, qPrintable(after[i]));
        }
        checkLconvertLayout(output);
    }

    // Each status set on every entry reads back; every message that is no entry stays.
    void statusesSurviveSaveAndReopen_data() { addRows("status", Statuses); }

    void statusesSurviveSaveAndReopen()
    {
        const auto [status] = fields("status");
        const QByteArray input = testData(u"ts/catalogue.ts"_qs);
        const TsCatalogue original = TsCatalogue::read(input, u"catalogue.ts"_qs);
        TsCatalogue catalogue = original;
        for (qsizetype i = 0; i < catalogue.messageCount(); ++i) {
            if (catalogue.isEntry(i))
                catalogue.setStatus(i, status);
            else
                QCOMPARE(errorNumber([&] { catalogue.setStatus(i, status); }), int(Errors::InvalidCall));
        }
        QCOMPARE(errorNumber([&] { catalogue.setStatus(0, u"done"_qs); }), int(Errors::InvalidPropertyValue));
        const TsCatalogue reopened = TsCatalogue::read(written(catalogue), u"saved.ts"_qs);
        for (qsizetype i = 0; i < catalogue.messageCount(); ++i) {
            const QStringList translations = original.message(i).translations;
            const bool empty = translations.join(QString()).isEmpty();
            const QString expected = status == EntryStatus::Review && empty ? EntryStatus::Untranslated : status;
            QCOMPARE(reopened.status(i), original.isEntry(i) ? expected : QString());
            if (status != EntryStatus::Untranslated)
                QCOMPARE(reopened.message(i).translations, translations);
        }
        if (m_haveTools)
            checkLconvertLayout(written(catalogue));
        if (status != EntryStatus::NotToTranslate)
            return;
        // The mark comes off again and leaves the translator's own comment as it was.
        for (qsizetype i = 0; i < catalogue.messageCount(); ++i) {
            if (catalogue.isEntry(i))
                catalogue.setStatus(i, original.status(i));
        }
        QCOMPARE(written(catalogue), input);
    }

    // lconvert gives a numerus message without forms as many as the language has.
    void numerusFormsFollowTheLanguage_data()
    {
        addRows("language", QString::fromLatin1("zh_CN ja  xx de fr pt_BR ru cs ga sl mt cy ar").split(u' '));
    }

    void numerusFormsFollowTheLanguage()
    {
        if (!m_haveTools)
            QSKIP("Qt's language tools are not installed");
        const auto [language] = fields("language");
        const QString text = QStringLiteral("<TS version=\"2.1\" language=\"%1\"><context><name>C</name>"
                                            "<message numerus=\"yes\"><source>%n</source>"
                                            "<translation type=\"unfinished\"/></message></context></TS>")
                                     .arg(language);
        TsCatalogue catalogue = TsCatalogue::read(text.toUtf8(), u"forms.ts"_qs);
        catalogue.setTranslation(0, u"x"_qs);
        run(QtTools + u"lconvert"_qs, {u"-i"_qs, writeBytes(path(u"forms.ts"_qs), text.toUtf8()), u"-o"_qs,
                                       path(u"lconvert.ts"_qs)});
        QCOMPARE(catalogue.message(0).translations.size(),
                 readBytes(path(u"lconvert.ts"_qs)).count("<numerusform>"));

        // A message that has forms keeps their number.
        const QString three = u"<translation><numerusform/><numerusform/><numerusform/></translation>"_qs;
        catalogue = TsCatalogue::read(QString(text).replace(u"<translation type=\"unfinished\"/>"_qs, three).toUtf8(),
                                      u"three.ts"_qs);
        catalogue.setTranslation(0, u"y"_qs);
        QCOMPARE(catalogue.message(0).translations, QStringList(3, u"y"_qs));
    }

    void keptPartsStayInAnEditedMessage()
    {
        TsCatalogue catalogue = TsCatalogue::read(testDataPath(u"ts/handwritten.ts"_qs));
        for (qsizetype i = 0; i < 4; ++i)
            catalogue.setTranslation(i, u"Übersetzung"_qs);
        catalogue.setStatus(3, EntryStatus::NotToTranslate);
        // Setting what the last message holds already leaves its bytes.
        catalogue.setTranslation(4, u"Fertig"_qs);
        catalogue.setStatus(4, EntryStatus::Translated);
        QCOMPARE(QString::fromUtf8(written(catalogue)), QString::fromUtf8(testData(u"ts/handwritten-edited.ts"_qs)));
    }

    void malformedFileIsRefused_data()
    {
        addTestTable(u"ts/malformed.txt"_qs, {"content", "line", "detail"});
    }

    void malformedFileIsRefused()
    {
        const auto [content, line, detail] = fields("content", "line", "detail");
        const QByteArray bytes =
                content.toUtf8().replace("\\n", "\n").replace("\\xff", "\xff").replace("\\0", QByteArray(1, 0));
        QString description;
        try {
            TsCatalogue::read(bytes, u"bad.ts"_qs);
        } catch (const AppError &error) {
            QCOMPARE(error.number(), TsCatalogue::MalformedError);
            description = error.description();
        }
        QCOMPARE(description, QStringLiteral("TS 文件格式错误: bad.ts 第 %1 行: %2").arg(line, detail));
    }

    void failedWriteIsReported()
    {
        const TsCatalogue catalogue = TsCatalogue::read(testDataPath(u"ts/qt4.ts"_qs));
        QBuffer readOnly;
        readOnly.open(QIODevice::ReadOnly);
        QTest::ignoreMessage(QtWarningMsg, "QIODevice::write (QBuffer): ReadOnly device");
        QCOMPARE(errorNumber([&] { catalogue.write(readOnly); }), int(Errors::PathFileAccess));
        QCOMPARE(errorNumber([&] { catalogue.write(path(u"no/such/folder/x.ts"_qs)); }), int(Errors::PathFileAccess));
    }
};

QTEST_GUILESS_MAIN(TsCatalogueTest)
#include "tst_tscatalogue.moc"
