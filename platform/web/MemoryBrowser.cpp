#include "MemoryBrowser.h"
#include "platform/win/OleError.h"

namespace web {

void TMemoryBrowser::Navigate2(const WideString& url, int flags) {
    Navigations.push_back(url);
    if (NavigateFails) OleCheck(E_FAIL);
}

void TMemoryBrowser::Complete(std::shared_ptr<TPageDocument> document) {
    CurrentDocument = std::move(document);
    ReadyStateValue = ReadyStateComplete;
    Events.Fire(DispDocumentComplete);
}

}  // namespace web
