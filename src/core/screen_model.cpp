#include "core/screen_model.hpp"

namespace velkor {

const ControlState& ScreenModel::Get(std::string_view control) const {
  static const ControlState kDefault;
  const auto it = controls_.find(control);
  return it == controls_.end() ? kDefault : it->second;
}

template <typename Field, typename V>
void ScreenModel::Change(std::string_view control, Field field, V value) {
  auto it = controls_.find(control);
  if (it == controls_.end()) it = controls_.emplace(std::string(control), ControlState{}).first;
  if (it->second.*field == value) return;
  it->second.*field = std::move(value);
  if (listener_) listener_(it->first, it->second);
}

void ScreenModel::SetText(std::string_view control, std::string text) {
  Change(control, &ControlState::text, std::move(text));
}
void ScreenModel::SetTooltip(std::string_view control, std::string tooltip) {
  Change(control, &ControlState::tooltip, std::move(tooltip));
}
void ScreenModel::SetEnabled(std::string_view control, bool enabled) {
  Change(control, &ControlState::enabled, enabled);
}
void ScreenModel::SetVisible(std::string_view control, bool visible) {
  Change(control, &ControlState::visible, visible);
}
void ScreenModel::SetChecked(std::string_view control, bool checked) {
  Change(control, &ControlState::checked, checked);
}
void ScreenModel::SetValue(std::string_view control, int value) {
  Change(control, &ControlState::value, value);
}
void ScreenModel::SetRange(std::string_view control, int minimum, int maximum) {
  Change(control, &ControlState::minimum, minimum);
  Change(control, &ControlState::maximum, maximum);
}
void ScreenModel::SetColour(std::string_view control, int colour) {
  Change(control, &ControlState::colour, colour);
}
void ScreenModel::SetItems(std::string_view control, std::vector<std::string> items) {
  Change(control, &ControlState::items, std::move(items));
}

}  // namespace velkor
