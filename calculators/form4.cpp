#include "form4.h"

#include "app/controls.h"
#include "app/datafiles.h"
#include "app/fieldinput.h"
#include "app/linkcopying.h"
#include "app/messages.h"
#include "calculators/core/circuit.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

Form4::Form4(const Form1 &form1)
    : FormWindowWith(QStringLiteral("Расчет индуктивности дросселя"), clientSize(5115, 5070))
    , form1_(form1)
{
    setObjectName(QStringLiteral("Form4"));
    addLinkCopying(this, calculationlink::Window::Inductance, [this] { return inputFields(); });
}

QList<QLineEdit *> Form4::inputFields() const
{
    return {ui_->Text1, ui_->Text2, ui_->Text3};
}

void Form4::openCalculation(const calculationlink::Calculation &calculation)
{
    fillFields(calculation, inputFields());
    Command1_Click();
}

Form4::~Form4() = default;

void Form4::buildControls(Form4Controls &c)
{
    QWidget *w = c.client;
    const RowColumns columns {120, 3135, 3360, 1575};
    c.Image1 = new QLabel(w);
    c.Image1->setObjectName(QStringLiteral("Image1"));
    c.Image1->setGeometry(Twips {120, 120, 4875, 2490}.pixels());
    c.Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    c.Image1->setAccessibleName(QStringLiteral("Схема измерения индуктивности"));
    c.Image1->setAccessibleDescription(
        QStringLiteral("Дроссель (индуктивность L и сопротивление R) включен в сеть ~220 В "
                       "через амперметр A; вольтметр V подключен параллельно дросселю."));
    c.Text1 = makeFieldRow(w, columns, 2760, "Label1",
                           QStringLiteral("Активное сопротивление дросселя (Ом)"), "Text1");
    c.Text2 = makeFieldRow(w, columns, 3240, "Label2",
                           QStringLiteral("Напряжение на вольтметре (В)"), "Text2");
    c.Text3 = makeFieldRow(w, columns, 3720, "Label3",
                           QStringLiteral("Сила тока на амперметре (А)"), "Text3");
    c.Text4 = makeFieldRow(w, columns, 4200, "Label4",
                           QStringLiteral("Индуктивность дросселя (Гн)"), "Text4", true);
    c.Command1 = makeButton(w, "Command1", QStringLiteral("Вычислить!"), {120, 4560, 4815, 375});
    setTabOrderByIndex({{0, c.Text1}, {1, c.Text2}, {2, c.Text3}, {3, c.Text4}, {8, c.Command1}});
    connect(c.Command1, &QPushButton::clicked, this, &Form4::Command1_Click);
}

void Form4::Form_Load()
{
    ui_->Image1->setPixmap(datafiles::picture(datafiles::measurementPicture));
}

void Form4::Command1_Click()
{
    // Every field is read on every press, whatever became of the ones before.
    double r = 0, u = 0, i = 0;
    const bool read = readFields(form1_, {{*ui_->Text1, r}, {*ui_->Text2, u}, {*ui_->Text3, i}});
    const auto inductance = read
        ? circuit::chokeInductance({.resistance = r, .voltage = u, .current = i})
        : std::nullopt;
    if (!inductance) {
        showInputError(this);
        return;
    }
    writeResult(*ui_->Text4, *inductance);
}
