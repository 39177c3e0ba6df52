#include "table/PassportWindow.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "settings/Settings.h"
#include "settings/Text.h"
#include "table/CardsButton.h"
#include "table/Cursors.h"

namespace tarvo {
namespace {

QWidget* WithLamp(QLineEdit* field, GradeLamp* lamp) {
    auto* row = new QWidget;
    auto* h = new QHBoxLayout(row);
    h->setContentsMargins(0, 0, 0, 0);
    h->addWidget(field);
    h->addWidget(lamp);
    return row;
}

std::string Cut(const QString& text, int characters) {
    return text.left(characters).toStdString();
}

} // namespace

TFormPassport::TFormPassport(Settings& settings, const RecordsWindowOptions& options, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      settings_(settings), options_(options) {
    const int lang = options_.language;
    options_.fonts.language = lang;
    setWindowTitle(OnlineText(txt::Passport, 0, lang));
    setFont(
        RoleFont(FontRole::Decor, RoleHeight(18, FontRole::Serif, options_.fonts), false, options_.fonts));

    auto* caption = new QLabel(OnlineText(txt::MyPassport, 0, lang), this);
    caption->setFont(
        RoleFont(FontRole::Decor, RoleHeight(24, FontRole::Serif, options_.fonts), true, options_.fonts));
    caption->setAlignment(Qt::AlignCenter);

    EditNick = new QLineEdit(FromUtf8(settings_.TopTenNick), this);
    EditNick->setMaxLength(kNickMax);
    EditCity = new QLineEdit(FromUtf8(settings_.TopTenCity), this);
    EditCity->setMaxLength(kCityMax);
    LampNick = new GradeLamp(this);
    LampCity = new GradeLamp(this);
    KeepKeys(
        EditNick, [](char32_t c) { return AcceptPassportKey(PassportField::Nick, c); }, lang);
    KeepKeys(
        EditCity, [](char32_t c) { return AcceptPassportKey(PassportField::City, c); }, lang);

    ComboContinent = new QComboBox(this);
    ComboCountry = new QComboBox(this);
    auto* countries = new CountryLists(ComboContinent, ComboCountry, lang);
    countries->Set(ParseCountryCode(settings_.TopTenCountry).value_or(CountryCode{1, 1}));
    ComboSex = new QComboBox(this);
    ComboSex->addItems({OnlineText(txt::SexNames, 0, lang), OnlineText(txt::SexNames, 1, lang)});
    ComboSex->setCurrentIndex(settings_.TopTenSex == "W" ? 1 : 0);

    auto* form = new QFormLayout;
    form->addRow(OnlineText(txt::Nick, 0, lang), WithLamp(EditNick, LampNick));
    form->addRow(OnlineText(txt::Country, 0, lang), ComboContinent);
    form->addRow(QString(), ComboCountry);
    form->addRow(OnlineText(txt::City, 0, lang), WithLamp(EditCity, LampCity));
    form->addRow(OnlineText(txt::Sex, 0, lang), ComboSex);

    Button1 = new TQobCardsButton(QStringLiteral("Ok"), this);
    Button1->setFixedSize(120, 40);
    Button1->setFont(
        RoleFont(FontRole::Decor, RoleHeight(22, FontRole::Serif, options_.fonts), true, options_.fonts));
    Button1->SetColorSB(TQobCardsButton::Scheme::DRed);
    Button1->SetTextColour(Qt::white);
    Button1->setDefault(true);
    auto* buttonCursor = new CursorKeeper(Button1);
    buttonCursor->SetOwn(options_.ownCursor);
    buttonCursor->Show(CursorRole::Hand);

    auto* v = new QVBoxLayout(this);
    v->addWidget(caption);
    v->addLayout(form);
    v->addWidget(Button1, 0, Qt::AlignRight);
    setMinimumWidth(380);

    connect(EditNick, &QLineEdit::textChanged, this, [this] { Grade(); });
    connect(EditCity, &QLineEdit::textChanged, this, [this] { Grade(); });
    connect(countries, &CountryLists::changed, this,
            [this](CountryCode code) { settings_.TopTenCountry = CountryCodeText(code); });
    connect(ComboSex, &QComboBox::currentIndexChanged, this,
            [this](int index) { settings_.TopTenSex.assign(1, index == 1 ? 'W' : 'M'); });
    connect(Button1, &QPushButton::clicked, this, [this] {
        if (options_.salute) options_.salute(Button1);
        if (MayClose()) accept();
    });
    Grade();
}

void TFormPassport::Grade() {
    const std::string nick = EditNick->text().toStdString(), city = EditCity->text().toStdString();
    const tarvo::Grade n = GradePassportField(PassportField::Nick, nick);
    const tarvo::Grade c = GradePassportField(PassportField::City, city);
    LampNick->Show(n);
    LampCity->Show(c);
    if (n != tarvo::Grade::Red) settings_.TopTenNick = Cut(EditNick->text(), kNickMax);
    if (c != tarvo::Grade::Red) settings_.TopTenCity = Cut(EditCity->text(), kCityMax);
}

bool TFormPassport::MayClose() {
    if (LampNick->Shown() == tarvo::Grade::Red) {
        EditNick->setFocus();
        return false;
    }
    if (LampCity->Shown() == tarvo::Grade::Red) {
        EditCity->setFocus();
        return false;
    }
    return true;
}

void TFormPassport::done(int result) {
    if (MayClose()) QDialog::done(result);
}

void ShowPassport(Settings& settings, const RecordsWindowOptions& options, QWidget* parent) {
    TFormPassport form(settings, options, parent);
    form.exec();
}

} // namespace tarvo
