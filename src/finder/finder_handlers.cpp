#include "form1.h"
#include "form7.h"

namespace velmor {

void Form1::fullsearch_Click() {
    // Loaded once; after a pick it is only hidden, and shows again with the
    // picked texts. Its close box unloads it.
    if (!form7) {
        form7 = new Form7(*this);
        form7->Form_Load();
    }
    showModal(*form7);
}

} // namespace velmor
