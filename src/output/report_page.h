#pragma once

#include <QString>

#include <vector>

// One page of a printed report as data: what is written where, in millimetres
// from the top-left corner of an A4 portrait sheet, before any device draws it.
namespace mokpe::output {

// A text whose first character's top-left corner is at (x, y).
struct ReportText {
    QString text;
    double x = 0;
    double y = 0;
    double pointSize = 9;
    // The one emphasis the report uses: bold.
    bool emphasis = false;
    // The face the report asks for; the painter maps it to an installed one.
    QString family;
    friend bool operator==(const ReportText &, const ReportText &) = default;
};

// The outline of a rectangle.
struct ReportRect {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
    friend bool operator==(const ReportRect &, const ReportRect &) = default;
};

struct ReportPage {
    std::vector<ReportText> texts;
    std::vector<ReportRect> rects;
};

} // namespace mokpe::output
