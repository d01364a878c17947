// Where numerical routines send the few lines they write to the report.
#pragma once

#include <string_view>

namespace korval::engine {

class MessageSink {
 public:
  // Writes one report line exactly as given (its first character is column 1).
  virtual void line(std::string_view text) = 0;

 protected:
  ~MessageSink() = default;
};

}  // namespace korval::engine
