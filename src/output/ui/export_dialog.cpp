#include "output/ui/export_dialog.h"

#include "common/twips.h"
#include "common/ui/progress_dialog.h"
#include "common/ui/window_colours.h"
#include "output/csv_export.h"
#include "output/export_options.h"
#include "output/export_settings.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

namespace mokpe::output {

namespace {

// Layout in twips.
constexpr int kMargin = 120;
constexpr int kFrameWidth = 8400;
constexpr int kFormatFrameHeight = 1500;
constexpr int kInputFrameHeight = 2400;
constexpr int kTaxFrameHeight = 700;
constexpr int kRowHeight = 360;
constexpr int kRowPitch = 480;
constexpr int kButtonWidth = 1695;
constexpr int kButtonHeight = 495;
constexpr int kWindowWidth = kFrameWidth + 2 * kMargin;
constexpr int kInputTop = kMargin + kFormatFrameHeight + kMargin;
constexpr int kTaxTop = kInputTop + kInputFrameHeight + kMargin;
constexpr int kButtonsTop = kTaxTop + kTaxFrameHeight + kMargin * 2;
constexpr int kWindowHeight = kButtonsTop + kButtonHeight + kMargin * 2;

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

} // namespace

ExportDialog::ExportDialog(AppState &state, const platform::Services &services, QWidget *parent)
    : QWidget(parent, Qt::Window), state_(state), services_(services),
      progressShowDelayMs_(ui::kProgressShowDelayMs)
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("ＣＳＶ出力"));
    buildControls();
}

void ExportDialog::buildControls()
{
    const QScreen *scr = screen() ? screen() : QGuiApplication::primaryScreen();
    const double dpi = scr ? scr->logicalDotsPerInch() : 96.0;
    const auto px = [dpi](int twips) { return common::twipsToPixels(twips, dpi); };
    const auto place = [&px](QWidget *w, int left, int top, int width, int height) {
        w->setGeometry(px(left), px(top), px(width), px(height));
    };
    const auto label = [&](const char *name, const QString &caption, QWidget *parent, int left, int top,
                           int width) {
        auto *l = new QLabel(caption, parent);
        l->setObjectName(QString::fromLatin1(name));
        place(l, left, top, width, kRowHeight);
        return l;
    };
    const auto lineEdit = [&](const char *name, QWidget *parent, int left, int top, int width) {
        auto *e = new QLineEdit(parent);
        e->setObjectName(QString::fromLatin1(name));
        place(e, left, top, width, kRowHeight);
        return e;
    };
    const auto list = [&](const QString &name, int count, QWidget *parent, int left, int top) {
        auto *c = new QComboBox(parent);
        c->setObjectName(name);
        // The lists take texts that are not entries too, as the settings give them ("03").
        c->setEditable(true);
        c->setInsertPolicy(QComboBox::NoInsert);
        for (int i = 1; i <= count; ++i)
            c->addItem(QString::number(i));
        place(c, left, top, 700, kRowHeight);
        return c;
    };

    auto *formatFrame = new QGroupBox(QStringLiteral("CSVファイル出力形式を選択"), this);
    formatFrame->setObjectName(QStringLiteral("Frame1"));
    place(formatFrame, kMargin, kMargin, kFrameWidth, kFormatFrameHeight);
    for (int i = 0; i < kFormatCount; ++i) {
        auto *option = new QRadioButton(QString::fromUtf16(kFormatOptions[i].caption), formatFrame);
        option->setObjectName(QString::fromLatin1(kFormatOptions[i].name));
        // Selection follows the fields: no option may stay selected on its own.
        option->setAutoExclusive(false);
        place(option, 240, 300 + i * 280, kFrameWidth - 480, 280);
        const int format = i + 1;
        connect(option, &QRadioButton::clicked, this, [this, format] { clickFormat(format); });
        formatOptions_[static_cast<size_t>(i)] = option;
    }

    auto *inputFrame = new QGroupBox(QStringLiteral("入力項目"), this);
    inputFrame->setObjectName(QStringLiteral("Frame2"));
    place(inputFrame, kMargin, kInputTop, kFrameWidth, kInputFrameHeight);
    constexpr int kCaptionLeft = 240;
    constexpr int kBoxLeft = 1800;
    int top = 360;
    label("Label1", QStringLiteral("商　号："), inputFrame, kCaptionLeft, top, 1500);
    companyCode_ = lineEdit("Text1", inputFrame, kBoxLeft, top, 900);
    label("Label18", QStringLiteral("(半角数字4桁)"), inputFrame, kBoxLeft + 1000, top, 2000);
    top += kRowPitch;
    companyLabels_.push_back(
        label("Label2", QStringLiteral("会社名："), inputFrame, kCaptionLeft, top, 1500));
    companyName_ = lineEdit("Text6", inputFrame, kBoxLeft, top, 4000);
    // Japanese input for the name; the number boxes leave the input method alone.
    companyName_->setInputMethodHints(Qt::ImhNone);

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
    QLabel *nameHint = nullptr;
    for (int row = 0; row < 3; ++row) {
        top += kRowPitch;
        const auto &d = dateRows[row];
        companyLabels_.push_back(
            label(d.labels[0], QString::fromUtf8(d.caption), inputFrame, kCaptionLeft, top, 1500));
        yearBoxes_[static_cast<size_t>(row)] = lineEdit(d.yearBox, inputFrame, kBoxLeft, top, 800);
        companyLabels_.push_back(
            label(d.labels[1], QStringLiteral("年"), inputFrame, kBoxLeft + 850, top, 300));
        monthLists_[static_cast<size_t>(row)] =
            list(QStringLiteral("Combo2_%1").arg(row), 12, inputFrame, kBoxLeft + 1150, top);
        companyLabels_.push_back(
            label(d.labels[2], QStringLiteral("月"), inputFrame, kBoxLeft + 1900, top, 300));
        dayLists_[static_cast<size_t>(row)] =
            list(QStringLiteral("Combo3_%1").arg(row), 31, inputFrame, kBoxLeft + 2200, top);
        companyLabels_.push_back(
            label(d.labels[3], QStringLiteral("日"), inputFrame, kBoxLeft + 2950, top, 300));
        companyLabels_.push_back(label(d.labels[4], kYearHint, inputFrame, kBoxLeft + 3300, top, 2400));
        if (row == 0)
            nameHint = label("Label15", QStringLiteral("(全角20文字)"), inputFrame, kBoxLeft + 4100,
                             360 + kRowPitch, 1800);
    }
    companyLabels_.push_back(nameHint);

    auto *taxFrame = new QGroupBox(QStringLiteral("税区分"), this);
    taxFrame->setObjectName(QStringLiteral("Frame3"));
    place(taxFrame, kMargin, kTaxTop, kFrameWidth, kTaxFrameHeight);
    taxBlankOption_ = new QRadioButton(QStringLiteral("空欄で出力"), taxFrame);
    taxBlankOption_->setObjectName(QStringLiteral("Option3"));
    taxBlankOption_->setAutoExclusive(false);
    place(taxBlankOption_, 240, 300, 1800, 300);
    taxRateOption_ = new QRadioButton(QStringLiteral("任意で出力"), taxFrame);
    taxRateOption_->setObjectName(QStringLiteral("Option4"));
    taxRateOption_->setAutoExclusive(false);
    place(taxRateOption_, 2200, 300, 1800, 300);
    rateBox_ = lineEdit("Text5", taxFrame, 4100, 270, 600);
    label("Label17", QStringLiteral("％(半角数字)"), taxFrame, 4750, 270, 1800);
    connect(taxBlankOption_, &QRadioButton::clicked, this, &ExportDialog::clickTaxBlank);
    connect(taxRateOption_, &QRadioButton::clicked, this, &ExportDialog::clickTaxRate);

    auto *runButton = new QPushButton(QStringLiteral("実　行"), this);
    runButton->setObjectName(QStringLiteral("Command1"));
    runButton->setAutoDefault(false);
    place(runButton, kMargin + kFrameWidth - 2 * kButtonWidth - kMargin, kButtonsTop, kButtonWidth,
          kButtonHeight);
    auto *closeButton = new QPushButton(QStringLiteral("閉じる"), this);
    closeButton->setObjectName(QStringLiteral("Command2"));
    closeButton->setAutoDefault(false);
    place(closeButton, kMargin + kFrameWidth - kButtonWidth, kButtonsTop, kButtonWidth, kButtonHeight);
    connect(runButton, &QPushButton::clicked, this, &ExportDialog::run);
    connect(closeButton, &QPushButton::clicked, this, &ExportDialog::closeByButton);

    setFixedSize(px(kWindowWidth), px(kWindowHeight));
}

void ExportDialog::handOver()
{
    if (hideEditor_)
        hideEditor_();
    show();
    if (!fields_.opened)
        open();
    setCompanyFieldsEnabled(companyFieldsEnabled(state_.codeSystemState));
    Fm3_SelectedKamoku(fields_, state_);
    showFields();
}

void ExportDialog::open()
{
    fields_.opened = true;
    ui::applyWindowColours(this, state_.settings.screenColour, state_.settings.buttonColour);
    Fm3_IniFileRead(fields_, state_, services_.clock->today(), *services_.messages);
    Fm3_SelectedKamoku(fields_, state_);
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
    runExportCommand(fields_, state_, services_, progress);
    showFields();
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
