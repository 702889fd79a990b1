// The reading window's script (the simple spelling or the Uthmani text)
// and the face and size of its text.
#include "reader_look.h"
#include "reader_window.h"
#include "script_font.h"

#include <QAbstractTextDocumentLayout>
#include <QComboBox>
#include <QLabel>
#include <QSignalBlocker>

namespace velmor {

void ReaderWindow::setScript(Script script) {
    preferences_.script = script;
    scriptPicker->setCurrentIndex(
        scriptPicker->findData(QVariant::fromValue(static_cast<int>(script))));
    if (!session_.setScript(script)) {
        return;
    }
    // The text is laid out once, in its new face, from the page in view.
    // The new face only drops the old layout: the view, not told, lays out
    // nothing of the old text in it, and learns of both with the new text,
    // which has the same pages.
    {
        const QSignalBlocker quiet(scripture->document()->documentLayout());
        scripture->setFont(scriptureFont());
    }
    showSura();
    markAyas();
    scrollToCurrent();
    if (recitation_) {
        setReciting(true); // the words are the other script's now
    }
}

void ReaderWindow::setScriptureSize(double points) {
    preferences_.scriptureSize = steppedSize(points, 0);
    scripture->setFont(scriptureFont());
    QFont header = readerFont(preferences_.scriptureSize * 0.8);
    header.setBold(true);
    suraHeader->setFont(header);
    scrollToCurrent();
}

QFont ReaderWindow::scriptureFont() const {
    return preferences_.script == Script::Uthmani
               ? scriptFont(Script::Uthmani, preferences_.scriptureSize)
               : readerFont(preferences_.scriptureSize);
}

} // namespace velmor
