#pragma once

#include "common/app_state.h"
#include "maintenance/colour_swatches.h"
#include "platform/messages.h"

#include <QWidget>

#include <array>
#include <functional>

class QGroupBox;
class QLabel;
class QPushButton;

namespace mokpe::maintenance {

// "画面／ボタン色設定": picks the screen colour and the button colour.
//
// Controls (objectName): the swatches are QLabels "Label1_0" to "Label1_15",
// 0 to 7 in the frame "Frame1" ("画面色設定"), 8 to 15 in "Frame2"
// ("ボタン色設定"); buttons "Command1" ("確　定"), "Command3" ("基本色に戻す"),
// "Command2" ("閉じる").
//
// "閉じる" only hides the window, so the swatch borders stay for the next
// opening. The close box hides it and destroys it (WA_DeleteOnClose): the
// opener keeps a QPointer and makes a new one, which starts with no border.
class ColourDialog : public QWidget {
    Q_OBJECT
public:
    ColourDialog(AppState &state, platform::MessageService &messages, QWidget *parent = nullptr);

    // The main window's step run first by "閉じる": apply the colours to the main
    // window and run KamokuSelect.
    void setApplyToMain(std::function<void()> f) { applyToMain_ = std::move(f); }
    // Run after the dialog hides, however it was closed: show the main window.
    void setReturnToMain(std::function<void()> f) { returnToMain_ = std::move(f); }

    // A click on swatch i (0 to 15), as the mouse gives it.
    void clickSwatch(int i);

    const SwatchBorders &borders() const { return borders_; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void applyColoursToDialog();
    void showBorders();
    void resetToStandard();
    void closeWithSave();

    AppState &state_;
    platform::MessageService &messages_;
    SwatchBorders borders_{};
    std::array<QLabel *, kSwatchCount> swatches_{};
    QGroupBox *screenFrame_ = nullptr;
    QGroupBox *buttonFrame_ = nullptr;
    std::array<QPushButton *, 3> buttons_{};
    std::function<void()> applyToMain_;
    std::function<void()> returnToMain_;
};

} // namespace mokpe::maintenance
