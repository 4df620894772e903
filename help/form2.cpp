#include "form2.h"

#include "app/controls.h"
#include "app/datafiles.h"
#include "app/messages.h"
#include "help/core/principletext.h"

#include <QPlainTextEdit>
#include <QPushButton>

Form2::Form2()
    : FormWindowWith(QStringLiteral("Принцип работы"), clientSize(9915, 5625))
{
    setObjectName(QStringLiteral("Form2"));
}

Form2::~Form2() = default;

void Form2::buildControls(Form2Controls &c)
{
    QWidget *w = c.client;

    // Multi-line, read-only, a vertical scroll bar, lines wrapped at the box's
    // width; the text can be scrolled, selected and copied from the keyboard too.
    c.Text1 = new QPlainTextEdit(w);
    c.Text1->setObjectName(QStringLiteral("Text1"));
    c.Text1->setGeometry(Twips {120, 120, 9615, 4815}.pixels());
    c.Text1->setReadOnly(true);
    c.Text1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    c.Text1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    c.Text1->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    c.Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    c.Text1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    c.Text1->setTabChangesFocus(true);
    c.Text1->setFocusPolicy(Qt::StrongFocus);
    c.Text1->setAccessibleName(windowTitle());

    c.Command1
        = makeButton(w, "Command1", QStringLiteral("Мне все понятно"), {120, 5040, 1815, 495});
    c.Command2
        = makeButton(w, "Command2", QStringLiteral("Ничего не понятно"), {2160, 5040, 1815, 495});
    setTabOrderByIndex({{0, c.Text1}, {1, c.Command1}, {2, c.Command2}});
    connect(c.Command1, &QPushButton::clicked, this, &Form2::Command1_Click);
    connect(c.Command2, &QPushButton::clicked, this, &Form2::Command2_Click);
}

void Form2::Form_Load()
{
    // The box is built empty on every load, so the text never appears twice.
    // One byte past the bound tells the reader that the file goes on.
    const QByteArray head
        = datafiles::bytes(datafiles::principleText, principletext::Limits {}.bytes + 1);
    const QString text = principletext::read(head);
    ui_->Text1->setPlainText(principletext::toDisplayText(text));
    ui_->Text1->setFocus();
}

void Form2::Command1_Click()
{
    // Hidden, not unloaded: shown again, it has the same text.
    hide();
}

void Form2::Command2_Click()
{
    showMessage(
        this,
        {QStringLiteral("Прочитайте еще раз!"), QStringLiteral("Указание"), MessageIcon::Warning});
}
