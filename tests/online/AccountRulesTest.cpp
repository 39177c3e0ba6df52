// Field grades, typing rules and the country table of the account and the passport.
#include <gtest/gtest.h>

#include "online/Countries.h"
#include "online/FieldRules.h"

namespace tarvo {
namespace {

TEST(FieldRules, GradesOfWholeFields) {
    using A = AccountField;
    using P = PassportField;
    struct Case {
        A account;
        P passport;
        const char* text;
        Grade asAccount;
        Grade asPassport;
    };
    const Case cases[] = {
        {A::Nick, P::Nick, "Ivan_77", Grade::Green, Grade::Green},
        {A::Nick, P::Nick, "Иван", Grade::Red, Grade::Yellow}, // Cyrillic only in an account's city
        {A::Nick, P::Nick, "I", Grade::Red, Grade::Red},
        {A::Nick, P::Nick, "", Grade::Red, Grade::Red},
        {A::Nick, P::Nick, "Abcdefghijkl", Grade::Green, Grade::Green},
        {A::Nick, P::Nick, "Abcdefghijklm", Grade::Red, Grade::Red},
        {A::Nick, P::Nick, "Ivan 77", Grade::Red, Grade::Red},
        {A::Nick, P::Nick, "Bob$", Grade::Red, Grade::Red},
        {A::Nick, P::Nick, "a&b=c", Grade::Red, Grade::Red},
        {A::City, P::City, "Омск", Grade::Yellow, Grade::Yellow},
        {A::City, P::City, "Rostov-na-Donu", Grade::Green, Grade::Green},
        {A::City, P::City, "Ростов-на-Дону!", Grade::Yellow, Grade::Yellow},
        {A::City, P::City, "Abcdefghijklmnop", Grade::Red, Grade::Red},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GradeAccountField(c.account, c.text), c.asAccount) << c.text;
        EXPECT_EQ(GradePassportField(c.passport, c.text), c.asPassport) << c.text;
    }
    const std::pair<const char*, Grade> passwords[] = {{"abc", Grade::Red},
                                                       {"abcd", Grade::Green},
                                                       {"(a.b)!@,-_", Grade::Green},
                                                       {"abcdefghijklm", Grade::Red},
                                                       {"пароль", Grade::Red}};
    for (const auto& [text, grade] : passwords)
        EXPECT_EQ(GradeAccountField(A::Password, text), grade) << text;
    const std::pair<const char*, Grade> mails[] = {{"ab@", Grade::Red},
                                                   {"@ab", Grade::Red},
                                                   {"a@b", Grade::Green},
                                                   {"ivan.petrov@mail.ru", Grade::Green},
                                                   {"ivan", Grade::Red},
                                                   {"иван@mail.ru", Grade::Red},
                                                   {"abcdefghijklmnopqrstuvwx@ab.cde", Grade::Red}};
    for (const auto& [text, grade] : mails) EXPECT_EQ(GradeAccountField(A::EMail, text), grade) << text;
}

TEST(FieldRules, TypedKeys) {
    EXPECT_TRUE(AcceptAccountKey(AccountField::Nick, U'b'));
    EXPECT_FALSE(AcceptAccountKey(AccountField::Nick, U'я'));
    EXPECT_TRUE(AcceptAccountKey(AccountField::City, U'я'));
    EXPECT_FALSE(AcceptAccountKey(AccountField::Password, U'я'));
    EXPECT_TRUE(AcceptAccountKey(AccountField::EMail, U'@'));
    EXPECT_TRUE(AcceptPassportKey(PassportField::Nick, U'Ё'));
    for (char32_t bad : {U' ', U'$', U'*', U'&', U'=', U'~', U'#', U'€'}) {
        EXPECT_FALSE(AcceptAccountKey(AccountField::City, bad));
        EXPECT_FALSE(AcceptPassportKey(PassportField::City, bad));
    }
}

TEST(Countries, CodesNamesAndFlags) {
    EXPECT_EQ(ParseCountryCode("1-001"), (CountryCode{1, 1}));
    EXPECT_EQ(ParseCountryCode("6-054"), (CountryCode{6, 54}));
    EXPECT_EQ(ParseCountryCode("2-000"), (CountryCode{2, 0}));
    for (const char* bad : {"6-055", "7-001", "1-01", "1_001", "1-0a1", ""})
        EXPECT_FALSE(ParseCountryCode(bad)) << bad;
    EXPECT_EQ(CountryCodeText({3, 7}), "3-007");

    const CountryCode czech{1, 10}, man{1, 23}, bosnia{1, 7}, congo{6, 12}, usa{3, 34};
    EXPECT_EQ(CountryShortName(czech), "Czech_Republic");
    EXPECT_EQ(CountryShortName(man), "Isle_of_Man");
    EXPECT_EQ(CountryShortName(bosnia), "Bosnia_Herz.");
    EXPECT_EQ(CountryShortName(congo), "");
    EXPECT_EQ(CountryShortName(usa), "USA");
    EXPECT_EQ(CountryName(czech, 0), "Czech Republic");
    EXPECT_EQ(CountryName({1, 1}, 1), "Российская Федерация");
    EXPECT_EQ(CountryName({1, 16}, 2), "Deutschland");
    EXPECT_EQ(CountryName({2, 0}, 0), "Unknown");
    EXPECT_EQ(CountryName({4, 0}, 1), "Неизвестная");
    EXPECT_EQ(CountryIso({1, 48}), "GB");
    EXPECT_EQ(CountryIso({1, 0}), "");
    // Every continent's last country is the one its list ends with.
    EXPECT_EQ(CountryName({1, 48}, 0), "United Kingdom");
    EXPECT_EQ(CountryName({2, 51}, 0), "Yemen");
    EXPECT_EQ(CountryName({3, 35}, 0), "Virgin Islands");
    EXPECT_EQ(CountryName({4, 14}, 0), "Venezuela");
    EXPECT_EQ(CountryName({5, 23}, 0), "Wallis and Futuna");
    EXPECT_EQ(CountryName({6, 54}, 0), "Zimbabwe");
}

} // namespace
} // namespace tarvo
