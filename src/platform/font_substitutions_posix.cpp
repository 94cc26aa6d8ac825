#include "platform/font_substitutions.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

namespace mokpe::platform {

void installFontSubstitutions()
{
    struct Mapping {
        QString windowsFace;
        QStringList substitutes;
    };
    const Mapping mappings[] = {
        {kUiFace, {QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")}},
        {QStringLiteral("ＭＳ ゴシック"), {QStringLiteral("IPAGothic")}},
        {QStringLiteral("MS UI Gothic"), {QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")}},
        {kReportFace, {QStringLiteral("IPAMincho"), QStringLiteral("IPAPMincho")}},
        {QStringLiteral("ＭＳ 明朝"), {QStringLiteral("IPAMincho")}},
        {QStringLiteral("ＭＳ Ｐ明朝"), {QStringLiteral("IPAPMincho"), QStringLiteral("IPAMincho")}},
    };
    const QStringList installed = QFontDatabase::families();
    for (const Mapping &m : mappings) {
        if (installed.contains(m.windowsFace))
            continue;
        QFont::insertSubstitutions(m.windowsFace, m.substitutes);
    }
}

} // namespace mokpe::platform
