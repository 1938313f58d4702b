// The window events that Qt does not raise as the windows need them: activation after another of
// the program's windows, leaving a control for another control of the same window, and placing a
// window by its outer size.
#pragma once

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QWidget>

#include <functional>
#include <utility>
#include <vector>

namespace ostrane {

// Runs `handler` when `window` becomes the program's active window while another of the program's
// windows, or none, had that role: at its first showing and on each return from another of its
// windows. Dialogs such as message boxes do not count, so neither their closing nor a return from
// another program raises it.
class ActivationTracker final : public QObject {
public:
    ActivationTracker(QWidget& window, std::function<void()> handler);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& window_;
    std::function<void()> handler_;
    QPointer<QWidget> lastActive_;
};

// Runs a control's exit handler when the keyboard focus moves from it to another control of the
// same window, whether by Tab or by a click, also when the window was inactive in between. Focus
// that moves to another window raises nothing.
class FocusExitTracker final : public QObject {
public:
    explicit FocusExitTracker(QWidget& window);

    void SetExitHandler(QWidget& control, std::function<void()> handler);

private:
    void FocusChanged(QWidget* now);

    QWidget& window_;
    QPointer<QWidget> current_;  // the window's control that has, or last had, the focus
    std::vector<std::pair<QWidget*, std::function<void()>>> handlers_;
};

// Gives the top-level `window` the outer geometry `outer`, its frame included. The frame's size is
// known only once the window system has framed the shown window; until then, and without a window
// manager, the client area is the whole.
void SetOuterGeometry(QWidget& window, const QRect& outer);

}  // namespace ostrane
