#include "GlossaryJob.h"

#include "Glossary.h"
#include "JobSettings.h"
#include "LineScanner.h"

namespace {

// The pair of a line the job takes, copied into the same two strings line after line.
class JobPair {
public:
    bool read(const LineScanner &line)
    {
        if (!isJobPair(line.fieldCount()))
            return false;
        copyInto(source, line.fieldView(1));
        copyInto(translation, line.fieldView(2));
        return true;
    }

    QString source;
    QString translation;
};

}

void clsDikGLO1::run()
{
    JobPair pair;
    scanTabSeparated(WorkTable::R, [&](const LineScanner &line, TableScriptWriter &script) {
        if (pair.read(line))
            addPair(pair.source, pair.translation, script);
    });
}

void clsDikGLO2::run()
{
    JobPair pair;
    scanTabSeparated(WorkTable::S, [&](const LineScanner &line, TableScriptWriter &script) {
        if (pair.read(line) && pair.source.size() <= m_settings.options.txtLenLimit && pair.source == pair.translation)
            addCandidate(pair.source, pair.translation, script);
    });
}

void clsDikGLO3::open()
{
    m_output = std::make_unique<TextFileWriter>(m_outputFile, m_settings.outputEncoding);
    if (!m_settings.languagePair.isEmpty())
        m_output->lines().writeLine(m_settings.languagePair);
}

void clsDikGLO3::write(QStringView source, const QString &translation)
{
    LineWriter &lines = m_output->lines();
    lines.writeRaw(source);
    lines.writeRaw(u"\t");
    lines.writeLine(translation);
}

void clsDikGLO3::close()
{
    m_output->commit();
}
