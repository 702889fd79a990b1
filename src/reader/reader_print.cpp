// The reading window's print, PDF and image, and its two tafsirs at once.
#include "aya_image.h"
#include "print_dialog.h"
#include "reader_window.h"
#include "record_view.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QMenu>
#include <QPlainTextEdit>
#include <QResizeEvent>
#include <QSettings>
#include <QSplitter>
#include <QStandardPaths>
#include <QToolButton>

namespace velmor {

namespace {
// The width of a window from which the two tafsirs stand side by side.
constexpr int kSideBySideWidth = 900;
} // namespace

QToolButton* ReaderWindow::buildShare() {
    shareButton = new QToolButton(this);
    shareButton->setObjectName(QStringLiteral("shareButton"));
    shareButton->setText(QStringLiteral("طباعة ومشاركة"));
    shareButton->setAccessibleName(shareButton->text());
    shareButton->setToolTip(QStringLiteral("طباعة سورة أو آيات، حفظها PDF، أو حفظ الآية صورة"));
    shareButton->setPopupMode(QToolButton::InstantPopup);
    auto* menu = new QMenu(shareButton);
    menu->addAction(QStringLiteral("طباعة وحفظ PDF…\tCtrl+P"), this, [this] { openPrint(); });
    menu->addAction(QStringLiteral("حفظ الآية صورة…"), this, [this] {
        const QString path = chooseImageFile ? chooseImageFile() : QString();
        if (!path.isEmpty()) {
            const Done saved = saveAyaImage(path);
            say(saved ? QStringLiteral("حُفظت الصورة في ") + path
                      : QStringLiteral("تعذر حفظ الصورة في ") + path);
        }
    });
    shareButton->setMenu(menu);
    chooseImageFile = [this] {
        return QFileDialog::getSaveFileName(
            this, QStringLiteral("حفظ الآية صورة"),
            QStandardPaths::writableLocation(QStandardPaths::PicturesLocation),
            QStringLiteral("PNG (*.png)"));
    };
    return shareButton;
}

void ReaderWindow::openPrint(std::vector<qint64> chosen) {
    if (!session_.ready() || session_.current() == 0) {
        return;
    }
    PrintDialog::Start start;
    start.current = session_.current();
    start.chosen = std::move(chosen);
    start.script = preferences_.script;
    PrintDialog::open(store_, connectionString_, std::move(start), this);
}

Done ReaderWindow::saveAyaImage(const QString& path) {
    store::RecordView view(store_);
    view.setConnectionString(connectionString_);
    const auto ayas =
        print::readPrintedAyas(view, {{session_.current()}, preferences_.script, std::nullopt});
    if (!ayas) {
        return Done::failed(ayas.reason());
    }
    const QSettings kept(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Velmor"),
                         QStringLiteral("print"));
    const int width =
        std::clamp(kept.value(QStringLiteral("imageWidth"), print::kImageWidth).toInt(),
                   print::kMinimumImageWidth, print::kMaximumImageWidth);
    return print::writeImage(print::ayaImage(*ayas, preferences_.script, preferences_.theme, width),
                             path);
}

void ReaderWindow::setBothTafsirs(bool both) {
    preferences_.bothTafsirs = both;
    const QSignalBlocker quiet(bothTafsirs);
    bothTafsirs->setChecked(both);
    otherTafsirPane->setVisible(both);
    showTafsir();
}

void ReaderWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    tafsirSplit->setOrientation(event->size().width() >= kSideBySideWidth ? Qt::Horizontal
                                                                          : Qt::Vertical);
}

} // namespace velmor
