#pragma once

namespace velkor {

// The measurement cycle's process-wide flags, shared by every window that needs the link.
struct MeasurementFlags {
  bool StopRequest = false;
  bool MeasurementIdle = true;
  bool MeasureAllowed = true;
  double time_factor = 1.0;
  int AveragingDepth = 5;
};

}  // namespace velkor
