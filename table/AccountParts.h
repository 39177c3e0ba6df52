// What the passport, the account window and the account details window share: the lamps of the
// field grades, the state star, the faces and flags of the lists, the typing rules of the fields,
// and the continent and country lists.
#pragma once

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <functional>

#include "online/Account.h"
#include "online/Countries.h"
#include "online/FieldRules.h"
#include "settings/TextTable.h"
#include "table/RecordsWindows.h"

namespace tarvo {

QPixmap LampPicture(Grade grade);            // "LampR", "LampY", "LampG"
QPixmap StarPicture(AccountState state);     // "StarR0", "StarY0", "StarG0"
QPixmap FacePicture(const std::string& sex); // "M" a man, anything else a woman
QPixmap FlagPicture(CountryCode code);       // null for an unknown country

class TQobCardsButton;

// The windows' red button with white text in the program's font and cursor.
TQobCardsButton* WindowButton(const QString& text, QWidget* parent, const RecordsWindowOptions& options,
                              int fontHeight = 20);

// A text from the language tables.
QString OnlineText(TextTable table, int row, int language);
QString FromUtf8(const std::string& text);

// A grade lamp beside a field.
class GradeLamp : public QLabel {
  public:
    explicit GradeLamp(QWidget* parent = nullptr);
    void Show(Grade grade);
    Grade Shown() const { return grade_; }

  private:
    Grade grade_ = Grade::Red;
};

// Keeps a field to the characters Windows-1251 holds (with the program's hint) and refuses typed
// keys that `accept` refuses; Backspace and the editing keys always work.
void KeepKeys(QLineEdit* field, std::function<bool(char32_t)> accept, int language);

// The two lists of a country: the continent, then its countries with their flags ("Unknown"
// first). Changing the continent selects its country 000.
class CountryLists : public QObject {
    Q_OBJECT
  public:
    CountryLists(QComboBox* continents, QComboBox* countries, int language);
    void Set(CountryCode code);
    CountryCode Code() const { return code_; }

  signals:
    void changed(CountryCode code);

  private:
    void FillCountries(int continent);
    QComboBox* continents_;
    QComboBox* countries_;
    int language_;
    CountryCode code_;
    bool filling_ = false;
};

} // namespace tarvo
