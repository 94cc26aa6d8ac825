#include "journal/ui/unsettled_amount_dialog.h"

#include "common/ui/window_colours.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace mokpe::journal {

namespace {

// What the input frame says before a method has been applied; the opening
// applies direct mode at once, so it is seen only while the window is built.
const QString kFrame1DesignCaption =
    QStringLiteral("これより過去の残金データがありません．使用金額を入力して下さい．");

// A control that is hidden in direct mode keeps its place, so that switching
// between the methods does not make the window jump.
void keepPlaceWhenHidden(QWidget *widget)
{
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
}

QLineEdit *makeAmountBox(const char *name, QWidget *parent)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setAlignment(Qt::AlignRight);
    box->setMinimumWidth(110);
    // Amounts are typed as half-width digits: the input method stays off.
    box->setInputMethodHints(Qt::ImhPreferNumbers | Qt::ImhLatinOnly);
    return box;
}

QLabel *makeLabel(const char *name, const QString &caption, QWidget *parent)
{
    auto *label = new QLabel(caption, parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

QPushButton *makeButton(const char *name, const QString &caption, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    button->setMinimumHeight(30);
    button->setMinimumWidth(100);
    return button;
}

} // namespace

UnsettledAmountDialog::UnsettledAmountDialog(const QString &pendingValue, const QString &cellCaption,
                                             const QString &screenColour, const QString &buttonColour,
                                             platform::MessageService &messages, QWidget *parent)
    : QDialog(parent), form_(pendingValue), messages_(messages)
{
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(kUnsettledCaption);
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);
    buildControls();
    label4_->setText(cellCaption);
    ui::applyWindowColours(this, screenColour, buttonColour);
    showForm();
    // The amount is typed at once, without a click into the box first.
    text1_->setFocus();
}

void UnsettledAmountDialog::buildControls()
{
    frame2_ = new QGroupBox(QStringLiteral("１．未処理理方法を選択して下さい"), this);
    frame2_->setObjectName(QStringLiteral("Frame2"));
    option1_ = new QRadioButton(QStringLiteral("使用金額を直接入力"), frame2_);
    option1_->setObjectName(QStringLiteral("Option1"));
    option2_ = new QRadioButton(QStringLiteral("前回の残金額を入力後計算"), frame2_);
    option2_->setObjectName(QStringLiteral("Option2"));
    auto *methods = new QVBoxLayout(frame2_);
    methods->addWidget(option1_);
    methods->addWidget(option2_);

    label4_ = makeLabel("Label4", QString(), this);
    QFont emphasis = label4_->font();
    emphasis.setBold(true);
    label4_->setFont(emphasis);

    frame1_ = new QGroupBox(kFrame1DesignCaption, this);
    frame1_->setObjectName(QStringLiteral("Frame1"));
    label1_ = makeLabel("Label1", QString(), frame1_);
    text2_ = makeAmountBox("Text2", frame1_);
    minus_ = makeLabel("Label2_0", QStringLiteral("－"), frame1_);
    text1_ = makeAmountBox("Text1", frame1_);
    equals_ = makeLabel("Label2_1", QStringLiteral("＝"), frame1_);
    label3_ = makeLabel("Label3", QString(), frame1_);
    label3_->setFrameShape(QFrame::Panel);
    label3_->setFrameShadow(QFrame::Sunken);
    label3_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label3_->setMinimumWidth(110);
    command2_ = makeButton("Command2", QStringLiteral("計　算"), frame1_);
    for (QWidget *w : {static_cast<QWidget *>(label1_), static_cast<QWidget *>(text2_),
                       static_cast<QWidget *>(minus_), static_cast<QWidget *>(equals_),
                       static_cast<QWidget *>(label3_), static_cast<QWidget *>(command2_)})
        keepPlaceWhenHidden(w);

    auto *input = new QGridLayout(frame1_);
    input->addWidget(label1_, 0, 0);
    input->addWidget(text2_, 1, 0);
    input->addWidget(minus_, 1, 1);
    input->addWidget(text1_, 1, 2);
    input->addWidget(equals_, 1, 3);
    input->addWidget(label3_, 1, 4);
    input->addWidget(command2_, 2, 4, Qt::AlignRight);

    command1_ = makeButton("Command1", QStringLiteral("確　定"), this);
    // Enter in either box confirms, once there is an amount to confirm
    // (showForm moves the default to "計　算" while a computation is due).
    command1_->setDefault(true);
    auto *confirmRow = new QHBoxLayout;
    confirmRow->addStretch(1);
    confirmRow->addWidget(command1_);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 12, 14, 12);
    layout->addWidget(label4_);
    layout->addWidget(frame2_);
    layout->addWidget(frame1_);
    layout->addLayout(confirmRow);

    connect(option1_, &QRadioButton::clicked, this, &UnsettledAmountDialog::chooseDirect);
    connect(option2_, &QRadioButton::clicked, this, &UnsettledAmountDialog::chooseComputed);
    connect(text1_, &QLineEdit::textChanged, this, [this](const QString &t) {
        form_.typeText1(t);
        showForm();
    });
    connect(text2_, &QLineEdit::textChanged, this, [this](const QString &t) {
        form_.typeText2(t);
        showForm();
    });
    connect(command2_, &QPushButton::clicked, this, &UnsettledAmountDialog::compute);
    connect(command1_, &QPushButton::clicked, this, &UnsettledAmountDialog::confirm);
}

void UnsettledAmountDialog::retarget(const QString &pendingValue, const QString &cellCaption)
{
    label4_->setText(cellCaption);
    if (pendingValue == form_.pendingValue())
        return;
    const bool computed = form_.mode() == UnsettledAmountForm::Mode::Computed;
    form_ = UnsettledAmountForm(pendingValue);
    if (computed && !offeredBalance_.isEmpty())
        form_.offerPreviousBalance(offeredBalance_);
    else if (computed)
        form_.chooseComputed();
    showForm();
}

void UnsettledAmountDialog::offerPreviousBalance(const QString &previousBalance)
{
    offeredBalance_ = previousBalance;
    form_.offerPreviousBalance(previousBalance);
    showForm();
}

void UnsettledAmountDialog::chooseDirect()
{
    form_.chooseDirect();
    showForm();
}

void UnsettledAmountDialog::chooseComputed()
{
    form_.chooseComputed();
    showForm();
}

void UnsettledAmountDialog::compute()
{
    const QString message = form_.compute();
    if (!message.isEmpty())
        messages_.inform(message);
    showForm();
}

void UnsettledAmountDialog::confirm()
{
    QString amount;
    const QString message = form_.confirm(amount);
    if (!message.isEmpty()) {
        messages_.inform(message);
        return;
    }
    Q_EMIT confirmed(amount);
    close();
}

void UnsettledAmountDialog::showForm()
{
    const bool computed = form_.mode() == UnsettledAmountForm::Mode::Computed;
    option1_->setChecked(!computed);
    option2_->setChecked(computed);
    frame1_->setTitle(form_.frame1Caption());
    label1_->setText(form_.label1Caption());
    // setText only where the text differs, so that the caret stays where the
    // user left it.
    if (text1_->text() != form_.text1)
        text1_->setText(form_.text1);
    if (text2_->text() != form_.text2)
        text2_->setText(form_.text2);
    label3_->setText(form_.label3);
    const bool shown = form_.computedControlsVisible();
    for (QWidget *w : {static_cast<QWidget *>(label1_), static_cast<QWidget *>(text2_),
                       static_cast<QWidget *>(minus_), static_cast<QWidget *>(equals_),
                       static_cast<QWidget *>(label3_), static_cast<QWidget *>(command2_)})
        w->setVisible(shown);
    // Enter computes while the computed mode has no result yet, then confirms.
    const bool computeFirst = computed && form_.label3.isEmpty();
    command2_->setDefault(computeFirst);
    command1_->setDefault(!computeFirst);
}

} // namespace mokpe::journal
