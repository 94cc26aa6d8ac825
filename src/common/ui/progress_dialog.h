#pragma once

#include "common/progress.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QString>

class QProgressDialog;
class QWidget;

namespace mokpe::ui {

// An operation shows its dialog only when it outlasts this.
inline constexpr int kProgressShowDelayMs = 1000;

inline const QString kReadingLabel = QStringLiteral("読み込んでいます…");
inline const QString kBuildingLabel = QStringLiteral("仕訳を作成しています…");
inline const QString kExportingLabel = QStringLiteral("書き出しています…");
inline const QString kPreviewLabel = QStringLiteral("印刷プレビューを作成しています…");
inline const QString kPrintingLabel = QStringLiteral("印刷しています…");
inline const QString kPrintersLabel = QStringLiteral("プリンタを確認しています…");

// A long operation of a window told in a QProgressDialog, modal to that
// window so that nothing in it changes under the operation. The dialog is made
// when the first stage begins (never during the file dialogs and questions
// before it) and appears at the first step told once the operation has
// outlasted `showDelayMs` (never while a message between two steps waits for
// the user); while it is up, every step told lets the windows repaint and take
// the cancel. An
// operation that cannot stop safely shows no cancel button and cannot be
// closed. The dialog goes with this object.
class ProgressDialog final : public common::Progress {
public:
    static inline const QString kObjectName = QStringLiteral("ProgressDialog");
    enum class Cancel { Allowed, NotAllowed };

    ProgressDialog(QWidget *window, QString label, Cancel cancel, int showDelayMs = kProgressShowDelayMs);
    ~ProgressDialog() override;
    ProgressDialog(const ProgressDialog &) = delete;
    ProgressDialog &operator=(const ProgressDialog &) = delete;

    // The next stage's text (shown at once when the dialog is up).
    void setLabel(const QString &label);

    void setRange(qint64 total) override;
    void setValue(qint64 done) override;
    bool wasCanceled() const override;

    // The dialog once a stage has begun, else null.
    QProgressDialog *dialog() const;

private:
    void ensureDialog();

    QPointer<QWidget> window_;
    QString label_;
    Cancel cancel_;
    int showDelayMs_;
    QPointer<QProgressDialog> dialog_;
    // Since the first stage began.
    QElapsedTimer started_;
    qint64 total_ = 0;
};

} // namespace mokpe::ui
