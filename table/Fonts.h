// The four font roles of the window and the families behind them. The player picks a family and
// a scale per role; a family this machine lacks falls back to an installed look-alike, and
// Chinese, Japanese and Korean texts get the Noto CJK family of their own language.
#pragma once

#include <QFont>
#include <QString>
#include <optional>

namespace tarvo {

enum class FontRole { Serif, Decor, Fixed, Conew };

// The font settings the roles read, passed in by whoever owns the settings.
struct FontSettings {
    QString fontLarge = QStringLiteral("Comic Sans MS");                              // "serif"
    QString fontSmall = QStringLiteral("Comic Sans MS");                              // "decor"
    QString fontSpecial1 = QStringLiteral("FixedSys");                                // "fixed"
    QString fontSpecial2 = QStringLiteral("Courier New");                             // "conew"
    int scaleLarge = 100, scaleSmall = 100, scaleSpecial1 = 100, scaleSpecial2 = 100; // percent
    int language = 0; // 0..9; 5 Chinese, 8 Japanese, 9 Korean
};

// "serif", "decor", "fixed" or "conew"; nullopt for anything else.
std::optional<FontRole> RoleByName(const QString& name);

// A font height n in a role: Round(n * scale of the role / 100), ties to even.
int RoleHeight(int n, FontRole role, const FontSettings& settings);
// An unknown role name keeps n as it is.
int RoleHeight(int n, const QString& role, const FontSettings& settings);

// The family configured for a role, and the installed family drawn in its place.
QString RoleFamily(FontRole role, const FontSettings& settings);
// The family itself when installed; "Comic Sans MS" -> "Comic Neue", "FixedSys" and "Courier New"
// -> "Liberation Mono"; any other missing family -> the look-alike of the role's default family.
QString InstalledFamily(const QString& family, FontRole role = FontRole::Serif);

// The Noto CJK family for Chinese (5), Japanese (8) and Korean (9); empty for other languages.
QString CjkFamily(int language);

// A font of the given family whose line (ascent + descent) is `height` pixels, the way the
// window's sizes are designed. For the CJK languages the language's Noto family stands behind the
// family, so that Latin text keeps its look and the ideographs get the right shapes.
QFont FontOfHeight(const QString& family, int height, bool bold = false, int language = 0);
// The font of a role at an already computed height (RoleHeight is not applied again). In Russian a
// family without Cyrillic letters gives way to one that has them.
QFont RoleFont(FontRole role, int height, bool bold, const FontSettings& settings);

} // namespace tarvo
