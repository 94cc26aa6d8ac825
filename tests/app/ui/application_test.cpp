#include "app/ui/application.h"

#include "app/ui/main_window.h"
#include "app/ui/splash_window.h"
#include "support/file_helpers.h"
#include "support/scripted_services.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTest>

#include <gtest/gtest.h>

namespace mokpe::ui {
namespace {

TEST(Application, SplashGivesWayToTheMainWindowWhenTheTimerFires)
{
    test::TempFolder folder;
    AppState state;
    state.programFolder = folder.path();
    test::ScriptedServices fakes;
    Application gui(state, fakes.services());
    gui.start(50);
    EXPECT_EQ(gui.mainWindow(), nullptr);
    const QWidgetList before = QApplication::topLevelWidgets();
    const bool splashShown = std::any_of(before.begin(), before.end(), [](QWidget *w) {
        return qobject_cast<SplashWindow *>(w) && w->isVisible();
    });
    EXPECT_TRUE(splashShown);

    EXPECT_TRUE(QTest::qWaitFor([&] { return gui.mainWindow() != nullptr; }, 5000));
    ASSERT_NE(gui.mainWindow(), nullptr);
    EXPECT_TRUE(gui.mainWindow()->isVisible());
    const QWidgetList after = QApplication::topLevelWidgets();
    const bool splashStillShown = std::any_of(after.begin(), after.end(), [](QWidget *w) {
        return qobject_cast<SplashWindow *>(w) && w->isVisible();
    });
    EXPECT_FALSE(splashStillShown);
    // The start-up sequence ran: the settings file was created with its message.
    EXPECT_EQ(fakes.messages.texts().first(),
              QStringLiteral("ショートカットを作成する場合は，メンテナンスボタンより作成出来ます．"));
}

TEST(Application, MainWindowIsBuiltDuringTheSplashButStartsUpOnlyAfterIt)
{
    test::TempFolder folder;
    AppState state;
    state.programFolder = folder.path();
    test::ScriptedServices fakes;
    Application gui(state, fakes.services());
    // A splash that outlasts the test: what happens before its end is seen alone.
    gui.start(24 * 60 * 60 * 1000);
    const auto builtMainWindow = [] {
        const QWidgetList windows = QApplication::topLevelWidgets();
        const auto found = std::find_if(windows.begin(), windows.end(),
                                        [](QWidget *w) { return qobject_cast<MainWindow *>(w); });
        return found == windows.end() ? nullptr : *found;
    };
    ASSERT_TRUE(QTest::qWaitFor([&] { return builtMainWindow() != nullptr; }, 5000));
    EXPECT_FALSE(builtMainWindow()->isVisible());
    EXPECT_EQ(gui.mainWindow(), nullptr);
    // Nothing of the start-up sequence yet: no message, no settings file, no entry.
    EXPECT_TRUE(fakes.messages.texts().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(folder.file(QStringLiteral("inifile.ini"))));
    EXPECT_TRUE(fakes.launcher.values.isEmpty());
}

// The stored picture is the drawing as it stands: a changed drawing must be
// stored again (tools/screenshots.sh). Glyphs may be rasterised a little
// differently elsewhere, so a few pixels may differ slightly.
TEST(SplashWindow, StoredPictureIsTheDrawnOne)
{
#ifdef Q_OS_WIN
    GTEST_SKIP() << "the picture is stored from Linux, drawn with the IPA faces; Windows draws its own faces";
#endif
    setUpFonts();
    const QImage stored = SplashWindow::picture().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage drawn = SplashWindow::drawPicture().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(stored.size(), drawn.size());
    qsizetype differing = 0;
    for (int y = 0; y < stored.height(); ++y) {
        for (int x = 0; x < stored.width(); ++x) {
            const QRgb a = stored.pixel(x, y);
            const QRgb b = drawn.pixel(x, y);
            if (std::abs(qRed(a) - qRed(b)) > 24 || std::abs(qGreen(a) - qGreen(b)) > 24 ||
                std::abs(qBlue(a) - qBlue(b)) > 24)
                ++differing;
        }
    }
    EXPECT_LT(differing, stored.width() * stored.height() / 50) << differing << " pixels differ";
}

TEST(SplashWindow, ShowsAPictureOfItsOwn)
{
    const QImage picture = SplashWindow::picture().toImage();
    ASSERT_FALSE(picture.isNull());
    // Not a blank rectangle: the picture has many colours.
    QSet<QRgb> colours;
    for (int y = 0; y < picture.height(); y += 7)
        for (int x = 0; x < picture.width(); x += 7)
            colours.insert(picture.pixel(x, y));
    EXPECT_GT(colours.size(), 20);
}

} // namespace
} // namespace mokpe::ui
