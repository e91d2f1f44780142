// The toolkit's exception classes. Every exception that escapes an event handler, a
// message handler or a timer tick is handed to Application's OnException.
#pragma once

#include <stdexcept>
#include <string>

namespace toolkit {

class Exception : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A text that does not convert to a number, a colour or a time.
class EConvertError : public Exception {
 public:
  using Exception::Exception;
};

// The silent exception: it ends the handler that raises it and reaches no OnException.
class EAbort : public Exception {
 public:
  using Exception::Exception;
};

// A floating-point value that has no integer result (NaN, infinite, out of range).
class EInvalidOp : public Exception {
 public:
  using Exception::Exception;
};

}  // namespace toolkit
