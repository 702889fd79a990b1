#include "note_autosave.h"

namespace velmor::library {

NoteAutosave::NoteAutosave(Save save, QObject* parent) : QObject(parent), save_(std::move(save)) {
    timer_.setSingleShot(true);
    timer_.setInterval(kIntervalMs);
    connect(&timer_, &QTimer::timeout, this, [this] { (void)flush(); });
}

NoteAutosave::~NoteAutosave() {
    (void)flush();
}

void NoteAutosave::edited(AyaRef aya, const QString& text) {
    if (pending_ && !(pending_->aya == aya)) {
        (void)flush(); // another aya's note goes out whole first
    }
    pending_ = Pending{aya, text};
    if (!timer_.isActive()) {
        timer_.start();
    }
}

Done NoteAutosave::flush() {
    timer_.stop();
    if (!pending_) {
        return done();
    }
    Done result = save_(pending_->aya, pending_->text);
    if (!result) {
        emit failed(result.reason());
        return result;
    }
    const AyaRef aya = pending_->aya;
    pending_.reset();
    emit saved(aya);
    return result;
}

} // namespace velmor::library
