#include "form1.h"

namespace velmor {

void Form1::fullsearch_Click() {}

} // namespace velmor
