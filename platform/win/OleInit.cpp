#include "platform/win/OleInit.h"
#include <ole2.h>

void EnsureOleInitialized() {
    thread_local bool done = false;
    if (done) return;
    OleInitialize(nullptr);   // S_FALSE when the thread already has it: fine as well
    done = true;
}
