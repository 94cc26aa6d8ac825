#pragma once

#include <QString>

// The unsettled-amount dialog without its window: the two modes, "計　算" and
// "確　定" with their checks and messages. The window mirrors these fields in its
// controls; the headless command fills them as the user would.
namespace mokpe::journal {

inline const QString kUnsettledCaption = QStringLiteral("未処理データの確定");
inline const QString kEnterAmountMessage = QStringLiteral("金額を入力して下さい．");
inline const QString kDigitsOnlyMessage = QStringLiteral("半角数字で整数のみ入力して下さい");
inline const QString kDirectModeCaption = QStringLiteral("２．使用金額を直接入力");
inline const QString kComputedModeCaption = QStringLiteral("２．前回の残金額を入力後計算");
inline const QString kBeforeAmountPrefix = QStringLiteral("処理前の金額：　");
inline const QString kPreviousBalanceCaption = QStringLiteral("前回の残金");

// Which balance the dialog settles, in both modes: %1 the row, %2 the column's
// heading, %3 the balance the cell holds.
QString pendingCellCaption(int row, const QString &columnHeading, const QString &value);

class UnsettledAmountForm {
public:
    enum class Mode { Direct, Computed };

    // The opening: direct mode, boxes empty, Label1 = "処理前の金額：　" + value.
    explicit UnsettledAmountForm(const QString &pendingValue);

    // Option1 / Option2.
    void chooseDirect();
    void chooseComputed();
    // Computed mode with Text2 already holding `previousBalance` (the newest
    // balance an earlier read of the card stored).
    void offerPreviousBalance(const QString &previousBalance);
    Mode mode() const { return mode_; }

    // Text1: the amount used (direct mode) or the balance (computed mode).
    QString text1;
    // Text2: the previous balance (computed mode).
    QString text2;
    // Typed into Text1 or Text2: a result computed from the old texts goes,
    // so that "確　定" never books a difference the boxes no longer show.
    void typeText1(const QString &text);
    void typeText2(const QString &text);
    // Label3: the computed result.
    QString label3;
    QString frame1Caption() const;
    QString label1Caption() const { return label1Caption_; }
    // Text2, Label2, Label3 and Command2 are shown in computed mode only; Label1
    // too.
    bool computedControlsVisible() const { return mode_ == Mode::Computed; }

    // "計　算": empty text on success (label3 set), else the message to show.
    QString compute();
    // "確　定": empty text on success (`value` is what the pending cell takes),
    // else the message to show; the dialog then stays open.
    QString confirm(QString &value) const;

    const QString &pendingValue() const { return pendingValue_; }

private:
    QString pendingValue_;
    Mode mode_ = Mode::Direct;
    QString label1Caption_;
};

} // namespace mokpe::journal
