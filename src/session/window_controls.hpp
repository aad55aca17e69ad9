#pragma once

#include <string_view>

#include "config/settings.hpp"
#include "core/screen_model.hpp"

namespace velkor {

// False for the main window's entries whose windows and actions are not offered yet: they stay
// greyed whatever enables them.
bool Offered(std::string_view control);

// The controls of the stepper motor and the lambda probe, which only an IAW 5AM has (its name
// holds "IAW5A"). With `has_stepper` the stepper frame is shown and its label and test button are
// enabled as the stepper preference says; otherwise the frame is hidden, both are disabled and
// the stepper preference in memory is switched off. `with_lambda` also shows or hides lbLambda,
// enabled as the trimmer preference says (a session start does; applying the preferences
// leaves it to the value frames).
void ShowStepperControls(ScreenModel& window, MeasureSwitches& measures, bool has_stepper,
                         bool with_lambda);

// Whether an ECU name is that of a 5AM, the only one with a stepper motor and a lambda probe.
bool HasStepperMotor(std::string_view ecu_name);

}  // namespace velkor
