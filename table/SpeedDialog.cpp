#include "table/SpeedDialog.h"

#include <QApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QProxyStyle>
#include <QRadialGradient>
#include <QSlider>
#include <QStyleOptionSlider>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "packages/Package.h"
#include "table/CardsButton.h"

namespace tarvo {

namespace {

constexpr int ClientWidth = 340;
constexpr int ClientHeight = 280;
constexpr QPoint PreviewPlace{55, 138};
constexpr int PreviewSize = 48;
constexpr int TickX[6] = {162, 187, 212, 236, 260, 285};

// The preview: one frame at a time, over whatever the dialog has painted beneath it.
class PreviewView : public QWidget {
  public:
    PreviewView(const TFormSpeed& form, const QImage& icon, QWidget* parent)
        : QWidget(parent), form_(form), icon_(icon) {
        setGeometry(QRect(PreviewPlace, QSize(PreviewSize, PreviewSize)));
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.drawImage(0, 0, SpeedPreviewFrame(form_.PreviewFrame(), icon_));
    }

  private:
    const TFormSpeed& form_;
    QImage icon_;
};

// The track bar keeps the application's groove and ticks, with a handle span that puts the six
// ticks right above the labels "1".."6", and a slim pointed thumb.
class TrackBarStyle : public QProxyStyle {
  public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
        if (metric == PM_SliderLength) return 28;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* p,
                            const QWidget* widget) const override {
        const auto* slider = qstyleoption_cast<const QStyleOptionSlider*>(option);
        if (control != CC_Slider || !slider) {
            QProxyStyle::drawComplexControl(control, option, p, widget);
            return;
        }
        QStyleOptionSlider rest = *slider;
        rest.subControls &= ~SC_SliderHandle;
        QProxyStyle::drawComplexControl(control, &rest, p, widget);
        if (!(slider->subControls & SC_SliderHandle)) return;

        const QRect handle = subControlRect(CC_Slider, slider, SC_SliderHandle, widget);
        const double cx = handle.center().x() + 0.5, top = handle.top() + 1.5, bottom = handle.bottom() - 0.5;
        const double half = 6;
        QPainterPath thumb;
        thumb.moveTo(cx - half, top);
        thumb.lineTo(cx + half, top);
        thumb.lineTo(cx + half, bottom - half);
        thumb.lineTo(cx, bottom);
        thumb.lineTo(cx - half, bottom - half);
        thumb.closeSubpath();
        const bool active = slider->state & (State_MouseOver | State_Sunken);
        QLinearGradient face(cx - half, 0, cx + half, 0);
        face.setColorAt(0, active ? QColor(0xFF, 0xF4, 0xD0) : QColor(0xFF, 0xFF, 0xFF));
        face.setColorAt(1, active ? QColor(0xE8, 0xB8, 0x40) : QColor(0xC4, 0xC4, 0xC4));
        p->save();
        p->setRenderHint(QPainter::Antialiasing);
        p->setPen(QPen(QColor(0x50, 0x50, 0x50), 1));
        p->setBrush(face);
        p->drawPath(thumb);
        p->restore();
    }
};

QImage Transparent(QSize size) {
    QImage img(size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

// A small card seen from the front: white with a red pip.
void DrawTinyCard(QPainter& p, const QPointF& centre, double angle, double opacity) {
    p.save();
    p.setOpacity(opacity);
    p.translate(centre);
    p.rotate(angle);
    const QRectF card(-7, -10, 14, 20);
    p.setPen(QPen(QColor(0x30, 0x30, 0x30), 1));
    p.setBrush(Qt::white);
    p.drawRoundedRect(card, 2, 2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xD0, 0x10, 0x20));
    QPainterPath heart;
    heart.moveTo(0, 5);
    heart.cubicTo(-8, -1, -3, -7, 0, -3);
    heart.cubicTo(3, -7, 8, -1, 0, 5);
    p.drawPath(heart);
    p.restore();
}

// The lettered word of header variant 1 when the package has no picture of it.
QImage LetteredWord(const QString& word, const QFont& font, QSize size) {
    QImage img = Transparent(size);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    path.addText(0, 0, font, word);
    const QRectF box = path.boundingRect();
    path.translate((size.width() - box.width()) / 2 - box.left(),
                   (size.height() - box.height()) / 2 - box.top());
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 90));
    p.drawPath(path.translated(2, 2));
    QLinearGradient gold(0, path.boundingRect().top(), 0, path.boundingRect().bottom());
    gold.setColorAt(0, QColor(0xFF, 0xF0, 0xA0));
    gold.setColorAt(0.5, QColor(0xF0, 0xB8, 0x20));
    gold.setColorAt(1, QColor(0xB0, 0x70, 0x10));
    p.setBrush(gold);
    p.setPen(QPen(QColor(0x80, 0x10, 0x10), 1.5));
    p.drawPath(path);
    return img;
}

// The frame the preview sits in on the plain design: a piece of the green table cloth.
QImage PreviewCloth(QSize size) {
    QImage img = Transparent(size);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient cloth(size.width() / 2.0, size.height() / 2.0, size.width() * 0.7);
    cloth.setColorAt(0, QColor(0x2E, 0x8B, 0x4E));
    cloth.setColorAt(1, QColor(0x14, 0x4E, 0x2A));
    p.setBrush(cloth);
    p.setPen(QPen(QColor(0xC8, 0x9B, 0x3C), 2));
    p.drawRoundedRect(QRectF(1, 1, size.width() - 2, size.height() - 2), 10, 10);
    // A small talon in the corner: where the flying card comes from.
    for (int k = 0; k < 3; ++k) {
        const QRectF back(86 + k * 2, 12 + k * 2, 24, 34);
        p.setPen(QPen(QColor(0x20, 0x20, 0x20), 1));
        p.setBrush(QColor(0x1F, 0x4F, 0xA8));
        p.drawRoundedRect(back, 3, 3);
        p.setPen(QPen(QColor(0xE0, 0xE8, 0xFF), 1));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(back.adjusted(3, 3, -3, -3), 2, 2);
    }
    return img;
}

} // namespace

int PreviewInterval(int speed) {
    constexpr int intervals[6] = {110, 95, 80, 65, 40, 25};
    return intervals[std::clamp(speed, 1, 6) - 1];
}

QImage SpeedPreviewFrame(int frame, const QImage& icon) {
    frame = ((frame % 10) + 10) % 10;
    const QSize size(PreviewSize, PreviewSize);
    if (!icon.isNull() && icon.height() > 0 && icon.width() >= 10 * icon.height()) {
        const int w = icon.width() / 10;
        QImage cut = icon.copy(frame * w, 0, w, icon.height());
        return cut.size() == size ? cut : cut.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    QImage img = Transparent(size);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    if (!icon.isNull()) {
        // A single icon spins a tenth of a turn per frame.
        p.translate(size.width() / 2.0, size.height() / 2.0);
        p.rotate(36.0 * frame);
        p.drawImage(QRectF(-size.width() / 2.0, -size.height() / 2.0, size.width(), size.height()), icon);
        return img;
    }
    // A card circling the spot, with a fading trail behind it.
    const QPointF centre(24, 24);
    p.setPen(QPen(QColor(255, 255, 255, 70), 1, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, 13, 13);
    for (int trail = 3; trail >= 0; --trail) {
        const double angle = (frame - trail * 0.45) * 36.0;
        const double rad = (angle - 90) * std::numbers::pi / 180.0;
        const QPointF at = centre + QPointF(std::cos(rad) * 13, std::sin(rad) * 13);
        DrawTinyCard(p, at, angle, trail == 0 ? 1.0 : 0.5 / trail);
    }
    return img;
}

SpeedDesignPictures LoadSpeedDesignPictures(const PackageRegistry& packages, const QString& languageCode) {
    SpeedDesignPictures pictures;
    const auto package = packages.Open(GraphicsPackage);
    if (!package) return pictures;
    pictures.background = package->ReadPicture(Jpeg, QStringLiteral("GFormSpeed"));
    pictures.header = package->ReadPicture(RcData, QStringLiteral("GFormSpeed") + languageCode);
    pictures.icon = package->ReadPicture(RcData, QStringLiteral("GIcon48Speed"));
    pictures.speedWord = package->ReadPicture(RcData, QStringLiteral("Speed") + languageCode);
    return pictures;
}

TFormSpeed::TFormSpeed(int& speed, const SpeedDialogOptions& options, QWidget* parent)
    : TFormSpeed(speed, options,
                 options.packages && (options.graphicDesign || options.headerVariant != 2)
                     ? LoadSpeedDesignPictures(*options.packages, options.languageCode)
                     : SpeedDesignPictures{},
                 parent) {}

TFormSpeed::TFormSpeed(int& speed, const SpeedDialogOptions& options, SpeedDesignPictures pictures,
                       QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      speed_(speed), options_(options), pictures_(std::move(pictures)) {
    // Without its background the graphic design cannot be drawn; the plain one takes over with
    // the header that needs no package. Variant 3 likewise needs the package's header picture.
    graphic_ = options_.graphicDesign && !pictures_.background.isNull();
    variant_ = options_.headerVariant >= 1 && options_.headerVariant <= 3 ? options_.headerVariant : 2;
    if (options_.graphicDesign && !graphic_) variant_ = 2;
    if (variant_ == 3 && pictures_.header.isNull()) variant_ = 2;
    Build();
    ApplyDesign();
}

void TFormSpeed::Build() {
    setFixedSize(ClientWidth, ClientHeight);

    Image0 = new QLabel(this);
    Image0->setGeometry(20, 5, 300, 48);
    Panel1 = new QWidget(this);
    Panel1->setGeometry(5, 55, 330, 6);
    Panel1->setAutoFillBackground(true);
    QPalette red = Panel1->palette();
    red.setColor(QPalette::Window, QColor(0xFF, 0x00, 0x00));
    Panel1->setPalette(red);
    Image0->raise(); // a tall header lies over the bar

    Image1 = new QLabel(this);
    Image1->setGeometry(25, 90, 128, 128);
    Image1->setPixmap(QPixmap::fromImage(PreviewCloth({128, 128})));

    Label0 = new QLabel(this);
    Label0->setGeometry(159, 120, 146, 41);
    Label0->setAlignment(Qt::AlignCenter);
    Label0->setWordWrap(true);

    TrackBar1 = new QSlider(Qt::Horizontal, this);
    TrackBar1->setGeometry(158, 164, 150, 30);
    TrackBar1->setRange(1, 6);
    TrackBar1->setPageStep(1);
    TrackBar1->setSingleStep(1);
    TrackBar1->setTickPosition(QSlider::TicksBelow);
    TrackBar1->setTickInterval(1);
    TrackBar1->setCursor(Qt::PointingHandCursor);
    auto* trackStyle = new TrackBarStyle;
    trackStyle->setParent(this);
    TrackBar1->setStyle(trackStyle);

    for (int i = 0; i < 6; ++i) {
        auto* tick = new QLabel(QString::number(i + 1), this);
        tick->setGeometry(TickX[i], 195, 20, 20);
        tick->setAlignment(Qt::AlignCenter);
        TickLabels[i] = tick;
    }

    preview_ = new PreviewView(*this, pictures_.icon, this);
    preview_->raise();

    Button1 = new TQobCardsButton(options_.ok, this);
    Button1->setGeometry(10, 225, 320, 45);
    Button1->setAutoDefault(true);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, [this] {
        if (options_.salute) options_.salute(Button1);
        accept();
    });

    Timer48.setInterval(100);
    connect(&Timer48, &QTimer::timeout, this, [this] { Tick(); });

    TrackBar1->setValue(std::clamp(speed_, 1, 6));
    Timer48.setInterval(PreviewInterval(TrackBar1->value()));
    connect(TrackBar1, &QSlider::valueChanged, this, [this](int position) {
        speed_ = position; // the next flight already uses it
        Timer48.setInterval(PreviewInterval(position));
    });
}

QImage TFormSpeed::HeaderPicture() const {
    return DialogHeader(variant_, options_.speedWord, pictures_.speedWord, pictures_.header, options_.fonts);
}

QImage DialogHeader(int variant, const QString& word, const QImage& wordPicture, const QImage& packageHeader,
                    const FontSettings& fonts) {
    const QFont large = RoleFont(FontRole::Serif, RoleHeight(40, FontRole::Serif, fonts), true, fonts);
    switch (variant) {
    case 1:
        if (!wordPicture.isNull()) return wordPicture;
        return LetteredWord(word, large, {300, 48});
    case 3: {
        QImage ribbon = ReadProgramPicture(QStringLiteral("GLenta280x090"));
        if (ribbon.isNull()) ribbon = Transparent({280, 90});
        ribbon = ribbon.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        QPainter p(&ribbon);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        const QSize fit = packageHeader.size().boundedTo(ribbon.size());
        p.drawImage(
            QRect(QPoint((ribbon.width() - fit.width()) / 2, (ribbon.height() - fit.height()) / 2), fit),
            packageHeader);
        return ribbon;
    }
    default: {
        QImage cap = ReadProgramPicture(QStringLiteral("GCap300"));
        if (cap.isNull()) cap = Transparent({300, 64});
        cap = cap.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        QPainter p(&cap);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.setFont(large);
        p.setPen(QColor(0xFF, 0xFF, 0x00));
        p.drawText(cap.rect(), Qt::AlignCenter, word.toUpper());
        return cap;
    }
    }
}

void TFormSpeed::ApplyDesign() {
    setWindowTitle(options_.caption);
    Label0->setText(options_.prompt);

    // The small font throughout, the labels at the large font's scale.
    const FontSettings& fonts = options_.fonts;
    const QFont labelFont = RoleFont(FontRole::Decor, RoleHeight(20, FontRole::Serif, fonts), true, fonts);
    Button1->setFont(RoleFont(FontRole::Decor, RoleHeight(20, FontRole::Decor, fonts), true, fonts));
    Label0->setFont(labelFont);
    FitPrompt();
    for (QLabel* tick : TickLabels) tick->setFont(labelFont);

    const QColor ink = graphic_ ? options_.designText : QColor(Qt::black);
    for (QLabel* label : TickLabels) {
        QPalette pal = label->palette();
        pal.setColor(QPalette::WindowText, ink);
        label->setPalette(pal);
    }
    QPalette labelPalette = Label0->palette();
    labelPalette.setColor(QPalette::WindowText, ink);
    Label0->setPalette(labelPalette);

    Image0->setVisible(!graphic_);
    Panel1->setVisible(!graphic_);
    Image1->setVisible(!graphic_);
    if (graphic_) {
        Button1->SetColorSB(TQobCardsButton::Scheme::DCards);
        Button1->SetTextColour(options_.designText);
        Button1->SetColorMouse(Qt::white);
    } else {
        Button1->SetColorSB(TQobCardsButton::Scheme::DRed);
        Button1->SetTextColour(Qt::white);
        Button1->SetColorMouse(Qt::yellow);
        const QImage header = HeaderPicture();
        Image0->setGeometry((ClientWidth - header.width()) / 2, 5, header.width(), header.height());
        Image0->setPixmap(QPixmap::fromImage(header));
    }
}

void TFormSpeed::FitPrompt() {
    // The prompt keeps its bottom just above the track bar. A translation that wraps to more lines
    // than the box holds grows it upwards into the free space under the header, and only when
    // even that is not enough does its font shrink: a prompt is never cut off.
    constexpr int bottom = 161, highestTop = 66, width = 146;
    QFont font = Label0->font();
    auto needed = [&] {
        return QFontMetrics(font)
            .boundingRect(QRect(0, 0, width, 1000), Qt::AlignCenter | Qt::TextWordWrap, Label0->text())
            .height();
    };
    while (needed() > bottom - highestTop && font.pixelSize() > 8) font.setPixelSize(font.pixelSize() - 1);
    Label0->setFont(font);
    const int height = std::max(41, needed());
    Label0->setGeometry(159, bottom - height, width, height);
}

void TFormSpeed::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (graphic_) {
        p.fillRect(rect(), Qt::black);
        p.drawImage(0, 0, pictures_.background);
        if (!pictures_.header.isNull())
            p.drawImage((ClientWidth - pictures_.header.width()) / 2, 5, pictures_.header);
    } else {
        p.fillRect(rect(), palette().color(QPalette::Button));
    }
}

void TFormSpeed::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Timer48.start();
}

void TFormSpeed::hideEvent(QHideEvent* event) {
    Timer48.stop();
    QDialog::hideEvent(event);
}

void TFormSpeed::Tick() {
    frame_ = (frame_ + 1) % 10;
    preview_->update();
}

bool ShowSpeedDialog(int& speed, const SpeedDialogOptions& options, QWidget* parent) {
    if (!parent) parent = QApplication::activeWindow();
    auto* form = new TFormSpeed(speed, options, parent);
    const bool designShown = form->GraphicDesign() == options.graphicDesign;
    // A closed window frees itself; exec() returns only after that.
    form->setAttribute(Qt::WA_DeleteOnClose);
    form->exec();
    return designShown;
}

} // namespace tarvo
