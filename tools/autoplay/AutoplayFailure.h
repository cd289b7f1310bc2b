#pragma once
// What a failed check throws: the run stops and the text goes into the report.

#include <stdexcept>
#include <string>

class TAutoplayFailure : public std::runtime_error {
 public:
  explicit TAutoplayFailure(const std::string& in_what) : std::runtime_error(in_what) {}
};
