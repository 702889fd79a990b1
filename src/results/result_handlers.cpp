#include "form1.h"

namespace velmor {

void Form1::suraayaalist_Click() {}
void Form1::suraayaalist_DblClick() {}
void Form1::allayaasearch_Click() {}
void Form1::addaya_DblClick() {}
void Form1::chosen_Click() {}
void Form1::allayaa_Click() {}
void Form1::copytext_Click() {}

} // namespace velmor
