#include "form6.h"
#include "library.h"
#include "library_support.h"
#include "reader_fixture.h"
#include "scripture.h"
#include "typing.h"

#include <QKeyEvent>
#include <QListView>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTabWidget>

using namespace velmor;

namespace {

library::Library& libraryOf(Form1& form) {
    return *form.ensureLibrary();
}

} // namespace

class LibraryWindowTest : public ReaderWindowTest {
protected:
    // Each test starts without a library or reading-window settings.
    void SetUp() override {
        const QString path = library::Library::defaultPath();
        for (const char* suffix : {"", "-wal", "-shm"}) {
            QFile::remove(path + QLatin1String(suffix));
        }
        for (const QString& other : QDir(QFileInfo(path).absolutePath()).entryList(QDir::Files)) {
            QFile::remove(QFileInfo(path).absolutePath() + u'/' + other);
        }
        QFile::remove(settingsPath());
        ReaderWindowTest::SetUp();
    }
    // The match chosen in the options window, as a user would.
    void chooseWholeWord(bool whole) {
        form->option_Click();
        Form6* options = test::openWindow<Form6>();
        ASSERT_NE(options, nullptr);
        (whole ? options->alone : options->withother)->setChecked(true);
        options->Command1_Click();
    }
    Form6* optionsWindow() const {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* o = qobject_cast<Form6*>(w)) {
                return o;
            }
        }
        return nullptr;
    }
};

// Ctrl+D bookmarks the current aya and Ctrl+D again removes it; its mark
// sits beside that aya's number in the collection's colour.
TEST_F(LibraryWindowTest, CtrlDTogglesTheCurrentAyasBookmarkAndItsMark) {
    ReaderWindow* window = openReader();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(window->goTo(QStringLiteral("البقرة 255")));
    const int aya = window->session().place().aya;
    QTest::keyClick(window, Qt::Key_D, Qt::ControlModifier);
    const auto marks = libraryOf(*form).bookmarks().value();
    ASSERT_EQ(marks.size(), 1U);
    EXPECT_EQ(marks[0].aya, (AyaRef{2, aya}));
    EXPECT_EQ(marks[0].collection, QStringLiteral("المفضلة"));
    const auto& shown = window->scripture->ayaMarks();
    ASSERT_EQ(shown.size(), 1U);
    const SuraText::Placed* placed = window->session().sura().find(window->session().current());
    EXPECT_EQ(shown[0].markerStart, placed->markerStart);
    EXPECT_EQ(shown[0].bookmark, QColor(library::collectionPalette()[0]));
    QTest::keyClick(window, Qt::Key_D, Qt::ControlModifier);
    EXPECT_TRUE(libraryOf(*form).bookmarks().value().empty());
    EXPECT_TRUE(window->scripture->ayaMarks().empty());
}

// A note of two paragraphs typed after Ctrl+E is saved while typing, and
// is there, with its mark, after the program starts again.
TEST_F(LibraryWindowTest, ANoteTypedIsKeptAcrossARestart) {
    ReaderWindow* window = openReader();
    ASSERT_TRUE(window->goTo(QStringLiteral("2:255")));
    QTest::keyClick(window, Qt::Key_E, Qt::ControlModifier);
    LibraryPanel* panel = window->libraryPanel;
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(panel->tabs->currentIndex(), 1);
    EXPECT_EQ(QApplication::focusWidget(), panel->noteEditor);
    const QString note = QStringLiteral("آية الكرسي\nالفقرة الثانية");
    test::typeInto(panel->noteEditor, note);
    // Saved within half a second of the typing, without closing anything.
    QTRY_COMPARE_WITH_TIMEOUT(test::askFile(libraryOf(*form).path(),
                                            "SELECT text FROM notes WHERE sura = 2 AND aya = 255"),
                              note, 5000);
    EXPECT_TRUE(window->scripture->ayaMarks().size() == 1 && window->scripture->ayaMarks()[0].note);
    // Typed on and closed at once: the last keys go out with the closing.
    test::typeInto(panel->noteEditor, QStringLiteral("!"));
    window->close();
    start();
    ReaderWindow* again = openReader();
    EXPECT_EQ(again->session().current(), idOf(2, 255)); // the place read last
    EXPECT_EQ(again->libraryPanel->noteEditor->toPlainText(), note + u'!');
    EXPECT_TRUE(again->libraryPanel->isVisible()); // the panel as it was left
    ASSERT_EQ(again->libraryPanel->notes.rowCount(), 1);
}

// Each search is kept, newest first; choosing one runs it again in the main
// window with its options.
TEST_F(LibraryWindowTest, ARecentSearchRunsAgainInTheMainWindow) {
    chooseWholeWord(false);
    searchFor(QStringLiteral("نور"));
    const QList<qint64> partial = resultIds();
    chooseWholeWord(true);
    searchFor(QStringLiteral("الرحمن"));
    ReaderWindow* window = openReader();
    LibraryPanel* panel = window->libraryPanel;
    ASSERT_EQ(panel->history.rowCount(), 2);
    EXPECT_TRUE(panel->history.index(0).data().toString().startsWith(QStringLiteral("الرحمن")));
    panel->historyList->setCurrentIndex(panel->history.index(1));
    emit panel->historyList->activated(panel->history.index(1));
    EXPECT_EQ(form->searcht->text(), QStringLiteral("نور"));
    ASSERT_NE(optionsWindow(), nullptr);
    EXPECT_TRUE(optionsWindow()->withother->isChecked());
    EXPECT_EQ(resultIds(), partial);
    EXPECT_EQ(resultIds(), test::referenceSearch(QStringLiteral("نور"), false,
                                                 [](const test::AyaPlace&) { return true; }));
    // Run again, it moved to the top.
    EXPECT_TRUE(panel->history.index(0).data().toString().startsWith(QStringLiteral("نور")));
    panel->confirm = [](const QString&) { return false; };
    panel->clearHistoryButton->click();
    EXPECT_EQ(panel->history.rowCount(), 2);
    panel->confirm = [](const QString&) { return true; };
    panel->clearHistoryButton->click();
    EXPECT_EQ(panel->history.rowCount(), 0);
    EXPECT_TRUE(libraryOf(*form).history().value().empty());
}

// A change made on the command line shows when the window is active again.
TEST_F(LibraryWindowTest, SeesWhatTheCommandLineChanged) {
    ReaderWindow* window = openReader();
    EXPECT_EQ(window->libraryPanel->bookmarks.rowCount(), 1); // the first collection
    const test::ProgramRun run =
        test::runVelmor({"--bookmark", "يس 1", "--collection", "حفظ", "--label", "قلب القرآن"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    QTRY_COMPARE(window->libraryPanel->bookmarks.rowCount(), 3);
    EXPECT_EQ(window->libraryPanel->bookmarks.index(2).data().toString(),
              QStringLiteral("يس : 1 — قلب القرآن"));
    // Chosen, the window goes there.
    emit window->libraryPanel->bookmarkList->activated(window->libraryPanel->bookmarks.index(2));
    EXPECT_EQ(window->session().current(), idOf(36, 1));
}

// The aya read last moves from the old settings file into the library, once.
TEST_F(LibraryWindowTest, TheOldSettingsFilesPlaceMovesIntoTheLibrary) {
    form.reset();
    ReaderPreferences old;
    old.lastAya = 300; // 3:7
    ASSERT_TRUE(old.save(settingsPath()));
    start();
    ReaderWindow* window = openReader();
    EXPECT_EQ(window->session().current(), 300);
    EXPECT_EQ(libraryOf(*form).lastRead().value(), (AyaRef{3, 7}));
    window->close();
    EXPECT_EQ(ReaderPreferences::load(settingsPath()).lastAya, std::nullopt);
}

// A library that is damaged is moved aside and said once; the program
// searches on.
TEST_F(LibraryWindowTest, ADamagedLibraryIsSaidAndTheProgramGoesOn) {
    form.reset();
    const QString path = library::Library::defaultPath();
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile::remove(path);
    QFile garbage(path);
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write(QByteArray(3000, '\x07'));
    garbage.close();
    start();
    QTRY_COMPARE(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QDir::toNativeSeparators(path)));
    EXPECT_TRUE(messages[0].contains(QStringLiteral(".damaged-")));
    searchFor(QStringLiteral("الرحمن"));
    EXPECT_GT(resultIds().size(), 0);
    EXPECT_EQ(messages.size(), 1);
    EXPECT_EQ(libraryOf(*form).history().value().size(), 1U);
}
