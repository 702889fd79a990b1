#pragma once

#include <QtGlobal>

namespace velmor {

// The program-wide integers the windows share (notonesura belongs to the
// search session, which fills the results).
struct ProgramState {
    // Search scope: 0 whole text, 1 one juz, 2 range of juz, 3 one sura,
    // 4 range of suras. Kept while the program runs, never stored.
    qint16 searchscope = 0;
    // What the composed-text window composes: 1 sura makesora, 2 the chosen ayas.
    qint16 makemode = 0;
    qint16 makesora = 0;
};

} // namespace velmor
