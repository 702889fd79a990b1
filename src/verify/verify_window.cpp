#include "verify_window.h"

#include "fonts.h"
#include "log.h"
#include "message_box.h"
#include "text_boxes.h"
#include "whole_file.h"
#include "window_parts.h"
#include "window_placement.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QStringDecoder>
#include <QTextBrowser>
#include <QToolTip>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

namespace velmor {

namespace {

constexpr int kPauseMs = 150;
constexpr qsizetype kTextLimit = qsizetype{1024} * 1024;

// The display's face, a size larger: the text and the ayas are read here.
QFont readingFont() {
    QFont font = designedDisplayFont();
    font.setPointSizeF(14);
    return font;
}

void rightToLeft(QTextDocument* document) {
    QTextOption option = document->defaultTextOption();
    option.setTextDirection(Qt::RightToLeft);
    option.setAlignment(Qt::AlignRight);
    document->setDefaultTextOption(option);
}

} // namespace

VerifyWindow::VerifyWindow(std::shared_ptr<verify::TextIndexes> indexes, QWidget* parent)
    : QWidget(parent), indexes_(std::move(indexes)) {
    prepareWindow(*this, "verifyWindow", QStringLiteral("التحقق من اقتباس"));
    resize(760, 620);
    centreOnScreen(*this);
    input = new QPlainTextEdit(this);
    input->setObjectName(QStringLiteral("verifyInput"));
    input->setAccessibleName(QStringLiteral("النص المراد التحقق منه"));
    input->setPlaceholderText(QStringLiteral("اكتب أو الصق هنا نصا فيه آيات…"));
    input->setFont(readingFont());
    rightToLeft(input->document());
    input->viewport()->installEventFilter(this);
    statusLine = new QLabel(this);
    statusLine->setObjectName(QStringLiteral("verifyStatus"));
    foundList = new QListWidget(this);
    foundList->setObjectName(QStringLiteral("verifyFound"));
    foundList->setAccessibleName(QStringLiteral("الاقتباسات"));
    detail = new QTextBrowser(this);
    detail->setObjectName(QStringLiteral("verifyDetail"));
    detail->setAccessibleName(QStringLiteral("الاقتباس ونص الآية"));
    detail->setFont(readingFont());
    rightToLeft(detail->document());
    copyButton = new QPushButton(QStringLiteral("نسخ النص الصحيح"), this);
    copyButton->setObjectName(QStringLiteral("verifyCopy"));
    copyButton->setEnabled(false);
    openButton = new QPushButton(QStringLiteral("فتح ملف…"), this);
    openButton->setObjectName(QStringLiteral("verifyOpen"));

    auto* lower = new QSplitter(Qt::Horizontal, this);
    lower->addWidget(foundList);
    lower->addWidget(detail);
    lower->setStretchFactor(1, 2);
    auto* split = new QSplitter(Qt::Vertical, this);
    split->addWidget(input);
    split->addWidget(lower);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(statusLine, 1);
    buttons->addWidget(openButton);
    buttons->addWidget(copyButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(split, 1);
    layout->addLayout(buttons);

    connectControls();
}

void VerifyWindow::connectControls() {
    pause_.setSingleShot(true);
    connect(&pause_, &QTimer::timeout, this, &VerifyWindow::startCheck);
    // Typing is checked when it pauses; a paste (more than a key's worth
    // at once) at the next turn of the event loop.
    connect(input->document(), &QTextDocument::contentsChange, this,
            [this](int, int removed, int added) {
                ++generation_;
                pause_.start(removed + added > 2 ? 0 : kPauseMs);
            });
    connect(&watcher_, &QFutureWatcherBase::finished, this, [this] {
        inFlight_ = false;
        std::vector<verify::Quotation> found = watcher_.result();
        if (running_ == generation_) {
            showFound(std::move(found));
        }
        if (again_ || running_ != generation_) {
            again_ = false;
            startCheck();
        }
    });
    connect(foundList, &QListWidget::currentRowChanged, this, &VerifyWindow::choose);
    connect(copyButton, &QPushButton::clicked, this, &VerifyWindow::copyCorrect);
    connect(openButton, &QPushButton::clicked, this, [this] {
        const QString path =
            QFileDialog::getOpenFileName(this, QStringLiteral("فتح ملف نصي"), {},
                                         QStringLiteral("نصوص (*.txt *.md);;كل الملفات (*)"));
        if (!path.isEmpty()) {
            openFile(path);
        }
    });
    statusLine->setText(QStringLiteral("اكتب نصا أو الصقه ليُتحقق مما فيه من آيات."));
}

VerifyWindow::~VerifyWindow() {
    // A check still running finishes on its own copies; its result is dropped.
    watcher_.disconnect(this);
}

void VerifyWindow::setText(const QString& text) {
    input->setPlainText(text);
}

bool VerifyWindow::checking() const {
    return pause_.isActive() || inFlight_ || running_ != generation_;
}

void VerifyWindow::startCheck() {
    pause_.stop();
    if (inFlight_) {
        again_ = true;
        return;
    }
    if (!finder_) {
        finder_ = indexes_->finder();
        if (!finder_) {
            statusLine->setText(QStringLiteral("تعذرت قراءة نص المصحف من قاعدة البيانات."));
            running_ = generation_;
            return;
        }
    }
    running_ = generation_;
    checkedText_ = input->toPlainText();
    inFlight_ = true;
    watcher_.setFuture(
        QtConcurrent::run([finder = finder_, text = checkedText_] { return finder->find(text); }));
}

void VerifyWindow::showFound(std::vector<verify::Quotation> found) {
    found_ = std::move(found);
    const verify::QuranWords& quran = finder_->quran();
    const QSignalBlocker blocker(foundList);
    foundList->clear();
    int exact = 0;
    for (const verify::Quotation& quotation : found_) {
        exact += quotation.exact() ? 1 : 0;
        auto* item = new QListWidgetItem(quotationTitle(quran, quotation), foundList);
        item->setToolTip(quotationTip(quran, quotation));
        item->setBackground(quotation.exact() ? colours_.exact : colours_.differs);
    }
    if (found_.empty()) {
        statusLine->setText(checkedText_.trimmed().isEmpty()
                                ? QStringLiteral("اكتب نصا أو الصقه ليُتحقق مما فيه من آيات.")
                                : QStringLiteral("لم يوجد في النص اقتباس من القرآن."));
    } else {
        statusLine->setText(QStringLiteral("الاقتباسات: %1، منها %2 مطابق و%3 فيه اختلاف.")
                                .arg(found_.size())
                                .arg(exact)
                                .arg(static_cast<int>(found_.size()) - exact));
    }
    detail->clear();
    copyButton->setEnabled(false);
    markInput();
    emit checked();
}

void VerifyWindow::markInput() {
    QList<QTextEdit::ExtraSelection> marks;
    for (const verify::Quotation& quotation : found_) {
        QTextCharFormat format;
        format.setBackground(quotation.exact() ? colours_.exact : colours_.differs);
        marks.append(
            markedStretch(input->document(), quotation.utf16Start, quotation.utf16Length, format));
    }
    input->setExtraSelections(marks);
}

void VerifyWindow::choose(int row) {
    if (row < 0 || row >= static_cast<int>(found_.size())) {
        return;
    }
    if (foundList->currentRow() != row) {
        foundList->setCurrentRow(row);
        return; // the list's signal comes back here
    }
    const verify::Quotation& quotation = found_[static_cast<std::size_t>(row)];
    const verify::QuranWords& quran = finder_->quran();
    detail->setHtml(quotationHtml(quran, quotation, checkedText_, colours_));
    copyButton->setEnabled(true);
    QTextCursor cursor(input->document());
    cursor.setPosition(static_cast<int>(quotation.utf16Start));
    input->setTextCursor(cursor);
    input->ensureCursorVisible();
    emit ayaChosen(quran.aya(quran.ayaOf(quotation.places.front().first)).id);
}

void VerifyWindow::copyCorrect() {
    const int row = foundList->currentRow();
    if (row < 0 || row >= static_cast<int>(found_.size())) {
        return;
    }
    copyToClipboard(
        correctText(finder_->quran(), found_[static_cast<std::size_t>(row)].places.front()));
    statusLine->setText(QStringLiteral("نُسخ النص الصحيح."));
}

void VerifyWindow::openFile(const QString& path) {
    const Outcome<QByteArray> bytes = readRegularFile(path, kTextLimit + 1);
    QStringDecoder decoder(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    const QString text = bytes ? decoder.decode(*bytes) : QString();
    if (!bytes || bytes->size() > kTextLimit || decoder.hasError()) {
        const QString why = !bytes                       ? bytes.reason()
                            : bytes->size() > kTextLimit ? QStringLiteral("more than 1 MiB")
                                                         : QStringLiteral("not UTF-8");
        qCWarning(velmorStore) << "a text to check was refused:" << path << why;
        statusLine->setText(
            QStringLiteral("تعذرت قراءة الملف «%1»: يقبل نص UTF-8 حتى 1 ميبيبايت.").arg(path));
        return;
    }
    setText(text);
}

bool VerifyWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == input->viewport() && event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const int at = input->cursorForPosition(help->pos()).position();
        for (const verify::Quotation& quotation : found_) {
            if (at >= quotation.utf16Start && at < quotation.utf16Start + quotation.utf16Length) {
                QToolTip::showText(help->globalPos(), quotationTip(finder_->quran(), quotation),
                                   input->viewport());
                return true;
            }
        }
        QToolTip::hideText();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace velmor
