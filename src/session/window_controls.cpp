#include "session/window_controls.hpp"

#include <algorithm>
#include <array>

#include "livedata/frmparam.hpp"

namespace velkor {

namespace fp = frmparam;

namespace {

// Entries whose windows and actions arrive with later work: present, but not offered yet.
constexpr std::array kNotYetOffered = {
    fp::chgraph,  fp::chMap,     fp::mnpreferences, fp::mnTestUsb,     fp::mnMap,
    fp::mngraphe, fp::mnralenti, fp::mnConvert,     fp::mnExploreAide, fp::mnweb,
};

}  // namespace

bool Offered(std::string_view control) {
  return std::find(kNotYetOffered.begin(), kNotYetOffered.end(), control) == kNotYetOffered.end();
}

bool HasStepperMotor(std::string_view ecu_name) {
  return ecu_name.find("IAW5A") != std::string_view::npos;
}

void ShowStepperControls(ScreenModel& window, MeasureSwitches& measures, bool has_stepper,
                         bool with_lambda) {
  if (!has_stepper) measures.moteur_pp = false;
  window.SetVisible(fp::frMoteurPP, has_stepper);
  window.SetEnabled(fp::lbMoteurPP, has_stepper && measures.moteur_pp);
  window.SetEnabled(fp::cdMoteurPP, has_stepper && measures.moteur_pp && Offered(fp::cdMoteurPP));
  if (!with_lambda) return;
  window.SetVisible(fp::lbLambda, has_stepper);
  if (has_stepper) window.SetEnabled(fp::lbLambda, measures.trimmer);
}

}  // namespace velkor
