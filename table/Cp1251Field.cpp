#include "Cp1251Field.h"

#include <QLineEdit>
#include <QToolTip>
#include <algorithm>
#include <string>
#include <vector>

#include "core/Codec.h"
#include "settings/Text.h"

namespace tarvo {
namespace {

// Every printable character of the code page, sorted, from the one codec of the program.
const std::vector<char16_t>& Cp1251Characters() {
    static const std::vector<char16_t> characters = [] {
        std::string bytes;
        for (int b = 0x20; b <= 0xFF; ++b)
            if (b != 0x7F) bytes.push_back(static_cast<char>(b));
        const std::string utf8 = Cp1251ToUtf8(bytes);
        const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
        std::vector<char16_t> list;
        for (QChar c : text) list.push_back(c.unicode());
        std::sort(list.begin(), list.end());
        list.erase(std::unique(list.begin(), list.end()), list.end());
        return list;
    }();
    return characters;
}

} // namespace

bool FitsCp1251(const QString& text) {
    const auto& characters = Cp1251Characters();
    // A character outside the basic plane comes as two surrogates, neither of which is listed.
    return std::all_of(text.begin(), text.end(), [&](QChar c) {
        return std::binary_search(characters.begin(), characters.end(), c.unicode());
    });
}

Cp1251Validator::Cp1251Validator(QLineEdit* field, QString hint)
    : QValidator(field), field_(field), hint_(std::move(hint)) {}

QValidator::State Cp1251Validator::validate(QString& input, int&) const {
    if (FitsCp1251(input)) return Acceptable;
    if (field_ && !hint_.isEmpty())
        QToolTip::showText(field_->mapToGlobal(QPoint(0, field_->height())), hint_, field_);
    emit refused();
    return Invalid;
}

Cp1251Validator* KeepToCp1251(QLineEdit* field, int language) {
    const std::string_view text = Text(txt::Cp1251Letters, 0, language);
    QString hint = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    if (auto* own = qobject_cast<Cp1251Validator*>(const_cast<QValidator*>(field->validator()))) {
        own->SetHint(std::move(hint));
        return own;
    }
    auto* validator = new Cp1251Validator(field, std::move(hint));
    field->setValidator(validator);
    return validator;
}

} // namespace tarvo
