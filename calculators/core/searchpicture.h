#pragma once

#include "ignitionrecords.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// What the plot window of the ignition capacitor window shows, worked out
// once, without a window or a plotting library: the voltages against the
// capacitance from the circuit arithmetic the search itself uses, the limits,
// the ranges the search found, the capacitors one can buy in them, the last
// check, and every text beside them. The window only draws it.
// Capacitances in µF, voltages in volts (amplitudes unless named RMS).
namespace circuit {

// What a curve or a limit stands for; the window gives each its pen.
enum class CurveKind { Capacitor, Choke, CapacitorLowMains, CapacitorHighMains };
enum class LimitKind { Capacitor, Choke, Ignition };

struct PictureCurve {
    CurveKind kind;
    QString name;
    // At SearchPicture::capacitances; NaN, which a plot leaves as a gap,
    // where the voltage is not a finite number.
    std::vector<double> volts;
};

// A horizontal line across the plot, labelled at its right end.
struct PictureLimit {
    LimitKind kind;
    double volts = 0;
    QString label;
};

// A range of capacitances shaded from the x axis to the top.
struct PictureBand {
    double low = 0;
    double high = 0;
    bool guaranteed = false; // the range that holds within the tolerances
};

// A text near the top of the plot, centred on x.
struct PictureBanner {
    double x = 0;
    QString text;
    bool prominent = false;
};

// An E12 value marked on the x axis.
struct PictureTick {
    double microfarads = 0;
    QString label;
};

// The checked capacitor: a vertical line with its two amplitudes.
struct PictureCheck {
    double microfarads = 0;
    double uc = 0;
    double ul = 0;
    QString name;
    QString ucLabel;
    QString ulLabel;
};

struct SearchPicture {
    // Where there is nothing to draw, only this is shown.
    QString message;
    bool drawn() const { return message.isEmpty(); }

    SeriesCircuit circuit; // of the search, for the readout under the pointer
    double cLow = 0; // the x axis
    double cHigh = 0;
    double uHigh = 0; // the y axis, from 0
    std::vector<double> capacitances; // ascending, the resonance among them
    std::vector<PictureCurve> curves;
    std::vector<PictureLimit> limits;
    std::vector<PictureBand> bands; // the found range first
    std::vector<PictureBanner> banners;
    std::vector<PictureTick> ticks;
    std::optional<PictureCheck> check;

    QString notes; // under the plot
    QStringList tableHeader;
    std::vector<QStringList> tableRows; // each E12 value of the found range
    QString summary; // what the plot shows, in words, for a screen reader
    QString inputs; // the search's inputs, for a saved document
};

// What the window draws from its last search and check. fieldsDiffer: the
// window's result fields show another search than the one drawn.
SearchPicture searchPicture(const std::optional<SearchRecord> &search,
                            const std::optional<CheckRecord> &check, bool fieldsDiffer);

// The line under the plot for the pointer at a capacitance: the amplitudes
// there, or the hint where there are none.
QString pointerReadout(const SeriesCircuit &circuit, double microfarads);
QString readoutHint();

} // namespace circuit
