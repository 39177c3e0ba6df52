#include "WelcomeDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

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
    : QDialog(parent), slot_(slot), member_(std::move(member)), texts_(texts),
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
    if (slot_ >= 1 && slot_ <= 5 && member_) {
        // Both sides as filled with blanks to five: compare without the trailing blanks.
        std::string typed = password_->text().toStdString();
        while (!typed.empty() && typed.back() == ' ') typed.pop_back();
        auto stored = DecodePassword(member_->passwordField);
        if (!stored || *stored != typed) return refuse(texts_.incorrectPassword, password_);
        values_ = *member_;
        values_.slot = slot_;
        return true;
    }
    if (password_->text() != again_->text()) return refuse(texts_.differ, password_);
    values_ = NewPlayerSeries(name.toStdString(), password_->text().toStdString());
    return true;
}

} // namespace tarvo
