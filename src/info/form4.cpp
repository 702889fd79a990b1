#include "form4.h"

#include "addresses.h"
#include "first_show.h"
#include "fonts.h"
#include "log.h"
#include "notice_fetch.h"
#include "settings_file.h"
#include "text_boxes.h"
#include "window_parts.h"
#include "window_placement.h"
#include "windows1256.h"

#include <QAction>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTemporaryFile>
#include <QUrl>
#include <QVBoxLayout>

namespace velmor {

Form4::Form4(QString programFolder, MessageBox messageBox)
    : QWidget(nullptr), programFolder_(std::move(programFolder)),
      messageBox_(std::move(messageBox)),
      firstShow_(new FirstShow(*this, [this] { Form_Activate(); })) {
    prepareFixedWindow(*this, "Form4", QStringLiteral("آخر التحديثات"), QSize(420, 300));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    menuBar = new QMenuBar(this);
    ok = menuBar->addAction(QStringLiteral("موافق"));
    ok->setObjectName(QStringLiteral("ok"));
    note = menuBar->addAction(QStringLiteral("ملاحظات"));
    note->setObjectName(QStringLiteral("note"));
    gotoweb = menuBar->addAction(QStringLiteral("وصلة تهمك"));
    gotoweb->setObjectName(QStringLiteral("gotoweb"));
    layout->setMenuBar(menuBar);
    Text1 = makeReadOnlyTextBox(this, "Text1", designedDisplayFont(), Qt::AlignHCenter);
    Text1->setAccessibleName(windowTitle());
    layout->addWidget(Text1);
    // Says that the notice is on its way, below the notice's box.
    waiting = new QLabel(QStringLiteral("جارٍ جلب آخر التحديثات..."), this);
    waiting->setObjectName(QStringLiteral("waiting"));
    waiting->setAlignment(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter);
    waiting->setContentsMargins(6, 2, 6, 2);
    waiting->hide();
    layout->addWidget(waiting);

    connect(ok, &QAction::triggered, this, &Form4::ok_Click);
    connect(note, &QAction::triggered, this, &Form4::note_Click);
    connect(gotoweb, &QAction::triggered, this, &Form4::gotoweb_Click);
}

Form4::~Form4() = default;

void Form4::Form_Load() {
    centreOnScreen(*this);
}

void Form4::closeEvent(QCloseEvent* event) {
    // A fetch under way is abandoned at once.
    if (fetch_ != nullptr) {
        fetch_->cancel();
    }
    QWidget::closeEvent(event);
}

void Form4::Form_Activate() {
    if (fetched_ || fetch_ != nullptr || firstShow_->windowClosed()) {
        return;
    }
    waiting->show();
    setCursor(Qt::BusyCursor);
    NoticeLimits limits;
    limits.timeoutMs = timeoutMs_;
    fetch_ = new NoticeFetch(limits, this);
    connect(fetch_, &NoticeFetch::finished, this, &Form4::fetched);
    fetch_->start(QUrl(updateAddress()));
}

void Form4::fetched() {
    unsetCursor();
    fetched_ = true;
    // Text1 stays empty on a failure, as designed; the line below it says why.
    if (!fetch_->result()) {
        waiting->setText(QStringLiteral("تعذر جلب نص التحديث. اختر \"ملاحظات\" لمعرفة السبب."));
    } else if (!showNotice(*fetch_->result())) {
        qCInfo(velmorUpdate) << "the notice could not be kept in a temporary file";
        waiting->setText(QStringLiteral("تعذر حفظ نص التحديث في ملف مؤقت."));
    } else {
        waiting->hide();
    }
}

bool Form4::showNotice(const QByteArray& body) {
    // The notice passes through a file of its own, created afresh under a
    // name nobody else holds (a file or link the user keeps there is never
    // touched), in the program folder when it can be written and the copy is
    // not installed (else the temporary folder), and removed
    // whatever happens to it.
    const QString folder =
        QFileInfo(programFolder_).isWritable() && !settings::isInstalledCopy(programFolder_)
            ? programFolder_
            : QDir::tempPath();
    QTemporaryFile file(QDir(folder).filePath(QStringLiteral("update2.5.txt.XXXXXX")));
    if (!file.open() || file.write(body) != body.size() || !file.flush() || !file.seek(0)) {
        return false;
    }
    Text1->setPlainText(noticeForDisplay(decodeWindows1256(file.readAll())));
    return true;
}

void Form4::ok_Click() {
    close();
}

void Form4::note_Click() {
    messageBox_(applicationTitle(),
                QStringLiteral(
                    "في حال كان نص التحديث غريبا أو فارغ فيعود السبب  لأحد هذه النقاط , 1- لم تتصل "
                    "بالإنترنت , 2- موقع التحديث مغلق "));
}

void Form4::gotoweb_Click() {
    if (!QDesktopServices::openUrl(QUrl(webAddress()))) {
        messageBox_(applicationTitle(),
                    QStringLiteral("تعذر فتح المتصفح لعرض موقع البرنامج: ") + webAddress());
    }
}

} // namespace velmor
