#include "WelcomeDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "netplay/Messages.h"
#include "netplay/Session.h"
#include "netplay/Setup.h"
#include "table/Cp1251Field.h"

namespace tarvo {
namespace {

constexpr int LocalNameLength = 20;
constexpr int PasswordLength = 5;

QLineEdit* PasswordEdit(QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setMaxLength(PasswordLength);
    edit->setEchoMode(QLineEdit::Password);
    edit->setStyleSheet(QStringLiteral("lineedit-password-character: 35")); // shown as "#"
    return edit;
}

} // namespace

WelcomeDialog::WelcomeDialog(int slot, std::optional<SeriesValues> member, const QString& lastName,
                             const WelcomeTexts& texts, std::function<void(const QString&)> showMessage,
                             QWidget* parent)
    : QDialog(parent), slot_(slot), lastName_(lastName), member_(std::move(member)), texts_(texts),
      showMessage_(std::move(showMessage)) {
    setWindowTitle(texts.caption);
    auto* layout = new QVBoxLayout(this);
    name_ = new QLineEdit(this);
    name_->setMaxLength(LocalNameLength);
    password_ = PasswordEdit(this);
    again_ = PasswordEdit(this);
    // Name and password are stored in Windows-1251: a letter it lacks would become "?" for ever.
    for (QLineEdit* field : {name_, password_, again_}) KeepToCp1251(field, texts.language);
    layout->addWidget(new QLabel(texts.name, this));
    layout->addWidget(name_);
    layout->addWidget(new QLabel(texts.password, this));
    layout->addWidget(password_);
    layout->addWidget(new QLabel(texts.again, this));
    layout->addWidget(again_);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(texts.ok, QDialogButtonBox::AcceptRole);
    buttons->addButton(texts.cancel, QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (Accept()) accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    if (slot_ >= 1 && slot_ <= 5 && member_) {
        name_->setText(QString::fromStdString(member_->NameUtf8()).trimmed());
        name_->setEnabled(false);
        again_->setEnabled(false);
        password_->setFocus();
    } else {
        QString start = lastName.trimmed().size() <= LocalNameLength && !lastName.trimmed().isEmpty()
                            ? lastName.trimmed()
                            : QStringLiteral("Mr.X");
        name_->setText(start);
        name_->setFocus();
    }
}

void WelcomeDialog::EnableNetwork(WelcomeNetwork network) {
    network_ = true;
    net_ = std::move(network);
    const WelcomeNetTexts& t = net_.texts;
    constexpr int NetName = static_cast<int>(NetNameLength);
    if (NewPlayer()) {
        const QString start = lastName_.trimmed();
        name_->setMaxLength(NetName);
        name_->setText(!start.isEmpty() && start.size() <= NetName ? start : QStringLiteral("Mr.X"));
    }

    auto* group = new QGroupBox(t.group, this);
    auto* grid = new QGridLayout(group);
    serverChoice_ = new QRadioButton(t.server, group);
    clientChoice_ = new QRadioButton(t.client, group);
    serverChoice_->setChecked(true);
    grid->addWidget(serverChoice_, 0, 0, 1, 2);
    grid->addWidget(clientChoice_, 1, 0, 1, 2);
    ip_ = new QLineEdit(group);
    ip_->setMaxLength(15);
    port_ = new QLineEdit(net_.netPort, group);
    port_->setMaxLength(5);
    grid->addWidget(new QLabel(t.ip, group), 2, 0);
    grid->addWidget(ip_, 2, 1);
    grid->addWidget(new QLabel(t.port, group), 3, 0);
    grid->addWidget(port_, 3, 1);
    auto* addresses = new QPushButton(t.addresses, group);
    auto* help = new QPushButton(t.help, group);
    grid->addWidget(addresses, 4, 0);
    grid->addWidget(help, 4, 1);
    games_ = new QLineEdit(QString::number(NetSeriesGames), group);
    games_->setEnabled(false);
    grid->addWidget(new QLabel(t.games, group), 5, 0);
    grid->addWidget(games_, 5, 1);
    auto* column = static_cast<QVBoxLayout*>(layout());
    column->insertWidget(column->count() - 1, group);

    connect(serverChoice_, &QRadioButton::toggled, this, [this](bool on) { ChooseSide(on); });
    // Only digits and dots may be typed; anything else puts the last address back.
    connect(ip_, &QLineEdit::textEdited, this, [this](const QString& text) {
        for (QChar c : text)
            if (!c.isDigit() && c != QLatin1Char('.')) return ip_->setText(net_.netIp);
        if (clientChoice_->isChecked() && !text.isEmpty()) net_.netIp = text;
    });
    connect(port_, &QLineEdit::textEdited, this, [this](const QString& text) {
        for (QChar c : text)
            if (!c.isDigit()) return port_->setText(net_.netPort);
        if (!text.isEmpty()) net_.netPort = text;
    });
    connect(addresses, &QPushButton::clicked, this, [this] {
        if (net_.showAddresses) net_.showAddresses();
    });
    connect(help, &QPushButton::clicked, this, [this] {
        if (net_.help) net_.help();
    });
    ChooseSide(true);
}

// The server's own address is of no use to it: its field is empty and off.
void WelcomeDialog::ChooseSide(bool server) {
    ip_->setEnabled(!server);
    ip_->setText(server ? QString() : net_.netIp);
}

bool WelcomeDialog::Accept() {
    auto refuse = [this](const QString& message, QLineEdit* field) {
        if (showMessage_) showMessage_(message);
        field->setFocus();
        return false;
    };
    QString name = name_->text().trimmed();
    if (name.isEmpty()) return refuse(texts_.incorrectName, name_);
    // Text put in by the program rather than typed has not passed the fields' own check.
    for (QLineEdit* field : {name_, password_, again_})
        if (!FitsCp1251(field->text()))
            return refuse(static_cast<const Cp1251Validator*>(field->validator())->Hint(), field);
    enteredName_ = name;
    if (!NewPlayer()) {
        // Both sides as filled with blanks to five: compare without the trailing blanks.
        std::string typed = password_->text().toStdString();
        while (!typed.empty() && typed.back() == ' ') typed.pop_back();
        auto stored = DecodePassword(member_->passwordField);
        if (!stored || *stored != typed) return refuse(texts_.incorrectPassword, password_);
        values_ = *member_;
        values_.slot = slot_;
    } else {
        if (password_->text() != again_->text()) return refuse(texts_.differ, password_);
        values_ = NewPlayerSeries(name.toStdString(), password_->text().toStdString());
    }
    if (!network_) return true;

    NetChoice choice;
    choice.server = serverChoice_->isChecked();
    choice.ip = ip_->text();
    choice.name = QString::fromStdString(values_.NameUtf8()).trimmed();
    if (!choice.server && !IsServerAddress(choice.ip.toStdString()))
        return refuse(net_.texts.incorrectIp, ip_);
    const auto port = PortNumber(port_->text().toStdString());
    if (!port) return refuse(net_.texts.incorrectPort, port_);
    choice.port = *port;
    if (!choice.server) net_.netIp = choice.ip;
    net_.netPort = port_->text();
    return net_.start && net_.start(choice);
}

} // namespace tarvo
