#include <gtest/gtest.h>

#include <QMessageBox>
#include <QPushButton>

#include "../support/TestApplication.h"
#include "app/QtTranslations.h"

using namespace tarvo;

namespace {

QString YesNo() {
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    return box.button(QMessageBox::Yes)->text() + "/" + box.button(QMessageBox::No)->text();
}

} // namespace

// Qt's own "Yes" and "No" speak the player's language, and follow a change of language.
TEST(QtTranslations, StandardButtonsFollowTheLanguage) {
    test::TestApplication();
    QtTranslations texts;
    const QString english = YesNo();
    for (int language = 1; language < 10; ++language) {
        ASSERT_TRUE(texts.Apply(language))
            << "Qt's translation " << QtTranslationName(language).toStdString();
        EXPECT_NE(YesNo(), english) << language;
    }
    texts.Apply(1);
    EXPECT_EQ(YesNo(), QStringLiteral("&Да/&Нет"));
    texts.Apply(2);
    EXPECT_EQ(YesNo(), QStringLiteral("&Ja/&Nein"));
    texts.Apply(0);
    EXPECT_EQ(YesNo(), english);
}
