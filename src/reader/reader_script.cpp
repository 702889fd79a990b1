// The reading window's script: the simple spelling or the Uthmani text.
#include "reader_window.h"

#include <QComboBox>

namespace velmor {

void ReaderWindow::setScript(Script script) {
    preferences_.script = script;
    scriptPicker->setCurrentIndex(
        scriptPicker->findData(QVariant::fromValue(static_cast<int>(script))));
    if (!session_.setScript(script)) {
        return;
    }
    // The text is laid out once, in its new face.
    scripture->clear();
    scripture->setFont(scriptureFont());
    showSura();
    markAyas();
    scrollToCurrent();
    if (recitation_) {
        setReciting(true); // the words are the other script's now
    }
}

} // namespace velmor
