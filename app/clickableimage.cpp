#include "clickableimage.h"

#include <QAccessibleWidget>
#include <QMouseEvent>

namespace {
// Presents the picture to screen readers as a link they can press.
class AccessibleClickableImage : public QAccessibleWidget {
public:
    explicit AccessibleClickableImage(ClickableImage *image)
        : QAccessibleWidget(image, QAccessible::Link)
    {
    }

    QStringList actionNames() const override
    {
        return QAccessibleWidget::actionNames() << pressAction();
    }

    void doAction(const QString &actionName) override
    {
        if (actionName == pressAction())
            static_cast<ClickableImage *>(widget())->click();
        else
            QAccessibleWidget::doAction(actionName);
    }
};

QAccessibleInterface *accessibleFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("ClickableImage") && object && object->isWidgetType())
        return new AccessibleClickableImage(static_cast<ClickableImage *>(object));
    return nullptr;
}
} // namespace

ClickableImage::ClickableImage(QWidget *parent)
    : QLabel(parent)
{
    static const bool factoryInstalled = (QAccessible::installFactory(accessibleFactory), true);
    Q_UNUSED(factoryInstalled);
}

void ClickableImage::mouseReleaseEvent(QMouseEvent *event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}
