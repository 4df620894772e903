#include "walkprogress.h"

#include "app/messages.h"
#include "app/seam.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProgressDialog>

namespace {
// A walk shorter than this shows nothing beyond what it writes.
constexpr qint64 quietMilliseconds = 300;

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
#ifndef Q_OS_WASM
        QCoreApplication::processEvents();
#endif
        return !dialog_->wasCanceled();
    }

    // A page has no nested event loop to paint the dialog and deliver
    // «Отмена» in: the walk waits for the page's own.
    bool waitsForTheEventLoop() const override
    {
#ifdef Q_OS_WASM
        return dialog_ != nullptr;
#else
        return false;
#endif
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
