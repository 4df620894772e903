#include "form5.h"

#include "app/controls.h"
#include "app/core/numericinput.h"
#include "app/fieldinput.h"
#include "app/linkcopying.h"
#include "app/messages.h"
#include "calculators/core/circuit.h"
#include "calculators/core/ignitionsearch.h"
#include "calculators/core/margins.h"
#include "calculators/core/searchpicture.h"
#include "form5plot.h"
#include "walkprogress.h"

#include <QGroupBox>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <utility>

namespace {
const QString searchTitle = QStringLiteral("Поиск завершен");
const QString checkTitle = QStringLiteral("Проверка завершена");

const QString instruction
    = QStringLiteral("C помощью кнопки \"Расчет емкости С\" можно вычислить диапазон "
                     "допустимых значений емкости зажигающего конденсатора С. Из этого "
                     "диапазона значений выберете подходящее для вас, с учетом имеющихся у "
                     "вас конденсаторов. Чтобы стопроцентно избежать неприятных ситуаций, не "
                     "следует брать емкость впритык к верхней границе диапазона. С помощью "
                     "кнопки \"Проверка напряжений на дросселе и конденсаторе в момент "
                     "зажигания\" вы можете посмотреть эти значения, подставив реальную "
                     "емкость вашего конденсатора. Учтите, что реальная емкость может "
                     "отличаться от номинальной. Требуется измерение мультиметром.");

circuit::SeriesCircuit seriesCircuit(const Form5::StoredValues &v)
{
    return {v.Usupply, v.Rchoke, v.Lchoke};
}

circuit::VoltageLimits voltageLimits(const Form5::StoredValues &v)
{
    return {v.Ubreakdown, v.UcapMax};
}
} // namespace

Form5::Form5(const Form1 &form1)
    : FormWindowWith(QStringLiteral("Расчет емкости С"), clientSize(7320, 8055))
    , form1_(form1)
{
    setObjectName(QStringLiteral("Form5"));
    addLinkCopying(this, calculationlink::Window::Capacitor, [this] { return inputFields(); });
}

QList<QLineEdit *> Form5::inputFields() const
{
    return {ui_->Text1, ui_->Text2, ui_->Text3, ui_->Text4,
            ui_->Text5, ui_->Text6, ui_->Text7, ui_->Text9};
}

void Form5::openCalculation(const calculationlink::Calculation &calculation)
{
    fillFields(calculation, inputFields());
    checkAfterSearch_ = !ui_->Text9->text().isEmpty();
    Command1_Click();
    // No search began (a bad field), or it ended at once and checked already.
    if (!run_)
        checkAfterSearch_ = false;
}

Form5::~Form5() = default;

void Form5::buildControls(Form5Controls &c)
{
    QWidget *w = c.client;
    const RowColumns columns {120, 4455, 4800, 2415};
    // One row per quantity, top to bottom; the label names do not follow the rows.
    c.Text1 = makeFieldRow(w, columns, 120, "Label1",
                           QStringLiteral("Напряжение питания (В) (RMS)"), "Text1");
    c.Text2 = makeFieldRow(w, columns, 480, "Label6",
                           QStringLiteral("Напряжение зажигания лампы (В) (RMS)"), "Text2");
    c.Text3
        = makeFieldRow(w, columns, 840, "Label2",
                       QStringLiteral("Максимальное напряжение конденсатора (В) (амп)"), "Text3");
    c.Text4 = makeFieldRow(w, columns, 1200, "Label3",
                           QStringLiteral("Напряжение пробоя дросселя (В) (амп)"), "Text4");
    c.Text5 = makeFieldRow(w, columns, 1560, "Label4",
                           QStringLiteral("Активное сопротивление дросселя (Ом)"), "Text5");
    c.Text6 = makeFieldRow(w, columns, 1920, "Label5",
                           QStringLiteral("Индуктивность дросселя (Гн)"), "Text6");
    c.Text7 = makeFieldRow(w, columns, 2280, "Label8", QStringLiteral("Шаг поиска (мкФ)"), "Text7");
    c.Text8 = makeFieldRow(w, columns, 2640, "Label7",
                           QStringLiteral("Максимально возможная емкость С (мкФ)"), "Text8", true);
    c.Text12 = makeFieldRow(w, columns, 3000, "Label13",
                            QStringLiteral("Минимально возможная емкость С (мкФ)"), "Text12", true);
    c.Command1
        = makeButton(w, "Command1", QStringLiteral("Рассчитать емкость зажигающего конденсатора"),
                     {120, 3360, 7095, 375});
    c.Text9 = makeFieldRow(w, columns, 3840, "Label9", QStringLiteral("Реальная емкость С (мкФ)"),
                           "Text9");
    c.Text10 = makeFieldRow(w, columns, 4200, "Label10",
                            QStringLiteral("Реальное напряжение на конденсаторе (В) (RMS)"),
                            "Text10", true);
    c.Text11
        = makeFieldRow(w, columns, 4560, "Label11",
                       QStringLiteral("Реальное напряжение на дросселе (В) (RMS)"), "Text11", true);
    c.Command2 = makeButton(
        w, "Command2",
        QStringLiteral("Проверка напряжений на дросселе и конденсаторе в момент зажигания"),
        {120, 4920, 7095, 375});
    c.Frame1 = makeFrame(w, "Frame1", QStringLiteral("Инструкция"), {120, 5400, 7095, 2055});
    makeWrappedText(c.Frame1, "Label12", instruction, {120, 240, 6855, 1695});
    // A row added below the instruction, across the window like the two above.
    c.Command3 = makeButton(w, "Command3", QStringLiteral("График"), {120, 7560, 7095, 375});

    // Text12 comes last, although it stands between Text8 and Command1.
    setTabOrderByIndex({{0, c.Text1},
                        {2, c.Text2},
                        {4, c.Text3},
                        {6, c.Text4},
                        {8, c.Text5},
                        {10, c.Text6},
                        {12, c.Text7},
                        {14, c.Command1},
                        {15, c.Text8},
                        {18, c.Text9},
                        {20, c.Text10},
                        {22, c.Text11},
                        {23, c.Command2},
                        {27, c.Text12},
                        {28, c.Command3}});
    connect(c.Command1, &QPushButton::clicked, this, &Form5::Command1_Click);
    connect(c.Command2, &QPushButton::clicked, this, &Form5::Command2_Click);
    connect(c.Command3, &QPushButton::clicked, this, &Form5::Command3_Click);
}

void Form5::Form_Load()
{
    ui_->Text7->setText(QStringLiteral("0.001"));
}

// Closed, and so unloaded, or hidden as the program ends: a search in
// progress ends without a word, before it can write to controls that went,
// and the plot goes with the window.
void Form5::hideEvent(QHideEvent *event)
{
    if (!event->spontaneous()) {
        run_.reset();
        checkAfterSearch_ = false;
        if (plot_)
            plot_->hide();
    }
    FormWindowWith::hideEvent(event);
}

bool Form5::ReadInputs()
{
    bool error = !readFields(form1_,
                             {{*ui_->Text1, stored_.Usupply},
                              {*ui_->Text2, stored_.Uignition},
                              {*ui_->Text3, stored_.UcapMax},
                              {*ui_->Text4, stored_.Ubreakdown},
                              {*ui_->Text5, stored_.Rchoke},
                              {*ui_->Text6, stored_.Lchoke}});

    // The step, in microfarads: 0 keeps the step in force; a text that is not
    // a number says so at once.
    if (const auto step = readField(form1_, *ui_->Text7)) {
        if (*step != 0)
            stored_.Cstep = *step / circuit::microfaradsPerFarad;
    } else {
        error = true;
        // A bad step has always had this bare box of its own; users know it, so it stays.
        showMessage(this, {QStringLiteral("zero"), QString(), MessageIcon::None});
    }

    if (error) {
        showInputError(this);
        return false;
    }
    return true;
}

// A search in progress: the walks, what shows that they are at work, and the
// call that takes the walk on after the event loop has run.
struct Form5::SearchRun {
    SearchRun(Form5 *form, const circuit::IgnitionInputs &in)
        : inputs(in)
        , search(in)
        , progress(makeWalkProgress(form))
        , form_(form)
    {
    }

    // The walk goes on once the events already posted have been handled: a
    // posted call rather than a timer, as a test in the browser turns the
    // event loop only for posted events.
    void resumeLater()
    {
        QMetaObject::invokeMethod(
            &resumer, [form = form_] { form->continueSearch(); }, Qt::QueuedConnection);
    }

    circuit::IgnitionInputs inputs;
    circuit::CapacitanceSearch search;
    std::unique_ptr<WalkProgress> progress;

private:
    Form5 *form_;
    QObject resumer; // goes with the run, and so does its posted call: a run that
                     // ended is never resumed
};

void Form5::Command1_Click()
{
    if (run_)
        return;
    if (!ReadInputs())
        return;
    run_ = std::make_unique<SearchRun>(this,
                                       circuit::IgnitionInputs {seriesCircuit(stored_),
                                                                voltageLimits(stored_),
                                                                stored_.Uignition, stored_.Cstep});
    continueSearch();
}

// Takes chunks of the walks until they end, the user stops them or the
// progress asks for the event loop to run first, and comes back after it.
void Form5::continueSearch()
{
    using State = circuit::CapacitanceSearch::State;
    circuit::CapacitanceSearch &search = run_->search;
    for (;;) {
        if (search.advance(circuit::passesPerChunk) == State::MetLargest) {
            // The largest admissible capacitance is shown at once; what the
            // field said of an earlier one no longer holds.
            writeResult(*ui_->Text8, search.walk().largestMicrofarads());
            describeResult(*ui_->Text8, QString());
            continue;
        }
        if (search.hasEnded())
            return endSearch(false);
        switch (run_->progress->nextTurn()) {
        case WalkTurn::GoOn:
            break;
        case WalkTurn::Yield:
            run_->resumeLater();
            return;
        case WalkTurn::Stop:
            return endSearch(true);
        }
    }
}

void Form5::endSearch(bool cancelled)
{
    const std::unique_ptr<SearchRun> run = std::move(run_);
    run->progress.reset();
    if (cancelled) {
        updatePlot();
        showMessage(this, {QStringLiteral("Поиск прерван"), searchTitle, MessageIcon::Information});
    } else {
        showSearchEnd(run->inputs, run->search);
    }
    // A search that failed on its inputs has said so; a cancelled one was
    // the user's choice.
    const bool check = std::exchange(checkAfterSearch_, false);
    if (check && !cancelled && run->search.state() != circuit::CapacitanceSearch::State::Fault)
        Command2_Click();
}

void Form5::showSearchEnd(const circuit::IgnitionInputs &inputs,
                          const circuit::CapacitanceSearch &search)
{
    using State = circuit::CapacitanceSearch::State;
    switch (search.state()) {
    case State::Found: {
        writeResult(*ui_->Text12, search.walk().smallestMicrofarads());
        const auto guaranteed = circuit::guaranteedRange(search);
        lastSearch_ = circuit::SearchRecord {inputs, true, search.walk().largestMicrofarads(),
                                             search.walk().smallestMicrofarads(), guaranteed};
        updatePlot();
        const QString range = circuit::guaranteedRangeText(inputs.circuit.usupply, guaranteed);
        describeResult(*ui_->Text8, range);
        describeResult(*ui_->Text12, range);
        showMessage(
            this,
            {QStringLiteral("Решение успешно найдено"), searchTitle, MessageIcon::Information});
        break;
    }
    case State::NotFound:
    case State::Stuck: // would never end; a Text8 written on the way stays
        lastSearch_ = circuit::SearchRecord {inputs, false, 0, 0, std::nullopt};
        updatePlot();
        showMessage(this,
                    {QStringLiteral("Решение не найдено"), searchTitle, MessageIcon::Information});
        break;
    case State::Fault:
        updatePlot();
        showInputError(this);
        break;
    case State::Walking:
    case State::MetLargest:
        break;
    }
}

void Form5::Command2_Click()
{
    if (run_)
        return;
    if (!ReadInputs())
        return;
    // The real capacitance: a text that is not a number ends the check silently.
    const auto microfarads = readField(form1_, *ui_->Text9);
    if (!microfarads)
        return;
    stored_.Creal = *microfarads / circuit::microfaradsPerFarad;

    const circuit::SeriesCircuit series = seriesCircuit(stored_);
    const circuit::VoltageLimits limits = voltageLimits(stored_);
    const auto check = circuit::checkCapacitor(series, limits, stored_.Creal);
    if (!check) {
        showInputError(this);
        return;
    }
    writeResult(*ui_->Text10, check->voltages.uc);
    writeResult(*ui_->Text11, check->voltages.ul);
    const auto margins = circuit::checkMargins(*check, series, limits, stored_.Creal);
    describeResult(*ui_->Text10, circuit::capacitorMarginText(margins.capacitor));
    describeResult(*ui_->Text11, circuit::chokeMarginText(margins.choke));
    lastCheck_ = circuit::CheckRecord {series, limits, *microfarads, check->voltages};
    updatePlot();
    if (check->passes)
        showMessage(
            this,
            {QStringLiteral("Проверка успешно пройдена"), checkTitle, MessageIcon::Information});
    else
        showMessage(this,
                    {QStringLiteral("Проверка не пройдена"), checkTitle, MessageIcon::Critical});
}

void Form5::Command3_Click()
{
    if (!plot_)
        plot_ = new Form5Plot(this);
    showInFront(plot_);
    updatePlot();
}

void Form5::updatePlot()
{
    if (plot_ && plot_->isVisible())
        plot_->showPicture(
            circuit::searchPicture(lastSearch_, lastCheck_, fieldsShowAnotherSearch()));
}

// Whether Text8 and Text12 show another search than the last one that ran to
// its end: a search that finds nothing leaves both as they were, and one that
// is cancelled or fails leaves the Text8 it wrote on the way.
bool Form5::fieldsShowAnotherSearch() const
{
    const QString largest = ui_->Text8->text();
    const QString smallest = ui_->Text12->text();
    if (largest.isEmpty() && smallest.isEmpty())
        return false;
    return !lastSearch_ || !lastSearch_->found
        || largest != numeric::formatResult(lastSearch_->largestMicrofarads)
        || smallest != numeric::formatResult(lastSearch_->smallestMicrofarads);
}
