#pragma once
// The browser control and the XML parser need OLE on the calling thread; the first user
// initializes it there, for the life of the thread, as the class library does at start-up.
void EnsureOleInitialized();
