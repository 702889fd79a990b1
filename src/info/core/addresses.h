#pragma once

#include <QString>

namespace velmor {

// The program's web site, opened from the updates window and shown in the
// about window.
QString webAddress();
// The contact e-mail shown in the about window.
QString contactAddress();
// The update notice's address; the environment variable VELMOR_UPDATE_URL,
// when set, takes the place of the configured one.
QString updateAddress();

// The notice as the updates window shows it: line by line, a line far
// longer than the window broken at its blanks, so that no notice within the
// size limit takes long to lay out.
QString noticeForDisplay(const QString& notice);

// The notes window's text: seven paragraphs separated by blank lines (CR LF).
QString notesText();

} // namespace velmor
