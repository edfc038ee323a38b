#include "MessageService.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>

namespace {

class MessageBoxService : public MessageService {
public:
    Answer show(QWidget *parent, const QString &text, Buttons buttons, Icon icon) override
    {
        QMessageBox box(iconOf(icon), QApplication::applicationDisplayName(), text, buttonsOf(buttons), parent);
        switch (box.exec()) {
        case QMessageBox::Ok: return Ok;
        case QMessageBox::Yes: return Yes;
        case QMessageBox::No: return No;
        default: return Cancel;
        }
    }

    void notify(QWidget *parent, const QString &text, Icon icon) override
    {
        if (m_notice && m_notice->text() == text) {
            m_notice->raise();
            m_notice->activateWindow();
            return;
        }
        m_notice = new QMessageBox(iconOf(icon), QApplication::applicationDisplayName(), text, QMessageBox::Ok, parent);
        m_notice->setAttribute(Qt::WA_DeleteOnClose);
        m_notice->setWindowModality(Qt::NonModal);
        m_notice->show();
    }

private:
    QPointer<QMessageBox> m_notice;

    static QMessageBox::Icon iconOf(Icon icon)
    {
        switch (icon) {
        case Icon::Critical: return QMessageBox::Critical;
        case Icon::Question: return QMessageBox::Question;
        case Icon::Exclamation: return QMessageBox::Warning;
        case Icon::Information: return QMessageBox::Information;
        }
        return QMessageBox::NoIcon;
    }

    static QMessageBox::StandardButtons buttonsOf(Buttons buttons)
    {
        switch (buttons) {
        case Buttons::Ok: return QMessageBox::Ok;
        case Buttons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
        case Buttons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        }
        return QMessageBox::Ok;
    }
};

MessageService *g_service = nullptr;

}

MessageService &MessageService::instance()
{
    static MessageBoxService real;
    return g_service ? *g_service : real;
}

void MessageService::setInstance(MessageService *service)
{
    g_service = service;
}

void showErrorBox(QWidget *parent, const ErrorReport &report)
{
    MessageService::instance().show(parent, report.boxText(), MessageService::Buttons::Ok,
                                    MessageService::Icon::Critical);
}

MessageService::Answer askUser(QWidget *parent, const QString &text, MessageService::Buttons buttons, MessageService::Icon icon)
{
    return MessageService::instance().show(parent, text, buttons, icon);
}

void tellUser(QWidget *parent, const QString &text, MessageService::Icon icon)
{
    MessageService::instance().notify(parent, text, icon);
}
