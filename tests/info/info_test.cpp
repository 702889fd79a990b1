#include "addresses.h"
#include "form1.h"
#include "form2.h"
#include "form3.h"
#include "form4.h"
#include "form6.h"
#include "form7.h"
#include "main_window_fixture.h"
#include "tray_area.h"
#include "windows1256.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <gtest/gtest.h>

using namespace velmor;

namespace {

// A click delivered as the window system delivers it, so that a window
// blocked by a modal one does not receive it.
void clickThroughItsWindow(QWidget* widget) {
    QWidget* window = widget->window();
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                      widget->mapTo(window, widget->rect().center()));
}

int openNotesWindows() {
    int count = 0;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        count += qobject_cast<Form3*>(window) != nullptr && window->isVisible() ? 1 : 0;
    }
    return count;
}

// An HTTP server of the test's own on 127.0.0.1 that answers every request
// with one canned response (or, when silent, never answers).
class NoticeServer : public QObject {
public:
    explicit NoticeServer(QByteArray response, bool silent = false)
        : response_(std::move(response)), silent_(silent) {
        server_.listen(QHostAddress::LocalHost, 0);
        connect(&server_, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection()) {
                socket->setParent(this);
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    request_ += socket->readAll();
                    if (!silent_ && request_.contains("\r\n\r\n")) {
                        socket->write(response_);
                        socket->disconnectFromHost();
                    }
                });
            }
        });
    }
    QString url() const {
        return QStringLiteral("http://127.0.0.1:%1/update2.5.txt").arg(server_.serverPort());
    }
    const QByteArray& request() const { return request_; }

    static QByteArray response(const QByteArray& status, const QByteArray& body) {
        return "HTTP/1.1 " + status + "\r\nContent-Type: text/plain\r\nContent-Length: " +
               QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
    }

private:
    QTcpServer server_;
    QByteArray response_;
    QByteArray request_;
    bool silent_;
};

// Receives the addresses the program asks the desktop to open.
class UrlHandler : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened.append(url); }
};

class InfoTest : public test::MainWindowTest {
protected:
    void SetUp() override { start(); }
    void TearDown() override { qunsetenv("VELMOR_UPDATE_URL"); }

    // Opens the updates window on url and waits for its fetch to end.
    Form4* fetchFrom(const QString& url, int timeoutMs = Form4::kDefaultTimeoutMs) {
        qputenv("VELMOR_UPDATE_URL", url.toUtf8());
        form->update_Click();
        Form4* window = form->form4;
        window->setTimeoutMs(timeoutMs);
        EXPECT_TRUE(QTest::qWaitFor([&] { return window->isFetched(); }, timeoutMs + 5000));
        return window;
    }

    // The program folder holds what it held before the window opened.
    bool noTemporaryFile() const {
        return QDir(folder.path())
                   .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot) ==
               QStringList{QStringLiteral("zarqen.zq")};
    }
};

} // namespace

TEST(Addresses, ReservedDomainsAndTheNoticeName) {
    EXPECT_TRUE(QUrl(webAddress()).host().endsWith(QStringLiteral(".example")));
    EXPECT_TRUE(contactAddress().endsWith(QStringLiteral("@velmor.example")));
    qunsetenv("VELMOR_UPDATE_URL");
    EXPECT_TRUE(updateAddress().endsWith(QStringLiteral("/update2.5.txt")));
    qputenv("VELMOR_UPDATE_URL", "http://127.0.0.1:1/update2.5.txt");
    EXPECT_EQ(updateAddress(), QStringLiteral("http://127.0.0.1:1/update2.5.txt"));
    qunsetenv("VELMOR_UPDATE_URL");
}

TEST_F(InfoTest, ANoticeInTheArabicCodePageIsShownExactly) {
    const QString notice = QStringLiteral("الإصدار 2.6 متاح الآن\r\nتحسينات في البحث\r\nشكرا لكم");
    NoticeServer server(NoticeServer::response("200 OK", encodeWindows1256(notice)));
    Form4* window = fetchFrom(server.url());
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(server.request().startsWith("GET /update2.5.txt HTTP/1.1"));
    EXPECT_EQ(window->noticeText(), notice);
    EXPECT_EQ(window->Text1->toPlainText(),
              QString(notice).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    EXPECT_TRUE(noTemporaryFile());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("آخر التحديثات"));
    EXPECT_EQ(window->windowModality(), Qt::ApplicationModal);
}

TEST_F(InfoTest, TheUsersOwnFilesOfTheNoticesNameAreLeftAlone) {
    QFile own(folder.file(QStringLiteral("update2.5.txt")));
    ASSERT_TRUE(own.open(QIODevice::WriteOnly));
    own.write("my own notes");
    own.close();
    NoticeServer server(NoticeServer::response("200 OK", "new"));
    Form4* window = fetchFrom(server.url());
    EXPECT_EQ(window->Text1->toPlainText(), QStringLiteral("new"));
    ASSERT_TRUE(own.open(QIODevice::ReadOnly));
    EXPECT_EQ(own.readAll(), QByteArray("my own notes"));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
}

TEST_F(InfoTest, ANotFoundPageIsShownAsItCame) {
    NoticeServer server(NoticeServer::response("404 Not Found", "<html>404 Not Found</html>"));
    Form4* window = fetchFrom(server.url());
    EXPECT_EQ(window->Text1->toPlainText(), QStringLiteral("<html>404 Not Found</html>"));
    EXPECT_TRUE(noTemporaryFile());
}

TEST_F(InfoTest, ARefusedConnectionLeavesTheBoxEmpty) {
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost, 0));
    const quint16 port = closed.serverPort();
    closed.close();
    Form4* window = fetchFrom(QStringLiteral("http://127.0.0.1:%1/update2.5.txt").arg(port));
    EXPECT_TRUE(window->Text1->toPlainText().isEmpty());
    EXPECT_TRUE(noTemporaryFile());
}

TEST_F(InfoTest, AServerThatNeverAnswersTimesOut) {
    NoticeServer server({}, true);
    QElapsedTimer timer;
    timer.start();
    Form4* window = fetchFrom(server.url(), 800);
    EXPECT_LT(timer.elapsed(), 800 + 3000);
    EXPECT_GE(timer.elapsed(), 700);
    EXPECT_TRUE(window->Text1->toPlainText().isEmpty());
    EXPECT_TRUE(noTemporaryFile());
}

TEST_F(InfoTest, AnOversizedBodyIsAbandoned) {
    NoticeServer server(NoticeServer::response("200 OK", QByteArray(2 * 1024 * 1024, 'x')));
    Form4* window = fetchFrom(server.url());
    EXPECT_TRUE(window->Text1->toPlainText().isEmpty());
    EXPECT_TRUE(noTemporaryFile());
}

TEST_F(InfoTest, ClosingDuringTheRequestAbortsItCleanly) {
    NoticeServer server({}, true);
    qputenv("VELMOR_UPDATE_URL", server.url().toUtf8());
    form->update_Click();
    QPointer<Form4> window = form->form4;
    bool underWay = false;
    // Fires inside the fetch's wait, while the request is under way.
    QTimer::singleShot(200, [&] {
        underWay = window && !window->isFetched();
        window->ok->trigger();
    });
    QElapsedTimer timer;
    timer.start();
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.isNull(); }, 5000));
    EXPECT_TRUE(underWay);
    EXPECT_LT(timer.elapsed(), 3000); // not the ten-second time-out
    EXPECT_TRUE(noTemporaryFile());
}

TEST_F(InfoTest, MenuNoteAndLink) {
    NoticeServer server(NoticeServer::response("200 OK", "x"));
    Form4* window = fetchFrom(server.url());
    QStringList captions;
    for (const QAction* item : window->menuBar->actions()) {
        captions.append(item->text());
    }
    EXPECT_EQ(captions, (QStringList{QStringLiteral("موافق"), QStringLiteral("ملاحظات"),
                                     QStringLiteral("وصلة تهمك")}));

    window->note->trigger();
    EXPECT_EQ(messages, QStringList{QStringLiteral(
                            "في حال كان نص التحديث غريبا أو فارغ فيعود السبب  لأحد هذه "
                            "النقاط , 1- لم تتصل بالإنترنت , 2- موقع التحديث مغلق ")});

    UrlHandler handler;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &handler, "open");
    window->gotoweb->trigger();
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    EXPECT_EQ(handler.opened, QList<QUrl>{QUrl(webAddress())});
    EXPECT_TRUE(window->isVisible()); // the window stays open
    window->ok->trigger();
    EXPECT_FALSE(window->isVisible());
}

TEST_F(InfoTest, AboutWindow) {
    form->about->trigger();
    Form2* about = form->form2;
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->isVisible());
    EXPECT_EQ(about->windowModality(), Qt::ApplicationModal);
    EXPECT_EQ(about->windowTitle(), QStringLiteral("عن برنامج Velmor"));
    EXPECT_EQ(about->Label1->text(), QStringLiteral("برنامج Velmor - في القرآن الكريم"));
    EXPECT_EQ(about->Label5->text(), QStringLiteral("الإصدار 2.5"));
    EXPECT_EQ(about->Label4->text(), QStringLiteral("تفضلوا لدخول موقع البرنامج"));
    EXPECT_EQ(about->Label3->text(), QStringLiteral(" للاستعلام و التواصل و إرسال المقترحات"));
    EXPECT_EQ(about->Text2->text(), webAddress());
    EXPECT_EQ(about->Text3->text(), contactAddress());
    EXPECT_TRUE(about->Text2->isReadOnly());
    EXPECT_TRUE(about->Text3->isReadOnly());
    EXPECT_EQ(about->Command2->toolTip(), QStringLiteral("ملاحظات مهمة"));
    EXPECT_EQ(about->Command1->toolTip(), QStringLiteral("إغلاق"));
    about->Command1_Click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(form->form2.isNull());
    // Each opening is a new window.
    form->aboutme->trigger();
    EXPECT_FALSE(form->form2.isNull());
}

TEST_F(InfoTest, TheNotesWindowIsModalOverTheAboutWindowAndShowsTheSameText) {
    form->about_Click();
    Form2* about = form->form2;
    QString firstText;
    // The check itself: the same click reaches the window when nothing blocks it.
    const auto before = form->results.latestFill();
    form->searcht->setText(QStringLiteral("الصمد"));
    about->hide();
    clickThroughItsWindow(form->search);
    ASSERT_EQ(form->results.latestFill(), before + 1);
    about->show();
    for (int opening = 0; opening < 2; ++opening) {
        clickThroughItsWindow(about->Command2);
        auto* notes = qobject_cast<Form3*>(QApplication::activeModalWidget());
        ASSERT_NE(notes, nullptr);
        EXPECT_EQ(notes->windowTitle(), QStringLiteral("ملاحظات"));
        EXPECT_TRUE(notes->Text2->isReadOnly());
        EXPECT_EQ(notes->Text2->focusPolicy(), Qt::NoFocus);
        // The about window and the main window take no input meanwhile.
        clickThroughItsWindow(about->Command2);
        EXPECT_EQ(openNotesWindows(), 1);
        form->searcht->setText(QStringLiteral("الصمد"));
        const auto fills = form->results.latestFill();
        clickThroughItsWindow(form->search);
        EXPECT_EQ(form->results.latestFill(), fills);
        if (opening == 0) {
            firstText = notes->Text2->toPlainText();
        } else {
            EXPECT_EQ(notes->Text2->toPlainText(), firstText);
        }
        notes->Command1_Click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    EXPECT_EQ(QApplication::activeModalWidget(), about);
}

TEST(NotesText, SixParagraphsWithTheRequiredCredits) {
    const QStringList paragraphs = notesText().split(QStringLiteral("\r\n\r\n"));
    ASSERT_EQ(paragraphs.size(), 6);
    EXPECT_EQ(paragraphs[0], QStringLiteral("برنامج Velmor - في القرآن الكريم"));
    EXPECT_TRUE(paragraphs[1].contains(QStringLiteral("Tanzil")));
    EXPECT_TRUE(paragraphs[1].contains(QStringLiteral("tanzil.net")));
    EXPECT_TRUE(paragraphs[2].contains(QStringLiteral("التفسير الميسر")));
    EXPECT_TRUE(paragraphs[2].contains(QStringLiteral("مجمع الملك فهد")));
    EXPECT_TRUE(paragraphs[2].contains(QStringLiteral("tanzil.net/trans")));
    EXPECT_TRUE(paragraphs[3].startsWith(QStringLiteral("ملاحظة :")));
    EXPECT_FALSE(notesText().contains(QRegularExpression(QStringLiteral("(?<!\r)\n"))));
}

TEST_F(InfoTest, TheTrayMenuOpensTheWindowsWhileTheMainWindowIsHidden) {
    form->min_Click();
    form->aboutme->trigger();
    ASSERT_FALSE(form->form2.isNull());
    EXPECT_TRUE(form->form2->isVisible());
    EXPECT_FALSE(form->isVisible());
    form->form2->close();
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(form->isShutDown());
}

TEST_F(InfoTest, ShutDownUnloadsEveryOpenWindow) {
    form->about_Click();
    QTest::mouseClick(form->form2->Command2, Qt::LeftButton);
    QPointer<QWidget> notes = QApplication::activeModalWidget();
    form->fullsearch_Click();
    form->option_Click();
    QPointer<QWidget> finder = form->form7.data();
    QPointer<QWidget> options = form->form6.data();
    form->closeme_Click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(form->form2.isNull());
    EXPECT_TRUE(notes.isNull());
    EXPECT_TRUE(finder.isNull());
    EXPECT_TRUE(options.isNull());
    EXPECT_FALSE(form->t->showIcon());
}

#include "info_test.moc"
