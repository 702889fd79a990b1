#include "form1.h"
#include "form2.h"
#include "form4.h"

namespace velmor {

void Form1::about_Click() {
    // Created afresh at each opening.
    if (form2) {
        form2->close();
    }
    form2 = new Form2;
    form2->Form_Load();
    showModal(*form2);
}

void Form1::update_Click() {
    if (form4) {
        form4->close();
    }
    form4 = new Form4(programFolder_, messageBox);
    form4->Form_Load();
    showModal(*form4);
}

} // namespace velmor
