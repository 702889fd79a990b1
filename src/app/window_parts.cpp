#include "window_parts.h"

#include "fonts.h"

#include <QIcon>
#include <QToolButton>
#include <QWidget>

namespace velmor {

void prepareFixedWindow(QWidget& window, const char* name, const QString& caption, QSize size) {
    window.setObjectName(QString::fromLatin1(name));
    window.setWindowTitle(caption);
    window.setWindowIcon(QIcon(QStringLiteral(":/artwork/app.svg")));
    window.setLayoutDirection(Qt::RightToLeft);
    window.setFont(designedFormFont());
    window.setAttribute(Qt::WA_DeleteOnClose);
    window.setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);
    window.setFixedSize(size);
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

} // namespace velmor
