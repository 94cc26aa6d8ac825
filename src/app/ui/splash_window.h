#pragma once

#include <QWidget>

namespace mokpe::ui {

// The first window: a picture only, shown until the main window takes over.
class SplashWindow final : public QWidget {
    Q_OBJECT
public:
    explicit SplashWindow(QWidget *parent = nullptr);
    // The picture shown: drawPicture() as drawn once and stored with the
    // program (splash_picture.png, written again by tools/screenshots.sh).
    // Reading it needs no fonts, so the splash is up before the font set-up,
    // which the main window waits for while the splash shows.
    static QPixmap picture();
    // The picture drawn afresh.
    static QPixmap drawPicture();

Q_SIGNALS:
    // Once, when the picture is first on screen.
    void firstPainted();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap picture_;
    bool painted_ = false;
};

} // namespace mokpe::ui
