#pragma once

#include <QWidget>

namespace mokpe::ui {

// The first window: a picture only, shown until the main window takes over.
class SplashWindow final : public QWidget {
    Q_OBJECT
public:
    explicit SplashWindow(QWidget *parent = nullptr);
    static QPixmap picture();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap picture_;
};

} // namespace mokpe::ui
