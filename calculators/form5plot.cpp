#include "form5plot.h"

#include "app/formwindow.h"
#include "app/numericinput.h"
#include "app/savefile.h"
#include "app/startup.h"
#include "ignitionsearch.h"

#include <QAction>
#include <QBuffer>
#include <QClipboard>
#include <QDate>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPdfWriter>
#include <QPushButton>
#include <QScrollArea>
#include <QShortcut>
#include <QTableWidget>
#include <QVBoxLayout>
#include <qcustomplot.h>

namespace {
using namespace circuit;

const QString plotTitle = QStringLiteral(u"График — расчет емкости \u0421");
const QString readoutHint
    = QStringLiteral("Наведите указатель на график: здесь будут емкость и амплитуды UC и UL.");
const QString beforeSearch = QStringLiteral(
    "Сначала рассчитайте емкость: кнопка «Рассчитать емкость зажигающего конденсатора».");

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

QString volts(double value, int decimals)
{
    return numeric::formatTrimmed(value, decimals) + QStringLiteral(" В");
}

QString percentText(double fraction)
{
    return numeric::formatTrimmed(fraction * 100, 2);
}

QVector<double> toVector(const std::vector<double> &values)
{
    return QVector<double>(values.begin(), values.end());
}

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

QCPGraph *addCurve(QCustomPlot *plot, const SearchPlot &data, const Curve &curve,
                   const QString &name, const QPen &linePen, QCPScatterStyle::ScatterShape marker)
{
    QCPGraph *graph = plot->addGraph();
    graph->setName(name);
    graph->setPen(linePen);
    graph->setData(toVector(data.capacitances), toVector(curve.voltages), true);
    if (marker != QCPScatterStyle::ssNone) {
        graph->setScatterStyle(QCPScatterStyle(marker, linePen.color(), Qt::white, 7));
        graph->setScatterSkip(markerSpacing);
    }
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

void addLimit(QCustomPlot *plot, double cHigh, double voltage, const QString &name,
              const QPen &linePen)
{
    auto *line = new QCPItemStraightLine(plot);
    line->point1->setCoords(0, voltage);
    line->point2->setCoords(1, voltage);
    line->setPen(linePen);
    addText(plot, cHigh, voltage, name + QStringLiteral(" ") + volts(voltage, 2),
            Qt::AlignRight | Qt::AlignBottom, linePen.color());
}

void addBand(QCustomPlot *plot, double low, double high, double top, QColor colour)
{
    auto *band = new QCPItemRect(plot);
    band->setLayer(QStringLiteral("background"));
    band->topLeft->setCoords(low, top);
    band->bottomRight->setCoords(high, 0);
    band->setPen(Qt::NoPen);
    band->setBrush(colour);
}

QTableWidgetItem *cell(const QString &text)
{
    auto *item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

QString inputsText(const IgnitionInputs &in)
{
    const auto number = [](double value) { return numeric::formatTrimmed(value, 6); };
    return QStringLiteral("Сеть %1 В, зажигание %2 В, конденсатор до %3 В (амп), пробой "
                          "дросселя %4 В (амп), R = %5 Ом, L = %6 Гн, шаг %7 мкФ.")
        .arg(number(in.circuit.usupply), number(in.uignition), number(in.limits.ucapMax),
             number(in.limits.ubreakdown), number(in.circuit.rchoke), number(in.circuit.lchoke),
             number(in.cstep * microfaradsPerFarad));
}
} // namespace

Form5Plot::Form5Plot(QWidget *form5)
    : QWidget(form5, Qt::Window)
    , message_(new QLabel(beforeSearch, this))
    , content_(new QWidget(this))
    , plot_(new QCustomPlot(content_))
    , readout_(new QLabel(readoutHint, this))
    , notes_(new QLabel(content_))
    , table_(new QTableWidget(content_))
    , scroll_(new QScrollArea(this))
    , save_(new QPushButton(QStringLiteral("Сохранить…"), this))
{
    setObjectName(QStringLiteral("Form5Plot"));
    setWindowTitle(plotTitle);
    resize(preferredSize);
    message_->setObjectName(QStringLiteral("Message"));
    plot_->setObjectName(QStringLiteral("Plot"));
    plot_->setAccessibleName(QStringLiteral("График расчета емкости"));
    plot_->setMinimumHeight(plotHeight);
    plot_->setLocale([] {
        QLocale russian(QLocale::Russian, QLocale::Russia);
        russian.setNumberOptions(QLocale::OmitGroupSeparator);
        return russian;
    }());
    readout_->setObjectName(QStringLiteral("Readout"));
    readout_->setWordWrap(true);
    notes_->setObjectName(QStringLiteral("Notes"));
    notes_->setWordWrap(true);
    table_->setObjectName(QStringLiteral("Table"));
    table_->setAccessibleName(QStringLiteral("Номиналы ряда E12 в найденном диапазоне"));
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setStretchLastSection(true);
    // A long press on a phone, or the right button, copies the table.
    auto *copy = new QAction(QStringLiteral("Копировать таблицу"), table_);
    connect(copy, &QAction::triggered, this, &Form5Plot::copyTable);
    table_->addAction(copy);
    table_->setContextMenuPolicy(Qt::ActionsContextMenu);
    save_->setObjectName(QStringLiteral("Save"));
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
    scroll_->hide();
    readout_->hide();

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

void Form5Plot::showState(const std::optional<SearchRecord> &search,
                          const std::optional<CheckRecord> &check)
{
    search_ = search;
    check_ = check;
    plot_->clearGraphs();
    plot_->clearItems();
    table_->clear();
    table_->setRowCount(0);
    const bool drawn = search && searchPlot(*search);
    message_->setVisible(!drawn);
    scroll_->setVisible(drawn);
    readout_->setVisible(drawn);
    if (!drawn)
        return;
    drawSearch(*search);
    if (check)
        drawCheck(*check);
    fillTable(*search);
    plot_->replot();
}

void Form5Plot::drawSearch(const SearchRecord &search)
{
    const SearchPlot data = *searchPlot(search);
    plot_->xAxis->setRange(data.cLow, data.cHigh);
    plot_->yAxis->setRange(0, data.uHigh);
    plot_->xAxis->setLabel(QStringLiteral("Емкость C, мкФ"));
    plot_->yAxis->setLabel(QStringLiteral("Напряжение, В (амплитуда)"));
    for (QCPAxis *axis : {plot_->xAxis, plot_->yAxis}) {
        axis->setLabelFont(plotFont(9));
        axis->setTickLabelFont(plotFont(8));
    }

    const QString mains = percentText(mainsTolerance);
    addCurve(plot_, data, data.capacitor, QStringLiteral("UC, конденсатор"), pen(blue, 2),
             QCPScatterStyle::ssNone);
    addCurve(plot_, data, data.choke, QStringLiteral("UL, дроссель"), pen(vermillion, 2),
             QCPScatterStyle::ssSquare);
    addCurve(plot_, data, data.capacitorLowMains, QStringLiteral("UC при сети −%1 %").arg(mains),
             pen(skyBlue, 1.5, Qt::DashLine), QCPScatterStyle::ssTriangleInverted);
    addCurve(plot_, data, data.capacitorHighMains, QStringLiteral("UC при сети +%1 %").arg(mains),
             pen(reddishPurple, 1.5, Qt::DashLine), QCPScatterStyle::ssTriangle);

    addLimit(plot_, data.cHigh, data.ucapMax, QStringLiteral("Предел конденсатора"),
             pen(blue, 1.5, Qt::DashDotLine));
    addLimit(plot_, data.cHigh, data.ubreakdown, QStringLiteral("Пробой дросселя"),
             pen(vermillion, 1.5, Qt::DashDotDotLine));
    addLimit(plot_, data.cHigh, data.ignitionAmplitude, QStringLiteral("Зажигание лампы"),
             pen(bluishGreen, 2, Qt::DotLine));

    QStringList notes;
    if (!data.found) {
        addText(plot_, (data.cLow + data.cHigh) / 2, data.uHigh * 0.95,
                QStringLiteral("Подходящей емкости нет"), Qt::AlignHCenter | Qt::AlignTop,
                Qt::black)
            ->setFont(plotFont(11, true));
        notes.append(QStringLiteral("Поиск не нашел емкости, при которой лампа зажигается, а "
                                    "напряжения остаются в допустимых пределах."));
    } else {
        addBand(plot_, data.foundLow, data.foundHigh, data.uHigh,
                QColor(orange.red(), orange.green(), orange.blue(), 60));
        notes.append(QStringLiteral("Светлая полоса — найденный диапазон: от %1 до %2 мкФ.")
                         .arg(capacitanceText(data.foundLow), capacitanceText(data.foundHigh)));
        if (data.guaranteed) {
            addBand(plot_, data.guaranteed->lowMicrofarads, data.guaranteed->highMicrofarads,
                    data.uHigh,
                    QColor(bluishGreen.red(), bluishGreen.green(), bluishGreen.blue(), 90));
            notes.append(QStringLiteral("Темная — с запасом на колебания сети ±%1 % и разброс "
                                        "емкости ±%2 %: от %3 до %4 мкФ.")
                             .arg(mains, percentText(capacitanceTolerance),
                                  capacitanceText(data.guaranteed->lowMicrofarads),
                                  capacitanceText(data.guaranteed->highMicrofarads)));
        } else {
            addText(plot_, (data.foundLow + data.foundHigh) / 2, data.uHigh * 0.95,
                    QStringLiteral("С запасом подходящей емкости нет"),
                    Qt::AlignHCenter | Qt::AlignTop, Qt::black);
            notes.append(QStringLiteral("С запасом на колебания сети ±%1 % и разброс емкости "
                                        "±%2 % подходящей емкости нет.")
                             .arg(mains, percentText(capacitanceTolerance)));
        }
        QCPGraph *e12 = plot_->addGraph();
        e12->setName(QStringLiteral("номиналы E12"));
        e12->setLineStyle(QCPGraph::lsNone);
        e12->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssDiamond, Qt::black, Qt::black, 9));
        e12->setData(toVector(data.e12), QVector<double>(int(data.e12.size()), 0.0), true);
        for (const double value : data.e12)
            addText(plot_, value, data.uHigh * 0.02, nominalText(value),
                    Qt::AlignHCenter | Qt::AlignBottom, Qt::black);
    }
    for (const NominalCheck &check : nominalChecks(search)) {
        if (check.fits() != check.inGuaranteedRange)
            notes.append(QStringLiteral("Номинал %1 мкФ лежит в пределах шага поиска от края "
                                        "диапазона с запасом: таблица, рассчитанная прямо для "
                                        "него, точнее.")
                             .arg(nominalText(check.microfarads)));
    }
    notes_->setText(notes.join(u' '));
    plot_->setAccessibleDescription(plotSummary(search));
    plot_->legend->setVisible(true);
    plot_->legend->setFont(plotFont(8));
    plot_->legend->setBrush(QColor(255, 255, 255, 220));
    plot_->axisRect()->insetLayout()->setInsetAlignment(0, Qt::AlignTop | Qt::AlignLeft);
}

void Form5Plot::drawCheck(const CheckRecord &check)
{
    if (!search_ || !checkMatchesSearch(check, *search_)) {
        notes_->setText(notes_->text()
                        + QStringLiteral(" Проверка выполнена для других исходных данных, "
                                         "чем расчет: ее на графике нет."));
        return;
    }
    const double c = check.crealMicrofarads;
    auto *line = new QCPItemStraightLine(plot_);
    line->point1->setCoords(c, 0);
    line->point2->setCoords(c, 1);
    line->setPen(pen(Qt::black, 1));
    const double sqrt2 = squareRootOfTwo();
    const double uc = sqrt2 * check.voltages.uc;
    const double ul = sqrt2 * check.voltages.ul;
    QCPGraph *marks = plot_->addGraph();
    marks->setName(QStringLiteral("проверка %1 мкФ").arg(numeric::formatTrimmed(c, 6)));
    marks->setLineStyle(QCPGraph::lsNone);
    marks->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssCircle, Qt::black, Qt::white, 9));
    marks->setData(QVector<double> {c, c}, QVector<double> {ul, uc});
    addText(plot_, c, uc, QStringLiteral(" UC ") + volts(uc, 2), Qt::AlignLeft | Qt::AlignBottom,
            blue);
    addText(plot_, c, ul, QStringLiteral(" UL ") + volts(ul, 2), Qt::AlignLeft | Qt::AlignTop,
            vermillion);
}

void Form5Plot::fillTable(const SearchRecord &search)
{
    const double usupply = search.inputs.circuit.usupply;
    const QString tolerance = percentText(capacitanceTolerance);
    const QString low = numeric::formatTrimmed(usupply * (1 - mainsTolerance), 2);
    const QString high = numeric::formatTrimmed(usupply * (1 + mainsTolerance), 2);
    table_->setColumnCount(5);
    headers_ = QStringList {
        QStringLiteral("C, мкФ"), QStringLiteral("UC при %1 В,\n−%2 % (RMS)").arg(low, tolerance),
        QStringLiteral("UC при %1 В,\n+%2 % (амп)").arg(high, tolerance),
        QStringLiteral("UL при %1 В,\n+%2 % (амп)").arg(high, tolerance), QStringLiteral("Вывод")};
    const std::vector<NominalCheck> checks = nominalChecks(search);
    table_->setRowCount(int(checks.size()));
    for (int row = 0; row < int(checks.size()); ++row) {
        const NominalCheck &check = checks[std::size_t(row)];
        table_->setItem(row, 0, cell(nominalText(check.microfarads)));
        table_->setItem(row, 1, cell(volts(check.ucLowRms, 1)));
        table_->setItem(row, 2, cell(volts(check.ucHighAmplitude, 1)));
        table_->setItem(row, 3, cell(volts(check.ulHighAmplitude, 1)));
        table_->setItem(row, 4, cell(verdictText(check)));
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
    // The window keeps the room of its content where the screen has it.
    scroll_->setMinimumHeight(height() < lowBelow ? 0 : content_->minimumSizeHint().height());
    if (const bool narrow = width() < narrowBelow; narrow != narrow_) {
        narrow_ = narrow;
        layTable();
    }
}

void Form5Plot::layTable()
{
    if (headers_.isEmpty())
        return;
    QStringList headers = headers_;
    if (!narrow_)
        headers.replaceInStrings(QStringLiteral("\n"), QStringLiteral(" "));
    table_->setHorizontalHeaderLabels(headers);
    table_->horizontalHeader()->setSectionResizeMode(
        int(headers.size()) - 1, narrow_ ? QHeaderView::Stretch : QHeaderView::Interactive);
    table_->resizeColumnsToContents();
    if (narrow_) {
        table_->resizeRowsToContents();
        return;
    }
    QHeaderView *rows = table_->verticalHeader();
    for (int row = 0; row < table_->rowCount(); ++row)
        rows->resizeSection(row, rows->defaultSectionSize());
}

void Form5Plot::copyTable()
{
    QStringList lines;
    QStringList cells;
    for (int column = 0; column < table_->columnCount(); ++column)
        cells.append(table_->horizontalHeaderItem(column)->text().replace(u'\n', u' '));
    lines.append(cells.join(u'\t'));
    for (int row = 0; row < table_->rowCount(); ++row) {
        cells.clear();
        for (int column = 0; column < table_->columnCount(); ++column)
            cells.append(table_->item(row, column)->text());
        lines.append(cells.join(u'\t'));
    }
    QGuiApplication::clipboard()->setText(lines.join(u'\n'));
}

void Form5Plot::showReadout(QMouseEvent *event)
{
    if (!search_)
        return;
    const double c = plot_->xAxis->pixelToCoord(event->position().x());
    const auto at = amplitudesAt(search_->inputs.circuit, c);
    if (!at || c <= 0) {
        readout_->setText(readoutHint);
        return;
    }
    readout_->setText(QStringLiteral("Под указателем: C = %1 мкФ, UC = %2, UL = %3 (амплитуды)")
                          .arg(capacitanceText(c), volts(at->uc, 1), volts(at->ul, 1)));
}

QByteArray Form5Plot::picture()
{
    if (scroll_->isHidden())
        return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    content_->grab().save(&buffer, "PNG");
    return bytes;
}

QByteArray Form5Plot::document()
{
    if (!search_ || scroll_->isHidden())
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
    painter.setFont(plotFont(12, true));
    painter.drawText(QRect(0, 0, width, 24), Qt::AlignLeft, plotTitle);
    painter.setFont(plotFont(8));
    const QRect inputs(0, 28, width, 40);
    painter.drawText(inputs, Qt::TextWordWrap,
                     inputsText(search_->inputs) + QStringLiteral(" Дата: ")
                         + QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")));
    const int plotHeight = width * 3 / 4;
    painter.translate(0, inputs.bottom() + 8);
    plot_->toPainter(&painter, width, plotHeight);
    painter.translate(0, plotHeight + 8);
    int y = 0;
    const auto line = [&](const QString &text, bool bold = false) {
        painter.setFont(plotFont(8, bold));
        const QRect box = painter.boundingRect(QRect(0, y, width, 1000), Qt::TextWordWrap, text);
        painter.drawText(box, Qt::TextWordWrap, text);
        y = box.bottom() + 4;
    };
    line(notes_->text());
    QStringList header;
    for (int column = 0; column < table_->columnCount(); ++column)
        header.append(table_->horizontalHeaderItem(column)->text().replace(u'\n', u' '));
    line(header.join(QStringLiteral(" | ")), true);
    for (int row = 0; row < table_->rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < table_->columnCount(); ++column)
            cells.append(table_->item(row, column)->text());
        line(cells.join(QStringLiteral(" | ")));
    }
    painter.end();
    return bytes;
}

void Form5Plot::save()
{
    saveFile(this, QStringLiteral("korindo-grafik"), [this](FileFormat format) {
        return format == FileFormat::Pdf ? document() : picture();
    });
}
