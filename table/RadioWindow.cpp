#include "table/RadioWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

#include "packages/Package.h"
#include "table/CardsButton.h"
#include "table/Decorations.h"
#include "table/SpeedDialog.h"

namespace tarvo {

namespace {

QImage RadioPicture(const PackageRegistry& packages, const QString& name) {
    QImage picture;
    packages.LoadPicture(name, RadioPackageName, picture);
    return picture;
}

QIcon FlagIcon(const QString& code) {
    const int country = RadioCountryIndex(code);
    if (country == 0) return {};
    const QImage flag = BuiltinPicture(
        QStringLiteral("FlagR") +
        QLatin1String(RadioCountries()[static_cast<std::size_t>(country)].flag).toString().toUpper());
    return flag.isNull() ? QIcon() : QIcon(QPixmap::fromImage(flag));
}

} // namespace

TFormRadio::TFormRadio(Radio& radio, const RadioWindowOptions& options, QWidget* parent)
    : QDialog(parent), radio_(radio), options_(options) {
    graphic_ = options_.graphicDesign;
    if (graphic_) {
        // Without its background the graphic design gives way to the plain one.
        options_.packages.LoadJpeg(QStringLiteral("GFormRadio"), GraphicsPackage, background_);
        options_.packages.LoadPicture(QStringLiteral("GFormRadioL"), GraphicsPackage, header_);
        if (background_.isNull()) {
            graphic_ = false;
            options_.headerVariant = 2;
        }
    }
    if (!graphic_ && options_.headerVariant == 3)
        options_.packages.LoadPicture(QStringLiteral("GFormRadioL"), GraphicsPackage, header_);
    Build();
    connect(&radio_, &Radio::changed, this, &TFormRadio::Refresh);
    ComboBoxCountry->setCurrentIndex(std::clamp(radio_.Settings().filter, 0, RadioCountryCount));
    LoadStationList(ComboBoxCountry->currentIndex());
    Refresh();
}

void TFormRadio::Build() {
    setWindowTitle(options_.caption);
    setFixedSize(ClientWidth, ClientHeight);
    const FontSettings& fonts = options_.fonts;
    setFont(RoleFont(FontRole::Decor, RoleHeight(24, FontRole::Decor, fonts), false, fonts));
    const QFont listFont = RoleFont(FontRole::Decor, RoleHeight(16, FontRole::Decor, fonts), false, fonts);

    Image0 = new QLabel(this);
    Image0->setAlignment(Qt::AlignCenter);
    if (!graphic_) {
        QImage header = DialogHeader(options_.headerVariant, options_.caption, {}, header_, fonts);
        header = header.scaled(300, 56, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        Image0->setPixmap(QPixmap::fromImage(header));
    }
    Image0->setGeometry(20, 2, 300, 56);

    ComboBoxCountry = new QComboBox(this);
    ComboBoxCountry->setGeometry(8, 60, ClientWidth - 16, 26);
    ComboBoxCountry->setFont(listFont);
    ComboBoxCountry->addItem(options_.all);
    for (int c = 1; c <= RadioCountryCount; ++c) {
        const RadioCountry& country = RadioCountries()[static_cast<std::size_t>(c)];
        ComboBoxCountry->addItem(FlagIcon(QLatin1String(country.code)), QString::fromUtf8(country.name));
    }
    ComboBoxCountry->setMaxVisibleItems(15);
    connect(ComboBoxCountry, &QComboBox::activated, this, [this](int filter) {
        radio_.SetFilter(filter);
        LoadStationList(filter);
    });

    ComboBoxStation = new QComboBox(this);
    ComboBoxStation->setGeometry(8, 90, ClientWidth - 16, 26);
    ComboBoxStation->setFont(listFont);
    ComboBoxStation->setMaxVisibleItems(15);
    connect(ComboBoxStation, &QComboBox::activated, this, [this] { SelectStation(); });

    Image2 = new QLabel(this);
    Image2->setGeometry(4, 122, 180, 180);
    Image1 = new QLabel(this);
    Image1->setGeometry(190, 122, 145, 90);
    Image1->setCursor(Qt::PointingHandCursor);
    Image1->installEventFilter(this);

    ButtonMinus = new TQobCardsButton(QStringLiteral("\u2212"), this);
    ButtonMinus->setGeometry(190, 218, 30, 30);
    Image3 = new QLabel(this);
    Image3->setGeometry(224, 218, 78, 30);
    ButtonPlus = new TQobCardsButton(QStringLiteral("+"), this);
    ButtonPlus->setGeometry(305, 218, 30, 30);
    for (TQobCardsButton* b : {ButtonMinus, ButtonPlus}) {
        b->setFont(RoleFont(FontRole::Decor, 24, true, fonts));
        b->setAutoDefault(false);
    }
    connect(ButtonMinus, &QPushButton::clicked, &radio_, &Radio::VolumeDown);
    connect(ButtonPlus, &QPushButton::clicked, &radio_, &Radio::VolumeUp);

    Button1 = new TQobCardsButton(options_.ok, this);
    Button1->setGeometry(190, 256, 145, 40);
    Button1->setFont(RoleFont(FontRole::Decor, RoleHeight(24, FontRole::Decor, fonts), true, fonts));
    Button1->setAutoDefault(true);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, [this] {
        if (options_.salute) options_.salute(Button1);
        accept();
    });

    Status = new QLabel(this);
    Status->setGeometry(4, 302, ClientWidth - 8, 17);
    Status->setFont(RoleFont(FontRole::Decor, RoleHeight(14, FontRole::Decor, fonts), false, fonts));
    Status->setTextFormat(Qt::PlainText); // names come from a list file

    const QColor ink = graphic_ ? options_.designText : QColor(Qt::black);
    QPalette palette = Status->palette();
    palette.setColor(QPalette::WindowText, ink);
    Status->setPalette(palette);
    for (TQobCardsButton* b : {Button1, ButtonMinus, ButtonPlus}) {
        b->SetColorSB(graphic_ ? TQobCardsButton::Scheme::DCards : TQobCardsButton::Scheme::DRed);
        b->SetTextColour(graphic_ ? options_.designText : QColor(Qt::white));
    }
}

void TFormRadio::LoadStationList(int filter) {
    listed_ = StationsForFilter(radio_.Stations(), filter);
    const QSignalBlocker block(ComboBoxStation);
    ComboBoxStation->clear();
    int current = -1;
    for (std::size_t i = 0; i < listed_.size(); ++i) {
        ComboBoxStation->addItem(FlagIcon(listed_[i].code), listed_[i].name);
        if (current < 0 && listed_[i].name == radio_.Settings().name) current = static_cast<int>(i);
    }
    if (listed_.empty()) return;
    ComboBoxStation->setCurrentIndex(std::max(current, 0));
    if (current < 0) SelectStation();
}

void TFormRadio::SelectStation() {
    const int row = ComboBoxStation->currentIndex();
    if (row < 0 || row >= static_cast<int>(listed_.size())) return;
    // The list file decides by the identifier, as the station's own line says it.
    const Station* station = FindStation(radio_.Stations(), listed_[static_cast<std::size_t>(row)].id);
    radio_.Select(station ? *station : listed_[static_cast<std::size_t>(row)]);
}

void TFormRadio::Refresh() {
    const RadioSettings& s = radio_.Settings();
    const bool sounding = radio_.Sounding();
    Image1->setPixmap(QPixmap::fromImage(RadioPicture(
        options_.packages, sounding ? QStringLiteral("RRADIO_MAING") : QStringLiteral("RRADIO_MAINR"))));
    Image3->setPixmap(QPixmap::fromImage(RadioPicture(options_.packages, VolumeMeterPicture(s.volume))));
    QImage logo(180, 180, QImage::Format_ARGB32_Premultiplied);
    logo.fill(Qt::transparent);
    {
        QPainter p(&logo);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        const QImage frame = RadioPicture(options_.packages, QStringLiteral("RRADIO_RAMKA"));
        QImage mark = RadioPicture(options_.packages, s.logo);
        if (mark.isNull()) mark = RadioPicture(options_.packages, DefaultStationLogo);
        if (!mark.isNull()) {
            const QSize fit = mark.size().boundedTo(QSize(152, 152));
            p.drawImage(QRect((180 - fit.width()) / 2, (180 - fit.height()) / 2, fit.width(), fit.height()),
                        mark);
        }
        if (!frame.isNull()) p.drawImage(QRect(0, 0, 180, 180), frame);
    }
    Image2->setPixmap(QPixmap::fromImage(logo));
    ComboBoxStation->setToolTip(s.name);
    Image2->setToolTip(s.name + QStringLiteral(" (") + s.country + QLatin1Char(')'));
    if (!radio_.FailedStation().isEmpty())
        Status->setText(options_.noAnswer + QStringLiteral(": ") + radio_.FailedStation());
    else if (radio_.Stream().CurrentState() == AudioStream::State::Connecting)
        Status->setText(options_.connecting);
    else
        Status->setText(sounding ? s.name : QString());
}

bool TFormRadio::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Image1 && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        radio_.Toggle();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TFormRadio::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (graphic_) {
        p.fillRect(rect(), Qt::black);
        p.drawImage(0, 0, background_);
        if (!header_.isNull()) {
            const QImage header = header_.scaled(300, 56, Qt::KeepAspectRatio, Qt::SmoothTransformation);
            p.drawImage((ClientWidth - header.width()) / 2, 2, header);
        }
    } else {
        p.fillRect(rect(), palette().color(QPalette::Button));
    }
}

bool ShowRadioWindow(Radio& radio, const RadioWindowOptions& options, QWidget* parent) {
    if (!parent) parent = QApplication::activeWindow();
    auto* form = new TFormRadio(radio, options, parent);
    const bool designShown = form->GraphicDesign() == options.graphicDesign;
    form->setAttribute(Qt::WA_DeleteOnClose);
    form->exec();
    return designShown;
}

} // namespace tarvo
