#pragma once

#include <QIcon>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>

class QComboBox;

class QToolButton;

class QLabel;

namespace velmor {

// A control of the designed window: made, named and placed in its parent.
template <typename Widget> Widget* place(QWidget* parent, const char* name, QRect geometry) {
    auto* widget = new Widget(parent);
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(geometry);
    return widget;
}

// The program's icon: the window icon of every window and the tray's.
QIcon programIcon();

// A value shown beside its caption: it shows the text, and gives a screen
// reader the caption with the value ("رقم الصفحة: 42"), announcing the
// change. The caption is given once, by setSpokenCaption.
void setSpokenCaption(QLabel& value, const QString& caption);
void setSpokenValue(QLabel& value, const QString& text);

// Says an outcome to a screen reader (Qt 6.4 has no announcement of its
// own): a notification of where's window shows with it, which a screen
// reader speaks at once wherever the keyboard is.
void announce(QWidget& where, const QString& text);
// Whether the object is what announce shows, and what it said last in the
// window of a widget.
bool isAnnouncer(const QObject* object);
QString announced(const QWidget& window);

// A secondary window: named, captioned, right to left, the program's icon,
// unloaded (deleted) when closed, closed by Escape.
void prepareWindow(QWidget& window, const char* name, const QString& caption);

// A secondary window as designed: prepared as above, with the program's
// font and a fixed size with no minimize or maximize button.
void prepareFixedWindow(QWidget& window, const char* name, const QString& caption, QSize size);

// Escape closes the window, as its close box does.
void closeOnEscape(QWidget& window);
// Escape runs the action instead.
void onEscape(QWidget& window, std::function<void()> action);

// A picture button: an artwork picture, no caption, a tool tip that also
// names it for screen readers.
QToolButton* pictureButton(QWidget* parent, const char* name, QRect geometry, const char* picture,
                           const QString& toolTip, int iconSize = 24);

// An editable, unsorted drop-down whose text part shows the prompt until an
// entry is picked from the list; typing never adds entries.
QComboBox* promptedPicker(QWidget* parent, const char* name, QRect geometry, const QString& prompt,
                          const QStringList& entries);

} // namespace velmor
