#pragma once

#include <QString>

#include <array>

// The export dialog's values without its window: what each control holds, the
// dialog's copy of the settings lines and what the dialog remembers between
// runs. The window mirrors these in its controls; the writers, the settings
// rules and the headless command read and write them here.
namespace mokpe::output {

// Format choice values: the option buttons Option1, Option2, Option5, Option6.
enum ExportFormat : int {
    NoFormat = 0,
    SuitouFormat = 1,  // "「　出納帳　」形式に出力します．", 4-digit codes
    KaikeiFormat = 2,  // "「　会　計　」形式に出力します．", 3-digit codes
    FuurinFormat3 = 3, // "「 楓林会計 」CSV形式(３桁)に出力します．"
    FuurinFormat4 = 4, // "「 楓林会計 」CSV形式(４桁)に出力します．"
};
inline constexpr int kFormatCount = 4;

// A date as three boxes: year box, month list text, day list text.
struct DateBoxes {
    QString year;
    QString month;
    QString day;
    friend bool operator==(const DateBoxes &, const DateBoxes &) = default;
};

struct ExportFields {
    static constexpr int kSlotCount = 16;

    // Option1, Option2, Option5, Option6 (index = format value - 1).
    std::array<bool, kFormatCount> optionEnabled{};
    // The selected option's format value, NoFormat when none is.
    int selectedFormat = NoFormat;

    QString companyCode;   // Text1 "商　号："
    QString companyName;   // Text6 "会社名："
    DateBoxes yearEnd;     // Text2, Combo2(0), Combo3(0) "決算年月日："
    DateBoxes periodStart; // Text3, Combo2(1), Combo3(1) "出力期間："
    DateBoxes periodEnd;   // Text4, Combo2(2), Combo3(2) "～"
    // Option3 "空欄で出力" selected; otherwise Option4 "任意で出力" is.
    bool taxBlank = false;
    QString rateBox; // Text5, shown only under "任意で出力"
    // The rate kept while the rate box is hidden; the 会計 writer uses it.
    QString rememberedRate;

    // The dialog's copy of the settings file; lines 9 to 14 go back as read.
    std::array<QString, kSlotCount> lines;
    // Offered in the save dialog; afterwards the name part of the chosen path.
    QString exportFileName;
    // The opening (settings read) happens at the first showing only.
    bool opened = false;
};

} // namespace mokpe::output
