#include "form/layout.h"

#include <algorithm>
#include <stdexcept>

namespace zorvane {

std::array<const ControlLayout*, 9> FocusOrder() {
  std::array<const ControlLayout*, 9> order{};
  std::size_t n = 0;
  for (const ControlLayout& c : kLayout) {
    if (c.kind != ControlKind::Label && c.tab != kNoTabPlace) order.at(n++) = &c;
  }
  std::sort(order.begin(), order.end(),
            [](const ControlLayout* a, const ControlLayout* b) { return a->tab < b->tab; });
  return order;
}

const ControlLayout& LayoutOf(std::string_view name) {
  for (const ControlLayout& c : kLayout) {
    if (c.name == name) return c;
  }
  throw std::out_of_range("no control of that name");
}

const ControlLayout& LayoutOf(Field field) {
  for (const ControlLayout& c : kLayout) {
    if (c.field == field) return c;
  }
  throw std::out_of_range("no control for that field");
}

}  // namespace zorvane
