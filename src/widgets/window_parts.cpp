#include "window_parts.h"

#include "fonts.h"

#include <QApplication>
#include <QComboBox>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QToolButton>
#include <QWidget>

namespace velmor {

void setSpokenCaption(QLabel& value, const QString& caption) {
    // The designed captions end in " :"; the name reads "caption: value".
    QString spoken = caption.trimmed();
    if (spoken.endsWith(u':')) {
        spoken.chop(1);
    }
    value.setProperty("spokenCaption", spoken.trimmed());
    setSpokenValue(value, value.text());
}

void setSpokenValue(QLabel& value, const QString& text) {
    value.setText(text);
    const QString caption = value.property("spokenCaption").toString();
    const QString name =
        caption.isEmpty() ? text.trimmed() : caption + QStringLiteral(": ") + text.trimmed();
    value.setAccessibleName(name); // which tells a screen reader of the change
}

namespace {

// A notification a screen reader speaks when it shows: a widget of no size
// that nobody sees, named by what it says (the accessibility factory gives
// it the notification role).
class Announcer : public QWidget {
public:
    explicit Announcer(QWidget* window) : QWidget(window) {
        setObjectName(QStringLiteral("announcer"));
        setFocusPolicy(Qt::NoFocus);
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setGeometry(0, 0, 1, 1);
    }
    void say(const QString& text) {
        hide();
        setAccessibleName(text);
        show();
    }
    QString said() const { return accessibleName(); }
};

} // namespace

bool isAnnouncer(const QObject* object) {
    return dynamic_cast<const Announcer*>(object) != nullptr;
}

QString announced(const QWidget& window) {
    const auto* announcer = window.window()->findChild<const Announcer*>(
        QStringLiteral("announcer"), Qt::FindDirectChildrenOnly);
    return announcer != nullptr ? announcer->said() : QString();
}

void announce(QWidget& where, const QString& text) {
    auto* announcer = where.window()->findChild<Announcer*>(QStringLiteral("announcer"),
                                                            Qt::FindDirectChildrenOnly);
    if (announcer == nullptr) {
        // A screen reader learns of it first, then hears it.
        announcer = new Announcer(where.window());
        announcer->show();
        announcer->setAccessibleName(text);
        QTimer::singleShot(0, announcer, [announcer, text] { announcer->say(text); });
        return;
    }
    announcer->say(text);
}

QIcon programIcon() {
    return QIcon(QStringLiteral(":/artwork/app.svg"));
}

void prepareWindow(QWidget& window, const char* name, const QString& caption) {
    window.setObjectName(QString::fromLatin1(name));
    window.setWindowTitle(caption);
    window.setWindowIcon(programIcon());
    window.setLayoutDirection(Qt::RightToLeft);
    window.setAttribute(Qt::WA_DeleteOnClose);
    closeOnEscape(window);
}

void prepareFixedWindow(QWidget& window, const char* name, const QString& caption, QSize size) {
    prepareWindow(window, name, caption);
    window.setFont(designedFormFont());
    window.setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);
    window.setFixedSize(size);
}

namespace {

// Acts on an Escape that no control inside its window took for itself (an
// open drop-down list closes first, as it should): closes the window, unless
// told otherwise.
class EscapeAction : public QObject {
public:
    explicit EscapeAction(QWidget& window)
        : QObject(&window), window_(window), action_([&window] { window.close(); }) {
        setObjectName(QStringLiteral("escapeAction"));
    }
    void setAction(std::function<void()> action) { action_ = std::move(action); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &window_ && event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier) {
                action_();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget& window_;
    std::function<void()> action_;
};

} // namespace

void onEscape(QWidget& window, std::function<void()> action) {
    auto* escape =
        window.findChild<EscapeAction*>(QStringLiteral("escapeAction"), Qt::FindDirectChildrenOnly);
    if (escape == nullptr) {
        escape = new EscapeAction(window);
        window.installEventFilter(escape);
    }
    escape->setAction(std::move(action));
}

void closeOnEscape(QWidget& window) {
    onEscape(window, [&window] { window.close(); });
}

QToolButton* pictureButton(QWidget* parent, const char* name, QRect geometry, const char* picture,
                           const QString& toolTip, int iconSize) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(geometry);
    button->setIcon(QIcon(QStringLiteral(":/artwork/%1.svg").arg(QString::fromLatin1(picture))));
    button->setIconSize(QSize(iconSize, iconSize));
    button->setToolTip(toolTip);
    button->setAccessibleName(toolTip);
    button->setFocusPolicy(Qt::StrongFocus);
    return button;
}

QComboBox* promptedPicker(QWidget* parent, const char* name, QRect geometry, const QString& prompt,
                          const QStringList& entries) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(name));
    combo->setGeometry(geometry);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems(entries);
    // Names and numbers alike keep to the right edge, as the window reads.
    const auto right = int(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter);
    for (int i = 0; i < combo->count(); ++i) {
        combo->setItemData(i, right, Qt::TextAlignmentRole);
    }
    combo->lineEdit()->setAlignment(Qt::AlignRight | Qt::AlignAbsolute);
    combo->setCurrentIndex(-1);
    combo->setEditText(prompt);
    // Named by its prompt, and so is the edit box inside it, which a screen
    // reader otherwise finds with no name.
    combo->setAccessibleName(prompt);
    combo->lineEdit()->setAccessibleName(prompt);
    combo->setAccessibleName(prompt);
    combo->setMaxVisibleItems(15);
    return combo;
}

} // namespace velmor
