#pragma once

#include "journal/unsettled_amount.h"
#include "platform/services.h"

#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace mokpe::journal {

// "未処理データの確定": settles one balance cell, by the amount used or by the
// previous balance. The rules are UnsettledAmountForm's; this window shows the
// form's fields in its controls and hands every button to it. Not modal: the
// journal editor stays usable underneath. A successful "確　定" emits
// `confirmed` with the amount and closes the dialog; the close box leaves the
// cell as it was. Either way the dialog is destroyed.
class UnsettledAmountDialog final : public QDialog {
    Q_OBJECT
public:
    // `cellCaption` says which balance is settled (pendingCellCaption).
    UnsettledAmountDialog(const QString &pendingValue, const QString &cellCaption,
                          const QString &screenColour, const QString &buttonColour,
                          platform::MessageService &messages, QWidget *parent = nullptr);

    // Another balance cell was entered while the dialog is open: the dialog
    // starts over on that cell's value, keeping the method the user chose, so
    // that neither the label nor a computed amount refers to the first cell.
    // The same value again leaves what the user typed alone.
    void retarget(const QString &pendingValue, const QString &cellCaption);
    // Opens computed mode with the previous balance filled in; kept for every
    // cell the dialog is retargeted to.
    void offerPreviousBalance(const QString &previousBalance);
    const UnsettledAmountForm &form() const { return form_; }

Q_SIGNALS:
    void confirmed(const QString &amount);

private:
    void buildControls();
    void chooseDirect();
    void chooseComputed();
    void compute();
    void confirm();
    // Controls from the form: mode, captions, visibility, texts.
    void showForm();

    UnsettledAmountForm form_;
    QString offeredBalance_;
    platform::MessageService &messages_;

    QGroupBox *frame2_ = nullptr;
    QRadioButton *option1_ = nullptr;
    QRadioButton *option2_ = nullptr;
    QGroupBox *frame1_ = nullptr;
    QLineEdit *text2_ = nullptr;
    QLabel *minus_ = nullptr;
    QLineEdit *text1_ = nullptr;
    QLabel *equals_ = nullptr;
    QLabel *label3_ = nullptr;
    QLabel *label1_ = nullptr;
    // Which balance is settled: shown in both modes.
    QLabel *label4_ = nullptr;
    QPushButton *command2_ = nullptr;
    QPushButton *command1_ = nullptr;
};

} // namespace mokpe::journal
