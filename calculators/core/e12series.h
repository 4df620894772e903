#pragma once

#include <QString>
#include <vector>

// The E12 series (IEC 60063): the nominal values capacitors are sold in.
namespace circuit {

// The E12 values from low to high, both included, in µF, ascending. Only
// values a capacitor is sold in are listed: 1 pF to 1 F.
std::vector<double> e12Values(double lowMicrofarads, double highMicrofarads);

// An E12 value as it is marked, exactly: 3,9, 0,0000012.
QString nominalText(double microfarads);

} // namespace circuit
