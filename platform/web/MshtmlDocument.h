#pragma once
// The document seam over the browser's own document object model.
#include <memory>
#include <oaidl.h>
#include "platform/web/HtmlDom.h"

namespace web {

// The browser's Document property as the seam's document; empty when it is no HTML document.
std::shared_ptr<THtmlDocument> WrapMshtmlDocument(IDispatch* document);

}  // namespace web
