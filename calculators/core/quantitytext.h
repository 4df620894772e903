#pragma once

#include <QString>

// How the notes, tooltips and tables of the ignition capacitor window write
// their quantities, with "," as the decimal separator.
namespace circuit {

// A fraction as a number of percent: 0,1 is "10".
QString percentText(double fraction);

// A capacitance for a reader: two decimals from 1 µF up; below, three
// significant digits, so that a range in picofarads does not read 0,00.
QString capacitanceText(double microfarads);

// Volts with at most that many decimals and the unit: "409,4 В".
QString voltsText(double volts, int decimals);

} // namespace circuit
