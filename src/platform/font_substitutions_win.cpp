#include "platform/font_substitutions.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

namespace mokpe::platform {

// Windows has the Japanese faces themselves. The report names its face with
// an ideographic space, "ＭＳ　明朝", where the installed face is "ＭＳ 明朝".
void installFontSubstitutions()
{
    if (!QFontDatabase::families().contains(kReportFace))
        QFont::insertSubstitution(kReportFace, QStringLiteral("ＭＳ 明朝"));
}

} // namespace mokpe::platform
