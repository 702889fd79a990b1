#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

namespace velmor {

// The chosen ayas: each one's result line and ID, kept together in the
// order chosen, with no line twice. A view follows the changes through the
// signals.
class ChosenList : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    qsizetype count() const { return lines_.size(); }
    QString line(qsizetype k) const { return lines_.value(k); }
    qint64 id(qsizetype k) const { return ids_.value(k); }
    const QStringList& lines() const { return lines_; }
    const QList<qint64>& ids() const { return ids_; }

    // Adds a result unless its line is already chosen. The scan yields after
    // each entry (the list may change meanwhile) and calls duplicate() for
    // each equal entry; nothing is added when the display is empty. The line
    // is copied before the first yield: what the caller's reference names
    // may change or go during one.
    void add(const QString& line, qint64 id, bool displayEmpty, const std::function<void()>& yield,
             const std::function<void()>& duplicate);

    // Removes entry k; an index outside the list changes nothing.
    void remove(qsizetype k);

signals:
    void added(const QString& line);
    void removed(int k);

private:
    QStringList lines_;
    QList<qint64> ids_;
};

} // namespace velmor
