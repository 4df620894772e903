#include "linkcopying.h"

#include "formwindow.h"
#include "messages.h"
#include "weblink.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>

void addLinkCopying(FormWindow *window, calculationlink::Window which, InputFields fields)
{
    auto *copy = new QAction(QStringLiteral("Копировать ссылку на расчет"), window);
    copy->setObjectName(QStringLiteral("copyLink"));
    copy->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L));
    copy->setShortcutContext(Qt::WindowShortcut);
    window->addAction(copy);
    // Fields keep their own menus; the window's shows over its captions, its
    // buttons and its free space. A popup, not a menu run in an event loop of
    // its own, which a page cannot run.
    window->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(window, &QWidget::customContextMenuRequested, window,
                     [window, copy](QPoint at) {
                         auto *menu = new QMenu(window);
                         menu->setAttribute(Qt::WA_DeleteOnClose);
                         menu->addAction(copy);
                         menu->popup(window->mapToGlobal(at));
                     });
    QObject::connect(copy, &QAction::triggered, window, [window, which, fields] {
        if (!window->isLoaded())
            return;
        calculationlink::Calculation calculation {which, {}};
        const QStringList names = calculationlink::fieldNames(which);
        const QList<QLineEdit *> boxes = fields();
        for (qsizetype i = 0; i < names.size() && i < boxes.size(); ++i)
            calculation.fields.append({names[i], boxes[i]->text()});
        const QString link = calculationlink::write(calculationLinkAddress(), calculation);
        QGuiApplication::clipboard()->setText(link);
        // The link itself is left out: a line of a hundred characters and more
        // would make the box wider than a phone.
        showMessage(window,
                    {QStringLiteral("Ссылка на расчет скопирована в буфер обмена."),
                     QStringLiteral("Ссылка на расчет"), MessageIcon::Information});
    });
}

void fillFields(const calculationlink::Calculation &calculation, const QList<QLineEdit *> &fields)
{
    const QStringList names = calculationlink::fieldNames(calculation.window);
    for (const calculationlink::Field &field : calculation.fields) {
        const qsizetype index = names.indexOf(field.name);
        if (index >= 0 && index < fields.size())
            fields[index]->setText(field.text);
    }
}
