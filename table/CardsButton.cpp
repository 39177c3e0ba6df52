#include "table/CardsButton.h"

#include <QHash>
#include <QLinearGradient>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "packages/Package.h"

// The button pieces are among the built-in pictures of this library; registering them here as
// well keeps them reachable even when no card has been loaded yet.
static void RegisterButtonPictures() {
    Q_INIT_RESOURCE(tarvo_pictures);
}

namespace tarvo {

namespace {

struct Caches {
    ButtonPieceLoader loader;
    QColor designColour{0x6E, 0x2C, 0x9C};
    QHash<QString, ButtonPieces> raw;
    QHash<QString, ButtonPieces> tinted;
};

Caches& Store() {
    static Caches caches;
    return caches;
}

// The colour each scheme gives the body of the pieces; the pieces themselves are drawn red
// (or violet for the alternative set), and every body pixel is moved to this colour keeping its
// own shading.
QColor SchemeColour(TQobCardsButton::Scheme scheme) {
    using S = TQobCardsButton::Scheme;
    switch (scheme) {
    case S::DRed:
        return {}; // as drawn
    case S::DNavy:
        return {0x1C, 0x2A, 0x6E};
    case S::DBlue:
        return {0x1F, 0x5F, 0xC8};
    case S::DViolet:
        return {0x6E, 0x2C, 0x9C};
    case S::DYellow:
        return {0xE8, 0xB0, 0x10};
    case S::DGreen:
        return {0x1E, 0x8A, 0x3A};
    case S::DGray:
        return {0x7A, 0x7A, 0x7A};
    case S::DCards:
        return Store().designColour;
    }
    return {};
}

int HueDistance(int a, int b) {
    const int d = std::abs(a - b) % 360;
    return std::min(d, 360 - d);
}

int Clamp255(double v) {
    return std::clamp(static_cast<int>(std::lround(v)), 0, 255);
}

// The body's reference colour: the middle piece below its highlight.
QColor BodyColour(const ButtonPieces& pieces) {
    const QImage& m = pieces.middle;
    return QColor::fromRgba(m.pixel(m.width() / 2, m.height() * 3 / 4));
}

QImage Recoloured(const QImage& source, const QColor& body, const QColor& target, int light, bool grey) {
    QImage img = source.convertToFormat(QImage::Format_ARGB32);
    const int bodyHue = body.hsvHue();
    const double sFactor =
        body.hsvSaturation() > 0 ? target.hsvSaturation() / double(body.hsvSaturation()) : 1;
    const double vFactor = body.value() > 0 ? target.value() / double(body.value()) : 1;
    const int targetHue = std::max(0, target.hsvHue());
    const double lightFactor = light / 100.0;
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            const QRgb p = line[x];
            const int alpha = qAlpha(p);
            if (alpha == 0) continue;
            QColor c = QColor::fromRgba(p);
            if (target.isValid() && bodyHue >= 0 && c.hsvSaturation() > 40 &&
                HueDistance(c.hsvHue(), bodyHue) <= 30)
                c = QColor::fromHsv(targetHue, Clamp255(c.hsvSaturation() * sFactor),
                                    Clamp255(c.value() * vFactor), alpha);
            int r = c.red(), g = c.green(), b = c.blue();
            if (grey) {
                // A washed-out grey: the shading stays, the colour goes.
                const int v = Clamp255(qGray(r, g, b) * 0.6 + 0xC0 * 0.4);
                r = g = b = v;
            }
            line[x] =
                qRgba(Clamp255(r * lightFactor), Clamp255(g * lightFactor), Clamp255(b * lightFactor), alpha);
        }
    }
    return img;
}

const ButtonPieces& RawPieces(const QString& base) {
    Caches& c = Store();
    auto it = c.raw.find(base);
    if (it == c.raw.end()) it = c.raw.insert(base, LoadButtonPieces(base));
    return *it;
}

const ButtonPieces& TintedPieces(const QString& base, TQobCardsButton::Scheme scheme, int light, bool grey) {
    const QColor target = SchemeColour(scheme);
    const QString key = QStringLiteral("%1|%2|%3|%4")
                            .arg(base)
                            .arg(target.isValid() ? target.rgb() : 0u)
                            .arg(light)
                            .arg(grey);
    Caches& c = Store();
    auto it = c.tinted.find(key);
    if (it != c.tinted.end()) return *it;
    ButtonPieces raw = RawPieces(base);
    ButtonPieces out;
    if (raw.IsComplete()) {
        const QColor body = BodyColour(raw);
        out.left = Recoloured(raw.left, body, target, light, grey);
        out.right = Recoloured(raw.right, body, target, light, grey);
        out.middle = Recoloured(raw.middle, body, target, light, grey);
    }
    return *c.tinted.insert(key, out);
}

// Without pictures the button still looks like a button: a rounded body of its colour.
void DrawPlainBody(QPainter& p, const QRect& r, QColor colour, int light, bool grey) {
    if (!colour.isValid()) colour = QColor(0xC0, 0x18, 0x2B);
    if (grey) colour = QColor(0xB0, 0xB0, 0xB0);
    colour = QColor(Clamp255(colour.red() * light / 100.0), Clamp255(colour.green() * light / 100.0),
                    Clamp255(colour.blue() * light / 100.0));
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, colour.lighter(140));
    g.setColorAt(1, colour.darker(130));
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(colour.darker(160), 1));
    p.setBrush(g);
    const double radius = r.height() * 0.45;
    p.drawRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
}

} // namespace

QImage ReadProgramPicture(const QString& name) {
    static const bool registered = (RegisterButtonPictures(), true);
    (void)registered;
    return Package::Program().ReadPicture(RcData, name);
}

QString ButtonPieceBase(int height, bool nata) {
    const int set = height <= 30 ? 29 : height <= 45 ? 44 : 59;
    return QString(nata ? QChar('Q') : QChar('R')) + QString::number(set);
}

ButtonPieces LoadButtonPieces(const QString& base) {
    const ButtonPieceLoader& loader = Store().loader;
    auto read = [&](const QString& name) { return loader ? loader(name) : ReadProgramPicture(name); };
    return {read(base + QStringLiteral("_L")), read(base + QStringLiteral("_R")),
            read(base + QStringLiteral("_2"))};
}

void SetButtonPieceLoader(ButtonPieceLoader loader) {
    Caches& c = Store();
    c.loader = std::move(loader);
    c.raw.clear();
    c.tinted.clear();
}

void SetCardsDesignColour(const QColor& colour) {
    Store().designColour = colour;
}
QColor CardsDesignColour() {
    return Store().designColour;
}

TQobCardsButton::TQobCardsButton(QWidget* parent) : TQobCardsButton(QString(), parent) {}

TQobCardsButton::TQobCardsButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {
    setAttribute(Qt::WA_Hover); // repaint when the mouse comes and goes: the caption changes colour
    setCursor(Qt::PointingHandCursor);
}

void TQobCardsButton::SetColorSB(Scheme scheme) {
    colorSB_ = scheme;
    update();
}
void TQobCardsButton::SetTextColour(const QColor& colour) {
    textColour_ = colour;
    update();
}
void TQobCardsButton::SetColorMouse(const QColor& colour) {
    colorMouse_ = colour;
    update();
}
void TQobCardsButton::SetLightFont(bool on) {
    lightFont_ = on;
    update();
}
void TQobCardsButton::SetGrayDis(bool on) {
    grayDis_ = on;
    update();
}
void TQobCardsButton::SetHeightSB(Height h) {
    heightSB_ = h;
    updateGeometry();
}
void TQobCardsButton::SetKLightSB(int percent) {
    kLightSB_ = std::clamp(percent, 10, 300);
    update();
}
void TQobCardsButton::SetKontur(bool on) {
    kontur_ = on;
    update();
}
void TQobCardsButton::SetSmooth(bool on) {
    smooth_ = on;
    update();
}
void TQobCardsButton::SetTabCentres(std::vector<int> centres) {
    tabCentres_ = std::move(centres);
    update();
}
void TQobCardsButton::SetNata(bool on) {
    nata_ = on;
    update();
}

QSize TQobCardsButton::sizeHint() const {
    const QFontMetrics fm(font());
    const int h = heightSB_ != Height::DAuto ? static_cast<int>(heightSB_) : std::max(29, fm.height() + 10);
    int w = fm.horizontalAdvance(text()) + h + 16; // the two caps are about half the height each
    if (!icon().isNull()) w += iconSize().width() + 4;
    return {w, h};
}

QSize TQobCardsButton::minimumSizeHint() const {
    return {sizeHint().height(), sizeHint().height()};
}

void TQobCardsButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect r = rect();
    const int w = r.width(), h = r.height();
    if (w <= 0 || h <= 0) return;
    const bool grey = !isEnabled() && grayDis_;
    // A pressed button sinks: a little darker, the caption one pixel down and right.
    const bool pressed = isDown();
    const int light = pressed ? kLightSB_ * 85 / 100 : kLightSB_;

    const ButtonPieces& pieces = TintedPieces(PieceBase(), colorSB_, light, grey);
    if (pieces.IsComplete()) {
        p.setRenderHint(QPainter::SmoothPixmapTransform, smooth_);
        const double f = double(h) / pieces.left.height();
        int cap = static_cast<int>(std::lround(pieces.left.width() * f));
        cap = std::min(cap, w / 2);
        p.drawImage(QRect(0, 0, cap, h), pieces.left);
        p.drawImage(QRect(w - cap, 0, cap, h), pieces.right);
        if (w - 2 * cap > 0) p.drawImage(QRect(cap, 0, w - 2 * cap, h), pieces.middle);
    } else {
        DrawPlainBody(p, r, SchemeColour(colorSB_), light, grey);
    }

    QColor ink = textColour_;
    if (grey)
        ink = QColor(0xE4, 0xE4, 0xE4); // light on the mid-grey body
    else if (isEnabled() && underMouse())
        ink = colorMouse_;
    const int shift = pressed ? 1 : 0;

    const QFontMetrics fm(font());
    QStringList cells = text().split(QLatin1Char('\t'));
    if (cells.size() > 1 && static_cast<std::size_t>(cells.size()) > tabCentres_.size())
        cells = QStringList{text()};
    const bool columns = cells.size() > 1;
    const QString& caption = cells.front();
    const QSize glyph = icon().isNull() ? QSize() : iconSize();
    const int textW = fm.horizontalAdvance(caption);
    const int gap = (!glyph.isEmpty() && !caption.isEmpty()) ? 4 : 0;
    const int total = glyph.width() + gap + textW;
    p.setFont(font());
    auto drawPiece = [&](int x, const QString& piece) {
        const QRect textRect(x, shift, fm.horizontalAdvance(piece) + 1, h);
        if (lightFont_) {
            p.setPen(QColor(0, 0, 0, 150));
            p.drawText(textRect.translated(1, 1), Qt::AlignLeft | Qt::AlignVCenter, piece);
        }
        p.setPen(ink);
        p.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter, piece);
    };
    int x = (w - total) / 2;
    if (columns) {
        for (qsizetype k = 1; k < cells.size(); ++k)
            drawPiece(tabCentres_[static_cast<std::size_t>(k)] - fm.horizontalAdvance(cells[k]) / 2 + shift,
                      cells[k]);
        const int secondLeft = tabCentres_[1] - fm.horizontalAdvance(cells[1]) / 2;
        x = std::max(CaptionInset(), std::min(tabCentres_[0] - total / 2,
                                              secondLeft - fm.horizontalAdvance(QLatin1Char(' ')) - total));
    }
    x += shift;
    if (!glyph.isEmpty()) {
        const QPixmap pm =
            icon().pixmap(glyph, devicePixelRatioF(), isEnabled() ? QIcon::Normal : QIcon::Disabled);
        p.drawPixmap(x, (h - glyph.height()) / 2 + shift, pm);
        x += glyph.width() + gap;
    }
    if (!caption.isEmpty()) drawPiece(x, caption);

    if (kontur_ && hasFocus()) {
        const int inset = std::max(3, h / 6);
        QPen pen(ink, 1, Qt::DotLine);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.setRenderHint(QPainter::Antialiasing, false);
        const double radius = (h - 2 * inset) * 0.45;
        p.drawRoundedRect(QRectF(r.adjusted(inset, inset, -inset - 1, -inset - 1)), radius, radius);
    }
}

} // namespace tarvo
