#include "form1.h"

namespace velmor {

void Form1::about_Click() {}
void Form1::update_Click() {}

} // namespace velmor
