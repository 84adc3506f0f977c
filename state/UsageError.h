#pragma once

#include <string>

namespace state {

// A usage error: one line of text, without the program name.
struct UsageError {
  std::string message;
};

}  // namespace state
