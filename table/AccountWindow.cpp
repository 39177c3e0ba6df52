#include "table/AccountWindow.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QDate>
#include <QFile>
#include <QFormLayout>
#include <QGridLayout>
#include <QHeaderView>
#include <QImageReader>
#include <QLocale>
#include <QPainter>
#include <QVBoxLayout>

#include "online/RealNumber.h"
#include "settings/Text.h"
#include "table/CardsButton.h"

namespace tarvo {
namespace {

constexpr QSize kPhotoSize{200, 250};
// A photo larger than this goes as the same picture stored again: a request has 64 KiB.
constexpr qint64 kPhotoBytes = 60 * 1024;

// The detail fields in their order: caption and edit limit.
struct DetailCaption {
    TextTable caption;
    int limit;
};
const std::array<DetailCaption, TInfo14::kCount> kDetailCaptions = {{{txt::YourName, 20},
                                                                     {txt::YourLastName, 20},
                                                                     {txt::BriefInfo, 50},
                                                                     {txt::YourPhone, 20},
                                                                     {txt::YourEmail, 50},
                                                                     {txt::YourSkype, 50},
                                                                     {txt::YourWebSite, 50},
                                                                     {txt::YourOk, 50},
                                                                     {txt::YourVk, 50},
                                                                     {txt::YourTelegram, 50},
                                                                     {txt::YourFacebook, 60},
                                                                     {txt::YourTwitter, 50},
                                                                     {txt::YourInstagram, 50},
                                                                     {txt::YourYouTube, 50}}};

QWidget* WithLamp(QWidget* field, GradeLamp* lamp) {
    auto* row = new QWidget;
    auto* h = new QHBoxLayout(row);
    h->setContentsMargins(0, 0, 0, 0);
    h->addWidget(field);
    if (lamp) h->addWidget(lamp);
    return row;
}

QLabel* Heading(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont f = label->font();
    f.setBold(true);
    label->setFont(f);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

std::string Text8(const QLineEdit* edit) {
    return edit->text().toStdString();
}

} // namespace

std::string RegistrationDate() {
    const QDate today = QDate::currentDate();
    QString text = QLocale::system().toString(today, QLocale::ShortFormat);
    for (QChar c : text)
        if (!c.isDigit() && c != '.' && c != '/' && c != '-') text.clear();
    if (text.isEmpty() || text.size() > 10) text = today.toString(QStringLiteral("dd.MM.yyyy"));
    return text.toStdString();
}

std::optional<std::string> LoadAccountPhoto(const QString& file) {
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly) || in.size() > 16 * 1024 * 1024) return std::nullopt;
    const QByteArray bytes = in.readAll();
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "jpeg");
    if (reader.size() != kPhotoSize) return std::nullopt;
    const QImage image = reader.read();
    if (image.isNull() || image.size() != kPhotoSize) return std::nullopt;
    if (bytes.size() <= kPhotoBytes) return bytes.toStdString();
    for (int quality : {90, 80, 70, 55, 40}) {
        QByteArray smaller;
        QBuffer out(&smaller);
        out.open(QIODevice::WriteOnly);
        image.save(&out, "JPEG", quality);
        if (smaller.size() <= kPhotoBytes) return smaller.toStdString();
    }
    return std::nullopt;
}

QPixmap FramedPhoto(const std::string& jpeg) {
    QImage photo;
    if (!jpeg.empty())
        photo.loadFromData(reinterpret_cast<const uchar*>(jpeg.data()), static_cast<int>(jpeg.size()),
                           "JPEG");
    if (photo.isNull() || photo.size() != kPhotoSize)
        photo = ReadProgramPicture(QStringLiteral("GAcNoPhoto"));
    QImage framed(240, 290, QImage::Format_ARGB32_Premultiplied);
    framed.fill(Qt::transparent);
    QPainter p(&framed);
    p.drawImage(20, 20, photo);
    p.drawImage(0, 0, ReadProgramPicture(QStringLiteral("GAcFrame")));
    p.end();
    return QPixmap::fromImage(framed);
}

// ---- the account window

TFormAccount::TFormAccount(Account& account, const RecordsWindowOptions& options, AccountWindowHooks hooks,
                           QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      account_(account), options_(options), hooks_(std::move(hooks)) {
    const int lang = options_.language;
    options_.fonts.language = lang;
    setWindowTitle(OnlineText(txt::AccountClub, 0, lang));
    setFont(
        RoleFont(FontRole::Decor, RoleHeight(17, FontRole::Serif, options_.fonts), false, options_.fonts));

    auto* heading = new QLabel(OnlineText(txt::AccountClub, 0, lang), this);
    heading->setFont(
        RoleFont(FontRole::Decor, RoleHeight(26, FontRole::Serif, options_.fonts), true, options_.fonts));
    heading->setAlignment(Qt::AlignCenter);
    PageControl = new QTabWidget(this);
    PageControl->addTab(AccountTab(), OnlineText(txt::MyAccount, 0, lang));
    PageControl->addTab(ResultsTab(), OnlineText(txt::MyResults, 0, lang));
    PageControl->addTab(TopTab(), OnlineText(txt::TopTenTab, 0, lang));
    PageControl->addTab(AboutTab(), OnlineText(txt::AboutMe, 0, lang));
    PageControl->addTab(PresidentTab(), OnlineText(txt::President, 0, lang));
    Button1 = MakeButton(QStringLiteral("Ok"));
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, [this] {
        if (options_.salute) options_.salute(Button1);
        accept();
    });
    auto* v = new QVBoxLayout(this);
    v->addWidget(heading);
    v->addWidget(PageControl);
    v->addWidget(Button1, 0, Qt::AlignRight);
    setMinimumSize(620, 520);
    Redraw();
}

TQobCardsButton* TFormAccount::MakeButton(const QString& text) {
    auto* b = WindowButton(text, this, options_, 18);
    b->setMinimumHeight(34);
    return b;
}

QWidget* TFormAccount::AccountTab() {
    const int lang = options_.language;
    auto* tab = new QWidget;
    ImageStar = new QLabel(tab);
    LampState = new GradeLamp(tab);
    auto* top = new QHBoxLayout;
    top->addWidget(Heading(OnlineText(txt::AccountInformation, 0, lang), tab), 1);
    top->addWidget(LampState);
    top->addWidget(ImageStar);

    EditNick = new QLineEdit(tab);
    EditNick->setMaxLength(kNickMax);
    EditPassword = new QLineEdit(tab);
    EditPassword->setMaxLength(kPasswordMax);
    // "Hide password" masks it with "#".
    EditPassword->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 35; }"));
    EditCity = new QLineEdit(tab);
    EditCity->setMaxLength(kCityMax);
    EditEMail = new QLineEdit(tab);
    EditEMail->setMaxLength(kEMailMax);
    LampNick = new GradeLamp(tab);
    LampPassword = new GradeLamp(tab);
    LampCity = new GradeLamp(tab);
    LampEMail = new GradeLamp(tab);
    KeepKeys(
        EditNick, [](char32_t c) { return AcceptAccountKey(AccountField::Nick, c); }, lang);
    KeepKeys(
        EditPassword, [](char32_t c) { return AcceptAccountKey(AccountField::Password, c); }, lang);
    KeepKeys(
        EditCity, [](char32_t c) { return AcceptAccountKey(AccountField::City, c); }, lang);
    KeepKeys(
        EditEMail, [](char32_t c) { return AcceptAccountKey(AccountField::EMail, c); }, lang);
    CheckHide = new QCheckBox(OnlineText(txt::HidePassword, 0, lang), tab);
    CheckHide->setChecked(true);
    EditPassword->setEchoMode(QLineEdit::Password);
    ComboContinent = new QComboBox(tab);
    ComboCountry = new QComboBox(tab);
    countries_ = new CountryLists(ComboContinent, ComboCountry, lang);
    EditShortName = new QLineEdit(tab);
    EditShortName->setReadOnly(true);
    ComboSex = new QComboBox(tab);
    ComboSex->addItems(
        {OnlineText(txt::AccountSexNames, 0, lang), OnlineText(txt::AccountSexNames, 1, lang)});
    EditDate = new QLineEdit(tab);
    EditDate->setReadOnly(true);
    CheckRated = new QCheckBox(OnlineText(txt::PlayGlobalRating, 0, lang), tab);
    ButtonCreate = MakeButton(OnlineText(txt::CreateAccount, 0, lang));
    ButtonLogin = MakeButton(OnlineText(txt::LoginToAccount, 0, lang));
    ButtonSave = MakeButton(OnlineText(txt::Save, 0, lang));
    ButtonDelete = MakeButton(OnlineText(txt::Delete, 0, lang));
    LabelMembers = new QLabel(tab);

    auto* password = new QHBoxLayout;
    password->addWidget(WithLamp(EditPassword, LampPassword), 1);
    password->addWidget(CheckHide);
    auto* passwordRow = new QWidget;
    passwordRow->setLayout(password);
    password->setContentsMargins(0, 0, 0, 0);
    auto* form = new QFormLayout;
    form->addRow(OnlineText(txt::Nick, 0, lang), WithLamp(EditNick, LampNick));
    form->addRow(OnlineText(txt::Password, 0, lang), passwordRow);
    form->addRow(OnlineText(txt::Country, 0, lang), ComboContinent);
    form->addRow(QString(), ComboCountry);
    form->addRow(QString(), EditShortName);
    form->addRow(OnlineText(txt::City, 0, lang), WithLamp(EditCity, LampCity));
    form->addRow(OnlineText(txt::Sex, 0, lang), ComboSex);
    form->addRow(OnlineText(txt::EMail, 0, lang), WithLamp(EditEMail, LampEMail));
    form->addRow(OnlineText(txt::Registration, 0, lang), EditDate);
    auto* buttons = new QGridLayout;
    buttons->addWidget(ButtonCreate, 0, 0);
    buttons->addWidget(ButtonLogin, 0, 1);
    buttons->addWidget(ButtonSave, 1, 0);
    buttons->addWidget(ButtonDelete, 1, 1);
    auto* v = new QVBoxLayout(tab);
    v->addLayout(top);
    v->addLayout(form);
    v->addWidget(CheckRated);
    v->addLayout(buttons);
    v->addWidget(LabelMembers);

    for (QLineEdit* e : {EditNick, EditPassword, EditCity, EditEMail})
        connect(e, &QLineEdit::textChanged, this, [this] { GradeFields(); });
    connect(CheckHide, &QCheckBox::toggled, this,
            [this](bool hide) { EditPassword->setEchoMode(hide ? QLineEdit::Password : QLineEdit::Normal); });
    connect(countries_, &CountryLists::changed, this,
            [this](CountryCode code) { EditShortName->setText(FromUtf8(CountryShortName(code))); });
    connect(CheckRated, &QCheckBox::toggled, this, [this](bool rated) {
        if (showing_) return;
        account_.SetRated(rated);
        Redraw();
    });
    connect(ButtonCreate, &QPushButton::clicked, this, [this] { CreateAccount(); });
    connect(ButtonLogin, &QPushButton::clicked, this, [this] { LoginOrSignOut(); });
    connect(ButtonSave, &QPushButton::clicked, this, [this] { SaveUserFile(); });
    connect(ButtonDelete, &QPushButton::clicked, this, [this] { DeleteUserFile(); });
    return tab;
}

QWidget* TFormAccount::ResultsTab() {
    const int lang = options_.language;
    auto* tab = new QWidget;
    auto* form = new QFormLayout;
    const std::pair<TextTable, int> captions[9] = {
        {txt::Game, 0},         {txt::Player, 0},      {txt::Rating, 0},
        {txt::Place, 0},        {txt::PlayedGames, 0}, {txt::MyBestScore, 0},
        {txt::PlayedCycles, 0}, {txt::CurrentDeal, 0}, {txt::CurrentScoreShort, 0}};
    for (std::size_t i = 0; i < Results.size(); ++i) {
        Results[i] = new QLabel(tab);
        form->addRow(OnlineText(captions[i].first, captions[i].second, lang) + ":", Results[i]);
    }
    ResultsNoConnect = Heading(OnlineText(txt::NoConnect, 0, lang), tab);
    ResultsNoConnect->setStyleSheet(QStringLiteral("color: #C0182B;"));
    ButtonResults = MakeButton(OnlineText(txt::Refresh, 0, lang));
    connect(ButtonResults, &QPushButton::clicked, this, [this] {
        account_.ReadResults();
        Redraw();
    });
    auto* v = new QVBoxLayout(tab);
    v->addWidget(Heading(OnlineText(txt::YourGamesInformation, 0, lang), tab));
    v->addLayout(form);
    v->addWidget(ResultsNoConnect);
    v->addStretch();
    v->addWidget(ButtonResults, 0, Qt::AlignRight);
    return tab;
}

QWidget* TFormAccount::TopTab() {
    const int lang = options_.language;
    auto* tab = new QWidget;
    TopList = new QTableWidget(10, 6, tab);
    TopList->setHorizontalHeaderLabels({QStringLiteral("\u2116"), OnlineText(txt::Nick, 0, lang), QString(),
                                        QString(), OnlineText(txt::City, 0, lang),
                                        OnlineText(txt::Rating, 0, lang)});
    TopList->verticalHeader()->hide();
    TopList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TopList->setSelectionMode(QAbstractItemView::NoSelection);
    TopList->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    TopList->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    TopList->horizontalHeader()->setSectionResizeMode(4, QHeaderView::Stretch);
    TopNoConnect = Heading(OnlineText(txt::NoConnect, 0, lang), tab);
    TopNoConnect->setStyleSheet(QStringLiteral("color: #C0182B;"));
    ButtonTop = MakeButton(OnlineText(txt::Refresh, 0, lang));
    connect(ButtonTop, &QPushButton::clicked, this, [this] {
        account_.ReadClubTop();
        Redraw();
    });
    auto* v = new QVBoxLayout(tab);
    v->addWidget(Heading(OnlineText(txt::TopTenRatedPlayers, 0, lang), tab));
    v->addWidget(TopList);
    v->addWidget(TopNoConnect);
    v->addWidget(ButtonTop, 0, Qt::AlignRight);
    return tab;
}

QWidget* TFormAccount::AboutTab() {
    auto* tab = new QWidget;
    HolderPhoto = new QLabel(tab);
    HolderPhoto->setFixedSize(240, 290);
    HolderDetails = new QListWidget(tab);
    ButtonAbout = MakeButton(OnlineText(txt::Refresh, 0, options_.language));
    connect(ButtonAbout, &QPushButton::clicked, this, [this] {
        if (!account_.SignedIn()) return;
        TFormAccountInfo info(account_, options_, hooks_, this);
        info.exec();
        account_.ReadHolder();
        account_.ReadPresident();
        Redraw();
    });
    auto* h = new QHBoxLayout(tab);
    h->addWidget(HolderPhoto, 0, Qt::AlignTop);
    auto* right = new QVBoxLayout;
    right->addWidget(HolderDetails);
    right->addWidget(ButtonAbout, 0, Qt::AlignRight);
    h->addLayout(right, 1);
    return tab;
}

QWidget* TFormAccount::PresidentTab() {
    const int lang = options_.language;
    auto* tab = new QWidget;
    PresidentName = Heading(QString(), tab);
    PresidentPhoto = new QLabel(tab);
    PresidentPhoto->setFixedSize(240, 290);
    PresidentContacts = new QListWidget(tab);
    Copied = new QLabel(tab);
    connect(PresidentContacts, &QListWidget::itemClicked, this, [this, lang](QListWidgetItem* item) {
        const QString value = item->data(Qt::UserRole).toString();
        if (value.isEmpty()) return;
        QApplication::clipboard()->setText(value);
        Copied->setText(OnlineText(txt::CopiedToClipboard, 0, lang));
    });
    auto* v = new QVBoxLayout(tab);
    v->addWidget(Heading(OnlineText(txt::PresidentOfOrder, 0, lang), tab));
    v->addWidget(PresidentName);
    auto* h = new QHBoxLayout;
    h->addWidget(PresidentPhoto, 0, Qt::AlignTop);
    auto* right = new QVBoxLayout;
    right->addWidget(PresidentContacts);
    right->addWidget(Copied);
    h->addLayout(right, 1);
    v->addLayout(h);
    return tab;
}

void TFormAccount::FillDetails(QListWidget* list, const std::optional<TInfo14>& details) const {
    list->clear();
    if (!details) return;
    for (int i = 0; i < TInfo14::kCount; ++i) {
        const QString value = FromUtf8((*details)[i]).trimmed();
        if (value.isEmpty()) continue;
        auto* item = new QListWidgetItem(
            OnlineText(kDetailCaptions[static_cast<std::size_t>(i)].caption, 0, options_.language) + ": " +
            value);
        item->setData(Qt::UserRole, value);
        list->addItem(item);
    }
}

void TFormAccount::GradeFields() {
    const Grade nick = GradeAccountField(AccountField::Nick, Text8(EditNick));
    const Grade password = GradeAccountField(AccountField::Password, Text8(EditPassword));
    const Grade city = GradeAccountField(AccountField::City, Text8(EditCity));
    const Grade mail = GradeAccountField(AccountField::EMail, Text8(EditEMail));
    LampNick->Show(nick);
    LampPassword->Show(password);
    LampCity->Show(city);
    LampEMail->Show(mail);
    const bool out = !account_.SignedIn();
    ButtonCreate->setEnabled(out && nick != Grade::Red && city != Grade::Red && password == Grade::Green &&
                             mail == Grade::Green);
    ButtonLogin->setEnabled(!out || (nick != Grade::Red && password == Grade::Green));
}

void TFormAccount::Redraw() {
    showing_ = true;
    const int lang = options_.language;
    const TQobUser& u = account_.holder;
    const bool in = account_.SignedIn();
    const Grade stateGrade = account_.state == AccountState::Rated      ? Grade::Green
                             : account_.state == AccountState::SignedIn ? Grade::Yellow
                                                                        : Grade::Red;
    LampState->Show(stateGrade);
    ImageStar->setPixmap(StarPicture(account_.state));
    if (in) { // the holder as the server keeps him; signed out, the fields keep what was typed
        EditNick->setText(FromUtf8(u.Nick));
        EditPassword->setText(FromUtf8(u.Pw));
        EditCity->setText(FromUtf8(u.City));
        EditEMail->setText(FromUtf8(u.EMail));
        ComboSex->setCurrentIndex(u.Sex == "M" ? 0 : 1);
        if (auto code = ParseCountryCode(u.Country2)) countries_->Set(*code);
    }
    EditShortName->setText(FromUtf8(CountryShortName(countries_->Code())));
    EditDate->setText(in ? FromUtf8(u.DateR) : QStringLiteral("00.00.0000"));
    for (QWidget* w : std::initializer_list<QWidget*>{EditNick, EditPassword, EditCity, EditEMail,
                                                      ComboContinent, ComboCountry, ComboSex})
        w->setEnabled(!in);
    CheckRated->setEnabled(in);
    CheckRated->setChecked(account_.state == AccountState::Rated);
    ButtonLogin->setText(OnlineText(in ? txt::SignOut : txt::LoginToAccount, 0, lang));
    const bool saved = std::filesystem::exists(hooks_.userFile);
    ButtonSave->setEnabled(in && !saved);
    ButtonDelete->setEnabled(saved);
    LabelMembers->setText(OnlineText(txt::ClubMembers, 0, lang) +
                          (account_.members ? QString::number(*account_.members) : QStringLiteral("?")));
    GradeFields();

    // My results
    const TQobGame& g = account_.game;
    const bool shown = in;
    const QString values[9] = {OnlineText(txt::ProductName, 0, lang),
                               FromUtf8(u.Nick),
                               FromUtf8(RatingText(g.Rating)),
                               QString::number(g.Place),
                               QString::number(g.Kon),
                               QString::number(g.Best),
                               QString::number(g.Sessions),
                               QString::number(g.KonL),
                               QString::number(g.Score)};
    for (std::size_t i = 0; i < Results.size(); ++i)
        Results[i]->setText(shown || i == 0 ? values[i] : QString());
    ResultsNoConnect->setVisible(in && !account_.gameRead);
    ButtonResults->setEnabled(in);

    // Top 10: a failed read shows the rows of the last good one, with "No Connect".
    TopNoConnect->setVisible(!account_.clubTopRead);
    TopList->clearContents();
    {
        for (int row = 0; row < 10; ++row) {
            const TQobTop10& r = account_.clubTop[static_cast<std::size_t>(row)];
            if (r.Nick.empty()) continue;
            TopList->setItem(row, 0, new QTableWidgetItem(QString::number(row + 1)));
            TopList->setItem(row, 1, new QTableWidgetItem(FromUtf8(r.Nick)));
            auto* flag = new QTableWidgetItem;
            if (auto code = CountryOfShortName(r.Country)) flag->setIcon(QIcon(FlagPicture(*code)));
            flag->setToolTip(FromUtf8(r.Country));
            TopList->setItem(row, 2, flag);
            auto* face = new QTableWidgetItem;
            face->setIcon(QIcon(FacePicture(r.Sex)));
            TopList->setItem(row, 3, face);
            TopList->setItem(row, 4, new QTableWidgetItem(FromUtf8(r.City)));
            auto* rating = new QTableWidgetItem(FromUtf8(RatingText(r.Rating)));
            rating->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            TopList->setItem(row, 5, rating);
        }
    }

    // About me, President
    HolderPhoto->setPixmap(FramedPhoto(in ? account_.holderPhoto : std::string()));
    FillDetails(HolderDetails, in ? account_.holderDetails : std::nullopt);
    ButtonAbout->setEnabled(in);
    PresidentName->setText(FromUtf8(account_.President()));
    PresidentPhoto->setPixmap(FramedPhoto(account_.presidentPhoto));
    FillDetails(PresidentContacts, account_.presidentDetails);
    showing_ = false;
}

void TFormAccount::CreateAccount() {
    if (options_.salute) options_.salute(ButtonCreate);
    TQobUser user;
    user.Nick = Text8(EditNick);
    user.Pw = Text8(EditPassword);
    user.City = Text8(EditCity);
    user.EMail = Text8(EditEMail);
    user.Sex.assign(1, ComboSex->currentIndex() == 0 ? 'M' : 'W');
    user.Country2 = CountryCodeText(countries_->Code());
    user.Country1 = CountryShortName(countries_->Code());
    const RegisterResult result =
        account_.Create(user, CheckRated->isChecked(), hooks_.today ? hooks_.today() : RegistrationDate());
    const TextTable says = result == RegisterResult::Created     ? txt::AccountCreated
                           : result == RegisterResult::NickTaken ? txt::NickTaken
                                                                 : txt::CantCreateAccount;
    Redraw();
    if (hooks_.message) hooks_.message(OnlineText(says, 0, options_.language));
}

void TFormAccount::LoginOrSignOut() {
    if (options_.salute) options_.salute(ButtonLogin);
    if (account_.SignedIn()) {
        account_.SignOut();
        Redraw();
        return;
    }
    const bool in = account_.SignIn(Text8(EditNick), Text8(EditPassword));
    Redraw();
    if (!in && hooks_.message) hooks_.message(OnlineText(txt::LoginFailed, 0, options_.language));
}

void TFormAccount::SaveUserFile() {
    if (!account_.SignedIn()) return;
    if (!WriteUserFile(hooks_.userFile, account_.holder.Nick, account_.holder.Pw)) Redraw();
}

void TFormAccount::DeleteUserFile() {
    std::error_code ec;
    std::filesystem::remove(hooks_.userFile, ec);
    Redraw();
}

// ---- the account details window

TFormAccountInfo::TFormAccountInfo(Account& account, const RecordsWindowOptions& options,
                                   AccountWindowHooks hooks, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      account_(account), options_(options), hooks_(std::move(hooks)) {
    const int lang = options_.language;
    options_.fonts.language = lang;
    setWindowTitle(OnlineText(txt::AboutMe, 0, lang));
    setFont(
        RoleFont(FontRole::Decor, RoleHeight(16, FontRole::Serif, options_.fonts), false, options_.fonts));
    auto* form = new QFormLayout;
    for (int i = 0; i < TInfo14::kCount; ++i) {
        auto* edit = new QLineEdit(this);
        edit->setMaxLength(kDetailCaptions[static_cast<std::size_t>(i)].limit);
        edit->setMinimumWidth(320);
        // "&" and "=" would split the request that carries the details.
        KeepKeys(
            edit, [](char32_t c) { return c != U'&' && c != U'='; }, lang);
        Edits[static_cast<std::size_t>(i)] = edit;
        form->addRow(OnlineText(kDetailCaptions[static_cast<std::size_t>(i)].caption, 0, lang), edit);
        connect(edit, &QLineEdit::textEdited, this, [this] { ButtonUpdate->setEnabled(true); });
    }
    Photo = new QPushButton(this);
    Photo->setFixedSize(240, 290);
    Photo->setIconSize(QSize(240, 290));
    Photo->setFlat(true);
    Photo->setCursor(Qt::PointingHandCursor); // nothing else says the frame takes a click
    connect(Photo, &QPushButton::clicked, this, [this] { ChoosePhoto(); });
    auto* visible = new QLabel(OnlineText(txt::InfoVisible, 0, lang), this);
    visible->setWordWrap(true);
    auto make = [this](const QString& text) {
        auto* b = new TQobCardsButton(text, this);
        b->setMinimumHeight(34);
        b->SetColorSB(TQobCardsButton::Scheme::DRed);
        b->SetTextColour(Qt::white);
        return b;
    };
    ButtonPhoto = make(OnlineText(txt::RefreshPhoto, 0, lang));
    ButtonUpdate = make(OnlineText(txt::UpdateInfo, 0, lang));
    ButtonClose = make(OnlineText(txt::Close, 0, lang));
    ButtonPhoto->setEnabled(false);
    ButtonUpdate->setEnabled(false);
    connect(ButtonPhoto, &QPushButton::clicked, this, [this] { UploadPhoto(); });
    connect(ButtonUpdate, &QPushButton::clicked, this, [this] { UpdateInfo(); });
    connect(ButtonClose, &QPushButton::clicked, this, &QDialog::accept);

    auto* left = new QVBoxLayout;
    left->addWidget(Photo);
    left->addWidget(visible);
    left->addWidget(ButtonPhoto);
    left->addStretch();
    auto* h = new QHBoxLayout;
    h->addLayout(left);
    h->addLayout(form, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ButtonUpdate);
    buttons->addWidget(ButtonClose);
    auto* v = new QVBoxLayout(this);
    v->addLayout(h);
    v->addLayout(buttons);
    ShowDetails();
}

void TFormAccountInfo::ShowDetails() {
    const TInfo14 details = account_.holderDetails.value_or(TInfo14{});
    for (int i = 0; i < TInfo14::kCount; ++i)
        Edits[static_cast<std::size_t>(i)]->setText(FromUtf8(details[i]));
    Photo->setIcon(QIcon(FramedPhoto(account_.holderPhoto)));
}

void TFormAccountInfo::ChoosePhoto() {
    const QString file = hooks_.choosePicture ? hooks_.choosePicture() : QString();
    if (file.isEmpty()) return;
    const auto photo = LoadAccountPhoto(file);
    if (!photo) {
        if (hooks_.message) hooks_.message(OnlineText(txt::PhotoFormat, 0, options_.language));
        return;
    }
    chosen_ = file;
    Photo->setIcon(QIcon(FramedPhoto(*photo)));
    ButtonPhoto->setEnabled(true);
}

void TFormAccountInfo::UploadPhoto() {
    const auto photo = LoadAccountPhoto(chosen_);
    if (!photo) {
        if (hooks_.message) hooks_.message(OnlineText(txt::PhotoFormat, 0, options_.language));
        return;
    }
    if (!account_.Client().UploadPhoto(account_.holder.Nick, account_.holder.Pw, *photo)) {
        if (hooks_.message) hooks_.message(OnlineText(txt::PhotoUploadFailed, 0, options_.language));
        return;
    }
    account_.ReadHolder();
    Photo->setIcon(QIcon(FramedPhoto(account_.holderPhoto)));
    ButtonPhoto->setEnabled(false);
}

void TFormAccountInfo::UpdateInfo() {
    TInfo14 info;
    for (int i = 0; i < TInfo14::kCount; ++i)
        info[i] = Edits[static_cast<std::size_t>(i)]->text().toStdString();
    if (!account_.Client().SaveDetails(account_.holder.Nick, info)) return; // nothing is shown
    ButtonUpdate->setEnabled(false);
    if (auto read = account_.Client().ReadDetails(account_.holder.Nick); read.ok)
        account_.holderDetails = read.value;
    ShowDetails();
}

bool ShowAccountWindow(Account& account, const RecordsWindowOptions& options, const AccountWindowHooks& hooks,
                       QWidget* parent) {
    const AccountState state = account.state;
    const std::string nick = account.holder.Nick;
    account.ReadForWindow();
    TFormAccount form(account, options, hooks, parent);
    form.exec();
    return account.state != state || account.holder.Nick != nick;
}

} // namespace tarvo
