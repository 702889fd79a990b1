#pragma once

// The events a screen reader would be sent, caught in-process. The offscreen
// platform has an accessibility of its own that is off, so no widget sends
// anything; this turns it on for as long as it lives, and takes every event
// in place of the platform.

#include <QAccessible>
#include <QPointer>
#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>
#include <vector>

namespace velmor::test {

class AccessibilityEvents {
public:
    struct Event {
        QAccessible::Event type;
        QPointer<QObject> object;
    };

    AccessibilityEvents() {
        seen().clear();
        QAccessible::installUpdateHandler([](QAccessibleEvent* event) {
            seen().push_back({event->type(), event->object()});
        });
        if (QPlatformAccessibility* platform = platformAccessibility()) {
            platform->setActive(true);
        }
    }
    ~AccessibilityEvents() {
        if (QPlatformAccessibility* platform = platformAccessibility()) {
            platform->setActive(false);
        }
        QAccessible::installUpdateHandler(nullptr);
        seen().clear();
    }
    AccessibilityEvents(const AccessibilityEvents&) = delete;
    AccessibilityEvents& operator=(const AccessibilityEvents&) = delete;

    // Whether the events reach us at all: a test that would pass on silence
    // checks this first.
    [[nodiscard]] static bool listening() { return QAccessible::isActive(); }

    [[nodiscard]] bool sent(QAccessible::Event type, const QObject* object) const {
        for (const Event& event : seen()) {
            if (event.type == type && event.object == object) {
                return true;
            }
        }
        return false;
    }
    void clear() { seen().clear(); }

private:
    static QPlatformAccessibility* platformAccessibility() {
        QPlatformIntegration* integration = QGuiApplicationPrivate::platformIntegration();
        return integration != nullptr ? integration->accessibility() : nullptr;
    }
    static std::vector<Event>& seen() {
        static std::vector<Event> events;
        return events;
    }
};

} // namespace velmor::test
