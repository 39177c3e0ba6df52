// Text fields whose text ends up in a Windows-1251 file or message (names, passwords, chat):
// a character the file cannot hold would be stored as "?" and, in a password, lock its owner out.
//
//   KeepToCp1251(field, settings.Language);   // once per field; again when the language changes
#pragma once

#include <QString>
#include <QValidator>

class QLineEdit;

namespace tarvo {

// True when every character of `text` has a byte in Windows-1251 (control characters do not).
bool FitsCp1251(const QString& text);

// Refuses an edit that would bring in a character outside Windows-1251, typed or pasted, and
// shows `hint` beside the field when it does.
class Cp1251Validator : public QValidator {
    Q_OBJECT
  public:
    Cp1251Validator(QLineEdit* field, QString hint);
    State validate(QString& input, int& pos) const override;
    void SetHint(QString hint) { hint_ = std::move(hint); }
    const QString& Hint() const { return hint_; }

  signals:
    // A character was refused; the hint is showing.
    void refused() const;

  private:
    QLineEdit* field_;
    QString hint_;
};

// Puts the validator on `field` with the hint in `language`; a second call only changes the hint's
// language.
Cp1251Validator* KeepToCp1251(QLineEdit* field, int language);

} // namespace tarvo
