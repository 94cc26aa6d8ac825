#pragma once

#include "common/app_state.h"
#include "maintenance/list_grid_model.h"
#include "platform/messages.h"

#include <QWidget>

#include <functional>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace mokpe::ui {
class FloatingCellGrid;
}

namespace mokpe::maintenance {

// The user editor ("使用者登録"): a grid of the user entries with row commands
// and a save. The opening steps run when the window is made; "閉じる" only hides
// it, so the next showing finds the grid as it was left, while the close box
// also destroys it (the owner keeps a QPointer and makes a new one).
class UserEditor : public QWidget {
    Q_OBJECT
public:
    UserEditor(AppState &state, platform::MessageService &messages, QWidget *parent = nullptr);

    // Called after the window has hidden itself, by "閉じる" and by the close box.
    void setReturnToMain(std::function<void()> f) { returnToMain_ = std::move(f); }
    // Called after every save that wrote "person.csv": the main window's list
    // follows at once.
    void setSaved(std::function<void()> f) { saved_ = std::move(f); }
    // The colour rule: window and note the screen colour, buttons the button
    // colour, the grid's fixed cells the screen colour. The main window calls it
    // again before every showing.
    void applyColours();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void loadFromUserTable();
    void fitGridToColumns();
    void save();
    // Writes the grid's entries without asking; true when written.
    bool write();
    void afterSave();
    // The close question when the grid differs from what was loaded or saved.
    bool mayClose();
    void closeWithButton();

    AppState &state_;
    platform::MessageService &messages_;
    std::function<void()> returnToMain_;
    std::function<void()> saved_;
    // The entries as loaded or last saved: what closing would keep.
    QStringList savedEntries_;
    // The user entries; the grid shows them.
    ListGrid list_;
    // Declared after the list, so that it goes first: it stops listening
    // while the list still stands, and the grid hears that it went.
    ListGridModel listModel_;

    ui::FloatingCellGrid *grid_;
    QPlainTextEdit *loadedText_;
    QPushButton *saveButton_;
    QPushButton *closeButton_;
    QPushButton *insertButton_;
    QPushButton *deleteButton_;
    QPushButton *appendButton_;
    QLabel *note_;
};

} // namespace mokpe::maintenance
