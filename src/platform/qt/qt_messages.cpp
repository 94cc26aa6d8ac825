#include "platform/qt/qt_messages.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace mokpe::platform {

namespace {
QString shown(const QString &text)
{
    QString t = text;
    return t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}
} // namespace

void QtMessageService::inform(const QString &text, const QString &title)
{
    QMessageBox box(QMessageBox::NoIcon, title, shown(text), QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

bool QtMessageService::ask(const QString &text, const QString &title)
{
    QMessageBox box(QMessageBox::Question, title, shown(text), QMessageBox::Yes | QMessageBox::No,
                    QApplication::activeWindow());
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

Answer QtMessageService::askOrCancel(const QString &text, const QString &title)
{
    QMessageBox box(QMessageBox::Question, title, shown(text),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QApplication::activeWindow());
    box.button(QMessageBox::Cancel)->setText(QStringLiteral("キャンセル"));
    box.setDefaultButton(QMessageBox::Yes);
    // Esc and the close box keep the work as it is.
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

bool QtMessageService::offer(const QString &text, const QString &action, const QString &title)
{
    QMessageBox box(QMessageBox::NoIcon, title, shown(text), QMessageBox::Ok, QApplication::activeWindow());
    QPushButton *chosen = box.addButton(action, QMessageBox::AcceptRole);
    box.setDefaultButton(QMessageBox::Ok);
    // The close box and Esc are OK.
    box.setEscapeButton(QMessageBox::Ok);
    box.exec();
    return box.clickedButton() == chosen;
}

} // namespace mokpe::platform
