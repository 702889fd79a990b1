#include "addresses.h"
#include "form1.h"
#include "form2.h"
#include "form3.h"
#include "form4.h"
#include "main_window_fixture.h"
#include "notice_server.h"
#include "windows1256.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QTest>
#include <QTimer>
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

// A response whose body is size letters sent as a zlib stream.
QByteArray deflated(int size) {
    return test::NoticeServer::response("200 OK", qCompress(QByteArray(size, 'a')).mid(4),
                                        "Content-Encoding: deflate\r\n");
}

class InfoTest : public test::MainWindowTest {
protected:
    void TearDown() override {
        qunsetenv("VELMOR_UPDATE_URL");
        MainWindowTest::TearDown();
    }

    // Opens the updates window on url, noting what the program folder holds.
    Form4* openUpdates(const QString& url) {
        before = listing();
        qputenv("VELMOR_UPDATE_URL", url.toUtf8());
        form->update_Click();
        return test::openWindow<Form4>();
    }
    // The same, waiting for the fetch to end.
    Form4* fetchFrom(const QString& url, int timeoutMs = Form4::kDefaultTimeoutMs) {
        Form4* window = openUpdates(url);
        window->setTimeoutMs(timeoutMs);
        EXPECT_TRUE(QTest::qWaitFor([&] { return window->isFetched(); }, timeoutMs + 5000));
        return window;
    }

    QStringList listing() const {
        return QDir(folder.path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }
    // The program folder holds what it held before the window opened.
    bool noTemporaryFile() const { return listing() == before; }

    QStringList before;
};

} // namespace

TEST_F(InfoTest, TheNoticeIsShownAsItCameOrNotAtAll) {
    // A file of the notice's name is the user's: never read, written or removed.
    QFile own(folder.filePath(QStringLiteral("update2.5.txt")));
    ASSERT_TRUE(own.open(QIODevice::WriteOnly) && own.write("my own notes") == 12);
    own.close();
    const QString arabic = QStringLiteral("الإصدار 2.6 متاح الآن\r\nتحسينات في البحث");
    struct Case {
        const char* name;
        QByteArray response;
        QString shown;
    };
    const std::vector<Case> cases{
        {"Arabic code page", test::NoticeServer::response("200 OK", encodeWindows1256(arabic)),
         QString(arabic).replace(QStringLiteral("\r\n"), QStringLiteral("\n"))},
        {"not found page", test::NoticeServer::response("404 Not Found", "<html>404</html>"),
         QStringLiteral("<html>404</html>")},
        {"over the size limit",
         test::NoticeServer::response("200 OK", QByteArray(2 << 20, 'x')),
         {}},
        // The request asks for the body as it is; an encoded one is not read.
        {"deflated", deflated(1000), {}},
        {"chunked",
         "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n"
         "5\r\nhello\r\n6;x=y\r\n world\r\n0\r\n\r\n",
         QStringLiteral("hello world")},
        {"after an interim answer",
         "HTTP/1.1 100 Continue\r\n\r\n" + test::NoticeServer::response("200 OK", "after"),
         QStringLiteral("after")},
        {"to the connection's end", "HTTP/1.0 200 OK\r\n\r\nto the end",
         QStringLiteral("to the end")},
        {"cut short",
         "HTTP/1.1 200 OK\r\nContent-Length: 1000\r\nConnection: close\r\n\r\nshort",
         {}},
        {"the same length twice",
         "HTTP/1.1 200 OK\r\nContent-Length: 5\r\nContent-Length: 5\r\n\r\nhello",
         QStringLiteral("hello")},
        // Whichever length won, the notice shown would be wrong.
        {"two different lengths",
         "HTTP/1.1 200 OK\r\nContent-Length: 3\r\nContent-Length: 5\r\n\r\nhello",
         {}},
        {"two different lengths in one header",
         "HTTP/1.1 200 OK\r\nContent-Length: 5, 3\r\n\r\nhello",
         {}},
        // The chunk framing is never the notice.
        {"chunked then identity",
         "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\nTransfer-Encoding: identity\r\n\r\n"
         "5\r\nhello\r\n0\r\n\r\n",
         {}},
        {"chunked, identity in one header",
         "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked, identity\r\n\r\n"
         "5\r\nhello\r\n0\r\n\r\n",
         {}},
        {"a chunk size past any notice",
         "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n"
         "5\r\nhello\r\n7fffffffffffffff\r\nxxxx",
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::NoticeServer server(c.response);
        Form4* window = fetchFrom(server.url());
        EXPECT_TRUE(server.request().startsWith("GET /update2.5.txt HTTP/1.1"));
        EXPECT_EQ(window->Text1->toPlainText(), c.shown);
        // Nothing shown is said below the empty box.
        EXPECT_EQ(!window->waiting->isHidden(), c.shown.isEmpty());
        EXPECT_TRUE(noTemporaryFile());
        window->close();
        test::settle();
    }
    // Moved: the notice is fetched where it went.
    test::NoticeServer moved(test::NoticeServer::response("200 OK", "moved here"));
    test::NoticeServer mover("HTTP/1.1 302 Found\r\nLocation: " + moved.url().toLatin1() +
                             "\r\nContent-Length: 0\r\n\r\n");
    Form4* window = fetchFrom(mover.url());
    EXPECT_EQ(window->Text1->toPlainText(), QStringLiteral("moved here"));
    window->close();
    test::settle();
    // Nobody listening.
    EXPECT_TRUE(fetchFrom(QStringLiteral("http://127.0.0.1:1/update2.5.txt"))
                    ->Text1->toPlainText()
                    .isEmpty());
    EXPECT_EQ(test::fileBytes(own.fileName()), QByteArray("my own notes"));
}

TEST_F(InfoTest, AHostileServerCannotHoldTheFetchOrFillTheMemory) {
    struct Case {
        const char* name;
        QByteArray head;
        QByteArray piece;
        int intervalMs;
    };
    // A chunk of 32 KiB, sent every millisecond, never ending.
    QByteArray chunk =
        QByteArray::number(32 << 10, 16) + "\r\n" + QByteArray(32 << 10, 'x') + "\r\n";
    const std::vector<Case> cases{
        {"no answer at all", {}, {}, 0},
        {"a byte now and then", "HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\n", "x", 150},
        {"an endless chunked body", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n", chunk,
         1},
        {"endless headers", "HTTP/1.1 200 OK\r\n", "X-Pad: " + QByteArray(1000, 'p') + "\r\n", 1},
        {"one endless header line", "HTTP/1.1 200 OK\r\nX-Pad: ", QByteArray(32 << 10, 'p'), 1},
        {"endless interim answers", {}, "HTTP/1.1 100\n\n", 1},
        {"a chunk size past any notice, then data",
         "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nhello\r\n"
         "7fffffffffffffff\r\n",
         QByteArray(32 << 10, 'x'), 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // A server that never answers gets no head at all.
        test::NoticeServer server(c.head.isEmpty() && !c.piece.isEmpty() ? c.piece : c.head);
        server.stream(c.piece, c.intervalMs);
        Form4* window = fetchFrom(server.url(), 1500);
        EXPECT_TRUE(window->isFetched());
        EXPECT_TRUE(window->waiting->text().startsWith(QStringLiteral("تعذر جلب")));
        EXPECT_TRUE(window->Text1->toPlainText().isEmpty());
        EXPECT_TRUE(noTemporaryFile());
        // It stopped reading past the limit, long before the server stopped.
        EXPECT_LT(server.streamed(), 64 << 20);
        window->close();
        test::settle();
    }
}

// A body that ends in a reset, rather than the connection's orderly end, was
// cut short, whether it had a length or ran to the end.
TEST_F(InfoTest, ABodyEndedByAResetIsNotTheNotice) {
    for (const QByteArray& answer :
         {QByteArray("HTTP/1.0 200 OK\r\n\r\npart of a notice"),
          QByteArray("HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\npart of a notice")}) {
        test::ResetServer server(answer);
        Form4* window = fetchFrom(server.url());
        EXPECT_TRUE(window->Text1->toPlainText().isEmpty()) << answer.constData();
        EXPECT_TRUE(window->waiting->text().startsWith(QStringLiteral("تعذر جلب")));
        window->close();
        test::settle();
    }
}

// An internationalised host goes out in its ASCII form, in the request's
// Host header too (it went out as Latin-1).
TEST_F(InfoTest, AnInternationalisedHostGoesOutInItsAsciiForm) {
    test::NoticeServer server(test::NoticeServer::response("200 OK", "idn"));
    const QString url =
        server.url().replace(QStringLiteral("127.0.0.1"), QStringLiteral("تحديث.localhost"));
    Form4* window = fetchFrom(url);
    EXPECT_EQ(window->Text1->toPlainText(), QStringLiteral("idn"));
    const QByteArray host = QUrl(url).host(QUrl::FullyEncoded).toLatin1();
    EXPECT_TRUE(host.startsWith("xn--"));
    EXPECT_TRUE(server.request().contains("\r\nHost: " + host + ":"))
        << server.request().constData();
    window->close();
    test::settle();
}

// A head sent a byte at a time is read as it comes, and whole.
TEST_F(InfoTest, AResponseSentAByteAtATimeIsTheNotice) {
    test::NoticeServer server(test::NoticeServer::response("200 OK", "slowly"));
    server.drip(1);
    Form4* window = fetchFrom(server.url());
    EXPECT_EQ(window->Text1->toPlainText(), QStringLiteral("slowly"));
    window->close();
    test::settle();
}

// A server that floods its headers faster than they are read keeps the
// transfer's thread busy long after the fetch gave up; closing the window
// does not wait for it (it waited 5 s).
TEST_F(InfoTest, ClosingNeverWaitsOnAServerFloodingItsHeaders) {
    const QByteArray line = "X-Pad: " + QByteArray(1000, 'p') + "\r\n";
    const QByteArray status = "HTTP/1.1 200 OK\r\n";
    for (const auto& [head, piece] : {std::pair{status, line.repeated(64)},
                                      std::pair{status + "X-Pad: ", QByteArray(64 << 10, 'p')}}) {
        test::FloodServer server(head, piece);
        Form4* window = fetchFrom(server.url(), 1000);
        EXPECT_TRUE(window->waiting->text().startsWith(QStringLiteral("تعذر جلب")));
        QElapsedTimer closing;
        closing.start();
        window->close();
        test::settle();
        EXPECT_LT(closing.elapsed(), 1000);
    }
}

TEST_F(InfoTest, ANoticeThatCannotBeKeptForAMomentIsSaidSo) {
    const QString small = folder.filePath(QStringLiteral("small"));
    ASSERT_TRUE(QDir().mkpath(small));
    if (test::runProgram(QStringLiteral("mount"), {"-t", "tmpfs", "-o", "size=8k", "tmpfs", small})
            .exitCode != 0) {
        GTEST_SKIP() << "this machine does not let the test mount a small file system";
    }
    test::NoticeServer server(test::NoticeServer::response("200 OK", QByteArray(64 << 10, 'x')));
    qputenv("VELMOR_UPDATE_URL", server.url().toUtf8());
    QPointer<Form4> window = new Form4(small, form->messageBox);
    window->Form_Load();
    window->show();
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->isFetched(); }, 15000));
    EXPECT_TRUE(window->Text1->toPlainText().isEmpty());
    EXPECT_TRUE(window->waiting->text().startsWith(QStringLiteral("تعذر حفظ")));
    window->close();
    test::settle();
    test::runProgram(QStringLiteral("umount"), {small});
}

TEST_F(InfoTest, ALongNoticeWithoutLineBreaksIsShownInLines) {
    QByteArray words;
    while (words.size() < (1 << 20) - 16) {
        words += encodeWindows1256(QStringLiteral("تحديث "));
    }
    test::NoticeServer server(test::NoticeServer::response("200 OK", words));
    Form4* window = fetchFrom(server.url());
    const QStringList shown = window->Text1->toPlainText().split(u'\n');
    EXPECT_GT(shown.size(), 100);
    EXPECT_EQ(shown.join(u' '), decodeWindows1256(words));
}

TEST_F(InfoTest, ClosingDuringTheRequestAbortsItCleanly) {
    test::NoticeServer server({});
    QPointer<Form4> window = openUpdates(server.url());
    bool underWay = false;
    // Fires inside the fetch's wait, while the request is under way.
    QTimer::singleShot(200, [&] {
        underWay = window && !window->isFetched() && window->waiting->isVisible() &&
                   window->Text1->toPlainText().isEmpty();
        window->ok->trigger();
    });
    // Well before the ten-second time-out.
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.isNull(); }, 5000));
    EXPECT_TRUE(underWay);
    EXPECT_TRUE(noTemporaryFile());
}

TEST_F(InfoTest, TheNotesWindowIsModalOverTheAboutWindowAndCreditsTheData) {
    form->about_Click();
    Form2* about = test::openWindow<Form2>();
    form->searcht->setText(QStringLiteral("الصمد"));
    const auto fills = form->results().latestFill();
    clickThroughItsWindow(about->Command2);
    auto* notes = qobject_cast<Form3*>(QApplication::activeModalWidget());
    ASSERT_NE(notes, nullptr);
    // The about window and the main window take no input meanwhile.
    clickThroughItsWindow(about->Command2);
    clickThroughItsWindow(form->search);
    EXPECT_EQ(notes, qobject_cast<Form3*>(QApplication::activeModalWidget()));
    EXPECT_EQ(form->results().latestFill(), fills);
    // The Qur'an text's source and the tafsir's publisher and edition.
    for (const char* credit :
         {"https://tanzil.net", "مجمع الملك فهد", "tanzil.net/trans", "Noto Naskh Arabic", "Amiri",
          "SIL Open Font License", "KFGQPC HAFS Uthmanic Script", "بالرسم العثماني"}) {
        EXPECT_TRUE(notes->Text2->toPlainText().contains(QString::fromUtf8(credit))) << credit;
    }
    notes->Command1_Click();
    test::settle();
    EXPECT_EQ(QApplication::activeModalWidget(), about);
    // Once nothing blocks it, the same click reaches the main window.
    about->close();
    test::settle();
    clickThroughItsWindow(form->search);
    EXPECT_EQ(form->results().latestFill(), fills + 1);
}
