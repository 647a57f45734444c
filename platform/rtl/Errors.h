#pragma once
// Exceptions raised by the component, control and graphics classes.
#include "platform/rtl/SysUtils.h"

class EComponentError : public Exception { using Exception::Exception; };
class EOutOfResources : public Exception { using Exception::Exception; };
class EInvalidGraphic : public Exception { using Exception::Exception; };
class EInvalidGraphicOperation : public Exception { using Exception::Exception; };
// The silent exception: the general handler reports nothing for it.
class EAbort : public Exception { using Exception::Exception; };
[[noreturn]] inline void Abort() { throw EAbort("Operation aborted"); }
