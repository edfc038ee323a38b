#include "EntryExport.h"

#include "cInifile.h"
#include "LengthLimitSetting.h"
#include "NumericText.h"
#include "formats/EntryStreams.h"

bool ExportOptions::exportsStatus(const QString &status) const
{
    return (untranslated && status == EntryStatus::Untranslated) || (translated && status == EntryStatus::Translated)
        || (notToTranslate && status == EntryStatus::NotToTranslate) || (review && status == EntryStatus::Review);
}

const QStringList &exportConditionTexts()
{
    static const QStringList texts{
        QStringLiteral("不限长度"),     QStringLiteral("原文长度小于:"), QStringLiteral("原文长度等于:"),
        QStringLiteral("原文长度大于:"), QStringLiteral("译文长度小于:"), QStringLiteral("译文长度等于:"),
        QStringLiteral("译文长度大于:"), QStringLiteral("译文长度大于原文")};
    return texts;
}

bool ExportFilter(const ExportOptions &options, const QString &source, const QString &translation)
{
    const auto sourceBytes = [&] { return TextCodec::gb18030ByteLength(source); };
    const auto translationBytes = [&] { return TextCodec::gb18030ByteLength(translation); };
    const qsizetype n = options.lengthValue;
    switch (options.condition) {
    case ExportOptions::AnyLength: return true;
    case ExportOptions::SourceShorter: return sourceBytes() < n;
    case ExportOptions::SourceEqual: return sourceBytes() == n;
    case ExportOptions::SourceLonger: return sourceBytes() > n;
    case ExportOptions::TranslationShorter: return translationBytes() < n;
    case ExportOptions::TranslationEqual: return translationBytes() == n;
    case ExportOptions::TranslationLonger: return translationBytes() > n;
    case ExportOptions::TranslationLongerThanSource: return translationBytes() > sourceBytes();
    default: return false;
    }
}

EntryExportWriter::EntryExportWriter(const QString &path, const ExportOptions &options)
    : m_options(options), m_file(path, TextEncoding::Gb18030)
{
    if (options.format->languageLine)
        m_file.lines().writeLine(options.sourceLanguage + u'\t' + options.targetLanguage);
    m_entries = options.format->exportTarget->writer(m_file.lines());
}

EntryExportWriter::~EntryExportWriter() = default;

bool EntryExportWriter::offer(const DictionaryEntry &entry)
{
    if (!m_options.exportsStatus(entry.status) || !ExportFilter(m_options, entry.source, entry.translation))
        return false;
    m_entries->write(entry);
    ++m_written;
    return true;
}

void EntryExportWriter::commit()
{
    m_file.commit();
}

const QString ExportControlState::IniSection = QStringLiteral("ExportSetting");
const QStringList ExportControlState::StatusCheckBoxes = {QStringLiteral("chkStaUN"), QStringLiteral("chkStaED"),
                                                          QStringLiteral("chkStaCK"), QStringLiteral("chkStaNO")};

void ExportControlState::loadFromIni(const QString &path)
{
    cInifile ini(path, IniSection);
    const QString stored = ini.value(QStringLiteral("optFormat"));
    format = &DictionaryFormats::defaultExportTarget();
    for (const DictionaryFormat *target : DictionaryFormats::exportTargets()) {
        if (target->exportTarget->storedValue == stored)
            format = target;
    }
    for (const QString &name : StatusCheckBoxes) {
        // A stored state a check box cannot take is passed over.
        const int state = cInifile::CLngDefault(ini.value(name), -1);
        if (state >= 0 && state <= 2)
            statusStates[name] = state;
    }
    if (const QString stored = ini.value(QStringLiteral("txtPLOID1")); !stored.isEmpty())
        txtPLOID1 = stored;
    if (const QString stored = ini.value(QStringLiteral("txtPLOID2")); !stored.isEmpty())
        txtPLOID2 = stored;
    const int condition = cInifile::CLngDefault(ini.value(QStringLiteral("cboCondition")), -1);
    if (condition >= 0 && condition < ExportOptions::ConditionCount)
        cboCondition = condition;
    LengthLimitSetting::load(ini, QStringLiteral("txtLenLimit"), txtLenLimit);
}

void ExportControlState::saveToIni(const QString &path)
{
    cInifile ini(path, IniSection);
    writeIniValue(ini, QStringLiteral("optFormat"), format->exportTarget->storedValue);
    for (const QString &name : StatusCheckBoxes)
        writeIniValue(ini, name, QString::number(statusStates.value(name)));
    writeIniValue(ini, QStringLiteral("txtPLOID1"), txtPLOID1);
    writeIniValue(ini, QStringLiteral("txtPLOID2"), txtPLOID2);
    writeIniValue(ini, QStringLiteral("cboCondition"), QString::number(cboCondition));
    LengthLimitSetting::save(ini, QStringLiteral("txtLenLimit"), txtLenLimit);
}

int ExportControlState::storedTranslationLimit(const QString &path)
{
    cInifile ini(path, IniSection);
    if (cInifile::CLngDefault(ini.value(QStringLiteral("cboCondition")), -1) != ExportOptions::TranslationLonger)
        return 0;
    return LengthLimit::validate(ini.value(QStringLiteral("txtLenLimit"))).value;
}

ExportOptions ExportControlState::toOptions()
{
    ExportOptions options;
    options.format = format;
    if (format->languageLine) {
        options.sourceLanguage = txtPLOID1.isEmpty() ? QStringLiteral("9 1") : txtPLOID1;
        options.targetLanguage = txtPLOID2.isEmpty() ? QStringLiteral("4 2") : txtPLOID2;
    }
    options.untranslated = statusStates.value(QStringLiteral("chkStaUN")) != 0;
    options.translated = statusStates.value(QStringLiteral("chkStaED")) != 0;
    options.review = statusStates.value(QStringLiteral("chkStaCK")) != 0;
    options.notToTranslate = statusStates.value(QStringLiteral("chkStaNO")) != 0;
    options.condition = cboCondition;
    options.lengthValue = LengthLimit::validate(txtLenLimit).value;
    txtLenLimit = QString::number(options.lengthValue);
    return options;
}
