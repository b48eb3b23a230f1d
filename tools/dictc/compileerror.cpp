#include "tools/dictc/compileerror.h"

namespace {

std::string Describe(const std::string& file, const std::string& place, const std::string& fault) {
  std::string text = file;
  if (!place.empty())
    text += ": " + place;
  return text + ": " + fault;
}

}  // namespace

ECompileError::ECompileError(std::string file, std::string place, std::string fault)
    : std::runtime_error(Describe(file, place, fault)),
      file_(std::move(file)),
      place_(std::move(place)),
      fault_(std::move(fault)) {}
