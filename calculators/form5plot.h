#pragma once

#include "searchplot.h"

#include <QWidget>
#include <optional>

class QCustomPlot;
class QLabel;
class QMouseEvent;
class QPushButton;
class QScrollArea;
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

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void drawSearch(const circuit::SearchRecord &search);
    void drawCheck(const circuit::CheckRecord &check);
    void fillTable(const circuit::SearchRecord &search);
    void showReadout(QMouseEvent *event);
    void save();
    // Lays the window out for its width and height: on a phone's screen the
    // table's headers take two lines and the verdicts wrap, so that every
    // column fits, and the plot leaves room for the table.
    void fitLayout();
    void layTable();
    void copyTable();

    QLabel *message_;
    QWidget *content_; // what is saved: the plot, its notes and the table
    QCustomPlot *plot_;
    QLabel *readout_;
    QLabel *notes_;
    QTableWidget *table_;
    QScrollArea *scroll_; // around content_, where the window is low
    QPushButton *save_;
    QStringList headers_; // each with a line break where a narrow window breaks it
    bool narrow_ = false;
    std::optional<circuit::SearchRecord> search_;
    std::optional<circuit::CheckRecord> check_;
};
