#include "messages.h"

#include "seam.h"

#include <QMessageBox>

namespace {
Seam<void(const Message &)> messageSeam;

QMessageBox::Icon boxIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}
} // namespace

QString applicationTitle()
{
    // Not given to Qt as the application's display name: Qt would append that
    // to the caption of every window.
    return QStringLiteral("Кориндо");
}

void showMessage(QWidget *parent, const Message &message)
{
    Message shown = message;
    if (shown.title.isEmpty())
        shown.title = applicationTitle();
    if (const auto &standIn = messageSeam.standIn()) {
        standIn(shown);
        return;
    }
    QMessageBox box(boxIcon(shown.icon), shown.title, shown.prompt, QMessageBox::Ok, parent);
    box.exec();
}

Message inputErrorMessage()
{
    return {QStringLiteral("Введите верные данные"), QStringLiteral("Ошибка ввода данных"),
            MessageIcon::Warning};
}

void showInputError(QWidget *parent)
{
    showMessage(parent, inputErrorMessage());
}

MessageHandler setMessageHandler(MessageHandler handler)
{
    return messageSeam.replace(std::move(handler));
}
