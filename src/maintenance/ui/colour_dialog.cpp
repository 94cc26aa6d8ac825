#include "maintenance/ui/colour_dialog.h"

#include "common/colour_value.h"
#include "common/ui/window_colours.h"
#include "settings/settings_file.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace mokpe::maintenance {

namespace {

const char *const kSwatchIndexProperty = "swatchIndex";

} // namespace

ColourDialog::ColourDialog(AppState &state, platform::MessageService &messages, QWidget *parent)
    : QWidget(parent), state_(state), messages_(messages)
{
    setWindowFlag(Qt::Window);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("画面／ボタン色設定"));

    // A swatch is as large as the window's font makes it: about two and a half
    // lines wide and two high, as it was drawn.
    const int line = fontMetrics().height();
    const QSize swatchSize(line * 5 / 2, line * 2);

    screenFrame_ = new QGroupBox(QStringLiteral("画面色設定"), this);
    screenFrame_->setObjectName(QStringLiteral("Frame1"));
    buttonFrame_ = new QGroupBox(QStringLiteral("ボタン色設定"), this);
    buttonFrame_->setObjectName(QStringLiteral("Frame2"));
    QHBoxLayout *rows[] = {new QHBoxLayout(screenFrame_), new QHBoxLayout(buttonFrame_)};
    QLabel *placed[2][8] = {};

    const QPalette appPalette = QApplication::palette();
    for (int i = 0; i < kSwatchCount; ++i) {
        auto *swatch = new QLabel(isButtonSwatch(i) ? buttonFrame_ : screenFrame_);
        swatch->setObjectName(QStringLiteral("Label1_%1").arg(i));
        swatch->setProperty(kSwatchIndexProperty, i);
        swatch->setFixedSize(swatchSize);
        placed[isButtonSwatch(i) ? 1 : 0][swatchColumn(i)] = swatch;
        // A swatch shows its own colour whatever the window's colours are.
        QPalette palette = swatch->palette();
        palette.setColor(QPalette::Window, common::colourFromValue(swatchValue(i), appPalette));
        palette.setColor(QPalette::WindowText, Qt::black);
        swatch->setPalette(palette);
        swatch->setAutoFillBackground(true);
        swatch->setFrameShadow(QFrame::Plain);
        swatch->setLineWidth(1);
        swatch->setCursor(Qt::PointingHandCursor);
        swatch->installEventFilter(this);
        swatches_[static_cast<size_t>(i)] = swatch;
    }
    // Eight in a row, left to right by their column.
    for (int group = 0; group < 2; ++group) {
        rows[group]->setSpacing(swatchSize.width() / 3);
        for (QLabel *swatch : placed[group])
            rows[group]->addWidget(swatch);
    }

    const struct {
        const char *name;
        QString caption;
    } buttonSpecs[] = {
        {"Command1", QStringLiteral("確　定")},
        {"Command3", QStringLiteral("基本色に戻す")},
        {"Command2", QStringLiteral("閉じる")},
    };
    auto *buttonRow = new QHBoxLayout;
    for (size_t b = 0; b < buttons_.size(); ++b) {
        auto *button = new QPushButton(buttonSpecs[b].caption, this);
        button->setObjectName(QString::fromLatin1(buttonSpecs[b].name));
        button->setMinimumHeight(line * 2);
        if (b > 0)
            buttonRow->addStretch(1);
        buttonRow->addWidget(button);
        buttons_[b] = button;
    }
    connect(buttons_[0], &QPushButton::clicked, this, &ColourDialog::applyColoursToDialog);
    connect(buttons_[1], &QPushButton::clicked, this, &ColourDialog::resetToStandard);
    connect(buttons_[2], &QPushButton::clicked, this, &ColourDialog::closeWithSave);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(screenFrame_);
    layout->addWidget(buttonFrame_);
    layout->addSpacing(line / 2);
    layout->addLayout(buttonRow);
    // As large as its contents, and no larger.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    showBorders();
    applyColoursToDialog();
}

void ColourDialog::clickSwatch(int i)
{
    if (i < 0 || i >= kSwatchCount)
        return;
    applySwatchClick(state_.settings, borders_, i);
    showBorders();
    applyColoursToDialog();
}

bool ColourDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        const QVariant index = watched->property(kSwatchIndexProperty);
        if (index.isValid() && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
            clickSwatch(index.toInt());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void ColourDialog::showEvent(QShowEvent *event)
{
    applyColoursToDialog();
    QWidget::showEvent(event);
}

void ColourDialog::closeEvent(QCloseEvent *event)
{
    // The close box leaves the main window's colours and the settings file alone.
    hide();
    if (returnToMain_)
        returnToMain_();
    event->accept();
}

void ColourDialog::applyColoursToDialog()
{
    const QString &screen = state_.settings.screenColour;
    const QString &button = state_.settings.buttonColour;
    ui::applyScreenColour(this, screen);
    ui::applyScreenColour(screenFrame_, screen);
    ui::applyScreenColour(buttonFrame_, screen);
    for (QPushButton *b : buttons_)
        ui::applyButtonColour(b, button);
}

void ColourDialog::showBorders()
{
    for (int i = 0; i < kSwatchCount; ++i)
        swatches_[static_cast<size_t>(i)]->setFrameShape(borders_[static_cast<size_t>(i)] ? QFrame::Box
                                                                                          : QFrame::NoFrame);
}

void ColourDialog::resetToStandard()
{
    resetColours(state_.settings);
    applyColoursToDialog();
}

void ColourDialog::closeWithSave()
{
    if (applyToMain_)
        applyToMain_();
    // A failed write is reported by the settings file itself; the dialog closes either way.
    settings::Fm1_IniFileSave(state_, settings::settingsFilePath(state_), messages_);
    hide();
    if (returnToMain_)
        returnToMain_();
}

} // namespace mokpe::maintenance
