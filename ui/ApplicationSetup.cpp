#include "ApplicationSetup.h"

#include "AppFolder.h"
#include "FileDialogs.h"
#include "FileSizeLimit.h"

#include <QApplication>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

void installChineseTranslations(QApplication &app)
{
    auto *translator = new QTranslator(&app);
    if (translator->load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
}

// Prefer a font that has the Chinese glyphs so that captions are not drawn with
// fallback glyphs of mixed sizes.
void useCjkFont(QApplication &app)
{
    const QStringList preferred{QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC"),
                                QStringLiteral("Source Han Sans SC")};
    const QStringList families = QFontDatabase::families();
    for (const QString &family : preferred) {
        if (families.contains(family)) {
            QFont font(family);
            font.setPointSize(app.font().pointSize() > 0 ? app.font().pointSize() : 9);
            QApplication::setFont(font);
            return;
        }
    }
}

}

void setUpApplication(QApplication &app, const QString &title)
{
    // The name only: a display name would be appended to every window title by Qt.
    QApplication::setApplicationName(title);
    QApplication::setApplicationVersion(QStringLiteral("%1.%2").arg(PROJECT_VERSION_MAJOR).arg(PROJECT_VERSION_MINOR));
    installChineseTranslations(app);
    useCjkFont(app);
    AppFolder::initialise();
    setFileDialogSettingsFile(title + QStringLiteral(".ini"));
    reportWritesPastFileSizeLimit();
}
