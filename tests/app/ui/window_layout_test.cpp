#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Every window and dialog, opened as a user reaches them, at each scale factor
// a desktop may run at, with the IPA faces and Qt's Japanese texts: no
// visible control reaches outside its parent, overlaps another or is too
// small for its text, no grid column too narrow for its heading or cells, also
// at the largest grid text. Each factor needs a process of its own (Qt reads
// it at start), with a screen large enough for the windows at 2.
TEST(WindowLayout, NothingClippedOrOverlappingAtAnyScaleFactor)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString screens = QDir(folder.path()).filePath(QStringLiteral("screens.json"));
    QFile json(screens);
    ASSERT_TRUE(json.open(QIODevice::WriteOnly));
    json.write(R"({"screens": [{"name": "large", "x": 0, "y": 0, "width": 3840, "height": 2160,
                   "logicalDpi": 96, "logicalBaseDpi": 96}]})");
    json.close();

    for (const char *factor : {"1", "1.25", "1.5", "2"}) {
        QProcess check;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        // The screens file by a name of its folder, the check's working folder:
        // the platform's arguments are separated by colons, a drive's too.
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"),
                           QStringLiteral("offscreen:configfile=screens.json"));
        environment.insert(QStringLiteral("QT_SCALE_FACTOR"), QString::fromLatin1(factor));
        environment.remove(QStringLiteral("QT_SCREEN_SCALE_FACTORS"));
        environment.remove(QStringLiteral("QT_AUTO_SCREEN_SCALE_FACTOR"));
        check.setProcessEnvironment(environment);
        check.setWorkingDirectory(folder.path());
        check.setProcessChannelMode(QProcess::MergedChannels);
        check.start(QStringLiteral(MOKPE_LAYOUT_CHECK_PATH), QStringList());
        ASSERT_TRUE(check.waitForFinished(120000)) << "scale " << factor;
        const QString output = QString::fromUtf8(check.readAll());
        EXPECT_EQ(check.exitStatus(), QProcess::NormalExit) << "scale " << factor;
        EXPECT_EQ(check.exitCode(), 0) << "scale " << factor << ":\n" << output.toStdString();
    }
}

} // namespace
