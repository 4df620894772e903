#include "form1.h"

#include "app/core/calculationlink.h"
#include "app/core/numericinput.h"
#include "calculators/form4.h"
#include "calculators/form5.h"
#include "calculators/form6.h"
#include "clickableimage.h"
#include "controls.h"
#include "datafiles.h"
#include "help/form2.h"
#include "messages.h"
#include "startup.h"
#include "weblink.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

Form1::Form1()
    : FormWindowWith(QStringLiteral("Кориндо V1.0"), clientSize(6420, 5895))
{
    setObjectName(QStringLiteral("Form1"));
}

Form1::~Form1() = default;

void Form1::buildControls(Form1Controls &c)
{
    QWidget *w = c.client;
    c.Image1 = new QLabel(w);
    c.Image1->setObjectName(QStringLiteral("Image1"));
    c.Image1->setGeometry(Twips {120, 120, 6165, 4170}.pixels());
    c.Image1->setAccessibleName(QStringLiteral("Схема включения лампы"));
    c.Image1->setAccessibleDescription(
        QStringLiteral("Сеть ~220 В питает дроссель (индуктивность L и сопротивление R), "
                       "включенный последовательно с конденсатором C; лампа подключена "
                       "параллельно конденсатору."));
    c.Command1
        = makeButton(w, "Command1", QStringLiteral("Принцип работы"), {120, 4440, 2175, 375});
    c.Command2 = makeButton(w, "Command2", QStringLiteral("Лампы"), {2400, 4440, 2175, 375});
    c.Command3
        = makeButton(w, "Command3", QStringLiteral("Расчет емкости С"), {2400, 4920, 2175, 375});
    c.Command4 = makeButton(w, "Command4", QStringLiteral("КРМ"), {120, 5400, 2175, 375});
    c.Command5 = makeButton(w, "Command5", QStringLiteral("О программе"), {2400, 5400, 2175, 375});
    c.Command6
        = makeButton(w, "Command6", QStringLiteral("Расчет индуктивности"), {120, 4920, 2175, 375});
    c.Image2 = new ClickableImage(w);
    c.Image2->setObjectName(QStringLiteral("Image2"));
    c.Image2->setGeometry(Twips {4800, 4800, 1320, 480}.pixels());
    c.Image2->setPixmap(datafiles::linkPicture());
    c.Image2->setToolTip(QString::fromLatin1(discussionPageAddress));
    c.Image2->setAccessibleName(QStringLiteral("Обсуждение схемы на форуме"));
    c.Image2->setAccessibleDescription(QStringLiteral("Открывает страницу обсуждения в браузере"));

    c.Command2->setEnabled(false);
    setTabOrderByIndex({{0, c.Command1},
                        {1, c.Command2},
                        {2, c.Command3},
                        {3, c.Command4},
                        {4, c.Command5},
                        {5, c.Command6}});

    connect(c.Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(c.Command3, &QPushButton::clicked, this, &Form1::Command3_Click);
    connect(c.Command4, &QPushButton::clicked, this, &Form1::Command4_Click);
    connect(c.Command5, &QPushButton::clicked, this, &Form1::Command5_Click);
    connect(c.Command6, &QPushButton::clicked, this, &Form1::Command6_Click);
    connect(c.Image2, &ClickableImage::clicked, this, &Form1::Image2_Click);
}

void Form1::Form_Load()
{
    const QPixmap circuit = datafiles::picture(datafiles::circuitPicture);
    ui_->Image1->setPixmap(circuit);
    ui_->Image1->resize(circuit.size());
    ui_->Image2->setCursor(datafiles::cursor(datafiles::linkCursor));
}

namespace {
// The single instance of a window, created on first use with what it needs
// and shown modeless. Once it closes, the main window's focus is on the
// button that opens it again.
template<typename Window, typename... Needs>
void openWindow(Form1 *form1, QWidget *opener, std::unique_ptr<Window> &window,
                const Needs &...needs)
{
    if (!window) {
        window = std::make_unique<Window>(needs...);
        QObject::connect(window.get(), &FormWindow::closed, form1,
                         [form1, opener = QPointer<QWidget>(opener)] {
                             if (opener)
                                 opener->setFocus(Qt::OtherFocusReason);
                             takeActivationBack(form1);
                         });
    }
    window->showLoaded();
}
} // namespace

void Form1::Command1_Click()
{
    openWindow(this, ui_->Command1, form2_);
}

void Form1::Command3_Click()
{
    openWindow(this, ui_->Command3, form5_, *this);
}

void Form1::Command4_Click()
{
    openWindow(this, ui_->Command4, form6_, *this);
}

void Form1::Command5_Click()
{
    showMessage(this,
                {QStringLiteral("Автор программы — команда разработчиков Кориндо. "
                                "Автор схемы неизвестен. Программа распространяется бесплатно."),
                 QStringLiteral("О программе"), MessageIcon::Information});
}

void Form1::Command6_Click()
{
    openWindow(this, ui_->Command6, form4_, *this);
}

void Form1::openLink(const QString &link)
{
    using calculationlink::Window;
    const auto read = calculationlink::read(link);
    if (const auto *fault = std::get_if<calculationlink::Fault>(&read)) {
        showMessage(this, {calculationlink::faultText(*fault), QString(), MessageIcon::Warning});
        return;
    }
    const auto &calculation = std::get<calculationlink::Calculation>(read);
    switch (calculation.window) {
    case Window::Inductance:
        Command6_Click();
        form4_->openCalculation(calculation);
        break;
    case Window::Capacitor:
        Command3_Click();
        form5_->openCalculation(calculation);
        break;
    case Window::Compensation:
        Command4_Click();
        form6_->openCalculation(calculation);
        break;
    }
}

void Form1::Image2_Click()
{
    openWebAddress(this, QUrl(QString::fromLatin1(discussionPageAddress)));
}

void Form1::closeEvent(QCloseEvent *event)
{
    // Not unloaded like the other windows: closing the main window ends the
    // program.
    event->accept();
    Form_Unload();
}

void Form1::Form_Unload()
{
    // Every other window goes with the main one, Form5 with its plot, without
    // running its own close handling; nothing is saved.
    for (FormWindow *window : std::initializer_list<FormWindow *> {form2_.get(), form4_.get(),
                                                                   form5_.get(), form6_.get()}) {
        if (window)
            window->hide();
    }
    endProgram();
}
