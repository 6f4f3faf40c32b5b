// Names each row of a parameterised test after the `name` field of its case, in test names
// and in failure messages alike.
#pragma once

#include <ostream>
#include <string>

namespace zorvane {
// The tests' cases live in their files' unnamed namespace, which this one joins so that the
// printer is found beside them.
namespace {

struct RowName {
  template <class Info>
  std::string operator()(const Info& row) const {
    return row.param.name;
  }
};

template <class Case>
auto operator<<(std::ostream& os, const Case& row) -> decltype(row.name, os) {
  return os << row.name;
}

}  // namespace
}  // namespace zorvane
