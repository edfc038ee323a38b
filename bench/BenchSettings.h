#pragma once

#include <QFile>
#include <QStringList>

// A Tallyra.ini as years of use leave it: old history sections nobody removed first,
// the live settings (options and three file histories of eight entries) last.
namespace BenchSettings {

const QStringList Histories{QStringLiteral("frmMain.cboToDo"), QStringLiteral("frmMain.cboRefer"),
                            QStringLiteral("frmMain.cboFinal")};

inline void writePadded(const QString &path, qint64 bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    const QByteArray padding = "Item=D:\\dic\\an old dictionary that was opened once.u.txt\r\n";
    for (qint64 section = 0; file.size() < bytes; ++section) {
        file.write("[old" + QByteArray::number(section) + "]\r\n");
        for (int i = 0; i < 1000; ++i)
            file.write(padding);
    }
    file.write("[TallyraCustomSetting]\r\nchkaAndX=1\r\nchkaUpperCase=0\r\ntxtLenLimit=300\r\n");
    for (const QString &section : Histories) {
        file.write("[" + section.toLatin1() + "]\r\nCount=8\r\n");
        for (int i = 0; i < 8; ++i)
            file.write("Item" + QByteArray::number(i) + "=D:\\dic\\todo" + QByteArray::number(i) + ".u.txt\r\n");
    }
}

}
