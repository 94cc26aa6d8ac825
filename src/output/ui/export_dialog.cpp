#include "output/ui/export_dialog.h"

#include "common/ui/progress_dialog.h"
#include "common/ui/text_fit.h"
#include "common/ui/window_colours.h"
#include "output/csv_export.h"
#include "output/export_hand_over.h"
#include "output/export_options.h"
#include "output/export_settings.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace mokpe::output {

namespace {

struct FormatOption {
    const char *name;
    const char16_t *caption;
};
const FormatOption kFormatOptions[kFormatCount] = {
    {"Option1", u"「　出納帳　」形式に出力します．"},
    {"Option2", u"「　会　計　」形式に出力します．"},
    {"Option5", u"「 楓林会計 」CSV形式(３桁)に出力します．"},
    {"Option6", u"「 楓林会計 」CSV形式(４桁)に出力します．"},
};

const QString kYearHint = QStringLiteral("(西暦4桁，半角)");

// A control hidden for a while (the rate box) keeps its place, so that the
// dialog does not jump.
void keepPlaceWhenHidden(QWidget *widget)
{
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
}

} // namespace

ExportDialog::ExportDialog(AppState &state, const journal::JournalGrid &grid, const ExportServices &services,
                           QWidget *parent)
    : QWidget(parent, Qt::Window), state_(state), grid_(grid), services_(services),
      progressShowDelayMs_(ui::kProgressShowDelayMs)
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("ＣＳＶ出力"));
    buildControls();
}

void ExportDialog::buildControls()
{
    // Every box and frame takes the size its font needs: the layouts place them.
    const auto label = [](const char *name, const QString &caption, QWidget *parent) {
        auto *l = new QLabel(caption, parent);
        l->setObjectName(QString::fromLatin1(name));
        return l;
    };
    // A text box as wide as `sample` in its own font.
    const auto lineEdit = [](const char *name, QWidget *parent, const QString &sample) {
        auto *e = new QLineEdit(parent);
        e->setObjectName(QString::fromLatin1(name));
        e->setFixedWidth(ui::lineEditWidthFor(*e, sample));
        return e;
    };
    const auto list = [](const QString &name, int count, QWidget *parent) {
        auto *c = new QComboBox(parent);
        c->setObjectName(name);
        // The lists take texts that are not entries too, as the settings give them ("03").
        c->setEditable(true);
        c->setInsertPolicy(QComboBox::NoInsert);
        for (int i = 1; i <= count; ++i)
            c->addItem(QString::number(i));
        c->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        return c;
    };

    auto *formatFrame = new QGroupBox(QStringLiteral("CSVファイル出力形式を選択"), this);
    formatFrame->setObjectName(QStringLiteral("Frame1"));
    auto *formatLayout = new QVBoxLayout(formatFrame);
    for (int i = 0; i < kFormatCount; ++i) {
        auto *option = new QRadioButton(QString::fromUtf16(kFormatOptions[i].caption), formatFrame);
        option->setObjectName(QString::fromLatin1(kFormatOptions[i].name));
        // Selection follows the fields: no option may stay selected on its own.
        option->setAutoExclusive(false);
        formatLayout->addWidget(option);
        const int format = i + 1;
        connect(option, &QRadioButton::clicked, this, [this, format] { clickFormat(format); });
        formatOptions_[static_cast<size_t>(i)] = option;
    }

    // The input frame is a grid: captions, then year box, 年, month, 月, day,
    // 日 and the hint in columns of their own, so that the three date rows line up.
    auto *inputFrame = new QGroupBox(QStringLiteral("入力項目"), this);
    inputFrame->setObjectName(QStringLiteral("Frame2"));
    auto *input = new QGridLayout(inputFrame);
    input->setColumnStretch(8, 1);
    input->addWidget(label("Label1", QStringLiteral("商　号："), inputFrame), 0, 0);
    companyCode_ = lineEdit("Text1", inputFrame, QStringLiteral("00000"));
    input->addWidget(companyCode_, 0, 1);
    input->addWidget(label("Label18", QStringLiteral("(半角数字4桁)"), inputFrame), 0, 2, 1, 6);
    companyLabels_.push_back(label("Label2", QStringLiteral("会社名："), inputFrame));
    input->addWidget(companyLabels_.back(), 1, 0);
    // Twenty full-width characters, as the hint says.
    companyName_ = lineEdit("Text6", inputFrame, QString(20, QChar(0x3042)));
    // Japanese input for the name; the number boxes leave the input method alone.
    companyName_->setInputMethodHints(Qt::ImhNone);
    input->addWidget(companyName_, 1, 1, 1, 7);
    QLabel *nameHint = label("Label15", QStringLiteral("(全角20文字)"), inputFrame);
    input->addWidget(nameHint, 1, 8);

    // Three date rows: the fiscal year-end, the period's first and last day.
    const struct {
        const char *caption;
        const char *yearBox;
        const char *labels[5]; // caption, 年, 月, 日, hint
    } dateRows[3] = {
        {"決算年月日：", "Text2", {"Label3", "Label4", "Label5", "Label6", "Label19"}},
        {"出力期間：", "Text3", {"Label7", "Label8", "Label9", "Label10", "Label20"}},
        {"～", "Text4", {"Label11", "Label12", "Label13", "Label14", "Label21"}},
    };
    for (int row = 0; row < 3; ++row) {
        const auto &d = dateRows[row];
        const int gridRow = row + 2;
        QLabel *caption = label(d.labels[0], QString::fromUtf8(d.caption), inputFrame);
        // The period's end stands under its start, after the "～".
        if (row == 2)
            caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        companyLabels_.push_back(caption);
        input->addWidget(caption, gridRow, 0);
        yearBoxes_[static_cast<size_t>(row)] = lineEdit(d.yearBox, inputFrame, QStringLiteral("00000"));
        input->addWidget(yearBoxes_[static_cast<size_t>(row)], gridRow, 1);
        companyLabels_.push_back(label(d.labels[1], QStringLiteral("年"), inputFrame));
        input->addWidget(companyLabels_.back(), gridRow, 2);
        monthLists_[static_cast<size_t>(row)] = list(QStringLiteral("Combo2_%1").arg(row), 12, inputFrame);
        input->addWidget(monthLists_[static_cast<size_t>(row)], gridRow, 3);
        companyLabels_.push_back(label(d.labels[2], QStringLiteral("月"), inputFrame));
        input->addWidget(companyLabels_.back(), gridRow, 4);
        dayLists_[static_cast<size_t>(row)] = list(QStringLiteral("Combo3_%1").arg(row), 31, inputFrame);
        input->addWidget(dayLists_[static_cast<size_t>(row)], gridRow, 5);
        companyLabels_.push_back(label(d.labels[3], QStringLiteral("日"), inputFrame));
        input->addWidget(companyLabels_.back(), gridRow, 6);
        companyLabels_.push_back(label(d.labels[4], kYearHint, inputFrame));
        input->addWidget(companyLabels_.back(), gridRow, 7, 1, 2);
    }
    companyLabels_.push_back(nameHint);

    auto *taxFrame = new QGroupBox(QStringLiteral("税区分"), this);
    taxFrame->setObjectName(QStringLiteral("Frame3"));
    taxBlankOption_ = new QRadioButton(QStringLiteral("空欄で出力"), taxFrame);
    taxBlankOption_->setObjectName(QStringLiteral("Option3"));
    taxBlankOption_->setAutoExclusive(false);
    taxRateOption_ = new QRadioButton(QStringLiteral("任意で出力"), taxFrame);
    taxRateOption_->setObjectName(QStringLiteral("Option4"));
    taxRateOption_->setAutoExclusive(false);
    rateBox_ = lineEdit("Text5", taxFrame, QStringLiteral("0000"));
    keepPlaceWhenHidden(rateBox_);
    auto *taxLayout = new QHBoxLayout(taxFrame);
    taxLayout->addWidget(taxBlankOption_);
    taxLayout->addSpacing(fontMetrics().horizontalAdvance(QChar(0x3042)) * 2);
    taxLayout->addWidget(taxRateOption_);
    taxLayout->addWidget(rateBox_);
    taxLayout->addWidget(label("Label17", QStringLiteral("％(半角数字)"), taxFrame));
    taxLayout->addStretch(1);
    connect(taxBlankOption_, &QRadioButton::clicked, this, &ExportDialog::clickTaxBlank);
    connect(taxRateOption_, &QRadioButton::clicked, this, &ExportDialog::clickTaxRate);

    auto *runButton = new QPushButton(QStringLiteral("実　行"), this);
    runButton->setObjectName(QStringLiteral("Command1"));
    runButton->setAutoDefault(false);
    auto *closeButton = new QPushButton(QStringLiteral("閉じる"), this);
    closeButton->setObjectName(QStringLiteral("Command2"));
    closeButton->setAutoDefault(false);
    // Both buttons as wide as the wider, and roomier than their captions.
    const int buttonWidth = std::max(runButton->sizeHint().width(), closeButton->sizeHint().width()) +
                            2 * fontMetrics().horizontalAdvance(QChar(0x3042));
    runButton->setMinimumWidth(buttonWidth);
    closeButton->setMinimumWidth(buttonWidth);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(runButton);
    buttons->addWidget(closeButton);
    connect(runButton, &QPushButton::clicked, this, &ExportDialog::run);
    connect(closeButton, &QPushButton::clicked, this, &ExportDialog::closeByButton);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(formatFrame);
    layout->addWidget(inputFrame);
    layout->addWidget(taxFrame);
    layout->addSpacing(fontMetrics().height() / 2);
    layout->addLayout(buttons);
    statusLine_ = new QLabel(this);
    statusLine_->setObjectName(QStringLiteral("StatusLine"));
    statusLine_->setWordWrap(true);
    statusLine_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(statusLine_);
    // As large as its contents, and no larger: the dialog was a fixed size.
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void ExportDialog::handOver()
{
    if (hideEditor_)
        hideEditor_();
    statusLine_->clear();
    show();
    if (!fields_.opened)
        ui::applyWindowColours(this, state_.settings.screenColour, state_.settings.buttonColour);
    handOverFields(fields_, state_, services_.clock.today(), services_.messages);
    setCompanyFieldsEnabled(companyFieldsEnabled(state_.codeSystemState));
    showFields();
}

void ExportDialog::setCompanyFieldsEnabled(bool enabled)
{
    for (QLabel *l : companyLabels_)
        l->setEnabled(enabled);
    companyName_->setEnabled(enabled);
    for (size_t i = 0; i < 3; ++i) {
        yearBoxes_[i]->setEnabled(enabled);
        monthLists_[i]->setEnabled(enabled);
        dayLists_[i]->setEnabled(enabled);
    }
}

void ExportDialog::readControls()
{
    fields_.companyCode = companyCode_->text();
    fields_.companyName = companyName_->text();
    DateBoxes *dates[3] = {&fields_.yearEnd, &fields_.periodStart, &fields_.periodEnd};
    for (size_t i = 0; i < 3; ++i)
        *dates[i] = {yearBoxes_[i]->text(), monthLists_[i]->currentText(), dayLists_[i]->currentText()};
    fields_.rateBox = rateBox_->text();
}

void ExportDialog::showFields()
{
    for (size_t i = 0; i < formatOptions_.size(); ++i) {
        formatOptions_[i]->setEnabled(fields_.optionEnabled[i]);
        formatOptions_[i]->setChecked(fields_.selectedFormat == static_cast<int>(i) + 1);
    }
    companyCode_->setText(fields_.companyCode);
    companyName_->setText(fields_.companyName);
    const DateBoxes *dates[3] = {&fields_.yearEnd, &fields_.periodStart, &fields_.periodEnd};
    for (size_t i = 0; i < 3; ++i) {
        yearBoxes_[i]->setText(dates[i]->year);
        monthLists_[i]->setCurrentText(dates[i]->month);
        dayLists_[i]->setCurrentText(dates[i]->day);
    }
    taxBlankOption_->setChecked(fields_.taxBlank);
    taxRateOption_->setChecked(!fields_.taxBlank);
    rateBox_->setText(fields_.rateBox);
    rateBox_->setVisible(rateBoxVisible(fields_));
}

void ExportDialog::clickFormat(int format)
{
    selectFormat(fields_, state_, format);
    readControls();
    showFields();
}

void ExportDialog::clickTaxBlank()
{
    readControls();
    chooseTaxBlank(fields_);
    showFields();
}

void ExportDialog::clickTaxRate()
{
    readControls();
    chooseTaxRate(fields_);
    showFields();
}

void ExportDialog::run()
{
    readControls();
    ui::ProgressDialog progress(this, ui::kExportingLabel, ui::ProgressDialog::Cancel::Allowed,
                                progressShowDelayMs_);
    const ExportResult result = runExportCommand(fields_, state_, grid_, services_, progress);
    showFields();
    if (result.outcome != ExportOutcome::Written)
        return;
    statusLine_->setText(
        kExportedNotice.arg(QDir::toNativeSeparators(result.path)).arg(grid_.journalRowCount()));
    if (exported_)
        exported_();
}

void ExportDialog::closeByButton()
{
    readControls();
    if (showEditor_)
        showEditor_();
    hide();
}

void ExportDialog::closeEvent(QCloseEvent *event)
{
    event->ignore();
}

} // namespace mokpe::output
