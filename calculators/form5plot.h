#pragma once

#include "calculators/core/searchpicture.h"

#include <QWidget>

class QCustomPlot;
class QLabel;
class QMouseEvent;
class QPainter;
class QPdfWriter;
class QPushButton;
class QScrollArea;
class QTableWidget;

// The window «График — расчет емкости С»: the last search of the ignition
// capacitor window drawn as the voltages against the capacitance, with the
// limits, the found and the guaranteed range, the E12 values in it and the
// last check; under it, a table of the capacitors one can buy. It belongs to
// Form5, which shows it and hands it the picture of each search and check
// that ends.
class Form5Plot : public QWidget {
    Q_OBJECT
public:
    explicit Form5Plot(QWidget *form5);
    ~Form5Plot() override;

    void showPicture(const circuit::SearchPicture &picture);

    // The plot with the table, as a PNG picture or an A4 PDF document; empty
    // where there is nothing to save yet.
    QByteArray png();
    QByteArray pdf();

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // The steps of building the window, in order.
    void setUpPlot();
    void setUpTexts();
    void setUpTable();
    void setUpLayout();
    void connectControls();

    void drawCurves();
    void drawMarks();
    void fillTable();
    void paintTable(QPdfWriter &writer, QPainter &painter, int top);
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
    circuit::SearchPicture picture_;
    bool narrow_ = false;
};
