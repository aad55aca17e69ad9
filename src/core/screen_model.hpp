#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace velkor {

// What one control shows. Colours are platform colour values (0xBBGGRR: 255 red, 65280 green).
struct ControlState {
  std::string text;
  std::string tooltip;
  bool enabled = true;
  bool visible = true;
  bool checked = false;
  int value = 0;    // a scroll bar's position, a list's selected index (-1: none)
  int minimum = 0;  // a scroll bar's range
  int maximum = 0;
  int colour = -1;                 // -1: the control's own colour
  std::vector<std::string> items;  // the entries of a list or combo box
  bool operator==(const ControlState&) const = default;
};

// The state of a window's controls, keyed by the control's name (the widget's objectName). A
// window's logic writes it; the Qt widget mirrors every change; tests read it.
class ScreenModel {
 public:
  using Listener = std::function<void(const std::string& control, const ControlState& state)>;

  // The control's state; a control never set reads as the default state.
  const ControlState& Get(std::string_view control) const;
  bool Has(std::string_view control) const { return controls_.find(control) != controls_.end(); }

  void SetText(std::string_view control, std::string text);
  void SetTooltip(std::string_view control, std::string tooltip);
  void SetEnabled(std::string_view control, bool enabled);
  void SetVisible(std::string_view control, bool visible);
  void SetChecked(std::string_view control, bool checked);
  void SetValue(std::string_view control, int value);
  // A scroll bar's range; its value is the caller's to keep inside it.
  void SetRange(std::string_view control, int minimum, int maximum);
  void SetColour(std::string_view control, int colour);
  void SetItems(std::string_view control, std::vector<std::string> items);

  const std::string& Text(std::string_view control) const { return Get(control).text; }
  bool Enabled(std::string_view control) const { return Get(control).enabled; }
  bool Visible(std::string_view control) const { return Get(control).visible; }
  bool Checked(std::string_view control) const { return Get(control).checked; }
  int Value(std::string_view control) const { return Get(control).value; }
  const std::vector<std::string>& Items(std::string_view control) const {
    return Get(control).items;
  }

  // Told after every change that altered something.
  void SetListener(Listener listener) { listener_ = std::move(listener); }
  const std::map<std::string, ControlState, std::less<>>& Controls() const { return controls_; }

 private:
  template <typename Field, typename V>
  void Change(std::string_view control, Field field, V value);

  std::map<std::string, ControlState, std::less<>> controls_;
  Listener listener_;
};

}  // namespace velkor
