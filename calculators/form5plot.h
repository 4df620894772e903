#pragma once

#include "searchplot.h"

#include <QWidget>
#include <optional>

class QCustomPlot;
class QLabel;
class QMouseEvent;
class QPushButton;
class QTableWidget;

// The window «График — расчет емкости С»: the last search of the ignition
// capacitor window drawn as the voltages against the capacitance, with the
// limits, the found and the guaranteed range, the E12 values in it and the
// last check; under it, a table of the capacitors one can buy. It belongs to
// Form5, which shows it and tells it each search and check that ends.
class Form5Plot : public QWidget {
    Q_OBJECT
public:
    explicit Form5Plot(QWidget *form5);
    ~Form5Plot() override;

    // What the window shows: nothing but a line before the first search.
    void showState(const std::optional<circuit::SearchRecord> &search,
                   const std::optional<circuit::CheckRecord> &check);

    // The plot with the table, as a picture or an A4 document; empty where
    // there is nothing to save yet.
    QByteArray picture();
    QByteArray document();

private:
    void drawSearch(const circuit::SearchRecord &search);
    void drawCheck(const circuit::CheckRecord &check);
    void fillTable(const circuit::SearchRecord &search);
    void showReadout(QMouseEvent *event);
    void save();

    QLabel *message_;
    QWidget *content_; // what is saved: the plot, its notes and the table
    QCustomPlot *plot_;
    QLabel *readout_;
    QLabel *notes_;
    QTableWidget *table_;
    QPushButton *save_;
    std::optional<circuit::SearchRecord> search_;
    std::optional<circuit::CheckRecord> check_;
};
