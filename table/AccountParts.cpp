#include "table/AccountParts.h"

#include <QKeyEvent>

#include "settings/Text.h"
#include "table/CardsButton.h"
#include "table/Cp1251Field.h"
#include "table/Cursors.h"
#include "table/Fonts.h"

// The flags are a resource of this library: registered before the first one is looked up.
static void RegisterFlags() {
    Q_INIT_RESOURCE(tarvo_flags);
}

namespace tarvo {
namespace {

QPixmap Built(const QString& name) {
    return QPixmap::fromImage(ReadProgramPicture(name));
}

// Refuses typed characters by the field's rule before they reach it.
class KeyRule : public QObject {
  public:
    KeyRule(QLineEdit* field, std::function<bool(char32_t)> accept)
        : QObject(field), accept_(std::move(accept)) {}

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        if (text.isEmpty() || !text.at(0).isPrint()) return false; // Backspace, arrows, shortcuts
        if (!FitsCp1251(text)) return false; // the field's validator refuses it and says why
        for (char32_t c : text.toUcs4())
            if (!accept_(c)) return true;
        return false;
    }

  private:
    std::function<bool(char32_t)> accept_;
};

} // namespace

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

TQobCardsButton* WindowButton(const QString& text, QWidget* parent, const RecordsWindowOptions& o,
                              int fontHeight) {
    auto* b = new TQobCardsButton(text, parent);
    b->setFont(RoleFont(FontRole::Decor, RoleHeight(fontHeight, FontRole::Serif, o.fonts), true, o.fonts));
    b->SetColorSB(TQobCardsButton::Scheme::DRed);
    b->SetTextColour(Qt::white);
    auto* cursor = new CursorKeeper(b);
    cursor->SetOwn(o.ownCursor);
    cursor->Show(CursorRole::Hand);
    return b;
}

QString OnlineText(TextTable table, int row, int language) {
    const std::string_view text = Text(table, row, language);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QPixmap LampPicture(Grade grade) {
    static const char* names[] = {"LampR", "LampY", "LampG"};
    return Built(QString::fromLatin1(names[static_cast<int>(grade)]));
}

QPixmap StarPicture(AccountState state) {
    static const char* names[] = {"StarR0", "StarY0", "StarG0"};
    return Built(QString::fromLatin1(names[static_cast<int>(state) - 1]));
}

QPixmap FacePicture(const std::string& sex) {
    return Built(sex == "M" ? QStringLiteral("FaceMan16") : QStringLiteral("FaceWoman16"));
}

QPixmap FlagPicture(CountryCode code) {
    const std::string iso = CountryIso(code);
    if (iso.empty()) return {};
    static const bool registered = (RegisterFlags(), true);
    (void)registered;
    return QPixmap(QStringLiteral(":/flags/%1.png").arg(QString::fromLatin1(iso.c_str())));
}

GradeLamp::GradeLamp(QWidget* parent) : QLabel(parent) {
    setFixedSize(16, 16);
    Show(Grade::Red);
}

void GradeLamp::Show(Grade grade) {
    grade_ = grade;
    setPixmap(LampPicture(grade));
}

void KeepKeys(QLineEdit* field, std::function<bool(char32_t)> accept, int language) {
    KeepToCp1251(field, language);
    field->installEventFilter(new KeyRule(field, std::move(accept)));
}

CountryLists::CountryLists(QComboBox* continents, QComboBox* countries, int language)
    : QObject(continents), continents_(continents), countries_(countries), language_(language) {
    for (int c = 1; c <= kContinents; ++c) continents_->addItem(OnlineText(txt::Continents, c - 1, language));
    countries_->setIconSize(QSize(16, 11));
    connect(continents_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (filling_ || index < 0) return;
        code_ = {index + 1, 0};
        FillCountries(code_.continent);
        emit changed(code_);
    });
    connect(countries_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (filling_ || index < 0) return;
        code_.number = index;
        emit changed(code_);
    });
    Set({1, 1});
}

void CountryLists::FillCountries(int continent) {
    filling_ = true;
    countries_->clear();
    for (int n = 0; n <= CountriesOn(continent); ++n)
        countries_->addItem(QIcon(FlagPicture({continent, n})),
                            FromUtf8(CountryName({continent, n}, language_)));
    countries_->setCurrentIndex(code_.continent == continent ? code_.number : 0);
    filling_ = false;
}

void CountryLists::Set(CountryCode code) {
    if (code.continent < 1 || code.continent > kContinents) code = {1, 1};
    code_ = code;
    filling_ = true;
    continents_->setCurrentIndex(code.continent - 1);
    filling_ = false;
    FillCountries(code.continent);
}

} // namespace tarvo
