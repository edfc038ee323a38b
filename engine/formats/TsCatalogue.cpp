#include "TsCatalogue.h"

#include "DictionaryEntry.h"
#include "ErrorReport.h"
#include "TextFile.h"
#include "TsReader.h"

#include <QFile>
#include <QFileInfo>

namespace {

bool hasMark(const QString &translatorComment)
{
    const QString &mark = TsCatalogue::NotToTranslateMark;
    return translatorComment.startsWith(mark)
        && (translatorComment.size() == mark.size() || translatorComment[mark.size()] == u'\n');
}

QString withMark(const QString &translatorComment)
{
    if (hasMark(translatorComment))
        return translatorComment;
    return translatorComment.isEmpty() ? TsCatalogue::NotToTranslateMark
                                       : TsCatalogue::NotToTranslateMark + u'\n' + translatorComment;
}

QString withoutMark(const QString &translatorComment)
{
    return hasMark(translatorComment) ? translatorComment.mid(TsCatalogue::NotToTranslateMark.size() + 1)
                                      : translatorComment;
}

bool allEmpty(const QStringList &texts)
{
    return std::all_of(texts.begin(), texts.end(), [](const QString &text) { return text.isEmpty(); });
}

// A TS file written on Windows keeps its CR LF in the messages laid out anew.
QByteArray lineEndOf(const QByteArray &bytes)
{
    const qsizetype lf = bytes.indexOf('\n');
    return lf > 0 && bytes[lf - 1] == '\r' ? QByteArrayLiteral("\r\n") : QByteArrayLiteral("\n");
}

}

TsCatalogue TsCatalogue::read(const QString &path)
{
    QFile file(path);
    if (path.isEmpty() || !QFileInfo(path).isFile())
        Errors::raise(Errors::FileNotFound, path);
    if (!file.open(QIODevice::ReadOnly))
        Errors::raise(Errors::PathFileAccess, path);
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        Errors::raise(Errors::PathFileAccess, path);
    return read(bytes, path);
}

TsCatalogue TsCatalogue::read(const QByteArray &bytes, const QString &fileName)
{
    TsCatalogue catalogue;
    catalogue.m_bytes = bytes;
    catalogue.m_lineEnd = lineEndOf(bytes);
    TsReader(catalogue, fileName).read();
    return catalogue;
}

bool TsCatalogue::isEntry(qsizetype index) const
{
    const TsType type = message(index).type;
    return type == TsType::Finished || type == TsType::Unfinished;
}

QString TsCatalogue::status(qsizetype index) const
{
    if (!isEntry(index))
        return {};
    const TsMessage &message = this->message(index);
    if (hasMark(message.translatorComment))
        return EntryStatus::NotToTranslate;
    if (message.type == TsType::Finished)
        return EntryStatus::Translated;
    return allEmpty(message.translations) ? EntryStatus::Untranslated : EntryStatus::Review;
}

void TsCatalogue::setStatus(qsizetype index, const QString &status)
{
    const TsMessage &message = entry(index);
    if (!EntryStatus::isStatus(status))
        Errors::raise(Errors::InvalidPropertyValue, status);
    if (status == EntryStatus::NotToTranslate) {
        update(index, message.translations, TsType::Finished, withMark(message.translatorComment));
        return;
    }
    const bool untranslated = status == EntryStatus::Untranslated;
    update(index, untranslated ? QStringList(message.translations.size(), QString()) : message.translations,
           status == EntryStatus::Translated ? TsType::Finished : TsType::Unfinished,
           withoutMark(message.translatorComment));
}

void TsCatalogue::setTranslation(qsizetype index, const QString &text)
{
    const TsMessage &message = entry(index);
    const qsizetype forms = !message.numerus              ? 1
                            : message.translations.isEmpty() ? numerusFormCount()
                                                              : message.translations.size();
    update(index, QStringList(forms, text), message.type, message.translatorComment);
}

void TsCatalogue::setFinished(qsizetype index, bool finished)
{
    const TsMessage &message = entry(index);
    update(index, message.translations, finished ? TsType::Finished : TsType::Unfinished, message.translatorComment);
}

int TsCatalogue::numerusFormCount() const
{
    return TsLayout::numerusFormCount(m_language);
}

void TsCatalogue::write(QIODevice &device) const
{
    const auto put = [&device](QByteArrayView bytes) {
        if (device.write(bytes.data(), bytes.size()) != bytes.size())
            raiseWriteFailure(qobject_cast<QFileDevice *>(&device));
    };
    qint64 done = 0;
    for (qsizetype i = 0; i < m_places.size(); ++i) {
        const TsMessagePlace &place = m_places[i];
        if (!place.changed)
            continue;
        put(QByteArrayView(m_bytes).sliced(done, place.span.begin - done));
        put(TsLayout::message(m_messages[i], place, m_bytes, m_lineEnd));
        done = place.span.end;
    }
    put(QByteArrayView(m_bytes).sliced(done));
}

void TsCatalogue::write(const QString &path) const
{
    saveWhole(path, [this](QIODevice &file) { write(file); });
}

const TsMessage &TsCatalogue::entry(qsizetype index) const
{
    if (!isEntry(index))
        Errors::raise(Errors::InvalidCall);
    return message(index);
}

void TsCatalogue::update(qsizetype index, QStringList translations, TsType type, QString translatorComment)
{
    TsMessage &message = m_messages[index];
    if (message.translations == translations && message.type == type && message.translatorComment == translatorComment)
        return;
    message.translations = std::move(translations);
    message.type = type;
    message.translatorComment = std::move(translatorComment);
    m_places[index].changed = true;
}
