// The radio window offscreen: the country filter, choosing a station, the power switch, the
// volume buttons, and a station that does not answer.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QTest>

#include "../support/DeadAddress.h"
#include "../support/TestApplication.h"
#include "table/CardsButton.h"
#include "table/RadioWindow.h"

namespace tarvo {
namespace {

std::vector<Station> Stations() {
    const QString list = QStringLiteral(u"RUS#AVTORAD#Авторадио Moscow#Russian Federation#%1#RRADIO_LOGO_AVTORADIO\n"
                                        u"JAP#NHKRAD1#NHK Radio 1#Japan#%2#RRADIO_LOGO_NHKRAD1\n"
                                        u"JAP#NHKFMRA#NHK FM#Japan#%3#RRADIO_LOGO_NHKFMRA\n"
                                        u"ITA#RAIRAD1#RAI Radio 1#Italy#%4\n")
                             .arg(test::DeadAddress("a"), test::DeadAddress("b"), test::DeadAddress("c"),
                                  test::DeadAddress("d"));
    return ParseStationList(list.toUtf8());
}

QStringList Listed(const TFormRadio& form) {
    QStringList names;
    for (int i = 0; i < form.ComboBoxStation->count(); ++i) names << form.ComboBoxStation->itemText(i);
    return names;
}

TEST(RadioWindowTest, CountryFilterListsItsStationsAndTheChoiceTunesTheRadio) {
    test::TestApplication();
    Radio radio;
    const auto stations = Stations();
    radio.SetStations(stations, true);
    radio.Select(stations[0]);
    radio.SetFilter(27); // Japan, as the last visit left it

    TFormRadio form(radio, RadioWindowOptions{});
    // The playing station is not Japanese: the first Japanese one is chosen for the radio.
    EXPECT_EQ(form.ComboBoxCountry->currentIndex(), 27);
    EXPECT_EQ(Listed(form), QStringList({QStringLiteral("NHK Radio 1"), QStringLiteral("NHK FM")}));
    EXPECT_EQ(radio.Settings().name, QStringLiteral("NHK Radio 1"));
    EXPECT_EQ(radio.Settings().logo, QStringLiteral("RRADIO_LOGO_NHKRAD1"));
    EXPECT_FALSE(radio.Sounding()); // the radio is off: choosing plays nothing

    // "All" finds the tuned station among every one and leaves it.
    form.ComboBoxCountry->setCurrentIndex(0);
    emit form.ComboBoxCountry->activated(0);
    EXPECT_EQ(radio.Settings().filter, 0);
    EXPECT_EQ(form.ComboBoxStation->count(), 4);
    EXPECT_EQ(form.ComboBoxStation->currentText(), QStringLiteral("NHK Radio 1"));

    // Italy's one station: its line had no logo, so the common one stands in.
    form.ComboBoxCountry->setCurrentIndex(19);
    emit form.ComboBoxCountry->activated(19);
    EXPECT_EQ(Listed(form), QStringList({QStringLiteral("RAI Radio 1")}));
    EXPECT_EQ(radio.Settings().name, QStringLiteral("RAI Radio 1"));
    EXPECT_EQ(radio.Settings().logo, DefaultStationLogo);
    EXPECT_EQ(radio.Settings().address, stations[3].address);
}

TEST(RadioWindowTest, PowerVolumeAndAStationThatDoesNotAnswer) {
    test::TestApplication();
    Radio radio;
    const auto stations = Stations();
    radio.SetStations(stations, true);
    radio.Select(stations[0]);
    RadioWindowOptions options;
    options.noAnswer = QStringLiteral("No answer");
    options.connecting = QStringLiteral("Connecting");
    TFormRadio form(radio, options);
    EXPECT_EQ(form.ComboBoxCountry->currentIndex(), 0);
    EXPECT_EQ(form.ComboBoxStation->currentText(), QStringLiteral(u"Авторадио Moscow"));

    QTest::mouseClick(form.Image1, Qt::LeftButton); // power on
    EXPECT_TRUE(radio.On());
    EXPECT_EQ(form.Status->text(), QStringLiteral("Connecting"));
    auto waitForFailure = [&] {
        QElapsedTimer clock;
        clock.start();
        while (radio.FailedStation().isEmpty() && clock.elapsed() < 30000) QTest::qWait(20);
    };
    waitForFailure();
    EXPECT_EQ(form.Status->text(), QStringLiteral(u"No answer: Авторадио Moscow"));
    EXPECT_TRUE(radio.On()); // the player's choice stands

    // Another station: the failure is forgotten and the radio, still on, tries it.
    form.ComboBoxStation->setCurrentIndex(1);
    emit form.ComboBoxStation->activated(1);
    EXPECT_EQ(radio.Settings().name, QStringLiteral("NHK Radio 1"));
    EXPECT_EQ(form.Status->text(), QStringLiteral("Connecting"));
    waitForFailure();
    EXPECT_EQ(form.Status->text(), QStringLiteral("No answer: NHK Radio 1"));

    for (int i = 0; i < 9; ++i) form.ButtonPlus->click();
    EXPECT_EQ(radio.Settings().volume, 100);
    EXPECT_EQ(radio.Stream().Volume(), 100);
    for (int i = 0; i < 11; ++i) form.ButtonMinus->click();
    EXPECT_EQ(radio.Settings().volume, 0);
}

} // namespace
} // namespace tarvo
