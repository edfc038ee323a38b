#include "frmAbout.h"

#include "EditorSettings.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

namespace {

constexpr int IconSize = 96;

QLabel *namedLabel(const QString &name, const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

}

frmAbout::frmAbout(QWidget *parent) : QDialog(parent)
{
    // The resources live in a static library, which the linker would otherwise leave out.
    Q_INIT_RESOURCE(quillet);
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("关于"));
    QLabel *image = namedLabel(QStringLiteral("Image1"), QString(), this);
    image->setPixmap(QPixmap(QStringLiteral(":/quillet.png"))
                         .scaled(IconSize, IconSize, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    QLabel *title = namedLabel(QStringLiteral("Label1"), EditorSettings::programTitle(), this);
    QFont bold = title->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.5);
    title->setFont(bold);

    auto *texts = new QVBoxLayout;
    texts->addStretch();
    texts->addWidget(title);
    texts->addWidget(namedLabel(QStringLiteral("lblAbout"), QStringLiteral("简体中文本地化字典的翻译编辑器"), this));
    texts->addWidget(namedLabel(QStringLiteral("Label3"), versionText(), this));
    texts->addWidget(namedLabel(QStringLiteral("Label2"), QStringLiteral("2026年12月"), this));
    texts->addStretch();
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(image);
    layout->addSpacing(IconSize / 4);
    layout->addLayout(texts);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString frmAbout::versionText()
{
    return QStringLiteral("版本: %1.%2 (β%3)").arg(PROJECT_VERSION_MAJOR).arg(PROJECT_VERSION_MINOR).arg(PROJECT_VERSION_PATCH);
}

// The labels pass their clicks on to the box.
void frmAbout::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    accept();
}
