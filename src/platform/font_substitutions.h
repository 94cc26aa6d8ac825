#pragma once

#include <QString>

namespace mokpe::platform {

// The windows and the report are drawn in the Windows Japanese faces ("ＭＳ Ｐゴシック",
// "ＭＳ　明朝"). On Linux (font_substitutions_posix.cpp), where those are not
// installed, they are mapped to the IPA faces, which fontconfig would otherwise
// pass over for a Latin fallback; Windows has them (font_substitutions_win.cpp).
// Needs a QGuiApplication; installing twice changes nothing.
void installFontSubstitutions();

inline const QString kUiFace = QStringLiteral("ＭＳ Ｐゴシック");
inline const QString kReportFace = QStringLiteral("ＭＳ　明朝");

} // namespace mokpe::platform
