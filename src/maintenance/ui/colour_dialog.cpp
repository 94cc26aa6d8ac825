#include "maintenance/ui/colour_dialog.h"

#include "settings/settings_file.h"
#include "common/colour_value.h"
#include "common/twips.h"
#include "common/ui/window_colours.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>

namespace mokpe::maintenance {

namespace {

// Layout in twips, as the window was drawn.
constexpr int kSwatchWidth = 615;
constexpr int kSwatchHeight = 495;
constexpr int kSwatchLeft = 120;
constexpr int kSwatchPitch = 840;
constexpr int kSwatchTop = 360;
constexpr int kMargin = 120;
constexpr int kFrameWidth = kSwatchLeft + 7 * kSwatchPitch + kSwatchWidth + kMargin;
constexpr int kFrameHeight = kSwatchTop + kSwatchHeight + 180;
constexpr int kButtonWidth = 1695;
constexpr int kButtonHeight = 495;
constexpr int kButtonsTop = kMargin + 2 * kFrameHeight + kMargin + 180;
constexpr int kWindowWidth = kFrameWidth + 2 * kMargin;
constexpr int kWindowHeight = kButtonsTop + kButtonHeight + 180;

const char *const kSwatchIndexProperty = "swatchIndex";

} // namespace

ColourDialog::ColourDialog(AppState &state, const platform::Services &services, QWidget *parent)
    : QWidget(parent), state_(state), services_(services)
{
    setWindowFlag(Qt::Window);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("画面／ボタン色設定"));

    const QScreen *scr = screen() ? screen() : QGuiApplication::primaryScreen();
    const double dpi = scr ? scr->logicalDotsPerInch() : 96.0;
    const auto px = [dpi](int twips) { return common::twipsToPixels(twips, dpi); };
    const auto placeTwips = [&px](QWidget *w, int left, int top, int width, int height) {
        w->setGeometry(px(left), px(top), px(width), px(height));
    };

    screenFrame_ = new QGroupBox(QStringLiteral("画面色設定"), this);
    screenFrame_->setObjectName(QStringLiteral("Frame1"));
    placeTwips(screenFrame_, kMargin, kMargin, kFrameWidth, kFrameHeight);
    buttonFrame_ = new QGroupBox(QStringLiteral("ボタン色設定"), this);
    buttonFrame_->setObjectName(QStringLiteral("Frame2"));
    placeTwips(buttonFrame_, kMargin, kMargin + kFrameHeight + kMargin, kFrameWidth, kFrameHeight);

    const QPalette appPalette = QApplication::palette();
    for (int i = 0; i < kSwatchCount; ++i) {
        auto *swatch = new QLabel(isButtonSwatch(i) ? buttonFrame_ : screenFrame_);
        swatch->setObjectName(QStringLiteral("Label1_%1").arg(i));
        swatch->setProperty(kSwatchIndexProperty, i);
        placeTwips(swatch, kSwatchLeft + swatchColumn(i) * kSwatchPitch, kSwatchTop, kSwatchWidth,
                   kSwatchHeight);
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

    const struct {
        const char *name;
        QString caption;
    } buttonSpecs[] = {
        {"Command1", QStringLiteral("確　定")},
        {"Command3", QStringLiteral("基本色に戻す")},
        {"Command2", QStringLiteral("閉じる")},
    };
    const int buttonGap = (kFrameWidth - 3 * kButtonWidth) / 2;
    for (size_t b = 0; b < buttons_.size(); ++b) {
        auto *button = new QPushButton(buttonSpecs[b].caption, this);
        button->setObjectName(QString::fromLatin1(buttonSpecs[b].name));
        placeTwips(button, kMargin + static_cast<int>(b) * (kButtonWidth + buttonGap), kButtonsTop,
                   kButtonWidth, kButtonHeight);
        buttons_[b] = button;
    }
    connect(buttons_[0], &QPushButton::clicked, this, &ColourDialog::applyColoursToDialog);
    connect(buttons_[1], &QPushButton::clicked, this, &ColourDialog::resetToStandard);
    connect(buttons_[2], &QPushButton::clicked, this, &ColourDialog::closeWithSave);

    setFixedSize(px(kWindowWidth), px(kWindowHeight));
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
    settings::Fm1_IniFileSave(state_, state_.settings.filePath, *services_.messages);
    hide();
    if (returnToMain_)
        returnToMain_();
}

} // namespace mokpe::maintenance
