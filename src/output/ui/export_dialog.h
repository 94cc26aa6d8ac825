#pragma once

#include "common/app_state.h"
#include "journal/journal_grid.h"
#include "output/csv_export.h"
#include "output/export_fields.h"

#include <QWidget>

#include <array>
#include <functional>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace mokpe::output {

// The export dialog (objectName "Form3", caption "ＣＳＶ出力"): company data,
// period, tax option and format, then "実　行". The values live in a core
// ExportFields; every button calls the core function and shows the fields again.
// It is made once and lives, hidden or shown, until the program ends.
//
// Controls (objectName: caption or role). The arrays Combo2(0..2) and
// Combo3(0..2) are named Combo2_0 … Combo3_2.
//   Frame1 "CSVファイル出力形式を選択": Option1, Option2, Option5, Option6
//   Frame2 "入力項目":
//     Label1 "商　号：", Text1, Label18 "(半角数字4桁)"
//     Label2 "会社名：", Text6, Label15 "(全角20文字)"
//     Label3 "決算年月日：", Text2, Label4 "年", Combo2_0, Label5 "月", Combo3_0,
//       Label6 "日", Label19 "(西暦4桁，半角)"
//     Label7 "出力期間：", Text3, Label8 "年", Combo2_1, Label9 "月", Combo3_1,
//       Label10 "日", Label20 "(西暦4桁，半角)"
//     Label11 "～", Text4, Label12 "年", Combo2_2, Label13 "月", Combo3_2,
//       Label14 "日", Label21 "(西暦4桁，半角)"
//   Frame3 "税区分": Option3 "空欄で出力", Option4 "任意で出力", Text5 (the
//     rate), Label17 "％(半角数字)"
//   Command1 "実　行", Command2 "閉じる"
class ExportDialog : public QWidget {
    Q_OBJECT
public:
    ExportDialog(AppState &state, const journal::JournalGrid &grid, const ExportServices &services,
                 QWidget *parent = nullptr);

    // Hides the journal editor (hand-over) and shows it again ("閉じる").
    void setHideEditor(std::function<void()> f) { hideEditor_ = std::move(f); }
    void setShowEditor(std::function<void()> f) { showEditor_ = std::move(f); }
    // How long the writing runs before its progress dialog appears.
    void setProgressShowDelay(int ms) { progressShowDelayMs_ = ms; }
    // Run after every export written: its journal's read is booked then.
    void setExported(std::function<void()> f) { exported_ = std::move(f); }

    // The hand-over from the journal editor's "ＣＳＶ出力", once its journal
    // checks have passed: hide the editor, show this dialog (the first showing
    // colours it and reads the settings), enable the fields the code system
    // uses and set up the format options.
    void handOver();

    const ExportFields &fields() const { return fields_; }

protected:
    // The title bar's close box is refused: the dialog ends with the program.
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls();
    void run();
    void closeByButton();
    void clickFormat(int format);
    void clickTaxBlank();
    void clickTaxRate();
    // Controls to fields, and back.
    void readControls();
    void showFields();
    void setCompanyFieldsEnabled(bool enabled);

    AppState &state_;
    const journal::JournalGrid &grid_;
    ExportServices services_;
    ExportFields fields_;
    std::function<void()> hideEditor_;
    std::function<void()> showEditor_;
    std::function<void()> exported_;
    // What the last export wrote where.
    QLabel *statusLine_ = nullptr;
    int progressShowDelayMs_;

    // Option1, Option2, Option5, Option6: format values 1 to 4.
    std::array<QRadioButton *, kFormatCount> formatOptions_{};
    QRadioButton *taxBlankOption_ = nullptr; // Option3
    QRadioButton *taxRateOption_ = nullptr;  // Option4
    QLineEdit *companyCode_ = nullptr;       // Text1
    QLineEdit *companyName_ = nullptr;       // Text6
    std::array<QLineEdit *, 3> yearBoxes_{}; // Text2, Text3, Text4
    std::array<QComboBox *, 3> monthLists_{};
    std::array<QComboBox *, 3> dayLists_{};
    QLineEdit *rateBox_ = nullptr; // Text5
    // Labels Label2 to Label15 and Label19 to Label21.
    std::vector<QLabel *> companyLabels_;
};

} // namespace mokpe::output
