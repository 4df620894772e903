#include "app/pagewindows.h"

#include "app/core/windowplacement.h"

#include <algorithm>

#include <QApplication>
#include <QEvent>
#include <QImage>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <emscripten/bind.h>
#include <emscripten/val.h>

namespace {
// Where the keeper last put a window of its own accord: a window still there
// goes back to the middle when the page changes size; one the user has moved
// is only kept on the page.
const char *const placedAt = "korindoPlacedAt";

bool isKept(const QObject *object)
{
    if (!object->isWidgetType())
        return false;
    const auto *widget = static_cast<const QWidget *>(object);
    const Qt::WindowType type = widget->windowType();
    return widget->isWindow() && (type == Qt::Window || type == Qt::Dialog);
}

bool isPopup(const QObject *object)
{
    return object->isWidgetType()
        && static_cast<const QWidget *>(object)->windowType() == Qt::Popup;
}

// The window with its title bar and border, as its platform draws them now:
// Qt 6.8 learns a window's frame on the page only once it shows, and the
// widget's own frame geometry may lag behind that.
QRect frameOf(const QWidget *window)
{
    const QWindow *handle = window->windowHandle();
    return handle ? window->geometry().marginsAdded(handle->frameMargins())
                  : window->frameGeometry();
}

// Puts a window's frame there, whatever the widget takes its frame to be.
void moveFrame(QWidget *window, QPoint topLeft)
{
    const QRect frame = frameOf(window);
    window->move(window->pos() + topLeft - frame.topLeft());
}

bool fits(const QWidget *window)
{
    return !window->isVisible() || !window->screen()
        || window->screen()->availableGeometry().contains(frameOf(window));
}

bool hasFixedSize(const QWidget *window)
{
    return window->minimumSize() == window->maximumSize();
}

// The focused field of the window in global coordinates, where it takes
// typing (a phone's keyboard is then up); none otherwise.
QRect typingField(const QWidget *window)
{
    const QWidget *field = window->focusWidget();
    if (!field || !field->isVisible() || !field->testAttribute(Qt::WA_InputMethodEnabled))
        return {};
    return {field->mapToGlobal(QPoint()), field->size()};
}

class PageWindows : public QObject {
public:
    using QObject::QObject;

    void start()
    {
        qApp->installEventFilter(this);
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
            if (now && isKept(now->window()) && now->window()->isVisible())
                place(now->window());
        });
        for (QScreen *screen : QGuiApplication::screens())
            follow(screen);
        connect(qApp, &QGuiApplication::screenAdded, this, &PageWindows::follow);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Hide && isPopup(watched))
            giveActivationBack(static_cast<QWidget *>(watched));
        // A window that has grown past the page since it showed.
        if (event->type() == QEvent::Resize && isKept(watched)
            && !fits(static_cast<QWidget *>(watched)))
            place(static_cast<QWidget *>(watched));
        if ((event->type() == QEvent::Show || event->type() == QEvent::Hide) && isKept(watched)) {
            if (event->type() == QEvent::Show)
                placeNowAndShown(static_cast<QWidget *>(watched));
            else if (static_cast<QWidget *>(watched)->isActiveWindow())
                liftPage(0);
            askForRoom();
        }
        return false;
    }

private:
    // A menu that closes leaves the window it opened over drawn as though it
    // had lost the keyboard, or without it: it has it again.
    static void giveActivationBack(QWidget *popup)
    {
        if (!popup->parentWidget())
            return;
        QWidget *owner = popup->parentWidget()->window();
        QTimer::singleShot(0, owner, [owner = QPointer<QWidget>(owner)] {
            const QWindow *focus = QGuiApplication::focusWindow();
            if (owner && owner->isVisible() && (!focus || focus == owner->windowHandle()))
                owner->activateWindow();
        });
    }

    void follow(QScreen *screen)
    {
        connect(screen, &QScreen::availableGeometryChanged, this, &PageWindows::placeAll);
    }

    void placeAll()
    {
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (isKept(window) && window->isVisible())
                place(window);
        }
    }

    // Qt 6.8 knows a window's frame only once the window shows on the page:
    // placed before, it is placed again then.
    void placeNowAndShown(QWidget *window)
    {
        place(window);
        QTimer::singleShot(0, window, [this, window] {
            if (window->isVisible())
                place(window);
        });
    }

    void place(QWidget *window)
    {
        if (!window->screen())
            return;
        const QRect screen = window->screen()->availableGeometry();
        const bool ownPlace = !window->testAttribute(Qt::WA_Moved)
            || window->property(placedAt).toPoint() == frameOf(window).topLeft();
        // A window the user may resize fits itself to the page.
        if (!hasFixedSize(window)) {
            const QSize over = frameOf(window).size() - screen.size();
            window->resize(window->size() - over.expandedTo({0, 0}));
        }
        const QRect frame = frameOf(window);
        // A window in the middle rises, as one kept where the user put it does,
        // to show the field being typed in above a phone's keyboard.
        const QRect from = ownPlace ? placement::centred(frame.size(), screen) : frame;
        QRect target = placement::keptOnScreen(
            from, screen, typingField(window).translated(from.topLeft() - frame.topLeft()));
        // Qt 6.8 keeps a window's title bar on the page, so a window rises no
        // higher than the page's top, and the page itself is lifted for the
        // rest of the way that shows the field being typed in.
        const int above = std::max(0, screen.top() - target.top());
        target.translate(0, above);
        moveFrame(window, target.topLeft());
        window->setProperty(placedAt, ownPlace ? QVariant(target.topLeft()) : QVariant());
        if (window->isActiveWindow())
            liftPage(above);
    }

    static void liftPage(int pixels)
    {
        const emscripten::val lift = emscripten::val::global("korindoLiftPage");
        if (lift.typeOf().as<std::string>() == "function")
            lift(pixels);
    }

    // Once the windows have shown or gone: the room on the page that every
    // window of fixed size needs to be whole, for the page to scale itself to.
    void askForRoom()
    {
        if (roomAsked_)
            return;
        roomAsked_ = true;
        QTimer::singleShot(0, this, [this] {
            roomAsked_ = false;
            QSize room;
            for (const QWidget *window : QApplication::topLevelWidgets()) {
                if (isKept(window) && window->isVisible() && hasFixedSize(window))
                    room = room.expandedTo(frameOf(window).size());
            }
            const emscripten::val fit = emscripten::val::global("korindoFitScreen");
            if (fit.typeOf().as<std::string>() == "function")
                fit(room.width(), room.height());
        });
    }

    bool roomAsked_ = false;
};

// The shown window of this title as Qt draws it now, for the page's test to
// hold against what the page shows: { width, height, pixels } in device
// pixels, RGBA; null where no such window shows.
emscripten::val windowPicture(const std::string &title)
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (!window->isVisible() || window->windowTitle() != QString::fromStdString(title))
            continue;
        const QImage image = window->grab().toImage().convertToFormat(QImage::Format_RGBA8888);
        emscripten::val picture = emscripten::val::object();
        picture.set("width", image.width());
        picture.set("height", image.height());
        picture.set(
            "pixels",
            emscripten::val::global("Uint8ClampedArray")
                .new_(emscripten::typed_memory_view(image.sizeInBytes(), image.constBits())));
        return picture;
    }
    return emscripten::val::null();
}

EMSCRIPTEN_BINDINGS(korindo_page_windows)
{
    emscripten::function("korindoWindowPicture", &windowPicture);
}
} // namespace

void keepWindowsOnPage()
{
    static QPointer<PageWindows> keeper;
    if (keeper)
        return;
    keeper = new PageWindows(qApp);
    keeper->start();
    emscripten::val::global("window").set("korindoWindowPicture",
                                          emscripten::val::module_property("korindoWindowPicture"));
}
