#include "form6.h"

#include "app/controls.h"
#include "app/fieldinput.h"
#include "app/linkcopying.h"
#include "app/messages.h"
#include "calculators/core/circuit.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

Form6::Form6(const Form1 &form1)
    : FormWindowWith(QStringLiteral("Компенсация реактивной мощности"), clientSize(7455, 4320))
    , form1_(form1)
{
    setObjectName(QStringLiteral("Form6"));
    addLinkCopying(this, calculationlink::Window::Compensation, [this] { return inputFields(); });
}

QList<QLineEdit *> Form6::inputFields() const
{
    return {ui_->Text1, ui_->Text2, ui_->Text3, ui_->Text4};
}

void Form6::openCalculation(const calculationlink::Calculation &calculation)
{
    fillFields(calculation, inputFields());
    Command1_Click();
}

Form6::~Form6() = default;

void Form6::buildControls(Form6Controls &c)
{
    QWidget *w = c.client;
    // One row per quantity; the label names do not follow the rows.
    const auto row = [w](const char *label, const QString &caption, int top, const char *box,
                         bool result = false) {
        return makeFieldRow(w, {120, 4695, 4920, 2415}, top, label, caption, box, result);
    };
    c.Text1 = row("Label2", QStringLiteral("Напряжение питания (В) (RMS)"), 120, "Text1");
    c.Text2 = row("Label3", QStringLiteral("Рабочее напряжение лампы (В) (RMS)"), 480, "Text2");
    c.Text3 = row("Label4", QStringLiteral("Сила тока в цепи (А) (RMS)"), 840, "Text3");
    c.Text4 = row("Label5", QStringLiteral("Активное сопротивление дросселя (Ом)"), 1200, "Text4");
    c.Text5 = row("Label6", QStringLiteral("Емкость компенсирующего конденсатора Ск (мкФ)"), 1560,
                  "Text5", true);
    c.Text6 = row("Label7", QStringLiteral("КПД (%)"), 1920, "Text6", true);
    c.Text7
        = row("Label8", QStringLiteral("Коэффициент мощности без КРМ (%)"), 2280, "Text7", true);
    c.Command1 = makeButton(w, "Command1", QStringLiteral("Рассчитать!"), {120, 2640, 7215, 375});
    c.Frame1 = makeFrame(w, "Frame1", QStringLiteral("Инструкция"), {120, 3120, 7215, 1095});
    c.Label1 = makeWrappedText(
        c.Frame1, "Label1",
        QStringLiteral("Для вычисления емкости компенсирующего конденсатора нужно собрать схему "
                       "без компенсирующего конденсатора. Включить питание, подождать, пока лампа "
                       "разгорится и измерить рабочее напряжение лампы, напряжение питания и силу "
                       "тока в цепи."),
        {120, 240, 6975, 735});

    // Text7 comes after the button although it stands above it.
    setTabOrderByIndex({{0, c.Text1},
                        {2, c.Text2},
                        {4, c.Text3},
                        {6, c.Text4},
                        {9, c.Text5},
                        {10, c.Text6},
                        {12, c.Command1},
                        {15, c.Text7}});
    connect(c.Command1, &QPushButton::clicked, this, &Form6::Command1_Click);
}

void Form6::Command1_Click()
{
    // Every field is read on every press, whatever became of the ones before.
    double u = 0, ulamp = 0, i = 0, r = 0;
    const bool read = readFields(
        form1_, {{*ui_->Text1, u}, {*ui_->Text2, ulamp}, {*ui_->Text3, i}, {*ui_->Text4, r}});
    // A circuit the formulas cannot take (no voltage, no current, no active
    // power, more active than apparent power, an overflow) is reported like
    // a bad field.
    const auto result = read
        ? circuit::compensate({.usupply = u, .ulamp = ulamp, .current = i, .rchoke = r})
        : std::nullopt;
    if (!result) {
        showInputError(this);
        return;
    }
    writeResult(*ui_->Text5, result->capacitanceMicrofarads);
    writeResult(*ui_->Text6, result->efficiencyPercent);
    writeResult(*ui_->Text7, result->powerFactorPercent);
}
