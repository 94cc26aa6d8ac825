#include "maintenance/user_list.h"

namespace mokpe::maintenance {

ListGrid makeUserList()
{
    return ListGrid({QStringLiteral("No."), QStringLiteral("使用者")}, kUserGridMaxRows, 2);
}

void showUsers(ListGrid &list, const QStringList &entries)
{
    QList<QStringList> rows;
    rows.reserve(entries.size());
    for (const QString &entry : entries)
        rows.append(QStringList{entry});
    list.setRows(rows);
}

QStringList listedEntries(const ListGrid &list)
{
    QStringList entries;
    entries.reserve(list.rowTotal() - 1);
    for (int r = 1; r < list.rowTotal(); ++r)
        entries.append(list.text(r, kUserColumn));
    return entries;
}

bool sameUsers(const QStringList &a, const QStringList &b)
{
    const auto used = [](const QStringList &entries) {
        qsizetype n = entries.size();
        while (n > 0 && entries[n - 1].isEmpty())
            --n;
        return entries.first(n);
    };
    return used(a) == used(b);
}

EditorSave saveUserEditor(AppState &state, const ListGrid &list, platform::MessageService &messages)
{
    if (!askToSave(messages))
        return EditorSave::Declined;
    return savePersonFile(state, listedEntries(list), messages) ? EditorSave::Saved : EditorSave::Failed;
}

} // namespace mokpe::maintenance
