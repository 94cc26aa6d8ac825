#include "app/ui/first_paint_watcher.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QMainWindow>
#include <QTest>

#include <gtest/gtest.h>

namespace mokpe::ui {
namespace {

// The start-up timing ends at this call: it must come once, and only when the
// window is on screen, not when it is drawn into an image beforehand.
TEST(FirstPaintWatcher, CallsOnceWhenTheWindowIsFirstPaintedOnScreen)
{
    int calls = 0;
    FirstPaintWatcher watcher(QMainWindow::staticMetaObject.className(), [&] { ++calls; });
    qApp->installEventFilter(&watcher);

    QLabel other(QStringLiteral("another kind of window"));
    other.show();
    QMainWindow window;
    window.setCentralWidget(new QLabel(QStringLiteral("仕訳"), &window));
    window.resize(200, 100);
    QImage offScreen(window.size(), QImage::Format_ARGB32_Premultiplied);
    window.render(&offScreen);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&other));
    EXPECT_EQ(calls, 0);

    window.show();
    EXPECT_TRUE(QTest::qWaitFor([&] { return calls > 0; }, 5000));
    window.repaint();
    window.hide();
    window.show();
    window.repaint();
    QApplication::processEvents();
    EXPECT_EQ(calls, 1);
    qApp->removeEventFilter(&watcher);
}

} // namespace
} // namespace mokpe::ui
