#include "app/shortcut_create.h"

#include "platform/desktop_shortcut.h"
#include "settings/program_files.h"
#include "support/file_helpers.h"
#include "support/scripted_services.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace mokpe::app {
namespace {

struct ShortcutCreateTest : ::testing::Test {
    test::ScriptedServices fakes;
    AppState state;
    ShortcutCreateTest() { state.programFolder = QStringLiteral("/opt/mokpe dir"); }
    void run(const QString &caption = QStringLiteral("モコペ！"))
    {
        ShortcutCreate(state, {fakes.messages, fakes.processes, fakes.shortcuts}, caption);
    }
};

TEST_F(ShortcutCreateTest, NoCreatesNothing)
{
    for (int os : {5, 6, 10}) {
        state.osMajorVersion = os;
        fakes.messages.answerNext(false);
        run();
    }
    ASSERT_EQ(fakes.messages.shown.size(), 3u);
    EXPECT_EQ(fakes.messages.shown[0],
              (test::ShownMessage{test::ShownMessage::Ask,
                                  QStringLiteral("デスクトップにショートカットを作成しますか？\r\n"),
                                  QStringLiteral("ショートカットの作成")}));
    EXPECT_TRUE(fakes.processes.starts.empty());
    EXPECT_TRUE(fakes.shortcuts.made.empty());
}

TEST_F(ShortcutCreateTest, VersionSixRunsTheScriptBesideTheProgram)
{
    state.osMajorVersion = 6;
    fakes.processes.result = false;
    fakes.messages.answerNext(true);
    run();
    ASSERT_EQ(fakes.processes.starts.size(), 1u);
    EXPECT_EQ(fakes.processes.starts[0].program, QStringLiteral("WSCRIPT.EXE"));
    // The folder's space stays inside the one argument.
    EXPECT_EQ(fakes.processes.starts[0].arguments,
              QStringList{QDir::toNativeSeparators(QStringLiteral("/opt/mokpe dir/mokpe_scut.vbs"))});
    EXPECT_TRUE(fakes.shortcuts.made.empty());
    // A failed start is not reported.
    EXPECT_EQ(fakes.messages.shown.size(), 1u);
}

TEST_F(ShortcutCreateTest, OtherVersionsLinkUnderTheCurrentCaption)
{
    const QString caption = QStringLiteral("使用者：　No.2: 山田，");
    for (int os : {5, 10}) {
        state.osMajorVersion = os;
        fakes.messages.answerNext(true);
        run(caption);
    }
    ASSERT_EQ(fakes.shortcuts.made.size(), 2u);
    for (const auto &made : fakes.shortcuts.made) {
        EXPECT_EQ(made.name, caption);
        EXPECT_EQ(made.target, settings::programExecutablePath(state));
    }
    EXPECT_TRUE(fakes.processes.starts.empty());
    EXPECT_EQ(fakes.messages.unexpectedQuestions, 0);
    EXPECT_EQ(fakes.messages.shown.size(), 2u);
}

#ifndef Q_OS_WIN

int modeOf(const QString &path)
{
    struct stat info {};
    if (stat(QFile::encodeName(path).constData(), &info) != 0)
        return -1;
    return static_cast<int>(info.st_mode & 07777);
}

struct DesktopShortcutTest : ::testing::Test {
    test::TempFolder root;
    QString desktop() const { return root.file(QStringLiteral("Desktop")); }
    QStringList desktopFiles() const
    {
        return QDir(desktop()).entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                         QDir::Name);
    }
};

TEST_F(DesktopShortcutTest, HostileNamesStayInsideTheDesktopAndVisible)
{
    platform::DesktopShortcut shortcuts(desktop());
    const struct {
        QString name;
        QString fileName;
    } cases[] = {
        {"../../x", "______x.desktop"},
        {"a/b", "a_b.desktop"},
        {"a\\b:c*d?e\"f<g>h|i", "a_b_c_d_e_f_g_h_i.desktop"},
        {".hidden", "_hidden.desktop"},
        {"..", "__.desktop"},
        {"con\ntrol", "con_trol.desktop"},
        {"", "モコペ！.desktop"},
        {"   ", "モコペ！.desktop"},
        {"CON", "_CON.desktop"},
        {"使用者：　No.2: 山田，", "使用者：　No.2_ 山田，.desktop"},
    };
    for (const auto &c : cases) {
        const QString written = shortcuts.createDesktopShortcut(c.name, QStringLiteral("/opt/MokpeCnv"));
        EXPECT_EQ(written, QDir(desktop()).filePath(c.fileName)) << c.name.toStdString();
        EXPECT_TRUE(QFileInfo(written).isFile()) << c.name.toStdString();
    }
    // Nothing was written beside the desktop folder, and nothing hidden in it.
    EXPECT_EQ(QDir(root.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{"Desktop"});
    for (const QString &f : desktopFiles())
        EXPECT_FALSE(f.startsWith(QLatin1Char('.'))) << f.toStdString();
    EXPECT_EQ(desktopFiles().size(), 9); // "" and "   " share the fallback name
}

TEST_F(DesktopShortcutTest, LongNamesAreCut)
{
    platform::DesktopShortcut shortcuts(desktop());
    const QString written =
        shortcuts.createDesktopShortcut(QString(100, QChar(0x5C71)), QStringLiteral("/p"));
    EXPECT_EQ(QFileInfo(written).fileName(), QString(64, QChar(0x5C71)) + QStringLiteral(".desktop"));
}

TEST_F(DesktopShortcutTest, LauncherFileBytesAndExecutableBit)
{
    platform::DesktopShortcut shortcuts(desktop());
    const QString written = shortcuts.createDesktopShortcut(QStringLiteral("使用者：　No.2: 山田，"),
                                                            QStringLiteral("/home/u/my dir/$HOME/MokpeCnv"));
    EXPECT_EQ(test::fileBytes(written), QStringLiteral("[Desktop Entry]\n"
                                                       "Type=Application\n"
                                                       "Name=使用者：　No.2: 山田，\n"
                                                       R"(Exec="/home/u/my dir/\\$HOME/MokpeCnv")"
                                                       "\n"
                                                       "Terminal=false\n")
                                            .toUtf8());
    EXPECT_EQ(modeOf(written), 0755);
}

TEST_F(DesktopShortcutTest, ExecAndNameEscapes)
{
    const struct {
        QString name;
        QString target;
        QByteArray nameLine;
        QByteArray execLine;
    } cases[] = {
        // A backslash is escaped for the quoting and again for the string value.
        {"a\\b", "/x/a\\b", R"(Name=a\\b)", R"(Exec="/x/a\\\\b")"},
        {"q", "/x/`q`\"$1\"", "Name=q", R"(Exec="/x/\\`q\\`\\"\\$1\\"")"},
        // A percent sign is no field code.
        {"p", "/x/100%d", "Name=p", R"(Exec="/x/100%%d")"},
        {"tab", "/x/a\tb", "Name=tab", R"(Exec="/x/a\tb")"},
        // Control characters are dropped from the name; outer spaces kept as \s.
        {" con\ntrol\x7f ", "/p", R"(Name=\scontrol\s)", R"(Exec="/p")"},
        {"\n", "/p", "Name=モコペ！", R"(Exec="/p")"},
    };
    for (const auto &c : cases) {
        const QList<QByteArray> lines = platform::DesktopShortcut::desktopEntry(c.name, c.target).split('\n');
        ASSERT_EQ(lines.size(), 6) << c.name.toStdString();
        EXPECT_EQ(lines[2], c.nameLine) << c.name.toStdString();
        EXPECT_EQ(lines[3], c.execLine) << c.name.toStdString();
    }
}

TEST_F(DesktopShortcutTest, WritingAgainReplacesTheLauncher)
{
    platform::DesktopShortcut shortcuts(desktop());
    shortcuts.createDesktopShortcut(QStringLiteral("モコペ！"), QStringLiteral("/old/MokpeCnv"));
    const QString written =
        shortcuts.createDesktopShortcut(QStringLiteral("モコペ！"), QStringLiteral("/new/MokpeCnv"));
    EXPECT_EQ(desktopFiles(), QStringList{"モコペ！.desktop"});
    EXPECT_TRUE(test::fileBytes(written).contains("Exec=\"/new/MokpeCnv\"\n"));
}

TEST_F(DesktopShortcutTest, UnwritableDesktopGivesAnEmptyPath)
{
    test::writeBytes(desktop(), "not a folder");
    platform::DesktopShortcut shortcuts(desktop());
    EXPECT_EQ(shortcuts.createDesktopShortcut(QStringLiteral("x"), QStringLiteral("/p")), QString());
    EXPECT_EQ(test::fileBytes(desktop()), QByteArray("not a folder"));
}

#endif

TEST(WindowsDesktopShortcut, IsAShellLinkToTheProgramUnderASafeName)
{
#ifndef Q_OS_WIN
    GTEST_SKIP() << "a .lnk shell link is Windows' own";
#endif
    test::TempFolder root;
    const QString desktop = root.file(QStringLiteral("Desktop"));
    const QString target = root.file(QStringLiteral("MokpeCnv.exe"));
    test::writeBytes(target, "MZ");
    platform::DesktopShortcut shortcuts(desktop);
    const QString link = QDir(desktop).filePath(QStringLiteral("モコペ！.lnk"));
    // A second one replaces the first.
    for (int made = 0; made < 2; ++made) {
        EXPECT_EQ(
            shortcuts.createDesktopShortcut(QStringLiteral("モコペ！"), QDir::toNativeSeparators(target)),
            link);
        EXPECT_TRUE(QFileInfo(link).isShortcut());
        EXPECT_EQ(QFileInfo(link).symLinkTarget(), target);
    }
    EXPECT_EQ(QFileInfo(shortcuts.createDesktopShortcut(QStringLiteral("com1"), target)).fileName(),
              QStringLiteral("_com1.lnk"));
    EXPECT_EQ(QDir(desktop).entryList(QDir::Files, QDir::Name),
              (QStringList{QStringLiteral("_com1.lnk"), QStringLiteral("モコペ！.lnk")}));
}

} // namespace
} // namespace mokpe::app
