#include "walkprogress.h"

#include "app/messages.h"
#include "app/seam.h"

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

    WalkTurn nextTurn() override
    {
        if (!dialog_) {
            if (clock_.elapsed() < quietMilliseconds)
                return WalkTurn::GoOn;
            dialog_ = std::make_unique<QProgressDialog>(QStringLiteral("Поиск..."),
                                                        QStringLiteral("Отмена"), 0, 0, parent_);
            dialog_->setWindowTitle(applicationTitle());
            dialog_->setWindowModality(Qt::WindowModal);
            dialog_->setMinimumDuration(0);
            dialog_->show();
        }
        return dialog_->wasCanceled() ? WalkTurn::Stop : WalkTurn::Yield;
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
