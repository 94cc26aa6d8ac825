#include "support/ui/layout_faults.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSizeGrip>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTableView>
#include <QToolButton>

namespace mokpe::test {

namespace {

QString nameOf(const QWidget *w)
{
    const QString name = w->objectName();
    return name.isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : name;
}

QString pathOf(const QWidget *w, const QWidget *window)
{
    QStringList names;
    for (; w && w != window; w = w->parentWidget())
        names.prepend(nameOf(w));
    return names.join(QLatin1Char('/'));
}

QString rectText(const QRect &r)
{
    return QStringLiteral("(%1,%2 %3x%4)").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

// Inside a scrolling area's viewport: placed over contents that move.
bool onScrolledContents(const QWidget *w, const QWidget *window)
{
    for (const QWidget *p = w->parentWidget(); p && p != window; p = p->parentWidget()) {
        if (const auto *area = qobject_cast<const QAbstractScrollArea *>(p->parentWidget());
            area && area->viewport() == p)
            return true;
    }
    return false;
}

// A size grip stands in the corner over whatever is there, by design.
bool checked(const QWidget *w, const QWidget *window)
{
    return !w->isWindow() && w->isVisibleTo(window) && !onScrolledContents(w, window) &&
           !qobject_cast<const QSizeGrip *>(w);
}

// The text of a control does not fit.
QString textFault(const QWidget *w)
{
    const QSize size = w->size();
    if (const auto *label = qobject_cast<const QLabel *>(w)) {
        if (label->text().isEmpty())
            return {};
        if (label->wordWrap()) {
            const int needed = label->heightForWidth(size.width());
            return needed > size.height() ? QStringLiteral("its wrapped text needs %1 high").arg(needed)
                                          : QString();
        }
    }
    // Tool buttons show icons on a desktop (Qt's own dialogs); their sizes are Qt's.
    if (qobject_cast<const QToolButton *>(w))
        return {};
    // The file dialog's folder box shows the whole path of the folder it is in,
    // however long, as Qt lays it out.
    if (w->objectName() == QLatin1String("lookInCombo"))
        return {};
    if (qobject_cast<const QLabel *>(w) || qobject_cast<const QAbstractButton *>(w) ||
        qobject_cast<const QComboBox *>(w)) {
        const QSize needed = w->minimumSizeHint();
        if (needed.width() > size.width() || needed.height() > size.height())
            return QStringLiteral("its text needs %1x%2").arg(needed.width()).arg(needed.height());
        return {};
    }
    if (const auto *edit = qobject_cast<const QLineEdit *>(w)) {
        // The frame and margins around the text, as the style draws them.
        QStyleOptionFrame option;
        option.initFrom(edit);
        option.lineWidth = edit->hasFrame() ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) : 0;
        const QMargins margins = edit->textMargins();
        const QSize text(edit->fontMetrics().horizontalAdvance(edit->text()) + 4 + margins.left() +
                             margins.right(),
                         edit->fontMetrics().height() + margins.top() + margins.bottom());
        const QSize needed = edit->style()->sizeFromContents(QStyle::CT_LineEdit, &option, text, edit);
        if (needed.height() > size.height() || (!edit->text().isEmpty() && needed.width() > size.width()))
            return QStringLiteral("its text \"%1\" needs %2x%3")
                .arg(edit->text())
                .arg(needed.width())
                .arg(needed.height());
        return {};
    }
    if (const auto *list = qobject_cast<const QListWidget *>(w)) {
        for (int i = 0; i < list->count(); ++i) {
            const int needed =
                list->fontMetrics().horizontalAdvance(list->item(i)->text()) + 2 * list->frameWidth();
            if (needed > list->viewport()->width() + 2 * list->frameWidth())
                return QStringLiteral("entry \"%1\" needs %2 wide").arg(list->item(i)->text()).arg(needed);
        }
    }
    return {};
}

// Columns narrower than their headings or than the texts shown in them.
QStringList gridFaults(const QTableView *grid, const QString &path)
{
    QStringList faults;
    const QAbstractItemModel *model = grid->model();
    if (!model)
        return faults;
    const QHeaderView *header = grid->horizontalHeader();
    const int lastColumn = model->columnCount() - 1;
    if (header->isVisible() && header->sizeHint().height() > header->height())
        faults.append(QStringLiteral("%1: the heading row is %2 high, its headings need %3")
                          .arg(path)
                          .arg(header->height())
                          .arg(header->sizeHint().height()));
    const int firstRow = grid->rowAt(0) < 0 ? 0 : grid->rowAt(0);
    const int lastRow = grid->rowAt(grid->viewport()->height() - 1) < 0
                            ? model->rowCount() - 1
                            : grid->rowAt(grid->viewport()->height() - 1);
    for (int c = 0; c <= lastColumn; ++c) {
        if (grid->isColumnHidden(c))
            continue;
        const int width = grid->columnWidth(c);
        const int heading = header->sectionSizeHint(c);
        if (heading > width)
            faults.append(QStringLiteral("%1: column %2 is %3 wide, its heading needs %4")
                              .arg(path)
                              .arg(c)
                              .arg(width)
                              .arg(heading));
        for (int r = firstRow; r <= lastRow && r >= 0; ++r) {
            const QModelIndex index = model->index(r, c);
            const int height = grid->rowHeight(r);
            if (grid->fontMetrics().height() > height) {
                faults.append(QStringLiteral("%1: row %2 is %3 high, a line of text needs %4")
                                  .arg(path)
                                  .arg(r)
                                  .arg(height)
                                  .arg(grid->fontMetrics().height()));
                return faults;
            }
            if (c == lastColumn)
                continue;
            const QString text = index.data().toString();
            // The cell's own margins, as the view draws its text.
            const int needed =
                grid->fontMetrics().horizontalAdvance(text) +
                2 * (grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1);
            if (needed > width) {
                faults.append(QStringLiteral("%1: column %2 is %3 wide, \"%4\" needs %5")
                                  .arg(path)
                                  .arg(c)
                                  .arg(width)
                                  .arg(text)
                                  .arg(needed));
                break;
            }
        }
    }
    return faults;
}

} // namespace

QStringList layoutFaults(QWidget &window)
{
    QStringList faults;
    const QList<QWidget *> all = window.findChildren<QWidget *>();
    for (QWidget *w : all) {
        if (!checked(w, &window))
            continue;
        const QString path = pathOf(w, &window);
        const QWidget *parent = w->parentWidget();
        if (!parent->rect().contains(w->geometry()))
            faults.append(QStringLiteral("%1 %2 reaches outside %3 %4")
                              .arg(path, rectText(w->geometry()), nameOf(parent), rectText(parent->rect())));
        if (const QString fault = textFault(w); !fault.isEmpty())
            faults.append(QStringLiteral("%1 %2: %3").arg(path, rectText(w->geometry()), fault));
        if (const auto *grid = qobject_cast<const QTableView *>(w))
            faults.append(gridFaults(grid, path));
    }
    // Siblings, pairwise.
    QList<QWidget *> parents{&window};
    for (QWidget *w : all) {
        if (checked(w, &window))
            parents.append(w);
    }
    for (QWidget *parent : parents) {
        QList<QWidget *> children;
        for (QObject *o : parent->children()) {
            auto *child = qobject_cast<QWidget *>(o);
            if (child && checked(child, &window))
                children.append(child);
        }
        for (qsizetype i = 0; i < children.size(); ++i) {
            for (qsizetype j = i + 1; j < children.size(); ++j) {
                if (children[i]->geometry().intersects(children[j]->geometry()))
                    faults.append(QStringLiteral("%1 %2 overlaps %3 %4")
                                      .arg(pathOf(children[i], &window), rectText(children[i]->geometry()),
                                           nameOf(children[j]), rectText(children[j]->geometry())));
            }
        }
    }
    return faults;
}

} // namespace mokpe::test
