#include "form5plot.h"

#include "app/core/tablepages.h"
#include "app/formwindow.h"
#include "app/savefile.h"
#include "app/startup.h"

#include <QBuffer>
#include <QClipboard>
#include <QCloseEvent>
#include <QDate>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPdfWriter>
#include <QPushButton>
#include <QScrollArea>
#include <QShortcut>
#include <QTableWidget>
#include <QVBoxLayout>
#include <array>
#include <qcustomplot.h>

namespace {
using namespace circuit;

const QString plotTitle = QStringLiteral(u"График — расчет емкости \u0421");

// Colours that stay apart for colour-blind eyes (Okabe and Ito); every line
// is told apart by its dash or its marker as well.
const QColor blue(0x00, 0x72, 0xB2);
const QColor skyBlue(0x56, 0xB4, 0xE9);
const QColor vermillion(0xD5, 0x5E, 0x00);
const QColor reddishPurple(0xCC, 0x79, 0xA7);
const QColor bluishGreen(0x00, 0x9E, 0x73);
const QColor orange(0xE6, 0x9F, 0x00);
// A marker on every this many points of a curve.
constexpr int markerSpacing = 60;
// The window's own size, and below what width and height it lays itself out
// for a small screen.
constexpr QSize preferredSize(760, 720);
constexpr int narrowBelow = 740;
constexpr int lowBelow = 700;
constexpr int plotHeight = 380;
constexpr int lowPlotHeight = 240;

QFont plotFont(int points, bool bold = false)
{
    QFont font = dialogFont();
    font.setPointSize(points);
    font.setBold(bold);
    return font;
}

QPen pen(const QColor &colour, double width, Qt::PenStyle style = Qt::SolidLine)
{
    QPen p(colour, width, style);
    p.setCapStyle(Qt::FlatCap);
    return p;
}

QColor translucent(const QColor &colour, int alpha)
{
    return QColor(colour.red(), colour.green(), colour.blue(), alpha);
}

struct CurveStyle {
    QPen pen;
    QCPScatterStyle::ScatterShape marker;
};

CurveStyle styleOf(CurveKind kind)
{
    switch (kind) {
    case CurveKind::Capacitor:
        return {pen(blue, 2), QCPScatterStyle::ssNone};
    case CurveKind::Choke:
        return {pen(vermillion, 2), QCPScatterStyle::ssSquare};
    case CurveKind::CapacitorLowMains:
        return {pen(skyBlue, 1.5, Qt::DashLine), QCPScatterStyle::ssTriangleInverted};
    case CurveKind::CapacitorHighMains:
        break;
    }
    return {pen(reddishPurple, 1.5, Qt::DashLine), QCPScatterStyle::ssTriangle};
}

QPen penOf(LimitKind kind)
{
    switch (kind) {
    case LimitKind::Capacitor:
        return pen(blue, 1.5, Qt::DashDotLine);
    case LimitKind::Choke:
        return pen(vermillion, 1.5, Qt::DashDotDotLine);
    case LimitKind::Ignition:
        break;
    }
    return pen(bluishGreen, 2, Qt::DotLine);
}

QVector<double> toVector(const std::vector<double> &values)
{
    return QVector<double>(values.begin(), values.end());
}

QCPGraph *addPoints(QCustomPlot *plot, const QString &name, const QVector<double> &x,
                    const QVector<double> &y, const QCPScatterStyle &marks)
{
    QCPGraph *graph = plot->addGraph();
    graph->setName(name);
    graph->setLineStyle(QCPGraph::lsNone);
    graph->setScatterStyle(marks);
    graph->setData(x, y, true);
    return graph;
}

QCPItemText *addText(QCustomPlot *plot, double x, double y, const QString &text,
                     Qt::Alignment alignment, const QColor &colour)
{
    auto *item = new QCPItemText(plot);
    item->position->setCoords(x, y);
    item->setPositionAlignment(alignment);
    item->setText(text);
    item->setFont(plotFont(8));
    item->setColor(colour);
    item->setBrush(QColor(255, 255, 255, 200));
    item->setPadding(QMargins(2, 1, 2, 1));
    return item;
}

QCPItemStraightLine *addLine(QCustomPlot *plot, QPointF from, QPointF to, const QPen &linePen)
{
    auto *line = new QCPItemStraightLine(plot);
    line->point1->setCoords(from);
    line->point2->setCoords(to);
    line->setPen(linePen);
    return line;
}

void addBand(QCustomPlot *plot, const PictureBand &band, double top)
{
    auto *rect = new QCPItemRect(plot);
    rect->setLayer(QStringLiteral("background"));
    rect->topLeft->setCoords(band.low, top);
    rect->bottomRight->setCoords(band.high, 0);
    rect->setPen(Qt::NoPen);
    rect->setBrush(band.guaranteed ? translucent(bluishGreen, 90) : translucent(orange, 60));
}

QTableWidgetItem *cell(const QString &text)
{
    auto *item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

// The table of a saved document: the page's width in shares for the
// capacitance, the three voltages and the verdict; each cell's text wrapped
// in its column.
constexpr std::array<int, 5> columnShares {12, 18, 18, 18, 34};
constexpr int cellPadding = 3;
constexpr int cellFlags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap;

std::vector<QRect> tableColumns(int width)
{
    std::vector<QRect> columns;
    int left = 0;
    for (const int share : columnShares) {
        const int columnWidth = width * share / 100;
        columns.emplace_back(left, 0, columnWidth, 0);
        left += columnWidth;
    }
    return columns;
}

int rowHeight(QPainter &painter, const QStringList &cells, const std::vector<QRect> &columns)
{
    int height = 0;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const QRect room(0, 0, columns[i].width() - 2 * cellPadding, 10000);
        height
            = std::max(height, painter.boundingRect(room, cellFlags, cells.value(int(i))).height());
    }
    return height + 2 * cellPadding;
}

void paintRow(QPainter &painter, const QStringList &cells, const std::vector<QRect> &columns,
              int top, int height)
{
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const QRect box(columns[i].left(), top, columns[i].width(), height);
        painter.drawRect(box);
        painter.drawText(box.adjusted(cellPadding, cellPadding, -cellPadding, -cellPadding),
                         cellFlags, cells.value(int(i)));
    }
}
} // namespace

Form5Plot::Form5Plot(QWidget *form5)
    : QWidget(form5, Qt::Window)
    , message_(new QLabel(this))
    , content_(new QWidget(this))
    , plot_(new QCustomPlot(content_))
    , readout_(new QLabel(readoutHint(), this))
    , notes_(new QLabel(content_))
    , table_(new QTableWidget(content_))
    , scroll_(new QScrollArea(this))
    , save_(new QPushButton(QStringLiteral("Сохранить…"), this))
{
    setObjectName(QStringLiteral("Form5Plot"));
    setWindowTitle(plotTitle);
    resize(preferredSize);
    message_->setObjectName(QStringLiteral("Message"));
    setUpPlot();
    setUpTexts();
    setUpTable();
    setUpLayout();
    connectControls();
    showPicture(searchPicture(std::nullopt, std::nullopt, false));
}

void Form5Plot::setUpPlot()
{
    plot_->setObjectName(QStringLiteral("Plot"));
    plot_->setAccessibleName(QStringLiteral("График расчета емкости"));
    plot_->setMinimumHeight(plotHeight);
    plot_->setLocale([] {
        QLocale russian(QLocale::Russian, QLocale::Russia);
        russian.setNumberOptions(QLocale::OmitGroupSeparator);
        return russian;
    }());
    plot_->xAxis->setLabel(QStringLiteral("Емкость C, мкФ"));
    plot_->yAxis->setLabel(QStringLiteral("Напряжение, В (амплитуда)"));
    for (QCPAxis *axis : {plot_->xAxis, plot_->yAxis}) {
        axis->setLabelFont(plotFont(9));
        axis->setTickLabelFont(plotFont(8));
    }
    plot_->legend->setVisible(true);
    plot_->legend->setFont(plotFont(8));
    plot_->legend->setBrush(QColor(255, 255, 255, 220));
    plot_->axisRect()->insetLayout()->setInsetAlignment(0, Qt::AlignTop | Qt::AlignLeft);
}

void Form5Plot::setUpTexts()
{
    readout_->setObjectName(QStringLiteral("Readout"));
    readout_->setWordWrap(true);
    notes_->setObjectName(QStringLiteral("Notes"));
    notes_->setWordWrap(true);
    save_->setObjectName(QStringLiteral("Save"));
}

void Form5Plot::setUpTable()
{
    table_->setObjectName(QStringLiteral("Table"));
    table_->setAccessibleName(QStringLiteral("Номиналы ряда E12 в найденном диапазоне"));
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setStretchLastSection(true);
    // A long press on a phone, or the right button, copies the table. The
    // menu pops up and returns, as nothing waits in a nested loop on a page.
    table_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(table_, &QWidget::customContextMenuRequested, this, [this](QPoint at) {
        auto *menu = new QMenu(table_);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->addAction(QStringLiteral("Копировать таблицу"), this, &Form5Plot::copyTable);
        menu->popup(table_->viewport()->mapToGlobal(at));
    });
}

// The plot, its notes and the table scroll together where the window is low;
// the message, the readout and the button stay.
void Form5Plot::setUpLayout()
{
    scroll_->setObjectName(QStringLiteral("Scroll"));
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setWidgetResizable(true);
    auto *contentLayout = new QVBoxLayout(content_);
    contentLayout->setContentsMargins(0, 0, 0, 0);
    contentLayout->addWidget(plot_, 3);
    contentLayout->addWidget(notes_);
    contentLayout->addWidget(table_, 1);
    scroll_->setWidget(content_);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(message_);
    layout->addWidget(scroll_, 1);
    layout->addWidget(readout_);
    layout->addWidget(save_);
}

void Form5Plot::connectControls()
{
    // A touch gives a press, and a finger drawn over the plot moves.
    connect(plot_, &QCustomPlot::mousePress, this, &Form5Plot::showReadout);
    connect(plot_, &QCustomPlot::mouseMove, this, &Form5Plot::showReadout);
    // Verdicts that wrap take the rows' height once the column has its width.
    connect(table_->horizontalHeader(), &QHeaderView::sectionResized, this, [this] {
        if (narrow_)
            table_->resizeRowsToContents();
    });
    connect(save_, &QPushButton::clicked, this, &Form5Plot::save);
    connect(new QShortcut(QKeySequence::Save, this), &QShortcut::activated, this, &Form5Plot::save);
    connect(new QShortcut(Qt::Key_Escape, this), &QShortcut::activated, this, &QWidget::close);
}

Form5Plot::~Form5Plot() = default;

void Form5Plot::closeEvent(QCloseEvent *event)
{
    event->accept();
    // The window under it is active again, as when a calculator closes.
    takeActivationBack(parentWidget());
}

void Form5Plot::showPicture(const SearchPicture &picture)
{
    picture_ = picture;
    plot_->clearGraphs();
    plot_->clearItems();
    table_->clear();
    table_->setRowCount(0);
    message_->setText(picture.message);
    message_->setVisible(!picture.drawn());
    scroll_->setVisible(picture.drawn());
    readout_->setVisible(picture.drawn());
    if (!picture.drawn())
        return;
    drawCurves();
    drawMarks();
    notes_->setText(picture.notes);
    plot_->setAccessibleDescription(picture.summary);
    fillTable();
    plot_->replot();
}

void Form5Plot::drawCurves()
{
    const SearchPicture &p = picture_;
    plot_->xAxis->setRange(p.cLow, p.cHigh);
    plot_->yAxis->setRange(0, p.uHigh);
    for (const PictureCurve &curve : p.curves) {
        const CurveStyle style = styleOf(curve.kind);
        QCPGraph *graph = plot_->addGraph();
        graph->setName(curve.name);
        graph->setPen(style.pen);
        graph->setData(toVector(p.capacitances), toVector(curve.volts), true);
        if (style.marker != QCPScatterStyle::ssNone) {
            graph->setScatterStyle(QCPScatterStyle(style.marker, style.pen.color(), Qt::white, 7));
            graph->setScatterSkip(markerSpacing);
        }
    }
    for (const PictureLimit &limit : p.limits) {
        const QPen linePen = penOf(limit.kind);
        addLine(plot_, {0, limit.volts}, {1, limit.volts}, linePen);
        addText(plot_, p.cHigh, limit.volts, limit.label, Qt::AlignRight | Qt::AlignBottom,
                linePen.color());
    }
}

void Form5Plot::drawMarks()
{
    const SearchPicture &p = picture_;
    for (const PictureBand &band : p.bands)
        addBand(plot_, band, p.uHigh);
    for (const PictureBanner &banner : p.banners) {
        QCPItemText *text = addText(plot_, banner.x, p.uHigh * 0.95, banner.text,
                                    Qt::AlignHCenter | Qt::AlignTop, Qt::black);
        if (banner.prominent)
            text->setFont(plotFont(11, true));
    }
    if (!p.ticks.empty()) {
        QVector<double> x;
        for (const PictureTick &tick : p.ticks) {
            x.append(tick.microfarads);
            addText(plot_, tick.microfarads, p.uHigh * 0.02, tick.label,
                    Qt::AlignHCenter | Qt::AlignBottom, Qt::black);
        }
        addPoints(plot_, QStringLiteral("номиналы E12"), x, QVector<double>(x.size(), 0.0),
                  QCPScatterStyle(QCPScatterStyle::ssDiamond, Qt::black, Qt::black, 9));
    }
    if (const auto &check = p.check) {
        const double c = check->microfarads;
        addLine(plot_, {c, 0}, {c, 1}, pen(Qt::black, 1));
        addPoints(plot_, check->name, {c, c}, {check->ul, check->uc},
                  QCPScatterStyle(QCPScatterStyle::ssCircle, Qt::black, Qt::white, 9));
        addText(plot_, c, check->uc, check->ucLabel, Qt::AlignLeft | Qt::AlignBottom, blue);
        addText(plot_, c, check->ul, check->ulLabel, Qt::AlignLeft | Qt::AlignTop, vermillion);
    }
}

void Form5Plot::fillTable()
{
    table_->setColumnCount(int(picture_.tableHeader.size()));
    table_->setHorizontalHeaderLabels(picture_.tableHeader);
    table_->setRowCount(int(picture_.tableRows.size()));
    for (int row = 0; row < table_->rowCount(); ++row) {
        const QStringList &cells = picture_.tableRows[std::size_t(row)];
        for (int column = 0; column < cells.size(); ++column)
            table_->setItem(row, column, cell(cells[column]));
    }
    layTable();
}

void Form5Plot::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    fitLayout();
}

void Form5Plot::fitLayout()
{
    plot_->setMinimumHeight(height() < lowBelow ? lowPlotHeight : plotHeight);
    if (const bool narrow = width() < narrowBelow; narrow != narrow_) {
        narrow_ = narrow;
        layTable();
    }
}

void Form5Plot::layTable()
{
    QStringList headers = picture_.tableHeader;
    if (narrow_) {
        for (QString &header : headers)
            header.replace(QStringLiteral(", "), QStringLiteral(",\n"));
    }
    table_->setHorizontalHeaderLabels(headers);
    // The verdict, last, takes the rest of the width, shown or not; in a
    // narrow window no more than the rest.
    const int last = table_->columnCount() - 1;
    for (int column = 0; column < last; ++column)
        table_->resizeColumnToContents(column);
    if (last >= 0)
        table_->horizontalHeader()->setSectionResizeMode(
            last, narrow_ ? QHeaderView::Stretch : QHeaderView::Interactive);
    if (narrow_) {
        table_->resizeRowsToContents();
        return;
    }
    QHeaderView *rows = table_->verticalHeader();
    for (int row = 0; row < table_->rowCount(); ++row)
        rows->resizeSection(row, rows->defaultSectionSize());
}

// Tab-separated, as a spreadsheet takes it.
void Form5Plot::copyTable()
{
    QStringList lines {picture_.tableHeader.join(u'\t')};
    for (const QStringList &row : picture_.tableRows)
        lines.append(row.join(u'\t'));
    QGuiApplication::clipboard()->setText(lines.join(u'\n'));
}

void Form5Plot::showReadout(QMouseEvent *event)
{
    if (picture_.drawn())
        readout_->setText(
            pointerReadout(picture_.circuit, plot_->xAxis->pixelToCoord(event->position().x())));
}

QByteArray Form5Plot::png()
{
    if (!picture_.drawn())
        return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    content_->grab().save(&buffer, "PNG");
    return bytes;
}

// The title, the inputs with the date, the plot and its notes on the first
// page; the table below them, going on to further pages under its header.
QByteArray Form5Plot::pdf()
{
    if (!picture_.drawn())
        return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    // Logical pixels, as on the screen: the plot keeps its proportions.
    writer.setResolution(96);
    writer.setTitle(plotTitle);
    writer.setCreator(QStringLiteral("Кориндо"));
    QCPPainter painter(&writer);
    const int width = writer.width();
    const auto paragraph = [&](int top, const QString &text, const QFont &font) {
        painter.setFont(font);
        const QRect box = painter.boundingRect(QRect(0, top, width, 1000), Qt::TextWordWrap, text);
        painter.drawText(box, Qt::TextWordWrap, text);
        return box.bottom() + 4;
    };
    int y = paragraph(0, plotTitle, plotFont(12, true));
    y = paragraph(y,
                  picture_.inputs + QStringLiteral(" Дата: ")
                      + QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")),
                  plotFont(8));
    const int plotHeight = width * 3 / 4;
    painter.save();
    painter.translate(0, y + 4);
    plot_->toPainter(&painter, width, plotHeight);
    painter.restore();
    y = paragraph(y + 4 + plotHeight + 8, picture_.notes, plotFont(8));
    paintTable(writer, painter, y + 4);
    painter.end();
    return bytes;
}

void Form5Plot::paintTable(QPdfWriter &writer, QPainter &painter, int top)
{
    if (picture_.tableRows.empty())
        return;
    const std::vector<QRect> columns = tableColumns(writer.width());
    painter.setPen(QPen(Qt::black, 0.5));
    painter.setFont(plotFont(8, true));
    const int headerHeight = rowHeight(painter, picture_.tableHeader, columns);
    painter.setFont(plotFont(8));
    std::vector<double> heights;
    for (const QStringList &row : picture_.tableRows)
        heights.push_back(rowHeight(painter, row, columns));
    const std::vector<RowPlace> places
        = placeTableRows(top, writer.height(), headerHeight, heights);
    int page = 0;
    for (std::size_t i = 0; i < places.size(); ++i) {
        if (i == 0 || places[i].page != page) {
            if (places[i].page != page)
                writer.newPage();
            page = places[i].page;
            painter.setFont(plotFont(8, true));
            paintRow(painter, picture_.tableHeader, columns, page == 0 ? top : 0, headerHeight);
            painter.setFont(plotFont(8));
        }
        paintRow(painter, picture_.tableRows[i], columns, int(places[i].top), int(heights[i]));
    }
}

void Form5Plot::save()
{
    saveFile(this, QStringLiteral("korindo-grafik"),
             [this](FileFormat format) { return format == FileFormat::Pdf ? pdf() : png(); });
}
