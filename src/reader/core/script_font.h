#pragma once

#include "script.h"

#include <QFont>
#include <QString>

namespace velmor {

// The Uthmani font's file, in the folder "fonts" beside the program.
QString uthmaniFontPath(const QString& programFolder);

// The family of the Uthmani font, loaded for this program alone from beside
// it the first time it is asked for (a running QGuiApplication is needed);
// empty when the file cannot be loaded, which the log says.
QString uthmaniFamily();

// The face the text is set in, in a script: the Uthmani font for the
// Uthmani text (the simple text's face when that font is missing), the
// aya display's face for the simple text.
QFont scriptFont(Script script, double points);

} // namespace velmor
