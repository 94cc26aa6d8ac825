#pragma once

#include <QWidget>

namespace mokpe::ui {

// The first window: a picture only, shown until the main window takes over.
class SplashWindow final : public QWidget {
    Q_OBJECT
public:
    explicit SplashWindow(QWidget *parent = nullptr);
    static QPixmap picture();

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
