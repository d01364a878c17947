// Exceptions of the data-entry components. Each carries the text shown to the user; a line
// break inside a message is '\n'. The window that catches one shows it in an information box.
#pragma once

#include <stdexcept>
#include <string>

namespace korval::components {

// Base class of every exception the components raise; also used for internal preconditions,
// with a fixed message.
class Exception : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// An entry that cannot be evaluated or that fails a column's validation.
class EAssignError : public Exception {
 public:
  using Exception::Exception;
};

// An arithmetic fault while evaluating an entry (division by zero, logarithm of a negative
// number, overflow ...). It is an entry failure too, so callers that keep the focus on an
// invalid entry treat it alike.
class EMathError : public EAssignError {
 public:
  using EAssignError::EAssignError;
};

// A text that does not have the form of the value it stands for (a malformed unit string).
class EConvertError : public Exception {
 public:
  using Exception::Exception;
};

// A file that cannot be read, or whose words are not what the reader expects.
class EInOutError : public Exception {
 public:
  using Exception::Exception;
};

// A cell accessed as a type its column does not hold.
class EInvalidCast : public Exception {
 public:
  using Exception::Exception;
};

// An index outside a list.
class EListError : public Exception {
 public:
  using Exception::Exception;
};

}  // namespace korval::components
