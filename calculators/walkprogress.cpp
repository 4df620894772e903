#include "walkprogress.h"

#include "app/messages.h"
#include "app/seam.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProgressDialog>

#ifdef Q_OS_WASM
#include <emscripten.h>
#endif

namespace {
// A walk shorter than this shows nothing beyond what it writes.
constexpr qint64 quietMilliseconds = 300;

#ifdef Q_OS_WASM
// Whether the program was linked so that it can wait for the browser.
EM_JS(int, canLetThePageRun, (), { return typeof Asyncify != "undefined"; });
#endif

// In a web page the walk runs on the page's one thread: the browser paints
// the dialog and delivers the press of «Отмена» only while the program
// waits, so it waits a moment between chunks.
void letThePageRun()
{
#ifdef Q_OS_WASM
    if (canLetThePageRun())
        emscripten_sleep(0);
#endif
}

class DialogProgress : public WalkProgress {
public:
    explicit DialogProgress(QWidget *parent)
        : parent_(parent)
    {
        clock_.start();
    }

    bool keepWalking() override
    {
        if (!dialog_) {
            if (clock_.elapsed() < quietMilliseconds)
                return true;
            dialog_ = std::make_unique<QProgressDialog>(QStringLiteral("Поиск..."),
                                                        QStringLiteral("Отмена"), 0, 0, parent_);
            dialog_->setWindowTitle(applicationTitle());
            dialog_->setWindowModality(Qt::WindowModal);
            dialog_->setMinimumDuration(0);
            dialog_->show();
        }
        letThePageRun();
        QCoreApplication::processEvents();
        return !dialog_->wasCanceled();
    }

private:
    QWidget *parent_;
    QElapsedTimer clock_;
    std::unique_ptr<QProgressDialog> dialog_;
};

Seam<std::unique_ptr<WalkProgress>(QWidget *parent)> progressSeam;
} // namespace

std::unique_ptr<WalkProgress> makeWalkProgress(QWidget *parent)
{
    if (const auto &standIn = progressSeam.standIn())
        return standIn(parent);
    return std::make_unique<DialogProgress>(parent);
}

WalkProgressFactory setWalkProgressFactory(WalkProgressFactory factory)
{
    return progressSeam.replace(std::move(factory));
}
