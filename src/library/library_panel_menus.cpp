// The side panel's menus: a collection's and a bookmark's, and the
// library's export and import.
#include "library_exchange.h"
#include "library_panel.h"
#include "whole_file.h"

#include <QColor>
#include <QDir>
#include <QInputDialog>
#include <QListView>
#include <QMenu>
#include <QPixmap>

namespace velmor {

namespace {

QIcon swatch(const QString& color) {
    QPixmap square(14, 14);
    square.fill(QColor(color));
    return QIcon(square);
}

} // namespace

void LibraryPanel::bookmarkMenu(const QPoint& at) {
    if (library_ == nullptr) {
        return;
    }
    const QModelIndex index = bookmarkList->indexAt(at);
    QMenu menu(this);
    if (index.isValid() && !index.data(library::HeadingRole).toBool()) {
        markMenu(index, menu);
        menu.addSeparator();
    }
    if (index.isValid()) {
        collectionMenu(index.data(library::CollectionRole).toString(), menu);
        menu.addSeparator();
    }
    menu.addAction(QStringLiteral("مجموعة جديدة…"), this, [this] {
        const QString name = QInputDialog::getText(this, QStringLiteral("مجموعة جديدة"),
                                                   QStringLiteral("اسم المجموعة:"));
        if (!name.trimmed().isEmpty() && !sayFailure(library_->addCollection(name.trimmed()))) {
            reload();
        }
    });
    menu.exec(bookmarkList->viewport()->mapToGlobal(at));
}

void LibraryPanel::markMenu(const QModelIndex& index, QMenu& menu) {
    const AyaRef aya = library::ayaOfKey(index.data(library::AyaRole).toInt());
    const QString collection = index.data(library::CollectionRole).toString();
    menu.addAction(QStringLiteral("تسمية العلامة…"), this, [this, aya, collection] {
        bool ok = false;
        const QString label =
            QInputDialog::getText(this, QStringLiteral("تسمية العلامة"), QStringLiteral("التسمية:"),
                                  QLineEdit::Normal, {}, &ok);
        if (ok && !sayFailure(library_->setBookmarkLabel(aya, collection, label.trimmed()))) {
            reload();
        }
    });
    QMenu* move = menu.addMenu(QStringLiteral("نقل إلى"));
    for (const library::Collection& other : library_->collections().value_or({})) {
        if (other.name != collection) {
            move->addAction(swatch(other.color), other.name, this, [this, aya, collection, other] {
                if (!sayFailure(library_->moveBookmark(aya, collection, other.name))) {
                    reload();
                    emit marksChanged();
                }
            });
        }
    }
    move->setEnabled(!move->isEmpty());
    menu.addAction(QStringLiteral("إزالة العلامة"), this, [this, aya, collection] {
        if (!sayFailure(library_->removeBookmark(aya, collection))) {
            reload();
            emit marksChanged();
        }
    });
}

void LibraryPanel::collectionMenu(const QString& collection, QMenu& menu) {
    menu.addAction(QStringLiteral("إعادة تسمية «%1»…").arg(collection), this, [this, collection] {
        bool ok = false;
        const QString name = QInputDialog::getText(this, QStringLiteral("إعادة تسمية المجموعة"),
                                                   QStringLiteral("الاسم الجديد:"),
                                                   QLineEdit::Normal, collection, &ok);
        if (ok && !sayFailure(library_->renameCollection(collection, name.trimmed()))) {
            reload();
        }
    });
    QMenu* colours = menu.addMenu(QStringLiteral("اللون"));
    for (const QString& color : library::collectionPalette()) {
        colours->addAction(swatch(color), color, this, [this, collection, color] {
            if (!sayFailure(library_->setCollectionColor(collection, color))) {
                reload();
                emit marksChanged();
            }
        });
    }
    const auto all = library_->collections().value_or({});
    const auto at = std::find_if(
        all.begin(), all.end(), [&](const library::Collection& c) { return c.name == collection; });
    const int position = static_cast<int>(at - all.begin());
    for (const auto& [caption, to] : {std::pair{QStringLiteral("تقديم المجموعة"), position - 1},
                                      std::pair{QStringLiteral("تأخير المجموعة"), position + 1}}) {
        QAction* step = menu.addAction(caption, this, [this, collection, to = to] {
            if (!sayFailure(library_->moveCollection(collection, to))) {
                reload();
            }
        });
        step->setEnabled(to >= 0 && to < static_cast<int>(all.size()));
    }
    QAction* remove =
        menu.addAction(QStringLiteral("حذف المجموعة بعلاماتها"), this, [this, collection] {
            if (confirm(QStringLiteral("أتحذف المجموعة «%1» وعلاماتها كلها؟").arg(collection)) &&
                !sayFailure(library_->removeCollection(collection))) {
                reload();
                emit marksChanged();
            }
        });
    remove->setEnabled(all.size() > 1);
}

void LibraryPanel::exportLibrary() {
    const QString path =
        chooseFile(true, QStringLiteral("تصدير المكتبة"), QStringLiteral("JSON (*.json)"));
    if (path.isEmpty() || library_ == nullptr) {
        return;
    }
    const Done written = library::exportTo(*library_, path);
    say(written ? QStringLiteral("صدرت المكتبة إلى ") + QDir::toNativeSeparators(path)
                : QStringLiteral("تعذرت كتابة الملف %1: %2")
                      .arg(QDir::toNativeSeparators(path), written.reason()));
}

void LibraryPanel::importLibrary() {
    const QString path =
        chooseFile(false, QStringLiteral("استيراد مكتبة"), QStringLiteral("JSON (*.json)"));
    if (path.isEmpty() || library_ == nullptr) {
        return;
    }
    flushNote();
    const Outcome<QByteArray> bytes = library::readImport(path);
    const Outcome<library::Contents> contents =
        bytes ? library::fromJson(*bytes) : Outcome<library::Contents>::failed(bytes.reason());
    if (!contents) {
        say(QStringLiteral("لم يستورد الملف %1: %2")
                .arg(QDir::toNativeSeparators(path), contents.reason()));
        return;
    }
    if (!sayFailure(library::merge(*library_, *contents))) {
        say(QStringLiteral("استوردت المكتبة من ") + QDir::toNativeSeparators(path));
        reload();
        emit marksChanged();
    }
}

void LibraryPanel::exportNotes() {
    const QString path =
        chooseFile(true, QStringLiteral("تصدير الملاحظات"), QStringLiteral("Markdown (*.md)"));
    if (path.isEmpty() || library_ == nullptr) {
        return;
    }
    flushNote();
    const auto all = library_->notes();
    if (!all) {
        say(all.reason());
        return;
    }
    const QString markdown = library::notesMarkdown(
        *all, ayaText ? ayaText : std::function<QString(AyaRef)>([](AyaRef) { return QString(); }));
    const Done written = replaceFile(path, markdown.toUtf8(), Folder::MustExist);
    say(written ? QStringLiteral("صدرت الملاحظات إلى ") + QDir::toNativeSeparators(path)
                : QStringLiteral("تعذرت كتابة الملف %1: %2")
                      .arg(QDir::toNativeSeparators(path), written.reason()));
}

} // namespace velmor
