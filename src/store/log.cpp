#include "log.h"

// Only warnings and worse by default; the reasons are said at info level.
Q_LOGGING_CATEGORY(velmorStore, "velmor.store", QtWarningMsg)
Q_LOGGING_CATEGORY(velmorUpdate, "velmor.update", QtWarningMsg)
Q_LOGGING_CATEGORY(velmorReader, "velmor.reader", QtWarningMsg)
Q_LOGGING_CATEGORY(velmorLibrary, "velmor.library", QtWarningMsg)
