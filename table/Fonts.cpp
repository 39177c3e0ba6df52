#include "table/Fonts.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QHash>
#include <algorithm>

#include "table/Geometry.h"

namespace tarvo {

namespace {

bool IsInstalled(const QString& family) {
    // Matched without case: a settings file written by hand may spell it differently.
    const QStringList families = QFontDatabase::families();
    return families.contains(family, Qt::CaseInsensitive);
}

QString LookAlike(const QString& family) {
    if (family.compare(QLatin1String("Comic Sans MS"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("Comic Neue");
    if (family.compare(QLatin1String("FixedSys"), Qt::CaseInsensitive) == 0 ||
        family.compare(QLatin1String("Courier New"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("Liberation Mono");
    return {};
}

// Line height of a family at pixel size 100, kept because fonts are made for every redraw.
double LineHeightPer100(const QString& family, bool bold) {
    static QHash<QString, double> cache;
    const QString key = family + (bold ? QLatin1String("|b") : QLatin1String("|r"));
    auto it = cache.constFind(key);
    if (it != cache.constEnd()) return *it;
    QFont probe(family);
    probe.setPixelSize(100);
    probe.setBold(bold);
    const double h = QFontMetricsF(probe).height();
    const double value = h > 1.0 ? h : 100.0;
    cache.insert(key, value);
    return value;
}

} // namespace

std::optional<FontRole> RoleByName(const QString& name) {
    if (name == QLatin1String("serif")) return FontRole::Serif;
    if (name == QLatin1String("decor")) return FontRole::Decor;
    if (name == QLatin1String("fixed")) return FontRole::Fixed;
    if (name == QLatin1String("conew")) return FontRole::Conew;
    return std::nullopt;
}

int RoleHeight(int n, FontRole role, const FontSettings& settings) {
    int scale = 100;
    switch (role) {
    case FontRole::Serif:
        scale = settings.scaleLarge;
        break;
    case FontRole::Decor:
        scale = settings.scaleSmall;
        break;
    case FontRole::Fixed:
        scale = settings.scaleSpecial1;
        break;
    case FontRole::Conew:
        scale = settings.scaleSpecial2;
        break;
    }
    return RoundEven(n * scale / 100.0);
}

int RoleHeight(int n, const QString& role, const FontSettings& settings) {
    const auto r = RoleByName(role);
    return r ? RoleHeight(n, *r, settings) : n;
}

QString RoleFamily(FontRole role, const FontSettings& settings) {
    switch (role) {
    case FontRole::Serif:
        return settings.fontLarge;
    case FontRole::Decor:
        return settings.fontSmall;
    case FontRole::Fixed:
        return settings.fontSpecial1;
    case FontRole::Conew:
        return settings.fontSpecial2;
    }
    return settings.fontLarge;
}

QString InstalledFamily(const QString& family, FontRole role) {
    if (!family.isEmpty() && IsInstalled(family)) return family;
    QString alike = LookAlike(family);
    if (alike.isEmpty()) {
        // A family from another machine's settings: keep the look the role has by default.
        const FontSettings defaults;
        alike = LookAlike(RoleFamily(role, defaults));
    }
    return alike;
}

QString CjkFamily(int language) {
    switch (language) {
    case 5:
        return QStringLiteral("Noto Sans CJK SC");
    case 8:
        return QStringLiteral("Noto Sans CJK JP");
    case 9:
        return QStringLiteral("Noto Sans CJK KR");
    default:
        return {};
    }
}

QFont FontOfHeight(const QString& family, int height, bool bold, int language) {
    QFont font(family);
    QStringList families{family};
    const QString cjk = CjkFamily(language);
    // Without this, Qt takes the first CJK family it finds, which draws Chinese in Japanese shapes.
    if (!cjk.isEmpty()) families << cjk;
    font.setFamilies(families);
    font.setBold(bold);
    font.setStyleStrategy(QFont::PreferAntialias);
    const int h = std::max(1, height);
    font.setPixelSize(std::max(1, RoundEven(h * 100.0 / LineHeightPer100(family, bold))));
    return font;
}

QFont RoleFont(FontRole role, int height, bool bold, const FontSettings& settings) {
    QString family = InstalledFamily(RoleFamily(role, settings), role);
    // The look-alike of the default family has no Cyrillic letters; Russian texts would be drawn
    // glyph by glyph in some other family at the wrong size, so a whole family that has them is used.
    if (settings.language == 1 && !QFontDatabase::writingSystems(family).contains(QFontDatabase::Cyrillic))
        family = role == FontRole::Fixed || role == FontRole::Conew ? QStringLiteral("Liberation Mono")
                                                                    : QStringLiteral("DejaVu Sans");
    return FontOfHeight(family, height, bold, settings.language);
}

} // namespace tarvo
