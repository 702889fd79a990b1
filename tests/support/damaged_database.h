#pragma once

#include "catalogue.h"
#include "record_view.h"

#include <QDir>
#include <QFile>

namespace velmor::test {

// Writes into folder a copy of the database with one page damaged that a
// whole-text walk reaches only after some rows (a page of a long tafsir):
// the file opens, the walk fails halfway. Returns false when no such page
// was found near the middle of the file.
inline bool writeDatabaseDamagedHalfway(const QString& folder) {
    QFile source(QStringLiteral(VELMOR_TEST_DATABASE));
    source.open(QIODevice::ReadOnly);
    const QByteArray whole = source.readAll();
    const QString path = QDir(folder).filePath(QStringLiteral("zarqen.zq"));
    for (qsizetype page = whole.size() / 2048; page < whole.size() / 2048 + 40; ++page) {
        QByteArray bytes = whole;
        bytes[page * 1024 + 100] = static_cast<char>(bytes[page * 1024 + 100] ^ 0x5A);
        QFile::remove(path);
        QFile target(path);
        target.open(QIODevice::WriteOnly);
        target.write(bytes);
        target.close();
        store::Store store;
        store::RecordView view(store);
        view.setConnectionString(store::buildConnectionString(folder));
        view.setRecordSource(store::catalogue::partInWholeText(QStringLiteral("ا")));
        view.refresh();
        int rows = 0;
        for (; !view.eof(); view.moveNext()) {
            ++rows;
        }
        if (view.failed() && rows > 0) {
            return true;
        }
    }
    return false;
}

} // namespace velmor::test
