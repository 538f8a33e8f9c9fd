#pragma once

namespace wx {

// "6+" and any number of statute miles from 6 on: as far as a terminal
// forecast tells (P6SM), written as a report's ten kilometres or more.
inline constexpr int kUnlimitedForecastVisibilityM = 9999;

// A forecast visibility in statute miles as whole metres; 6 SM or more is
// kUnlimitedForecastVisibilityM. The caller passes a finite, non-negative
// number.
int forecastVisibilityM(double statuteMiles);

}  // namespace wx
