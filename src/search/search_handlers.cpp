#include "form1.h"

namespace velmor {

void Form1::search_Click() {}

void Form1::option_Click() {}

} // namespace velmor
