#include "menu_key.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTimer>

namespace velmor {

namespace {

// Remembers where the keyboard was when the menus were opened from it, and
// takes it back there once no menu is open and the bar still has it.
class MenuReturn : public QObject {
public:
    explicit MenuReturn(QMenuBar& bar) : QObject(&bar), bar_(bar) {
        bar.installEventFilter(this);
        for (QAction* action : bar.actions()) {
            if (action->menu() != nullptr) {
                connect(action->menu(), &QMenu::aboutToHide, this, [this] {
                    // After the popup is gone, and any next one (Left, Right)
                    // has opened.
                    QTimer::singleShot(0, this, &MenuReturn::giveBack);
                });
            }
        }
    }

    void open() {
        QWidget* focus = QApplication::focusWidget();
        if (focus != &bar_) {
            before_ = focus;
        }
        bar_.setFocus(Qt::MenuBarFocusReason);
        bar_.setActiveAction(bar_.actions().value(0));
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &bar_ && event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape && before_) {
            bar_.setActiveAction(nullptr);
            giveBack();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void giveBack() {
        if (before_ && bar_.hasFocus() && QApplication::activePopupWidget() == nullptr) {
            before_->setFocus(Qt::MenuBarFocusReason);
            before_ = nullptr;
        }
    }

    QMenuBar& bar_;
    QPointer<QWidget> before_;
};

} // namespace

void bindMenuKey(QWidget& window, QMenuBar& bar) {
    auto* giving = new MenuReturn(bar);
    auto* key = new QAction(&window);
    key->setShortcut(QKeySequence(Qt::Key_F10));
    window.addAction(key);
    QObject::connect(key, &QAction::triggered, giving, [giving] { giving->open(); });
}

} // namespace velmor
