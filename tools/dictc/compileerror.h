#pragma once
// The one way a source is refused: which file, where in it, and what is wrong.

#include <stdexcept>
#include <string>

class ECompileError : public std::runtime_error {
 public:
  // place is a JSON pointer ("/lists/models/17") or a property identifier; may be empty.
  ECompileError(std::string file, std::string place, std::string fault);

  const std::string& File() const { return file_; }
  const std::string& Place() const { return place_; }
  const std::string& Fault() const { return fault_; }

 private:
  std::string file_;
  std::string place_;
  std::string fault_;
};
