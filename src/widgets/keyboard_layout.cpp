#include "keyboard_layout.h"

#include <QGuiApplication>

#if defined(Q_OS_WIN)
#include <windows.h>
#elif defined(VELMOR_HAVE_X11)
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#endif

namespace velmor {

void activateArabicKeyboard() {
#if defined(Q_OS_WIN)
    LoadKeyboardLayoutW(L"00000401", KLF_ACTIVATE);
#elif defined(VELMOR_HAVE_X11)
    if (qGuiApp == nullptr) {
        return;
    }
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    Display* display = x11 ? x11->display() : nullptr;
    if (display == nullptr) {
        return; // not on X11 (offscreen, Wayland): nothing to switch
    }
    XkbDescPtr keyboard = XkbAllocKeyboard();
    if (keyboard == nullptr) {
        return;
    }
    if (XkbGetNames(display, XkbGroupNamesMask, keyboard) == Success && keyboard->names) {
        for (int group = 0; group < XkbNumKbdGroups; ++group) {
            const Atom atom = keyboard->names->groups[group];
            if (atom == None) {
                continue;
            }
            char* name = XGetAtomName(display, atom);
            const bool arabic = name && QString::fromUtf8(name).contains(QStringLiteral("Arabic"),
                                                                         Qt::CaseInsensitive);
            XFree(name);
            if (arabic) {
                XkbLockGroup(display, XkbUseCoreKbd, static_cast<unsigned>(group));
                XFlush(display);
                break;
            }
        }
    }
    XkbFreeKeyboard(keyboard, 0, True);
#endif
}

} // namespace velmor
