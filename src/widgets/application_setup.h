#pragma once

class QApplication;

namespace velmor {

// Everything the windows expect of the application before the first one is
// made: name and version, right-to-left layout, staying alive while only the
// tray icon is left, the Arabic font substitutions and Qt's own Arabic texts.
void setUpApplication(QApplication& app);

} // namespace velmor
