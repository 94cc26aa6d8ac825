#include "support/scripted_services.h"

#include <QFileInfo>

#include <gtest/gtest.h>

namespace mokpe::test {

void ScriptedMessages::inform(const QString &text, const QString &title)
{
    shown.push_back({ShownMessage::Inform, text, title});
}

bool ScriptedMessages::offer(const QString &text, const QString &action, const QString &title)
{
    offeredActions.append(action);
    const bool taken = ask(text, title);
    shown.back().kind = ShownMessage::Offer;
    return taken;
}

platform::Answer ScriptedMessages::nextAnswer(const QString &text)
{
    if (answers_.empty()) {
        ++unexpectedQuestions;
        ADD_FAILURE() << "unscripted question: " << text.toStdString();
        return platform::Answer::No;
    }
    const platform::Answer answer = answers_.front();
    answers_.pop_front();
    return answer;
}

bool ScriptedMessages::ask(const QString &text, const QString &title)
{
    shown.push_back({ShownMessage::Ask, text, title});
    return nextAnswer(text) == platform::Answer::Yes;
}

platform::Answer ScriptedMessages::askOrCancel(const QString &text, const QString &title)
{
    shown.push_back({ShownMessage::AskOrCancel, text, title});
    return nextAnswer(text);
}

QStringList ScriptedMessages::texts() const
{
    QStringList result;
    for (const ShownMessage &m : shown)
        result.append(m.text);
    return result;
}

QString ScriptedFileDialogs::next()
{
    if (choices_.empty()) {
        ++unexpectedDialogs;
        ADD_FAILURE() << "unscripted file dialog";
        return {};
    }
    QString path = choices_.front();
    choices_.pop_front();
    return path;
}

QString ScriptedFileDialogs::openFile(const platform::FileRequest &request)
{
    requests.push_back(request);
    filters.append(request.filter);
    return next();
}

QString ScriptedFileDialogs::saveFile(const platform::FileRequest &request)
{
    requests.push_back(request);
    filters.append(request.filter);
    presetNames.append(request.presetName);
    return next();
}

bool RecordingProcessLauncher::startDetached(const QString &program, const QStringList &arguments)
{
    starts.push_back({program, arguments});
    return result;
}

bool FakeFileSystem::exists(const QString &path)
{
    asked.append(path);
    return present.contains(path) || QFileInfo(path).isFile();
}

void FakeLauncherEntry::setValue(const QString &subkey, const QString &name, const QString &value)
{
    ++writes;
    values.insert(subkey + QStringLiteral("\\") + name, value);
}

QString FakeShortcuts::createDesktopShortcut(const QString &name, const QString &target)
{
    made.push_back({name, target});
    return name;
}

void RecordingInputModes::setInputMode(QObject &textBox, platform::InputMode mode)
{
    switches.push_back({textBox.objectName(), mode});
}

} // namespace mokpe::test
