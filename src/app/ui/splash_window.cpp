#include "app/ui/splash_window.h"

#include "app/ui/font_setup.h"
#include "common/app_state.h"

#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

// The picture is in the static library: its resource is registered by hand.
static void registerSplashPicture()
{
    Q_INIT_RESOURCE(splash_picture);
}

namespace mokpe::ui {

SplashWindow::SplashWindow(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint), picture_(picture())
{
    setObjectName(QStringLiteral("Form5"));
    setFixedSize(picture_.size());
}

QPixmap SplashWindow::picture()
{
    registerSplashPicture();
    QImage image;
    // The format named: no image plugin is probed for it.
    if (image.load(QStringLiteral(":/mokpe/splash_picture.png"), "PNG"))
        return QPixmap::fromImage(std::move(image));
    return drawPicture();
}

QPixmap SplashWindow::drawPicture()
{
    QPixmap pixmap(480, 300);
    pixmap.fill(Qt::white);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, 0, 300);
    sky.setColorAt(0, QColor(0x2a, 0x6f, 0xb8));
    sky.setColorAt(1, QColor(0x9c, 0xd3, 0xf0));
    p.fillRect(pixmap.rect(), sky);

    // A prepaid card leaning on a ledger page.
    p.save();
    p.translate(300, 70);
    p.rotate(-12);
    QPainterPath card;
    card.addRoundedRect(QRectF(0, 0, 150, 95), 10, 10);
    p.fillPath(card, QColor(0x3c, 0xb3, 0x71));
    p.setPen(QPen(QColor(255, 255, 255, 200), 2));
    p.drawPath(card);
    p.fillRect(QRectF(14, 22, 30, 22), QColor(0xf2, 0xd0, 0x6b));
    p.setPen(Qt::white);
    p.setFont(QFont(kUiFace, 11, QFont::Bold));
    p.drawText(QRectF(14, 58, 130, 24), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("￥ 1,234"));
    p.restore();

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 235));
    p.drawRoundedRect(QRectF(28, 150, 270, 120), 6, 6);
    p.setPen(QPen(QColor(0x9c, 0xb8, 0xd0), 1));
    for (int y = 178; y < 262; y += 20)
        p.drawLine(40, y, 286, y);

    p.setPen(Qt::white);
    p.setFont(QFont(kUiFace, 34, QFont::Bold));
    p.drawText(QRectF(28, 28, 300, 70), Qt::AlignLeft | Qt::AlignVCenter, kProgramCaption);
    p.setFont(QFont(kUiFace, 11));
    p.drawText(QRectF(32, 96, 300, 30), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("電子マネー履歴から仕訳を作成"));
    p.setPen(QColor(0x33, 0x4d, 0x66));
    p.setFont(QFont(kUiFace, 9));
    p.drawText(QRectF(40, 158, 250, 18), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("日付　借方　貸方　金額　摘要"));
    p.setPen(Qt::white);
    p.drawText(QRectF(300, 268, 170, 24), Qt::AlignRight | Qt::AlignVCenter, kVersionText);
    return pixmap;
}

void SplashWindow::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.drawPixmap(0, 0, picture_);
    if (!painted_) {
        painted_ = true;
        Q_EMIT firstPainted();
    }
}

} // namespace mokpe::ui
