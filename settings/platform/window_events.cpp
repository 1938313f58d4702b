#include "window_events.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QWindow>

#include "exception_display.h"

namespace ostrane {

ActivationTracker::ActivationTracker(QWidget& window, std::function<void()> handler)
    : QObject(&window), window_(window), handler_(std::move(handler)) {
    qApp->installEventFilter(this);
}

bool ActivationTracker::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::WindowActivate) {
        return false;
    }
    auto* activated = qobject_cast<QWidget*>(watched);
    if (activated == nullptr || !activated->isWindow() || qobject_cast<QDialog*>(activated)) {
        return false;
    }
    const bool cameBack = activated == &window_ && lastActive_ != &window_;
    lastActive_ = activated;
    if (cameBack) {
        RunHandler(handler_);
    }
    return false;
}

FocusExitTracker::FocusExitTracker(QWidget& window) : QObject(&window), window_(window) {
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { FocusChanged(now); });
}

void FocusExitTracker::SetExitHandler(QWidget& control, std::function<void()> handler) {
    handlers_.emplace_back(&control, std::move(handler));
}

void FocusExitTracker::FocusChanged(QWidget* now) {
    if (now == nullptr || now->window() != &window_ || now == current_) {
        return;
    }
    QWidget* const left = current_;
    current_ = now;
    for (const auto& [control, handler] : handlers_) {
        if (control == left) {
            RunHandler(handler);
        }
    }
}

namespace {

// Sizes the client once the frame is known, then lets the user resize freely.
class FrameFitter final : public QObject {
public:
    FrameFitter(QWidget& window, const QRect& outer)
        : QObject(&window), window_(window), outer_(outer) {
        window_.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
            case QEvent::Show:
            case QEvent::Move:
            case QEvent::Resize:
                Fit();
                break;
            default:
                break;
        }
        return false;
    }

private:
    void Fit() {
        const QWindow* handle = window_.windowHandle();
        const QMargins frame = handle != nullptr ? handle->frameMargins() : QMargins();
        if (frame.isNull()) {
            return;
        }
        window_.removeEventFilter(this);
        window_.resize(outer_.size().shrunkBy(frame));
        window_.move(outer_.topLeft());
        deleteLater();
    }

    QWidget& window_;
    QRect outer_;
};

}  // namespace

void SetOuterGeometry(QWidget& window, const QRect& outer) {
    window.move(outer.topLeft());
    window.resize(outer.size());
    new FrameFitter(window, outer);
}

}  // namespace ostrane
