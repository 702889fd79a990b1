#pragma once

#include "main_window_fixture.h"
#include "reader_window.h"

#include <QTest>

namespace velmor {

class ReaderWindowTest : public test::MainWindowTest {
protected:
    ReaderWindow* openReader() {
        form->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(form.get()));
        QTest::keyClick(form.get(), Qt::Key_R, Qt::ControlModifier);
        // Its shortcuts work once it is the active window.
        if (form->readerWindow() != nullptr) {
            form->readerWindow()->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(form->readerWindow()));
        }
        return form->readerWindow();
    }
    qint64 idOf(int sura, int aya) const { return *reader()->session().mushaf().idOf({sura, aya}); }
    ReaderWindow* reader() const { return form->readerWindow(); }
    QString settingsPath() const { return readerSettingsPath(); }
};

} // namespace velmor
