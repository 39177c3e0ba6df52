#include <gtest/gtest.h>

#include <set>
#include <string>

#include "settings/Settings.h"
#include "settings/Text.h"

using namespace tarvo;

namespace {

// Every text the program shows that is quoted for display, as quoted: the English column...
const char* const kEnglishTexts[] = {
    "New Player",
    "Options",
    "Top Ten",
    "Exit",
    "History",
    "Mode",
    " The members of club    Games    Score ",
    "Exit to menu",
    "You want to leave in the main menu?",
    "All datas for want of it will be lost!",
    "You want to leave from game?",
    "General score",
    "To change a name",
    "Help",
    "Comment",
    "About",
    "Your name and/or the password were successfully changed!\nNew name: ",
    "General number of game:",
    "Number of round in a current cycle:",
    "Number of round in a current session:",
    "Games in cycle",
    "Can`t find the file",
    "has interrupted game!",
    "Press OK for exit to the main menu...",
    "One of player",
    "Download",
    "in Apk is temporarily unavailable!",
    "in Apk are temporarily unavailable!",
    "is temporarily unavailable!",
    "are temporarily unavailable!",
    "Please, wait...",
    "World Top Ten Tournament is temporarily unavailable!",
    "Chat is temporarily unavailable!",
    "Unable to write the result of the game!",
    "Chat",
    "Statistics",
    "Could not connect to server!",
    "Repeat?",
    "There is a game on the rating!",
    "You are not logged in to your account!",
    "You are logged in to your account!",
    "Login to account",
    "Club members: ",
    "Create an account",
    "Creating a GIF...",
    "Speed",
    "Current game",
    "To Begin",
    "I Take",
    "That`s All...",
    "I Go...",
    "Beaten",
    "We play still!",
    "Convention",
    "Four Kings",
    "Radio",
    "Qob Internet-Radio",
    "Can`t find ",
    "Dynamic IQ for Windows (percent)",
    "Games played with PC",
    "Best Windows Player: ",
    "Best Android Player: ",
    "The best player of games from under the account: ",
    "No",
    "Lost connection with the server!",
    "Player",
    "interrupted the game!",
    "You won!",
    "You lose!",
    "time is up!",
    "Log in to your account!",
    "Your time is up!",
    "Take the place of",
    "Online-Tournament",
    "General",
    "Multimedia",
    "Sound",
    "Music",
    "Cards",
    "Decks",
    "Fonts",
    "Minor",
    "Small window",
    "Average window 1",
    "Average window 2",
    "Large window",
    "Full screen",
    "Mr.X",
    "Can`t save options!",
    "Multiplayer",
    "Passport",
    "Modification",
    "To change decks",
    "Always one",
    "Random",
    "Gif-animation",
    "\"Fly\" cards",
    "Red mouse cursor",
    "New buttons",
    "Large font",
    "Small font",
    "Special font",
    "Scale, %",
    "Default",
    "Attention!\nThese installations should be changed only in case of incorrect map of fonts!",
    "Save games",
    "Save games as GIFs",
    "Save contents of only the main window",
    "Save screen contents",
    "Delay between frames, msec.",
    "Choice of speed",
    "Select a flight speed of cards:",
    "Reading the list of radio stations",
    "From the server",
    "From disk",
    "Classical-1",
    "Medieval-1",
    "Modern",
    "Ancient Egypt",
    "Baronesse",
    "Celtic",
    "Corona",
    "Crown",
    "English Pattern",
    "Frankfurt",
    "Historical costumes",
    "Native Americans",
    "Old Garden Roses",
    "Parrots",
    "Royal",
    "Shakespeare",
    "Big Ben",
    "Four Reigns of English History",
    "Large Print London",
    "Classical-2",
    "Hearts",
    "Seasons",
    "Rhine Style",
    "Medieval-2",
    "Doods",
    "Playboy",
    "Epic",
    "USSR",
    "Plastic",
    "Skat - German suits",
    "Skat - Tournament suits",
    "Skat - French suits",
    "White palekh",
    "Diana",
    "Princely",
    "For solitaires",
    "Satin",
    "Slavic",
    "Maya",
    "Bast",
    "French",
    "Spanish 1",
    "Spanish 2",
    "Spanish 3",
    "Spanish 4",
    "Chinese",
    "Italian",
    "Czech",
    "Animals",
    "Flowers",
    "Other",
    "Russian",
    "Places",
    "Carpet",
    "Cross",
    "Chess",
    "Diamond",
    "Knightly",
    "BG",
    "Background",
    "Sun",
    "Felt",
    "Gradient",
    "Cloth",
    "Tree",
    "Casino",
    "Pattern",
    "Silk",
    "Ornament",
    "Green",
    "Red",
    "Orang",
    "Violet",
    "Yellow",
    "Light-Blue",
    "Dark Blue",
    "Design",
    "Main Menu Design",
    "Game Table Design",
    "Auxiliary Window Design",
    "Customizable",
    "Purple",
    "Gray concise",
    "Gray aristocratic",
    "Gray with red ribbons",
    "Salute",
    "Buttons",
    "From under the fool",
    "To learn the fool",
    "The first move",
    "To not distribute to 5 cards by one suit",
    "First beat - 5 cards",
    "Game",
    "Expectation of the server...",
    "Penalties: ",
    "You lose!!!",
    "You have won!!!",
    "Dead heat...",
    "I think... ",
    "The beaten was not",
    "That`s All",
    "Score",
    "The completion of game",
    "CONGRATULATIONS!!!",
    "Your result - the best!",
    "Good result!",
    "You have hitted in top ten players!",
    "Our regrets...",
    "Your result keeps to wish best",
    "You have not hitted in ten best players...",
    "Result: ",
    "Place: ",
    "You become the Vice-President of the order!",
    "You become a Master of the Order!",
    "You become a Bachelor of the Order!",
    "Information about game",
    "The current score:",
    "The initial score:",
    "The general score:",
    "The initial rating:",
    "The current rating:",
    "Qobs",
    "You get",
    "History of games",
    "Time",
    "Date",
    "Games",
    "Result",
    "Rating",
    "Type",
    "Incorrect name!",
    "The passwords do not coincide!",
    "The incorrect password!",
    "Welcome!",
    "Enter Your name:",
    "Enter Your password:",
    "And once again for check...",
    "Cancel",
    "Incorrect IP-address!",
    "Incorrect Port!",
    "Enter IP of server:",
    "Enter Port of server:",
    "Number games:",
    "Server / Client",
    "Server create the game",
    "Client enters to game",
    "To receive the IP-addresses",
    "Your score",
    "Your place",
    "Nick",
    "Country",
    "City",
    "Expectation of connection of other players...",
    "Expectation of game...",
    "The second player was connected...",
    "The third player was connected...",
    "The fourth player was connected...",
    "There are no accessible games",
    "Unable to send a message!",
    "Send",
    "Close",
    "Number of games",
    "Sex",
    "Europe",
    "Asia",
    "North America",
    "South America",
    "Oceania",
    "Africa",
    "Male",
    "Female",
    "Qob Games Chat",
    "Last message at the bottom",
    "Open this window when a new message",
    "Number of starts",
    "Number of unique starts",
    "Likes",
    "Last Like",
    "I like this game!",
    "My account",
    "My results",
    "Sign out",
    "Your account information",
    "Password",
    "Registration",
    "Hide password",
    "Play global rating",
    "Your account has been successfully created!",
    "The club already has a player with the same Nick!",
    "Could not create account!",
    "Login failed!",
    "Information about your games",
    "Place",
    "Played games",
    "My best score",
    "Top 10 best rated players",
    "Save",
    "Delete",
    "Played cycles",
    "Current Deal",
    "Current Score",
    "Transfer",
    "Do you really want to transfer to a club member",
    "Transfer is successful!",
    "You do not have enough Qobs to transfer!",
    "I can not make an empty transfer!",
    "There is no club member with that nick!",
    "Transfer Qobs",
    "Transfer amount",
    "Nick of the club member you want to transfer to",
    "About me",
    "President",
    "Refresh",
    "Copied to clipboard!",
    "President of the Order",
    "Your name",
    "Your last name",
    "Brief information about you",
    "Your phone number",
    "Your e-mail",
    "Your web site",
    "Your skype",
    "Your OK",
    "Your VK",
    "Your Telegram",
    "Your Facebook",
    "Your Twitter",
    "Your Instagram",
    "Your YouTube",
    "The photo must be in jpg format 200x250 pixels in size!",
    "Failed to upload photo to server!",
    "This information may be visible to other club members.",
    "Update info",
    "Refresh photo",
    "Yes",
    "Rules",
    "This statistic is maintained since version 5.2",
    "Cycles played with PC",
    "Winning people (game with PC)",
    "Loss of people (game with PC)",
    "Games played Net",
    "Games played Online",
    "Free",
    "Server connection error!",
    "This table is already occupied by a player with your IP!",
    "Table",
    "Log off",
    "The file \"",
    "\" has incorrect attributes!\nThe work of the program will be incorrect!",
    "The incorrect file",
    "Error of disk writing!",
    "Can`t create music file!",
    "Excuse!",
    "The file of the help is not translated to the English language.",
    "Attention",
    "Qob News!",
    "Qob Chat!",
    "Loop",
    "All",
    "DLL",
    "File ",
    "No History Files",
    "Local",
    "Net",
    "Account",
    "Tourney",
    "ACCOUNT. RATING. ALL GAMES",
    "ACCOUNT. SCORE. GAMES IN CYCLE",
    "WINDOWS. SCORE. GAMES IN CYCLE",
    "ANDROID. SCORE. GAMES IN CYCLE",
    "WINDOWS. ONLINE TOURNAMENT",
    "WINDOWS. LOCAL GAMES WITH PC",
    "WINDOWS. NET GAMES",
    "My Passport",
    "Top 10",
    "Man",
    "Woman",
    "World Top Ten",
    "WORLD ONLINE TOURNAMENT",
    "Server On",
    "Server Off",
    "Tournament Top Ten",
    "WORLD STATS",
    "on Google Play!",
    "You become the President of the order!",
    "You become an Academician of the order!",
    "You become a Professor of the order!",
    "You become a Doctor of the Order!",
};

const char* const kRussianTexts[] = {
    "Думаю... ",
    "Не могу найти файл",
    "Проигрыши: ",
    "Хожу...",
    "Беру",
    "Всё...",
    "Кон",
    "Текущий кон",
    "Вы проиграли!!!",
    "Вы выиграли!!!",
    "Ничья...",
    "Выбор скорости",
    "Выберете скорость полёта карт:",
    "Создаю GIF...",
    "Не раздавать 5 карт одной масти",
    "Первый отбой - 5 карт",
    "Первый ход",
    "Не могу сохранить опции!",
    "Неверный файл",
    "     Члены клуба         Коны    Счёт  ",
    "     Члены клуба         Коны  Рейтинг ",
    "Счет",
    "Чемпионы",
    "Игрок",
    "прервал игру!",
    "У игрока",
    "закончилось время!",
    "Не могу создать музыкальный файл!",
    "Qob Интернет-Радио",
    "Не могу найти ",
};

std::set<std::string> Column(int language) {
    std::set<std::string> texts;
    for (const NamedTextTable& t : AllTextTables())
        for (int row = 0; row < t.table.rows; ++row) texts.emplace(Text(t.table, row, language));
    return texts;
}

bool ValidUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        const std::size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        if (n == 0 || i + n > s.size()) return false;
        for (std::size_t k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        i += n;
    }
    return true;
}

TEST(LanguageTables, EveryRowHasTenTexts) {
    int rows = 0;
    std::set<std::string> names;
    for (const NamedTextTable& t : AllTextTables()) {
        EXPECT_TRUE(names.insert(t.name).second) << t.name;
        EXPECT_EQ(t.table.first, rows) << t.name;
        EXPECT_GE(t.table.rows, 1) << t.name;
        for (int row = 0; row < t.table.rows; ++row)
            for (int language = 0; language < kLanguageCount; ++language) {
                const std::string_view text = Text(t.table, row, language);
                EXPECT_FALSE(text.empty()) << t.name << " row " << row << " language " << language;
                EXPECT_TRUE(ValidUtf8(text)) << t.name << " row " << row << " language " << language;
            }
        rows += t.table.rows;
    }
    EXPECT_EQ(rows, txt::kTextRowCount);
}

TEST(LanguageTables, HoldEveryQuotedTextExactly) {
    const std::set<std::string> english = Column(English);
    for (const char* text : kEnglishTexts) EXPECT_TRUE(english.count(text)) << text;
    const std::set<std::string> russian = Column(Russian);
    for (const char* text : kRussianTexts) EXPECT_TRUE(russian.count(text)) << text;
}

// A row that reads the same in every language is a slip of the translator, except for the
// few texts that the program keeps unchanged on purpose.
TEST(LanguageTables, AreTranslated) {
    const std::set<std::string> same = {"Mr.X",
                                        "DLL",
                                        "Local",
                                        "Net",
                                        "Account",
                                        "Tourney",
                                        "WINDOWS. LOCAL GAMES WITH PC",
                                        "WINDOWS. NET GAMES"};
    for (const NamedTextTable& t : AllTextTables())
        for (int row = 0; row < t.table.rows; ++row) {
            const std::string english(Text(t.table, row, English));
            int copies = 0;
            for (int language = 1; language < kLanguageCount; ++language)
                copies += Text(t.table, row, language) == english;
            if (same.count(english)) {
                EXPECT_EQ(copies, kLanguageCount - 1) << english;
            } else {
                EXPECT_LT(copies, kLanguageCount - 1) << t.name << ": " << english;
            }
        }
}

// French sets a space (here a non-breaking one) before "!", "?" and ":", in the texts and in the
// colon the program puts between a label and its value.
TEST(LanguageTables, FrenchSpacesBeforeHighPunctuation) {
    const std::string_view nbsp = "\xC2\xA0";
    for (const NamedTextTable& t : AllTextTables())
        for (int row = 0; row < t.table.rows; ++row) {
            const std::string_view text = Text(t.table, row, French);
            for (std::size_t i = text.find_first_of("!?:"); i != std::string_view::npos;
                 i = text.find_first_of("!?:", text.find_first_not_of("!?:", i))) {
                EXPECT_TRUE(i >= 2 && text.substr(i - 2, 2) == nbsp) << t.name << " row " << row << ": " << text;
            }
        }
    EXPECT_EQ(Text(txt::Colon, 0, French), "\xC2\xA0: ");
}

TEST(LanguageTables, CantSaveOptionsInEveryLanguage) {
    const char* const expected[kLanguageCount] = {"Can`t save options!",
                                                  "Не могу сохранить опции!",
                                                  "Optionen kann nicht gespeichert werden!",
                                                  "Impossible d`enregistrer les options !",
                                                  "¡No se pueden guardar opciones!",
                                                  "无法保存选项！",
                                                  "Impossibile salvare le opzioni!",
                                                  "Možnosti nelze uložit!",
                                                  "オプションを保存できません！",
                                                  "옵션을 저장할 수 없습니다!"};
    for (int language = 0; language < kLanguageCount; ++language)
        EXPECT_EQ(Text(txt::CantSaveOptions, 0, language), expected[language]) << language;
}

TEST(LanguageTables, ClubHeaderFollowsClubView) {
    EXPECT_EQ(txt::ClubHeader.rows, 3);
    EXPECT_EQ(Text(txt::ClubHeader, 0, English), "Mode");
    EXPECT_EQ(Text(txt::ClubHeader, 1, English), " The members of club    Games    Score ");
    EXPECT_EQ(Text(txt::ClubHeader, 2, English), " The members of club    Games   Rating ");
    EXPECT_EQ(Text(txt::ClubHeader, 1, Russian), "     Члены клуба         Коны    Счёт  ");
    EXPECT_EQ(Text(txt::ClubHeader, 2, Russian), "     Члены клуба         Коны  Рейтинг ");

    Settings s = DefaultSettings();
    s.Language = Russian;
    s.ClubView = 2;
    EXPECT_EQ(Text(s, txt::ClubHeader, s.ClubView), "     Члены клуба         Коны  Рейтинг ");
}

// A carriage return would be drawn as a blank at the start of the next line.
TEST(LanguageTables, LineBreaksAreOneLf) {
    EXPECT_EQ(Text(txt::NameChanged, 0, English),
              "Your name and/or the password were successfully changed!\nNew name: ");
    EXPECT_EQ(Text(txt::FileBadAttributes, 1, English),
              "\" has incorrect attributes!\nThe work of the program will be incorrect!");
    for (const NamedTextTable& t : AllTextTables())
        for (int row = 0; row < t.table.rows; ++row)
            for (int language = 0; language < kLanguageCount; ++language)
                EXPECT_EQ(Text(t.table, row, language).find('\r'), std::string_view::npos) << t.name;
}

TEST(LanguageTables, MessageFamiliesHaveTheirRows) {
    EXPECT_EQ(txt::OrderTitles.rows, 7);
    EXPECT_EQ(Text(txt::OrderTitles, 0, English), "You become the President of the order!");
    EXPECT_EQ(Text(txt::OrderTitles, 6, English), "You become a Bachelor of the Order!");
    EXPECT_EQ(txt::CardFaceNames.rows, 48);
    EXPECT_EQ(Text(txt::CardFaceNames, 47, English), "Czech");
    EXPECT_EQ(txt::CardBackNames.rows, 13);
    EXPECT_EQ(Text(txt::CardBackNames, 12, English), "Russian");
    EXPECT_EQ(txt::BackgroundNames.rows, 10);
    EXPECT_EQ(txt::BackgroundVariantNames.rows, 7);
    EXPECT_EQ(Text(txt::WindowSizes, 1, English), "Full screen");
    EXPECT_EQ(Text(txt::PlayerTimeUp, 0, Russian), "У игрока");
    EXPECT_EQ(Text(txt::Unavailable, 1, Russian), "временно недоступна!");
}

TEST(LanguageTables, LookupOutsideATableGivesNothing) {
    EXPECT_EQ(Text(txt::Exit, 1, English), "");
    EXPECT_EQ(Text(txt::Exit, -1, English), "");
    EXPECT_EQ(Text(txt::Exit, 0, 10), "Exit");
    EXPECT_EQ(Text(txt::Exit, 0, -3), "Exit");
}

TEST(Languages, NamesAndResourceCodes) {
    const auto& l = Languages();
    EXPECT_EQ(l[Russian].name, "Русский");
    EXPECT_EQ(l[Czech].name, "Čeština");
    EXPECT_EQ(l[Korean].name, "한국인");
    const char* const codes[kLanguageCount] = {"Eng", "Rus", "Deu", "Fra", "Spa",
                                               "Chi", "Ita", "Cze", "Eng", "Eng"};
    for (int i = 0; i < kLanguageCount; ++i) EXPECT_EQ(l[static_cast<std::size_t>(i)].resourceCode, codes[i]);
    EXPECT_EQ(l[Japanese].flag, "FlagOJap");
    EXPECT_EQ(l[French].flag, "FlagOFra");
    EXPECT_EQ(Text(txt::ProductName, 0, English), "Tarvo-Trio");
    EXPECT_EQ(Text(txt::ProductNameCaps, 0, English), "TARVO-TRIO");
}

} // namespace
