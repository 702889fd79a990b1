#pragma once

#include "outcome.h"
#include "reference.h"

#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <optional>

namespace velmor::library {

// Keeps a note as the reader types it: the first change after a save starts
// a half-second wait, the changes within it go out in one save at its end,
// and a flush (the editor closing, another aya chosen) saves what waits at
// once. A save that fails keeps the text waiting, to go out with the next.
class NoteAutosave : public QObject {
    Q_OBJECT
public:
    static constexpr int kIntervalMs = 500;
    using Save = std::function<Done(AyaRef, const QString&)>;

    explicit NoteAutosave(Save save, QObject* parent = nullptr);
    ~NoteAutosave() override;

    // The note of this aya now reads so.
    void edited(AyaRef aya, const QString& text);
    // Saves what waits now; gives the failure, if any.
    [[nodiscard]] Done flush();
    bool waiting() const { return pending_.has_value(); }

signals:
    // A save failed; the reason names the file.
    void failed(const QString& reason);
    void saved(AyaRef aya);

private:
    struct Pending {
        AyaRef aya;
        QString text;
    };
    Save save_;
    QTimer timer_;
    std::optional<Pending> pending_;
};

} // namespace velmor::library
