#include <QDate>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

#include "calendar/Sheets.h"
#include "table/CalendarSheets.h"
#include "tests/table/TestPackages.h"

using namespace tarvo;
using namespace tarvo::testing;

namespace {

// Fonts need an application; another test of the program may have made one already.
class CalendarEnvironment : public ::testing::Environment {
  public:
    void Ensure() {
        if (!QGuiApplication::instance()) app_ = std::make_unique<QGuiApplication>(argc_, argv_);
    }
    void TearDown() override { app_.reset(); }

  private:
    int argc_ = 1;
    char name_[16] = "CalendarSheets";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QGuiApplication> app_;
};
auto* const calendarEnvironment =
    static_cast<CalendarEnvironment*>(::testing::AddGlobalTestEnvironment(new CalendarEnvironment));

const QRgb kBase = qRgb(90, 90, 90);       // the blank sheet, dark so that white month letters show
const QRgb kPicture = qRgb(20, 200, 40);   // every holiday, zodiac and animal picture
const QRgb kUpperCase = qRgb(200, 30, 30); // the picture stored as "R_1APRIL0", asked for as "R_1April0"

// Packages in folders of their own, whose shared parent holds none, so that the lookup's step to
// the parent folder finds nothing either.
class CalendarSheetsTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        calendarEnvironment->Ensure();
        dir_ = new QTemporaryDir;
        const QDir d(dir_->path());
        for (const char* folder : {"full", "none", "damaged", "nobase", "gaps"})
            d.mkpath(QString::fromLatin1(folder));

        art::ResourceSet full, noBase, gaps;
        for (const auto& key : CalendarImageKeys()) {
            const QString name = QString::fromStdString(key);
            const bool base = key == kSheetBaseImage;
            const QImage picture =
                base ? Solid({kSheetWidth, kSheetHeight}, kBase)
                     : Solid({24, 24}, name == QLatin1String("R_1April0") ? kUpperCase : kPicture);
            full.Add(RcData, name, art::PngBytes(picture));
            if (!base) noBase.Add(RcData, name, art::PngBytes(picture));
            if (name != QLatin1String("R_USAFLAG")) gaps.Add(RcData, name, art::PngBytes(picture));
        }
        WritePackage(d.filePath(QStringLiteral("full/") + CalendarPackage), full);
        WritePackage(d.filePath(QStringLiteral("nobase/") + CalendarPackage), noBase);
        WritePackage(d.filePath(QStringLiteral("gaps/") + CalendarPackage), gaps);
        QFile damaged(d.filePath(QStringLiteral("damaged/") + CalendarPackage));
        ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
        QFile good(d.filePath(QStringLiteral("full/") + CalendarPackage));
        ASSERT_TRUE(good.open(QIODevice::ReadOnly));
        // The head of a real package with its tree cut off.
        damaged.write(good.read(40));
    }
    static void TearDownTestSuite() { delete dir_; }
    void Use(const char* folder) {
        packages_.SetFolders({QDir(dir_->path()).filePath(QString::fromLatin1(folder)), QString()});
    }
    PackageRegistry packages_;

    // Pixels of the box that are not the blank sheet.
    static int Marked(const QImage& image, const QRect& box) {
        int n = 0;
        for (int y = box.top(); y <= box.bottom(); ++y)
            for (int x = box.left(); x <= box.right(); ++x)
                if (image.pixel(x, y) != kBase) ++n;
        return n;
    }

    static inline QTemporaryDir* dir_ = nullptr;
};

TEST_F(CalendarSheetsTest, HolidaysGiveOneSheetEachWithTheirHints) {
    struct Case {
        QDate date;
        int language;
        std::vector<QString> hints;
    };
    const Case cases[] = {
        {QDate(2025, 5, 9),
         0,
         {QStringLiteral("Taurus"), QStringLiteral("Year Of The Snake"),
          QStringLiteral("Victory day in Great Patriotic war (80-th anniversary, Russian Festival)")}},
        {QDate(2025, 1, 20),
         0,
         {QStringLiteral("Capricorn"), QStringLiteral("Year Of The Snake"),
          QStringLiteral("Inauguration day (Holiday United States)"),
          QStringLiteral("Martin Luther King Day (Holiday United States)")}},
        {QDate(2025, 1, 1),
         1,
         {QStringLiteral("Козерог"), QStringLiteral("Год Змеи"), QStringLiteral("Новый год")}},
        {QDate(2025, 1, 1), 5, {QStringLiteral("摩羯座"), QStringLiteral("蛇年"), QStringLiteral("新年")}},
        {QDate(2025, 3, 10), 0, {QStringLiteral("Pisces"), QStringLiteral("Year Of The Snake")}},
    };
    Use("full");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.date.toString(Qt::ISODate).toStdString() + " language " + std::to_string(c.language));
        std::vector<CalendarPicture> sheets;
        ASSERT_TRUE(BuildCalendar(packages_, FontSettings{}, c.language, c.date, sheets));
        ASSERT_EQ(sheets.size(), c.hints.size());
        for (size_t i = 0; i < sheets.size(); ++i) {
            EXPECT_EQ(sheets[i].hint, c.hints[i]) << "sheet " << i + 1;
            EXPECT_EQ(sheets[i].image.size(), QSize(kSheetWidth, kSheetHeight)) << "sheet " << i + 1;
            // The picture sits in the middle of the lower part of every sheet.
            const QRgb middle = sheets[i].image.pixel(kSheetWidth / 2, i == 0 ? 77 : 61);
            EXPECT_EQ(middle, kPicture) << "sheet " << i + 1;
        }
        // The date sheet carries the month in its head and the day under it; the others carry no text.
        EXPECT_GT(Marked(sheets[0].image, QRect(3, 10, 54, 14)), 15);
        EXPECT_GT(Marked(sheets[0].image, QRect(3, 26, 54, 30)), 30);
        EXPECT_EQ(Marked(sheets[1].image, QRect(3, 10, 54, 14)), 0);
        EXPECT_EQ(Marked(sheets[1].image, QRect(3, 26, 54, 8)), 0);
    }
}

TEST_F(CalendarSheetsTest, PictureNamesAreMatchedWithoutCase) {
    Use("full");
    std::vector<CalendarPicture> sheets;
    ASSERT_TRUE(BuildCalendar(packages_, FontSettings{}, 0, QDate(2025, 4, 1), sheets));
    ASSERT_EQ(sheets.size(), 3u);
    EXPECT_EQ(sheets[2].hint, QStringLiteral("April Fool`s day"));
    EXPECT_EQ(sheets[2].image.pixel(kSheetWidth / 2, 61), kUpperCase);
}

TEST_F(CalendarSheetsTest, ManyHolidaysStopAtEightSheets) {
    Use("full");
    // Count the busiest day of a year through the table, then check that the sheets follow it.
    int busiest = 0;
    QDate day;
    for (QDate d(2025, 1, 1); d.year() == 2025; d = d.addDays(1)) {
        const int n = int(CalendarSheets({d.year(), d.month(), d.day()}, 0).size());
        if (n > busiest) busiest = n, day = d;
    }
    std::vector<CalendarPicture> sheets;
    ASSERT_TRUE(BuildCalendar(packages_, FontSettings{}, 0, day, sheets));
    EXPECT_EQ(int(sheets.size()), busiest);
    EXPECT_LE(sheets.size(), size_t(kMaxCalendarSheets));
}

TEST_F(CalendarSheetsTest, WithoutAUsablePackageThereAreNoSheets) {
    for (const char* folder : {"none", "damaged", "nobase"}) {
        SCOPED_TRACE(folder);
        Use(folder);
        std::vector<CalendarPicture> sheets(2); // what an earlier day left behind is dropped
        EXPECT_FALSE(BuildCalendar(packages_, FontSettings{}, 0, QDate(2025, 5, 9), sheets));
        EXPECT_TRUE(sheets.empty());
    }
    Use("full");
    std::vector<CalendarPicture> sheets;
    EXPECT_FALSE(BuildCalendar(packages_, FontSettings{}, 0, QDate(), sheets));
    EXPECT_TRUE(sheets.empty());
}

TEST_F(CalendarSheetsTest, AMissingPictureLeavesItsSheetBlankButShown) {
    Use("gaps");
    std::vector<CalendarPicture> sheets;
    ASSERT_TRUE(BuildCalendar(packages_, FontSettings{}, 0, QDate(2025, 1, 20), sheets));
    ASSERT_EQ(sheets.size(), 4u);
    for (size_t i : {2u, 3u}) {
        EXPECT_FALSE(sheets[i].hint.isEmpty());
        EXPECT_EQ(Marked(sheets[i].image, QRect(3, 28, 54, 66)), 0) << "sheet " << i + 1;
    }
    EXPECT_EQ(sheets[1].image.pixel(kSheetWidth / 2, 61), kPicture);
}

} // namespace
