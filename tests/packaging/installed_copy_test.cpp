// Drives an installed copy whose program folder the user running the test
// cannot write (see installed_copy.sh): the window starts, the font chosen
// in the options window survives a restart and the update notice is shown.
// The script checks that nothing in the installed tree is written.
#include "font_chooser.h"
#include "form1.h"
#include "form4.h"
#include "form6.h"
#include "notice_server.h"
#include "program_window.h"
#include "single_instance.h"
#include "windows.h"

#include <QCheckBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFontComboBox>
#include <QPlainTextEdit>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <unistd.h>

using namespace velmor;

namespace {

QString installedProgramFolder() {
    return qEnvironmentVariable("VELMOR_INSTALLED_PROGRAM_FOLDER");
}

class InstalledCopyTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(installedProgramFolder().isEmpty());
        // An ordinary user cannot write the program folder; root can, and
        // must leave it alone all the same (the script checks that).
        ASSERT_TRUE(::geteuid() == 0 || !QFileInfo(installedProgramFolder()).isWritable())
            << "the program folder must not be writable for this test";
    }

    std::unique_ptr<Form1> start() {
        auto form = std::make_unique<Form1>(installedProgramFolder());
        form->messageBox = [this](const QString&, const QString& text) { messages.append(text); };
        form->Form_Load();
        form->show();
        return form;
    }

    QStringList messages;
};

} // namespace

TEST_F(InstalledCopyTest, TheInstalledProgramStartsItsWindow) {
    const QString program = QDir(installedProgramFolder()).filePath(QStringLiteral("velmor"));
    QProcess window;
    EXPECT_TRUE(test::startWindowAndAwaitLock(
        window, program, SingleInstance(QFileInfo(program).canonicalFilePath()).lockFilePath()))
        << window.readAllStandardError().toStdString();
    test::stop(window);
}

TEST_F(InstalledCopyTest, TheChosenFontIsKeptForTheNextRun) {
    {
        auto form = start();
        form->option_Click();
        Form6* options = test::openWindow<Form6>();
        ASSERT_NE(options, nullptr);
        test::answerModal<FontChooser>([](FontChooser& chooser) {
            chooser.family->setEditText(QStringLiteral("Amiri"));
            chooser.size->setValue(16);
            chooser.bold->setChecked(true);
            chooser.accept();
        });
        options->Commandfont_Click();
        options->Command1_Click();
        EXPECT_TRUE(messages.isEmpty()) << messages.join(u'\n').toStdString();
    }
    auto restarted = start();
    const QFont display = restarted->Text1->font();
    EXPECT_EQ(display.family(), QStringLiteral("Amiri"));
    EXPECT_EQ(display.pointSizeF(), 16);
    EXPECT_TRUE(display.bold());
    EXPECT_FALSE(display.italic());
}

TEST_F(InstalledCopyTest, TheUpdateNoticeIsShown) {
    test::NoticeServer server(test::NoticeServer::response("200 OK", "v2.6\r\n"));
    qputenv("VELMOR_UPDATE_URL", server.url().toUtf8());
    auto form = start();
    form->update_Click();
    QPointer<Form4> notice = test::openWindow<Form4>();
    ASSERT_FALSE(notice.isNull());
    EXPECT_TRUE(QTest::qWaitFor([&] { return notice->isFetched(); }, 15000));
    EXPECT_EQ(notice->Text1->toPlainText(), QStringLiteral("v2.6\n"));
    notice->close();
}
