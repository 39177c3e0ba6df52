#include "table/HistoryWindow.h"

#include <QApplication>
#include <QDateTime>
#include <QHeaderView>
#include <QListWidget>
#include <QLocale>
#include <QTableWidget>

#include "media/Sound.h"
#include "settings/Text.h"
#include "table/CardsButton.h"
#include "table/Cursors.h"

namespace tarvo {

namespace {

constexpr int ClientWidth = 820;
constexpr int ClientHeight = 450;
constexpr int ListWidth = 200;

QString Tr(TextTable table, int row, int language) {
    const std::string_view text = Text(table, row, language);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

int KindRow(char kind) {
    switch (kind) {
    case 'L':
        return 0;
    case 'N':
        return 1;
    case 'A':
        return 2;
    case 'T':
        return 3;
    default:
        return -1;
    }
}

} // namespace

QString HistoryDateText(const QDate& date) {
    const QString shortForm = QLocale::system().toString(date, QLocale::ShortFormat);
    return shortForm.size() <= 10 ? shortForm : date.toString(QStringLiteral("dd.MM.yyyy"));
}

QString HistoryFileCaption(const HistoryFileInfo& file, int language) {
    QString date;
    if (file.modified) {
        const auto seconds =
            std::chrono::duration_cast<std::chrono::seconds>(file.modified->time_since_epoch()).count();
        date = HistoryDateText(QDateTime::fromSecsSinceEpoch(seconds).date());
    }
    return Tr(txt::HistoryFile, 0, language) + QLatin1Char('I') +
           QStringLiteral("%1").arg(file.number, 4, 10, QLatin1Char('0')) + QLatin1Char(' ') + date;
}

QString HistoryKindWord(char kind, int language) {
    const int row = KindRow(kind);
    return row < 0 ? QString() : Tr(txt::HistoryKinds, row, language);
}

QColor HistoryKindColour(char kind, const QColor& normal) {
    switch (kind) {
    case 'N':
        return QColor(0x00, 0x80, 0x00);
    case 'A':
        return QColor(0xFF, 0x00, 0x00);
    case 'T':
        return QColor(0x00, 0x00, 0xFF);
    default:
        return normal;
    }
}

TFormHistory::TFormHistory(const std::filesystem::path& dataFolder, const RecordsWindowOptions& options,
                           QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      folder_(dataFolder), options_(options) {
    const int lang = options_.language;
    options_.fonts.language = lang;
    const FontSettings& fonts = options_.fonts;
    setFixedSize(ClientWidth, ClientHeight);
    setWindowTitle(Tr(txt::GameHistory, 0, lang));
    setFont(RoleFont(FontRole::Decor, RoleHeight(17, FontRole::Serif, fonts), false, fonts));

    ListBox1 = new QListWidget(this);
    ListBox1->setGeometry(10, 10, ListWidth, ClientHeight - 80);
    Table1 = new QTableWidget(0, 7, this);
    const int tableLeft = 10 + ListWidth + 10;
    Table1->setGeometry(tableLeft, 10, ClientWidth - tableLeft - 10, ClientHeight - 80);
    QStringList headers;
    for (int c = 0; c < 7; ++c) headers << Tr(txt::HistoryColumns, c, lang);
    Table1->setHorizontalHeaderLabels(headers);
    for (int c = 0; c < 7; ++c) Table1->setColumnWidth(c, HistoryColumnWidths[c]);
    Table1->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    Table1->horizontalHeader()->setHighlightSections(false);
    // The columns keep their widths; the table's letters shrink until a whole date fits its column.
    QFont cells = font();
    while (QFontMetrics(cells).horizontalAdvance(QStringLiteral("00.00.0000")) + 6 > HistoryColumnWidths[1] &&
           cells.pixelSize() > 9)
        cells.setPixelSize(cells.pixelSize() - 1);
    Table1->setFont(cells);
    // A header word longer than its column ("Результат") takes smaller letters rather than being cut.
    QFont heads = cells;
    auto headersFit = [&] {
        for (int c = 0; c < 7; ++c)
            if (QFontMetrics(heads).horizontalAdvance(headers[c]) + 8 > HistoryColumnWidths[c]) return false;
        return true;
    };
    while (!headersFit() && heads.pixelSize() > 8) heads.setPixelSize(heads.pixelSize() - 1);
    Table1->horizontalHeader()->setFont(heads);
    Table1->verticalHeader()->setVisible(false);
    Table1->verticalHeader()->setDefaultSectionSize(QFontMetrics(cells).height() + 4);
    Table1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Table1->setSelectionBehavior(QAbstractItemView::SelectRows);
    Table1->setWordWrap(false);

    Button1 = new TQobCardsButton(QStringLiteral("Ok"), this);
    Button1->setFont(RoleFont(FontRole::Decor, RoleHeight(22, FontRole::Serif, fonts), true, fonts));
    Button1->setGeometry(ClientWidth - 10 - 140, ClientHeight - 58, 140, 45);
    Button1->setAutoDefault(true);
    Button1->setDefault(true);
    auto* buttonCursor = new CursorKeeper(Button1);
    buttonCursor->SetOwn(options_.ownCursor);
    buttonCursor->Show(CursorRole::Hand);
    connect(Button1, &QPushButton::clicked, this, [this] {
        if (options_.salute) options_.salute(Button1);
        accept();
    });

    files_ = ListHistoryFiles(folder_);
    if (files_.empty()) {
        auto* none = new QListWidgetItem(Tr(txt::NoHistoryFiles, 0, lang), ListBox1);
        none->setFlags(Qt::NoItemFlags);
        return;
    }
    for (const HistoryFileInfo& file : files_) new QListWidgetItem(HistoryFileCaption(file, lang), ListBox1);
    connect(ListBox1, &QListWidget::currentRowChanged, this, [this](int row) { ChooseFile(row); });
    ListBox1->setCurrentRow(static_cast<int>(files_.size()) - 1);
}

void TFormHistory::ChooseFile(int listRow) {
    if (listRow < 0 || listRow >= static_cast<int>(files_.size())) return;
    if (ListBox1->currentRow() != listRow) {
        ListBox1->setCurrentRow(listRow); // comes back here through the list's signal
        return;
    }
    chosen_ = files_[static_cast<std::size_t>(listRow)].number;
    Fill(ReadHistoryRows(folder_, chosen_));
}

void TFormHistory::Fill(const std::vector<HistoryRow>& rows) {
    Table1->clearContents();
    Table1->setRowCount(static_cast<int>(rows.size()));
    const QColor normal = Table1->palette().color(QPalette::Text);
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const HistoryRow& row = rows[static_cast<std::size_t>(r)];
        const QString cells[7] = {
            QString::fromStdString(row.time).trimmed(),   QString::fromStdString(row.date).trimmed(),
            QString::fromStdString(row.player).trimmed(), QString::fromStdString(row.games).trimmed(),
            QString::fromStdString(row.result).trimmed(), QString::fromStdString(row.rating).trimmed(),
            HistoryKindWord(row.kind, options_.language)};
        const QColor ink = HistoryKindColour(row.kind, normal);
        for (int c = 0; c < 7; ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            item->setForeground(ink);
            // The figures stand right-aligned, as the file writes them.
            if (c >= 3 && c <= 5) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            Table1->setItem(r, c, item);
        }
    }
    // One record alone is not marked as chosen; with more the first row is.
    if (rows.size() > 1) {
        Table1->setSelectionMode(QAbstractItemView::SingleSelection);
        Table1->selectRow(0);
    } else {
        Table1->setSelectionMode(QAbstractItemView::NoSelection);
        Table1->clearSelection();
    }
}

void ShowHistory(const std::filesystem::path& dataFolder, const RecordsWindowOptions& options,
                 QWidget* parent) {
    if (options.sound) options.sound->PlayResource("WOpenFo", false, options.soundOn);
    if (!parent) parent = QApplication::activeWindow();
    auto* form = new TFormHistory(dataFolder, options, parent);
    form->setAttribute(Qt::WA_DeleteOnClose);
    form->exec();
}

} // namespace tarvo
