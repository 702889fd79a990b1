#pragma once

#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

namespace velmor::test {

// A program folder of the test's own, holding the generated database (a
// link to it), so tests that write the settings file never meet.
class ProgramFolder {
public:
    ProgramFolder() {
        QFile::link(QStringLiteral(VELMOR_TEST_DATABASE),
                    dir_.filePath(QStringLiteral("zarqen.zq")));
    }
    QString path() const { return dir_.path(); }
    QString file(const QString& name) const { return dir_.filePath(name); }

private:
    QTemporaryDir dir_;
};

} // namespace velmor::test
