#include "common/ui/progress_dialog.h"

#include <QCloseEvent>
#include <QProgressDialog>

#include <algorithm>
#include <limits>

namespace mokpe::ui {

namespace {

// The bar's own scale. Every stage is drawn over the whole bar from 1 on: the
// dialog's minimum would restart its wait for the delay, so that an operation
// of two short stages would never show it.
constexpr int kBarSteps = 1000;

class OperationDialog final : public QProgressDialog {
public:
    OperationDialog(QWidget *window, bool cancellable) : QProgressDialog(window), cancellable_(cancellable) {}
    // Shown as its own timer would show it: every later step serves the windows.
    void showNow() { forceShow(); }

protected:
    void reject() override
    {
        if (cancellable_)
            QProgressDialog::reject();
    }
    void closeEvent(QCloseEvent *event) override
    {
        if (cancellable_)
            QProgressDialog::closeEvent(event);
        else
            event->ignore();
    }

private:
    bool cancellable_;
};

} // namespace

ProgressDialog::ProgressDialog(QWidget *window, QString label, Cancel cancel, int showDelayMs)
    : window_(window), label_(std::move(label)), cancel_(cancel), showDelayMs_(showDelayMs)
{}

ProgressDialog::~ProgressDialog()
{
    delete dialog_.data();
}

void ProgressDialog::ensureDialog()
{
    if (dialog_)
        return;
    auto *dialog = new OperationDialog(window_.data(), cancel_ == Cancel::Allowed);
    dialog->setObjectName(kObjectName);
    dialog->setWindowTitle(QStringLiteral("モコペ！"));
    dialog->setWindowModality(window_ ? Qt::WindowModal : Qt::ApplicationModal);
    dialog->setLabelText(label_);
    if (cancel_ == Cancel::Allowed)
        dialog->setCancelButtonText(QStringLiteral("中止"));
    else
        dialog->setCancelButton(nullptr);
    // The stages of one operation share the dialog: it stays up until the end.
    dialog->setAutoReset(false);
    dialog->setAutoClose(false);
    dialog->setRange(0, kBarSteps);
    // The dialog appears from a step of the operation (setValue), never from
    // a timer of its own: while a message waits for the user between two
    // steps, a dialog popping up would take the keyboard, and Enter meant for
    // the message would press "中止".
    dialog->setMinimumDuration(std::numeric_limits<int>::max());
    dialog->setValue(0);
    dialog_ = dialog;
    started_.start();
}

void ProgressDialog::setLabel(const QString &label)
{
    label_ = label;
    if (dialog_)
        dialog_->setLabelText(label_);
}

void ProgressDialog::setRange(qint64 total)
{
    ensureDialog();
    total_ = total;
}

void ProgressDialog::setValue(qint64 done)
{
    ensureDialog();
    const qint64 bounded = std::clamp<qint64>(done, 0, total_);
    const qint64 bar = total_ > 0 ? 1 + bounded * (kBarSteps - 1) / total_ : 1;
    if (!dialog_->isVisible() && started_.elapsed() >= showDelayMs_)
        static_cast<OperationDialog *>(dialog_.data())->showNow();
    dialog_->setValue(static_cast<int>(bar));
}

bool ProgressDialog::wasCanceled() const
{
    return cancel_ == Cancel::Allowed && dialog_ && dialog_->wasCanceled();
}

QProgressDialog *ProgressDialog::dialog() const
{
    return dialog_.data();
}

} // namespace mokpe::ui
