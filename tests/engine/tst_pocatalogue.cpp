#include "DictionaryEntry.h"
#include "TestData.h"
#include "formats/PoCatalogue.h"
#include "formats/PoLayout.h"

#include <QBuffer>
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <functional>
#include <map>
#include <set>

// The PO catalogue against gettext's own tools: files read and written unchanged come
// back byte for byte, changed entries come out as msgcat lays them out and nothing
// else moves, and msgfmt accepts what is written.
class tst_PoCatalogue : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void layout_data();
    void layout();
    void roundTrip_data();
    void roundTrip();
    void realCatalogues();
    void changedEntries_data();
    void changedEntries();
    void messages_data();
    void messages();
    void pluralForms_data();
    void pluralForms();
    void statuses_data();
    void statuses();
    void statusSurvivesGettextTools_data();
    void statusSurvivesGettextTools();
    void malformed_data();
    void malformed();
    void refusedChangesWriteNothing();

private:
    QString copyFixture(const QString &name);
    void checkChanges(const QString &input, const QString &output, const std::set<int> &changedRecords);

    QTemporaryDir m_dir;
};

namespace {

bool run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

bool msgfmtAccepts(const QString &path)
{
    return run(QStringLiteral("msgfmt"), {QStringLiteral("--check-format"), QStringLiteral("--check-header"),
                                          QStringLiteral("-o"), QStringLiteral("/dev/null"), path});
}

QString msgcat(const QString &path)
{
    const QString output = path + QStringLiteral(".msgcat");
    if (!run(QStringLiteral("msgcat"), {path, QStringLiteral("-o"), output}))
        qFatal("msgcat failed on %s", qPrintable(path));
    return output;
}

QString joined(const QStringList &values)
{
    return values.isEmpty() ? QString() : u'[' + values.join(QStringLiteral("][")) + u']';
}

QString optional(const std::optional<QString> &value)
{
    return value ? *value : QStringLiteral("-");
}

// The key by which msgcat's copy of an entry is found: it moves obsolete entries last.
QString key(const PoRecord &record)
{
    return (record.has(PoRecord::HasContext) ? record.context() : QStringLiteral("\x01")) + u'\x04' + record.msgid
        + (record.has(PoRecord::Obsolete) ? QStringLiteral("~") : QString());
}

QByteArray bytesOf(QByteArrayView file, const PoRecord &record)
{
    return file.sliced(record.begin, record.end - record.begin).toByteArray();
}

// Applies "index:action" changes (see data/po/edits.txt); returns the records changed.
std::set<int> applyEdits(PoCatalogue &catalogue, const QString &edits)
{
    const int header = catalogue.hasHeader() ? 0 : -1;
    std::set<int> changed;
    for (const QString &edit : edits.split(QStringLiteral(";;"))) {
        const QString target = edit.section(u':', 0, 0);
        const QString action = edit.section(u':', 1);
        const QString value = QString::fromUtf8(cellBytes(action.section(u'=', 1)));
        if (target == u"header") {
            catalogue.setHeaderField(action.section(u'=', 0, 0), value);
            changed.insert(header);
            continue;
        }
        const int index = target.toInt();
        const std::map<QString, std::function<void()>> actions{
            {QStringLiteral("t"), [&] { catalogue.setTranslation(index, value); }},
            {QStringLiteral("fuzzy"), [&] { catalogue.setFuzzy(index, true); }},
            {QStringLiteral("clear"), [&] { catalogue.setFuzzy(index, false); }},
            {QStringLiteral("c+"), [&] { catalogue.addTranslatorComment(index, value); }},
            {QStringLiteral("c-"), [&] { catalogue.removeTranslatorComment(index, value); }},
            {QStringLiteral("s"), [&] { catalogue.setStatus(index, value); }},
        };
        actions.at(action.section(u'=', 0, 0))();
        changed.insert(catalogue.hasHeader() && index >= header ? index + 1 : index);
    }
    return changed;
}

}

void tst_PoCatalogue::initTestCase()
{
    QVERIFY(m_dir.isValid());
    if (!run(QStringLiteral("msgcat"), {QStringLiteral("--version")}))
        QFAIL("gettext's msgcat is needed (scripts/setup.sh installs it)");
}

QString tst_PoCatalogue::copyFixture(const QString &name)
{
    return writeBytes(m_dir.filePath(name), testData(QStringLiteral("po/") + name));
}

// The output must differ from the input only in the changed records: every other
// record and every byte between records stays; a changed record is what msgcat makes
// of it; msgfmt accepts the output when it took the input.
void tst_PoCatalogue::checkChanges(const QString &input, const QString &output, const std::set<int> &changedRecords)
{
    const QByteArray before = readBytes(input);
    const QByteArray after = readBytes(output);
    const PoReader::Catalogue old = PoReader::read(before, input);
    const PoReader::Catalogue now = PoReader::read(after, output);
    QCOMPARE(now.records.size(), old.records.size());
    const QByteArray gettextBytes = readBytes(msgcat(output));
    const PoReader::Catalogue gettext = PoReader::read(gettextBytes, output);
    std::map<QString, QByteArray> gettextEntries;
    for (const PoRecord &record : gettext.records)
        gettextEntries[key(record)] = bytesOf(gettextBytes, record);
    const bool sameCharset = old.charset.name() == now.charset.name();
    qsizetype oldEnd = 0;
    qsizetype newEnd = 0;
    for (int i = 0; i < int(old.records.size()); ++i) {
        const PoRecord &was = old.records[i];
        const PoRecord &is = now.records[i];
        QCOMPARE(after.sliced(newEnd, is.begin - newEnd), before.sliced(oldEnd, was.begin - oldEnd));
        if (!changedRecords.count(i)) {
            const QByteArray text = bytesOf(before, was);
            QCOMPARE(bytesOf(after, is), sameCharset ? text : *now.charset.encode(old.charset.decode(text)));
        } else {
            // A changed entry starts a line and keeps its line ends; gettext keeps a
            // comment's CR as text, so both are compared in LF line ends.
            QVERIFY(is.begin == 0 || after[is.begin - 1] == '\n');
            QCOMPARE(bytesOf(after, is).contains("\r\n"), bytesOf(before, was).contains("\r\n"));
            QCOMPARE(bytesOf(after, is).replace("\r\n", "\n"), gettextEntries.at(key(is)).replace("\r\n", "\n"));
        }
        oldEnd = was.end;
        newEnd = is.end;
    }
    QCOMPARE(after.sliced(newEnd), before.sliced(oldEnd));
    if (msgfmtAccepts(input))
        QVERIFY2(msgfmtAccepts(output), qPrintable(output));
}

void tst_PoCatalogue::layout_data()
{
    addTestTable(QStringLiteral("po/layout.txt"), {"charset", "flags", "value", "lines"});
}

// A string's lines against msgcat's, which the table holds: where lines break, the
// empty first line, no-wrap, the widths of CJK sets, printf directives kept whole.
void tst_PoCatalogue::layout()
{
    const auto [charset, flags, value, lines] = fields("charset", "flags", "value", "lines");
    PoRecord record;
    record.msgid = QString::fromUtf8(cellBytes(value));
    PoNotes notes;
    notes.flags.read(flags);
    const QString flagsLine = flags.isEmpty() ? QString() : QStringLiteral("#, ") + flags + u'\n';
    QCOMPARE(PoLayout(*PoCharset::fromName(charset.toLatin1())).message(record, notes),
             flagsLine + QString::fromUtf8(cellBytes(lines)) + QStringLiteral("msgstr \"\"\n"));
}

void tst_PoCatalogue::roundTrip_data()
{
    QTest::addColumn<QString>("fixture");
    for (const QString &name : QDir(testDataPath(QStringLiteral("po"))).entryList({"*.po", "*.pot"}))
        QTest::newRow(qPrintable(name)) << name;
}

void tst_PoCatalogue::roundTrip()
{
    const auto [fixture] = fields("fixture");
    const QString path = copyFixture(fixture);
    const QString output = path + QStringLiteral(".out");
    PoCatalogue::fromFile(path).save(output);
    QCOMPARE(readBytes(output), readBytes(path));
}

// Catalogues of the machine's own programs, as msgunfmt and msgcat write them: read and
// written unchanged, then with every 40th entry translated anew and every 55th marked fuzzy.
void tst_PoCatalogue::realCatalogues()
{
    const QDir locale(QStringLiteral("/usr/share/locale/zh_CN/LC_MESSAGES"));
    QStringList names;
    for (const char *name : {"coreutils", "dpkg", "gettext-tools", "glib20", "gtk20", "apt", "bash"}) {
        if (locale.exists(QString::fromLatin1(name) + QStringLiteral(".mo")))
            names.append(QString::fromLatin1(name));
    }
    if (names.isEmpty())
        QSKIP("no zh_CN catalogues in /usr/share/locale");
    for (const QString &name : names) {
        const QString unformatted = m_dir.filePath(name + QStringLiteral(".po"));
        QVERIFY(run(QStringLiteral("msgunfmt"), {locale.filePath(name + QStringLiteral(".mo")), QStringLiteral("-o"),
                                                 unformatted}));
        for (const QString &path : {unformatted, msgcat(unformatted)}) {
            PoCatalogue catalogue = PoCatalogue::fromFile(path);
            catalogue.save(path + QStringLiteral(".same"));
            QCOMPARE(readBytes(path + QStringLiteral(".same")), readBytes(path));
            std::set<int> changed;
            for (int i = 0; i < catalogue.count(); i += 40) {
                // The msgid goes along, so that msgfmt finds the same directives and line feeds.
                const QString &msgid = catalogue.msgid(i);
                QString text = msgid;
                text.insert(msgid.startsWith(u'\n') ? 1 : 0, QStringLiteral("新的译文，“引号”："));
                if (msgid.endsWith(u'\n') && !text.endsWith(u'\n'))
                    text += u'\n';
                catalogue.setTranslation(i, text);
                changed.insert(catalogue.hasHeader() ? i + 1 : i);
            }
            for (int i = 3; i < catalogue.count(); i += 55) {
                catalogue.setFuzzy(i, true);
                changed.insert(catalogue.hasHeader() ? i + 1 : i);
            }
            catalogue.save(path + QStringLiteral(".changed"));
            checkChanges(path, path + QStringLiteral(".changed"), changed);
        }
    }
}

void tst_PoCatalogue::changedEntries_data()
{
    addTestTable(QStringLiteral("po/edits.txt"), {"fixture", "edits"});
}

void tst_PoCatalogue::changedEntries()
{
    const auto [fixture, edits] = fields("fixture", "edits");
    const QString path = copyFixture(fixture);
    PoCatalogue catalogue = PoCatalogue::fromFile(path);
    const std::set<int> changed = applyEdits(catalogue, edits);
    QVERIFY(catalogue.isModified());
    for (int i = 0; i < catalogue.count(); ++i)
        QCOMPARE(catalogue.formatFlags(i), catalogue.message(i).notes.flags.formats());
    const QString output = path + QStringLiteral(".changed");
    catalogue.save(output);
    checkChanges(path, output, changed);
}

void tst_PoCatalogue::messages_data()
{
    addTestTable(QStringLiteral("po/messages.txt"), {"fixture", "index", "field", "expected"});
}

void tst_PoCatalogue::messages()
{
    const auto [fixture, index, field, expected] = fields("fixture", "index", "field", "expected");
    const PoCatalogue catalogue = PoCatalogue::fromFile(copyFixture(fixture));
    if (index == u"header") {
        const std::map<QString, QString> header{
            {QStringLiteral("charset"), QString::fromLatin1(catalogue.charset())},
            {QStringLiteral("nplurals"), QString::number(catalogue.pluralCount())},
        };
        QCOMPARE(header.count(field) ? header.at(field) : catalogue.headerField(field), expected);
        return;
    }
    const PoMessage message = catalogue.message(index.toInt());
    QCOMPARE(message.index, index.toInt());
    QCOMPARE(catalogue.formatFlags(index.toInt()), message.notes.flags.formats());
    const std::map<QString, QString> values{
        {QStringLiteral("context"), optional(message.context)},
        {QStringLiteral("msgid"), message.msgid},
        {QStringLiteral("plural"), optional(message.msgidPlural)},
        {QStringLiteral("translations"), joined(message.translations)},
        {QStringLiteral("fuzzy"), QString::number(message.notes.flags.isFuzzy())},
        {QStringLiteral("formats"), joined(message.notes.flags.formats())},
        {QStringLiteral("translator"), joined(message.notes.translatorComments)},
        {QStringLiteral("extracted"), joined(message.notes.extractedComments)},
        {QStringLiteral("references"), joined(message.notes.references)},
        {QStringLiteral("previous"), joined({optional(message.notes.previous.context),
                                             optional(message.notes.previous.msgid)})},
        {QStringLiteral("obsolete"), QString::number(message.obsolete)},
        {QStringLiteral("line"), QString::number(message.line)},
    };
    QCOMPARE(values.at(field), QString::fromUtf8(cellBytes(expected)));
}

void tst_PoCatalogue::pluralForms_data()
{
    addTestTable(QStringLiteral("po/forms.txt"), {"fixture", "index", "forms"});
}

// Every form gets the one translation a Chinese target has; msgfmt then accepts a file
// that had fewer forms than its header asks for.
void tst_PoCatalogue::pluralForms()
{
    const auto [fixture, index, forms] = fields("fixture", "index", "forms");
    const QString path = copyFixture(fixture);
    PoCatalogue catalogue = PoCatalogue::fromFile(path);
    catalogue.setTranslation(index.toInt(), QStringLiteral("%d 个"));
    QCOMPARE(catalogue.translations(index.toInt()), QStringList(forms.toInt(), QStringLiteral("%d 个")));
    catalogue.save(path);
    QCOMPARE(PoCatalogue::fromFile(path).translations(index.toInt()).size(), forms.toInt());
    QVERIFY(fixture.endsWith(u".pot") || msgfmtAccepts(path));
}

void tst_PoCatalogue::statuses_data()
{
    addTestTable(QStringLiteral("po/statuses.txt"), {"fixture", "index", "status"});
}

void tst_PoCatalogue::statuses()
{
    const auto [fixture, index, status] = fields("fixture", "index", "status");
    QCOMPARE(PoCatalogue::fromFile(copyFixture(fixture)).status(index.toInt()), status);
}

void tst_PoCatalogue::statusSurvivesGettextTools_data()
{
    QTest::addColumn<QString>("status");
    for (const QString &status : {EntryStatus::Untranslated, EntryStatus::Translated, EntryStatus::Review,
                                  EntryStatus::NotToTranslate})
        QTest::newRow(qPrintable(status)) << status;
}

// A status set on a fuzzy plural entry with previous strings, saved and read again,
// holds, also after msgcat and msgmerge rewrote the file; msgfmt accepts the file. Only
// a fuzzy entry keeps its previous strings.
void tst_PoCatalogue::statusSurvivesGettextTools()
{
    const auto [status] = fields("status");
    const QString path = copyFixture(QStringLiteral("features.po"));
    PoCatalogue catalogue = PoCatalogue::fromFile(path);
    catalogue.setStatus(6, status);
    QCOMPARE(catalogue.status(6), status);
    catalogue.save(path);
    QVERIFY(msgfmtAccepts(path));
    QCOMPARE(PoCatalogue::fromFile(path).message(6).notes.previous.isEmpty(), status != EntryStatus::Review);
    const QString merged = path + QStringLiteral(".merged");
    QVERIFY(run(QStringLiteral("msgmerge"), {QStringLiteral("--quiet"), path, path, QStringLiteral("-o"), merged}));
    for (const QString &file : {path, msgcat(path), merged}) {
        const PoCatalogue again = PoCatalogue::fromFile(file);
        QCOMPARE(again.status(6), status);
        QCOMPARE(again.translation(6).isEmpty(), status == EntryStatus::Untranslated);
    }
}

void tst_PoCatalogue::malformed_data()
{
    addTestTable(QStringLiteral("po/malformed.txt"), {"content", "line", "reason"});
}

void tst_PoCatalogue::malformed()
{
    const auto [content, line, reason] = fields("content", "line", "reason");
    try {
        PoCatalogue::fromBytes(cellBytes(content), QStringLiteral("bad.po"));
        QFAIL("the file was read");
    } catch (const AppError &error) {
        QCOMPARE(error.number(), 1002);
        QCOMPARE(error.description(), QStringLiteral("PO 文件“bad.po”第 %1 行：%2").arg(line, reason));
    }
}

// A translation the file's charset cannot hold fails the save, which leaves the file as
// it was, and writes nothing to a device, and so does a new charset that cannot hold
// the rest of the file; an obsolete entry refuses changes.
void tst_PoCatalogue::refusedChangesWriteNothing()
{
    const QString path = copyFixture(QStringLiteral("features-gb2312.po"));
    const QByteArray before = readBytes(path);
    PoCatalogue catalogue = PoCatalogue::fromFile(path);
    QCOMPARE(errorNumber([&] { catalogue.setFuzzy(14, true); }), int(Errors::InvalidCall));
    catalogue.setTranslation(0, QStringLiteral("한국어"));
    QCOMPARE(errorNumber([&] { catalogue.save(path); }), int(Errors::InvalidPropertyValue));
    QCOMPARE(readBytes(path), before);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QCOMPARE(errorNumber([&] { catalogue.write(buffer); }), int(Errors::InvalidPropertyValue));
    QVERIFY(buffer.data().isEmpty());
    PoCatalogue wide = PoCatalogue::fromFile(copyFixture(QStringLiteral("features-gb18030.po")));
    wide.setHeaderField(QStringLiteral("Content-Type"), QStringLiteral("text/plain; charset=GB2312"));
    QCOMPARE(errorNumber([&] { wide.write(buffer); }), int(Errors::InvalidPropertyValue));
    QVERIFY(buffer.data().isEmpty());
}

QTEST_GUILESS_MAIN(tst_PoCatalogue)
#include "tst_pocatalogue.moc"
