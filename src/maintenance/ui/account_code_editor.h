#pragma once

#include "common/app_state.h"
#include "maintenance/account_editor_contents.h"
#include "maintenance/default_account_sets.h"
#include "maintenance/list_grid_model.h"
#include "platform/messages.h"

#include <QWidget>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace mokpe::ui {
class FloatingCellGrid;
}

namespace mokpe::maintenance {

// The account code editor ("科目コード設定"): the two fixed accounts and the list
// of accounts of "kamoku_code.csv". The main window hides itself and shows this
// one; both ways of closing hand back to it through setReturnToMain().
//
// Controls (objectName: caption or role):
//   MSFlexGrid1  the account list (No., 3-digit code, 4-digit code, name);
//                its floating cell editor is "cellEditor"
//   Frame1 "電子マネー未決済勘定": Text1 3-digit code, Text2 4-digit code, Text3 name
//   Frame2 "電子マネー勘定":       Text4 3-digit code, Text5 4-digit code, Text6 name
//   Label1..Label6  the box labels ("コード（半角数字３桁）", "コード（半角数字４桁）",
//                   "勘定科目（全角３２文字）" in each frame)
//   Frame3 "その他のコードおよび勘定科目(※エンターキーで確定)": the list and
//          Command3 "1行挿入", Command4 "1行削除", Command5 "最終行追加"
//   Frame4 "初回読込み": Command6 "Ｗコード", Command7 "　楓林　コード"
//   Command1 "保　存", Command2 "閉じる"
//   Label7, Label8  the two notes; Label9  the version
class AccountCodeEditor : public QWidget {
    Q_OBJECT
public:
    AccountCodeEditor(AppState &state, platform::MessageService &messages, QWidget *parent = nullptr);

    // Called after the window has hidden itself, whichever way it was closed.
    void setReturnToMain(std::function<void()> f) { returnToMain_ = std::move(f); }
    // Called after every save that wrote the table: the main window shows the
    // code system of the saved table at once.
    void setSaved(std::function<void()> f) { saved_ = std::move(f); }

    // Fills the window from the account code table and the settings record.
    void Fm8_FormInit();
    // Clears the list and sets its layout; the number of rows stays.
    void Fm8_GridInit();

    // What the boxes and the list hold now.
    AccountEditorContents contents() const;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls();
    void showFixedAccounts(const AccountTriple &unsettled, const AccountTriple &emoney);
    void loadSet(DefaultAccountSet set);
    void save();
    // Writes the boxes and the list without asking; true when written.
    bool write();
    void afterSave();
    // The close question when the window differs from what was loaded or saved.
    bool mayClose();
    void closeByButton();
    void onCellClicked(const QModelIndex &index);

    AppState &state_;
    platform::MessageService &messages_;
    std::function<void()> returnToMain_;
    std::function<void()> saved_;
    // The boxes and the list as loaded or last saved: what closing would keep.
    AccountEditorContents savedContents_;
    // The list of accounts; the grid shows it.
    ListGrid list_;
    // Declared after the list, so that it goes first: it stops listening
    // while the list still stands, and the grid hears that it went.
    ListGridModel listModel_;

    ui::FloatingCellGrid *grid_ = nullptr;
    QLineEdit *unsettledCode3_ = nullptr;
    QLineEdit *unsettledCode4_ = nullptr;
    QLineEdit *unsettledName_ = nullptr;
    QLineEdit *emoneyCode3_ = nullptr;
    QLineEdit *emoneyCode4_ = nullptr;
    QLineEdit *emoneyName_ = nullptr;
    QLabel *versionLabel_ = nullptr;
};

} // namespace mokpe::maintenance
