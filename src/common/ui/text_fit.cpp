#include "common/ui/text_fit.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

namespace mokpe::ui {

int lineEditWidthFor(const QLineEdit &box, const QString &sample)
{
    QStyleOptionFrame option;
    option.initFrom(&box);
    option.lineWidth =
        box.hasFrame() ? box.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &box) : 0;
    const QMargins margins = box.textMargins();
    // QLineEdit keeps two pixels beside its text and a cursor's width.
    const QSize text(box.fontMetrics().horizontalAdvance(sample) + 4 + 2 + margins.left() + margins.right(),
                     box.fontMetrics().height() + margins.top() + margins.bottom());
    return box.style()->sizeFromContents(QStyle::CT_LineEdit, &option, text, &box).width();
}

int columnWidthFor(const QAbstractItemView &view, const QString &sample)
{
    // The view keeps this margin on each side of a cell's text.
    const int margin = view.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &view) + 1;
    return view.fontMetrics().horizontalAdvance(sample) + 2 * margin + 1;
}

} // namespace mokpe::ui
